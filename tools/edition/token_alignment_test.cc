#include "token_alignment.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "test_support.h"
#include "treebank_measure.h"

namespace malvex::edition {
namespace {

TEST(Pieces, CutAtJoinersWithoutTheSignsAround) {
  EXPECT_EQ(Pieces("-l"), (std::vector<std::string>{"l"}));
  EXPECT_EQ(Pieces("\xCEntr-"), (std::vector<std::string>{"\xEEntr"}));
  EXPECT_EQ(Pieces("pentru_c\xE3"), (std::vector<std::string>{"pentru", "c\xE3"}));
  EXPECT_EQ(Pieces("Dr."), (std::vector<std::string>{"dr"}));
  EXPECT_EQ(Pieces("12,5"), (std::vector<std::string>{"12,5"}));
  EXPECT_EQ(Pieces(","), (std::vector<std::string>{}));
  EXPECT_EQ(Pieces("n'a"), (std::vector<std::string>{"n", "a"}));
}

TEST(AlignTokens, MatchesTheWaysTheReaderCutsAText) {
  const struct {
    const char* what;
    std::vector<std::string> gold;
    std::vector<std::string> stored;
    std::vector<int> expected;
  } cases[] = {
      {"one to one", {"Ei", "vin", "azi"}, {"ei", "vin", "azi"}, {0, 1, 2}},
      {"punctuation has no word", {"vin", ",", "azi", "."}, {"vin", "azi"}, {0, -1, 1, -1}},
      {"a compound covers several tokens", {"pentru", "c\xE3", "vin"}, {"pentru_c\xE3", "vin"}, {0, 0, 1}},
      {"a clitic split off", {"care", "-l", "lua"}, {"care", "l", "lua"}, {0, 1, 2}},
      {"a hyphenated token read as two words", {"nord-est", "azi"}, {"nord", "est", "azi"}, {0, 2}},
      {"a token the reader lost", {"a", "b", "c", "d"}, {"a", "c", "d"}, {0, -1, 1, 2}},
      {"a word the treebank lacks", {"a", "c", "d"}, {"a", "b", "c", "d"}, {0, 2, 3}},
      {"an abbreviation without its full stop", {"dr.", "Ion"}, {"dr", "ion"}, {0, 1}},
      {"a number cut differently", {"12,5", "lei", "azi"}, {"12", "5", "lei", "azi"}, {-1, 2, 3}},
  };
  for (const auto& c : cases) EXPECT_EQ(AlignTokens(c.gold, c.stored), c.expected) << c.what;
}

TEST(ReadConllu, KeepsSyntacticWordsAndTheText) {
  testing::TempDir dir;
  const std::string path = dir.File("t.conllu");
  ASSERT_TRUE(testing::WriteFile(path,
                                 "# sent_id = 1\n"
                                 "# text = Care-l ia.\n"
                                 "1\tCare\tcare\tPRON\t_\t_\t0\troot\t_\tSpaceAfter=No\n"
                                 "2\t-l\tel\tPRON\t_\t_\t1\tobj\t_\t_\n"
                                 "2.1\tx\tx\tX\t_\t_\t_\t_\t_\t_\n"
                                 "3-4\tia\t_\t_\t_\t_\t_\t_\t_\t_\n"
                                 "3\tia\tlua\tVERB\t_\t_\t1\tconj\t_\tSpaceAfter=No\n"
                                 "4\t.\t.\tPUNCT\t_\t_\t1\tpunct\t_\t_\n"
                                 "\n"
                                 "1\tDa\tda\tINTJ\t_\t_\t0\troot\t_\t_\n"));
  std::vector<GoldSentence> sentences;
  ASSERT_TRUE(ReadConllu(path, &sentences));
  ASSERT_EQ(sentences.size(), 2u);
  EXPECT_EQ(sentences[0].text, "Care-l ia.");
  ASSERT_EQ(sentences[0].tokens.size(), 4u);
  EXPECT_EQ(sentences[0].tokens[1].form, "-l");
  EXPECT_EQ(sentences[0].tokens[1].lemma, "el");
  EXPECT_EQ(sentences[0].tokens[2].upos, "VERB");
  EXPECT_EQ(sentences[0].tokens[1].head, 1);
  EXPECT_EQ(sentences[0].tokens[1].deprel, "obj");
  EXPECT_EQ(sentences[0].tokens[0].head, 0);
  EXPECT_EQ(sentences[1].text, "Da");
  EXPECT_FALSE(ReadConllu(dir.File("missing.conllu"), &sentences));
}

TEST(ClassesOfFixedExpression, TheHeadsRelationNamesTheFunction) {
  const struct {
    const char* deprel;
    unsigned classes;
  } cases[] = {
      {"advmod", ClassesOfUpos("ADV")},   // de asemenea, din nou
      {"mark", ClassesOfUpos("SCONJ")},   // după ce, pentru că
      {"cc", ClassesOfUpos("CCONJ")},     // precum și
      {"case", ClassesOfUpos("ADP")},     // de la, cu privire la
      {"amod", ClassesOfUpos("ADJ")},     // astfel de
      {"root", 0},                        // avut loc: a verbal idiom keeps its words' tags
      {"obl", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ClassesOfFixedExpression(c.deprel), c.classes) << c.deprel;
  EXPECT_NE(ClassesOfFixedExpression("advmod") & (1u << 3), 0u);
  EXPECT_NE(ClassesOfFixedExpression("mark") & (1u << 2), 0u);
}

}  // namespace
}  // namespace malvex::edition
