// The cell pool and the chains built on it. A cell is 8 bytes: a 32-bit
// value and the 32-bit number of the next cell. Cells come in order from
// blocks of 8190; the first block is part of the pool and the later ones
// are allocated zero-filled as needed. Cells are never freed one by one:
// clearing the pool frees every allocated block and zero-fills the first.
//
// A chain is a singly linked list of cells that always ends with an empty
// tail cell; appending fills the tail and links a new one. The relation
// store keeps its occurrence and ranked chains this way.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

namespace malvex {

class CellPool {
 public:
  static constexpr uint32_t kCellsPerBlock = 8190;

  struct Cell {
    uint32_t value;
    uint32_t link;  // number of the next cell, 0 for none
  };

  // Running out of memory for the block directory ends the process (exit
  // code 1).
  CellPool();
  ~CellPool();
  CellPool(const CellPool&) = delete;
  CellPool& operator=(const CellPool&) = delete;

  // The number (1, 2, ...) of a new zero cell; 0 when a new block is needed
  // and cannot be allocated (the pool is then unchanged).
  uint32_t Take() {
    if (used_ == kCellsPerBlock) return TakeFromNewBlock();
    return ++used_ + (blockCount_ - 1) * kCellsPerBlock;
  }

  // Cell `number` (1..Taken()); undefined for any other number.
  Cell& At(uint32_t number) {
    const uint32_t k = number - 1;
    return blocks_[k / kCellsPerBlock]->cells[k % kCellsPerBlock];
  }
  const Cell& At(uint32_t number) const {
    const uint32_t k = number - 1;
    return blocks_[k / kCellsPerBlock]->cells[k % kCellsPerBlock];
  }

  // Frees every allocated block; the first block becomes empty and zero.
  void Clear();

  // Blocks in the chain, the first one included.
  uint32_t BlockCount() const { return blockCount_; }
  // Cells handed out since the last Clear().
  uint64_t Taken() const { return static_cast<uint64_t>(blockCount_ - 1) * kCellsPerBlock + used_; }

 private:
  struct Block {
    Block* next;
    Cell cells[kCellsPerBlock];
  };

  uint32_t TakeFromNewBlock();

  // blocks_[i] is block i; blocks_[0] is first_. Grown by doubling.
  std::unique_ptr<Block*[]> blocks_;
  uint32_t blockCapacity_ = 0;
  uint32_t blockCount_ = 1;
  uint32_t used_ = 0;  // cells taken from the last block
  Block first_;
};

class Chain {
 public:
  Chain() = default;

  // Makes the chain empty on `pool`: head = tail = a new cell. False when
  // no cell can be taken (the chain is then not created).
  bool Create(CellPool& pool);
  bool Created() const { return head_ != 0; }
  // Forgets the cells (they stay in the pool); the chain is not created.
  void Drop() { *this = Chain(); }

  // Stores `value` at the end of the chain; false when no cell can be taken
  // (the chain is unchanged).
  bool Append(CellPool& pool, uint32_t value);

  void Rewind() { cursor_ = head_; }
  // The value at the cursor, moving the cursor on; false at the tail.
  bool Next(const CellPool& pool, uint32_t& value) {
    if (cursor_ == tail_) return false;
    const CellPool::Cell& cell = pool.At(cursor_);
    value = cell.value;
    cursor_ = cell.link;
    return true;
  }
  bool AtEnd() const { return cursor_ == tail_; }
  // Calls f(value) for every value from head to tail; the cursor stays.
  template <typename F>
  void ForEach(const CellPool& pool, F f) const {
    for (uint32_t cell = head_; cell != tail_;) {
      const CellPool::Cell& c = pool.At(cell);
      f(c.value);
      cell = c.link;
    }
  }
  void SaveCursor() { saved_ = cursor_; }
  void RestoreCursor() { cursor_ = saved_; }
  // Values appended since Create().
  uint32_t Length() const { return length_; }

 private:
  uint32_t head_ = 0;
  uint32_t cursor_ = 0;
  uint32_t tail_ = 0;
  uint32_t saved_ = 0;
  uint32_t length_ = 0;
};

}  // namespace malvex
