#include "reading/word_stream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "dictionaries/nothrow_failure_for_tests.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"

MALVEX_DEFINE_FAILING_NOTHROW_NEW()

namespace malvex {
namespace {

class WordStreamTest : public ::testing::Test {
 protected:
  // Appends `words` with positions counting on from the highest one; an end
  // marker "/" repeats the position of the word before it.
  void AppendAll(const std::vector<std::string>& words, uint16_t file = 1) {
    for (const std::string& w : words) {
      const int32_t position =
          w == "/" ? stream_->HighestPosition() : stream_->HighestPosition() + 1;
      ASSERT_TRUE(stream_->Append(w, " ", WordInfo{}, position, 0, file));
    }
  }

  // Texts from the cursor to the tail.
  std::vector<std::string> Forward() {
    std::vector<std::string> texts;
    WordInfo info;
    const char* separator;
    int32_t position;
    while (const char* t = stream_->Next(info, separator, position)) texts.emplace_back(t);
    return texts;
  }

  // Texts from the cursor back to the head.
  std::vector<std::string> Backward() {
    std::vector<std::string> texts;
    WordInfo info;
    const char* separator;
    int32_t position;
    while (const char* t = stream_->Previous(info, separator, position)) texts.emplace_back(t);
    return texts;
  }

  std::string CurrentText() const {
    const WordNode* node = stream_->Current();
    return node->text == nullptr ? "<tail>" : node->text;
  }

  void ExpectEmptyState() {
    EXPECT_EQ(stream_->Count(), 0u);
    EXPECT_EQ(stream_->HighestPosition(), 0);
    EXPECT_TRUE(stream_->AtStart());
    EXPECT_TRUE(stream_->AtEnd());
    for (int i = 1; i <= WordStream::kBookmarkCount; ++i) {
      EXPECT_EQ(stream_->Bookmark(i), stream_->Head()) << "bookmark " << i;
    }
    EXPECT_EQ(stream_->Head()->prev, stream_->Head());
    EXPECT_EQ(stream_->Head()->text, nullptr);
    EXPECT_EQ(stream_->Head()->next, nullptr);
    EXPECT_EQ(stream_->Head()->markB, 0);
    WordInfo info;
    const char* separator;
    int32_t position;
    EXPECT_EQ(stream_->Next(info, separator, position), nullptr);
    EXPECT_EQ(stream_->Previous(info, separator, position), nullptr);
    EXPECT_TRUE(stream_->AtStart());
  }

