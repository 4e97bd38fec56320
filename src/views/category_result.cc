#include "views/category_result.h"

#include "engine/engine.h"
#include "semantic/category_statistics.h"
#include "semantic/diagnosis_list.h"
#include "semantic/result_lines.h"
#include "semantic/word_category_list.h"
#include "views/result_list.h"

namespace malvex {

int StatisticsIndexOfLine(int group, int position) {
  if (position <= 0) return 0;
  switch (group) {
    case 2: return kStatVerbSubclass + position - 1;
    case 3: return kStatConnectorSubclass + position - 1;
    case 4: return kStatModalitySubclass + position - 1;
    case 5: return kStatAdjectiveSubclass + position - 1;
    case 6: return kStatPerson + position - 1;
    default: return 0;
  }
}

std::vector<CategoryRow> CategoryRows(Engine& engine, DiagnosisList& diagnosis, bool significantOnly) {
  CollectedLines lines;
  ListWordCategories(diagnosis, engine, lines, significantOnly);
  std::vector<CategoryRow> rows;
  const CategoryStatistics& statistics = engine.statistics();
  for (size_t k = 0; k < lines.lines.size(); ++k) {
    CategoryRow row;
    row.text = lines.lines[k];
    row.group = diagnosis.LineKind(static_cast<int>(k));
    row.position = diagnosis.LinePosition(static_cast<int>(k));
    row.index = StatisticsIndexOfLine(row.group, row.position);
    if (row.index > 0) {
      row.count = statistics.Counter(row.index);
      row.percentage = statistics.Percentage(row.index);
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

bool FillCategoryList(const std::vector<CategoryRow>& rows, ResultList& list) {
  for (const CategoryRow& row : rows)
    if (!list.AddWithItem(row.text, -row.index)) return false;
  return true;
}

}  // namespace malvex
