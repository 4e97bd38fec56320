// Training without a tagged corpus: Romanian prose from Debian's
// documentation is cut into sentences, clauses and words, every word gets
// its readings from the assembled lexicon, and the word-class n-grams are
// counted over the readings' distributions, which are re-estimated from
// the counts a few times. The result gives the category transition
// matrix, the order of the readings of ambiguous forms, the fundamental
// vocabulary and the reference percentages of the style diagnosis.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lexicon_assembly.h"

namespace malvex::edition {

// The text of the paragraphs of an HTML page (UTF-8), block by block,
// entities decoded, scripts, styles and preformatted blocks left out.
std::vector<std::string> HtmlParagraphs(const std::string& html);

struct ProseToken {
  std::string form;  // 8-bit, folded
  bool capital = false;
  bool number = false;
  // Word classes of the readings (record class 1..9, with the pronoun
  // subclass in the tens for pronouns: 50 + subclass); empty = unknown.
  std::vector<int> tags;
  std::vector<double> weight;  // current probability of each tag
};
using Clause = std::vector<ProseToken>;
using Sentence = std::vector<Clause>;

// Cuts 8-bit text into sentences, clauses and words as the text reader
// does (words split at hyphens and apostrophes, compounds of the lexicon
// merged, abbreviations end no sentence), with the lexicon's readings.
std::vector<Sentence> CutProse(const std::string& text, const LexiconAssembly& lexicon);

// Tag of a code: record class, or 50 + subclass for pronouns.
int TagOfCode(uint16_t code);
// Record class of a tag (pronoun tags give 5, unknown 0 gives 8).
inline int ClassOfTag(int tag) { return tag >= 50 ? 5 : (tag == 0 ? 8 : tag); }

class ProseModel {
 public:
  // Counts and re-estimates `iterations` times over the sentences.
  void Train(std::vector<Sentence>& sentences, int iterations);

  // The 8,716 values of the category matrix: log-probability weights
  // scaled by kScale and the connector-at-clause-start bonus.
  std::vector<int16_t> MatrixValues() const;
  static constexpr double kScale = 100.0;

  // Share of record class `c` among the readings of `form` as counted in
  // the prose (with the forms of the same ambiguity when the form itself
  // is rare); -1 when nothing is known.
  double Prior(const std::string& form, const std::vector<int>& classes, int c) const;
  // Per-form tag counts gathered by the last training.
  void CollectPriors(const std::vector<Sentence>& sentences);

  // Picks each word's tag with the trained weights (the highest score, the
  // first in reading order on ties).
  void Tag(std::vector<Sentence>& sentences) const;

 private:
  double Score(const Clause& c, size_t i, int tag) const;
  double LogBigram(int a, int b) const;
  double LogTrigram(int a, int b, int c) const;
  double LogPronounBigram(int s, int b) const;
  double LogPronounTrigram(int s, int b, int c) const;
  void Count(const std::vector<Sentence>& sentences);

  // Counts by record class 0..10; pronoun subclass 0..10 for the extras.
  std::array<double, 11> first_{};
  std::array<std::array<double, 11>, 11> bi_{};
  std::array<std::array<double, 11>, 11> biFirst_{};
  std::array<std::array<std::array<double, 11>, 11>, 11> tri_{};
  std::array<double, 11> pronFirst_{};
  std::array<std::array<double, 11>, 11> pronBi_{};
  std::array<std::array<double, 11>, 11> pronBiFirst_{};
  std::array<std::array<std::array<double, 11>, 11>, 11> pronTri_{};
  double startConnector_ = 0, starts_ = 0, connector_ = 0, words_ = 0;

  std::map<std::string, std::map<int, double>> formCounts_;
  std::map<std::string, std::map<int, double>> ambiguityCounts_;
};

// Adds the curated changes to matrix values as MatrixValues() lays them
// out (8,716 values), each sum held within the 16-bit range.
void ApplyMatrixAdjustments(const std::vector<MatrixAdjustment>& adjustments, std::vector<int16_t>* values);

// The category statistics of the style diagnosis over tagged prose:
// counters per statistics index 0..77 and the words counted.
struct ProseStatistics {
  std::array<double, 78> counter{};
  double words = 0;
  // Percentages as the statistics finalise them.
  std::array<double, 78> Percentages() const;
};

// Picks each word's reading (the first reading of its chosen class),
// merges a past participle with the auxiliary before it, and counts the
// statistics; `lemmaCount` receives the lemma of every counted word ("" for
// unknown words).
ProseStatistics CountStatistics(const std::vector<Sentence>& sentences, const LexiconAssembly& lexicon,
                                std::map<std::string, double>* lemmaCount);

}  // namespace malvex::edition
