#include "dictionaries/string_index.h"

#include <gtest/gtest.h>

#include <string>

#include "dictionaries/byte_stream.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

TEST(StringIndexTest, TheHashOfTheFirstLettersChoosesTheTrie) {
  struct Case {
    std::string text;
    int tries;
    int trie;
  };
  const Case cases[] = {
      {"a", 7, 7},    // 0x61 mod 7 + 1
      {"abc", 7, 3},  // (0x61 + 0x62 + 0x63) mod 73 = 2; 2 mod 7 + 1
      {"ab", 7, 1},   // (0x61 + 0x62 + 0) mod 73 = 49; 49 mod 7 + 1
      {"abcz", 7, 3}, // only the first three letters count
      {"a", 1, 1},    // one trie: always the first
      {"\xE2", 50, 27},  // 0xE2 = 226; unsigned: 226 mod 50 + 1
      {"\xE2\xE2\xE2", 19, 3},  // 678 mod 73 = 21; 21 mod 19 + 1
  };
  for (const Case& c : cases) {
    EXPECT_EQ(StringIndex::TrieOf(c.text, c.tries), c.trie) << c.text << " / " << c.tries;
  }
}

TEST(StringIndexTest, ATrieCountOutsideOneToFiftyShowsMessageZeroAndLeavesTheIndexNotOk) {
  for (int tries : {0, 51, -3}) {
    ScriptedBox box;
    Messages messages(box);
    StringIndex index(tries, false, &messages);
    EXPECT_FALSE(index.ok()) << tries;
    ASSERT_EQ(box.asked().size(), 1u) << tries;
    EXPECT_EQ(box.asked()[0].text, "Memory low. Please close some applications and try again.");
    EXPECT_EQ(index.NumberOf("a"), 0u);
    EXPECT_FALSE(index.Insert("a", 1));
  }
  ScriptedBox box;
  Messages messages(box);
  StringIndex fifty(50, false, &messages);
  EXPECT_TRUE(fifty.ok());
  EXPECT_TRUE(box.asked().empty());
}

TEST(StringIndexTest, InsertFoldsTheTextAndStoresTheNumberInTheHashedTrie) {
  StringIndex index(7, false, nullptr);
  ASSERT_TRUE(index.ok());
  EXPECT_EQ(index.TrieAt(1).Capacity(), StringIndex::kTrieCapacity);
  ASSERT_TRUE(index.Insert("ABC", 5));
  for (int i = 1; i <= 7; ++i) EXPECT_EQ(index.TrieAt(i).Used() > 0, i == 3) << i;
  EXPECT_EQ(index.NumberOf("abc"), 5u);
  EXPECT_TRUE(index.Found());
  EXPECT_EQ(index.NewEntries(), 1u);

  // Lookups take folded text as it is given.
  EXPECT_EQ(index.NumberOf("ABC"), 0u);
  EXPECT_FALSE(index.Found());
  EXPECT_EQ(index.NumberOf("abd"), 0u);
  EXPECT_EQ(index.NumberOf(""), 0u);
}

TEST(StringIndexTest, APrefixIsFoundWithoutANumber) {
  StringIndex index(1, false, nullptr);
  ASSERT_TRUE(index.Insert("abcd", 9));
  EXPECT_EQ(index.NumberOf("abc"), 0u);
  EXPECT_TRUE(index.Found());
  EXPECT_EQ(index.NumberOf("abcde"), 0u);
  EXPECT_FALSE(index.Found());
}

TEST(StringIndexTest, ATextInsertedTwiceIsMarkedAmbiguous) {
  StringIndex index(3, false, nullptr);
  ASSERT_TRUE(index.Insert("vin", 5));
  ASSERT_TRUE(index.Insert("vin", 6));
  EXPECT_EQ(index.NumberOf("vin"), 0x8005u);
  EXPECT_EQ(index.NewEntries(), 1u);
}

