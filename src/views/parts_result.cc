#include "views/parts_result.h"

#include <unordered_map>

#include "semantic/analysis_context.h"
#include "views/proposition_text.h"
#include "views/result_list.h"

namespace malvex {

namespace {
// Below this many listed propositions, every one is selected.
constexpr size_t kSelectionMinimum = 11;
}  // namespace

bool PartSelected(const ChronologyTables& tables, uint32_t score) {
  return tables.characteristicParts.size() < kSelectionMinimum || score >= tables.scoreThreshold;
}

std::vector<PartRow> PartRows(const ChronologyTables& tables, WordStream& stream) {
  std::unordered_map<uint32_t, uint32_t> scores;
  for (const CharacteristicPart& part : tables.characteristicParts)
    if (PartSelected(tables, part.score)) scores[part.proposition] = part.score;
  std::vector<PartRow> rows;
  if (scores.empty()) return rows;
  for (PropositionText& p :
       PropositionTexts(stream, [&scores](uint32_t number, int32_t) { return scores.count(number) != 0; })) {
    PartRow row;
    row.proposition = p.number;
    row.score = scores[p.number];
    row.first = p.first;
    row.last = p.last;
    row.text = std::move(p.text);
    rows.push_back(std::move(row));
  }
  return rows;
}

bool FillPartList(const std::vector<PartRow>& rows, ResultList& list) {
  for (const PartRow& row : rows)
    if (!list.AddWithItem(row.text, row.proposition)) return false;
  return true;
}

}  // namespace malvex
