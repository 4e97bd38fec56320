#include "dictionaries/borders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "dictionaries/nothrow_failure_for_tests.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::TempDir;

class BordersTest : public ::testing::Test {
 protected:
  BordersTest() : messages(box), store(messages) {}

  // Writes `bytes` as a borders file and loads it into the store.
  bool LoadBytes(const std::string& bytes) {
    const std::string path = dir.File("b.dlm");
    EXPECT_TRUE(testing::WriteFile(path, bytes));
    return store.Load(path);
  }
  // The texts of the boxes shown so far.
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& a : box.asked()) texts.push_back(a.text);
    return texts;
  }
  static std::string Text(int id) { return CatalogueText(id); }
  // The entries as "code|text", codes with 0 bytes shown as '#'.
  std::vector<std::string> Entries() {
    std::vector<std::string> out;
    store.Rewind();
    while (const BorderEntry* e = store.Next()) {
      std::string code;
      for (char c : e->code) code += c == '\0' ? '#' : c;
      out.push_back(code + "|" + e->text);
    }
    return out;
  }
  // -1 absent, 1 starts filtering, 2 stops it.
  int Kind(const std::string& word) {
    bool starts = false;
    if (!store.IsBorder(word, starts)) return -1;
    return starts ? 1 : 2;
  }

  TempDir dir;
  ScriptedBox box;
  Messages messages;
  BordersStore store;
};

TEST_F(BordersTest, StartAndStopBordersCompileToTheirKinds) {
  ASSERT_TRUE(LoadBytes("X#######\tChapitre\r\nN#######\tConcluzii\r\n"));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"X#######|Chapitre", "N#######|Concluzii"}));
  ASSERT_TRUE(store.Compile(true));
  EXPECT_TRUE(store.Active());
  EXPECT_EQ(Kind("chapitre"), 1);
  EXPECT_EQ(Kind("CHAPITRE"), 1);
  EXPECT_EQ(Kind("concluzii"), 2);
  EXPECT_EQ(Kind("chapitr"), -1);
  EXPECT_EQ(Kind("chapitres"), -1);
  EXPECT_EQ(store.TrieValue("chapitre"), BordersStore::kStarts);
  EXPECT_EQ(store.trie().Entries(), 2u);
  EXPECT_TRUE(box.asked().empty());
}

TEST_F(BordersTest, AnyCodeButXStopsFiltering) {
  ASSERT_TRUE(LoadBytes("x#######\tmic\r\n########\tmare\r\nXabcdefg\tinceput\r\n"));
  ASSERT_TRUE(store.Compile(true));
  EXPECT_EQ(Kind("mic"), 2);
  EXPECT_EQ(Kind("mare"), 2);
  EXPECT_EQ(Kind("inceput"), 1);
}

TEST_F(BordersTest, ABorderEnteredWithBothKindsStopsFiltering) {
  ASSERT_TRUE(LoadBytes("X#######\tcapitol\r\nN#######\tCapitol\r\n"));
  ASSERT_TRUE(store.Compile(true));
  // The trie marks the key ambiguous: its value is neither 1 nor 2.
  const uint16_t value = store.TrieValue("capitol");
  EXPECT_NE(value & 0x8000, 0);
  EXPECT_EQ(Kind("capitol"), 2);
}

TEST_F(BordersTest, ABorderEnteredTwiceWithOneKindKeepsIt) {
  ASSERT_TRUE(LoadBytes("X#######\tCapitol\r\nX#######\tcapitol\r\nN#######\tfinal\r\nN#######\tFINAL\r\n"));
  ASSERT_TRUE(store.Compile(true));
  EXPECT_EQ(store.TrieValue("capitol"), BordersStore::kStarts);
  EXPECT_EQ(Kind("capitol"), 1);
  EXPECT_EQ(store.TrieValue("final"), BordersStore::kStops);
  EXPECT_TRUE(store.Active());
}

TEST_F(BordersTest, BordersThatOnlyStopFilteringAreActiveOnlyWhenBorderWordsAreHidden) {
  ASSERT_TRUE(LoadBytes("N#######\tunu\r\nN#######\tdoi\r\n"));
  ASSERT_TRUE(store.Compile(true));
  EXPECT_FALSE(store.Active());
  ASSERT_TRUE(store.Compile(false));
  EXPECT_TRUE(store.Active());
  EXPECT_EQ(Kind("unu"), 2);
}

