#include "views/lemma_list.h"

#include "dictionaries/lemma_index.h"
#include "dictionaries/noun_lemma_dictionary.h"
#include "views/result_list.h"

namespace malvex {

namespace {

const char* TextOf(const LemmaIndex& index, uint32_t lemma) { return index.LemmaText(lemma); }
const char* TextOf(const TDicSubstantifs& nouns, uint32_t lemma) { return nouns.NameOf(lemma); }

// Both kinds of index rank and count alike; only the way to a lemma's text
// differs.
template <typename Index>
std::vector<LemmaRow> RowsOf(Index& index, uint32_t minimalFrequency) {
  if (index.RankedCount() == 0) index.RankLemmas();
  std::vector<LemmaRow> rows;
  const uint32_t ranked = index.RankedCount();
  for (uint32_t rank = 1; rank <= ranked; ++rank) {
    const uint32_t lemma = index.RankedLemma(rank);
    if (lemma == 0) continue;
    const uint32_t frequency = index.CountOf(lemma);
    if (frequency < minimalFrequency) break;
    const char* text = TextOf(index, lemma);
    if (text == nullptr || *text == '\0') continue;
    rows.push_back(LemmaRow{lemma, text, frequency});
  }
  return rows;
}

}  // namespace

std::string LemmaLine(const LemmaRow& row) { return row.text + '\t' + FrequencyField(row.frequency); }

std::vector<LemmaRow> LemmaRows(LemmaIndex& index, uint32_t minimalFrequency) {
  return RowsOf(index, minimalFrequency);
}

std::vector<LemmaRow> LemmaRows(TDicSubstantifs& nouns, uint32_t minimalFrequency) {
  return RowsOf(nouns, minimalFrequency);
}

bool FillLemmaList(const std::vector<LemmaRow>& rows, ResultList& list) {
  for (const LemmaRow& row : rows)
    if (!list.AddWithItem(LemmaLine(row), row.lemma)) return false;
  return true;
}

}  // namespace malvex
