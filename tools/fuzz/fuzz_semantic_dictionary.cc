// Feeds arbitrary bytes to the semantic dictionary loader and looks a few
// nouns up in whatever it accepted.
#include <cstdint>
#include <cstring>
#include <string_view>

#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/string_pool.h"
#include "foundations/language_tables.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  Messages& messages = fuzz::FuzzMessages();
  LanguageTables tables = DefaultLanguageTables();
  StringPool pool;
  try {
    SemanticDictionary dictionary(messages, tables, pool);
    if (dictionary.LoadImage(std::string_view(reinterpret_cast<const char*>(data), size)) ==
        SemanticLoadStatus::kOk) {
      for (const char* w : {"casa", "om", "$12", "12$", "porte-monnaie"}) {
        char form[80];
        std::strcpy(form, w);
        dictionary.FindReading(form, 0);
        std::strcpy(form, w);
        uint32_t level1 = 0;
        int32_t sense = 0;
        dictionary.LookUpNoun(form, level1, sense);
      }
    }
  } catch (const fuzz::Refused&) {
  }
  return 0;
}
