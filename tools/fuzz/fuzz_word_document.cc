// Feeds arbitrary bytes to the Word document reader's parsing: the first
// two bytes say where the "WordDocument" stream ends and the table stream
// begins; the file information block, piece table, text conversion and
// summary information are read from them in every layout.
#include <cstdint>
#include <string>
#include <string_view>

#include "reading/ms_word_document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  if (size < 3) return 0;
  const std::string_view all(reinterpret_cast<const char*>(data) + 2, size - 2);
  const size_t split = static_cast<size_t>(data[0] | data[1] << 8) % (all.size() + 1);
  const std::string_view document = all.substr(0, split);
  const std::string_view table = all.substr(split);
  for (int version : {0, 2, 6, 8}) {
    WordFileInformation fib;
    if (!ReadWordFileInformation(document, version, fib)) continue;
    bool wide = false;
    const std::string text = ReadWordText(fib, version, document, version == 8 ? table : document, wide);
    if (text.size() > 2 * document.size()) __builtin_trap();
    (void)ConvertWordRun(text, wide, fib.farEast ? fib.farEastLanguageId : fib.languageId, nullptr);
  }
  TSMWordSummaryInformation info;
  (void)ReadWordSummaryInformation(all, info);
  (void)ConvertWordRun(all, true, static_cast<uint16_t>(data[0] | data[1] << 8), nullptr);
  return 0;
}
