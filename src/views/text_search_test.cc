#include "views/text_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "foundations/category.h"
#include "platform/scripted_box.h"
#include "semantic/analysis_context.h"
#include "settings/settings_record.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

// A stream built word by word: "/" is an end marker; `classes` gives the
// level-1 class of each word (0 none).
class TextSearchTest : public ::testing::Test {
 protected:
  void Fill(const std::vector<std::string>& words, const std::vector<uint32_t>& level1 = {}) {
    stream.Reset();
    int32_t position = 0;
    for (size_t i = 0; i < words.size(); ++i) {
      WordInfo info;
      if (words[i] != "/") ++position;
      if (i < level1.size()) info.classPath[0] = level1[i];
      ASSERT_TRUE(stream.Append(words[i], "", info, position, 0, 1));
    }
  }
  void AppendWord(const std::string& text, uint8_t category, uint32_t lemma, uint32_t group = 0) {
    WordInfo info;
    info.category.category = category;
    info.classPath[3] = group;
    ASSERT_TRUE(stream.Append(text, "", info, stream.HighestPosition() + 1, lemma, 1));
  }
  // The positions of every hit, searching without "from the top" until
  // the search fails.
  std::vector<int32_t> AllHits(const TextSearchSubject& subject) {
    std::vector<int32_t> hits;
    bool top = true;
    while (search.Find(subject, top) && hits.size() < 100) {
      hits.push_back(search.lastHitPosition());
      top = false;
    }
    return hits;
  }

  WordStream stream{nullptr};
  TextSearch search{stream};
};

struct WordCase {
  const char* subject;
  bool whole;
  std::vector<int32_t> hits;
};

TEST_F(TextSearchTest, FindsEveryOccurrenceOfAWordInTextOrder) {
  // Positions: Casa 1, mare 2, / , casă 3, casele 4, acasa 5, / , CASA 6.
  Fill({"Casa", "mare", "/", "cas\xE3", "casele", "acasa", "/", "CASA"});
  const WordCase cases[] = {
      {"casa", true, {1, 6}},          // case is folded on both sides
      {"CASA", true, {1, 6}},
      {"cas", false, {1, 3, 4, 5, 6}}, // part of a word
      {"casa", false, {1, 5, 6}},
      {"cas\xC3", true, {3}},          // Ă folds to ă
      {"sele", false, {4}},
      {"/", true, {}},                 // end markers are no words
      {"", false, {}},
      {"casele_mari", false, {}},      // longer than every word
  };
  for (const WordCase& c : cases) {
    EXPECT_EQ(AllHits(TextSearchSubject::Word(c.subject, c.whole)), c.hits) << c.subject << " whole " << c.whole;
  }
}

TEST_F(TextSearchTest, AfterTheLastHitTheSearchFailsAndStartsFromTheTopAgain) {
  Fill({"om", "merge", "/", "om", "vorbe\xBAte"});
  const TextSearchSubject om = TextSearchSubject::Word("om", true);
  ASSERT_TRUE(search.Find(om, true));
  EXPECT_EQ(search.lastHitPosition(), 1);
  ASSERT_TRUE(search.Find(om, false));
  EXPECT_EQ(search.lastHitPosition(), 3);
  EXPECT_FALSE(search.Find(om, false));
  EXPECT_EQ(search.lastHit(), nullptr);
  // Not from the top, yet after the failure it wraps to the first word.
  ASSERT_TRUE(search.Find(om, false));
  EXPECT_EQ(search.lastHitPosition(), 1);
  // From the top always restarts.
  ASSERT_TRUE(search.Find(om, true));
  EXPECT_EQ(search.lastHitPosition(), 1);
}

