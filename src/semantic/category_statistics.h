// The category statistics of a run: one counter and one percentage per
// statistics index (verb subclasses, modes and tenses, connector and
// modality subclasses, pronoun persons, word-class totals), kept while the
// reading pass stores its words and finalised when reading ends. Index i
// (0..77) is labelled by catalogue message 89 + i; result items for word
// categories carry the negative index.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "foundations/category.h"
#include "reading/stored_word_counter.h"
#include "reading/word_stream.h"

namespace malvex {

class Messages;

inline constexpr int kStatisticsIndexCount = 78;
// Catalogue message of statistics index 0.
inline constexpr int kStatisticsFirstMessage = 89;

// Statistics indexes with a meaning of their own. The subclass groups start
// at the index of their first subclass (subclass k at first + k - 1).
inline constexpr int kStatAuxiliary = 3;
inline constexpr int kStatVerbSubclass = 4;         // 4..7 factive..performative
inline constexpr int kStatMode = 10;                // 10..15 indicative..other modes
inline constexpr int kStatTense = 16;               // 16..19 present..other tenses
inline constexpr int kStatConnector = 20;           // total of 21..30
inline constexpr int kStatConnectorSubclass = 21;   // 21..30 condition..manner
inline constexpr int kStatModality = 32;            // total of 33..39
inline constexpr int kStatModalitySubclass = 33;    // 33..39 time..intensity
inline constexpr int kStatFundamental = 40;
inline constexpr int kStatVerb = 43;                // total of 4..7
inline constexpr int kStatReferent = 44;            // principal + secondary referents
inline constexpr int kStatConnectorTotal = 45;      // = 20
inline constexpr int kStatModalityTotal = 46;       // = 32
inline constexpr int kStatWord = 48;
inline constexpr int kStatProposition = 49;
inline constexpr int kStatAdjective = 51;           // total of 62..65
inline constexpr int kStatPronoun = 52;             // total of 56..60
inline constexpr int kStatPreposition = 53;         // words of class 6
inline constexpr int kStatSubstantive = 54;         // words of class 8 (and 0)
inline constexpr int kStatPronounSubclass = 56;     // 56..60 relative..others
inline constexpr int kStatDeterminant = 61;         // words of class 7
inline constexpr int kStatAdjectiveSubclass = 62;   // 62..65 objective, subjective, numeral, others
inline constexpr int kStatReferentNucleus = 67;
inline constexpr int kStatPrincipalReferent = 68;
inline constexpr int kStatSecondaryReferent = 69;
inline constexpr int kStatPerson = 70;              // 70..76 persons "I".."Somebody"

class CategoryStatistics final : public StoredWordCounter {
 public:
  CategoryStatistics() { ResetStatistics(); }

  // Zeroes every counter and percentage and the word and proposition
  // counts; called at the start of each reading pass.
  void ResetStatistics();

  // Counts one node the reading pass stores: nothing for an empty text, a
  // proposition for an end marker ("/"), otherwise a word by its category,
  // verb tense and mode, pronoun person, referent mark and flags. An
  // unclassified category (0) is first made a substantive (8) in `info`, so
  // that the node stored from it carries 8.
  void CountWord(const char* text, WordInfo& info) override;

  // Fills the totals, the percentages (over all words, then within each
  // group) and the word and proposition counters; false, with nothing
  // computed, when no word was counted.
  bool FinaliseStatistics();

  // Counter and percentage of statistics index `index`; 0 outside 0..77.
  uint32_t Counter(int index) const {
    return index >= 0 && index < kStatisticsIndexCount ? counters_[static_cast<size_t>(index)] : 0;
  }
  double Percentage(int index) const {
    return index >= 0 && index < kStatisticsIndexCount ? percentages_[static_cast<size_t>(index)] : 0.0;
  }
  // Sets a counter the semantic pass computes (referents, nuclei); ignored
  // outside 0..77.
  void SetCounter(int index, uint32_t value) {
    if (index >= 0 && index < kStatisticsIndexCount) counters_[static_cast<size_t>(index)] = value;
  }

  // Words and end markers counted since the last reset.
  uint32_t Words() const { return words_; }
  uint32_t Propositions() const { return propositions_; }
  // Every node counted: words and end markers.
  uint64_t Total() const { return static_cast<uint64_t>(words_) + propositions_; }

 private:
  void Add(int index) { ++counters_[static_cast<size_t>(index)]; }
  uint32_t Sum(int first, int last) const;
  // Percentages of first..last over `base`, where the counter is positive.
  void PercentagesOver(int first, int last, uint32_t base);

  std::array<uint32_t, kStatisticsIndexCount> counters_;
  std::array<double, kStatisticsIndexCount> percentages_;
  uint32_t words_ = 0;
  uint32_t propositions_ = 0;
};

// The label of statistics index `index`: the name of its group ("Verb",
// "Connector", "Modality", "Pronoun" or "Adjective"), a blank and the
// index's own label (message 89 + index); indexes outside a group have
// their own label only. An index outside 0..77 gives "".
std::string StatisticsLabel(Messages& messages, int index);

}  // namespace malvex
