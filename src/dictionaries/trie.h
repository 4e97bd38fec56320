// Compact tries: the keyed storage under every dictionary. A trie of N cells
// is three parallel arrays indexed by cell position: the character of the
// cell (0 in the cell after the last character of a key), the position of
// the alternative cell to try when the character does not match (-1: none)
// and the value of the key that ends at the cell (0: none). Keys are runs of
// consecutive cells; insertion only appends and never moves a cell.
//
// Three fixed-size variants differ in the width of their cells and values:
//   Trie16     16-bit positions, 16-bit values, at most 32,599 cells
//              (lemma indexes, class-name indexes, borders);
//   Trie32     32-bit positions, 16-bit values (lexicon segments, word tries);
//   Trie32x32  32-bit positions, signed 32-bit values, read only
//              (semantic dictionary segments, noun lemmas).
// Trie16 and Trie32 store category codes and mark a form inserted twice as
// ambiguous (bit 15). Keys given to Find must already be folded to lower
// case; Insert folds its own copy.
//
// Every trie keeps one hidden zero cell after its last cell, so that a
// lookup stops there even in a damaged image; links read from a file are
// checked (each -1 or pointing forward inside the trie) before use.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

#include "dictionaries/trie_cursor.h"

namespace malvex {

class ByteReader;
class ByteWriter;
class Messages;

// The cell limit of a Trie16: an insertion is refused when the cells it
// needs, plus the cells in use, plus one reach this number.
inline constexpr uint32_t kTrie16CellLimit = 32599;

// The counts kept with a trie in its stored record.
struct TrieRecord {
  uint32_t entries = 0;  // insertions performed
  uint32_t cells = 0;    // cells in use (the append position)
  uint8_t empty = 1;     // 1 until the first key was appended
};

// Stored records, little-endian. A Trie32 record is 24 bytes: three 4-byte
// address slots (written as zeros, ignored on reading), entries (4), cells
// (4), empty (1), 3 bytes of padding. A Trie16 record is 20 bytes: the three
// address slots, entries (4), cells (2), empty (1), 1 byte of padding. Reads
// fail (consuming nothing) when the record is cut short.
inline constexpr size_t kTrie32RecordSize = 24;
inline constexpr size_t kTrie16RecordSize = 20;
bool ReadTrie32Record(ByteReader& in, TrieRecord& record);
bool ReadTrie16Record(ByteReader& in, TrieRecord& record);
void WriteTrie32Record(ByteWriter& out, const TrieRecord& record);
void WriteTrie16Record(ByteWriter& out, const TrieRecord& record);

// The arrays and lookup shared by the three variants. `NextT` is the stored
// type of the alternative links, `ValueT` that of the values.
template <typename NextT, typename ValueT>
class BasicTrie {
 public:
  using Value = ValueT;
  // Bytes one cell takes in a stored image (chars + values + next).
  static constexpr size_t kBytesPerCell = 1 + sizeof(ValueT) + sizeof(NextT);

  BasicTrie() = default;
  // A moved-from trie holds no cell.
  BasicTrie(BasicTrie&& other) noexcept { TakeFrom(other); }
  BasicTrie& operator=(BasicTrie&& other) noexcept {
    if (this != &other) TakeFrom(other);
    return *this;
  }
  BasicTrie(const BasicTrie&) = delete;
  BasicTrie& operator=(const BasicTrie&) = delete;

  // Allocates an empty trie of capacity + 1 cells, replacing any previous
  // content; entries, used and the counters start at 0. False when memory
  // runs out (the trie is then freed).
  bool TryCreate(uint32_t capacity);
  // As TryCreate; when memory runs out shows catalogue message 0 through
  // `messages` (may be null) and ends the process with exit code 1.
  void Create(uint32_t capacity, Messages* messages);
  // An empty trie of exactly `cells` cells, the size of a loaded image; it
  // has no room for appended cells.
  bool TryCreateExact(uint32_t cells);
  void CreateExact(uint32_t cells, Messages* messages);
  // Empties the trie: cells as at creation, used 0, empty, newEntries and
  // duplicates 0. Entries and the overflow mark keep their values.
  void Reset();
  // Releases the arrays; the trie then holds no cell.
  void Free();

  bool Created() const { return chars_ != nullptr; }
  // Cells allocated (not counting the hidden end cell), and the capacity
  // that insertion is measured against.
  uint32_t Cells() const { return cells_; }
  uint32_t Capacity() const { return capacity_; }
  uint32_t Used() const { return used_; }
  uint32_t Entries() const { return entries_; }
  bool IsEmpty() const { return empty_ != 0; }

  // Finds `key` (already folded to lower case; it ends at `length` or at a
  // zero byte) and fills the cursor. Returns the cell holding the key's
  // value, or -1 when the key leaves the trie, is empty, or the trie has no
  // cell in use. A position whose value is 0 means the key is only a prefix
  // of stored keys.
  int32_t Find(const char* key, size_t length) {
    const CellView cells{*this};
    return trie_detail::FindInCells(cells, used_, key, length, cursor_);
  }
  int32_t Find(std::string_view key) { return Find(key.data(), key.size()); }
  // The value of `key` (folded), 0 when absent.
  Value ValueOf(std::string_view key) {
    return Find(key) < 0 ? Value{0} : static_cast<Value>(cursor_.value);
  }

  const TrieCursor& Cursor() const { return cursor_; }

