// Paged arrays: cells indexed by numbers that can run into tens of millions,
// kept in pages allocated (zero-filled) on first touch. Cells hold 32-bit
// values, pointers or texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <string_view>
#include <utility>

namespace malvex {

class Messages;
class StringPool;

// Shows catalogue message 0 through `messages` (when not null) and ends the
// process with exit code 1.
[[noreturn]] void PagedArrayOutOfMemory(Messages* messages);

template <typename T>
class PagedArray {
 public:
  static constexpr uint32_t kPageCount = 8001;
  static constexpr uint32_t kCellsPerPage = 8192;
  static constexpr uint32_t kMaxIndex = kPageCount * kCellsPerPage - 1;  // 65,544,191

  // Allocates page 0; when that fails, shows message 0 through `messages`
  // (may be null) and ends the process with exit code 1.
  explicit PagedArray(Messages* messages) {
    if (PageFor(0) == nullptr) PagedArrayOutOfMemory(messages);
  }
  ~PagedArray() { Clear(); }
  PagedArray(const PagedArray&) = delete;
  PagedArray& operator=(const PagedArray&) = delete;

  // Cell `i`, allocating its page on first touch. Zero (or null) when `i` is
  // above kMaxIndex or its page cannot be allocated.
  T Get(uint32_t i) {
    T* const page = PageFor(i);
    return page == nullptr ? T{} : page[i % kCellsPerPage];
  }

  // Stores `value` in cell `i`; false when `i` is out of range or its page
  // cannot be allocated.
  bool Set(uint32_t i, T value) {
    T* const page = PageFor(i);
    if (page == nullptr) return false;
    page[i % kCellsPerPage] = value;
    return true;
  }

  // Exchanges cells `i` and `j`; false (nothing changed) when either is out
  // of range or a page cannot be allocated.
  bool Swap(uint32_t i, uint32_t j) {
    T* const a = PageFor(i);
    if (a == nullptr) return false;
    T* const b = PageFor(j);
    if (b == nullptr) return false;
    std::swap(a[i % kCellsPerPage], b[j % kCellsPerPage]);
    return true;
  }

  // Frees every page, page 0 included; cells read as zero afterwards.
  void Clear() {
    for (T*& page : pages_) {
      delete[] page;
      page = nullptr;
    }
    pageCount_ = 0;
    lastPage_ = nullptr;
    lastPageNumber_ = 0;
  }

  // Calls f(cell) for every cell of every allocated page.
  template <typename F>
  void ForEachAllocatedCell(F f) {
    for (T* page : pages_) {
      if (page == nullptr) continue;
      for (uint32_t k = 0; k < kCellsPerPage; ++k) f(page[k]);
    }
  }

  // Number of pages allocated.
  uint32_t PageCount() const { return pageCount_; }
  // Whether page `n` is allocated.
  bool HasPage(uint32_t n) const { return n < kPageCount && pages_[n] != nullptr; }

 private:
  // The page holding cell `i`, allocated on first touch; null when `i` is out
  // of range or the allocation fails. Consecutive accesses to one page skip
  // the page table.
  T* PageFor(uint32_t i) {
    if (i > kMaxIndex) return nullptr;
    const uint32_t n = i / kCellsPerPage;
    if (lastPage_ != nullptr && n == lastPageNumber_) return lastPage_;
    T*& page = pages_[n];
    if (page == nullptr) {
      page = new (std::nothrow) T[kCellsPerPage]();
      if (page == nullptr) return nullptr;
      ++pageCount_;
    }
    lastPage_ = page;
    lastPageNumber_ = n;
    return page;
  }

  T* pages_[kPageCount] = {};
  uint32_t pageCount_ = 0;
  T* lastPage_ = nullptr;
  uint32_t lastPageNumber_ = 0;
};

// A paged array of texts. Stored texts are copies: taken from `pool` when one
// is given (they then live as long as the pool's contents), otherwise
// separate allocations owned by the array.
class PagedTextArray {
 public:
  // `pool` may be null; `messages` as for PagedArray.
  PagedTextArray(Messages* messages, StringPool* pool);
  ~PagedTextArray();
  PagedTextArray(const PagedTextArray&) = delete;
  PagedTextArray& operator=(const PagedTextArray&) = delete;

  // Stores a copy of `text` in cell `i`, replacing any text there; false
  // when `i` is out of range or memory runs out (the cell is then unchanged).
  bool Set(uint32_t i, std::string_view text);
  // The text of cell `i`, or null when none.
  const char* Get(uint32_t i) { return cells_.Get(i); }
  // Frees every page and every separately allocated text.
  void Clear();

  uint32_t PageCount() const { return cells_.PageCount(); }
  bool UsesPool() const { return pool_ != nullptr; }

 private:
  void FreeSeparateTexts();

  PagedArray<const char*> cells_;
  StringPool* const pool_;
};

}  // namespace malvex
