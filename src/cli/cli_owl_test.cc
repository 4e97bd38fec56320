// malvex-cli --import-owl: the command line, and the program run from an
// installation of the mini edition (the Scenario written, its log, the exit
// statuses, and an analysis with the Scenario written).
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

CliOptions Parse(std::vector<const char*> args) {
  args.insert(args.begin(), "malvex-cli");
  return ParseCommandLine(static_cast<int>(args.size()), args.data());
}

TEST(CliOwlOptions, ImportTakesItsOptions) {
  const CliOptions o = Parse({"--import-owl", "a.owl", "--output", "b.scn", "--keep-other-languages",
                              "--keep-restrictions", "--log", "c.log"});
  ASSERT_EQ(o.action, CliAction::kImportOwl) << o.error;
  EXPECT_EQ(o.importOwl, "a.owl");
  EXPECT_EQ(o.owlOutput, "b.scn");
  EXPECT_EQ(o.owlLog, "c.log");
  EXPECT_TRUE(o.owlKeepOtherLanguages);
  EXPECT_TRUE(o.owlKeepRestrictions);
}

TEST(CliOwlOptions, MisusesAreUsageErrors) {
  const std::vector<std::vector<const char*>> cases = {
      {"--import-owl", "a.owl", "text.txt"},
      {"--import-owl", "a.owl", "--lookup", "casa"},
      {"--import-owl"},
      {"--keep-restrictions", "text.txt"},
      {"--output", "b.scn", "text.txt"},
      {"--log", "x.log", "text.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(Parse(c).action, CliAction::kUsageError) << c[0];
}

const char kRobots[] = "Robot merge la casa. Casa vede robot. Robot merge la casa. Casa vede robot.";

class CliOwlProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing::WriteTestInstallation(dir_.path(), MALVEX_TEST_EDITION));
    std::filesystem::create_directories(dir_.path() / "Scenario");
    std::error_code ec;
    std::filesystem::copy_file(MALVEX_CLI_PROGRAM, dir_.path() / "bin" / "malvex-cli", ec);
    ASSERT_FALSE(ec) << ec.message();
    std::filesystem::copy_file(std::string(MALVEX_TEST_DATA) + "/owl/household.owl", dir_.path() / "household.owl",
                               ec);
    ASSERT_FALSE(ec) << ec.message();
    ASSERT_TRUE(testing::WriteFile(dir_.File("robots.txt"), kRobots));
  }

  int Run(const std::string& args) {
    const std::string command = "cd '" + dir_.path().string() + "' && XDG_CONFIG_HOME='" + dir_.File("config") +
                                "' XDG_DATA_HOME='" + dir_.File("data") + "' HOME='" + dir_.File("home") +
                                "' ./bin/malvex-cli -q " + args + " > out.txt 2> err.txt";
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status));
    return WEXITSTATUS(status);
  }
  std::string Err() { return testing::ReadFile(dir_.File("err.txt")); }

  testing::TempDir dir_;
};

TEST_F(CliOwlProgramTest, WritesTheScenarioInTheScenarioFolderAndNeverReplacesOne) {
  ASSERT_EQ(Run("--import-owl household.owl"), kExitOk) << Err();
  EXPECT_EQ(Err(),
            "Number of OWL main classes: 4\nNumber of OWL labels kept: 5\nNumber of Synonyms labels kept: 1\n"
            "Number of parsing errors: 0\nNumber of Class ID errors (not found): 0\nScenario: " +
                dir_.File("Scenario/OwlOutput.scn") + "\nLog: " + dir_.File("household.log") + "\n");
  EXPECT_EQ(testing::ReadFile(dir_.File("Scenario/OwlOutput.scn")),
            "G#0V\t1\tObiect\r\n0#1#\tobiect\tObiect\r\n"
            "G#1V\t2\trobot\r\n0#2#\trobot\trobot\r\n0#2#\tautomat\trobot\r\n0#2#\trobo\xFE" "el\trobot\r\n"
            "G#1V\t3\tcasa\r\n0#2#\tcasa\tcasa\r\n"
            "G#0V\t4\t*** Unexpected null value\r\n");
  EXPECT_NE(testing::ReadFile(dir_.File("household.log")).find("*** Error - ClassId always defined: Robot"),
            std::string::npos);
  ASSERT_EQ(Run("--import-owl household.owl"), kExitOk) << Err();
  EXPECT_TRUE(std::filesystem::exists(dir_.File("Scenario/OwlOutput-2.scn")));
}

TEST_F(CliOwlProgramTest, OptionsKeepOtherLanguagesAndRestrictions) {
  ASSERT_EQ(Run("--import-owl household.owl --keep-other-languages --keep-restrictions --output mine.scn --log "
                "mine.log"),
            kExitOk)
      << Err();
  const std::string scn = testing::ReadFile(dir_.File("mine.scn"));
  EXPECT_NE(scn.find("0#1#\tthing\tObiect\r\n"), std::string::npos) << scn;
  EXPECT_NE(scn.find("0#2#\tmachine\trobot\r\n"), std::string::npos) << scn;
  EXPECT_NE(testing::ReadFile(dir_.File("mine.log")).find("rdfs:subClassOf (kept): owl:Class rdf:about=\"#Robot\""),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("household.log")));
}

struct StatusCase {
  const char* name;
  const char* file;      // written beside the installation; null: none
  const char* contents;
  int status;
  const char* errHas;
};

class CliOwlStatusTest : public CliOwlProgramTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(CliOwlStatusTest, TellsTheOutcomeByItsStatus) {
  const StatusCase& c = GetParam();
  if (c.file != nullptr) {
    ASSERT_TRUE(testing::WriteFile(dir_.File(c.file), c.contents));
  }
  EXPECT_EQ(Run(std::string("--import-owl ") + (c.file != nullptr ? c.file : "missing.owl")), c.status);
  EXPECT_NE(Err().find(c.errHas), std::string::npos) << Err();
  if (c.status != kExitOk) {
    EXPECT_FALSE(std::filesystem::exists(dir_.File("Scenario/OwlOutput.scn")));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, CliOwlStatusTest,
    ::testing::Values(
        StatusCase{"done", "ok.owl", "<rdf:RDF><owl:Class rdf:ID=\"A\"><rdfs:label>a</rdfs:label></owl:Class></rdf:RDF>",
                   kExitOk, "Number of OWL main classes: 1\n"},
        StatusCase{"malformed", "bad.owl", "<rdf:RDF>\n<owl:Class rdf:ID=\"A\">\n</rdf:RDF>", kExitMalformedInput,
                   "malvex-cli: bad.owl is not well-formed XML (line 3, column 3)"},
        StatusCase{"missing", nullptr, "", kExitUnreadableInput, "malvex-cli: cannot open the OWL file missing.owl"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CliOwlProgramTest, TheScenarioWrittenAnalysesAText) {
  ASSERT_EQ(Run("--import-owl household.owl --output house.scn"), kExitOk) << Err();
  ASSERT_EQ(Run("--scenario house.scn --result scenario robots.txt"), kExitOk) << Err();
  // "robot" four times, in its group under "Obiect".
  EXPECT_EQ(testing::ReadFile(dir_.File("out.txt")), "obiect\t0004\n  robot\t0004\n");
}

}  // namespace
}  // namespace malvex
