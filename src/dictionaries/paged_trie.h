// A compact trie whose cells live in pages allocated on first touch, for
// word lists that grow to millions of cells while being built (the OWL
// import's class identifiers). Cells, lookup and links are those of the
// flat tries (dictionaries/trie.h); values are signed 32-bit and insertion
// counts repeated keys instead of marking them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dictionaries/trie_cursor.h"

namespace malvex {

class PagedTrie {
 public:
  static constexpr uint32_t kCellsPerPage = 8192;
  static constexpr uint32_t kPageCount = 4001;
  // Highest cell position: 4,001 pages of 8,192 cells.
  static constexpr uint32_t kMaxPosition = kPageCount * kCellsPerPage - 1;  // 32,776,191

  PagedTrie() = default;
  ~PagedTrie();
  PagedTrie(const PagedTrie&) = delete;
  PagedTrie& operator=(const PagedTrie&) = delete;

  // Finds `key` as given (it ends at `length` or at a zero byte; callers
  // fold it when keys are to match regardless of case) and fills the
  // cursor. Returns the cell holding the key's value or -1. Reading never
  // allocates a page.
  int32_t Find(const char* key, size_t length);
  int32_t Find(std::string_view key) { return Find(key.data(), key.size()); }
  // The value of `key`, 0 when absent.
  int32_t ValueOf(std::string_view key);

  // Stores `key` with `value`, taking the key as given:
  // - a key that already has a value keeps it; duplicates + 1 and the
  //   cursor's ambiguous mark is set; true;
  // - a key present as a prefix only takes the value; true;
  // - a new key appends its missing characters and a value cell; true.
  // An empty key returns false. A key whose cells would go beyond
  // kMaxPosition, or whose pages cannot be allocated, is refused as a whole
  // (overflow set, false, the trie unchanged).
  bool Insert(std::string_view key, int32_t value);

  // Frees every page: the trie is empty again and its counters are 0.
  void Clear();

  const TrieCursor& Cursor() const { return cursor_; }
  uint32_t Used() const { return used_; }
  bool IsEmpty() const { return empty_; }
  // Pages allocated.
  uint32_t PageCount() const { return pageCount_; }

  // Cell contents; a cell in a page never touched reads as a fresh cell
  // (0, -1, 0), as does any position beyond kMaxPosition.
  uint8_t CharAt(uint32_t p) { const Page* g = ReadPage(p); return g ? g->chars[p % kCellsPerPage] : 0; }
  int32_t NextAt(uint32_t p) { const Page* g = ReadPage(p); return g ? g->next[p % kCellsPerPage] : -1; }
  int32_t ValueAt(uint32_t p) { const Page* g = ReadPage(p); return g ? g->values[p % kCellsPerPage] : 0; }

 private:
  struct Page {
    uint8_t chars[kCellsPerPage];
    int32_t next[kCellsPerPage];
    int32_t values[kCellsPerPage];
  };

  // The page of cell `p`, or null when it was never allocated or `p` is
  // beyond kMaxPosition. The last page reached is cached.
  const Page* ReadPage(uint32_t p) {
    if (p > kMaxPosition) return nullptr;
    const uint32_t n = p / kCellsPerPage;
    if (n == lastPageNumber_ && lastPage_ != nullptr) return lastPage_;
    Page* const page = pages_[n];
    if (page != nullptr) {
      lastPage_ = page;
      lastPageNumber_ = n;
    }
    return page;
  }
  // The page of cell `p`, allocated (as fresh cells) on first touch; null
  // when `p` is beyond kMaxPosition or memory runs out.
  Page* WritePage(uint32_t p);

  Page* pages_[kPageCount] = {};
  uint32_t pageCount_ = 0;
  Page* lastPage_ = nullptr;
  uint32_t lastPageNumber_ = 0;
  uint32_t used_ = 0;
  bool empty_ = true;
  TrieCursor cursor_;
};

}  // namespace malvex
