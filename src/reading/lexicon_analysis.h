// The lexical analysis of a reading pass with the edition's dictionaries:
// lookup and merging of compound words when the lexical buffer closes,
// disambiguation and lemma numbers when the sentence buffer closes.
#pragma once

#include "reading/disambiguation.h"
#include "reading/lexical_analysis.h"
#include "reading/lexical_lookup.h"

namespace malvex {

class CategoryMatrix;
class LemmaIndex;
class Lexicon;
struct LanguageTables;

class LexiconAnalysis final : public LexicalAnalysis {
 public:
  // Every reference must outlive the analysis; the lemma indexes may be
  // null (see LexicalLookup).
  LexiconAnalysis(Lexicon& lexicon, const LanguageTables& tables, const CategoryMatrix& matrix,
                  LemmaIndex* verbLemmas, LemmaIndex* adjectiveLemmas, bool hyphenConcatenation)
      : lookup_(lexicon, tables, verbLemmas, adjectiveLemmas, hyphenConcatenation),
        disambiguation_(matrix, lookup_) {}

  void LookupSentence(SegmentBuffer& buffer) override { lookup_.LookupSentence(buffer); }
  void DisambiguateSentence(SegmentBuffer& buffer) override {
    disambiguation_.DisambiguateSentence(buffer);
  }

  LexicalLookup& lookup() { return lookup_; }
  Disambiguation& disambiguation() { return disambiguation_; }

 private:
  LexicalLookup lookup_;
  Disambiguation disambiguation_;
};

}  // namespace malvex
