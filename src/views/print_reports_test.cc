// The printed reports on a recording print target, page by page, over
// analyses of the tests' mini edition.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "engine/engine.h"
#include "settings/settings_record.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"
#include "views/episode_list.h"
#include "views/print_reports.h"
#include "views/recording_canvas.h"
#include "views/selection_state.h"

namespace malvex {
namespace {

using Op = RecordingCanvas::Op;
using Kind = RecordingCanvas::OpKind;

// Propositions that name two or three classes of the mini edition each.
constexpr char kRelationsText[] =
    "Robot merge la om \xBAi la cas\xE3. Om vorbe\xBAte de robot \xBAi de mare. Robot merge la cas\xE3 de om. "
    "Om merge la mare cu robot. Robot vorbe\xBAte de \xEAr\xE3 \xBAi de om. Om merge la cas\xE3 \xBAi la "
    "mare. Robot face pas la om. Om face pas la mare. Robot vorbe\xBAte de \xEAr\xE3 \xBAi de om. Om vorbe\xBAte "
    "de \xEAr\xE3 \xBAi de cas\xE3. Robot merge la \xEAr\xE3 \xBAi la mare. Om merge de la cas\xE3 la "
    "\xEAr\xE3. Robot vorbe\xBAte de pas \xBAi de cas\xE3. Om vorbe\xBAte de robot \xBAi de \xEAr\xE3.\n";

// 10 points at 72 units per inch: lines of 14 units.
constexpr int kPageWidth = 600;
constexpr int kPageHeight = 14 * 40;  // 37 lines per page

bool HasText(const std::vector<Op>& texts, const std::string& text) {
  return std::any_of(texts.begin(), texts.end(), [&](const Op& op) { return op.text == text; });
}

const Op* FindText(const std::vector<Op>& texts, const std::string& text) {
  for (const Op& op : texts)
    if (op.text == text) return &op;
  return nullptr;
}

class PrintFrameTest : public ::testing::Test {
 protected:
  RecordingPrintTarget target{kPageWidth, kPageHeight};
};

TEST_F(PrintFrameTest, LineGridFollowsTheFontAndTheResolution) {
  struct Case {
    int points;
    int resolution;
    int h;
  } cases[] = {{10, 72, 14}, {12, 72, 16}, {10, 300, 57}, {10, 1200, 232}};
  for (const Case& c : cases) {
    RecordingPrintTarget t(5000, 10000, c.resolution);
    PrintFrame frame(t, c.points, "a.txt");
    EXPECT_EQ(frame.h(), c.h) << c.points << "pt at " << c.resolution;
    EXPECT_EQ(frame.linesPerPage(), 10000 / c.h - 3);
    EXPECT_EQ(frame.titleRect().left, 20);
    EXPECT_EQ(frame.titleRect().top, c.h);
    EXPECT_EQ(frame.c(), (5000 - 20) / 2);
  }
}

TEST_F(PrintFrameTest, BodyLinesBreakThePageAtTheLinesPerPage) {
  PrintFrame frame(target, 10, "robot.txt");
  ASSERT_EQ(frame.linesPerPage(), 37);
  ASSERT_TRUE(frame.BeginReport("Title"));
  // Lines 3..36 fill the first page (34 lines); the 35th starts page 2.
  for (int i = 0; i < 40; ++i) {
    ASSERT_TRUE(frame.NextLine());
    frame.Text(frame.h(), "line " + std::to_string(i));
  }
  frame.EndReport();
  ASSERT_EQ(target.Pages(), 2);
  const std::vector<Op> first = target.PageTexts(0);
  const Op* line0 = FindText(first, "line 0");
  const Op* line23 = FindText(first, "line 33");
  ASSERT_NE(line0, nullptr);
  ASSERT_NE(line23, nullptr);
  EXPECT_EQ(line0->y, 3 * 14);
  EXPECT_EQ(line0->x, 14);
  EXPECT_EQ(line23->y, 36 * 14);
  EXPECT_FALSE(HasText(first, "line 34"));
  const std::vector<Op> second = target.PageTexts(1);
  const Op* line24 = FindText(second, "line 34");
  ASSERT_NE(line24, nullptr);
  EXPECT_EQ(line24->y, 3 * 14);
  // Each page: its number right-aligned at the page width, the title
  // centred in its box, the footer centred near the bottom, two rules.
  for (int page = 0; page < 2; ++page) {
    const std::vector<Op> texts = target.PageTexts(page);
    const std::string number = std::to_string(page + 1);
    const Op* n = FindText(texts, number);
    ASSERT_NE(n, nullptr);
    EXPECT_EQ(n->x + 6 * static_cast<int>(number.size()), kPageWidth);
    EXPECT_EQ(n->y, 14);
    const Op* title = FindText(texts, "Title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->x, 20 + (kPageWidth - 20 - 30) / 2);
    const Op* footer = FindText(texts, "robot.txt");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->y, kPageHeight - 28);
    int rules = 0;
    for (const Op& op : target.PageOps(page))
      if (op.kind == Kind::kLine && op.x == 0 && op.x2 == kPageWidth) {
        EXPECT_TRUE(op.y == 2 * 14 + 2 || op.y == kPageHeight - 2 * 14 - 2) << op.y;
        ++rules;
      }
    EXPECT_EQ(rules, 2);
  }
}

TEST_F(PrintFrameTest, EachReportOfAJobStartsOnAPageOfItsOwn) {
  PrintFrame frame(target, 10, "robot.txt");
  for (const char* title : {"One", "Two", "Three"}) {
    ASSERT_TRUE(frame.BeginReport(title));
    ASSERT_TRUE(frame.NextLine());
    frame.Text(frame.h(), std::string("body of ") + title);
    frame.EndReport();
  }
  ASSERT_EQ(target.Pages(), 3);
  EXPECT_TRUE(HasText(target.PageTexts(0), "body of One"));
  EXPECT_TRUE(HasText(target.PageTexts(1), "Two"));
  EXPECT_TRUE(HasText(target.PageTexts(2), "body of Three"));
  // Page numbers count within each report.
  EXPECT_TRUE(HasText(target.PageTexts(2), "1"));
}

TEST_F(PrintFrameTest, ACancelledJobStopsAtTheNextLine) {
  target.CancelAfterPages(1);
  PrintFrame frame(target, 10, "");
  ASSERT_TRUE(frame.BeginReport("Long"));
  int lines = 0;
  while (lines < 1000 && frame.NextLine()) ++lines;
  EXPECT_EQ(lines, 34);  // the first page only
  EXPECT_TRUE(frame.cancelled());
  EXPECT_FALSE(frame.BeginReport("Next"));
}

TEST(PrintTextTest, SentenceCaseFoldsThenUpperCasesTheFirstLetter) {
  EXPECT_EQ(SentenceCase("LIST OF CLASSES"), "List of classes");
  EXPECT_EQ(SentenceCase("\xBA" "COAL\xC3"), "\xAA" "coal\xE3");
  EXPECT_EQ(FirstUpper("rate"), "Rate");
  EXPECT_EQ(SentenceCase(""), "");
}

// Reports over a real analysis of the mini edition.
class PrintReportsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
  }
  void TearDown() override {
    if (engine) engine->StopEngine();
  }
  void Analyse(const std::string& text, const std::string& name = "Robot.TXT") {
    ASSERT_TRUE(testing::WriteFile(dir.File(name), text));
    engine->files().Add(dir.File(name));
    ASSERT_TRUE(engine->RunAnalysis(1));
    sources.engine = engine.get();
    sources.files = {dir.File(name)};
  }
  PrintJobResult Print(std::initializer_list<int> reports, int points = 10) {
    PrintChoices choices{};
    for (int r : reports) choices[static_cast<size_t>(r)] = true;
    return PrintReports(target, sources, choices, points);
  }
  // Every text written on `page` below the header and above the footer.
  std::vector<Op> Body(int page, int h = 14) {
    std::vector<Op> out;
    for (const Op& op : target.PageTexts(page))
      if (op.y >= 3 * h && op.y < kPageHeight - 2 * h - 2) out.push_back(op);
    return out;
  }

