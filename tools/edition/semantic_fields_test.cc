#include "semantic_fields.h"

#include <gtest/gtest.h>

namespace malvex::edition {
namespace {

// A tiny WordNet: chess is first a game (tagged) and second a grass; table
// is first a data array and second a piece of furniture.
const char kData[] =
    "  1 This line is part of the licence header.\n"
    "00000001 03 n 01 entity 0 000 | that which exists\n"
    "00000002 04 n 01 game 0 001 @ 00000001 n 0000 | a contest with rules\n"
    "00000003 04 n 01 chess 0 001 @ 00000002 n 0000 | a board game for two\n"
    "00000004 03 n 01 plant 0 001 @ 00000001 n 0000 | a living organism\n"
    "00000005 20 n 02 chess 0 cheat 0 001 @ 00000004 n 0000 | a weedy grass\n"
    "00000006 18 n 01 person 0 001 @ 00000001 n 0000 | a human being\n"
    "00000007 18 n 01 doctor 0 001 @ 00000006 n 0000 | a physician\n"
    "00000008 18 n 01 ruler 0 001 @ 00000006 n 0000 | a sovereign\n"
    "00000009 18 n 02 shah 0 sultan 0 002 @ 00000008 n 0000 @i 00000006 n 0000 | a ruler of Iran\n"
    "00000010 14 n 01 table 0 001 @ 00000014 n 0000 | a tabular array\n"
    "00000011 06 n 01 furniture 0 001 @ 00000001 n 0000 | furnishings\n"
    "00000012 06 n 01 table 0 001 @ 00000011 n 0000 | a piece of furniture\n"
    "00000013 06 n 01 desk 0 001 @ 00000011 n 0000 | a table to write at\n"
    "00000014 14 n 01 data 0 001 @ 00000001 n 0000 | a collection of facts\n";
const char kIndex[] =
    "  1 This line is part of the licence header.\n"
    "chess n 2 1 @ 2 1 00000003 00000005\n"
    "cheat n 1 1 @ 1 0 00000005\n"
    "game n 1 1 @ 1 1 00000002\n"
    "plant n 1 1 @ 1 1 00000004\n"
    "person n 1 1 @ 1 1 00000006\n"
    "doctor n 1 1 @ 1 1 00000007\n"
    "ruler n 1 1 @ 1 1 00000008\n"
    "shah n 1 1 @ 1 0 00000009\n"
    "table n 2 1 @ 2 2 00000010 00000012\n"
    "furniture n 1 1 @ 1 1 00000011\n"
    "desk n 1 1 @ 1 1 00000013\n"
    "data n 1 1 @ 1 1 00000014\n"
    "entity n 1 1 @ 1 0 00000001\n";
const char kCounts[] =
    "chess%1:04:00:: 1 5\n"
    "table%1:14:00:: 1 40\n"
    "table%1:06:01:: 2 30\n"
    "table%2:35:00:: 1 9\n";  // a verb: ignored

const char kDomains[] = "# domains\njoc\nplante\noameni\nobiecte\ncunoaștere\n";
const char kFields[] =
    "joc\tjocuri\tgame.1\n"
    "plante\tplante verzi\tplant.1\n"
    "oameni\tmedici\tdoctor.1\n"
    "oameni\tconducători\truler.1\n"
    "obiecte\tmobilier\tfurniture.1\n"
    "cunoaștere\tdate\tdata.1\n";

class SemanticFieldsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(wordnet_.Parse(kData, kIndex, kCounts));
    std::string error;
    ASSERT_TRUE(fields_.Parse(kDomains, kFields, wordnet_, &error)) << error;
  }
  std::string FieldName(int f) const { return f < 0 ? "-" : fields_.Fields()[f].name; }
  std::string Winner(const EnglishNouns& nouns) const {
    FieldVotes votes;
    fields_.Vote(nouns, 1.0, &votes);
    return FieldName(BestField(votes, nullptr));
  }

  WordNetNouns wordnet_;
  SemanticFields fields_;
};

TEST_F(SemanticFieldsTest, SynsetFallsInTheFieldOfItsNearestAnchor) {
  EXPECT_EQ(FieldName(fields_.FieldOfSynset(wordnet_.Find("chess", 1))), "jocuri");
  EXPECT_EQ(FieldName(fields_.FieldOfSynset(wordnet_.Find("chess", 2))), "plante verzi");
  // shah: ruler one step up, person (no anchor) too; the anchor wins.
  EXPECT_EQ(FieldName(fields_.FieldOfSynset(wordnet_.Find("shah", 1))), "conduc\xE3tori");
  EXPECT_EQ(FieldName(fields_.FieldOfSynset(wordnet_.Find("entity", 1))), "-");
  EXPECT_EQ(wordnet_.Find("chess", 3), -1);
  EXPECT_EQ(wordnet_.SensesOf("chess")->front().tagged, 5);
}

