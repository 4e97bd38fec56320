#include "dictionaries/string_table.h"

#include <gtest/gtest.h>

#include <string>

#include "dictionaries/byte_stream.h"
#include "dictionaries/nothrow_failure_for_tests.h"
#include "dictionaries/string_pool.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::CatchFatalExit;
using testing::FatalExitCalled;

// A distinct four-letter text for each i < 26^4.
std::string NthText(uint32_t i) {
  std::string text(4, 'a');
  for (int k = 3; k >= 0; --k) {
    text[static_cast<size_t>(k)] = static_cast<char>('a' + i % 26);
    i /= 26;
  }
  return text;
}

// Fills a table of 50 tries (room for every text) to 65,535 texts.
void Fill(StringTable& table) {
  for (uint32_t i = 0; i < StringTable::kMaxTexts; ++i) ASSERT_TRUE(table.AddText(NthText(i))) << i;
}

TEST(StringTableTest, AddTextNumbersTextsFromOne) {
  StringTable table(7, false, true, nullptr, nullptr);
  ASSERT_TRUE(table.ok());
  EXPECT_TRUE(table.AddText("Casa"));
  EXPECT_TRUE(table.AddText("masa"));
  EXPECT_EQ(table.Count(), 2u);
  EXPECT_EQ(table.NumberOf("casa"), 1u);
  EXPECT_EQ(table.NumberOf("masa"), 2u);
  EXPECT_STREQ(table.TextOf(1), "Casa");  // the text is kept as given
  const char* text = nullptr;
  EXPECT_EQ(table.Find("masa", text), 2u);
  EXPECT_STREQ(text, "masa");
  EXPECT_EQ(table.Find("vin", text), 0u);
  EXPECT_EQ(text, nullptr);
  EXPECT_EQ(table.TextOf(0), nullptr);
  EXPECT_EQ(table.TextOf(3), nullptr);
  EXPECT_EQ(table.TextOf(65536), nullptr);
}

TEST(StringTableTest, ATextAddedTwiceKeepsItsFirstNumber) {
  StringTable table(3, false, true, nullptr, nullptr);
  ASSERT_TRUE(table.AddText("Vin"));
  ASSERT_TRUE(table.AddText("vin"));
  EXPECT_EQ(table.Count(), 2u);
  EXPECT_EQ(table.NumberOf("vin"), 1u);  // not 0x8001: the index is not marked ambiguous
  EXPECT_STREQ(table.TextOf(2), "vin");
}

TEST(StringTableTest, ATextTheIndexRefusesIsNotAdded) {
  StringTable table(3, false, true, nullptr, nullptr);
  ASSERT_TRUE(table.AddText("apa"));
  EXPECT_FALSE(table.AddText(std::string(81, 'x')));
  EXPECT_FALSE(table.AddText(""));
  EXPECT_EQ(table.Count(), 1u);
  EXPECT_EQ(table.TextOf(2), nullptr);
  EXPECT_TRUE(table.AddText("vin"));
  EXPECT_EQ(table.NumberOf("vin"), 2u);
}

TEST(StringTableTest, SetTextReplacesASlotWithoutTouchingTheIndex) {
  StringTable table(3, false, true, nullptr, nullptr);
  ASSERT_TRUE(table.AddText("apa"));
  EXPECT_TRUE(table.SetText(1, "Apa"));
  EXPECT_STREQ(table.TextOf(1), "Apa");
  EXPECT_EQ(table.NumberOf("apa"), 1u);
  EXPECT_TRUE(table.SetText(65535, "last"));
  EXPECT_STREQ(table.TextOf(65535), "last");
  EXPECT_FALSE(table.SetText(0, "x"));
  EXPECT_FALSE(table.SetText(65536, "x"));
}

TEST(StringTableTest, ATableThatKeepsNoTextsOnlyNumbers) {
  StringTable table(3, false, false, nullptr, nullptr);
  ASSERT_TRUE(table.AddText("apa"));
  EXPECT_EQ(table.NumberOf("apa"), 1u);
  EXPECT_EQ(table.TextOf(1), nullptr);
  EXPECT_FALSE(table.SetText(1, "x"));
}

