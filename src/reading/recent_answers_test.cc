#include "reading/recent_answers.h"

#include <gtest/gtest.h>

#include <string>

namespace malvex {
namespace {

// Keeps and finds answers by text, so that each test reads as the texts
// it asks about.
template <typename Table>
void Keep(Table& table, const std::string& text, uint8_t context, int value) {
  table.Keep(text.data(), text.size(), context, HashAnswerKey(text.data(), text.size()), value);
}

template <typename Table>
const int* Find(const Table& table, const std::string& text, uint8_t context) {
  return table.Find(text.data(), text.size(), context, HashAnswerKey(text.data(), text.size()));
}

TEST(RecentAnswersTest, KeptAnswerIsFoundForItsTextAndContextOnly) {
  RecentAnswers<int, 8, 64> table;
  EXPECT_EQ(Find(table, "casa", 0), nullptr);  // an empty table answers nothing
  Keep(table, "casa", 1, 7);
  const int* kept = Find(table, "casa", 1);
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(*kept, 7);
  struct Case {
    const char* text;
    uint8_t context;
  };
  const Case misses[] = {
      {"casa", 0},   // another context
      {"casa", 2},
      {"cas", 1},    // a beginning of the text
      {"casas", 1},  // a longer text
      {"Casa", 1},   // texts are compared byte for byte
  };
  for (const Case& c : misses) {
    SCOPED_TRACE(std::string(c.text) + " " + std::to_string(c.context));
    EXPECT_EQ(Find(table, c.text, c.context), nullptr);
  }
}

TEST(RecentAnswersTest, OneTextKeepsAnAnswerPerContext) {
  RecentAnswers<int, 8, 64> table;
  Keep(table, "l", 0, 8);
  Keep(table, "l", 1, 5);
  ASSERT_NE(Find(table, "l", 0), nullptr);
  ASSERT_NE(Find(table, "l", 1), nullptr);
  EXPECT_EQ(*Find(table, "l", 0), 8);
  EXPECT_EQ(*Find(table, "l", 1), 5);
}

TEST(RecentAnswersTest, ASetKeepsItsTwoNewestAnswers) {
  // One set: every text falls in it.
  RecentAnswers<int, 8, 1> table;
  Keep(table, "unu", 0, 1);
  Keep(table, "doi", 0, 2);
  ASSERT_NE(Find(table, "unu", 0), nullptr);
  ASSERT_NE(Find(table, "doi", 0), nullptr);
  EXPECT_EQ(*Find(table, "unu", 0), 1);
  EXPECT_EQ(*Find(table, "doi", 0), 2);

  Keep(table, "trei", 0, 3);  // drops the oldest
  EXPECT_EQ(Find(table, "unu", 0), nullptr);
  ASSERT_NE(Find(table, "doi", 0), nullptr);
  ASSERT_NE(Find(table, "trei", 0), nullptr);
  EXPECT_EQ(*Find(table, "doi", 0), 2);
  EXPECT_EQ(*Find(table, "trei", 0), 3);
}

TEST(RecentAnswersTest, OnlyTextsOfOneToKeyBytesCharactersAreKept) {
  using Table = RecentAnswers<int, 8, 64>;
  Table table;
  struct Case {
    std::string text;
    bool kept;
  };
  const Case cases[] = {
      {"", false},
      {"a", true},
      {"abcdefgh", true},    // exactly the key size
      {"abcdefghi", false},  // one more
      {std::string(79, 'x'), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("length " + std::to_string(c.text.size()));
    EXPECT_EQ(Table::Keepable(c.text.size()), c.kept);
    Keep(table, c.text, 0, 4);
    EXPECT_EQ(Find(table, c.text, 0) != nullptr, c.kept);
  }
  // A text too long to keep does not match a kept text it begins with.
  EXPECT_EQ(Find(table, "abcdefghi", 0), nullptr);
}

}  // namespace
}  // namespace malvex