TEST(StringIndexTest, InsertRefusesBadNumbersAndTexts) {
  StringIndex index(3, false, nullptr);
  EXPECT_FALSE(index.Insert("a", 0));
  EXPECT_FALSE(index.Insert("a", 65536));
  EXPECT_FALSE(index.Insert("", 1));
  EXPECT_FALSE(index.Insert(std::string(81, 'x'), 1));
  EXPECT_TRUE(index.Insert(std::string(80, 'x'), 65535));
  EXPECT_EQ(index.NumberOf(std::string(80, 'x')), 65535u);
  EXPECT_EQ(index.NewEntries(), 1u);
}

TEST(StringIndexTest, ResetEmptiesEveryTrie) {
  StringIndex index(2, false, nullptr);
  ASSERT_TRUE(index.Insert("a", 1));
  ASSERT_TRUE(index.Insert("b", 2));
  index.Reset();
  EXPECT_EQ(index.NumberOf("a"), 0u);
  EXPECT_EQ(index.NumberOf("b"), 0u);
  EXPECT_EQ(index.NewEntries(), 0u);
  EXPECT_EQ(index.TrieAt(1).Used() + index.TrieAt(2).Used(), 0u);
  EXPECT_TRUE(index.Insert("b", 3));
  EXPECT_EQ(index.NumberOf("b"), 3u);
}

TEST(StringIndexTest, StatisticsListEveryTrieThenTheLargestTheAverageAndTheTotal) {
  StringIndex index(3, false, nullptr);
  // Trie of a text t[0] alone: t[0] mod 3 + 1. "c" (99) -> 1, "a" (97) -> 2,
  // "d" (100) -> 2, "b" (98) -> 3 with a long key.
  ASSERT_TRUE(index.Insert("c", 1));
  ASSERT_TRUE(index.Insert("a", 2));
  ASSERT_TRUE(index.Insert("d", 3));
  ASSERT_TRUE(index.Insert("b", 4));
  ASSERT_TRUE(index.Insert("b" + std::string(78, 'z'), 5));  // (98+122+122) mod 73 = 50 -> 3
  // Used cells: trie 1: 2; trie 2: 4; trie 3: 2 + 79 = 81 (0.248%).
  std::string report = "previous line\n";
  index.AppendStatistics(report);
  EXPECT_EQ(report,
            "previous line\n"
            " Seg[ 1]=     1, index=  0.0%\n"
            " Seg[ 2]=     2, index=  0.0%\n"
            " Seg[ 3]=     2, index=  0.2%\n"
            " Max. value=2, Segment=2\n"
            " Avg  value=1\n"
            " Total entries for this index=5\n");
}

TEST(StringIndexTest, StatisticsOfAnEmptyIndexNameTheFirstTrie) {
  StringIndex index(2, false, nullptr);
  std::string report;
  index.AppendStatistics(report);
  EXPECT_EQ(report,
            " Seg[ 1]=     0, index=  0.0%\n"
            " Seg[ 2]=     0, index=  0.0%\n"
            " Max. value=0, Segment=1\n"
            " Avg  value=0\n"
            " Total entries for this index=0\n");
}

TEST(StringIndexTest, StatisticsShowTheShareOfCellsWithOneDecimal) {
  StringIndex index(1, false, nullptr);
  // 400 keys of 8 letters that differ in their first two letters only, so
  // that the cells they take are known exactly.
  int inserted = 0;
  for (int a = 0; a < 20; ++a) {
    for (int b = 0; b < 20; ++b) {
      std::string key(8, 'k');
      key[0] = static_cast<char>('a' + a);
      key[1] = static_cast<char>('a' + b);
      ASSERT_TRUE(index.Insert(key, static_cast<uint32_t>(++inserted)));
    }
  }
  // Per first letter: 9 cells for its first key, then 8 per further key.
  const uint32_t used = 20 * (9 + 19 * 8);
  ASSERT_EQ(index.TrieAt(1).Used(), used);
  std::string report;
  index.AppendStatistics(report);
  // 3,220 / 32,599 = 9.877...%
  EXPECT_EQ(report.substr(0, report.find('\n')), " Seg[ 1]=   400, index=  9.9%");
}

std::string IndexImage(StringIndex& index) {
  std::string image;
  ByteWriter out(image);
  index.Write(out);
  return image;
}

