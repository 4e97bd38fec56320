#include "dictionaries/trie_key_hash.h"

#include <cstring>
#include <memory>

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

// A cell as the walks read it: the three arrays of a trie side by side, so
// that a cell reached by a jump costs one memory fetch instead of three.
struct WalkCell {
  int32_t next;
  uint16_t value;
  uint8_t c;
  uint8_t unused;
};
static_assert(sizeof(WalkCell) == 8);

// A subtree to walk: the node reached by the first character of its keys.
struct WalkItem {
  uint32_t part;
  uint32_t head;
  char first;
};

// Walks that run side by side. Each step of a walk reads a cell that the
// previous step chose, often far from it; stepping many walks in turn lets
// the cells of one walk arrive while the others work.
constexpr size_t kWalkers = 4;

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
  mask_ = 0;
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
  // their count sizes the table, at most half full, and bounds the key
  // bytes (kTrieMaxKeyLength each). Both blocks are only reserved: the
  // pages never written cost nothing.
  size_t valued = 0;
  for (size_t i = 0; i < count; ++i) {
    const Trie32& t = tries[i];
    const uint32_t last = t.Used() < t.Cells() ? t.Used() : t.Cells();
    for (uint32_t p = 0; p <= last; ++p) valued += t.ValueAt(p) != 0;
  }
  size_t slots = 16;
  while (slots < valued * 2) slots *= 2;
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
  mask_ = slots - 1;
  capacity_ = slots / 2;
  keyBytes_ = keyBlock_.size();

  std::vector<bool> complete(count, true);
  AddTries(tries, count, complete);
  Flush();
  complete_ = std::move(complete);
  return true;
}

struct TrieKeyHash::Walker {
  const WalkCell* cells = nullptr;
  uint32_t part = 0;
  uint32_t last = 0;  // the trie's end cell
  size_t top = 0;     // frames in use; 0: idle
  Frame frames[kTrieMaxKeyLength + 2];
  char key[kTrieMaxKeyLength];

  void Prefetch() const {
    const int32_t c = frames[top].cell;
    if (c < 0 || static_cast<uint32_t>(c) > last) return;
    __builtin_prefetch(cells + c);
  }
};

void TrieKeyHash::AddTries(const Trie32* tries, size_t count, std::vector<bool>& complete) {
  // The walks read a copy of the cells laid out side by side, in large
  // pages; the copy is made in one sequential pass and dropped at the end.
  std::vector<size_t> first(count + 1, 0);
  for (size_t part = 0; part < count; ++part) {
    const Trie32& t = tries[part];
    const size_t cells = t.Created() && t.Used() > 0 ? (t.Used() < t.Cells() ? t.Used() : t.Cells()) + 1 : 0;
    first[part + 1] = first[part] + cells;
  }
  LargeBlock image;
  if (!image.Allocate(first[count] * sizeof(WalkCell))) {
    complete.assign(count, false);
    return;
  }
  WalkCell* const all = static_cast<WalkCell*>(image.data());
  for (size_t part = 0; part < count; ++part) {
    const Trie32& t = tries[part];
    WalkCell* const cells = all + first[part];
    const size_t n = first[part + 1] - first[part];
    for (size_t p = 0; p < n; ++p) {
      const uint32_t q = static_cast<uint32_t>(p);
      cells[p] = WalkCell{t.NextAt(q), t.ValueAt(q), t.CharAt(q), 0};
    }
  }

  // Each cell of a trie built by insertion belongs to one chain and is
  // visited once; a damaged image whose chains share cells could make a
  // walk revisit whole subtrees, so the walks of a trie stop after twice
  // that work and leave it incomplete.
  std::vector<uint64_t> budget(count);
  std::vector<WalkItem> items;
  for (size_t part = 0; part < count; ++part) {
    budget[part] = static_cast<uint64_t>(tries[part].Used()) * 2 + 64;
    const size_t n = first[part + 1] - first[part];
    if (n == 0) continue;
    const WalkCell* const cells = all + first[part];
    // The root's chain: one subtree per first character.
    const uint32_t last = static_cast<uint32_t>(n - 1);
    uint64_t seen[4] = {};
    for (int32_t cell = 0; cell >= 0 && static_cast<uint32_t>(cell) <= last;) {
      if (budget[part]-- == 0) {
        complete[part] = false;
        break;
      }
      const WalkCell& q = cells[cell];
      const uint32_t head = static_cast<uint32_t>(cell) + 1;
      cell = q.next;
      const uint64_t bit = uint64_t{1} << (q.c & 63);
      if (q.c == 0 || (seen[q.c >> 6] & bit) != 0 || head > last) continue;
      seen[q.c >> 6] |= bit;
      items.push_back(WalkItem{static_cast<uint32_t>(part), head, static_cast<char>(q.c)});
    }
  }

  std::unique_ptr<Walker[]> walkers(new Walker[kWalkers]);
  size_t nextItem = 0;
  size_t busy = 0;
  // Starts walker `w` on the next subtree whose trie is still being walked.
  auto start = [&](Walker& w) {
    while (nextItem < items.size()) {
      const WalkItem& item = items[nextItem++];
      if (!complete[item.part]) continue;
      w.cells = all + first[item.part];
      w.part = item.part;
      w.last = static_cast<uint32_t>(first[item.part + 1] - first[item.part] - 1);
      w.key[0] = item.first;
      const uint16_t value = w.cells[item.head].value;
      if (value != 0 && !Add(item.part, w.key, 1, static_cast<int32_t>(item.head), value)) {
        complete[item.part] = false;
        continue;
      }
      w.top = 1;
      w.frames[1].cell = static_cast<int32_t>(item.head);
      w.frames[1].depth = 1;
      std::memset(w.frames[1].seen, 0, sizeof w.frames[1].seen);
      w.Prefetch();
      ++busy;
      return;
    }
  };
  for (size_t i = 0; i < kWalkers; ++i) start(walkers[i]);

  while (busy > 0) {
    for (size_t i = 0; i < kWalkers; ++i) {
      Walker& w = walkers[i];
      if (w.top == 0) continue;
      if (!complete[w.part] || budget[w.part]-- == 0 || !Step(w, budget[w.part])) {
        complete[w.part] = false;
        w.top = 0;
      }
      if (w.top == 0) {
        --busy;
        start(w);
      } else {
        w.Prefetch();
      }
    }
  }
}

