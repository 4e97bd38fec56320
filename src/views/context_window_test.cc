#include "views/context_window.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "views/recording_canvas.h"

namespace malvex {
namespace {

// A text of `words` words, a proposition every ten words, the first half
// from file 1 and the rest from file 2.
void FillStream(WordStream& stream, int32_t words) {
  for (int32_t p = 1; p <= words; ++p) {
    const uint16_t file = p <= words / 2 ? 1 : 2;
    ASSERT_TRUE(stream.Append("cuvânt", " ", WordInfo{}, p, 0, file));
    if (p % 10 == 0 || p == words) {
      ASSERT_TRUE(stream.Append("/", ".", WordInfo{}, p, 0, file));
    }
  }
}

class RecordingHost : public ContextFileHost {
 public:
  bool ShowFolder(const std::string& folder) override {
    calls.push_back("folder " + folder);
    return true;
  }
  bool OpenWithDefaultApplication(const std::string& path) override {
    calls.push_back("open " + path);
    return true;
  }
  bool OpenWebPage(const std::string& url) override {
    calls.push_back("web " + url);
    return true;
  }
  void MakeMainText(const std::string& path) override { calls.push_back("main " + path); }
  std::vector<std::string> calls;
};

class ContextWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::path(::testing::TempDir()) /
           ("context_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    first_ = (dir_ / "prima.txt").string();
    second_ = (dir_ / "a_doua.txt").string();
    std::ofstream(first_) << "text";
    std::ofstream(second_) << "text";
    FillStream(stream_, 1000);
    // The text panel's page: the proposition of word 640, drawn once so
    // that its next page and a search bookmark are set too.
    main_ = std::make_unique<TExtraitDuTexte>(stream_, selection_, settings_);
    main_->StartAtPosition(640);
    RecordingCanvas canvas(6, 10);
    main_->DrawPage(canvas, CanvasRect{0, 0, 400, 120});
    stream_.SeekPosition(700);
    stream_.SaveBookmark(3);
    stream_.SeekPosition(655);
    for (int i = 1; i <= WordStream::kBookmarkCount; ++i) mainMarks_[i - 1] = stream_.Bookmark(i);
    mainCursor_ = stream_.Current();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  void ExpectMainPageKept(const std::string& after) {
    for (int i = 1; i <= WordStream::kBookmarkCount; ++i) {
      EXPECT_EQ(stream_.Bookmark(i), mainMarks_[i - 1]) << "bookmark " << i << " after " << after;
    }
    EXPECT_EQ(stream_.Current(), mainCursor_) << after;
  }

  std::filesystem::path dir_;
  std::string first_, second_;
  WordStream stream_{nullptr};
  SelectionState selection_;
  SettingsRecord settings_;
  TPileFile files_;
  RecordingHost host_;
  std::unique_ptr<TExtraitDuTexte> main_;
  std::array<WordNode*, WordStream::kBookmarkCount> mainMarks_{};
  WordNode* mainCursor_ = nullptr;
};

TEST(ContextPageStartTest, TenPositionsBeforeTheWordExceptNearTheStart) {
  struct Case {
    int32_t word, start;
  };
  for (const Case c : {Case{5, 5}, Case{1, 1}, Case{11, 11}, Case{12, 2}, Case{300, 290}}) {
    EXPECT_EQ(ContextPageStart(c.word), c.start) << c.word;
  }
}

TEST_F(ContextWindowTest, PageStartsAtTheContextOfTheWord) {
  files_.Add(first_);
  struct Case {
    int32_t word, firstDrawn;
  };
  for (const Case c : {Case{5, 5}, Case{300, 290}}) {
    ContextWindowModel model(stream_, selection_, settings_, files_, host_);
    model.ShowContextOf(c.word);
    EXPECT_EQ(model.ScrollPosition(), c.firstDrawn);
    EXPECT_EQ(model.Cursor(), c.word);
    RecordingCanvas canvas(6, 10);
    model.Draw(canvas, CanvasRect{0, 0, 400, 300});
    EXPECT_EQ(model.view().FirstPositionShown(), c.firstDrawn) << c.word;
    EXPECT_EQ(model.ScrollPosition(), c.firstDrawn);
    EXPECT_EQ(model.FileName(), first_);
    ExpectMainPageKept("context of " + std::to_string(c.word));
  }
}

TEST_F(ContextWindowTest, WithoutShortcutTheWebCommandIsDisabled) {
  files_.Add(first_);
  ContextWindowModel model(stream_, selection_, settings_, files_, host_);
  model.ShowContextOf(300);
  EXPECT_FALSE(model.CanOpenWebPage());
  EXPECT_EQ(model.ShortcutPath(), "");
  EXPECT_FALSE(model.OpenWebPage());
  EXPECT_FALSE(model.CanMakeMainText());  // one file only
  EXPECT_FALSE(model.MakeMainText());
  EXPECT_TRUE(host_.calls.empty());
}

TEST_F(ContextWindowTest, ShortcutBesideTheTextOpensItsAddress) {
  files_.Add(first_);
  files_.Add(second_);
  std::ofstream(dir_ / "a_doua.url") << "[InternetShortcut]\r\nurl= https://example.org/pagina \r\n";
  ContextWindowModel model(stream_, selection_, settings_, files_, host_);
  model.ShowContextOf(300);  // file 1: no shortcut
  EXPECT_FALSE(model.CanOpenWebPage());
  model.ShowContextOf(800);  // file 2
  EXPECT_EQ(model.FileName(), second_);
  ASSERT_TRUE(model.CanOpenWebPage());
  EXPECT_EQ(model.ShortcutPath(), (dir_ / "a_doua.url").string());
  EXPECT_TRUE(model.OpenWebPage());
  EXPECT_EQ(host_.calls, std::vector<std::string>{"web https://example.org/pagina"});
}

TEST(ShortcutUrlTest, TheUrlLineOfTheShortcut) {
  EXPECT_EQ(ShortcutUrl("[InternetShortcut]\r\nURL=http://a.ro/x\r\n"), "http://a.ro/x");
  EXPECT_EQ(ShortcutUrl("[DEFAULT]\nBASEURL=http://b.ro\n[InternetShortcut]\nURL=http://a.ro\n"), "http://a.ro");
  EXPECT_EQ(ShortcutUrl("[InternetShortcut]\nIconIndex=0\n"), "");
  EXPECT_EQ(ShortcutUrl("URL=\n"), "");
  EXPECT_EQ(ShortcutPathOf("/t/raport.final.txt"), "/t/raport.final.url");
}

// Every operation of the window leaves the panel's page, next page, search
// bookmark and the stream's cursor where they were.
TEST_F(ContextWindowTest, MainPageUnchangedAfterEveryOperation) {
  files_.Add(first_);
  files_.Add(second_);
  std::ofstream(dir_ / "prima.url") << "[InternetShortcut]\nURL=https://example.org/\n";
  ContextWindowModel model(stream_, selection_, settings_, files_, host_);
  RecordingCanvas canvas(6, 10);
  const CanvasRect rect{0, 0, 400, 200};
  const std::vector<std::pair<std::string, std::function<void()>>> operations = {
      {"show context", [&] { model.ShowContextOf(300); }},
      {"draw", [&] { model.Draw(canvas, rect); }},
      {"line down", [&] { EXPECT_TRUE(model.LineDown()); }},
      {"page down", [&] { EXPECT_TRUE(model.PageDown()); }},
      {"draw again", [&] { model.Draw(canvas, rect); }},
      {"page up", [&] { EXPECT_TRUE(model.PageUp()); }},
      {"line up", [&] { EXPECT_TRUE(model.LineUp()); }},
      {"thumb", [&] { model.ScrollTo(420); }},
      {"move", [&] { model.ShowContext(300, 300); }},
      {"folder", [&] { EXPECT_TRUE(model.LocalizeFolder()); }},
      {"default application", [&] { EXPECT_TRUE(model.OpenWithDefaultApplication()); }},
      {"web page", [&] { EXPECT_TRUE(model.OpenWebPage()); }},
      {"main text", [&] { EXPECT_TRUE(model.MakeMainText()); }},
  };
  for (const auto& [name, operation] : operations) {
    operation();
    ExpectMainPageKept(name);
  }
  EXPECT_EQ(host_.calls, (std::vector<std::string>{"folder " + dir_.string(), "open " + first_,
                                                   "web https://example.org/", "main " + first_}));
  // The window's page moved on its own: the thumb put it on word 420, the
  // move on the word itself.
  model.Draw(canvas, rect);
  EXPECT_EQ(model.view().FirstPositionShown(), 300);
  // The panel still draws its own page.
  main_->DrawPage(canvas, CanvasRect{0, 0, 400, 120});
  EXPECT_EQ(main_->FirstPositionShown(), 631);
}

TEST_F(ContextWindowTest, ScrollingFollowsTheFileOfThePage) {
  files_.Add(first_);
  files_.Add(second_);
  ContextWindowModel model(stream_, selection_, settings_, files_, host_);
  model.ShowContextOf(480);
  EXPECT_EQ(model.FileName(), first_);
  model.ScrollTo(900);
  EXPECT_EQ(model.ScrollPosition(), 900);
  EXPECT_EQ(model.FileName(), second_);
  EXPECT_TRUE(model.CanMakeMainText());
  model.Close();
  EXPECT_EQ(model.Cursor(), 0);
}

}  // namespace
}  // namespace malvex
