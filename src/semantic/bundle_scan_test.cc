#include "semantic/bundle_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <utility>
#include <vector>

#include "semantic/test_text_for_tests.h"

namespace malvex {
namespace {

using testing::Category;
using testing::Referent;
using testing::TestText;

constexpr int32_t kClass = 5;

// Scans `text` with every item's frequency equal to its occurrences.
struct Scanned {
  explicit Scanned(TestText& text, int level = 1) : frequencies(kItemSlots) {
    WordStream& stream = text.stream();
    stream.Rewind();
    WordInfo info;
    const char* separator = nullptr;
    int32_t position = 0;
    while (const char* word = stream.Next(info, separator, position)) {
      if (word[0] == '/') continue;
      const int32_t item = BundleItem(info, level);
      if (item != 0) ++frequencies[static_cast<size_t>(item + kItemOffset)];
    }
    BundleScanInput input;
    input.level = level;
    input.frequencies = frequencies.data();
    complete = ScanBundles(stream, input, table);
  }
  std::vector<uint32_t> frequencies;
  ChronologyTables table;
  bool complete = false;
};

// (bundle mark, mark A) of the word at each position.
std::vector<std::pair<int, int>> Marks(TestText& text, std::initializer_list<int32_t> positions) {
  std::vector<std::pair<int, int>> marks;
  for (int32_t p : positions) marks.emplace_back(text.At(p)->info.bundleMark, text.At(p)->markA);
  return marks;
}

TEST(BundleItemTest, WhatEachTokenIsCountedAs) {
  WordInfo unreferenced = Referent(kClass);
  unreferenced.referent = 2;
  WordInfo big = Referent(70000);
  struct Case {
    const char* name;
    WordInfo info;
    int32_t item;
  };
  const Case cases[] = {
      {"principal referent", Referent(kClass), kClass},
      {"secondary referent", unreferenced, 0},
      {"class beyond the tables", big, 0},
      {"performative verb", Category(1, 4), -7},
      {"factive verb", Category(1, 1), 0},
      {"condition connector", Category(2, 1), -21},
      {"addition connector", Category(2, 4), 0},
      {"manner connector", Category(2, 10), -30},
      {"unclassified connector", Category(2, 0), 0},
      {"negation modality", Category(3, 6), -38},
      {"intensity modality", Category(3, 7), 0},
      {"personal pronoun, first person", Category(5, 3, 1), -70},
      {"deixis pronoun, seventh person", Category(5, 4, 7), -76},
      {"personal pronoun, third person", Category(5, 3, 3), 0},
      {"possessive pronoun, first person", Category(5, 2, 1), 0},
      {"adjective", Category(4, 1), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(BundleItem(c.info, 1), c.item);
  }
  // The class is taken at the relation level.
  WordInfo levels = Referent(kClass);
  levels.classPath[2] = 9;
  EXPECT_EQ(BundleItem(levels, 3), 9);
}

TEST(BundleScanTest, AnAbnormalRunBecomesABundleAndMarksItsTokens) {
  TestText text;
  for (int i = 0; i < 5; ++i) text.Add(Referent(kClass));
  text.End();
  text.FillTo(189);
  text.Add(Referent(kClass));
  text.FillTo(200);
  text.End();
  Scanned s(text);
  ASSERT_TRUE(s.complete);
  // The occurrence at 190 is where the run is normal again: the bundle
  // closes with the first five, and a new run starts there.
  ASSERT_EQ(s.table.bundles.size(), 1u);
  const BundleRecord& b = s.table.bundles[0];
  EXPECT_EQ(b.item, kClass);
  EXPECT_EQ(b.count, 5u);
  EXPECT_EQ(b.first, 1u);
  EXPECT_EQ(b.last, 5u);
  EXPECT_FLOAT_EQ(b.mean, 3.0f);
  EXPECT_EQ(b.episode, 0u);
  EXPECT_EQ(s.table.classBundles, 1u);
  EXPECT_EQ(Marks(text, {1, 2, 3, 4, 5, 190}),
            (std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {2, 3}, {2, 0}, {3, 5}, {0, 0}}));
}

TEST(BundleScanTest, ABundleOpenAtTheEndIsClosedWithItsWholeRun) {
  TestText text;
  text.Fill(50);
  for (int i = 0; i < 4; ++i) text.Add(Category(2, 2));  // cause connectors
  text.FillTo(200);
  text.End();
  Scanned s(text);
  ASSERT_EQ(s.table.bundles.size(), 1u);
  EXPECT_EQ(s.table.bundles[0].item, -22);
  EXPECT_EQ(s.table.bundles[0].count, 4u);
  EXPECT_EQ(s.table.classBundles, 0u);
  EXPECT_EQ(Marks(text, {51, 52, 53, 54}), (std::vector<std::pair<int, int>>{{1, 1}, {2, 2}, {2, 3}, {3, 4}}));
}

TEST(BundleScanTest, TextsOfAHundredWordsOrFewerHaveNoBundle) {
  for (int words : {100, 101}) {
    SCOPED_TRACE(words);
    TestText text;
    for (int i = 0; i < 10; ++i) text.Add(Referent(kClass));
    text.FillTo(words);
    text.End();
    Scanned s(text);
    EXPECT_EQ(s.table.bundles.size(), words > 100 ? 1u : 0u);
    EXPECT_EQ(text.At(1)->info.bundleMark, words > 100 ? kBundleFirst : kBundleNone);
  }
}

TEST(BundleScanTest, AnEvenlySpreadItemIsNeverABundleHoweverFrequent) {
  TestText text;
  for (int i = 0; i < 40; ++i) {
    text.Add(Referent(kClass));
    text.Fill(4);
  }
  text.End();
  Scanned s(text);
  EXPECT_TRUE(s.table.bundles.empty());
  for (int32_t p = 1; p <= text.position(); ++p) {
    ASSERT_EQ(text.At(p)->info.bundleMark, 0) << p;
    ASSERT_EQ(text.At(p)->markA, 0) << p;
  }
}

// A run with one occurrence every three words stays abnormal from its third
// occurrence to its last.
TEST(BundleScanTest, ARunLongerThanTheMaximumSpanIsMarkedButNotRecorded) {
  struct Case {
    int32_t words;
    int occurrences;
    bool recorded;
  };
  const Case cases[] = {
      {200, 34, true},     // span 99 of at most 100
      {200, 35, false},    // span 102
      {6000, 501, true},   // span 1500 of at most 6000 div 4
      {6000, 502, false},  // span 1503
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.words << " words, " << c.occurrences << " occurrences");
    TestText text;
    for (int i = 0; i < c.occurrences; ++i) {
      text.Add(Referent(kClass));
      text.Fill(2);
    }
    text.FillTo(c.words);
    text.End();
    Scanned s(text);
    EXPECT_EQ(s.table.bundles.size(), c.recorded ? 1u : 0u);
    const int32_t last = 1 + 3 * (c.occurrences - 1);
    EXPECT_EQ(text.At(1)->info.bundleMark, kBundleFirst);
    EXPECT_EQ(text.At(last)->info.bundleMark, kBundleLast);
    EXPECT_EQ(text.At(last)->markA, std::min(c.occurrences, 255));
  }
}

TEST(BundleScanTest, LargeTextsNeedFourOccurrences) {
  for (int32_t words : {4999, 5000}) {
    SCOPED_TRACE(words);
    TestText text;
    for (int i = 0; i < 3; ++i) text.Add(Referent(kClass));
    text.FillTo(words);
    text.End();
    Scanned s(text);
    EXPECT_EQ(s.table.bundles.size(), words < 5000 ? 1u : 0u);
    EXPECT_EQ(text.At(3)->info.bundleMark, kBundleLast);
  }
}

TEST(BundleScanTest, UnclassifiedTokensBecomeSubstantives) {
  TestText text;
  text.Add(Category(0));
  text.End();
  text.FillTo(150);
  text.End();
  Scanned s(text);
  EXPECT_EQ(text.At(1)->info.category.category, kClassSubstantive);
}

TEST(BundleScanTest, AFullTableEndsTheScanAndKeepsWhatItHolds) {
  TestText text;
  // 2951 items with four occurrences each, closed only at the end.
  for (int32_t cls = 1; cls <= 2951; ++cls) {
    for (int i = 0; i < 4; ++i) text.Add(Referent(static_cast<uint32_t>(cls)));
  }
  text.End();
  Scanned s(text);
  EXPECT_FALSE(s.complete);
  ASSERT_EQ(s.table.bundles.size(), static_cast<size_t>(kMaxBundles));
  EXPECT_EQ(s.table.bundles.back().item, 2950);
  EXPECT_EQ(s.table.classBundles, 2950u);
}

TEST(BundleScanTest, TheCursorIsPutBack) {
  TestText text;
  text.Fill(150);
  text.End();
  Scanned s(text);
  WordStream& stream = text.stream();
  stream.SeekPosition(70);
  WordNode* before = stream.Current();
  BundleScanInput input;
  input.frequencies = s.frequencies.data();
  ScanBundles(stream, input, s.table);
  EXPECT_EQ(stream.Current(), before);
}

TEST(BundleScanTest, SortingOrdersByMeanPosition) {
  std::vector<BundleRecord> bundles;
  for (float mean : {40.0f, 10.0f, 30.0f, 20.0f}) {
    BundleRecord b;
    b.mean = mean;
    bundles.push_back(b);
  }
  SortBundlesByMean(bundles);
  std::vector<float> means;
  for (const BundleRecord& b : bundles) means.push_back(b.mean);
  EXPECT_EQ(means, (std::vector<float>{10, 20, 30, 40}));
}

}  // namespace
}  // namespace malvex
