#include "integrations/xlsx_workbook.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <zip.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <thread>
#include <vector>

#include "engine/engine.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "scenarios/current_scenario.h"
#include "settings/folders.h"
#include "settings/settings_record.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"
#include "views/scenario_report.h"

namespace malvex {
namespace {

using testing::TempDir;

// The parts of an .xlsx file, read back with libzip, and what the tests
// look at in them.
class XlsxFile {
 public:
  explicit XlsxFile(const std::string& path) {
    int error = 0;
    zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (zip == nullptr) return;
    const zip_int64_t n = zip_get_num_entries(zip, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
      zip_stat_t st;
      if (zip_stat_index(zip, static_cast<zip_uint64_t>(i), 0, &st) != 0) continue;
      zip_file_t* f = zip_fopen_index(zip, static_cast<zip_uint64_t>(i), 0);
      if (f == nullptr) continue;
      std::string bytes(static_cast<size_t>(st.size), '\0');
      const zip_int64_t got = zip_fread(f, bytes.data(), st.size);
      zip_fclose(f);
      if (got == static_cast<zip_int64_t>(st.size)) parts_[st.name] = bytes;
    }
    zip_close(zip);
  }

  bool Has(const std::string& name) const { return parts_.count(name) != 0; }
  size_t CountUnder(const std::string& prefix) const {
    size_t n = 0;
    for (const auto& [name, bytes] : parts_) n += name.rfind(prefix, 0) == 0 && name.size() > 4 &&
                                             name.compare(name.size() - 4, 4, ".xml") == 0;
    return n;
  }
  // Parses a part; every part the tests read must be well-formed XML.
  pugi::xml_document Xml(const std::string& name) const {
    pugi::xml_document doc;
    auto it = parts_.find(name);
    EXPECT_NE(it, parts_.end()) << name;
    if (it != parts_.end()) {
      const pugi::xml_parse_result r = doc.load_buffer(it->second.data(), it->second.size());
      EXPECT_TRUE(r) << name << ": " << r.description();
    }
    return doc;
  }
  // The cells of the first sheet, "A1" -> its text (shared strings
  // resolved) or number as written.
  std::map<std::string, std::string> Cells() const {
    std::vector<std::string> shared;
    if (Has("xl/sharedStrings.xml")) {
      pugi::xml_document strings = Xml("xl/sharedStrings.xml");
      for (pugi::xml_node si : strings.child("sst").children("si")) shared.push_back(si.child("t").text().get());
    }
    std::map<std::string, std::string> cells;
    pugi::xml_document sheet = Xml("xl/worksheets/sheet1.xml");
    for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row"))
      for (pugi::xml_node c : row.children("c")) {
        const std::string value = c.child("v").text().get();
        if (std::string(c.attribute("t").value()) == "s")
          cells[c.attribute("r").value()] = shared.at(static_cast<size_t>(std::stoul(value)));
        else
          cells[c.attribute("r").value()] = value;
      }
    return cells;
  }
  // The sheet names of the workbook, in order.
  std::vector<std::string> SheetNames() const {
    std::vector<std::string> names;
    pugi::xml_document book = Xml("xl/workbook.xml");
    for (pugi::xml_node s : book.child("workbook").child("sheets").children("sheet"))
      names.push_back(s.attribute("name").value());
    return names;
  }
  // The plot element of chart `n` ("c:barChart"...) and, for bar charts,
  // its direction ("bar" or "col").
  std::string ChartKind(int n) const {
    pugi::xml_document chart = Xml("xl/charts/chart" + std::to_string(n) + ".xml");
    pugi::xml_node plot = chart.child("c:chartSpace").child("c:chart").child("c:plotArea");
    for (pugi::xml_node child : plot.children()) {
      const std::string name = child.name();
      if (name.size() > 5 && name.compare(name.size() - 5, 5, "Chart") == 0) {
        const std::string dir = child.child("c:barDir").attribute("val").value();
        return dir.empty() ? name : name + ":" + dir;
      }
    }
    return std::string();
  }
  // The value range of chart `n`'s series.
  std::string ChartValues(int n) const {
    pugi::xml_document chart = Xml("xl/charts/chart" + std::to_string(n) + ".xml");
    return chart.select_node("//c:ser/c:val/c:numRef/c:f").node().text().get();
  }

