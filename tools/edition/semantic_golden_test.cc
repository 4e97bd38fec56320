// Checks the built edition's noun senses and default scenario: a few
// Romanian nouns get sensible classes. Runs when the edition has been built
// (the `edition` target); skipped otherwise.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <vector>

#include "curated_tables.h"

namespace malvex::edition {
namespace {

struct Sense {
  std::string reference, field, domain, lemma;
};

// form -> senses in order, and reference -> its noun lemmas (UTF-8).
struct Senses {
  std::map<std::string, std::vector<Sense>> forms;
  std::map<std::string, std::set<std::string>> members;
};

Senses LoadSenses(const std::string& path) {
  Senses s;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = SplitTabs(line);
    if (f.size() < 6) continue;
    s.forms[f[0]].push_back(Sense{f[1], f[2], f[3], f[5]});
    s.members[f[1]].insert(f[5]);
  }
  return s;
}

class SemanticGolden : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string path = std::string(MALVEX_EDITION_SOURCES) + "/senses.tsv";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "the edition is not built";
    senses_ = LoadSenses(path);
  }
  const std::vector<Sense>& Of(const std::string& form) {
    static const std::vector<Sense> none;
    const auto it = senses_.forms.find(form);
    EXPECT_NE(it, senses_.forms.end()) << form << " has no sense";
    return it == senses_.forms.end() ? none : it->second;
  }
  std::string FirstDomain(const std::string& form) {
    const std::vector<Sense>& s = Of(form);
    return s.empty() ? "" : s.front().domain;
  }
  Senses senses_;
};

TEST_F(SemanticGolden, KnownNounsHaveSensibleClasses) {
  struct Row {
    const char* form;
    const char* domain;  // of the first sense
  } const rows[] = {
      {"casă", "construcții și locuință"}, {"casele", "construcții și locuință"},
      {"medic", "sănătate"},               {"doctoriță", "sănătate"},
      {"profesor", "educație"},            {"profesoară", "educație"},
      {"șah", "sport și jocuri"},          {"spital", "sănătate"},
      {"mașină", "transport"},             {"automobil", "transport"},
      {"guvern", "politică și stat"},      {"lege", "drept și justiție"},
  };
  for (const Row& r : rows) EXPECT_EQ(FirstDomain(r.form), r.domain) << r.form;
  // The table first, then the thesaurus's other senses (the meal, the mass).
  EXPECT_EQ(FirstDomain("masă"), "construcții și locuință");
  EXPECT_GE(Of("masă").size(), 3u);
  // The chess the thesaurus lacks comes before its shah.
  ASSERT_GE(Of("șah").size(), 2u);
  EXPECT_EQ(Of("șah")[0].reference, "șah");
}

TEST_F(SemanticGolden, PairsAndSynonymsShareTheirReference) {
  const std::pair<const char*, const char*> pairs[] = {
      {"medic", "doctoriță"}, {"profesor", "profesoară"}, {"mașină", "automobil"}, {"medic", "doctor"}};
  for (const auto& [a, b] : pairs) {
    std::set<std::string> ra, rb;
    for (const Sense& s : Of(a)) ra.insert(s.reference);
    for (const Sense& s : Of(b)) rb.insert(s.reference);
    bool shared = false;
    for (const std::string& r : ra) shared |= rb.count(r) != 0;
    EXPECT_TRUE(shared) << a << " and " << b;
  }
  ASSERT_FALSE(Of("medic").empty());
  EXPECT_GE(senses_.members[Of("medic").front().reference].size(), 2u);
  ASSERT_FALSE(Of("profesoară").empty());
  EXPECT_EQ(Of("profesoară").front().lemma, "profesor");
}

TEST_F(SemanticGolden, DefaultScenarioIsInstalled) {
  const std::filesystem::path scenario =
      std::filesystem::path(MALVEX_DICO_DIR).parent_path() / "Scenario" / "Concepts Romanian V8.scn";
  EXPECT_TRUE(std::filesystem::exists(scenario)) << scenario;
}

}  // namespace
}  // namespace malvex::edition
