#include "dictionaries/noun_lemma_dictionary.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "dictionaries/byte_stream.h"
#include "dictionaries/string_pool.h"

namespace malvex {
namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

std::string Image(const TDicSubstantifs& nouns) {
  std::string image;
  ByteWriter out(image);
  EXPECT_TRUE(nouns.Write(out));
  return image;
}

std::string LemmaText(uint32_t i) { return "lemma" + std::to_string(i); }

TEST(NounLemmaDictionaryTest, AddLemmaNumbersFromOneAndFoldsOnlyTheKey) {
  TDicSubstantifs nouns(100);
  EXPECT_EQ(nouns.AddLemma("Casa"), 1u);
  EXPECT_EQ(nouns.AddLemma("mas\xC3"), 2u);  // masă, upper-case ă
  EXPECT_EQ(nouns.AddLemma("CASA"), 1u);
  EXPECT_EQ(nouns.LemmaCount(), 2u);
  EXPECT_EQ(nouns.EntryCount(), 2u);
  EXPECT_EQ(nouns.LemmaNumberOf("casa"), 1u);
  EXPECT_EQ(nouns.LemmaNumberOf("mas\xE3"), 2u);
  EXPECT_EQ(nouns.LemmaNumberOf("Casa"), 0u);  // lookups take folded text
  EXPECT_EQ(nouns.LemmaNumberOf("cas"), 0u);
  EXPECT_STREQ(nouns.NameOf(1), "Casa");
  EXPECT_EQ(nouns.NameOf(0), nullptr);
  EXPECT_EQ(nouns.NameOf(3), nullptr);
  EXPECT_EQ(nouns.AddLemma(""), 0u);
  EXPECT_EQ(nouns.AddLemma(std::string(81, 'x')), 0u);
}

TEST(NounLemmaDictionaryTest, TheCapacityBoundsTheLemmas) {
  TDicSubstantifs nouns(2);
  EXPECT_EQ(nouns.AddLemma("a"), 1u);
  EXPECT_EQ(nouns.AddLemma("b"), 2u);
  EXPECT_EQ(nouns.AddLemma("c"), 0u);
  EXPECT_EQ(nouns.AddLemma("a"), 1u);
  EXPECT_EQ(nouns.LemmaCount(), 2u);
}

TEST(NounLemmaDictionaryTest, TheStoredFormIsTheTrieArraysThenTheNames) {
  TDicSubstantifs nouns(10);
  ASSERT_EQ(nouns.AddLemma("ab"), 1u);
  ASSERT_EQ(nouns.AddLemma("ac"), 2u);
  // Cells a, b, 0, c, 0: "ac" leaves at cell 1 for cell 3.
  EXPECT_EQ(nouns.LastCell(), 4u);
  const std::string expected =
      std::string("ab\0c\0", 5) +
      Bytes({0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0}) +
      Bytes({0xFF, 0xFF, 0xFF, 0xFF, 3, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
             0xFF, 0xFF, 0xFF, 0xFF}) +
      std::string("aa", 2) + std::string(78, '\0') +  // "ab" scrambled
      std::string("ab", 2) + std::string(78, '\0');   // "ac" scrambled
  EXPECT_EQ(Image(nouns), expected);
}

TEST(NounLemmaDictionaryTest, AnEmptyDictionaryIsStoredAsOneZeroCell) {
  TDicSubstantifs nouns(10);
  EXPECT_EQ(nouns.LastCell(), 0u);
  const std::string image = Image(nouns);
  EXPECT_EQ(image, Bytes({0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}));
  TDicSubstantifs loaded(10);
  ByteReader in(image);
  ASSERT_EQ(loaded.Load(in, 0, 0), LoadStatus::kOk);
  EXPECT_EQ(loaded.LemmaCount(), 0u);
  EXPECT_EQ(loaded.LemmaNumberOf("a"), 0u);
  EXPECT_EQ(Image(loaded), image);
  // A lemma added after loading lands behind the zero cell.
  EXPECT_EQ(loaded.AddLemma("apa"), 1u);
  EXPECT_EQ(loaded.LemmaNumberOf("apa"), 1u);
}

TEST(NounLemmaDictionaryTest, ALargeBuildGrowsItsTrieAndStaysTheSame) {
  TDicSubstantifs a(1000000);
  TDicSubstantifs b(1000000);
  for (uint32_t i = 1; i <= 3000; ++i) {
    ASSERT_EQ(a.AddLemma(LemmaText(i)), i);
    ASSERT_EQ(b.AddLemma(LemmaText(i)), i);
  }
  for (uint32_t i = 1; i <= 3000; ++i) ASSERT_EQ(a.LemmaNumberOf(LemmaText(i)), i) << i;
  EXPECT_EQ(Image(a), Image(b));
  EXPECT_GT(a.LastCell(), 4096u);  // beyond the first trie: it grew
  // The cells are those of the keys inserted in order into one trie that
  // never had to grow.
  Trie32 plain;
  plain.Create(100000, nullptr);
  for (uint32_t i = 1; i <= 3000; ++i) ASSERT_TRUE(plain.Insert(LemmaText(i), static_cast<uint16_t>(i)));
  std::string chars;
  ByteWriter out(chars);
  plain.WriteChars(out);
  EXPECT_EQ(a.LastCell() + 1, plain.Used());
  EXPECT_EQ(Image(a).substr(0, chars.size()), chars);
}

TEST(NounLemmaDictionaryTest, WriteThenLoadGivesTheSameBytes) {
  TDicSubstantifs built(1000);
  for (uint32_t i = 1; i <= 300; ++i) ASSERT_EQ(built.AddLemma(LemmaText(i)), i);
  const std::string image = Image(built) + "rest of the file";

  StringPool pool;
  TDicSubstantifs loaded(1000, nullptr, &pool);
  ByteReader in(image);
  ASSERT_EQ(loaded.Load(in, built.LastCell(), built.LemmaCount()), LoadStatus::kOk);
  EXPECT_EQ(in.remaining(), std::string("rest of the file").size());
  EXPECT_EQ(loaded.LemmaCount(), 300u);
  EXPECT_EQ(loaded.LastCell(), built.LastCell());
  EXPECT_EQ(Image(loaded) + "rest of the file", image);
  EXPECT_EQ(loaded.LemmaNumberOf("lemma123"), 123u);
  EXPECT_STREQ(loaded.NameOf(300), "lemma300");
  EXPECT_GT(pool.BytesInUse(), 300u * 7u);
}

TEST(NounLemmaDictionaryTest, LoadTellsAShortImageFromADamagedOne) {
  TDicSubstantifs built(10);
  ASSERT_EQ(built.AddLemma("ab"), 1u);
  ASSERT_EQ(built.AddLemma("ac"), 2u);
  const std::string image = Image(built);  // 5 cells, 2 names
  std::string backLink = image;
  backLink[5 + 20 + 4 * 3] = 1;  // cell 3 links back to cell 1
  for (int k = 1; k < 4; ++k) backLink[5 + 20 + 4 * 3 + k] = 0;

  struct Case {
    const char* what;
    std::string bytes;
    uint32_t lastCell;
    uint32_t lemmas;
    uint32_t capacity;
    LoadStatus status;
  };
  const Case cases[] = {
      {"nothing", std::string(), 4, 2, 10, LoadStatus::kTruncated},
      {"a name cut", image.substr(0, image.size() - 1), 4, 2, 10, LoadStatus::kTruncated},
      {"cells beyond the image", image, 1000, 2, 10, LoadStatus::kTruncated},
      {"more lemmas than the capacity", image, 4, 2, 1, LoadStatus::kDamaged},
      {"a cell count no position can reach", image, 0xFFFFFFFFu, 2, 10, LoadStatus::kDamaged},
      {"a link leading back", backLink, 4, 2, 10, LoadStatus::kDamaged},
  };
  for (const Case& c : cases) {
    TDicSubstantifs loaded(c.capacity);
    ByteReader in(c.bytes);
    EXPECT_EQ(loaded.Load(in, c.lastCell, c.lemmas), c.status) << c.what;
    EXPECT_EQ(loaded.LemmaCount(), 0u) << c.what;
    EXPECT_EQ(loaded.LemmaNumberOf("ab"), 0u) << c.what;
    EXPECT_EQ(loaded.NameOf(1), nullptr) << c.what;
  }
}

TEST(NounLemmaDictionaryTest, ANumberStoredOutsideTheLemmasIsNotALemma) {
  TDicSubstantifs built(10);
  ASSERT_EQ(built.AddLemma("ab"), 1u);
  ASSERT_EQ(built.AddLemma("ac"), 2u);
  const std::string image = Image(built);
  TDicSubstantifs loaded(10);
  ByteReader in(image);
  // Read as a dictionary of one lemma: "ac" holds number 2, beyond S.
  ASSERT_EQ(loaded.Load(in, 4, 1), LoadStatus::kOk);
  EXPECT_EQ(loaded.LemmaNumberOf("ab"), 1u);
  EXPECT_EQ(loaded.LemmaNumberOf("ac"), 0u);
}

TEST(NounLemmaDictionaryTest, CountsAndRankingCoverLemmasOneToS) {
  TDicSubstantifs nouns(10);
  for (const char* t : {"a", "b", "c", "d"}) nouns.AddLemma(t);
  for (uint32_t m : {2u, 4u, 4u, 1u, 4u, 2u}) EXPECT_TRUE(nouns.CountOccurrence(m));
  EXPECT_FALSE(nouns.CountOccurrence(0));
  EXPECT_FALSE(nouns.CountOccurrence(5));
  EXPECT_EQ(nouns.CountOf(4), 3u);
  EXPECT_EQ(nouns.CountOf(5), 0u);
  nouns.RankLemmas();
  ASSERT_EQ(nouns.RankedCount(), 3u);
  EXPECT_EQ(nouns.RankedLemma(1), 4u);
  EXPECT_EQ(nouns.CountAtRank(1), 3u);
  EXPECT_EQ(nouns.RankedLemma(2), 2u);
  EXPECT_EQ(nouns.RankedLemma(3), 1u);
  EXPECT_EQ(nouns.CountAtRank(3), 1u);
  EXPECT_EQ(nouns.RankedLemma(4), 0u);
  nouns.ResetCounts();
  EXPECT_EQ(nouns.CountOf(4), 0u);
  EXPECT_EQ(nouns.RankedCount(), 0u);
}

TEST(NounLemmaDictionaryTest, TheLastLemmaCanHaveAGroup) {
  TDicSubstantifs nouns(10);
  for (const char* t : {"a", "b", "c"}) nouns.AddLemma(t);
  EXPECT_TRUE(nouns.SetGroup(3, 7));
  EXPECT_EQ(nouns.GroupOf(3), 7u);
  EXPECT_TRUE(nouns.SetGroup(1, 2));
  EXPECT_FALSE(nouns.SetGroup(0, 1));
  EXPECT_FALSE(nouns.SetGroup(4, 1));
  EXPECT_EQ(nouns.GroupOf(4), 0u);
  nouns.ClearGroups();
  EXPECT_EQ(nouns.GroupOf(3), 0u);
  EXPECT_EQ(nouns.GroupOf(1), 0u);
}

}  // namespace
}  // namespace malvex
