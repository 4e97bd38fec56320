#include "views/scenario_list.h"

#include <algorithm>
#include <cstdint>

#include "dictionaries/semantic_dictionary.h"
#include "views/result_list.h"
#include "scenarios/scenario_layer.h"

namespace malvex {

namespace {

// The actant occurrences of `group` and of its sub-groups: a group's count
// takes in those of its sub-groups, so its actant share must too.
uint32_t SubtreeActant(const ScenarioLayer& layer, const ActantCounter& actantOf, int32_t group) {
  if (!actantOf) return 0;
  uint64_t total = actantOf(group);
  const int depth = layer.Depth(group);
  const int32_t groups = static_cast<int32_t>(layer.GroupCount());
  for (int32_t g = group + 1; g <= groups && layer.Depth(g) > depth; ++g) total += actantOf(g);
  return total > UINT32_MAX ? UINT32_MAX : static_cast<uint32_t>(total);
}

// Adds the row of `group` when its count and share allow it.
void AddGroup(const SemanticDictionary& dictionary, const ScenarioLayer& layer, const ActantCounter& actantOf,
              const ClassListOptions& options, int32_t group, std::vector<ClassRow>& rows) {
  const uint32_t frequency = dictionary.ClassCount(kScenarioLevel, group);
  const uint32_t actant = std::min(SubtreeActant(layer, actantOf, group), frequency);
  const ClassShare share = ShareOfClass(frequency, actant, options);
  if (!share.listed) return;
  ClassRow row;
  row.cls = group;
  row.name = dictionary.ClassName(kScenarioLevel, group);
  row.frequency = frequency;
  row.actant = actant;
  row.share = share.share;
  row.depth = layer.Depth(group);
  rows.push_back(std::move(row));
}

}  // namespace

std::vector<ClassRow> ScenarioRows(const SemanticDictionary& dictionary, const ScenarioLayer& layer,
                                   const ActantCounter& actantOf, const ClassListOptions& options) {
  std::vector<ClassRow> rows;
  const uint32_t ranked = dictionary.NumberOfRankedClasses(kScenarioLevel);
  const int32_t groups = static_cast<int32_t>(layer.GroupCount());
  for (uint32_t rank = 1; rank <= ranked; ++rank) {
    const int32_t top = dictionary.RankedClass(kScenarioLevel, rank);
    if (top <= 0) continue;
    if (dictionary.ClassCount(kScenarioLevel, top) < options.minimalFrequency) break;
    AddGroup(dictionary, layer, actantOf, options, top, rows);
    // The groups after it that are deeper belong to its subtree.
    const int depth = layer.Depth(top);
    for (int32_t g = top + 1; g <= groups && layer.Depth(g) > depth; ++g) {
      if (!layer.GroupIsActive(g)) continue;
      if (dictionary.ClassCount(kScenarioLevel, g) < options.minimalFrequency ||
          dictionary.ClassCount(kScenarioLevel, g) == 0)
        continue;
      AddGroup(dictionary, layer, actantOf, options, g, rows);
    }
  }
  return rows;
}

void SortScenarioRowsAlphabetically(std::vector<ClassRow>& rows) {
  if (rows.empty()) return;
  // Blocks: a row at the first row's depth and the deeper rows after it.
  const int top = rows.front().depth;
  std::vector<std::vector<ClassRow>> blocks;
  for (ClassRow& row : rows) {
    if (blocks.empty() || row.depth <= top) blocks.emplace_back();
    blocks.back().push_back(std::move(row));
  }
  std::stable_sort(blocks.begin(), blocks.end(), [](const std::vector<ClassRow>& a, const std::vector<ClassRow>& b) {
    return AlphabeticalLess(a.front().name, b.front().name);
  });
  rows.clear();
  for (std::vector<ClassRow>& block : blocks)
    for (ClassRow& row : block) rows.push_back(std::move(row));
}

void HideScenarioBranches(std::vector<ClassRow>& rows) {
  if (rows.empty()) return;
  const int top = std::min_element(rows.begin(), rows.end(), [](const ClassRow& a, const ClassRow& b) {
                    return a.depth < b.depth;
                  })->depth;
  std::erase_if(rows, [top](const ClassRow& row) { return row.depth > top; });
}

std::string ScenarioLine(const ClassRow& row) {
  ClassRow indented = row;
  indented.name = std::string(static_cast<size_t>(row.depth) * 2, ' ') + row.name;
  return ClassLine(indented);
}

}  // namespace malvex
