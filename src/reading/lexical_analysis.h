// The two linguistic stages between the segment buffers: lexical lookup,
// run when the lexical buffer closes, and category disambiguation, run when
// the sentence buffer closes. The reading pass calls them through this
// interface (LexiconAnalysis is the one with dictionaries).
#pragma once

#include <cstdint>
#include <memory>

#include "reading/segment_buffer.h"

namespace malvex {

class CategoryMatrix;
class LemmaIndex;
class Lexicon;
struct LanguageTables;

class LexicalAnalysis {
 public:
  virtual ~LexicalAnalysis() = default;

  // Called when the lexical buffer closes, on its non-empty slots: turns
  // each text to lower case and records its capitalisation, fills its
  // readings (candidates, highest index, lookup mark, expression-start
  // flag), merges fixed expressions and compound words (emptying the slots
  // merged away) and applies the gerund rule. End markers are left alone.
  virtual void LookupSentence(SegmentBuffer& buffer) = 0;

  // Called when the sentence buffer closes, once the clause marks are
  // counted: chooses one reading per word and moves it to candidate 0,
  // and gives verbs and adjectives their lemma numbers.
  virtual void DisambiguateSentence(SegmentBuffer& buffer) = 0;
};

// The stage without a lexicon: words are only lower-cased and their
// capitalisation recorded; every reading stays zero (not yet classified).
class UnclassifiedAnalysis final : public LexicalAnalysis {
 public:
  void LookupSentence(SegmentBuffer& buffer) override;
  void DisambiguateSentence(SegmentBuffer& buffer) override {}
};

// The capitalisation of a word as written: 1 when its first letter is
// upper-case, 2 when its second letter is too (or it is "&" followed by an
// upper-case letter), 0 otherwise.
uint8_t CapitalisationOf(const char* text);

// Records the capitalisation of the slot's text, then folds the text to
// lower case in place (the word stream holds lower-case words).
void FoldSlotToLower(WordSlot& slot);

// The lexical analysis a reading pass uses: the one with the edition's
// dictionaries when `lexicon` is given and loaded, otherwise the
// unclassified one. Null when memory is exhausted.
std::unique_ptr<LexicalAnalysis> MakeLexicalAnalysis(Lexicon* lexicon, const LanguageTables& tables,
                                                     const CategoryMatrix& matrix, LemmaIndex* verbLemmas,
                                                     LemmaIndex* adjectiveLemmas, bool hyphenConcatenation);

}  // namespace malvex