TEST_F(SemanticFieldsTest, VotePrefersTheFrequentSenseAndAgreeingTranslations) {
  EXPECT_EQ(Winner({{"chess", 1.0}}), "jocuri") << "not the grass";
  EXPECT_EQ(Winner({{"table", 1.0}}), "date") << "the more frequent sense alone";
  EXPECT_EQ(Winner({{"table", 1.0}, {"desk", 1.0}}), "mobilier") << "two translations agree on furniture";
  EXPECT_EQ(Winner({{"unknown", 1.0}}), "-");
}

TEST(SemanticFieldPriors, TaggedCountsThenSenseOrder) {
  const std::vector<double> untagged = SemanticFields::SensePriors({{0, 0}, {1, 0}, {2, 0}});
  EXPECT_GT(untagged[0], untagged[1]);
  EXPECT_GT(untagged[1], untagged[2]);
  const std::vector<double> tagged = SemanticFields::SensePriors({{0, 0}, {1, 10}});
  EXPECT_GT(tagged[1], tagged[0]);
  EXPECT_DOUBLE_EQ(tagged[0] + tagged[1], 1.0);
}

TEST(SemanticFieldPriors, UntaggedNounsPutTheirPlantsAndAnimalsLast) {
  // chess as WordNet gives it: the grass first, the game second, neither
  // met in the tagged corpus.
  const std::vector<double> p = SemanticFields::SensePriors({{0, 0, 20}, {1, 0, 4}});
  EXPECT_GT(p[1], p[0]);
  // Once tagged, the order of the counts rules.
  const std::vector<double> q = SemanticFields::SensePriors({{0, 3, 20}, {1, 0, 4}});
  EXPECT_GT(q[0], q[1]);
  // A fruit before its tree, tagged or not.
  const std::vector<double> f = SemanticFields::SensePriors({{0, 3, 20}, {1, 1, 13}});
  EXPECT_GT(f[1], f[0]);
  // A noun that names only animals keeps its order.
  const std::vector<double> r = SemanticFields::SensePriors({{0, 0, 5}, {1, 0, 5}});
  EXPECT_GT(r[0], r[1]);
  // The preferred sense gets at least half.
  const std::vector<double> t = SemanticFields::SensePriors({{0, 40, 14}, {1, 25, 6}}, 2);
  EXPECT_GE(t[1], 0.5);
}

TEST_F(SemanticFieldsTest, PreferredSensesTurnTheVote) {
  std::string error;
  ASSERT_TRUE(fields_.ParsePreferredSenses("# the furniture\ntable\t2\n", &error)) << error;
  EXPECT_EQ(Winner({{"table", 1.0}}), "mobilier");
  EXPECT_FALSE(fields_.ParsePreferredSenses("table\t3\n", &error));
  EXPECT_NE(error.find("english_senses.tsv:1"), std::string::npos) << error;
  EXPECT_FALSE(fields_.ParsePreferredSenses("nothing\t1\n", &error));
}

TEST_F(SemanticFieldsTest, AWordlessCompoundStandsForItsLastWord) {
  EXPECT_EQ(Winner({{"wise_doctor", 1.0}}), "medici");
}

TEST_F(SemanticFieldsTest, SynonymsAgreeingOnADomainOutweighOneWord) {
  // One heavy word for data, two lighter words for furniture: the two agree
  // and win, though their weights alone would not.
  const EnglishNouns data = {{"data", 1.0}};
  const EnglishNouns desk = {{"desk", 1.0}};
  const EnglishNouns furniture = {{"furniture", 1.0}};
  FieldVotes votes;
  fields_.VoteWords({{&data, 2.5}, {&desk, 1.0}, {&furniture, 1.0}}, &votes);
  EXPECT_EQ(FieldName(BestField(votes, nullptr)), "mobilier");
  FieldVotes alone;
  fields_.VoteWords({{&data, 2.5}, {&desk, 1.0}}, &alone);
  EXPECT_EQ(FieldName(BestField(alone, nullptr)), "date");
}

TEST_F(SemanticFieldsTest, TablesAreChecked) {
  struct Row {
    const char* fields;
    const char* error;  // a part of the message
  } const rows[] = {
      {"joc\tjocuri\tgame.3\n", "no synset \"game.3\""},
      {"joc\tjocuri\tgame\n", "no synset \"game\""},
      {"sport\tjocuri\tgame.1\n", "unknown domain"},
      {"joc\tjocuri\tgame.1\njoc\tJocuri\tchess.1\n", "already given"},
      {"joc\tjoc\tgame.1\n", "already given"},
      {"joc\tjocuri\tgame.1\nplante\tiarbă\tgame.1\n", "already belongs"},
      {"joc\tjocuri\t\n", "at least one anchor"},
      {"joc\tjocuri\n", "expected domain"},
  };
  for (const Row& r : rows) {
    SemanticFields f;
    std::string error;
    EXPECT_FALSE(f.Parse(kDomains, r.fields, wordnet_, &error)) << r.fields;
    EXPECT_NE(error.find(r.error), std::string::npos) << error;
    EXPECT_EQ(error.rfind("semantic_fields.tsv:", 0), 0u) << error;
  }
}

}  // namespace
}  // namespace malvex::edition
