#include "semantic/bundles.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "engine/engine.h"
#include "engine/semantic_pass_test_fixture.h"
#include "semantic/analysis_context.h"
#include "semantic/bundle_scan.h"
#include "semantic/test_text_for_tests.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::Referent;
using testing::TestText;

TEST(FindBundlesAndEpisodesTest, EpisodesNeedMoreThanThreeBundles) {
  struct Case {
    std::vector<int> sizes;  // one bundle of each size, apart from each other
    double average;
    size_t episodes;
  };
  const Case cases[] = {
      {{}, 0, 0},
      {{5}, 5, 0},
      {{3, 4, 5}, 4, 0},
      {{3, 4, 5, 6}, 4.5, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.sizes.size());
    TestText text;
    uint32_t cls = 1;
    for (int size : c.sizes) {
      for (int i = 0; i < size; ++i) text.Add(Referent(cls));
      text.End();
      text.Fill(40);
      ++cls;
    }
    text.FillTo(400);
    text.End();
    std::vector<uint32_t> frequencies(kItemSlots);
    for (size_t k = 0; k < c.sizes.size(); ++k) frequencies[k + 1 + kItemOffset] = static_cast<uint32_t>(c.sizes[k]);
    BundleScanInput input;
    input.frequencies = frequencies.data();
    ChronologyTables tables;
    tables.episodes.push_back(EpisodeRecord{1, 2, 3});  // left by an earlier stage
    FindBundlesAndEpisodes(text.stream(), input, tables);
    EXPECT_EQ(tables.bundles.size(), c.sizes.size());
    EXPECT_DOUBLE_EQ(tables.averageBundleSize, c.average);
    ASSERT_EQ(tables.episodes.size(), c.episodes);
    if (c.episodes == 1) {
      EXPECT_EQ(tables.episodes[0].start, 1);
      EXPECT_EQ(tables.episodes[0].end, 400);
      EXPECT_EQ(tables.episodes[0].bundles, 4);
    }
  }
}

// The stages run by the semantic pass on an engine with the mini edition:
// the class counts of the dictionary and the settings feed them.
class ChronologyStagesTest : public testing::SemanticPassTest {
 protected:
  using SemanticPassTest::Add;
  void Add(const char* text, uint8_t category, uint8_t subcategory = 0) {
    SemanticPassTest::Add(text, testing::WordCategoryOf(category, subcategory));
  }
};

TEST_F(ChronologyStagesTest, ADenseNounMakesABundleAndItsPropositionsCharacteristic) {
  // Six propositions "zorb speaks" in a row, then 200 words of prepositions.
  for (int i = 0; i < 6; ++i) {
    Add("zorb", kClassSubstantive);
    Add("vorbeste", kClassVerb, 1);
    End();
  }
  for (int i = 0; i < 20; ++i) {
    for (int k = 0; k < 10; ++k) Add("de", kClassDeterminant);
    End();
  }
  ASSERT_TRUE(Run());
  const int32_t zorb = static_cast<int32_t>(Word(1)->info.classPath[0]);
  ASSERT_GT(zorb, 0);
  const ChronologyTables& tables = context->chronology();
  ASSERT_EQ(tables.bundles.size(), 1u);
  EXPECT_EQ(tables.bundles[0].item, zorb);
  EXPECT_EQ(tables.bundles[0].count, 6u);
  EXPECT_EQ(tables.bundles[0].first, 1u);
  EXPECT_EQ(tables.bundles[0].last, 11u);
  EXPECT_EQ(tables.classBundles, 1u);
  EXPECT_TRUE(tables.episodes.empty());
  EXPECT_EQ(Word(1)->info.bundleMark, kBundleFirst);
  EXPECT_EQ(Word(11)->info.bundleMark, kBundleLast);

  // Each of the six propositions is listed; fewer than 11, all are
  // selected, and the first, newest and most bundled, scores highest.
  ASSERT_EQ(tables.characteristicParts.size(), 6u);
  EXPECT_EQ(tables.selectedParts, 6u);
  EXPECT_EQ(tables.characteristicParts[0].proposition, 1u);
  EXPECT_EQ(tables.characteristicParts[0].score, 85);
  EXPECT_EQ(Word(1)->markA, 85);
  EXPECT_EQ(Word(13)->markA, 0);
}

TEST_F(ChronologyStagesTest, ATextOfTwentyWordsHasNoCharacteristicParts) {
  for (int words : {20, 21}) {
    SCOPED_TRACE(words);
    engine->stream().Reset();
    position = 0;
    for (int i = 0; i < words / 2; ++i) {
      Add("zorb", kClassSubstantive);
      Add("vorbeste", kClassVerb, 1);
      End();
    }
    if (words % 2 != 0) {
      Add("de", kClassDeterminant);
      End();
    }
    ASSERT_TRUE(Run());
    EXPECT_EQ(context->chronology().characteristicParts.empty(), words <= 20);
  }
}

}  // namespace
}  // namespace malvex
