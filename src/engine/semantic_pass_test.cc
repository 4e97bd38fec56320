#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/semantic_pass_test_fixture.h"

namespace malvex {
namespace {

using testing::WordCategoryOf;
using testing::kNoun;
using testing::kPreposition;
using testing::kVerb;
using testing::SemanticPassTest;
using testing::TableScenario;

TEST_F(SemanticPassTest, RelationsOfPropositionsBySignificantWords) {
  // Each word's back-pairs reach two to five places; the last word has none.
  const struct {
    int words;
    std::vector<std::string> pairs;
  } cases[] = {
      {1, {"->-"}},
      {2, {"w1>w2"}},
      {3, {"w1>w2", "w2>w3"}},
      {4, {"w1>w2", "w2>w3", "w3>w4", "w1>w3"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    engine->stream().Reset();
    position = 0;
    Nouns(c.words);
    ASSERT_TRUE(Run());
    EXPECT_EQ(Pairs(), c.pairs);
    EXPECT_EQ(context->propositions().Count(), 1u);
    // One entry per proposition begins it; the others continue it.
    RelationStore& relations = context->relations();
    for (uint32_t i = 0; i < relations.Count(); ++i) EXPECT_EQ(relations.Entry(i).continuation, i == 0 ? 0 : 1);
  }
}

TEST_F(SemanticPassTest, TwentyTwoSignificantWordsKeep21ItemsAndPairTheFirst20) {
  Nouns(22);
  ASSERT_TRUE(Run());
  PropositionView view;
  context->propositions().Rewind();
  ASSERT_TRUE(context->propositions().Next(view));
  EXPECT_EQ(view.itemCount, 21);
  EXPECT_EQ(Name(1, view.items[20].at(1)), "w21");
  const std::vector<std::string> pairs = Pairs();
  // Words 1..20: 19 neighbour pairs, and 0+0+1+2+3+4 then 4 per word for the
  // back-pairs of words 3..19.
  EXPECT_EQ(pairs.size(), 19u + 1 + 2 + 3 + 4 * 14);
  // The last word paired is word 20, by word 19, whose back-pairs follow.
  EXPECT_NE(std::find(pairs.begin(), pairs.end(), "w19>w20"), pairs.end());
  EXPECT_EQ(pairs.back(), "w14>w19");
  for (const std::string& p : pairs) {
    EXPECT_EQ(p.find("w21"), std::string::npos) << p;
    EXPECT_EQ(p.find("w22"), std::string::npos) << p;
  }
  // Word 10 pairs with 11 and back with 5..8.
  const std::vector<std::string> expected = {"w10>w11", "w8>w10", "w7>w10", "w6>w10", "w5>w10"};
  auto at = std::find(pairs.begin(), pairs.end(), "w10>w11");
  ASSERT_NE(at, pairs.end());
  EXPECT_EQ(std::vector<std::string>(at, at + 5), expected);
}

TEST_F(SemanticPassTest, OnlyNounsBeforeTheFirstVerbAreActants) {
  Add("om", kNoun);
  Add("merge", kVerb);
  Add("casa", kNoun);
  End();
  Add("casa", kNoun);
  Add("de", kPreposition);
  Add("om", kNoun);
  End();
  ASSERT_TRUE(Run());
  const int32_t om = Word(1)->info.classPath[0];
  const int32_t casa = Word(3)->info.classPath[0];
  ASSERT_NE(om, 0);
  ASSERT_NE(casa, 0);
  // om: before the verb once and in a verbless proposition once.
  EXPECT_EQ(context->actantCount(1, om), 2u);
  EXPECT_EQ(context->actantCount(1, casa), 1u);
  EXPECT_EQ(dictionary().ClassCount(1, casa), 2u);
  EXPECT_EQ(context->actantShare(1, casa), 50);
  // Every level of the class path counts.
  EXPECT_EQ(context->actantCount(3, static_cast<int32_t>(Word(1)->info.classPath[2])), 2u);
  // Relation weight: a verb and at most 3 significant words.
  EXPECT_EQ(context->relations().Entry(0).weight, 1);
  EXPECT_EQ(context->relations().Entry(1).weight, 0);
}

TEST_F(SemanticPassTest, ClassesMadeDuringTheRunHaveActantCountersToo) {
  // Unknown nouns get level-1 classes numbered after the dictionary's own.
  Nouns(3, "necunoscut");
  ASSERT_TRUE(Run());
  for (int n = 1; n <= 3; ++n) {
    const int32_t cls = static_cast<int32_t>(Word(n)->info.classPath[0]);
    EXPECT_GT(static_cast<uint32_t>(cls), dictionary().NumberOfClasses(1));
    EXPECT_EQ(context->actantCount(1, cls), 1u);
    EXPECT_EQ(context->actantShare(1, cls), 100);
  }
}

TEST_F(SemanticPassTest, MoreThanThreeSignificantWordsClearTheRelationWeight) {
  Add("merge", kVerb);
  Nouns(4);
  ASSERT_TRUE(Run());
  for (uint32_t i = 0; i < context->relations().Count(); ++i) EXPECT_EQ(context->relations().Entry(i).weight, 0);
}

TEST_F(SemanticPassTest, RelationLevelOutsideOneToFourBecomesOneAndIsWrittenBack) {
  for (int level : {0, 7}) {
    engine->record().setRelationLevel(level);
    Nouns(2);
    ASSERT_TRUE(Run());
    EXPECT_EQ(context->relationLevel(), 1);
    EXPECT_EQ(engine->record().relationLevel(), 1);
  }
  engine->record().setRelationLevel(3);
  ASSERT_TRUE(Run());
  EXPECT_EQ(context->relationLevel(), 3);
}

TEST_F(SemanticPassTest, ReferentsAreCountedInTheStatistics) {
  engine->record().setClassMinWords(2);
  Add("om", kNoun);
  Add("robotx", kNoun);  // unknown, met once: below the threshold
  Add("oameni", kNoun);  // same class as om
  End();
  ASSERT_TRUE(Run());
  EXPECT_EQ(Word(1)->info.referent, 1);
  EXPECT_EQ(Word(2)->info.referent, 0);
  EXPECT_EQ(Word(3)->info.referent, 1);
  CategoryStatistics& statistics = engine->statistics();
  for (int index : {kStatReferent, kStatReferentNucleus, kStatPrincipalReferent})
    EXPECT_EQ(statistics.Counter(index), 2u) << index;
  EXPECT_EQ(statistics.Counter(kStatSecondaryReferent), 0u);
  // The unknown noun is no item of the proposition.
  const std::string person = Name(1, Word(1)->info.classPath[0]);
  EXPECT_EQ(Pairs(), std::vector<std::string>{person + ">" + person});
}

TEST_F(SemanticPassTest, NumbersBecomeSubstantivesOnlyWithTheSetting) {
  const WordCategory numeral = WordCategoryOf(kClassAdjective, 3);
  for (bool on : {false, true}) {
    SCOPED_TRACE(on);
    engine->stream().Reset();
    position = 0;
    engine->record().setNumbersAsSubstantives(on);
    Add("sase", numeral);
    End();
    ASSERT_TRUE(Run());
    EXPECT_EQ(Word(1)->info.category.category, on ? kClassSubstantive : kClassAdjective);
    EXPECT_EQ(Word(1)->info.classPath[0] != 0, on);
    EXPECT_EQ(context->propositions().Count(), on ? 1u : 0u);
  }
}

TEST_F(SemanticPassTest, NounWithSeveralSensesIsResolvedInTheSecondSweep) {
  Add("casa", kNoun);
  Add("mare", kNoun);
  End();
  ASSERT_TRUE(Run());
  const WordNode* mare = Word(2);
  EXPECT_NE(mare->info.classPath[0], 0u);
  EXPECT_TRUE(isAmbiguous(mare->info.category));
  EXPECT_NE(mare->info.sense, 0);
  EXPECT_FALSE(isAmbiguous(Word(1)->info.category));
}

TEST_F(SemanticPassTest, VerbsCountTheirLemmasAndActiveScenarioGroupsMakeThemItems) {
  TableScenario scenario;
  dictionary().SetScenarioGroups(&scenario);
  const uint32_t group = dictionary().AddScenarioGroupName("miscare");
  ASSERT_NE(group, 0u);
  LemmaIndex& verbs = *engine->verbLemmas();
  const uint32_t merge = verbs.LemmaNumberOfLemma("merge");
  ASSERT_NE(merge, 0u);
  ASSERT_TRUE(verbs.SetGroup(merge, group));

  Add("om", kNoun);
  Add("merge", kVerb, merge);
  End();
  ASSERT_TRUE(Run());
  EXPECT_EQ(verbs.CountOf(merge), 1u);
  EXPECT_EQ(Word(2)->info.classPath[3], group);
  EXPECT_EQ(dictionary().ClassCount(4, static_cast<int32_t>(group)), 1u);
  // An inactive group makes no item.
  EXPECT_EQ(Word(2)->info.referent, 0);
  EXPECT_EQ(context->propositions().Count(), 1u);
  EXPECT_EQ(context->relations().Count(), 1u);

  scenario.active[static_cast<int32_t>(group)] = true;
  scenario.words["om"] = static_cast<int32_t>(group);  // the Scenario is loaded
  ASSERT_TRUE(Run());
  EXPECT_EQ(verbs.CountOf(merge), 1u);  // counts start again each run
  EXPECT_EQ(Word(2)->info.referent, 1);
  EXPECT_EQ(scenario.propagations, 1);
  // The verb's group has no partner at level 4, nor the noun at level 1.
  const RelationEntry& e = context->relations().Entry(0);
  EXPECT_EQ(e.first[3], 0);
  EXPECT_EQ(e.first[0], 0);
  PropositionView view;
  context->propositions().Rewind();
  ASSERT_TRUE(context->propositions().Next(view));
  ASSERT_EQ(view.itemCount, 2);
  EXPECT_EQ(view.items[1].at(4), static_cast<int32_t>(group));
  dictionary().SetScenarioGroups(nullptr);
}

TEST_F(SemanticPassTest, ScenarioWordsBecomeSubstantivesWithTheSetting) {
  TableScenario scenario;
  scenario.words["foarte"] = 1;
  dictionary().SetScenarioGroups(&scenario);
  for (bool on : {false, true}) {
    SCOPED_TRACE(on);
    engine->stream().Reset();
    position = 0;
    engine->record().setScenarioOnAllCategories(on);
    Add("FOARTE", WordCategoryOf(kClassModality, 7));
    End();
    ASSERT_TRUE(Run());
    EXPECT_EQ(isSubstantive(Word(1)->info.category), on);
  }
  dictionary().SetScenarioGroups(nullptr);
}

TEST_F(SemanticPassTest, GaugeHas28StepsAndTheStoresEndMarked) {
  engine->CreateGauge();
  Nouns(2);
  ASSERT_TRUE(Run());
  SilentGauge& gauge = *frontEnd.gauge;
  EXPECT_EQ(gauge.Maximum(), kSemanticGaugeSteps);
  EXPECT_EQ(gauge.Position(), kSemanticGaugeSteps);
  EXPECT_EQ(gauge.Label(1), engine->messages().message(483));
  EXPECT_EQ(gauge.Label(3), engine->messages().message(583));
  EXPECT_EQ(gauge.ContinueCalls(), 27);
  EXPECT_TRUE(context->analysisComplete());
  EXPECT_TRUE(engine->stream().AtStart());
  // Bookmarks 1 and 2 are on the head of both stores.
  PropositionStore& propositions = context->propositions();
  PropositionView view;
  ASSERT_TRUE(propositions.Next(view));
  EXPECT_TRUE(context->BackToStoreMark(1));
  EXPECT_TRUE(propositions.AtHead());
  EXPECT_TRUE(context->relations().AtHead());
}

TEST_F(SemanticPassTest, StopFromTheGaugeEndsThePassIncomplete) {
  // Continue answers Stop at the second step, after the first sweep.
  frontEnd.stopAfter = 2;
  engine->CreateGauge();
  Add("casa", kNoun);
  Add("mare", kNoun);
  End();
  EXPECT_FALSE(Run());
  EXPECT_TRUE(context->cancelled());
  EXPECT_FALSE(context->analysisComplete());
  EXPECT_NE(Word(1)->info.classPath[0], 0u);  // sweep 1 ran
  EXPECT_EQ(Word(2)->info.classPath[0], 0u);  // sweep 2 did not
  EXPECT_EQ(context->propositions().Count(), 0u);
  // Store marks that need a complete analysis are refused.
  EXPECT_FALSE(context->BackToStoreMark(1));
  EXPECT_FALSE(context->SaveStoreMarks());
  EXPECT_TRUE(context->BackToStoreMark(5));
}

TEST_F(SemanticPassTest, SeventyThousandPropositionsGetRelationsButNoChronology) {
  engine->CreateGauge();
  for (int i = 0; i < 70000; ++i) {
    Add("om", kNoun);
    Add("casa", kNoun);
    End();
  }
  ASSERT_TRUE(Run());
  EXPECT_EQ(context->propositions().Count(), 70000u);
  RelationStore& relations = context->relations();
  relations.RewindRanked(1);
  RelationView view;
  ASSERT_TRUE(relations.NextRanked(1, view));
  EXPECT_EQ(view.frequency, 70000u);
  EXPECT_FALSE(relations.NextRanked(1, view));
  // The two steps of the bundle and characteristic-part stages are skipped.
  EXPECT_EQ(frontEnd.gauge->ContinueCalls(), 25);
  EXPECT_TRUE(context->chronology().bundles.empty());
  EXPECT_TRUE(context->chronology().episodes.empty());
  EXPECT_TRUE(context->analysisComplete());
}

TEST_F(SemanticPassTest, EmptyStreamCompletesWithEmptyStores) {
  ASSERT_TRUE(Run());
  EXPECT_EQ(context->propositions().Count(), 0u);
  EXPECT_EQ(context->relations().Count(), 0u);
  EXPECT_EQ(context->Words(), 0);
  EXPECT_TRUE(context->analysisComplete());
}

TEST_F(SemanticPassTest, ClassDetectionThresholdByWordsOrByPertinence) {
  const struct {
    bool byWords;
    int value;     // minimum number of words, or pertinence factor
    int words;     // highest word position of the text
    int32_t threshold;
  } cases[] = {
      {true, 3, 10, 3}, {true, 7, 5000, 7}, {false, 15, 2000, 3}, {false, 15, 666, 0}, {false, 15, 667, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.words);
    engine->stream().Reset();
    position = 0;
    for (int i = 0; i < c.words; ++i) Add("de", kPreposition);
    End();
    engine->record().setClassThresholdByWords(c.byWords);
    if (c.byWords)
      engine->record().setClassMinWords(c.value);
    else
      engine->record().setClassPertinence(c.value);
    AnalysisContext created(*engine);
    ASSERT_TRUE(created.Ready());
    EXPECT_EQ(dictionary().DetectionThreshold(), c.threshold);
  }
}

TEST_F(SemanticPassTest, TheAnalysisRunKeepsTheContextUntilTheNextReadingPass) {
  const std::string file = dir.File("Text/a.txt");
  ASSERT_TRUE(testing::WriteFile(file, "Omul merge acasa. Casa e mare."));
  engine->files().Clear();
  ASSERT_TRUE(engine->files().Add(file));
  ASSERT_TRUE(engine->RunAnalysis(1));
  ASSERT_NE(engine->analysis(), nullptr);
  EXPECT_TRUE(engine->analysis()->analysisComplete());
  EXPECT_GT(engine->analysis()->Words(), 0);
  // A new reading pass empties the word stream the old stores point into:
  // the old context is gone by then.
  ASSERT_TRUE(engine->ReadingPass());
  EXPECT_EQ(engine->analysis(), nullptr);
}

}  // namespace
}  // namespace malvex
