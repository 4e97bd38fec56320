#include "app/report_dialog_model.h"

#include <filesystem>
#include <system_error>

#include "foundations/messages.h"
#include "settings/settings_record.h"
#include "views/result_function_table.h"
#include "views/result_list.h"

namespace malvex {

namespace {

constexpr int kMsgScenario = 309;         // "Scenario"
constexpr int kMsgNotInstalled = 989;     // " is not installed on your system."
constexpr int kMsgApplication = 988;      // "The application: "
constexpr int kMsgUnavailable = 443;      // "Execution failed, program unavailable."
constexpr int kMsgNoScenario = 455;       // "No Ontology or Scenario available. To create..."
constexpr int kMsgNoScenarioShort = 1035; // "No Ontology or Scenario available."
constexpr int kMsgFirstChart = 1152;      // "By default" .. 1157 "Radar"
constexpr int kMsgFirstExplain = 1160;    // .. 1163
constexpr int kMsgNoSelection = 1220;     // "No selected element"
constexpr int kMsgSavedAs = 2361;         // "The report is saved as: "
constexpr int kMsgNotWritten = 2362;      // "The report could not be written: "
constexpr int kMsgNoProgram = 2363;       // "No program for spreadsheets is known on this desktop."

}  // namespace

int32_t ReportSelectedGroup(ResultKind kind, const ResultList& list, int chosenIndex) {
  if (kind != ResultKind::kScenario) return 0;
  const std::vector<ResultLine>& lines = list.lines();
  if (chosenIndex >= 0 && static_cast<size_t>(chosenIndex) < lines.size())
    return static_cast<int32_t>(lines[static_cast<size_t>(chosenIndex)].item);
  for (const ResultLine& line : lines)
    if (line.item > 0) return static_cast<int32_t>(line.item);
  return 0;
}

ReportDialogModel::ReportDialogModel(SettingsRecord& record, Messages& messages, std::vector<ReportGroup> groups,
                                     int32_t selected)
    : record_(record), messages_(messages), groups_(std::move(groups)), selected_(selected) {}

void ReportDialogModel::SetChartIndex(int index) {
  chartIndex_ = index >= 0 && index < static_cast<int>(kReportChartCount) ? index : 0;
}

void ReportDialogModel::SetMaxGraphs(int n) {
  maxGraphs_ = n <= 0 ? kDefaultMaxGraphs : n > kMaxGraphsLimit ? kMaxGraphsLimit : n;
}

void ReportDialogModel::Open() {
  const uint32_t table = record_.reportTableKind();
  scope_ = table <= static_cast<uint32_t>(ReportScope::kWhole) ? static_cast<ReportScope>(table) : ReportScope::kSelection;
  // The stored choice, whose default is to draw the charts.
  showGraph_ = record_.reportShowsGraph();
  const uint32_t kind = record_.reportGraphKind();
  SetChartIndex(kind < kReportChartCount ? static_cast<int>(kind) : 0);
  // The field is a signed 16-bit number: a negative one means none set.
  SetMaxGraphs(static_cast<int16_t>(static_cast<uint16_t>(record_.reportMaxGraphs())));
  pagesEnabled_ = okEnabled_ = selectionScopesEnabled_ = true;
  openingError_.clear();
  status_.clear();
  if (groups_.empty()) {
    openingError_ = messages_.message(kMsgNoScenario);
    pagesEnabled_ = okEnabled_ = false;
    status_ = messages_.message(kMsgNoScenarioShort);
  }
  const bool selected = selected_ >= 1 && static_cast<size_t>(selected_) <= groups_.size();
  if (!selected) {
    scope_ = ReportScope::kWhole;
    selectionScopesEnabled_ = false;
    status_ = messages_.message(kMsgNoSelection);
    status_ += " (" + messages_.message(kMsgScenario) + ")";
  }
}

std::vector<std::string> ReportDialogModel::ChartNames() const {
  std::vector<std::string> names;
  for (uint32_t i = 0; i < kReportChartCount; ++i) names.push_back(messages_.message(kMsgFirstChart + static_cast<int>(i)));
  return names;
}

std::string ReportDialogModel::ExplainText() const {
  std::string text;
  for (int id = kMsgFirstExplain; id <= kMsgFirstExplain + 3; ++id) text += messages_.message(id) + "\n";
  return text;
}

ReportDialogModel::Outcome ReportDialogModel::Ok(const std::string& path, ReportOutput& output) {
  record_.setReportTableKind(static_cast<uint32_t>(scope_));
  record_.setReportShowsGraph(showGraph_);
  record_.setReportGraphKind(static_cast<uint32_t>(chartIndex_));
  record_.setReportMaxGraphs(maxGraphs_);
  ReportOptions options;
  options.scope = scope_;
  options.selected = selected_;
  options.showGraph = showGraph_;
  options.chart = static_cast<ReportChart>(chartIndex_);
  options.maxGraphs = maxGraphs_;
  if (!BuildScenarioReport(groups_, options, messages_, report_)) {
    status_ = messages_.message(kMsgNoScenarioShort);
    return Outcome::kNothingCounted;
  }
  std::string error;
  if (!output.Write(report_, path, error)) {
    status_ = messages_.message(kMsgNotWritten) + path + " (" + error + ")";
    return Outcome::kWriteFailed;
  }
  switch (output.Open(path)) {
    case ReportOutput::Opening::kOpened:
      status_.clear();
      return Outcome::kOpened;
    case ReportOutput::Opening::kNoProgram:
      status_ = messages_.message(kMsgNoProgram);
      break;
    case ReportOutput::Opening::kFailed:
      status_ = messages_.message(kMsgApplication) + "xdg-open";
      status_ += messages_.message(kMsgNotInstalled) + " ";
      status_ += messages_.message(kMsgUnavailable);
      break;
  }
  status_ += " " + messages_.message(kMsgSavedAs) + path;
  return Outcome::kSavedOnly;
}

std::string ReportDialogModel::ReportPath(const std::string& folder, const std::string& textPath) {
  std::string stem = std::filesystem::path(textPath).stem().string();
  if (stem.empty()) stem = "Malvex";
  const std::filesystem::path base(folder);
  std::error_code ec;
  for (int n = 1;; ++n) {
    const std::string name = stem + " - Statistics" + (n == 1 ? std::string() : " (" + std::to_string(n) + ")") + ".xlsx";
    const std::filesystem::path candidate = base / name;
    if (!std::filesystem::exists(candidate, ec)) return candidate.string();
  }
}

}  // namespace malvex
