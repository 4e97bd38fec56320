// Category disambiguation of a closed sentence buffer: the sentence is cut
// into clauses at its clause marks, and in each clause every ambiguous word
// (or verb) gets one reading, moved to candidate 0:
//   - a past participle after an auxiliary verb at most 3 slots before it
//     merges with it into one compound-tense word ("am_mâncat") at the
//     auxiliary's place;
//   - otherwise a present indicative reading, else an indicative one, is
//     preferred;
//   - the remaining choice is a context score: a weighted count of the
//     word-class bigrams and trigrams around the word, read from the
//     category transition matrix, plus fixed bonuses;
//   - a performative verb reading is kept only in a sentence with a
//     first-person deixis pronoun.
// Every word then gets its lemma number. A word whose readings cannot be
// told apart keeps the first of them.
#pragma once

#include <cstdint>

#include "foundations/category.h"
#include "reading/segment_buffer.h"

namespace malvex {

class CategoryMatrix;
class LexicalLookup;

class Disambiguation {
 public:
  // Score below every reading's: the first reading wins when none beats it.
  static constexpr int kScoreFloor = -6000;
  // Scores start here; the fixed bonuses are this size too.
  static constexpr int kBaseScore = 10;
  // An auxiliary stands at most this many slots before its participle.
  static constexpr int kMaxAuxiliaryDistance = 3;
  // Context scoring looks at this many words from the one being resolved.
  static constexpr int kScoringWindow = 5;

  // `matrix` gives the n-gram weights, `lemmas` the lemma numbers; both
  // must outlive this object.
  Disambiguation(const CategoryMatrix& matrix, LexicalLookup& lemmas);
  Disambiguation(const Disambiguation&) = delete;
  Disambiguation& operator=(const Disambiguation&) = delete;

  // Resolves a sentence buffer whose clause marks are counted and whose
  // last slot is an end marker; the last slot always closes a clause.
  void DisambiguateSentence(SegmentBuffer& buffer);

  // Resolves the words of the clause first..last, left to right.
  void ResolveSegment(SegmentBuffer& buffer, int first, int last);

  // The index of the best-scored reading of word `i` in the clause that
  // starts at `clauseStart` and ends at `clauseEnd`: the first reading with
  // the highest score. Readings of class 0 are scored, and rewritten, as
  // substantives (8).
  int ContextScore(SegmentBuffer& buffer, int i, int clauseStart, int clauseEnd);
  // The score of reading `k` of word `i`: 10, plus the connector bonus at
  // the clause start, plus 10 for a word alone in its clause with the class
  // of the word before, plus 10 for a capitalised substantive after the
  // first word, plus the left, right and surrounding n-gram weights. The
  // right context ends at the clause end and before the end marker. The
  // weights are summed in full: large weights never wrap to negative.
  int ReadingScore(SegmentBuffer& buffer, int i, int k, int clauseStart, int clauseEnd);

  // The fixed rules on word `i`, each moving its choice to candidate 0.
  // The first present indicative reading, else the first indicative one.
  static void IndicativePreference(WordSlot& slot);
  // When reading 0 is a verb and some reading is a performative verb: that
  // reading in a sentence with a first-person deixis pronoun (reading 0),
  // else the first verb reading that is not performative.
  static void PerformativeChoice(SegmentBuffer& buffer, int i);

 private:
  // The participle reading goes first; true when word `i` is then a past
  // participle whose nearest verb before it is an auxiliary at most 3
  // slots away, and the two texts joined fit a word. Sets the partner and
  // the work text.
  bool AuxiliaryRule(SegmentBuffer& buffer, int i);
  // Joins word `i` to its auxiliary: the participle takes the auxiliary's
  // mode and tense (present becoming past) and replaces the auxiliary,
  // word `i`'s slot is emptied.
  void AuxiliaryMerge(SegmentBuffer& buffer, int i);
  // Scores the words c .. c+4 (within the clause) from right to left, then
  // applies the performative choice to word c.
  void ScoreFrom(SegmentBuffer& buffer, int c, int clauseStart, int clauseEnd);

  // The last slot the right context of word `i` may read.
  static int RightEnd(const SegmentBuffer& buffer, int i, int clauseEnd);
  int Bigram(const WordCategory& first, int second) const;
  int Trigram(const WordCategory& first, int second, int third) const;

  const CategoryMatrix& matrix_;
  LexicalLookup& lemmas_;

  // State of the word being resolved.
  int partner_ = -1;
  char work_[WordSlot::kTextBytes];
};

}  // namespace malvex
