#include "semantic/word_category_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "semantic/category_statistics.h"
#include "semantic/diagnosis_list.h"
#include "semantic/result_lines.h"

namespace malvex {
namespace {

class WordCategoryListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // 8 factive and 2 stative verbs, 3 cause and 1 time connectors, 3
    // personal pronouns of the first person.
    Count(1, 1, 0, 8);
    Count(1, 2, 0, 2);
    Count(2, 2, 0, 3);
    Count(2, 8, 0, 1);
    Count(5, 3, 1, 3);
    Count(8, 0, 0, 20);
    stats.FinaliseStatistics();
  }
  void Count(uint8_t category, uint8_t subcategory, uint8_t person, int n) {
    for (int i = 0; i < n; ++i) {
      WordInfo info;
      info.category.category = category;
      info.category.subcategory = subcategory;
      info.category.tensePerson = person;
      stats.CountWord("mot", info);
    }
  }
  std::string Label(int index) { return messages.message(kStatisticsFirstMessage + index); }

  ScriptedBox box;
  Messages messages{box};
  LanguageTables tables = DefaultLanguageTables();
  CategoryStatistics stats;
  DiagnosisList list;
};

TEST_F(WordCategoryListTest, AllCategoriesUnderTheirHeaders) {
  CollectedLines lines;
  ListWordCategories(list, stats, tables, messages, lines, false);
  // Five headers, 4 verb, 9 connector, 7 modality, 3 adjective and 7
  // pronoun lines.
  ASSERT_EQ(lines.lines.size(), 35u);
  EXPECT_EQ(list.Count(), 35);
  EXPECT_EQ(lines.lines[0], "* " + messages.message(845) + " :");
  EXPECT_EQ(lines.lines[1], Label(4) + "\t 80.0%\t(\t8\t)");
  EXPECT_EQ(lines.lines[2], Label(5) + "\t 20.0%\t(\t2\t)");
  EXPECT_EQ(lines.lines[4], Label(7) + "\t  0.0%\t(\t0\t)");
  EXPECT_EQ(lines.lines[5], "* " + messages.message(846) + " :");
  EXPECT_EQ(lines.lines[14], Label(29) + "\t  0.0%\t(\t0\t)");
  EXPECT_EQ(lines.lines[35 - 8], "* " + messages.message(849) + " :");
  EXPECT_EQ(lines.lines[35 - 7], Label(70) + "\t100.0%\t(\t3\t)");

  struct Line {
    int k, kind, position, explanation;
  };
  const Line expected[] = {
      {0, 2, 0, 856},  {1, 2, 1, 237},  {4, 2, 4, 240},   {5, 3, 0, 858},   {7, 3, 2, 862},
      {14, 3, 9, 869}, {15, 4, 0, 859}, {16, 4, 1, 870},  {23, 5, 0, 860},  {26, 5, 3, 246},
      {27, 6, 0, 857}, {28, 6, 1, 466}, {34, 6, 7, 472},
  };
  for (const Line& l : expected) {
    SCOPED_TRACE(l.k);
    EXPECT_EQ(list.LineKind(l.k), l.kind);
    EXPECT_EQ(list.LinePosition(l.k), l.position);
    EXPECT_EQ(list.LineExplanation(l.k), l.explanation);
  }
}

TEST_F(WordCategoryListTest, SignificantOnlyKeepsCategoriesReachingTheirNormWithMoreThanTwoWords) {
  // The stative verbs reach exactly their norm but are only two; the cause
  // connectors are three and above theirs; the first person is 100 %.
  tables.norm[5 - 1] = 20;
  CollectedLines lines;
  ListWordCategories(list, stats, tables, messages, lines, true);
  const std::vector<std::string> expected = {
      "* " + messages.message(845) + " :", Label(4) + "\t 80.0%\t(\t8\t)",
      "* " + messages.message(846) + " :", Label(22) + "\t 75.0%\t(\t3\t)",
      "* " + messages.message(847) + " :", "* " + messages.message(848) + " :",
      "* " + messages.message(849) + " :", Label(70) + "\t100.0%\t(\t3\t)",
  };
  EXPECT_EQ(lines.lines, expected);
  EXPECT_EQ(list.LinePosition(3), 2);
  EXPECT_EQ(list.LineExplanation(3), 862);

  // A norm equal to the percentage passes the filter.
  tables.norm[22 - 1] = 75;
  tables.norm[4 - 1] = 80;
  CollectedLines again;
  ListWordCategories(list, stats, tables, messages, again, true);
  EXPECT_EQ(again.lines, expected);
}

TEST_F(WordCategoryListTest, ARefusedLineEndsTheListAndIsNotCounted) {
  CollectedLines lines(3);
  ListWordCategories(list, stats, tables, messages, lines, false);
  EXPECT_EQ(lines.lines.size(), 3u);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.LineKind(3), 0);
}

TEST_F(WordCategoryListTest, SelectingALine) {
  CollectedLines lines;
  ListWordCategories(list, stats, tables, messages, lines, false);

  CategoryLineSelection s = SelectCategoryLine(list, 7);
  EXPECT_EQ(s.action, CategoryLineAction::kColoration);
  EXPECT_EQ(s.slot.group, 3);
  EXPECT_EQ(s.slot.position, 2);
  EXPECT_EQ(s.explanation, 862);
  EXPECT_EQ(list.Selected(), 7);

  // A header selects the whole group.
  s = SelectCategoryLine(list, 27);
  EXPECT_EQ(s.slot.group, 6);
  EXPECT_EQ(s.slot.position, 0);
  EXPECT_EQ(s.explanation, 857);

  EXPECT_EQ(SelectCategoryLine(list, 79).action, CategoryLineAction::kPlainColoration);
  EXPECT_EQ(SelectCategoryLine(list, 35).action, CategoryLineAction::kIgnored);
  list.SetEnabled(false);
  EXPECT_EQ(SelectCategoryLine(list, 7).action, CategoryLineAction::kIgnored);
  EXPECT_EQ(list.Selected(), 27);
}

TEST_F(WordCategoryListTest, LineGroupGivesTheColourOfTheLineKind) {
  CollectedLines lines;
  ListWordCategories(list, stats, tables, messages, lines, false);
  struct Case {
    int k, colour;
  };
  // verbs, connectors, modalities, adjectives, pronouns, unused line, out of range.
  const Case cases[] = {{1, 1}, {5, 2}, {16, 3}, {24, 4}, {34, 5}, {40, 6}, {79, 0}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.k);
    EXPECT_EQ(LineGroupOf(list, c.k), c.colour);
  }
}

}  // namespace
}  // namespace malvex