  testing::TempDir dir;
  testing::QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
  PrintSources sources;
  RecordingPrintTarget target{kPageWidth, kPageHeight};
};

TEST_F(PrintReportsTest, ClassListShowsTheHeadingAndTheRatesOverTheWords) {
  Analyse(kRelationsText);
  const PrintJobResult result = Print({kPrintReferences});
  ASSERT_EQ(result.reports, 1);
  EXPECT_FALSE(result.cancelled);
  const std::vector<Op> texts = target.PageTexts(0);
  EXPECT_TRUE(HasText(texts, "List of classes"));
  for (const char* heading : {"Class", "Freq.", "Rate", "Actant", "Acted"}) {
    const Op* op = FindText(texts, heading);
    ASSERT_NE(op, nullptr) << heading;
    EXPECT_TRUE(op->bold) << heading;
    EXPECT_EQ(op->y, 3 * 14);
  }
  // The first class line: its name at h, the count right-aligned at c,
  // the rate over the text's words.
  const int c = (kPageWidth - 20) / 2;
  const std::vector<Op> body = Body(0);
  ASSERT_GE(body.size(), 10u);
  const Op& name = body[5];
  EXPECT_EQ(name.x, 14);
  EXPECT_EQ(name.y, 4 * 14);
  const Op& count = body[6];
  EXPECT_EQ(count.x + 6 * static_cast<int>(count.text.size()), c);
  const int n = std::stoi(count.text);
  const double words = engine->stream().HighestPosition();
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.3f%%", n / words * 100.0);
  EXPECT_EQ(body[7].text, rate);
  EXPECT_EQ(body[7].x + 6 * static_cast<int>(body[7].text.size()), c + c / 4);
  // The two shares add up to 100.
  EXPECT_EQ(std::stoi(body[8].text) + std::stoi(body[9].text), 100);
}