  std::unique_ptr<WordStream> stream_ = std::make_unique<WordStream>(nullptr);
};

TEST(WordStreamLayoutTest, InfoIs28Bytes) {
  EXPECT_EQ(sizeof(WordInfo), 28u);
  // The nodes of a chunk fill it whatever the pointer width.
  EXPECT_EQ(NodePool::kNodesPerChunk, 1170u);
}

TEST_F(WordStreamTest, NewStreamIsEmpty) { ExpectEmptyState(); }

TEST_F(WordStreamTest, ResetEmptiesTheStreamAndSendsEveryBookmarkToTheHead) {
  AppendAll(std::vector<std::string>(3000, "cuvant"));
  ASSERT_EQ(stream_->Nodes().ChunkCount(), 3u);
  // Bookmarks left on nodes of chunks that Reset frees must not survive.
  stream_->SeekPosition(2500);
  for (int i = 1; i <= WordStream::kBookmarkCount; ++i) stream_->SaveBookmark(i);
  stream_->Reset();
  ExpectEmptyState();
  EXPECT_EQ(stream_->Nodes().ChunkCount(), 1u);
  EXPECT_EQ(stream_->WordPool().BlockCount(), 1u);
  stream_->RestoreBookmark(10);
  EXPECT_TRUE(stream_->AtStart());
  // The stream fills again from its first chunks.
  AppendAll({"din", "nou", "/"});
  stream_->Rewind();
  EXPECT_EQ(Forward(), (std::vector<std::string>{"din", "nou", "/"}));
}

TEST_F(WordStreamTest, ResetGivesBackTheMemoryOfEveryChunkButTheFirst) {
  const size_t nodeBytes = stream_->Nodes().BytesReserved();
  const size_t textBytes = stream_->WordPool().BytesReserved();
  // 52 node chunks and 7 text blocks, spread over several slabs.
  AppendAll(std::vector<std::string>(60000, "cuvant"));
  ASSERT_EQ(stream_->Nodes().ChunkCount(), 52u);
  ASSERT_EQ(stream_->WordPool().BlockCount(), 7u);
  EXPECT_GE(stream_->Nodes().BytesReserved(), 52 * NodePool::kNodesPerChunk * sizeof(WordNode));
  EXPECT_GE(stream_->WordPool().BytesReserved(), 7 * StringPool::kTextBytes);
  // The nodes link up across chunk and slab boundaries.
  stream_->Rewind();
  const std::vector<std::string> forward = Forward();
  EXPECT_EQ(forward, std::vector<std::string>(60000, "cuvant"));
  EXPECT_EQ(Backward().size(), 60000u);
  stream_->Reset();
  EXPECT_EQ(stream_->Nodes().BytesReserved(), nodeBytes);
  EXPECT_EQ(stream_->WordPool().BytesReserved(), textBytes);
  AppendAll(std::vector<std::string>(2000, "iar"));
  stream_->Rewind();
  EXPECT_EQ(Forward(), std::vector<std::string>(2000, "iar"));
}

TEST_F(WordStreamTest, AppendStoresEveryField) {
  WordInfo info;
  info.category.category = 8;
  info.category.flags = 4;
  info.capitalisation = 1;
  info.apostrophePos = 2;
  std::string text = "Ion";
  ASSERT_TRUE(stream_->Append(text, ", ", info, 7, 1234, 3));
  text[0] = 'X';  // the stream keeps its own copy
  EXPECT_EQ(stream_->Count(), 1u);
  EXPECT_EQ(stream_->HighestPosition(), 7);

  const WordNode* node = stream_->Head();
  EXPECT_STREQ(node->text, "Ion");
  EXPECT_STREQ(node->separator, ", ");
  EXPECT_EQ(node->position, 7);
  EXPECT_EQ(node->lemma, 1234u);
  EXPECT_EQ(node->fileIndex, 3);
  EXPECT_EQ(node->info.category.category, 8);
  EXPECT_EQ(node->info.category.flags, 4);
  EXPECT_EQ(node->info.capitalisation, 1);
  EXPECT_EQ(node->info.apostrophePos, 2);
  EXPECT_EQ(node->markA, 0);
  EXPECT_EQ(node->markB, 0);

  // The new tail is an empty node linked both ways.
  const WordNode* tail = stream_->Tail();
  EXPECT_EQ(node->next, tail);
  EXPECT_EQ(tail->prev, node);
  EXPECT_EQ(tail->next, nullptr);
  EXPECT_EQ(tail->text, nullptr);
  EXPECT_EQ(tail->position, 0);
  EXPECT_EQ(tail->fileIndex, 0);
}

TEST_F(WordStreamTest, HighestPositionOnlyRises) {
  WordInfo info;
  stream_->Append("a", "", info, 5, 0, 1);
  stream_->Append("/", "", info, 5, 0, 1);
  stream_->Append("b", "", info, 3, 0, 1);
  EXPECT_EQ(stream_->HighestPosition(), 5);
  EXPECT_EQ(stream_->Count(), 3u);
}

struct SeparatorCase {
  std::string given;
  std::string stored;
};

class WordStreamSeparatorTest : public ::testing::TestWithParam<SeparatorCase> {};

TEST_P(WordStreamSeparatorTest, KeepsAtMostThreeCharacters) {
  WordStream stream(nullptr);
  ASSERT_TRUE(stream.Append("w", GetParam().given, WordInfo{}, 1, 0, 1));
  WordInfo info;
  const char* separator = nullptr;
  int32_t position;
  stream.Rewind();
  ASSERT_NE(stream.Next(info, separator, position), nullptr);
  EXPECT_EQ(std::string(separator), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Lengths, WordStreamSeparatorTest,
                         ::testing::Values(SeparatorCase{"", ""}, SeparatorCase{",", ","},
                                           SeparatorCase{", (", ", ("},
                                           SeparatorCase{"). - ", ")."  " "},
                                           SeparatorCase{"\"-\"", "\"-\""}));

TEST_F(WordStreamTest, WalksForwardsAndBackwards) {
  AppendAll({"Ana", "are", "mere", "/", "Ion", "pleaca", "/"});
  stream_->Rewind();
  EXPECT_EQ(Forward(), (std::vector<std::string>{"Ana", "are", "mere", "/", "Ion", "pleaca", "/"}));
  EXPECT_TRUE(stream_->AtEnd());
  EXPECT_EQ(Backward(), (std::vector<std::string>{"/", "pleaca", "Ion", "/", "mere", "are", "Ana"}));
  EXPECT_TRUE(stream_->AtStart());
}

TEST_F(WordStreamTest, NextReturnsTheCursorNodesFields) {
  WordInfo given;
  given.sense = 9;
  ASSERT_TRUE(stream_->Append("casa", "; ", given, 1, 0, 2));
  ASSERT_TRUE(stream_->Append("/", ".", WordInfo{}, 1, 0, 2));
  stream_->Rewind();
  WordInfo info;
  const char* separator;
  int32_t position = 0;
  EXPECT_STREQ(stream_->Next(info, separator, position), "casa");
  EXPECT_EQ(info.sense, 9);
  EXPECT_STREQ(separator, "; ");
  EXPECT_EQ(position, 1);
  WordNode* node = nullptr;
  EXPECT_STREQ(stream_->NextWithNode(info, node, position), "/");
  EXPECT_EQ(node, stream_->Head()->next);
  EXPECT_STREQ(node->separator, ".");
  EXPECT_EQ(stream_->NextWithNode(info, node, position), nullptr);
}

TEST_F(WordStreamTest, PreviousFromTheHeadReturnsNoneAndStays) {
  AppendAll({"unu", "doi"});
  stream_->Rewind();
  WordInfo info;
  const char* separator;
  int32_t position;
  EXPECT_EQ(stream_->Previous(info, separator, position), nullptr);
  EXPECT_TRUE(stream_->AtStart());
  EXPECT_EQ(stream_->Current(), stream_->Head());
}

struct SeekCase {
  int32_t position;
  std::string landsOn;
  uint16_t fileIndex;
};

class WordStreamSeekTest : public ::testing::TestWithParam<SeekCase> {};

TEST_P(WordStreamSeekTest, LandsOnTheFirstNodeAtOrBeyondThePosition) {
  WordStream stream(nullptr);
  // Positions 1 2 2(/) 3 4 4(/), files 1 1 1 2 2 2.
  const struct {
    const char* text;
    int32_t position;
    uint16_t file;
  } words[] = {{"a", 1, 1}, {"b", 2, 1}, {"/", 2, 1}, {"c", 3, 2}, {"d", 4, 2}, {"/", 4, 2}};
  for (const auto& w : words) ASSERT_TRUE(stream.Append(w.text, " ", WordInfo{}, w.position, 0, w.file));
  const SeekCase c = GetParam();
  EXPECT_EQ(stream.FileIndexAt(c.position), c.fileIndex);
  const WordNode* node = stream.Current();
  EXPECT_EQ(node->text == nullptr ? "<tail>" : node->text, c.landsOn);
  stream.SeekPosition(c.position);
  EXPECT_EQ(stream.Current(), node);
}

INSTANTIATE_TEST_SUITE_P(Positions, WordStreamSeekTest,
                         ::testing::Values(SeekCase{-5, "a", 1}, SeekCase{1, "a", 1},
                                           SeekCase{2, "b", 1}, SeekCase{3, "c", 2},
                                           SeekCase{4, "d", 2}, SeekCase{5, "<tail>", 0},
                                           SeekCase{1000000, "<tail>", 0}));

TEST_F(WordStreamTest, SeekBeyondTheHighestPositionLeavesTheCursorOnTheTail) {
  AppendAll({"x", "y", "/"});
  stream_->SeekPosition(stream_->HighestPosition() + 1);
  EXPECT_TRUE(stream_->AtEnd());
  EXPECT_EQ(stream_->Current(), stream_->Tail());
}

TEST_F(WordStreamTest, NodesComeFromChunksOf1170) {
  AppendAll(std::vector<std::string>(1170, "w"));
  EXPECT_EQ(stream_->Nodes().ChunkCount(), 1u);
  AppendAll({"w1171"});
  EXPECT_EQ(stream_->Nodes().ChunkCount(), 2u);
  // The node handed out by the 1,171st append is the new tail.
  const WordNode* tail = stream_->Tail();
  const WordNode* before = tail->prev;
  EXPECT_STREQ(before->text, "w1171");
  // Walking crosses the chunk boundary both ways.
  stream_->Rewind();
  EXPECT_EQ(Forward().size(), 1171u);
  EXPECT_EQ(Backward().size(), 1171u);
}

TEST_F(WordStreamTest, AWordThatDoesNotFitTheTextBlockStartsANewOne) {
  // Brings the first text block to 65,520 bytes: 819 words of 79 letters.
  AppendAll(std::vector<std::string>(819, std::string(79, 'l')));
  ASSERT_EQ(stream_->WordPool().Used(), 65520u);
  AppendAll({"ninelongs"});  // 65,520 + 9 + 1 = 65,530 still fits
  EXPECT_EQ(stream_->WordPool().BlockCount(), 1u);
  AppendAll({"b"});  // 65,530 + 1 + 1 reaches the limit
  EXPECT_EQ(stream_->WordPool().BlockCount(), 2u);
  EXPECT_EQ(stream_->WordPool().Used(), 2u);
  const WordNode* last = stream_->Tail()->prev;
  const WordNode* nine = last->prev;
  EXPECT_STREQ(nine->text, "ninelongs");
  EXPECT_STREQ(last->text, "b");
  EXPECT_NE(last->text, nine->text + 10);  // the rest of the old block stays empty
  stream_->Rewind();
  const std::vector<std::string> texts = Forward();
  ASSERT_EQ(texts.size(), 821u);
  EXPECT_EQ(texts[818], std::string(79, 'l'));
}

TEST_F(WordStreamTest, NextForPassClearsTheMarksOfThePassOnly) {
  WordInfo info;
  info.classPath[0] = 11;
  info.classPath[3] = 44;
  info.bundleMark = 5;
  info.sense = 2;
  info.referent = 1;
  info.category.category = 8;
  ASSERT_TRUE(stream_->Append("pom", "", info, 1, 77, 1));
  stream_->Head()->markA = 3;
  stream_->Head()->markB = 6;

  stream_->Rewind();
  WordNode* node = nullptr;
  int32_t position = 0;
  EXPECT_STREQ(stream_->NextForPass(node, position), "pom");
  ASSERT_EQ(node, stream_->Head());
  EXPECT_EQ(position, 1);
  EXPECT_EQ(node->markA, 0);
  EXPECT_EQ(node->info.bundleMark, 0);
  for (uint32_t c : node->info.classPath) EXPECT_EQ(c, 0u);
  EXPECT_EQ(node->markB, 6);
  EXPECT_EQ(node->info.sense, 2);
  EXPECT_EQ(node->info.referent, 1);
  EXPECT_EQ(node->info.category.category, 8);
  EXPECT_EQ(node->lemma, 77u);
  EXPECT_EQ(stream_->NextForPass(node, position), nullptr);
}

struct PropositionCase {
  int32_t seek;        // where the cursor starts (SeekPosition)
  int steps;           // then this many Next calls
  std::string startsOn;
};

class WordStreamPropositionTest : public ::testing::TestWithParam<PropositionCase> {};

TEST_P(WordStreamPropositionTest, BackToPropositionStartFindsTheFirstNodeOfTheProposition) {
  WordStream stream(nullptr);
  // Propositions: [a b /] [c d e /] [f ...
  const char* texts[] = {"a", "b", "/", "c", "d", "e", "/", "f"};
  const int32_t positions[] = {1, 2, 2, 3, 4, 5, 5, 6};
  for (int k = 0; k < 8; ++k) ASSERT_TRUE(stream.Append(texts[k], " ", WordInfo{}, positions[k], 0, 1));
  const PropositionCase c = GetParam();
  stream.SeekPosition(c.seek);
  WordInfo info;
  const char* separator;
  int32_t position;
  for (int k = 0; k < c.steps; ++k) stream.Next(info, separator, position);
  stream.BackToPropositionStart();
  const WordNode* node = stream.Current();
  EXPECT_EQ(node->text == nullptr ? "<tail>" : node->text, c.startsOn);
}

INSTANTIATE_TEST_SUITE_P(Cursors, WordStreamPropositionTest,
                         ::testing::Values(PropositionCase{1, 0, "a"},     // the head
                                           PropositionCase{2, 0, "a"},     // b
                                           PropositionCase{2, 1, "a"},     // end marker of [a b]
                                           PropositionCase{3, 0, "c"},     // first word stays
                                           PropositionCase{5, 0, "c"},     // e
                                           PropositionCase{5, 1, "c"},     // its end marker
                                           PropositionCase{6, 0, "f"},     // open proposition
                                           PropositionCase{7, 0, "f"}));   // the tail

TEST_F(WordStreamTest, WalkingAPropositionFromOneOfItsWords) {
  AppendAll({"Ana", "are", "/", "Ion", "vine", "acasa", "/", "gata", "/"});
  stream_->SeekPosition(5);  // "acasa"
  ASSERT_EQ(CurrentText(), "acasa");
  stream_->BackToPropositionStart();
  std::vector<std::string> proposition;
  WordInfo info;
  const char* separator;
  int32_t position;
  while (const char* t = stream_->Next(info, separator, position)) {
    if (t[0] == '/') break;
    proposition.emplace_back(t);
  }
  EXPECT_EQ(proposition, (std::vector<std::string>{"Ion", "vine", "acasa"}));
}

TEST_F(WordStreamTest, BookmarksSaveRestoreAndCopy) {
  AppendAll({"unu", "doi", "trei", "/"});
  stream_->SeekPosition(2);
  stream_->SaveBookmark(3);
  stream_->SeekPosition(3);
  stream_->SaveBookmark(10);
  stream_->CopyBookmark(7, 3);
  stream_->Rewind();
  stream_->RestoreBookmark(7);
  EXPECT_EQ(CurrentText(), "doi");
  stream_->RestoreBookmark(10);
  EXPECT_EQ(CurrentText(), "trei");
  // Numbers outside 1..10 are ignored.
  stream_->SaveBookmark(0);
  stream_->SaveBookmark(11);
  stream_->CopyBookmark(3, 11);
  stream_->RestoreBookmark(0);
  EXPECT_EQ(CurrentText(), "trei");
  EXPECT_EQ(stream_->Bookmark(11), nullptr);
  stream_->RestoreBookmark(3);
  EXPECT_EQ(CurrentText(), "doi");
  // Untouched bookmarks point at the head.
  stream_->RestoreBookmark(1);
  EXPECT_TRUE(stream_->AtStart());
}

TEST_F(WordStreamTest, SetCurrentMovesTheCursorAndIgnoresNull) {
  AppendAll({"unu", "doi"});
  WordNode* second = stream_->Head()->next;
  stream_->SetCurrent(second);
  EXPECT_EQ(CurrentText(), "doi");
  stream_->SetCurrent(nullptr);
  EXPECT_EQ(stream_->Current(), second);
  EXPECT_FALSE(stream_->AtStart());
  EXPECT_FALSE(stream_->AtEnd());
}

TEST_F(WordStreamTest, FailedAppendShowsMessageZeroAndLeavesTheStreamUnchanged) {
  ScriptedBox box;
  Messages messages(box);
  stream_ = std::make_unique<WordStream>(&messages);
  const auto expectUnchanged = [this](uint32_t count, int32_t highest) {
    EXPECT_EQ(stream_->Count(), count);
    EXPECT_EQ(stream_->HighestPosition(), highest);
    EXPECT_EQ(stream_->Tail()->text, nullptr);
    EXPECT_EQ(stream_->Tail()->next, nullptr);
    stream_->Rewind();
    EXPECT_EQ(Forward().size(), count);
  };
  // The node pool needs a new chunk.
  AppendAll(std::vector<std::string>(1170, "w"));
  {
    testing::NothrowFailure failure(0);
    EXPECT_FALSE(stream_->Append("nod", " ", WordInfo{}, 9999, 0, 1));
  }
  expectUnchanged(1170, 1170);
  // The text pool needs a new block.
  while (stream_->WordPool().Used() + 80 < StringPool::kBlockLimit) {
    AppendAll({std::string(79, 'l')});
  }
  const uint32_t count = stream_->Count();
  const int32_t highest = stream_->HighestPosition();
  {
    testing::NothrowFailure failure(0);
    EXPECT_FALSE(stream_->Append(std::string(79, 't'), " ", WordInfo{}, 9999, 0, 1));
  }
  expectUnchanged(count, highest);
  // Each failure showed message 0; neither ended the process.
  ASSERT_EQ(box.asked().size(), 2u);
  for (const ScriptedBox::Asked& a : box.asked()) {
    EXPECT_EQ(a.text, "Memory low. Please close some applications and try again.");
  }
  // With memory back, appending goes on.
  AppendAll({"gata"});
  EXPECT_EQ(stream_->Count(), count + 1);
  EXPECT_STREQ(stream_->Tail()->prev->text, "gata");
}

}  // namespace
}  // namespace malvex
