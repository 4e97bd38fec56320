#include "views/result_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace malvex {
namespace {

TEST(ResultListTest, FullListRefusesLinesKeepsWhatItHasAndSaysSo) {
  ResultList list(2);
  EXPECT_TRUE(list.AddWithItem("casă\t0003", 12));
  EXPECT_TRUE(list.Add("om\t0002"));
  EXPECT_FALSE(list.Overflowed());
  EXPECT_FALSE(list.AddWithItem("robot\t0001", 7));
  EXPECT_TRUE(list.Overflowed());
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].text, "casă\t0003");
  EXPECT_EQ(list[0].item, 12);
  EXPECT_EQ(list[1].item, 0);

  list.Clear();
  EXPECT_TRUE(list.empty());
  EXPECT_FALSE(list.Overflowed());
  EXPECT_TRUE(list.Add("x"));
}

TEST(ResultListTest, FrequencyFieldHasFourDigitsAtLeast) {
  const struct {
    uint32_t n;
    const char* text;
  } cases[] = {{0, "0000"}, {7, "0007"}, {1234, "1234"}, {12345, "12345"}};
  for (const auto& c : cases) EXPECT_EQ(FrequencyField(c.n), c.text);
}

// Code page 1250 bytes of the Romanian letters.
const std::string a_breve = "\xE3", a_circ = "\xE2", i_circ = "\xEE", s_ced = "\xBA", t_ced = "\xFE";

TEST(AlphabeticalLessTest, RomanianLettersFollowTheirBaseLetter) {
  const struct {
    std::string a, b;
  } ordered[] = {
      {"a", a_breve},                 // a < ă
      {a_breve, a_circ},              // ă < â
      {a_circ, "b"},                  // â < b
      {"iz", i_circ},                 // i.. < î
      {"sz", s_ced},                  // s.. < ş
      {s_ced + "z", "t"},             // ş.. < t
      {"tz", t_ced},                  // t.. < ţ
      {"Casa", "cas" + a_breve},      // case aside, a < ă
      {"mas" + a_breve, "Mo"},        // case is ignored
      {"casa", "casa mare"},          // a prefix first
      {"1", "a"},                     // digits before letters
      {"\xE9l", "f"},                 // é sorts as e
  };
  for (const auto& c : ordered) {
    EXPECT_TRUE(AlphabeticalLess(c.a, c.b)) << c.a << " < " << c.b;
    EXPECT_FALSE(AlphabeticalLess(c.b, c.a)) << c.b << " !< " << c.a;
  }
  // Equal under the order: the bytes decide, so the order stays total.
  EXPECT_TRUE(AlphabeticalLess("Casa", "casa"));
  EXPECT_FALSE(AlphabeticalLess("casa", "casa"));
}

TEST(ResultListTest, AlphabeticalSortKeepsItemsWithTheirLines) {
  ResultList list;
  list.AddWithItem(t_ced + "ar" + a_breve + "\t0009", 1);
  list.AddWithItem("apa\t0005", 2);
  list.AddWithItem(a_breve + "sta\t0002", 3);
  list.AddWithItem("tata\t0001", 4);
  list.SortAlphabetically();
  std::vector<int64_t> items;
  for (const ResultLine& line : list.lines()) items.push_back(line.item);
  EXPECT_EQ(items, (std::vector<int64_t>{2, 3, 4, 1}));
}

}  // namespace
}  // namespace malvex
