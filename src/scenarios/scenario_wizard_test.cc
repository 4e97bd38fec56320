#include "scenarios/scenario_wizard.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_store.h"
#include "scenarios/scenario_tree.h"
#include "settings/folders.h"
#include "settings/settings_record.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// The tree, one node a line, two blanks of indentation per level.
std::string Dump(const ScenarioTree& tree) {
  std::string out;
  tree.ForEach([&out](ScenarioNode& n) {
    out += std::string(2 * n.Level(), ' ') + n.text + (n.IsGroup() ? "/" : "") + "\n";
  });
  return out;
}

WizardCandidates SampleClasses() {
  WizardCandidates c;
  c.list = {{"justitie", 9, false, false},
            {"tribunal", 5, false, false},
            {"vasilescu", 4, true, false},
            {"ionescu", 3, true, true},
            {"lege", 1, false, false}};
  return c;
}

TEST(WizardThreshold, ClampedToItsRangeAndTheDetectionThreshold) {
  const struct {
    int64_t typed;
    int detection;
    int expected;
  } cases[] = {
      {5, 1, 5},     {0, 1, 1},       {-7, 0, 1},      {1000, 1, 999}, {70000, 1, 999},
      {65537, 1, 999},  // once wrapped into a 16-bit setting it would read as 1
      {2, 4, 4},     {999, 4, 999},   {3, 1200, 999},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ClampWizardThreshold(c.typed, c.detection), c.expected) << c.typed << " / " << c.detection;
  }
}

TEST(WizardTree, ShapesByOptions) {
  const struct {
    const char* name;
    int level;
    bool nonClassified;
    bool subclassify;
    uint32_t threshold;
    const char* expected;
  } cases[] = {
      {"subclassified, threshold 1 keeps every class", 1, false, true, 1,
       "List of classes/\n  Justitie/\n    justitie (*)\n  Tribunal/\n    tribunal (*)\n"
       "  Vasilescu/\n    vasilescu\n  Ionescu/\n    ionescu\n  Lege/\n    lege (*)\n"},
      {"not subclassified: class groups at the top", 3, false, false, 5,
       "Justitie/\n  justitie (1)\nTribunal/\n  tribunal (1)\n"},
      {"level 2 suffix", 2, false, false, 9, "Justitie/\n  justitie (2)\n"},
      {"threshold above every frequency leaves the holding group", 1, false, true, 10, "List of classes/\n"},
      {"threshold above every frequency, no holding group", 1, false, false, 10, ""},
      {"non-classified: unclassified classes not yet in the scenario", 1, true, true, 1,
       "List of classes/\n  Vasilescu/\n    vasilescu\n"},
      {"substantives", 0, false, false, 5, "Justitie/\n  justitie (S)\nTribunal/\n  tribunal (S)\n"},
  };
  for (const auto& c : cases) {
    ScenarioTree tree;
    tree.AddGroup(nullptr, "left over", true, 3);
    WizardBuildOptions options;
    options.level = c.level;
    options.nonClassified = c.nonClassified;
    options.subclassify = c.subclassify;
    options.threshold = c.threshold;
    options.capitals = true;
    options.holdingLabel = "List of classes";
    FillWizardTree(tree, SampleClasses(), options);
    EXPECT_EQ(Dump(tree), c.expected) << c.name;
  }
}

TEST(WizardTree, ItemsCarryTheIconOfTheirKind) {
  ScenarioTree tree;
  WizardBuildOptions options;
  options.subclassify = false;
  EXPECT_EQ(FillWizardTree(tree, SampleClasses(), options), 5u);
  ASSERT_EQ(tree.roots().size(), 5u);
  EXPECT_EQ(tree.roots()[0]->children[0]->icon, ScenarioIcon::kClass);
  EXPECT_EQ(tree.roots()[2]->children[0]->icon, ScenarioIcon::kWord);
  options.level = 0;
  FillWizardTree(tree, SampleClasses(), options);
  EXPECT_EQ(tree.roots()[0]->children[0]->icon, ScenarioIcon::kSubstantive);
}

