// The language of the edition and the run flags: eleven bytes, not stored,
// that the engine reads during a run. Byte 0 is the language code.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace malvex {

// One row of the language-code table.
struct LanguageInfo {
  int code;              // run-flags byte 0
  const char* dictCode;  // in the dictionary base path, registry keys and program file names
  const char* stdCode;   // standard two-letter code
  int labelId;           // catalogue message naming the language
};

// The language code of this edition (Romanian).
inline constexpr int kEditionLanguage = 14;

// The row of `code`; codes outside the table give the row of "??" codes
// labelled by message 655 ("other language").
const LanguageInfo& LanguageFor(int code);

class RunFlags {
 public:
  static constexpr size_t kSize = 11;

  // The flags at the start of a run: language code of the edition, hyphen
  // concatenation on, settings may be saved, bytes 2, 9 and 10 set.
  RunFlags();

  uint8_t byte(size_t i) const { return bytes_.at(i); }
  void setByte(size_t i, uint8_t value) { bytes_.at(i) = value; }

  int languageCode() const { return bytes_[0]; }
  void setLanguageCode(int code) { bytes_[0] = static_cast<uint8_t>(code); }
  const LanguageInfo& language() const { return LanguageFor(bytes_[0]); }
  // Compound lookup also tries two hyphen-joined words written together.
  bool hyphenConcatenation() const { return bytes_[1] != 0; }
  // Cleared when the program must end without saving its settings.
  bool settingsMayBeSaved() const { return bytes_[4] != 0; }
  void setSettingsMayBeSaved(bool v) { bytes_[4] = v; }
  // Set by the main window in some modes.
  bool windowMode() const { return bytes_[6] != 0; }
  void setWindowMode(bool v) { bytes_[6] = v; }
  // Set by the reading pass once an analysis has been made.
  bool analysisMade() const { return bytes_[8] != 0; }
  void setAnalysisMade(bool v) { bytes_[8] = v; }

 private:
  std::array<uint8_t, kSize> bytes_;
};

}  // namespace malvex
