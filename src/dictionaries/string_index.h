// StringIndex: gives numbers (1..65,535) to texts through a set of small
// Trie16, the trie of a text being chosen by a hash of its first letters.
// It numbers the class names of the semantic dictionary and the lemmas and
// forms of the lemma indexes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dictionaries/dictionary_fault.h"
#include "dictionaries/trie.h"

namespace malvex {

class ByteReader;
class ByteWriter;
class Messages;

class StringIndex {
 public:
  // Most tries an index may have.
  static constexpr int kMaxTries = 50;
  // Cells an empty trie of an index has room for.
  static constexpr uint32_t kTrieCapacity = kTrie16CellLimit;  // 32,599

  // An index of `tries` tries. Unless `loading`, every trie is created
  // empty with room for kTrieCapacity cells; a loading index gets its tries
  // from Load. A count outside 1..50 shows catalogue message 0 and leaves
  // the index not ok (and without tries). `messages` may be null.
  StringIndex(int tries, bool loading, Messages* messages);
  StringIndex(const StringIndex&) = delete;
  StringIndex& operator=(const StringIndex&) = delete;

  bool ok() const { return ok_; }
  int TrieCount() const { return count_; }

  // The trie (1..tries) that holds the folded text `text`: 1 when there are
  // fewer than 2 tries; otherwise h mod tries + 1, where h is the first byte
  // of a one-character text and (t[0] + t[1] + t[2]) mod 73 otherwise
  // (unsigned bytes, t[2] = 0 for a two-character text).
  static int TrieOf(std::string_view text, int tries);

  // Inserts `text` (folded here) with `number` into its trie, by the
  // category-code rule: a text inserted twice keeps its number with bit 15
  // set. False when `number` is outside 1..65,535, the text is empty or
  // longer than 80 characters, or the trie is full.
  bool Insert(std::string_view text, uint32_t number);
  // The number of `text` (already folded to lower case), 0 when absent.
  uint32_t NumberOf(std::string_view text);
  // The found flag of the last NumberOf: the whole text was matched (its
  // value may still be 0 when it is only the prefix of stored texts).
  bool Found() const { return found_; }

  // Insertions that gave a text its number, counted since creation or set
  // from a file.
  uint32_t NewEntries() const { return newEntries_; }
  void SetNewEntries(uint32_t n) { newEntries_ = n; }

  // Empties every trie (as at creation); NewEntries() returns to 0.
  void Reset();

  // Trie `i` (1..TrieCount()).
  const Trie16& TrieAt(int i) const { return tries_[static_cast<size_t>(i - 1)]; }

  // ---- Stored form ----------------------------------------------------
  // An index is stored as its tries in order, each a 20-byte Trie16 record
  // followed directly by its chars, values and next.

  // Replaces the tries by `tries` stored ones read from `in`, each created
  // with room for max(`capacity`, its cells) (0: exactly its cells).
  // kTruncated when the image ends early, kDamaged for a trie count outside
  // 1..50, a trie of more than 32,599 cells or links that do not hold. On
  // failure the index is not ok.
  LoadStatus Load(ByteReader& in, int tries, uint32_t capacity);
  void Write(ByteWriter& out) const;

  // Appends the statistics of the index to `report`, one line each: for
  // every trie " Seg[i]=<entries>, index= <used cells / 32,599 in %>%",
  // then " Max. value=<largest entries>, Segment=<its first trie>",
  // " Avg  value=<sum div tries>", " Total entries for this index=<sum>".
  // A trie's entries are the insertions it counts in its record.
  void AppendStatistics(std::string& report) const;

 private:
  // Replaces the tries by `tries` uncreated ones; running out of memory
  // ends the process (message 0, exit code 1).
  void MakeTries(int tries);

  Messages* const messages_;
  std::unique_ptr<Trie16[]> tries_;
  int count_ = 0;
  bool ok_ = false;
  bool found_ = false;
  uint32_t newEntries_ = 0;
};

}  // namespace malvex