class WizardFilesTest : public ::testing::Test {
 protected:
  WizardFilesTest()
      : messages_(box_),
        store_(messages_),
        current_(store_, nullptr, record_, folders_),
        editor_(store_, current_, nullptr, record_, folders_, messages_, &host_) {
    std::filesystem::create_directories(dir_.path() / "Scenario");
    folders_.scenario = (dir_.path() / "Scenario").string();
    record_.setScenarioWordsInCapitals(false);
    box_.SetDefaultAnswer(kButton1);
  }
  std::string PathOf(const std::string& name) const { return folders_.scenario + "/" + name; }
  std::set<std::string> FolderFiles() const {
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folders_.scenario)) names.insert(e.path().filename());
    return names;
  }

  class Host : public ScenarioEditorHost {
   public:
    bool ChooseFileToOpen(const std::string&, std::string&) override { return false; }
    bool ChooseFileToSave(std::string&) override { return false; }
    void ScenarioChanged() override { ++changed; }
    int changed = 0;
  };

  TempDir dir_;
  ScriptedBox box_;
  Messages messages_;
  SettingsRecord record_;
  Folders folders_;
  ScenarioStore store_;
  CurrentScenario current_;
  Host host_;
  ScenarioEditor editor_;
};

TEST_F(WizardFilesTest, MergeCopiesLinesAndEndsEveryOne) {
  // The first file has no final line break and a line longer than 517.
  const std::string longName(600, 'a');
  ASSERT_TRUE(WriteFile(PathOf("a.scn"), "G#0V\t1\tAnimale\r\n0#1#\tcaine\tAnimale"));
  ASSERT_TRUE(WriteFile(PathOf("b.scn"), "G#0V\t1\tCase\n0#1#\tcasa\tCase\n"));
  std::string merged;
  ASSERT_TRUE(MergeScenarioFiles(folders_.scenario, {"a.scn", "b.scn"}, merged));
  EXPECT_EQ(ReadFile(merged), "G#0V\t1\tAnimale\r\n0#1#\tcaine\tAnimale\r\nG#0V\t1\tCase\r\n0#1#\tcasa\tCase\r\n");
  ASSERT_TRUE(WriteFile(PathOf("c.scn"), longName + "\r\n"));
  ASSERT_TRUE(MergeScenarioFiles(folders_.scenario, {"c.scn"}, merged));
  EXPECT_EQ(ReadFile(merged), std::string(517, 'a') + "\r\n");
}

TEST_F(WizardFilesTest, MergeNeverReplacesAFileOfTheFolder) {
  ASSERT_TRUE(WriteFile(PathOf("a.scn"), "G#0V\t1\tAnimale\r\n"));
  std::set<std::string> made;
  for (int i = 0; i < 40; ++i) {
    const std::set<std::string> before = FolderFiles();
    std::string merged;
    ASSERT_TRUE(MergeScenarioFiles(folders_.scenario, {"a.scn"}, merged));
    const std::string name = std::filesystem::path(merged).filename();
    EXPECT_EQ(before.count(name), 0u) << name;
    EXPECT_TRUE(made.insert(name).second);
  }
  EXPECT_EQ(ReadFile(PathOf("a.scn")), "G#0V\t1\tAnimale\r\n");
}

TEST_F(WizardFilesTest, MergeOfAFileAndAMissingOneKeepsWhatWasCopied) {
  ASSERT_TRUE(WriteFile(PathOf("a.scn"), "G#0V\t1\tAnimale\r\n"));
  std::string merged;
  ASSERT_TRUE(MergeScenarioFiles(folders_.scenario, {"a.scn", "missing.scn", "a.scn"}, merged));
  EXPECT_EQ(ReadFile(merged), "G#0V\t1\tAnimale\r\n");
}

TEST_F(WizardFilesTest, MergedScenariosAreNumberedAfreshAndUntitled) {
  ASSERT_TRUE(WriteFile(PathOf("a.scn"), "G#0V\t1\tAnimale\r\n0#1#\tcaine\tAnimale\r\nG#1V\t2\tPasari\r\n"
                                         "0#2#\tcioara\tPasari\r\n"));
  ASSERT_TRUE(WriteFile(PathOf("b.scn"), "G#0V\t1\tCase\r\n0#1#\tcasa\tCase"));
  record_.setScenarioFile("a.scn");
  const std::set<std::string> before = FolderFiles();
  ASSERT_TRUE(editor_.MergeScenarios({"a.scn", "b.scn"}));
  EXPECT_EQ(record_.scenarioFile(), "");
  EXPECT_TRUE(editor_.modified());
  EXPECT_EQ(FolderFiles(), before);  // the merged file is gone, nothing else
  std::vector<int32_t> signatures;
  editor_.tree().ForEach([&](ScenarioNode& n) {
    if (n.IsGroup()) signatures.push_back(n.signature);
  });
  std::sort(signatures.begin(), signatures.end());
  EXPECT_EQ(signatures, (std::vector<int32_t>{1, 2, 3}));
  EXPECT_EQ(Dump(editor_.tree()), "Animale/\n  caine\n  Pasari/\n    cioara\nCase/\n  casa\n");
  EXPECT_GE(host_.changed, 1);
}

