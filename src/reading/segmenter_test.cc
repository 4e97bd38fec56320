#include "reading/segmenter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reading/segmenter_test_fixture.h"

namespace malvex {
namespace {

using testing::Cat;
using SegmenterTest = testing::SegmenterFixture;

TEST_F(SegmenterTest, EmptySeparatorIsStoredAsABlankAndTheCaseWaitsForLookup) {
  ASSERT_TRUE(segmenter.AddWord("Ion", ""));
  ASSERT_TRUE(segmenter.AddWord("Maria", ","));
  EXPECT_STREQ(lexical.slots[0].text, "Ion");
  EXPECT_STREQ(lexical.slots[0].separator, " ");
  EXPECT_STREQ(lexical.slots[1].separator, ",");
  EXPECT_EQ(lexical.count, 2);
  EXPECT_EQ(lexical.slots[2].text[0], 0);  // the next slot is clear
}

TEST_F(SegmenterTest, SentenceEndOpensTheNextSentenceWithTheFollowingWord) {
  Add({{"Ion", ""}, {"vine", " "}, {"azi", " "}, {"Maria", "-!"}, {"pleaca", " "}});
  ASSERT_TRUE(segmenter.EndOfFile("."));
  // The end marker keeps the final punctuation less its hyphens; the first
  // word of a sentence loses its blank and its sentence punctuation.
  EXPECT_EQ(Dump(), "ion[]@1 vine[ ]@2 azi[ ]@3 /[!]@3 maria[-]@4 pleaca[ ]@5 /[.]@5");
  ASSERT_EQ(analysis.lookedUp.size(), 2u);
  EXPECT_EQ(analysis.lookedUp[0], (std::vector<std::string>{"Ion[ ]", "vine[ ]", "azi[ ]", "/[-!]"}));
  // The punctuation of the previous sentence is taken off the first word.
  EXPECT_EQ(analysis.lookedUp[1], (std::vector<std::string>{"Maria[-]", "pleaca[ ]"}));
  EXPECT_EQ(writer.Propositions(), 2);
  EXPECT_EQ(statistics.Total(), 7u);  // every stored node, end markers included
}

TEST_F(SegmenterTest, LoneFullStopEndsASentenceOnlyBeforeACapital) {
  Add({{"Ion", ""}, {"vine", " "}, {"el", "."}, {"pleaca", " "}, {"Maria", "."}, {"vine", " "}});
  ASSERT_TRUE(segmenter.EndOfFile(""));
  EXPECT_EQ(Dump(), "ion[]@1 vine[ ]@2 el[.]@3 pleaca[ ]@4 /[.]@4 maria[]@5 vine[ ]@6 /[ ]@6");
  // The word that closed the sentence was fed again and kept its case mark.
  stream.SeekPosition(5);
  EXPECT_EQ(stream.Current()->info.capitalisation, 1);
}

struct OverflowCase {
  const char* label;
  int words;
  int commaBefore;  // index of the word preceded by a comma, -1 for none
  std::vector<int> sentences;
};

class SegmenterOverflowTest : public SegmenterTest, public ::testing::WithParamInterface<OverflowCase> {};

TEST_P(SegmenterOverflowTest, LongSentencesAreCut) {
  const OverflowCase& c = GetParam();
  analysis.allVerbs = true;  // no proposition cut, no long-proposition cut
  for (int i = 0; i < c.words; ++i) {
    const char* sep = i == 0 ? "" : (i == c.commaBefore ? "," : " ");
    ASSERT_TRUE(segmenter.AddWord("merge", sep));
  }
  ASSERT_TRUE(segmenter.EndOfFile(""));
  EXPECT_EQ(SentenceLengths(), c.sentences) << c.label;
  EXPECT_EQ(stream.HighestPosition(), c.words);
}

INSTANTIATE_TEST_SUITE_P(
    Words, SegmenterOverflowTest,
    ::testing::Values(
        // The 125th word fills the buffer: it is replaced by the end marker
        // and opens the next sentence.
        OverflowCase{"200 words", 200, -1, {124, 76}},
        OverflowCase{"125 words", 125, -1, {124, 1}},
        OverflowCase{"124 words", 124, -1, {124}},
        // A comma closes the lexical buffer from the 97th word on.
        OverflowCase{"comma before the 97th word", 100, 96, {96, 4}},
        OverflowCase{"comma before the 96th word", 100, 95, {100}}),
    [](const ::testing::TestParamInfo<OverflowCase>& info) {
      std::string name = info.param.label;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

// True when every slot of `b` from `count` on is all zero bytes.
bool FreeSlotsAreZero(const SegmentBuffer& b) {
  for (int i = b.count; i < SegmentBuffer::kSlotCount; ++i) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(&b.slots[i]);
    for (size_t k = 0; k < sizeof(WordSlot); ++k)
      if (bytes[k] != 0) return false;
  }
  return true;
}

// New words are written into the free slots without clearing them, so
// every path that frees slots (sentence ends, full buffers, the word parked
// for the next sentence, line ends) must leave them zero; a short word in a
// slot where a long one stood is read whole.
TEST_F(SegmenterTest, FreeSlotsStayZeroAndShortWordsFollowLongOnes) {
  std::vector<std::pair<std::string, std::string>> words;
  for (int i = 0; i < 130; ++i) words.push_back({"extraordinarilor", i == 0 ? "" : " "});
  words.push_back({"Un", "."});
  words.push_back({"om", " "});
  words.push_back({"a", ","});
  words.push_back({"x", " "});
  for (const auto& [text, separator] : words) {
    ASSERT_TRUE(segmenter.AddWord(text, separator)) << text;
    ASSERT_TRUE(FreeSlotsAreZero(segmenter.lexical())) << text;
    ASSERT_TRUE(FreeSlotsAreZero(segmenter.sentence())) << text;
  }
  ASSERT_TRUE(segmenter.ForceSentenceEnd());
  EXPECT_TRUE(FreeSlotsAreZero(segmenter.lexical()));
  EXPECT_TRUE(FreeSlotsAreZero(segmenter.sentence()));
  ASSERT_TRUE(segmenter.AddWord("b", ""));
  ASSERT_TRUE(segmenter.EndOfFile(""));
  EXPECT_TRUE(FreeSlotsAreZero(segmenter.lexical()));
  EXPECT_TRUE(FreeSlotsAreZero(segmenter.sentence()));
  const std::string dump = Dump();
  EXPECT_NE(dump.find(" un[]@"), std::string::npos) << dump;
  EXPECT_NE(dump.find(" om[ ]@"), std::string::npos) << dump;
  EXPECT_NE(dump.find(" x[ ]@"), std::string::npos) << dump;
  EXPECT_NE(dump.find(" b[]@"), std::string::npos) << dump;
}

TEST_F(SegmenterTest, LineEndForcedSentenceEndClosesOnce) {
  Add({{"Titlu", ""}, {"mare", " "}});
  ASSERT_TRUE(segmenter.ForceSentenceEnd());
  ASSERT_TRUE(segmenter.ForceSentenceEnd());  // an empty line adds nothing
  Add({{"Text", " "}});
  ASSERT_TRUE(segmenter.EndOfFile(""));
  EXPECT_EQ(Dump(), "titlu[]@1 mare[ ]@2 /[ ]@2 text[]@3 /[ ]@3");
}

TEST_F(SegmenterTest, LastSentenceOfOneWordIsKept) {
  Add({{"Ion", ""}, {"vine", " "}, {"Sfarsit", "."}});
  ASSERT_TRUE(segmenter.EndOfFile("."));
  EXPECT_EQ(Dump(), "ion[]@1 vine[ ]@2 /[.]@2 sfarsit[]@3 /[.]@3");
}

TEST_F(SegmenterTest, FileOfOneWordGivesOneProposition) {
  Add({{"Bine", ""}});
  ASSERT_TRUE(segmenter.EndOfFile(""));
  EXPECT_EQ(Dump(), "bine[]@1 /[ ]@1");
}

TEST_F(SegmenterTest, NothingAddedWritesNothing) {
  ASSERT_TRUE(segmenter.EndOfFile("..."));
  EXPECT_EQ(stream.Count(), 0u);
  EXPECT_EQ(writer.Propositions(), 0);
}

TEST_F(SegmenterTest, PositionsGoOnFromTheStreamsHighestPosition) {
  segmenter.StartFile(41);
  Add({{"Ion", ""}, {"vine", " "}});
  ASSERT_TRUE(segmenter.EndOfFile(""));
  EXPECT_EQ(Dump(), "ion[]@42 vine[ ]@43 /[ ]@43");
}

TEST_F(SegmenterTest, StopRequestedFailsTheFlushAndStoresNothing) {
  Add({{"Ion", ""}, {"vine", " "}});
  stop = true;
  EXPECT_FALSE(segmenter.AddWord("Azi", "!"));
  EXPECT_EQ(stream.Count(), 0u);
}

TEST_F(SegmenterTest, ClauseMarksAreCountedBeforeDisambiguation) {
  analysis.readings["12"] = Cat(kClassAdjective, 3);
  analysis.readings["30"] = Cat(kClassAdjective, 3);
  // At the start of a sentence the colon between the numbers reaches the
  // sentence buffer, where the readings show it is no clause colon.
  Add({{"12", ""}, {"30", ":"}, {"vine", ","}, {"azi", "\xAB"}, {"ora", "\xBB{"}});
  ASSERT_TRUE(segmenter.EndOfFile("."));
  ASSERT_EQ(analysis.clauseMarks.size(), 1u);
  EXPECT_EQ(analysis.clauseMarks[0], (std::vector<int>{0, 0, 1, 1, 2, 0}));
}

TEST_F(SegmenterTest, ColonBetweenNumbersInsideASentenceEndsIt) {
  analysis.readings["12"] = Cat(kClassAdjective, 3);
  analysis.readings["30"] = Cat(kClassAdjective, 3);
  // The lexical buffer tests the colon before the numbers have readings.
  Add({{"Ion", ""}, {"vine", " "}, {"la", " "}, {"12", " "}, {"30", ":"}, {"azi", " "}});
  ASSERT_TRUE(segmenter.EndOfFile(""));
  EXPECT_EQ(Dump(), "ion[]@1 vine[ ]@2 la[ ]@3 12[ ]@4 /[:]@4 30[]@5 azi[ ]@6 /[ ]@6");
}

}  // namespace
}  // namespace malvex
