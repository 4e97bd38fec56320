#include "scenarios/current_scenario.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <vector>

#include "dictionaries/lemma_index.h"
#include "dictionaries/semantic_dictionary_builder.h"
#include "foundations/messages.h"
#include "platform/files.h"
#include "platform/scripted_box.h"
#include "scenarios/scenario_hierarchy.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "scenarios/scenario_tree.h"
#include "settings/folders.h"
#include "settings/settings_record.h"
#include "test_support.h"

#include <sys/wait.h>
#include <unistd.h>

namespace malvex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

bool Exists(const std::string& path) { return std::filesystem::exists(path); }

class CurrentScenarioTest : public ::testing::Test {
 protected:
  CurrentScenarioTest() : messages_(box_), store_(messages_), current_(store_, nullptr, record_, folders_) {
    folders_.scenario = dir_.path().string();
    record_.setScenarioFile("work.scn");
  }

  std::string File(const std::string& name) const { return dir_.File(name); }
  // Loads the current scenario and reads its tree.
  void Open() {
    ASSERT_TRUE(current_.LoadCurrentScenario());
    ReadScenarioHierarchy(store_, tree_);
  }

  TempDir dir_;
  ScriptedBox box_;
  Messages messages_;
  SettingsRecord record_;
  Folders folders_;
  ScenarioStore store_;
  CurrentScenario current_;
  ScenarioTree tree_;
};

TEST_F(CurrentScenarioTest, LoadReadsTheFileOfTheScenarioFolder) {
  ASSERT_TRUE(WriteFile(File("work.scn"), "G#0V\t1\tA\r\n0#1#\tw\tA\r\n"));
  EXPECT_EQ(current_.Path(), File("work.scn"));
  ASSERT_TRUE(current_.LoadCurrentScenario());
  EXPECT_EQ(store_.count(), 2u);
  EXPECT_NE(store_.fileTime(), 0);
  // A second load replaces the entries.
  ASSERT_TRUE(current_.LoadCurrentScenario());
  EXPECT_EQ(store_.count(), 2u);
}

TEST_F(CurrentScenarioTest, NoScenarioNameLoadsNothing) {
  ASSERT_TRUE(WriteFile(File("work.scn"), "G#0V\t1\tA\r\n"));
  ASSERT_TRUE(current_.LoadCurrentScenario());
  record_.setScenarioFile("");
  EXPECT_TRUE(current_.LoadCurrentScenario());
  EXPECT_EQ(store_.count(), 0u);
  EXPECT_EQ(store_.fileTime(), 0);
  EXPECT_TRUE(box_.asked().empty());
}

TEST_F(CurrentScenarioTest, MissingFileFailsWithMessage4) {
  ASSERT_TRUE(WriteFile(File("work.scn"), "G#0V\t1\tA\r\n"));
  ASSERT_TRUE(current_.LoadCurrentScenario());
  record_.setScenarioFile("gone.scn");
  EXPECT_FALSE(current_.LoadCurrentScenario());
  EXPECT_EQ(store_.count(), 0u);
  ASSERT_EQ(box_.asked().size(), 1u);
  EXPECT_EQ(box_.asked()[0].text, "Disk read error (file corrupted or I/O error). \"" + File("gone.scn") + "\"");
}

TEST_F(CurrentScenarioTest, CommandLineScenarioIsAppliedOnce) {
  ASSERT_TRUE(WriteFile(File("given.scn"), "G#0V\t1\tA\r\n"));
  current_.SetCommandLineScenario("given.txt");
  ASSERT_TRUE(current_.LoadCurrentScenario());
  EXPECT_EQ(record_.scenarioFile(), "given.scn");
  EXPECT_EQ(store_.count(), 1u);
  record_.setScenarioFile("work.scn");
  ASSERT_TRUE(WriteFile(File("work.scn"), "G#0V\t1\tA\r\nG#0V\t2\tB\r\n"));
  ASSERT_TRUE(current_.LoadCurrentScenario());
  EXPECT_EQ(store_.count(), 2u);
  // An empty name given on the command line means no scenario.
  current_.SetCommandLineScenario("");
  EXPECT_TRUE(current_.LoadCurrentScenario());
  EXPECT_EQ(record_.scenarioFile(), "");
  EXPECT_EQ(store_.count(), 0u);
}

