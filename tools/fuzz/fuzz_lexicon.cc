// Feeds arbitrary bytes to the lexicon loader and looks a few forms up in
// whatever it accepted.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "dictionaries/lexicon.h"
#include "foundations/language_tables.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  Messages& messages = fuzz::FuzzMessages();
  LanguageTables tables = DefaultLanguageTables();
  try {
    Lexicon lexicon(messages, tables);
    if (lexicon.LoadImage(std::string_view(reinterpret_cast<const char*>(data), size)) ==
        LexiconLoadStatus::kOk) {
      for (const char* w : {"a", "mare", "casa", "vorbe\xBAte", "zzz"}) {
        char form[80];
        std::strcpy(form, w);
        for (int d = 0; d < 3; ++d) lexicon.Lookup(d, form, std::strlen(form));
      }
    }
  } catch (const fuzz::Refused&) {
  }
  return 0;
}
