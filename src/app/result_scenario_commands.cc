#include "app/result_scenario_commands.h"

#include <vector>

#include "dictionaries/semantic_dictionary.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "scenarios/scenario_editor.h"

namespace malvex {

namespace {

bool IsClassKind(ResultKind kind) {
  return kind == ResultKind::kReferences || kind == ResultKind::kReferenceFields1 ||
         kind == ResultKind::kReferenceFields2;
}

char LemmaLetter(ResultKind kind) {
  switch (kind) {
    case ResultKind::kVerbs:
      return 'V';
    case ResultKind::kAdjectives:
      return 'A';
    case ResultKind::kSubstantives:
      return 'S';
    default:
      return 0;
  }
}

}  // namespace

ResultPopupItems ResultPopupFor(ResultKind kind, bool editorOpen, bool itemSelected) {
  ResultPopupItems items;
  const bool scenario = kind == ResultKind::kScenario;
  items.sortItems = scenario;
  items.branchItems = scenario;
  items.showInScenario = scenario && editorOpen;
  items.openScenario = !editorOpen;
  const bool insertable = kind == ResultKind::kNone || IsClassKind(kind) || LemmaLetter(kind) != 0;
  items.add = editorOpen && itemSelected && insertable;
  items.insert = items.add;
  return items;
}

std::string ResultItemText(std::string_view line) {
  const size_t tab = line.find('\t');
  std::string_view text = line.substr(0, tab);
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.size() > kScenarioLabelLength) text = text.substr(0, kScenarioLabelLength);
  return std::string(text);
}

ScenarioRoute RouteResultToScenario(ResultKind kind, bool insert, const std::string& text,
                                    const ClassLevelLookup& classLevelOf) {
  using Action = ScenarioRoute::Action;
  ScenarioRoute route;
  if (text.empty()) return route;
  if (const char letter = LemmaLetter(kind); letter != 0) {
    route.action = insert ? Action::kInsertInGroup : Action::kAddAsNewGroup;
    route.letter = letter;
    route.subclassify = false;
    return route;
  }
  int level = 0;
  if (kind == ResultKind::kReferences) {
    level = 1;
  } else if (kind == ResultKind::kReferenceFields2) {
    level = 2;
  } else if (kind == ResultKind::kReferenceFields1) {
    level = 3;
  } else if (kind != ResultKind::kNone) {
    return route;
  }
  // A word or a level-1 class: the dictionary tells what the name is.
  if (level <= 1) level = classLevelOf ? classLevelOf(text) : 0;
  if (level < 0 || level > 3) level = 0;
  route.level = level;
  if (level > 0) {
    route.action = insert ? Action::kInsertIntoSelection : Action::kAddWithGroup;
  } else {
    route.action = insert ? Action::kInsertInGroup : Action::kAddAsNewGroup;
    route.subclassify = insert;
  }
  return route;
}

bool ApplyScenarioRoute(ScenarioEditor& editor, const ScenarioRoute& route, const std::string& text) {
  using Action = ScenarioRoute::Action;
  switch (route.action) {
    case Action::kNothing:
      return false;
    case Action::kAddAsNewGroup:
      return editor.AddAsNewGroup(text, route.letter);
    case Action::kInsertInGroup:
      return editor.InsertInGroup(text, route.letter, route.subclassify);
    case Action::kAddWithGroup:
      editor.SetPending(text, route.level, '?');
      return editor.AddWithGroup();
    case Action::kInsertIntoSelection:
      editor.SetPending(text, route.level, '?');
      return editor.InsertIntoSelection();
  }
  return false;
}

int ClassLevelOfName(SemanticDictionary& dictionary, const std::string& text) {
  std::string folded = text;
  FoldToLower(folded);
  int level = 0;
  int32_t cls = 0;
  if (!dictionary.FindClassByName(folded.c_str(), level, cls)) return 0;
  return level >= 1 && level <= 3 ? level : 0;
}

std::string ScenarioLabelForResult(ResultKind kind, const std::string& itemText, const std::string& groupName) {
  if (kind == ResultKind::kScenario) return groupName;
  if (IsClassKind(kind) || LemmaLetter(kind) != 0) return itemText;
  return std::string();
}

ScenarioNode* LocateInScenario(ScenarioEditor& editor, const std::string& label) {
  if (label.empty()) return nullptr;
  if (ScenarioNode* node = editor.SelectByLabel(label, false)) return node;
  std::string folded = label;
  FoldToLower(folded);
  size_t position = 0;
  return editor.SearchByPrefix(folded, position, false);
}

TextWordPending PendingForTextWord(std::string_view word, uint8_t category, const char* verbLemma,
                                   const char* adjectiveLemma, bool scenarioOnAllCategories) {
  TextWordPending pending;
  pending.text.assign(word.substr(0, kScenarioLabelLength));
  const auto lemma = [&](const char* text, char letter) {
    if (text != nullptr && *text != 0) pending.text.assign(std::string_view(text).substr(0, kScenarioLabelLength));
    pending.letter = letter;
  };
  switch (category) {
    case kClassVerb:
      lemma(verbLemma, 'V');
      break;
    case kClassAdjective:
      lemma(adjectiveLemma, 'A');
      break;
    case kClassSubstantive:
    case kClassUnclassified:
    case kClassUndetermined:
      break;
    default:
      pending.unusedCategory = !scenarioOnAllCategories;
      break;
  }
  return pending;
}

}  // namespace malvex
