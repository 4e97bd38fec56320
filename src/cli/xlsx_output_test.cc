#include "cli/xlsx_output.h"

#include <gtest/gtest.h>
#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "engine/engine.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

CliOptions Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "malvex-cli");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(XlsxOptionsTest, TheOptionsAreReadWithTheirDefaults) {
  const CliOptions plain = Parse({"--xlsx", "r.xlsx", "a.txt"});
  ASSERT_EQ(plain.action, CliAction::kAnalyse) << plain.error;
  EXPECT_EQ(plain.xlsx.output, "r.xlsx");
  EXPECT_EQ(plain.xlsx.scope, "all");
  EXPECT_EQ(plain.xlsx.chart, "default");
  const CliOptions all = Parse({"--xlsx=r.xlsx", "--scope", "branch", "--chart", "pie", "--group", "ma\xC8\x99ini",
                                "a.txt"});
  ASSERT_EQ(all.action, CliAction::kAnalyse) << all.error;
  EXPECT_EQ(all.xlsx.scope, "branch");
  EXPECT_EQ(all.xlsx.chart, "pie");
  EXPECT_EQ(all.xlsx.group, "ma\xC8\x99ini");
  EXPECT_TRUE(Parse({"a.txt"}).xlsx.output.empty());
}

TEST(XlsxOptionsTest, BadUsageIsRefused) {
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"--xlsx", "r.csv", "a.txt"}, "--xlsx takes a file ending in .xlsx"},
      {{"--xlsx", "r.xlsx", "--scope", "tree", "a.txt"}, "unknown scope tree (all, branch or level)"},
      {{"--xlsx", "r.xlsx", "--chart", "3d", "a.txt"},
       "unknown chart 3d (default, bar, column, pie, area, radar or none)"},
      {{"--scope", "all", "a.txt"}, "--scope, --chart and --group go with --xlsx"},
      {{"--xlsx", "r.xlsx", "--each", "a.txt"}, "--xlsx does not go with --lookup, --tagged or --each"},
      {{"--xlsx", "r.xlsx", "--group", "", "a.txt"}, "--group needs a group name"},
      {{"--xlsx"}, "option --xlsx needs a value"},
  };
  for (const auto& [args, error] : cases) {
    const CliOptions o = Parse(args);
    EXPECT_EQ(o.action, CliAction::kUsageError) << args[0];
    EXPECT_EQ(o.error, error);
  }
}

// The cells of the first sheet of a workbook (shared strings resolved) and
// the number of its chart parts.
struct Workbook {
  std::vector<std::pair<std::string, std::string>> cells;
  int charts = 0;
  bool read = false;
};

Workbook ReadWorkbook(const std::string& path) {
  Workbook book;
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_RDONLY, &error);
  if (zip == nullptr) return book;
  const auto part = [zip](const char* name) {
    std::string bytes;
    zip_stat_t st;
    if (zip_stat(zip, name, 0, &st) != 0) return bytes;
    zip_file_t* f = zip_fopen(zip, name, 0);
    if (f == nullptr) return bytes;
    bytes.resize(static_cast<size_t>(st.size));
    zip_fread(f, bytes.data(), st.size);
    zip_fclose(f);
    return bytes;
  };
  for (zip_int64_t i = 0; i < zip_get_num_entries(zip, 0); ++i)
    book.charts += std::string(zip_get_name(zip, static_cast<zip_uint64_t>(i), 0)).rfind("xl/charts/chart", 0) == 0;
  pugi::xml_document strings;
  pugi::xml_document sheet;
  const std::string s = part("xl/sharedStrings.xml");
  const std::string w = part("xl/worksheets/sheet1.xml");
  zip_close(zip);
  std::vector<std::string> shared;
  if (strings.load_buffer(s.data(), s.size()))
    for (pugi::xml_node si : strings.child("sst").children("si")) shared.push_back(si.child("t").text().get());
  if (!sheet.load_buffer(w.data(), w.size())) return book;
  for (pugi::xml_node row : sheet.child("worksheet").child("sheetData").children("row"))
    for (pugi::xml_node c : row.children("c")) {
      std::string v = c.child("v").text().get();
      if (std::string(c.attribute("t").value()) == "s") v = shared.at(std::stoul(v));
      book.cells.emplace_back(c.attribute("r").value(), v);
    }
  book.read = true;
  return book;
}

