// The code pages of the Word document reader: which Windows code page a
// document's language uses, and the Unicode-to-code-page mappings of those
// code pages, through which the reader turns 16-bit text into 8-bit text.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

namespace malvex {

// The Windows code page whose table converts the text of a document in
// language `languageId` (a Windows language identifier; its low byte is the
// primary language): 1250, 1251, 1252 (only the characters that code page
// places in 0x80 to 0x9F), 1254, 1255, 1256, 1257, 936, 950, or 0 when the
// language has none and every byte is taken unchanged.
int WordCodePageForLanguage(uint16_t languageId);

// The Unicode character of byte `b` in the text of a compressed (8-bit)
// piece of a Word 97 document: code page 1252.
uint16_t CompressedCharToUnicode(uint8_t b);

// Maps UTF-16 code units to the bytes of one code page. The double-byte
// code pages (936, 950) go through the system's character conversion.
class CodePageEncoder {
 public:
  explicit CodePageEncoder(int codePage);
  ~CodePageEncoder();
  CodePageEncoder(const CodePageEncoder&) = delete;
  CodePageEncoder& operator=(const CodePageEncoder&) = delete;

  int codePage() const { return codePage_; }
  // Writes the code page's bytes for `unit` to `out` and returns their
  // number (1 or 2); 0 when the code page has no such character.
  int Encode(uint16_t unit, uint8_t out[2]) const;

 private:
  int codePage_;
  // Single-byte code pages: (unit, byte) sorted by unit.
  std::vector<std::pair<uint16_t, uint8_t>> map_;
  // Double-byte code pages: the system converter (iconv_t), or null.
  void* converter_ = nullptr;
};

}  // namespace malvex