TEST_F(CurrentScenarioTest, SavingTwiceKeepsTheFirstBackup) {
  const std::string original = "G#0V\t1\tOriginal\r\n";
  ASSERT_TRUE(WriteFile(File("work.scn"), original));
  Open();
  tree_.roots()[0]->text = "Second";
  tree_.modified = true;
  ASSERT_TRUE(current_.SaveScenarioFile(tree_));
  EXPECT_FALSE(tree_.modified);
  EXPECT_EQ(ReadFile(File("work.scn")), "G#0V\t1\tSecond\r\n");
  EXPECT_EQ(ReadFile(File("work.bak")), original);
  tree_.roots()[0]->text = "Third";
  ASSERT_TRUE(current_.SaveScenarioFile(tree_));
  EXPECT_EQ(ReadFile(File("work.scn")), "G#0V\t1\tThird\r\n");
  EXPECT_EQ(ReadFile(File("work.bak")), original);
  EXPECT_FALSE(Exists(File("work.tmp")));
}

TEST_F(CurrentScenarioTest, AScenarioSavedInUtf8IsWrittenBackInUtf8) {
  // "Invenții" as a text editor saves it: UTF-8 with its mark.
  const std::string original = "\xEF\xBB\xBFG#0V\t1\tInven\xC8\x9Bii\r\n0#1#\tbrevet\tInven\xC8\x9Bii\r\n";
  ASSERT_TRUE(WriteFile(File("work.scn"), original));
  Open();
  ASSERT_EQ(tree_.roots().size(), 1u);
  EXPECT_EQ(tree_.roots()[0]->text, "Inven\xFEii");
  tree_.roots()[0]->text = "Inven\xFEii noi";
  ASSERT_TRUE(current_.SaveScenarioFile(tree_));
  EXPECT_EQ(ReadFile(File("work.scn")),
            "\xEF\xBB\xBFG#0V\t1\tInven\xC8\x9Bii noi\r\n0#1#\tbrevet\tInven\xC8\x9Bii noi\r\n");
  EXPECT_EQ(ReadFile(File("work.bak")), original);

  // A scenario begun without a file is written in the code page.
  record_.setScenarioFile("");
  ASSERT_TRUE(current_.LoadCurrentScenario());
  record_.setScenarioFile("fresh.scn");
  ScenarioTree fresh;
  fresh.AddGroup(nullptr, "Inven\xFEii", true, 7);
  ASSERT_TRUE(current_.SaveScenarioFile(fresh));
  EXPECT_EQ(ReadFile(File("fresh.scn")), "G#0V\t7\tInven\xFEii\r\n");
}

TEST_F(CurrentScenarioTest, SavingANewScenarioMakesNoBackup) {
  tree_.AddGroup(nullptr, "Fresh", true, 0);
  ASSERT_TRUE(current_.SaveScenarioFile(tree_));
  EXPECT_EQ(ReadFile(File("work.scn")), "G#0V\t1\tFresh\r\n");
  EXPECT_FALSE(Exists(File("work.bak")));
}

TEST_F(CurrentScenarioTest, FailedHierarchyWriteLeavesTheFilesUntouched) {
  ASSERT_TRUE(WriteFile(File("work.scn"), "G#0V\t5\tKept\r\n"));
  ASSERT_TRUE(WriteFile(File("work.bak"), "G#0V\t4\tBackup\r\n"));
  Open();
  tree_.AddGroup(nullptr, "New", true, 0);
  tree_.modified = true;
  store_.signatures().counter = kScenarioMaxSignature;
  EXPECT_FALSE(current_.SaveScenarioFile(tree_));
  EXPECT_EQ(ReadFile(File("work.scn")), "G#0V\t5\tKept\r\n");
  EXPECT_EQ(ReadFile(File("work.bak")), "G#0V\t4\tBackup\r\n");
  EXPECT_FALSE(Exists(File("work.tmp")));
  EXPECT_TRUE(tree_.modified);
}

TEST_F(CurrentScenarioTest, FailedTemporaryWriteLeavesTheFilesAndTheModifiedMark) {
  ASSERT_TRUE(WriteFile(File("work.scn"), "G#0V\t5\tKept\r\n"));
  Open();
  // A folder where the temporary file should go cannot be replaced.
  ASSERT_TRUE(MakeFolders(File("work.tmp")));
  tree_.modified = true;
  EXPECT_FALSE(current_.SaveScenarioFile(tree_));
  EXPECT_TRUE(tree_.modified);
  EXPECT_EQ(ReadFile(File("work.scn")), "G#0V\t5\tKept\r\n");
  EXPECT_FALSE(Exists(File("work.bak")));
  ASSERT_EQ(box_.asked().size(), 1u);
  EXPECT_EQ(box_.asked()[0].text, "Disk write error (disk full or I/O error). \"" + File("work.tmp") + "\"");
}

