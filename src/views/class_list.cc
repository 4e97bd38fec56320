#include "views/class_list.h"

#include "dictionaries/semantic_dictionary.h"
#include "views/result_list.h"

namespace malvex {

ClassShare ShareOfClass(uint32_t frequency, uint32_t actant, const ClassListOptions& options) {
  if (options.actant && options.acted) return ClassShare{true, -1};
  const int actantShare =
      frequency == 0 ? 0 : static_cast<int>(static_cast<uint64_t>(actant) * 100 / frequency);
  const int share = options.actant ? actantShare : 100 - actantShare;
  if (share < 50) return ClassShare{false, share};
  return ClassShare{true, share};
}

std::string ClassLine(const ClassRow& row) {
  std::string line = row.name;
  line += '\t';
  line += FrequencyField(row.frequency);
  if (row.share >= 0) {
    line += "\t(";
    line += std::to_string(row.share);
    line += "%)";
  }
  return line;
}

std::vector<ClassRow> ClassRows(const SemanticDictionary& dictionary, int level, const ActantCounter& actantOf,
                                const ClassListOptions& options) {
  std::vector<ClassRow> rows;
  const uint32_t ranked = dictionary.NumberOfRankedClasses(level);
  for (uint32_t rank = 1; rank <= ranked; ++rank) {
    const int32_t cls = dictionary.RankedClass(level, rank);
    if (cls <= 0) continue;
    const uint32_t frequency = dictionary.ClassCount(level, cls);
    if (frequency < options.minimalFrequency) break;
    const uint32_t actant = actantOf ? actantOf(cls) : 0;
    const ClassShare share = ShareOfClass(frequency, actant, options);
    if (!share.listed) continue;
    ClassRow row;
    row.cls = cls;
    row.name = dictionary.ClassName(level, cls);
    row.frequency = frequency;
    row.actant = actant;
    row.share = share.share;
    rows.push_back(std::move(row));
  }
  return rows;
}

bool FillClassList(const std::vector<ClassRow>& rows, ResultList& list) {
  for (const ClassRow& row : rows)
    if (!list.AddWithItem(ClassLine(row), row.cls)) return false;
  return true;
}

}  // namespace malvex
