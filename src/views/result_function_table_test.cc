#include "views/result_function_table.h"

#include <gtest/gtest.h>

#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

class ResultFunctionTableTest : public ::testing::Test {
 protected:
  ResultFunctionTableTest() : messages(box) {}
  ScriptedBox box;
  Messages messages;
  ResultFunctionTable table;
};

TEST_F(ResultFunctionTableTest, FixedFunctionsComeInTheirOrderAtTheMenuPositions) {
  table.Build(500, 0);
  const struct {
    int position;
    ResultKind kind;
    uint8_t level;
    int32_t title;
    const char* text;
  } cases[] = {
      {ResultFunctionTable::kTextStyle, ResultKind::kTextStyle, kMainFunction, 304, "Text style"},
      {ResultFunctionTable::kReferenceFields1, ResultKind::kReferenceFields1, kMainFunction, 307, "Reference fields 1"},
      {ResultFunctionTable::kReferenceFields2, ResultKind::kReferenceFields2, kMainFunction, 308, "Reference fields 2"},
      {ResultFunctionTable::kReferences, ResultKind::kReferences, kMainFunction, 300, "References"},
      {ResultFunctionTable::kScenario, ResultKind::kScenario, kMainFunction, 309, "Scenario"},
      {ResultFunctionTable::kRelations, ResultKind::kRelations, kMainFunction, 390, "Relations"},
      {ResultFunctionTable::kFrequentCategories, ResultKind::kCategories, kMainFunction, 302, "Frequent word categories"},
      {ResultFunctionTable::kAllCategories, ResultKind::kCategories, kSecondaryFunction, 303, "All word categories"},
      {ResultFunctionTable::kVerbs, ResultKind::kVerbs, kSecondaryFunction, 845, "Verbs"},
      {ResultFunctionTable::kAdjectives, ResultKind::kAdjectives, kSecondaryFunction, 848, "Adjectives"},
      {ResultFunctionTable::kSubstantives, ResultKind::kSubstantives, kSecondaryFunction, 852, "Substantives"},
  };
  ASSERT_EQ(table.Count(), 11);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.position);
    const ResultFunction f = table.At(c.position);
    EXPECT_EQ(f.kind, c.kind);
    EXPECT_EQ(f.level, c.level);
    EXPECT_EQ(f.titleId, c.title);
    EXPECT_EQ(table.Title(messages, c.position), c.text);
    EXPECT_EQ(table.EpisodeNumber(c.position), 0);
  }
  EXPECT_FALSE(table.EmptyText());
}

TEST_F(ResultFunctionTableTest, EpisodesFollowNumberedFromOneUpToTheCapacity) {
  table.Build(10000, 3);
  ASSERT_EQ(table.Count(), 14);
  for (int e = 1; e <= 3; ++e) {
    const int position = ResultFunctionTable::kFirstEpisode + e - 1;
    EXPECT_EQ(table.At(position).kind, ResultKind::kEpisode);
    EXPECT_EQ(table.At(position).level, kSecondaryFunction);
    EXPECT_EQ(table.EpisodeNumber(position), e);
    EXPECT_EQ(table.Title(messages, position), "Episode " + std::to_string(e));
  }

  // 250 episodes: only 190 fit beside the eleven fixed functions.
  table.Build(10000, 250);
  EXPECT_EQ(table.Count(), ResultFunctionTable::kCapacity);
  EXPECT_EQ(table.EpisodeNumber(200), 190);
  EXPECT_EQ(table.Title(messages, 200), "Episode 190");
  EXPECT_EQ(table.At(201).kind, ResultKind::kNone);
  EXPECT_EQ(table.Title(messages, 201), "");
  EXPECT_EQ(table.Title(messages, -1), "");
}

TEST_F(ResultFunctionTableTest, TextOfAtMostOneWordOffersNoFunction) {
  for (int64_t words : {0, 1}) {
    table.Build(words, 5);
    EXPECT_EQ(table.Count(), 0) << words;
    EXPECT_TRUE(table.EmptyText()) << words;
  }
  table.Build(2, 0);
  EXPECT_EQ(table.Count(), 11);
  EXPECT_FALSE(table.EmptyText());
  table.Clear();
  EXPECT_EQ(table.Count(), 0);
  EXPECT_EQ(table.At(0).kind, ResultKind::kNone);
}

TEST_F(ResultFunctionTableTest, InformationLineFollowsKindRelationLevelAndScenario) {
  table.Build(500, 1);
  const struct {
    int position;
    int relationLevel;
    bool scenario;
    int id;
  } cases[] = {
      {ResultFunctionTable::kTextStyle, 1, false, 291},
      {ResultFunctionTable::kReferenceFields1, 1, false, 293},
      {ResultFunctionTable::kReferenceFields2, 1, false, 294},
      {ResultFunctionTable::kReferences, 1, false, 288},
      {ResultFunctionTable::kScenario, 1, true, 296},
      {ResultFunctionTable::kScenario, 1, false, 455},
      {ResultFunctionTable::kRelations, 1, true, 298},
      {ResultFunctionTable::kRelations, 2, false, 292},
      {ResultFunctionTable::kRelations, 3, false, 292},
      {ResultFunctionTable::kRelations, 4, true, 526},
      {ResultFunctionTable::kRelations, 4, false, 455},
      {ResultFunctionTable::kFrequentCategories, 1, false, 290},
      {ResultFunctionTable::kAllCategories, 1, false, 295},
      {ResultFunctionTable::kVerbs, 1, false, 854},
      {ResultFunctionTable::kAdjectives, 1, false, 855},
      {ResultFunctionTable::kSubstantives, 1, false, 852},
      {ResultFunctionTable::kFirstEpisode, 1, false, 890},
  };
  for (const auto& c : cases) {
    InformationContext context;
    context.relationLevel = c.relationLevel;
    context.scenarioLoaded = c.scenario;
    EXPECT_EQ(InformationLineId(table.At(c.position), context), c.id)
        << c.position << " level " << c.relationLevel << " scenario " << c.scenario;
  }
  InformationContext context;
  context.scenarioLoaded = true;
  context.scenarioName = "Concepte";
  EXPECT_EQ(InformationLine(messages, table.At(ResultFunctionTable::kScenario), context),
            "Show every pertinent groups of your Scenario: Concepte");
  EXPECT_EQ(InformationLine(messages, ResultFunction{}, context), "");
}

TEST(ClassLevelOfKindTest, ClassKindsNameTheirLevel) {
  EXPECT_EQ(ClassLevelOfKind(ResultKind::kReferences), 1);
  EXPECT_EQ(ClassLevelOfKind(ResultKind::kReferenceFields2), 2);
  EXPECT_EQ(ClassLevelOfKind(ResultKind::kReferenceFields1), 3);
  EXPECT_EQ(ClassLevelOfKind(ResultKind::kScenario), 4);
  EXPECT_EQ(ClassLevelOfKind(ResultKind::kVerbs), 0);
}

}  // namespace
}  // namespace malvex
