#include "semantic/category_pattern.h"

#include <gtest/gtest.h>

#include <cstring>

namespace malvex {
namespace {

TEST(CategoryPatternTest, EachStatisticsIndexGivesItsCategoryPattern) {
  const struct {
    int index;
    int category, subcategory, tensePerson;
  } cases[] = {
      {3, 1, 0, 0},  {10, 1, 0, 0}, {19, 1, 0, 0}, {43, 1, 0, 0}, {4, 1, 1, 0},  {7, 1, 4, 0},
      {20, 2, 0, 0}, {31, 2, 0, 0}, {45, 2, 0, 0}, {21, 2, 1, 0}, {30, 2, 10, 0}, {32, 3, 0, 0},
      {46, 3, 0, 0}, {33, 3, 1, 0}, {39, 3, 7, 0}, {44, 0, 0, 0}, {51, 4, 0, 0},  {52, 5, 0, 0},
      {53, 6, 0, 0}, {54, 8, 0, 0}, {67, 8, 0, 0}, {69, 8, 0, 0}, {56, 5, 1, 0},  {60, 5, 5, 0},
      {61, 7, 0, 0}, {62, 4, 1, 0}, {64, 4, 3, 0}, {65, 4, 2, 0}, {66, 4, 2, 0},  {70, 5, 4, 1},
      {71, 5, 4, 2}, {72, 5, 3, 3}, {76, 5, 3, 7}, {0, 0, 0, 0},  {40, 0, 0, 0},  {48, 0, 0, 0},
      {77, 0, 0, 0}, {78, 0, 0, 0}, {-5, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    const WordInfo p = PatternOfStatisticsIndex(c.index);
    EXPECT_EQ(p.category.category, c.category);
    EXPECT_EQ(p.category.subcategory, c.subcategory);
    EXPECT_EQ(p.category.tensePerson, c.tensePerson);
    // Every other byte is zero.
    WordInfo rest = p;
    rest.category.category = rest.category.subcategory = rest.category.tensePerson = 0;
    const WordInfo zero{};
    EXPECT_EQ(std::memcmp(&rest, &zero, sizeof(WordInfo)), 0);
  }
}

TEST(CategoryPatternTest, ColourGroupsPickTheirColours) {
  const int expected[][2] = {{1, 11}, {2, 1}, {3, 2}, {4, 3}, {5, 4}, {6, 5}, {0, 6}, {7, 6}, {9, 6}, {-1, 6}};
  for (const auto& e : expected) EXPECT_EQ(ColourOfGroup(e[0]), e[1]) << e[0];
  // Category items take the colour of their pattern's class + 1.
  EXPECT_EQ(ColourOfStatisticsIndex(4), 1);   // verb
  EXPECT_EQ(ColourOfStatisticsIndex(44), 11);  // no class
  EXPECT_EQ(ColourOfStatisticsIndex(54), 6);   // substantive
  EXPECT_EQ(ColourOfStatisticsIndex(53), 6);   // preposition: class 6, group 7
}

}  // namespace
}  // namespace malvex
