#include "app/scenario_wizard_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

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

using testing::TempDir;
using testing::WriteFile;
using Way = ScenarioWizardModel::Way;
using Level = ScenarioWizardModel::Level;

class FakeWizardHost : public ScenarioWizardHost {
 public:
  bool TextAnalysed() override { return analysed; }
  uint32_t TextWordCount() override { return words; }
  int DetectionThreshold() override { return detection; }
  WizardCandidates Candidates(int level, uint32_t threshold) override {
    askedLevel = level;
    askedThreshold = threshold;
    return candidates;
  }
  void ShowResultsOf(int level) override { shown.push_back(level); }
  void OpenDocument() override { ++opened; }

  bool analysed = true;
  uint32_t words = 1000;
  int detection = 2;
  WizardCandidates candidates;
  int askedLevel = -1;
  uint32_t askedThreshold = 0;
  std::vector<int> shown;
  int opened = 0;
};

class EditorHost : public ScenarioEditorHost {
 public:
  bool ChooseFileToOpen(const std::string&, std::string&) override { return false; }
  bool ChooseFileToSave(std::string&) override { return false; }
  void ScenarioChanged() override {}
};

class ScenarioWizardModelTest : public ::testing::Test {
 protected:
  ScenarioWizardModelTest()
      : messages_(box_),
        store_(messages_),
        current_(store_, nullptr, record_, folders_),
        editor_(store_, current_, nullptr, record_, folders_, messages_, &editorHost_) {
    std::filesystem::create_directories(dir_.path() / "Scenario");
    folders_.scenario = (dir_.path() / "Scenario").string();
    record_.setScenarioWordsInCapitals(false);
    record_.setWizardFrequencyThreshold(1);
    host_.candidates.list = {{"justitie", 9, false, false}, {"tribunal", 5, false, false},
                             {"lege", 2, false, false}};
    box_.SetDefaultAnswer(kButton2);
  }
  std::unique_ptr<ScenarioWizardModel> Make() {
    return std::make_unique<ScenarioWizardModel>(editor_, record_, messages_, folders_, host_);
  }
  // The texts of the boxes shown, in order.
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const auto& a : box_.asked()) texts.push_back(a.text);
    return texts;
  }
  std::string Msg(int id) { return messages_.message(id); }

  TempDir dir_;
  ScriptedBox box_;
  Messages messages_;
  SettingsRecord record_;
  Folders folders_;
  ScenarioStore store_;
  CurrentScenario current_;
  EditorHost editorHost_;
  ScenarioEditor editor_;
  FakeWizardHost host_;
};

TEST_F(ScenarioWizardModelTest, NextAndBackWalkThePages) {
  auto wizard = Make();
  EXPECT_EQ(wizard->page(), 1);
  EXPECT_FALSE(wizard->backEnabled());
  wizard->ChooseWay(Way::kManual);
  wizard->Next();
  EXPECT_EQ(wizard->page(), 5);
  EXPECT_FALSE(wizard->nextEnabled());
  wizard->Back();
  EXPECT_EQ(wizard->page(), 1);
  wizard->ChooseWay(Way::kExisting);
  wizard->Next();
  EXPECT_EQ(wizard->page(), 6);
  EXPECT_TRUE(wizard->nextEnabled());
  wizard->Back();
  wizard->ChooseWay(Way::kAutomatic);
  const int pages[] = {2, 3, 4};
  for (int p : pages) {
    wizard->Next();
    EXPECT_EQ(wizard->page(), p);
  }
  EXPECT_FALSE(wizard->nextEnabled());
  for (int p : {3, 2, 1}) {
    wizard->Back();
    EXPECT_EQ(wizard->page(), p);
  }
  EXPECT_EQ(host_.shown, (std::vector<int>{1}));  // References shown on reaching page 2
  EXPECT_TRUE(Boxes().empty());
}

TEST_F(ScenarioWizardModelTest, NoWayChosenSaysSo) {
  auto wizard = Make();
  wizard->Next();
  EXPECT_EQ(wizard->page(), 1);
  EXPECT_FALSE(wizard->Done());
  EXPECT_EQ(Boxes(), (std::vector<std::string>{Msg(756), Msg(756)}));
}

