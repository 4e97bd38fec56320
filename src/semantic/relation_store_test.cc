#include "semantic/relation_store.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>
#include <vector>

#include "reading/word_stream.h"
#include "semantic/proposition_store.h"

namespace malvex {
namespace {

ClassPath Path(int32_t a, int32_t b = 0, int32_t c = 0, int32_t d = 0) {
  ClassPath p;
  p.at(1) = a;
  p.at(2) = b;
  p.at(3) = c;
  p.at(4) = d;
  return p;
}

class RelationStoreTest : public ::testing::Test {
 protected:
  RelationStoreTest() : pool(std::make_unique<CellPool>()), store(*pool) {}

  // Appends the pair (a, b) as a two-item table.
  void AddPair(const ClassPath& a, const ClassPath& b, int32_t position = 0) {
    const ClassPath items[2] = {a, b};
    ASSERT_TRUE(store.Append(items, 2, nullptr, 1, 0, position));
  }

  // The ranked relations of `level` as ((first, second), frequency).
  std::vector<std::pair<std::pair<int32_t, int32_t>, uint32_t>> Ranked(int level) {
    std::vector<std::pair<std::pair<int32_t, int32_t>, uint32_t>> out;
    store.RewindRanked(level);
    RelationView view;
    while (store.NextRanked(level, view))
      out.push_back({{view.items[0].at(level), view.items[1].at(level)}, view.frequency});
    EXPECT_TRUE(store.RankedAtEnd(level));
    return out;
  }

  void ConsolidateAndRank() {
    for (int level = 1; level <= kClassLevels; ++level) {
      ASSERT_TRUE(store.ConsolidateLevel(level));
      ASSERT_TRUE(store.RankLevel(level));
    }
  }

  std::unique_ptr<CellPool> pool;
  RelationStore store;
};

TEST_F(RelationStoreTest, PairPerLevelIsTheFirstTwoClassesFoundAtThatLevel) {
  ClassPath items[kPropositionItems];
  items[0] = Path(10, 0, 30);
  items[1] = Path(11, 0, 0, 40);
  items[2] = Path(0, 0, 31);
  items[5] = Path(12, 25, 32, 0);  // the only level-2 class
  items[7] = Path(0, 0, 0, 41);
  WordNode token{};
  ASSERT_TRUE(store.Append(items, kPropositionItems, &token, 1, 0, 77));
  const RelationEntry& e = store.Entry(0);
  EXPECT_EQ(e.first[0], 10);
  EXPECT_EQ(e.second[0], 11);
  EXPECT_EQ(e.first[1], 0);  // one class only at level 2: no pair
  EXPECT_EQ(e.second[1], 0);
  EXPECT_EQ(e.first[2], 30);
  EXPECT_EQ(e.second[2], 31);
  EXPECT_EQ(e.first[3], 40);
  EXPECT_EQ(e.second[3], 41);
  for (int l = 0; l < kClassLevels; ++l) {
    EXPECT_EQ(e.frequency[l], 1u);
    EXPECT_EQ(e.duplicate[l], 0);
  }

  store.Rewind();
  RelationView view;
  ASSERT_TRUE(store.Next(view));
  EXPECT_EQ(view.items[0], Path(10, 0, 30, 40));
  EXPECT_EQ(view.items[1], Path(11, 0, 31, 41));
  EXPECT_EQ(view.firstToken, &token);
  EXPECT_EQ(view.position, 77);
  EXPECT_EQ(view.weight, 1);
  EXPECT_EQ(view.continuation, 0);
  EXPECT_FALSE(store.Next(view));
}

TEST_F(RelationStoreTest, EqualPairsRankOnceWithTheirCountAndTheReversedPairApart) {
  AddPair(Path(1), Path(2), 10);
  AddPair(Path(2), Path(1), 20);
  AddPair(Path(1), Path(2), 30);
  AddPair(Path(3), Path(4), 40);
  AddPair(Path(1), Path(2), 50);
  AddPair(Path(3), Path(4), 60);
  ConsolidateAndRank();
  const auto ranked = Ranked(1);
  ASSERT_EQ(ranked.size(), 3u);
  EXPECT_EQ(ranked[0], std::make_pair(std::make_pair(1, 2), 3u));
  EXPECT_EQ(ranked[1], std::make_pair(std::make_pair(3, 4), 2u));
  EXPECT_EQ(ranked[2], std::make_pair(std::make_pair(2, 1), 1u));
  EXPECT_EQ(store.RankedChain(1).Length(), 3u);
  EXPECT_EQ(store.OccurrenceChain(1).Length(), 6u);
  // No pairs at the other levels.
  EXPECT_TRUE(Ranked(2).empty());
  EXPECT_EQ(store.TotalInOccurrenceChains(), 6u);
}

TEST_F(RelationStoreTest, OccurrenceChainIsSortedBySecondClassThenFirst) {
  const std::pair<int32_t, int32_t> pairs[] = {{5, 2}, {1, 9}, {3, 2}, {7, 1}, {1, 2}, {3, 2}};
  for (const auto& [a, b] : pairs) AddPair(Path(a), Path(b));
  ASSERT_TRUE(store.ConsolidateLevel(1));
  std::vector<std::pair<int32_t, int32_t>> order;
  store.OccurrenceChain(1).ForEach(store.Pool(), [&](uint32_t entry) {
    order.push_back({store.Entry(entry).first[0], store.Entry(entry).second[0]});
  });
  const std::vector<std::pair<int32_t, int32_t>> expected = {{7, 1}, {1, 2}, {3, 2}, {3, 2}, {5, 2}, {1, 9}};
  EXPECT_EQ(order, expected);
}

TEST_F(RelationStoreTest, PairWhoseSecondWordLacksALevel3ClassIsALevel1RelationOnly) {
  AddPair(Path(1, 10, 100), Path(2, 20, 0));
  AddPair(Path(1, 10, 100), Path(2, 20, 0));
  ConsolidateAndRank();
  EXPECT_EQ(Ranked(1).size(), 1u);
  EXPECT_EQ(Ranked(2).size(), 1u);
  EXPECT_TRUE(Ranked(3).empty());
  EXPECT_EQ(store.OccurrenceChain(3).Length(), 0u);
}

TEST_F(RelationStoreTest, StopAfterSortingLeavesEqualPairsUncounted) {
  AddPair(Path(1), Path(2));
  AddPair(Path(1), Path(2));
  int calls = 0;
  EXPECT_FALSE(store.ConsolidateLevel(1, [&] {
    ++calls;
    return false;
  }));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(store.OccurrenceChain(1).Length(), 2u);
  EXPECT_EQ(store.Entry(0).frequency[0], 1u);
  EXPECT_EQ(store.Entry(1).duplicate[0], 0);
}

TEST_F(RelationStoreTest, ClearEmptiesEntriesAndChains) {
  AddPair(Path(1), Path(2));
  ConsolidateAndRank();
  store.Clear();
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_EQ(store.OccurrenceChain(1).Length(), 0u);
  EXPECT_TRUE(Ranked(1).empty());
  RelationView view;
  EXPECT_FALSE(store.Next(view));
  store.Rewind();
  EXPECT_TRUE(store.AtTail());
}

}  // namespace
}  // namespace malvex