TEST_F(PrintReportsTest, RatesFollowThePropositionsWhenTheyAreTheBase) {
  Analyse(kRelationsText);
  sources.rateBase = RateBase::kPropositions;
  Print({kPrintReferences});
  const std::vector<Op> body = Body(0);
  ASSERT_GE(body.size(), 8u);
  const int n = std::stoi(body[6].text);
  char rate[32];
  std::snprintf(rate, sizeof rate, "%.3f%%", n / static_cast<double>(engine->statistics().Propositions()) * 100.0);
  EXPECT_EQ(body[7].text, rate);
}

TEST_F(PrintReportsTest, AJobPrintsItsReportsInOrderEachOnItsOwnPages) {
  Analyse(kRelationsText);
  const PrintJobResult result = Print({kPrintVerbs, kPrintReferences, kPrintStyle, kPrintText});
  EXPECT_FALSE(result.cancelled);
  ASSERT_EQ(result.reports, 4);
  ASSERT_EQ(target.Pages(), 4);
  const char* titles[] = {"Text", "Statistics", "List of classes", "Verbs"};
  for (int page = 0; page < 4; ++page) {
    const std::vector<Op> texts = target.PageTexts(page);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [&](const Op& op) { return op.text == titles[page] && op.y == 14; }))
        << titles[page];
    // The footer names the file as it is called, case and all.
    EXPECT_TRUE(HasText(texts, dir.File("Robot.TXT"))) << page;
  }
}