 private:
  std::map<std::string, std::string> parts_;
};

ReportGroup G(const char* name, int depth, uint32_t count) { return ReportGroup{name, count, depth, true}; }

class XlsxWorkbookTest : public ::testing::Test {
 protected:
  ScenarioReport Build(const std::vector<ReportGroup>& groups, ReportOptions options) {
    ScenarioReport report;
    EXPECT_TRUE(BuildScenarioReport(groups, options, messages_, report));
    return report;
  }
  std::string Write(const ScenarioReport& report, const std::string& name = "r.xlsx") {
    const std::string path = dir_.File(name);
    std::string error;
    EXPECT_TRUE(WriteReportWorkbook(report, path, messages_, error)) << error;
    EXPECT_TRUE(error.empty());
    return path;
  }

  TempDir dir_;
  ScriptedBox box_;
  Messages messages_{box_};
};

TEST_F(XlsxWorkbookTest, BlocksChartsAndTheClosingLineReadBack) {
  // Two blocks: the top level (3 rows) and the children of "sănătate"
  // (2 rows); "muncă" has one child, a block of one row without a chart.
  const std::vector<ReportGroup> groups = {G("s\xE3n\xE3tate", 0, 9), G("medic", 1, 5), G("spital", 1, 4),
                                           G("familie", 0, 3),        G("munc\xE3", 0, 2), G("birou", 1, 2)};
  ReportOptions options;
  options.scope = ReportScope::kWhole;
  const std::string path = Write(Build(groups, options));
  const XlsxFile xlsx(path);
  EXPECT_EQ(xlsx.SheetNames(), (std::vector<std::string>{"Statistics", "Graph1", "Graph2"}));
  const std::map<std::string, std::string> cells = xlsx.Cells();
  // Block 1: heading row 1, rows 2..4; block 2: heading row 6, rows 7..8;
  // block 3: heading row 10, row 11; the closing line on row 13.
  const std::map<std::string, std::string> expected = {
      {"B1", "Synopsis"},       {"C1", "Share"},          {"A2", "S\xC4\x83n\xC4\x83tate"}, {"B2", "9"},
      {"A3", "Familie"},        {"B3", "3"},              {"A4", "Munc\xC4\x83"},           {"B4", "2"},
      {"B6", "S\xC4\x83n\xC4\x83tate"}, {"A7", "Medic"},  {"B7", "5"},                      {"A8", "Spital"},
      {"B8", "4"},              {"B10", "Munc\xC4\x83"},  {"A11", "Birou"},                 {"B11", "2"},
      {"A13", "Statistics on  a list of words (occurrences)"}};
  for (const auto& [cell, value] : expected) EXPECT_EQ(cells.count(cell) ? cells.at(cell) : "<none>", value) << cell;
  EXPECT_EQ(cells.count("A5") + cells.count("A9") + cells.count("A12"), 0u);
  EXPECT_NEAR(std::stod(cells.at("C7")), 5.0 / 9.0, 1e-9);
  EXPECT_NEAR(std::stod(cells.at("C2")), 9.0 / 14.0, 1e-9);
  // One chart part per block of two rows or more, drawing that block.
  EXPECT_EQ(xlsx.CountUnder("xl/charts/chart"), 2u);
  EXPECT_EQ(xlsx.CountUnder("xl/chartsheets/sheet"), 2u);
  EXPECT_EQ(xlsx.ChartKind(1), "c:barChart:col");
  EXPECT_EQ(xlsx.ChartValues(1), "Statistics!$B$2:$B$4");
  EXPECT_EQ(xlsx.ChartValues(2), "Statistics!$B$7:$B$8");
  // Column A is as wide as its longest name.
  pugi::xml_document sheet = xlsx.Xml("xl/worksheets/sheet1.xml");
  pugi::xml_node col = sheet.child("worksheet").child("cols").child("col");
  EXPECT_EQ(std::string(col.attribute("min").value()), "1");
  EXPECT_GE(col.attribute("width").as_double(), 8.0);
  EXPECT_LE(col.attribute("width").as_double(), 12.0);
}

TEST_F(XlsxWorkbookTest, EachChartTypeIsWritten) {
  const std::vector<ReportGroup> groups = {G("a", 0, 2), G("b", 0, 1)};
  const std::pair<ReportChart, const char*> cases[] = {
      {ReportChart::kDefault, "c:barChart:col"}, {ReportChart::kBar, "c:barChart:bar"},
      {ReportChart::kColumn, "c:barChart:col"},  {ReportChart::kPie, "c:pieChart"},
      {ReportChart::kArea, "c:areaChart"},       {ReportChart::kRadar, "c:radarChart"}};
  for (const auto& [chart, kind] : cases) {
    ReportOptions options;
    options.chart = chart;
    const std::string path = Write(Build(groups, options), "c" + std::to_string(static_cast<int>(chart)) + ".xlsx");
    EXPECT_EQ(XlsxFile(path).ChartKind(1), kind);
  }
}

TEST_F(XlsxWorkbookTest, WithoutChartsTheWorkbookHasOnlyTheSheet) {
  ReportOptions options;
  options.showGraph = false;
  const XlsxFile xlsx(Write(Build({G("a", 0, 2), G("b", 0, 1)}, options)));
  EXPECT_EQ(xlsx.SheetNames(), (std::vector<std::string>{"Statistics"}));
  EXPECT_EQ(xlsx.CountUnder("xl/charts/"), 0u);
}

TEST_F(XlsxWorkbookTest, AFileThatCannotBeWrittenIsAFailure) {
  ReportOptions options;
  const ScenarioReport report = Build({G("a", 0, 2)}, options);
  std::string error;
  EXPECT_FALSE(WriteReportWorkbook(report, dir_.File("missing/folder/r.xlsx"), messages_, error));
  EXPECT_FALSE(error.empty());
}

// The report of the default scenario of an analysis: a small Romanian text
// on the tests' mini edition, and a Scenario whose groups gather its
// classes.
TEST(XlsxWorkbookAnalysisTest, TheScenarioOfAnAnalysisIsWrittenAndReadBack) {
  TempDir dir;
  testing::QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
  ASSERT_NE(engine, nullptr);
  std::filesystem::create_directories(engine->folders().scenario);
  ASSERT_TRUE(testing::WriteFile((std::filesystem::path(engine->folders().scenario) / "Mine.scn").string(),
                                 "G#0V\t1\tfiin\xFE" "e\r\n"
                                 "0#1#\tom\tfiin\xFE" "e\r\n"
                                 "G#0V\t2\tlucruri\r\n"
                                 "G#1V\t3\tma\xBAini\r\n"
                                 "1#2#\tma\xBAin\xE3\tma\xBAini\r\n"
                                 "G#1V\t4\tac\xFEiuni\r\n"
                                 "V#2#\tmerge\tac\xFEiuni\r\n"
                                 "V#2#\tvorbi\tac\xFEiuni\r\n"));
  engine->record().setScenarioFile("Mine.scn");
  ASSERT_TRUE(engine->currentScenario().LoadCurrentScenario());
  ASSERT_TRUE(testing::WriteFile(dir.File("a.txt"),
                                 "Robot merge la om. Om vorbe\xBAte de cas\xE3. Casa merge la mare. "
                                 "Mare merge. Om merge la robot. Cas\xE3 vorbe\xBAte cu om."));
  engine->files().Add(dir.File("a.txt"));
  ASSERT_TRUE(engine->RunAnalysis(1));

  const std::vector<ReportGroup> groups = ReportGroupsOf(engine->semanticDictionary(), engine->scenarioLayer());
  ASSERT_EQ(groups.size(), 4u);
  EXPECT_EQ(groups[2].depth, 1);
  ASSERT_GT(groups[2].count, 0u) << "the text counts no robot";
  ASSERT_GT(groups[3].count, 0u) << "the text counts none of its verbs";
  EXPECT_EQ(groups[1].count, groups[2].count + groups[3].count);

  ReportOptions options;
  options.scope = ReportScope::kBranch;
  options.selected = 3;
  ScenarioReport report;
  ASSERT_TRUE(BuildScenarioReport(groups, options, engine->messages(), report));
  const std::string path = dir.File("scenario.xlsx");
  std::string error;
  ASSERT_TRUE(WriteReportWorkbook(report, path, engine->messages(), error)) << error;
  const XlsxFile xlsx(path);
  const std::map<std::string, std::string> cells = xlsx.Cells();
  EXPECT_EQ(cells.at("B1"), "Lucruri");
  EXPECT_EQ(cells.at("A2"), "Ma\xC8\x99ini");
  EXPECT_EQ(cells.at("B2"), std::to_string(groups[2].count));
  EXPECT_EQ(cells.at("A3"), "Ac\xC8\x9Biuni");
  EXPECT_EQ(cells.at("B3"), std::to_string(groups[3].count));
  EXPECT_EQ(xlsx.CountUnder("xl/charts/chart"), 1u);
  for (const char* part : {"[Content_Types].xml", "_rels/.rels", "xl/workbook.xml", "xl/styles.xml",
                           "xl/_rels/workbook.xml.rels", "xl/chartsheets/sheet1.xml", "docProps/app.xml"})
    EXPECT_TRUE(xlsx.Has(part)) << part;
  engine->StopEngine();
}

// The hand-over to the desktop, with stand-ins for xdg-mime and xdg-open.
class SpreadsheetOpeningTest : public ::testing::Test {
 protected:
  void Program(const std::string& name, const std::string& body) {
    const std::string path = dir_.File(name);
    ASSERT_TRUE(testing::WriteFile(path, "#!/bin/sh\n" + body + "\n"));
    ::chmod(path.c_str(), 0755);
  }
  std::string Path() const { return dir_.path().string(); }
  TempDir dir_;
};

TEST_F(SpreadsheetOpeningTest, TheDefaultApplicationIsAskedForTheWorkbookType) {
  Program("xdg-mime", "[ \"$1 $2 $3\" = \"query default " + std::string(kXlsxMediaType) +
                          "\" ] && echo calc.desktop");
  EXPECT_EQ(DefaultApplicationFor(kXlsxMediaType, Path()), "calc.desktop");
  EXPECT_EQ(DefaultApplicationFor("text/plain", Path()), "");
}

TEST_F(SpreadsheetOpeningTest, NoProgramKnownIsToldApart) {
  // No xdg-mime at all, then an xdg-mime without an answer, then no xdg-open.
  EXPECT_EQ(OpenSpreadsheet("/tmp/r.xlsx", Path()), SpreadsheetOpening::kNoProgram);
  Program("xdg-open", "exit 0");
  Program("xdg-mime", "exit 0");
  EXPECT_EQ(OpenSpreadsheet("/tmp/r.xlsx", Path()), SpreadsheetOpening::kNoProgram);
  std::filesystem::remove(dir_.File("xdg-open"));
  Program("xdg-mime", "echo calc.desktop");
  EXPECT_EQ(OpenSpreadsheet("/tmp/r.xlsx", Path()), SpreadsheetOpening::kNoProgram);
}

TEST_F(SpreadsheetOpeningTest, AKnownProgramGetsTheFile) {
  Program("xdg-mime", "echo calc.desktop");
  Program("xdg-open", "echo \"$1\" > " + dir_.File("opened.tmp") + " && mv " + dir_.File("opened.tmp") + " " +
                          dir_.File("opened"));
  const char* old = std::getenv("PATH");
  const std::string saved = old != nullptr ? old : "";
  ::setenv("PATH", (Path() + ":" + saved).c_str(), 1);
  const SpreadsheetOpening opening = OpenSpreadsheet("/tmp/report one.xlsx", Path());
  ::setenv("PATH", saved.c_str(), 1);
  ASSERT_EQ(opening, SpreadsheetOpening::kOpened);
  for (int i = 0; i < 100 && !std::filesystem::exists(dir_.File("opened")); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(testing::ReadFile(dir_.File("opened")), "/tmp/report one.xlsx\n");
}

}  // namespace
}  // namespace malvex
