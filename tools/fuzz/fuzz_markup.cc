// Feeds arbitrary bytes to the markup filter as an HTML, XML or SGML file
// (the first byte chooses the type and the size of the blocks). The file
// is filtered twice, as one block and cut into small blocks: tags,
// entities and multi-byte characters may run across blocks, so both
// readings must give the same text.
#include <cstdint>
#include <string>
#include <vector>

#include "foundations/language_tables.h"
#include "reading/file_types.h"
#include "reading/markup_filter.h"
#include "reading/plain_text_filter.h"

namespace {

const malvex::LanguageTables& Tables() {
  static const malvex::LanguageTables tables = malvex::DefaultLanguageTables();
  return tables;
}

// The text of the file `bytes` (one reader block at most, so the encoding
// is decided on all of it) handed to the filter in blocks of `blockSize`;
// the first block is 3 bytes longer so that it holds any byte-order mark.
std::string Filter(malvex::MarkupFilter& filter, int fileType, const uint8_t* bytes, size_t size, size_t blockSize) {
  filter.StartFile(fileType, Tables());
  std::vector<uint8_t> block(bytes, bytes + size);
  filter.DetectFirstBlock(block.data(), block.size());
  std::string text;
  size_t at = 0;
  size_t next = blockSize + 3;
  do {
    const size_t n = size - at < next ? size - at : next;
    block.assign(bytes + at, bytes + at + n);
    at += n;
    text += filter.FilterBlock(block.data(), block.size(), at == size);
    next = blockSize;
  } while (at < size);
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  if (size < 1 || size - 1 > PlainTextFilter::kBlockSize) return 0;
  static const int kTypes[] = {kFileTypeHtml, kFileTypeXml, kFileTypeSgml};
  const int fileType = kTypes[data[0] % 3];
  const size_t blockSize = 1 + data[0] / 3 % 16;
  static MarkupFilter whole, cut;
  const std::string once = Filter(whole, fileType, data + 1, size - 1, PlainTextFilter::kBlockSize);
  const std::string pieces = Filter(cut, fileType, data + 1, size - 1, blockSize);
  if (pieces != once) __builtin_trap();
  if (whole.Encoding() != cut.Encoding() || whole.DeclaredEncoding() != cut.DeclaredEncoding()) __builtin_trap();
  return 0;
}
