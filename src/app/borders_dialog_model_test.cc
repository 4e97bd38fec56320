#include "app/borders_dialog_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dictionaries/borders.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "settings/folders.h"
#include "settings/settings_record.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

class FakeBordersHost : public BordersDialogHost {
 public:
  bool AnalysisRunning() override { return running; }
  bool TextShown() override { return shown; }
  void Reanalyse() override { ++reanalysed; }
  bool ChooseFileToOpen(const std::string&, std::string& path) override {
    path = openPath;
    return !path.empty();
  }
  bool ChooseFileToSave(std::string const&, std::string& path) override {
    ++saveDialogs;
    path = savePath;
    return !path.empty();
  }
  void Beep() override { ++beeps; }

  bool running = false;
  bool shown = true;
  int reanalysed = 0;
  int beeps = 0;
  int saveDialogs = 0;
  std::string openPath;
  std::string savePath;
};

class BordersDialogModelTest : public ::testing::Test {
 protected:
  BordersDialogModelTest()
      : messages_(box_), store_(messages_), tables_(DefaultLanguageTables()),
        model_(store_, record_, folders_, messages_, tables_, host_) {
    std::filesystem::create_directories(dir_.path() / "Scenario");
    std::filesystem::create_directories(dir_.path() / "Elsewhere");
    folders_.scenario = (dir_.path() / "Scenario").string();
    record_.setKeepBorderKeywords(true);
    box_.SetDefaultAnswer(kButton1);
  }
  std::string InFolder(const std::string& name) const { return folders_.scenario + "/" + name; }
  std::string Elsewhere(const std::string& name) const { return (dir_.path() / "Elsewhere" / name).string(); }
  // The list as "text" or "[x]text" for ticked rows, a line each.
  std::string List() const {
    std::string out;
    for (const BorderItem& i : model_.items()) out += (i.checked ? "[x]" : "") + i.text + "\n";
    return out;
  }
  // Writes `content` as the current borders file and opens the form on it.
  void StartOn(const std::string& name, const std::string& content) {
    ASSERT_TRUE(WriteFile(InFolder(name), content));
    record_.setBordersFile(name);
    store_.Clear();
    ASSERT_TRUE(store_.Load(InFolder(name)));
    model_.Start();
  }
  std::vector<std::string> Boxes() const {
    std::vector<std::string> texts;
    for (const auto& a : box_.asked()) texts.push_back(a.text);
    return texts;
  }

  TempDir dir_;
  ScriptedBox box_;
  Messages messages_;
  SettingsRecord record_;
  Folders folders_;
  BordersStore store_;
  LanguageTables tables_;
  FakeBordersHost host_;
  BordersDialogModel model_;
};

constexpr char kLegal[] = "X#######\tanexa\r\nN#######\tsemnaturi\r\nX#######\tcapitolul_2\r\n";

TEST_F(BordersDialogModelTest, StartShowsTheStoreSortedWithTicks) {
  StartOn("lege.dlm", kLegal);
  EXPECT_EQ(List(), "[x]anexa\n[x]capitolul_2\nsemnaturi\n");
  EXPECT_FALSE(model_.modified());
  EXPECT_TRUE(model_.showBorders());
  EXPECT_EQ(model_.Caption(), "Borders : lege.dlm");
}

