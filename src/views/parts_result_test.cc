#include "views/parts_result.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reading/word_stream.h"
#include "semantic/analysis_context.h"
#include "views/result_list.h"

namespace malvex {
namespace {

// A text of 12 propositions "p1" .. "p12", one word each.
class PartRowsTest : public ::testing::Test {
 protected:
  PartRowsTest() : stream(nullptr) {
    WordInfo info;
    info.category.category = 8;
    for (int p = 1; p <= 12; ++p) {
      EXPECT_TRUE(stream.Append("p" + std::to_string(p), "", info, p, 0, 1));
      EXPECT_TRUE(stream.Append("/", ".", info, p, 0, 1));
    }
  }
  std::vector<uint32_t> Selected() {
    std::vector<uint32_t> numbers;
    for (const PartRow& row : PartRows(tables, stream)) {
      EXPECT_EQ(row.text, "p" + std::to_string(row.proposition) + ".");
      EXPECT_EQ(row.first, static_cast<int32_t>(row.proposition));
      numbers.push_back(row.proposition);
    }
    return numbers;
  }

  WordStream stream;
  ChronologyTables tables;
};

TEST_F(PartRowsTest, FewerThanElevenListedAreAllSelected) {
  tables.characteristicParts = {{2, 10}, {5, 200}, {9, 6}};
  tables.scoreThreshold = 150;
  EXPECT_EQ(Selected(), (std::vector<uint32_t>{2, 5, 9}));
}

TEST_F(PartRowsTest, ElevenOrMoreKeepThoseReachingTheThresholdInTextOrder) {
  for (uint32_t p = 1; p <= 11; ++p) tables.characteristicParts.push_back({p, static_cast<uint8_t>(p * 10)});
  tables.scoreThreshold = 90;  // propositions 9, 10, 11
  EXPECT_EQ(Selected(), (std::vector<uint32_t>{9, 10, 11}));
  EXPECT_TRUE(PartSelected(tables, 90));
  EXPECT_FALSE(PartSelected(tables, 89));

  const std::vector<PartRow> rows = PartRows(tables, stream);
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].score, 90u);
  ResultList list;
  EXPECT_TRUE(FillPartList(rows, list));
  EXPECT_EQ(list[2].text, "p11.");
  EXPECT_EQ(list[2].item, 11);
}

TEST_F(PartRowsTest, NoPartListedGivesNoRow) { EXPECT_TRUE(Selected().empty()); }

}  // namespace
}  // namespace malvex
