#include "semantic/relation_store.h"

#include <memory>
#include <new>

#include "dictionaries/quicksort.h"
#include "platform/fatal.h"

namespace malvex {

namespace {

// Class numbers are signed; flipping the sign bit orders them as unsigned
// numbers in the same order.
inline uint32_t OrderKey(int32_t cls) { return static_cast<uint32_t>(cls) ^ 0x80000000u; }

// What the consolidation sorts: an entry's pair at one level, and the
// entry's number. Sorting these small records instead of the entries gives
// the same order the entries themselves would take.
struct PairKey {
  uint64_t key;  // second class, then first class
  uint32_t entry;
};

}  // namespace

RelationStore::RelationStore(CellPool& pool) : pool_(pool) { MakeChains(); }

void RelationStore::MakeChains() {
  for (int l = 0; l < kClassLevels; ++l) {
    if (!occurrences_[l].Create(pool_) || !ranked_[l].Create(pool_)) FatalExit(1);
  }
}

void RelationStore::Clear() {
  entries_.Clear();
  for (int l = 0; l < kClassLevels; ++l) {
    candidates_[l].reset();
    candidateCount_[l] = 0;
  }
  cursor_.Reset();
  MakeChains();
}

bool RelationStore::Append(const ClassPath* items, int count, WordNode* firstToken, uint8_t weight,
                           uint8_t continuation, int32_t position) {
  RelationEntry* const e = entries_.Append();
  if (e == nullptr) return false;
  for (int l = 0; l < kClassLevels; ++l) {
    int found = 0;
    int32_t pair[2] = {0, 0};
    for (int i = 0; i < count && found < 2; ++i) {
      const int32_t c = items[i].classes[l];
      if (c != 0) pair[found++] = c;
    }
    if (found == 2) {
      e->first[l] = pair[0];
      e->second[l] = pair[1];
    }
    e->frequency[l] = 1;
  }
  e->firstToken = firstToken;
  e->position = position;
  e->weight = weight;
  e->continuation = continuation;
  return true;
}

void RelationStore::Read(uint32_t i, int level, RelationView& out) const {
  const RelationEntry& e = entries_[i];
  for (int l = 0; l < kClassLevels; ++l) {
    out.items[0].classes[l] = e.first[l];
    out.items[1].classes[l] = e.second[l];
  }
  out.continuation = e.continuation;
  out.weight = e.weight;
  out.firstToken = e.firstToken;
  out.position = e.position;
  out.frequency = level >= 1 && level <= kClassLevels ? e.frequency[level - 1] : 0;
}

bool RelationStore::Next(RelationView& out) {
  const uint32_t c = cursor_.Get();
  if (c == StoreCursor::kNone || c >= Count()) return false;
  Read(c, 0, out);
  cursor_.Set(c + 1);
  return true;
}

bool RelationStore::Previous(RelationView& out) {
  const uint32_t c = cursor_.Get();
  if (c == StoreCursor::kNone || c == 0) return false;
  cursor_.Set(c - 1);
  Read(c - 1, 0, out);
  return true;
}

bool RelationStore::ConsolidateLevel(int level, const std::function<bool()>& advance) {
  if (level < 1 || level > kClassLevels) return false;
  const int l = level - 1;
  candidates_[l].reset();
  candidateCount_[l] = 0;
  Chain& chain = occurrences_[l];
  if (chain.Length() > 0 && !chain.Create(pool_)) return false;

  // 1. The entries having a pair at this level, in store order.
  const uint32_t total = Count();
  std::unique_ptr<PairKey[]> keys(new (std::nothrow) PairKey[total == 0 ? 1 : total]);
  if (!keys) return false;
  uint32_t n = 0;
  for (uint32_t i = 0; i < total; ++i) {
    RelationEntry& e = entries_[i];
    if (e.first[l] == 0 && e.second[l] == 0) continue;
    // Back to the counts of an entry not yet consolidated (written only
    // when they differ, so that a first consolidation leaves the entries
    // clean in the cache).
    if (e.frequency[l] != 1) e.frequency[l] = 1;
    if (e.duplicate[l] != 0) e.duplicate[l] = 0;
    keys[n++] = PairKey{uint64_t{OrderKey(e.second[l])} << 32 | OrderKey(e.first[l]), i};
  }

  // 2. Sorted by second class, then first class.
  if (n > 1) QuickSort(keys.get(), n, [](const PairKey& a, const PairKey& b) { return a.key < b.key; });

  // 3. Into the occurrence chain.
  for (uint32_t i = 0; i < n; ++i) {
    if (!chain.Append(pool_, keys[i].entry)) return false;
  }

  // 4. One step of progress.
  if (advance && !advance()) return false;

  // 5. Runs of equal pairs counted on their first entry. The first entries,
  // in chain order, are kept for the ranking that follows.
  uint32_t runs = 0;
  for (uint32_t i = 0; i < n; ++i) {
    if (i == 0 || keys[i].key != keys[i - 1].key) ++runs;
  }
  std::unique_ptr<FrequencyKey[]> candidates(new (std::nothrow) FrequencyKey[runs == 0 ? 1 : runs]);
  uint32_t r = 0;
  for (uint32_t i = 0; i < n;) {
    uint32_t j = i + 1;
    while (j < n && keys[j].key == keys[i].key) entries_[keys[j++].entry].duplicate[l] = 1;
    entries_[keys[i].entry].frequency[l] = j - i;
    if (candidates) candidates[r++] = FrequencyKey{j - i, keys[i].entry};
    i = j;
  }
  if (candidates) {
    candidates_[l] = std::move(candidates);
    candidateCount_[l] = r;
  }
  return true;
}

bool RelationStore::RankLevel(int level) {
  if (level < 1 || level > kClassLevels) return false;
  const int l = level - 1;
  Chain& ranked = ranked_[l];
  if (ranked.Length() > 0 && !ranked.Create(pool_)) return false;
  // The first entries of the runs: kept by the consolidation, else read
  // from the occurrence chain.
  std::unique_ptr<FrequencyKey[]> keys = std::move(candidates_[l]);
  uint32_t k = candidateCount_[l];
  candidateCount_[l] = 0;
  if (!keys) {
    const Chain& chain = occurrences_[l];
    keys.reset(new (std::nothrow) FrequencyKey[chain.Length() == 0 ? 1 : chain.Length()]);
    if (!keys) return false;
    k = 0;
    chain.ForEach(pool_, [&](uint32_t entry) {
      const RelationEntry& e = entries_[entry];
      if (e.duplicate[l] == 0 && e.frequency[l] > 0) keys[k++] = FrequencyKey{e.frequency[l], entry};
    });
  }
  if (k > 1) {
    QuickSort(keys.get(), k, [](const FrequencyKey& a, const FrequencyKey& b) { return a.frequency > b.frequency; });
  }
  for (uint32_t i = 0; i < k; ++i) {
    if (!ranked.Append(pool_, keys[i].entry)) return false;
  }
  return true;
}

void RelationStore::RewindRanked(int level) {
  if (level >= 1 && level <= kClassLevels) ranked_[level - 1].Rewind();
}

bool RelationStore::NextRanked(int level, RelationView& out) {
  if (level < 1 || level > kClassLevels) return false;
  Chain& chain = ranked_[level - 1];
  uint32_t entry = 0;
  while (chain.Next(pool_, entry)) {
    if (entries_[entry].duplicate[level - 1] != 0) continue;
    Read(entry, level, out);
    return true;
  }
  return false;
}

bool RelationStore::RankedAtEnd(int level) const {
  return level < 1 || level > kClassLevels || ranked_[level - 1].AtEnd();
}

uint64_t RelationStore::TotalInOccurrenceChains() const {
  uint64_t total = 0;
  for (const Chain& chain : occurrences_) total += chain.Length();
  return total;
}

}  // namespace malvex