TEST_F(BordersDialogModelTest, AddNormalisesSortsAndRefusesDuplicates) {
  StartOn("lege.dlm", kLegal);
  const struct {
    const char* typed;
    bool added;
    const char* selected;  // text of the selected row afterwards
  } cases[] = {
      {"Articolul 5!", true, "articolul_5"},
      {"ANEXA", false, "anexa"},  // already listed: beeps and selects it
      {"  !! ", false, ""},       // nothing left: beeps
      {"Bibliografie", true, "bibliografie"},
  };
  int beeps = 0;
  for (const auto& c : cases) {
    model_.Select(-1);
    EXPECT_EQ(model_.Add(c.typed), c.added) << c.typed;
    if (!c.added) ++beeps;
    EXPECT_EQ(host_.beeps, beeps) << c.typed;
    const std::string selected = model_.selected() < 0 ? "" : model_.items()[model_.selected()].text;
    EXPECT_EQ(selected, c.selected) << c.typed;
  }
  EXPECT_EQ(List(), "[x]anexa\narticolul_5\nbibliografie\n[x]capitolul_2\nsemnaturi\n");
  EXPECT_TRUE(model_.modified());
  // At most 47 typed characters are taken.
  EXPECT_TRUE(model_.Add(std::string(60, 'z')));
  EXPECT_EQ(model_.items().back().text, std::string(47, 'z'));
}

TEST_F(BordersDialogModelTest, DeleteSelectsTheRowBefore) {
  const struct {
    int row;
    int selectedAfter;
    const char* list;
  } cases[] = {
      {0, 0, "[x]capitolul_2\nsemnaturi\n"},
      {2, 1, "[x]anexa\n[x]capitolul_2\n"},
      {1, 0, "[x]anexa\nsemnaturi\n"},
  };
  for (const auto& c : cases) {
    StartOn("lege.dlm", kLegal);
    model_.Select(c.row);
    EXPECT_TRUE(model_.Delete());
    EXPECT_EQ(model_.selected(), c.selectedAfter) << c.row;
    EXPECT_EQ(List(), c.list) << c.row;
  }
  StartOn("one.dlm", "N#######\tunu\r\n");
  model_.Select(0);
  EXPECT_TRUE(model_.Delete());
  EXPECT_EQ(model_.selected(), -1);
  EXPECT_FALSE(model_.Delete());
  EXPECT_EQ(host_.beeps, 1);
}

TEST_F(BordersDialogModelTest, IncludeAndExcludeAll) {
  StartOn("lege.dlm", kLegal);
  model_.IncludeAll();
  EXPECT_EQ(List(), "anexa\ncapitolul_2\nsemnaturi\n");
  model_.ExcludeAll();
  EXPECT_EQ(List(), "[x]anexa\n[x]capitolul_2\n[x]semnaturi\n");
  EXPECT_TRUE(model_.modified());
}

TEST_F(BordersDialogModelTest, CancelUndoesTheListAndTheBox) {
  StartOn("lege.dlm", kLegal);
  model_.Add("nou");
  model_.IncludeAll();
  model_.SetShowBorders(false);
  EXPECT_FALSE(record_.keepBorderKeywords());
  model_.Cancel();
  EXPECT_EQ(List(), "[x]anexa\n[x]capitolul_2\nsemnaturi\n");
  EXPECT_TRUE(model_.showBorders());
  EXPECT_TRUE(record_.keepBorderKeywords());
  EXPECT_FALSE(model_.modified());
  // Applying now changes nothing and runs nothing.
  EXPECT_TRUE(model_.Apply());
  EXPECT_EQ(host_.reanalysed, 0);
}

TEST_F(BordersDialogModelTest, ApplySavesKeepsTheFirstBackupCompilesAndReanalyses) {
  StartOn("lege.dlm", kLegal);
  model_.Select(2);
  model_.SetChecked(2, true);  // semnaturi now starts filtering
  ASSERT_TRUE(model_.Apply());
  EXPECT_EQ(ReadFile(InFolder("lege.dlm")),
            "X#######\tanexa\r\nX#######\tcapitolul_2\r\nX#######\tsemnaturi\r\n");
  EXPECT_EQ(ReadFile(InFolder("lege.bak")), kLegal);
  EXPECT_EQ(host_.reanalysed, 1);
  bool starts = false;
  EXPECT_TRUE(store_.IsBorder("semnaturi", starts));
  EXPECT_TRUE(starts);
  EXPECT_TRUE(store_.Active());
  EXPECT_FALSE(model_.modified());
  // A second save keeps the first backup.
  model_.IncludeAll();
  ASSERT_TRUE(model_.Apply());
  EXPECT_EQ(ReadFile(InFolder("lege.bak")), kLegal);
  EXPECT_EQ(host_.reanalysed, 2);
}

