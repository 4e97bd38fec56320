#include "dictionaries/text_list.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "dictionaries/nothrow_failure_for_tests.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

std::vector<std::pair<std::string, uint32_t>> ReadAll(TextList& list) {
  std::vector<std::pair<std::string, uint32_t>> pairs;
  uint32_t number = 0;
  while (const char* text = list.Next(number)) pairs.emplace_back(text, number);
  return pairs;
}

using Pairs = std::vector<std::pair<std::string, uint32_t>>;

TEST(TextListTest, ReturnsPairsInInsertionOrderThenNone) {
  TextList list(nullptr);
  EXPECT_TRUE(list.Add("casa", 3));
  EXPECT_TRUE(list.Add("masa", 1));
  EXPECT_TRUE(list.Add("", 2));
  EXPECT_EQ(list.Count(), 3u);
  list.Rewind();
  EXPECT_EQ(ReadAll(list), (Pairs{{"casa", 3}, {"masa", 1}, {"", 2}}));
  uint32_t number = 99;
  EXPECT_EQ(list.Next(number), nullptr);
  EXPECT_EQ(number, 99u);
  list.Rewind();
  EXPECT_EQ(ReadAll(list).size(), 3u);
}

TEST(TextListTest, StoresCopies) {
  TextList list(nullptr);
  std::string text = "original";
  list.Add(text, 1);
  text.assign("changed");
  list.Rewind();
  EXPECT_EQ(ReadAll(list), (Pairs{{"original", 1}}));
}

TEST(TextListTest, ACursorAtTheEndStandsOnTheNextPairAdded) {
  TextList list(nullptr);
  list.Add("unu", 1);
  list.Rewind();
  EXPECT_EQ(ReadAll(list).size(), 1u);
  list.Add("doi", 2);
  EXPECT_EQ(ReadAll(list), (Pairs{{"doi", 2}}));
  // A fresh list's cursor stands on its first pair.
  TextList fresh(nullptr);
  fresh.Add("trei", 3);
  EXPECT_EQ(ReadAll(fresh), (Pairs{{"trei", 3}}));
}

TEST(TextListTest, FreeEmptiesTheListForReuse) {
  TextList list(nullptr);
  list.Add("a", 1);
  list.Add("b", 2);
  list.Free();
  EXPECT_EQ(list.Count(), 0u);
  list.Rewind();
  EXPECT_TRUE(ReadAll(list).empty());
  list.Add("c", 3);
  list.Rewind();
  EXPECT_EQ(ReadAll(list), (Pairs{{"c", 3}}));
}

TEST(TextListTest, FailedAddShowsMessageZeroAndLeavesTheListUnchanged) {
  ScriptedBox box;
  Messages messages(box);
  TextList list(&messages);
  list.Add("a", 1);
  // 0: the text copy fails; 1: the node fails after the text was copied.
  for (int succeeding : {0, 1}) {
    testing::NothrowFailure failure(succeeding);
    EXPECT_FALSE(list.Add("b", 2));
  }
  EXPECT_EQ(list.Count(), 1u);
  list.Rewind();
  EXPECT_EQ(ReadAll(list), (Pairs{{"a", 1}}));
  ASSERT_EQ(box.asked().size(), 2u);
  EXPECT_EQ(box.asked()[0].text, "Memory low. Please close some applications and try again.");
  EXPECT_EQ(box.asked()[0].kind, BoxKind::kMessage);
}

}  // namespace
}  // namespace malvex
