#include "views/scenario_group_hierarchy.h"

#include <gtest/gtest.h>

#include <string>

#include "dictionaries/lemma_index.h"
#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/semantic_dictionary_builder.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "test_support.h"

namespace malvex {
namespace {

// A Scenario of four groups: Sanatate (1) holding Medici (2), which holds
// Chirurgi (3), and Clinici (4).
class ScenarioGroupHierarchyTest : public ::testing::Test {
 protected:
  ScenarioGroupHierarchyTest()
      : messages_(box_),
        tables_(DefaultLanguageTables()),
        dictionary_(messages_, tables_, pool_),
        verbs_(29, 7),
        adjectives_(29, 7),
        store_(messages_),
        layer_(dictionary_, store_, &verbs_, &adjectives_, messages_) {}

  void SetUp() override {
    SemanticDictionaryBuilder builder;
    SemanticSenseEntry sense;
    sense.form = "doctor";
    sense.classes[0] = "medic";
    std::string image;
    ASSERT_TRUE(builder.AddSense(sense) && builder.Build(image)) << builder.error();
    ASSERT_EQ(dictionary_.LoadImage(image), SemanticLoadStatus::kOk);
    verbs_.CreateEmpty();
    adjectives_.CreateEmpty();
    dictionary_.SetScenarioGroups(&layer_);
    const std::string path = dir_.File("s.scn");
    ASSERT_TRUE(testing::WriteFile(path, "G#0V\t1\tSanatate\r\nG#1V\t2\tMedici\r\nG#2V\t3\tChirurgi\r\n"
                                         "G#1V\t4\tClinici\r\n"));
    ASSERT_TRUE(store_.Load(path));
    ASSERT_TRUE(layer_.Build(store_.signatures().renumbering));
    ASSERT_EQ(layer_.GroupCount(), 4u);
  }

  testing::TempDir dir_;
  ScriptedBox box_;
  Messages messages_;
  LanguageTables tables_;
  StringPool pool_;
  SemanticDictionary dictionary_;
  LemmaIndex verbs_;
  LemmaIndex adjectives_;
  ScenarioStore store_;
  ScenarioLayer layer_;
};

TEST_F(ScenarioGroupHierarchyTest, AGroupLiesWithinItselfAndItsAncestorsOnly) {
  const ScenarioGroupHierarchy groups(layer_);
  const struct {
    uint32_t group;
    uint32_t ancestor;
    bool within;
  } cases[] = {
      {3, 3, true}, {3, 2, true}, {3, 1, true}, {2, 1, true}, {4, 1, true},
      {4, 2, false}, {1, 3, false}, {2, 3, false}, {3, 4, false},
      {0, 1, false}, {1, 0, false}, {0, 0, false}, {9, 1, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(groups.IsWithin(c.group, c.ancestor), c.within) << c.group << " in " << c.ancestor;
  }
}

}  // namespace
}  // namespace malvex