// malvex-cli over the tests' mini edition with a Scenario of two top-level
// groups, the second with two sub-groups the text counts.
class XlsxRunTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
    ASSERT_TRUE(testing::WriteFile(dir.File("robots.txt"),
                                   "Robot merge la om. Om vorbe\xBAte de robot. Robot merge. Om merge la robot."));
    ASSERT_TRUE(testing::WriteFile(dir.File("Mine.scn"),
                                   "G#0V\t1\toameni\r\n"
                                   "0#1#\tom\toameni\r\n"
                                   "G#0V\t2\tlucruri\r\n"
                                   "G#1V\t3\tma\xBAini\r\n"
                                   "1#2#\tma\xBAin\xE3\tma\xBAini\r\n"
                                   "G#1V\t4\tac\xFEiuni\r\n"
                                   "V#2#\tmerge\tac\xFEiuni\r\n"
                                   "V#2#\tvorbi\tac\xFEiuni\r\n"));
  }
  void TearDown() override { engine->StopEngine(); }

  int Run(std::vector<std::string> args) {
    args.insert(args.begin(), {"-q", "--scenario", dir.File("Mine.scn")});
    args.push_back("robots.txt");
    const CliOptions o = Parse(args);
    EXPECT_EQ(o.action, CliAction::kAnalyse) << o.error;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> outFile(std::tmpfile(), std::fclose);
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> errFile(std::tmpfile(), std::fclose);
    CliStreams io;
    io.out = outFile.get();
    io.err = errFile.get();
    io.callerFolder = dir.path().string();
    const int status = AnalyseTogether(*engine, o, io);
    std::rewind(errFile.get());
    err.clear();
    char buffer[512];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, errFile.get())) > 0) err.append(buffer, n);
    return status;
  }
  std::string A(const Workbook& book, size_t at) const { return book.cells.at(at).first + "=" + book.cells.at(at).second; }

  testing::TempDir dir;
  testing::QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
  std::string err;
};

TEST_F(XlsxRunTest, TheWholeScenarioIsWrittenByDefault) {
  ASSERT_EQ(Run({"--xlsx", "out.xlsx"}), kExitOk) << err;
  const Workbook book = ReadWorkbook(dir.File("out.xlsx"));
  ASSERT_TRUE(book.read);
  std::vector<std::string> texts;
  for (const auto& [cell, value] : book.cells) texts.push_back(cell + "=" + value);
  // "oameni" is not counted (the mini edition counts no "om"): the top
  // block has one row, no chart; the sub-groups of "lucruri" have one.
  const std::vector<std::string> head(texts.begin(), texts.begin() + 3);
  EXPECT_EQ(head, (std::vector<std::string>{"A1=", "B1=Synopsis", "C1=Share"}));
  EXPECT_EQ(texts[3], "A2=Lucruri");
  EXPECT_NE(std::find(texts.begin(), texts.end(), "B4=Lucruri"), texts.end());
  EXPECT_NE(std::find(texts.begin(), texts.end(), "A5=Ma\xC8\x99ini"), texts.end());
  EXPECT_EQ(book.charts, 1);
}

TEST_F(XlsxRunTest, LevelAndBranchStartFromTheGroupNamed) {
  ASSERT_EQ(Run({"--xlsx", "level.xlsx", "--scope", "level", "--group", "Ac\xC8\x9Biuni", "--chart", "none"}),
            kExitOk)
      << err;
  const Workbook level = ReadWorkbook(dir.File("level.xlsx"));
  ASSERT_TRUE(level.read);
  EXPECT_EQ(A(level, 1), "B1=Lucruri");
  EXPECT_EQ(level.charts, 0);
  ASSERT_EQ(Run({"--xlsx", "branch.xlsx", "--scope", "branch"}), kExitOk) << err;
  // Without --group the branch is the first group's, which has no sub-group:
  // an empty sheet but for the closing line.
  const Workbook branch = ReadWorkbook(dir.File("branch.xlsx"));
  ASSERT_TRUE(branch.read);
  ASSERT_EQ(branch.cells.size(), 1u);
  EXPECT_EQ(branch.cells[0].second, "Statistics on  a list of words (occurrences)");
}

TEST_F(XlsxRunTest, FailuresAreToldWithTheirStatus) {
  EXPECT_EQ(Run({"--xlsx", "g.xlsx", "--group", "nimic"}), kExitUsage);
  EXPECT_EQ(err, "malvex-cli: --group: the Scenario has no group nimic\n");
  EXPECT_FALSE(std::filesystem::exists(dir.File("g.xlsx")));
  EXPECT_EQ(Run({"--xlsx", "no/such/folder/r.xlsx"}), kExitAnalysisFailed);
  EXPECT_NE(err.find("malvex-cli: --xlsx: cannot write "), std::string::npos) << err;
}

}  // namespace
}  // namespace malvex
