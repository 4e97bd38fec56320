#include "semantic/neighbours.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/semantic_pass_test_fixture.h"

namespace malvex {
namespace {

using testing::kNoun;
using testing::kPreposition;
using testing::kVerb;

class NeighboursTest : public testing::SemanticPassTest {
 protected:
  // The lists as "class name:count" items.
  std::vector<std::string> List(const std::vector<Neighbour>& list) {
    std::vector<std::string> out;
    for (const Neighbour& n : list) out.push_back(Name(1, n.cls) + ":" + std::to_string(n.count));
    return out;
  }
  NeighbourSelection Verb(uint32_t lemma) {
    NeighbourSelection s;
    s.word = true;
    s.lemma = lemma;
    s.category = kClassVerb;
    return s;
  }
};

TEST_F(NeighboursTest, NearestReferentBeforeAndFirstAfterInTheSameProposition) {
  Add("w1", kNoun);
  Add("w2", kNoun);
  Add("merge", kVerb, 5);
  Add("w3", kNoun);
  Add("w4", kNoun);
  End();
  Add("w2", kNoun);
  Add("merge", kVerb, 5);
  Add("merge", kVerb, 6);  // another lemma: not the selection
  Add("w3", kNoun);
  End();
  Add("w1", kNoun);
  End();
  Add("merge", kVerb, 5);  // the referent of the previous proposition is no neighbour
  End();
  ASSERT_TRUE(Run());
  ASSERT_TRUE(NeighboursOfSelection(*context, Verb(5)));
  EXPECT_EQ(List(context->predecessors()), std::vector<std::string>{"w2:2"});
  EXPECT_EQ(List(context->successors()), std::vector<std::string>{"w3:2"});
}

TEST_F(NeighboursTest, NeighboursLieFewerThan99PositionsAway) {
  const struct {
    int fillers;  // words between the referent and the selection
    bool counted;
  } cases[] = {{0, true}, {97, true}, {98, false}, {150, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fillers);
    engine->stream().Reset();
    position = 0;
    Add("w1", kNoun);
    for (int i = 0; i < c.fillers; ++i) Add("de", kPreposition);
    Add("merge", kVerb, 5);
    for (int i = 0; i < c.fillers; ++i) Add("de", kPreposition);
    Add("w2", kNoun);
    End();
    ASSERT_TRUE(Run());
    ASSERT_TRUE(NeighboursOfSelection(*context, Verb(5)));
    EXPECT_EQ(context->predecessors().size(), c.counted ? 1u : 0u);
    EXPECT_EQ(context->successors().size(), c.counted ? 1u : 0u);
  }
}

TEST_F(NeighboursTest, CategoryCriterionListsByCountLargestFirst) {
  for (int i = 0; i < 3; ++i) {
    Add("w1", kNoun);
    Add("merge", kVerb, static_cast<uint32_t>(i + 1));
    End();
  }
  Add("w2", kNoun);
  Add("merge", kVerb, 9);
  End();
  Add("w3", kNoun);
  Add("w3", kNoun);
  Add("merge", kVerb, 9);
  Add("w3", kNoun);
  End();
  ASSERT_TRUE(Run());
  engine->stream().Rewind();
  WordInfo info;
  const char* separator = nullptr;
  int32_t pos = 0;
  engine->stream().Next(info, separator, pos);
  WordNode* const cursor = engine->stream().Current();

  NeighbourSelection selection;
  selection.criterion.category = kClassVerb;
  ASSERT_TRUE(NeighboursOfSelection(*context, selection));
  // w3 is counted by its class at the relation level, twice.
  EXPECT_EQ(List(context->predecessors()), (std::vector<std::string>{"w1:3", "w3:1", "w2:1"}));
  EXPECT_EQ(List(context->successors()), std::vector<std::string>{"w3:1"});
  EXPECT_EQ(engine->stream().Current(), cursor);

  // Neither a word nor a category: no selection.
  EXPECT_FALSE(NeighboursOfSelection(*context, NeighbourSelection{}));
  EXPECT_TRUE(context->predecessors().empty());
}

}  // namespace
}  // namespace malvex
