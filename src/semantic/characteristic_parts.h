// The most characteristic parts of a text: every proposition with a verb
// and a participant (actant before the verb, acted after it) is scored from
// the bundles it holds and from how new its participant still is; the best
// are selected, and their tokens carry their score in mark A.
#pragma once

#include <cstdint>

namespace malvex {

class WordStream;
struct ChronologyTables;

// Classes that take part: 1..kLastScoredClass; persons are items
// kPersonItemBase + person.
inline constexpr int32_t kLastScoredClass = 19999;
inline constexpr int32_t kPersonItemBase = 20000;

struct CharacteristicInput {
  int level = 1;  // relation level 1..4
  // Occurrences of each class of the level in the text, indexed by class
  // (kLastScoredClass + 1 values; index 0 unused).
  const uint32_t* classCounts = nullptr;
  // Occurrences of each person pronoun, indexed by person 1..7 (index 0
  // unused).
  uint32_t personCounts[8] = {};
  // The setting "Quantity of characteristic parts of text" (kept within
  // 1..99 here).
  int quantity = 90;
};

// Fills the characteristic-parts list of `tables`: scores the propositions
// of `stream` (token marks of the bundle scan in place; the cursor is kept
// under bookmark 4 and put back), selects the best, sets the threshold and
// the selected count, and rewrites every token's mark A: the score of its
// proposition when that one is selected, else 0. With fewer than 11 listed
// propositions all are selected. A full list ends the scoring; what was
// listed stays.
void FindCharacteristicParts(WordStream& stream, const CharacteristicInput& input, ChronologyTables& tables);

}  // namespace malvex
