#include "dictionaries/trie_key_hash.h"

#include <cstring>

namespace malvex {

namespace {

constexpr uint64_t kMix1 = 0xBF58476D1CE4E5B9ULL;
constexpr uint64_t kMix2 = 0x94D049BB133111EBULL;

inline uint64_t Mix(uint64_t h, uint64_t w) {
  h = (h ^ w) * kMix1;
  return h ^ (h >> 31);
}

// One level of a walk: the node whose chain of alternatives starts at the
// cell after the key's last character, the next cell of that chain to
// visit, and the characters already taken by earlier cells of the chain.
struct Frame {
  int32_t cell;
  uint32_t depth;  // length of the key that reaches the node
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
  slotBlock_.Release();
  keyBlock_.Release();
  slots_ = nullptr;
  keys_ = nullptr;
  slotCount_ = 0;
  size_ = 0;
  capacity_ = 0;
  keyBytes_ = 0;
  keyUsed_ = 0;
  pending_ = 0;
  complete_.clear();
}

bool TrieKeyHash::Build(const Trie32* tries, size_t count) {
  Clear();
  if (count > kMaxParts) return false;
  // Every valued key of a well-formed trie ends on its own valued cell:
  // their count sizes the table and bounds the key
  // bytes (kTrieMaxKeyLength each). Both blocks are only reserved: the
  // pages never written cost nothing.
  size_t valued = 0;
  for (size_t i = 0; i < count; ++i) {
    const Trie32& t = tries[i];
    const uint32_t last = t.Used() < t.Cells() ? t.Used() : t.Cells();
    for (uint32_t p = 0; p <= last; ++p) valued += t.ValueAt(p) != 0;
  }
  // At most two thirds full: a key is then found within two or three
  // neighbouring slots.
  const size_t slots = valued + valued / 2 + 16;
  // Key offsets are 32-bit.
  uint64_t keyReserve = (static_cast<uint64_t>(valued) + 1) * kTrieMaxKeyLength;
  if (keyReserve > UINT32_MAX) keyReserve = UINT32_MAX;
  if (!slotBlock_.Allocate(slots * sizeof(Slot)) ||
      !keyBlock_.Allocate(static_cast<size_t>(keyReserve))) {
    Clear();
    return false;
  }
  slots_ = static_cast<Slot*>(slotBlock_.data());
  keys_ = static_cast<char*>(keyBlock_.data());
  slotCount_ = slots;
  capacity_ = slots / 3 * 2;
  keyBytes_ = keyBlock_.size();

  std::vector<bool> complete(count, true);
  AddTries(tries, count, complete);
  Flush();
  complete_ = std::move(complete);
  return true;
}

void TrieKeyHash::AddTries(const Trie32* tries, size_t count, std::vector<bool>& complete) {
  for (size_t part = 0; part < count; ++part) {
    const Trie32& t = tries[part];
    if (t.Created() && t.Used() > 0) complete[part] = Walk(part, t);
  }
}

// Walks one trie as Find does, from the root, and adds its valued keys.
bool TrieKeyHash::Walk(size_t part, const Trie32& t) {
  const uint32_t last = t.Used() < t.Cells() ? t.Used() : t.Cells();  // the end cell
  // Each cell of a trie built by insertion belongs to one chain and is
  // visited once; a damaged image whose chains share cells could make the
  // walk revisit whole subtrees, so it stops after twice that work.
  uint64_t budget = static_cast<uint64_t>(last) * 2 + 64;
  Frame frames[kTrieMaxKeyLength + 1];
  char key[kTrieMaxKeyLength];
  size_t top = 0;
  frames[0].cell = 0;
  frames[0].depth = 0;
  std::memset(frames[0].seen, 0, sizeof frames[0].seen);
  for (;;) {
    Frame& f = frames[top];
    const int32_t cell = f.cell;
    if (cell < 0 || static_cast<uint32_t>(cell) > last) {
      if (top == 0) return true;
      --top;  // the chain is done: back to the node above
      continue;
    }
    if (budget-- == 0) return false;
    const uint32_t q = static_cast<uint32_t>(cell);
    const int32_t next = t.NextAt(q);
    f.cell = next;
    // The alternative is visited once the child's keys are done; fetch it
    // meanwhile, as it usually lies far from the child's cells.
    if (next >= 0) {
      const uint32_t n = static_cast<uint32_t>(next);
      __builtin_prefetch(t.CharAddress(n));
      __builtin_prefetch(t.NextAddress(n));
      __builtin_prefetch(t.ValueAddress(n));
    }
    uint8_t c = t.CharAt(q);
    if (c == 0) continue;
    uint64_t& word = f.seen[c >> 6];
    const uint64_t bit = uint64_t{1} << (c & 63);
    if (word & bit) continue;  // an earlier cell of the chain takes this character
    word |= bit;
    size_t length = f.depth;
    uint32_t head = q;
    // Down the child, and on along cells without alternatives (the runs
    // that insertion appends), until a node with alternatives gets its own
    // frame.
    bool push = false;
    for (;;) {
      key[length++] = static_cast<char>(c);
      ++head;
      if (head > last) break;
      const uint16_t value = t.ValueAt(head);
      if (value != 0 && !Add(part, key, length, static_cast<int32_t>(head), value)) return false;
      if (length == kTrieMaxKeyLength) break;  // longer keys are left to the trie
      if (t.NextAt(head) >= 0) {
        push = true;
        break;
      }
      c = t.CharAt(head);
      if (c == 0) break;
      if (budget == 0) return false;
      --budget;
    }
    if (!push) continue;
    Frame& child = frames[++top];
    child.cell = static_cast<int32_t>(head);
    child.depth = static_cast<uint32_t>(length);
    std::memset(child.seen, 0, sizeof child.seen);
  }
}

// Keys come in trie order and land at random slots; each waits in a small
// ring while its slot is fetched, so that the fetches of several keys
// overlap instead of each insertion stalling on its own.
bool TrieKeyHash::Add(size_t part, const char* key, size_t length, int32_t position,
                      uint16_t value) {
  // More keys than valued cells (chains that share cells) must not fill
  // the table beyond two thirds.
  if (size_ + pending_ == capacity_ || keyUsed_ + length > keyBytes_) return false;
  Pending& p = ring_[(ringStart_ + pending_) % kRing];
  p.hash = HashKey(part, key, length);
  p.keyOffset = static_cast<uint32_t>(keyUsed_);
  p.position = position;
  p.value = value;
  p.length = static_cast<uint8_t>(length);
  p.part = static_cast<uint8_t>(part);
  std::memcpy(keys_ + keyUsed_, key, length);
  keyUsed_ += length;
  __builtin_prefetch(&slots_[SlotOf(p.hash)], 1);
  if (++pending_ == kRing) {
    Place(ring_[ringStart_]);
    ringStart_ = (ringStart_ + 1) % kRing;
    --pending_;
  }
  return true;
}

void TrieKeyHash::Flush() {
  while (pending_ > 0) {
    Place(ring_[ringStart_]);
    ringStart_ = (ringStart_ + 1) % kRing;
    --pending_;
  }
}

void TrieKeyHash::Place(const Pending& p) {
  size_t i = SlotOf(p.hash);
  while (slots_[i].length != 0) i = i + 1 == slotCount_ ? 0 : i + 1;
  Slot& s = slots_[i];
  s.tag = static_cast<uint32_t>(p.hash);
  s.keyOffset = p.keyOffset;
  s.position = p.position;
  s.value = p.value;
  s.length = p.length;
  s.part = p.part;
  ++size_;
}

}  // namespace malvex
