// The Scenario report written as a spreadsheet workbook (.xlsx) through
// libxlsxwriter, and the hand-over of the file to the desktop's
// spreadsheet program.
#pragma once

#include <string>

namespace malvex {

class Messages;
struct ScenarioReport;

// Writes `report` to `path` (a new file; an existing one is replaced): the
// sheet "Statistics" holds every block (heading row: the parent's name in
// bold white on black, then one row per group: name, count, share of the
// block's total), one empty row between blocks, the closing line, and
// columns as wide as their longest text; each block marked for a chart
// gets a chart sheet "Graph<n>" drawing its rows. Texts go from code page
// 1250 to UTF-8 here. False, with the library's reason in `error`, when
// the workbook cannot be made or written.
bool WriteReportWorkbook(const ScenarioReport& report, const std::string& path, Messages& messages,
                         std::string& error);

// The media type of an .xlsx workbook.
inline constexpr char kXlsxMediaType[] = "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet";

// What handing a workbook to the desktop came to.
enum class SpreadsheetOpening {
  kOpened,     // the desktop's program for spreadsheets was started on it
  kNoProgram,  // the desktop knows no program for spreadsheets
  kFailed,     // the opener could not be started
};

// Opens `path` with the desktop's default program for spreadsheets: asks
// xdg-mime for the default application of the workbook media type (none
// known when xdg-mime or xdg-open is missing, or the answer is empty),
// then starts xdg-open on the file. `pathVariable` is where the two
// programs are looked for ($PATH).
SpreadsheetOpening OpenSpreadsheet(const std::string& path, const std::string& pathVariable);

// The default application xdg-mime gives for `mediaType`, found through
// `pathVariable`; empty when there is none or xdg-mime is missing.
std::string DefaultApplicationFor(const std::string& mediaType, const std::string& pathVariable);

}  // namespace malvex
