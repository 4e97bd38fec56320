#include "reading/ms_word_document.h"

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-output.h>
#include <gsf/gsf-utils.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "engine/engine.h"
#include "platform/basic_gauges.h"
#include "platform/scripted_box.h"
#include "reading/file_types.h"
#include "reading/word_code_pages.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

// ---- Fixtures: compound files written with libgsf -----------------------

void PutU16(std::string& s, size_t pos, uint16_t v) {
  if (s.size() < pos + 2) s.resize(pos + 2, '\0');
  s[pos] = static_cast<char>(v & 0xFF);
  s[pos + 1] = static_cast<char>(v >> 8);
}

void PutU32(std::string& s, size_t pos, uint32_t v) {
  if (s.size() < pos + 4) s.resize(pos + 4, '\0');
  for (int k = 0; k < 4; ++k) s[pos + static_cast<size_t>(k)] = static_cast<char>(v >> (8 * k) & 0xFF);
}

void AppendU16(std::string& s, uint16_t v) { PutU16(s, s.size(), v); }
void AppendU32(std::string& s, uint32_t v) { PutU32(s, s.size(), v); }

// UTF-16 little endian of the code points given.
std::string Utf16(std::initializer_list<uint16_t> units) {
  std::string s;
  for (uint16_t u : units) AppendU16(s, u);
  return s;
}
// UTF-16 little endian of an ASCII text.
std::string Utf16(const std::string& ascii) {
  std::string s;
  for (char c : ascii) AppendU16(s, static_cast<uint8_t>(c));
  return s;
}

// One element of a compound file: a stream, or a storage of streams.
struct Element {
  std::string name;
  std::string bytes;
  std::vector<std::pair<std::string, std::string>> children;
  bool storage = false;
};

bool WriteCompound(const std::string& path, const std::vector<Element>& elements) {
  gsf_init();
  GError* error = nullptr;
  GsfOutput* out = gsf_output_stdio_new(path.c_str(), &error);
  if (out == nullptr) {
    g_clear_error(&error);
    return false;
  }
  GsfOutfile* ole = gsf_outfile_msole_new(out);
  auto write = [](GsfOutfile* parent, const std::string& name, const std::string& bytes) {
    GsfOutput* child = gsf_outfile_new_child(parent, name.c_str(), FALSE);
    gsf_output_write(child, bytes.size(), reinterpret_cast<const guint8*>(bytes.data()));
    gsf_output_close(child);
    g_object_unref(child);
  };
  for (const Element& e : elements) {
    if (!e.storage) {
      write(ole, e.name, e.bytes);
      continue;
    }
    GsfOutput* dir = gsf_outfile_new_child(ole, e.name.c_str(), TRUE);
    for (const auto& [name, bytes] : e.children) write(GSF_OUTFILE(dir), name, bytes);
    gsf_output_close(dir);
    g_object_unref(dir);
  }
  gsf_output_close(GSF_OUTPUT(ole));
  g_object_unref(ole);
  g_object_unref(out);
  return true;
}

// A piece of a version 8 document: 8-bit code page 1252 text, or UTF-16.
struct Piece {
  std::string bytes;
  bool compressed;
  uint32_t chars() const { return static_cast<uint32_t>(compressed ? bytes.size() : bytes.size() / 2); }
};

constexpr uint32_t kTextStart = 0x600;

// A Word 97 document: its "WordDocument" stream (file information block,
// then the pieces' text from kTextStart) and its "1Table" stream (a
// grpprl block, then the piece table).
struct Word97 {
  std::string document;
  std::string table;
};

struct Word97Options {
  uint16_t language = 1048;  // Romanian
  uint16_t flags = 0x0204;   // complex, 1Table
  uint16_t farEastLanguage = 0;
  int64_t mainTextLength = -1;  // -1: every piece
};

