#include "dictionaries/trie_key_hash.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dictionaries/byte_stream.h"

namespace malvex {
namespace {

struct Cell {
  char c;
  int32_t next;
  uint16_t value;
};

// A Trie32 holding exactly `cells`, as a file would give it.
Trie32 FromCells(const std::vector<Cell>& cells) {
  std::string image;
  ByteWriter out(image);
  WriteTrie32Record(out, TrieRecord{1, static_cast<uint32_t>(cells.size()), 0});
  for (const Cell& c : cells) out.U8(static_cast<uint8_t>(c.c));
  for (const Cell& c : cells) out.U16(c.value);
  for (const Cell& c : cells) out.I32(c.next);
  ByteReader in(image);
  Trie32 t;
  EXPECT_TRUE(t.LoadStored(in, 0, nullptr));
  return t;
}

// Every text over `alphabet` of 1..maxLength characters.
std::vector<std::string> AllTexts(const std::string& alphabet, size_t maxLength) {
  std::vector<std::string> out;
  std::vector<std::string> level{""};
  for (size_t n = 1; n <= maxLength; ++n) {
    std::vector<std::string> next;
    for (const std::string& s : level) {
      for (char c : alphabet) next.push_back(s + c);
    }
    out.insert(out.end(), next.begin(), next.end());
    level = std::move(next);
  }
  return out;
}

// The hash holds a text exactly when the trie gives it a value, with the
// trie's position; a complete part holds every valued text.
void ExpectSameAnswers(TrieKeyHash& hash, size_t part, Trie32& trie, const std::string& alphabet,
                       size_t maxLength) {
  for (const std::string& text : AllTexts(alphabet, maxLength)) {
    const int32_t position = trie.Find(text);
    const int32_t value = position >= 0 ? trie.Cursor().value : 0;
    TrieKeyHash::Hit hit{};
    const bool held = hash.Find(part, text.data(), text.size(), hit);
    if (held) {
      EXPECT_EQ(hit.position, position) << text;
      EXPECT_EQ(hit.value, value) << text;
      EXPECT_NE(value, 0) << text;
    } else if (hash.Complete(part)) {
      EXPECT_EQ(value, 0) << text;
    }
  }
}

TEST(TrieKeyHashTest, HoldsEveryValuedKeyOfBuiltTries) {
  Trie32 tries[2];
  tries[0].Create(200, nullptr);
  tries[1].Create(200, nullptr);
  for (const char* k : {"abc", "abd", "ab", "b", "bca", "cab", "ca"}) {
    ASSERT_TRUE(tries[0].Insert(k, static_cast<uint16_t>(k[0] * 3 + k[1])));
  }
  ASSERT_TRUE(tries[0].Insert("abc", 1));  // now ambiguous
  ASSERT_TRUE(tries[1].Insert("abc", 9));
  TrieKeyHash hash;
  ASSERT_TRUE(hash.Build(tries, 2));
  EXPECT_EQ(hash.Size(), 8u);
  EXPECT_TRUE(hash.Complete(0));
  EXPECT_TRUE(hash.Complete(1));
  ExpectSameAnswers(hash, 0, tries[0], "abcd", 4);
  ExpectSameAnswers(hash, 1, tries[1], "abcd", 4);
  TrieKeyHash::Hit hit{};
  ASSERT_TRUE(hash.Find(1, "abc", 3, hit));
  EXPECT_EQ(hit.value, 9);
  EXPECT_FALSE(hash.Find(2, "abc", 3, hit));  // no such part
  EXPECT_FALSE(hash.Find(0, "", 0, hit));
}

TEST(TrieKeyHashTest, FollowsTheWalkOnOddImages) {
  // Root chain: 'a' (0) -> 'a' (3, shadowed by the first) -> 'b' (5); the
  // chain of "a" is 'x' (1) -> 'y' (4); the node after the shadowed 'a'
  // and the node "ay" share cells with other chains.
  Trie32 trie = FromCells({
      {'a', 3, 0},
      {'x', 4, 7},   // value of "a"
      {0, -1, 8},    // "ax"
      {'a', 5, 0},
      {'y', -1, 9},
      {'b', -1, 10}, // "ay"
      {'x', -1, 11}, // "b", "ayb"
      {0, -1, 12},   // "bx", "aybx"
  });
  TrieKeyHash hash;
  ASSERT_TRUE(hash.Build(&trie, 1));
  EXPECT_TRUE(hash.Complete(0));
  ExpectSameAnswers(hash, 0, trie, "abxy", 5);
  TrieKeyHash::Hit hit{};
  ASSERT_TRUE(hash.Find(0, "aybx", 4, hit));
  EXPECT_EQ(hit.value, 12);
  EXPECT_EQ(hit.position, 7);
}

TEST(TrieKeyHashTest, GivesUpOnChainsThatShareWholeSubtrees) {
  // Cell 2L 'a' links to cell 2L+1 'b': the texts reaching level L double
  // every level, far beyond the cells. The hash stays right but incomplete.
  std::vector<Cell> cells;
  for (int level = 0; level < 40; ++level) {
    cells.push_back({'a', 2 * level + 1, static_cast<uint16_t>(level + 1)});
    cells.push_back({'b', -1, 0});
  }
  cells.push_back({0, -1, 99});
  Trie32 trie = FromCells(cells);
  TrieKeyHash hash;
  ASSERT_TRUE(hash.Build(&trie, 1));
  EXPECT_FALSE(hash.Complete(0));
  ExpectSameAnswers(hash, 0, trie, "ab", 6);
}

}  // namespace
}  // namespace malvex
