// EntryBlocks: a growing array of trivially copyable records numbered from
// 0, kept in blocks of 4096 so that appending never moves a record and
// costs one allocation per block. The stores of the semantic pass keep
// their entries this way; everything is freed as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <type_traits>

namespace malvex {

template <typename T>
class EntryBlocks {
  static_assert(std::is_trivially_copyable_v<T>);

 public:
  static constexpr uint32_t kPerBlockShift = 12;
  static constexpr uint32_t kPerBlock = uint32_t{1} << kPerBlockShift;

  EntryBlocks() = default;
  ~EntryBlocks() { Clear(); }
  EntryBlocks(const EntryBlocks&) = delete;
  EntryBlocks& operator=(const EntryBlocks&) = delete;

  uint32_t Size() const { return size_; }

  // Record `i` (0..Size()-1).
  T& operator[](uint32_t i) { return blocks_[i >> kPerBlockShift][i & (kPerBlock - 1)]; }
  const T& operator[](uint32_t i) const { return blocks_[i >> kPerBlockShift][i & (kPerBlock - 1)]; }

  // A new zero record at the end, or null when memory runs out (the array
  // is then unchanged).
  T* Append() {
    if ((size_ & (kPerBlock - 1)) == 0 && !AddBlock()) return nullptr;
    T* const record = &(*this)[size_++];
    std::memset(static_cast<void*>(record), 0, sizeof(T));
    return record;
  }

  // Drops the records from `size` on; the blocks stay for later appends.
  void Truncate(uint32_t size) {
    if (size < size_) size_ = size;
  }

  // Makes the array empty and frees every block.
  void Clear() {
    for (uint32_t b = 0; b < blockCount_; ++b) delete[] blocks_[b];
    blocks_.reset();
    blockCount_ = blockCapacity_ = 0;
    size_ = 0;
  }

  // Bytes held by the blocks and their directory.
  size_t BytesReserved() const {
    return static_cast<size_t>(blockCount_) * kPerBlock * sizeof(T) + blockCapacity_ * sizeof(T*);
  }

 private:
  bool AddBlock() {
    if (size_ == UINT32_MAX - kPerBlock + 1) return false;
    if (blockCount_ == blockCapacity_) {
      const uint32_t capacity = blockCapacity_ == 0 ? 64 : blockCapacity_ * 2;
      std::unique_ptr<T*[]> grown(new (std::nothrow) T*[capacity]);
      if (!grown) return false;
      if (blockCount_ > 0) std::memcpy(grown.get(), blocks_.get(), blockCount_ * sizeof(T*));
      blocks_ = std::move(grown);
      blockCapacity_ = capacity;
    }
    T* const block = new (std::nothrow) T[kPerBlock];
    if (block == nullptr) return false;
    blocks_[blockCount_++] = block;
    return true;
  }

  std::unique_ptr<T*[]> blocks_;
  uint32_t blockCount_ = 0;
  uint32_t blockCapacity_ = 0;
  uint32_t size_ = 0;
};

}  // namespace malvex