Word97 MakeWord97(const std::vector<Piece>& pieces, const Word97Options& o = {}) {
  Word97 w;
  std::string& d = w.document;
  d.assign(kTextStart, '\0');
  PutU16(d, 0, 0xA5EC);
  PutU16(d, 2, 193);
  PutU16(d, 6, o.language);
  PutU16(d, 0x0A, o.flags);
  PutU16(d, 0x20, 14);
  PutU16(d, 0x3C, o.farEastLanguage);
  PutU16(d, 0x3E, 22);
  PutU16(d, 0x98, 93);
  // The text and the piece table.
  std::vector<uint32_t> cps{0};
  std::string pcds;
  uint32_t total = 0;
  for (const Piece& p : pieces) {
    const uint32_t at = static_cast<uint32_t>(d.size());
    d += p.bytes;
    total += p.chars();
    cps.push_back(total);
    std::string pcd;
    AppendU16(pcd, 0);
    AppendU32(pcd, p.compressed ? (at * 2) | 0x40000000u : at);
    AppendU16(pcd, 0);
    pcds += pcd;
  }
  PutU32(d, 0x4C, o.mainTextLength < 0 ? total : static_cast<uint32_t>(o.mainTextLength));
  std::string plc;
  for (uint32_t cp : cps) AppendU32(plc, cp);
  plc += pcds;
  std::string& t = w.table;
  t = "table head";
  const uint32_t clxAt = static_cast<uint32_t>(t.size());
  t += '\x01';
  AppendU16(t, 2);
  t += "\x11\x22";
  t += '\x02';
  AppendU32(t, static_cast<uint32_t>(plc.size()));
  t += plc;
  PutU32(d, 0x1A2, clxAt);
  PutU32(d, 0x1A6, static_cast<uint32_t>(t.size() - clxAt));
  return w;
}

// A summary property set with a title, an author, a page count, a
// creation time, the application name and a property of another type.
std::string MakeSummary() {
  std::string props;
  std::vector<std::pair<uint32_t, std::string>> values;
  auto text = [](const std::string& v) {
    std::string s;
    AppendU32(s, 30);
    AppendU32(s, static_cast<uint32_t>(v.size() + 1));
    s += v;
    s += '\0';
    while (s.size() % 4 != 0) s += '\0';
    return s;
  };
  std::string i4;
  AppendU32(i4, 3);
  AppendU32(i4, 12);
  std::string ft;
  AppendU32(ft, 64);
  AppendU32(ft, 0x89ABCDEF);
  AppendU32(ft, 0x01234567);
  std::string other;
  AppendU32(other, 11);  // a boolean: skipped
  AppendU32(other, 1);
  values = {{2, text("Raport anual")}, {4, text("Ana Pop")}, {14, i4}, {12, ft}, {18, text("Microsoft Word 9.0")},
            {19, other}};
  std::string section;
  const uint32_t head = 8 + 8 * static_cast<uint32_t>(values.size());
  std::string index, body;
  for (const auto& [id, v] : values) {
    AppendU32(index, id);
    AppendU32(index, head + static_cast<uint32_t>(body.size()));
    body += v;
  }
  AppendU32(section, head + static_cast<uint32_t>(body.size()));
  AppendU32(section, static_cast<uint32_t>(values.size()));
  section += index + body;
  std::string s;
  AppendU16(s, 0xFFFE);
  AppendU16(s, 0);
  AppendU32(s, 0x00020005);
  s += std::string(16, '\0');
  AppendU32(s, 1);
  s += std::string(16, '\x5A');
  AppendU32(s, 48);
  s += section;
  return s;
}

class WordDocumentTest : public ::testing::Test {
 protected:
  std::string Write(const std::vector<Element>& elements, const std::string& name = "d.doc") {
    const std::string path = dir.File(name);
    EXPECT_TRUE(WriteCompound(path, elements));
    return path;
  }
  std::string Write(const Word97& w) { return Write({{"WordDocument", w.document, {}}, {"1Table", w.table, {}}}); }
  std::vector<std::string> Lines(const std::string& path, bool* ok = nullptr) {
    TMSWordDocument doc;
    doc.SetFileName(path);
    const bool read = doc.Read();
    if (ok != nullptr) *ok = read;
    return doc.Lines();
  }

  testing::TempDir dir;
};

// ---- Version and code pages ---------------------------------------------

TEST(WordVersionTest, FromIdentifierAndFormatNumber) {
  const struct {
    uint16_t identifier, format;
    int version;
  } cases[] = {{14334, 193, 5}, {0xA59B, 45, 2}, {0xA5EC, 100, 2}, {0xA5EC, 101, 6}, {0xA5EC, 102, 8},
               {0xA5EC, 103, 0}, {0xA5EC, 104, 7}, {0xA5EC, 105, 8}, {0xA5EC, 193, 8}, {0xA5EC, 0, 2}};
  for (const auto& c : cases)
    EXPECT_EQ(WordDocumentVersion(c.identifier, c.format), c.version) << c.identifier << " " << c.format;
}

