#include "views/copy_text.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>
#include <string>

#include "views/stream_bookmarks.h"

namespace malvex {
namespace {

// Words "w1" .. "wN", a proposition every seven words.
void FillStream(WordStream& stream, int32_t words) {
  for (int32_t p = 1; p <= words; ++p) {
    ASSERT_TRUE(stream.Append("w" + std::to_string(p), p % 7 == 1 ? "" : " ", WordInfo{}, p, 0, 1));
    if (p % 7 == 0 || p == words) {
      ASSERT_TRUE(stream.Append("/", ".", WordInfo{}, p, 0, 1));
    }
  }
}

class CopyTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FillStream(stream_, 2500);
    stream_.SeekPosition(640);
    for (int i = 1; i <= 3; ++i) stream_.SaveBookmark(i);
    stream_.SeekPosition(655);
    stream_.SaveBookmark(5);
    stream_.SeekPosition(700);
    for (int i = 1; i <= WordStream::kBookmarkCount; ++i) marks_[i - 1] = stream_.Bookmark(i);
    cursor_ = stream_.Current();
  }
  void ExpectStreamKept() {
    for (int i = 1; i <= WordStream::kBookmarkCount; ++i) EXPECT_EQ(stream_.Bookmark(i), marks_[i - 1]) << i;
    EXPECT_EQ(stream_.Current(), cursor_);
  }

  WordStream stream_{nullptr};
  std::array<WordNode*, WordStream::kBookmarkCount> marks_{};
  WordNode* cursor_ = nullptr;
};

TEST(CopyTextStartTest, FiveHundredBeforeTheWordAtLeastZero) {
  struct Case {
    int32_t clicked, start;
  };
  for (const Case c : {Case{300, 0}, Case{500, 0}, Case{501, 1}, Case{2000, 1500}, Case{0, 0}}) {
    EXPECT_EQ(CopyTextStart(c.clicked), c.start) << c.clicked;
  }
}

TEST_F(CopyTextTest, TheBoxStartsBeforeTheWordAndKeepsTheStream) {
  struct Case {
    int32_t clicked;
    const char* firstLine;
  };
  // Word 1500 is the third word of its proposition (1499..1505).
  for (const Case c : {Case{300, "w1 w2 w3 w4 w5 w6 w7."}, Case{2000, "w1500 w1501 w1502 w1503 w1504 w1505."}}) {
    const CopyTextBox box = FillCopyText(stream_, c.clicked, nullptr, nullptr);
    EXPECT_EQ(box.start, CopyTextStart(c.clicked));
    ASSERT_FALSE(box.lines.empty());
    EXPECT_EQ(box.lines.front(), c.firstLine) << c.clicked;
    EXPECT_EQ(box.lines.back(), "w2500.");
    ExpectStreamKept();
  }
}

// The caret lands on the clicked word however many lines come before it:
// each line break is one character of the box.
TEST_F(CopyTextTest, CaretOnTheClickedWord) {
  for (const int32_t clicked : {1, 7, 8, 300, 1501, 2000, 2500}) {
    const CopyTextBox box = FillCopyText(stream_, clicked, nullptr, nullptr);
    const std::string text = box.Text();
    const std::string word = "w" + std::to_string(clicked);
    ASSERT_GE(box.caret, 0) << clicked;
    EXPECT_EQ(text.substr(static_cast<size_t>(box.caret), word.size() + 1).substr(0, word.size()), word) << clicked;
    const char after = text[static_cast<size_t>(box.caret) + word.size()];
    EXPECT_TRUE(after == ' ' || after == '.') << clicked;
  }
}