TEST_F(TextSearchTest, ClassesLemmasAndGroupsWithTheirSubGroups) {
  Fill({"robot", "merge", "/", "robot", "om"}, {7, 0, 0, 7, 9});
  EXPECT_EQ(AllHits(TextSearchSubject::Class(1, 7)), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(AllHits(TextSearchSubject::Class(1, 9)), (std::vector<int32_t>{4}));
  EXPECT_TRUE(AllHits(TextSearchSubject::Class(1, 0)).empty());
  EXPECT_TRUE(AllHits(TextSearchSubject::Class(5, 7)).empty());

  stream.Reset();
  AppendWord("merge", kClassVerb, 3);
  AppendWord("mers", kClassSubstantive, 3);  // the same number, another category
  AppendWord("mergem", kClassVerb, 3, 2);
  AppendWord("frumos", kClassAdjective, 3, 5);
  EXPECT_EQ(AllHits(TextSearchSubject::Lemma(3, kClassVerb)), (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(AllHits(TextSearchSubject::Lemma(3, kClassAdjective)), (std::vector<int32_t>{4}));
  EXPECT_TRUE(AllHits(TextSearchSubject::Lemma(0, kClassVerb)).empty());

  // Group 5 lies within group 2; without a hierarchy a group holds itself only.
  struct Hierarchy : GroupHierarchy {
    bool IsWithin(uint32_t group, uint32_t ancestor) const override {
      return group == ancestor || (group == 5 && ancestor == 2);
    }
  } hierarchy;
  EXPECT_EQ(AllHits(TextSearchSubject::Class(4, 2)), (std::vector<int32_t>{3}));
  search.SetGroupHierarchy(&hierarchy);
  EXPECT_EQ(AllHits(TextSearchSubject::Class(4, 2)), (std::vector<int32_t>{3, 4}));
}

TEST_F(TextSearchTest, AHitIsForgottenWhenTheStreamChanges) {
  Fill({"om", "om"});
  ASSERT_TRUE(search.Find(TextSearchSubject::Word("om", true), true));
  ASSERT_NE(search.lastHit(), nullptr);
  Fill({"om", "om", "om"});
  EXPECT_EQ(search.lastHit(), nullptr);
  EXPECT_EQ(search.lastHitPosition(), 0);
  // The next search starts from the top of the new text.
  ASSERT_TRUE(search.Find(TextSearchSubject::Word("om", true), false));
  EXPECT_EQ(search.lastHitPosition(), 1);
  search.Restart();
  EXPECT_EQ(search.lastHit(), nullptr);
  stream.Reset();
  EXPECT_FALSE(search.Find(TextSearchSubject::Word("om", true), true));
}

TEST_F(TextSearchTest, TheTextViewShowsTheHitUnderlined) {
  Fill({"om", "merge", "/", "robot", "merge", "/", "om"});
  SelectionState selection;
  SettingsRecord settings;
  TExtraitDuTexte view(stream, selection, settings);
  EXPECT_FALSE(ShowSearchHit(view, search));
  EXPECT_EQ(view.CursorPosition(), 0);
  ASSERT_TRUE(search.Find(TextSearchSubject::Word("robot", true), true));
  ASSERT_TRUE(ShowSearchHit(view, search));
  EXPECT_EQ(view.CursorPosition(), 3);
  // The page starts at the proposition of the hit.
  EXPECT_EQ(stream.Bookmark(1)->position, 3);
}

TEST(TextSearchMessage, NotFoundTextQuotesTheSubject) {
  ScriptedBox box;
  Messages messages(box);
  EXPECT_EQ(TextSearch::NotFoundText(messages, "robot"), "I can't find (anymore) \"robot\" in this text.");
}

// After an analysis of the mini edition: the classes the pass gave.
TEST(TextSearchAnalysis, FindsTheClassAndVerbOccurrencesOfAnAnalysedText) {
  testing::TempDir dir;
  testing::QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
  ASSERT_NE(engine, nullptr);
  ASSERT_TRUE(testing::WriteFile(dir.File("a.txt"), "Robot merge la om. Om vorbe\xBAte de robot. Robot merge."));
  engine->files().Add(dir.File("a.txt"));
  ASSERT_TRUE(engine->RunAnalysis(1));
  TextSearch search(engine->stream());
  const int32_t machine = engine->semanticDictionary().ClassNumberOfName(1, "ma\xBAin\xE3");
  ASSERT_GT(machine, 0);
  std::vector<std::string> found;
  bool top = true;
  while (search.Find(TextSearchSubject::Class(1, static_cast<uint32_t>(machine)), top)) {
    found.push_back(search.lastHit()->text);
    top = false;
  }
  EXPECT_EQ(found, (std::vector<std::string>{"robot", "robot", "robot"}));

  ASSERT_TRUE(search.Find(TextSearchSubject::Word("merge", true), true));
  const WordNode* verb = search.lastHit();
  ASSERT_TRUE(isVerb(verb->info.category));
  ASSERT_NE(verb->lemma, 0u);
  int verbs = 0;
  top = true;
  while (search.Find(TextSearchSubject::Lemma(verb->lemma, kClassVerb), top)) {
    ++verbs;
    top = false;
  }
  EXPECT_EQ(verbs, 2);
  engine->StopEngine();
}

}  // namespace
}  // namespace malvex
