// The relation store: one entry per relation (an ordered pair of
// significant words of one proposition), or one entry for a proposition
// with fewer than two pairable words. Per classification level an entry
// carries the pair of classes, a frequency and a duplicate flag. After the
// semantic pass has filled it, each level is consolidated (its entries
// sorted by pair into the level's occurrence chain, equal pairs counted on
// the first of their run) and ranked (the distinct pairs, most frequent
// first, in the level's ranked chain), which the Relations results, the
// printing and the graphs read.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "dictionaries/semantic_dictionary.h"
#include "semantic/cell_pool.h"
#include "semantic/entry_blocks.h"
#include "semantic/store_cursor.h"

namespace malvex {

struct WordNode;

struct RelationEntry {
  int32_t first[kClassLevels];   // first class of the pair, per level
  int32_t second[kClassLevels];  // second class; (0, 0) when no pair
  WordNode* firstToken;          // the proposition's first token
  int32_t position;              // word position of its end marker
  uint32_t frequency[kClassLevels];  // 1, then the run's count on its first entry
  uint8_t duplicate[kClassLevels];   // 1 on the later entries of a run of equal pairs
  uint8_t weight;                // the proposition had a verb and at most 3 significant words
  uint8_t continuation;          // 0 on the first entry of a proposition
};

// An entry as a reader receives it: its pairs as a two-item class-path
// table (item 0 the first classes at levels 1..4, item 1 the second).
struct RelationView {
  ClassPath items[2];
  uint8_t continuation = 0;
  uint8_t weight = 0;
  WordNode* firstToken = nullptr;
  int32_t position = 0;
  uint32_t frequency = 0;  // at the level read (ranked readers only)
};

class RelationStore {
 public:
  // Chains take their cells from `pool`, which must outlive the store.
  // Running out of memory for the chains ends the process (exit code 1).
  explicit RelationStore(CellPool& pool);
  RelationStore(const RelationStore&) = delete;
  RelationStore& operator=(const RelationStore&) = delete;

  // Frees every entry and chain and makes the chains again; the store is as
  // created.
  void Clear();

  // Appends a relation of the proposition starting at `firstToken`. For
  // each level its pair is the first two non-zero classes of that level
  // among the `count` class paths of `items` (scanned in order), or (0, 0)
  // when fewer than two exist; frequencies start at 1. False when memory
  // runs out; the store is then unchanged.
  bool Append(const ClassPath* items, int count, WordNode* firstToken, uint8_t weight, uint8_t continuation,
              int32_t position);

  uint32_t Count() const { return entries_.Size(); }
  // Entry `i` (0..Count()-1).
  const RelationEntry& Entry(uint32_t i) const { return entries_[i]; }

  // Cursor and bookmarks, as for the proposition store.
  void Rewind() { cursor_.Set(0); }
  bool Next(RelationView& out);
  bool Previous(RelationView& out);
  bool AtHead() const { return cursor_.Get() == 0; }
  bool AtTail() const { return cursor_.Get() == Count(); }
  void SetBookmark(int k) { cursor_.SetBookmark(k); }
  void GoToBookmark(int k) { cursor_.GoToBookmark(k); }
  void SaveBookmarks() { cursor_.SaveBookmarks(); }
  void RestoreBookmarks() { cursor_.RestoreBookmarks(); }

  // Consolidates level `level` (1..4): the entries whose pair at that level
  // is not (0, 0), in store order, are sorted ascending by (second class,
  // first class) with the system's quicksort and appended to the level's
  // occurrence chain; `advance` is then called once (a false answer stops
  // here); finally each run of equal pairs is counted on its first entry,
  // whose frequency becomes the run's length, the others being marked
  // duplicates. False when stopped or when memory runs out (what was
  // appended stays).
  bool ConsolidateLevel(int level, const std::function<bool()>& advance = {});
  // Ranks level `level`: the entries of its occurrence chain that are not
  // duplicates and have a positive frequency, sorted by frequency, largest
  // first, go to the level's ranked chain. False when memory runs out.
  bool RankLevel(int level);

  // Readers of the ranked chain of `level` (1..4): rewind, next (the entry's
  // frequency at the level, weight flag, first token and pair; duplicates
  // are skipped; false at the end) and at end.
  void RewindRanked(int level);
  bool NextRanked(int level, RelationView& out);
  bool RankedAtEnd(int level) const;

  // The chains of `level` (1..4), whose values are entry numbers.
  const Chain& OccurrenceChain(int level) const { return occurrences_[level - 1]; }
  const Chain& RankedChain(int level) const { return ranked_[level - 1]; }
  const CellPool& Pool() const { return pool_; }
  // Entries placed in the occurrence chains, all levels together.
  uint64_t TotalInOccurrenceChains() const;

 private:
  // An entry number and its frequency, as the ranking sorts them.
  struct FrequencyKey {
    uint32_t frequency;
    uint32_t entry;
  };

  void MakeChains();
  void Read(uint32_t i, int level, RelationView& out) const;

  CellPool& pool_;
  EntryBlocks<RelationEntry> entries_;
  Chain occurrences_[kClassLevels];
  Chain ranked_[kClassLevels];
  StoreCursor cursor_;
  // The first entries of the runs of equal pairs, in chain order, left by
  // the consolidation of each level for its ranking.
  std::unique_ptr<FrequencyKey[]> candidates_[kClassLevels];
  uint32_t candidateCount_[kClassLevels] = {};
};

}  // namespace malvex
