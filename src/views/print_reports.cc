#include "views/print_reports.h"

#include <algorithm>
#include <cstdio>
#include <utility>
#include <vector>

#include "dictionaries/lemma_index.h"
#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/charset.h"
#include "foundations/display_form.h"
#include "scenarios/scenario_layer.h"
#include "semantic/analysis_context.h"
#include "semantic/category_statistics.h"
#include "semantic/diagnosis_list.h"
#include "views/class_list.h"
#include "views/episode_list.h"
#include "views/graph.h"
#include "views/lemma_list.h"
#include "views/relation_list.h"
#include "views/scenario_list.h"
#include "views/selection_state.h"
#include "views/style_result.h"
#include "views/text_view.h"

namespace malvex {

namespace {

constexpr int kClassColourIndex = 11;
constexpr int kScreenDpi = 96;
constexpr int kOutsideEpisodesMessage = 2330;  // "Outside the episodes"

std::string Format(const char* format, double value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

std::string Count(const char* format, long long value) {
  char buf[64];
  std::snprintf(buf, sizeof buf, format, value);
  return buf;
}

// A copy of message `id`: the catalogue hands out one buffer for all.
std::string Msg(Messages& messages, int id) { return messages.message(id); }

double Percent(double part, double whole) { return PrintRate(part, whole); }

std::string Percentage(int value) { return std::to_string(value) + "%"; }

uint32_t MinimalFrequency(Engine& engine) {
  return static_cast<uint32_t>(std::max<int32_t>(engine.semanticDictionary().DetectionThreshold(), 0));
}

// The rate base's value: the text's words or the propositions read.
double RateBaseValue(Engine& engine, RateBase base) {
  return base == RateBase::kPropositions ? static_cast<double>(engine.statistics().Propositions())
                                         : static_cast<double>(engine.stream().HighestPosition());
}

// The name of a class level as report titles show it.
std::string LevelName(Engine& engine, int level) {
  Messages& m = engine.messages();
  switch (level) {
    case 1: return Msg(m, 282);
    case 2: return Msg(m, 308);
    case 3: return Msg(m, 307);
    default: break;
  }
  std::string scenario = engine.record().scenarioFile();
  const size_t slash = scenario.find_last_of("/\\");
  if (slash != std::string::npos) scenario.erase(0, slash + 1);
  const size_t dot = scenario.rfind('.');
  if (dot != std::string::npos && dot > 0) scenario.erase(dot);
  return Msg(m, 309) + " " + scenario;
}

ActantCounter ActantsOf(Engine& engine, int level) {
  const AnalysisContext* analysis = engine.analysis();
  if (analysis == nullptr) return [](int32_t) { return 0u; };
  return [analysis, level](int32_t cls) { return analysis->actantCount(level, cls); };
}

std::vector<ClassRow> ClassRowsOf(Engine& engine, int level) {
  ClassListOptions options;
  options.minimalFrequency = MinimalFrequency(engine);
  if (level == kScenarioLevel) {
    if (!engine.semanticDictionary().scenarioGroups().ScenarioLoaded()) return {};
    return ScenarioRows(engine.semanticDictionary(), engine.scenarioLayer(), ActantsOf(engine, level), options);
  }
  return ClassRows(engine.semanticDictionary(), level, ActantsOf(engine, level), options);
}

// The heading line of the class and Scenario lists, its numbers
// right-aligned at `first` and the three column stops after it.
bool ClassHeading(PrintFrame& frame, Messages& m, int first) {
  if (!frame.NextLine()) return false;
  const PrintStyle bold{true, false, kBlack};
  const int q = frame.c4();
  frame.Text(frame.h(), Msg(m, 279), bold);
  frame.RightText(first, Msg(m, 280), bold);
  frame.RightText(first + q, FirstUpper(Msg(m, 278)), bold);
  frame.RightText(first + 2 * q, Msg(m, 460), bold);
  frame.RightText(first + 3 * q, Msg(m, 461), bold);
  return true;
}

// One class line: the name from `x`, the count, rate and shares in the
// columns from `first`.
void ClassNumbers(PrintFrame& frame, const ClassRow& row, int x, int first, double base) {
  const int q = frame.c4();
  const std::string count = Count("%5lld", static_cast<long long>(row.frequency));
  const int nameRoom = first - frame.Width("00000") - frame.h() / 2 - x;
  frame.Text(x, frame.Fit(row.name, nameRoom));
  frame.RightText(first, count);
  frame.RightText(first + q, Format("%.3f", Percent(row.frequency, base)) + "%");
  const int share = ActantShare(row.actant, row.frequency);
  frame.RightText(first + 2 * q, Percentage(share));
  frame.RightText(first + 3 * q, Percentage(100 - share));
}

// ---- The text ---------------------------------------------------------

bool IsEndMarker(const WordNode* node) { return node->text != nullptr && node->text[0] == '/'; }

bool IsBlankText(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

// Lays out the pieces of the text on the body lines, joining the pieces of
// one style on one line into one drawing.
class TextLayout {
 public:
  explicit TextLayout(PrintFrame& frame) : frame_(frame), right_(frame.titleRect().right), x_(frame.h()) {}

  bool Start() {
    if (!frame_.NextLine()) return false;
    x_ = frame_.h();
    return true;
  }

  // A separator and a word: the separator's closing signs stay on the
  // line; when the rest does not fit, it starts the next line.
  bool Piece(std::string separator, const std::string& word, const PrintStyle& style) {
    if (lastBlank_ && !separator.empty() && separator.front() == ' ') separator.erase(0, 1);
    if (atLineStart_) {
      while (!separator.empty() && separator.front() == ' ') separator.erase(0, 1);
    }
    const PrintStyle plain;
    const int sepWidth = separator.empty() ? 0 : frame_.Width(separator, plain);
    const int wordWidth = word.empty() ? 0 : frame_.Width(word, style);
    if (!atLineStart_ && x_ + sepWidth + wordWidth > right_) {
      const size_t blank = separator.find(' ');
      std::string closing = blank == std::string::npos ? separator : separator.substr(0, blank);
      if (!word.empty() || closing.size() < separator.size()) {
        if (!closing.empty()) Add(closing, plain, frame_.Width(closing, plain));
        std::string rest = blank == std::string::npos ? std::string() : separator.substr(blank);
        if (!NewLine()) return false;
        while (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
        if (!rest.empty()) Add(rest, plain, frame_.Width(rest, plain));
        if (!word.empty()) Add(word, style, wordWidth);
        return true;
      }
    }
    if (!separator.empty()) Add(separator, plain, sepWidth);
    if (!word.empty()) Add(word, style, wordWidth);
    return true;
  }

  bool NewLine() {
    Flush();
    if (!frame_.NextLine()) return false;
    x_ = frame_.h();
    atLineStart_ = true;
    lastBlank_ = false;
    return true;
  }

  void Flush() {
    if (run_.empty()) return;
    frame_.Text(runX_, run_, runStyle_);
    run_.clear();
  }

  bool atLineStart() const { return atLineStart_; }

 private:
  void Add(const std::string& text, const PrintStyle& style, int width) {
    const bool same = !run_.empty() && style.bold == runStyle_.bold && style.italic == runStyle_.italic &&
                      style.colour == runStyle_.colour;
    if (!same) {
      Flush();
      runX_ = x_;
      runStyle_ = style;
    }
    run_ += text;
    x_ += std::max(width, 1);
    atLineStart_ = false;
    lastBlank_ = text.back() == ' ';
  }

  PrintFrame& frame_;
  const int right_;
  int x_;
  bool atLineStart_ = true;
  bool lastBlank_ = false;
  std::string run_;
  int runX_ = 0;
  PrintStyle runStyle_;
};

// How a word is printed: emphasised when it matches the criteria in force
// (not a referent) or the active selection (a referent).
PrintStyle WordStyle(const PrintSources& sources, const WordNode& node) {
  PrintStyle style;
  const SelectionState* sel = sources.selection;
  if (sel == nullptr) return style;
  const WordInfo& info = node.info;
  const bool referent = info.referent == 1 || info.referent == 2;
  if (!referent) {
    if (sel->CriteriaInForce() && sel->MatchesAnyPattern(info)) {
      style.bold = true;
      if (sources.colour && sources.textView != nullptr) {
        int c = info.category.category;
        if (c == 0) c = kClassSubstantive;
        if (c < SettingsRecord::kColourTableSize) style.colour = sources.textView->LiveColour(c);
      }
    }
  } else if (sel->active && sel->MatchesSelection(node, sources.groups)) {
    style.bold = true;
    if (sources.colour && sources.textView != nullptr) style.colour = sources.textView->LiveColour(kClassColourIndex);
  }
  return style;
}

}  // namespace

double PrintRate(double part, double whole) { return whole > 0 ? part / whole * 100.0 : 0.0; }

int ActantShare(uint32_t actant, uint32_t count) {
  if (count == 0) return 0;
  return static_cast<int>(std::min<uint64_t>(actant, count) * 100 / count);
}

int PrintReportMessage(int report) {
  static constexpr int kMessages[kPrintReportCount] = {719, 779, 307, 308, 300, 309, 390, 512, 564, 845, 848};
  return report >= 0 && report < kPrintReportCount ? kMessages[report] : 0;
}

namespace {
constexpr const char* kReportNames[kPrintReportCount] = {"text",      "style",    "fields1", "fields2",
                                                         "references", "scenario", "relations", "graph",
                                                         "episodes",  "verbs",    "adjectives"};
}  // namespace

int PrintReportOfName(const std::string& name) {
  for (int i = 0; i < kPrintReportCount; ++i)
    if (name == kReportNames[i]) return i;
  return -1;
}

const char* PrintReportName(int report) {
  return report >= 0 && report < kPrintReportCount ? kReportNames[report] : "";
}

RateBase RateBaseOf(const Engine& engine) {
  return engine.parameters().calculationBase == 2 ? RateBase::kPropositions : RateBase::kWords;
}

std::string PrintFooter(Engine& engine, const std::vector<std::string>& files) {
  if (files.size() > 1) {
    std::string text = Msg(engine.messages(), 192) + Msg(engine.messages(), 193);
    FoldToLower(text);
    // One blank between the two messages.
    std::string out;
    for (char ch : text)
      if (ch != ' ' || out.empty() || out.back() != ' ') out += ch;
    return out;
  }
  if (files.empty()) return std::string();
  // The name as the file system knows it: case matters there.
  const std::string& name = files.front();
  return IsWellFormedUtf8(name) ? FromUtf8(name) : name;
}

bool PrintTextReport(PrintFrame& frame, const PrintSources& sources) {
  Engine& engine = *sources.engine;
  WordStream& stream = engine.stream();
  if (stream.Count() == 0) return true;
  const bool extract = sources.textView != nullptr && sources.textView->coloration() == ColorationMode::kSelective &&
                       sources.selection != nullptr &&
                       (sources.selection->active || sources.selection->CriteriaInForce());
  const bool keepUnderscore = engine.record().underscoreInCompounds();
  WordNode* const tail = stream.Tail();

  // In extract mode only the propositions holding an emphasised word are
  // printed, each on a line of its own.
  auto propositionEnd = [&](WordNode* first) {
    WordNode* n = first;
    while (n != tail && !IsEndMarker(n)) n = n->next;
    return n;
  };
  auto matches = [&](WordNode* first, WordNode* end) {
    for (WordNode* n = first; n != end; n = n->next) {
      const PrintStyle s = WordStyle(sources, *n);
      if (s.bold) return true;
    }
    return false;
  };
  WordNode* start = stream.Head();
  if (extract) {
    while (start != tail && !matches(start, propositionEnd(start))) {
      WordNode* end = propositionEnd(start);
      start = end == tail ? tail : end->next;
    }
    if (start == tail) return true;
  }

  if (!frame.BeginReport(SentenceCase(Msg(engine.messages(), 719)))) return false;
  TextLayout layout(frame);
  if (!layout.Start()) return false;
  uint16_t file = start != tail ? start->fileIndex : 0;
  for (WordNode* n = start; n != tail; n = n->next) {
    if (frame.cancelled()) return false;
    if (IsEndMarker(n)) {
      std::string sep = SeparatorText(n->separator);
      while (!sep.empty() && sep.back() == ' ') sep.pop_back();
      if (!sep.empty() && !layout.Piece(sep, std::string(), PrintStyle{})) return false;
      if (extract) {
        WordNode* next = n->next;
        while (next != tail && !matches(next, propositionEnd(next))) {
          WordNode* end = propositionEnd(next);
          next = end == tail ? tail : end->next;
        }
        if (next == tail) break;
        if (!layout.NewLine()) return false;
        n = next->prev;  // the loop's step lands on `next`
      }
      continue;
    }
    if (n->fileIndex != file) {
      // Each file of the analysis starts a line of its own.
      file = n->fileIndex;
      if (!layout.atLineStart() && !layout.NewLine()) return false;
    }
    const std::string word =
        DisplayForm(n->text, n->info.capitalisation, n->info.apostrophePos, n->info.category, keepUnderscore);
    std::string sep = SeparatorText(n->separator);
    if (!layout.Piece(std::move(sep), word, WordStyle(sources, *n))) return false;
  }
  layout.Flush();
  frame.EndReport();
  return !frame.cancelled();
}

namespace {

enum class RowKind { kHundred, kTotal, kPlain, kFundamental };

struct StatRow {
  int index = -1;  // -1: a blank line
  RowKind kind = RowKind::kPlain;
  bool bold = false;
  int countOf2 = -1;  // a second counter added to the first
};

std::vector<StatRow> LeftColumn() {
  std::vector<StatRow> rows = {{-1},
                               {kStatProposition, RowKind::kHundred, true},
                               {kStatWord, RowKind::kHundred, true},
                               {kStatFundamental, RowKind::kFundamental, false},
                               {-1},
                               {kStatVerb, RowKind::kTotal, true}};
  for (int i = 4; i <= 7; ++i) rows.push_back({i});
  rows.push_back({-1});
  rows.push_back({kStatModality, RowKind::kTotal, true});
  for (int i = 33; i <= 39; ++i) rows.push_back({i});
  rows.push_back({-1});
  rows.push_back({kStatAdjective, RowKind::kTotal, true});
  for (int i = 62; i <= 64; ++i) rows.push_back({i});
  return rows;
}

std::vector<StatRow> RightColumn() {
  std::vector<StatRow> rows = {{-1}, {kStatSubstantive, RowKind::kTotal, true}, {-1},
                               {kStatConnectorTotal, RowKind::kTotal, true}};
  for (int i = 21; i <= 29; ++i) rows.push_back({i});
  rows.push_back({-1});
  rows.push_back({kStatPronoun, RowKind::kTotal, true});
  rows.push_back({58, RowKind::kTotal, true, 59});
  for (int i = 70; i <= 76; ++i) rows.push_back({i});
  return rows;
}

std::string StatRate(Engine& engine, const StatRow& row, uint32_t count, RateBase base) {
  const CategoryStatistics& stats = engine.statistics();
  const uint32_t propositions = stats.Propositions();
  const bool overPropositions = base == RateBase::kPropositions && propositions > 0;
  switch (row.kind) {
    case RowKind::kHundred: return "100%";
    case RowKind::kFundamental:
      return Format("%3.1f", Percent(count, static_cast<double>(engine.stream().HighestPosition()))) + "%";
    case RowKind::kTotal:
      if (base == RateBase::kWords) return "100%";
      [[fallthrough]];
    case RowKind::kPlain:
      if (overPropositions) return Format("%2.1f", Percent(count, propositions)) + "%";
      return Format("%3.1f", stats.Percentage(row.index)) + "%";
  }
  return std::string();
}

}  // namespace

bool PrintStyleReport(PrintFrame& frame, const PrintSources& sources) {
  Engine& engine = *sources.engine;
  Messages& m = engine.messages();
  if (!frame.BeginReport(SentenceCase(Msg(m, 234)))) return false;
  const std::vector<StatRow> left = LeftColumn();
  const std::vector<StatRow> right = RightColumn();
  // The heading, the rows, the blank line and the rule under them.
  const int blockLines = 1 + static_cast<int>(std::max(left.size(), right.size())) + 1;
  const int pageLines = frame.linesPerPage() - PrintFrame::kFirstBodyLine;
  const bool twoColumns = blockLines <= pageLines;
  const int c = frame.c();
  const int q = std::abs(c - frame.titleRect().left) / 5;
  const CategoryStatistics& stats = engine.statistics();

  auto drawRow = [&](int labelX, const StatRow& row, bool heading) {
    if (heading) {
      const PrintStyle italic{false, true, kBlack};
      frame.Text(labelX, Msg(m, 76), italic);
      frame.RightText(labelX + 3 * q, FirstUpper(Msg(m, 277)), italic);
      frame.RightText(labelX + 4 * q, FirstUpper(Msg(m, 278)), italic);
      return;
    }
    if (row.index < 0) return;
    const PrintStyle style{row.bold, false, kBlack};
    uint32_t count = stats.Counter(row.index);
    if (row.countOf2 >= 0) count += stats.Counter(row.countOf2);
    const std::string countText = std::to_string(count);
    const std::string rate = StatRate(engine, row, count, sources.rateBase);
    const int room = 3 * q - frame.Width(" 000000", style);
    frame.Text(labelX, frame.Fit(Msg(m, kStatisticsFirstMessage + row.index), room, style), style);
    frame.RightText(labelX + 3 * q, countText, style);
    frame.RightText(labelX + 4 * q, rate, style);
  };

  if (twoColumns) {
    // The block stays on one page: it starts on the next one when the
    // rest of this page cannot hold it.
    if (frame.LinesLeft() < blockLines && !frame.BreakPage()) return false;
    if (!frame.NextLine()) return false;
    const int first = frame.line();
    const int top = frame.y();
    drawRow(frame.h(), StatRow{}, true);
    drawRow(c + frame.h(), StatRow{}, true);
    for (size_t i = 0; i < right.size(); ++i) {
      frame.SetLine(first + 1 + static_cast<int>(i));
      drawRow(c + frame.h(), right[i], false);
    }
    for (size_t i = 0; i < left.size(); ++i) {
      frame.SetLine(first + 1 + static_cast<int>(i));
      drawRow(frame.h(), left[i], false);
    }
    if (!frame.NextLine()) return false;
    const int ruleY = frame.y() + frame.h() / 2;
    frame.Line(0, ruleY, frame.pageWidth(), ruleY);
    frame.Line(c, top, c, ruleY - 2);
  } else {
    // A font too large for the block on one page: one column after the
    // other.
    for (const std::vector<StatRow>* column : {&left, &right}) {
      if (!frame.NextLine()) return false;
      drawRow(frame.h(), StatRow{}, true);
      for (const StatRow& row : *column) {
        if (!frame.NextLine()) return false;
        drawRow(frame.h(), row, false);
      }
    }
  }

  if (engine.analysis() != nullptr) {
    DiagnosisList diagnosis(&engine.stream());
    const std::vector<StyleRow> rows = StyleRows(engine, diagnosis, StyleFiguresOf(engine));
    bool first = true;
    bool blank = false;
    for (const StyleRow& row : rows) {
      const bool verdict = row.count < 0 && row.id > 10;
      const bool figure = row.count >= 0 && (row.id == kCharacteristicPartsMessage || row.id == kEpisodesMessage);
      if (!verdict && !figure) continue;
      if (!blank) {
        if (!frame.NextLine()) return false;
        blank = true;
      }
      if (!frame.NextLine()) return false;
      const PrintStyle style{first && verdict, false, kBlack};
      frame.Text(frame.h(), frame.Fit(FirstUpper(row.text), frame.pageWidth() - 2 * frame.h(), style), style);
      if (verdict) first = false;
    }
  }
  frame.EndReport();
  return !frame.cancelled();
}

bool PrintClassListReport(PrintFrame& frame, const PrintSources& sources, int level) {
  Engine& engine = *sources.engine;
  const std::vector<ClassRow> rows = ClassRowsOf(engine, level);
  if (rows.empty()) return true;
  if (!frame.BeginReport(SentenceCase(LevelName(engine, level)))) return false;
  if (!ClassHeading(frame, engine.messages(), frame.c())) return false;
  const double base = RateBaseValue(engine, sources.rateBase);
  for (const ClassRow& row : rows) {
    if (!frame.NextLine()) return false;
    ClassNumbers(frame, row, frame.h(), frame.c(), base);
  }
  frame.EndReport();
  return !frame.cancelled();
}

bool PrintScenarioReport(PrintFrame& frame, const PrintSources& sources) {
  Engine& engine = *sources.engine;
  const std::vector<ClassRow> rows = ClassRowsOf(engine, kScenarioLevel);
  if (rows.empty()) return true;
  if (!frame.BeginReport(SentenceCase(LevelName(engine, kScenarioLevel)))) return false;
  const int h = frame.h();
  const int first = frame.c() + frame.c4();
  if (!ClassHeading(frame, engine.messages(), first)) return false;
  const double base = RateBaseValue(engine, sources.rateBase);
  // Whether a row after `i` continues the branch at depth `d`: one at that
  // depth comes before any shallower one.
  auto continues = [&](size_t i, int d) {
    for (size_t j = i + 1; j < rows.size(); ++j) {
      if (rows[j].depth < d) return false;
      if (rows[j].depth == d) return true;
    }
    return false;
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    const ClassRow& row = rows[i];
    if (!frame.NextLine()) return false;
    const int k = row.depth;
    const int y = frame.y();
    const int h2 = h / 2;
    if (k >= 1) {
      for (int d = 1; d < k; ++d)
        if (continues(i, d)) frame.Line(d * h, y - h2, d * h, y + 2 * h2);
      const bool sameDepthBefore = i > 0 && rows[i - 1].depth == k && frame.line() > PrintFrame::kFirstBodyLine;
      frame.Line(k * h, sameDepthBefore ? y - h2 : y, k * h, y + h2);
      frame.Line(k * h, y + h2, (k + 1) * h, y + h2);
    }
    ClassNumbers(frame, row, (k + 1) * h + (k >= 1 ? h2 / 2 : 0), first, base);
  }
  frame.EndReport();
  return !frame.cancelled();
}

bool PrintRelationsReport(PrintFrame& frame, const PrintSources& sources) {
  Engine& engine = *sources.engine;
  AnalysisContext* analysis = engine.analysis();
  if (analysis == nullptr) return true;
  const int level = analysis->relationLevel();
  std::vector<RelationRow> rows = RelationRows(analysis->relations(), engine.semanticDictionary(), level);
  rows.erase(std::remove_if(rows.begin(), rows.end(), [](const RelationRow& r) { return r.first == r.second; }),
             rows.end());
  if (rows.empty()) return true;
  Messages& m = engine.messages();
  if (!frame.BeginReport(SentenceCase(Msg(m, 390) + " - " + LevelName(engine, level)))) return false;
  if (!frame.NextLine()) return false;
  const PrintStyle bold{true, false, kBlack};
  const int h = frame.h();
  const int freqRight = h + frame.Width(" 0000", bold);
  const int rateRight = frame.c() + 2 * frame.c4();
  frame.RightText(freqRight, Msg(m, 280), bold);
  frame.Text(freqRight + h, FirstUpper(Msg(m, 390)), bold);
  frame.RightText(rateRight, FirstUpper(Msg(m, 278)), bold);
  const int nameRoom = rateRight - frame.Width("000.00% ") - freqRight - h;
  for (const RelationRow& row : rows) {
    if (!frame.NextLine()) return false;
    const double smaller = std::min(row.firstCount, row.secondCount);
    frame.RightText(freqRight, Count("%4lld", static_cast<long long>(row.frequency)));
    frame.Text(freqRight + h, frame.Fit(row.firstName + " > " + row.secondName, nameRoom));
    frame.RightText(rateRight, Format("%3.2f", Percent(row.frequency, smaller)) + "%");
  }
  frame.EndReport();
  return !frame.cancelled();
}

bool PrintGraphReport(PrintFrame& frame, const PrintSources& sources) {
  if (sources.graph == nullptr) return true;
  Engine& engine = *sources.engine;
  if (!frame.BeginReport(Msg(engine.messages(), 512) + " \"" + sources.graphSelection + "\"")) return false;
  const int h = frame.h();
  const CanvasRect body{h, PrintFrame::kFirstBodyLine * h, frame.pageWidth() - h, frame.pageHeight() - 3 * h};
  frame.Use(PrintStyle{});
  TGrapheMalvex& graph = *sources.graph;
  graph.SetPrinting(true);
  // The graph's sizes are screen pixels: it is drawn as on a screen and
  // laid over the page's body.
  frame.target().DrawScreenPicture(body, kScreenDpi, [&](Canvas& canvas, const CanvasRect& rect) {
    graph.Draw(canvas, rect, TGrapheMalvex::kHighlightNone, sources.graphSelection);
    canvas.ClearClip();
  });
  graph.SetPrinting(false);
  frame.ForgetFont();
  frame.EndReport();
  return !frame.cancelled();
}

bool PrintEpisodesReport(PrintFrame& frame, const PrintSources& sources) {
  Engine& engine = *sources.engine;
  const AnalysisContext* analysis = engine.analysis();
  if (analysis == nullptr) return true;
  Messages& m = engine.messages();
  const std::vector<BundleRow> all =
      BundleRows(m, engine.semanticDictionary(), analysis->relationLevel(), analysis->chronology(), 0);
  if (all.empty()) return true;
  if (!frame.BeginReport(Msg(m, 564))) return false;
  if (!PrintBundleRows(frame, m, all)) return false;
  frame.EndReport();
  return !frame.cancelled();
}

bool PrintBundleRows(PrintFrame& frame, Messages& m, const std::vector<BundleRow>& all) {
  // The bundles of the episodes in table order, then those that fall in no
  // episode under a heading of their own.
  std::vector<BundleRow> rows;
  for (const BundleRow& b : all)
    if (b.episode > 0) rows.push_back(b);
  const size_t inEpisodes = rows.size();
  for (const BundleRow& b : all)
    if (b.episode == 0) rows.push_back(b);
  const int h = frame.h();
  const int c = frame.c();
  const int q = frame.c4();
  const PrintStyle bold{true, false, kBlack};
  const PrintStyle italic{false, true, kBlack};
  bool headingDone = false;
  int64_t previous = -1;
  for (size_t i = 0; i < rows.size(); ++i) {
    const BundleRow& b = rows[i];
    const int64_t group = i < inEpisodes ? static_cast<int64_t>(b.episode) : 0;
    if (group != previous) {
      previous = group;
      if (!frame.NextLine()) return false;
      const std::string heading =
          group > 0 ? Msg(m, 562) + " " + std::to_string(group) : Msg(m, kOutsideEpisodesMessage);
      frame.Text(h, heading, bold);
      if (!headingDone) {
        headingDone = true;
        frame.RightText(c, Msg(m, 280), italic);
        frame.RightText(c + q, Msg(m, 541), italic);
        frame.RightText(c + 2 * q, Msg(m, 542), italic);
        frame.RightText(c + 3 * q, Msg(m, 565), italic);
      }
    }
    if (!frame.NextLine()) return false;
    if (b.label.empty()) continue;
    frame.Text(h, frame.Fit(b.label, c - frame.Width(" 0000") - h));
    frame.RightText(c, Count("%4lld", static_cast<long long>(b.count)));
    frame.RightText(c + q, Count("%4lld", static_cast<long long>(b.first)));
    frame.RightText(c + 2 * q, Count("%4lld", static_cast<long long>(b.last)));
    frame.RightText(c + 3 * q, Format("%4.1f", b.mean));
  }
  return !frame.cancelled();
}

bool PrintLemmaReport(PrintFrame& frame, const PrintSources& sources, bool verbs) {
  Engine& engine = *sources.engine;
  LemmaIndex* index = verbs ? engine.verbLemmas() : engine.adjectiveLemmas();
  if (index == nullptr) return true;
  const std::vector<LemmaRow> rows = LemmaRows(*index, MinimalFrequency(engine));
  if (rows.empty()) return true;
  Messages& m = engine.messages();
  const std::string title = SentenceCase(Msg(m, verbs ? 845 : 848));
  if (!frame.BeginReport(title)) return false;
  if (!frame.NextLine()) return false;
  const PrintStyle bold{true, false, kBlack};
  const int h = frame.h();
  const int c = frame.c();
  const int rateRight = c + 2 * frame.c4();
  frame.Text(h, title, bold);
  frame.RightText(c, Msg(m, 280), bold);
  frame.RightText(rateRight, FirstUpper(Msg(m, 278)), bold);
  const double total = engine.statistics().Counter(verbs ? kStatVerb : kStatAdjective);
  for (const LemmaRow& row : rows) {
    if (!frame.NextLine()) return false;
    frame.Text(h, frame.Fit(row.text, c - frame.Width(" 00000") - h));
    frame.RightText(c, Count("%4lld", static_cast<long long>(row.frequency)));
    frame.RightText(rateRight, Format("%2.3f", Percent(row.frequency, total)) + "%");
  }
  frame.EndReport();
  return !frame.cancelled();
}

bool PrintReportAvailable(const PrintSources& sources, int report) {
  if (sources.engine == nullptr) return false;
  Engine& engine = *sources.engine;
  switch (report) {
    case kPrintText: return engine.stream().Count() > 0;
    case kPrintScenario: return engine.semanticDictionary().scenarioGroups().ScenarioLoaded();
    case kPrintGraph: return sources.graph != nullptr;
    default: return true;
  }
}

PrintJobResult PrintReports(PrintTarget& target, const PrintSources& sources, const PrintChoices& choices,
                            int pointSize) {
  PrintJobResult result;
  if (sources.engine == nullptr) return result;
  PrintFrame frame(target, pointSize, PrintFooter(*sources.engine, sources.files));
  for (int report : kPrintOrder) {
    if (!choices[static_cast<size_t>(report)]) continue;
    bool going = true;
    switch (report) {
      case kPrintText: going = PrintTextReport(frame, sources); break;
      case kPrintStyle: going = PrintStyleReport(frame, sources); break;
      case kPrintFields1: going = PrintClassListReport(frame, sources, 3); break;
      case kPrintFields2: going = PrintClassListReport(frame, sources, 2); break;
      case kPrintReferences: going = PrintClassListReport(frame, sources, 1); break;
      case kPrintScenario: going = PrintScenarioReport(frame, sources); break;
      case kPrintRelations: going = PrintRelationsReport(frame, sources); break;
      case kPrintGraph: going = PrintGraphReport(frame, sources); break;
      case kPrintEpisodes: going = PrintEpisodesReport(frame, sources); break;
      case kPrintVerbs: going = PrintLemmaReport(frame, sources, true); break;
      case kPrintAdjectives: going = PrintLemmaReport(frame, sources, false); break;
      default: break;
    }
    if (!going || frame.cancelled()) {
      result.cancelled = true;
      break;
    }
  }
  result.reports = frame.reports();
  return result;
}

}  // namespace malvex