TEST(WordCodePageTest, ByLanguage) {
  const struct {
    uint16_t language;
    int codePage;
  } cases[] = {{1048, 1250}, {2072, 1250}, {1029, 1250}, {1060, 1250}, {1049, 1251}, {2092, 1251},
               {3098, 1251}, {1031, 1252}, {1033, 1252}, {1050, 1252}, {2074, 1252}, {1032, 1254},
               {1055, 1254}, {1061, 1257}, {1037, 1255}, {1025, 1256}, {1028, 950},  {3076, 950},
               {2052, 936},  {4100, 0},    {1041, 0},    {0, 0}};
  for (const auto& c : cases) EXPECT_EQ(WordCodePageForLanguage(c.language), c.codePage) << c.language;
}

// ---- Conversion of a run ------------------------------------------------

struct RunCase {
  const char* label;
  std::string run;
  bool wide;
  uint16_t language;
  std::string line;
};

class WordRunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(WordRunTest, Converts) {
  const RunCase& c = GetParam();
  EXPECT_EQ(ConvertWordRun(c.run, c.wide, c.language, nullptr), c.line) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Runs, WordRunTest,
    ::testing::Values(
        RunCase{"German a umlaut becomes 0xE4", Utf16({'B', 0xE4, 'r'}), true, 1031, "B\xE4r"},
        RunCase{"Western signs of 0x80 to 0x9F", Utf16({0x0152, 0x2122, 0xFFFF}), true, 1033, "\x8C\x99\x81"},
        RunCase{"Romanian letters, comma below too", Utf16({0x0103, 0x0219, 0x021B, 0x015F, 0x00EE, 0x00E2}), true,
                1048, "\xE3\xBA\xFE\xBA\xEE\xE2"},
        RunCase{"Cyrillic in code page 1251", Utf16({0x0414, 0x0430}), true, 1049, "\xC4\xE0"},
        RunCase{"Chinese in code page 936", Utf16({0x4E2D}), true, 2052, "\xD6\xD0"},
        RunCase{"a unit the code page lacks goes byte by byte", Utf16({'a', 0x0416, 'b'}), true, 1048,
                std::string("a\x16\x04") + "b"},
        RunCase{"no table: bytes unchanged", Utf16({'a', 0xE4}), true, 1041, "a\xE4"},
        RunCase{"paragraph mark", Utf16("Unu.\rDoi."), true, 1048, "Unu.\r\nDoi."},
        RunCase{"table row ending in two cell marks", Utf16("x\ay\a\az"), true, 1048, "x y \r\nz"},
        RunCase{"cell mark at the end of the run", Utf16("x\a"), true, 1048, "x "},
        RunCase{"tab, zero and the handler characters", Utf16({'a', 9, 'b', 0, 1, 11, 12, 20, 34, 31, 'c'}), true,
                1048, "a\tbc"},
        RunCase{"field marks give nothing", Utf16({19, 'F', 20, 'v', 21}), true, 1048, "Fv"},
        RunCase{"odd last byte", Utf16("ab") + "c", true, 1048, "abc"},
        RunCase{"8-bit text keeps its bytes, digits before a blank too", "Are 10 mere \xBA\x13 x\r", false, 1048,
                "Are 10 mere \xBA x\r\n"}));

TEST(WordRunHandlerTest, GivesTextForSpecialCharactersAndIsToldOfFields) {
  std::vector<int> told;
  TMSWordConvertSysCharEvent handler = [&](uint8_t code, std::string& text) {
    told.push_back(code);
    text = "<" + std::to_string(code) + ">";
  };
  EXPECT_EQ(ConvertWordRun(Utf16({'a', 1, 19, 'b', 21, 11, 'c'}), true, 1048, handler), "a<1>b<11>c");
  EXPECT_EQ(told, (std::vector<int>{1, 19, 21, 11}));
}

// ---- File information block and text -------------------------------------

