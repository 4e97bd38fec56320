// The state that every trie lookup leaves behind, and the lookup walk that
// the flat tries and the paged trie share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace malvex {

// Longest key a trie insertion accepts, and the most characters the cursor
// keeps of a matched key.
inline constexpr size_t kTrieMaxKeyLength = 80;

// What the last lookup found, what the last insertion did, and the counters
// of insertions. Lookups overwrite found..keyLength; insertions set
// ambiguous and sameClass; overflow stays set once set.
struct TrieCursor {
  // The whole key was consumed.
  bool found = false;
  // Last cell reached: on success the cell holding the key's value, on
  // failure the cell where the key diverged; -1 before any walk.
  int32_t position = -1;
  // The value at `position` after a successful lookup, else 0.
  int32_t value = 0;
  // The key's matched characters (at most kTrieMaxKeyLength), zero-terminated.
  char matched[kTrieMaxKeyLength + 1] = {};
  // Characters of the key matched, and the key's length.
  uint32_t matchedLength = 0;
  uint32_t keyLength = 0;
  // The last insertion met a key that already had a value.
  bool ambiguous = false;
  // The last insertion that met an existing value gave a code of the same
  // word class as the stored one (category-code tries only).
  bool sameClass = false;
  // An insertion was refused for lack of cells.
  bool overflow = false;
  // Insertions that stored a value, and insertions that met an existing one.
  uint32_t newEntries = 0;
  uint32_t duplicates = 0;
};

// A key ends at its length or at its first zero byte, whichever comes first.
inline size_t TrieKeyLength(const char* key, size_t length) {
  if (key == nullptr) return 0;
  const void* const zero = std::memchr(key, 0, length);
  return zero == nullptr ? length : static_cast<size_t>(static_cast<const char*>(zero) - key);
}

namespace trie_detail {

// Walks the cells of a trie along `key` and fills `cursor` (see
// TrieCursor). `cells` gives CharAt(p), NextAt(p) and ValueAt(p) for any cell
// the walk can reach. Every well-formed trie links only forward and ends
// each run with a zero cell, so the walk touches at most one cell per key
// character plus one per alternative skipped. Returns the position or -1.
template <typename Cells>
int32_t FindInCells(Cells& cells, uint32_t used, const char* key, size_t length,
                    TrieCursor& cursor) {
  length = TrieKeyLength(key, length);
  cursor.found = false;
  cursor.value = 0;
  cursor.matchedLength = 0;
  cursor.matched[0] = '\0';
  cursor.keyLength = static_cast<uint32_t>(length);
  if (length == 0 || used == 0) return -1;

  const uint8_t* const k = reinterpret_cast<const uint8_t*>(key);
  size_t i = 0;
  int32_t next = 0;
  uint32_t position = 0;
  for (;;) {
    position = static_cast<uint32_t>(next);
    while (i < length && cells.CharAt(position) == k[i]) {
      ++i;
      ++position;
    }
    if (i == length) break;
    next = cells.NextAt(position);
    if (next < 0) break;
  }
  const size_t kept = i < kTrieMaxKeyLength ? i : kTrieMaxKeyLength;
  std::memcpy(cursor.matched, key, kept);
  cursor.matched[kept] = '\0';
  cursor.matchedLength = static_cast<uint32_t>(i);
  cursor.position = static_cast<int32_t>(position);
  if (i < length) return -1;
  cursor.value = static_cast<int32_t>(cells.ValueAt(position));
  cursor.found = true;
  return cursor.position;
}

}  // namespace trie_detail

}  // namespace malvex
