#include "edition_sources.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace malvex::edition {
namespace {

using malvex::testing::TempDir;
using malvex::testing::WriteFile;

TEST(LemmaPriority, ProseThenSourcesThenNegatedThenOtherPrefixedDerivativesLast) {
  TempDir dir;
  for (const char* name : {"verb_classes.tsv", "closed_class.tsv", "evaluative_adjectives.tsv", "abbreviations.tsv",
                           "simple_past.tsv", "exceptions.tsv", "matrix_adjustments.tsv"}) {
    ASSERT_TRUE(WriteFile(dir.File(name), ""));
  }
  CuratedTables tables;
  std::string error;
  ASSERT_TRUE(tables.Load(dir.path().string(), &error)) << error;
  LexiconAssembly lexicon(tables);
  lexicon.AddAnalyserPath("mare", "mare<adj><mf><sg><nom><ind>");
  const std::map<std::string, double> prose = {{"bun", 5}};
  const std::map<std::string, std::vector<int>> thesaurus = {{"frumos", {4}}};
  const LemmaPriority priority(lexicon, prose, thesaurus);
  // "neted" begins like a negated adjective but "ted" is no lemma of the
  // list; "autovamal", "nevamal" and "revamal" are "vamal" with a prefix.
  std::vector<std::string> lemmas = {"zebrat", "nevamal", "vamal", "frumos", "revamal", "neted",
                                     "mare",   "bun",     "autovamal"};
  priority.Sort(lemmas);
  const std::vector<std::string> expected = {"bun",   "mare",   "frumos",  "neted",  "vamal",
                                             "zebrat", "nevamal", "autovamal", "revamal"};
  EXPECT_EQ(lemmas, expected);
}

// Every lemma gets its number first; then every form of the core lemmas
// (met in the prose or known to the analyser) and the short forms of the
// others, lemma by lemma; the long forms of the others come last, so that
// when the tries fill up it is they that are left out.
TEST(FitLemmaTable, LemmasThenCoreAndShortFormsThenLongForms) {
  TempDir dir;
  for (const char* name : {"verb_classes.tsv", "closed_class.tsv", "evaluative_adjectives.tsv", "abbreviations.tsv",
                           "simple_past.tsv", "exceptions.tsv", "matrix_adjustments.tsv"}) {
    ASSERT_TRUE(WriteFile(dir.File(name), ""));
  }
  CuratedTables tables;
  std::string error;
  ASSERT_TRUE(tables.Load(dir.path().string(), &error)) << error;
  LexiconAssembly lexicon(tables);
  const std::map<std::string, double> prose = {{"bun", 5}};
  const std::map<std::string, std::vector<int>> thesaurus;
  const LemmaPriority priority(lexicon, prose, thesaurus);
  const std::map<std::string, std::string> forms = {
      {"bun", "bun"},         {"bunele", "bun"},      {"bunelor", "bun"},         {"volumic", "volumic"},
      {"volumice", "volumic"}, {"volumicele", "volumic"}, {"volumicelor", "volumic"}, {"volumică", "volumic"}};
  const LemmaTable table = FitLemmaTable(forms, priority, 2);
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"bun", "bun"},          {"volumic", "volumic"},    {"bunele", "bun"},         {"bunelor", "bun"},
      {"volumice", "volumic"}, {"volumică", "volumic"},   {"volumicele", "volumic"}, {"volumicelor", "volumic"}};
  EXPECT_EQ(table.pairs, expected);
  EXPECT_EQ(table.lemmas, 2u);
  EXPECT_EQ(table.lemmasLeftOut + table.formsLeftOut, 0u);
}

}  // namespace
}  // namespace malvex::edition
