// The reading pass from words to the word stream over the mini edition,
// counted into the category statistics as the engine wires them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reading/lexicon_analysis_test_fixture.h"
#include "reading/propositions.h"
#include "reading/segmenter.h"
#include "reading/word_stream.h"
#include "semantic/category_statistics.h"

namespace malvex {
namespace {

using testing::W;
using testing::Word;

// The reading pass from words to the word stream, with the statistics.
class ReadingPassTest : public testing::MiniEditionAnalysis {
 protected:
  ReadingPassTest() {
    segmenter_.StartFile(0);
    writer_.StartFile(1);
    statistics_.ResetStatistics();
  }

  void Add(const std::vector<Word>& words) {
    for (const Word& w : words) ASSERT_TRUE(segmenter_.AddWord(W(w.first), W(w.second)));
  }

  // The stream as "text/category/lemma" items, end markers as "/".
  std::vector<std::string> Stream() {
    std::vector<std::string> out;
    stream_.Rewind();
    WordInfo info;
    WordNode* node = nullptr;
    int32_t position = 0;
    while (const char* text = stream_.NextWithNode(info, node, position)) {
      if (text[0] == '/') {
        out.push_back("/");
        continue;
      }
      out.push_back(ToUtf8(text) + "/" + std::to_string(info.category.category) + "/" +
                    std::to_string(node->lemma));
    }
    return out;
  }

  WordStream stream_{nullptr};
  CategoryStatistics statistics_;
  PropositionWriter writer_{stream_, statistics_};
  SegmentBuffer lexical_;
  bool stop_ = false;
  Segmenter segmenter_{lexical_, buffer_, analysis_, writer_, stop_};
};

TEST_F(ReadingPassTest, WordsReachTheStreamLookedUpMergedAndCounted) {
  Add({{"Popescu", ""}, {"am", ""}, {"mâncat", ""}, {"3", ""}, {"14", ","}, {"case", ""}, {"frumoase", ""}});
  ASSERT_TRUE(segmenter_.EndOfFile("."));
  const std::string mananca = std::to_string(VerbLemma("mânca"));
  EXPECT_EQ(Stream(), (std::vector<std::string>{"popescu/8/0", "am_mâncat/1/" + mananca, "3,14/4/0",
                                                "case/9/0", "frumoase/8/0", "/"}));
  ASSERT_TRUE(statistics_.FinaliseStatistics());
  EXPECT_EQ(statistics_.Counter(kStatWord), 5u);
  EXPECT_EQ(statistics_.Counter(kStatProposition), 1u);
  EXPECT_EQ(statistics_.Counter(kStatSubstantive), 2u);  // the unknown words
  EXPECT_EQ(statistics_.Counter(kStatVerb), 1u);
  EXPECT_EQ(statistics_.Counter(kStatTense + 1), 1u);    // past
  EXPECT_EQ(statistics_.Counter(kStatMode), 1u);         // indicative
  EXPECT_EQ(statistics_.Counter(kStatAdjectiveSubclass + 2), 1u);  // the numeral
  EXPECT_EQ(statistics_.Counter(kStatAuxiliary), 0u);    // the participle's flags
}

TEST_F(ReadingPassTest, ColonBetweenNumbersJoinsOnlyWithinOneLexicalFlush) {
  // At the start of a sentence the colon cannot close the lexical buffer:
  // 12 and 30 are looked up together and merge.
  Add({{"12", ""}, {"30", ":"}, {"casa", ""}});
  ASSERT_TRUE(segmenter_.EndOfFile("."));
  EXPECT_EQ(Stream(), (std::vector<std::string>{"12:30/4/0", "casa/9/0", "/"}));
  // Further on, the colon closes the lexical buffer before 30 is looked up
  // with 12: two numbers in two sentences.
  stream_.Reset();
  segmenter_.StartFile(0);
  Add({{"casa", ""}, {"mare", ""}, {"12", ""}, {"30", ":"}, {"casa", ""}});
  ASSERT_TRUE(segmenter_.EndOfFile("."));
  const std::vector<std::string> stream = Stream();
  ASSERT_GE(stream.size(), 5u);
  EXPECT_EQ(stream[2], "12/4/0");
  EXPECT_EQ(stream[3], "/");
  EXPECT_EQ(stream[4], "30/4/0");
}

}  // namespace
}  // namespace malvex