TEST(WordFileInformationTest, Version8Fields) {
  Word97Options o;
  o.language = 1031;
  o.flags = 0x4204 | 0x0100;
  o.farEastLanguage = 2052;
  const Word97 w = MakeWord97({{"abc", true}}, o);
  WordFileInformation fib;
  ASSERT_TRUE(ReadWordFileInformation(w.document, 8, fib));
  EXPECT_EQ(fib.identifier, 0xA5EC);
  EXPECT_EQ(fib.formatNumber, 193);
  EXPECT_EQ(fib.languageId, 1031);
  EXPECT_EQ(fib.farEastLanguageId, 2052);
  EXPECT_TRUE(fib.complex);
  EXPECT_TRUE(fib.encrypted);
  EXPECT_TRUE(fib.tableStreamOne);
  EXPECT_TRUE(fib.farEast);
  EXPECT_EQ(fib.mainTextLength, 3u);
  EXPECT_EQ(fib.clxPosition, 10u);
}

TEST(WordFileInformationTest, ShortBlocks) {
  WordFileInformation fib;
  EXPECT_FALSE(ReadWordFileInformation(std::string(20, '\0'), 8, fib));
  EXPECT_FALSE(ReadWordFileInformation(std::string(0x30, '\0'), 6, fib));
  // A version 8 block whose counts are 0 has no ccpText nor piece table.
  std::string d(0x40, '\0');
  EXPECT_TRUE(ReadWordFileInformation(d, 8, fib));
  EXPECT_EQ(fib.mainTextLength, 0u);
  EXPECT_EQ(fib.clxLength, 0u);
  // Counts that run past the stream leave the fields 0.
  PutU16(d, 0x20, 0xFFFF);
  EXPECT_FALSE(ReadWordFileInformation(d, 8, fib));
}

TEST(WordTextTest, CompressedPiecesAreWidenedAndJoined) {
  const Word97 w = MakeWord97({{"Ion are \x93" "10\x94 ", true}, {Utf16({'m', 0x0103, 'r', '.'}), false}});
  WordFileInformation fib;
  ASSERT_TRUE(ReadWordFileInformation(w.document, 8, fib));
  bool wide = false;
  const std::string text = ReadWordText(fib, 8, w.document, w.table, wide);
  EXPECT_TRUE(wide);
  EXPECT_EQ(text, Utf16({'I', 'o', 'n', ' ', 'a', 'r', 'e', ' ', 0x201C, '1', '0', 0x201D, ' ', 'm', 0x0103, 'r', '.'}));
}

TEST(WordTextTest, StopsAtTheEndOfTheMainDocument) {
  Word97Options o;
  o.mainTextLength = 6;
  const Word97 w = MakeWord97({{"Textul", true}, {"Nota de subsol", true}}, o);
  WordFileInformation fib;
  ASSERT_TRUE(ReadWordFileInformation(w.document, 8, fib));
  bool wide = false;
  EXPECT_EQ(ReadWordText(fib, 8, w.document, w.table, wide), Utf16("Textul"));
  fib.mainTextLength = 8;
  EXPECT_EQ(ReadWordText(fib, 8, w.document, w.table, wide), Utf16("TextulNo"));
}

// Every single-byte change of the table stream and of the block's piece
// table fields gives a text no larger than twice the document stream.
TEST(WordTextTest, DamagedPieceTablesStayInsideTheStreams) {
  const Word97 w = MakeWord97({{"Primul paragraf.\r", true}, {Utf16("Al doilea.\r"), false}, {"Gata", true}});
  const uint8_t values[] = {0x00, 0x01, 0x02, 0x7F, 0x80, 0xFF};
  int texts = 0;
  for (size_t pos = 0; pos < w.table.size(); ++pos) {
    for (uint8_t v : values) {
      std::string table = w.table;
      table[pos] = static_cast<char>(v);
      WordFileInformation fib;
      ASSERT_TRUE(ReadWordFileInformation(w.document, 8, fib));
      bool wide = false;
      const std::string text = ReadWordText(fib, 8, w.document, table, wide);
      EXPECT_LE(text.size(), 2 * w.document.size());
      if (!text.empty()) ++texts;
    }
  }
  EXPECT_GT(texts, 0);
  for (size_t field : {0x4Cu, 0x4Du, 0x4Fu, 0x1A2u, 0x1A5u, 0x1A6u, 0x1A9u}) {
    for (uint8_t v : values) {
      std::string d = w.document;
      d[field] = static_cast<char>(v);
      WordFileInformation fib;
      ASSERT_TRUE(ReadWordFileInformation(d, 8, fib));
      bool wide = false;
      EXPECT_LE(ReadWordText(fib, 8, d, w.table, wide).size(), 2 * d.size());
    }
  }
}

