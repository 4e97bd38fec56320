#include "cli/report.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "cli/analysis_settings.h"
#include "cli/report_format.h"
#include "engine/engine.h"
#include "foundations/charset.h"
#include "settings/settings_record.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::Lines;

using testing::QuietFrontEnd;

CliOptions Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "malvex-cli");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

// CSV fields of one row (quoted fields may hold commas and doubled quotes).
std::vector<std::string> CsvFields(const std::string& row) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (size_t i = 0; i < row.size(); ++i) {
    const char c = row[i];
    if (quoted) {
      if (c == '"' && i + 1 < row.size() && row[i + 1] == '"') {
        fields.back() += '"';
        ++i;
      } else if (c == '"') {
        quoted = false;
      } else {
        fields.back() += c;
      }
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

// An engine on the tests' mini edition that analyses a small text in which
// "robot" and "om" come back often enough to pass the class threshold.
class ReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
  }
  void TearDown() override { engine->StopEngine(); }

  Report Analyse(const CliOptions& options) {
    EXPECT_EQ(options.action, CliAction::kAnalyse) << options.error;
    EXPECT_TRUE(testing::WriteFile(dir.File("a.txt"),
                                   "Robot merge la om. Om vorbe\xBAte de robot. Robot merge. Om merge la robot. "
                                   "Robot vorbe\xBAte. Om merge de la robot."));
    engine->files().Add(dir.File("a.txt"));
    RunSettings settings(*engine);
    EXPECT_TRUE(settings.Apply(options, stderr));
    const bool ok = engine->RunAnalysis(1);
    EXPECT_TRUE(ok);
    Report report = BuildReport(*engine, options, ok);
    settings.Restore();
    return report;
  }

  testing::TempDir dir;
  QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
};

TEST_F(ReportTest, ClassListsCarryTheirNumbersAndTextShowsTheirLines) {
  const Report report = Analyse(Parse({"--result", "references,verbs,fields1", "a.txt"}));
  EXPECT_TRUE(report.completed);
  EXPECT_EQ(report.words, 20);
  EXPECT_EQ(report.settings.detectionThreshold, 3);
  ASSERT_EQ(report.results.size(), 3u);

  const ReportResult& refs = report.results[0];
  EXPECT_EQ(refs.result, CliResult::kReferences);
  EXPECT_EQ(refs.title, "References");
  EXPECT_EQ(refs.level, 1);
  ASSERT_FALSE(refs.items.empty());
  int64_t previous = INT64_MAX;
  for (const ReportItem& item : refs.items) {
    EXPECT_EQ(item.type, "class");
    ASSERT_TRUE(item.frequency && item.id && item.actant);
    EXPECT_GE(*item.frequency, 3);  // nothing under the threshold
    EXPECT_LE(*item.frequency, previous);
    previous = *item.frequency;
    EXPECT_EQ(item.text, item.name + "\t" + (*item.frequency < 10 ? "000" : "00") + std::to_string(*item.frequency));
    EXPECT_FALSE(item.percentage.has_value());  // both boxes: no share
  }
  // "robot" is the machine class of the mini edition, seen 6 times.
  EXPECT_EQ(refs.items[0].name, "ma\xBAin\xE3");
  EXPECT_EQ(*refs.items[0].frequency, 6);

  const ReportResult& verbs = report.results[1];
  ASSERT_FALSE(verbs.items.empty());
  EXPECT_EQ(verbs.items[0].text, "merge\t0004");
  EXPECT_EQ(verbs.items[0].type, "lemma");

  // The text form is these lines, in UTF-8, under each result's title.
  const std::vector<std::string> text = Lines(FormatText(report));
  ASSERT_GE(text.size(), 3u);
  EXPECT_EQ(text[0], "== References");
  EXPECT_EQ(text[1], "ma\xC8\x99in\xC4\x83\t0006");
}

