#include "app/word_search_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_tree.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

// The main window as the dialog sees it: what it was told to show.
class RecordingHost : public WordSearchHost {
 public:
  bool TextAnalysed() override { return analysed; }
  bool AnalysisRunning() override { return running; }
  void ShowHit(int32_t position) override { hits.push_back(position); }
  void ShowMessageLine(const std::string& text) override { messageLine = text; }
  void Beep() override { ++beeps; }
  ScenarioEditor* Editor() override { return editorOpen ? editor : nullptr; }
  void OpenEditor() override {
    ++opened;
    editorOpen = true;
  }
  void EditorChanged() override { ++changes; }
  void ShowGroupInResults(int32_t group) override { shownGroups.push_back(group); }

  bool analysed = false;
  bool running = false;
  bool editorOpen = false;
  ScenarioEditor* editor = nullptr;
  std::vector<int32_t> hits;
  std::string messageLine;
  int beeps = 0;
  int opened = 0;
  int changes = 0;
  std::vector<int32_t> shownGroups;
};

const char kText[] = "Zorbulac zorbulac. Robot merge la om. Om vorbe\xBAte de mare. Robot merge la mare.";

class WordSearchModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
    engine->record().setConfirmDeletions(false);
    engine->record().setScenarioWordsInCapitals(false);
    engine->record().setUnaccentedScenarioForms(false);
    std::filesystem::create_directories(dir.path() / "Scenario");
    editor = std::make_unique<ScenarioEditor>(engine->scenarioStore(), engine->currentScenario(), nullptr,
                                              engine->record(), engine->folders(), engine->messages(), nullptr);
    host.editor = editor.get();
    search = std::make_unique<TextSearch>(engine->stream());
    model = std::make_unique<WordSearchModel>(*engine, *search, host);
  }
  void TearDown() override {
    model.reset();
    editor.reset();
    engine->StopEngine();
  }
  void Analyse() {
    ASSERT_TRUE(testing::WriteFile(dir.File("a.txt"), kText));
    engine->files().Add(dir.File("a.txt"));
    ASSERT_TRUE(engine->RunAnalysis(1));
    search->Restart();
    host.analysed = true;
  }
  std::vector<std::string> CheckedItems() const {
    std::vector<std::string> out;
    for (const CriteriaLine& l : model->lines()) {
      if (l.checked) out.push_back(l.item);
    }
    return out;
  }
  int LineOf(const std::string& item, int kind) const {
    const auto& lines = model->lines();
    for (size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].item == item && lines[i].kind == kind) return static_cast<int>(i) + 1;
    }
    return 0;
  }
  std::string Dump() const {
    std::string out;
    for (const ScenarioNode* n : editor->DisplayOrder())
      out += std::string(2 * n->Level(), ' ') + n->text + (n->IsGroup() ? "/" : "") + "\n";
    return out;
  }

  testing::TempDir dir;
  testing::QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
  std::unique_ptr<ScenarioEditor> editor;
  std::unique_ptr<TextSearch> search;
  RecordingHost host;
  std::unique_ptr<WordSearchModel> model;
};

TEST_F(WordSearchModelTest, APickedMeaningComesBackCheckedAndCheckingAnotherUnchecksIt) {
  model->EditUnMotChange("mare");
  EXPECT_EQ(CheckedItems(), std::vector<std::string>{"ap\xE3"});
  EXPECT_EQ(model->checkedLine(), LineOf("ap\xE3", 1));
  const int size = LineOf("m\xE3rime", 1);
  ASSERT_GT(size, 0);
  model->ListBoxSensClickCheck(size, true);
  EXPECT_EQ(CheckedItems(), std::vector<std::string>{"m\xE3rime"});
  EXPECT_EQ(model->checkedLine(), size);
  EXPECT_FALSE(model->itself());  // a click selects "A semantic class"

  // Typed again: the picked meaning is listed first and checked.
  model->EditUnMotChange("");
  EXPECT_TRUE(model->lines().empty());
  model->EditUnMotChange("mare");
  EXPECT_EQ(CheckedItems(), std::vector<std::string>{"m\xE3rime"});
  EXPECT_EQ(model->checkedLine(), 2);
  EXPECT_EQ(LineOf("m\xE3rime", 1), 2);
  // Checking the other meaning unchecks it.
  model->ListBoxSensClickCheck(LineOf("ap\xE3", 1), true);
  EXPECT_EQ(CheckedItems(), std::vector<std::string>{"ap\xE3"});
  // A disabled line takes no check.
  model->EditUnMotChange("de la");
  model->ListBoxSensClickCheck(1, true);
  EXPECT_TRUE(CheckedItems().empty());
}