// The save is killed at each of its steps, with and without a backup
// already there: the ".scn" file (or else the ".bak") must hold the old or
// the new scenario whole, and load.
TEST_F(CurrentScenarioTest, ASaveKilledAtAnyStepLeavesAWholeScenario) {
  const std::string oldText = "G#0V\t1\tVechi\r\n0#1#\tw\tVechi\r\n";
  std::string longItems;
  for (int i = 0; i < 2000; ++i) longItems += "0#1#\tcuvant" + std::to_string(i) + "\tNou\r\n";
  const std::string newText = "G#0V\t1\tNou\r\n" + longItems;
  for (const bool backupBefore : {false, true}) {
    for (int step = 0; step <= kScenarioSaveStepCount; ++step) {
      SCOPED_TRACE("backup before: " + std::to_string(backupBefore) + ", killed at step " + std::to_string(step));
      std::filesystem::remove(File("work.bak"));
      std::filesystem::remove(File("work.tmp"));
      ASSERT_TRUE(WriteFile(File("work.scn"), oldText));
      if (backupBefore) ASSERT_TRUE(WriteFile(File("work.bak"), oldText));
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        ScenarioStore store(messages_);
        CurrentScenario current(store, nullptr, record_, folders_);
        ScenarioStore source(messages_);
        ScenarioTree tree;
        const std::string newPath = File("new.txt");
        if (!WriteFile(newPath, newText) || !source.Load(newPath)) _exit(3);
        ReadScenarioHierarchy(source, tree);
        current.SetSaveHook([step](ScenarioSaveStep s) {
          if (static_cast<int>(s) == step) kill(getpid(), SIGKILL);
        });
        _exit(current.SaveScenarioFile(tree) ? 0 : 2);
      }
      int status = 0;
      ASSERT_EQ(waitpid(child, &status, 0), child);
      const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
      EXPECT_TRUE(killed || (WIFEXITED(status) && WEXITSTATUS(status) == 0));
      // With a backup there already, the backup step does not happen.
      const bool stepHappens =
          step < kScenarioSaveStepCount && !(backupBefore && step == static_cast<int>(ScenarioSaveStep::kBackupWritten));
      EXPECT_EQ(killed, stepHappens);

      const std::string scn = Exists(File("work.scn")) ? ReadFile(File("work.scn")) : std::string();
      const std::string bak = Exists(File("work.bak")) ? ReadFile(File("work.bak")) : std::string();
      const bool scnWhole = scn == oldText || scn == newText;
      EXPECT_TRUE(scnWhole || bak == oldText);
      // The ".scn" file is never missing or partial: the backup is a copy
      // and the new file arrives by one rename.
      EXPECT_TRUE(scnWhole) << scn.size() << " bytes";
      EXPECT_TRUE(bak.empty() || bak == oldText) << bak.size() << " bytes";
      // Before the rename the old scenario is in place, after it the new.
      const bool renamed = !killed || step >= static_cast<int>(ScenarioSaveStep::kRenamed);
      EXPECT_EQ(scn.size(), (renamed ? newText : oldText).size());
      EXPECT_TRUE(renamed ? scn == newText : scn == oldText);
      if (!backupBefore && step > static_cast<int>(ScenarioSaveStep::kBackupWritten)) EXPECT_EQ(bak.size(), oldText.size());
      ScenarioStore check(messages_);
      EXPECT_TRUE(check.Load(File("work.scn")));
      EXPECT_GE(check.count(), 2u);
    }
  }
}

TEST_F(CurrentScenarioTest, SaveWithoutAScenarioNameFails) {
  record_.setScenarioFile("");
  tree_.AddGroup(nullptr, "A", true, 1);
  EXPECT_FALSE(current_.SaveScenarioFile(tree_));
}

// The layer built through the current scenario.
class CurrentScenarioLayerTest : public CurrentScenarioTest {
 protected:
  CurrentScenarioLayerTest()
      : tables_(DefaultLanguageTables()),
        dictionary_(messages_, tables_, pool_),
        layer_(dictionary_, store_, nullptr, nullptr, messages_),
        withLayer_(store_, &layer_, record_, folders_) {
    SemanticDictionaryBuilder builder;
    SemanticSenseEntry sense;
    sense.form = "doctor";
    sense.classes[0] = "medic";
    EXPECT_TRUE(builder.AddSense(sense));
    std::string image;
    EXPECT_TRUE(builder.Build(image));
    EXPECT_EQ(dictionary_.LoadImage(image), SemanticLoadStatus::kOk);
  }

