// Feeds arbitrary bytes to the OWL import as an ontology, with the options
// taken from the first byte, and checks what it writes: every entry fits
// the scenario file (fields of at most 79 characters, groups at depth 0..8
// with their items one level deeper, no TAB or line break in a field), the
// counters agree with each other and with the entries, and the scenario
// saved and read back gives the same entries.
#include <cstdint>
#include <string>
#include <string_view>

#include "foundations/language_tables.h"
#include "fuzz_support.h"
#include "scenarios/owl_import.h"
#include "scenarios/scenario_store.h"

namespace {

bool FieldOk(const std::string& field) {
  if (field.size() > malvex::kScenarioFieldLength) return false;
  for (char c : field)
    if (c == '\t' || c == '\r' || c == '\n' || c == '\0') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  if (size == 0) return 0;
  static const LanguageTables tables = DefaultLanguageTables();
  static const std::string output = fuzz::ScratchPath("owl.scn");
  Messages& messages = fuzz::FuzzMessages();
  OwlImportOptions options;
  const uint8_t selector = data[0];
  options.flexedForms = (selector & 1) != 0;
  options.unaccentedSetting = (selector & 2) != 0;
  options.convertUnicode = (selector & 4) == 0;
  options.discardOtherLanguages = (selector & 8) == 0;
  options.ignoreRestrictions = (selector & 16) == 0;
  options.verboseLog = (selector & 32) != 0;
  options.dumpInput = (selector & 64) != 0;
  try {
    ScenarioStore store(messages);
    const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
    const OwlImportResult r = ConvertOwl(bytes, options, tables, store);
    if (r.status != OwlImportStatus::kDone) {
      if (r.status != OwlImportStatus::kMalformed || store.count() != 0 || r.where.empty()) __builtin_trap();
      return 0;
    }
    const OwlImportCounters& k = r.counters;
    if (k.synonyms > k.labels || r.groups > k.classes || r.groups != [&] {
          int64_t groups = 0;
          for (const ScenarioEntry& e : store.entries()) groups += e.IsGroup() ? 1 : 0;
          return groups;
        }())
      __builtin_trap();
    if (static_cast<int64_t>(store.count()) != r.groups + r.items) __builtin_trap();
    int groupDepth = -1;
    for (const ScenarioEntry& e : store.entries()) {
      if (!FieldOk(e.name) || !FieldOk(e.value) || e.name.empty()) __builtin_trap();
      if (e.IsGroup()) {
        // A group is at most one level below the group before it.
        if (e.Depth() > kOwlMaxDepth || e.Depth() > groupDepth + 1) __builtin_trap();
        groupDepth = e.Depth();
      } else if (groupDepth < 0 || e.Depth() != groupDepth + 1) {
        __builtin_trap();
      }
    }
    if (r.log.find("*** Processing ended successfully") == std::string::npos) __builtin_trap();
    if (!store.Save(output)) return 0;
    ScenarioStore loaded(messages);
    if (!loaded.Load(output)) __builtin_trap();
    if (loaded.count() != store.count()) __builtin_trap();
    for (uint32_t i = 0; i < store.count(); ++i) {
      const ScenarioEntry& a = store.entries()[i];
      const ScenarioEntry& b = loaded.entries()[i];
      if (a.code != b.code || a.name != b.name || a.value != b.value) __builtin_trap();
    }
  } catch (const fuzz::Refused&) {
  }
  return 0;
}
