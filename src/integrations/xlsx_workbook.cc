#include "integrations/xlsx_workbook.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <xlsxwriter.h>

#include "foundations/charset.h"
#include "foundations/messages.h"
#include "integrations/external_tools.h"
#include "platform/files.h"
#include "views/scenario_report.h"

namespace malvex {

namespace {

constexpr int kMsgGraph = 512;   // "Graph", the chart sheets' names
constexpr int kMsgShare = 2360;  // "Share", the title of the share column

// The widest a column may be made.
constexpr double kMaxColumnWidth = 100;

lxw_chart_type ChartTypeOf(ReportChart chart) {
  switch (chart) {
    case ReportChart::kBar:
      return LXW_CHART_BAR;
    case ReportChart::kPie:
      return LXW_CHART_PIE;
    case ReportChart::kArea:
      return LXW_CHART_AREA;
    case ReportChart::kRadar:
      return LXW_CHART_RADAR;
    case ReportChart::kDefault:
    case ReportChart::kColumn:
      break;
  }
  return LXW_CHART_COLUMN;
}

// The width of a column holding `characters` characters, with a margin.
double WidthFor(size_t characters) { return std::min(kMaxColumnWidth, static_cast<double>(characters) + 2.0); }

// The workbook for the time of the writing; closed (and so written) once.
class Workbook {
 public:
  explicit Workbook(const std::string& path) : book_(workbook_new(path.c_str())) {}
  ~Workbook() {
    if (book_ != nullptr) workbook_close(book_);
  }
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  lxw_workbook* get() const { return book_; }
  lxw_error Close() {
    lxw_workbook* book = book_;
    book_ = nullptr;
    return workbook_close(book);
  }

