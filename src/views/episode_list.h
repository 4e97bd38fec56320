// The Episode results: the status line of an episode (its number, bundles
// and length) and the bundles it holds, each written as its item's label,
// a tab and its occurrence count on 4 digits.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace malvex {

class Messages;
class SemanticDictionary;
struct ChronologyTables;

struct EpisodeSummary {
  int number = 0;      // 1-based
  int32_t start = 0;   // word positions
  int32_t end = 0;
  uint32_t bundles = 0;
  double lengthPercent = 0;  // (end - start + 1) over the text's words, x 100
};

// The episodes of the last analysis; `words` is the text's highest word
// position.
std::vector<EpisodeSummary> EpisodeSummaries(const ChronologyTables& tables, int32_t words);

// "Episode n : b Bundles, length : p% of the text. " (messages 562, 570,
// 569, 568; p with one decimal).
std::string EpisodeStatusLine(Messages& messages, const EpisodeSummary& episode);

struct BundleRow {
  int32_t item = 0;     // class number (> 0) or minus a statistics index
  std::string label;    // class name or category label, code page 1250
  uint32_t episode = 0;
  uint32_t count = 0;
  uint32_t first = 0;   // word positions
  uint32_t last = 0;
  double mean = 0;
};

// The label of a bundle item: the class name at `level` for a class, the
// statistics label for a category (a non-positive item).
std::string ItemLabel(Messages& messages, const SemanticDictionary& dictionary, int level, int32_t item);

// The bundles of episode `episode` (every bundle for 0), in the table's
// order (mean position).
std::vector<BundleRow> BundleRows(Messages& messages, const SemanticDictionary& dictionary, int level,
                                  const ChronologyTables& tables, uint32_t episode);

// label, tab, count on 4 digits.
std::string BundleLine(const BundleRow& row);

}  // namespace malvex
