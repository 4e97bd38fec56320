#include "platform/parameter_file.h"

#include <ini.h>
#include <strings.h>

#include <cctype>

namespace malvex {
namespace {

std::string LookupKey(std::string_view section, std::string_view key) {
  std::string k;
  k.reserve(section.size() + key.size() + 1);
  for (char c : section) k.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  k.push_back('\n');
  for (char c : key) k.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
  return k;
}

}  // namespace

bool IsYes(std::string_view text) { return text.size() >= 3 && ::strncasecmp(text.data(), "oui", 3) == 0; }

int ParameterFile::Handler(void* user, const char* section, const char* key, const char* value) {
  auto* self = static_cast<ParameterFile*>(user);
  std::string_view v(value);
  if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
  // emplace keeps the first occurrence; continuation lines of a value come
  // back under the same key and are dropped with it.
  self->values_.emplace(LookupKey(section, key), std::string(v));
  return 1;
}

bool ParameterFile::Load(const std::string& path) {
  values_.clear();
  if (path.empty()) return false;
  return ini_parse(path.c_str(), &ParameterFile::Handler, this) >= 0;
}

void ParameterFile::LoadFromString(const std::string& text) {
  values_.clear();
  ini_parse_string(text.c_str(), &ParameterFile::Handler, this);
}

bool ParameterFile::Has(std::string_view section, std::string_view key) const {
  return values_.count(LookupKey(section, key)) != 0;
}

std::string ParameterFile::GetString(std::string_view section, std::string_view key,
                                     std::string_view fallback) const {
  auto it = values_.find(LookupKey(section, key));
  if (it == values_.end()) return std::string(fallback);
  return it->second;
}

bool ParameterFile::GetYesNo(std::string_view section, std::string_view key,
                             std::string_view fallback) const {
  auto it = values_.find(LookupKey(section, key));
  return IsYes(it == values_.end() ? fallback : std::string_view(it->second));
}

}  // namespace malvex
