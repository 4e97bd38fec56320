#include "reading/borders_filter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/engine.h"
#include "foundations/messages.h"
#include "platform/basic_gauges.h"
#include "platform/scripted_box.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::QuietFrontEnd;

// An installation in a temporary folder (a lexicon that knows no word, so
// that every sentence is one proposition) and an engine started on it.
class BordersFilterTest : public ::testing::Test {
 protected:
  BordersFilterTest() {
    EXPECT_TRUE(testing::WriteTestInstallation(dir.path()));
    std::filesystem::create_directories(dir.path() / "Scenario");
    EngineOptions o;
    o.places = testing::TestSettingsPlaces(dir.path());
    engine = std::make_unique<Engine>(frontEnd, o);
    EXPECT_TRUE(engine->StartEngine());
    EXPECT_TRUE(testing::WriteFile(dir.File("Text/a.txt"), kText));
  }

  // Analyses Text/a.txt with the borders file `name` (empty: none) and
  // returns the word stream, end markers as "/".
  std::string Run(const std::string& name, bool showBorders) {
    engine->record().setBordersFile(name);
    engine->record().setKeepBorderKeywords(showBorders);
    engine->files().Clear();
    engine->files().Add(dir.File("Text/a.txt"));
    frontEnd.box.ClearRecords();
    EXPECT_TRUE(engine->RunAnalysis(1));
    std::string out;
    WordStream& s = engine->stream();
    s.Rewind();
    WordInfo info;
    const char* sep = nullptr;
    int32_t pos = 0;
    while (const char* text = s.Next(info, sep, pos)) {
      if (!out.empty()) out += ' ';
      out += text;
    }
    return out;
  }
  void WriteBorders(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(testing::WriteFile(dir.File("Scenario/" + name), bytes));
  }

  static constexpr char kText[] = "Introducere text unu. Chapitre doi trei. Patru cinci. Concluzii sase sapte.";
  static constexpr char kBorders[] = "X#######\tChapitre\r\nN#######\tConcluzii\r\n";

  // Starts the engine afresh with `options` (the test installation's places
  // added).
  void Restart(EngineOptions o) {
    engine.reset();
    o.places = testing::TestSettingsPlaces(dir.path());
    engine = std::make_unique<Engine>(frontEnd, o);
    EXPECT_TRUE(engine->StartEngine());
  }

  testing::TempDir dir;
  QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
};

TEST_F(BordersFilterTest, WithoutABordersFileEverythingIsKept) {
  EXPECT_EQ(Run("", true), "introducere text unu / chapitre doi trei / patru cinci / concluzii sase sapte /");
  EXPECT_FALSE(engine->run().borders.active);
  EXPECT_EQ(engine->run().borders.filteredPropositions, 0);
  EXPECT_EQ(BordersDiagnosisMessage(engine->run().borders), 0);
}

TEST_F(BordersFilterTest, TextBetweenAStartAndAStopBorderIsLeftOut) {
  WriteBorders("b.dlm", kBorders);
  // Shown borders stay in the text; the stop border opens the next
  // proposition, which the start border joins.
  EXPECT_EQ(Run("b.dlm", true), "introducere text unu / chapitre concluzii sase sapte /");
  EXPECT_TRUE(engine->run().borders.active);
  EXPECT_EQ(engine->run().borders.filteredPropositions, 2);
  EXPECT_EQ(BordersDiagnosisMessage(engine->run().borders), 352);
  EXPECT_TRUE(frontEnd.box.asked().empty());
  // Hidden borders are left out too.
  EXPECT_EQ(Run("b.dlm", false), "introducere text unu / sase sapte /");
  EXPECT_EQ(engine->run().borders.filteredPropositions, 2);
}

TEST_F(BordersFilterTest, OnlyTheNameOfTheBordersFileCounts) {
  WriteBorders("b.dlm", kBorders);
  EXPECT_EQ(Run("/somewhere/else/b.dlm", false), "introducere text unu / sase sapte /");
}

TEST_F(BordersFilterTest, BordersThatOnlyStopFilteringChangeNothingWhileShown) {
  WriteBorders("n.dlm", "N#######\tPatru\r\n");
  EXPECT_EQ(Run("n.dlm", true), "introducere text unu / chapitre doi trei / patru cinci / concluzii sase sapte /");
  EXPECT_FALSE(engine->run().borders.active);
  // Hidden, the border word itself goes.
  EXPECT_EQ(Run("n.dlm", false), "introducere text unu / chapitre doi trei / cinci / concluzii sase sapte /");
  EXPECT_TRUE(engine->run().borders.active);
  EXPECT_EQ(BordersDiagnosisMessage(engine->run().borders), 353);
}

TEST_F(BordersFilterTest, AllTheTextFiltered) {
  WriteBorders("x.dlm", "X#######\tIntroducere\r\n");
  EXPECT_EQ(Run("x.dlm", false), "");
  EXPECT_EQ(engine->run().borders.filteredPropositions, 4);
  EXPECT_EQ(EmptyTextMessage(engine->run().borders), 555);
}

TEST_F(BordersFilterTest, AnUnreadableBordersFileFiltersNothing) {
  WriteBorders("b.dlm", kBorders);
  EXPECT_EQ(Run("b.dlm", false), "introducere text unu / sase sapte /");
  std::filesystem::remove(dir.path() / "Scenario" / "b.dlm");
  // The borders compiled for the previous run do not filter this one.
  EXPECT_EQ(Run("b.dlm", false), "introducere text unu / chapitre doi trei / patru cinci / concluzii sase sapte /");
  ASSERT_EQ(frontEnd.box.asked().size(), 1u);
  EXPECT_EQ(frontEnd.box.asked()[0].text, CatalogueText(4));
  EXPECT_FALSE(engine->run().borders.active);
  EXPECT_EQ(engine->borders().Count(), 0u);
}

TEST_F(BordersFilterTest, ADamagedLineIsReportedAndTheOthersApply) {
  WriteBorders("d.dlm", "X#######\r\nX#######\tChapitre\r\nN#######\tConcluzii\r\n");
  EXPECT_EQ(Run("d.dlm", false), "introducere text unu / sase sapte /");
  ASSERT_EQ(frontEnd.box.asked().size(), 1u);
  EXPECT_EQ(frontEnd.box.asked()[0].text, CatalogueText(550));
}

TEST_F(BordersFilterTest, ABordersPathOfTheEngineOptionsReplacesTheSettingsFile) {
  WriteBorders("n.dlm", "N#######\tPatru\r\n");
  ASSERT_TRUE(testing::WriteFile(dir.File("elsewhere.dlm"), kBorders));
  EngineOptions o;
  o.bordersPath = dir.File("elsewhere.dlm");
  Restart(o);
  // The file named in the settings is not read; the one given is, although
  // it lies outside the scenario folder.
  EXPECT_EQ(Run("n.dlm", false), "introducere text unu / sase sapte /");
  EXPECT_EQ(engine->run().borders.filteredPropositions, 2);
  EXPECT_EQ(Run("", true), "introducere text unu / chapitre concluzii sase sapte /");
  // A path that cannot be read filters nothing and says so.
  o.bordersPath = dir.File("missing.dlm");
  Restart(o);
  EXPECT_EQ(Run("n.dlm", false), "introducere text unu / chapitre doi trei / patru cinci / concluzii sase sapte /");
  EXPECT_FALSE(engine->run().borders.active);
  ASSERT_EQ(frontEnd.box.asked().size(), 1u);
  EXPECT_EQ(frontEnd.box.asked()[0].text, CatalogueText(4));
}

}  // namespace
}  // namespace malvex
