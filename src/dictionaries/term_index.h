// TermIndex: the index the terminology extraction builds for one run. Its
// lemmas are head words (nouns) and its terms are compounds (words joined
// by "_") filed under a head word. Both are numbered 1..65,535. Texts are
// folded to lower case for every lookup, so a term is found whatever the
// case it was met in.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "dictionaries/string_table.h"

namespace malvex {

class Messages;

class TermIndex {
 public:
  static constexpr int kLemmaTries = 6;
  static constexpr int kTermTries = 12;
  // Head words and terms are numbered up to this number.
  static constexpr uint32_t kMaxNumber = StringTable::kMaxTexts;

  // An empty index. Running out of memory shows catalogue message 0 through
  // `messages` (may be null) and ends the process with exit code 1.
  explicit TermIndex(Messages* messages);
  ~TermIndex();
  TermIndex(const TermIndex&) = delete;
  TermIndex& operator=(const TermIndex&) = delete;

  bool ok() const { return lemmas_.ok() && terms_.ok(); }

  // ---- Head words -------------------------------------------------------
  // The number of head word `text`; 0 when unknown.
  uint32_t LemmaNumberOf(std::string_view text);
  bool IsLemma(std::string_view text) { return LemmaNumberOf(text) != 0; }
  // Adds head word `text` when it is not one yet. True when it is a head
  // word afterwards; false when the table is full or refuses the text.
  bool AddLemma(std::string_view text);
  // The text of head word `number`; "" when none.
  const char* LemmaText(uint32_t number) const;
  uint32_t LemmaCount() const { return lemmas_.Count(); }

  // The second counter of a head word: Mark adds one; MarksOf is the
  // counter plus one (the head word's frequency), 0 outside 1..65,535.
  void Mark(uint32_t number);
  uint32_t MarksOf(uint32_t number) const;
  // Head word `from` takes the text `text`; its second counter, plus one,
  // is added to that of `into` and then zeroed. Merging a head word into
  // itself only changes its text. Numbers outside 1..65,535 change nothing.
  void MergeLemma(uint32_t from, uint32_t into, std::string_view text);

  // ---- Terms ------------------------------------------------------------
  // Files `term` under head word `lemmaText`. False when `lemmaText` is not
  // a head word. A new term gets the next number with one occurrence (false
  // when 65,535 terms exist or the term cannot be indexed); a known term
  // counts one repeat.
  bool AddTerm(std::string_view term, std::string_view lemmaText);
  // Looks `term` up and remembers it as the selected term (none when
  // absent); true when found.
  bool SelectTerm(std::string_view term);
  // Adds one occurrence to the selected term and returns its count (0, and
  // nothing counted, without a selected term). At its second occurrence the
  // term stores `text` as its text and is linked to head word `lemmaText`.
  uint32_t CountSelectedTerm(std::string_view text, std::string_view lemmaText);

  struct Term {
    const char* text;  // null until the term was counted twice
    uint32_t lemma;    // its head word; 0 until then
    uint32_t count;    // occurrences
  };
  // Term `number`; all empty outside 1..TermCount().
  Term TermAt(uint32_t number) const;
  // Terms filed (the "entries" counter) and repeats met.
  uint32_t TermCount() const { return entries_; }
  uint32_t Repeats() const { return repeats_; }

 private:
  std::unique_ptr<uint32_t[]> NewCounters();

  Messages* const messages_;
  StringTable lemmas_;
  StringTable terms_;
  uint32_t entries_ = 0;
  uint32_t repeats_ = 0;
  uint32_t selected_ = 0;
  // Indexed by number, 0 unused.
  std::unique_ptr<uint32_t[]> termCounts_;
  std::unique_ptr<uint32_t[]> termLemmas_;
  std::unique_ptr<uint32_t[]> marks_;
};

}  // namespace malvex
