// Checks the built edition: known Romanian words carry the expected
// readings, and the matrix has its fixed size. Runs when the edition has
// been built (the `edition` target); skipped otherwise.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "curated_tables.h"
#include "dictionaries/category_matrix.h"
#include "edition_codes.h"

namespace malvex::edition {
namespace {

std::map<std::string, std::vector<std::string>> LoadLexiconSource() {
  std::map<std::string, std::vector<std::string>> forms;
  std::ifstream in(std::string(MALVEX_EDITION_SOURCES) + "/lexicon.tsv");
  std::string line;
  while (std::getline(in, line)) {
    const std::vector<std::string> f = SplitTabs(line);
    std::vector<std::string>& readings = forms[f[0]];
    for (size_t i = 1; i < f.size(); ++i) {
      const uint16_t code = static_cast<uint16_t>(std::stoul(f[i], nullptr, 16));
      readings.push_back(DescribeCode(code & ~kFundamentalBit));
    }
  }
  return forms;
}

TEST(EditionGolden, KnownWordsHaveTheirReadings) {
  if (!std::filesystem::exists(std::string(MALVEX_EDITION_SOURCES) + "/lexicon.tsv")) {
    GTEST_SKIP() << "the edition is not built";
  }
  const auto forms = LoadLexiconSource();
  struct Row {
    const char* form;  // UTF-8
    const char* reading;
    bool first;  // the reading must come first
  };
  const Row rows[] = {
      {"mănânc", "verb:factive:present:indicative", true},
      {"am", "verb:stative:present:indicative:aux", true},
      {"mâncat", "verb:factive:past:participle", false},
      {"aș", "verb:stative:present:conditional:aux", true},
      {"fi", "verb:stative:present:infinitive:aux", true},
      {"aș_fi", "verb:stative:present:conditional:aux", true},
      {"spus", "verb:reflexive:past:participle", false},
      {"voi", "verb:factive:future:indicative:aux", false},
      {"și", "conn:addition", true},
      {"dacă", "conn:condition", true},
      {"pentru_că", "conn:cause", true},
      {"ca_să", "conn:goal", true},
      {"foarte", "mod:intensity", true},
      {"nu", "mod:negation", true},
      {"poate", "mod:doubt", false},
      {"eu", "pron:deixis:1", true},
      {"tine", "pron:deixis:2", true},
      {"el", "pron:personal:3", true},
      {"cineva", "pron:others:7", true},
      {"care", "pron:relative:0", true},
      {"acest", "det", true},
      {"în", "prep", true},
      {"de-a_lungul", "prep", true},
      {"cel", "pron:others:0", true},
      {"cele", "pron:others:0", true},
      {"de-a_latul", "prep", true},
      {"frumos", "adj:subjective", true},
      {"trei", "adj:numeral", true},
      {"casa", "noun", true},
      {"dr", "noun:abbr", true},
      {"cântă", "verb:factive:past:indicative", false},
      {"făcu", "verb:factive:past:indicative", false},
  };
  for (const Row& r : rows) {
    const auto it = forms.find(r.form);
    ASSERT_NE(it, forms.end()) << r.form;
    ASSERT_FALSE(it->second.empty()) << r.form;
    EXPECT_LE(it->second.size(), 6u) << r.form;
    if (r.first) {
      EXPECT_EQ(it->second[0], r.reading) << r.form;
    } else {
      EXPECT_NE(std::find(it->second.begin(), it->second.end(), r.reading), it->second.end()) << r.form;
    }
  }
  // Readings the edition leaves out.
  const Row absent[] = {
      {"cel", "det", false},
      {"cea", "det", false},
      {"cei", "det", false},
      {"cele", "det", false},
      {"fosta", "noun", false},
      {"fostei", "noun", false},
      {"fostele", "noun", false},
  };
  for (const Row& r : absent) {
    const auto it = forms.find(r.form);
    ASSERT_NE(it, forms.end()) << r.form;
    EXPECT_EQ(std::find(it->second.begin(), it->second.end(), r.reading), it->second.end()) << r.form;
  }
}

TEST(EditionGolden, MatrixHasItsFixedSize) {
  const std::string path = std::string(MALVEX_DICO_DIR) + "/roglex.zv8";
  if (!std::filesystem::exists(path)) GTEST_SKIP() << "the edition is not built";
  EXPECT_EQ(std::filesystem::file_size(path), CategoryMatrix::kBytes);
  CategoryMatrix m;
  ASSERT_TRUE(m.Load(path));
  // A trained matrix prefers a substantive after a determiner to a verb
  // there, and rewards a connector opening a clause.
  EXPECT_GT(m.Bigram(7, 8), m.Bigram(7, 1));
  // Before an adjective an adverb is likelier than another adjective
  // (extrem de, ușor inflamabile).
  EXPECT_GT(m.Bigram(3, 4), m.Bigram(4, 4));
  // A pronoun of the others kind takes an adjective after it rather than a
  // noun (cel mare); a personal pronoun is likelier before a preposition
  // than before an adjective (la noi în).
  EXPECT_GT(m.PronounBigram(5, 4), m.PronounBigram(5, 8));
  EXPECT_GT(m.PronounBigram(3, 6), m.PronounBigram(3, 4));
  EXPECT_GT(m.ConnectorStartBonus(), 0);
}

}  // namespace
}  // namespace malvex::edition
