#include "views/episode_list.h"

#include <cstdio>

#include "dictionaries/semantic_dictionary.h"
#include "foundations/messages.h"
#include "semantic/analysis_context.h"
#include "semantic/category_statistics.h"
#include "views/result_list.h"

namespace malvex {

std::vector<EpisodeSummary> EpisodeSummaries(const ChronologyTables& tables, int32_t words) {
  std::vector<EpisodeSummary> out;
  int number = 0;
  for (const EpisodeRecord& e : tables.episodes) {
    EpisodeSummary s;
    s.number = ++number;
    s.start = e.start;
    s.end = e.end;
    s.bundles = e.bundles;
    s.lengthPercent = words > 0 ? static_cast<double>(e.end - e.start + 1) / words * 100.0 : 0.0;
    out.push_back(s);
  }
  return out;
}

std::string EpisodeStatusLine(Messages& messages, const EpisodeSummary& episode) {
  char percent[32];
  std::snprintf(percent, sizeof percent, "%.1f", episode.lengthPercent);
  std::string line = messages.message(562);
  line += " " + std::to_string(episode.number) + " : " + std::to_string(episode.bundles) + " ";
  line += messages.message(570);
  line += ", ";
  line += messages.message(569);
  line += " : ";
  line += percent;
  line += "% ";
  line += messages.message(568);
  line += ". ";
  return line;
}

std::string ItemLabel(Messages& messages, const SemanticDictionary& dictionary, int level, int32_t item) {
  if (item <= 0) return StatisticsLabel(messages, -item);
  return dictionary.ClassName(level, item);
}

std::vector<BundleRow> BundleRows(Messages& messages, const SemanticDictionary& dictionary, int level,
                                  const ChronologyTables& tables, uint32_t episode) {
  std::vector<BundleRow> out;
  for (const BundleRecord& b : tables.bundles) {
    if (episode != 0 && b.episode != episode) continue;
    BundleRow row;
    row.item = b.item;
    row.label = ItemLabel(messages, dictionary, level, b.item);
    row.episode = b.episode;
    row.count = b.count;
    row.first = b.first;
    row.last = b.last;
    row.mean = b.mean;
    out.push_back(std::move(row));
  }
  return out;
}

std::string BundleLine(const BundleRow& row) { return row.label + '\t' + FrequencyField(row.count); }

}  // namespace malvex
