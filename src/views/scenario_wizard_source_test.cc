#include "views/scenario_wizard_source.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>

#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "scenarios/current_scenario.h"
#include "settings/folders.h"
#include "settings/settings_record.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::QuietFrontEnd;

// What the creation wizard reads from an analysis on the tests' mini
// edition.
class WizardSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
  }
  void TearDown() override { engine->StopEngine(); }
  void Analyse(const std::string& text) {
    ASSERT_TRUE(testing::WriteFile(dir.File("a.txt"), text));
    engine->files().Clear();
    engine->files().Add(dir.File("a.txt"));
    ASSERT_TRUE(engine->RunAnalysis(1));
  }
  const WizardCandidate* Find(const WizardCandidates& c, const std::string& name) const {
    for (const WizardCandidate& w : c.list)
      if (w.name == name) return &w;
    return nullptr;
  }

  testing::TempDir dir;
  QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
};

// "robot" is a noun the mini edition classes (as "maşină"); "zorbax" is
// known to no dictionary and becomes a class of its own.
const char kText[] =
    "Robot merge la om. Om vorbe\xBAte de robot. Robot merge. Om merge la robot. Robot vorbe\xBAte. Om merge de la "
    "robot. Zorbax merge. Zorbax vorbe\xBAte. Zorbax merge la om.";

TEST_F(WizardSourceTest, WordsAreCountedWithoutPropositionEnds) {
  Analyse(kText);
  // 28 words ("de la" is read as one) in 9 propositions.
  EXPECT_EQ(AnalysedWordCount(*engine), 28u);
  EXPECT_EQ(engine->stream().Count(), 37u);
}

TEST_F(WizardSourceTest, ClassesInRankOrderDownToTheThreshold) {
  Analyse(kText);
  const WizardCandidates all = WizardCandidatesOf(*engine, 1, 1);
  ASSERT_TRUE(all.levelHasClasses);
  ASSERT_FALSE(all.list.empty());
  EXPECT_TRUE(std::is_sorted(all.list.begin(), all.list.end(),
                             [](const WizardCandidate& a, const WizardCandidate& b) { return a.frequency > b.frequency; }));
  const WizardCandidate* robot = Find(all, "ma\xBAin\xE3");
  const WizardCandidate* zorbax = Find(all, "zorbax");
  ASSERT_NE(robot, nullptr);
  ASSERT_NE(zorbax, nullptr);
  EXPECT_FALSE(robot->unclassified);
  EXPECT_EQ(robot->frequency, 6u);
  EXPECT_TRUE(zorbax->unclassified);
  EXPECT_EQ(zorbax->frequency, 3u);
  // A threshold above every frequency leaves none, the level still has classes.
  const WizardCandidates none = WizardCandidatesOf(*engine, 1, 999);
  EXPECT_TRUE(none.levelHasClasses);
  EXPECT_TRUE(none.list.empty());
  const WizardCandidates frequent = WizardCandidatesOf(*engine, 1, 4);
  EXPECT_EQ(Find(frequent, "zorbax"), nullptr);
  EXPECT_NE(Find(frequent, "ma\xBAin\xE3"), nullptr);
}

TEST_F(WizardSourceTest, AnUnclassifiedWordOfTheScenarioIsTold) {
  std::filesystem::create_directories(engine->folders().scenario);
  ASSERT_TRUE(testing::WriteFile(engine->folders().scenario + "/w.scn", "G#0V\t1\tStraini\r\n0#1#\tzorbax\tStraini\r\n"));
  engine->record().setScenarioFile("w.scn");
  ASSERT_TRUE(engine->currentScenario().LoadCurrentScenario());
  Analyse(kText);
  const WizardCandidates all = WizardCandidatesOf(*engine, 1, 1);
  const WizardCandidate* zorbax = Find(all, "zorbax");
  // The scenario word is counted as its group now, not as a class of its
  // own; when it still shows as a class it is marked as a scenario word.
  if (zorbax != nullptr) EXPECT_TRUE(zorbax->inScenario);
  const WizardCandidate* robot = Find(all, "ma\xBAin\xE3");
  ASSERT_NE(robot, nullptr);
  EXPECT_FALSE(robot->inScenario);
}

}  // namespace
}  // namespace malvex