TEST(StringTableTest, PooledTextsAreCopiedIntoThePool) {
  StringPool pool;
  StringTable table(3, false, true, nullptr, &pool);
  ASSERT_TRUE(table.AddText("apa"));
  EXPECT_EQ(pool.BytesInUse(), 4u);
  EXPECT_STREQ(table.TextOf(1), "apa");
}

TEST(StringTableTest, ATextThatCannotBeCopiedShowsMessageZeroAndLeavesItsNumberEmpty) {
  ScriptedBox box;
  Messages messages(box);
  StringTable table(3, false, true, &messages, nullptr);
  {
    testing::NothrowFailure noMemory(0);
    EXPECT_FALSE(table.AddText("apa"));
  }
  ASSERT_EQ(box.asked().size(), 1u);
  EXPECT_EQ(box.asked()[0].text, "Memory low. Please close some applications and try again.");
  EXPECT_EQ(table.Count(), 1u);
  EXPECT_EQ(table.NumberOf("apa"), 1u);
  EXPECT_EQ(table.TextOf(1), nullptr);
  EXPECT_TRUE(table.AddText("vin"));
  EXPECT_EQ(table.NumberOf("vin"), 2u);
}

TEST(StringTableTest, AFullTableWithoutOverflowReportRefusesQuietly) {
  ScriptedBox box;
  Messages messages(box);
  StringTable table(50, false, false, &messages, nullptr);
  table.SetOverflowReport(false);
  Fill(table);
  EXPECT_EQ(table.Count(), 65535u);
  EXPECT_EQ(table.NumberOf(NthText(65534)), 65535u);
  EXPECT_FALSE(table.AddText("zzzzz"));
  EXPECT_EQ(table.Count(), 65535u);
  EXPECT_TRUE(box.asked().empty());
}

TEST(StringTableTest, AFullTableWithOverflowReportShowsMessage16AndEndsWithCode0) {
  ScriptedBox box;
  Messages messages(box);
  StringTable table(50, false, false, &messages, nullptr);
  Fill(table);
  CatchFatalExit guard;
  try {
    table.AddText("zzzzz");
    ADD_FAILURE() << "a full table took one more text";
  } catch (const FatalExitCalled& e) {
    EXPECT_EQ(e.code, 0);
  }
  ASSERT_EQ(box.asked().size(), 1u);
  EXPECT_EQ(box.asked()[0].text,
            "Index overflow: the input text is too big. Please reduce its size by splitting the "
            "content in one or more files.");
}

TEST(StringTableTest, TextsWriteAsNameRecordsAndLoadBack) {
  StringTable table(3, false, true, nullptr, nullptr);
  ASSERT_TRUE(table.AddText("ab"));
  ASSERT_TRUE(table.AddText("vin"));
  std::string image;
  ByteWriter out(image);
  ASSERT_TRUE(table.WriteTexts(out));
  ASSERT_EQ(image.size(), 160u);
  // "ab" scrambled: 'a' - 0, 'b' - 1.
  EXPECT_EQ(image.substr(0, 3), std::string("aa\0", 3));

  StringTable loaded(3, true, true, nullptr, nullptr);
  ByteReader in(image);
  ASSERT_EQ(loaded.LoadTexts(in, 2), LoadStatus::kOk);
  EXPECT_EQ(loaded.Count(), 2u);
  EXPECT_STREQ(loaded.TextOf(1), "ab");
  EXPECT_STREQ(loaded.TextOf(2), "vin");

  StringTable shortOne(3, true, true, nullptr, nullptr);
  ByteReader cut(std::string_view(image).substr(0, 159));
  EXPECT_EQ(shortOne.LoadTexts(cut, 2), LoadStatus::kTruncated);
  EXPECT_EQ(shortOne.Count(), 0u);
  ByteReader any(image);
  EXPECT_EQ(shortOne.LoadTexts(any, 65536), LoadStatus::kDamaged);
}

TEST(StringTableTest, ATextANameRecordCannotHoldIsWrittenEmptyAndReported) {
  StringTable table(1, false, true, nullptr, nullptr);
  ASSERT_TRUE(table.AddText("a\x01"));  // 0x01 at position 1 would be stored as 0
  std::string image;
  ByteWriter out(image);
  EXPECT_FALSE(table.WriteTexts(out));
  EXPECT_EQ(image, std::string(80, '\0'));
}

}  // namespace
}  // namespace malvex
