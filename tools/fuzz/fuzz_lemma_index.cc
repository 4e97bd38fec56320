// Feeds arbitrary bytes to the lemma index loader and asks it for lemmas.
#include <cstdint>
#include <string_view>

#include "dictionaries/lemma_index.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  Messages& messages = fuzz::FuzzMessages();
  try {
    LemmaIndex index(29, 7, &messages, nullptr);
    index.LoadImage(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.vv8");
    for (const char* w : {"merge", "mananc", "a", ""}) {
      uint32_t n = index.LemmaNumberOfForm(w);
      (void)index.LemmaText(n);
      (void)index.LemmaOfForm(w);
    }
  } catch (const fuzz::Refused&) {
  }
  return 0;
}
