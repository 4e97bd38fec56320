#include "views/episode_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "semantic/analysis_context.h"
#include "views/counted_dictionary_test_fixture.h"

namespace malvex {
namespace {

class EpisodeListTest : public testing::CountedDictionaryTest {
 protected:
  void SetUp() override {
    CountedDictionaryTest::SetUp();
    // Two episodes over a text of 400 words; three bundles, the second a
    // category (performative verbs, statistics index 7).
    tables_.episodes = {EpisodeRecord{1, 150, 2}, EpisodeRecord{151, 400, 1}};
    tables_.bundles = {BundleRecord{Class(1, "locuinta"), 1, 4, 10, 60, 31.5f},
                       BundleRecord{-7, 1, 3, 90, 140, 118.0f},
                       BundleRecord{Class(1, "persoana"), 2, 12, 160, 390, 270.25f}};
  }
  ChronologyTables tables_;
};

TEST_F(EpisodeListTest, StatusLineGivesNumberBundlesAndLength) {
  const std::vector<EpisodeSummary> episodes = EpisodeSummaries(tables_, 400);
  ASSERT_EQ(episodes.size(), 2u);
  EXPECT_EQ(episodes[0].number, 1);
  EXPECT_EQ(episodes[1].start, 151);
  EXPECT_DOUBLE_EQ(episodes[0].lengthPercent, 37.5);
  EXPECT_EQ(EpisodeStatusLine(messages_, episodes[0]), "Episode 1 : 2 Bundles, length : 37.5% of the text. ");
  EXPECT_EQ(EpisodeStatusLine(messages_, episodes[1]), "Episode 2 : 1 Bundles, length : 62.5% of the text. ");
  EXPECT_TRUE(EpisodeSummaries(ChronologyTables{}, 400).empty());
  EXPECT_DOUBLE_EQ(EpisodeSummaries(tables_, 0)[0].lengthPercent, 0.0);
}

TEST_F(EpisodeListTest, BundlesOfAnEpisodeAreLabelledByClassOrCategory) {
  std::vector<std::string> lines;
  for (const BundleRow& row : BundleRows(messages_, dictionary_, 1, tables_, 1)) lines.push_back(BundleLine(row));
  EXPECT_EQ(lines, (std::vector<std::string>{"locuinta\t0004", "Verb Performative\t0003"}));

  const std::vector<BundleRow> all = BundleRows(messages_, dictionary_, 1, tables_, 0);
  ASSERT_EQ(all.size(), 3u);
  EXPECT_EQ(all[2].label, "persoana");
  EXPECT_EQ(all[2].first, 160u);
  EXPECT_EQ(all[2].last, 390u);
  EXPECT_DOUBLE_EQ(all[2].mean, 270.25);
  EXPECT_TRUE(BundleRows(messages_, dictionary_, 1, tables_, 3).empty());
}

}  // namespace
}  // namespace malvex
