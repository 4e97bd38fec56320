// The terminology window's model on hand-filled texts of the mini edition:
// the listed lines, a click's locating, the insertion into a scenario
// editor and the clipboard text.
#include "app/terminology_window_model.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/semantic_pass_test_fixture.h"
#include "scenarios/scenario_editor.h"

namespace malvex {
namespace {

using testing::kNoun;

// The main window as the model sees it: an editor that is open or not,
// and the calls it received.
class FakeHost : public TerminologyHost {
 public:
  ScenarioEditor* OpenEditor() override { return open ? editor : nullptr; }
  void ShowEditor() override { ++shown; }
  void EditorUpdating(bool updating) override { updates.push_back(updating); }
  void EditorChanged() override { ++changes; }
  void SetEditorSearchText(const std::string& text) override { searchText = text; }
  bool LocateInText(const std::string& word, bool fromLastHit) override {
    located.emplace_back(word, fromLastHit);
    return true;
  }
  ScenarioEditor* editor = nullptr;
  bool open = true;
  int shown = 0;
  int changes = 0;
  std::vector<bool> updates;
  std::string searchText;
  std::vector<std::pair<std::string, bool>> located;
};

class TerminologyWindowModelTest : public testing::SemanticPassTest {
 protected:
  void SetUp() override {
    ASSERT_NE(engine, nullptr);
    engine->record().setScenarioWordsInCapitals(false);
    engine->record().setUnaccentedScenarioForms(false);
    editor = std::make_unique<ScenarioEditor>(engine->scenarioStore(), engine->currentScenario(), nullptr,
                                              engine->record(), engine->folders(), engine->messages(), nullptr);
    editor->mutableTree().Clear();
    host.editor = editor.get();
  }

  // Each pair of nouns twice, one proposition each time: the compound
  // "first_second" under the head "first".
  void Compounds(const std::vector<std::pair<std::string, std::string>>& pairs) {
    for (int time = 0; time < 2; ++time) {
      for (const auto& [first, second] : pairs) {
        Add(first.c_str(), kNoun);
        Add(second.c_str(), kNoun);
        End();
      }
    }
    ASSERT_TRUE(Run());
  }

  std::unique_ptr<TerminologyWindowModel> Model(TerminologyWindowModel::Show show) {
    auto model = std::make_unique<TerminologyWindowModel>(*engine, host);
    model->setShow(show);
    model->setFilter(false);
    model->Run();
    return model;
  }

  // The tree, one node a line, two blanks of indentation per level.
  std::string Dump() const {
    std::string out;
    for (const ScenarioNode* n : editor->DisplayOrder())
      out += std::string(2 * n->Level(), ' ') + n->text + (n->IsGroup() ? "/" : "") + "\n";
    return out;
  }