TEST(CopyTextPunctuationTest, EverySignKeptByTheStreamReachesTheBox) {
  WordStream stream(nullptr);
  ASSERT_TRUE(stream.Append("el", "", WordInfo{}, 1, 0, 1));
  ASSERT_TRUE(stream.Append("zise", " ", WordInfo{}, 2, 0, 1));
  ASSERT_TRUE(stream.Append("/", ":\"(", WordInfo{}, 2, 0, 1));
  ASSERT_TRUE(stream.Append("da", "", WordInfo{}, 3, 0, 1));
  ASSERT_TRUE(stream.Append("sigur", ").(", WordInfo{}, 4, 0, 1));
  ASSERT_TRUE(stream.Append("/", "!\")", WordInfo{}, 4, 0, 1));
  const CopyTextBox box = FillCopyText(stream, 4, nullptr, nullptr);
  ASSERT_EQ(box.lines.size(), 2u);
  EXPECT_EQ(box.lines[0], "el zise: \"(");
  EXPECT_EQ(box.lines[1], "da). (sigur!\")");
  EXPECT_EQ(box.Text().substr(static_cast<size_t>(box.caret), 5), "sigur");
}

// With the extract, the box holds only the propositions of the selection,
// and the search that finds them leaves the selection's found word alone.
TEST(CopyTextExtractTest, HoldsTheMatchingPropositions) {
  WordStream stream(nullptr);
  WordInfo house;
  house.classPath[0] = 7;
  for (int32_t p = 1; p <= 30; ++p) {
    const bool marked = p == 10 || p == 25;  // in the propositions 8..14 and 22..28
    ASSERT_TRUE(stream.Append("w" + std::to_string(p), p % 7 == 1 ? "" : " ", marked ? house : WordInfo{}, p, 0, 1));
    if (p % 7 == 0 || p == 30) {
      ASSERT_TRUE(stream.Append("/", ".", WordInfo{}, p, 0, 1));
    }
  }
  SelectionState selection;
  selection.SelectClass(1, 7, "casa");
  selection.foundPosition = 10;
  selection.foundPropositionStart = 8;
  SettingsRecord settings;
  TExtraitDuTexte view(stream, selection, settings);
  stream.SeekPosition(15);
  stream.SaveBookmark(1);
  stream.SaveBookmark(3);
  WordNode* const page = stream.Bookmark(1);
  WordNode* const cursor = stream.Current();
  const CopyTextBox box = FillCopyText(stream, 25, &view, &selection);
  EXPECT_TRUE(box.extract);
  EXPECT_EQ(box.start, 8);
  EXPECT_EQ(box.lines, (std::vector<std::string>{"w8 w9 w10 w11 w12 w13 w14.", "w22 w23 w24 w25 w26 w27 w28."}));
  EXPECT_EQ(box.Text().substr(static_cast<size_t>(box.caret), 3), "w25");
  EXPECT_EQ(selection.foundPosition, 10);
  EXPECT_EQ(selection.foundPropositionStart, 8);
  EXPECT_EQ(stream.Bookmark(1), page);
  EXPECT_EQ(stream.Bookmark(3), page);
  EXPECT_EQ(stream.Current(), cursor);
}

TEST(CopyTextClipTest, SelectionOrWholeBox) {
  const std::string box = "prima linie\na doua";
  struct Case {
    int from, to;
    const char* clip;
  };
  for (const Case c : {Case{0, 5, "prima"}, Case{5, 0, "prima"}, Case{3, 3, "prima linie\na doua"},
                       Case{3, 4, "prima linie\na doua"}, Case{12, 99, "a doua"}}) {
    EXPECT_EQ(CopyTextClip(box, c.from, c.to), c.clip) << c.from << "," << c.to;
  }
}

// A window that leaves early still gives the stream back as it found it.
TEST_F(CopyTextTest, ScopedBookmarksRestoreOnEveryExit) {
  auto walk = [&](bool early) {
    const ScopedStreamBookmarks keep(stream_);
    stream_.Rewind();
    stream_.SaveBookmark(1);
    stream_.SaveBookmark(5);
    if (early) return;
    stream_.SeekPosition(2000);
    stream_.SaveBookmark(10);
  };
  walk(true);
  ExpectStreamKept();
  walk(false);
  ExpectStreamKept();
}

}  // namespace
}  // namespace malvex
