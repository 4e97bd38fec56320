#include "reading/text_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "foundations/charset.h"
#include "platform/basic_gauges.h"
#include "platform/scripted_box.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::QuietFrontEnd;

// "text" as UTF-16 (the code points of its UTF-8), with or without a mark.
std::string Utf16(const std::string& utf8, bool bigEndian, bool mark) {
  std::string out;
  auto unit = [&](uint16_t u) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  };
  if (mark) unit(0xFEFF);
  for (size_t i = 0; i < utf8.size();) {
    const uint8_t b = static_cast<uint8_t>(utf8[i]);
    uint32_t cp = b;
    int more = 0;
    if (b >= 0xE0) {
      cp = b & 0x0F;
      more = 2;
    } else if (b >= 0xC0) {
      cp = b & 0x1F;
      more = 1;
    }
    for (int k = 1; k <= more; ++k) cp = cp << 6 | (static_cast<uint8_t>(utf8[i + k]) & 0x3F);
    unit(static_cast<uint16_t>(cp));
    i += static_cast<size_t>(more) + 1;
  }
  return out;
}

// An installation in a temporary folder (bin/, Text/ and Dico/ with an
// edition that knows no word), and an engine started on it.
class TextReaderTest : public ::testing::Test {
 protected:
  TextReaderTest() { EXPECT_TRUE(testing::WriteTestInstallation(dir.path())); }

  EngineOptions Options() {
    EngineOptions o;
    o.places = testing::TestSettingsPlaces(dir.path());
    return o;
  }

  // Reads the files (name, bytes) as one text and returns the word stream
  // as "text[separator]@position" tokens.
  std::string Read(const std::vector<std::pair<std::string, std::string>>& files) {
    engine = std::make_unique<Engine>(frontEnd, Options());
    EXPECT_TRUE(engine->StartEngine());
    for (const auto& [name, bytes] : files) {
      EXPECT_TRUE(testing::WriteFile(dir.File(name), bytes));
      engine->files().Add(dir.File(name));
    }
    EXPECT_TRUE(engine->RunAnalysis(1));
    return Dump();
  }
  std::string Read(const std::string& name, const std::string& bytes) { return Read({{name, bytes}}); }

  std::string Dump() { return testing::DumpStream(engine->stream()); }

  testing::TempDir dir;
  QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
};

struct ReadCase {
  const char* label;
  const char* name;
  std::string bytes;
  std::string stream;
};

class TextReaderCaseTest : public TextReaderTest, public ::testing::WithParamInterface<ReadCase> {};

TEST_P(TextReaderCaseTest, ReadsTheWords) {
  EXPECT_EQ(Read(GetParam().name, GetParam().bytes), GetParam().stream) << GetParam().label;
}

const std::string kA79(79, 'a');

