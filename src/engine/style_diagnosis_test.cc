#include "semantic/style_diagnosis.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "semantic/category_statistics.h"
#include "semantic/diagnosis_list.h"
#include "semantic/result_lines.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

// Words of one category, n times.
struct Words {
  uint8_t category;
  uint8_t subcategory;
  int n;
  uint8_t person = 0;
};

constexpr Words Subst(int n) { return {8, 0, n}; }

// Statistics of a text made of `words` and `propositions` end markers.
CategoryStatistics Statistics(const std::vector<Words>& words, int propositions = 0) {
  CategoryStatistics s;
  for (const Words& w : words) {
    for (int i = 0; i < w.n; ++i) {
      WordInfo info;
      info.category.category = w.category;
      info.category.subcategory = w.subcategory;
      info.category.tensePerson = w.person;
      s.CountWord("mot", info);
    }
  }
  for (int i = 0; i < propositions; ++i) {
    WordInfo info;
    s.CountWord("/", info);
  }
  s.FinaliseStatistics();
  return s;
}

std::vector<int> Entries(const DiagnosisList& list) {
  std::vector<int> ids;
  for (int i = 0; i < list.Count(); ++i) ids.push_back(list.Entry(i));
  return ids;
}

class StyleDiagnosisTest : public ::testing::Test {
 protected:
  std::vector<int> Diagnose(const CategoryStatistics& s, ResultLines* lines, bool show = true,
                            BordersReport borders = {}, uint32_t tokens = 1000) {
    const StyleFacts facts{s, tables, tokens, borders};
    DiagnoseStyle(list, facts, messages, lines, show);
    return Entries(list);
  }

  ScriptedBox box;
  Messages messages{box};
  LanguageTables tables = DefaultLanguageTables();
  DiagnosisList list;
};

