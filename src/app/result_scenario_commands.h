// What the main window's result commands do with the scenario editor: the
// items of the result list's pop-up, where Add and Insert put the chosen
// result item (which level, which letter, which editor operation), and
// which label "Show in the scenario" looks for. No widgets: the window asks
// these functions and calls the editor with what they answer.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "views/result_function_table.h"

namespace malvex {

class ScenarioEditor;
class SemanticDictionary;
struct ScenarioNode;

// The items of the result list's pop-up that show.
struct ResultPopupItems {
  bool sortItems = false;        // alphabetical, by frequency
  bool branchItems = false;      // hide branches, expand all
  bool showInScenario = false;   // locate the item in the editor
  bool openScenario = false;     // open the scenario editor
  bool add = false;
  bool insert = false;
};

// `kind` is the chosen function's kind (kNone before any choice).
ResultPopupItems ResultPopupFor(ResultKind kind, bool editorOpen, bool itemSelected);

// The text a result line stands for: the line up to its first tab (the
// frequency and share columns follow it), without the indentation of
// sub-groups, cut at 79 characters.
std::string ResultItemText(std::string_view line);

// How a result item goes into the scenario.
struct ScenarioRoute {
  enum class Action {
    kNothing,           // the kind cannot go into the scenario
    kAddAsNewGroup,     // ScenarioEditor::AddAsNewGroup(text, letter)
    kInsertInGroup,     // ScenarioEditor::InsertInGroup(text, letter, subclassify)
    kAddWithGroup,      // SetPending(text, level, '?') + AddWithGroup()
    kInsertIntoSelection,  // SetPending(text, level, '?') + InsertIntoSelection()
  };
  Action action = Action::kNothing;
  int level = 0;       // 1..3 for a class, 0 for a word or a lemma
  char letter = '?';   // 'V', 'A', 'S' for lemmas, '?' otherwise
  bool subclassify = false;
};

// The level (1..3) at which the semantic dictionary knows `text` as a class
// name; 0 when it does not.
using ClassLevelLookup = std::function<int(const std::string& text)>;

// Add (`insert` false) or Insert (`insert` true) of the result item `text`
// chosen in a list of `kind`. Verbs, adjectives and substantives go in as
// lemmas of their letter whatever the dictionary says of their text; the
// class levels give their level (References 1, Reference fields 2 level 2,
// Reference fields 1 level 3), and at levels 0 and 1 the dictionary's
// level of the name decides (0, a plain word, when it has none). With no
// function chosen the item is taken at level 0. Other kinds route nowhere.
ScenarioRoute RouteResultToScenario(ResultKind kind, bool insert, const std::string& text,
                                    const ClassLevelLookup& classLevelOf);

// Runs `route` on `editor` for `text`; false when the route is kNothing or
// the editor added nothing.
bool ApplyScenarioRoute(ScenarioEditor& editor, const ScenarioRoute& route, const std::string& text);

// The class level of `text` in `dictionary` (folded as the dictionary's
// index is): 1, 2 or 3, or 0.
int ClassLevelOfName(SemanticDictionary& dictionary, const std::string& text);

// The label "Show in the scenario" looks for: the item text for the class
// levels and lemma lists, the Scenario group's name (`groupName`) for the
// Scenario kind, empty (nothing to show) for every other kind.
std::string ScenarioLabelForResult(ResultKind kind, const std::string& itemText, const std::string& groupName);

// Selects in `editor` the node labelled `label` (ignoring case) or, when
// none is, the first node in display order whose text begins with it.
// Null when neither exists or `label` is empty.
ScenarioNode* LocateInScenario(ScenarioEditor& editor, const std::string& label);

// What a word of the text puts into the scenario (dragged onto the tree, or
// the text pop-up's Add and Insert).
struct TextWordPending {
  std::string text;
  char letter = '?';
  // A word of another category than substantive, verb, adjective or
  // unknown, while the scenario is not used on all word categories: it is
  // added, but the analysis will not classify it (message 558 says so).
  bool unusedCategory = false;
};
// `word` of class `category` (foundations/category.h); `verbLemma` and
// `adjectiveLemma` are the lemma texts the lemma indexes give for it (null
// or empty when none). A verb becomes its lemma with 'V', an adjective its
// lemma with 'A' (the word itself when the index has no lemma), any other
// word stays as it is.
TextWordPending PendingForTextWord(std::string_view word, uint8_t category, const char* verbLemma,
                                   const char* adjectiveLemma, bool scenarioOnAllCategories);
// Message shown after a word the analysis will not classify was added.
inline constexpr int kUnusedCategoryWordMessage = 558;

}  // namespace malvex
