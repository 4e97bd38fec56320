#include "semantic/bundles.h"

#include <algorithm>
#include <memory>
#include <new>

#include "platform/fatal.h"
#include "semantic/analysis_context.h"
#include "semantic/bundle_scan.h"
#include "semantic/category_statistics.h"
#include "semantic/characteristic_parts.h"
#include "semantic/episodes.h"
#include "semantic/semantic_environment.h"

namespace malvex {
namespace {

// Fewest bundles that make episodes.
constexpr size_t kBundlesForEpisodes = 4;
// Fewest words for which characteristic parts are looked for.
constexpr int32_t kWordsForParts = 21;

// A zeroed table of `n` counters; exhausted memory ends the process.
std::unique_ptr<uint32_t[]> Counters(size_t n) {
  std::unique_ptr<uint32_t[]> counters(new (std::nothrow) uint32_t[n]());
  if (!counters) FatalExit(1);
  return counters;
}

// The classes of `level` that a table indexed by class can hold: those of
// the run, within 1..highest.
uint32_t ClassesUpTo(const SemanticDictionary& dictionary, int level, uint32_t highest) {
  return std::min(dictionary.CurrentNumberOfClasses(level), highest);
}

}  // namespace

void FindBundlesAndEpisodes(WordStream& stream, const BundleScanInput& input, ChronologyTables& tables) {
  tables.episodes.clear();
  ScanBundles(stream, input, tables);
  SortBundlesByMean(tables.bundles);
  // The average of the sizes, whatever the number of bundles: a table of one
  // to three bundles must not report their sum as their average.
  if (!tables.bundles.empty()) tables.averageBundleSize /= static_cast<double>(tables.bundles.size());
  if (tables.bundles.size() >= kBundlesForEpisodes) CutEpisodes(stream, tables);
}

bool ComputeBundlesAndEpisodes(AnalysisContext& context, SemanticEnvironment& engine) {
  const int level = context.relationLevel();
  const SemanticDictionary& dictionary = engine.semanticDictionary();
  const CategoryStatistics& statistics = engine.statistics();

  // Every item's frequency in the text: the class counts of the level, and
  // the category counters for the category items.
  std::unique_ptr<uint32_t[]> frequencies = Counters(kItemSlots);
  const uint32_t classes = ClassesUpTo(dictionary, level, static_cast<uint32_t>(kHighestItem));
  for (uint32_t c = 1; c <= classes; ++c) frequencies[c + kItemOffset] = dictionary.ClassCount(level, static_cast<int32_t>(c));
  for (int i = 1; i <= -kLowestItem; ++i) frequencies[static_cast<size_t>(kItemOffset - i)] = statistics.Counter(i);

  BundleScanInput input;
  input.level = level;
  input.frequencies = frequencies.get();
  FindBundlesAndEpisodes(engine.stream(), input, context.chronology());
  return true;
}

bool ComputeCharacteristicParts(AnalysisContext& context, SemanticEnvironment& engine) {
  ChronologyTables& tables = context.chronology();
  tables.characteristicParts.clear();
  tables.selectedParts = 0;
  tables.scoreThreshold = 0;
  const SemanticDictionary& dictionary = engine.semanticDictionary();
  WordStream& stream = engine.stream();
  if (!dictionary.Ok() || stream.HighestPosition() < kWordsForParts) return true;

  const int level = context.relationLevel();
  std::unique_ptr<uint32_t[]> classCounts = Counters(kLastScoredClass + 1);
  const uint32_t classes = ClassesUpTo(dictionary, level, static_cast<uint32_t>(kLastScoredClass));
  for (uint32_t c = 1; c <= classes; ++c) classCounts[c] = dictionary.ClassCount(level, static_cast<int32_t>(c));

  CharacteristicInput input;
  input.level = level;
  input.classCounts = classCounts.get();
  for (int p = 1; p <= 7; ++p) input.personCounts[p] = engine.statistics().Counter(kStatPerson + p - 1);
  input.quantity = engine.record().remarkablePropositions();
  FindCharacteristicParts(stream, input, tables);
  return true;
}

}  // namespace malvex
