#include "dictionaries/string_pool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "dictionaries/chunk_arena.h"

#include "dictionaries/nothrow_failure_for_tests.h"

MALVEX_DEFINE_FAILING_NOTHROW_NEW()

namespace malvex {
namespace {

// Brings the pool's block to `used` bytes with one text.
const char* FillTo(StringPool& pool, size_t used) {
  return pool.Add(std::string(used - 1, 'x'));
}

TEST(StringPoolTest, CopiesTextsWithTheirTerminatingZero) {
  StringPool pool;
  const std::string source = "cuv\xE2nt";
  const char* copy = pool.Add(source);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy, source.data());
  EXPECT_STREQ(copy, "cuv\xE2nt");
  const char* empty = pool.Add("");
  ASSERT_NE(empty, nullptr);
  EXPECT_STREQ(empty, "");
  // Texts are packed one after the other.
  EXPECT_EQ(empty, copy + source.size() + 1);
  EXPECT_EQ(pool.Used(), source.size() + 2);
  EXPECT_EQ(pool.BytesInUse(), source.size() + 2);
  EXPECT_EQ(pool.BlockCount(), 1u);
}

struct BlockCase {
  size_t used;
  size_t length;
  bool newBlock;
};

class StringPoolBlockTest : public ::testing::TestWithParam<BlockCase> {};

TEST_P(StringPoolBlockTest, StartsANewBlockWhenUsedPlusLengthPlusOneReachesTheLimit) {
  const BlockCase c = GetParam();
  StringPool pool;
  const char* first = FillTo(pool, c.used);
  ASSERT_EQ(pool.Used(), c.used);
  const std::string text(c.length, 'a');
  const char* copy = pool.Add(text);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy, text);
  if (c.newBlock) {
    EXPECT_EQ(pool.BlockCount(), 2u);
    EXPECT_EQ(pool.Used(), c.length + 1);
    EXPECT_NE(copy, first + c.used);
  } else {
    EXPECT_EQ(pool.BlockCount(), 1u);
    EXPECT_EQ(pool.Used(), c.used + c.length + 1);
    EXPECT_EQ(copy, first + c.used);
  }
  // The first text is untouched either way.
  EXPECT_EQ(std::strlen(first), c.used - 1);
  EXPECT_EQ(pool.BytesInUse(), c.used + c.length + 1);
}

INSTANTIATE_TEST_SUITE_P(Edges, StringPoolBlockTest,
                         ::testing::Values(BlockCase{65520, 9, false},   // 65,530
                                           BlockCase{65520, 10, true},   // 65,531
                                           BlockCase{65529, 0, false},   // 65,530
                                           BlockCase{65530, 0, true},    // 65,531
                                           BlockCase{100, 65429, false},
                                           BlockCase{100, 65430, true}));

TEST(StringPoolTest, ClearFreesTheChainAndReusesTheFirstBlock) {
  StringPool pool;
  const char* first = pool.Add("primul");
  // The first fill shares the block with "primul"; each later one needs a
  // block of its own.
  for (int i = 0; i < 3; ++i) FillTo(pool, 60000);
  EXPECT_EQ(pool.BlockCount(), 3u);
  EXPECT_GE(pool.BytesReserved(), 3 * StringPool::kTextBytes);
  pool.Clear();
  EXPECT_EQ(pool.BlockCount(), 1u);
  EXPECT_EQ(pool.Used(), 0u);
  EXPECT_EQ(pool.BytesInUse(), 0u);
  EXPECT_EQ(pool.Add("altul"), first);
}

TEST(StringPoolTest, LaterBlocksShareWholeSlabsThatClearGivesBack) {
  StringPool pool;
  const size_t empty = pool.BytesReserved();
  // Each text needs a block of its own: the embedded one, then 31 blocks of
  // a first slab and 8 of a second.
  std::vector<const char*> texts;
  for (int i = 0; i < 40; ++i) {
    texts.push_back(pool.Add(std::string(60000, static_cast<char>('a' + i % 26))));
    ASSERT_NE(texts.back(), nullptr) << i;
  }
  EXPECT_EQ(pool.BlockCount(), 40u);
  EXPECT_EQ(pool.BytesReserved(), empty + 2 * ChunkArena::kSlabAlignment);
  EXPECT_GE(pool.BytesReserved(), pool.BlockCount() * StringPool::kTextBytes);
  for (int i = 0; i < 40; ++i) {
    EXPECT_EQ(std::string(texts[i]), std::string(60000, static_cast<char>('a' + i % 26))) << i;
  }
  pool.Clear();
  EXPECT_EQ(pool.BlockCount(), 1u);
  EXPECT_EQ(pool.BytesReserved(), empty);
  EXPECT_NE(pool.Add(std::string(60000, 'z')), nullptr);
  EXPECT_NE(pool.Add(std::string(60000, 'z')), nullptr);
  EXPECT_EQ(pool.BytesReserved(), empty + ChunkArena::kSlabAlignment);
}

TEST(StringPoolTest, LongestTextFitsAnEmptyBlockAndLongerIsRefused) {
  StringPool pool;
  const std::string longest(StringPool::kMaxLength, 'l');
  const char* copy = pool.Add(longest);
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy, longest);
  EXPECT_EQ(pool.BlockCount(), 1u);
  // In a used block it moves to a fresh one.
  ASSERT_NE(pool.Add(longest), nullptr);
  EXPECT_EQ(pool.BlockCount(), 2u);
  // One more byte could never fit a block; it is refused instead of
  // overrunning a block.
  const size_t used = pool.Used();
  EXPECT_EQ(pool.Add(std::string(StringPool::kMaxLength + 1, 'l')), nullptr);
  EXPECT_EQ(pool.BlockCount(), 2u);
  EXPECT_EQ(pool.Used(), used);
}

TEST(StringPoolTest, FailedBlockAllocationReturnsNoneAndKeepsThePool) {
  StringPool pool;
  FillTo(pool, 65520);
  {
    testing::NothrowFailure failure(0);
    EXPECT_EQ(pool.Add("0123456789"), nullptr);
    // Texts that still fit the block need no allocation.
    EXPECT_NE(pool.Add("012345678"), nullptr);
  }
  EXPECT_EQ(pool.BlockCount(), 1u);
  EXPECT_EQ(pool.Used(), 65530u);
  EXPECT_STREQ(pool.Add("0123456789"), "0123456789");
  EXPECT_EQ(pool.BlockCount(), 2u);
}

}  // namespace
}  // namespace malvex
