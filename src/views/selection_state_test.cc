#include "views/selection_state.h"

#include <gtest/gtest.h>

#include <string>

namespace malvex {
namespace {

struct PatternCase {
  ColorationCriterion slot;
  bool inUse;
  uint8_t category, subcategory, person;
};

TEST(SelectionStateTest, BuildCriteriaTurnsSlotsIntoPatterns) {
  const PatternCase cases[] = {
      {{kGroupVerbs, 0}, true, kClassVerb, 0, 0},
      {{kGroupVerbs, 3}, true, kClassVerb, 3, 0},
      {{kGroupVerbs, 5}, true, kClassVerb, 0, 0},  // beyond the subclasses: the whole group
      {{kGroupConnectors, 10}, true, kClassConnector, 10, 0},
      {{kGroupConnectors, 11}, true, kClassConnector, 0, 0},
      {{kGroupModalities, 7}, true, kClassModality, 7, 0},
      {{kGroupAdjectives, 2}, true, kClassAdjective, 2, 0},
      {{kGroupAdjectives, 4}, true, kClassAdjective, 3, 0},
      {{kGroupAdjectives, 6}, true, kClassAdjective, 0, 0},
      {{kGroupPronouns, 1}, true, kClassPronoun, 4, 1},  // "I": deixis, first person
      {{kGroupPronouns, 5}, true, kClassPronoun, 3, 5},  // personal, fifth person
      {{kGroupPronouns, 0}, true, kClassPronoun, 0, 0},
      {{kGroupReferents, 0}, true, kClassUndetermined, 0, 0},
      {{0, 0}, false, 0, 0, 0},
      {{9, 1}, false, 0, 0, 0},
  };
  for (const PatternCase& c : cases) {
    SCOPED_TRACE(std::to_string(c.slot.group) + "/" + std::to_string(c.slot.position));
    SelectionState s;
    s.criteria[2] = c.slot;
    s.BuildCriteria();
    const CriterionPattern& p = s.patterns[2];
    EXPECT_EQ(p.inUse, c.inUse);
    EXPECT_EQ(s.CriteriaInForce(), c.inUse);
    EXPECT_EQ(p.category.category, c.category);
    EXPECT_EQ(p.category.subcategory, c.subcategory);
    EXPECT_EQ(p.category.tensePerson, c.person);
    for (int g = 1; g <= 7; ++g) EXPECT_EQ(s.groupSelected[g], c.inUse && g == c.slot.group) << g;
  }
}

TEST(SelectionStateTest, PatternsMatchWordsByCategoryAndReferentsByMark) {
  SelectionState s;
  const ColorationCriterion chosen[] = {{kGroupPronouns, 3}, {kGroupReferents, 0}};
  s.SelectCriteria(chosen, 2);
  EXPECT_TRUE(s.anyCriterion);
  EXPECT_FALSE(s.active);

  WordInfo he;
  he.category = WordCategory{kClassPronoun, 3, 3};
  WordInfo them;
  them.category = WordCategory{kClassPronoun, 3, 6};
  WordInfo noun;
  noun.category.category = kClassSubstantive;
  WordInfo referent = noun;
  referent.referent = 1;
  EXPECT_TRUE(s.MatchesPattern(he, 0));
  EXPECT_FALSE(s.MatchesPattern(them, 0));
  EXPECT_TRUE(s.MatchesPattern(referent, 1));
  EXPECT_FALSE(s.MatchesPattern(noun, 1));
  EXPECT_TRUE(s.MatchesAnyPattern(referent));
  EXPECT_FALSE(s.MatchesAnyPattern(noun));
}

TEST(SelectionStateTest, ClearKeepsTheAnyCriterionRuleAndResetsTheSpan) {
  SelectionState s;
  const ColorationCriterion verbs{kGroupVerbs, 0};
  s.SelectCriteria(&verbs, 1);
  s.SelectClass(2, 40, std::string(200, 'x'));
  EXPECT_EQ(s.text.size(), SelectionState::kMaxTextChars);
  s.spanStart = 10;
  s.spanEnd = 20;
  s.Clear();
  EXPECT_FALSE(s.active);
  EXPECT_EQ(s.kind, kSelectNone);
  EXPECT_FALSE(s.CriteriaInForce());
  EXPECT_EQ(s.spanStart, 0);
  EXPECT_EQ(s.spanEnd, SelectionState::kDefaultSpanEnd);
  EXPECT_TRUE(s.anyCriterion);
}

}  // namespace
}  // namespace malvex
