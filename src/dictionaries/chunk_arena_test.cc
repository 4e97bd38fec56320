#include "dictionaries/chunk_arena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "dictionaries/nothrow_failure_for_tests.h"

namespace malvex {
namespace {

constexpr size_t kSlab = ChunkArena::kSlabAlignment;

uintptr_t Address(const void* p) { return reinterpret_cast<uintptr_t>(p); }

struct GeometryCase {
  size_t chunkBytes;
  size_t alignment;
  size_t slabBytes;
  size_t chunksPerSlab;
};

class ChunkArenaGeometryTest : public ::testing::TestWithParam<GeometryCase> {};

TEST_P(ChunkArenaGeometryTest, SlabIsTheSmallestMultipleOfTwoMiBHoldingAChunk) {
  const GeometryCase c = GetParam();
  ChunkArena arena(c.chunkBytes, c.alignment);
  EXPECT_EQ(arena.ChunkBytes(), c.chunkBytes);
  EXPECT_EQ(arena.SlabBytes(), c.slabBytes);
  EXPECT_EQ(arena.ChunksPerSlab(), c.chunksPerSlab);
  // Nothing is taken before the first chunk.
  EXPECT_EQ(arena.SlabCount(), 0u);
  EXPECT_EQ(arena.BytesReserved(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, ChunkArenaGeometryTest,
    ::testing::Values(
        // The word stream's node chunk and the string pool's block.
        GeometryCase{8 + 1170 * 72, 8, kSlab, 24}, GeometryCase{8 + 65532, 8, kSlab, 31},
        // The last chunk needs its own bytes only, not a whole stride.
        GeometryCase{100, 4096, kSlab, 512},
        // 16 bytes of every slab keep its bookkeeping.
        GeometryCase{kSlab - 16, 8, kSlab, 1}, GeometryCase{kSlab - 15, 8, 2 * kSlab, 2},
        GeometryCase{3 * kSlab, 64, 4 * kSlab, 1}));

struct LayoutCase {
  size_t chunkBytes;
  size_t alignment;
};

class ChunkArenaLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(ChunkArenaLayoutTest, ChunksAreAlignedDisjointAndSlabsStartOnTwoMiB) {
  const LayoutCase c = GetParam();
  ChunkArena arena(c.chunkBytes, c.alignment);
  const size_t perSlab = arena.ChunksPerSlab();
  const size_t total = 2 * perSlab + 1;  // three slabs, the last with one chunk
  std::vector<unsigned char*> chunks;
  uintptr_t slabStart = 0;
  for (size_t k = 0; k < total; ++k) {
    auto* chunk = static_cast<unsigned char*>(arena.Take());
    ASSERT_NE(chunk, nullptr) << "chunk " << k;
    EXPECT_EQ(Address(chunk) % c.alignment, 0u) << "chunk " << k;
    if (k % perSlab == 0) {
      EXPECT_EQ(Address(chunk) % kSlab, 0u) << "chunk " << k;
      slabStart = Address(chunk);
    }
    // Every chunk of a slab lies inside it, before its bookkeeping.
    EXPECT_LE(Address(chunk) + c.chunkBytes, slabStart + arena.SlabBytes() - 16) << k;
    std::memset(chunk, static_cast<int>(k % 251), c.chunkBytes);
    chunks.push_back(chunk);
  }
  EXPECT_EQ(arena.ChunkCount(), total);
  EXPECT_EQ(arena.SlabCount(), 3u);
  EXPECT_EQ(arena.BytesReserved(), 3 * arena.SlabBytes());
  // No chunk overwrote another.
  for (size_t k = 0; k < total; ++k) {
    const unsigned char want = static_cast<unsigned char>(k % 251);
    EXPECT_EQ(chunks[k][0], want) << "chunk " << k;
    EXPECT_EQ(chunks[k][c.chunkBytes - 1], want) << "chunk " << k;
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ChunkArenaLayoutTest,
                         ::testing::Values(LayoutCase{65540, 8}, LayoutCase{84248, 8},
                                           LayoutCase{100, 64}, LayoutCase{5000, 4096},
                                           LayoutCase{kSlab + 1, 16}));

TEST(ChunkArenaTest, ResetGivesBackEverySlabAndTheArenaFillsAgain) {
  ChunkArena arena(84248, 8);
  const size_t perSlab = arena.ChunksPerSlab();
  for (size_t k = 0; k < 2 * perSlab + 1; ++k) ASSERT_NE(arena.Take(), nullptr);
  ASSERT_EQ(arena.SlabCount(), 3u);
  arena.Reset();
  EXPECT_EQ(arena.ChunkCount(), 0u);
  EXPECT_EQ(arena.SlabCount(), 0u);
  EXPECT_EQ(arena.BytesReserved(), 0u);
  // Filling again takes fresh slabs, one per ChunksPerSlab() chunks, and the
  // new chunks are whole (a stale pointer into a freed slab would show under
  // the address sanitizer).
  for (int round = 0; round < 3; ++round) {
    for (size_t k = 0; k < perSlab + 1; ++k) {
      void* chunk = arena.Take();
      ASSERT_NE(chunk, nullptr);
      std::memset(chunk, 0x5A, arena.ChunkBytes());
    }
    EXPECT_EQ(arena.ChunkCount(), perSlab + 1);
    EXPECT_EQ(arena.SlabCount(), 2u);
    arena.Reset();
    EXPECT_EQ(arena.SlabCount(), 0u);
  }
  // Resetting an empty arena changes nothing.
  arena.Reset();
  EXPECT_EQ(arena.ChunkCount(), 0u);
}

TEST(ChunkArenaTest, FailedSlabAllocationReturnsNoneAndKeepsTheArena) {
  ChunkArena arena(65540, 8);
  {
    testing::NothrowFailure failure(0);
    EXPECT_EQ(arena.Take(), nullptr);
  }
  EXPECT_EQ(arena.ChunkCount(), 0u);
  EXPECT_EQ(arena.SlabCount(), 0u);

  void* first = arena.Take();
  ASSERT_NE(first, nullptr);
  {
    // The chunks left in the slab need no allocation; the one after them
    // does, and fails.
    testing::NothrowFailure failure(0);
    for (size_t k = 1; k < arena.ChunksPerSlab(); ++k) ASSERT_NE(arena.Take(), nullptr) << k;
    EXPECT_EQ(arena.Take(), nullptr);
    EXPECT_EQ(arena.Take(), nullptr);
  }
  EXPECT_EQ(arena.ChunkCount(), arena.ChunksPerSlab());
  EXPECT_EQ(arena.SlabCount(), 1u);
  // With memory back, a second slab comes.
  void* next = arena.Take();
  ASSERT_NE(next, nullptr);
  EXPECT_EQ(Address(next) % kSlab, 0u);
  EXPECT_EQ(arena.SlabCount(), 2u);
  EXPECT_EQ(arena.ChunkCount(), arena.ChunksPerSlab() + 1);
}

TEST(ChunkArenaTest, ChunkTooLargeForAnySlabIsRefused) {
  ChunkArena arena(SIZE_MAX / 2, 8);
  EXPECT_EQ(arena.ChunksPerSlab(), 0u);
  EXPECT_EQ(arena.Take(), nullptr);
  EXPECT_EQ(arena.SlabCount(), 0u);
  EXPECT_EQ(arena.BytesReserved(), 0u);
}

}  // namespace
}  // namespace malvex
