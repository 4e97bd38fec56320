#include "foundations/language_tables.h"

#include <cstddef>

#include <gtest/gtest.h>

namespace malvex {
namespace {

TEST(LanguageTablesTest, IsThePlainByteImageTheLexiconStores) {
  EXPECT_EQ(offsetof(LanguageTables, initialBucket), 0u);
  EXPECT_EQ(offsetof(LanguageTables, charClass), 256u);
  EXPECT_EQ(offsetof(LanguageTables, macToAnsi), 512u);
  EXPECT_EQ(offsetof(LanguageTables, alphabetRank), 768u);
  EXPECT_EQ(offsetof(LanguageTables, norm), 1024u);
  EXPECT_EQ(sizeof(LanguageTables), 1101u);
}

struct ByteCase {
  int byte;
  int expected;
};

class DefaultTablesTest : public ::testing::Test {
 protected:
  const LanguageTables tables_ = DefaultLanguageTables();
};

TEST_F(DefaultTablesTest, CharacterClasses) {
  const ByteCase cases[] = {
      {0x00, kClassBlank},       {0x09, kClassBlank},       {0x0A, kClassLineEnd},
      {0x0B, kClassBlank},       {0x0D, kClassLineEnd},     {0x20, kClassBlank},
      {'!', kClassPunctuation},  {'"', kClassPunctuation},  {'$', kClassLetter},
      {'%', kClassPunctuation},  {'&', kClassLetter},       {'\'', kClassPunctuation},
      {'*', kClassBlank},        {'-', kClassPunctuation},  {'/', kClassBlank},
      {'0', kClassDigit},        {'9', kClassDigit},        {':', kClassPunctuation},
      {'@', kClassPunctuation},  {'A', kClassLetter},       {'Z', kClassLetter},
      {'[', kClassPunctuation},  {'\\', kClassBlank},       {']', kClassPunctuation},
      {'^', kClassBlank},        {'_', kClassJoiner},       {'`', kClassPunctuation},
      {'a', kClassLetter},       {'z', kClassLetter},       {'{', kClassPunctuation},
      {'|', kClassBlank},        {'}', kClassPunctuation},  {'~', kClassBlank},
      {0x7F, kClassBlank},       {0x80, kClassLetter},      {0x8A, kClassBlank},
      {0x8C, kClassLetter},      {0x91, kClassPunctuation}, {0x92, kClassPunctuation},
      {0x93, kClassBlank},       {0x9C, kClassLetter},      {0xA0, kClassBlank},
      {0xA5, kClassPunctuation}, {0xAA, kClassLetter},      {0xAB, kClassPunctuation},
      {0xB5, kClassPunctuation}, {0xB6, kClassBlank},       {0xBA, kClassLetter},
      {0xBB, kClassPunctuation}, {0xC2, kClassLetter},      {0xC3, kClassLetter},
      {0xCE, kClassLetter},      {0xDE, kClassLetter},      {0xE2, kClassLetter},
      {0xE3, kClassLetter},      {0xEE, kClassLetter},      {0xF7, kClassPunctuation},
      {0xFE, kClassLetter},      {0xFF, kClassLetter},
  };
  for (const ByteCase& c : cases) {
    EXPECT_EQ(tables_.charClass[c.byte], c.expected) << "byte 0x" << std::hex << c.byte;
  }
}

TEST_F(DefaultTablesTest, EveryByteHasAKnownClassAndTheSmallClassesAreExact) {
  int count[6] = {};
  for (int b = 0; b < 256; ++b) {
    ASSERT_LE(tables_.charClass[b], kClassDigit) << b;
    ++count[tables_.charClass[b]];
  }
  EXPECT_EQ(count[kClassJoiner], 1);
  EXPECT_EQ(count[kClassLineEnd], 2);
  EXPECT_EQ(count[kClassDigit], 10);
  EXPECT_EQ(count[kClassPunctuation], 33);
}

TEST_F(DefaultTablesTest, InitialLetterBuckets) {
  const ByteCase cases[] = {
      {'a', 1}, {'A', 1}, {'b', 2}, {'c', 3}, {'D', 4}, {'e', 5}, {'g', 5},  {'h', 6},
      {'J', 6}, {'k', 7}, {'n', 7}, {'o', 8}, {'P', 8}, {'q', 9}, {'s', 9},  {'t', 10},
      {'Z', 10}, {0xAA, 7}, {0xBA, 7}, {0xC2, 8}, {0xC3, 8}, {0xE2, 8}, {0xE3, 8},
      {0xDE, 9}, {0xFE, 9}, {0xC0, 10}, {0xCE, 10}, {0xDF, 10}, {0xEE, 10}, {0xFF, 10},
      {0x00, 0}, {'0', 0}, {'_', 0}, {0xF7, 0}, {0xF8, 0}, {0x8A, 0},
  };
  for (const ByteCase& c : cases) {
    EXPECT_EQ(tables_.initialBucket[c.byte], c.expected) << "byte 0x" << std::hex << c.byte;
  }
}

TEST_F(DefaultTablesTest, AlphabetRanks) {
  const ByteCase cases[] = {
      {0x00, 0}, {'a', 4},  {'A', 4},  {'z', 29}, {'Z', 29}, {'m', 16}, {0xC3, 4},  {0xE3, 4},
      {0xDE, 4}, {0xE7, 6}, {0xF0, 7}, {0xEA, 8}, {0xCE, 12}, {0xEE, 12}, {0xF1, 17}, {0xF6, 18},
      {0xFC, 24}, {0xFF, 28}, {0xDF, 5}, {0xC8, 30}, {0xE9, 31}, {'5', 3}, {'_', 3}, {0xBD, 3},
      {'*', 2}, {'+', 2}, {'-', 2}, {0xAD, 2}, {' ', 1}, {0xD8, 1}, {0xAA, 1}, {0xFE, 1},
  };
  for (const ByteCase& c : cases) {
    EXPECT_EQ(tables_.alphabetRank[c.byte], c.expected) << "byte 0x" << std::hex << c.byte;
  }
}

TEST_F(DefaultTablesTest, MacintoshConversion) {
  const ByteCase cases[] = {
      {0x00, 0x00}, {'A', 'A'},  {0x7E, 0x7E}, {0x7F, 0x20}, {0x80, 0xC4}, {0x8E, 0xE9},
      {0x9F, 0xFC}, {0xA0, 0x20}, {0xA5, 0x2E}, {0xA7, 0xDF}, {0xAA, 0xAE}, {0xAD, 0xF7},
      {0xAF, 0xF8}, {0xBB, 0xAA}, {0xBC, 0x6F}, {0xC7, 0xAB}, {0xCA, 0x20}, {0xCE, 0x8C},
      {0xD2, 0x22}, {0xD5, 0x22}, {0xD6, 0xF7}, {0xD8, 0xFF}, {0xD9, 0xFF}, {0xDB, 0xA4},
      {0xE5, 0xC2}, {0xEB, 0xCE}, {0xF5, 0x31}, {0xFB, 0xB0}, {0xFC, 0xB8}, {0xFF, 0x20},
  };
  for (const ByteCase& c : cases) {
    EXPECT_EQ(tables_.macToAnsi[c.byte], c.expected) << "byte 0x" << std::hex << c.byte;
  }
}

TEST_F(DefaultTablesTest, Norms) {
  const ByteCase cases[] = {
      {1, 91},  {3, 91},  {4, 46},  {10, 68}, {16, 70}, {24, 56}, {30, 1},  {31, 99},
      {32, 7},  {40, 73}, {41, 99}, {43, 99}, {44, 91}, {53, 91}, {54, 99}, {55, 99},
      {56, 91}, {58, 91}, {59, 10}, {60, 91}, {61, 91}, {62, 41}, {64, 16}, {65, 99},
      {66, 99}, {67, 21}, {72, 42}, {77, 0},
  };
  for (const ByteCase& c : cases) {
    EXPECT_EQ(tables_.normOf(c.byte), c.expected) << "index " << c.byte;
  }
}

}  // namespace
}  // namespace malvex