// Visits the next cell of the walk's current chain, as Find would try it.
// False when a key could not be added.
bool TrieKeyHash::Step(Walker& w, uint64_t& budget) {
  Frame& f = w.frames[w.top];
  const int32_t cell = f.cell;
  if (cell < 0 || static_cast<uint32_t>(cell) > w.last) {
    --w.top;  // the chain is done: back to the node above
    return true;
  }
  const WalkCell* const cells = w.cells;
  const WalkCell& q = cells[cell];
  f.cell = q.next;
  uint8_t c = q.c;
  if (c == 0) return true;
  uint64_t& word = f.seen[c >> 6];
  const uint64_t bit = uint64_t{1} << (c & 63);
  if (word & bit) return true;  // an earlier cell of the chain takes this character
  word |= bit;
  size_t length = f.depth;
  uint32_t head = static_cast<uint32_t>(cell);
  // Down the child, and on along cells without alternatives (the runs that
  // insertion appends), until a node with alternatives gets its own frame.
  for (;;) {
    w.key[length++] = static_cast<char>(c);
    ++head;
    if (head > w.last) return true;
    const WalkCell& h = cells[head];
    if (h.value != 0 && !Add(w.part, w.key, length, static_cast<int32_t>(head), h.value)) {
      return false;
    }
    // Longer keys are left to the trie.
    if (length == kTrieMaxKeyLength) return true;
    if (h.next >= 0) break;
    c = h.c;
    if (c == 0) return true;
    if (budget == 0) return false;
    --budget;
  }
  Frame& child = w.frames[++w.top];
  child.cell = static_cast<int32_t>(head);
  child.depth = static_cast<uint32_t>(length);
  std::memset(child.seen, 0, sizeof child.seen);
  return true;
}

// Keys come in trie order and land at random slots; each waits in a small
// ring while its slot is fetched, so that the fetches of several keys
// overlap instead of each insertion stalling on its own.
bool TrieKeyHash::Add(size_t part, const char* key, size_t length, int32_t position,
                      uint16_t value) {
  // More keys than valued cells (chains that share cells) must not fill
  // the table beyond half.
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
  __builtin_prefetch(&slots_[static_cast<size_t>(p.hash) & mask_], 1);
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
  size_t i = static_cast<size_t>(p.hash) & mask_;
  while (slots_[i].length != 0) i = (i + 1) & mask_;
  Slot& s = slots_[i];
  s.tag = static_cast<uint32_t>(p.hash >> 32);
  s.keyOffset = p.keyOffset;
  s.position = p.position;
  s.value = p.value;
  s.length = p.length;
  s.part = p.part;
  ++size_;
}

}  // namespace malvex
