#include "thesaurus_senses.h"

#include <gtest/gtest.h>

#include <set>

#include "foundations/charset.h"

namespace malvex::edition {
namespace {

// Words the fixture's lexicon knows (UTF-8 in the table, 8-bit here).
KnownWord Lexicon(std::initializer_list<const char*> words) {
  auto known = std::make_shared<std::set<std::string>>();
  for (const char* w : words) known->insert(FromUtf8(w));
  return [known](const std::string& w) { return known->count(w) != 0; };
}

std::string Describe(const std::vector<ThesaurusTerm>& terms) {
  std::string s;
  for (const ThesaurusTerm& t : terms) {
    if (!s.empty()) s += '|';
    s += ToUtf8(t.text);
    if (t.restricted) s += '*';
  }
  return s;
}

TEST(ThesaurusSenses, CleansOneField) {
  const KnownWord known = Lexicon({"anunțare", "occident", "soare", "apune", "iarba", "raiului", "ra"});
  struct Row {
    const char* field;
    const char* terms;  // '|' between terms, '*' after a restricted one
  } const rows[] = {
      {"hrană", "hrană"},
      {"(înv. și pop.) ospăț", "ospăț*"},
      {"(pop.) bucate (pl.)", "bucate*"},
      {"bucate (pl.)", "bucate"},
      {"Cădere de apă", "cădere_de_apă"},
      {"(\\\\~ $unui corp.)", ""},
      {"greutate atomică; masă electrică", "greutate_atomică|masă_electrică"},
      {"(reg.) țigancă;  b)                   sugel alb", "țigancă*|sugel_alb"},
      {"≠ discontinuu", ""},
      {"= (reg.) chel", "chel*"},
      {"anun-țare", "anunțare"},
      {"occi-dent", "occident"},
      {"soare-apune", "soare-apune"},
      {"iarba-ra-iului", "iarba-raiului"},
      {"vitamina B_ 12", ""},
      {"*     punte", "punte"},
      {"oprește!", "oprește"},
      {"(după alte surse)  molisol ]", "molisol"},
      {"perla (art.)", "perla*"},
      {"o definiție mult prea lungă pentru un sinonim", ""},
  };
  for (const Row& r : rows) {
    std::vector<ThesaurusTerm> terms;
    CleanThesaurusField(r.field, known, &terms);
    EXPECT_EQ(Describe(terms), r.terms) << r.field;
  }
}

TEST(ThesaurusSenses, ReadsNounLinesOfEachHeadword) {
  const std::string text =
      "UTF-8\n"
      "masă|2\n"
      "(subst)|mobilă|masă\n"
      "(subst)|mâncare|(înv.) ospăț|hrană\n"
      "mare|2\n"
      "(adj)|întins|vast\n"
      "(subst)|ocean\n"
      "masă|1\n"
      "(subst)|mulțime\n"
      "gol|1\n"
      "(subst)|\n";
  std::vector<ThesaurusSense> senses;
  ParseThesaurusSenses(text, Lexicon({}), &senses);
  ASSERT_EQ(senses.size(), 5u);
  EXPECT_EQ(ToUtf8(senses[0].head), "masă");
  EXPECT_EQ(Describe(senses[0].terms), "mobilă") << "the headword is not its own term";
  EXPECT_EQ(Describe(senses[1].terms), "mâncare|ospăț*|hrană");
  EXPECT_EQ(senses[1].order, 1);
  EXPECT_EQ(ToUtf8(senses[2].head), "mare") << "adjective lines are skipped";
  EXPECT_EQ(senses[3].order, 2) << "a headword met again goes on counting its lines";
  EXPECT_EQ(ToUtf8(senses[4].head), "gol");
  EXPECT_TRUE(senses[4].terms.empty());
}

}  // namespace
}  // namespace malvex::edition
