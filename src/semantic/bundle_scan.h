// Bundles: runs of occurrences of one item (a class at the relation level,
// or a verb, connector, modality or pronoun category) whose count stays
// statistically abnormal over the stretch of text it covers. One forward
// scan of the word stream finds them and leaves its marks on the tokens
// (bundle mark, mark A) for the episodes and the characteristic parts.
#pragma once

#include <cstddef>
#include <cstdint>

#include "reading/word_stream.h"
#include "semantic/analysis_context.h"

namespace malvex {

// Items run from -77 (category items are minus their statistics index) to
// 65535 (classes); per-item tables are indexed by item + kItemOffset.
inline constexpr int32_t kLowestItem = -77;
inline constexpr int32_t kHighestItem = 65535;
inline constexpr int32_t kItemOffset = 77;
inline constexpr size_t kItemSlots = kHighestItem + kItemOffset + 1;

// Bundle marks of a token.
inline constexpr uint8_t kBundleNone = 0;
inline constexpr uint8_t kBundleFirst = 1;
inline constexpr uint8_t kBundleInside = 2;
inline constexpr uint8_t kBundleLast = 3;

// The item of a token at relation level `level` (1..4), or 0 when it has
// none: a principal referent substantive gives its class at the level
// (when within 1..65535); a performative verb -7; a connector of subclass
// 1..3 or 5..10 its negated statistics index; a modality of subclass 1..6
// likewise; a personal or deixis pronoun of person 1, 2, 4, 5 or 7 minus
// its person's index.
int32_t BundleItem(const WordInfo& info, int level);

struct BundleScanInput {
  int level = 1;  // relation level 1..4
  // Total frequency of every item in the text, indexed by item + kItemOffset
  // (kItemSlots values).
  const uint32_t* frequencies = nullptr;
};

// Empties the bundle table of `tables` and its counters and scans every
// token of `stream` (its cursor is kept under bookmark 4 and put back),
// leaving the token marks and appending the bundles found, in the order
// they close; the average size holds the sum of their sizes. Unclassified
// tokens become substantives on the way. Nothing is scanned when the text
// has 100 words or fewer. False when the table filled up and the scan ended
// early (the bundles recorded so far stay).
bool ScanBundles(WordStream& stream, const BundleScanInput& input, ChronologyTables& tables);

// Orders the bundles by mean position, ascending.
void SortBundlesByMean(std::vector<BundleRecord>& bundles);

}  // namespace malvex
