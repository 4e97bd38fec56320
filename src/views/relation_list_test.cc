#include "views/relation_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "semantic/cell_pool.h"
#include "semantic/relation_store.h"
#include "views/counted_dictionary_test_fixture.h"
#include "views/result_list.h"

namespace malvex {
namespace {

// Relations between the classes of the counted dictionary, consolidated
// and ranked as the semantic pass does.
class RelationRowsTest : public testing::CountedDictionaryTest {
 protected:
  RelationRowsTest() : pool_(std::make_unique<CellPool>()), store_(*pool_) {}

  // The class path of a noun of the dictionary.
  ClassPath PathOf(const char* l1, const char* l2, const char* l3) {
    ClassPath p;
    p.at(1) = Class(1, l1);
    p.at(2) = Class(2, l2);
    p.at(3) = l3[0] ? Class(3, l3) : 0;
    return p;
  }
  void AddPair(const ClassPath& a, const ClassPath& b, int times) {
    const ClassPath items[2] = {a, b};
    for (int i = 0; i < times; ++i) ASSERT_TRUE(store_.Append(items, 2, nullptr, 1, 0, 0));
  }
  void Rank() {
    for (int level = 1; level <= kClassLevels; ++level) {
      ASSERT_TRUE(store_.ConsolidateLevel(level));
      ASSERT_TRUE(store_.RankLevel(level));
    }
  }
  std::vector<std::string> Lines(int level) {
    std::vector<std::string> lines;
    for (const RelationRow& row : RelationRows(store_, dictionary_, level)) lines.push_back(RelationLine(row));
    return lines;
  }

  std::unique_ptr<CellPool> pool_;
  RelationStore store_;
};

TEST_F(RelationRowsTest, PairsSeenMoreThanOnceByFrequencyWithBothEndsClassed) {
  const ClassPath casa = PathOf("locuinta", "cladire", "loc");
  const ClassPath om = PathOf("persoana", "fiinta", "viata");
  const ClassPath pas = PathOf("miscare", "actiune", "");
  AddPair(om, casa, 3);
  AddPair(casa, om, 1);  // the reversed pair: another relation, seen once
  AddPair(om, pas, 2);   // "pas" has no level-3 class
  Rank();

  EXPECT_EQ(Lines(1), (std::vector<std::string>{"persoana > locuinta\t0003", "persoana > miscare\t0002"}));
  EXPECT_EQ(Lines(3), (std::vector<std::string>{"viata > loc\t0003"}));

  const std::vector<RelationRow> rows = RelationRows(store_, dictionary_, 1);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].first, Class(1, "persoana"));
  EXPECT_EQ(rows[0].second, Class(1, "locuinta"));
  EXPECT_EQ(rows[0].firstCount, 4u);
  EXPECT_EQ(rows[0].secondCount, 5u);
  EXPECT_DOUBLE_EQ(rows[0].rate, 75.0);  // 3 over min(4, 5)
  EXPECT_DOUBLE_EQ(rows[1].rate, 200.0);  // 2 over min(4, 1)

  ResultList list;
  EXPECT_TRUE(FillRelationList(rows, list));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].item, RelationItem(Class(1, "persoana"), Class(1, "locuinta")));
  EXPECT_NE(RelationItem(1, 2), RelationItem(2, 1));
}

TEST_F(RelationRowsTest, NothingRankedOrNoLevelGivesNoRow) {
  EXPECT_TRUE(Lines(1).empty());
  AddPair(PathOf("persoana", "fiinta", "viata"), PathOf("masina", "tehnica", "obiect"), 2);
  Rank();
  EXPECT_EQ(Lines(2), (std::vector<std::string>{"fiinta > tehnica\t0002"}));
  EXPECT_TRUE(Lines(4).empty());
  EXPECT_TRUE(Lines(0).empty());
  EXPECT_TRUE(Lines(5).empty());
}

}  // namespace
}  // namespace malvex
