// The lemma lists of the Verbs, Adjectives and Substantives results: the
// lemmas counted during the analysis, most frequent first, down to the
// minimal frequency, each written as its text, a tab and its frequency on 4
// digits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace malvex {

class LemmaIndex;
class ResultList;
class TDicSubstantifs;

struct LemmaRow {
  uint32_t lemma = 0;      // lemma number in its index
  std::string text;        // code page 1250
  uint32_t frequency = 0;  // occurrences in the text
};

// The line of `row`: text, tab, frequency on 4 digits.
std::string LemmaLine(const LemmaRow& row);

// The ranked lemmas of a verb or adjective index (ranked first when it has
// no ranking yet), ending at the first lemma counted fewer than
// `minimalFrequency` times; lemmas without a text are skipped.
std::vector<LemmaRow> LemmaRows(LemmaIndex& index, uint32_t minimalFrequency);
// The same for the noun lemma dictionary.
std::vector<LemmaRow> LemmaRows(TDicSubstantifs& nouns, uint32_t minimalFrequency);

// Appends the lines of `rows` to `list` (item number: the lemma), until the
// list refuses one; false then.
bool FillLemmaList(const std::vector<LemmaRow>& rows, ResultList& list);

}  // namespace malvex
