// The spreadsheet report of a 2,000-group Scenario (the scenario fixture's
// 1,000 top groups, each with a sub-group): laying the report of the whole
// Scenario out and writing its workbook, with the default maximum of 8
// charts and with the most the dialog allows, 255 (the fixture's
// sub-groups are single, so only the top-level block gets a chart). Prints the median of several runs
// in milliseconds; the target is 1,000 ms for each.

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "foundations/messages.h"
#include "integrations/xlsx_workbook.h"
#include "platform/console_box.h"
#include "scenario_bench_fixture.h"
#include "views/scenario_report.h"

using malvex::bench::Clock;
using malvex::bench::Median;
using malvex::bench::Ms;

namespace {

// The groups of the fixture's group lines, in order, with counts that
// differ from one group to the next.
std::vector<malvex::ReportGroup> FixtureGroups() {
  std::vector<malvex::ReportGroup> groups;
  const std::string text = malvex::bench::ScenarioText();
  size_t at = 0;
  while (at < text.size()) {
    const size_t end = text.find("\r\n", at);
    const std::string line = text.substr(at, end - at);
    at = end + 2;
    if (line[0] != 'G') continue;
    malvex::ReportGroup g;
    g.depth = line[2] - '0';
    g.name = line.substr(line.rfind('\t') + 1);
    g.count = static_cast<uint32_t>(1 + (groups.size() * 7919) % 500);
    groups.push_back(std::move(g));
  }
  return groups;
}

}  // namespace

int main() {
  malvex::ConsoleBox box;
  malvex::Messages messages(box);
  const std::vector<malvex::ReportGroup> groups = FixtureGroups();
  const std::string path = (std::filesystem::temp_directory_path() / "malvex-xlsx-bench.xlsx").string();
  for (int maxGraphs : {8, 255}) {
    std::vector<double> times;
    size_t blocks = 0;
    int charts = 0;
    for (int run = 0; run < 5; ++run) {
      const Clock::time_point a = Clock::now();
      malvex::ReportOptions options;
      options.scope = malvex::ReportScope::kWhole;
      options.maxGraphs = maxGraphs;
      malvex::ScenarioReport report;
      std::string error;
      if (!malvex::BuildScenarioReport(groups, options, messages, report) ||
          !malvex::WriteReportWorkbook(report, path, messages, error)) {
        std::fprintf(stderr, "the report could not be written: %s\n", error.c_str());
        return 1;
      }
      times.push_back(Ms(a, Clock::now()));
      blocks = report.blocks.size();
      charts = report.ChartCount();
    }
    std::printf("spreadsheet report, %zu groups, %zu blocks, %d chart(s) (at most %d): %.1f ms (median of 5; target 1000 ms)\n",
                groups.size(), blocks, charts, maxGraphs, Median(times));
  }
  std::filesystem::remove(path);
  return 0;
}
