#include "reading/plain_text_filter.h"

#include <cstring>

#include "foundations/charset.h"
#include "reading/file_types.h"

namespace malvex {
namespace {

// Code page 852 to code page 1250, bytes 0x80..0xFF.
constexpr uint8_t kOemToAnsi[128] = {
    0xC7, 0xFC, 0xE9, 0xE2, 0xE4, 0xF9, 0xE6, 0xE7, 0xB3, 0xEB, 0xD5, 0xF5, 0xEE, 0x8F, 0xC4, 0xC6,
    0xC9, 0xC5, 0xE5, 0xF4, 0xF6, 0xBC, 0xBE, 0x8C, 0x9C, 0xD6, 0xDC, 0x8D, 0x9D, 0xA3, 0xD7, 0xE8,
    0xE1, 0xED, 0xF3, 0xFA, 0xA5, 0xB9, 0x8E, 0x9E, 0xCA, 0xEA, 0xAC, 0x9F, 0xC8, 0xBA, 0xAB, 0xBB,
    0x3F, 0x3F, 0x3F, 0x7C, 0x2B, 0xC1, 0xC2, 0xCC, 0xAA, 0x2B, 0x7C, 0x2B, 0x2B, 0xAF, 0xBF, 0x2B,
    0x2B, 0x2B, 0x2B, 0x2B, 0x2D, 0x2B, 0xC3, 0xE3, 0x2B, 0x2B, 0x2B, 0x2B, 0x2B, 0x2D, 0x2B, 0xA4,
    0xF0, 0xD0, 0xCF, 0xCB, 0xEF, 0xD2, 0xCD, 0xCE, 0xEC, 0x2B, 0x2B, 0x3F, 0x3F, 0xDE, 0xD9, 0x3F,
    0xD3, 0xDF, 0xD4, 0xD1, 0xF1, 0xF2, 0x8A, 0x9A, 0xC0, 0xDA, 0xE0, 0xDB, 0xFD, 0xDD, 0xFE, 0xB4,
    0xAD, 0xBD, 0xB2, 0xA1, 0xA2, 0xA7, 0xF7, 0xB8, 0xB0, 0xA8, 0xFF, 0xFB, 0xD8, 0xF8, 0x3F, 0xA0,
};

// Length of the UTF-8 sequence a lead byte opens; 0 for a byte that opens none.
int SequenceLength(uint8_t b) {
  if (b < 0x80) return 1;
  if ((b >> 5) == 6) return 2;
  if ((b >> 4) == 14) return 3;
  if ((b >> 3) == 30) return 4;
  return 0;
}

// Bytes at the end of `p` that start a sequence the block does not finish.
// The bytes are walked from the start as the decoder walks them (a byte
// that breaks a sequence is dropped with it), so that the tail read again
// with the next block gives the text the file would give read whole.
size_t IncompleteTail(const uint8_t* p, size_t n) {
  size_t i = 0;
  while (i < n) {
    const size_t len = static_cast<size_t>(SequenceLength(p[i]));
    if (len <= 1) {
      ++i;
      continue;
    }
    size_t k = 1;
    while (k < len && i + k < n && (p[i + k] & 0xC0) == 0x80) ++k;
    if (k == len) {
      i += len;
    } else if (i + k == n) {
      return n - i;  // cut by the end of the block
    } else {
      i += k + 1;  // broken: the breaking byte goes too
    }
  }
  return 0;
}

// Types that are read as text files: the text type itself, and the
// document types whose own filters are not part of this reader (they are
// read as plain text).
bool DetectsEncoding(int type) {
  switch (type) {
    case kFileTypeOem:
    case kFileTypeMac:
    case kFileTypeAny:
    case kFileTypeScenario:
    case kFileTypeTextIndex:
    case kFileTypeIndex:
    case kFileTypeBorders:
      return false;
    default:
      return true;
  }
}

// What a block of a text file without a mark says about UTF-8, by the
// rules of LooksLikeUtf8.
enum class Utf8Evidence {
  kAscii,    // ASCII bytes only: either reading gives the same text
  kCutTail,  // ASCII bytes, then a sequence cut by the end of the block
  kUtf8,     // valid UTF-8 with a whole multi-byte sequence
  kNotUtf8,
};

Utf8Evidence Utf8EvidenceOf(const uint8_t* p, size_t n) {
  bool multi = false;
  for (size_t i = 0; i < n;) {
    const uint8_t b = p[i];
    const int len = SequenceLength(b);
    if (len == 0) return Utf8Evidence::kNotUtf8;
    if (len == 2 && b < 0xC2) return Utf8Evidence::kNotUtf8;  // overlong form of an ASCII byte
    for (int k = 1; k < len; ++k) {
      if (i + static_cast<size_t>(k) >= n) return multi ? Utf8Evidence::kUtf8 : Utf8Evidence::kCutTail;
      if ((p[i + static_cast<size_t>(k)] & 0xC0) != 0x80) return Utf8Evidence::kNotUtf8;
    }
    if (len > 1) multi = true;
    i += static_cast<size_t>(len);
  }
  return multi ? Utf8Evidence::kUtf8 : Utf8Evidence::kAscii;
}

}  // namespace

uint8_t OemToAnsi(uint8_t c) { return c < 0x80 ? c : kOemToAnsi[c - 0x80]; }

bool LooksLikeUtf8(const uint8_t* p, size_t n) {
  const Utf8Evidence evidence = Utf8EvidenceOf(p, n);
  return evidence == Utf8Evidence::kUtf8 || evidence == Utf8Evidence::kCutTail;
}

PlainTextFilter::PlainTextFilter()
    : work_(kBlockSize + sizeof carry_), units_(kBlockSize / 2 + 2), text_(kBlockSize + sizeof carry_ + 2) {}

void PlainTextFilter::StartFile(int fileType, const LanguageTables& tables) {
  fileType_ = fileType;
  tables_ = &tables;
  encoding_ = kEncodingNone;
  markBytes_ = 0;
  carryLength_ = 0;
  firstBlock_ = true;
  undecided_ = false;
}

void PlainTextFilter::DetectFirstBlock(const uint8_t* block, size_t size) {
  if (!DetectsEncoding(fileType_)) return;
  encoding_ = DetectByteOrderMark(block, size);
  if (encoding_ == kEncodingUtf8)
    markBytes_ = 3;
  else if (encoding_ != kEncodingNone)
    markBytes_ = 2;
  else
    switch (Utf8EvidenceOf(block, size)) {
      case Utf8Evidence::kUtf8:
        encoding_ = kEncodingUtf8;  // UTF-8 written without a mark
        break;
      case Utf8Evidence::kAscii:
      case Utf8Evidence::kCutTail:
        // Nothing tells yet: the first block with a whole sequence or a
        // byte UTF-8 does not allow decides (UndecidedBlock).
        undecided_ = true;
        break;
      case Utf8Evidence::kNotUtf8:
        break;
    }
}

void PlainTextFilter::SetEncoding(int encoding) {
  if (encoding != encoding_) markBytes_ = 0;
  encoding_ = encoding;
  undecided_ = false;
}

std::string_view PlainTextFilter::FilterBlock(uint8_t* block, size_t size, bool last) {
  size_t skip = 0;
  if (firstBlock_) {
    skip = markBytes_ < size ? markBytes_ : size;
    firstBlock_ = false;
  }
  block += skip;
  size -= skip;
  switch (fileType_) {
    case kFileTypeOem:
      for (size_t i = 0; i < size; ++i) block[i] = OemToAnsi(block[i]);
      break;
    case kFileTypeMac:
      for (size_t i = 0; i < size; ++i) block[i] = tables_->macToAnsi[block[i]];
      break;
    default:
      if (undecided_) return UndecidedBlock(block, size, last);
      if (encoding_ == kEncodingUtf8) return Utf8Block(block, size, last);
      if (encoding_ == kEncodingUtf16BigEndian || encoding_ == kEncodingUtf16LittleEndian)
        return Utf16Block(block, size, last);
      break;
  }
  return std::string_view(reinterpret_cast<const char*>(block), size);
}

std::string_view PlainTextFilter::UndecidedBlock(const uint8_t* block, size_t size, bool last) {
  uint8_t* w = work_.data();
  std::memcpy(w, carry_, carryLength_);
  // The end of the data comes as an empty block, which may have no bytes
  // behind it at all.
  if (size > 0) std::memcpy(w + carryLength_, block, size);
  size_t n = carryLength_ + size;
  switch (Utf8EvidenceOf(w, n)) {
    case Utf8Evidence::kAscii:
      carryLength_ = 0;
      return std::string_view(reinterpret_cast<const char*>(w), n);
    case Utf8Evidence::kUtf8:
      // The carried lead bytes are still in carry_ for the UTF-8 reading.
      undecided_ = false;
      encoding_ = kEncodingUtf8;
      return Utf8Block(block, size, last);
    case Utf8Evidence::kCutTail:
      if (!last) {
        // The ASCII part now; the cut sequence waits for the next block.
        carryLength_ = IncompleteTail(w, n);
        n -= carryLength_;
        std::memcpy(carry_, w + n, carryLength_);
        return std::string_view(reinterpret_cast<const char*>(w), n);
      }
      // A lead byte that ends the file is a character of the code page.
      [[fallthrough]];
    case Utf8Evidence::kNotUtf8:
      break;
  }
  undecided_ = false;
  carryLength_ = 0;
  return std::string_view(reinterpret_cast<const char*>(w), n);
}

std::string_view PlainTextFilter::Utf8Block(const uint8_t* block, size_t size, bool last) {
  uint8_t* w = work_.data();
  std::memcpy(w, carry_, carryLength_);
  if (size > 0) std::memcpy(w + carryLength_, block, size);
  size_t n = carryLength_ + size;
  carryLength_ = 0;
  if (!last) {
    carryLength_ = IncompleteTail(w, n);
    n -= carryLength_;
    std::memcpy(carry_, w + n, carryLength_);
  }
  const long written = Utf8To8Bit(w, static_cast<long>(n), text_.data(), static_cast<long>(text_.size()));
  return std::string_view(text_.data(), written > 0 ? static_cast<size_t>(written - 1) : 0);
}

std::string_view PlainTextFilter::Utf16Block(const uint8_t* block, size_t size, bool last) {
  uint8_t* w = work_.data();
  std::memcpy(w, carry_, carryLength_);
  if (size > 0) std::memcpy(w + carryLength_, block, size);
  size_t n = carryLength_ + size;
  carryLength_ = 0;
  if (n % 2 != 0 && !last) {
    carry_[0] = w[n - 1];
    carryLength_ = 1;
  }
  const size_t count = n / 2;
  const bool big = encoding_ == kEncodingUtf16BigEndian;
  for (size_t i = 0; i < count; ++i) {
    const uint8_t a = w[2 * i], b = w[2 * i + 1];
    units_[i] = big ? static_cast<uint16_t>(a << 8 | b) : static_cast<uint16_t>(b << 8 | a);
  }
  if (count == 0) return std::string_view();
  Utf16To8Bit(units_.data(), static_cast<long>(count), text_.data());
  return std::string_view(text_.data(), count);
}

}  // namespace malvex
