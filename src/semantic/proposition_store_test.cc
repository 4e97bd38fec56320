#include "semantic/proposition_store.h"

#include <gtest/gtest.h>

#include "reading/word_stream.h"

namespace malvex {
namespace {

ClassPath Path(int32_t a, int32_t b = 0, int32_t c = 0, int32_t d = 0) {
  ClassPath p;
  p.at(1) = a;
  p.at(2) = b;
  p.at(3) = c;
  p.at(4) = d;
  return p;
}

TEST(PropositionStoreTest, EmptyStoreGivesNothingAndNoPositionBeforeRewind) {
  PropositionStore store;
  PropositionView view;
  EXPECT_FALSE(store.Next(view));
  EXPECT_FALSE(store.Previous(view));
  EXPECT_EQ(store.PositionAtCursor(500), 0);
  store.Rewind();
  EXPECT_TRUE(store.AtHead());
  EXPECT_TRUE(store.AtTail());
  EXPECT_FALSE(store.Next(view));
  // Bookmark 2 sits on the head, which is the tail of an empty store.
  EXPECT_TRUE(store.Bookmark2Passed());
  EXPECT_EQ(store.PositionAtCursor(500), 500);
}

TEST(PropositionStoreTest, EntriesKeepTheirItemsTokensAndPositionsBothWays) {
  PropositionStore store;
  WordNode tokens[3] = {};
  tokens[0].position = 1;
  tokens[1].position = 4;
  tokens[2].position = 9;
  const ClassPath one[] = {Path(5, 6, 7, 8)};
  const ClassPath three[] = {Path(1), Path(2, 20), Path(3, 30, 300)};
  ClassPath many[25];
  for (int i = 0; i < 25; ++i) many[i] = Path(100 + i);
  ASSERT_TRUE(store.Append(one, 1, &tokens[0], 3));
  ASSERT_TRUE(store.Append(three, 3, &tokens[1], 8));
  ASSERT_TRUE(store.Append(many, 25, &tokens[2], 40));
  EXPECT_EQ(store.Count(), 3u);

  store.Rewind();
  PropositionView view;
  ASSERT_TRUE(store.Next(view));
  EXPECT_EQ(view.itemCount, 1);
  EXPECT_EQ(view.items[0], Path(5, 6, 7, 8));
  EXPECT_EQ(view.items[1], ClassPath{});
  EXPECT_EQ(view.firstToken, &tokens[0]);
  EXPECT_EQ(view.position, 3);
  ASSERT_TRUE(store.Next(view));
  EXPECT_EQ(view.itemCount, 3);
  EXPECT_EQ(view.items[2], Path(3, 30, 300));
  EXPECT_EQ(view.items[3], ClassPath{});
  ASSERT_TRUE(store.Next(view));
  // Only the first 21 items are kept.
  EXPECT_EQ(view.itemCount, kPropositionItems);
  EXPECT_EQ(view.items[20], Path(120));
  EXPECT_TRUE(store.AtTail());
  EXPECT_FALSE(store.Next(view));

  ASSERT_TRUE(store.Previous(view));
  EXPECT_EQ(view.position, 40);
  ASSERT_TRUE(store.Previous(view));
  EXPECT_EQ(view.position, 8);
  EXPECT_EQ(view.items[1], Path(2, 20));
  ASSERT_TRUE(store.Previous(view));
  EXPECT_TRUE(store.AtHead());
  EXPECT_FALSE(store.Previous(view));
}

TEST(PropositionStoreTest, BookmarksAndPositionAtCursor) {
  PropositionStore store;
  WordNode tokens[3] = {};
  tokens[0].position = 1;
  tokens[1].position = 11;
  const ClassPath item[] = {Path(1)};
  ASSERT_TRUE(store.Append(item, 1, &tokens[0], 10));
  ASSERT_TRUE(store.Append(item, 1, &tokens[1], 20));
  ASSERT_TRUE(store.Append(item, 1, nullptr, 30));  // no first token

  PropositionView view;
  store.Rewind();
  EXPECT_EQ(store.PositionAtCursor(99), 1);
  ASSERT_TRUE(store.Next(view));
  EXPECT_EQ(store.PositionAtCursor(99), 11);
  store.SetBookmark(3);
  ASSERT_TRUE(store.Next(view));
  EXPECT_EQ(store.PositionAtCursor(99), 0);  // entry without a token
  ASSERT_TRUE(store.Next(view));
  EXPECT_EQ(store.PositionAtCursor(99), 99);  // on the tail

  store.GoToBookmark(3);
  ASSERT_TRUE(store.Next(view));
  EXPECT_EQ(view.position, 20);

  // Saved bookmarks come back after being moved.
  store.SaveBookmarks();
  store.Rewind();
  store.SetBookmark(3);
  store.RestoreBookmarks();
  store.GoToBookmark(3);
  EXPECT_EQ(store.PositionAtCursor(99), 11);

  // Bookmark 2 on the tail counts as passed wherever the cursor is.
  store.Rewind();
  EXPECT_FALSE(store.Bookmark2Passed());
  while (store.Next(view)) {
  }
  store.SetBookmark(2);
  store.Rewind();
  EXPECT_TRUE(store.Bookmark2Passed());
  EXPECT_EQ(store.PositionAtCursor(99), 99);

  // Bookmarks outside 1..8 are ignored.
  store.SetBookmark(0);
  store.SetBookmark(9);
  store.GoToBookmark(9);
  EXPECT_TRUE(store.AtHead());

  store.Clear();
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_EQ(store.PositionAtCursor(99), 0);
}

}  // namespace
}  // namespace malvex
