#include "views/scenario_report.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

// A Scenario of three top-level groups:
//  1 sanatate (0)      2 medic (1)   3 chirurg (2)  4 asistent (2)
//  5 spital (1)        6 clinica (1)
//  7 familie (0)       8 parinti (1) 9 copii (1)
// 10 munca (0)        11 birou (1)
ReportGroup G(const char* name, int depth, uint32_t count, bool active = true) {
  return ReportGroup{name, count, depth, active};
}

std::vector<ReportGroup> Tree() {
  return {G("sanatate", 0, 30), G("medic", 1, 12), G("chirurg", 2, 5), G("asistent", 2, 3),
          G("spital", 1, 9),    G("clinica", 1, 4), G("familie", 0, 20), G("parinti", 1, 11),
          G("copii", 1, 6),     G("munca", 0, 7),   G("birou", 1, 7)};
}

class ScenarioReportTest : public ::testing::Test {
 protected:
  ScenarioReport Build(const std::vector<ReportGroup>& groups, ReportScope scope, int32_t selected) {
    ReportOptions options;
    options.scope = scope;
    options.selected = selected;
    ScenarioReport report;
    EXPECT_TRUE(BuildScenarioReport(groups, options, messages_, report));
    return report;
  }
  static std::vector<std::string> Names(const ReportBlock& block) {
    std::vector<std::string> names;
    for (const ReportRow& r : block.rows) names.push_back(r.name);
    return names;
  }

  ScriptedBox box_;
  Messages messages_{box_};
};

TEST_F(ScenarioReportTest, SelectionTabulatesTheSiblingsOfTheSelectedGroup) {
  // "spital" is selected: its siblings under "sanatate", from the first one.
  const ScenarioReport report = Build(Tree(), ReportScope::kSelection, 5);
  ASSERT_EQ(report.blocks.size(), 1u);
  const ReportBlock& block = report.blocks[0];
  EXPECT_EQ(block.heading, "Sanatate");
  EXPECT_EQ(Names(block), (std::vector<std::string>{"Medic", "Spital", "Clinica"}));
  EXPECT_EQ(block.rows[1].count, 9u);
  EXPECT_EQ(block.Total(), 25u);
  EXPECT_TRUE(block.chart);
  EXPECT_EQ(report.sheetName, "Statistics");
  EXPECT_EQ(report.closingText, "Statistics on  a list of words (occurrences)");
}

TEST_F(ScenarioReportTest, TopLevelGroupsAreHeadedSynopsis) {
  const ScenarioReport report = Build(Tree(), ReportScope::kSelection, 7);
  ASSERT_EQ(report.blocks.size(), 1u);
  EXPECT_EQ(report.blocks[0].heading, "Synopsis");
  EXPECT_EQ(Names(report.blocks[0]), (std::vector<std::string>{"Sanatate", "Familie", "Munca"}));
}

TEST_F(ScenarioReportTest, NoSelectionStartsFromTheFirstGroup) {
  for (int32_t selected : {0, -3, 12}) {
    const ScenarioReport report = Build(Tree(), ReportScope::kSelection, selected);
    ASSERT_EQ(report.blocks.size(), 1u) << selected;
    EXPECT_EQ(report.blocks[0].heading, "Synopsis") << selected;
  }
}

TEST_F(ScenarioReportTest, BranchTabulatesEverySiblingSetOfTheTopLevelBranch) {
  const ScenarioReport report = Build(Tree(), ReportScope::kBranch, 4);
  ASSERT_EQ(report.blocks.size(), 2u);
  EXPECT_EQ(report.blocks[0].heading, "Sanatate");
  EXPECT_EQ(Names(report.blocks[0]), (std::vector<std::string>{"Medic", "Spital", "Clinica"}));
  EXPECT_EQ(report.blocks[1].heading, "Medic");
  EXPECT_EQ(Names(report.blocks[1]), (std::vector<std::string>{"Chirurg", "Asistent"}));
}

TEST_F(ScenarioReportTest, WholeScenarioTabulatesEverySiblingSetOnce) {
  const ScenarioReport report = Build(Tree(), ReportScope::kWhole, 0);
  std::vector<std::string> headings;
  size_t rows = 0;
  for (const ReportBlock& b : report.blocks) {
    headings.push_back(b.heading);
    rows += b.rows.size();
  }
  EXPECT_EQ(headings, (std::vector<std::string>{"Synopsis", "Sanatate", "Medic", "Familie", "Munca"}));
  EXPECT_EQ(rows, Tree().size());
  EXPECT_EQ(report.ChartCount(), 4);  // "Munca" has a single row
}

