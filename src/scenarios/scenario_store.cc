#include "scenarios/scenario_store.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <new>

#include "foundations/messages.h"
#include "platform/files.h"

namespace malvex {

namespace {

constexpr char kTab = '\t';

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

int16_t ScenarioKindOf(char code) {
  return code == '1' ? 1 : code == '2' ? 2 : code == '3' ? 3 : 0;
}

bool ParseScenarioSignature(std::string_view text, int32_t& value) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == text.size()) return false;
  int64_t v = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  value = static_cast<int32_t>(v);
  return true;
}

ScenarioEntry ScenarioEntry::Make(std::string_view code, std::string_view name, std::string_view value) {
  ScenarioEntry e = Make(code, name);
  e.value.assign(value);
  e.hasValue = true;
  return e;
}

ScenarioEntry ScenarioEntry::Make(std::string_view code, std::string_view name) {
  ScenarioEntry e;
  for (size_t i = 0; i < e.code.size() && i < code.size(); ++i) e.code[i] = code[i];
  e.kind = ScenarioKindOf(e.code[0]);
  e.name.assign(name);
  return e;
}

int ScenarioEntry::Depth() const {
  const char c = code[2];
  return c >= '0' && c <= '9' ? c - '0' : 0;
}

ScenarioStore::ScenarioStore(Messages& messages) : messages_(messages) { Initialise(); }

void ScenarioStore::Initialise() {
  entries_.clear();
  cursor_ = 0;
  total_ = 0;
  signatures_.renumbering = false;
  initialized_ = true;
}

void ScenarioStore::Clear() {
  std::vector<ScenarioEntry>().swap(entries_);
  cursor_ = 0;
  total_ = 0;
}

void ScenarioStore::Reset() {
  if (!initialized_) return;
  Clear();
  Initialise();
}

bool ScenarioStore::Add(const ScenarioEntry& entry) {
  std::string name = entry.name;
  if (entry.IsGroup()) {
    int32_t signature = 0;
    const bool valid = ParseScenarioSignature(entry.name, signature);
    if (!valid || signatures_.renumbering || signatures_.forcedRenumbering) {
      if (!NextSignature(signature)) return false;
      signatures_.renumbering = true;
      name = std::to_string(signature);
    } else {
      // A signature read from the file: the counter stays above it, so that
      // a reissued signature never repeats one already in use.
      if (signature > signatures_.counter) signatures_.counter = signature;
      if (signature != 0) name = std::to_string(signature);
    }
  }
  try {
    ScenarioEntry added;
    added.code = entry.code;
    added.kind = ScenarioKindOf(entry.code[0]);
    added.name = std::move(name);
    added.hasValue = entry.hasValue;
    if (entry.hasValue) added.value = entry.value;
    entries_.push_back(std::move(added));
  } catch (const std::bad_alloc&) {
    messages_.reportMemory(true);
    return false;
  }
  if (!entry.IsGroup()) total_ += static_cast<uint32_t>(entries_.back().name.size());
  return true;
}

bool ScenarioStore::NextSignature(int32_t& signature) {
  if (signatures_.counter >= kScenarioMaxSignature) {
    messages_.errorBox(messages_.message(1234));
    return false;
  }
  signature = static_cast<int32_t>(++signatures_.counter);
  return true;
}

void ScenarioStore::FileError(int id, const std::string& path) {
  std::string text = messages_.message(id);
  text += " \"";
  text += path;
  text += '"';
  messages_.errorBox(text);
}

bool ScenarioStore::AddLine(std::string_view line, bool& integrityError) {
  // The buffer is a zero-terminated string: a NUL byte ends the line.
  const size_t nul = line.find('\0');
  if (nul != std::string_view::npos) line = line.substr(0, nul);
  std::array<char, 4> code{};
  for (size_t i = 0; i < code.size() && i < line.size(); ++i) code[i] = line[i];
  // Older files have blanks where the code now has '#'.
  for (size_t i = 1; i < code.size(); ++i) {
    if (code[i] == ' ') code[i] = '#';
  }
  if (line.size() > kScenarioLineLength) line = line.substr(0, kScenarioLineLength);
  // Every TAB from position 4 on separates two fields.
  size_t first = std::string_view::npos;
  if (line.size() >= 5) first = line.find(kTab, 4);
  if (first == std::string_view::npos) {
    integrityError = true;
    return true;
  }
  std::string_view name = line.substr(first + 1);
  std::string_view value = name;
  const size_t second = name.find(kTab);
  if (second != std::string_view::npos) {
    value = name.substr(second + 1);
    name = name.substr(0, second);
    const size_t third = value.find(kTab);
    if (third != std::string_view::npos) value = value.substr(0, third);
  }
  if (name.size() > kScenarioFieldLength) {
    name = name.substr(0, kScenarioFieldLength);
    integrityError = true;
  }
  if (value.size() > kScenarioFieldLength) {
    value = value.substr(0, kScenarioFieldLength);
    integrityError = true;
  }
  ScenarioEntry entry = ScenarioEntry::Make(std::string_view(code.data(), code.size()), name, value);
  entry.code = code;
  return Add(entry);
}

bool ScenarioStore::Load(const std::string& path) {
  int64_t time = 0;
  fileTime_ = FileModificationTime(path, time) ? time : 0;
  signatures_.counter = 0;
  signatures_.renumbering = false;
  fileEncoding_ = TextFileEncoding::kCodePage;

  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
    FileError(4, path);
    return false;
  }
  fileEncoding_ = DetectTextFileEncoding(bytes);
  const std::string text = DecodeTextFile(bytes, fileEncoding_);
  std::string().swap(bytes);

  bool integrityError = false;
  std::string line;
  line.reserve(kScenarioLineBuffer);
  bool afterCr = false;  // the last character ended a line with CR
  for (const char c : text) {
    // A line ends with CR LF, LF or a lone CR.
    if (c == '\n' && afterCr) {
      afterCr = false;
      continue;
    }
    afterCr = c == '\r';
    if (c == '\n' || c == '\r') {
      if (!AddLine(line, integrityError)) return false;
      line.clear();
      continue;
    }
    // Characters past the line buffer are dropped.
    if (line.size() < kScenarioLineBuffer) line.push_back(c);
  }
  if (!line.empty() && !AddLine(line, integrityError)) return false;
  if (integrityError) messages_.errorBox(messages_.message(536));
  return true;
}

std::string ScenarioStore::Serialise() const {
  std::string text;
  for (const ScenarioEntry& e : entries_) {
    if (e.name.empty()) continue;
    for (const char c : e.code) text.push_back(c == '\0' ? ' ' : c);
    text.push_back(kTab);
    text += e.name;
    text.push_back(kTab);
    if (e.hasValue) text += e.value;
    text += "\r\n";
  }
  return EncodeTextFile(text, fileEncoding_);
}

bool ScenarioStore::Save(const std::string& path) {
  const std::string bytes = Serialise();
  DeleteFile(path);
  File file(std::fopen(path.c_str(), "wb"));
  if (file == nullptr) {
    FileError(5, path);
    return false;
  }
  if (std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    file.reset();
    FileError(5, path);
    return false;
  }
  const bool flushed = std::fflush(file.get()) == 0 && !std::ferror(file.get());
  const bool closed = std::fclose(file.release()) == 0;
  if (!flushed || !closed) {
    FileError(5, path);
    return false;
  }
  int64_t time = 0;
  fileTime_ = FileModificationTime(path, time) ? time : 0;
  return true;
}

}  // namespace malvex
