// Feeds arbitrary bytes to the scenario file loader and builds the
// Scenario layer of the mini edition's semantic dictionary from what it
// read, with the edition's verb and adjective lemma indexes; then asks the
// layer what the semantic pass asks (groups of words, nouns and classes),
// counts a few groups, propagates and ranks them. The groups must form a
// tree in store order: each group's parent is an earlier group one level
// up.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "dictionaries/lemma_index.h"
#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/string_pool.h"
#include "foundations/charset.h"
#include "foundations/language_tables.h"
#include "fuzz_support.h"
#include "platform/files.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"

namespace {

using namespace malvex;

struct Edition {
  Edition()
      : tables(DefaultLanguageTables()),
        dictionary(fuzz::FuzzMessages(), tables, pool),
        verbs(29, 7, &fuzz::FuzzMessages(), &pool),
        adjectives(29, 7, &fuzz::FuzzMessages(), &pool),
        store(fuzz::FuzzMessages()),
        layer(dictionary, store, &verbs, &adjectives, fuzz::FuzzMessages()) {
    const std::string base = fuzz::EditionBase();
    dictionary.Load(base);
    verbs.Load(ChangeExtension(base, kVerbLemmaExtension));
    adjectives.Load(ChangeExtension(base, kAdjectiveLemmaExtension));
    if (!dictionary.Ok() || !verbs.ok() || !adjectives.ok()) __builtin_trap();
    dictionary.SetLemmaIndexes(&verbs, &adjectives);
    dictionary.SetScenarioGroups(&layer);
  }
  LanguageTables tables;
  StringPool pool;
  SemanticDictionary dictionary;
  LemmaIndex verbs;
  LemmaIndex adjectives;
  ScenarioStore store;
  ScenarioLayer layer;
};

Edition& TheEdition() {
  static Edition* edition = new Edition;
  return *edition;
}

// Nouns, classes and lemmas of the mini edition (code page 1250).
constexpr const char* kWords[] = {"cas\xE3", "om", "oameni", "mare", "vorb\xE3", "\xFE\x61r\xE3", "robot",
                                  "pas", "zbor", "merge", "frumos", "loc", "persoan\xE3",
                                  "locuin\xFE\xE3"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string path = fuzz::ScratchPath("layer.scn");
  try {
    Edition& e = TheEdition();
    ScenarioLayer& layer = e.layer;
    e.store.Reset();
    e.dictionary.ResetRunCounts();
    if (!fuzz::WriteBytes(path, data, size)) return 0;
    if (!e.store.Load(path)) {
      layer.ResetLinks();
      return 0;
    }
    layer.Build(e.store.signatures().renumbering);
    const uint32_t groups = layer.GroupCount();
    if (groups > ScenarioLayer::kMaxGroups || groups > e.store.count()) __builtin_trap();
    for (int32_t g = 1; g <= static_cast<int32_t>(groups); ++g) {
      const int32_t parent = layer.Parent(g);
      if (parent < 0 || parent >= g || layer.Depth(g) > kScenarioMaxDepth) __builtin_trap();
      if (parent != 0 && layer.Depth(parent) != layer.Depth(g) - 1) __builtin_trap();
    }
    auto inRange = [groups](int32_t g) { return g >= 0 && g <= static_cast<int32_t>(groups); };
    for (const ScenarioEntry& entry : e.store.entries()) {
      if (entry.IsGroup()) continue;
      const int32_t g = layer.GroupOfWord(entry.name);
      if (!inRange(g)) __builtin_trap();
      if (g > 0) e.dictionary.CountScenarioGroup(g);
      char text[kTrieMaxKeyLength + 1];
      const size_t n = std::min(entry.name.size(), kTrieMaxKeyLength);
      std::memcpy(text, entry.name.data(), n);
      text[n] = '\0';
      FoldToLower(text, n);
      if (!inRange(layer.WordGroup(text))) __builtin_trap();
      (void)layer.ClassIsInScenario(1 + entry.code[1] % 3, text);
    }
    for (const char* w : kWords) {
      char text[32];
      std::strcpy(text, w);
      uint32_t level1 = 0;
      int32_t sense = 0;
      if (e.dictionary.LookUpNoun(text, level1, sense)) {
        const int32_t g = layer.GroupOfNoun(text, 0, e.dictionary.CurrentPath());
        if (!inRange(g)) __builtin_trap();
        if (g > 0) e.dictionary.CountScenarioGroup(g);
      }
      uint32_t lemma = 0;
      int32_t group = 0;
      if (layer.GroupOfNounLemma(w, lemma, group) && !inRange(group)) __builtin_trap();
      if (!inRange(layer.GroupOfWord(w))) __builtin_trap();
      for (int level = 1; level <= 3; ++level) {
        if (!inRange(layer.GroupOfClass(level, e.dictionary.ClassNumberOfName(level, w)))) __builtin_trap();
      }
      (void)layer.VerbHasGroup(e.verbs.LemmaNumberOfLemma(w));
      (void)layer.AdjectiveHasGroup(e.adjectives.LemmaNumberOfLemma(w));
    }
    layer.PropagateCounts();
    layer.RankGroups();
    for (int32_t g = 0; g <= static_cast<int32_t>(groups); ++g) {
      (void)layer.HasNoSubGroupAtDepth(g, layer.Depth(g) + 1, (g & 1) != 0);
      (void)layer.GroupCountOf(g);
    }
    (void)layer.ScenarioCounted();
  } catch (const fuzz::Refused&) {
  }
  return 0;
}
