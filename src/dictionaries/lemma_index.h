// LemmaIndex: the verb lemma index (".vv8") and the adjective lemma index
// (".av8"). Each maps every inflected form to the number and text of its
// lemma, and counts during an analysis how often each lemma occurs.
//
// Lemma index file, little-endian:
//   offset size
//     0     1   format version, 19
//     1     4   entries
//     5     4   repeats
//     9     4   new entries of the lemma table's index
//    13     4   L, number of lemma texts
//    17     4   number of form texts (form texts themselves are not stored)
//    21     4   tries of the lemma table
//    25     4   tries of the form table
//    29    14   zeros (not read)
//    43     4   magic number 1234567
//    47     1   zero (not read)
// then the tries of the lemma table and of the form table, each a 20-byte
// Trie16 record followed directly by its chars, values and next; then the L
// lemma texts as 80-byte name records.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dictionaries/dictionary_fault.h"
// The engine takes the noun lemma index (TDicSubstantifs) from here too.
#include "dictionaries/noun_lemma_dictionary.h"
#include "dictionaries/ranked_counts.h"
#include "dictionaries/string_table.h"

namespace malvex {

class ByteWriter;
class Messages;
class StringPool;

inline constexpr char kVerbLemmaExtension[] = ".vv8";
inline constexpr char kAdjectiveLemmaExtension[] = ".av8";

class LemmaIndex {
 public:
  static constexpr uint8_t kVersion = 19;
  static constexpr uint32_t kMagic = 1234567;
  static constexpr size_t kHeaderSize = 48;
  // Lemma numbers run from 1 to this number.
  static constexpr uint32_t kMaxLemmas = StringTable::kMaxTexts;

  // An index whose form table has `formTries` tries and whose lemma table
  // has `lemmaTries` (the verb and adjective indexes: 29 and 7). Its tries
  // come from Load or CreateEmpty. Lemma texts are copied into `pool` when
  // one is given. A trie count outside 1..50 shows catalogue message 0 and
  // leaves the index not ok. `messages` may be null (faults then end the
  // process without a box).
  LemmaIndex(int formTries, int lemmaTries, Messages* messages = nullptr,
             StringPool* pool = nullptr);
  ~LemmaIndex();
  LemmaIndex(const LemmaIndex&) = delete;
  LemmaIndex& operator=(const LemmaIndex&) = delete;

  bool ok() const { return lemmas_ != nullptr && lemmas_->ok() && forms_->ok(); }

  // Reads the index from `path`. A missing, unreadable or short file shows
  // message 10 and ends the process with exit code 2; a wrong version or
  // magic number shows message 12, a blank and the path (exit code 1);
  // inconsistent counts or tries show message 13 (exit code 1). Loaded
  // tries have no room to grow.
  void Load(const std::string& path);
  // The same from a file image in memory; `path` names it in the messages.
  void LoadImage(std::string_view bytes, const std::string& path);

  // Creates both tables empty (room for 32,599 cells per trie), to build an
  // index with AddLemma and AddForm.
  void CreateEmpty();

  // ---- Lookups (texts already folded to lower case) --------------------
  uint32_t LemmaNumberOfLemma(std::string_view lemma);
  bool IsLemma(std::string_view text) { return LemmaNumberOfLemma(text) != 0; }
  // The lemma number of `form`: from the form table, else from the lemma
  // table (a lemma is its own form); 0 when neither knows it.
  uint32_t LemmaNumberOfForm(std::string_view form);
  // The lemma text of `form`; null when the form is unknown.
  const char* LemmaOfForm(std::string_view form);
  // The text of lemma `number`; "" for 0 or a number above LemmaCount().
  const char* LemmaText(uint32_t number) const;
  // L, the number of lemmas (those of the current run included).
  uint32_t LemmaCount() const { return lemmas_->Count() + static_cast<uint32_t>(runTexts_.size()); }

  // ---- Building ---------------------------------------------------------
  // The number of lemma `text`, adding it first when it is not yet a lemma;
  // 0 when it cannot be added (see StringTable::AddText: a full table ends
  // the process with message 16).
  uint32_t AddLemma(std::string_view text);
  // Maps `form` to lemma `number` (1..LemmaCount()). A new form counts one
  // entry; a form already mapped keeps its first lemma and counts one
  // repeat. False when the number is out of range or the form table refuses
  // the form.
  bool AddForm(std::string_view form, uint32_t number);

