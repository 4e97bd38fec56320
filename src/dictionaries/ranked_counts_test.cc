#include "dictionaries/ranked_counts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <random>
#include <utility>
#include <vector>

#include "dictionaries/quicksort.h"

namespace malvex {
namespace {

// The quicksort as plainly written: recursion on both parts. QuickSort
// must leave every table, ties included, in exactly this order.
void PlainQuickSort(std::vector<uint32_t>& a, const std::vector<uint32_t>& count, int first,
                    int last) {
  int i = first;
  int j = last;
  const uint32_t pivot = count[a[static_cast<size_t>((first + last) / 2)]];
  do {
    while (count[a[static_cast<size_t>(i)]] > pivot) ++i;
    while (count[a[static_cast<size_t>(j)]] < pivot) --j;
    if (i <= j) {
      std::swap(a[static_cast<size_t>(i)], a[static_cast<size_t>(j)]);
      ++i;
      --j;
    }
  } while (i <= j);
  if (first < j) PlainQuickSort(a, count, first, j);
  if (i < last) PlainQuickSort(a, count, i, last);
}

// Sorts the numbers 0..n-1 by their counts, largest first.
std::vector<uint32_t> SortByCount(const std::vector<uint32_t>& count) {
  std::vector<uint32_t> items(count.size());
  for (uint32_t i = 0; i < items.size(); ++i) items[i] = i;
  QuickSort(items.begin(), items.size(),
            [&count](uint32_t a, uint32_t b) { return count[a] > count[b]; });
  return items;
}

TEST(QuickSortTest, OrdersLargestFirstAndLeavesTiesWhereThePartitionPutsThem) {
  struct Case {
    const char* what;
    std::vector<uint32_t> count;
    std::vector<uint32_t> order;
  };
  const Case cases[] = {
      {"empty", {}, {}},
      {"one element", {7}, {0}},
      {"two in order", {5, 3}, {0, 1}},
      {"two reversed", {3, 5}, {1, 0}},
      {"already sorted", {9, 7, 5, 3, 1}, {0, 1, 2, 3, 4}},
      {"increasing", {1, 2, 3, 4, 5}, {4, 3, 2, 1, 0}},
      // Pivot 5 (the middle); the ends are exchanged first.
      {"ties after a smaller one", {3, 5, 5}, {2, 1, 0}},
      // All equal: every scan stops at once, so the ends are exchanged
      // pairwise, and again in each half.
      {"all equal", {4, 4, 4, 4}, {2, 3, 0, 1}},
      {"all equal, odd", {1, 1, 1}, {2, 1, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(SortByCount(c.count), c.order) << c.what;
}

TEST(QuickSortTest, GivesTheOrderOfThePlainRecursiveSortOnTablesWithManyTies) {
  std::mt19937 random(12345);
  for (int round = 0; round < 300; ++round) {
    const size_t n = 1 + random() % 60;
    const uint32_t distinct = 1 + random() % 6;
    std::vector<uint32_t> count(n);
    for (uint32_t& c : count) c = random() % distinct;
    std::vector<uint32_t> expected(n);
    for (uint32_t i = 0; i < n; ++i) expected[i] = i;
    PlainQuickSort(expected, count, 0, static_cast<int>(n) - 1);
    ASSERT_EQ(SortByCount(count), expected) << "round " << round;
  }
}

TEST(QuickSortTest, ALongSortedTableKeepsItsOrder) {
  std::vector<uint32_t> count(200000);
  for (uint32_t i = 0; i < count.size(); ++i) count[i] = static_cast<uint32_t>(count.size()) - i;
  const std::vector<uint32_t> order = SortByCount(count);
  for (uint32_t i = 0; i < order.size(); ++i) ASSERT_EQ(order[i], i);
}

TEST(RankedCountsTest, CountsOnlyNumbersInRange) {
  RankedCounts counts(nullptr);
  counts.Resize(3);
  EXPECT_FALSE(counts.Add(0));
  EXPECT_FALSE(counts.Add(4));
  EXPECT_TRUE(counts.Add(3));
  EXPECT_TRUE(counts.Add(3));
  EXPECT_EQ(counts.CountOf(3), 2u);
  EXPECT_EQ(counts.CountOf(0), 0u);
  EXPECT_EQ(counts.CountOf(4), 0u);
  EXPECT_FALSE(counts.Set(4, 1));
}

TEST(RankedCountsTest, RanksThePositiveCountsLargestFirst) {
  RankedCounts counts(nullptr);
  counts.Resize(6);
  // Counts 1:3, 2:0, 3:5, 4:1, 5:5, 6:0. Listed 1, 3, 4, 5; pivot 3 (count 5).
  const uint32_t values[] = {3, 0, 5, 1, 5, 0};
  for (uint32_t m = 1; m <= 6; ++m) counts.Set(m, values[m - 1]);
  counts.Rank();
  ASSERT_EQ(counts.RankedLength(), 4u);
  std::vector<uint32_t> ranked;
  for (uint32_t r = 1; r <= counts.RankedLength(); ++r) ranked.push_back(counts.RankedNumber(r));
  EXPECT_EQ(ranked, (std::vector<uint32_t>{5, 3, 1, 4}));
  EXPECT_EQ(counts.CountAtRank(1), 5u);
  EXPECT_EQ(counts.CountAtRank(4), 1u);
  EXPECT_EQ(counts.RankedNumber(0), 0u);
  EXPECT_EQ(counts.RankedNumber(5), 0u);
  EXPECT_EQ(counts.CountAtRank(5), 0u);
}

TEST(RankedCountsTest, RankStopsAtTheLastNumberGiven) {
  RankedCounts counts(nullptr);
  counts.Resize(4);
  counts.Set(2, 1);
  counts.Set(4, 9);
  counts.Rank(3);
  ASSERT_EQ(counts.RankedLength(), 1u);
  EXPECT_EQ(counts.RankedNumber(1), 2u);
}

TEST(RankedCountsTest, RankSelectedListsOnlyTheSelectedNumbers) {
  RankedCounts counts(nullptr);
  counts.Resize(5);
  const uint32_t values[] = {0, 3, 8, 0, 5, 9};
  for (uint32_t m = 1; m <= 5; ++m) counts.Set(m, values[m]);
  const uint8_t selected[] = {0, 1, 0, 1, 1, 1};
  counts.RankSelected(4, selected);
  ASSERT_EQ(counts.RankedLength(), 2u);
  EXPECT_EQ(counts.RankedNumber(1), 4u);
  EXPECT_EQ(counts.RankedNumber(2), 1u);
}

TEST(RankedCountsTest, OneOrNoPositiveCount) {
  RankedCounts counts(nullptr);
  counts.Resize(3);
  counts.Rank();
  EXPECT_EQ(counts.RankedLength(), 0u);
  counts.Add(2);
  counts.Rank();
  ASSERT_EQ(counts.RankedLength(), 1u);
  EXPECT_EQ(counts.RankedNumber(1), 2u);
}

TEST(RankedCountsTest, ResetZeroesCountsAndRanking) {
  RankedCounts counts(nullptr);
  counts.Resize(2);
  counts.Add(1);
  counts.Rank();
  counts.Reset();
  EXPECT_EQ(counts.CountOf(1), 0u);
  EXPECT_EQ(counts.RankedLength(), 0u);
  EXPECT_EQ(counts.RankedNumber(1), 0u);
}

// A run counts a few numbers of a large table, or many: whether the counts
// know which counters left 0 or visit them all, every count, reset and
// ranking is that of a plain table walked from 1 to the end.
TEST(RankedCountsTest, AFewOrManyCountedNumbersGiveWhatAWalkOverEveryCounterGives) {
  for (const uint32_t size : {1000u, 65535u}) {
    for (const uint32_t touches : {3u, 60u, 2000u, 40000u}) {
      SCOPED_TRACE(std::to_string(size) + " " + std::to_string(touches));
      std::mt19937 random(size + touches);
      RankedCounts counts(nullptr);
      counts.Resize(size);
      std::vector<uint32_t> plain(size + 1, 0);
      for (int run = 0; run < 4; ++run) {
        std::uniform_int_distribution<uint32_t> number(1, std::min(size, touches * 2));
        for (uint32_t k = 0; k < touches * 3; ++k) {
          const uint32_t m = number(random);
          if (k % 17 == 16) {
            // Set, to 0 too, and counted again afterwards.
            const uint32_t value = k % 2 ? 0 : k % 5;
            counts.Set(m, value);
            plain[m] = value;
          } else {
            counts.Add(m);
            ++plain[m];
          }
        }
        std::vector<uint8_t> selected(size + 1);
        for (uint32_t m = 0; m <= size; ++m) selected[m] = m % 3 != 0;
        for (const bool select : {false, true}) {
          const uint32_t last = run % 2 ? size : size / 2;
          if (select)
            counts.RankSelected(last, selected.data());
          else
            counts.Rank(last);
          std::vector<uint32_t> expected;
          for (uint32_t m = 1; m <= last; ++m)
            if (plain[m] > 0 && (!select || selected[m])) expected.push_back(m);
          QuickSort(expected.begin(), expected.size(),
                    [&plain](uint32_t a, uint32_t b) { return plain[a] > plain[b]; });
          std::vector<uint32_t> ranked;
          for (uint32_t r = 1; r <= counts.RankedLength(); ++r) ranked.push_back(counts.RankedNumber(r));
          EXPECT_EQ(ranked, expected);
        }
        for (uint32_t m = 1; m <= size; ++m) ASSERT_EQ(counts.CountOf(m), plain[m]) << m;
        counts.Reset();
        std::fill(plain.begin(), plain.end(), 0u);
        for (uint32_t m = 1; m <= size; ++m) ASSERT_EQ(counts.CountOf(m), 0u) << m;
      }
    }
  }
}

TEST(RankedCountsTest, ResizeKeepsTheCountsItCanHold) {
  RankedCounts counts(nullptr);
  counts.Resize(3);
  counts.Set(1, 4);
  counts.Set(3, 6);
  counts.Resize(10);
  EXPECT_EQ(counts.CountOf(1), 4u);
  EXPECT_EQ(counts.CountOf(3), 6u);
  EXPECT_EQ(counts.CountOf(10), 0u);
  counts.Resize(2);
  EXPECT_EQ(counts.CountOf(1), 4u);
  EXPECT_EQ(counts.CountOf(3), 0u);
  EXPECT_EQ(counts.Size(), 2u);
}

}  // namespace
}  // namespace malvex
