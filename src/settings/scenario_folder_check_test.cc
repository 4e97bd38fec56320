#include "settings/scenario_folder_check.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "settings/folders.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(ScenarioFolderCheck, FolderOfThePathIsCompared) {
  Folders folders;
  folders.scenario = "/inst/Scenario";
  const struct {
    const char* path;
    bool inside;
  } cases[] = {
      {"/inst/Scenario/a.dlm", true},   {"/inst/scenario/a.dlm", true},  {"/inst/Scenario//a.dlm", true},
      {"/inst/Scenario/sub/a.dlm", false}, {"/inst/a.dlm", false},       {"a.dlm", false},
      {"/inst/Scenarios/a.dlm", false},
  };
  for (const auto& c : cases) EXPECT_EQ(InScenarioFolder(folders, c.path), c.inside) << c.path;
}

TEST(ScenarioFolderCheck, OpenOutsideShowsBothMessagesWithTheFolder) {
  ScriptedBox box(kButton1);
  Messages messages(box);
  Folders folders;
  folders.scenario = "/inst/Scenario";
  EXPECT_TRUE(CheckInScenarioFolder(folders, messages, "/inst/Scenario/x.scn"));
  EXPECT_TRUE(box.asked().empty());
  EXPECT_FALSE(CheckInScenarioFolder(folders, messages, "/home/x.scn"));
  ASSERT_EQ(box.asked().size(), 1u);
  std::string expected = messages.message(1221);
  expected += "\"/inst/Scenario\" ";
  expected += messages.message(1222);
  EXPECT_EQ(box.asked()[0].text, expected);
}

TEST(ScenarioFolderCheck, SaveNameTakesTheExtensionAndAsksBeforeReplacing) {
  TempDir dir;
  std::filesystem::create_directories(dir.path() / "Scenario");
  Folders folders;
  folders.scenario = (dir.path() / "Scenario").string();
  ASSERT_TRUE(WriteFile(folders.scenario + "/taken.dlm", "keep"));
  const struct {
    std::string path;
    int answer;      // to the replace question, when asked
    bool accepted;
    const char* name;
    size_t boxes;    // error box and question
  } cases[] = {
      {folders.scenario + "/nou", kButton1, true, "nou.dlm", 0},
      {folders.scenario + "/taken.dlm", kButton2, true, "taken.dlm", 0},  // the file dialog confirmed it
      {"/elsewhere/nou.txt", kButton2, true, "nou.dlm", 1},
      {"/elsewhere/taken.dlm", kButton2, false, "taken.dlm", 2},
      {"/elsewhere/taken.dlm", kButton1, true, "taken.dlm", 2},
      {"/elsewhere/", kButton1, false, "", 0},
  };
  for (const auto& c : cases) {
    ScriptedBox box(c.answer);
    Messages messages(box);
    std::string name;
    EXPECT_EQ(ScenarioFolderSaveName(folders, messages, c.path, ".dlm", name), c.accepted) << c.path;
    if (c.accepted) EXPECT_EQ(name, c.name) << c.path;
    EXPECT_EQ(box.asked().size(), c.boxes) << c.path;
  }
  EXPECT_EQ(ReadFile(folders.scenario + "/taken.dlm"), "keep");
}

}  // namespace
}  // namespace malvex
