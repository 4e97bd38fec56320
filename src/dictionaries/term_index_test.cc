#include "dictionaries/term_index.h"

#include <gtest/gtest.h>

#include <string>

#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

class TermIndexTest : public ::testing::Test {
 protected:
  TermIndexTest() : messages(box), index(&messages) {}

  ScriptedBox box;
  Messages messages;
  TermIndex index;
};

TEST_F(TermIndexTest, HeadWordsAreFoundWhateverTheirCase) {
  ASSERT_TRUE(index.ok());
  EXPECT_TRUE(index.AddLemma("Consiliu"));
  EXPECT_TRUE(index.AddLemma("consiliu"));  // already a head word
  EXPECT_TRUE(index.AddLemma("lege"));
  EXPECT_EQ(index.LemmaCount(), 2u);
  EXPECT_EQ(index.LemmaNumberOf("CONSILIU"), 1u);
  EXPECT_EQ(index.LemmaNumberOf("lege"), 2u);
  EXPECT_EQ(index.LemmaNumberOf("legea"), 0u);
  EXPECT_STREQ(index.LemmaText(1), "Consiliu");
  EXPECT_STREQ(index.LemmaText(3), "");
  EXPECT_FALSE(index.AddLemma(""));
}

TEST_F(TermIndexTest, ATermNeedsAKnownHeadWordAndStartsWithOneOccurrence) {
  ASSERT_TRUE(index.AddLemma("lege"));
  EXPECT_FALSE(index.AddTerm("consiliu_local", "consiliu"));
  EXPECT_EQ(index.TermCount(), 0u);

  EXPECT_TRUE(index.AddTerm("lege_organic\xE3", "lege"));
  EXPECT_TRUE(index.AddTerm("Lege_Nou\xE3", "Lege"));
  EXPECT_EQ(index.TermCount(), 2u);
  const TermIndex::Term second = index.TermAt(2);
  EXPECT_EQ(second.count, 1u);
  EXPECT_EQ(second.text, nullptr);  // no text before its second occurrence
  EXPECT_EQ(second.lemma, 0u);

  // Met again: a repeat, not a new term.
  EXPECT_TRUE(index.AddTerm("lege_nou\xE3", "lege"));
  EXPECT_EQ(index.TermCount(), 2u);
  EXPECT_EQ(index.Repeats(), 1u);
  EXPECT_EQ(index.TermAt(2).count, 1u);
}

TEST_F(TermIndexTest, TheSecondOccurrenceStoresTheTextAndLinksTheHeadWord) {
  ASSERT_TRUE(index.AddLemma("drept"));
  ASSERT_TRUE(index.AddLemma("lege"));
  ASSERT_TRUE(index.AddTerm("lege_nou\xE3", "lege"));

  ASSERT_TRUE(index.SelectTerm("Lege_nou\xC3"));  // Ă folds to ă
  EXPECT_EQ(index.CountSelectedTerm("Lege_nou\xE3", "lege"), 2u);
  TermIndex::Term term = index.TermAt(1);
  EXPECT_STREQ(term.text, "Lege_nou\xE3");
  EXPECT_EQ(term.lemma, 2u);
  EXPECT_EQ(term.count, 2u);

  // Later occurrences only count.
  EXPECT_EQ(index.CountSelectedTerm("lege_nou\xE3", "drept"), 3u);
  term = index.TermAt(1);
  EXPECT_STREQ(term.text, "Lege_nou\xE3");
  EXPECT_EQ(term.lemma, 2u);
  EXPECT_EQ(term.count, 3u);
}

TEST_F(TermIndexTest, WithoutASelectedTermNothingIsCounted) {
  ASSERT_TRUE(index.AddLemma("lege"));
  ASSERT_TRUE(index.AddTerm("lege_nou\xE3", "lege"));
  EXPECT_EQ(index.CountSelectedTerm("lege_nou\xE3", "lege"), 0u);
  ASSERT_TRUE(index.SelectTerm("lege_nou\xE3"));
  EXPECT_FALSE(index.SelectTerm("lege_veche"));  // forgets the selection
  EXPECT_EQ(index.CountSelectedTerm("lege_nou\xE3", "lege"), 0u);
  EXPECT_EQ(index.TermAt(1).count, 1u);
  const TermIndex::Term none = index.TermAt(2);
  EXPECT_EQ(none.text, nullptr);
  EXPECT_EQ(none.count, 0u);
  EXPECT_EQ(index.TermAt(0).count, 0u);
}

TEST_F(TermIndexTest, MarksCountAHeadWordsFrequency) {
  ASSERT_TRUE(index.AddLemma("lege"));
  EXPECT_EQ(index.MarksOf(1), 1u);
  index.Mark(1);
  index.Mark(1);
  EXPECT_EQ(index.MarksOf(1), 3u);
  index.Mark(0);
  index.Mark(65536);
  EXPECT_EQ(index.MarksOf(0), 0u);
  EXPECT_EQ(index.MarksOf(65536), 0u);
}

TEST_F(TermIndexTest, MergingMovesTheMarksPlusOneAndRenamesTheSource) {
  ASSERT_TRUE(index.AddLemma("legea"));
  ASSERT_TRUE(index.AddLemma("lege"));
  index.Mark(1);
  index.Mark(1);  // legea: 2
  index.Mark(2);  // lege: 1
  index.MergeLemma(1, 2, "lege");
  EXPECT_STREQ(index.LemmaText(1), "lege");
  EXPECT_EQ(index.MarksOf(1), 1u);      // zeroed, plus one
  EXPECT_EQ(index.MarksOf(2), 1u + 3u + 1u);  // 1 + (2 + 1), plus one

  index.MergeLemma(2, 2, "Lege");
  EXPECT_STREQ(index.LemmaText(2), "Lege");
  EXPECT_EQ(index.MarksOf(2), 5u);
  index.MergeLemma(0, 2, "x");
  EXPECT_EQ(index.MarksOf(2), 5u);
}

TEST_F(TermIndexTest, AtMost65535TermsAreFiled) {
  ASSERT_TRUE(index.AddLemma("cap"));
  std::string term(4, 'a');
  for (uint32_t i = 0; i < TermIndex::kMaxNumber; ++i) {
    uint32_t n = i;
    for (int k = 3; k >= 0; --k) {
      term[static_cast<size_t>(k)] = static_cast<char>('a' + n % 26);
      n /= 26;
    }
    ASSERT_TRUE(index.AddTerm(term, "cap")) << i;
  }
  EXPECT_EQ(index.TermCount(), 65535u);
  EXPECT_FALSE(index.AddTerm("zzzzz", "cap"));
  EXPECT_EQ(index.TermCount(), 65535u);
  EXPECT_TRUE(index.AddTerm("aaaa", "cap"));  // a known term is still a repeat
  EXPECT_EQ(index.Repeats(), 1u);
  EXPECT_TRUE(box.asked().empty());
}

}  // namespace
}  // namespace malvex