TEST_F(ScenarioWizardModelTest, AutomaticCreationNeedsASignificantText) {
  const struct {
    bool analysed;
    uint32_t words;
    int answer;
    int question;  // 0: none asked, the wizard goes on
    int opened;
  } cases[] = {
      {false, 0, kButton2, 757, 0},   {false, 0, kButton1, 757, 1}, {true, 199, kButton2, 758, 0},
      {true, 199, kButton1, 758, 1},  {true, 200, kButton2, 0, 0},
  };
  for (const auto& c : cases) {
    box_.ClearRecords();
    host_.analysed = c.analysed;
    host_.words = c.words;
    host_.opened = 0;
    box_.SetDefaultAnswer(c.answer);
    auto wizard = Make();
    wizard->ChooseWay(Way::kAutomatic);
    wizard->Next();
    EXPECT_EQ(wizard->page(), c.question == 0 ? 2 : 1) << c.words;
    EXPECT_EQ(host_.opened, c.opened) << c.words;
    if (c.question != 0) EXPECT_EQ(Boxes(), (std::vector<std::string>{Msg(c.question)})) << c.words;
  }
}

TEST_F(ScenarioWizardModelTest, DoneOnASmallTextBuildsNothing) {
  ASSERT_TRUE(WriteFile(folders_.scenario + "/a.scn", "G#0V\t4\tAnimale\r\n0#1#\tcaine\tAnimale\r\n"));
  record_.setScenarioFile("a.scn");
  ASSERT_TRUE(current_.LoadCurrentScenario());
  editor_.RebuildTree();
  host_.words = 199;
  auto wizard = Make();
  wizard->ChooseWay(Way::kAutomatic);
  EXPECT_FALSE(wizard->Done());
  EXPECT_EQ(Boxes(), (std::vector<std::string>{Msg(758)}));
  EXPECT_EQ(host_.askedLevel, -1);
  EXPECT_EQ(record_.scenarioFile(), "a.scn");
  EXPECT_EQ(editor_.tree().roots().size(), 1u);
  EXPECT_FALSE(editor_.modified());
}

TEST_F(ScenarioWizardModelTest, ThresholdIsAnIntegerKeptInItsRange) {
  const struct {
    const char* typed;
    bool accepted;
    int kept;
  } cases[] = {
      {"7", true, 7},    {" 12 ", true, 12}, {"0", true, 2},       {"-5", true, 2}, {"1000", true, 999},
      {"65537", true, 999}, {"abc", false, 1}, {"", false, 1}, {"3x", false, 1},
  };
  for (const auto& c : cases) {
    box_.ClearRecords();
    record_.setWizardFrequencyThreshold(1);
    host_.detection = 0;
    auto wizard = Make();
    host_.detection = 2;
    wizard->ChooseWay(Way::kAutomatic);
    wizard->Next();
    wizard->Next();
    ASSERT_EQ(wizard->page(), 3);
    wizard->SetThresholdText(c.typed);
    wizard->Next();
    EXPECT_EQ(wizard->page(), c.accepted ? 4 : 3) << c.typed;
    EXPECT_EQ(record_.wizardFrequencyThreshold(), c.kept) << c.typed;
    if (c.accepted) EXPECT_EQ(wizard->thresholdText(), std::to_string(c.kept)) << c.typed;
    if (!c.accepted) EXPECT_EQ(Boxes(), (std::vector<std::string>{Msg(530)})) << c.typed;
  }
}

TEST_F(ScenarioWizardModelTest, StartRaisesTheThresholdToTheDetectionThreshold) {
  record_.setWizardFrequencyThreshold(1);
  host_.detection = 4;
  auto wizard = Make();
  EXPECT_EQ(record_.wizardFrequencyThreshold(), 4);
  EXPECT_EQ(wizard->thresholdText(), "4");
  EXPECT_EQ(wizard->thresholdMinimum(), 4);
  EXPECT_EQ(wizard->thresholdMaximum(), 999);
}

TEST_F(ScenarioWizardModelTest, DoneOnTheThresholdPageUsesTheTypedValue) {
  auto wizard = Make();
  wizard->ChooseWay(Way::kAutomatic);
  wizard->Next();
  wizard->Next();
  wizard->SetThresholdText("5");
  EXPECT_TRUE(wizard->Done());
  EXPECT_EQ(host_.askedThreshold, 5u);
  EXPECT_EQ(record_.wizardFrequencyThreshold(), 5);
  // justitie (9) and tribunal (5) under the holding group.
  ASSERT_EQ(editor_.tree().roots().size(), 1u);
  EXPECT_EQ(editor_.tree().roots()[0]->text, Msg(282));
  EXPECT_EQ(editor_.tree().roots()[0]->children.size(), 2u);
  EXPECT_TRUE(editor_.modified());
}

