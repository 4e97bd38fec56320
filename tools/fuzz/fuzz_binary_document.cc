// Feeds arbitrary bytes to the binary-document filter as a Word,
// PowerPoint, Flash or Excel file (chosen by the first byte), cut into
// blocks of the reader's size or smaller. The filter rewrites in place:
// a text-like byte is kept or blanked, any other byte becomes 0, except in
// the file's header at the start of the first block, which is blanked.
#include <cstdint>
#include <cstring>
#include <vector>

#include "reading/binary_filter.h"
#include "reading/file_types.h"
#include "reading/plain_text_filter.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  if (size < 1) return 0;
  static const int kTypes[] = {kFileTypeWord, kFileTypePowerPoint, kFileTypeSwf, kFileTypeXls};
  const int fileType = kTypes[data[0] % 4];
  // Small blocks as well as the reader's, so that the first-block header
  // and runs cut by a block end are both met.
  const size_t blockSize = data[0] < 128 ? PlainTextFilter::kBlockSize : 1 + data[0] % 64;
  const uint8_t* bytes = data + 1;
  size -= 1;
  BinaryDocumentFilter filter;
  filter.StartFile(fileType);
  std::vector<uint8_t> block;
  for (size_t at = 0; at < size; at += blockSize) {
    const size_t n = size - at < blockSize ? size - at : blockSize;
    block.assign(bytes + at, bytes + at + n);
    filter.FilterBlock(block.data(), block.size());
    if (block.size() != n) __builtin_trap();
    for (size_t i = 0; i < n; ++i) {
      const uint8_t before = bytes[at + i], after = block[i];
      const bool header = at == 0 && i < BinaryDocumentFilter::kMarkerSearch + 19;
      const bool sound = IsTextLike(before) ? after == before || after == ' ' : after == 0 || (header && after == ' ');
      if (!sound) __builtin_trap();
    }
  }
  return 0;
}
