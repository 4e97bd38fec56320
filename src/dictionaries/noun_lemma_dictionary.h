// TDicSubstantifs: the noun lemma dictionary. It numbers the noun lemmas
// (1..S) through a read-only Trie32x32, keeps their names and counts their
// occurrences during a run. It is stored inside the semantic dictionary
// file, without a record of its own:
//   chars  (C + 1 bytes), values ((C + 1) x 4 bytes, signed lemma numbers),
//   next   ((C + 1) x 4 bytes, signed, -1 = no alternative),
//   then the S lemma names as 80-byte name records;
// S and C (the cell count minus one) are kept in that file's header.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "dictionaries/dictionary_fault.h"
#include "dictionaries/paged_array.h"
#include "dictionaries/ranked_counts.h"
#include "dictionaries/trie.h"

namespace malvex {

class ByteReader;
class ByteWriter;
class Messages;
class StringPool;

class TDicSubstantifs {
 public:
  // A dictionary that accepts at most `capacity` lemmas; it holds none until
  // Load or AddLemma. Names are copied into `pool` when one is given, else
  // into allocations of their own. `messages` (may be null) reports
  // exhausted memory, which ends the process (message 0, exit code 1).
  explicit TDicSubstantifs(uint32_t capacity, Messages* messages = nullptr,
                           StringPool* pool = nullptr);
  ~TDicSubstantifs();
  TDicSubstantifs(const TDicSubstantifs&) = delete;
  TDicSubstantifs& operator=(const TDicSubstantifs&) = delete;

  uint32_t Capacity() const { return capacity_; }
  // S: lemma numbers run from 1 to S.
  uint32_t LemmaCount() const { return lemmaCount_; }
  // The number of entries recorded in the settings' dictionary fingerprint.
  uint32_t EntryCount() const { return lemmaCount_; }

  // ---- Stored form ------------------------------------------------------
  // Replaces the content by the trie of `lastCell` + 1 cells and the
  // `lemmaCount` names read from `in` (see the top of this file).
  // kTruncated when the image ends early; kDamaged when lemmaCount exceeds
  // the capacity, the cell count is out of range or a link does not hold.
  LoadStatus Load(ByteReader& in, uint32_t lastCell, uint32_t lemmaCount);
  // C, to store in the header: the trie's cell count minus one. An empty
  // dictionary is stored as one zero cell (C = 0).
  uint32_t LastCell() const;
  // Appends the trie arrays and the names. False when a name cannot be
  // stored in a name record (its record is written empty).
  bool Write(ByteWriter& out) const;

  // ---- Building ---------------------------------------------------------
  // The number of noun lemma `text`, adding it (number S + 1) when the trie
  // does not know it yet; 0 when the text is empty or longer than 80
  // characters, or the capacity is reached. The key is folded to lower
  // case; the name is kept as given. The trie grows as needed, rebuilt from
  // the names in number order, so the same lemmas added in the same order
  // always give the same cells.
  uint32_t AddLemma(std::string_view text);

  // ---- Lookups ----------------------------------------------------------
  // The lemma number of `text` (already folded); 0 when absent (or when the
  // stored value lies outside 1..S).
  uint32_t LemmaNumberOf(std::string_view text);
  // The name of lemma `number`; null outside 1..S or for an empty slot.
  const char* NameOf(uint32_t number) const;

  // ---- Counting during a run -------------------------------------------
  // Adds one to the count of lemma `number`; false (nothing counted)
  // outside 1..S.
  bool CountOccurrence(uint32_t number) { return number <= lemmaCount_ && counts_.Add(number); }
  // The count of lemma `number`; 0 outside 1..S.
  uint32_t CountOf(uint32_t number) const {
    return number > lemmaCount_ ? 0 : counts_.CountOf(number);
  }
  void ResetCounts() { counts_.Reset(); }
  // Lists the lemmas with a positive count, then sorts them by count,
  // largest first (the system's quicksort).
  void RankLemmas() { counts_.Rank(lemmaCount_); }
  uint32_t RankedCount() const { return counts_.RankedLength(); }
  // The lemma at `rank` and its count; 0 outside 1..RankedCount().
  uint32_t RankedLemma(uint32_t rank) const { return counts_.RankedNumber(rank); }
  uint32_t CountAtRank(uint32_t rank) const { return counts_.CountAtRank(rank); }

  // ---- Scenario links ---------------------------------------------------
  // The Scenario group of lemma `number`; 0 when none or outside 1..S.
  uint32_t GroupOf(uint32_t number) const;
  // False (nothing stored) outside 1..S.
  bool SetGroup(uint32_t number, uint32_t group);
  void ClearGroups();

 private:
  // A noun lemma trie that can be built: insertion of lemma numbers into a
  // Trie32x32, for the dictionary compiler.
  class BuildTrie : public Trie32x32 {
   public:
    bool Add(std::string_view key, int32_t number) { return InsertCode(key, number, Capacity()); }
  };

  bool GrowTrie(uint32_t needed);
  void FailMemory();

  Messages* const messages_;
  const uint32_t capacity_;
  uint32_t lemmaCount_ = 0;
  BuildTrie trie_;
  std::unique_ptr<PagedTextArray> names_;
  std::unique_ptr<PagedArray<uint32_t>> groups_;
  RankedCounts counts_;
};

// The engine's name for the noun lemma index.
using NounLemmaIndex = TDicSubstantifs;

}  // namespace malvex
