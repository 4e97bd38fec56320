// The cursor and the eight bookmarks of a store of the semantic pass. A
// store's entries are numbered 0..count-1 and the empty tail entry is
// number `count`; the head is entry 0 (the tail itself while the store is
// empty). The cursor is "none" until the first rewind, so that several
// views can tell an unused store from a walked one.
#pragma once

#include <cstdint>

namespace malvex {

inline constexpr int kStoreBookmarks = 8;

class StoreCursor {
 public:
  static constexpr uint32_t kNone = UINT32_MAX;

  // No cursor; bookmarks 1 and 2 on the head, the others none.
  StoreCursor() { Reset(); }
  void Reset() {
    cursor_ = kNone;
    for (uint32_t& b : bookmarks_) b = kNone;
    bookmarks_[0] = bookmarks_[1] = 0;
    for (int k = 0; k < kStoreBookmarks; ++k) saved_[k] = bookmarks_[k];
  }

  uint32_t Get() const { return cursor_; }
  void Set(uint32_t entry) { cursor_ = entry; }
  bool HasCursor() const { return cursor_ != kNone; }

  // Bookmark k (1..8) = cursor / cursor = bookmark k; other k are ignored.
  void SetBookmark(int k) {
    if (k >= 1 && k <= kStoreBookmarks) bookmarks_[k - 1] = cursor_;
  }
  void GoToBookmark(int k) {
    if (k >= 1 && k <= kStoreBookmarks) cursor_ = bookmarks_[k - 1];
  }
  uint32_t Bookmark(int k) const { return k >= 1 && k <= kStoreBookmarks ? bookmarks_[k - 1] : kNone; }
  // Copies the eight bookmarks to or from the saved copy.
  void SaveBookmarks() {
    for (int k = 0; k < kStoreBookmarks; ++k) saved_[k] = bookmarks_[k];
  }
  void RestoreBookmarks() {
    for (int k = 0; k < kStoreBookmarks; ++k) bookmarks_[k] = saved_[k];
  }

 private:
  uint32_t cursor_;
  uint32_t bookmarks_[kStoreBookmarks];
  uint32_t saved_[kStoreBookmarks];
};

}  // namespace malvex
