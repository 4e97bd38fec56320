#include "cli/cli_options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"

namespace malvex {
namespace {

CliOptions Parse(std::vector<std::string> args) {
  args.insert(args.begin(), "malvex-cli");
  std::vector<const char*> argv;
  for (const std::string& a : args) argv.push_back(a.c_str());
  return ParseCommandLine(static_cast<int>(argv.size()), argv.data());
}

TEST(CliOptionsTest, FilesAloneAskForTheStyleAsText) {
  const CliOptions o = Parse({"a.txt", "b.txt"});
  EXPECT_EQ(o.action, CliAction::kAnalyse);
  EXPECT_EQ(o.operands, (std::vector<std::string>{"a.txt", "b.txt"}));
  EXPECT_EQ(o.results, std::vector<CliResult>{CliResult::kStyle});
  EXPECT_EQ(o.format, CliFormat::kText);
  EXPECT_FALSE(o.actant);
  EXPECT_FALSE(o.acted);
  EXPECT_FALSE(o.relationLevel.has_value());
  EXPECT_FALSE(o.thresholdByWords.has_value());
}

TEST(CliOptionsTest, ResultsAreTakenInTheirOrderOnceEach) {
  const CliOptions o =
      Parse({"--result", "relations", "--result=verbs,style", "--result", "relations", "--format", "json", "t.txt"});
  EXPECT_EQ(o.action, CliAction::kAnalyse);
  EXPECT_EQ(o.results, (std::vector<CliResult>{CliResult::kRelations, CliResult::kVerbs, CliResult::kStyle}));
  EXPECT_EQ(o.format, CliFormat::kJson);
  for (const char* name : {"style", "references", "fields1", "fields2", "scenario", "relations", "categories",
                           "all-categories", "verbs", "adjectives", "substantives", "episodes", "parts",
                           "terminology"}) {
    const std::optional<CliResult> r = CliResultOfName(name);
    ASSERT_TRUE(r.has_value()) << name;
    EXPECT_STREQ(CliResultName(*r), name);
  }
}

TEST(CliOptionsTest, FilterIsATermOptionWithoutValue) {
  EXPECT_FALSE(Parse({"--result", "terminology", "t.txt"}).termFilter);
  const CliOptions o = Parse({"--result", "terminology", "--filter", "t.txt"});
  ASSERT_EQ(o.action, CliAction::kAnalyse) << o.error;
  EXPECT_TRUE(o.termFilter);
  EXPECT_EQ(o.results, (std::vector<CliResult>{CliResult::kTerminology}));
  EXPECT_EQ(Parse({"--filter=yes", "t.txt"}).action, CliAction::kUsageError);
}

TEST(CliOptionsTest, AnalysisOptionsAreReadWithTheirRanges) {
  const CliOptions o = Parse({"--relation-level", "fields1", "--threshold-pertinence", "20", "--parts=50",
                              "--numbers-as-substantives", "--scenario-all-categories", "--scenario", "Mine.scn",
                              "--actant", "--sort", "alphabetical", "--", "-odd name.txt"});
  ASSERT_EQ(o.action, CliAction::kAnalyse) << o.error;
  EXPECT_EQ(o.relationLevel, 3);
  EXPECT_EQ(o.thresholdByWords, false);
  EXPECT_EQ(o.thresholdValue, 20);
  EXPECT_EQ(o.partsQuantity, 50);
  EXPECT_EQ(o.numbersAsSubstantives, true);
  EXPECT_EQ(o.scenarioOnAllCategories, true);
  EXPECT_EQ(o.scenario, "Mine.scn");
  EXPECT_TRUE(o.actant);
  EXPECT_FALSE(o.acted);
  EXPECT_TRUE(o.alphabetical);
  EXPECT_EQ(o.operands, std::vector<std::string>{"-odd name.txt"});

  EXPECT_EQ(Parse({"--relation-level", "4", "t"}).relationLevel, 4);
  EXPECT_EQ(Parse({"--threshold-words", "999", "t"}).thresholdValue, 999);
  EXPECT_EQ(Parse({"--threshold-words", "1", "t"}).thresholdByWords, true);
  EXPECT_EQ(Parse({"--borders", "Parts.dlm", "t"}).borders, "Parts.dlm");
  EXPECT_EQ(Parse({"--borders=../b.dlm", "t"}).borders, "../b.dlm");
  EXPECT_FALSE(Parse({"t"}).borders.has_value());
}

TEST(CliOptionsTest, BadUsageIsReportedNotGuessed) {
  const std::vector<std::vector<std::string>> cases = {
      {},                                          // nothing to analyse
      {"--result", "styles", "t"},                 // unknown result
      {"--result", "style,", "t"},                 // empty name in a list
      {"--format", "xml", "t"},                    // unknown format
      {"--format", "tsv", "t"},                    // tsv is for --tagged and --lookup
      {"--tagged", "--format", "json", "t"},       // --tagged prints text or tsv
      {"--lookup", "--tagged", "w"},               // one or the other
      {"--relation-level", "5", "t"},              // out of 1..4
      {"--relation-level", "classes", "t"},        // not a level name
      {"--threshold-words", "0", "t"},             // out of 1..999
      {"--threshold-pertinence", "1000", "t"},     // out of 1..999
      {"--threshold-words", "12a", "t"},           // not a number
      {"--parts", "101", "t"},                     // out of 1..100
      {"--sort", "random", "t"},                   // unknown order
      {"--relation-level"},                        // value missing
      {"t", "--borders"},                          // value missing
      {"--borders=", "t"},                         // empty file name
      {"--quiet=yes", "t"},                        // no value expected
      {"--bogus", "t"},                            // unknown option
      {"--list", "/nonexistent/list.txt"},         // unreadable list
      {"--each", "--tagged", "t"},                 // --each prints results
      {"--each", "--lookup", "w"},                 // nothing to analyse
      {"--each", "--format", "tsv", "t"},          // results take text, json or csv
      {"--each"},                                  // no file
  };
  for (const auto& args : cases) {
    const CliOptions o = Parse(args);
    std::string joined;
    for (const std::string& a : args) joined += a + " ";
    EXPECT_EQ(o.action, CliAction::kUsageError) << joined;
    EXPECT_FALSE(o.error.empty()) << joined;
  }
}

TEST(CliOptionsTest, ExistingModesKeepWorking) {
  CliOptions o = Parse({"--lookup", "--format", "tsv", "casa", "-"});
  EXPECT_EQ(o.action, CliAction::kLookup);
  EXPECT_EQ(o.format, CliFormat::kTsv);
  EXPECT_EQ(o.operands, (std::vector<std::string>{"casa", "-"}));

  o = Parse({"-q", "-y", "-i", "--tagged", "--format=tsv", "t.txt"});
  EXPECT_EQ(o.action, CliAction::kAnalyse);
  EXPECT_TRUE(o.tagged);
  EXPECT_TRUE(o.quiet);
  EXPECT_TRUE(o.box.assumeYes);
  EXPECT_TRUE(o.box.interactive);
  EXPECT_EQ(o.format, CliFormat::kTsv);

  EXPECT_FALSE(o.each);
  o = Parse({"--each", "--format", "csv", "a.txt", "b.txt"});
  EXPECT_EQ(o.action, CliAction::kAnalyse);
  EXPECT_TRUE(o.each);
  EXPECT_EQ(o.format, CliFormat::kCsv);
  EXPECT_EQ(o.operands, (std::vector<std::string>{"a.txt", "b.txt"}));

  EXPECT_EQ(Parse({"--help", "--bogus"}).action, CliAction::kHelp);
  EXPECT_EQ(Parse({"--version"}).action, CliAction::kVersion);

  testing::TempDir dir;
  ASSERT_TRUE(testing::WriteFile(dir.File("list.txt"), "one.txt\r\n\ntwo.txt\n"));
  o = Parse({"first.txt", "--list", dir.File("list.txt")});
  EXPECT_EQ(o.operands, (std::vector<std::string>{"first.txt", "one.txt", "two.txt"}));
}

}  // namespace
}  // namespace malvex
