// The block filter of each file type: every block read from a file goes
// through the filter of its type before the text reader cuts it into
// words. Plain text and code pages (text, OEM, Macintosh and the files read
// as they are), markup (HTML, XML, SGML), RTF, and binary documents.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "foundations/language_tables.h"
#include "reading/binary_filter.h"
#include "reading/markup_filter.h"
#include "reading/plain_text_filter.h"
#include "reading/rtf_filter.h"

namespace malvex {

class BlockFilters {
 public:
  BlockFilters() = default;
  BlockFilters(const BlockFilters&) = delete;
  BlockFilters& operator=(const BlockFilters&) = delete;

  // Prepares the filter of `fileType` for a new file; `tables` must
  // outlive the file. Word and PowerPoint files are read through the
  // binary filter (their converters are handled before); PDF and the
  // other converted types are read as they are.
  void StartFile(int fileType, const LanguageTables& tables);
  // On the first block of the file: byte-order mark, declared encoding.
  void DetectFirstBlock(const uint8_t* block, size_t size);
  // The text of the next block of `size` bytes (at most
  // PlainTextFilter::kBlockSize), which may be rewritten in place; `last`
  // when no block follows. Valid until the next call.
  std::string_view FilterBlock(uint8_t* block, size_t size, bool last);

  // The encoding the bytes are read in (PlainTextFilter::Encoding).
  int Encoding() const;
  // The encoding a markup file declares (kMarkup*), kMarkupUndeclared for
  // other types.
  int DeclaredEncoding() const;

 private:
  enum class Kind { kPlain, kMarkup, kRtf, kBinary };

  Kind kind_ = Kind::kPlain;
  PlainTextFilter plain_;
  MarkupFilter markup_;
  RtfFilter rtf_;
  BinaryDocumentFilter binary_;
};

}  // namespace malvex
