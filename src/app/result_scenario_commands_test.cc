#include "app/result_scenario_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "foundations/category.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_store.h"
#include "settings/folders.h"
#include "settings/settings_record.h"
#include "test_support.h"

namespace malvex {
namespace {

using Action = ScenarioRoute::Action;

// A dictionary that knows a few class names and counts its questions.
struct FakeClasses {
  std::map<std::string, int> levels;
  mutable int asked = 0;
  ClassLevelLookup lookup() const {
    return [this](const std::string& text) {
      ++asked;
      auto it = levels.find(text);
      return it == levels.end() ? 0 : it->second;
    };
  }
};

struct RouteCase {
  ResultKind kind;
  bool insert;
  std::string text;
  Action action;
  int level;
  char letter;
  bool subclassify;
  bool dictionaryAsked;
};

TEST(ResultScenarioRouteTest, EachKindGoesWhereItsRuleSays) {
  FakeClasses classes;
  classes.levels = {{"a merge", 2}, {"arte", 2}, {"familie", 1}, {"stiinta", 3}};
  const RouteCase cases[] = {
      // Lemma lists keep their letter even when the text is a class name.
      {ResultKind::kVerbs, false, "a merge", Action::kAddAsNewGroup, 0, 'V', false, false},
      {ResultKind::kVerbs, true, "a merge", Action::kInsertInGroup, 0, 'V', false, false},
      {ResultKind::kAdjectives, false, "frumos", Action::kAddAsNewGroup, 0, 'A', false, false},
      {ResultKind::kSubstantives, true, "casa", Action::kInsertInGroup, 0, 'S', false, false},
      // Level 2 and 3 lists keep their level without asking.
      {ResultKind::kReferenceFields2, false, "familie", Action::kAddWithGroup, 2, '?', false, false},
      {ResultKind::kReferenceFields1, true, "arte", Action::kInsertIntoSelection, 3, '?', false, false},
      // References: the dictionary's level of the name decides.
      {ResultKind::kReferences, false, "familie", Action::kAddWithGroup, 1, '?', false, true},
      {ResultKind::kReferences, false, "arte", Action::kAddWithGroup, 2, '?', false, true},
      {ResultKind::kReferences, true, "necunoscut", Action::kInsertInGroup, 0, '?', true, true},
      // No function chosen yet: a word, unless the dictionary knows it.
      {ResultKind::kNone, false, "arte", Action::kAddWithGroup, 2, '?', false, true},
      {ResultKind::kNone, false, "zorbulac", Action::kAddAsNewGroup, 0, '?', false, true},
      {ResultKind::kNone, true, "stiinta", Action::kInsertIntoSelection, 3, '?', false, true},
      {ResultKind::kNone, true, "zorbulac", Action::kInsertInGroup, 0, '?', true, true},
      // Kinds that are not scenario material route nowhere.
      {ResultKind::kScenario, false, "arte", Action::kNothing, 0, '?', false, false},
      {ResultKind::kRelations, false, "arte", Action::kNothing, 0, '?', false, false},
      {ResultKind::kEpisode, true, "arte", Action::kNothing, 0, '?', false, false},
      {ResultKind::kTextStyle, false, "arte", Action::kNothing, 0, '?', false, false},
      {ResultKind::kCategories, false, "arte", Action::kNothing, 0, '?', false, false},
      // Nothing chosen in the list: nothing to add.
      {ResultKind::kVerbs, false, "", Action::kNothing, 0, '?', false, false},
  };
  for (const RouteCase& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.kind)) + (c.insert ? " insert " : " add ") + c.text);
    classes.asked = 0;
    const ScenarioRoute route = RouteResultToScenario(c.kind, c.insert, c.text, classes.lookup());
    EXPECT_EQ(route.action, c.action);
    EXPECT_EQ(route.level, c.level);
    EXPECT_EQ(route.letter, c.letter);
    EXPECT_EQ(route.subclassify, c.subclassify);
    EXPECT_EQ(classes.asked > 0, c.dictionaryAsked);
  }
}

