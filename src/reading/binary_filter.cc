#include "reading/binary_filter.h"

#include <cstring>
#include <string_view>

#include "reading/file_types.h"

namespace malvex {
namespace {

// Bytes seldom found in text: controls, bytes above 123 other than the
// letters à, é and ñ, and the signs ^ _ ` |.
bool IsUnusual(uint8_t c) {
  if (c == '^' || c == '_' || c == '`' || c == '|') return true;
  if (c == 0xE0 || c == 0xE9 || c == 0xF1) return false;
  return c < 32 || c > 123;
}

// Blanks the run [begin, end) unless it looks like text: more than 3
// bytes, at most a tenth of them unusual, not starting with "bjb" (a
// marker of Word's binary structures).
void JudgeRun(uint8_t* begin, uint8_t* end) {
  const size_t length = static_cast<size_t>(end - begin);
  if (length == 0) return;
  bool blank = length <= 3 || (begin[0] == 'b' && begin[1] == 'j' && begin[2] == 'b');
  if (!blank) {
    size_t unusual = 0;
    for (const uint8_t* p = begin; p < end; ++p) unusual += IsUnusual(*p);
    blank = unusual * 10 > length;
  }
  if (blank) std::memset(begin, ' ', length);
}

}  // namespace

bool IsTextLike(uint8_t c) { return c == 7 || c == 9 || c == 10 || c == 13 || (c >= 32 && c <= 254); }

void BinaryDocumentFilter::StartFile(int fileType) {
  fileType_ = fileType;
  firstBlock_ = true;
}

void BinaryDocumentFilter::FilterBlock(uint8_t* block, size_t size) {
  if (firstBlock_) {
    firstBlock_ = false;
    size_t header = 0;
    if (fileType_ == kFileTypeWord) {
      const std::string_view head(reinterpret_cast<const char*>(block), size < kMarkerSearch ? size : kMarkerSearch);
      const size_t marker = head.find("MSWordDoc");
      header = marker == std::string_view::npos ? kWordHeader : marker + 9 + 10;
    } else if (fileType_ == kFileTypePowerPoint) {
      header = kPowerPointHeader;
    }
    std::memset(block, ' ', header < size ? header : size);
  }
  uint8_t* run = block;
  uint8_t* const end = block + size;
  for (uint8_t* p = block; p < end; ++p) {
    if (IsTextLike(*p)) continue;
    JudgeRun(run, p);
    *p = 0;
    run = p + 1;
  }
  JudgeRun(run, end);
}

}  // namespace malvex