TEST_F(BordersTest, EmptyStoreCompilesToAnEmptyTrie) {
  ASSERT_TRUE(store.Compile(true));
  EXPECT_FALSE(store.Active());
  EXPECT_TRUE(store.trie().Created());
  EXPECT_EQ(Kind("orice"), -1);
}

struct LineCase {
  const char* label;
  std::string bytes;
  std::vector<std::string> entries;
  bool damaged;
};

class BordersLineTest : public BordersTest, public ::testing::WithParamInterface<LineCase> {};

TEST_P(BordersLineTest, ReadsTheLines) {
  const LineCase& c = GetParam();
  ASSERT_TRUE(LoadBytes(c.bytes)) << c.label;
  EXPECT_EQ(Entries(), c.entries) << c.label;
  // Message 550 once, at the end, however many lines were damaged.
  EXPECT_EQ(Shown(), c.damaged ? std::vector<std::string>{Text(550)} : std::vector<std::string>{}) << c.label;
}

const std::string k79(79, 'a');

INSTANTIATE_TEST_SUITE_P(
    Lines, BordersLineTest,
    ::testing::Values(
        LineCase{"line of exactly 8 characters", "X#######\r\nN#######\tbun\r\n", {"N#######|bun"}, true},
        LineCase{"two damaged lines, one message", "X###\r\nN#######\r\nN#######\tbun\r\n", {"N#######|bun"}, true},
        LineCase{"no TAB after the code", "X#######Chapitre\r\n", {}, true},
        LineCase{"TAB inside the code does not count", "X#\tChapitre\r\n", {}, true},
        LineCase{"empty text", "X#######\t\r\n", {}, true},
        LineCase{"empty line", "X#######\tunu\r\n\r\nN#######\tdoi\r\n", {"X#######|unu", "N#######|doi"}, true},
        LineCase{"characters between code and TAB ignored, later fields dropped",
                 "X#######note\tChapitre\tcomment\r\n", {"X#######|Chapitre"}, false},
        LineCase{"code bytes kept as read", "Xab\x01z_7!\tx\r\n", {"Xab\x01z_7!|x"}, false},
        LineCase{"text of 79 characters kept", "X#######\t" + k79 + "\r\n", {"X#######|" + k79}, false},
        LineCase{"text of 80 characters cut", "X#######\t" + k79 + "b\r\n", {"X#######|" + k79}, true},
        LineCase{"line beyond the buffer", "X#######\t" + std::string(600, 'c') + "\r\nN#######\tdoi\r\n",
                 {"X#######|" + std::string(79, 'c'), "N#######|doi"}, true},
        LineCase{"LF line ends and a last line without one", "X#######\tunu\nN#######\tdoi",
                 {"X#######|unu", "N#######|doi"}, false},
        LineCase{"empty file", "", {}, false},
        LineCase{"compound", "X#######\tla_revedere\r\n", {"X#######|la_revedere"}, false}));

TEST_F(BordersTest, LoadAppendsToTheEntriesAlreadyThere) {
  ASSERT_TRUE(store.Add("primul", "X"));
  ASSERT_TRUE(LoadBytes("N#######\tdoi\r\n"));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"X#######|primul", "N#######|doi"}));
  store.Clear();
  EXPECT_EQ(store.Count(), 0u);
  EXPECT_TRUE(Entries().empty());
}

TEST_F(BordersTest, MissingFileShowsTheReadErrorAndFails) {
  EXPECT_FALSE(store.Load(dir.File("absent.dlm")));
  EXPECT_EQ(Shown(), std::vector<std::string>{Text(4)});
}

TEST_F(BordersTest, ReadErrorKeepsTheEntriesReadBefore) {
  ASSERT_TRUE(store.Add("inainte", "N"));
  std::filesystem::create_directories(dir.path() / "folder.dlm");
  // A folder opens but cannot be read.
  EXPECT_FALSE(store.Load(dir.File("folder.dlm")));
  EXPECT_EQ(Shown(), std::vector<std::string>{Text(4)});
  EXPECT_EQ(Entries(), std::vector<std::string>{"N#######|inainte"});
}