TEST(WordTextTest, PiecesRepeatingTheWholeStreamAreCut) {
  // 200 pieces that all point at the same long text.
  Word97 w = MakeWord97({{std::string(3000, 'a'), true}});
  std::string plc;
  for (uint32_t i = 0; i <= 200; ++i) AppendU32(plc, i * 3000);
  for (int i = 0; i < 200; ++i) {
    AppendU16(plc, 0);
    AppendU32(plc, (kTextStart * 2) | 0x40000000u);
    AppendU16(plc, 0);
  }
  std::string t = "\x02";
  AppendU32(t, static_cast<uint32_t>(plc.size()));
  t += plc;
  w.table = t;
  PutU32(w.document, 0x4C, 600000);
  PutU32(w.document, 0x1A2, 0);
  PutU32(w.document, 0x1A6, static_cast<uint32_t>(t.size()));
  WordFileInformation fib;
  ASSERT_TRUE(ReadWordFileInformation(w.document, 8, fib));
  bool wide = false;
  const std::string text = ReadWordText(fib, 8, w.document, w.table, wide);
  EXPECT_GT(text.size(), 0u);
  EXPECT_LE(text.size(), 2 * w.document.size());
}

TEST(WordSummaryTest, ReadsTheStandardProperties) {
  TSMWordSummaryInformation info;
  ASSERT_TRUE(ReadWordSummaryInformation(MakeSummary(), info));
  EXPECT_EQ(info.title, "Raport anual");
  EXPECT_EQ(info.author, "Ana Pop");
  EXPECT_EQ(info.pageCount, 12);
  EXPECT_EQ(info.created, 0x0123456789ABCDEFull);
  EXPECT_EQ(info.applicationName, "Microsoft Word 9.0");
  EXPECT_EQ(info.security, 0);
  EXPECT_TRUE(info.subject.empty());
}

TEST(WordSummaryTest, DamagedSetsAreReadAsFarAsTheyGo) {
  const std::string whole = MakeSummary();
  for (size_t n = 0; n < whole.size(); n += 7) {
    TSMWordSummaryInformation info;
    ReadWordSummaryInformation(whole.substr(0, n), info);
    EXPECT_LE(info.title.size(), 12u);
  }
  std::string far = whole;
  PutU32(far, 44, 0x7FFFFFF0);
  TSMWordSummaryInformation info;
  EXPECT_FALSE(ReadWordSummaryInformation(far, info));
  // A string whose count runs past the section is skipped.
  std::string longCount = whole;
  PutU32(longCount, 48 + 8 + 6 * 8 + 4, 0xFFFFFFF0);
  ASSERT_TRUE(ReadWordSummaryInformation(longCount, info));
  EXPECT_TRUE(info.title.empty());
  EXPECT_EQ(info.author, "Ana Pop");
}

// ---- Whole documents ----------------------------------------------------

TEST_F(WordDocumentTest, RomanianDocumentWithSummaryAndMacros) {
  const Word97 w = MakeWord97({{"Ion are 10 ", true}, {Utf16({'m', 'e', 'r', 'e', ' ', 0x0219, 'i', '.', 13}), false}});
  const std::string path = Write({{"WordDocument", w.document, {}},
                                  {"1Table", w.table, {}},
                                  {"\x05SummaryInformation", MakeSummary(), {}},
                                  {"Macros", Utf16("Sub X"), {}}});
  TMSWordDocument doc;
  doc.SetFileName(path);
  ASSERT_TRUE(doc.Read());
  EXPECT_EQ(doc.DocVersion(), 8);
  EXPECT_EQ(doc.LanguageId(), 1048);
  EXPECT_EQ(doc.Lines(), (std::vector<std::string>{"Ion are 10 mere \xBAi.\r\n", "Sub X"}));
  EXPECT_EQ(doc.SummaryInformation().title, "Raport anual");
  EXPECT_EQ(doc.SummaryInformation().pageCount, 12);
}

TEST_F(WordDocumentTest, MacrosStorageGivesNoText) {
  const Word97 w = MakeWord97({{"Text.", true}});
  Element macros{"Macros", "", {{"VBA", "\x01\x02binary"}}, true};
  const std::string path = Write({{"WordDocument", w.document, {}}, {"1Table", w.table, {}}, macros});
  EXPECT_EQ(Lines(path), std::vector<std::string>{"Text."});
}

