// A read-only sectioned key-value file (the parameter and identification
// files). Section and key names are compared without regard to ASCII case;
// the first occurrence of a key wins.
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace malvex {

class ParameterFile {
 public:
  ParameterFile() = default;
  ParameterFile(const ParameterFile&) = delete;
  ParameterFile& operator=(const ParameterFile&) = delete;

  // Reads `path`, replacing what was held. A missing or unreadable file
  // leaves the object empty, so every key takes its default, and gives
  // false. Lines with syntax errors are skipped.
  bool Load(const std::string& path);
  // Reads the same format from memory.
  void LoadFromString(const std::string& text);

  bool Has(std::string_view section, std::string_view key) const;
  // The value (blanks around it and one pair of enclosing double quotes
  // removed), or `fallback` when the key is missing.
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback) const;
  // True when the value (or `fallback` when missing) begins with "oui" in
  // any case.
  bool GetYesNo(std::string_view section, std::string_view key, std::string_view fallback) const;

 private:
  static int Handler(void* user, const char* section, const char* key, const char* value);

  // Keys are "section" + '\n' + "key", lower-cased.
  std::map<std::string, std::string> values_;
};

// True when `text` begins with "oui" in any case.
bool IsYes(std::string_view text);

}  // namespace malvex
