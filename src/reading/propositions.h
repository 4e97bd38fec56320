// Proposition cutting and output: a sentence whose words have one reading
// each is cut into propositions (a verb with its subject-like words, cut at
// clause punctuation and at words that open a clause), and each
// proposition is appended to the word stream followed by an end marker.
#pragma once

#include <cstdint>

#include "reading/segment_buffer.h"

namespace malvex {

class StoredWordCounter;
class WordStream;

// A proposition holding more nouns and adjectives than this gets an extra
// end marker.
inline constexpr int kMaxPropositionNominals = 19;

// Fills the verb counts, raises the clause marks by the opener rule and
// marks in `boundary` the slots where a new proposition starts (the last
// slot when the sentence is one proposition). Reads candidate 0 of every
// slot, the clause marks and `count`.
void CutPropositions(SegmentBuffer& buffer);

// The keyword test of a borders file: which words open or close the parts
// of a text that are analysed.
class BorderKeywords {
 public:
  virtual ~BorderKeywords() = default;
  // True when `word` (lower case) is a border keyword; `excludesAfter` then
  // tells whether the text after it is left out.
  virtual bool IsBorderKeyword(const char* word, bool& excludesAfter) const = 0;
};

// The keyword test while no borders dictionary is loaded: no word is a
// keyword, so everything is kept.
class NoBorderKeywords final : public BorderKeywords {
 public:
  bool IsBorderKeyword(const char* word, bool& excludesAfter) const override { return false; }
};

// Appends the propositions of closed sentences to the word stream, with
// positions, end markers, the long-proposition cut and the borders filter,
// and counts every stored node for the category statistics.
class PropositionWriter {
 public:
  // `stream` and `statistics` must outlive the writer.
  PropositionWriter(WordStream& stream, StoredWordCounter& statistics);
  PropositionWriter(const PropositionWriter&) = delete;
  PropositionWriter& operator=(const PropositionWriter&) = delete;

  // The words that follow come from file `fileIndex` (1-based); the
  // excluded-zone state of the borders filter restarts as "kept".
  void StartFile(uint16_t fileIndex);
  // Turns the borders filter on (`keywords` not null: a borders file is in
  // use) or off. `keepKeywords` stores the keywords themselves.
  void SetBorders(const BorderKeywords* keywords, bool keepKeywords);

  // Appends the propositions of `buffer` (cut by CutPropositions, its last
  // slot an end marker) to the word stream, raising the buffer's running
  // word number. False when the word stream ran out of memory.
  bool WritePropositions(SegmentBuffer& buffer);

  // End markers stored since the writer was made, and those dropped inside
  // excluded parts.
  int64_t Propositions() const { return propositions_; }
  int64_t ExcludedEndMarkers() const { return excludedEndMarkers_; }
  bool InExcludedZone() const { return excluded_; }

 private:
  bool AppendEndMarker(const char* separator, int32_t position);

  WordStream& stream_;
  StoredWordCounter& statistics_;
  const BorderKeywords* borders_ = nullptr;
  bool keepKeywords_ = false;
  bool excluded_ = false;
  uint16_t fileIndex_ = 0;
  int64_t propositions_ = 0;
  int64_t excludedEndMarkers_ = 0;
};

}  // namespace malvex
