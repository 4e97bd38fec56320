// The results malvex-cli prints, gathered from an analysed engine: for each
// result asked, the lines its result list shows and the numbers behind
// each line, ready to be written as text, JSON or CSV.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace malvex {

class Engine;

// One line of a result and its numbers. Texts are code page 1250; the
// numbers a line does not have stay unset. What each field holds for each
// result is listed in docs/cli.md.
struct ReportItem {
  std::string type;   // "verdict", "count", "class", "relation", "header", "category",
                      // "lemma", "episode", "bundle", "proposition"
  std::string text;   // the line as the result list shows it
  std::string name;
  std::string second;
  // JSON leaves an empty `second` out unless this is set: the terminology
  // lines carry it always, empty for a noun, as their text and CSV do.
  bool secondAlways = false;
  std::optional<int64_t> frequency;
  std::optional<double> percentage;
  std::optional<int64_t> actant;
  std::optional<int64_t> id;
  std::optional<int64_t> secondId;
  std::optional<int64_t> start;
  std::optional<int64_t> end;
  std::optional<double> mean;
  std::optional<int64_t> depth;
};

struct ReportResult {
  CliResult result = CliResult::kStyle;
  std::string title;        // the function's title
  std::string information;  // the information line shown with it
  int level = 0;            // class level of a class list, 0 otherwise
  bool overflow = false;    // the list refused lines (message 322)
  std::vector<ReportItem> items;
};

// The analysis settings the run used.
struct ReportSettings {
  int relationLevel = 1;
  bool thresholdByWords = true;
  int thresholdValue = 0;
  int32_t detectionThreshold = 0;  // the minimal frequency of the lists
  int partsQuantity = 0;
  bool numbersAsSubstantives = false;
  bool scenarioOnAllCategories = false;
  std::string scenario;            // the Scenario file name, code page 1250
  bool scenarioLoaded = false;
  bool actant = true;              // the list filter boxes
  bool acted = true;
  bool alphabetical = false;
};

struct Report {
  std::vector<std::string> files;  // as given, in the locale's encoding
  int64_t words = 0;
  int64_t propositions = 0;
  bool completed = false;
  // Why the result is not that of the whole text asked for (the text was
  // cut, a file gave no words...), UTF-8; empty when nothing is missing.
  std::string error;
  ReportSettings settings;
  std::vector<ReportResult> results;
};

// Gathers the results `options` asks for from `engine`, after its analysis
// (`completed` tells whether the analysis finished). Lists hold at most
// ResultList::kDefaultCapacity lines, as the result list does.
Report BuildReport(Engine& engine, const CliOptions& options, bool completed);

}  // namespace malvex
