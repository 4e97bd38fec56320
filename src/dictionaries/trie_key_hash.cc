#include "dictionaries/trie_key_hash.h"

#include <cstring>
#include <new>

namespace malvex {

namespace {

constexpr uint64_t kMix1 = 0xBF58476D1CE4E5B9ULL;
constexpr uint64_t kMix2 = 0x94D049BB133111EBULL;

inline uint64_t Mix(uint64_t h, uint64_t w) {
  h = (h ^ w) * kMix1;
  return h ^ (h >> 31);
}

// One level of the walk: the node whose chain of alternatives starts at the
// cell after the key's last character, the next cell of that chain to
// visit, and the characters already taken by earlier cells of the chain.
struct Frame {
  int32_t cell;
  uint64_t seen[4];
};

}  // namespace

uint64_t TrieKeyHash::HashKey(size_t part, const char* key, size_t length) {
  uint64_t h = (static_cast<uint64_t>(part) + 1) * 0x9E3779B97F4A7C15ULL ^ length;
  while (length >= 8) {
    uint64_t w;
    std::memcpy(&w, key, 8);
    h = Mix(h, w);
    key += 8;
    length -= 8;
  }
  if (length > 0) {
    uint64_t w = 0;
    std::memcpy(&w, key, length);
    h = Mix(h, w);
  }
  h *= kMix2;
  return h ^ (h >> 29);
}

bool TrieKeyHash::KeysEqual(const char* a, const char* b, size_t length) {
  return std::memcmp(a, b, length) == 0;
}

void TrieKeyHash::Clear() {
  slots_.reset();
  mask_ = 0;
  size_ = 0;
  keys_.reset();
  keyBytes_ = 0;
  keyUsed_ = 0;
  complete_.clear();
}

bool TrieKeyHash::Build(const Trie32* tries, size_t count) {
  Clear();
  if (count > kMaxParts) return false;
  // Every valued key ends on a distinct valued cell of a well-formed trie:
  // their count sizes the table (at most half full). Key bytes are at most
  // the cells in use times the longest key, but in practice close to the
  // cells; the buffer grows when needed.
  size_t valued = 0;
  size_t cells = 0;
  for (size_t i = 0; i < count; ++i) {
    const Trie32& t = tries[i];
    for (uint32_t p = 0; p <= t.Used() && p < t.Cells(); ++p) valued += t.ValueAt(p) != 0;
    cells += t.Used();
  }
  size_t capacity = 16;
  while (capacity < valued * 2) capacity *= 2;
  slots_.reset(new (std::nothrow) Slot[capacity]);
  if (slots_ == nullptr) {
    Clear();
    return false;
  }
  std::memset(static_cast<void*>(slots_.get()), 0, capacity * sizeof(Slot));
  mask_ = capacity - 1;
  keyBytes_ = cells * 2 + 64;
  keys_.reset(new (std::nothrow) char[keyBytes_]);
  if (keys_ == nullptr) {
    Clear();
    return false;
  }
  std::vector<bool> complete(count, true);
  for (size_t i = 0; i < count; ++i) {
    if (!tries[i].Created() || tries[i].Used() == 0) continue;
    complete[i] = AddTrie(i, tries[i]);
    if (slots_ == nullptr) {  // memory ran out while growing the key buffer
      Clear();
      return false;
    }
  }
  complete_ = std::move(complete);
  return true;
}

bool TrieKeyHash::AddTrie(size_t part, const Trie32& t) {
  // Each cell of a trie built by insertion belongs to one chain and is
  // visited once; a damaged image whose chains share cells could make the
  // walk revisit whole subtrees, so the walk stops after twice that work.
  uint64_t budget = static_cast<uint64_t>(t.Used()) * 2 + 64;
  const uint32_t last = t.Used() < t.Cells() ? t.Used() : t.Cells();  // the end cell
  Frame frames[kTrieMaxKeyLength + 1];
  char key[kTrieMaxKeyLength];
  size_t depth = 0;
  frames[0].cell = 0;
  std::memset(frames[0].seen, 0, sizeof frames[0].seen);
  for (;;) {
    Frame& f = frames[depth];
    if (f.cell < 0 || static_cast<uint32_t>(f.cell) > last) {
      if (depth == 0) break;
      --depth;
      continue;
    }
    if (budget-- == 0) return false;
    const uint32_t q = static_cast<uint32_t>(f.cell);
    f.cell = t.NextAt(q);
    const uint8_t c = t.CharAt(q);
    if (c == 0) continue;
    uint64_t& word = f.seen[c >> 6];
    const uint64_t bit = uint64_t{1} << (c & 63);
    if (word & bit) continue;  // an earlier cell of the chain takes this character
    word |= bit;
    key[depth] = static_cast<char>(c);
    const uint32_t head = q + 1;
    if (head > last) continue;
    const uint16_t value = t.ValueAt(head);
    if (value != 0) {
      Insert(part, key, depth + 1, static_cast<int32_t>(head), value);
      if (slots_ == nullptr) return false;
      if (size_ * 2 > mask_ + 1) return false;  // more keys than valued cells: damaged
    }
    // Longer keys are left to the trie (Find refuses them).
    if (depth + 1 == kTrieMaxKeyLength) continue;
    ++depth;
    frames[depth].cell = static_cast<int32_t>(head);
    std::memset(frames[depth].seen, 0, sizeof frames[depth].seen);
  }
  return true;
}

void TrieKeyHash::Insert(size_t part, const char* key, size_t length, int32_t position,
                         uint16_t value) {
  if (keyUsed_ + length > keyBytes_) {
    size_t bigger = keyBytes_ * 2;
    while (bigger < keyUsed_ + length) bigger *= 2;
    if (bigger > UINT32_MAX) {
      Clear();
      return;
    }
    std::unique_ptr<char[]> grown(new (std::nothrow) char[bigger]);
    if (grown == nullptr) {
      Clear();
      return;
    }
    std::memcpy(grown.get(), keys_.get(), keyUsed_);
    keys_ = std::move(grown);
    keyBytes_ = bigger;
  }
  const uint64_t h = HashKey(part, key, length);
  size_t i = static_cast<size_t>(h) & mask_;
  while (slots_[i].length != 0) i = (i + 1) & mask_;
  Slot& s = slots_[i];
  s.tag = static_cast<uint32_t>(h >> 32);
  s.keyOffset = static_cast<uint32_t>(keyUsed_);
  s.position = position;
  s.value = value;
  s.length = static_cast<uint8_t>(length);
  s.part = static_cast<uint8_t>(part);
  std::memcpy(keys_.get() + keyUsed_, key, length);
  keyUsed_ += length;
  ++size_;
}

}  // namespace malvex
