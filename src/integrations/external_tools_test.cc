#include "integrations/external_tools.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "platform/registry.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::TempDir;

class RecordingStarter : public ProcessStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    started.push_back({program, arguments});
    // What the program would read, while it runs.
    for (const std::string& a : arguments) contents.push_back(testing::ReadFile(a));
    return succeed;
  }
  struct Call {
    std::string program;
    std::vector<std::string> arguments;
  };
  std::vector<Call> started;
  std::vector<std::string> contents;
  bool succeed = true;
};

// Writes an executable script (or a plain file when `mode` says so).
std::string MakeProgram(const TempDir& dir, const std::string& name, mode_t mode = 0755) {
  const std::string path = dir.File(name);
  EXPECT_TRUE(testing::WriteFile(path, "#!/bin/sh\nexit 0\n"));
  ::chmod(path.c_str(), mode);
  return path;
}

TEST(SplitArgumentsTest, SplitsAsAShellWouldWithoutExpanding) {
  const struct {
    const char* text;
    std::vector<std::string> words;
  } cases[] = {
      {"", {}},
      {"   ", {}},
      {"-a -b", {"-a", "-b"}},
      {"  --mode=fast\t  x ", {"--mode=fast", "x"}},
      {"'two words' \"and more\"", {"two words", "and more"}},
      {"a'b c'd", {"ab cd"}},
      {"\"\" ''", {"", ""}},
      {"\"say \\\"hi\\\"\" \"\\n stays\"", {"say \"hi\"", "\\n stays"}},
      {"'$HOME' $HOME `ls` ; rm -rf x", {"$HOME", "$HOME", "`ls`", ";", "rm", "-rf", "x"}},
      {"a\\ b c\\'d", {"a b", "c'd"}},
      {"*.txt ~ >out", {"*.txt", "~", ">out"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    std::vector<std::string> words{"left over"};
    EXPECT_TRUE(SplitArguments(c.text, words));
    EXPECT_EQ(words, c.words);
  }
  for (const char* bad : {"'open", "\"open", "end\\", "a \"b 'c"}) {
    SCOPED_TRACE(bad);
    std::vector<std::string> words{"x"};
    EXPECT_FALSE(SplitArguments(bad, words));
    EXPECT_TRUE(words.empty());
  }
}

class ExternalToolsTest : public ::testing::Test {
 protected:
  ExternalToolsTest() : user_(dir_.File("user.ini")), machine_(dir_.File("machine.ini")) {}
  void Plugin(Registry& r, int n, const std::string& path, const std::string& label, const std::string& options) {
    const std::string key = PluginRegistryKey(n);
    r.Set(key, "Path", path);
    if (!label.empty()) r.Set(key, "Label", label);
    if (!options.empty()) r.Set(key, "Options", options);
  }
  TempDir dir_;
  Registry user_;
  Registry machine_;
  RecordingStarter starter_;
};

TEST_F(ExternalToolsTest, KeysOneAndThreeShowItemsOneAndThree) {
  const std::string tool = MakeProgram(dir_, "tool");
  Plugin(user_, 1, tool, "First", "");
  Plugin(user_, 3, tool, "", "");  // no label
  Plugin(user_, 4, "", "Empty path", "");
  const auto slots = ReadPlugins(user_, nullptr, "Unknown plugin");
  EXPECT_TRUE(slots[0].inUse());
  EXPECT_FALSE(slots[1].inUse());
  EXPECT_TRUE(slots[2].inUse());
  EXPECT_FALSE(slots[3].inUse());
  EXPECT_EQ(slots[0].label, "First");
  EXPECT_EQ(slots[2].label, "Unknown plugin");
  for (int n = 0; n < kPluginSlots; ++n) EXPECT_EQ(slots[n].number, n + 1);
}

TEST_F(ExternalToolsTest, TheUsersSlotComesFirstThenTheMachinesWhole) {
  Plugin(user_, 1, "/u/one", "User one", "");
  Plugin(machine_, 1, "/m/one", "Machine one", "--machine");
  Plugin(machine_, 2, "/m/two", "Machine two", "-x");
  // A user's slot with a label only does not hide the machine's.
  user_.Set(PluginRegistryKey(2), "Label", "Renamed");
  const auto slots = ReadPlugins(user_, &machine_, "Unknown plugin");
  EXPECT_EQ(slots[0].path, "/u/one");
  EXPECT_EQ(slots[0].label, "User one");
  EXPECT_EQ(slots[0].options, "");  // never the machine's options
  EXPECT_EQ(slots[1].path, "/m/two");
  EXPECT_EQ(slots[1].label, "Machine two");
  EXPECT_EQ(slots[1].options, "-x");
}

TEST_F(ExternalToolsTest, APluginReceivesItsOptionsAsArguments) {
  const std::string tool = MakeProgram(dir_, "tool");
  Plugin(user_, 2, tool, "Tool", "--list \"my file.txt\" -v");
  Plugin(user_, 3, tool, "Broken", "'unterminated");
  ExternalTools tools(starter_, "");
  tools.Discover(user_, nullptr, "Unknown plugin", "ro");
  EXPECT_TRUE(tools.AnyFound());
  EXPECT_EQ(tools.StartPlugin(2), 0);
  ASSERT_EQ(starter_.started.size(), 1u);
  EXPECT_EQ(starter_.started[0].program, tool);
  EXPECT_EQ(starter_.started[0].arguments, (std::vector<std::string>{"--list", "my file.txt", "-v"}));
  // Options that do not split, or a slot not in use, start nothing.
  EXPECT_EQ(tools.StartPlugin(3), kMsgStartFailed);
  EXPECT_EQ(tools.StartPlugin(1), kMsgStartFailed);
  EXPECT_EQ(tools.StartPlugin(5), kMsgStartFailed);
  EXPECT_EQ(starter_.started.size(), 1u);
}

TEST_F(ExternalToolsTest, EachStartFailureHasItsMessage) {
  const std::string good = MakeProgram(dir_, "good");
  const std::string plain = MakeProgram(dir_, "plain", 0644);
  std::filesystem::create_directory(dir_.File("folder"));
  const struct {
    std::string program;
    bool starterSucceeds;
    int message;
  } cases[] = {
      {good, true, 0},
      {"good", true, 0},  // found on the PATH
      {good, false, kMsgStartFailed},
      {dir_.File("missing"), true, kMsgProgramMissing},
      {"missing-program-name", true, kMsgProgramMissing},
      {dir_.File("good/inside"), true, kMsgProgramMissing},
      {plain, true, kMsgNotExecutable},
      {dir_.File("folder"), true, kMsgNotExecutable},
  };
  const std::string path = "/nonexistent:" + dir_.path().string();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.program);
    starter_.succeed = c.starterSucceeds;
    const size_t before = starter_.started.size();
    EXPECT_EQ(StartProgram(starter_, c.program, {}, path), c.message);
    const bool tried = c.message == 0 || c.message == kMsgStartFailed;
    EXPECT_EQ(starter_.started.size(), before + (tried ? 1 : 0));
    if (tried) EXPECT_EQ(starter_.started.back().program, good);
  }
}

