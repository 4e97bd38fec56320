// The proposition store: one entry per proposition that had at least one
// significant word, holding the class paths of its significant words (its
// item table, at most 21), its first token in the word stream and the word
// position of its end marker. The semantic pass fills it; the text view and
// its navigation walk it with the cursor and the eight bookmarks.
//
// Entries are kept in blocks and their item tables packed one after the
// other (most propositions hold few items); a reader receives the full
// 21-item table with the unused items zero.
#pragma once

#include <cstdint>

#include "dictionaries/semantic_dictionary.h"
#include "semantic/entry_blocks.h"
#include "semantic/store_cursor.h"

namespace malvex {

struct WordNode;

// Most significant words a proposition's item table holds.
inline constexpr int kPropositionItems = 21;

// A proposition as a reader receives it.
struct PropositionView {
  ClassPath items[kPropositionItems];  // items beyond itemCount are zero
  int itemCount = 0;
  WordNode* firstToken = nullptr;
  int32_t position = 0;  // word position of the proposition's end marker
};

class PropositionStore {
 public:
  PropositionStore() = default;
  PropositionStore(const PropositionStore&) = delete;
  PropositionStore& operator=(const PropositionStore&) = delete;

  // Frees every entry; the store is as created (no cursor, bookmarks 1 and
  // 2 on the head).
  void Clear();

  // Appends a proposition: the first min(count, 21) class paths of `items`,
  // its first token and the position of its end marker. False when memory
  // runs out; the store is then unchanged.
  bool Append(const ClassPath* items, int count, WordNode* firstToken, int32_t position);

  uint32_t Count() const { return entries_.Size(); }

  // Cursor = head.
  void Rewind() { cursor_.Set(0); }
  // When the cursor is on an entry, fills `out` with it and moves the
  // cursor forward; false on the tail or without a cursor.
  bool Next(PropositionView& out);
  // When the cursor is after the head, moves it back and fills `out` with
  // that entry; false otherwise.
  bool Previous(PropositionView& out);
  bool AtHead() const { return cursor_.Get() == 0; }
  bool AtTail() const { return cursor_.Get() == Count(); }

  // Bookmarks 1..8 (other numbers are ignored) and their saved copy.
  void SetBookmark(int k) { cursor_.SetBookmark(k); }
  void GoToBookmark(int k) { cursor_.GoToBookmark(k); }
  void SaveBookmarks() { cursor_.SaveBookmarks(); }
  void RestoreBookmarks() { cursor_.RestoreBookmarks(); }
  // True when bookmark 2 or the cursor is the tail entry.
  bool Bookmark2Passed() const { return cursor_.Bookmark(2) == Count() || AtTail(); }

  // The word position where the text view stands: 0 without a cursor;
  // `highestPosition` (the word stream's) once bookmark 2 has passed;
  // otherwise the position of the cursor entry's first token (0 without a
  // token).
  int32_t PositionAtCursor(int32_t highestPosition) const;

  // Fills `out` with entry `i` (0..Count()-1).
  void Read(uint32_t i, PropositionView& out) const;

 private:
  struct Entry {
    WordNode* firstToken;
    int32_t position;
    uint32_t firstItem;  // index of its first item in items_
    uint32_t itemCount;
  };

  EntryBlocks<Entry> entries_;
  EntryBlocks<ClassPath> items_;
  StoreCursor cursor_;
};

}  // namespace malvex
