// The words a word-category result item stands for, and its colour. A
// category item carries minus its statistics index; its pattern is matched
// against the words with matchesCriterion, and its colour group (the
// pattern's word class + 1) picks its colour in the colour table.
#pragma once

#include "reading/word_stream.h"

namespace malvex {

// The pattern of statistics index `index`: a WordInfo whose bytes are all
// zero except the category's class, subcategory and tensePerson. Indexes
// that count no word class (and those outside 0..77) give all zero.
WordInfo PatternOfStatisticsIndex(int index);

// The colour-table index of colour group `group` (a pattern's word class + 1,
// or a word-category line kind): 1 -> 11, 2 -> 1, 3 -> 2, 4 -> 3, 5 -> 4,
// 6 -> 5, anything else -> 6.
int ColourOfGroup(int group);

// The colour-table index of category item -`index`.
int ColourOfStatisticsIndex(int index);

}  // namespace malvex
