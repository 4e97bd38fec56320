// Measures the assembled lexicon and the trained weights on a treebank in
// CoNLL-U form (read only for measuring; nothing is learnt from it).
#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "lexicon_assembly.h"
#include "prose_model.h"

namespace malvex::edition {

struct TreebankFigures {
  size_t tokens = 0;          // non-punctuation, non-proper tokens
  size_t known = 0;           // found in the lexicon
  size_t numbers = 0;         // written in digits (the reader reads them as numerals)
  size_t goldAmong = 0;       // gold part of speech among the readings
  size_t ambiguous = 0;       // known tokens with several readings
  size_t scored = 0;          // non-punctuation tokens, proper nouns included
  size_t classCorrect = 0;    // chosen class among the gold part of speech's classes
  // Errors by gold part of speech and chosen class ("NOUN>1").
  std::map<std::string, size_t> confusion;
};

// The record classes (bit c for class c) a Universal Dependencies part of
// speech corresponds to.
unsigned ClassesOfUpos(const std::string& upos);

// The record classes of the function a fixed expression serves, read from
// the relation of its head word: "de asemenea" (advmod) is an adverb, "după
// ce" (mark) a conjunction, "de la" (case) a preposition; 0 for relations
// that do not name a word class (a verbal idiom, a noun phrase).
unsigned ClassesOfFixedExpression(const std::string& headDeprel);

bool MeasureTreebank(const std::string& path, const LexiconAssembly& lexicon, const ProseModel& model,
                     TreebankFigures* figures);
void PrintFigures(const TreebankFigures& f, std::FILE* out);

}  // namespace malvex::edition
