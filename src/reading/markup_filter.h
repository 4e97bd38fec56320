// The block filter of markup files (HTML, XML, SGML): decodes the file's
// encoding (declared in a meta element or the XML declaration, or marked by
// a byte-order mark) into the 8-bit code page, then drops the tags, decodes
// the character entities and skips script and style content, so that only
// the text is left. In HTML the closing tags of paragraphs, divisions,
// headings and table parts end a sentence: they are replaced by a line end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "foundations/language_tables.h"
#include "reading/plain_text_filter.h"

namespace malvex {

// Encodings a markup file can declare.
inline constexpr int kMarkupCodePage = 0;
inline constexpr int kMarkupUcs = 2;        // "iso-10646...", "ucs-..."
inline constexpr int kMarkupUnicode32 = 3;  // "utf-32", "utf-4"
inline constexpr int kMarkupUtf8 = 4;
inline constexpr int kMarkupUnicode16 = 5;  // "utf-16" and the other "utf" forms
// No declaration and no byte-order mark.
inline constexpr int kMarkupUndeclared = -1;

// The encoding declared in the first 8,190 bytes of a markup file: a meta
// element's "charset=" (after "content-type" when there is one), else an
// XML declaration's "encoding=" (an XML declaration without one means
// UTF-8), else a byte-order mark (UTF-8, or UTF-16 as kMarkupUnicode16).
// Blocks under 10 bytes are not examined.
int DeclaredMarkupEncoding(const uint8_t* block, size_t size);

// The encoding an encoding name stands for: "iso..." the code page
// ("iso-10646..." UCS), "utf-8" and "utf8" UTF-8, "utf-32" the 32-bit form,
// any other "utf" the 16-bit form, "ucs..." UCS, anything else the code page.
int MarkupEncodingOfName(std::string_view name);

// The character an entity name stands for (name without '&' and ';', in
// any case), or -1 when it stands for none. `numeric` allows the "#"
// forms, decimal and hexadecimal ("#233", "#x219"); code points up to 255
// give that byte, larger ones go through the Unicode-to-8-bit table.
int DecodeEntity(std::string_view name, bool numeric);

class MarkupFilter {
 public:
  static constexpr size_t kDetectBytes = 8190;
  static constexpr size_t kMaxName = 255;
  // Tag names are compared on their first 10 characters.
  static constexpr size_t kTagNameLength = 10;

  MarkupFilter();
  MarkupFilter(const MarkupFilter&) = delete;
  MarkupFilter& operator=(const MarkupFilter&) = delete;

  // Prepares the filter for a new file of `fileType` (kFileTypeHtml,
  // kFileTypeXml or kFileTypeSgml); `tables` must outlive the file.
  void StartFile(int fileType, const LanguageTables& tables);
  // Decides the encoding from the first block of the file.
  void DetectFirstBlock(const uint8_t* block, size_t size);
  // The text of the next block (at most PlainTextFilter::kBlockSize bytes,
  // which may be rewritten); `last` when no block follows. Tags and
  // entities may run across blocks. The text stays valid until the next
  // call.
  std::string_view FilterBlock(uint8_t* block, size_t size, bool last);

  // The encoding the file declares (kMarkup*).
  int DeclaredEncoding() const { return declared_; }
  // The encoding the bytes are decoded from (PlainTextFilter::Encoding).
  int Encoding() const { return decoder_.Encoding(); }

 private:
  void Byte(uint8_t c);
  void Put(uint8_t c);
  // Ends a pending entity, decoding it with the numeric forms allowed.
  void EndEntity();
  // Applies the rules of the tag whose text was collected since '<'.
  void EndTag();

  PlainTextFilter decoder_;
  int fileType_ = 0;
  int declared_ = kMarkupUndeclared;
  bool tagRules_ = false;
  bool html_ = false;

  bool inTag_ = false;
  bool inEntity_ = false;
  bool skipping_ = false;
  bool outputEnabled_ = true;
  bool afterEntity_ = false;
  // The last tag ended was one that does not separate words (b, i, u).
  bool joiningTag_ = false;
  char tag_[kMaxName + 1] = {};
  size_t tagLength_ = 0;
  char entity_[kMaxName + 1] = {};
  size_t entityLength_ = 0;
  std::vector<char> out_;
};

}  // namespace malvex