TEST_F(PrintReportsTest, ACancelStopsTheReportAndSkipsTheRest) {
  Analyse(kRelationsText);
  target.CancelAfterPages(1);
  const PrintJobResult result = Print({kPrintText, kPrintStyle, kPrintReferences});
  EXPECT_TRUE(result.cancelled);
  EXPECT_EQ(result.reports, 1);
  for (int page = 0; page < target.Pages(); ++page) {
    EXPECT_FALSE(HasText(target.PageTexts(page), "Statistics"));
    EXPECT_FALSE(HasText(target.PageTexts(page), "List of classes"));
  }
  EXPECT_TRUE(target.PageTexts(1).empty());
}

TEST_F(PrintReportsTest, TextWrapsInsideTheTitleBoxAndEmphasisesTheSelection) {
  Analyse(kRelationsText);
  SelectionState selection;
  std::string copy = "ma\xBAin\xE3";  // robot's class
  int level = 0;
  int32_t cls = 0;
  ASSERT_TRUE(engine->semanticDictionary().FindClassByName(copy.c_str(), level, cls));
  selection.SelectClass(level, static_cast<uint32_t>(cls), "robot");
  sources.selection = &selection;
  Print({kPrintText});
  const std::vector<Op> body = Body(0);
  ASSERT_FALSE(body.empty());
  std::string joined;
  int lines = 0;
  int lastY = -1;
  bool boldRobot = false;
  for (const Op& op : body) {
    EXPECT_LE(op.x + 6 * static_cast<int>(op.text.size()), kPageWidth) << op.text;
    EXPECT_GE(op.x, 14);
    if (op.y != lastY) ++lines;
    lastY = op.y;
    joined += op.text;
    if (op.bold && (op.text == "Robot" || op.text == "robot")) boldRobot = true;
    if (op.bold) {
      EXPECT_TRUE(op.text == "Robot" || op.text == "robot") << op.text;
    }
  }
  EXPECT_GT(lines, 1);
  EXPECT_TRUE(boldRobot);
  EXPECT_NE(joined.find("Robot merge la om \xBAi la cas\xE3."), std::string::npos) << joined;
}

TEST_F(PrintReportsTest, StatisticsStayInTwoColumnsOrFallBackToOneOnSmallPages) {
  Analyse(kRelationsText);
  // The two-column block: headings on the same line, at h and c + h.
  Print({kPrintStyle});
  const int c = (kPageWidth - 20) / 2;
  std::vector<Op> texts = target.PageTexts(0);
  int headings = 0;
  for (const Op& op : texts)
    if (op.text == "Category") {
      EXPECT_TRUE(op.italic);
      EXPECT_EQ(op.y, 3 * 14);
      EXPECT_TRUE(op.x == 14 || op.x == c + 14) << op.x;
      ++headings;
    }
  EXPECT_EQ(headings, 2);
  EXPECT_TRUE(HasText(texts, "Proposition"));
  // A page that cannot hold the block: one column after the other, every
  // line on the body grid, none in the footer.
  RecordingPrintTarget small(kPageWidth, 14 * 25);
  PrintChoices choices{};
  choices[kPrintStyle] = true;
  PrintReports(small, sources, choices, 10);
  ASSERT_GE(small.Pages(), 2);
  for (int page = 0; page < small.Pages(); ++page)
    for (const Op& op : small.PageTexts(page)) {
      if (op.y <= 14 || op.y >= 14 * 25 - 28) continue;  // header and footer
      EXPECT_GE(op.y, 3 * 14) << op.text;
      EXPECT_LE(op.y, (small.PageHeight() / 14 - 4) * 14) << op.text;
      EXPECT_LT(op.x, c) << op.text << " on a one-column page";
    }
}

