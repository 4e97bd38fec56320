#include "dictionaries/trie.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "dictionaries/byte_stream.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/fatal.h"

namespace malvex {

namespace {

// Positions are handed out as signed 32-bit numbers; the hidden end cell
// must have one too.
constexpr uint32_t kMaxCells = std::numeric_limits<int32_t>::max() - 1;

[[noreturn]] void TrieOutOfMemory(Messages* messages) {
  if (messages != nullptr) messages->checkMemory(nullptr);
  FatalExit(1);
}

template <typename T>
void StoreLittleEndian(ByteWriter& out, T v) {
  if constexpr (sizeof(T) == 2) {
    out.U16(static_cast<uint16_t>(v));
  } else {
    out.U32(static_cast<uint32_t>(v));
  }
}

template <typename T>
T LoadLittleEndian(const uint8_t* p) {
  if constexpr (sizeof(T) == 2) {
    return static_cast<T>(LoadU16(p));
  } else {
    return static_cast<T>(LoadU32(p));
  }
}

}  // namespace

// ---- Records ------------------------------------------------------------

bool ReadTrie32Record(ByteReader& in, TrieRecord& record) {
  const uint8_t* const p = in.Take(kTrie32RecordSize);
  if (p == nullptr) return false;
  record.entries = LoadU32(p + 12);
  record.cells = LoadU32(p + 16);
  record.empty = p[20];
  return true;
}

bool ReadTrie16Record(ByteReader& in, TrieRecord& record) {
  const uint8_t* const p = in.Take(kTrie16RecordSize);
  if (p == nullptr) return false;
  record.entries = LoadU32(p + 12);
  record.cells = LoadU16(p + 16);
  record.empty = p[18];
  return true;
}

void WriteTrie32Record(ByteWriter& out, const TrieRecord& record) {
  out.Zeros(12);
  out.U32(record.entries);
  out.U32(record.cells);
  out.U8(record.empty);
  out.Zeros(3);
}

void WriteTrie16Record(ByteWriter& out, const TrieRecord& record) {
  out.Zeros(12);
  out.U32(record.entries);
  out.U16(static_cast<uint16_t>(record.cells));
  out.U8(record.empty);
  out.Zeros(1);
}

// ---- BasicTrie ----------------------------------------------------------

template <typename NextT, typename ValueT>
bool BasicTrie<NextT, ValueT>::AllocateCells(uint32_t cells, uint32_t capacity) {
  Free();
  if (cells > kMaxCells) return false;
  const size_t n = static_cast<size_t>(cells) + 1;  // with the hidden end cell
  chars_.reset(new (std::nothrow) uint8_t[n]);
  next_.reset(new (std::nothrow) NextT[n]);
  values_.reset(new (std::nothrow) ValueT[n]);
  if (chars_ == nullptr || next_ == nullptr || values_ == nullptr) {
    Free();
    return false;
  }
  cells_ = cells;
  capacity_ = capacity;
  touched_ = static_cast<uint32_t>(n);
  Reset();
  entries_ = 0;
  cursor_ = TrieCursor{};
  return true;
}

template <typename NextT, typename ValueT>
bool BasicTrie<NextT, ValueT>::TryCreate(uint32_t capacity) {
  if (capacity >= kMaxCells) return false;
  return AllocateCells(capacity + 1, capacity);
}

template <typename NextT, typename ValueT>
void BasicTrie<NextT, ValueT>::Create(uint32_t capacity, Messages* messages) {
  if (!TryCreate(capacity)) TrieOutOfMemory(messages);
}

template <typename NextT, typename ValueT>
bool BasicTrie<NextT, ValueT>::TryCreateExact(uint32_t cells) {
  return AllocateCells(cells, cells > 0 ? cells - 1 : 0);
}

template <typename NextT, typename ValueT>
void BasicTrie<NextT, ValueT>::CreateExact(uint32_t cells, Messages* messages) {
  if (!TryCreateExact(cells)) TrieOutOfMemory(messages);
}

template <typename NextT, typename ValueT>
void BasicTrie<NextT, ValueT>::FillFresh(uint32_t from, uint32_t to) {
  if (from >= to) return;
  std::fill(chars_.get() + from, chars_.get() + to, uint8_t{0});
  std::fill(next_.get() + from, next_.get() + to, NextT{-1});
  std::fill(values_.get() + from, values_.get() + to, ValueT{0});
}

template <typename NextT, typename ValueT>
void BasicTrie<NextT, ValueT>::Reset() {
  if (Created()) FillFresh(0, touched_);
  touched_ = 0;
  used_ = 0;
  empty_ = 1;
  cursor_.newEntries = 0;
  cursor_.duplicates = 0;
}

template <typename NextT, typename ValueT>
void BasicTrie<NextT, ValueT>::Free() {
  chars_.reset();
  next_.reset();
  values_.reset();
  cells_ = 0;
  capacity_ = 0;
  used_ = 0;
  empty_ = 1;
  touched_ = 0;
}

template <typename NextT, typename ValueT>
bool BasicTrie<NextT, ValueT>::InsertCode(std::string_view key, ValueT code, uint32_t limit) {
  const size_t length = TrieKeyLength(key.data(), key.size());
  if (length > kTrieMaxKeyLength) return false;
  cursor_.ambiguous = false;
  cursor_.sameClass = false;
  if (!Created()) {
    cursor_.overflow = true;
    return false;
  }
  char folded[kTrieMaxKeyLength];
  std::memcpy(folded, key.data(), length);
  FoldToLower(folded, length);

  const int32_t found = Find(folded, length);
  if (found < 0) {
    const uint32_t rest = static_cast<uint32_t>(length) - cursor_.matchedLength;
    if (static_cast<uint64_t>(rest) + used_ + 1 >= limit) {
      cursor_.overflow = true;
      return false;
    }
    if (!empty_ && used_ > 0) {
      // The divergence cell lies inside the trie and has no alternative yet;
      // anything else is a damaged image, which is left as it is.
      const int32_t p = cursor_.position;
      if (p < 0 || static_cast<uint32_t>(p) >= used_) return false;
      next_[p] = static_cast<NextT>(used_);
    }
    ++cursor_.newEntries;
    std::memcpy(chars_.get() + used_, folded + cursor_.matchedLength, rest);
    used_ += rest;
    values_[used_] = code;
    cursor_.position = static_cast<int32_t>(used_);
    ++used_;
    empty_ = 0;
    touched_ = std::max(touched_, used_);
  } else if (static_cast<uint32_t>(found) >= used_) {
    return false;  // only a damaged image ends a key outside the cells in use
  } else if (cursor_.value == 0) {
    ++cursor_.newEntries;
    values_[found] = code;
  } else {
    ++cursor_.duplicates;
    cursor_.sameClass =
        SameWordClass(static_cast<uint16_t>(values_[found]), static_cast<uint16_t>(code));
    values_[found] = static_cast<ValueT>(values_[found] | kCodeAmbiguous);
    cursor_.ambiguous = true;
  }
  ++entries_;
  return true;
}

template <typename NextT, typename ValueT>
bool BasicTrie<NextT, ValueT>::SetRecord(const TrieRecord& record) {
  if (record.cells > cells_) return false;
  if (Created()) FillFresh(0, touched_);
  touched_ = 0;
  entries_ = record.entries;
  used_ = record.cells;
  empty_ = record.empty;
  return true;
}

template <typename NextT, typename ValueT>
bool BasicTrie<NextT, ValueT>::ReadChars(ByteReader& in) {
  if (used_ == 0) return true;
  const uint8_t* const p = in.Take(used_);
  if (p == nullptr) return false;
  std::memcpy(chars_.get(), p, used_);
  touched_ = std::max(touched_, used_);
  return true;
}

template <typename NextT, typename ValueT>
bool BasicTrie<NextT, ValueT>::ReadValues(ByteReader& in) {
  if (used_ == 0) return true;
  const uint8_t* const p = in.Take(static_cast<size_t>(used_) * sizeof(ValueT));
  if (p == nullptr) return false;
  for (uint32_t i = 0; i < used_; ++i) values_[i] = LoadLittleEndian<ValueT>(p + i * sizeof(ValueT));
  touched_ = std::max(touched_, used_);
  return true;
}

template <typename NextT, typename ValueT>
bool BasicTrie<NextT, ValueT>::ReadNext(ByteReader& in) {
  if (used_ == 0) return true;
  const size_t start = in.position();
  const uint8_t* const p = in.Take(static_cast<size_t>(used_) * sizeof(NextT));
  if (p == nullptr) return false;
  touched_ = std::max(touched_, used_);
  for (uint32_t i = 0; i < used_; ++i) {
    const int32_t link = LoadLittleEndian<NextT>(p + i * sizeof(NextT));
    // A link must lead forward, so that every walk ends, and stay inside.
    if (link != -1 && (link <= static_cast<int32_t>(i) || static_cast<uint32_t>(link) >= used_)) {
      std::fill(next_.get(), next_.get() + i, NextT{-1});
      in.Seek(start);
      return false;
    }
    next_[i] = static_cast<NextT>(link);
  }
  return true;
}

template <typename NextT, typename ValueT>
void BasicTrie<NextT, ValueT>::WriteChars(ByteWriter& out) const {
  if (used_ > 0) out.Bytes(chars_.get(), used_);
}

template <typename NextT, typename ValueT>
void BasicTrie<NextT, ValueT>::WriteValues(ByteWriter& out) const {
  for (uint32_t i = 0; i < used_; ++i) StoreLittleEndian(out, values_[i]);
}

template <typename NextT, typename ValueT>
void BasicTrie<NextT, ValueT>::WriteNext(ByteWriter& out) const {
  for (uint32_t i = 0; i < used_; ++i) StoreLittleEndian(out, next_[i]);
}

template class BasicTrie<int16_t, uint16_t>;
template class BasicTrie<int32_t, uint16_t>;
template class BasicTrie<int32_t, int32_t>;

// ---- Variants -----------------------------------------------------------

namespace {

// A record followed directly by its three arrays, into a trie created with
// room for max(capacity, stored cells). On failure the trie is left empty
// and the reader where it was.
template <typename Trie>
bool LoadRecordAndArrays(Trie& trie, ByteReader& in, bool (*readRecord)(ByteReader&, TrieRecord&),
                         uint32_t capacity, Messages* messages) {
  const size_t start = in.position();
  TrieRecord record;
  if (!readRecord(in, record)) return false;
  // A damaged count must not ask for more memory than the image can fill.
  if (static_cast<uint64_t>(record.cells) * Trie::kBytesPerCell > in.remaining()) {
    in.Seek(start);
    return false;
  }
  trie.Create(std::max(capacity, record.cells), messages);
  if (!trie.SetRecord(record) || !trie.ReadChars(in) || !trie.ReadValues(in) ||
      !trie.ReadNext(in)) {
    trie.SetRecord(TrieRecord{});
    in.Seek(start);
    return false;
  }
  return true;
}

template <typename Trie>
void WriteRecordAndArrays(const Trie& trie, ByteWriter& out,
                          void (*writeRecord)(ByteWriter&, const TrieRecord&)) {
  writeRecord(out, trie.Record());
  trie.WriteChars(out);
  trie.WriteValues(out);
  trie.WriteNext(out);
}

}  // namespace

bool Trie16::Insert(std::string_view key, uint16_t code) {
  if (TrieKeyLength(key.data(), key.size()) == 0) return false;
  return InsertCode(key, code, std::min(Capacity(), kTrie16CellLimit));
}

bool Trie16::LoadStored(ByteReader& in, uint32_t capacity, Messages* messages) {
  return LoadRecordAndArrays(*this, in, ReadTrie16Record, capacity, messages);
}

void Trie16::WriteStored(ByteWriter& out) const {
  WriteRecordAndArrays(*this, out, WriteTrie16Record);
}

bool Trie32::Insert(std::string_view key, uint16_t code) {
  cursor_.ambiguous = false;
  if (TrieKeyLength(key.data(), key.size()) == 0) return false;
  return InsertCode(key, code, Capacity());
}

bool Trie32::LoadStored(ByteReader& in, uint32_t capacity, Messages* messages) {
  return LoadRecordAndArrays(*this, in, ReadTrie32Record, capacity, messages);
}

void Trie32::WriteStored(ByteWriter& out) const {
  WriteRecordAndArrays(*this, out, WriteTrie32Record);
}

}  // namespace malvex
