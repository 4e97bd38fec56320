#include "semantic/cell_pool.h"

#include <cstring>
#include <new>

#include "platform/fatal.h"

namespace malvex {

CellPool::CellPool() {
  std::memset(&first_, 0, sizeof(first_));
  blocks_.reset(new (std::nothrow) Block*[16]);
  if (!blocks_) FatalExit(1);
  blockCapacity_ = 16;
  blocks_[0] = &first_;
}

CellPool::~CellPool() { Clear(); }

uint32_t CellPool::TakeFromNewBlock() {
  // Cell numbers are 32-bit: the last block must end within that range.
  if (static_cast<uint64_t>(blockCount_ + 1) * kCellsPerBlock > UINT32_MAX) return 0;
  if (blockCount_ == blockCapacity_) {
    const uint32_t capacity = blockCapacity_ * 2;
    std::unique_ptr<Block*[]> grown(new (std::nothrow) Block*[capacity]);
    if (!grown) return 0;
    std::memcpy(grown.get(), blocks_.get(), blockCount_ * sizeof(Block*));
    blocks_ = std::move(grown);
    blockCapacity_ = capacity;
  }
  Block* const block = new (std::nothrow) Block;
  if (block == nullptr) return 0;
  std::memset(block, 0, sizeof(Block));
  blocks_[blockCount_ - 1]->next = block;
  blocks_[blockCount_++] = block;
  used_ = 1;
  return (blockCount_ - 1) * kCellsPerBlock + 1;
}

void CellPool::Clear() {
  Block* block = first_.next;
  while (block != nullptr) {
    Block* const next = block->next;
    delete block;
    block = next;
  }
  std::memset(&first_, 0, sizeof(first_));
  blockCount_ = 1;
  used_ = 0;
}

bool Chain::Create(CellPool& pool) {
  *this = Chain();
  const uint32_t cell = pool.Take();
  if (cell == 0) return false;
  head_ = cursor_ = tail_ = saved_ = cell;
  return true;
}

bool Chain::Append(CellPool& pool, uint32_t value) {
  if (head_ == 0) return false;
  const uint32_t cell = pool.Take();
  if (cell == 0) return false;
  CellPool::Cell& last = pool.At(tail_);
  last.value = value;
  last.link = cell;
  tail_ = cell;
  ++length_;
  return true;
}

}  // namespace malvex