TEST_F(BordersTest, SaveWritesCodesTabsAndTextsAndLoadsBack) {
  ASSERT_TRUE(store.Add("Chapitre", "X"));
  ASSERT_TRUE(store.Add("", "X"));
  ASSERT_TRUE(store.Add("Concluzii", std::string("N\0b\0\0\0\0z", 8)));
  ASSERT_TRUE(store.Add(std::string(90, 'd'), "N"));
  const std::string path = dir.File("s.dlm");
  ASSERT_TRUE(store.Save(path));
  const std::string expected = "X#######\tChapitre\r\nN#b####z\tConcluzii\r\nN#######\t" + std::string(79, 'd') + "\r\n";
  EXPECT_EQ(testing::ReadFile(path), expected);
  BordersStore again(messages);
  ASSERT_TRUE(again.Load(path));
  EXPECT_EQ(again.Count(), 3u);
  ASSERT_TRUE(again.Save(path));
  EXPECT_EQ(testing::ReadFile(path), expected);
  EXPECT_TRUE(box.asked().empty());
}

TEST_F(BordersTest, FailedSaveShowsTheWriteErrorAndKeepsThePreviousFile) {
  const std::string path = dir.File("s.dlm");
  ASSERT_TRUE(testing::WriteFile(path, "X#######\tvechi\r\n"));
  // The temporary file beside it cannot be created.
  std::filesystem::create_directories(path + ".tmp");
  ASSERT_TRUE(store.Add("nou", "N"));
  EXPECT_FALSE(store.Save(path));
  EXPECT_EQ(Shown(), std::vector<std::string>{Text(5)});
  EXPECT_EQ(testing::ReadFile(path), "X#######\tvechi\r\n");
}

TEST_F(BordersTest, FullTrieShowsTheOverflowOnceAndKeepsTheEarlierBorders) {
  // Borders of 12 distinct letters each take 13 cells: about 2,500 fill the
  // 32,599 cells.
  int added = 0;
  for (int i = 0; i < 3000; ++i) {
    std::string text(12, 'a');
    int n = i;
    for (int k = 0; k < 4; ++k, n /= 26) text[static_cast<size_t>(k)] = static_cast<char>('a' + n % 26);
    text[11] = 'z';
    ASSERT_TRUE(store.Add(text, i == 2999 ? "X" : "N"));
    ++added;
  }
  ASSERT_TRUE(store.Compile(true));
  EXPECT_EQ(Shown(), std::vector<std::string>{Text(560)});
  EXPECT_EQ(Kind("aaaaaaaaaaaz"), 2);
  // The last border, which alone starts filtering, did not make it.
  EXPECT_LT(store.trie().Entries(), static_cast<uint32_t>(added));
  EXPECT_FALSE(store.Active());
  EXPECT_LT(store.trie().Used(), kTrie16CellLimit);
}

TEST_F(BordersTest, ReleaseForgetsTheTrie) {
  ASSERT_TRUE(LoadBytes("X#######\tChapitre\r\n"));
  ASSERT_TRUE(store.Compile(true));
  store.Release();
  EXPECT_FALSE(store.Active());
  EXPECT_FALSE(store.trie().Created());
  EXPECT_EQ(Kind("chapitre"), -1);
  // The entries stay for the borders dialog.
  EXPECT_EQ(store.Count(), 1u);
}

TEST_F(BordersTest, AddWithoutMemoryShowsMessageZeroAndChangesNothing) {
  ASSERT_TRUE(store.Add("unu", "X"));
  {
    testing::NothrowFailure fail(0);
    EXPECT_FALSE(store.Add("doi", "X"));
  }
  EXPECT_EQ(Shown(), std::vector<std::string>{Text(0)});
  EXPECT_EQ(Entries(), std::vector<std::string>{"X#######|unu"});
}

// ---- Encodings ----------------------------------------------------------

// "Invenții" starts filtering and "Încheiere" stops it; then "mâine" and
// "ştiinţă" (with the cedilla letters), as each encoding writes them.
const std::string kBordersCp1250 = "X#######\tInven\xFEii\r\nN#######\t\xCEncheiere\r\n";
const std::string kBordersUtf8 = "X#######\tInven\xC8\x9Bii\r\nN#######\t\xC3\x8E" "ncheiere\r\n";
const std::string kMark = "\xEF\xBB\xBF";
const std::vector<std::string> kInventionEntries = {"X#######|Inven\xFEii", "N#######|\xCEncheiere"};

