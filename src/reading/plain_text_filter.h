// The block filter of plain-text files: turns each block read from the
// file into 8-bit text in the edition's code page. Text files (".txt") are
// read in the code page unless a byte-order mark says UTF-8 or UTF-16, or
// their text is valid UTF-8 holding multi-byte sequences, as the first
// block that holds a byte outside ASCII shows (until then both readings
// are the same; a lead byte that ends the file is a letter of the code
// page); OEM text and Macintosh text are converted byte by byte; the other
// plain types are taken as they are.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "foundations/language_tables.h"

namespace malvex {

class PlainTextFilter {
 public:
  static constexpr size_t kBlockSize = 65536;

  PlainTextFilter();
  PlainTextFilter(const PlainTextFilter&) = delete;
  PlainTextFilter& operator=(const PlainTextFilter&) = delete;

  // Prepares the filter for a new file of `fileType`; `tables` (for the
  // Macintosh conversion) must outlive the file.
  void StartFile(int fileType, const LanguageTables& tables);

  // Decides the encoding from the first block of the file; a block of
  // ASCII bytes only (perhaps ending with a cut sequence) leaves the choice
  // between the code page and UTF-8 to the blocks that follow.
  void DetectFirstBlock(const uint8_t* block, size_t size);

  // After DetectFirstBlock: replaces the encoding found by `encoding` (one
  // the file declares). A byte-order mark found at the start of the file
  // stays skipped only when it marks that same encoding.
  void SetEncoding(int encoding);

  // The 8-bit text of the next block of `size` bytes (at most kBlockSize),
  // which may be rewritten in place; `last` when no block follows. A
  // multi-byte sequence cut by the end of the block is completed from the
  // next one. The text stays valid until the next call.
  std::string_view FilterBlock(uint8_t* block, size_t size, bool last);

  // kEncodingNone (code page), kEncodingUtf8, kEncodingUtf16BigEndian or
  // kEncodingUtf16LittleEndian.
  int Encoding() const { return encoding_; }

 private:
  // A block while the code page and UTF-8 are both still possible.
  std::string_view UndecidedBlock(const uint8_t* block, size_t size, bool last);
  std::string_view Utf8Block(const uint8_t* block, size_t size, bool last);
  std::string_view Utf16Block(const uint8_t* block, size_t size, bool last);

  int fileType_ = 1;
  int encoding_ = 0;
  const LanguageTables* tables_ = nullptr;
  // Bytes the encoding mark takes at the start of the first block.
  size_t markBytes_ = 0;
  bool firstBlock_ = true;
  // No mark, and only ASCII bytes so far (the carry may hold a cut
  // sequence): code page or UTF-8 still open.
  bool undecided_ = false;
  // The start of a sequence cut by the end of the previous block.
  uint8_t carry_[4] = {};
  size_t carryLength_ = 0;
  std::vector<uint8_t> work_;
  std::vector<uint16_t> units_;
  std::vector<char> text_;
};

// The Windows code page 1250 byte for a byte of the OEM code page 852
// (letters keep their meaning, box drawing becomes '+', '-' or '|').
uint8_t OemToAnsi(uint8_t c);

// True when `bytes` are valid UTF-8 and hold at least one multi-byte
// sequence; a sequence cut by the end of the bytes counts as valid.
bool LooksLikeUtf8(const uint8_t* bytes, size_t length);

}  // namespace malvex
