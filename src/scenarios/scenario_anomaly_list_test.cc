#include "scenarios/scenario_anomaly_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionaries/lemma_index.h"
#include "dictionaries/semantic_dictionary_builder.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "settings/folders.h"
#include "settings/settings_record.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::TempDir;
using testing::WriteFile;

std::string OneSenseDictionary() {
  SemanticDictionaryBuilder builder;
  SemanticSenseEntry e;
  e.form = "doctor";
  e.classes[0] = "medic";
  e.classes[1] = "sanatate";
  e.classes[2] = "stiinta";
  e.lemma = "doctor";
  EXPECT_TRUE(builder.AddSense(e)) << builder.error();
  std::string image;
  EXPECT_TRUE(builder.Build(image)) << builder.error();
  return image;
}

// A real layer build tells the list; the editor shows the same store.
class ScenarioAnomalyListTest : public ::testing::Test {
 protected:
  ScenarioAnomalyListTest()
      : messages_(box_),
        tables_(DefaultLanguageTables()),
        dictionary_(messages_, tables_, pool_),
        verbs_(29, 7),
        adjectives_(29, 7),
        store_(messages_),
        layer_(dictionary_, store_, &verbs_, &adjectives_, messages_),
        current_(store_, &layer_, record_, folders_),
        editor_(store_, current_, &layer_, record_, folders_, messages_, nullptr),
        list_(messages_) {
    EXPECT_EQ(dictionary_.LoadImage(OneSenseDictionary()), SemanticLoadStatus::kOk);
    dictionary_.ResetRunCounts();
    verbs_.CreateEmpty();
    adjectives_.CreateEmpty();
    dictionary_.SetScenarioGroups(&layer_);
    folders_.scenario = dir_.path().string();
  }

  void Load(const std::string& text) {
    ASSERT_TRUE(WriteFile(dir_.File("s.scn"), text));
    record_.setScenarioFile("s.scn");
    ASSERT_TRUE(current_.LoadCurrentScenario());
    editor_.RebuildTree();
  }

  TempDir dir_;
  ScriptedBox box_;
  Messages messages_;
  LanguageTables tables_;
  StringPool pool_;
  SemanticDictionary dictionary_;
  LemmaIndex verbs_;
  LemmaIndex adjectives_;
  SettingsRecord record_;
  Folders folders_;
  ScenarioStore store_;
  ScenarioLayer layer_;
  CurrentScenario current_;
  ScenarioEditor editor_;
  ScenarioAnomalyList list_;
};

constexpr char kTwice[] =
    "G#0V\t1\tA\r\n0#1#\tpisica\tA\r\n0#1#\tpisoi\tA\r\n"
    "G#0V\t2\tB\r\n0#1#\tpisica\tB\r\n0#1#\tpis\tB\r\n";

TEST_F(ScenarioAnomalyListTest, SecondOccurrenceIsListedOnce) {
  layer_.SetAnomalyListener(&list_);
  Load(kTwice);
  ASSERT_EQ(list_.lines(), std::vector<std::string>{"\"pisica\" " + messages_.message(458)});
  EXPECT_TRUE(list_.shouldShow());
  EXPECT_EQ(list_.CountCaption(), "1 " + messages_.message(885));
  EXPECT_EQ(list_.Title(), "Anomalies (Scenario)");
}

// The build of start-up happens before any window listens: its anomalies
// are kept by the layer and given to the list when it opens.
TEST_F(ScenarioAnomalyListTest, StartUpAnomaliesReachALaterWindow) {
  Load(kTwice);
  ASSERT_TRUE(list_.lines().empty());
  list_.Assign(layer_.anomalies());
  EXPECT_EQ(list_.count(), 1u);
}

TEST_F(ScenarioAnomalyListTest, RepeatedClicksWalkThroughMatchesThenWrap) {
  layer_.SetAnomalyListener(&list_);
  Load(kTwice);
  // Display order: A, pis... under A: pisica, pisoi; B: pis, pisica.
  std::vector<ScenarioNode*> hits;
  for (int i = 0; i < 3; ++i) hits.push_back(list_.SearchLine(0, editor_));
  ASSERT_NE(hits[0], nullptr);
  ASSERT_NE(hits[1], nullptr);
  EXPECT_EQ(hits[0]->text, "pisica");
  EXPECT_EQ(hits[0]->parent->text, "A");
  EXPECT_EQ(hits[1]->text, "pisica");
  EXPECT_EQ(hits[1]->parent->text, "B");
  EXPECT_EQ(hits[2], hits[0]);
  EXPECT_EQ(editor_.selected(), hits[2]);
  EXPECT_EQ(list_.lastSearchedLine(), 0);
  EXPECT_EQ(list_.SearchLine(5, editor_), nullptr);
}

TEST_F(ScenarioAnomalyListTest, ABuildWithoutAnomaliesEmptiesTheList) {
  layer_.SetAnomalyListener(&list_);
  Load(kTwice);
  ASSERT_EQ(list_.count(), 1u);
  Load("G#0V\t1\tA\r\n0#1#\tpisica\tA\r\n");
  EXPECT_EQ(list_.count(), 0u);
  EXPECT_FALSE(list_.shouldShow());
  EXPECT_EQ(list_.CountCaption(), "");
  EXPECT_EQ(list_.lastSearchedLine(), -1);
}

TEST_F(ScenarioAnomalyListTest, ANewBuildReplacesTheLines) {
  layer_.SetAnomalyListener(&list_);
  Load(kTwice);
  Load("G#0V\t1\tA\r\n0#1#\tpisoi\tA\r\n0#1#\tpisoi\tA\r\n1#1#\tnimic\tA\r\n");
  EXPECT_EQ(list_.lines(), (std::vector<std::string>{"\"pisoi\" " + messages_.message(458),
                                                      "\"nimic\" " + messages_.message(465)}));
  list_.Clear();
  EXPECT_EQ(list_.count(), 0u);
}

// An insertion reaches the layer at the save, and items the layer rejects
// show as rejected in the tree read back after it.
TEST_F(ScenarioAnomalyListTest, SaveRebuildsTheLayerAndShowsRejectedItems) {
  layer_.SetAnomalyListener(&list_);
  Load("G#0V\t1\tA\r\n0#1#\tpisica\tA\r\n");
  ASSERT_NE(editor_.SelectByLabel("A", true), nullptr);
  ASSERT_TRUE(editor_.InsertInGroup("catel", '?', false));
  editor_.SetPending("nimic", 1, '?');
  ASSERT_NE(editor_.SelectByLabel("A", true), nullptr);
  ASSERT_TRUE(editor_.AppendItem(true));
  EXPECT_LT(layer_.WordGroup("catel"), 1);
  ASSERT_TRUE(editor_.Save());
  EXPECT_FALSE(editor_.modified());
  EXPECT_GE(layer_.WordGroup("catel"), 1);
  ASSERT_EQ(list_.lines(), std::vector<std::string>{"\"nimic\" " + messages_.message(465)});
  ScenarioNode* rejected = nullptr;
  for (ScenarioNode* n : editor_.DisplayOrder()) {
    if (n->text == "nimic (*)") rejected = n;
  }
  ASSERT_NE(rejected, nullptr);
  EXPECT_EQ(rejected->icon, ScenarioIcon::kRejected);
}

}  // namespace
}  // namespace malvex
