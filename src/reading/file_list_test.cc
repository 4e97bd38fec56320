#include "reading/file_list.h"

#include <gtest/gtest.h>

namespace malvex {
namespace {

TEST(TPileFileTest, KeepsTenThousandNamesAndRefusesTheNext) {
  TPileFile list;
  for (int i = 1; i <= TPileFile::kMaxFiles; ++i) ASSERT_TRUE(list.Add("f" + std::to_string(i)));
  EXPECT_FALSE(list.Add("f10001"));
  EXPECT_EQ(list.Count(), 10000);
  EXPECT_EQ(list.Get(10000), "f10000");
}

TEST(TPileFileTest, OutOfRangeIndexesGiveTheFirstName) {
  TPileFile list;
  EXPECT_EQ(list.Get(1), "");
  list.Add("a.txt");
  list.Add("b.txt");
  EXPECT_EQ(list.Get(0), "a.txt");
  EXPECT_EQ(list.Get(3), "a.txt");
  EXPECT_EQ(list.Get(-5), "a.txt");
  EXPECT_EQ(list.Get(2), "b.txt");
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
}  // namespace malvex
