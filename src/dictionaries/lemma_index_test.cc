#include "dictionaries/lemma_index.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "dictionaries/byte_stream.h"
#include "dictionaries/string_pool.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::CatchFatalExit;
using testing::FatalExitCalled;
using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

const char kCorrupted[] = "Corrupted dictionary files. Execution failed, re-install the software.";
const char kWrongVersion[] = "Wrong version of dictionary files. Execution failed, re-install the software.";

// A small verb index: lemmas 1 merge, 2 avea, 3 fi; forms mapped to them.
void BuildVerbs(LemmaIndex& index) {
  index.CreateEmpty();
  ASSERT_EQ(index.AddLemma("merge"), 1u);
  ASSERT_EQ(index.AddLemma("avea"), 2u);
  ASSERT_EQ(index.AddLemma("fi"), 3u);
  ASSERT_TRUE(index.AddForm("merg", 1));
  ASSERT_TRUE(index.AddForm("mergem", 1));
  ASSERT_TRUE(index.AddForm("are", 2));
  ASSERT_TRUE(index.AddForm("sunt", 3));
  ASSERT_TRUE(index.AddForm("este", 3));
}

std::string Image(const LemmaIndex& index) {
  std::string image;
  ByteWriter out(image);
  EXPECT_TRUE(index.Write(out));
  return image;
}

class LemmaIndexTest : public ::testing::Test {
 protected:
  LemmaIndexTest() : messages(box) {}

  // Loads `bytes` as a file and returns the exit code the load ended with,
  // or -1 when it did not end the process.
  int LoadEndsWith(const std::string& bytes) {
    WriteFile(path, bytes);
    LemmaIndex index(29, 7, &messages);
    CatchFatalExit guard;
    try {
      index.Load(path);
    } catch (const FatalExitCalled& e) {
      return e.code;
    }
    return -1;
  }
  std::string LastBox() const { return box.asked().empty() ? std::string() : box.asked().back().text; }

  ScriptedBox box;
  Messages messages;
  TempDir dir;
  const std::string path = dir.File("roglex.vv8");
};

TEST_F(LemmaIndexTest, FormsLeadToTheirLemma) {
  LemmaIndex index(29, 7, &messages);
  BuildVerbs(index);
  EXPECT_EQ(index.LemmaCount(), 3u);
  EXPECT_EQ(index.LemmaNumberOfForm("mergem"), 1u);
  EXPECT_STREQ(index.LemmaOfForm("mergem"), "merge");
  EXPECT_STREQ(index.LemmaOfForm("este"), "fi");
  // A lemma is its own form even when the form table does not list it.
  EXPECT_EQ(index.LemmaNumberOfForm("avea"), 2u);
  EXPECT_STREQ(index.LemmaOfForm("avea"), "avea");
  EXPECT_EQ(index.LemmaNumberOfForm("zbura"), 0u);
  EXPECT_EQ(index.LemmaOfForm("zbura"), nullptr);
  EXPECT_EQ(index.LemmaNumberOfLemma("fi"), 3u);
  EXPECT_TRUE(index.IsLemma("merge"));
  EXPECT_FALSE(index.IsLemma("merg"));
  EXPECT_STREQ(index.LemmaText(0), "");
  EXPECT_STREQ(index.LemmaText(4), "");
  EXPECT_STREQ(index.LemmaText(2), "avea");
  EXPECT_EQ(index.EntryCount(), 5u);
  EXPECT_EQ(index.Repeats(), 0u);
}

TEST_F(LemmaIndexTest, AddLemmaGivesAKnownLemmaItsNumberAndAddFormKeepsTheFirstLemma) {
  LemmaIndex index(29, 7, &messages);
  BuildVerbs(index);
  EXPECT_EQ(index.AddLemma("Avea"), 2u);
  EXPECT_EQ(index.LemmaCount(), 3u);
  EXPECT_TRUE(index.AddForm("Are", 3));
  EXPECT_EQ(index.LemmaNumberOfForm("are"), 2u);
  EXPECT_EQ(index.Repeats(), 1u);
  EXPECT_EQ(index.EntryCount(), 5u);
  EXPECT_FALSE(index.AddForm("fost", 0));
  EXPECT_FALSE(index.AddForm("fost", 4));
  EXPECT_FALSE(index.AddForm("", 1));
  EXPECT_EQ(index.AddLemma(""), 0u);
}