TEST_F(ReportTest, JsonAndCsvHaveTheirDocumentedShape) {
  const Report report = Analyse(Parse({"--result", "style,references,relations,all-categories", "a.txt"}));
  size_t items = 0;
  for (const ReportResult& r : report.results) items += r.items.size();
  ASSERT_GT(items, 10u);

  const std::string json = FormatJson(report);
  for (const char* key : {"\"files\": ", "\"words\": ", "\"propositions\": ", "\"completed\": true",
                          "\"settings\": {\"relation_level\": 1, \"threshold_mode\": \"words\", \"threshold_value\": 3, "
                          "\"minimal_frequency\": 3",
                          "\"name\": \"style\"", "\"name\": \"references\"", "\"name\": \"relations\"",
                          "\"name\": \"all-categories\"", "{\"type\": \"verdict\", \"text\": \"",
                          "{\"type\": \"header\", \"text\": \"* Verbs :\"}", "{\"type\": \"category\", \"text\": \""})
    EXPECT_NE(json.find(key), std::string::npos) << key;
  // Every item is one object that starts with its type and its text.
  size_t objects = 0;
  for (size_t p = json.find("{\"type\": "); p != std::string::npos; p = json.find("{\"type\": ", p + 1)) {
    ++objects;
    EXPECT_EQ(json.compare(json.find(", ", p), 10, ", \"text\": "), 0) << json.substr(p, 60);
  }
  EXPECT_EQ(objects, items);
  int depth = 0;
  bool inString = false;
  for (size_t i = 0; i < json.size(); ++i) {
    const char c = json[i];
    if (inString) {
      if (c == '\\') ++i;
      else if (c == '"') inString = false;
    } else if (c == '"') {
      inString = true;
    } else if (c == '{' || c == '[') {
      ++depth;
    } else if (c == '}' || c == ']') {
      --depth;
      EXPECT_GE(depth, 0);
    }
  }
  EXPECT_EQ(depth, 0);
  EXPECT_FALSE(inString);

  const std::vector<std::string> rows = Lines(FormatCsv(report));
  ASSERT_EQ(rows.size(), items + 1);
  const std::vector<std::string> header = CsvFields(rows[0]);
  EXPECT_EQ(header, (std::vector<std::string>{"result", "rank", "type", "text", "name", "second", "frequency",
                                              "percentage", "actant", "id", "second_id", "start", "end"}));
  size_t k = 1;
  for (const ReportResult& r : report.results) {
    for (size_t i = 0; i < r.items.size(); ++i, ++k) {
      const std::vector<std::string> f = CsvFields(rows[k]);
      ASSERT_EQ(f.size(), header.size()) << rows[k];
      EXPECT_EQ(f[0], CliResultName(r.result));
      EXPECT_EQ(f[1], std::to_string(i + 1));
      EXPECT_EQ(f[2], r.items[i].type);
      EXPECT_EQ(f[3], ToUtf8(r.items[i].text));
      EXPECT_EQ(f[6], r.items[i].frequency ? std::to_string(*r.items[i].frequency) : "");
    }
  }
}

// The terms of a text where "robot" leads the same compound three times,
// "website" comes back three times alone and "ciuda" twice.
class TerminologyReportTest : public ReportTest {
 protected:
  Report AnalyseTerms(std::vector<std::string> args) {
    EXPECT_TRUE(testing::WriteFile(dir.File("t.txt"),
                                   "Robot mare merge. Robot mare vorbe\xBAte. Robot mare merge la website. "
                                   "Website merge. Website vorbe\xBAte. Robot merge. Ciuda merge. Ciuda vorbe\xBAte."));
    args.push_back("--result");
    args.push_back("terminology");
    args.push_back("t.txt");
    const CliOptions options = Parse(args);
    EXPECT_EQ(options.action, CliAction::kAnalyse) << options.error;
    engine->files().Add(dir.File("t.txt"));
    RunSettings settings(*engine);
    EXPECT_TRUE(settings.Apply(options, stderr));
    const bool ok = engine->RunAnalysis(1);
    EXPECT_TRUE(ok);
    Report report = BuildReport(*engine, options, ok);
    settings.Restore();
    return report;
  }
};