TEST_F(ScenarioReportTest, UncountedAndHiddenGroupsGetNoRow) {
  std::vector<ReportGroup> groups = Tree();
  groups[4].count = 0;       // spital
  groups[5].active = false;  // clinica
  const ScenarioReport report = Build(groups, ReportScope::kSelection, 2);
  ASSERT_EQ(report.blocks.size(), 1u);
  EXPECT_EQ(Names(report.blocks[0]), (std::vector<std::string>{"Medic"}));
  EXPECT_FALSE(report.blocks[0].chart);
}

TEST_F(ScenarioReportTest, NothingCountedBuildsNoReport) {
  std::vector<ReportGroup> groups = Tree();
  for (ReportGroup& g : groups) g.count = 0;
  ScenarioReport report;
  report.closingRow = 9;
  EXPECT_FALSE(BuildScenarioReport(groups, ReportOptions{}, messages_, report));
  EXPECT_TRUE(report.blocks.empty());
  EXPECT_FALSE(BuildScenarioReport({}, ReportOptions{}, messages_, report));
}

// When no sibling of the selected group has a row, the report writes an
// empty block and tries one level up, with the siblings of the parent
// (the parent included), not the groups that follow the parent.
TEST_F(ScenarioReportTest, EmptySelectionRetriesWithTheParentsOwnSiblings) {
  std::vector<ReportGroup> groups = Tree();
  groups[2].count = 0;  // chirurg
  groups[3].count = 0;  // asistent
  const ScenarioReport report = Build(groups, ReportScope::kSelection, 3);
  ASSERT_EQ(report.blocks.size(), 2u);
  EXPECT_TRUE(report.blocks[0].rows.empty());
  EXPECT_EQ(report.blocks[0].headingRow, 1);
  EXPECT_EQ(report.blocks[1].headingRow, 2);  // an empty block takes one row
  EXPECT_EQ(report.blocks[1].heading, "Sanatate");
  EXPECT_EQ(Names(report.blocks[1]), (std::vector<std::string>{"Medic", "Spital", "Clinica"}));
}

TEST_F(ScenarioReportTest, EmptySelectionRetriesDownToTheTopLevel) {
  // Only the top-level groups are counted; "asistent" (depth 2) is selected.
  std::vector<ReportGroup> groups = Tree();
  for (ReportGroup& g : groups)
    if (g.depth > 0) g.count = 0;
  const ScenarioReport report = Build(groups, ReportScope::kSelection, 4);
  ASSERT_EQ(report.blocks.size(), 3u);
  EXPECT_TRUE(report.blocks[0].rows.empty());
  EXPECT_TRUE(report.blocks[1].rows.empty());
  EXPECT_EQ(report.blocks[2].heading, "Synopsis");
  EXPECT_EQ(Names(report.blocks[2]), (std::vector<std::string>{"Sanatate", "Familie", "Munca"}));
}

TEST_F(ScenarioReportTest, BlocksAreOneEmptyRowApartAndTheFirstHeadingIsOnRowOne) {
  const ScenarioReport report = Build(Tree(), ReportScope::kWhole, 0);
  ASSERT_GE(report.blocks.size(), 2u);
  EXPECT_EQ(report.blocks[0].headingRow, 1);
  for (size_t b = 1; b < report.blocks.size(); ++b) {
    const ReportBlock& previous = report.blocks[b - 1];
    const int lastRow = previous.headingRow + static_cast<int>(previous.rows.size());
    EXPECT_EQ(report.blocks[b].headingRow, lastRow + 2) << b;
  }
  const ReportBlock& last = report.blocks.back();
  EXPECT_EQ(report.closingRow, last.headingRow + static_cast<int>(last.rows.size()) + 2);
}