TEST_F(LemmaIndexTest, CountingGivesTheTokenItsGroupAndCountsTheGroup) {
  LemmaIndex index(29, 7, &messages);
  BuildVerbs(index);
  std::array<uint32_t, 8> groupCounts{};
  ASSERT_TRUE(index.SetGroup(2, 5));
  EXPECT_EQ(index.CountOccurrence(2, groupCounts), 5u);
  EXPECT_EQ(index.CountOccurrence(2, groupCounts), 5u);
  EXPECT_EQ(index.CountOccurrence(1, groupCounts), 0u);
  EXPECT_EQ(groupCounts[5], 2u);
  EXPECT_EQ(index.CountOf(2), 2u);
  EXPECT_EQ(index.CountOf(1), 1u);
  // Out-of-range numbers count nothing and give no group.
  EXPECT_EQ(index.CountOccurrence(0, groupCounts), 0u);
  EXPECT_EQ(index.CountOccurrence(4, groupCounts), 0u);
  EXPECT_EQ(index.CountOf(4), 0u);
  EXPECT_EQ(groupCounts[0], 0u);
  // A group outside the table of group counts is still returned.
  ASSERT_TRUE(index.SetGroup(3, 100));
  EXPECT_EQ(index.CountOccurrence(3, groupCounts), 100u);
  EXPECT_EQ(index.GroupOf(3), 100u);
  EXPECT_FALSE(index.SetGroup(0, 1));
  EXPECT_FALSE(index.SetGroup(65536, 1));
  index.ClearGroups();
  EXPECT_EQ(index.GroupOf(2), 0u);
}

TEST_F(LemmaIndexTest, RankingListsCountedLemmasByCount) {
  LemmaIndex index(29, 7, &messages);
  BuildVerbs(index);
  index.RankLemmas();
  EXPECT_EQ(index.RankedCount(), 0u);
  for (uint32_t m : {1u, 3u, 3u, 3u, 2u, 2u}) index.CountOccurrence(m, {});
  index.RankLemmas();
  ASSERT_EQ(index.RankedCount(), 3u);
  EXPECT_EQ(index.RankedLemma(1), 3u);
  EXPECT_EQ(index.RankedLemma(2), 2u);
  EXPECT_EQ(index.RankedLemma(3), 1u);
  EXPECT_EQ(index.RankedLemma(0), 0u);
  EXPECT_EQ(index.RankedLemma(4), 0u);
  index.ResetCounts();
  EXPECT_EQ(index.CountOf(3), 0u);
  EXPECT_EQ(index.RankedCount(), 0u);
}

TEST_F(LemmaIndexTest, LemmasARunAddsAreItsOwnAndGoWithIt) {
  // A loaded index, as the engine has it: its pool and image must not
  // change however many runs add lemmas.
  LemmaIndex built(29, 7, &messages);
  BuildVerbs(built);
  const std::string image = Image(built);
  StringPool pool;
  LemmaIndex index(29, 7, &messages, &pool);
  index.LoadImage(image, path);
  index.KeepRunLemmasApart();
  const size_t poolBytes = pool.BytesInUse();

  for (int run = 0; run < 3; ++run) {
    SCOPED_TRACE(run);
    index.ForgetRunLemmas();
    index.ResetCounts();
    // Each run numbers the lemmas it adds from the same point, in the
    // order it meets them, whatever the runs before it added.
    const char* const added[] = {run == 1 ? "zbura" : "ateriza", run == 1 ? "ateriza" : "zbura"};
    EXPECT_EQ(index.AddLemma(added[0]), 4u);
    EXPECT_EQ(index.AddLemma(added[1]), 5u);
    EXPECT_EQ(index.AddLemma("Zbura"), run == 1 ? 4u : 5u);  // found again, folded
    EXPECT_EQ(index.AddLemma("avea"), 2u);                   // the index's own
    EXPECT_EQ(index.LemmaCount(), 5u);
    EXPECT_EQ(index.RunLemmaCount(), 2u);
    EXPECT_STREQ(index.LemmaText(4), added[0]);
    EXPECT_EQ(index.LemmaNumberOfForm("zbura"), run == 1 ? 4u : 5u);
    EXPECT_TRUE(index.IsLemma("ateriza"));
    EXPECT_TRUE(index.IsRunLemma(4));
    EXPECT_FALSE(index.IsRunLemma(3));
    // They are counted and ranked like the others.
    for (uint32_t m : {5u, 5u, 1u}) index.CountOccurrence(m, {});
    index.RankLemmas();
    ASSERT_EQ(index.RankedCount(), 2u);
    EXPECT_EQ(index.RankedLemma(1), 5u);
    // A Scenario group given to a run's number goes with the run.
    ASSERT_TRUE(index.SetGroup(4, 7));
  }
  index.ForgetRunLemmas();
  EXPECT_EQ(index.LemmaCount(), 3u);
  EXPECT_EQ(index.GroupOf(4), 0u);
  EXPECT_STREQ(index.LemmaText(4), "");
  EXPECT_FALSE(index.IsLemma("zbura"));
  EXPECT_EQ(pool.BytesInUse(), poolBytes);
  EXPECT_EQ(Image(index), image);
}