TEST_F(PrintReportsTest, RelationsAndLemmaListsPrintTheirRates) {
  Analyse(kRelationsText);
  Print({kPrintRelations, kPrintVerbs});
  ASSERT_EQ(target.Pages(), 2);
  const std::vector<Op> relations = target.PageTexts(0);
  EXPECT_TRUE(HasText(relations, "Relations - list of classes"));
  const std::vector<Op> body = Body(0);
  ASSERT_GE(body.size(), 6u);
  // Heading, then frequency, "first > second", rate.
  EXPECT_NE(body[4].text.find(" > "), std::string::npos) << body[4].text;
  EXPECT_NE(body[5].text.find('%'), std::string::npos);
  const double rate = std::stod(body[5].text);
  EXPECT_GT(rate, 0);
  EXPECT_LE(rate, 100);
  const std::vector<Op> verbs = Body(1);
  ASSERT_GE(verbs.size(), 6u);
  EXPECT_EQ(verbs[0].text, "Verbs");
  EXPECT_NE(verbs[5].text.find('%'), std::string::npos);
}

TEST_F(PrintReportsTest, NothingToPrintPrintsNoPage) {
  Analyse(kRelationsText);
  // No Scenario is loaded, no graph is given.
  const PrintJobResult result = Print({kPrintScenario, kPrintGraph});
  EXPECT_EQ(result.reports, 0);
  EXPECT_TRUE(target.recording().ops().empty());
}

TEST_F(PrintReportsTest, FooterNamesTheFileAsItIsOrTheListOfFiles) {
  Analyse(kRelationsText);
  EXPECT_EQ(PrintFooter(*engine, {"/Texts/Robot Story.TXT"}), "/Texts/Robot Story.TXT");
  EXPECT_EQ(PrintFooter(*engine, {"a.txt", "b.txt"}), "statistics on a list of files");
  EXPECT_EQ(PrintFooter(*engine, {}), "");
}

TEST(PrintRateTest, NothingCountedGivesNoRateRatherThanADivisionByZero) {
  struct Case {
    double part;
    double whole;
    double rate;
  } cases[] = {{3, 12, 25}, {0, 12, 0}, {5, 0, 0}, {0, 0, 0}, {2, -1, 0}};
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(PrintRate(c.part, c.whole), c.rate) << c.part << "/" << c.whole;
  struct Share {
    uint32_t actant;
    uint32_t count;
    int share;
  } shares[] = {{1, 3, 33}, {3, 3, 100}, {0, 0, 0}, {4, 0, 0}, {9, 3, 100}};
  for (const Share& c : shares) EXPECT_EQ(ActantShare(c.actant, c.count), c.share) << c.actant << "/" << c.count;
}

TEST_F(PrintReportsTest, BundlesOfNoEpisodeArePrintedUnderTheirOwnHeadingLast) {
  BundleRow a{1, "casa", 1, 3, 10, 40, 25.0};
  BundleRow loose{2, "robot", 0, 2, 12, 90, 51.0};
  BundleRow b{3, "om", 2, 4, 100, 180, 140.5};
  PrintFrame frame(target, 10, "a.txt");
  ASSERT_TRUE(frame.BeginReport("Episodes"));
  ASSERT_TRUE(PrintBundleRows(frame, engine->messages(), {a, loose, b}));
  frame.EndReport();
  std::vector<std::string> lines;
  for (const Op& op : Body(0))
    if (op.x == 14) lines.push_back(op.text);
  EXPECT_EQ(lines, (std::vector<std::string>{"Episode 1", "casa", "Episode 2", "om", "Outside the episodes", "robot"}));
  EXPECT_FALSE(HasText(target.PageTexts(0), "Episode 0"));
  // The heading of the columns, in italics, once.
  const std::vector<Op> page = target.PageTexts(0);
  const Op* start = FindText(page, "Start");
  ASSERT_NE(start, nullptr);
  EXPECT_TRUE(start->italic);
  EXPECT_EQ(start->y, 3 * 14);
  EXPECT_TRUE(HasText(target.PageTexts(0), "140.5"));
}

}  // namespace
}  // namespace malvex
