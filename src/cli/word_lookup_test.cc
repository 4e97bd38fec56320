#include "word_lookup.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/engine.h"
#include "platform/basic_gauges.h"
#include "platform/scripted_box.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::QuietFrontEnd;

// An engine started on an installation holding the tests' mini edition
// (tests/data/edition-mini).
class WordLookupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
  }

  testing::TempDir dir;
  QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
};

TEST_F(WordLookupTest, TsvGivesOneLineOfFixedColumnsPerReading) {
  const struct {
    const char* word;
    const char* lines;
  } cases[] = {
      // Three readings of the ambiguity chain; the adjective's lemma from
      // the adjective index.
      {"mare", "mare\t0\t4\t1\t0\t0\t4\tmare\t\t\t\n"
               "mare\t1\t9\t0\t0\t0\t4\t\t\t\t\n"
               "mare\t2\t3\t7\t0\t0\t0\t\t\t\t\n"},
      // Auxiliary and full verb, both filed under their infinitive.
      {"am", "am\t0\t1\t1\t1\t1\t6\tavea\t\t\t\n"
             "am\t1\t1\t1\t1\t1\t0\tavea\t\t\t\n"},
      // A past participle whose lemma the verb index gives.
      {"mers", "mers\t0\t1\t1\t2\t4\t4\tmerge\t\t\t\n"
               "mers\t1\t9\t0\t0\t0\t0\t\t\t\t\n"},
      // Only the semantic dictionary knows it: a substantive with the
      // classes and the noun lemma of its first sense.
      {"robot", "robot\t0\t8\t0\t0\t0\t0\trobot\tma\xC8\x99in\xC4\x83\ttehnic\xC4\x83\tobiect\n"},
      // The word as given, found folded; UTF-8 out.
      {"\xC8\x9A" "AR\xC4\x82", "\xC8\x9A" "AR\xC4\x82\t0\t9\t0\t0\t0\t0\t\t\t\t\n"},
      // Known to the verb lemma index only, not to the lexicon.
      {"Vorbesc", "Vorbesc\t-1\n"},
      {"xyz", "xyz\t-1\n"},
      {"", "\t-1\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(LookupWord(*engine, c.word, true), c.lines) << c.word;
}

TEST_F(WordLookupTest, TextListsTheReadingsThenTheSenses) {
  const std::string mare = LookupWord(*engine, "mare", false);
  const std::string expected =
      "mare\n"
      "  reading 0: ( >ambiguity<  Adjective Objective ); lemma: mare; flags: 4 (ambiguous)\n"
      "  reading 1: ( >ambiguity<  ??? ); lemma: -; flags: 4 (ambiguous)\n"
      "  reading 2: ( Modality Intensity ); lemma: -; flags: 0\n"
      "  sense 1: ap\xC4\x83 / natur\xC4\x83 / loc; noun lemma: mare; flags: 0 (key 0)\n"
      "  sense 2: m\xC4\x83rime / - / -; noun lemma: -; flags: 1 (key 1)\n";
  EXPECT_EQ(mare, expected);
  EXPECT_EQ(LookupWord(*engine, "xyz", false), "xyz\n  no reading\n");
}

}  // namespace
}  // namespace malvex