  FakeHost host;
  std::unique_ptr<ScenarioEditor> editor;
};

TEST_F(TerminologyWindowModelTest, RunListsTheChosenLinesSortedAndSaysWhetherTheSampleIsSignificant) {
  Compounds({{"zeta", "eta"}, {"alfa", "beta"}});
  auto model = Model(TerminologyWindowModel::Show::kAll);
  EXPECT_EQ(model->lines(), (std::vector<std::string>{"alfa\talfa\t2", "alfa\talfa_beta\t2", "zeta\tzeta\t2",
                                                      "zeta\tzeta_eta\t2"}));
  EXPECT_EQ(model->status(), "You can add these elements in the Scenario, to customize the classification");
  EXPECT_EQ(model->Title(), "Terminology extraction (Malvex)");
  // The choice is the settings' from then on.
  EXPECT_TRUE(engine->record().terminologyShowCompounds());
  EXPECT_TRUE(engine->record().terminologyShowNonClassified());

  model->setShow(TerminologyWindowModel::Show::kCompounds);
  model->Run();
  EXPECT_EQ(model->lines(), (std::vector<std::string>{"alfa\talfa_beta\t2", "zeta\tzeta_eta\t2"}));
  EXPECT_EQ(model->status(), "Non significant sample");
  EXPECT_FALSE(engine->record().terminologyShowNonClassified());
  // A new model starts from the stored choice.
  EXPECT_EQ(TerminologyWindowModel(*engine, host).show(), TerminologyWindowModel::Show::kCompounds);

  EXPECT_EQ(model->CopyText(), "alfa\talfa_beta\t2\nzeta\tzeta_eta\t2\n");
  EXPECT_EQ(model->status(), "The results are copied in the clipboard");
}

TEST_F(TerminologyWindowModelTest, InsertingSelectedLinesPutsThemInTheGroupAndRemovesOnlyThem) {
  Compounds({{"alfa", "beta"}, {"gama", "delta"}, {"zeta", "eta"}, {"omega", "psi"}});
  auto model = Model(TerminologyWindowModel::Show::kCompounds);
  ASSERT_EQ(model->lines().size(), 4u);  // alfa, gama, omega, zeta
  ScenarioNode* group = editor->mutableTree().AddGroup(nullptr, "Termeni", true, 0);
  editor->Select(group);
  model->setSubclassify(false);

  EXPECT_EQ(model->Insert({3, 0, 1}), 3u);
  EXPECT_EQ(model->lines(), (std::vector<std::string>{"omega\tomega_psi\t2"}));
  EXPECT_EQ(Dump(), "Termeni/\n  alfa_beta\n  gama_delta\n  zeta_eta\n");
  EXPECT_EQ(host.updates, (std::vector<bool>{true, false}));
  EXPECT_TRUE(engine->record().scenarioNoSubclassify());
}

TEST_F(TerminologyWindowModelTest, InsertWithSubclassifyMakesASubGroupForEachLineInTheSameGroup) {
  Compounds({{"alfa", "beta"}, {"gama", "delta"}});
  auto model = Model(TerminologyWindowModel::Show::kCompounds);
  ScenarioNode* top = editor->mutableTree().AddGroup(nullptr, "Termeni", true, 0);
  // An item selected: its group takes the lines.
  editor->Select(editor->mutableTree().AddItem(top, "vechi", ScenarioIcon::kWord));
  model->setSubclassify(true);
  EXPECT_EQ(model->Insert({0, 1}), 2u);
  EXPECT_EQ(Dump(), "Termeni/\n  alfa beta/\n    alfa_beta\n  gama delta/\n    gama_delta\n  vechi\n");
}

TEST_F(TerminologyWindowModelTest, AddMakesANewGroupAndInsertWithoutASelectionAddsTheFirstLine) {
  Compounds({{"alfa", "beta"}, {"gama", "delta"}});
  // Add: each line a group of its own. Insert with nothing selected: the
  // first line is added, and the group it made takes the next.
  const std::pair<bool, const char*> cases[] = {
      {true, "alfa beta/\n  alfa_beta\ngama delta/\n  gama_delta\n"},
      {false, "alfa beta/\n  alfa_beta\n  gama delta/\n    gama_delta\n"},
  };
  for (const auto& [add, tree] : cases) {
    SCOPED_TRACE(add ? "add" : "insert");
    editor->mutableTree().Clear();
    editor->Select(nullptr);
    auto model = Model(TerminologyWindowModel::Show::kCompounds);
    model->setAddMode(add);
    EXPECT_EQ(model->Insert({0, 1}), 2u);
    EXPECT_TRUE(model->lines().empty());
    EXPECT_EQ(Dump(), tree);
  }
}

TEST_F(TerminologyWindowModelTest, AFailedInsertionEndsTheLoopAndOnlyTheInsertedLinesLeaveTheList) {
  // Sorted: "!a" (its item is "a_robot"), then "?!" whose item cleans to
  // nothing and cannot be inserted, then "zeta".
  Compounds({{"zeta", "eta"}, {"?!", "?!"}, {"!a", "robot"}});
  auto model = Model(TerminologyWindowModel::Show::kCompounds);
  ASSERT_EQ(model->lines(),
            (std::vector<std::string>{"!a\t!a_robot\t2", "?!\t?!_?!\t2", "zeta\tzeta_eta\t2"}));
  ScenarioNode* group = editor->mutableTree().AddGroup(nullptr, "Termeni", true, 0);
  editor->Select(group);
  model->setSubclassify(false);
  EXPECT_EQ(model->Insert({0, 1, 2}), 1u);
  EXPECT_EQ(model->lines(), (std::vector<std::string>{"?!\t?!_?!\t2", "zeta\tzeta_eta\t2"}));
  EXPECT_EQ(Dump(), "Termeni/\n  a_robot\n");
}

TEST_F(TerminologyWindowModelTest, InsertWithTheEditorClosedOpensItAndInsertsNothing) {
  Compounds({{"alfa", "beta"}});
  auto model = Model(TerminologyWindowModel::Show::kCompounds);
  host.open = false;
  EXPECT_EQ(model->Insert({0}), 0u);
  EXPECT_EQ(host.shown, 1);
  EXPECT_EQ(model->lines().size(), 1u);
}

TEST_F(TerminologyWindowModelTest, ClickLocatesTheHeadInTheTextFromTheLastHitOnTheSameLine) {
  Compounds({{"alfa", "beta"}, {"gama", "delta"}});
  auto model = Model(TerminologyWindowModel::Show::kCompounds);
  model->setLocalizeText(true);
  model->setSearchScenario(false);
  model->Click(0);
  EXPECT_EQ(model->status(), "alfa_beta");
  model->Click(0);
  model->Click(1);
  model->setLocalizeText(true);  // changing a box forgets the last line
  model->Click(1);
  model->Click(7);  // no such line
  const std::vector<std::pair<std::string, bool>> expected = {
      {"alfa", false}, {"alfa", true}, {"gama", false}, {"gama", false}};
  EXPECT_EQ(host.located, expected);
  model->setLocalizeText(false);
  model->Click(0);
  EXPECT_EQ(host.located.size(), expected.size());
}

TEST_F(TerminologyWindowModelTest, ClickSelectsTheGroupOfTheHeadOrTheFirstNodeItBegins) {
  Compounds({{"alfa", "beta"}, {"gama", "delta"}});
  auto model = Model(TerminologyWindowModel::Show::kCompounds);
  model->setLocalizeText(false);
  model->setSearchScenario(true);
  ScenarioTree& tree = editor->mutableTree();
  ScenarioNode* alfa = tree.AddGroup(nullptr, "Alfa", true, 0);
  ScenarioNode* other = tree.AddGroup(nullptr, "Diverse", true, 0);
  ScenarioNode* gamaItem = tree.AddItem(other, "gamaglobulina", ScenarioIcon::kWord);
  model->Click(0);
  EXPECT_EQ(host.searchText, "alfa");
  EXPECT_EQ(editor->selected(), alfa);
  model->Click(1);
  EXPECT_EQ(host.searchText, "gama");
  EXPECT_EQ(editor->selected(), gamaItem);
  // The same line again does not search the editor again.
  editor->Select(nullptr);
  model->Click(1);
  EXPECT_EQ(editor->selected(), nullptr);
  // With the editor closed nothing is searched.
  host.open = false;
  host.searchText.clear();
  model->Click(0);
  EXPECT_EQ(host.searchText, "");
}

TEST_F(TerminologyWindowModelTest, ClosingStoresTheLocalizeAndSubclassifyBoxes) {
  Compounds({{"alfa", "beta"}});
  TerminologyWindowModel model(*engine, host);
  model.setLocalizeText(true);
  model.setSearchScenario(true);
  model.setSubclassify(false);
  model.StoreSettings();
  EXPECT_TRUE(engine->record().terminologyLocalize());
  EXPECT_TRUE(engine->record().scenarioReposition());
  EXPECT_TRUE(engine->record().scenarioNoSubclassify());
  TerminologyWindowModel again(*engine, host);
  EXPECT_TRUE(again.localizeText());
  EXPECT_TRUE(again.searchScenario());
  EXPECT_FALSE(again.subclassify());
}

}  // namespace
}  // namespace malvex