struct EncodingCase {
  const char* label;
  std::string bytes;
  std::vector<std::string> entries;
  TextFileEncoding encoding;
};

class BordersEncodingTest : public BordersTest, public ::testing::WithParamInterface<EncodingCase> {};

TEST_P(BordersEncodingTest, ReadsTheTextsAndWritesTheFileBackInItsEncoding) {
  const EncodingCase& c = GetParam();
  ASSERT_TRUE(LoadBytes(c.bytes));
  EXPECT_EQ(Entries(), c.entries);
  EXPECT_EQ(store.FileEncoding(), c.encoding);
  EXPECT_TRUE(Shown().empty());
  const std::string path = dir.File("out.dlm");
  ASSERT_TRUE(store.Save(path));
  EXPECT_EQ(testing::ReadFile(path), c.bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BordersEncodingTest,
    ::testing::Values(
        EncodingCase{"code_page", kBordersCp1250, kInventionEntries, TextFileEncoding::kCodePage},
        EncodingCase{"utf8_with_mark", kMark + kBordersUtf8, kInventionEntries, TextFileEncoding::kUtf8WithMark},
        EncodingCase{"utf8_without_mark", kBordersUtf8, kInventionEntries, TextFileEncoding::kUtf8},
        EncodingCase{"ascii", "X#######\tChapitre\r\n", {"X#######|Chapitre"}, TextFileEncoding::kCodePage},
        // 0xE2 before a letter cannot be UTF-8: the code page's â.
        EncodingCase{"lone_e2", "N#######\tm\xE2ine\r\n", {"N#######|m\xE2ine"}, TextFileEncoding::kCodePage},
        EncodingCase{"mark_only", kMark, {}, TextFileEncoding::kUtf8WithMark}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) { return std::string(info.param.label); });

TEST_F(BordersTest, Utf8CedillaAndCommaBelowLettersAreTheSameBorder) {
  // ş ţ with a cedilla, then ș ț with a comma below.
  ASSERT_TRUE(LoadBytes("X#######\t\xC5\x9Ftiin\xC5\xA3\xC4\x83\r\nN#######\t\xC8\x99" "f\xC8\x9B\r\n"));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"X#######|\xBAtiin\xFE\xE3", "N#######|\xBA" "f\xFE"}));
  ASSERT_TRUE(store.Compile(true));
  // The reader gives the words in the code page.
  EXPECT_EQ(Kind("\xBAtiin\xFE\xE3"), 1);
  EXPECT_EQ(Kind("\xAA" "F\xDE"), 2);
  // Written back with the letters Romanian is written with.
  ASSERT_TRUE(store.Save(dir.File("out.dlm")));
  EXPECT_EQ(testing::ReadFile(dir.File("out.dlm")),
            "X#######\t\xC8\x99tiin\xC8\x9B\xC4\x83\r\nN#######\t\xC8\x99" "f\xC8\x9B\r\n");
}

TEST_F(BordersTest, AStoreThatReadNoFileWritesTheCodePage) {
  ASSERT_TRUE(store.Add("Inven\xFEii", "X"));
  ASSERT_TRUE(store.Save(dir.File("new.dlm")));
  EXPECT_EQ(testing::ReadFile(dir.File("new.dlm")), "X#######\tInven\xFEii\r\n");
  // A file that cannot be read leaves no encoding of an earlier one.
  ASSERT_TRUE(LoadBytes(kBordersUtf8));
  EXPECT_FALSE(store.Load(dir.File("absent.dlm")));
  EXPECT_EQ(store.FileEncoding(), TextFileEncoding::kCodePage);
}

TEST(BordersReportTest, DiagnosisMessages) {
  EXPECT_EQ(EmptyTextMessage(BordersReport{true, 3}), 555);
  EXPECT_EQ(EmptyTextMessage(BordersReport{true, 0}), 18);
  EXPECT_EQ(EmptyTextMessage(BordersReport{false, 0}), 18);
  EXPECT_EQ(BordersDiagnosisMessage(BordersReport{true, 1}), 352);
  EXPECT_EQ(BordersDiagnosisMessage(BordersReport{true, 0}), 353);
  EXPECT_EQ(BordersDiagnosisMessage(BordersReport{false, 0}), 0);
}

}  // namespace
}  // namespace malvex