TEST_F(ExternalToolsTest, TheSurveyProgramReceivesTheResultListAsATemporaryFileRemovedAtTheEnd) {
  const std::string survey = MakeProgram(dir_, "malvex-survey");
  std::filesystem::create_directory(dir_.File("tmp"));
  std::string file;
  {
    ExternalTools tools(starter_, dir_.path().string());
    tools.Discover(user_, nullptr, "Unknown plugin", "ro");
    ASSERT_TRUE(tools.companion(Companion::kSurvey).found());
    EXPECT_TRUE(tools.AnySurvey());
    EXPECT_FALSE(tools.companion(Companion::kRobot).found());
    EXPECT_EQ(tools.StartCompanion(Companion::kSurvey, {"robot\t6", "om\t4"}, dir_.File("tmp"), "Ma"), 0);
    ASSERT_EQ(starter_.started.size(), 1u);
    EXPECT_EQ(starter_.started[0].program, survey);
    ASSERT_EQ(starter_.started[0].arguments.size(), 1u);
    file = starter_.started[0].arguments[0];
    EXPECT_EQ(std::filesystem::path(file).parent_path(), std::filesystem::path(dir_.File("tmp")));
    EXPECT_EQ(std::filesystem::path(file).filename().string().substr(0, 2), "Ma");
    EXPECT_EQ(starter_.contents[0], "robot\t6\nom\t4\n");
    EXPECT_TRUE(std::filesystem::exists(file));
    // An empty result list: no file, no argument.
    EXPECT_EQ(tools.StartCompanion(Companion::kSurvey, {}, dir_.File("tmp"), "Ma"), 0);
    EXPECT_TRUE(starter_.started[1].arguments.empty());
    EXPECT_EQ(tools.temporaryFiles().paths().size(), 1u);
    // A start that fails takes its file away at once.
    starter_.succeed = false;
    EXPECT_EQ(tools.StartCompanion(Companion::kSurvey, {"x"}, dir_.File("tmp"), "Ma"), kMsgStartFailed);
    EXPECT_EQ(tools.temporaryFiles().paths().size(), 1u);
  }
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(std::filesystem::is_empty(dir_.File("tmp")));
}

