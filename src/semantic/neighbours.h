// Neighbours of the selection: the classes found just before and just after
// the words of a chosen word or word category, which the star graph shows
// around a selection that is not a class.
#pragma once

#include <cstdint>

#include "foundations/category.h"

namespace malvex {

class AnalysisContext;

// Two occurrences at this distance (in word positions) or more are no
// neighbours.
inline constexpr int32_t kNeighbourDistance = 99;

// What the neighbours are computed for: a word of the text view (every
// token with its lemma number and word class), or else a word-category
// criterion (matched with matchesCriterion), which counts only when its
// class is not 0.
struct NeighbourSelection {
  bool word = false;
  uint32_t lemma = 0;
  uint8_t category = 0;
  WordCategory criterion;
};

// Fills the predecessor and successor lists of `context`: for each
// occurrence of the selection, the nearest principal referent before it in
// the same proposition and the first one after it, each counted by its
// class at the relation level when it lies fewer than 99 positions away.
// Each list holds at most 5999 classes (the lowest numbers first), sorted
// by count, largest first. The word stream's cursor is kept (bookmark 4).
// False, with both lists empty, when there is no selection or the
// counters cannot be allocated.
bool NeighboursOfSelection(AnalysisContext& context, const NeighbourSelection& selection);

}  // namespace malvex