TEST_F(WordDocumentTest, FarEastFlagChoosesTheFarEastLanguage) {
  Word97Options o;
  o.language = 1033;
  o.flags = 0x4204;
  o.farEastLanguage = 2052;
  const Word97 w = MakeWord97({{Utf16({0x4E2D, 'A'}), false}}, o);
  TMSWordDocument doc;
  doc.SetFileName(Write(w));
  ASSERT_TRUE(doc.Read());
  EXPECT_EQ(doc.LanguageId(), 2052);
  EXPECT_EQ(doc.Lines(), std::vector<std::string>{"\xD6\xD0" "A"});
}

TEST_F(WordDocumentTest, WithoutConversionRunsAreAddedUnchanged) {
  const Word97 w = MakeWord97({{Utf16("Da\r"), false}});
  TMSWordDocument doc;
  doc.SetFileName(Write(w));
  doc.ConvertSysCharacters = false;
  ASSERT_TRUE(doc.Read());
  EXPECT_EQ(doc.Lines(), std::vector<std::string>{Utf16("Da\r")});
}

TEST_F(WordDocumentTest, TableStreamZero) {
  Word97Options o;
  o.flags = 0x0004;
  const Word97 w = MakeWord97({{"Zero.", true}}, o);
  EXPECT_TRUE(Lines(Write({{"WordDocument", w.document, {}}, {"1Table", w.table, {}}})).empty());
  EXPECT_EQ(Lines(Write({{"WordDocument", w.document, {}}, {"0Table", w.table, {}}}, "z.doc")),
            std::vector<std::string>{"Zero."});
}

TEST_F(WordDocumentTest, Word6PieceTableInTheDocumentStream) {
  // Version 6: 8-bit pieces, the piece table in the document stream at the
  // place 0x160 names.
  std::string d(0x400, '\0');
  PutU16(d, 0, 0xA5DC);
  PutU16(d, 2, 101);
  PutU16(d, 6, 1048);
  PutU16(d, 0x0A, 0x0004);
  const std::string text = "Ion are 10 mere \xBAi pere.\r";
  const uint32_t at = static_cast<uint32_t>(d.size());
  d += text;
  PutU32(d, 0x34, static_cast<uint32_t>(text.size()));
  const uint32_t clxAt = static_cast<uint32_t>(d.size());
  d += '\x02';
  AppendU32(d, 16);
  AppendU32(d, 0);
  AppendU32(d, static_cast<uint32_t>(text.size()));
  AppendU16(d, 0);
  AppendU32(d, at);
  AppendU16(d, 0);
  PutU32(d, 0x160, clxAt);
  PutU32(d, 0x164, 21);
  TMSWordDocument doc;
  doc.SetFileName(Write({{"WordDocument", d, {}}}));
  ASSERT_TRUE(doc.Read());
  EXPECT_EQ(doc.DocVersion(), 6);
  EXPECT_EQ(doc.Lines(), std::vector<std::string>{"Ion are 10 mere \xBAi pere.\r\n"});
}

TEST_F(WordDocumentTest, PlainTextRunOfEarlyAndFullySavedDocuments) {
  for (uint16_t format : {45, 104}) {
    std::string d(0x200, '\0');
    PutU16(d, 0, 0xA59B);
    PutU16(d, 2, format);
    PutU16(d, 6, 1048);
    const std::string text = "Salut.\r";
    PutU32(d, 0x18, static_cast<uint32_t>(d.size()));
    d += text;
    PutU32(d, 0x1C, static_cast<uint32_t>(d.size()));
    d += "trailing bytes";
    EXPECT_EQ(Lines(Write({{"WordDocument", d, {}}}, "p" + std::to_string(format) + ".doc")),
              std::vector<std::string>{"Salut.\r\n"})
        << format;
  }
}

TEST_F(WordDocumentTest, EncryptedDocumentGivesNoText) {
  Word97Options o;
  o.flags = 0x0304;
  bool ok = false;
  EXPECT_TRUE(Lines(Write(MakeWord97({{"Secret", true}}, o)), &ok).empty());
  EXPECT_TRUE(ok);
}

