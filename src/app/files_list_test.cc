#include "app/files_list.h"

#include <gtest/gtest.h>

namespace malvex {
namespace {

TEST(FilesList, AddSkipsPathsAlreadyListed) {
  FilesList list;
  EXPECT_FALSE(list.AnalyzeEnabled());
  EXPECT_EQ(list.Add({"/t/b.txt", "/t/a.txt", "/t/b.txt"}), 2);
  EXPECT_EQ(list.Add({"/t/a.txt", "", "/t/c.txt"}), 1);
  EXPECT_EQ(list.entries(), (std::vector<std::string>{"/t/b.txt", "/t/a.txt", "/t/c.txt"}));
  EXPECT_TRUE(list.AnalyzeEnabled());
}

TEST(FilesList, DeleteSelectsThePreviousEntryOrTheNewFirst) {
  struct Case {
    int selected;
    std::vector<std::string> after;
    int selectedAfter;
  };
  const Case cases[] = {
      {2, {"a", "b"}, 1},
      {1, {"a", "c"}, 0},
      {0, {"b", "c"}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.selected);
    FilesList list;
    list.Add({"a", "b", "c"});
    list.Select(c.selected);
    ASSERT_TRUE(list.DeleteSelected());
    EXPECT_EQ(list.entries(), c.after);
    EXPECT_EQ(list.selected(), c.selectedAfter);
  }
  FilesList one;
  one.Add({"a"});
  EXPECT_FALSE(one.DeleteSelected());  // nothing selected
  one.Select(0);
  ASSERT_TRUE(one.DeleteSelected());
  EXPECT_EQ(one.selected(), -1);
  EXPECT_FALSE(one.AnalyzeEnabled());
  one.Select(5);
  EXPECT_EQ(one.selected(), -1);
}

TEST(FilesList, SortKeepsTheSelectedEntrySelected) {
  FilesList list;
  list.Add({"/t/c", "/t/a", "/t/b"});
  list.Select(0);
  list.Sort();
  EXPECT_EQ(list.entries(), (std::vector<std::string>{"/t/a", "/t/b", "/t/c"}));
  EXPECT_EQ(list.selected(), 2);
}

}  // namespace
}  // namespace malvex
