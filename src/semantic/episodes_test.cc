#include "semantic/episodes.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>
#include <vector>

#include "semantic/analysis_context.h"
#include "semantic/bundle_scan.h"
#include "semantic/test_text_for_tests.h"

namespace malvex {
namespace {

using testing::TestText;

// A text of `words` words whose bundle marks are given as (position, mark).
void MarkText(TestText& text, int32_t words, std::initializer_list<std::pair<int32_t, uint8_t>> marks) {
  text.FillTo(words);
  text.End();
  for (const auto& [p, mark] : marks) text.At(p)->info.bundleMark = mark;
}

ChronologyTables Bundles(std::initializer_list<float> means) {
  ChronologyTables table;
  for (float mean : means) {
    BundleRecord b;
    b.mean = mean;
    table.bundles.push_back(b);
  }
  return table;
}

std::vector<std::vector<int>> Rows(const ChronologyTables& table) {
  std::vector<std::vector<int>> rows;
  for (const EpisodeRecord& e : table.episodes) rows.push_back({e.start, e.end, e.bundles});
  return rows;
}

// Two rises of the bundle nesting: the first opens episode 2 at 91; the
// second comes when episode 2 is still shorter than 30 words, so it only
// lengthens it; a last episode runs to the end of the text.
constexpr std::initializer_list<std::pair<int32_t, uint8_t>> kTwoRises = {
    {50, 1},  {60, 1},  {70, 3},  {80, 1},  {90, 3},  {100, 3},
    {500, 1}, {510, 1}, {520, 3}, {530, 1}, {540, 3}, {550, 3},
};

TEST(EpisodesTest, TheTextIsCutWhereTheNestingFallsBackAfterARise) {
  TestText text;
  MarkText(text, 1000, kTwoRises);
  ChronologyTables tables = Bundles({55.5f, 95.9f, 545.0f, 700.0f});
  CutEpisodes(text.stream(), tables);
  EXPECT_EQ(Rows(tables), (std::vector<std::vector<int>>{{1, 90, 1}, {91, 550, 2}, {551, 1000, 1}}));
  std::vector<uint32_t> episodes;
  for (const BundleRecord& b : tables.bundles) episodes.push_back(b.episode);
  EXPECT_EQ(episodes, (std::vector<uint32_t>{1, 2, 2, 3}));
}

TEST(EpisodesTest, ALastEpisodeWithoutBundleIsDropped) {
  TestText text;
  MarkText(text, 1000, kTwoRises);
  ChronologyTables tables = Bundles({55.5f, 95.9f, 545.0f});
  CutEpisodes(text.stream(), tables);
  EXPECT_EQ(Rows(tables), (std::vector<std::vector<int>>{{1, 90, 1}, {91, 550, 2}}));
}

TEST(EpisodesTest, WithoutAFallBelowTheReferenceTheTextIsOneEpisode) {
  // Nesting 1, back to 0, then 1 again: never more than one above the
  // reference, and never below it.
  TestText text;
  MarkText(text, 1000, {{50, 1}, {70, 3}, {80, 1}, {90, 3}});
  ChronologyTables tables = Bundles({60.0f, 85.0f, 900.0f});
  CutEpisodes(text.stream(), tables);
  EXPECT_EQ(Rows(tables), (std::vector<std::vector<int>>{{1, 1000, 3}}));
}

TEST(EpisodesTest, TheRiseNeededGrowsWithTheText) {
  struct Case {
    int32_t words;
    int depth;
    size_t episodes;
  };
  // Above 1 under 5000 words, above 4 from 5000 on.
  const Case cases[] = {{1000, 1, 1}, {1000, 2, 3}, {6000, 4, 1}, {6000, 5, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.words << " words, depth " << c.depth);
    TestText text;
    text.FillTo(c.words);
    text.End();
    // `depth` bundles open; one closes and another opens, where the rise is
    // measured; then all close.
    for (int i = 0; i < c.depth; ++i) text.At(300 + i)->info.bundleMark = kBundleFirst;
    text.At(400)->info.bundleMark = kBundleLast;
    text.At(450)->info.bundleMark = kBundleFirst;
    for (int i = 0; i < c.depth; ++i) text.At(500 + i)->info.bundleMark = kBundleLast;
    ChronologyTables tables = Bundles({50.0f, 900.0f});
    CutEpisodes(text.stream(), tables);
    ASSERT_EQ(tables.episodes.size(), c.episodes);
    if (c.episodes == 3) {
      // The middle episode holds no bundle but is not the last one.
      EXPECT_EQ(Rows(tables), (std::vector<std::vector<int>>{
                                 {1, 500, 1}, {501, 500 + c.depth - 1, 0}, {500 + c.depth, c.words, 1}}));
    }
  }
}

}  // namespace
}  // namespace malvex
