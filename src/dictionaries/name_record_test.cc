#include "dictionaries/name_record.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "dictionaries/byte_stream.h"

namespace malvex {
namespace {

TEST(NameRecordTest, ScramblesEachCharacterByItsPosition) {
  uint8_t record[kNameRecordSize];
  ASSERT_TRUE(ScrambleNameRecord("casa", record));
  EXPECT_EQ(record[0], 'c');
  EXPECT_EQ(record[1], 'a' - 1);
  EXPECT_EQ(record[2], 's' - 2);
  EXPECT_EQ(record[3], 'a' - 3);
  for (size_t i = 4; i < kNameRecordSize; ++i) EXPECT_EQ(record[i], 0) << i;
}

TEST(NameRecordTest, RoundTripsTexts) {
  const std::vector<std::string> texts = {
      "a", "casa", "porte_monnaie", "\xBA" "coal\xE3",  // code-page letters
      std::string(79, 'z'), std::string(1, '\xFF') + "\xFF\xFF",
  };
  for (const std::string& text : texts) {
    uint8_t record[kNameRecordSize];
    ASSERT_TRUE(ScrambleNameRecord(text, record)) << text;
    std::string back;
    EXPECT_TRUE(UnscrambleNameRecord(record, back));
    EXPECT_EQ(back, text);
  }
}

TEST(NameRecordTest, HighStoredBytesStayAsTheyAre) {
  // 3 + 0xFE exceeds 255: the stored byte is the character itself.
  uint8_t record[kNameRecordSize] = {'a', 'a', 'a', 0xFE};
  std::string text;
  ASSERT_TRUE(UnscrambleNameRecord(record, text));
  EXPECT_EQ(text, std::string("abc\xFE"));
}

TEST(NameRecordTest, EmptySlotAndRecordWithoutTerminator) {
  uint8_t empty[kNameRecordSize] = {};
  std::string text = "x";
  EXPECT_FALSE(UnscrambleNameRecord(empty, text));
  EXPECT_EQ(text, "");
  // No zero byte at all: the text stops at 79 characters.
  uint8_t full[kNameRecordSize];
  for (uint8_t& b : full) b = 1;
  ASSERT_TRUE(UnscrambleNameRecord(full, text));
  ASSERT_EQ(text.size(), kNameRecordMaxLength);
  EXPECT_EQ(static_cast<uint8_t>(text[78]), 79);
}

TEST(NameRecordTest, RefusesTextsThatCannotBeReadBack) {
  struct Case {
    std::string text;
    bool ok;
  };
  const Case cases[] = {
      {"", false},
      {std::string(80, 'a'), false},
      {std::string("a\0b", 3), false},
      // A blank (0x20) at position 32 would be stored as 0.
      {std::string(32, 'a') + " b", false},
      {std::string(31, 'a') + " b", true},
      // A digit at position 60 would be stored below zero.
      {std::string(60, 'a') + "7", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(CanScrambleName(c.text), c.ok) << c.text.size();
    uint8_t record[kNameRecordSize];
    if (!c.text.empty()) {
      EXPECT_EQ(ScrambleNameRecord(c.text, record), c.ok);
    }
  }
}

TEST(NameRecordTest, ReadsRecordsAcrossBlocks) {
  std::string image;
  ByteWriter out(image);
  const uint32_t count = 1203;
  for (uint32_t i = 1; i <= count; ++i) {
    ASSERT_TRUE(WriteNameRecord(out, i % 100 == 0 ? "" : "n" + std::to_string(i)));
  }
  ByteReader in(image);
  std::vector<std::string> seen;
  ASSERT_TRUE(ReadNameRecords(in, count, [&](uint32_t index, std::string_view text) {
    EXPECT_EQ(index, seen.size() + 1);
    seen.emplace_back(text);
  }));
  ASSERT_EQ(seen.size(), count);
  EXPECT_EQ(seen[0], "n1");
  EXPECT_EQ(seen[99], "");
  EXPECT_EQ(seen[1202], "n1203");
  EXPECT_EQ(in.remaining(), 0u);
}

TEST(NameRecordTest, ShortImageReadsNothing) {
  std::string image(kNameRecordSize * 3 - 1, 'a');
  ByteReader in(image);
  int calls = 0;
  EXPECT_FALSE(ReadNameRecords(in, 3, [&](uint32_t, std::string_view) { ++calls; }));
  EXPECT_EQ(calls, 0);
  EXPECT_EQ(in.position(), 0u);
}

}  // namespace
}  // namespace malvex