TEST_F(WordSearchModelTest, SearchingItselfFindsEachOccurrenceThenReportsAndStartsAgain) {
  model->EditUnMotChange("robot");
  EXPECT_FALSE(model->searchEnabled());
  EXPECT_FALSE(model->ButtonChercherClick());  // no text analysed yet
  EXPECT_TRUE(host.hits.empty());
  Analyse();
  EXPECT_TRUE(model->searchEnabled());
  ASSERT_TRUE(model->ButtonChercherClick());
  EXPECT_FALSE(model->fromTop());
  ASSERT_TRUE(model->ButtonChercherClick());
  ASSERT_EQ(host.hits.size(), 2u);
  EXPECT_LT(host.hits[0], host.hits[1]);
  EXPECT_EQ(host.beeps, 0);
  EXPECT_FALSE(model->ButtonChercherClick());
  EXPECT_EQ(host.messageLine, "I can't find (anymore) \"robot\" in this text.");
  EXPECT_EQ(host.beeps, 1);
  EXPECT_TRUE(model->fromTop());
  ASSERT_TRUE(model->ButtonChercherClick());
  EXPECT_EQ(host.hits.back(), host.hits[0]);
  EXPECT_EQ(model->searchSubject(), "robot");
  EXPECT_EQ(model->boxHistory(), std::vector<std::string>{"robot"});

  // Part of a word only when "Whole word only" is off.
  model->EditUnMotChange("rob");
  EXPECT_FALSE(model->ButtonChercherClick());
  model->SetWholeWord(false);
  EXPECT_TRUE(model->ButtonChercherClick());
  EXPECT_EQ(model->boxHistory(), (std::vector<std::string>{"rob", "robot"}));

  // While an analysis runs nothing is searched.
  host.running = true;
  const size_t before = host.hits.size();
  EXPECT_FALSE(model->ButtonChercherClick());
  EXPECT_EQ(host.hits.size(), before);
}

TEST_F(WordSearchModelTest, SearchingTheCheckedMeaningFindsItsClassOrItsVerb) {
  Analyse();
  struct Case {
    const char* typed;
    const char* item;
    int kind;
    size_t occurrences;
  } cases[] = {
      {"robot", "ma\xBAin\xE3", 1, 2},
      {"robot", "tehnic\xE3", 2, 2},
      {"robot", "obiect", 3, 2},
      {"merge", "merge", 0, 2},
      {"vorbe\xBAte", "vorbi", 0, 1},
      // A word no dictionary classes: its line searches the word.
      {"Zorbulac", "zorbulac", 1, 2},
  };
  for (const Case& c : cases) {
    model->EditUnMotChange(c.typed);
    const int line = LineOf(c.item, c.kind);
    ASSERT_GT(line, 0) << c.typed;
    model->ListBoxSensClickCheck(line, true);
    host.hits.clear();
    host.beeps = 0;
    while (model->ButtonChercherClick() && host.hits.size() < 10) {
    }
    EXPECT_EQ(host.hits.size(), c.occurrences) << c.typed;
    EXPECT_EQ(host.beeps, 1) << c.typed;
  }
  // Nothing checked: reported as not found.
  model->EditUnMotChange("de la");
  model->SetItself(false);
  host.beeps = 0;
  EXPECT_FALSE(model->ButtonChercherClick());
  EXPECT_EQ(host.beeps, 1);
}

TEST_F(WordSearchModelTest, InsertWithTheEditorClosedOpensItAndInsertsNothing) {
  model->EditUnMotChange("zorbulac");
  EXPECT_FALSE(model->ButtonInsererClick());
  EXPECT_EQ(host.opened, 1);
  EXPECT_TRUE(editor->tree().empty());
  EXPECT_TRUE(model->ButtonInsererClick());
  EXPECT_EQ(Dump(), "zorbulac/\n  zorbulac\n");
}

