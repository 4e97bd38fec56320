#include "dictionaries/paged_trie.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace malvex {

namespace {

template <typename Trie>
struct PagedCellView {
  Trie& t;
  uint8_t CharAt(uint32_t p) const { return t.CharAt(p); }
  int32_t NextAt(uint32_t p) const { return t.NextAt(p); }
  int32_t ValueAt(uint32_t p) const { return t.ValueAt(p); }
};

}  // namespace

PagedTrie::~PagedTrie() { Clear(); }

void PagedTrie::Clear() {
  for (Page*& page : pages_) {
    delete page;
    page = nullptr;
  }
  pageCount_ = 0;
  lastPage_ = nullptr;
  lastPageNumber_ = 0;
  used_ = 0;
  empty_ = true;
  cursor_.newEntries = 0;
  cursor_.duplicates = 0;
}

PagedTrie::Page* PagedTrie::WritePage(uint32_t p) {
  if (p > kMaxPosition) return nullptr;
  const uint32_t n = p / kCellsPerPage;
  if (n == lastPageNumber_ && lastPage_ != nullptr) return lastPage_;
  Page*& page = pages_[n];
  if (page == nullptr) {
    page = new (std::nothrow) Page;
    if (page == nullptr) return nullptr;
    std::memset(page->chars, 0, sizeof page->chars);
    std::fill(std::begin(page->next), std::end(page->next), -1);
    std::memset(page->values, 0, sizeof page->values);
    ++pageCount_;
  }
  lastPage_ = page;
  lastPageNumber_ = n;
  return page;
}

int32_t PagedTrie::Find(const char* key, size_t length) {
  const PagedCellView<PagedTrie> cells{*this};
  return trie_detail::FindInCells(cells, used_, key, length, cursor_);
}

int32_t PagedTrie::ValueOf(std::string_view key) { return Find(key) < 0 ? 0 : cursor_.value; }

bool PagedTrie::Insert(std::string_view key, int32_t value) {
  cursor_.ambiguous = false;
  const size_t length = TrieKeyLength(key.data(), key.size());
  if (length == 0) return false;
  const int32_t found = Find(key.data(), length);
  if (found >= 0) {
    if (cursor_.value != 0) {
      ++cursor_.duplicates;
      cursor_.ambiguous = true;
      return true;
    }
    Page* const page = WritePage(static_cast<uint32_t>(found));
    if (page == nullptr) {
      cursor_.overflow = true;
      return false;
    }
    ++cursor_.newEntries;
    page->values[found % kCellsPerPage] = value;
    return true;
  }

  // Every cell of the new run (its characters and the value cell after
  // them) must be obtainable before anything changes.
  const uint64_t rest = length - cursor_.matchedLength;
  const uint64_t valueCell = used_ + rest;
  if (valueCell > kMaxPosition) {
    cursor_.overflow = true;
    return false;
  }
  for (uint64_t p = used_; p <= valueCell; p += kCellsPerPage) {
    if (WritePage(static_cast<uint32_t>(p)) == nullptr) {
      cursor_.overflow = true;
      return false;
    }
  }
  if (WritePage(static_cast<uint32_t>(valueCell)) == nullptr) {
    cursor_.overflow = true;
    return false;
  }

  if (!empty_ && used_ > 0) {
    const uint32_t divergence = static_cast<uint32_t>(cursor_.position);
    WritePage(divergence)->next[divergence % kCellsPerPage] = static_cast<int32_t>(used_);
  }
  ++cursor_.newEntries;
  const uint8_t* const k = reinterpret_cast<const uint8_t*>(key.data());
  for (size_t i = cursor_.matchedLength; i < length; ++i) {
    WritePage(used_)->chars[used_ % kCellsPerPage] = k[i];
    ++used_;
  }
  WritePage(used_)->values[used_ % kCellsPerPage] = value;
  cursor_.position = static_cast<int32_t>(used_);
  ++used_;
  empty_ = false;
  return true;
}

}  // namespace malvex