TEST(ResultScenarioPopupTest, ItemsFollowTheKindAndTheEditor) {
  struct Case {
    ResultKind kind;
    bool editorOpen;
    bool itemSelected;
    ResultPopupItems expected;
  };
  //                                    sort  branch show  open   add    insert
  const Case cases[] = {
      {ResultKind::kScenario, true, true, {true, true, true, false, false, false}},
      {ResultKind::kScenario, false, true, {true, true, false, true, false, false}},
      {ResultKind::kReferences, true, true, {false, false, false, false, true, true}},
      {ResultKind::kReferences, true, false, {false, false, false, false, false, false}},
      {ResultKind::kReferences, false, true, {false, false, false, true, false, false}},
      {ResultKind::kVerbs, true, true, {false, false, false, false, true, true}},
      {ResultKind::kSubstantives, true, true, {false, false, false, false, true, true}},
      {ResultKind::kNone, true, true, {false, false, false, false, true, true}},
      {ResultKind::kRelations, true, true, {false, false, false, false, false, false}},
      {ResultKind::kEpisode, true, true, {false, false, false, false, false, false}},
      {ResultKind::kCategories, true, true, {false, false, false, false, false, false}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.kind)) + (c.editorOpen ? " open" : " closed") +
                 (c.itemSelected ? " item" : " no item"));
    const ResultPopupItems items = ResultPopupFor(c.kind, c.editorOpen, c.itemSelected);
    EXPECT_EQ(items.sortItems, c.expected.sortItems);
    EXPECT_EQ(items.branchItems, c.expected.branchItems);
    EXPECT_EQ(items.showInScenario, c.expected.showInScenario);
    EXPECT_EQ(items.openScenario, c.expected.openScenario);
    EXPECT_EQ(items.add, c.expected.add);
    EXPECT_EQ(items.insert, c.expected.insert);
  }
}

TEST(ResultScenarioShowTest, OnlyClassesLemmasAndGroupsHaveALabel) {
  EXPECT_EQ(ScenarioLabelForResult(ResultKind::kReferences, "arte", "G"), "arte");
  EXPECT_EQ(ScenarioLabelForResult(ResultKind::kVerbs, "merge", "G"), "merge");
  EXPECT_EQ(ScenarioLabelForResult(ResultKind::kScenario, "  Fructe", "Fructe"), "Fructe");
  // Double click on an Episode or a Relations item does nothing.
  EXPECT_EQ(ScenarioLabelForResult(ResultKind::kEpisode, "Ion pleaca.", "G"), "");
  EXPECT_EQ(ScenarioLabelForResult(ResultKind::kRelations, "arte / stiinta", "G"), "");
  EXPECT_EQ(ScenarioLabelForResult(ResultKind::kTextStyle, "x", "G"), "");
}

TEST(ResultScenarioShowTest, ItemTextDropsColumnsAndIndentation) {
  EXPECT_EQ(ResultItemText("arte\t12\t(3%)"), "arte");
  EXPECT_EQ(ResultItemText("    Sub grup\t4"), "Sub grup");
  EXPECT_EQ(ResultItemText("merge"), "merge");
  EXPECT_EQ(ResultItemText(std::string(100, 'a') + "\t1"), std::string(79, 'a'));
}

