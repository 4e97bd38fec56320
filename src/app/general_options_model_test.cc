#include "app/general_options_model.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

class RecordingHost : public GeneralOptionsHost {
 public:
  void OpenGraphOptions() override { calls.push_back("graphs"); }
  void OpenColours() override { calls.push_back("colours"); }
  void ShowFolder(const std::string& folder) override { calls.push_back("folder " + folder); }
  void RunSetupWizard() override { calls.push_back("wizard"); }
  void CloseProgram() override { calls.push_back("close"); }
  std::vector<std::string> calls;
};

class GeneralOptionsModelTest : public ::testing::Test {
 protected:
  SettingsRecord record_;
  ScriptedBox box_;
  Messages messages_{box_};
  RecordingHost host_;
  TDlgOptionsGeneralesModel model_{record_, messages_, host_, "/inst/Scenario", "/home/u/Malvex/Romanian"};
};

TEST_F(GeneralOptionsModelTest, SizeWarningShownAsTenWhenUnsetAndStoredWithinOneToFifty) {
  const struct {
    int stored;
    const char* shown;
  } opening[] = {{25, "25"}, {1, "1"}, {0, "10"}, {0xFFFF, "10"}, {0x8000, "10"}, {50, "50"}, {200, "200"}};
  for (const auto& c : opening) {
    SCOPED_TRACE(c.stored);
    record_.setTextSizeWarning(c.stored);
    model_.FormCreate();
    EXPECT_EQ(model_.controls().sizeWarningText, c.shown);
  }
  const struct {
    const char* typed;
    int stored;
  } accepting[] = {{"1", 1}, {"50", 50}, {"20", 20}, {"75", 8},  {"abc", 8}, {"0", 8},
                   {"51", 8}, {"", 8},   {"-3", 8},  {"2.5", 8}, {"200", 8}};
  for (const auto& c : accepting) {
    SCOPED_TRACE(c.typed);
    record_.setTextSizeWarning(25);
    model_.FormCreate();
    model_.controls().sizeWarningText = c.typed;
    model_.ButtonOkClick();
    EXPECT_EQ(record_.textSizeWarning(), c.stored);
  }
}

TEST_F(GeneralOptionsModelTest, EveryControlReachesItsSettingOnAcceptOnly) {
  using Get = bool (SettingsRecord::*)() const;
  using Control = bool TDlgOptionsGeneralesModel::Controls::*;
  const struct {
    Control control;
    Get get;
  } fields[] = {
      {&TDlgOptionsGeneralesModel::Controls::showInformationPanel, &SettingsRecord::showInformationPanel},
      {&TDlgOptionsGeneralesModel::Controls::keepFileHistory, &SettingsRecord::keepFileHistory},
      {&TDlgOptionsGeneralesModel::Controls::largeFonts, &SettingsRecord::largeFonts},
      {&TDlgOptionsGeneralesModel::Controls::underscoreInCompounds, &SettingsRecord::underscoreInCompounds},
      {&TDlgOptionsGeneralesModel::Controls::textViewByProposition, &SettingsRecord::textViewByProposition},
      {&TDlgOptionsGeneralesModel::Controls::confirmDeletions, &SettingsRecord::confirmDeletions},
      {&TDlgOptionsGeneralesModel::Controls::offerScenarioWizard, &SettingsRecord::offerScenarioWizard},
      {&TDlgOptionsGeneralesModel::Controls::openScenarioEditorAtStart, &SettingsRecord::openScenarioEditorAtStart},
      {&TDlgOptionsGeneralesModel::Controls::scenarioWordsInCapitals, &SettingsRecord::scenarioWordsInCapitals},
      {&TDlgOptionsGeneralesModel::Controls::unaccentedScenarioForms, &SettingsRecord::unaccentedScenarioForms},
      {&TDlgOptionsGeneralesModel::Controls::scenarioSortedAlphabetically,
       &SettingsRecord::scenarioSortedAlphabetically},
  };
  for (size_t i = 0; i < std::size(fields); ++i) {
    SCOPED_TRACE(i);
    const SettingsRecord before = record_;
    model_.FormCreate();
    const bool shown = model_.controls().*fields[i].control;
    EXPECT_EQ(shown, (record_.*fields[i].get)());
    model_.controls().*fields[i].control = !shown;
    // Not stored until Accept (Cancel simply drops the model's controls).
    EXPECT_EQ((record_.*fields[i].get)(), shown);
    model_.ButtonOkClick();
    EXPECT_EQ((record_.*fields[i].get)(), !shown);
    // Only that setting moved.
    for (size_t j = 0; j < std::size(fields); ++j) {
      if (j != i) EXPECT_EQ((record_.*fields[j].get)(), (before.*fields[j].get)()) << j;
    }
  }
}

TEST_F(GeneralOptionsModelTest, TheTwoFolderButtonsShowTheScenarioAndTheUserFolders) {
  model_.ButtonDossierScenarioClick();
  model_.ButtonDossierParamClick();
  model_.ButtonGraphesClick();
  model_.ButtonCouleursClick();
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"folder /inst/Scenario", "folder /home/u/Malvex/Romanian",
                                                   "graphs", "colours"}));
}

TEST_F(GeneralOptionsModelTest, MultiUserSetUpAsksThenRunsTheWizardThenOffersTheOrdinaryClose) {
  const std::string first = std::string(CatalogueText(915)) + " " + CatalogueText(549);
  const struct {
    std::vector<int> answers;
    std::vector<std::string> calls;
    size_t boxes;
  } cases[] = {
      {{kButton3}, {}, 1},                             // No to 915: nothing
      {{kButton1, kButton3}, {"wizard"}, 2},           // Yes, then not now
      {{kButton1, kButton1}, {"wizard", "close"}, 2},  // Yes, then close
  };
  for (const auto& c : cases) {
    host_.calls.clear();
    box_.ClearRecords();
    for (int a : c.answers) box_.QueueAnswer(a);
    model_.ButtonParametresSetupClick();
    EXPECT_EQ(host_.calls, c.calls);
    ASSERT_EQ(box_.asked().size(), c.boxes);
    EXPECT_EQ(box_.asked()[0].text, first);
    if (c.boxes > 1) EXPECT_EQ(box_.asked()[1].text, CatalogueText(914));
  }
}

TEST_F(GeneralOptionsModelTest, OpensOnTheScenarioPageWhenAsked) {
  model_.FormCreate(true);
  EXPECT_EQ(model_.page(), TDlgOptionsGeneralesModel::kScenarioPage);
  model_.FormCreate();
  EXPECT_EQ(model_.page(), TDlgOptionsGeneralesModel::kMainWindowPage);
}

}  // namespace
}  // namespace malvex
