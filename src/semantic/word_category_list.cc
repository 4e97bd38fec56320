#include "semantic/word_category_list.h"

#include <cstdio>
#include <string>

#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "semantic/category_pattern.h"
#include "semantic/category_statistics.h"
#include "semantic/diagnosis_list.h"
#include "semantic/result_lines.h"
#include "semantic/semantic_environment.h"

namespace malvex {
namespace {

struct Group {
  int kind;              // line kind: word class + 1
  int header;            // message of the group name
  int headerExplanation;
  int first;             // statistics indexes first..last
  int last;
  int firstExplanation;  // explanation of the line of `first`
};

constexpr Group kGroups[] = {
    {2, 845, 856, 4, 7, 237},     // verbs
    {3, 846, 858, 21, 29, 861},   // connectors
    {4, 847, 859, 33, 39, 870},   // modalities
    {5, 848, 860, 62, 64, 244},   // adjectives
    {6, 849, 857, 70, 76, 466},   // pronouns
};

}  // namespace

void ListWordCategories(DiagnosisList& list, const CategoryStatistics& statistics, const LanguageTables& tables,
                        Messages& messages, ResultLines& lines, bool significantOnly) {
  list.ClearLines();
  for (const Group& g : kGroups) {
    std::string header = "* ";
    header += messages.message(g.header);
    header += " :";
    if (!lines.AppendLine(header)) return;
    list.AddLine(g.kind, 0, g.headerExplanation);
    for (int i = g.first; i <= g.last; ++i) {
      const double pct = statistics.Percentage(i);
      const uint32_t count = statistics.Counter(i);
      if (significantOnly && !(pct >= tables.normOf(i) && count > 2)) continue;
      char figures[64];
      std::snprintf(figures, sizeof figures, "\t%5.1f%%\t(\t%u\t)", pct, count);
      std::string line = messages.message(kStatisticsFirstMessage + i);
      line += figures;
      if (!lines.AppendLine(line)) return;
      list.AddLine(g.kind, i - g.first + 1, g.firstExplanation + (i - g.first));
    }
  }
}

void ListWordCategories(DiagnosisList& list, SemanticEnvironment& engine, ResultLines& lines, bool significantOnly) {
  ListWordCategories(list, engine.statistics(), engine.tables(), engine.messages(), lines, significantOnly);
}

CategoryLineSelection SelectCategoryLine(DiagnosisList& list, int k) {
  CategoryLineSelection selection;
  if (k > DiagnosisList::kMaxLines) {
    selection.action = CategoryLineAction::kPlainColoration;
    return selection;
  }
  // A line never listed holds no criterion and no explanation.
  if (!list.Enabled() || k < 0 || k >= list.Count()) return selection;
  list.SetSelected(k);
  selection.action = CategoryLineAction::kColoration;
  selection.slot.group = static_cast<uint16_t>(list.LineKind(k));
  selection.slot.position = static_cast<uint16_t>(list.LinePosition(k));
  selection.explanation = list.LineExplanation(k);
  return selection;
}

int LineGroupOf(const DiagnosisList& list, int k) {
  if (k > DiagnosisList::kMaxLines) return 0;
  return ColourOfGroup(list.LineKind(k));
}

}  // namespace malvex