  // ---- Lemmas of one run ----------------------------------------------
  // From this call on, the lemmas AddLemma adds belong to the run under
  // way: they take the numbers after the index's own, are found and
  // counted like them, and go with ForgetRunLemmas. The index itself (its
  // tables, the pool, the stored image) no longer changes, so that a run's
  // results never depend on the texts analysed before it and a long series
  // of runs does not fill the tables.
  void KeepRunLemmasApart() { runLemmasApart_ = true; }
  // Drops the lemmas of the last run (and any Scenario group given to
  // their numbers); the next run numbers its own from the same point.
  void ForgetRunLemmas();
  uint32_t RunLemmaCount() const { return static_cast<uint32_t>(runTexts_.size()); }
  // Whether `number` is one of the current run's lemmas.
  bool IsRunLemma(uint32_t number) const { return number > lemmas_->Count(); }

  // ---- Counting during a run -------------------------------------------
  // Counts one occurrence of lemma `number` and returns its Scenario group
  // (0 when none), adding one to groupCounts[group] when the group is
  // inside the span. A number outside 1..LemmaCount() counts nothing and
  // returns 0. The caller makes the returned group the token's level-4
  // class.
  uint32_t CountOccurrence(uint32_t number, std::span<uint32_t> groupCounts);
  // Occurrences of lemma `number`; 0 above LemmaCount().
  uint32_t CountOf(uint32_t number) const {
    return number > LemmaCount() ? 0 : counts_.CountOf(number);
  }
  // Zeroes the counts and empties the ranking.
  void ResetCounts() { counts_.Reset(); }
  // Lists the lemmas 1..L with a positive count, then sorts them by count,
  // largest first (the system's quicksort).
  void RankLemmas() { counts_.Rank(LemmaCount()); }
  uint32_t RankedCount() const { return counts_.RankedLength(); }
  // The lemma at `rank`; 0 outside 1..RankedCount().
  uint32_t RankedLemma(uint32_t rank) const { return counts_.RankedNumber(rank); }

  // ---- Scenario links ---------------------------------------------------
  // The Scenario group of lemma `number` (0 when none or out of range).
  uint32_t GroupOf(uint32_t number) const {
    return number == 0 || number > kMaxLemmas ? 0 : groups_[number];
  }
  // False for a number outside 1..65,535.
  bool SetGroup(uint32_t number, uint32_t group);
  void ClearGroups();

  // ---- Header counters --------------------------------------------------
  uint32_t EntryCount() const { return entries_; }
  uint32_t Repeats() const { return repeats_; }
  uint32_t FormTextCount() const { return formTexts_; }

  const StringTable& Lemmas() const { return *lemmas_; }
  const StringTable& Forms() const { return *forms_; }

  // ---- Stored form ------------------------------------------------------
  // Appends the file image (see the top of this file). False when a lemma
  // text cannot be stored in a name record (its record is written empty).
  bool Write(ByteWriter& out) const;
  // Writes the image to `path` (atomically); false on any failure.
  bool Save(const std::string& path) const;

 private:
  void MakeTables(int formTries, int lemmaTries, bool loading);

  Messages* const messages_;
  StringPool* const pool_;
  // The trie counts asked for at construction, used by CreateEmpty.
  const int formTries_;
  const int lemmaTries_;
  std::unique_ptr<StringTable> lemmas_;
  std::unique_ptr<StringTable> forms_;
  uint32_t entries_ = 0;
  uint32_t repeats_ = 0;
  uint32_t formTexts_ = 0;
  RankedCounts counts_;
  std::unique_ptr<uint32_t[]> groups_;
  // The lemmas of the current run: their texts by number (after the
  // index's own), and their numbers by folded text.
  bool runLemmasApart_ = false;
  std::vector<std::string> runTexts_;
  std::unordered_map<std::string, uint32_t> runNumbers_;
};

}  // namespace malvex