TEST(StringIndexTest, WrittenTriesLoadBackByteForByte) {
  StringIndex index(4, false, nullptr);
  const char* const texts[] = {"casa", "masa", "vin", "apa", "cas", "x"};
  uint32_t n = 0;
  for (const char* t : texts) ASSERT_TRUE(index.Insert(t, ++n));
  const std::string image = IndexImage(index);

  StringIndex loaded(1, true, nullptr);
  ByteReader in(image);
  ASSERT_EQ(loaded.Load(in, 4, 0), LoadStatus::kOk);
  EXPECT_EQ(in.remaining(), 0u);
  EXPECT_TRUE(loaded.ok());
  EXPECT_EQ(loaded.TrieCount(), 4);
  n = 0;
  for (const char* t : texts) EXPECT_EQ(loaded.NumberOf(t), ++n) << t;
  EXPECT_EQ(IndexImage(loaded), image);
  // Loaded at their exact size, the tries have no room for a new text.
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(loaded.TrieAt(i).Capacity(), loaded.TrieAt(i).Used());
  EXPECT_FALSE(loaded.Insert("zzzz", 9));
}

TEST(StringIndexTest, LoadedTriesCanBeGivenRoomToGrow) {
  StringIndex index(2, false, nullptr);
  ASSERT_TRUE(index.Insert("casa", 1));
  const std::string image = IndexImage(index);
  StringIndex loaded(2, true, nullptr);
  ByteReader in(image);
  ASSERT_EQ(loaded.Load(in, 2, StringIndex::kTrieCapacity), LoadStatus::kOk);
  EXPECT_TRUE(loaded.Insert("masa", 2));
  EXPECT_EQ(loaded.NumberOf("masa"), 2u);
  EXPECT_EQ(loaded.NumberOf("casa"), 1u);
}

TEST(StringIndexTest, LoadTellsAShortImageFromADamagedOne) {
  StringIndex index(2, false, nullptr);
  ASSERT_TRUE(index.Insert("abc", 1));  // trie 1 ((97+98+99) mod 73 = 2, even)
  ASSERT_TRUE(index.Insert("b", 2));    // trie 1 (98 even)
  ASSERT_TRUE(index.Insert("a", 3));    // trie 2
  const std::string image = IndexImage(index);
  // Trie 1 holds a,b,c,0 then b,0: 6 cells; its next array starts after the
  // record (20), chars (6) and values (12).
  const size_t nextOfTrie1 = 20 + 6 + 12;

  struct Case {
    const char* what;
    std::string bytes;
    int tries;
    LoadStatus status;
  };
  std::string backwardLink = image;
  backwardLink[nextOfTrie1 + 2 * 4] = 1;  // cell 4 links back to cell 1
  backwardLink[nextOfTrie1 + 2 * 4 + 1] = 0;
  std::string tooManyCells = image;
  tooManyCells[16] = static_cast<char>(32600 & 0xFF);
  tooManyCells[17] = static_cast<char>(32600 >> 8);
  const Case cases[] = {
      {"nothing", std::string(), 2, LoadStatus::kTruncated},
      {"half a record", image.substr(0, 10), 2, LoadStatus::kTruncated},
      {"arrays cut", image.substr(0, 30), 2, LoadStatus::kTruncated},
      {"second trie missing", image.substr(0, 20 + 6 * 5), 2, LoadStatus::kTruncated},
      {"one more trie than stored", image, 3, LoadStatus::kTruncated},
      {"a link leading back", backwardLink, 2, LoadStatus::kDamaged},
      {"more cells than a Trie16 holds", tooManyCells, 2, LoadStatus::kDamaged},
      {"no trie", image, 0, LoadStatus::kDamaged},
      {"51 tries", image, 51, LoadStatus::kDamaged},
  };
  for (const Case& c : cases) {
    StringIndex loaded(2, true, nullptr);
    ByteReader in(c.bytes);
    EXPECT_EQ(loaded.Load(in, c.tries, 0), c.status) << c.what;
    EXPECT_FALSE(loaded.ok()) << c.what;
    EXPECT_EQ(loaded.NumberOf("a"), 0u) << c.what;
  }
}

}  // namespace
}  // namespace malvex