 private:
  lxw_workbook* book_;
};

}  // namespace

bool WriteReportWorkbook(const ScenarioReport& report, const std::string& path, Messages& messages,
                         std::string& error) {
  error.clear();
  Workbook book(path);
  if (book.get() == nullptr) {
    error = "cannot create the workbook";
    return false;
  }
  const std::string sheetName = ToUtf8(report.sheetName);
  lxw_worksheet* sheet = workbook_add_worksheet(book.get(), sheetName.c_str());
  if (sheet == nullptr) {
    error = "cannot add the sheet";
    return false;
  }
  lxw_format* heading = workbook_add_format(book.get());
  format_set_bold(heading);
  format_set_font_color(heading, LXW_COLOR_WHITE);
  format_set_bg_color(heading, LXW_COLOR_BLACK);
  format_set_pattern(heading, LXW_PATTERN_SOLID);
  lxw_format* share = workbook_add_format(book.get());
  format_set_num_format(share, "0.0%");

  const std::string shareTitle = messages.message(kMsgShare);
  const std::string shareTitleUtf8 = ToUtf8(shareTitle);
  size_t widthA = 0;
  size_t widthB = 0;
  size_t widthC = 0;
  for (const ReportBlock& block : report.blocks) {
    const lxw_row_t h = static_cast<lxw_row_t>(block.headingRow - 1);
    if (block.rows.empty()) continue;
    worksheet_write_blank(sheet, h, 0, heading);
    worksheet_write_string(sheet, h, 1, ToUtf8(block.heading).c_str(), heading);
    worksheet_write_string(sheet, h, 2, shareTitleUtf8.c_str(), heading);
    widthB = std::max(widthB, block.heading.size());
    widthC = std::max(widthC, shareTitle.size());
    const double total = static_cast<double>(block.Total());
    lxw_row_t row = h + 1;
    for (const ReportRow& r : block.rows) {
      lxw_error e = worksheet_write_string(sheet, row, 0, ToUtf8(r.name).c_str(), nullptr);
      if (e == LXW_NO_ERROR) e = worksheet_write_number(sheet, row, 1, r.count, nullptr);
      if (e == LXW_NO_ERROR) e = worksheet_write_number(sheet, row, 2, total > 0 ? r.count / total : 0.0, share);
      if (e != LXW_NO_ERROR) {
        error = lxw_strerror(e);
        return false;
      }
      widthA = std::max(widthA, r.name.size());
      widthB = std::max(widthB, std::to_string(r.count).size());
      ++row;
    }
  }
  if (report.closingRow > 0)
    worksheet_write_string(sheet, static_cast<lxw_row_t>(report.closingRow - 1), 0,
                           ToUtf8(report.closingText).c_str(), nullptr);
  worksheet_set_column(sheet, 0, 0, WidthFor(widthA), nullptr);
  worksheet_set_column(sheet, 1, 1, WidthFor(widthB), nullptr);
  worksheet_set_column(sheet, 2, 2, WidthFor(std::max<size_t>(widthC, 6)), nullptr);

  // The chart sheets, one per block marked for a chart, in block order.
  const std::string graph = ToUtf8(messages.message(kMsgGraph));
  int n = 0;
  for (const ReportBlock& block : report.blocks) {
    if (!block.chart || block.rows.empty()) continue;
    const std::string name = graph + std::to_string(++n);
    lxw_chartsheet* chartSheet = workbook_add_chartsheet(book.get(), name.c_str());
    lxw_chart* chart = workbook_add_chart(book.get(), ChartTypeOf(report.chart));
    if (chartSheet == nullptr || chart == nullptr) {
      error = "cannot add the chart " + name;
      return false;
    }
    const lxw_row_t first = static_cast<lxw_row_t>(block.headingRow);  // the first data row, 0-based
    const lxw_row_t last = first + static_cast<lxw_row_t>(block.rows.size()) - 1;
    lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
    if (series == nullptr) {
      error = "cannot add the series of " + name;
      return false;
    }
    chart_series_set_categories(series, sheetName.c_str(), first, 0, last, 0);
    chart_series_set_values(series, sheetName.c_str(), first, 1, last, 1);
    chart_series_set_name_range(series, sheetName.c_str(), first - 1, 1);
    const lxw_error e = chartsheet_set_chart(chartSheet, chart);
    if (e != LXW_NO_ERROR) {
      error = lxw_strerror(e);
      return false;
    }
  }
  worksheet_activate(sheet);
  const lxw_error e = book.Close();
  if (e != LXW_NO_ERROR) {
    error = lxw_strerror(e);
    return false;
  }
  return true;
}

std::string DefaultApplicationFor(const std::string& mediaType, const std::string& pathVariable) {
  const std::string program = FindProgram("xdg-mime", pathVariable);
  if (program.empty()) return std::string();
  int out[2];
  if (::pipe(out) != 0) return std::string();
  const pid_t child = ::fork();
  if (child < 0) {
    ::close(out[0]);
    ::close(out[1]);
    return std::string();
  }
  if (child == 0) {
    ::dup2(out[1], STDOUT_FILENO);
    ::close(out[0]);
    ::close(out[1]);
    std::FILE* null = std::freopen("/dev/null", "w", stderr);
    (void)null;
    ::execl(program.c_str(), program.c_str(), "query", "default", mediaType.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(out[1]);
  std::string answer;
  char buffer[512];
  for (;;) {
    const ssize_t n = ::read(out[0], buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    if (answer.size() < 4096) answer.append(buffer, static_cast<size_t>(n));
  }
  ::close(out[0]);
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::string();
  while (!answer.empty() && (answer.back() == '\n' || answer.back() == '\r' || answer.back() == ' '))
    answer.pop_back();
  return answer;
}

SpreadsheetOpening OpenSpreadsheet(const std::string& path, const std::string& pathVariable) {
  if (FindProgram("xdg-open", pathVariable).empty() || DefaultApplicationFor(kXlsxMediaType, pathVariable).empty())
    return SpreadsheetOpening::kNoProgram;
  return OpenWithShell(path) ? SpreadsheetOpening::kOpened : SpreadsheetOpening::kFailed;
}

}  // namespace malvex
