#include "views/lemma_list.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <vector>

#include "dictionaries/lemma_index.h"
#include "dictionaries/noun_lemma_dictionary.h"
#include "views/result_list.h"

namespace malvex {
namespace {

std::vector<std::string> Lines(const std::vector<LemmaRow>& rows) {
  std::vector<std::string> lines;
  for (const LemmaRow& row : rows) lines.push_back(LemmaLine(row));
  return lines;
}

TEST(LemmaRowsTest, VerbIndexIsRankedOnDemandAndCutAtTheThreshold) {
  LemmaIndex verbs(29, 7);
  verbs.CreateEmpty();
  const uint32_t merge = verbs.AddLemma("merge");
  const uint32_t fi = verbs.AddLemma("fi");
  const uint32_t vedea = verbs.AddLemma("vedea");
  verbs.AddLemma("zice");  // never counted
  std::vector<uint32_t> groups(4, 0);
  for (const auto& [lemma, times] : {std::pair<uint32_t, int>{merge, 2}, {fi, 12}, {vedea, 1}})
    for (int i = 0; i < times; ++i) verbs.CountOccurrence(lemma, groups);

  EXPECT_EQ(Lines(LemmaRows(verbs, 0)), (std::vector<std::string>{"fi\t0012", "merge\t0002", "vedea\t0001"}));
  EXPECT_EQ(Lines(LemmaRows(verbs, 2)), (std::vector<std::string>{"fi\t0012", "merge\t0002"}));
  EXPECT_TRUE(LemmaRows(verbs, 13).empty());

  const std::vector<LemmaRow> rows = LemmaRows(verbs, 0);
  ResultList list;
  EXPECT_TRUE(FillLemmaList(rows, list));
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].item, fi);
  EXPECT_EQ(rows[0].frequency, 12u);
}

TEST(LemmaRowsTest, NounLemmasListTheirNames) {
  TDicSubstantifs nouns(100);
  const uint32_t casa = nouns.AddLemma("casa");
  const uint32_t om = nouns.AddLemma("om");
  nouns.AddLemma("robot");
  for (int i = 0; i < 3; ++i) nouns.CountOccurrence(om);
  nouns.CountOccurrence(casa);
  EXPECT_EQ(Lines(LemmaRows(nouns, 1)), (std::vector<std::string>{"om\t0003", "casa\t0001"}));
}

TEST(LemmaRowsTest, NothingCountedGivesNoRow) {
  LemmaIndex adjectives(29, 7);
  adjectives.CreateEmpty();
  adjectives.AddLemma("mare");
  EXPECT_TRUE(LemmaRows(adjectives, 0).empty());
}

}  // namespace
}  // namespace malvex
