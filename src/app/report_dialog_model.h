// The Report dialog's model: which groups the spreadsheet report
// tabulates, whether it draws charts and of which type, the checks made
// when the dialog opens, and what its OK does: store the choices in the
// settings, lay the report out, write the workbook and hand it to the
// desktop's spreadsheet program through a ReportOutput.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "views/scenario_report.h"

namespace malvex {

class Messages;
class ResultList;
class SettingsRecord;
enum class ResultKind : uint8_t;

// The selected group the report starts from: the group of the chosen line
// of the result list (of its first group line when none is chosen) when
// the list shows the Scenario groups; 0 for any other list, whose items
// are classes, relations or lemmas, not groups.
int32_t ReportSelectedGroup(ResultKind kind, const ResultList& list, int chosenIndex);

// Where the workbook goes and how it is opened; the front end implements it
// with the spreadsheet writer.
class ReportOutput {
 public:
  enum class Opening { kOpened, kNoProgram, kFailed };
  virtual ~ReportOutput() = default;
  // Writes the workbook of `report` to `path`; false with the reason in `error`.
  virtual bool Write(const ScenarioReport& report, const std::string& path, std::string& error) = 0;
  // Opens `path` with the desktop's program for spreadsheets.
  virtual Opening Open(const std::string& path) = 0;
};

class ReportDialogModel {
 public:
  static constexpr int kMaxGraphsLimit = 255;
  static constexpr int kDefaultMaxGraphs = 8;

  // All must outlive the model. `groups` are the Scenario groups of the
  // last analysis (ReportGroupsOf), `selected` the selected group (0 when
  // none).
  ReportDialogModel(SettingsRecord& record, Messages& messages, std::vector<ReportGroup> groups, int32_t selected);

  // When the dialog opens: the controls take the stored choices (a chart
  // type outside the list becomes the default one, a maximum of 0 or less
  // becomes 8, above 255 becomes 255, an unknown scope the selection);
  // then the checks: without any group the pages and OK are disabled, the
  // error box shows message 455 and the status message 1035; without a
  // selected group the whole Scenario is chosen and the two other scopes
  // are disabled, the status saying "No selected element (Scenario)".
  void Open();

  // ---- The controls ----------------------------------------------------
  ReportScope scope() const { return scope_; }
  void SetScope(ReportScope scope) { scope_ = scope; }
  bool showGraph() const { return showGraph_; }
  void SetShowGraph(bool show) { showGraph_ = show; }
  int chartIndex() const { return chartIndex_; }
  void SetChartIndex(int index);
  int maxGraphs() const { return maxGraphs_; }
  void SetMaxGraphs(int n);
  // The chart type names of the list, in order (messages 1152..1157).
  std::vector<std::string> ChartNames() const;
  // The Explain page: messages 1160..1163, each on its own line.
  std::string ExplainText() const;

  bool pagesEnabled() const { return pagesEnabled_; }
  bool okEnabled() const { return okEnabled_; }
  bool selectionScopesEnabled() const { return selectionScopesEnabled_; }
  // The error box the dialog shows as it opens; empty when none.
  const std::string& openingError() const { return openingError_; }
  // The second panel of the status bar.
  const std::string& status() const { return status_; }

  // ---- OK --------------------------------------------------------------
  enum class Outcome {
    kNothingCounted,  // status 1035 and a beep; the dialog stays open
    kOpened,          // written and opened: the dialog closes
    kSavedOnly,       // written, no program to open it: the status says where
    kWriteFailed,     // not written: the status says why
  };
  // Stores the four choices in the settings, lays the report out and, when
  // some group is counted, writes it to `path` through `output` and opens
  // it. The dialog stays open whenever the status has something to say.
  Outcome Ok(const std::string& path, ReportOutput& output);
  // The report OK laid out last.
  const ScenarioReport& report() const { return report_; }

  // A free name for the workbook of the text `textPath` in `folder`:
  // "<text name> - Statistics.xlsx", or with " (2)", " (3)"... before the
  // extension when that file exists.
  static std::string ReportPath(const std::string& folder, const std::string& textPath);

 private:
  SettingsRecord& record_;
  Messages& messages_;
  std::vector<ReportGroup> groups_;
  int32_t selected_;
  ReportScope scope_ = ReportScope::kSelection;
  bool showGraph_ = true;
  int chartIndex_ = 0;
  int maxGraphs_ = kDefaultMaxGraphs;
  bool pagesEnabled_ = true;
  bool okEnabled_ = true;
  bool selectionScopesEnabled_ = true;
  std::string openingError_;
  std::string status_;
  ScenarioReport report_;
};

}  // namespace malvex
