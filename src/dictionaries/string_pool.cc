#include "dictionaries/string_pool.h"

#include <new>

namespace malvex {

StringPool::StringPool() : last_(&first_), arena_(sizeof(Block), alignof(Block)) {
  first_.next = nullptr;
}

StringPool::~StringPool() { Clear(); }

const char* StringPool::AddToNewBlock(std::string_view text) {
  // A text that cannot fit even an empty block would overrun it.
  if (text.size() > kMaxLength) return nullptr;
  void* const memory = arena_.Take();
  if (memory == nullptr) return nullptr;
  Block* const block = new (memory) Block;
  block->next = nullptr;
  last_->next = block;
  last_ = block;
  ++blocks_;
  // The rest of the previous block stays unused.
  used_ = text.size() + 1;
  stored_ += used_;
  CopyText(block->text, text);
  return block->text;
}

void StringPool::Clear() {
  // Blocks hold plain bytes: giving back their slabs frees them all.
  arena_.Reset();
  first_.next = nullptr;
  last_ = &first_;
  blocks_ = 1;
  used_ = 0;
  stored_ = 0;
}

}  // namespace malvex