TEST_F(BordersDialogModelTest, ToggledBoxAloneReanalyses) {
  StartOn("lege.dlm", kLegal);
  model_.SetShowBorders(false);
  ASSERT_TRUE(model_.Apply());
  EXPECT_EQ(host_.reanalysed, 1);
  EXPECT_FALSE(record_.keepBorderKeywords());
  // No text shown: nothing to analyse.
  host_.shown = false;
  model_.SetShowBorders(true);
  ASSERT_TRUE(model_.Apply());
  EXPECT_EQ(host_.reanalysed, 1);
}

TEST_F(BordersDialogModelTest, OpenOutsideTheScenarioFolderIsRefused) {
  StartOn("lege.dlm", kLegal);
  // A file of the same name in the scenario folder must not be taken
  // instead of the one chosen.
  ASSERT_TRUE(WriteFile(Elsewhere("lege.dlm"), "N#######\taltceva\r\n"));
  ASSERT_TRUE(WriteFile(Elsewhere("alt.dlm"), "N#######\taltceva\r\n"));
  for (const char* name : {"lege.dlm", "alt.dlm"}) {
    box_.ClearRecords();
    host_.openPath = Elsewhere(name);
    EXPECT_FALSE(model_.Open()) << name;
    EXPECT_EQ(record_.bordersFile(), "lege.dlm") << name;
    EXPECT_EQ(List(), "[x]anexa\n[x]capitolul_2\nsemnaturi\n") << name;
    ASSERT_EQ(Boxes().size(), 1u) << name;
    EXPECT_NE(Boxes()[0].find(messages_.message(1221)), std::string::npos);
    EXPECT_NE(Boxes()[0].find(messages_.message(1222)), std::string::npos);
  }
  EXPECT_EQ(host_.reanalysed, 0);
}

TEST_F(BordersDialogModelTest, OpenInTheFolderLoadsAndApplies) {
  StartOn("lege.dlm", kLegal);
  ASSERT_TRUE(WriteFile(InFolder("alt.dlm"), "N#######\tsfarsit\r\n"));
  host_.openPath = InFolder("alt.dlm");
  ASSERT_TRUE(model_.Open());
  EXPECT_EQ(record_.bordersFile(), "alt.dlm");
  EXPECT_EQ(List(), "sfarsit\n");
  EXPECT_EQ(model_.Caption(), "Borders : alt.dlm");
  EXPECT_EQ(host_.reanalysed, 1);
  // Borders that only stop filtering leave borders inactive.
  EXPECT_FALSE(store_.Active());
}

TEST_F(BordersDialogModelTest, OpenOfAnUnreadableFileKeepsTheCurrentOne) {
  StartOn("lege.dlm", kLegal);
  host_.openPath = InFolder("missing.dlm");
  EXPECT_FALSE(model_.Open());
  EXPECT_EQ(record_.bordersFile(), "lege.dlm");
  EXPECT_EQ(store_.Count(), 3u);
}