TEST_F(TerminologyReportTest, TextJsonAndCsvCarryHeadCompoundAndFrequencyMostFrequentFirst) {
  const Report report = AnalyseTerms({});
  ASSERT_EQ(report.results.size(), 1u);
  const ReportResult& terms = report.results[0];
  EXPECT_EQ(terms.title, "Terminology extraction");
  ASSERT_FALSE(terms.items.empty());
  std::vector<std::string> lines;
  int64_t previous = INT64_MAX;
  for (const ReportItem& item : terms.items) {
    lines.push_back(item.text);
    ASSERT_TRUE(item.frequency.has_value());
    EXPECT_LE(*item.frequency, previous) << item.text;
    previous = *item.frequency;
    EXPECT_EQ(item.text, item.name + "\t" + item.second + "\t" + std::to_string(*item.frequency));
    EXPECT_EQ(item.type, item.second.empty() ? "noun" : "compound");
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"robot\t\t4", "website\t\t3", "robot\trobot_mare\t3", "ciuda\t\t2"}));

  // Text: the same lines in UTF-8, nothing else for a single result.
  EXPECT_EQ(Lines(FormatText(report)), lines);
  // JSON: each item has its type, text, head (name), compound (second) and frequency.
  const std::string json = FormatJson(report);
  EXPECT_NE(json.find("\"name\": \"terminology\""), std::string::npos);
  EXPECT_NE(json.find("{\"type\": \"compound\", \"text\": \"robot\\trobot_mare\\t3\", \"name\": \"robot\", "
                      "\"second\": \"robot_mare\", \"frequency\": 3"),
            std::string::npos)
      << json;
  EXPECT_NE(json.find("{\"type\": \"noun\", \"text\": \"website\\t\\t3\", \"name\": \"website\", \"second\": \"\", "
                      "\"frequency\": 3"),
            std::string::npos)
      << json;
  // CSV: name, second and frequency columns, in the same order.
  const std::vector<std::string> rows = Lines(FormatCsv(report));
  ASSERT_EQ(rows.size(), lines.size() + 1);
  const std::vector<std::string> second = CsvFields(rows[3]);
  EXPECT_EQ(second[0], "terminology");
  EXPECT_EQ(second[2], "compound");
  EXPECT_EQ(second[4], "robot");
  EXPECT_EQ(second[5], "robot_mare");
  EXPECT_EQ(second[6], "3");
  EXPECT_EQ(CsvFields(rows[2])[5], "");
}

TEST_F(TerminologyReportTest, FilterKeepsOnlyTheMostSignificantTerms) {
  const Report report = AnalyseTerms({"--filter"});
  std::vector<std::string> lines;
  for (const ReportItem& item : report.results[0].items) lines.push_back(item.text);
  // Three times is enough for a compound and a noun; twice is not.
  EXPECT_EQ(lines, (std::vector<std::string>{"robot\t\t4", "website\t\t3", "robot\trobot_mare\t3"}));
}

TEST_F(ReportTest, RunOptionsApplyToTheRunAndLeaveTheStoredSettings) {
  const SettingsRecord stored = engine->record();
  const Report report = Analyse(Parse({"--relation-level", "3", "--threshold-words", "1", "--parts", "40",
                                       "--numbers-as-substantives", "--acted", "--result", "references", "a.txt"}));
  EXPECT_EQ(report.settings.relationLevel, 3);
  EXPECT_EQ(report.settings.detectionThreshold, 1);
  EXPECT_EQ(report.settings.partsQuantity, 40);
  EXPECT_TRUE(report.settings.numbersAsSubstantives);
  EXPECT_FALSE(report.settings.actant);
  EXPECT_TRUE(report.settings.acted);
  // With "Acted" only, every line shows the acted share, at least 50.
  ASSERT_FALSE(report.results[0].items.empty());
  for (const ReportItem& item : report.results[0].items) {
    ASSERT_TRUE(item.percentage.has_value()) << item.text;
    EXPECT_GE(*item.percentage, 50);
    EXPECT_NE(item.text.find("%)"), std::string::npos);
  }
  // The record is as stored, byte for byte, but for the type of the file
  // last read, which every reading pass records.
  SettingsRecord expected = stored;
  expected.setFileType(engine->record().fileType());
  const std::string_view now = engine->record().image();
  const std::string_view before = expected.image();
  size_t differs = 0;
  while (differs < now.size() && now[differs] == before[differs]) ++differs;
  EXPECT_EQ(differs, now.size()) << "first difference at offset " << differs;
}