TEST_F(ScenarioWizardModelTest, DoneWithAnIncorrectTypedThresholdStays) {
  auto wizard = Make();
  wizard->ChooseWay(Way::kAutomatic);
  wizard->Next();
  wizard->Next();
  wizard->SetThresholdText("x");
  EXPECT_FALSE(wizard->Done());
  EXPECT_EQ(Boxes(), (std::vector<std::string>{Msg(530)}));
  EXPECT_EQ(host_.askedLevel, -1);
  EXPECT_TRUE(wizard->controlsEnabled());
}

TEST_F(ScenarioWizardModelTest, LevelChoicesSetTheSettings) {
  const struct {
    Level level;
    bool subclassify;
    int setting;
    bool nonClassified;
    const char* holder;  // "" for no holding group
  } cases[] = {
      {Level::kReferenceFields1, true, 3, false, "List of classes"},
      {Level::kReferenceFields2, false, 2, false, ""},
      {Level::kReferences, true, 1, false, "List of classes"},
      {Level::kNonClassified, true, 1, true, "Non-classified references"},
      {Level::kSubstantives, false, 0, false, ""},
  };
  for (const auto& c : cases) {
    host_.shown.clear();
    auto wizard = Make();
    wizard->ChooseWay(Way::kAutomatic);
    wizard->Next();
    wizard->ChooseLevel(c.level);
    wizard->SetSubclassify(c.subclassify);
    EXPECT_TRUE(wizard->Done());
    EXPECT_EQ(record_.wizardAutomaticLevel(), c.setting);
    EXPECT_EQ(record_.wizardNonClassified(), c.nonClassified);
    EXPECT_EQ(record_.wizardNoSubclassify(), !c.subclassify);
    EXPECT_EQ(host_.askedLevel, c.setting);
    EXPECT_EQ(host_.shown, (std::vector<int>{1, c.setting}));
    const std::string first = editor_.tree().empty() ? "" : editor_.tree().roots()[0]->text;
    if (*c.holder != 0) EXPECT_EQ(first, c.holder);
    if (*c.holder == 0) EXPECT_NE(first, "List of classes");
  }
}

TEST_F(ScenarioWizardModelTest, MergeNeedsAFileAndGivesAnUntitledScenario) {
  ASSERT_TRUE(WriteFile(folders_.scenario + "/a.scn", "G#0V\t1\tAnimale\r\n0#1#\tcaine\tAnimale\r\n"));
  ASSERT_TRUE(WriteFile(folders_.scenario + "/b.scn", "G#0V\t1\tCase\r\n0#1#\tcasa\tCase\r\n"));
  ASSERT_TRUE(WriteFile(folders_.scenario + "/notes.txt", "x"));
  auto wizard = Make();
  EXPECT_EQ(wizard->files(), (std::vector<std::string>{"a.scn", "b.scn"}));
  EXPECT_EQ(wizard->selection(), (std::vector<bool>{true, false}));
  wizard->ChooseWay(Way::kExisting);
  wizard->Next();
  wizard->SetSelection({false, false});
  EXPECT_FALSE(wizard->Done());
  EXPECT_EQ(wizard->page(), 6);
  EXPECT_TRUE(wizard->controlsEnabled());
  EXPECT_EQ(Boxes(), (std::vector<std::string>{Msg(711)}));
  wizard->SetSelection({true, true});
  EXPECT_TRUE(wizard->Done());
  EXPECT_EQ(record_.scenarioFile(), "");
  EXPECT_TRUE(editor_.modified());
  EXPECT_EQ(editor_.tree().roots().size(), 2u);
}

TEST(WizardInteger, Parsing) {
  const struct {
    const char* text;
    bool ok;
    int64_t value;
  } cases[] = {{"12", true, 12}, {"+3", true, 3}, {"-4", true, -4}, {" 8\t", true, 8},
               {"", false, 0},   {"-", false, 0}, {"1 2", false, 0}, {"0x10", false, 0}};
  for (const auto& c : cases) {
    int64_t v = 0;
    EXPECT_EQ(ParseWizardInteger(c.text, v), c.ok) << c.text;
    if (c.ok) EXPECT_EQ(v, c.value) << c.text;
  }
}

}  // namespace
}  // namespace malvex
