#include "dictionaries/paged_trie.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "dictionaries/nothrow_failure_for_tests.h"

namespace malvex {
namespace {

TEST(PagedTrieTest, CountingRule) {
  auto trie = std::make_unique<PagedTrie>();
  struct Step {
    const char* key;
    int32_t value;
    bool result;
    int32_t stored;  // the key's value afterwards
    bool duplicate;
    uint32_t used;
  };
  const Step steps[] = {
      {"abc", 1, true, 1, false, 4},
      {"abd", 2, true, 2, false, 6},
      {"abc", 9, true, 1, true, 6},  // counted, value kept
      {"ab", 3, true, 3, false, 6},  // a stored prefix takes the value
      {"", 4, false, 0, false, 6},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.key);
    EXPECT_EQ(trie->Insert(s.key, s.value), s.result);
    EXPECT_EQ(trie->Cursor().ambiguous, s.duplicate);
    EXPECT_EQ(trie->ValueOf(s.key), s.stored);
    EXPECT_EQ(trie->Used(), s.used);
  }
  EXPECT_EQ(trie->Cursor().newEntries, 3u);
  EXPECT_EQ(trie->Cursor().duplicates, 1u);
  // The same cells as a flat trie.
  EXPECT_EQ(trie->NextAt(2), 4);
  EXPECT_EQ(trie->ValueAt(3), 1);
  EXPECT_EQ(trie->ValueAt(5), 2);
}

TEST(PagedTrieTest, KeysAreTakenAsGiven) {
  auto trie = std::make_unique<PagedTrie>();
  ASSERT_TRUE(trie->Insert("Animal", 1));
  ASSERT_TRUE(trie->Insert("animal", 2));
  EXPECT_EQ(trie->ValueOf("Animal"), 1);
  EXPECT_EQ(trie->ValueOf("animal"), 2);
  // Identifiers may be longer than dictionary words.
  const std::string uri = "http://example.org/onto#" + std::string(120, 'x');
  ASSERT_TRUE(trie->Insert(uri, 3));
  EXPECT_EQ(trie->ValueOf(uri), 3);
}

TEST(PagedTrieTest, RunCrossingAPageContinuesInTheNextPage) {
  auto trie = std::make_unique<PagedTrie>();
  // Keys starting with 'a' fill page 0 up to a few cells before its end.
  int n = 0;
  while (trie->Used() < PagedTrie::kCellsPerPage - 12) {
    const int i = n++;
    ASSERT_TRUE(trie->Insert("a" + std::to_string(i), i + 1));
  }
  EXPECT_EQ(trie->PageCount(), 1u);
  const uint32_t start = trie->Used();
  ASSERT_LE(start, 8191u - 3);
  const std::string key = "zzzzzzzzzzzzzzzzzzzz";  // 20 cells and a value cell
  ASSERT_TRUE(trie->Insert(key, 77));
  EXPECT_EQ(trie->PageCount(), 2u);
  EXPECT_EQ(trie->Used(), start + 21);
  EXPECT_EQ(trie->CharAt(8191), 'z');
  EXPECT_EQ(trie->CharAt(8192), 'z');
  EXPECT_EQ(trie->Cursor().position, static_cast<int32_t>(start + 20));
  EXPECT_EQ(trie->ValueOf(key), 77);
  EXPECT_EQ(trie->Find(key), static_cast<int32_t>(start + 20));
  EXPECT_EQ(trie->ValueOf("a0"), 1);
  EXPECT_EQ(trie->ValueOf("a" + std::to_string(n - 1)), n);
}

TEST(PagedTrieTest, ReadingNeverAllocates) {
  auto trie = std::make_unique<PagedTrie>();
  EXPECT_EQ(trie->Find("abc"), -1);
  EXPECT_EQ(trie->CharAt(5000000), 0);
  EXPECT_EQ(trie->NextAt(5000000), -1);
  EXPECT_EQ(trie->ValueAt(PagedTrie::kMaxPosition + 1), 0);
  EXPECT_EQ(trie->PageCount(), 0u);
}

TEST(PagedTrieTest, PageThatCannotBeAllocatedRefusesTheWholeKey) {
  auto trie = std::make_unique<PagedTrie>();
  int n = 0;
  while (trie->Used() < PagedTrie::kCellsPerPage - 5) {
    ASSERT_TRUE(trie->Insert("b" + std::to_string(n++), 1));
  }
  const uint32_t used = trie->Used();
  {
    testing::NothrowFailure failure(0);
    EXPECT_FALSE(trie->Insert("zzzzzzzzzz", 5));
  }
  EXPECT_TRUE(trie->Cursor().overflow);
  EXPECT_EQ(trie->Used(), used);
  EXPECT_EQ(trie->CharAt(used), 0);
  EXPECT_EQ(trie->Find("zzzzzzzzzz"), -1);
  // Nothing links to a half-written run: the next key goes where it would have.
  EXPECT_TRUE(trie->Insert("zzzzzzzzzz", 6));
  EXPECT_EQ(trie->ValueOf("zzzzzzzzzz"), 6);
  EXPECT_EQ(trie->Used(), used + 11);
}

TEST(PagedTrieTest, ClearEmptiesTheTrie) {
  auto trie = std::make_unique<PagedTrie>();
  ASSERT_TRUE(trie->Insert("abc", 1));
  ASSERT_TRUE(trie->Insert("abc", 1));
  trie->Clear();
  EXPECT_EQ(trie->PageCount(), 0u);
  EXPECT_EQ(trie->Used(), 0u);
  EXPECT_TRUE(trie->IsEmpty());
  EXPECT_EQ(trie->Cursor().newEntries, 0u);
  EXPECT_EQ(trie->Cursor().duplicates, 0u);
  EXPECT_EQ(trie->Find("abc"), -1);
  ASSERT_TRUE(trie->Insert("xy", 2));
  EXPECT_EQ(trie->CharAt(0), 'x');
  EXPECT_EQ(trie->ValueOf("xy"), 2);
}

}  // namespace
}  // namespace malvex
