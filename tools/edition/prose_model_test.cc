#include "prose_model.h"

#include <gtest/gtest.h>

namespace malvex::edition {
namespace {

size_t Bigram(int a, int b) { return static_cast<size_t>(4 + 22 * a + 2 * b); }
size_t Trigram(int a, int b, int c) { return static_cast<size_t>(488 + 242 * a + 22 * b + 2 * c); }

TEST(MatrixAdjustments, ChangeTheBigramAndTheTrigramsWhereTheClassesFollowEachOther) {
  std::vector<int16_t> values(8716, 0);
  values[Bigram(8, 4)] = 32760;
  ApplyMatrixAdjustments({{8, 4, 40}}, &values);
  EXPECT_EQ(values[Bigram(8, 4)], 32767);  // held within the 16-bit range
  size_t changed = 0;
  for (int x = 0; x <= 10; ++x) {
    EXPECT_EQ(values[Trigram(x, 8, 4)], 40) << x;
    EXPECT_EQ(values[Trigram(8, 4, x)], 40) << x;
  }
  for (const int16_t v : values) changed += v != 0;
  EXPECT_EQ(changed, 1u + 22u);
  // Untouched: the reverse order, the other bigrams and the pronoun extras.
  EXPECT_EQ(values[Bigram(4, 8)], 0);
  EXPECT_EQ(values[Trigram(4, 8, 1)], 0);
  EXPECT_EQ(values[5812 + 22 * 8 + 2 * 4], 0);
}

TEST(MatrixAdjustments, ASameClassPairChangesEachTrigramOnce) {
  std::vector<int16_t> values(8716, 0);
  ApplyMatrixAdjustments({{7, 7, -30}, {1, 6, 25}}, &values);
  EXPECT_EQ(values[Bigram(7, 7)], -30);
  EXPECT_EQ(values[Trigram(7, 7, 7)], -30);
  EXPECT_EQ(values[Trigram(2, 7, 7)], -30);
  EXPECT_EQ(values[Trigram(7, 7, 3)], -30);
  EXPECT_EQ(values[Trigram(1, 6, 1)], 25);
  EXPECT_EQ(values[Trigram(6, 1, 6)], 25);
}

TEST(MatrixAdjustments, AThirdClassChangesThatTrigramAlone) {
  std::vector<int16_t> values(8716, 0);
  values[Trigram(8, 1, 6)] = -32700;
  ApplyMatrixAdjustments({{8, 1, -500, 6}}, &values);
  EXPECT_EQ(values[Trigram(8, 1, 6)], -32768);  // held within the 16-bit range
  ApplyMatrixAdjustments({{8, 1, 500, 6}, {8, 1, 30, 6}}, &values);
  EXPECT_EQ(values[Trigram(8, 1, 6)], -32238);
  size_t changed = 0;
  for (const int16_t v : values) changed += v != 0;
  EXPECT_EQ(changed, 1u);
}

TEST(MatrixAdjustments, APronounKindChangesItsOwnWeightsAlone) {
  std::vector<int16_t> values(8716, 0);
  auto pronounBigram = [](int s, int b) { return static_cast<size_t>(5812 + 22 * s + 2 * b); };
  auto pronounTrigram = [](int s, int b, int c) { return static_cast<size_t>(6054 + 242 * s + 22 * b + 2 * c); };
  MatrixAdjustment m{5, 4, 70};
  m.pronounKind = 5;
  MatrixAdjustment t{5, 8, -20, 1};
  t.pronounKind = 3;
  ApplyMatrixAdjustments({m, t}, &values);
  EXPECT_EQ(values[pronounBigram(5, 4)], 70);
  for (int x = 0; x <= 10; ++x) EXPECT_EQ(values[pronounTrigram(5, 4, x)], 70) << x;
  EXPECT_EQ(values[pronounTrigram(3, 8, 1)], -20);
  size_t changed = 0;
  for (const int16_t v : values) changed += v != 0;
  EXPECT_EQ(changed, 1u + 11u + 1u);
  // The class weights and the other kinds stay as learnt.
  EXPECT_EQ(values[Bigram(5, 4)], 0);
  EXPECT_EQ(values[pronounBigram(4, 4)], 0);
}

}  // namespace
}  // namespace malvex::edition
