#include "semantic/cell_pool.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace malvex {
namespace {

TEST(CellPoolTest, CellsComeInOrderAndABlockHolds8190) {
  auto pool = std::make_unique<CellPool>();
  EXPECT_EQ(pool->BlockCount(), 1u);
  for (uint32_t i = 1; i <= CellPool::kCellsPerBlock; ++i) ASSERT_EQ(pool->Take(), i);
  EXPECT_EQ(pool->BlockCount(), 1u);
  // The 8191st cell opens a second block.
  EXPECT_EQ(pool->Take(), CellPool::kCellsPerBlock + 1);
  EXPECT_EQ(pool->BlockCount(), 2u);
  EXPECT_EQ(pool->Taken(), CellPool::kCellsPerBlock + 1u);
}

TEST(CellPoolTest, NewBlocksAreZeroAndClearingKeepsOnlyTheFirstBlockZeroed) {
  auto pool = std::make_unique<CellPool>();
  for (uint32_t i = 0; i < 3 * CellPool::kCellsPerBlock; ++i) {
    const uint32_t cell = pool->Take();
    ASSERT_NE(cell, 0u);
    EXPECT_EQ(pool->At(cell).value, 0u);
    EXPECT_EQ(pool->At(cell).link, 0u);
    pool->At(cell) = CellPool::Cell{cell * 3, cell + 1};
  }
  EXPECT_EQ(pool->BlockCount(), 3u);
  pool->Clear();
  EXPECT_EQ(pool->BlockCount(), 1u);
  EXPECT_EQ(pool->Taken(), 0u);
  for (uint32_t i = 1; i <= CellPool::kCellsPerBlock; ++i) {
    const uint32_t cell = pool->Take();
    ASSERT_EQ(cell, i);
    ASSERT_EQ(pool->At(cell).value, 0u);
    ASSERT_EQ(pool->At(cell).link, 0u);
  }
}

TEST(ChainTest, AppendedValuesComeBackInOrderAcrossBlocks) {
  auto pool = std::make_unique<CellPool>();
  Chain chain;
  EXPECT_FALSE(chain.Created());
  EXPECT_FALSE(chain.Append(*pool, 1));  // not created
  ASSERT_TRUE(chain.Create(*pool));
  chain.Rewind();
  uint32_t value = 0;
  EXPECT_FALSE(chain.Next(*pool, value));  // empty chain: head is the tail
  EXPECT_TRUE(chain.AtEnd());

  const uint32_t n = 2 * CellPool::kCellsPerBlock + 5;
  for (uint32_t i = 0; i < n; ++i) ASSERT_TRUE(chain.Append(*pool, i * 7));
  EXPECT_EQ(chain.Length(), n);
  EXPECT_EQ(pool->BlockCount(), 3u);

  chain.Rewind();
  std::vector<uint32_t> read;
  while (chain.Next(*pool, value)) read.push_back(value);
  ASSERT_EQ(read.size(), n);
  for (uint32_t i = 0; i < n; ++i) ASSERT_EQ(read[i], i * 7);

  // ForEach walks the same values and leaves the cursor where it was.
  chain.Rewind();
  ASSERT_TRUE(chain.Next(*pool, value));
  chain.SaveCursor();
  uint32_t seen = 0;
  chain.ForEach(*pool, [&](uint32_t v) { EXPECT_EQ(v, seen++ * 7); });
  EXPECT_EQ(seen, n);
  ASSERT_TRUE(chain.Next(*pool, value));
  EXPECT_EQ(value, 7u);
  chain.RestoreCursor();
  ASSERT_TRUE(chain.Next(*pool, value));
  EXPECT_EQ(value, 7u);
}

}  // namespace
}  // namespace malvex