TEST_F(StyleDiagnosisTest, EachStyleFamilyIsTriedOnlyOnAnEmptyList) {
  struct Case {
    const char* name;
    std::vector<Words> words;
    std::vector<int> expected;
  };
  const Case cases[] = {
      // Narrative and descriptive markers pass their norms too, but the text
      // is argumentative first; the factive verbs give the dynamic setting.
      {"argumentative",
       {Subst(50), {2, 2, 10}, {2, 3, 10}, {2, 6, 10}, {3, 1, 10}, {3, 2, 10}, {1, 1, 10}, {4, 2, 10}},
       {338, 345, 350}},
      // The connector total above its norm takes one marker off: four
      // markers still make three.
      {"narrative", {Subst(50), {2, 4, 10}, {3, 1, 10}, {3, 2, 10}, {1, 1, 10}}, {339, 345, 350}},
      // Two entries already: the dynamic setting is not added although
      // factive verbs pass their norm.
      {"enunciative", {Subst(50), {1, 3, 10}, {1, 4, 10}, {1, 1, 20}}, {340, 347, 350}},
      {"descriptive, in the real", {Subst(50), {1, 2, 10}, {4, 1, 10}}, {341, 346, 350}},
      {"nothing detected", {Subst(50)}, {342, 350}},
      {"first person", {Subst(50), {5, 4, 10, 1}}, {342, 348, 350}},
      {"doubt", {Subst(50), {3, 5, 10}}, {342, 310, 350}},
      {"a single doubt is not enough", {Subst(50), {3, 5, 1}, {3, 3, 9}}, {342, 350}},
      {"large enough to be significant", {Subst(500)}, {342}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    CollectedLines lines;
    EXPECT_EQ(Diagnose(Statistics(c.words), &lines), c.expected);
    ASSERT_EQ(lines.lines.size(), c.expected.size());
    for (size_t i = 0; i < c.expected.size(); ++i) EXPECT_EQ(lines.lines[i], messages.message(c.expected[i]));
  }
}

TEST_F(StyleDiagnosisTest, WithoutAResultListNothingIsShownAndNoStyleIsNotAVerdict) {
  const CategoryStatistics s = Statistics({Subst(50)});
  EXPECT_EQ(Diagnose(s, nullptr), (std::vector<int>{350}));
  // Attached but not shown (the printing asks for the ids only).
  CollectedLines lines;
  EXPECT_EQ(Diagnose(s, &lines, false), (std::vector<int>{342, 350}));
  EXPECT_TRUE(lines.lines.empty());
}

TEST_F(StyleDiagnosisTest, APercentageEqualToItsNormIsNotAbove) {
  // Five stative verbs of ten are exactly 50 %.
  const CategoryStatistics s = Statistics({Subst(50), {1, 2, 5}, {1, 4, 5}, {4, 1, 10}});
  ASSERT_EQ(s.Percentage(5), 50.0);
  tables.norm[5 - 1] = 50;
  EXPECT_EQ(Diagnose(s, nullptr), (std::vector<int>{350}));
  tables.norm[5 - 1] = 49;
  EXPECT_EQ(Diagnose(s, nullptr), (std::vector<int>{341, 346, 350}));
}

TEST_F(StyleDiagnosisTest, IrregularSyntaxWhenAWordClassFallsBelowASixthOfThePropositions) {
  struct Case {
    const char* name;
    int verbs, modalities, connectors, adjectives, substantives;
    bool irregular;
  };
  const Case cases[] = {
      {"every class reaches 100", 100, 100, 100, 100, 100, false},
      {"99 adjectives", 100, 100, 100, 99, 100, true},
      {"99 verbs", 99, 100, 100, 100, 100, true},
      {"99 modalities", 100, 99, 100, 100, 100, true},
      {"99 connectors", 100, 100, 99, 100, 100, true},
      {"99 substantives", 100, 100, 100, 100, 99, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const CategoryStatistics s = Statistics(
        {{1, 1, c.verbs}, {3, 1, c.modalities}, {2, 2, c.connectors}, {4, 1, c.adjectives}, Subst(c.substantives),
         {6, 0, 10}},
        600);
    ASSERT_EQ(s.Counter(kStatProposition), 600u);
    Diagnose(s, nullptr);
    EXPECT_EQ(list.Holds(351), c.irregular);
    EXPECT_FALSE(list.Holds(350));
  }
}

TEST_F(StyleDiagnosisTest, BordersLineClosesTheDiagnosis) {
  struct Case {
    BordersReport borders;
    int last;
  };
  const Case cases[] = {{{true, 4}, 352}, {{true, 0}, 353}, {{false, 0}, 350}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.last);
    const std::vector<int> ids = Diagnose(Statistics({Subst(50)}), nullptr, true, c.borders);
    ASSERT_FALSE(ids.empty());
    EXPECT_EQ(ids.back(), c.last);
  }
}

TEST_F(StyleDiagnosisTest, AnEmptyStreamGivesOneEntryAndNoVerdict) {
  struct Case {
    BordersReport borders;
    int id;
  };
  const Case cases[] = {{{true, 3}, 555}, {{true, 0}, 18}, {{false, 0}, 18}};
  const CategoryStatistics s = Statistics({});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    CollectedLines lines;
    EXPECT_EQ(Diagnose(s, &lines, true, c.borders, 1), std::vector<int>{c.id});
    EXPECT_EQ(lines.lines, std::vector<std::string>{messages.message(c.id)});
  }
}

TEST_F(StyleDiagnosisTest, ARefusedLineEndsTheDiagnosis) {
  const CategoryStatistics s = Statistics({Subst(50), {1, 2, 10}, {4, 1, 10}});
  CollectedLines lines(1);
  EXPECT_EQ(Diagnose(s, &lines), (std::vector<int>{341, 346}));
  EXPECT_EQ(lines.lines, std::vector<std::string>{messages.message(341)});
}

