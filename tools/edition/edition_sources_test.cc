#include "edition_sources.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace malvex::edition {
namespace {

using malvex::testing::TempDir;
using malvex::testing::WriteFile;

TEST(LemmaPriority, ProseThenSourcesThenPrefixedDerivativesLast) {
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
                                             "zebrat", "autovamal", "nevamal", "revamal"};
  EXPECT_EQ(lemmas, expected);
}

}  // namespace
}  // namespace malvex::edition
