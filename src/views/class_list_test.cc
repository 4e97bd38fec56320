#include "views/class_list.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "views/counted_dictionary_test_fixture.h"
#include "views/result_list.h"

namespace malvex {
namespace {

TEST(ShareOfClassTest, BoxesDecideTheShareAndWhetherTheClassIsListed) {
  const struct {
    bool actant, acted;
    uint32_t frequency, actantCount;
    bool listed;
    int share;
  } cases[] = {
      // Only "Actant": 4 of 10 is left out, 5 of 10 is listed with 50.
      {true, false, 10, 4, false, 40},
      {true, false, 10, 5, true, 50},
      // Truncated toward zero: 2 of 3 is 66.
      {true, false, 3, 2, true, 66},
      // Only "Acted": the rest of the occurrences.
      {false, true, 10, 4, true, 60},
      {false, true, 10, 6, false, 40},
      // Neither: the acted share too.
      {false, false, 10, 5, true, 50},
      {false, false, 10, 9, false, 10},
      // Both: no share, always listed.
      {true, true, 10, 0, true, -1},
      {true, true, 10, 10, true, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.actant << c.acted << " " << c.actantCount << "/" << c.frequency);
    ClassListOptions options;
    options.actant = c.actant;
    options.acted = c.acted;
    const ClassShare s = ShareOfClass(c.frequency, c.actantCount, options);
    EXPECT_EQ(s.listed, c.listed);
    EXPECT_EQ(s.share, c.share);
  }
}

TEST(ClassLineTest, NameTabFrequencyOnFourDigitsAndTheShareInBrackets) {
  ClassRow row;
  row.name = "loc";
  row.frequency = 7;
  EXPECT_EQ(ClassLine(row), "loc\t0007");
  row.frequency = 1234;
  row.share = 50;
  EXPECT_EQ(ClassLine(row), "loc\t1234\t(50%)");
  row.share = 100;
  row.frequency = 12345;
  EXPECT_EQ(ClassLine(row), "loc\t12345\t(100%)");
}

// The counted dictionary, with level-1 actant counters all 0 to begin with.
class ClassRowsTest : public testing::CountedDictionaryTest {
 protected:
  void SetUp() override {
    CountedDictionaryTest::SetUp();
    actant_.assign(dictionary_.CurrentNumberOfClasses(1) + 1, 0);
  }

  // The actant counters of level 1, numbers beyond them counting 0.
  ActantCounter ActantOf() const {
    return [this](int32_t cls) -> uint32_t {
      return static_cast<size_t>(cls) < actant_.size() ? actant_[static_cast<size_t>(cls)] : 0;
    };
  }
  std::vector<std::string> Lines(int level, const ClassListOptions& options) {
    std::vector<std::string> lines;
    for (const ClassRow& row : ClassRows(dictionary_, level, ActantOf(), options)) lines.push_back(ClassLine(row));
    return lines;
  }

  std::vector<uint16_t> actant_;
};

TEST_F(ClassRowsTest, BothBoxesListEveryClassInFrequencyOrderDownToTheThreshold) {
  ClassListOptions options;
  EXPECT_EQ(Lines(1, options),
            (std::vector<std::string>{"locuinta\t0005", "persoana\t0004", "masina\t0002", "miscare\t0001"}));
  options.minimalFrequency = 2;
  EXPECT_EQ(Lines(1, options), (std::vector<std::string>{"locuinta\t0005", "persoana\t0004", "masina\t0002"}));
  // Level 3: "pas" has no class there.
  EXPECT_EQ(Lines(3, options), (std::vector<std::string>{"loc\t0005", "viata\t0004", "obiect\t0002"}));
  // Every class under the threshold: an empty list.
  options.minimalFrequency = 6;
  EXPECT_TRUE(Lines(1, options).empty());
}

TEST_F(ClassRowsTest, OneBoxKeepsTheClassesWhoseShareReachesHalf) {
  actant_[static_cast<size_t>(Class(1, "locuinta"))] = 3;  // 60% actant
  actant_[static_cast<size_t>(Class(1, "persoana"))] = 1;  // 25% actant
  actant_[static_cast<size_t>(Class(1, "masina"))] = 1;    // 50% actant
  ClassListOptions options;
  options.acted = false;
  EXPECT_EQ(Lines(1, options), (std::vector<std::string>{"locuinta\t0005\t(60%)", "masina\t0002\t(50%)"}));
  options.actant = false;
  options.acted = true;
  EXPECT_EQ(Lines(1, options), (std::vector<std::string>{"persoana\t0004\t(75%)", "masina\t0002\t(50%)",
                                                         "miscare\t0001\t(100%)"}));

  const std::vector<ClassRow> rows = ClassRows(dictionary_, 1, ActantOf(), options);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0].cls, Class(1, "persoana"));
  EXPECT_EQ(rows[0].actant, 1u);
  EXPECT_EQ(rows[0].frequency, 4u);
  ResultList list(2);
  EXPECT_FALSE(FillClassList(rows, list));
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0].item, Class(1, "persoana"));
  EXPECT_TRUE(list.Overflowed());
}

TEST_F(ClassRowsTest, ClassesBeyondTheActantCountersCountNoActant) {
  actant_.clear();
  ClassListOptions options;
  options.acted = false;
  EXPECT_TRUE(Lines(1, options).empty());
  options.actant = false;
  options.acted = true;
  EXPECT_EQ(Lines(1, options).size(), 4u);
}

}  // namespace
}  // namespace malvex