TEST(StyleDiagnosisEngineTest, TheEngineGivesTheStatisticsTheStreamAndTheBorders) {
  testing::TempDir dir;
  ASSERT_TRUE(testing::WriteTestInstallation(dir.path()));
  testing::QuietFrontEnd frontEnd;
  EngineOptions options;
  options.places = testing::TestSettingsPlaces(dir.path());
  Engine engine(frontEnd, options);
  ASSERT_TRUE(engine.StartEngine());
  DiagnosisList list;
  CollectedLines lines;

  DiagnoseStyle(list, engine, &lines, true);
  EXPECT_EQ(Entries(list), std::vector<int>{18});

  // A stative verb and an objective adjective: a descriptive text.
  WordInfo verb;
  verb.category.category = kClassVerb;
  verb.category.subcategory = 2;
  WordInfo adjective;
  adjective.category.category = kClassAdjective;
  adjective.category.subcategory = 1;
  for (WordInfo* info : {&verb, &adjective}) {
    engine.statistics().CountWord("w", *info);
    ASSERT_TRUE(engine.stream().Append("w", "", *info, engine.stream().HighestPosition() + 1, 0, 1));
  }
  engine.statistics().FinaliseStatistics();
  engine.run().borders = BordersReport{true, 2};
  DiagnoseStyle(list, engine, nullptr, false);
  EXPECT_EQ(Entries(list), (std::vector<int>{341, 346, 350, 352}));
}

TEST(StyleLineTest, SelectionTable) {
  struct Case {
    int id;
    StyleLineAction action;
    int explanation;
    std::vector<std::pair<int, int>> slots;  // stored (group, position)
  };
  using A = StyleLineAction;
  const Case cases[] = {
      {338, A::kColoration, 354, {{3, 6}, {3, 7}, {4, 6}, {4, 7}}},
      {340, A::kColoration, 356, {{4, 7}, {4, 4}, {6, 4}, {2, 3}}},
      {348, A::kColoration, 363, {{6, 1}}},
      {310, A::kColoration, 325, {{4, 5}}},
      {342, A::kText, 358, {}},
      {353, A::kText, 368, {}},
      {555, A::kText, 555, {}},
      {563, A::kFirstEpisode, 0, {}},
      {566, A::kCharacteristicParts, 369, {}},
      {717, A::kFilesSearched, 0, {}},
      {999, A::kNothing, 0, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    const StyleLineSelection s = DescribeStyleLine(c.id);
    EXPECT_EQ(s.action, c.action);
    EXPECT_EQ(s.explanation, c.explanation);
    std::vector<std::pair<int, int>> slots;
    for (int i = 0; i < s.slotCount; ++i) slots.emplace_back(s.slots[i].group, s.slots[i].position);
    EXPECT_EQ(slots, c.slots);
  }
}

TEST(StyleLineTest, SelectingAnEntryStoresTheLineAndGivesItsVerdict) {
  DiagnosisList list;
  list.PushEntry(339);
  list.PushEntry(350);
  EXPECT_EQ(SelectDiagnosisEntry(list, 1), 350);
  EXPECT_EQ(list.Selected(), 1);
  EXPECT_EQ(SelectDiagnosisEntry(list, 2), 0);
  EXPECT_EQ(SelectDiagnosisEntry(list, 79), 0);
}

TEST(StyleLineTest, AtMostTwentyVerdictsAreKept) {
  DiagnosisList list;
  for (int i = 1; i <= 21; ++i) list.PushEntry(i);
  EXPECT_EQ(list.Count(), 20);
  EXPECT_EQ(list.Entry(19), 20);
  EXPECT_FALSE(list.Holds(21));
}

TEST(StyleLineTest, ComposedTexts) {
  ScriptedBox box;
  Messages messages(box);
  EXPECT_EQ(CharacteristicPartsText(messages, 12, 340), " 12 " + messages.message(573) + " 340");
  EXPECT_EQ(FilesSearchedText(messages, 7), "7 " + messages.message(418));
}

}  // namespace
}  // namespace malvex