TEST_F(LemmaIndexTest, TheFileImageFollowsTheHeaderLayout) {
  LemmaIndex index(29, 7, &messages);
  BuildVerbs(index);
  const std::string image = Image(index);
  const auto u32 = [&image](size_t at) { return LoadU32(reinterpret_cast<const uint8_t*>(image.data()) + at); };
  EXPECT_EQ(static_cast<uint8_t>(image[0]), 19);
  EXPECT_EQ(u32(1), 5u);    // entries
  EXPECT_EQ(u32(5), 0u);    // repeats
  EXPECT_EQ(u32(9), 3u);    // new entries of the lemma index
  EXPECT_EQ(u32(13), 3u);   // L
  EXPECT_EQ(u32(17), 5u);   // form texts
  EXPECT_EQ(u32(21), 7u);   // lemma tries
  EXPECT_EQ(u32(25), 29u);  // form tries
  EXPECT_EQ(image.substr(29, 14), std::string(14, '\0'));
  EXPECT_EQ(u32(43), 1234567u);
  EXPECT_EQ(image[47], '\0');
  // 36 tries of 20-byte records, the cells of the lemma and form texts at 5
  // bytes each, and three name records.
  const size_t lemmaCells = (5 + 1) + (4 + 1) + (2 + 1);
  // "mergem" shares a trie with "merg" and continues it with two letters.
  const size_t formCells = (4 + 1) + (2 + 1) + (3 + 1) + (4 + 1) + (4 + 1);
  EXPECT_EQ(image.size(), 48 + 36 * 20 + (lemmaCells + formCells) * 5 + 3 * 80);
  // The last record is "fi" scrambled: 'f', 'i' - 1.
  EXPECT_EQ(image.substr(image.size() - 80, 3), std::string("fh\0", 3));
}

TEST_F(LemmaIndexTest, SaveThenLoadGivesTheSameIndexByteForByte) {
  StringPool pool;
  LemmaIndex built(29, 7, &messages);
  BuildVerbs(built);
  ASSERT_TRUE(built.Save(path));
  const std::string image = ReadFile(path);
  EXPECT_EQ(image, Image(built));

  LemmaIndex loaded(29, 7, &messages, &pool);
  loaded.Load(path);
  EXPECT_TRUE(loaded.ok());
  EXPECT_EQ(Image(loaded), image);
  EXPECT_EQ(loaded.LemmaCount(), 3u);
  EXPECT_EQ(loaded.EntryCount(), 5u);
  EXPECT_STREQ(loaded.LemmaOfForm("sunt"), "fi");
  EXPECT_EQ(loaded.LemmaNumberOfForm("merge"), 1u);
  EXPECT_EQ(pool.BytesInUse(), 6u + 5u + 3u);  // the lemma texts went to the pool
  EXPECT_TRUE(box.asked().empty());

  // A loaded index is not extended: its tries have no room left, and a
  // refused lemma costs the pool nothing.
  EXPECT_EQ(loaded.AddLemma("zbura"), 0u);
  EXPECT_EQ(loaded.LemmaCount(), 3u);
  EXPECT_EQ(pool.BytesInUse(), 6u + 5u + 3u);
  EXPECT_EQ(Image(loaded), image);
}

TEST_F(LemmaIndexTest, TheTrieCountsOfTheFileWin) {
  LemmaIndex built(12, 6, &messages);
  BuildVerbs(built);
  ASSERT_TRUE(built.Save(path));
  LemmaIndex loaded(29, 7, &messages);
  loaded.Load(path);
  EXPECT_EQ(loaded.Lemmas().index().TrieCount(), 6);
  EXPECT_EQ(loaded.Forms().index().TrieCount(), 12);
  EXPECT_STREQ(loaded.LemmaOfForm("are"), "avea");
}

