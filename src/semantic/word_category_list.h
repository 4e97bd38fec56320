// The word-category list: for each verb, connector, modality, adjective and
// pronoun type, its share of its group and its count, under one header
// line per group; and what selecting one of its lines colours.
#pragma once

#include "semantic/style_diagnosis.h"

namespace malvex {

class CategoryStatistics;
class DiagnosisList;
class SemanticEnvironment;
class Messages;
class ResultLines;
struct LanguageTables;

// Empties `list`'s lines and appends the word-category lines to `lines`: per
// group a header "* Verbs :" and one line per category, label TAB
// percentage (width 5, one decimal) "%" TAB "(" TAB count TAB ")". With
// `significantOnly`, a category line is kept only when its percentage
// reaches its norm and its count is above 2. A line counts only when the
// result list accepted it; a refused line ends the list.
void ListWordCategories(DiagnosisList& list, const CategoryStatistics& statistics, const LanguageTables& tables,
                        Messages& messages, ResultLines& lines, bool significantOnly);
// The same on the engine's last run.
void ListWordCategories(DiagnosisList& list, SemanticEnvironment& engine, ResultLines& lines, bool significantOnly);

enum class CategoryLineAction {
  kIgnored,          // disabled list, or no such line
  kPlainColoration,  // back to the plain syntactic colours
  kColoration,       // colour the criterion, show the explanation
};

struct CategoryLineSelection {
  CategoryLineAction action = CategoryLineAction::kIgnored;
  // The criterion: the line's group and position (0 = the whole group).
  CriteriaSlot slot;
  int explanation = 0;
};

// Selecting line k (0-based) of the word-category list: k > 78 gives plain
// coloration; a disabled list or a line beyond those listed is ignored;
// otherwise the line's criterion and explanation. Stores k as selected
// unless ignored.
CategoryLineSelection SelectCategoryLine(DiagnosisList& list, int k);

// The colour-table index of line k's group; 0 when k > 78.
int LineGroupOf(const DiagnosisList& list, int k);

}  // namespace malvex
