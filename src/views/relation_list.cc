#include "views/relation_list.h"

#include <algorithm>

#include "dictionaries/semantic_dictionary.h"
#include "semantic/relation_store.h"
#include "views/result_list.h"

namespace malvex {

std::string RelationLine(const RelationRow& row) {
  return row.firstName + " > " + row.secondName + '\t' + FrequencyField(row.frequency);
}

int64_t RelationItem(int32_t first, int32_t second) {
  return static_cast<int64_t>((static_cast<uint64_t>(static_cast<uint32_t>(first)) << 32) |
                              static_cast<uint32_t>(second));
}

std::vector<RelationRow> RelationRows(RelationStore& store, const SemanticDictionary& dictionary, int level) {
  std::vector<RelationRow> rows;
  if (level < 1 || level > kClassLevels) return rows;
  store.RewindRanked(level);
  RelationView view;
  while (store.NextRanked(level, view)) {
    if (view.frequency <= 1) continue;
    const int32_t first = view.items[0].at(level);
    const int32_t second = view.items[1].at(level);
    if (first <= 0 || second <= 0) continue;
    RelationRow row;
    row.first = first;
    row.second = second;
    row.firstName = dictionary.ClassName(level, first);
    row.secondName = dictionary.ClassName(level, second);
    row.frequency = view.frequency;
    row.firstCount = dictionary.ClassCount(level, first);
    row.secondCount = dictionary.ClassCount(level, second);
    const uint32_t smaller = std::min(row.firstCount, row.secondCount);
    row.rate = smaller == 0 ? 0.0 : static_cast<double>(row.frequency) / smaller * 100.0;
    rows.push_back(std::move(row));
  }
  return rows;
}

bool FillRelationList(const std::vector<RelationRow>& rows, ResultList& list) {
  for (const RelationRow& row : rows)
    if (!list.AddWithItem(RelationLine(row), RelationItem(row.first, row.second))) return false;
  return true;
}

}  // namespace malvex