TEST_F(LemmaIndexTest, AnEmptyIndexRoundTrips) {
  LemmaIndex built(29, 7, &messages);
  built.CreateEmpty();
  const std::string image = Image(built);
  EXPECT_EQ(image.size(), 48u + 36u * 20u);
  ASSERT_TRUE(WriteFile(path, image));
  LemmaIndex loaded(29, 7, &messages);
  loaded.Load(path);
  EXPECT_EQ(loaded.LemmaCount(), 0u);
  EXPECT_EQ(loaded.LemmaNumberOfForm("a"), 0u);
  EXPECT_EQ(Image(loaded), image);
}

TEST_F(LemmaIndexTest, DamagedFilesAreReportedAndEndTheProgram) {
  LemmaIndex built(29, 7, &messages);
  BuildVerbs(built);
  const std::string good = Image(built);
  const auto with = [&good](size_t at, std::initializer_list<uint8_t> bytes) {
    std::string s = good;
    for (uint8_t b : bytes) s[at++] = static_cast<char>(b);
    return s;
  };
  // The first trie of the lemma table holds cells from byte 48 + 20 on;
  // find one that is not empty to damage a link.
  size_t firstCells = 48;
  uint32_t cells = 0;
  for (int t = 0; t < 7 && cells == 0; ++t) {
    cells = LoadU16(reinterpret_cast<const uint8_t*>(good.data()) + firstCells + 16);
    if (cells == 0) firstCells += 20;
  }
  ASSERT_GE(cells, 2u);
  const size_t nextArray = firstCells + 20 + cells * 3;

  struct Case {
    const char* what;
    std::string bytes;
    int code;
    std::string text;
  };
  const std::string wrongFile = std::string(kWrongVersion) + " " + path;
  const Case cases[] = {
      {"empty file", std::string(), 2, kCorrupted},
      {"header cut", good.substr(0, 47), 2, kCorrupted},
      {"tries cut", good.substr(0, 48 + 7 * 20), 2, kCorrupted},
      {"names cut", good.substr(0, good.size() - 1), 2, kCorrupted},
      {"version 18", with(0, {18}), 1, wrongFile},
      {"wrong magic", with(43, {0x88, 0xD6, 0x12, 0x00}), 1, wrongFile},
      {"no lemma trie", with(21, {0, 0, 0, 0}), 1, kCorrupted},
      {"51 form tries", with(25, {51, 0, 0, 0}), 1, kCorrupted},
      {"65,536 lemmas", with(13, {0x00, 0x00, 0x01, 0x00}), 1, kCorrupted},
      {"a trie of 40,000 cells", with(firstCells + 16, {0x40, 0x9C}), 1, kCorrupted},
      {"a link leading back", with(nextArray + 2, {0, 0}), 1, kCorrupted},
  };
  for (const Case& c : cases) {
    box.ClearRecords();
    EXPECT_EQ(LoadEndsWith(c.bytes), c.code) << c.what;
    EXPECT_EQ(LastBox(), c.text) << c.what;
    EXPECT_EQ(box.asked().size(), 1u) << c.what;
  }
}

TEST_F(LemmaIndexTest, AMissingFileShowsMessage10AndEndsWithCode2) {
  LemmaIndex index(29, 7, &messages);
  CatchFatalExit guard;
  try {
    index.Load(dir.File("absent.av8"));
    ADD_FAILURE() << "a missing file loaded";
  } catch (const FatalExitCalled& e) {
    EXPECT_EQ(e.code, 2);
  }
  EXPECT_EQ(LastBox(), kCorrupted);
}

TEST_F(LemmaIndexTest, TooManyTriesShowMessageZeroAndLeaveTheIndexNotOk) {
  LemmaIndex index(51, 7, &messages);
  EXPECT_FALSE(index.ok());
  EXPECT_EQ(LastBox(), "Memory low. Please close some applications and try again.");
  LemmaIndex fine(29, 7, &messages);
  EXPECT_TRUE(fine.ok());
}

TEST_F(LemmaIndexTest, TheSameSourcesAlwaysGiveTheSameBytes) {
  LemmaIndex a(29, 7, &messages);
  LemmaIndex b(29, 7, &messages);
  BuildVerbs(a);
  BuildVerbs(b);
  EXPECT_EQ(Image(a), Image(b));
}

}  // namespace
}  // namespace malvex
