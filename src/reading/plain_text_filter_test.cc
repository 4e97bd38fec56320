#include "reading/plain_text_filter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "foundations/charset.h"
#include "reading/file_types.h"

namespace malvex {
namespace {

// Filters `blocks` as the successive blocks of one file of `type` and
// returns the whole 8-bit text.
std::string FilterFile(int type, const std::vector<std::string>& blocks, int* encoding = nullptr) {
  static const LanguageTables tables = DefaultLanguageTables();
  PlainTextFilter filter;
  filter.StartFile(type, tables);
  std::string text;
  for (size_t i = 0; i < blocks.size(); ++i) {
    std::string block = blocks[i];
    if (i == 0) filter.DetectFirstBlock(reinterpret_cast<const uint8_t*>(block.data()), block.size());
    text += filter.FilterBlock(reinterpret_cast<uint8_t*>(block.data()), block.size(), i + 1 == blocks.size());
  }
  if (encoding != nullptr) *encoding = filter.Encoding();
  return text;
}

struct EncodingCase {
  const char* label;
  int type;
  std::string bytes;
  int encoding;
  std::string text;  // 8-bit result
};

class PlainTextEncodingTest : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(PlainTextEncodingTest, FirstBlockDecidesTheEncoding) {
  const EncodingCase& c = GetParam();
  int encoding = -1;
  EXPECT_EQ(FilterFile(c.type, {c.bytes}, &encoding), c.text) << c.label;
  EXPECT_EQ(encoding, c.encoding) << c.label;
}

INSTANTIATE_TEST_SUITE_P(
    Files, PlainTextEncodingTest,
    ::testing::Values(
        EncodingCase{"code page", kFileTypeText, "\xBAi \xFE" "ar\xE3", kEncodingNone, "\xBAi \xFE" "ar\xE3"},
        EncodingCase{"ascii", kFileTypeText, "si tara", kEncodingNone, "si tara"},
        EncodingCase{"utf8 mark", kFileTypeText, "\xEF\xBB\xBF\xC8\x99i", kEncodingUtf8, "\xBAi"},
        EncodingCase{"utf8 mark, ascii", kFileTypeText, "\xEF\xBB\xBFsi", kEncodingUtf8, "si"},
        // Valid UTF-8 with multi-byte sequences is read as UTF-8 without a mark.
        EncodingCase{"utf8 no mark", kFileTypeText, "\xC8\x99i \xC8\x9B" "ar\xC4\x83", kEncodingUtf8,
                     "\xBAi \xFE" "ar\xE3"},
        EncodingCase{"utf16 le mark", kFileTypeText, std::string("\xFF\xFE\x19\x02i\0", 6), kEncodingUtf16LittleEndian,
                     "\xBAi"},
        EncodingCase{"utf16 be mark", kFileTypeText, std::string("\xFE\xFF\x02\x19\0i", 6), kEncodingUtf16BigEndian,
                     "\xBAi"},
        // A character the code page lacks becomes '?', a surrogate pair two.
        EncodingCase{"utf16 unmappable", kFileTypeText, std::string("\xFF\xFE\x3A\x04\x3D\xD8\x00\xDE", 8),
                     kEncodingUtf16LittleEndian, "???"},
        // Without a mark UTF-16 is taken byte by byte.
        EncodingCase{"utf16 le no mark", kFileTypeText, std::string("a\0b\0", 4), kEncodingNone,
                     std::string("a\0b\0", 4)},
        EncodingCase{"utf16 be no mark", kFileTypeText, std::string("\0a\0b", 4), kEncodingNone,
                     std::string("\0a\0b", 4)},
        // A file holding only a mark is an empty text.
        EncodingCase{"utf8 mark only", kFileTypeText, "\xEF\xBB\xBF", kEncodingUtf8, ""},
        EncodingCase{"utf16 mark only", kFileTypeText, "\xFF\xFE", kEncodingUtf16LittleEndian, ""},
        // OEM and Macintosh text are converted; their bytes are not UTF-8.
        EncodingCase{"oem", kFileTypeOem, "\xAD\xC7 \xD7" "n\xC4", kEncodingNone, "\xBA\xE3 \xCEn-"},
        EncodingCase{"oem utf8-like", kFileTypeOem, "\xC8\x99", kEncodingNone, "+\xD6"},
        EncodingCase{"all files", kFileTypeAny, "\xC8\x99", kEncodingNone, "\xC8\x99"},
        EncodingCase{"scenario", kFileTypeScenario, "\xEF\xBB\xBFx", kEncodingNone, "\xEF\xBB\xBFx"}),
    [](const ::testing::TestParamInfo<EncodingCase>& info) {
      std::string name = info.param.label;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

TEST(PlainTextFilterTest, MacintoshTextGoesThroughTheTable) {
  const LanguageTables tables = DefaultLanguageTables();
  std::string bytes;
  std::string expected;
  for (int b = 0x80; b < 0x100; ++b) {
    bytes.push_back(static_cast<char>(b));
    expected.push_back(static_cast<char>(tables.macToAnsi[b]));
  }
  EXPECT_EQ(FilterFile(kFileTypeMac, {"Ab" + bytes}), "Ab" + expected);
}

TEST(PlainTextFilterTest, Utf8SequenceCutByTheBlockBorderIsCompleted) {
  // A two-byte "ș" (C8 99) and a three-byte "„" (E2 80 9E), cut at every
  // byte from the first lead byte on (the first block must show UTF-8).
  const std::string text = "a\xC8\x99 \xE2\x80\x9E" "b";
  for (size_t cut = 2; cut < text.size(); ++cut) {
    int encoding = -1;
    EXPECT_EQ(FilterFile(kFileTypeText, {text.substr(0, cut), text.substr(cut)}, &encoding),
              FilterFile(kFileTypeText, {text}))
        << "cut at " << cut;
    EXPECT_EQ(encoding, kEncodingUtf8) << "cut at " << cut;
  }
  EXPECT_EQ(FilterFile(kFileTypeText, {text}), "a\xBA \x84" "b");
}

TEST(PlainTextFilterTest, BrokenUtf8GivesTheSameTextWhereverTheBlockBorderFalls) {
  // A broken sequence drops the byte that breaks it, even when that byte
  // leads a sequence of its own ("\xC4\xC1", "\xE2\xE2\x82\xAC"); a
  // block border after the broken lead byte must not change that.
  const std::string text = "\xEF\xBB\xBF" "a\xC8\x99 \xC4\xC1>b \xE2\xE2\x82\xAC" "c\xF0\x9F\xC8\x99 d";
  const std::string whole = FilterFile(kFileTypeText, {text});
  EXPECT_EQ(whole, "a\xBA >b c d");
  for (size_t cut = 3; cut < text.size(); ++cut)
    EXPECT_EQ(FilterFile(kFileTypeText, {text.substr(0, cut), text.substr(cut)}), whole) << "cut at " << cut;
  std::vector<std::string> bytes = {text.substr(0, 3)};
  for (size_t i = 3; i < text.size(); ++i) bytes.push_back(text.substr(i, 1));
  EXPECT_EQ(FilterFile(kFileTypeText, bytes), whole);
}

TEST(PlainTextFilterTest, CutSequenceAtTheEndOfTheFileGivesNothing) {
  EXPECT_EQ(FilterFile(kFileTypeText, {"\xEF\xBB\xBF" "ab\xC8"}), "ab");
}

TEST(PlainTextFilterTest, Utf16OddByteIsCarriedToTheNextBlock) {
  const std::string text("\xFF\xFE\x19\x02" "a\0", 6);
  EXPECT_EQ(FilterFile(kFileTypeText, {text.substr(0, 3), text.substr(3)}), "\xBA" "a");
  EXPECT_EQ(FilterFile(kFileTypeText, {text.substr(0, 5), text.substr(5)}), "\xBA" "a");
}

TEST(PlainTextFilterTest, InvalidUtf8KeepsTheCodePage) {
  const std::vector<std::string> samples = {
      "\xC0\x80",             // overlong
      "a\xC8 b",              // lead byte without its continuation
      "\x99\x99",             // continuation without a lead byte
      "\xBA" "a \xE3\xFE",    // Romanian text in the code page
  };
  for (const std::string& s : samples) {
    int encoding = -1;
    EXPECT_EQ(FilterFile(kFileTypeText, {s}, &encoding), s);
    EXPECT_EQ(encoding, kEncodingNone);
  }
  EXPECT_TRUE(LooksLikeUtf8(reinterpret_cast<const uint8_t*>("ab\xC8"), 3));  // cut at the end
  EXPECT_FALSE(LooksLikeUtf8(reinterpret_cast<const uint8_t*>("abc"), 3));   // no multi-byte sequence
}

// Files without a mark whose first block tells nothing about UTF-8: only
// ASCII bytes, perhaps ending with a lead byte. The first block with a
// whole sequence or a byte UTF-8 does not allow decides; a lead byte that
// ends the file is a letter of the code page.
struct UndecidedCase {
  const char* label;
  // The blocks come after a whole reader block of blanks and ASCII words
  // (the shape of the text the whole-analysis fuzz target read as code
  // page 1250 when it was UTF-8).
  bool afterAsciiBlock;
  std::vector<std::string> blocks;
  int encoding;
  std::string text;  // after the ASCII block
};

TEST(PlainTextFilterTest, AsciiFirstBlockLeavesTheEncodingToTheBlocksThatFollow) {
  const std::string ascii = std::string(PlainTextFilter::kBlockSize - 10, ' ') + "casa mare.";
  const UndecidedCase cases[] = {
      {"utf8", true, {" \xC2\xAB Vorb\xC4\x83 \xC2\xBB \xC8\x9B" "ar\xC4\x83"}, kEncodingUtf8,
       " \xAB Vorb\xE3 \xBB \xFE" "ar\xE3"},
      {"code page", true, {" \xAB Vorb\xE3 \xBB"}, kEncodingNone, " \xAB Vorb\xE3 \xBB"},
      {"utf8 cut by the border", true, {"ab", "c\xC8", "\x9B" "d"}, kEncodingUtf8, "abc\xFE" "d"},
      {"decided once", true, {"\xC8\x9B", "\xBA" "a"}, kEncodingUtf8, "\xFE" "a"},
      {"ascii only", true, {"abc"}, kEncodingNone, "abc"},
      {"lead byte ending the file", false, {"Casa e frumoas\xE3"}, kEncodingNone, "Casa e frumoas\xE3"},
      {"lead byte ending the last block", false, {"frumoas", "\xE3"}, kEncodingNone, "frumoas\xE3"},
      {"lead byte ending the first block", false, {"frumoas\xE3", " mare"}, kEncodingNone, "frumoas\xE3 mare"},
      {"lead and continuation ending the file", false, {"ab\xE2\x80"}, kEncodingNone, "ab\xE2\x80"},
      {"utf8 completing a cut first block", false, {"ab\xE2\x80", "\x9E" "c"}, kEncodingUtf8, "ab\x84" "c"},
  };
  for (const UndecidedCase& c : cases) {
    std::vector<std::string> blocks = c.blocks;
    if (c.afterAsciiBlock) blocks.insert(blocks.begin(), ascii);
    int encoding = -1;
    const std::string text = FilterFile(kFileTypeText, blocks, &encoding);
    const size_t skip = c.afterAsciiBlock ? ascii.size() : 0;
    EXPECT_TRUE(text.compare(0, skip, ascii, 0, skip) == 0) << c.label;
    EXPECT_EQ(text.substr(std::min(skip, text.size())), c.text) << c.label;
    EXPECT_EQ(encoding, c.encoding) << c.label;
  }
  // A type read without encoding detection keeps its bytes.
  EXPECT_EQ(FilterFile(kFileTypeAny, {"ab", "\xC8\x9B"}), "ab\xC8\x9B");
}

// The reader ends a file with an empty last block that may have no bytes
// behind it: each state of the filter takes it (the sanitizer build fails
// on a copy from a null block).
TEST(PlainTextFilterTest, EmptyLastBlockWithoutBytesEndsTheFile) {
  static const LanguageTables tables = DefaultLanguageTables();
  const struct {
    const char* label;
    std::string first;
    std::string text;  // what the empty last block gives
  } cases[] = {
      {"undecided", "casa mare", ""},
      {"undecided with a carried lead byte", "casa mar\xC8", "\xC8"},
      {"utf8", "\xC8\x9B" "ara", ""},
      // A byte-order mark, then "ab" in UTF-16 (the zero byte inside).
      {"utf16", std::string("\xFF\xFE" "a\x00" "b", 5), ""},
  };
  for (const auto& c : cases) {
    PlainTextFilter filter;
    filter.StartFile(kFileTypeText, tables);
    std::string block = c.first;
    filter.DetectFirstBlock(reinterpret_cast<const uint8_t*>(block.data()), block.size());
    filter.FilterBlock(reinterpret_cast<uint8_t*>(block.data()), block.size(), false);
    EXPECT_EQ(std::string(filter.FilterBlock(nullptr, 0, true)), c.text) << c.label;
  }
}

TEST(PlainTextFilterTest, OemLettersOfRomanianMapToTheCodePage) {
  // Ş ş Ţ ţ Ă ă Â â Î î in code page 852.
  const std::string oem = "\xB8\xAD\xDD\xEE\xC6\xC7\xB6\x83\xD7\x8C";
  EXPECT_EQ(FilterFile(kFileTypeOem, {oem}), "\xAA\xBA\xDE\xFE\xC3\xE3\xC2\xE2\xCE\xEE");
  for (int b = 0; b < 0x80; ++b) EXPECT_EQ(OemToAnsi(static_cast<uint8_t>(b)), b);
}

}  // namespace
}  // namespace malvex
