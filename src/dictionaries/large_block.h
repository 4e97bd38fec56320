// A large zero-filled block of memory for read-mostly tables of tens of
// megabytes (the lexicon's load-time hash). It is mapped straight from the
// system, which hands out zeroed pages without a fill pass, and asks for
// large pages: lookups scattered over such a table then need few address
// translations.
#pragma once

#include <cstddef>

namespace malvex {

class LargeBlock {
 public:
  LargeBlock() = default;
  ~LargeBlock() { Release(); }
  LargeBlock(LargeBlock&& other) noexcept : data_(other.data_), size_(other.size_) {
    other.data_ = nullptr;
    other.size_ = 0;
  }
  LargeBlock& operator=(LargeBlock&& other) noexcept;
  LargeBlock(const LargeBlock&) = delete;
  LargeBlock& operator=(const LargeBlock&) = delete;

  // Replaces the block with `size` zero bytes; false (and no block) when the
  // system refuses.
  bool Allocate(size_t size);
  // Frees the block.
  void Release();

  void* data() const { return data_; }
  size_t size() const { return size_; }

 private:
  void* data_ = nullptr;
  size_t size_ = 0;
};

}  // namespace malvex
