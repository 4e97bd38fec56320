#include "platform/registry.h"

#include <cerrno>
#include <strings.h>

#include "platform/files.h"

namespace malvex {
namespace {

bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool HasLineBreak(std::string_view s) { return s.find_first_of("\r\n") != std::string_view::npos; }

// The keys' root, and the one earlier versions wrote.
constexpr std::string_view kRoot = "Software/Malvex/";
constexpr std::string_view kEarlierRoot = "Software/Lumenor/";

std::string Key(std::string_view product, std::string_view version, std::string_view dictionaryCode) {
  std::string key(kRoot);
  key.append(product).append("/V").append(version).append("/").append(dictionaryCode);
  return key;
}

}  // namespace

std::string OntologiesRegistryKey(std::string_view dictionaryCode) {
  return Key("Ontologies", "8.2", dictionaryCode);
}

std::string ProgramRegistryKey(std::string_view dictionaryCode) {
  return Key("Malvex", "8.2", dictionaryCode);
}

Registry::Registry(std::string path) : path_(std::move(path)) {}

std::string Registry::DefaultPath() { return XdgConfigHome() + "/malvex/registry.ini"; }

bool Registry::Load() {
  sections_.clear();
  std::string text;
  FileErrors errors;
  if (!ReadWholeFile(path_, text, &errors)) return errors.last == ENOENT;
  Section* current = nullptr;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') continue;
    if (trimmed.front() == '[') {
      size_t close = trimmed.find(']');
      if (close == std::string_view::npos) continue;
      std::string_view name = trimmed.substr(1, close - 1);
      current = FindSection(name);
      if (current == nullptr) {
        sections_.push_back(Section{std::string(name), {}});
        current = &sections_.back();
      }
      continue;
    }
    size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos) continue;
    std::string_view key = Trim(line.substr(0, equals));
    if (key.empty()) continue;
    // Values are kept exactly as written after the '=' (this file writes
    // no blanks around it), so a value's own blanks survive a round trip.
    Set(current->name, key, line.substr(equals + 1));
  }
  MoveEarlierKeys();
  return true;
}

void Registry::MoveEarlierKeys() {
  std::vector<Section> earlier;
  for (auto it = sections_.begin(); it != sections_.end();) {
    if (it->name.size() >= kEarlierRoot.size() && SameName(std::string_view(it->name).substr(0, kEarlierRoot.size()), kEarlierRoot)) {
      earlier.push_back(std::move(*it));
      it = sections_.erase(it);
    } else {
      ++it;
    }
  }
  for (Section& old : earlier) {
    const std::string name = std::string(kRoot) + old.name.substr(kEarlierRoot.size());
    for (const auto& [key, value] : old.values) {
      std::string present;
      if (!Get(name, key, present)) Set(name, key, value);
    }
  }
}

bool Registry::Save() const {
  std::string text;
  for (const Section& section : sections_) {
    if (section.values.empty()) continue;
    text.append("[").append(section.name).append("]\n");
    for (const auto& [key, value] : section.values) text.append(key).append("=").append(value).append("\n");
    text.append("\n");
  }
  std::string folder = path_;
  if (StripLastComponent(folder) && !MakeFolders(folder)) return false;
  return WriteFileAtomically(path_, text);
}

bool Registry::Get(std::string_view section, std::string_view key, std::string& value) const {
  const Section* s = FindSection(section);
  if (s == nullptr) return false;
  for (const auto& [name, stored] : s->values) {
    if (SameName(name, key)) {
      value = stored;
      return true;
    }
  }
  return false;
}

std::string Registry::GetString(std::string_view section, std::string_view key,
                                std::string_view fallback) const {
  std::string value;
  if (!Get(section, key, value)) return std::string(fallback);
  return value;
}

bool Registry::Set(std::string_view section, std::string_view key, std::string_view value) {
  if (section.empty() || key.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      HasLineBreak(value) || section.find(']') != std::string_view::npos ||
      key.find('=') != std::string_view::npos || key.front() == '[' || Trim(key) != key) {
    return false;
  }
  Section* s = FindSection(section);
  if (s == nullptr) {
    sections_.push_back(Section{std::string(section), {}});
    s = &sections_.back();
  }
  for (auto& [name, stored] : s->values) {
    if (SameName(name, key)) {
      stored.assign(value);
      return true;
    }
  }
  s->values.emplace_back(std::string(key), std::string(value));
  return true;
}

bool Registry::Remove(std::string_view section, std::string_view key) {
  Section* s = FindSection(section);
  if (s == nullptr) return false;
  for (auto it = s->values.begin(); it != s->values.end(); ++it) {
    if (SameName(it->first, key)) {
      s->values.erase(it);
      return true;
    }
  }
  return false;
}

Registry::Section* Registry::FindSection(std::string_view name) {
  for (Section& s : sections_) {
    if (SameName(s.name, name)) return &s;
  }
  return nullptr;
}

const Registry::Section* Registry::FindSection(std::string_view name) const {
  for (const Section& s : sections_) {
    if (SameName(s.name, name)) return &s;
  }
  return nullptr;
}

}  // namespace malvex