  // Cell contents, for owners that walk or report on the trie. `p` must be
  // below Cells().
  uint8_t CharAt(uint32_t p) const { return chars_[p]; }
  int32_t NextAt(uint32_t p) const { return next_[p]; }
  Value ValueAt(uint32_t p) const { return values_[p]; }
  // Where cell `p` lives in each array, for read-ahead hints of owners that
  // walk a whole trie.
  const uint8_t* CharAddress(uint32_t p) const { return chars_.get() + p; }
  const NextT* NextAddress(uint32_t p) const { return next_.get() + p; }
  const ValueT* ValueAddress(uint32_t p) const { return values_.get() + p; }

  // ---- Stored form ------------------------------------------------------
  // A stored trie is its record (entries, cells in use, empty) and three
  // arrays of `cells` entries each: chars (1 byte), values and next
  // (little-endian, the widths of the variant). Owners place them in their
  // files; an image with 0 cells has no arrays.

  // The counts to store.
  TrieRecord Record() const { return TrieRecord{entries_, used_, empty_}; }
  // Takes the stored counts into a created trie and empties its cells, ready
  // for the arrays to be read. False (nothing changed) when the cells do not
  // fit the allocation.
  bool SetRecord(const TrieRecord& record);
  // Read Used() entries of each array. False, consuming nothing, when the
  // image is cut short. ReadNext also refuses (leaving every link -1) an
  // image whose links are not each -1 or a position after their own cell
  // and below Used().
  bool ReadChars(ByteReader& in);
  bool ReadValues(ByteReader& in);
  bool ReadNext(ByteReader& in);
  void WriteChars(ByteWriter& out) const;
  void WriteValues(ByteWriter& out) const;
  void WriteNext(ByteWriter& out) const;

 protected:
  // Insertion with the category-code rule; `limit` bounds r + used + 1.
  bool InsertCode(std::string_view key, Value code, uint32_t limit);
  bool AllocateCells(uint32_t cells, uint32_t capacity);

  TrieCursor cursor_;

 private:
  struct CellView {
    const BasicTrie& t;
    uint8_t CharAt(uint32_t p) const { return t.chars_[p]; }
    int32_t NextAt(uint32_t p) const { return t.next_[p]; }
    int32_t ValueAt(uint32_t p) const { return t.values_[p]; }
  };

  void FillFresh(uint32_t from, uint32_t to);
  void TakeFrom(BasicTrie& other) noexcept {
    chars_ = std::move(other.chars_);
    next_ = std::move(other.next_);
    values_ = std::move(other.values_);
    cells_ = other.cells_;
    capacity_ = other.capacity_;
    used_ = other.used_;
    entries_ = other.entries_;
    empty_ = other.empty_;
    touched_ = other.touched_;
    cursor_ = other.cursor_;
    other.Free();
  }

  // Each array holds cells_ + 1 entries; the last is the hidden end cell.
  std::unique_ptr<uint8_t[]> chars_;
  std::unique_ptr<NextT[]> next_;
  std::unique_ptr<ValueT[]> values_;
  uint32_t cells_ = 0;
  uint32_t capacity_ = 0;
  uint32_t used_ = 0;
  uint32_t entries_ = 0;
  uint8_t empty_ = 1;
  // Cells below this position may differ from a fresh trie.
  uint32_t touched_ = 0;
};

extern template class BasicTrie<int16_t, uint16_t>;
extern template class BasicTrie<int32_t, uint16_t>;
extern template class BasicTrie<int32_t, int32_t>;

// 16-bit trie: category codes (or small numbers) under keys of the lemma
// indexes, class-name indexes and the borders dictionary.
class Trie16 : public BasicTrie<int16_t, uint16_t> {
 public:
  static constexpr size_t kRecordSize = kTrie16RecordSize;

  // Folds a copy of `key` to lower case and inserts it with `code`:
  // - a new key appends its missing characters and a value cell; refused
  //   (overflow set, false, nothing changed) when those cells plus the cells
  //   in use plus one reach 32,599 or the capacity, whichever is smaller;
  // - a key present as a prefix only takes the value;
  // - a key that has a value already keeps it with bit 15 set (ambiguous).
  // An empty key, or one longer than kTrieMaxKeyLength, returns false with
  // nothing changed.
  bool Insert(std::string_view key, uint16_t code);

  // Reads a 20-byte record followed directly by chars, values and next, into
  // a trie created here with capacity max(`capacity`, cells stored). False on
  // a short or damaged image. Running out of memory ends the process as
  // Create does.
  bool LoadStored(ByteReader& in, uint32_t capacity, Messages* messages);
  // Writes the record and the three arrays as LoadStored reads them.
  void WriteStored(ByteWriter& out) const;
};

// 32-bit trie with 16-bit values: the lexicon's segments, the semantic
// dictionary's word tries (new classes, Scenario words).
class Trie32 : public BasicTrie<int32_t, uint16_t> {
 public:
  static constexpr size_t kRecordSize = kTrie32RecordSize;

  // As Trie16::Insert, except that an empty key also clears the ambiguous
  // mark and the refusal is measured against the capacity alone.
  bool Insert(std::string_view key, uint16_t code);

  // A 24-byte record followed directly by chars, values and next.
  bool LoadStored(ByteReader& in, uint32_t capacity, Messages* messages);
  void WriteStored(ByteWriter& out) const;
};

// Read-only 32-bit trie with signed 32-bit values: the semantic dictionary's
// segments (stored with 24-byte records) and the noun lemma trie (stored
// without a record).
class Trie32x32 : public BasicTrie<int32_t, int32_t> {
 public:
  static constexpr size_t kRecordSize = kTrie32RecordSize;
};

}  // namespace malvex
