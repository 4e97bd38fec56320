#include "views/scenario_report.h"

#include <algorithm>

#include "dictionaries/semantic_dictionary.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "scenarios/scenario_layer.h"

namespace malvex {

namespace {

constexpr int kMsgStatisticsOn = 192;   // "Statistics on  "
constexpr int kMsgStatistics = 234;     // "Statistics"
constexpr int kMsgSynopsis = 1159;      // "Synopsis"
constexpr int kMsgListOfWords = 1185;   // "a list of words (occurrences)"

std::string Capitalised(const std::string& name) {
  std::string text = name;
  if (!text.empty()) text[0] = static_cast<char>(UpperCaseOf(static_cast<uint8_t>(text[0])));
  return text;
}

// Lays the blocks out one after the other, as the rows of the sheet run.
class ReportWriter {
 public:
  ReportWriter(const std::vector<ReportGroup>& groups, const ReportOptions& options, const std::string& synopsis,
               ScenarioReport& report)
      : groups_(groups),
        options_(options),
        synopsis_(synopsis),
        report_(report),
        // One flag per group, indexed by the group number 1..G.
        written_(groups.size() + 1, false) {}

  int G() const { return static_cast<int>(groups_.size()); }
  const ReportGroup& group(int g) const { return groups_[static_cast<size_t>(g - 1)]; }
  bool written(int g) const { return written_[static_cast<size_t>(g)]; }

  // Writes the sibling set of depth `d` that starts at group `f`: every
  // active counted group of that depth up to the first group shallower
  // than `d`, deeper groups passed over. The number of rows written.
  size_t Block(int f, int d) {
    ++row_;
    ReportBlock block;
    block.headingRow = row_;
    for (int g = f; g <= G(); ++g) {
      const ReportGroup& item = group(g);
      if (item.depth < d) break;
      if (item.depth != d || item.count == 0 || !item.active || written(g)) continue;
      if (block.rows.empty()) {
        block.heading = Heading(f, d);
        ++row_;
      }
      block.rows.push_back(ReportRow{Capitalised(item.name), item.count});
      ++row_;
      written_[static_cast<size_t>(g)] = true;
    }
    if (options_.showGraph && block.rows.size() >= 2 && charts_ < options_.maxGraphs) {
      block.chart = true;
      ++charts_;
    }
    const size_t rows = block.rows.size();
    report_.blocks.push_back(std::move(block));
    return rows;
  }

  // The name of the nearest group before `f` shallower than `d`: the
  // parent of the sibling set; "Synopsis" for the top-level groups.
  std::string Heading(int f, int d) const {
    for (int i = f - 1; i >= 1; --i)
      if (group(i).depth < d) return Capitalised(group(i).name);
    return synopsis_;
  }

  // The first of the siblings of depth `d` in the line of `s`: the group
  // of depth `d` that `s` lies in (`s` itself at its own depth) and the
  // groups of that depth before it under the same parent.
  int FirstSibling(int s, int d) const {
    int f = s;
    for (int i = s; i >= 1; --i) {
      if (group(i).depth < d) break;
      if (group(i).depth == d) f = i;
    }
    return f;
  }

  void Selection(int s) {
    // When no sibling of `s` has a row, the siblings of its parent are
    // tabulated instead, and so on up to the top-level groups.
    for (int d = group(s).depth; d >= 0; --d)
      if (Block(FirstSibling(s, d), d) > 0) break;
  }

  // Every sibling set from group `from` on, each started at the first
  // counted group of a new depth, up to the first group shallower than
  // `minDepth`.
  void Sets(int from, int minDepth) {
    int last = -1;
    for (int j = from; j <= G(); ++j) {
      const ReportGroup& item = group(j);
      if (item.count == 0) continue;
      if (item.depth < minDepth) break;
      if (item.depth != last) {
        last = item.depth;
        if (!written(j)) Block(j, item.depth);
      }
    }
  }

  void Branch(int s) {
    int f = 1;
    for (int i = s; i >= 1; --i)
      if (group(i).depth == 0) {
        f = i + 1;
        break;
      }
    Sets(f, 1);
  }

  int row() const { return row_; }

 private:
  const std::vector<ReportGroup>& groups_;
  const ReportOptions& options_;
  const std::string& synopsis_;
  ScenarioReport& report_;
  std::vector<bool> written_;
  int row_ = 0;
  int charts_ = 0;
};

}  // namespace

uint64_t ReportBlock::Total() const {
  uint64_t total = 0;
  for (const ReportRow& r : rows) total += r.count;
  return total;
}

int ScenarioReport::ChartCount() const {
  return static_cast<int>(std::count_if(blocks.begin(), blocks.end(), [](const ReportBlock& b) { return b.chart; }));
}

std::vector<ReportGroup> ReportGroupsOf(const SemanticDictionary& dictionary, const ScenarioLayer& layer) {
  std::vector<ReportGroup> groups;
  const uint32_t count = layer.GroupCount();
  groups.reserve(count);
  for (uint32_t g = 1; g <= count; ++g) {
    const int32_t group = static_cast<int32_t>(g);
    ReportGroup item;
    const char* name = dictionary.ClassName(kScenarioLevel, group);
    item.name = name != nullptr ? name : "";
    item.count = layer.GroupCountOf(group);
    item.depth = layer.Depth(group);
    item.active = layer.GroupIsActive(group);
    groups.push_back(std::move(item));
  }
  return groups;
}

bool BuildScenarioReport(const std::vector<ReportGroup>& groups, const ReportOptions& options, Messages& messages,
                         ScenarioReport& report) {
  report = ScenarioReport{};
  if (std::none_of(groups.begin(), groups.end(), [](const ReportGroup& g) { return g.count > 0; })) return false;
  report.chart = options.chart;
  report.sheetName = messages.message(kMsgStatistics);
  const std::string synopsis = messages.message(kMsgSynopsis);
  ReportWriter writer(groups, options, synopsis, report);
  const int G = writer.G();
  const int s = options.selected >= 1 && options.selected <= G ? options.selected : 1;
  switch (options.scope) {
    case ReportScope::kSelection:
      writer.Selection(s);
      break;
    case ReportScope::kBranch:
      writer.Branch(s);
      break;
    case ReportScope::kWhole:
      writer.Sets(1, 0);
      break;
  }
  report.closingRow = writer.row() + 1;
  // The catalogue returns its texts in one shared buffer: copy the first.
  report.closingText = std::string(messages.message(kMsgStatisticsOn));
  report.closingText += messages.message(kMsgListOfWords);
  return true;
}

int32_t ReportGroupNamed(const std::vector<ReportGroup>& groups, const std::string& name) {
  std::string wanted = name;
  FoldToLower(wanted);
  for (size_t i = 0; i < groups.size(); ++i) {
    std::string label = groups[i].name;
    FoldToLower(label);
    if (label == wanted) return static_cast<int32_t>(i + 1);
  }
  return 0;
}

}  // namespace malvex