TEST_F(BordersDialogModelTest, SaveAsOutsideTheFolderSavesInItAndAsksBeforeReplacing) {
  model_.Start();
  model_.Add("anexa");
  // Outside the folder, no file of that name in it: told, saved in the folder.
  host_.savePath = Elsewhere("nou.dlm");
  ASSERT_TRUE(model_.SaveAs());
  EXPECT_EQ(record_.bordersFile(), "nou.dlm");
  EXPECT_EQ(ReadFile(InFolder("nou.dlm")), "N#######\tanexa\r\n");
  EXPECT_FALSE(std::filesystem::exists(Elsewhere("nou.dlm")));
  ASSERT_EQ(Boxes().size(), 1u);
  EXPECT_NE(Boxes()[0].find(messages_.message(1221)), std::string::npos);

  // A file of that name in the folder: replaced only when the user agrees.
  ASSERT_TRUE(WriteFile(InFolder("lege.dlm"), kLegal));
  model_.Add("alta");
  box_.ClearRecords();
  box_.QueueAnswer(kButton1);  // the error box
  box_.QueueAnswer(kButton2);  // No to replacing
  host_.savePath = Elsewhere("lege.dlm");
  EXPECT_FALSE(model_.SaveAs());
  EXPECT_EQ(ReadFile(InFolder("lege.dlm")), kLegal);
  EXPECT_EQ(record_.bordersFile(), "nou.dlm");
  ASSERT_EQ(Boxes().size(), 2u);
  EXPECT_EQ(Boxes()[1], "lege.dlm" + messages_.message(2044));
  box_.QueueAnswer(kButton1);
  box_.QueueAnswer(kButton1);  // Yes
  ASSERT_TRUE(model_.SaveAs());
  EXPECT_EQ(ReadFile(InFolder("lege.dlm")), "N#######\talta\r\nN#######\tanexa\r\n");
  EXPECT_EQ(record_.bordersFile(), "lege.dlm");
}

TEST_F(BordersDialogModelTest, SaveWithoutAFileAsksForOne) {
  model_.Start();
  model_.Add("anexa");
  host_.savePath.clear();
  EXPECT_FALSE(model_.Apply());  // the save dialog was cancelled
  EXPECT_EQ(host_.saveDialogs, 1);
  EXPECT_TRUE(model_.modified());
  host_.savePath = InFolder("x");
  ASSERT_TRUE(model_.Apply());
  EXPECT_EQ(record_.bordersFile(), "x.dlm");
  EXPECT_EQ(ReadFile(InFolder("x.dlm")), "N#######\tanexa\r\n");
}

TEST_F(BordersDialogModelTest, LeavingUnsavedChanges) {
  const struct {
    int answer;
    bool proceeds;
    bool saved;
  } cases[] = {{kButton1, true, true}, {kButton2, true, false}, {kClosed, true, false}};
  for (const auto& c : cases) {
    StartOn("lege.dlm", kLegal);
    model_.Add("nou");
    box_.QueueAnswer(c.answer);
    EXPECT_EQ(model_.ConfirmLeaving(), c.proceeds);
    EXPECT_EQ(ReadFile(InFolder("lege.dlm")).find("nou") != std::string::npos, c.saved);
  }
}

TEST_F(BordersDialogModelTest, NewClearsAndApplies) {
  StartOn("lege.dlm", kLegal);
  store_.Compile(true);
  ASSERT_TRUE(store_.Active());
  ASSERT_TRUE(model_.New());
  EXPECT_EQ(record_.bordersFile(), "");
  EXPECT_TRUE(model_.items().empty());
  EXPECT_FALSE(store_.Active());
  EXPECT_EQ(model_.Caption(), "Borders");
  host_.running = true;
  EXPECT_FALSE(model_.New());
  EXPECT_FALSE(model_.Open());
}

TEST_F(BordersDialogModelTest, ClosingWithUnsavedChangesSavesAndApplies) {
  StartOn("lege.dlm", kLegal);
  model_.ExcludeAll();
  model_.Close();
  EXPECT_EQ(ReadFile(InFolder("lege.dlm")),
            "X#######\tanexa\r\nX#######\tcapitolul_2\r\nX#######\tsemnaturi\r\n");
  EXPECT_EQ(host_.reanalysed, 1);
}

TEST_F(BordersDialogModelTest, Explanation) {
  // Message texts share one buffer: each is copied before the next.
  std::string expected = messages_.message(574) + "\n";
  for (int id = 1143; id <= 1146; ++id) expected += messages_.message(id) + "\n";
  EXPECT_EQ(model_.Explanation(), expected);
}

}  // namespace
}  // namespace malvex
