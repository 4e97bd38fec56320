// Keeps the word stream's cursor and all its bookmarks for the lifetime of
// a scope. The main text panel keeps its page in bookmarks 1..3; a window
// that moves the shared stream (to draw its own page or to walk the text)
// holds one of these so that the panel finds its page, its next page and
// its last search exactly as they were, whichever way the scope is left.
#pragma once

#include "reading/word_stream.h"

namespace malvex {

class ScopedStreamBookmarks {
 public:
  explicit ScopedStreamBookmarks(WordStream& stream) : stream_(stream), cursor_(stream.Current()) {
    for (int i = 1; i <= WordStream::kBookmarkCount; ++i) saved_[i - 1] = stream.Bookmark(i);
  }
  ~ScopedStreamBookmarks() {
    for (int i = 1; i <= WordStream::kBookmarkCount; ++i) {
      stream_.SetCurrent(saved_[i - 1]);
      stream_.SaveBookmark(i);
    }
    stream_.SetCurrent(cursor_);
  }
  ScopedStreamBookmarks(const ScopedStreamBookmarks&) = delete;
  ScopedStreamBookmarks& operator=(const ScopedStreamBookmarks&) = delete;

 private:
  WordStream& stream_;
  WordNode* const cursor_;
  WordNode* saved_[WordStream::kBookmarkCount];
};

}  // namespace malvex