  LanguageTables tables_;
  StringPool pool_;
  SemanticDictionary dictionary_;
  ScenarioLayer layer_;
  CurrentScenario withLayer_;
};

TEST_F(CurrentScenarioLayerTest, LoadBuildsTheLayerAndAFailedLoadDropsIt) {
  ASSERT_TRUE(WriteFile(File("work.scn"), "G#0V\t1\tA\r\n1#1#\tmedic\tA\r\n0#1#\tcuvant\tA\r\n"));
  ASSERT_TRUE(withLayer_.LoadCurrentScenario());
  EXPECT_EQ(layer_.GroupCount(), 1u);
  const int32_t medic = dictionary_.ClassNumberOfName(1, "medic");
  EXPECT_EQ(layer_.GroupOfClass(1, medic), 1);
  record_.setScenarioFile("gone.scn");
  EXPECT_FALSE(withLayer_.LoadCurrentScenario());
  EXPECT_EQ(layer_.GroupCount(), 0u);
  EXPECT_EQ(layer_.GroupOfClass(1, medic), 0);
  EXPECT_EQ(dictionary_.CurrentNumberOfClasses(kScenarioLevel), 0u);
}

TEST_F(CurrentScenarioLayerTest, OldFileIsReportedAndResynchronisedBySaving) {
  ASSERT_TRUE(WriteFile(File("work.scn"), "G  V\tOld\tOld\r\n0   \tcuvant\tOld\r\n"));
  ASSERT_TRUE(withLayer_.LoadCurrentScenario());
  ASSERT_EQ(layer_.anomalies().size(), 1u);
  EXPECT_EQ(layer_.anomalies()[0].messageId, 1235);
  ReadScenarioHierarchy(store_, tree_);
  ASSERT_TRUE(withLayer_.SaveScenarioFile(tree_));
  EXPECT_EQ(ReadFile(File("work.scn")), "G#0V\t1\tOld\r\n0#1#\tcuvant\tOld\r\n");
  ASSERT_TRUE(withLayer_.LoadCurrentScenario());
  EXPECT_TRUE(layer_.anomalies().empty());
}

// The default scenario the edition build writes, read with the edition's
// dictionaries when they were built too.
TEST(DefaultScenarioTest, BuiltDefaultScenarioGivesGroups) {
  const std::filesystem::path build = std::filesystem::path(MALVEX_TEST_EDITION).parent_path().parent_path().parent_path();
  const std::filesystem::path scenario = build / "Scenario" / kDefaultOntologyFile;
  if (!std::filesystem::exists(scenario)) GTEST_SKIP() << "no built default scenario in " << build;
  const std::string base = (build / "Dico" / "roglex").string();
  const bool edition = std::filesystem::exists(base + ".sv8");

  ScriptedBox box;
  Messages messages(box);
  LanguageTables tables = DefaultLanguageTables();
  StringPool pool;
  SemanticDictionary dictionary(messages, tables, pool);
  if (edition) {
    dictionary.Load(base);
  } else {
    std::string image;
    ASSERT_TRUE(SemanticDictionaryBuilder().Build(image));
    ASSERT_EQ(dictionary.LoadImage(image), SemanticLoadStatus::kOk);
  }
  ScenarioStore store(messages);
  ScenarioLayer layer(dictionary, store, nullptr, nullptr, messages);
  SettingsRecord record;
  Folders folders;
  folders.scenario = scenario.parent_path().string();
  CurrentScenario current(store, &layer, record, folders);
  ASSERT_EQ(record.scenarioFile(), kDefaultOntologyFile);
  ASSERT_TRUE(current.LoadCurrentScenario());

  uint32_t groupLines = 0;
  for (const ScenarioEntry& e : store.entries()) groupLines += e.IsGroup();
  EXPECT_GT(groupLines, 0u);
  EXPECT_EQ(layer.GroupCount(), groupLines);
  EXPECT_TRUE(box.asked().empty());
  if (edition) {
    // Every field of the default scenario is a class of the dictionary.
    EXPECT_TRUE(layer.anomalies().empty()) << layer.anomalies()[0].text;
    const ScenarioEntry& firstItem = *std::find_if(store.entries().begin(), store.entries().end(),
                                                   [](const ScenarioEntry& e) { return !e.IsGroup(); });
    const int32_t cls = dictionary.ClassNumberOfName(firstItem.kind, firstItem.name.c_str());
    EXPECT_NE(layer.GroupOfClass(firstItem.kind, cls), 0);
  }
}

}  // namespace
}  // namespace malvex
