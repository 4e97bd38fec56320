#include "sense_clusters.h"

#include <gtest/gtest.h>

namespace malvex::edition {
namespace {

ThesaurusSense Line(const std::string& head, std::initializer_list<const char*> terms, bool restricted = false) {
  ThesaurusSense s;
  s.head = head;
  for (const char* t : terms) s.terms.push_back(ThesaurusTerm{t, restricted});
  return s;
}

// The class of each line, as the index of the class's first line.
std::vector<int> ClassOfLines(const std::vector<std::vector<int>>& classes, size_t lines) {
  std::vector<int> of(lines, -1);
  for (const std::vector<int>& c : classes) {
    for (const int i : c) of[i] = c.front();
  }
  return of;
}

ClusterOptions NoSatellites() {
  ClusterOptions o;
  o.link = 0.25;
  o.satellites = false;
  return o;
}

TEST(SenseClusters, MergesLinesThatNameEachOtherAndRefusesChaining) {
  // a ~ b strongly, b ~ c weakly; a and c share only b: a chain.
  const std::vector<ThesaurusSense> lines = {
      Line("a", {"b", "x1", "x2"}),
      Line("b", {"a", "c", "x1", "x2"}),
      Line("c", {"b", "y1", "y2"}),
  };
  const auto classes = ClusterSenses(lines, {}, NoSatellites());
  const std::vector<int> of = ClassOfLines(classes, lines.size());
  EXPECT_EQ(of[0], of[1]);
  EXPECT_NE(of[2], of[0]) << "c would only join through b";
  EXPECT_EQ(classes.size(), 2u);
}

TEST(SenseClusters, TwoSensesOfOneHeadwordStayApart) {
  const std::vector<ThesaurusSense> lines = {
      Line("masă", {"mobilă", "tablă", "birou"}),
      Line("masă", {"mobilă", "tablă", "birou", "masă_mare"}),
  };
  EXPECT_EQ(ClusterSenses(lines, {}, NoSatellites()).size(), 2u);
}

TEST(SenseClusters, AttachedLineFollowsItsLine) {
  // The feminine's line shares nothing with its masculine's.
  const std::vector<ThesaurusSense> lines = {
      Line("medic", {"doctor", "vraci"}),
      Line("doctor", {"medic", "vraci"}),
      Line("doctoriță", {"doctoreasă"}),
      Line("vraci", {"medic", "doctor"}),
  };
  const auto classes = ClusterSenses(lines, {-1, -1, 1, -1}, NoSatellites());
  const std::vector<int> of = ClassOfLines(classes, lines.size());
  EXPECT_EQ(of[0], of[1]);
  EXPECT_EQ(of[2], of[1]);
  EXPECT_EQ(of[3], of[0]);
}

TEST(SenseClusters, CapLimitsAClass) {
  const std::vector<ThesaurusSense> lines = {
      Line("a", {"b", "c", "x"}),
      Line("b", {"a", "c", "x"}),
      Line("c", {"a", "b", "x"}),
  };
  ClusterOptions o = NoSatellites();
  o.cap = 2;
  EXPECT_EQ(ClusterSenses(lines, {}, o).size(), 2u);
  o.cap = 3;
  EXPECT_EQ(ClusterSenses(lines, {}, o).size(), 1u);
}

TEST(SenseClusters, LoneLineJoinsAsSatelliteWithoutBringingOthers) {
  const std::vector<ThesaurusSense> lines = {
      Line("a", {"b", "x1", "x2"}),
      Line("b", {"a", "x1", "x2"}),
      Line("c", {"b"}),         // names b only: a satellite of b's class
      Line("d", {"c"}),         // names c, itself a satellite: stays alone
      Line("e", {"z"}, true),   // names nothing but a restricted term
  };
  ClusterOptions o = NoSatellites();
  o.satellites = true;
  const auto classes = ClusterSenses(lines, {}, o);
  const std::vector<int> of = ClassOfLines(classes, lines.size());
  EXPECT_EQ(of[0], of[1]);
  EXPECT_EQ(of[2], of[0]);
  EXPECT_EQ(of[3], 3);
  EXPECT_EQ(of[4], 4);
}

TEST(SenseClusters, NameCandidatesPreferTheMostNamedCommonWord) {
  const std::vector<ThesaurusSense> lines = {
      Line("automobil", {"masina", "autoturism"}),
      Line("masina", {"automobil", "autoturism"}),
      Line("autoturism", {"masina", "automobil"}),
  };
  auto commonness = [](const std::string& s) { return s == "masina" ? 5 : 1; };
  const std::vector<std::string> c = ClassNameCandidates(lines, {0, 1, 2}, commonness);
  ASSERT_EQ(c.size(), 3u);
  EXPECT_EQ(c[0], "masina") << "named by all three lines, and the most common";
}

}  // namespace
}  // namespace malvex::edition