TEST_F(ExternalToolsTest, CompanionsComeFromTheRegistryThenThePathAndStayHiddenOtherwise) {
  const std::string robot = MakeProgram(dir_, "malvex-robot");
  const std::string vinta = MakeProgram(dir_, "malvex-vintaro");
  const std::string other = MakeProgram(dir_, "my-survey");
  user_.Set(CompanionRegistryKey("Survey"), "Path", other);
  user_.Set(CompanionRegistryKey("Survey"), "Label", "My survey");
  // A registered path that is no program hides the item, even with one on
  // the PATH.
  machine_.Set(CompanionRegistryKey("Robot"), "Path", dir_.File("gone"));
  const auto found = FindCompanions(user_, &machine_, dir_.path().string(), "ro");
  EXPECT_EQ(found[0].path, other);
  EXPECT_EQ(found[0].label, "My survey");
  EXPECT_FALSE(found[1].found());
  EXPECT_EQ(found[2].path, vinta);
  EXPECT_TRUE(found[2].label.empty());
  EXPECT_FALSE(found[3].found());
  // Nothing registered and nothing on the PATH: all hidden.
  Registry empty(dir_.File("empty.ini"));
  for (const CompanionProgram& c : FindCompanions(empty, nullptr, "/nonexistent", "ro")) EXPECT_FALSE(c.found());
}

TEST_F(ExternalToolsTest, TheMachineRegistryIsTheFirstConfigFolderHoldingOne) {
  std::filesystem::create_directories(dir_.File("a/malvex"));
  std::filesystem::create_directories(dir_.File("b/malvex"));
  std::filesystem::create_directories(dir_.File("c/malvex"));
  ASSERT_TRUE(testing::WriteFile(dir_.File("b/malvex/registry.ini"), ""));
  ASSERT_TRUE(testing::WriteFile(dir_.File("c/malvex/registry.ini"), ""));
  const std::string dirs = dir_.File("a") + "::relative:" + dir_.File("b") + ":" + dir_.File("c");
  EXPECT_EQ(MachineRegistryPath(dirs), dir_.File("b") + "/malvex/registry.ini");
  EXPECT_EQ(MachineRegistryPath(dir_.File("a")), "");
}

}  // namespace
}  // namespace malvex
