// A read-only hash of every valued key of a set of loaded tries, built once
// after loading so that lookups of stored keys cost one probe instead of a
// walk along the tries' chains of alternatives (which, in a trie of a million
// forms, touches dozens of cells scattered over tens of megabytes).
//
// The hash never changes an answer: it is filled by walking each trie
// exactly as Find does (the first cell of a chain that holds a character
// wins), so every key it holds gets the position and value Find would
// return. A key it does not hold is either absent, only a prefix (value 0)
// or longer than kTrieMaxKeyLength; callers that need to tell these apart,
// or whose trie could not be walked in full, ask the trie itself
// (Complete()).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "dictionaries/large_block.h"
#include "dictionaries/trie.h"

namespace malvex {

class TrieKeyHash {
 public:
  // What a stored key leads to: Find's position and the value there.
  struct Hit {
    int32_t position;
    uint16_t value;
  };

  TrieKeyHash() = default;
  TrieKeyHash(const TrieKeyHash&) = delete;
  TrieKeyHash& operator=(const TrieKeyHash&) = delete;

  // Most tries one hash can hold.
  static constexpr size_t kMaxParts = 256;

  // Replaces the content with every key of `tries[0..count-1]` whose value
  // is non-zero; trie i is looked up as part `i`. False when memory runs
  // out or count exceeds kMaxParts (the hash is then empty and no part is
  // complete). The table is mapped with large pages where the system has
  // them.
  bool Build(const Trie32* tries, size_t count);
  // Empties the hash.
  void Clear();

  // Finds `key` (folded, `length` bytes, no zero byte) of part `part`.
  bool Find(size_t part, const char* key, size_t length, Hit& hit) const {
    return Find(part, key, length, HashKey(part, key, length), hit);
  }
  // The same with the key's HashKey already computed.
  bool Find(size_t part, const char* key, size_t length, uint64_t h, Hit& hit) const {
    if (slots_ == nullptr || length == 0 || length > kTrieMaxKeyLength) return false;
    const uint32_t tag = static_cast<uint32_t>(h);
    for (size_t i = SlotOf(h);; i = i + 1 == slotCount_ ? 0 : i + 1) {
      const Slot& s = slots_[i];
      if (s.length == 0) return false;
      if (s.tag == tag && s.length == length && s.part == part &&
          KeysEqual(keys_ + s.keyOffset, key, length)) {
        hit.position = s.position;
        hit.value = s.value;
        return true;
      }
    }
  }

  // True when every valued key of part `part` up to kTrieMaxKeyLength
  // characters is in the hash: a key of that length that the hash does not
  // hold then has no value in the trie.
  bool Complete(size_t part) const { return part < complete_.size() && complete_[part]; }

  // The hash of `key` of part `part` that the table uses; owners may use it
  // for tables of their own.
  static uint64_t HashKey(size_t part, const char* key, size_t length);

  // Keys held.
  size_t Size() const { return size_; }
  // Bytes allocated.
  size_t MemoryBytes() const { return slotCount_ * sizeof(Slot) + keyUsed_; }

 private:
  struct Slot {
    uint32_t tag;        // low half of the key's hash
    uint32_t keyOffset;  // where the key's bytes start in keys_
    int32_t position;
    uint16_t value;
    uint8_t length;  // 0: empty slot
    uint8_t part;
  };
  static_assert(sizeof(Slot) == 16);

  // A key found by the walk, waiting for its slot to be fetched.
  struct Pending {
    uint64_t hash;
    uint32_t keyOffset;
    int32_t position;
    uint16_t value;
    uint8_t length;
    uint8_t part;
  };
  static constexpr size_t kRing = 16;

  static bool KeysEqual(const char* a, const char* b, size_t length);
  // The first slot to try for a key of hash `h`: its high bits scaled to
  // the table, which need not be a power of two.
  size_t SlotOf(uint64_t h) const {
    return static_cast<size_t>((static_cast<unsigned __int128>(h) * slotCount_) >> 64);
  }

  // Walks the tries as Find does and adds their valued keys; a trie whose
  // walk gave up (a damaged image whose chains share cells) is marked
  // incomplete.
  void AddTries(const Trie32* tries, size_t count, std::vector<bool>& complete);
  bool Walk(size_t part, const Trie32& t);
  // False when the table or the key block is full.
  bool Add(size_t part, const char* key, size_t length, int32_t position, uint16_t value);
  void Place(const Pending& p);
  void Flush();

  LargeBlock slotBlock_;
  LargeBlock keyBlock_;
  Slot* slots_ = nullptr;
  char* keys_ = nullptr;
  size_t slotCount_ = 0;
  size_t size_ = 0;
  size_t capacity_ = 0;  // keys the table takes while at most two thirds full
  size_t keyBytes_ = 0;
  size_t keyUsed_ = 0;
  Pending ring_[kRing];
  size_t ringStart_ = 0;
  size_t pending_ = 0;
  std::vector<bool> complete_;
};

}  // namespace malvex
