// The block filter of RTF files: keeps the text of the document and drops
// the control words, the groups that hold no text (font table, style
// sheet, pictures, objects, ignorable destinations, binary data) and every
// group nested three or more deep (field instructions and results, header
// information). Characters written as "\'hh" or "\uN" are decoded; the
// character set chosen in the header ("\ansi", "\mac", "\pc", "\pca")
// converts every byte written.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "foundations/language_tables.h"

namespace malvex {

class RtfFilter {
 public:
  static constexpr size_t kMaxWord = 255;
  // Text is written only in groups less deep than this.
  static constexpr int kTextDepth = 3;
  // Groups deeper than this share the state of the deepest one kept.
  static constexpr size_t kMaxSavedGroups = 1024;

  // Character sets of the document.
  static constexpr int kCharsetAnsi = 0;
  static constexpr int kCharsetMac = 1;
  static constexpr int kCharsetOem = 2;

  RtfFilter();
  RtfFilter(const RtfFilter&) = delete;
  RtfFilter& operator=(const RtfFilter&) = delete;

  // Prepares the filter for a new file; `tables` (for the Macintosh
  // character set) must outlive the file.
  void StartFile(const LanguageTables& tables);
  // The text of the next block of `size` bytes; control words and groups
  // may run across blocks. The text stays valid until the next call.
  std::string_view FilterBlock(const uint8_t* block, size_t size);

  int Charset() const { return charset_; }
  int Depth() const { return depth_; }

 private:
  enum class State { kText, kBackslash, kWord, kParameter, kHex1, kHex2 };

  // What a group restores when it closes.
  struct Group {
    bool disabled;
    int unicodeSkip;
  };

  void Byte(uint8_t c);
  // Writes a character of the document (text, "\'hh", "\uN"), or skips it
  // when it stands in for the "\uN" before it.
  void Character(uint8_t c);
  void Put(uint8_t c);
  void ControlSymbol(uint8_t c);
  void ControlWord();
  void OpenGroup();
  void CloseGroup();

  const LanguageTables* tables_ = nullptr;
  State state_ = State::kText;
  int depth_ = 0;
  bool disabled_ = false;
  bool rtfSeen_ = false;
  int charset_ = kCharsetAnsi;
  // Characters that stand in for a "\uN" character ("\ucN", 1 by default)
  // and how many of them are still to be skipped.
  int unicodeSkip_ = 1;
  int pendingSkip_ = 0;
  // Raw bytes of a "\binN" still to be skipped.
  int64_t binaryBytes_ = 0;
  char word_[kMaxWord + 1] = {};
  size_t wordLength_ = 0;
  char parameter_[12] = {};
  size_t parameterLength_ = 0;
  uint8_t hex_ = 0;
  std::vector<Group> groups_;
  std::vector<char> out_;
};

}  // namespace malvex