// Charts: a block of a single row never gets one; with twenty blocks of
// two rows the maximum (8 by default) is the number of charts, given to
// the first blocks; "Show graph" off means none.
TEST_F(ScenarioReportTest, ChartsFollowTheRowsTheMaximumAndShowGraph) {
  std::vector<ReportGroup> twenty;
  for (int b = 0; b < 20; ++b) {
    const std::string n = std::to_string(b);
    twenty.push_back(G(("parinte" + n).c_str(), 0, 3));
    twenty.push_back(G(("fiu" + n).c_str(), 1, 2));
    twenty.push_back(G(("fiica" + n).c_str(), 1, 1));
  }
  struct Case {
    bool showGraph;
    int maxGraphs;
    int charts;
  };
  for (const Case& c : {Case{true, 8, 8}, Case{true, 1, 1}, Case{true, 255, 21}, Case{false, 8, 0}}) {
    ReportOptions options;
    options.scope = ReportScope::kWhole;
    options.showGraph = c.showGraph;
    options.maxGraphs = c.maxGraphs;
    ScenarioReport report;
    ASSERT_TRUE(BuildScenarioReport(twenty, options, messages_, report));
    ASSERT_EQ(report.blocks.size(), 21u);  // the top level, then each child set
    EXPECT_EQ(report.ChartCount(), c.charts) << c.maxGraphs;
    for (int b = 0; b < c.charts; ++b) EXPECT_TRUE(report.blocks[static_cast<size_t>(b)].chart) << b;
  }
  ReportOptions options;
  ScenarioReport report;
  ASSERT_TRUE(BuildScenarioReport({G("singur", 0, 4)}, options, messages_, report));
  ASSERT_EQ(report.blocks.size(), 1u);
  EXPECT_FALSE(report.blocks[0].chart);
}

// The written flags are indexed by the group number: the last group of a
// Scenario is marked like the others, and is not tabulated twice.
TEST_F(ScenarioReportTest, TheLastGroupIsWrittenOnce) {
  const std::vector<ReportGroup> groups = {G("a", 0, 2), G("b", 1, 1), G("c", 0, 1), G("d", 1, 1), G("e", 0, 1)};
  const ScenarioReport report = Build(groups, ReportScope::kWhole, 0);
  size_t e = 0;
  for (const ReportBlock& b : report.blocks)
    for (const ReportRow& r : b.rows) e += r.name == "E";
  EXPECT_EQ(e, 1u);
}

// The flags span the whole range of group numbers: a Scenario of the most
// groups a layer holds (65,535) has its last group tabulated like the
// others.
TEST_F(ScenarioReportTest, TheHighestGroupNumberIsTabulated) {
  std::vector<ReportGroup> groups(65535, G("grup", 0, 1));
  groups.back().name = "ultimul";
  const ScenarioReport report = Build(groups, ReportScope::kWhole, 0);
  ASSERT_EQ(report.blocks.size(), 1u);
  ASSERT_EQ(report.blocks[0].rows.size(), 65535u);
  EXPECT_EQ(report.blocks[0].rows.back().name, "Ultimul");
}

// A set of siblings that starts again after a hidden sibling with a count
// does not tabulate the siblings already written.
TEST_F(ScenarioReportTest, NoGroupIsTabulatedTwice) {
  std::vector<ReportGroup> groups = {G("p", 0, 9), G("a", 1, 4), G("a1", 2, 2), G("b", 1, 3), G("c", 1, 2)};
  groups[3].active = false;
  const ScenarioReport report = Build(groups, ReportScope::kWhole, 0);
  std::vector<std::string> all;
  for (const ReportBlock& b : report.blocks)
    for (const ReportRow& r : b.rows) all.push_back(r.name);
  EXPECT_EQ(all, (std::vector<std::string>{"P", "A", "C", "A1"}));
}

TEST_F(ScenarioReportTest, ASiblingSetEndsAtTheFirstShallowerGroup) {
  // "alfa" is hidden but counted: its children do not join "beta"'s.
  const std::vector<ReportGroup> groups = {G("beta", 0, 4), G("b1", 1, 2), G("b2", 1, 2), G("alfa", 0, 3, false),
                                           G("a1", 1, 3)};
  const ScenarioReport report = Build(groups, ReportScope::kSelection, 2);
  ASSERT_EQ(report.blocks.size(), 1u);
  EXPECT_EQ(Names(report.blocks[0]), (std::vector<std::string>{"B1", "B2"}));
}

TEST_F(ScenarioReportTest, GroupsAreFoundByName) {
  EXPECT_EQ(ReportGroupNamed(Tree(), "Spital"), 5);
  EXPECT_EQ(ReportGroupNamed(Tree(), "nimic"), 0);
}

}  // namespace
}  // namespace malvex
