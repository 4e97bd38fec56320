#include "views/scenario_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace malvex {
namespace {

ClassRow Row(const char* name, int depth, uint32_t frequency) {
  ClassRow row;
  row.name = name;
  row.depth = depth;
  row.frequency = frequency;
  return row;
}

std::vector<std::string> Lines(const std::vector<ClassRow>& rows) {
  std::vector<std::string> lines;
  for (const ClassRow& row : rows) lines.push_back(ScenarioLine(row));
  return lines;
}

TEST(ScenarioListTest, SubGroupsAreIndentedByDepth) {
  ClassRow share = Row("masini", 2, 6);
  share.share = 66;
  EXPECT_EQ(Lines({Row("obiecte", 0, 12), Row("unelte", 1, 7), share}),
            (std::vector<std::string>{"obiecte\t0012", "  unelte\t0007", "    masini\t0006\t(66%)"}));
}

TEST(ScenarioListTest, AlphabeticalOrderMovesTopGroupsWithTheirSubtrees) {
  std::vector<ClassRow> rows = {Row("timp", 0, 9),     Row("perioade", 1, 5), Row("ore", 2, 3),
                                Row("animale", 0, 7),  Row("pesti", 1, 4),    Row("\xBAtiin\xFE\xE3", 0, 3),
                                Row("sport", 0, 3)};
  SortScenarioRowsAlphabetically(rows);
  EXPECT_EQ(Lines(rows), (std::vector<std::string>{"animale\t0007", "  pesti\t0004", "sport\t0003",
                                                   "\xBAtiin\xFE\xE3\t0003", "timp\t0009", "  perioade\t0005",
                                                   "    ore\t0003"}));
  std::vector<ClassRow> none;
  SortScenarioRowsAlphabetically(none);
  EXPECT_TRUE(none.empty());
}

TEST(ScenarioListTest, HiddenBranchesLeaveTheTopGroupsInTheirOrder) {
  struct Case {
    const char* name;
    std::vector<ClassRow> rows;
    std::vector<std::string> shown;
  };
  const Case cases[] = {
      {"sub-groups dropped",
       {Row("timp", 0, 9), Row("perioade", 1, 5), Row("ore", 2, 3), Row("animale", 0, 7), Row("pesti", 1, 4)},
       {"timp\t0009", "animale\t0007"}},
      {"no sub-groups", {Row("sport", 0, 3), Row("timp", 0, 2)}, {"sport\t0003", "timp\t0002"}},
      // Rows that all lie below the top level keep the shallowest ones.
      {"shallowest kept", {Row("unelte", 1, 7), Row("masini", 2, 6), Row("arme", 1, 2)},
       {"  unelte\t0007", "  arme\t0002"}},
      {"empty", {}, {}},
  };
  for (const Case& c : cases) {
    std::vector<ClassRow> rows = c.rows;
    HideScenarioBranches(rows);
    EXPECT_EQ(Lines(rows), c.shown) << c.name;
  }
}

}  // namespace
}  // namespace malvex