TEST(TextWordPendingTest, CategoryDecidesTheFormAndTheLetter) {
  struct Case {
    uint8_t category;
    const char* verb;
    const char* adjective;
    bool allCategories;
    std::string text;
    char letter;
    bool unused;
  };
  const Case cases[] = {
      {kClassVerb, "merge", nullptr, false, "merge", 'V', false},
      {kClassVerb, nullptr, nullptr, false, "mergea", 'V', false},  // no lemma: the form itself
      {kClassAdjective, nullptr, "frumos", false, "frumos", 'A', false},
      {kClassSubstantive, "x", "y", false, "mergea", '?', false},
      {kClassUnclassified, nullptr, nullptr, false, "mergea", '?', false},
      {kClassConnector, nullptr, nullptr, false, "mergea", '?', true},
      {kClassConnector, nullptr, nullptr, true, "mergea", '?', false},
      {kClassPronoun, nullptr, nullptr, false, "mergea", '?', true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.category));
    const TextWordPending p = PendingForTextWord("mergea", c.category, c.verb, c.adjective, c.allCategories);
    EXPECT_EQ(p.text, c.text);
    EXPECT_EQ(p.letter, c.letter);
    EXPECT_EQ(p.unusedCategory, c.unused);
  }
}

// The routes run on a real editor over an empty scenario.
class ResultScenarioEditorTest : public ::testing::Test {
 protected:
  ResultScenarioEditorTest()
      : messages_(box_),
        store_(messages_),
        current_(store_, nullptr, record_, folders_),
        editor_(store_, current_, nullptr, record_, folders_, messages_, nullptr) {
    std::filesystem::create_directories(dir_.path() / "Scenario");
    folders_.scenario = (dir_.path() / "Scenario").string();
    record_.setConfirmDeletions(false);
    record_.setScenarioWordsInCapitals(false);
    record_.setUnaccentedScenarioForms(false);
    box_.SetDefaultAnswer(kButton1);
  }
  std::string Dump() const {
    std::string out;
    for (const ScenarioNode* n : editor_.DisplayOrder())
      out += std::string(2 * n->Level(), ' ') + n->text + (n->IsGroup() ? "/" : "") + "\n";
    return out;
  }

  testing::TempDir dir_;
  ScriptedBox box_;
  Messages messages_;
  SettingsRecord record_;
  Folders folders_;
  ScenarioStore store_;
  CurrentScenario current_;
  ScenarioEditor editor_;
};

TEST_F(ResultScenarioEditorTest, AddPutsLemmasClassesAndWordsInTheirGroups) {
  FakeClasses classes;
  classes.levels = {{"merge", 2}, {"arte", 2}};
  const auto add = [&](ResultKind kind, const std::string& text) {
    return ApplyScenarioRoute(editor_, RouteResultToScenario(kind, false, text, classes.lookup()), text);
  };
  ASSERT_TRUE(add(ResultKind::kVerbs, "merge"));
  ASSERT_TRUE(add(ResultKind::kReferences, "arte"));
  ASSERT_TRUE(add(ResultKind::kNone, "zorbulac"));
  EXPECT_FALSE(add(ResultKind::kEpisode, "arte"));
  EXPECT_EQ(Dump(), "arte/\n  arte (2)\nmerge/\n  merge (V)\nzorbulac/\n  zorbulac\n");
}

TEST_F(ResultScenarioEditorTest, ShowSelectsTheLabelThenThePrefix) {
  FakeClasses classes;
  ASSERT_TRUE(ApplyScenarioRoute(editor_, RouteResultToScenario(ResultKind::kNone, false, "pomi", classes.lookup()),
                                 "pomi"));
  ASSERT_TRUE(ApplyScenarioRoute(
      editor_, RouteResultToScenario(ResultKind::kNone, false, "fructe_de_padure", classes.lookup()),
      "fructe_de_padure"));
  editor_.Select(nullptr);
  ScenarioNode* node = LocateInScenario(editor_, "POMI");
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->text, "pomi");
  EXPECT_TRUE(node->IsGroup());
  EXPECT_EQ(editor_.selected(), node);
  node = LocateInScenario(editor_, "fructe");
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->text.substr(0, 6), "fructe");
  EXPECT_EQ(LocateInScenario(editor_, "xyz"), nullptr);
  EXPECT_EQ(LocateInScenario(editor_, ""), nullptr);
}

}  // namespace
}  // namespace malvex
