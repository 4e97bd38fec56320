// The word-category results ("Frequent word categories", "All word
// categories"): the lines of the word-category list with the statistics
// behind each.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace malvex {

class DiagnosisList;
class Engine;
class ResultList;

struct CategoryRow {
  std::string text;      // the line as listed, code page 1250
  int group = 0;         // 2 verbs, 3 connectors, 4 modalities, 5 adjectives, 6 pronouns
  int position = 0;      // 1-based place in the group, 0 on the group's header line
  int index = 0;         // statistics index of a category line, 0 on a header
  uint32_t count = 0;    // the category's counter
  double percentage = 0; // its percentage within its group
};

// The statistics index of the category at `position` (1-based) of `group`;
// 0 for a header (position 0) or an unknown group.
int StatisticsIndexOfLine(int group, int position);

// Lists the word categories of the engine's last run (only the significant
// ones with `significantOnly`); the lines' groups land in `diagnosis`.
std::vector<CategoryRow> CategoryRows(Engine& engine, DiagnosisList& diagnosis, bool significantOnly);

// Appends the rows (item number: minus the statistics index, 0 on a header)
// until the list refuses one; false then.
bool FillCategoryList(const std::vector<CategoryRow>& rows, ResultList& list);

}  // namespace malvex
