#include "app/report_dialog_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "settings/settings_record.h"
#include "test_support.h"
#include "views/result_function_table.h"
#include "views/result_list.h"

namespace malvex {
namespace {

ReportGroup G(const char* name, int depth, uint32_t count) { return ReportGroup{name, count, depth, true}; }

std::vector<ReportGroup> Groups() {
  return {G("sanatate", 0, 9), G("medic", 1, 5), G("spital", 1, 4), G("familie", 0, 3)};
}

// Records what the dialog asks of the spreadsheet writer.
class FakeOutput : public ReportOutput {
 public:
  bool Write(const ScenarioReport& report, const std::string& path, std::string& error) override {
    written.push_back(path);
    blocks = report.blocks.size();
    if (!writes) error = "disk full";
    return writes;
  }
  Opening Open(const std::string& path) override {
    opened.push_back(path);
    return opening;
  }
  bool writes = true;
  Opening opening = Opening::kOpened;
  std::vector<std::string> written;
  std::vector<std::string> opened;
  size_t blocks = 0;
};

class ReportDialogModelTest : public ::testing::Test {
 protected:
  ScriptedBox box_;
  Messages messages_{box_};
  SettingsRecord record_;
};

// The settings draw the charts by default, and so does the dialog: it
// shows the stored choice.
TEST_F(ReportDialogModelTest, TheDialogShowsTheStoredChoicesShowGraphIncluded) {
  ReportDialogModel model(record_, messages_, Groups(), 2);
  model.Open();
  EXPECT_TRUE(model.showGraph());
  EXPECT_EQ(model.scope(), ReportScope::kSelection);
  EXPECT_EQ(model.chartIndex(), 0);
  EXPECT_EQ(model.maxGraphs(), 8);
  EXPECT_TRUE(model.okEnabled() && model.pagesEnabled() && model.selectionScopesEnabled());
  EXPECT_TRUE(model.openingError().empty());
  EXPECT_TRUE(model.status().empty());
  record_.setReportShowsGraph(false);
  model.Open();
  EXPECT_FALSE(model.showGraph());
}

TEST_F(ReportDialogModelTest, StoredValuesOutsideTheControlsAreBroughtBack) {
  struct Case {
    uint32_t graphKind;
    int maxGraphs;
    uint32_t table;
    int chart;
    int max;
    ReportScope scope;
  };
  for (const Case& c : {Case{5, 1, 2, 5, 1, ReportScope::kWhole}, Case{6, 0, 3, 0, 8, ReportScope::kSelection},
                        Case{99, -4, 1, 0, 8, ReportScope::kBranch}, Case{2, 300, 0, 2, 255, ReportScope::kSelection}}) {
    record_.setReportGraphKind(c.graphKind);
    record_.setReportMaxGraphs(c.maxGraphs);
    record_.setReportTableKind(c.table);
    ReportDialogModel model(record_, messages_, Groups(), 1);
    model.Open();
    EXPECT_EQ(model.chartIndex(), c.chart) << c.graphKind;
    EXPECT_EQ(model.maxGraphs(), c.max) << c.maxGraphs;
    EXPECT_EQ(model.scope(), c.scope) << c.table;
  }
}

TEST_F(ReportDialogModelTest, NoScenarioDisablesTheDialog) {
  ReportDialogModel model(record_, messages_, {}, 0);
  model.Open();
  EXPECT_EQ(model.openingError(), "No Ontology or Scenario available. To create a Scenario, use the menu [Tools][Scenario].");
  EXPECT_FALSE(model.okEnabled());
  EXPECT_FALSE(model.pagesEnabled());
}

TEST_F(ReportDialogModelTest, NoSelectionChoosesTheWholeScenario) {
  for (int32_t selected : {0, 5, -1}) {
    ReportDialogModel model(record_, messages_, Groups(), selected);
    model.Open();
    EXPECT_EQ(model.scope(), ReportScope::kWhole) << selected;
    EXPECT_FALSE(model.selectionScopesEnabled());
    EXPECT_TRUE(model.okEnabled());
    EXPECT_EQ(model.status(), "No selected element (Scenario)");
  }
}

TEST_F(ReportDialogModelTest, OkStoresTheChoicesWritesAndOpens) {
  ReportDialogModel model(record_, messages_, Groups(), 2);
  model.Open();
  model.SetScope(ReportScope::kBranch);
  model.SetShowGraph(false);
  model.SetChartIndex(3);
  model.SetMaxGraphs(12);
  FakeOutput output;
  EXPECT_EQ(model.Ok("/tmp/r.xlsx", output), ReportDialogModel::Outcome::kOpened);
  EXPECT_EQ(record_.reportTableKind(), 1u);
  EXPECT_FALSE(record_.reportShowsGraph());
  EXPECT_EQ(record_.reportGraphKind(), 3u);
  EXPECT_EQ(record_.reportMaxGraphs(), 12);
  EXPECT_EQ(output.written, std::vector<std::string>{"/tmp/r.xlsx"});
  EXPECT_EQ(output.opened, std::vector<std::string>{"/tmp/r.xlsx"});
  EXPECT_EQ(output.blocks, 1u);
  EXPECT_EQ(model.report().chart, ReportChart::kPie);
  EXPECT_EQ(model.report().ChartCount(), 0);
}

TEST_F(ReportDialogModelTest, EveryOutcomeOfOkIsTold) {
  struct Case {
    bool counted;
    bool writes;
    ReportOutput::Opening opening;
    ReportDialogModel::Outcome outcome;
    const char* status;
  };
  const Case cases[] = {
      {false, true, ReportOutput::Opening::kOpened, ReportDialogModel::Outcome::kNothingCounted,
       "No Ontology or Scenario available."},
      {true, false, ReportOutput::Opening::kOpened, ReportDialogModel::Outcome::kWriteFailed,
       "The report could not be written: /tmp/r.xlsx (disk full)"},
      {true, true, ReportOutput::Opening::kNoProgram, ReportDialogModel::Outcome::kSavedOnly,
       "No program for spreadsheets is known on this desktop. The report is saved as: /tmp/r.xlsx"},
      {true, true, ReportOutput::Opening::kFailed, ReportDialogModel::Outcome::kSavedOnly,
       "The application: xdg-open is not installed on your system. Execution failed, program unavailable. "
       "The report is saved as: /tmp/r.xlsx"},
  };
  for (const Case& c : cases) {
    std::vector<ReportGroup> groups = Groups();
    if (!c.counted)
      for (ReportGroup& g : groups) g.count = 0;
    ReportDialogModel model(record_, messages_, groups, 1);
    model.Open();
    FakeOutput output;
    output.writes = c.writes;
    output.opening = c.opening;
    EXPECT_EQ(model.Ok("/tmp/r.xlsx", output), c.outcome) << c.status;
    EXPECT_EQ(model.status(), c.status);
    EXPECT_EQ(output.written.size(), c.counted ? 1u : 0u);
  }
}

TEST_F(ReportDialogModelTest, TheChartListAndTheExplainPage) {
  ReportDialogModel model(record_, messages_, Groups(), 1);
  EXPECT_EQ(model.ChartNames(),
            (std::vector<std::string>{"By default", "Bars", "Histogram", "Sectors", "Areas", "Radar"}));
  const std::string explain = model.ExplainText();
  EXPECT_EQ(explain.rfind("This tool makes it possible to automatically generate a report", 0), 0u);
  EXPECT_EQ(std::count(explain.begin(), explain.end(), '\n'), 4);
}

// Only the Scenario list's lines carry groups: any other list's item is a
// class or a lemma and gives no selected group.
TEST(ReportSelectedGroupTest, OnlyTheScenarioListGivesAGroup) {
  ResultList list;
  list.Add("Scenario");
  list.AddWithItem("medic\t0005", 2);
  list.AddWithItem("spital\t0004", 3);
  struct Case {
    ResultKind kind;
    int chosen;
    int32_t group;
  };
  for (const Case& c : {Case{ResultKind::kScenario, 2, 3}, Case{ResultKind::kScenario, -1, 2},
                        Case{ResultKind::kScenario, 7, 2}, Case{ResultKind::kReferences, 2, 0},
                        Case{ResultKind::kNone, 1, 0}}) {
    EXPECT_EQ(ReportSelectedGroup(c.kind, list, c.chosen), c.group) << c.chosen;
  }
  EXPECT_EQ(ReportSelectedGroup(ResultKind::kScenario, ResultList(), -1), 0);
}

TEST(ReportPathTest, AnExistingWorkbookIsNotReplaced) {
  testing::TempDir dir;
  const std::string folder = dir.path().string();
  const std::string first = ReportDialogModel::ReportPath(folder, "/texts/raport anual.txt");
  EXPECT_EQ(first, dir.File("raport anual - Statistics.xlsx"));
  ASSERT_TRUE(testing::WriteFile(first, "x"));
  EXPECT_EQ(ReportDialogModel::ReportPath(folder, "/texts/raport anual.txt"), dir.File("raport anual - Statistics (2).xlsx"));
}

}  // namespace
}  // namespace malvex
