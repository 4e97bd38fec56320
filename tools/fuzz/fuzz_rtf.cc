// Feeds arbitrary bytes to the RTF filter (the first byte chooses the size
// of the blocks). The file is filtered twice, as one block and cut into
// small blocks: control words, groups, "\'hh" characters and "\binN" data
// may run across blocks, so both readings must give the same text and end
// at the same group depth. Text is never longer than twice the file (a
// "\par" gives two blanks).
#include <cstdint>
#include <string>

#include "foundations/language_tables.h"
#include "reading/rtf_filter.h"

namespace {

const malvex::LanguageTables& Tables() {
  static const malvex::LanguageTables tables = malvex::DefaultLanguageTables();
  return tables;
}

std::string Filter(malvex::RtfFilter& filter, const uint8_t* bytes, size_t size, size_t blockSize) {
  filter.StartFile(Tables());
  std::string text;
  for (size_t at = 0; at < size; at += blockSize) {
    const size_t n = size - at < blockSize ? size - at : blockSize;
    const std::string_view block = filter.FilterBlock(bytes + at, n);
    if (block.size() > 2 * n + 16) __builtin_trap();
    text += block;
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  if (size < 1 || size - 1 > 65536) return 0;
  const size_t blockSize = 1 + data[0] % 16;
  static RtfFilter whole, cut;
  const std::string once = Filter(whole, data + 1, size - 1, 65536);
  const std::string pieces = Filter(cut, data + 1, size - 1, blockSize);
  if (pieces != once || whole.Depth() != cut.Depth() || whole.Charset() != cut.Charset()) __builtin_trap();
  if (once.size() > 2 * (size - 1)) __builtin_trap();
  return 0;
}
