// StringPool: packs zero-terminated texts into chained blocks that are freed
// only as a whole. One pool holds the texts of a run (word texts, classes
// created during the run); another holds the texts loaded from the
// dictionary files. The blocks after the first are carved from huge-page
// slabs (ChunkArena).
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

#include "dictionaries/chunk_arena.h"

namespace malvex {

class StringPool {
 public:
  // A block is a link to the next block followed by this many bytes of text.
  static constexpr size_t kTextBytes = 65532;
  // A text goes to a new block when used + length + 1 reaches this value, so
  // at most 65,530 bytes of a block are ever used.
  static constexpr size_t kBlockLimit = 65531;
  // The longest text the pool accepts (it must fit an empty block).
  static constexpr size_t kMaxLength = kBlockLimit - 2;

  StringPool();
  ~StringPool();
  StringPool(const StringPool&) = delete;
  StringPool& operator=(const StringPool&) = delete;

  // Copies `text` and a terminating zero into the pool and returns the copy,
  // which stays valid until Clear(). A text never spans two blocks. Returns
  // nullptr when a new block cannot be allocated or the text is longer than
  // kMaxLength.
  const char* Add(std::string_view text) {
    const size_t need = text.size() + 1;
    if (used_ + need >= kBlockLimit) return AddToNewBlock(text);
    char* copy = last_->text + used_;
    CopyText(copy, text);
    used_ += need;
    stored_ += need;
    return copy;
  }

  // Frees every allocated block (their slabs go back whole); the embedded
  // first block becomes the block being filled again, empty.
  void Clear();

  // Number of blocks in the chain, the embedded one included.
  size_t BlockCount() const { return blocks_; }
  // Bytes used in the block being filled.
  size_t Used() const { return used_; }
  // Bytes taken by the stored texts and their terminating zeros.
  size_t BytesInUse() const { return stored_; }
  // Bytes held for texts: the embedded block and every slab the later blocks
  // are carved from (at least BlockCount() blocks' worth).
  size_t BytesReserved() const { return sizeof(Block) + arena_.BytesReserved(); }

 private:
  struct Block {
    Block* next;
    char text[kTextBytes];
  };

  static void CopyText(char* to, std::string_view text) {
    if (!text.empty()) std::memcpy(to, text.data(), text.size());
    to[text.size()] = '\0';
  }
  const char* AddToNewBlock(std::string_view text);

  size_t used_ = 0;
  size_t stored_ = 0;
  size_t blocks_ = 1;
  Block* last_;
  ChunkArena arena_;
  Block first_;
};

}  // namespace malvex
