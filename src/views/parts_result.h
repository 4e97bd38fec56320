// The characteristic parts of the text: the propositions the analysis
// selected as the most characteristic, in text order, as readable text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace malvex {

class ResultList;
class WordStream;
struct ChronologyTables;

struct PartRow {
  uint32_t proposition = 0;  // 1-based, in text order
  uint32_t score = 0;
  int32_t first = 0;         // word positions of its first and last words
  int32_t last = 0;
  std::string text;          // code page 1250
};

// Whether the listed proposition of `score` is selected: all are when fewer
// than 11 were listed, otherwise those reaching the score threshold.
bool PartSelected(const ChronologyTables& tables, uint32_t score);

// The selected characteristic propositions of the last analysis, with
// their text from `stream` (whose cursor stays where it was).
std::vector<PartRow> PartRows(const ChronologyTables& tables, WordStream& stream);

// Appends the propositions' texts (item number: the proposition) until the
// list refuses one; false then.
bool FillPartList(const std::vector<PartRow>& rows, ResultList& list);

}  // namespace malvex
