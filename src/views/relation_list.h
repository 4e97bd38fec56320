// The Relations result: the distinct relations (ordered pairs of classes
// found in one proposition) of the relation level seen more than once, most
// frequent first, each written "first > second", a tab and the frequency on
// 4 digits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace malvex {

class RelationStore;
class ResultList;
class SemanticDictionary;

struct RelationRow {
  int32_t first = 0;   // class numbers at the level
  int32_t second = 0;
  std::string firstName;   // code page 1250
  std::string secondName;
  uint32_t frequency = 0;    // propositions holding the pair
  uint32_t firstCount = 0;   // occurrences of each class in the text
  uint32_t secondCount = 0;
  // Frequency over the smaller of the two class counts, x 100.
  double rate = 0;
};

// The line of `row`: "first > second", tab, frequency on 4 digits.
std::string RelationLine(const RelationRow& row);

// The item number a relation line carries: the first class in the high 32
// bits, the second in the low ones.
int64_t RelationItem(int32_t first, int32_t second);

// The ranked relations of `level` (1..4) whose frequency is above 1 and
// whose two ends have a class, in the order of the level's ranking. Moves
// the store's ranked reader of that level.
std::vector<RelationRow> RelationRows(RelationStore& store, const SemanticDictionary& dictionary, int level);

// Appends the lines of `rows` to `list`, until the list refuses one; false
// then.
bool FillRelationList(const std::vector<RelationRow>& rows, ResultList& list);

}  // namespace malvex