TEST_F(ReportTest, ScenarioOptionLoadsTheGivenScenarioForTheRun) {
  // Two top groups: "obiecte" with the sub-group "masini" holding the class
  // of "robot", and "vorbe" holding a class the text never counts.
  const std::string scenario = dir.File("Mine.scn");
  ASSERT_TRUE(testing::WriteFile(scenario,
                                 "G#0V\t1\tobiecte\r\n"
                                 "G#1V\t2\tma\xBAini\r\n"
                                 "1#2#\tma\xBAin\xE3\tma\xBAini\r\n"
                                 "G#0V\t3\tvorbe\r\n"
                                 "1#1#\tcuv\xE2nt\tvorbe\r\n"));
  const std::string stored = engine->record().scenarioFile();
  const Report report = Analyse(Parse({"--scenario", scenario, "--result", "scenario", "a.txt"}));
  EXPECT_TRUE(report.settings.scenarioLoaded);
  ASSERT_EQ(report.results.size(), 1u);
  const ReportResult& r = report.results[0];
  EXPECT_EQ(r.level, 4);
  EXPECT_EQ(r.information.rfind("Show every pertinent groups of your Scenario: ", 0), 0u) << r.information;
  std::vector<std::string> lines;
  for (const ReportItem& item : r.items) {
    EXPECT_EQ(item.type, "group");
    lines.push_back(item.text);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{"obiecte\t0006", "  ma\xBAini\t0006"}));
  EXPECT_EQ(*r.items[1].depth, 1);
  // The stored settings keep their Scenario.
  EXPECT_EQ(engine->record().scenarioFile(), stored);
}

TEST_F(ReportTest, ScenarioGroupSharesTakeInTheirSubGroups) {
  // "robot" is seen 6 times, 3 of them before its verb; only the sub-group
  // holds its class, the top group counts it through the sub-group.
  const std::string scenario = dir.File("Mine.scn");
  ASSERT_TRUE(testing::WriteFile(scenario,
                                 "G#0V\t1\tobiecte\r\n"
                                 "G#1V\t2\tma\xBAini\r\n"
                                 "1#2#\tma\xBAin\xE3\tma\xBAini\r\n"));
  const Report report = Analyse(Parse({"--scenario", scenario, "--actant", "--result", "scenario", "a.txt"}));
  std::vector<std::string> lines;
  for (const ReportItem& item : report.results[0].items) lines.push_back(item.text);
  EXPECT_EQ(lines, (std::vector<std::string>{"obiecte\t0006\t(50%)", "  ma\xBAini\t0006\t(50%)"}));
}

TEST_F(ReportTest, UnreadableScenarioIsRefused) {
  RunSettings settings(*engine);
  std::FILE* err = std::tmpfile();
  ASSERT_NE(err, nullptr);
  EXPECT_FALSE(settings.Apply(Parse({"--scenario", dir.File("none.scn"), "a.txt"}), err));
  EXPECT_FALSE(settings.Apply(Parse({"--scenario", "none.scn", "a.txt"}), err));
  settings.Restore();
  std::rewind(err);
  char buf[512];
  ASSERT_NE(std::fgets(buf, sizeof buf, err), nullptr);
  EXPECT_EQ(std::string(buf), "malvex-cli: cannot read the Scenario " + dir.File("none.scn") + "\n");
  std::fclose(err);
}

TEST(CheckInputFilesTest, EveryUnreadableFileIsNamed) {
  testing::TempDir dir;
  ASSERT_TRUE(testing::WriteFile(dir.File("ok.txt"), "text"));
  std::FILE* err = std::tmpfile();
  ASSERT_NE(err, nullptr);
  EXPECT_TRUE(CheckInputFiles({dir.File("ok.txt")}, err));
  EXPECT_FALSE(CheckInputFiles({dir.File("missing.txt"), dir.File("ok.txt"), dir.path().string()}, err));
  std::rewind(err);
  std::string said;
  char buf[512];
  while (std::fgets(buf, sizeof buf, err)) said += buf;
  std::fclose(err);
  EXPECT_EQ(said, "malvex-cli: cannot read " + dir.File("missing.txt") + ": No such file or directory\n" +
                      "malvex-cli: cannot read " + dir.path().string() + ": it is a folder\n");
}

TEST(MalvexCliTest, UnreadableFileGivesAMessageAndExitStatus66) {
  testing::TempDir dir;
  const std::string err = dir.File("err.txt");
  const std::string command =
      std::string("'") + MALVEX_CLI_PROGRAM + "' -q '" + dir.File("missing.txt") + "' > /dev/null 2> '" + err + "'";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), kExitUnreadableInput);
  EXPECT_EQ(testing::ReadFile(err), "malvex-cli: cannot read " + dir.File("missing.txt") + ": No such file or directory\n");
}

}  // namespace
}  // namespace malvex
