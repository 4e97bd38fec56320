#include "cli/xlsx_output.h"

#include "cli/cli_options.h"
#include "engine/engine.h"
#include "foundations/charset.h"
#include "integrations/xlsx_workbook.h"
#include "settings/settings_record.h"
#include "views/scenario_report.h"

namespace malvex {

namespace {

struct ChartName {
  const char* name;
  ReportChart chart;
};
constexpr ChartName kCharts[] = {{"default", ReportChart::kDefault}, {"bar", ReportChart::kBar},
                                 {"column", ReportChart::kColumn},   {"pie", ReportChart::kPie},
                                 {"area", ReportChart::kArea},       {"radar", ReportChart::kRadar}};

}  // namespace

bool IsXlsxOption(const std::string& name) {
  return name == "--xlsx" || name == "--scope" || name == "--chart" || name == "--group";
}

bool SetXlsxOption(XlsxRequest& request, const std::string& name, const std::string& value, std::string& why) {
  if (name == "--xlsx") {
    if (value.size() <= 5 || value.compare(value.size() - 5, 5, ".xlsx") != 0) {
      why = "--xlsx takes a file ending in .xlsx";
      return false;
    }
    request.output = value;
    return true;
  }
  request.optionGiven = true;
  if (name == "--scope") {
    if (value != "all" && value != "branch" && value != "level") {
      why = "unknown scope " + value + " (all, branch or level)";
      return false;
    }
    request.scope = value;
  } else if (name == "--chart") {
    bool known = value == "none";
    for (const ChartName& c : kCharts) known = known || value == c.name;
    if (!known) {
      why = "unknown chart " + value + " (default, bar, column, pie, area, radar or none)";
      return false;
    }
    request.chart = value;
  } else if (name == "--group") {
    if (value.empty()) {
      why = "--group needs a group name";
      return false;
    }
    request.group = value;
  }
  return true;
}

int WriteXlsxOfRun(Engine& engine, const XlsxRequest& request, const std::string& path, std::FILE* err) {
  const std::vector<ReportGroup> groups = ReportGroupsOf(engine.semanticDictionary(), engine.scenarioLayer());
  ReportOptions options;
  options.scope = request.scope == "branch"  ? ReportScope::kBranch
                  : request.scope == "level" ? ReportScope::kSelection
                                             : ReportScope::kWhole;
  if (!request.group.empty()) {
    // Group names are given in the terminal's UTF-8, the Scenario's are code page 1250.
    const std::string name = IsWellFormedUtf8(request.group) ? FromUtf8(request.group) : request.group;
    options.selected = ReportGroupNamed(groups, name);
    if (options.selected == 0) {
      std::fprintf(err, "malvex-cli: --group: the Scenario has no group %s\n", request.group.c_str());
      return kExitUsage;
    }
  }
  options.showGraph = request.chart != "none";
  for (const ChartName& c : kCharts)
    if (request.chart == c.name) options.chart = c.chart;
  // The field is a signed 16-bit number: a negative one means none set.
  const int maxGraphs = static_cast<int16_t>(static_cast<uint16_t>(engine.record().reportMaxGraphs()));
  options.maxGraphs = maxGraphs <= 0 ? 8 : maxGraphs;
  ScenarioReport report;
  if (!BuildScenarioReport(groups, options, engine.messages(), report)) {
    std::fprintf(err, "malvex-cli: --xlsx: no Scenario group was counted in the text\n");
    return kExitAnalysisFailed;
  }
  std::string error;
  if (!WriteReportWorkbook(report, path, engine.messages(), error)) {
    std::fprintf(err, "malvex-cli: --xlsx: cannot write %s: %s\n", path.c_str(), error.c_str());
    return kExitAnalysisFailed;
  }
  return kExitOk;
}

}  // namespace malvex
