#include "semantic/neighbours.h"

#include <cstdlib>
#include <memory>
#include <new>
#include <vector>

#include "dictionaries/quicksort.h"
#include "semantic/analysis_context.h"
#include "semantic/semantic_environment.h"

namespace malvex {

namespace {

// Counters for classes 1..65535, indexed by class.
constexpr uint32_t kCounters = 65536;

void FillList(const uint32_t* counts, std::vector<Neighbour>& list) {
  list.clear();
  for (uint32_t c = 1; c < kCounters && list.size() < static_cast<size_t>(kMaxNeighbours); ++c) {
    if (counts[c] > 0) list.push_back(Neighbour{counts[c], static_cast<int32_t>(c)});
  }
  if (list.size() > 1)
    QuickSort(list.data(), list.size(), [](const Neighbour& a, const Neighbour& b) { return a.count > b.count; });
}

}  // namespace

bool NeighboursOfSelection(AnalysisContext& context, const NeighbourSelection& selection) {
  context.predecessors().clear();
  context.successors().clear();
  if (!selection.word && selection.criterion.category == 0) return false;
  std::unique_ptr<uint32_t[]> before(new (std::nothrow) uint32_t[kCounters]());
  std::unique_ptr<uint32_t[]> after(new (std::nothrow) uint32_t[kCounters]());
  if (!before || !after) return false;

  const int level = context.relationLevel();
  WordStream& stream = context.environment().stream();
  stream.SaveBookmark(4);
  stream.Rewind();
  int32_t selected = 0;  // position of the last occurrence of the selection
  int32_t pending = 0;   // the last principal referent's class, and its position
  int32_t pendingAt = 0;
  bool afterSelection = false;
  WordInfo info;
  WordNode* node = nullptr;
  int32_t position = 0;
  while (const char* text = stream.NextWithNode(info, node, position)) {
    if (text[0] == '/') {
      afterSelection = false;
      pending = 0;
      selected = 0;
      continue;
    }
    const bool matches = selection.word
                             ? node->lemma == selection.lemma && info.category.category == selection.category
                             : matchesCriterion(info.category, selection.criterion);
    if (matches) {
      selected = position;
      if (pending > 0 && std::abs(selected - pendingAt) < kNeighbourDistance &&
          static_cast<uint32_t>(pending) < kCounters)
        ++before[pending];
      pending = 0;
      afterSelection = true;
    } else if (isSubstantive(info.category) && info.referent == 1) {
      pending = static_cast<int32_t>(info.classPath[level - 1]);
      pendingAt = position;
      if (afterSelection) {
        if (pending > 0 && std::abs(selected - pendingAt) < kNeighbourDistance &&
            static_cast<uint32_t>(pending) < kCounters)
          ++after[pending];
        afterSelection = false;
        pending = 0;
      }
    }
  }
  stream.RestoreBookmark(4);

  FillList(before.get(), context.predecessors());
  FillList(after.get(), context.successors());
  return true;
}

}  // namespace malvex
