// The Scenario report: the group counts of the last analysis laid out as
// the blocks of a spreadsheet. A block is one set of sibling groups (their
// name and count under a heading naming their parent), blocks are one
// empty row apart, and a block of two rows or more may get a chart. This
// file decides the rows, the blocks and which blocks get charts; writing
// the workbook is left to the spreadsheet writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace malvex {

class Messages;
class ScenarioLayer;
class SemanticDictionary;

// What the report reads of one Scenario group.
struct ReportGroup {
  std::string name;    // the group's label (code page 1250)
  uint32_t count = 0;  // its count after propagation to the parents
  int depth = 0;       // 0 for a top-level group
  bool active = true;  // shown in the results
};

// The groups of the last analysis in Scenario order: element g - 1 is
// group g (1..GroupCount()).
std::vector<ReportGroup> ReportGroupsOf(const SemanticDictionary& dictionary, const ScenarioLayer& layer);

// What the report tabulates.
enum class ReportScope : uint32_t {
  kSelection = 0,  // the selected group and its siblings
  kBranch = 1,     // every sibling set of the selected group's top-level branch
  kWhole = 2,      // every sibling set of the Scenario
};

// The chart types, in the order of the dialog's list (0..5). The default
// type is the spreadsheet's own default, a column chart; the bar, pie and
// area charts are drawn flat.
enum class ReportChart : uint32_t { kDefault = 0, kBar = 1, kColumn = 2, kPie = 3, kArea = 4, kRadar = 5 };
inline constexpr uint32_t kReportChartCount = 6;

struct ReportOptions {
  ReportScope scope = ReportScope::kSelection;
  int32_t selected = 0;  // the selected group (1..G); 0 when none
  bool showGraph = true;
  ReportChart chart = ReportChart::kDefault;
  int maxGraphs = 8;  // at most this many blocks get a chart
};

struct ReportRow {
  std::string name;  // first letter upper-cased
  uint32_t count = 0;
};

// One block: its heading on sheet row `headingRow` (1-based, as the
// spreadsheet numbers rows), its data rows on the rows below it. A block
// that found no row still takes its heading row, left empty.
struct ReportBlock {
  int headingRow = 0;
  std::string heading;  // the parent's name, or "Synopsis" for top-level groups
  std::vector<ReportRow> rows;
  bool chart = false;
  // The sum of the rows' counts, the base of each row's share.
  uint64_t Total() const;
};

struct ScenarioReport {
  std::vector<ReportBlock> blocks;
  ReportChart chart = ReportChart::kDefault;
  int closingRow = 0;        // 1-based row of the closing line
  std::string closingText;   // "Statistics on a list of words (occurrences)"
  std::string sheetName;     // "Statistics"
  int ChartCount() const;
};

// Lays out the report of `groups` (see ReportGroupsOf) as `options` ask.
// False, with `report` empty, when no group has a count above 0. A
// selected group outside 1..G counts as none: the selection and branch
// scopes then start from group 1.
bool BuildScenarioReport(const std::vector<ReportGroup>& groups, const ReportOptions& options, Messages& messages,
                         ScenarioReport& report);

// The first group (1..G) whose name equals `name` once both are folded to
// lower case; 0 when none.
int32_t ReportGroupNamed(const std::vector<ReportGroup>& groups, const std::string& name);

}  // namespace malvex