INSTANTIATE_TEST_SUITE_P(
    Files, TextReaderCaseTest,
    ::testing::Values(
        // The first word has nothing before it; spaces are never stored.
        ReadCase{"comma and space", "a.txt", "Ion, Maria vin.", "ion[]@1 maria[,]@2 vin[ ]@3 /[.]@3"},
        ReadCase{"two spaces", "a.txt", "Ion  vine", "ion[]@1 vine[ ]@2 /[ ]@2"},
        ReadCase{"punctuation kept in order", "a.txt", "Ion ,-\"(( vine", "ion[]@1 vine[,-\"]@2 /[ ]@2"},
        ReadCase{"joiner inside a word", "a.txt", "_casa_mare_ vine", "casa_mare_[]@1 vine[ ]@2 /[ ]@2"},
        // 79 letters, the 80th dropped, then the remaining 20.
        ReadCase{"word of 100 letters", "a.txt", std::string(100, 'a'),
                 kA79 + "[]@1 " + std::string(20, 'a') + "[ ]@2 /[ ]@2"},
        ReadCase{"one word", "a.txt", "Bine", "bine[]@1 /[ ]@1"},
        ReadCase{"empty file", "a.txt", "", ""},
        ReadCase{"only punctuation", "a.txt", "...!?,;:\r\n", ""},
        ReadCase{"full stop before a capital", "a.txt", "Ion vine. Maria pleaca.",
                 "ion[]@1 vine[ ]@2 /[.]@2 maria[]@3 pleaca[ ]@4 /[.]@4"},
        ReadCase{"full stop before a small letter", "a.txt", "Ion vine. el pleaca.",
                 "ion[]@1 vine[ ]@2 el[.]@3 pleaca[ ]@4 /[.]@4"},
        ReadCase{"initial", "a.txt", "Ion I. Popescu vine.", "ion[]@1 i[ ]@2 popescu[.]@3 vine[ ]@4 /[.]@4"},
        ReadCase{"web address", "a.txt", "Vezi www.Exemplu.ro. Apoi pleaca.",
                 "vezi[]@1 www[ ]@2 exemplu[.]@3 ro[.]@4 /[.]@4 apoi[]@5 pleaca[ ]@6 /[.]@6"},
        ReadCase{"clause colon", "a.txt", "El spune: vino acum!",
                 "el[]@1 spune[ ]@2 /[:]@2 vino[]@3 acum[ ]@4 /[!]@4"},
        ReadCase{"question and exclamation", "a.txt", "Vii? Da, vin!", "vii[]@1 /[?]@1 da[]@2 vin[,]@3 /[!]@3"},
        // In a text file line ends are blanks; in HTML the markup filter
        // makes them blanks too and writes a line end, which ends the
        // sentence, for the closing tag of a paragraph.
        ReadCase{"crlf", "a.txt", "Ion vine\r\nMaria pleaca\r\n", "ion[]@1 vine[ ]@2 maria[ ]@3 pleaca[ ]@4 /[ ]@4"},
        ReadCase{"html line ends", "a.htm", "Titlu\r\n\r\nText aici\r\n", "titlu[]@1 text[ ]@2 aici[ ]@3 /[ ]@3"},
        ReadCase{"html paragraphs", "a.htm", "<p>Titlu</p>\r\n<p>Text aici</p>\r\n",
                 "titlu[]@1 /[ ]@1 text[]@2 aici[ ]@3 /[ ]@3"},
        ReadCase{"code page", "a.txt", "\xAAi \xFE" "ar\xE3.", "\xBAi[]@1 \xFE" "ar\xE3[ ]@2 /[.]@2"},
        ReadCase{"utf8 without mark", "a.txt", "Și țară.", "\xBAi[]@1 \xFE" "ar\xE3[ ]@2 /[.]@2"},
        ReadCase{"utf8 with mark", "a.txt", "\xEF\xBB\xBFȘi țară.", "\xBAi[]@1 \xFE" "ar\xE3[ ]@2 /[.]@2"},
        ReadCase{"utf8 mark only", "a.txt", "\xEF\xBB\xBF", ""},
        ReadCase{"utf16 le with mark", "a.txt", Utf16("Și țară.", false, true), "\xBAi[]@1 \xFE" "ar\xE3[ ]@2 /[.]@2"},
        ReadCase{"utf16 be with mark", "a.txt", Utf16("Și țară.", true, true), "\xBAi[]@1 \xFE" "ar\xE3[ ]@2 /[.]@2"},
        ReadCase{"utf16 unmappable", "a.txt", Utf16("Și Ж.", false, true), "\xBAi[]@1 /[?.]@1"},
        ReadCase{"utf16 mark only", "a.txt", Utf16("", false, true), ""},
        // Without a mark UTF-16 is read byte by byte: the zero bytes are blanks.
        ReadCase{"utf16 le without mark", "a.txt", Utf16("Da, vin", false, false),
                 "d[]@1 a[ ]@2 v[,]@3 i[ ]@4 n[ ]@5 /[ ]@5"},
        ReadCase{"utf16 be without mark", "a.txt", Utf16("Da, vin", true, false),
                 "d[]@1 a[ ]@2 v[,]@3 i[ ]@4 n[ ]@5 /[ ]@5"},
        ReadCase{"oem", "a.asc", "\xDD" "ar\xC7 \x8C" "n", "\xFE" "ar\xE3[]@1 \xEEn[ ]@2 /[ ]@2"},
        // No filter: UTF-8 bytes are code-page characters (0x99 is a blank).
        ReadCase{"all files", "a.abcdefghijkl", "\xC8\x99i", "\xE8[]@1 i[ ]@2 /[ ]@2"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) {
      std::string name = info.param.label;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST_F(TextReaderTest, Utf8SequenceAcrossTheBlockBorder) {
  // "Mă" in the first block shows UTF-8; "ș" is cut by the 64 KiB border.
  std::string text = "M\xC4\x83 ";
  text.append(65535 - text.size(), ' ');
  text += "\xC8\x99i.";
  ASSERT_EQ(static_cast<uint8_t>(text[65535]), 0xC8);
  EXPECT_EQ(Read("a.txt", text), "m\xE3[]@1 \xBAi[ ]@2 /[.]@2");
}

TEST_F(TextReaderTest, WordAcrossTheBlockBorderStaysWhole) {
  for (size_t size : {65536u, 65537u, 65540u}) {
    std::string text(size - 6, ' ');
    text += "abcdef";
    EXPECT_EQ(Read("a.txt", text), "abcdef[]@1 /[ ]@1") << size;
  }
}

TEST_F(TextReaderTest, EveryFileEndsItsLastSentence) {
  EXPECT_EQ(Read({{"a.txt", "Ion vine"}, {"b.txt", "Maria pleaca."}}),
            "ion[]@1 vine[ ]@2 /[ ]@2 maria[]@3 pleaca[ ]@4 /[.]@4");
  EXPECT_EQ(engine->stream().FileIndexAt(3), 2);
  EXPECT_EQ(engine->stream().FileIndexAt(2), 1);
}

TEST_F(TextReaderTest, CapitalisationIsKeptBesideTheLowerCaseText) {
  Read("a.txt", "Ion ONU \xAAtefan");
  std::vector<int> caps;
  WordStream& s = engine->stream();
  s.Rewind();
  WordInfo info;
  const char* sep = nullptr;
  int32_t pos = 0;
  while (const char* text = s.Next(info, sep, pos))
    if (text[0] != '/') caps.push_back(info.capitalisation);
  EXPECT_EQ(caps, (std::vector<int>{1, 2, 1}));
  EXPECT_EQ(Dump(), "ion[]@1 onu[ ]@2 \xBAtefan[ ]@3 /[ ]@3");
}

TEST_F(TextReaderTest, FileTypeIsStoredInTheSettings) {
  Read({{"a.txt", "Ion"}, {"b.asc", "Ion"}});
  EXPECT_EQ(engine->record().fileType(), kFileTypeOem);
}

std::string Repeat(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

struct SentenceEndCase {
  const char* label;
  std::string text;
  int ends;  // end markers that carry the sentence's punctuation
};

void PrintTo(const SentenceEndCase& c, std::ostream* os) { *os << c.label; }

class TextReaderSentenceEndTest : public TextReaderTest, public ::testing::WithParamInterface<SentenceEndCase> {};

// A lone full stop is settled by the sentence buffer; when the word after it
// opens a fresh lexical buffer (the previous one was full, 125 words), its
// punctuation still ends the sentence before it.
TEST_P(TextReaderSentenceEndTest, NoSentenceEndIsLostAtTheLexicalBufferBorder) {
  const SentenceEndCase& c = GetParam();
  const std::string dump = Read("a.txt", c.text);
  // End markers made by a long proposition or a full buffer carry a blank.
  int ends = 0;
  for (size_t at = dump.find("/["); at != std::string::npos; at = dump.find("/[", at + 1))
    if (dump[at + 2] == '.' || dump[at + 2] == '?') ++ends;
  EXPECT_EQ(ends, c.ends) << c.label;
  EXPECT_EQ(engine->statistics().Total(), engine->stream().Count());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, TextReaderSentenceEndTest,
    ::testing::Values(
        // Words 375 and 750 open lexical buffers and follow a full stop.
        SentenceEndCase{"three words", Repeat("Ana are mere. ", 300), 300},
        SentenceEndCase{"two words", Repeat("Ion vine. ", 300), 300},
        SentenceEndCase{"four words", Repeat("Ana are multe mere. ", 200), 200},
        SentenceEndCase{"five words", Repeat("Ana are multe mere rosii. ", 100), 100},
        // 125 words fill both buffers: the sentence buffer cuts after 124,
        // "Ion" and the question mark before it open the next lexical buffer.
        SentenceEndCase{"question mark", Repeat("merge ", 125) + "? Ion vine.", 2}),
    [](const ::testing::TestParamInfo<SentenceEndCase>& info) {
      std::string name = info.param.label;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST_F(TextReaderTest, EveryStoredNodeIsCounted) {
  Read("a.txt", "Ion vine. Maria pleaca.");
  EXPECT_EQ(engine->statistics().Total(), engine->stream().Count());
  EXPECT_EQ(engine->stream().Count(), 6u);
}

TEST_F(TextReaderTest, FilesThatGiveNoWordsAreNamedWithTheirReason) {
  engine = std::make_unique<Engine>(frontEnd, Options());
  ASSERT_TRUE(engine->StartEngine());
  const std::vector<std::pair<std::string, std::string>> files = {
      {"a.txt", "Ion vine."}, {"empty.txt", ""}, {"marks.txt", "...!?,;:\r\n"}, {"b.txt", "Maria pleaca."}};
  for (const auto& [name, bytes] : files) {
    ASSERT_TRUE(testing::WriteFile(dir.File(name), bytes));
    engine->files().Add(dir.File(name));
  }
  engine->files().Add(dir.File("missing.txt"));
  EXPECT_TRUE(engine->RunAnalysis(1));
  const std::vector<UnreadFile>& unread = engine->run().unreadFiles;
  ASSERT_EQ(unread.size(), 3u);
  EXPECT_EQ(unread[0].index, 2);
  EXPECT_EQ(unread[0].reason, UnreadReason::kEmpty);
  EXPECT_EQ(unread[1].index, 3);
  EXPECT_EQ(unread[1].reason, UnreadReason::kNoWords);
  EXPECT_EQ(unread[2].index, 5);
  EXPECT_EQ(unread[2].reason, UnreadReason::kCannotOpen);
  EXPECT_FALSE(engine->run().cut.cut);
  EXPECT_EQ(engine->stream().HighestPosition(), 4);

  // The next run starts with none.
  engine->files().Clear();
  engine->files().Add(dir.File("a.txt"));
  EXPECT_TRUE(engine->RunAnalysis(1));
  EXPECT_TRUE(engine->run().unreadFiles.empty());
}

// A text over the size warning of the settings (2 units of 1,024,000
// bytes, the smallest), in files of `words` words of 10 bytes each, and the
// answer given to the warning.
struct SizeCase {
  const char* label;
  std::vector<int> words;  // of each file
  int answer;
  bool cut;
  int64_t fileWords;  // words read from the file the reading stopped in
  int filesLeft;
  int64_t stored;     // words in the stream
};

class TextReaderSizeTest : public TextReaderTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(TextReaderSizeTest, TheSizeWarningAnsweredNoCutsTheTextAndTheRunSaysWhere) {
  const SizeCase& c = GetParam();
  engine = std::make_unique<Engine>(frontEnd, Options());
  ASSERT_TRUE(engine->StartEngine());
  engine->record().setTextSizeWarning(2);
  for (size_t f = 0; f < c.words.size(); ++f) {
    std::string text;
    text.reserve(static_cast<size_t>(c.words[f]) * 10);
    for (int w = 0; w < c.words[f]; ++w) text += "abcdefgh. ";
    const std::string name = dir.File("t" + std::to_string(f) + ".txt");
    ASSERT_TRUE(testing::WriteFile(name, text));
    engine->files().Add(name);
  }
  frontEnd.box.QueueAnswer(c.answer);
  EXPECT_TRUE(engine->RunAnalysis(1));
  EXPECT_EQ(frontEnd.box.asked().size(), 1u);
  const ReadingCut& cut = engine->run().cut;
  EXPECT_EQ(cut.cut, c.cut);
  EXPECT_FALSE(cut.wordLimit);
  if (c.cut) {
    EXPECT_EQ(cut.fileIndex, 1);
    EXPECT_EQ(cut.fileWords, c.fileWords);
    EXPECT_EQ(cut.filesLeft, c.filesLeft);
  }
  EXPECT_EQ(engine->stream().HighestPosition(), c.stored);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TextReaderSizeTest,
    ::testing::Values(
        // The warning comes at the first progress point past the limit,
        // every 50,000 words: the rest of the file and the next are left.
        SizeCase{"no_within_the_file", {300000, 1000}, kButton2, true, 250000, 1, 250000},
        SizeCase{"yes_reads_everything", {300000, 1000}, kButton1, false, 0, 0, 301000},
        // Past the limit only at its end, the file was read whole before
        // the question: only the files after it are lost.
        SizeCase{"no_at_the_end_of_the_last_file", {210000}, kButton2, false, 0, 0, 210000},
        SizeCase{"no_at_the_end_of_a_file", {210000, 1000}, kButton2, true, 210000, 1, 210000}),
    [](const ::testing::TestParamInfo<SizeCase>& info) { return std::string(info.param.label); });

}  // namespace
}  // namespace malvex