TEST_F(WordSearchModelTest, AVerbLineInsertedInAddModeGoesIntoAGroupNamedAfterItsLemma) {
  host.editorOpen = true;
  model->SetAddMode(true);
  model->EditUnMotChange("vorbe\xBAte");
  model->ListBoxSensClickCheck(LineOf("vorbi", 0), true);
  ASSERT_TRUE(model->ButtonInsererClick());
  EXPECT_EQ(Dump(), "vorbi/\n  vorbi (V)\n");
  EXPECT_TRUE(engine->record().scenarioAddMode());
  // An adjective gets its lemma and the letter A.
  model->EditUnMotChange("frumoas\xE3");
  model->ListBoxSensClickCheck(1, true);
  ASSERT_TRUE(model->ButtonInsererClick());
  EXPECT_EQ(Dump(), "frumos/\n  frumos (A)\nvorbi/\n  vorbi (V)\n");
}

TEST_F(WordSearchModelTest, ClassesAreAddedOrInsertedWithTheirLevel) {
  host.editorOpen = true;
  model->SetAddMode(true);
  model->EditUnMotChange("robot");
  model->ListBoxSensClickCheck(LineOf("tehnic\xE3", 2), true);
  ASSERT_TRUE(model->ButtonInsererClick());
  EXPECT_EQ(Dump(), "tehnic\xE3/\n  tehnic\xE3 (2)\n");
  // Insert mode with Subclassify: a sub-group named after the class in the
  // selected group.
  model->SetAddMode(false);
  model->SetSubclassify(true);
  model->EditUnMotChange("om");
  model->ListBoxSensClickCheck(LineOf("persoan\xE3", 1), true);
  ASSERT_TRUE(model->ButtonInsererClick());
  EXPECT_EQ(Dump(), "tehnic\xE3/\n  tehnic\xE3 (2)\n  persoan\xE3/\n    persoan\xE3 (*)\n");
  EXPECT_FALSE(engine->record().scenarioAddMode());
}

// Sub-classify puts a sub-group and its item below the selected group: at
// the deepest levels the item goes into the selected group itself, as the
// word insertion does.
TEST_F(WordSearchModelTest, SubclassifyingAClassNeverNestsBelowTheDeepestLevel) {
  host.editorOpen = true;
  ScenarioTree& tree = editor->mutableTree();
  ScenarioNode* group = nullptr;
  for (int level = 0; level <= 8; ++level) group = tree.AddGroup(group, "g" + std::to_string(level), true, 0);
  ASSERT_EQ(group->Level(), 8);
  editor->Select(group);
  model->SetAddMode(false);
  model->SetSubclassify(true);
  model->EditUnMotChange("robot");
  model->ListBoxSensClickCheck(LineOf("ma\xBAin\xE3", 1), true);
  ASSERT_TRUE(model->ButtonInsererClick());
  int deepest = 0;
  for (const ScenarioNode* n : editor->DisplayOrder()) deepest = std::max(deepest, n->Level());
  EXPECT_LE(deepest, kScenarioMaxNodeLevel);
  ASSERT_EQ(group->children.size(), 1u);
  EXPECT_EQ(group->children[0]->text, "ma\xBAin\xE3 (*)");

  // One level higher the sub-group still fits with its item.
  editor->Select(group->parent);
  model->EditUnMotChange("om");
  model->ListBoxSensClickCheck(LineOf("persoan\xE3", 1), true);
  ASSERT_TRUE(model->ButtonInsererClick());
  EXPECT_NE(Dump().find(std::string(16, ' ') + "persoan\xE3/\n" + std::string(18, ' ') + "persoan\xE3 (*)\n"),
            std::string::npos)
      << Dump();
}

TEST_F(WordSearchModelTest, InsertOnlyBeepsWithoutACheckedLineOrOnAScenarioGroupLine) {
  host.editorOpen = true;
  model->EditUnMotChange("de la");
  model->SetItself(false);
  EXPECT_FALSE(model->ButtonInsererClick());
  EXPECT_EQ(host.beeps, 1);
  EXPECT_TRUE(editor->tree().empty());
}

TEST_F(WordSearchModelTest, ADroppedResultFillsTheBoxOnlyAfterAnAnalysis) {
  EXPECT_FALSE(model->DropText("robot"));
  EXPECT_TRUE(model->text().empty());
  Analyse();
  ASSERT_TRUE(model->DropText(std::string(90, 'z')));
  EXPECT_EQ(model->text().size(), WordSearchModel::kWordBoxChars);
  ASSERT_TRUE(model->DropText("robot"));
  EXPECT_EQ(model->text(), "robot");
  EXPECT_EQ(model->checkedLine(), 1);
}

}  // namespace
}  // namespace malvex
