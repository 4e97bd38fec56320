#include "semantic/category_statistics.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>

#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

WordInfo Info(uint8_t category, uint8_t subcategory = 0, uint8_t tensePerson = 0, uint8_t modeMark = 0,
              uint8_t flags = 0, uint8_t referent = 0) {
  WordInfo info;
  info.category.category = category;
  info.category.subcategory = subcategory;
  info.category.tensePerson = tensePerson;
  info.category.modeMark = modeMark;
  info.category.flags = flags;
  info.referent = referent;
  return info;
}

// The counters a single word raises, as index -> count.
std::map<int, uint32_t> CountersOf(WordInfo info) {
  CategoryStatistics s;
  s.CountWord("mot", info);
  std::map<int, uint32_t> raised;
  for (int i = 0; i < kStatisticsIndexCount; ++i) {
    if (s.Counter(i) != 0) raised[i] = s.Counter(i);
  }
  return raised;
}

TEST(CategoryStatisticsTest, EachWordRaisesTheCountersOfItsCategory) {
  struct Case {
    const char* name;
    WordInfo info;
    std::map<int, uint32_t> raised;
  };
  const Case cases[] = {
      {"factive verb, present indicative, auxiliary", Info(1, 1, 1, 1, kFlagAuxiliary), {{4, 1}, {16, 1}, {10, 1}, {3, 1}}},
      {"performative verb, future subjunctive", Info(1, 4, 3, 3), {{7, 1}, {18, 1}, {12, 1}}},
      {"verb of other tense and mode", Info(1, 2, 4, 6), {{5, 1}, {19, 1}, {15, 1}}},
      {"verb without subclass, tense or mode", Info(1), {}},
      {"connector of manner", Info(2, 10), {{30, 1}}},
      {"connector without subclass", Info(2), {}},
      {"modality of intensity", Info(3, 7), {{39, 1}}},
      {"objective adjective", Info(4, 1), {{62, 1}}},
      {"numeral", Info(4, 3), {{64, 1}}},
      {"adjective of another subclass", Info(4, 9), {{65, 1}}},
      {"relative pronoun, first person", Info(5, 1, 1), {{56, 1}}},
      {"personal pronoun, second person", Info(5, 3, 2), {{58, 1}, {71, 1}}},
      {"deixis pronoun, first person", Info(5, 4, 1), {{59, 1}, {70, 1}}},
      {"personal pronoun, seventh person", Info(5, 3, 7), {{58, 1}, {76, 1}}},
      {"personal pronoun without person", Info(5, 3, 0), {{58, 1}}},
      {"determinant", Info(6), {{53, 1}}},
      {"second determinant kind", Info(7), {{61, 1}}},
      {"substantive, fundamental", Info(8, 0, 0, 0, kFlagFundamental), {{54, 1}, {40, 1}}},
      {"unclassified word", Info(0), {{54, 1}}},
      {"undetermined word", Info(9), {}},
      {"principal referent", Info(8, 0, 0, 0, 0, 1), {{54, 1}, {68, 1}}},
      {"secondary referent", Info(8, 0, 0, 0, 0, 2), {{54, 1}, {69, 1}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CountersOf(c.info), c.raised);
  }
}

TEST(CategoryStatisticsTest, EndMarkersCountPropositionsAndEmptyTextsNothing) {
  CategoryStatistics s;
  WordInfo marker = Info(0);
  s.CountWord("/", marker);
  WordInfo nothing = Info(8);
  s.CountWord("", nothing);
  s.CountWord(nullptr, nothing);
  EXPECT_EQ(s.Propositions(), 1u);
  EXPECT_EQ(s.Words(), 0u);
  EXPECT_EQ(s.Counter(kStatSubstantive), 0u);
  EXPECT_EQ(marker.category.category, 0);  // an end marker stays as it is
  EXPECT_EQ(s.Total(), 1u);
  // A text of end markers only has nothing to finalise.
  EXPECT_FALSE(s.FinaliseStatistics());
  EXPECT_EQ(s.Counter(kStatProposition), 0u);
}

TEST(CategoryStatisticsTest, UnclassifiedWordIsStoredAsSubstantive) {
  CategoryStatistics s;
  WordInfo info = Info(0);
  s.CountWord("popescu", info);
  EXPECT_EQ(info.category.category, kClassSubstantive);
}

TEST(CategoryStatisticsTest, FinalisingFillsTotalsAndPercentages) {
  CategoryStatistics s;
  const auto add = [&s](int n, WordInfo info) {
    for (int k = 0; k < n; ++k) {
      WordInfo copy = info;
      s.CountWord("w", copy);
    }
  };
  add(2, Info(1, 1, 1, 1));  // factive, present, indicative
  add(2, Info(1, 2, 2, 1));  // stative, past, indicative
  add(3, Info(4, 1));
  add(1, Info(4, 3));
  add(1, Info(2, 4));
  add(1, Info(5, 3, 1));      // personal "I"
  add(1, Info(5, 4, 4));      // deixis "We"
  add(1, Info(5, 1));         // relative: no person counted
  add(8, Info(8, 0, 0, 0, 0, 1));
  add(2, Info(8, 0, 0, 0, 0, 2));
  WordInfo marker;
  s.CountWord("/", marker);
  s.CountWord("/", marker);
  ASSERT_TRUE(s.FinaliseStatistics());
  const uint32_t words = 22;
  EXPECT_EQ(s.Counter(kStatWord), words);
  EXPECT_EQ(s.Counter(kStatProposition), 2u);
  EXPECT_EQ(s.Counter(kStatVerb), 4u);
  EXPECT_EQ(s.Counter(kStatAdjective), 4u);
  EXPECT_EQ(s.Counter(kStatConnector), 1u);
  EXPECT_EQ(s.Counter(kStatConnectorTotal), 1u);
  EXPECT_EQ(s.Counter(kStatModality), 0u);
  EXPECT_EQ(s.Counter(kStatPronoun), 3u);
  EXPECT_EQ(s.Counter(kStatReferent), 10u);

  // Within groups: the adjectives over the adjectives, the verb subclasses,
  // tenses and modes over the verbs, the persons over the personal and
  // deixis pronouns.
  EXPECT_DOUBLE_EQ(s.Percentage(kStatAdjectiveSubclass), 75.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatAdjectiveSubclass + 2), 25.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatVerbSubclass), 50.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatTense + 1), 50.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatMode), 100.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatConnectorSubclass + 3), 100.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatPerson), 50.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatPerson + 3), 50.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatPronounSubclass), 100.0 / 3.0);
  // Over all words.
  EXPECT_DOUBLE_EQ(s.Percentage(kStatWord), 100.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatAdjective), 4.0 / words * 100.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatSubstantive), 10.0 / words * 100.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatPrincipalReferent), 8.0 / words * 100.0);
  // Nothing counted, no percentage; the propositions have none.
  EXPECT_DOUBLE_EQ(s.Percentage(kStatModality), 0.0);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatProposition), 0.0);
  // Out of range.
  EXPECT_EQ(s.Counter(-1), 0u);
  EXPECT_EQ(s.Counter(kStatisticsIndexCount), 0u);

  s.ResetStatistics();
  EXPECT_EQ(s.Counter(kStatWord), 0u);
  EXPECT_EQ(s.Words(), 0u);
  EXPECT_DOUBLE_EQ(s.Percentage(kStatAdjectiveSubclass), 0.0);
}

TEST(CategoryStatisticsTest, LabelsNameTheGroupThenTheIndex) {
  ScriptedBox box;
  Messages messages(box);
  struct Case {
    int index;
    const char* label;
  };
  const Case cases[] = {
      {3, "Verb Auxiliary"},
      {5, "Verb Stative"},
      {12, "Verb Subjunctive"},
      {19, "Verb Other tenses"},
      {20, "Connector Connector"},
      {21, "Connector Condition"},
      {32, "Modality Modality"},
      {39, "Modality Intensity"},
      {43, "Verb"},
      {48, "Word"},
      {53, "Preposition"},
      {57, "Pronoun Possessive"},
      {70, "Pronoun \"I\""},
      {76, "Pronoun \"Somebody\""},
      {62, "Adjective Objective"},
      {65, "Adjective Others"},
      // Determinants and referents belong to neither the adjectives nor
      // the pronouns.
      {61, "Determinant"},
      {67, "Referent nucleus"},
      {68, "Referent (principal)"},
      {69, "Referent (secondary)"},
      {78, ""},
      {-1, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StatisticsLabel(messages, c.index), c.label) << c.index;
  }
}

}  // namespace
}  // namespace malvex