TEST_F(WizardFilesTest, BuildingFromATextWithoutClassesChangesNothing) {
  ASSERT_TRUE(WriteFile(PathOf("a.scn"), "G#0V\t7\tAnimale\r\n0#1#\tcaine\tAnimale\r\n"));
  record_.setScenarioFile("a.scn");
  ASSERT_TRUE(current_.LoadCurrentScenario());
  editor_.RebuildTree();
  const int64_t counter = store_.signatures().counter;
  WizardCandidates none;
  none.levelHasClasses = false;
  WizardBuildOptions options;
  options.level = 2;
  EXPECT_FALSE(editor_.BuildFromText(none, options));
  EXPECT_EQ(record_.scenarioFile(), "a.scn");
  EXPECT_EQ(store_.signatures().counter, counter);
  EXPECT_FALSE(store_.signatures().renumbering);
  EXPECT_EQ(Dump(editor_.tree()), "Animale/\n  caine\n");
  EXPECT_EQ(editor_.tree().roots()[0]->signature, 7);
  ASSERT_FALSE(box_.asked().empty());
  EXPECT_EQ(box_.asked().back().text, messages_.message(kWizardNoClassMessage));
}

TEST_F(WizardFilesTest, BuildingFromATextGivesAnUntitledModifiedScenario) {
  record_.setScenarioFile("a.scn");
  WizardBuildOptions options;
  options.holdingLabel = "List of classes";
  options.threshold = 4;
  ASSERT_TRUE(editor_.BuildFromText(SampleClasses(), options));
  EXPECT_EQ(record_.scenarioFile(), "");
  EXPECT_TRUE(editor_.modified());
  EXPECT_EQ(Dump(editor_.tree()),
            "List of classes/\n  justitie/\n    justitie (*)\n  tribunal/\n    tribunal (*)\n  vasilescu/\n"
            "    vasilescu\n");
  // The store holds the tree with groups numbered from 1.
  EXPECT_NE(store_.Serialise().find("G#0V\t1\tList of classes\r\n"), std::string::npos);
}

TEST_F(WizardFilesTest, EmptyScenarioIsUntitledAndEmpty) {
  ASSERT_TRUE(WriteFile(PathOf("a.scn"), "G#0V\t7\tAnimale\r\n0#1#\tcaine\tAnimale\r\n"));
  record_.setScenarioFile("a.scn");
  ASSERT_TRUE(current_.LoadCurrentScenario());
  editor_.RebuildTree();
  ASSERT_TRUE(editor_.NewEmptyScenario());
  EXPECT_TRUE(editor_.tree().empty());
  EXPECT_FALSE(editor_.modified());
  EXPECT_EQ(record_.scenarioFile(), "");
  EXPECT_EQ(store_.Serialise(), "");
}

TEST_F(WizardFilesTest, AFailedSaveBeforeReplacingStops) {
  ASSERT_TRUE(WriteFile(PathOf("a.scn"), "G#0V\t7\tAnimale\r\n"));
  record_.setScenarioFile("");
  editor_.mutableTree().AddGroup(nullptr, "Nou", true, 0);
  editor_.mutableTree().modified = true;
  // Yes to message 450; the save dialog is cancelled, so the save fails.
  box_.SetDefaultAnswer(kButton1);
  EXPECT_FALSE(editor_.MergeScenarios({"a.scn"}));
  EXPECT_FALSE(editor_.NewEmptyScenario());
  EXPECT_FALSE(editor_.BuildFromText(SampleClasses(), WizardBuildOptions{}));
  EXPECT_EQ(Dump(editor_.tree()), "Nou/\n");
  EXPECT_TRUE(editor_.modified());
}

}  // namespace
}  // namespace malvex
