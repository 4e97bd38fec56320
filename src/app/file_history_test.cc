#include "app/file_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace malvex {
namespace {

std::string PathOf(int i) { return "/home/ana/Text/t" + std::to_string(i) + ".txt"; }

// Slots 1..12 as a vector (empty strings for empty slots).
std::vector<std::string> Slots(const FileHistory& history) {
  std::vector<std::string> slots;
  for (int n = 1; n <= FileHistory::kSlots; ++n) slots.push_back(history.Slot(n));
  return slots;
}

TEST(FileHistory, NewPathsGoOnTopAndTheThirteenthPushesTheOldestOut) {
  SettingsRecord record;
  FileHistory history(record);
  for (int i = 1; i <= 12; ++i) ASSERT_TRUE(history.Add(PathOf(i)));
  EXPECT_EQ(history.Slot(1), PathOf(12));
  EXPECT_EQ(history.Slot(12), PathOf(1));
  ASSERT_TRUE(history.Add(PathOf(13)));
  std::vector<std::string> expected;
  for (int i = 13; i >= 2; --i) expected.push_back(PathOf(i));
  EXPECT_EQ(Slots(history), expected);
  EXPECT_EQ(history.Find(PathOf(1)), 0);
  // The menu shows the eight most recent, most recent first.
  const std::vector<FileHistory::MenuItem> menu = history.MenuItems();
  ASSERT_EQ(menu.size(), 8u);
  for (int n = 1; n <= 8; ++n) {
    EXPECT_EQ(menu[n - 1].slot, n);
    EXPECT_EQ(menu[n - 1].path, PathOf(14 - n));
  }
}

TEST(FileHistory, ReopeningAPathMovesItUpAndKeepsOneSlot) {
  struct Case {
    const char* name;
    int reopened;  // index of the path reopened among t1..t5 (t5 on top)
    std::vector<int> after;
  };
  const Case cases[] = {
      {"the most recent", 5, {5, 4, 3, 2, 1}},
      {"from the middle", 3, {3, 5, 4, 2, 1}},
      {"the oldest", 1, {1, 5, 4, 3, 2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SettingsRecord record;
    FileHistory history(record);
    for (int i = 1; i <= 5; ++i) history.Add(PathOf(i));
    ASSERT_TRUE(history.Add(PathOf(c.reopened)));
    for (size_t n = 0; n < c.after.size(); ++n) EXPECT_EQ(history.Slot(static_cast<int>(n) + 1), PathOf(c.after[n]));
    EXPECT_EQ(history.Slot(6), "");
  }
}

TEST(FileHistory, AFullHistoryReopeningItsLastSlotLosesNothing) {
  SettingsRecord record;
  FileHistory history(record);
  for (int i = 1; i <= 12; ++i) history.Add(PathOf(i));
  ASSERT_EQ(history.Find(PathOf(1)), 12);
  history.Add(PathOf(1));
  EXPECT_EQ(history.Slot(1), PathOf(1));
  EXPECT_EQ(history.Slot(2), PathOf(12));
  EXPECT_EQ(history.Slot(12), PathOf(2));
}

TEST(FileHistory, PathsDifferingInCaseAreDifferentFiles) {
  SettingsRecord record;
  FileHistory history(record);
  history.Add("/t/Poem.txt");
  history.Add("/t/poem.txt");
  EXPECT_EQ(history.Slot(1), "/t/poem.txt");
  EXPECT_EQ(history.Slot(2), "/t/Poem.txt");
}

TEST(FileHistory, PathsThatASlotCannotHoldAreNotRecorded) {
  SettingsRecord record;
  FileHistory history(record);
  history.Add("/t/a.txt");
  const std::string longest = "/" + std::string(FileHistory::kMaxPath - 1, 'x');
  const std::string tooLong = longest + "y";
  EXPECT_FALSE(history.Add(""));
  EXPECT_FALSE(history.Add(tooLong));
  EXPECT_EQ(history.Slot(1), "/t/a.txt");
  EXPECT_EQ(history.Slot(2), "");
  ASSERT_TRUE(history.Add(longest));
  EXPECT_EQ(history.Slot(1), longest);
}

TEST(FileHistory, MenuSkipsEmptySlotsAndClearEmptiesAll) {
  SettingsRecord record;
  record.setHistoryEntry(0, "/a");
  record.setHistoryEntry(3, "/d");
  record.setHistoryEntry(8, "/i");  // slot 9: never in the menu
  FileHistory history(record);
  const std::vector<FileHistory::MenuItem> menu = history.MenuItems();
  ASSERT_EQ(menu.size(), 2u);
  EXPECT_EQ(menu[0].slot, 1);
  EXPECT_EQ(menu[1].slot, 4);
  EXPECT_EQ(menu[1].path, "/d");
  EXPECT_EQ(history.Slot(0), "");
  EXPECT_EQ(history.Slot(13), "");
  history.Clear();
  EXPECT_EQ(Slots(history), std::vector<std::string>(12));
}

}  // namespace
}  // namespace malvex
