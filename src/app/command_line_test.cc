#include "app/command_line.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

class CommandLineTest : public ::testing::Test {
 protected:
  CommandLineTest() {
    text_ = dir_.File("texte.txt");
    testing::WriteFile(text_, "Ion vine.");
  }
  CommandLine Parse(const std::vector<std::string>& args) { return ParseCommandLine(args, dir_.path().string()); }

  testing::TempDir dir_;
  std::string text_;
};

TEST_F(CommandLineTest, OptionsAndTheirTexts) {
  struct Case {
    std::vector<std::string> args;
    bool requested;
    std::string text;
    bool levelGiven;
    int level;
  };
  const Case cases[] = {
      {{"-cCasa"}, true, "casa", false, 0},
      {{"/CCasa"}, true, "casa", false, 0},  // the whole option is lower-cased
      {{"-h3name"}, true, "name", true, 3},
      {{"/h3Name"}, true, "name", true, 3},
      {{"-h9name"}, true, "name", false, 0},  // accepted, but no level
      {{"-h4"}, true, "", true, 4},
      {{"-c" + std::string(100, 'a')}, true, std::string(79, 'a'), false, 0},
      {{"-f", "-r", "-e5"}, false, "", false, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front());
    const CommandLine cl = Parse(c.args);
    EXPECT_FALSE(cl.Failed());
    EXPECT_FALSE(cl.fileGiven);
    EXPECT_EQ(cl.displayRequested, c.requested);
    EXPECT_EQ(cl.request.text, c.text);
    EXPECT_EQ(cl.request.levelGiven, c.levelGiven);
    EXPECT_EQ(cl.request.level, c.level);
  }
}

TEST_F(CommandLineTest, SlashArgumentsArePathsUnlessWrittenAsAnOption) {
  struct Case {
    std::string arg;
    bool option;
  };
  const Case cases[] = {
      {"-c", true},
      {"/c", true},             // no further '/', no such file
      {"/tmp", false},          // an existing entry of the root folder
      {text_, false},           // a full path holds further '/'
      {"/cname/x", false},      // a path, even when missing
      {"texte.txt", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(IsCommandLineOption(c.arg), c.option) << c.arg;
}

TEST_F(CommandLineTest, FileArgumentBecomesAFullPath) {
  const CommandLine relative = Parse({"-i", "texte.txt"});
  ASSERT_TRUE(relative.fileGiven);
  EXPECT_EQ(relative.file, text_);
  EXPECT_EQ(relative.fileArgument, 2);

  const CommandLine absolute = Parse({text_, "-l"});
  EXPECT_FALSE(absolute.Failed());
  EXPECT_TRUE(absolute.fileGiven);
  EXPECT_EQ(absolute.file, text_);
  EXPECT_TRUE(absolute.listMode);

  // Of several files the last one wins.
  const CommandLine two = Parse({"missing.txt", "texte.txt"});
  EXPECT_FALSE(two.Failed());
  EXPECT_EQ(two.file, text_);
}

TEST_F(CommandLineTest, MissingFileStopsUnlessTheCheckIsOff) {
  const std::string missing = dir_.File("absent.txt");
  const CommandLine checked = Parse({"absent.txt"});
  EXPECT_FALSE(checked.fileGiven);
  EXPECT_EQ(checked.errors, std::vector<std::string>{missing});

  const CommandLine unchecked = Parse({"-i", "absent.txt"});
  EXPECT_FALSE(unchecked.Failed());
  EXPECT_TRUE(unchecked.fileGiven);
  EXPECT_EQ(unchecked.file, missing);
}

TEST_F(CommandLineTest, ErrorsNameTheOffendingArgument) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> errors;
  };
  const Case cases[] = {
      {{"-X", "-cname"}, {"-x"}},          // unknown letter; parsing goes on
      {{"-c"}, {"-c"}},                    // missing text
      {{"-H"}, {"-h"}},
      {{"-e"}, {"-e"}},
      {{"-"}, {"-"}},
      {{"", "-x"}, {""}},                  // an empty argument ends the parsing
      {{"-x", "-y"}, {"-x", "-y"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.front());
    const CommandLine cl = Parse(c.args);
    EXPECT_EQ(cl.errors, c.errors);
  }
  const CommandLine goesOn = Parse({"-X", "-cname"});
  EXPECT_EQ(goesOn.request.text, "name");

  ScriptedBox box;
  Messages messages(box);
  EXPECT_EQ(CommandLineErrorText(messages, "-x"), "Incorrect command line parameter [-x]. Execution stopped.");
}

TEST_F(CommandLineTest, ScenarioOptionKeepsTheFileNameCase) {
  const CommandLine named = Parse({"-sMy Scenario.txt"});
  EXPECT_TRUE(named.scenarioGiven);
  EXPECT_EQ(named.scenario, "My Scenario.txt");
  EXPECT_EQ(ScenarioFileFromOption(named.scenario), "My Scenario.scn");
  EXPECT_EQ(ScenarioFileFromOption("Plain"), "Plain.scn");

  const CommandLine bare = Parse({"/s"});
  EXPECT_FALSE(bare.Failed());
  EXPECT_TRUE(bare.scenarioGiven);
  EXPECT_EQ(bare.scenario, "");
  EXPECT_EQ(ScenarioFileFromOption(bare.scenario), "");
}

TEST_F(CommandLineTest, ListFileGivesOnePathPerLine) {
  const std::string list = dir_.File("list.lst");
  ASSERT_TRUE(testing::WriteFile(list, "texte.txt\r\n\n  \n/abs/other.txt\nsub/third.txt"));
  std::vector<std::string> files;
  ASSERT_TRUE(ReadFileList(list, files));
  EXPECT_EQ(files, (std::vector<std::string>{text_, "/abs/other.txt", dir_.File("sub/third.txt")}));
  EXPECT_FALSE(ReadFileList(dir_.File("none.lst"), files));
  // A list named by another program that is a FIFO nobody writes to is
  // refused at once instead of holding the start-up.
  const std::string fifo = dir_.File("fifo.lst");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  files.clear();
  EXPECT_FALSE(ReadFileList(fifo, files));
  EXPECT_TRUE(files.empty());
}

}  // namespace
}  // namespace malvex
