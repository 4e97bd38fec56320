#include "views/proposition_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reading/word_stream.h"

namespace malvex {
namespace {

// A stream built from "separator|word" items; "/" items are end markers.
class PropositionTextTest : public ::testing::Test {
 protected:
  PropositionTextTest() : stream(nullptr) {}

  void Add(const std::string& separator, const std::string& word, uint8_t capitalisation = 0) {
    WordInfo info;
    info.capitalisation = capitalisation;
    info.category.category = 8;
    if (word != "/") ++position;
    ASSERT_TRUE(stream.Append(word, separator, info, position, 0, 1));
  }
  std::vector<std::string> Texts(const PropositionFilter& wanted) {
    std::vector<std::string> texts;
    for (const PropositionText& p : PropositionTexts(stream, wanted)) texts.push_back(p.text);
    return texts;
  }

  WordStream stream;
  int32_t position = 0;
};

TEST_F(PropositionTextTest, WordsAreJoinedWithTheirPunctuation) {
  Add("", "ana", 1);
  Add("", "are");
  Add("", "mere");
  Add(",", "pere");
  Add("", "si");
  Add("(", "prune");
  Add(")", "/");
  Add(" \"", "vino", 1);
  Add("\"", "zise");
  Add("", "el");
  Add(".", "/");
  // Hyphens: joining a clitic, or a dash between two full words.
  Add("", "\xEEntr", 1);
  Add("-", "o");
  Add("", "zi");
  Add("", "d\xE2ndu");
  Add("-", "i");
  Add("", "erou");
  Add("-", "copil");
  Add(",", "o");
  Add("'", "brien", 1);
  Add(".", "/");
  Add("", "fara");
  Add("", "sfarsit");

  EXPECT_EQ(Texts([](uint32_t, int32_t) { return true; }),
            (std::vector<std::string>{"Ana are mere, pere si (prune)", "\"Vino\" zise el.",
                                      "\xCEntr-o zi d\xE2ndu-i erou - copil, o'Brien.", "fara sfarsit"}));
}

TEST_F(PropositionTextTest, OnlyWantedPropositionsWithTheirNumbersAndPositions) {
  for (const char* w : {"unu", "/", "doi", "trei", "/", "patru", "/"}) Add("", w);
  stream.Rewind();
  WordInfo info;
  const char* sep = nullptr;
  int32_t pos = 0;
  stream.Next(info, sep, pos);  // the caller's cursor, one node in

  const std::vector<PropositionText> got = PropositionTexts(stream, [](uint32_t n, int32_t) { return n == 2 || n == 4; });
  ASSERT_EQ(got.size(), 1u);  // proposition 4 does not exist
  EXPECT_EQ(got[0].number, 2u);
  EXPECT_EQ(got[0].text, "doi trei");
  EXPECT_EQ(got[0].first, 2);
  EXPECT_EQ(got[0].last, 3);
  // The cursor is where the caller left it.
  EXPECT_STREQ(stream.Next(info, sep, pos), "/");

  // By position: the propositions starting within words 2..4.
  std::vector<uint32_t> numbers;
  for (const PropositionText& p : PropositionTextsBetween(stream, 2, 4)) numbers.push_back(p.number);
  EXPECT_EQ(numbers, (std::vector<uint32_t>{2, 3}));
}

}  // namespace
}  // namespace malvex