TEST_F(WordDocumentTest, DamagedDocumentsAreRefusedCleanly) {
  const Word97 good = MakeWord97({{"Bun.", true}});
  std::vector<std::pair<std::string, std::vector<Element>>> cases;
  cases.push_back({"no table stream", {{"WordDocument", good.document, {}}}});
  cases.push_back({"short block", {{"WordDocument", good.document.substr(0, 30), {}}, {"1Table", good.table, {}}}});
  cases.push_back({"empty document stream", {{"WordDocument", "", {}}, {"1Table", good.table, {}}}});
  cases.push_back({"no document stream", {{"1Table", good.table, {}}}});
  Word97 w = good;
  PutU32(w.document, 0x1A2, 0xFFFFFFF0);
  cases.push_back({"piece table beyond the table", {{"WordDocument", w.document, {}}, {"1Table", w.table, {}}}});
  w = good;
  PutU32(w.table, w.table.size() - 6, 0x7FFFFFF0);
  cases.push_back({"piece beyond the document", {{"WordDocument", w.document, {}}, {"1Table", w.table, {}}}});
  w = good;
  w.table[10] = '\x07';
  cases.push_back({"unknown block type", {{"WordDocument", w.document, {}}, {"1Table", w.table, {}}}});
  for (size_t i = 0; i < cases.size(); ++i) {
    bool ok = false;
    EXPECT_TRUE(Lines(Write(cases[i].second, "c" + std::to_string(i) + ".doc"), &ok).empty()) << cases[i].first;
  }
}

TEST_F(WordDocumentTest, FilesThatAreNoCompoundFile) {
  const std::string empty = dir.File("empty.doc");
  ASSERT_TRUE(testing::WriteFile(empty, ""));
  const std::string text = dir.File("text.doc");
  ASSERT_TRUE(testing::WriteFile(text, "Doar text, nu un document Word.\r\n"));
  const std::string cut = dir.File("cut.doc");
  {
    const std::string whole = testing::ReadFile(Write(MakeWord97({{"Taiat.", true}})));
    ASSERT_TRUE(testing::WriteFile(cut, whole.substr(0, 700)));
  }
  for (const std::string& path : {empty, text, cut, dir.File("absent.doc")}) {
    bool ok = true;
    EXPECT_TRUE(Lines(path, &ok).empty()) << path;
    EXPECT_FALSE(ok) << path;
  }
}

TEST_F(WordDocumentTest, ConverterTextJoinsTheLinesAndBreaksLines) {
  const Word97 w = MakeWord97({{Utf16({'A', 11, 'B', ' ', '"', 'C', '"', 12, 'D', 13}), false}});
  const std::string path = Write({{"WordDocument", w.document, {}}, {"1Table", w.table, {}}, {"Macros", "M", {}}});
  std::string text = "old";
  EXPECT_TRUE(ReadWordDocumentText(path, text));
  EXPECT_EQ(text, "A\r\nB \"C\"\r\nD\r\n\r\nM");
  EXPECT_FALSE(ReadWordDocumentText(dir.File("absent.doc"), text));
  EXPECT_EQ(text, "");
}

using testing::QuietFrontEnd;

TEST_F(WordDocumentTest, TheReadingPassReadsWordDocumentsThroughTheReader) {
  ASSERT_TRUE(testing::WriteTestInstallation(dir.path()));
  const Word97 w = MakeWord97({{"Ana are ", true}, {Utf16({'m', 'e', 'r', 'e', ' ', 0x0219, 'i', ' ', 'p', 'e', 'r', 'e',
                                                           '.', 13}),
                                                    false}});
  const std::string path = Write({{"WordDocument", w.document, {}}, {"1Table", w.table, {}}}, "Text/a.doc");
  QuietFrontEnd frontEnd;
  EngineOptions options;
  options.places = testing::TestSettingsPlaces(dir.path());
  Engine engine(frontEnd, options);
  ASSERT_TRUE(engine.StartEngine());
  engine.files().Add(path);
  ASSERT_TRUE(engine.RunAnalysis(1));
  EXPECT_EQ(engine.record().fileType(), kFileTypeWord);
  std::string words;
  WordStream& s = engine.stream();
  s.Rewind();
  WordInfo info;
  const char* sep = nullptr;
  int32_t pos = 0;
  while (const char* text = s.Next(info, sep, pos)) {
    if (!words.empty()) words += ' ';
    words += text;
  }
  EXPECT_EQ(words, "ana are mere \xBAi pere /");
  EXPECT_TRUE(frontEnd.box.asked().empty());
}

}  // namespace
}  // namespace malvex
