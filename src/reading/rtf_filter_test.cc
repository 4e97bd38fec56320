#include "reading/rtf_filter.h"

#include <gtest/gtest.h>

#include <string>

#include "reading/plain_text_filter.h"

namespace malvex {
namespace {

const LanguageTables& Tables() {
  static const LanguageTables tables = DefaultLanguageTables();
  return tables;
}

// Filters `bytes` as one RTF file cut into blocks of `blockSize` bytes.
std::string FilterFile(const std::string& bytes, size_t blockSize = 65536, RtfFilter* used = nullptr) {
  RtfFilter own;
  RtfFilter& filter = used != nullptr ? *used : own;
  filter.StartFile(Tables());
  std::string text;
  for (size_t at = 0; at < bytes.size(); at += blockSize) {
    const std::string block = bytes.substr(at, blockSize);
    text += filter.FilterBlock(reinterpret_cast<const uint8_t*>(block.data()), block.size());
  }
  return text;
}

struct RtfCase {
  const char* label;
  std::string bytes;
  std::string text;
};

class RtfFilterTest : public ::testing::TestWithParam<RtfCase> {};

TEST_P(RtfFilterTest, GivesTheText) {
  const RtfCase& c = GetParam();
  for (size_t blockSize : {65536u, 1u, 2u, 3u, 7u})
    EXPECT_EQ(FilterFile(c.bytes, blockSize), c.text) << c.label << " in blocks of " << blockSize;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RtfFilterTest,
    ::testing::Values(
        RtfCase{"document", "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Arial;}}\r\n"
                            "\\pard\\f0\\fs24 Ana are mere.\\par\r\nAl doilea\\par\r\n}",
                "Ana are mere.  Al doilea  "},
        // Text is kept only in groups less than three deep.
        RtfCase{"group depth", "{\\rtf1 A {\\b B {\\i C} D} E}", "A B  D E"},
        RtfCase{"field result at depth 3", "{\\rtf1 Vezi {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}} aici}",
                "Vezi  aici"},
        RtfCase{"font table at depth 2", "{\\rtf1 a{\\fonttbl\\f0\\fswiss Helvetica;}b}", "ab"},
        RtfCase{"style entry", "{\\rtf1 a{\\s1\\sbasedon0\\snext1 heading;}b}", "ab"},
        RtfCase{"ignorable destination", "{\\rtf1 a{\\*\\generator Riched20 10.0;}b}", "ab"},
        RtfCase{"picture", "{\\rtf1 x{\\pict\\wmetafile8\\picw100 0100ff09}y}", "xy"},
        RtfCase{"object", "{\\rtf1 x{\\object\\objemb{\\objdata 0105}}y}", "xy"},
        RtfCase{"binary data holding braces", "{\\rtf1 a{\\bin4 }{}}b} c}", "a c"},
        // Characters.
        RtfCase{"hexadecimal bytes", "{\\rtf1\\ansi\\ansicpg1250 \\'aa\\'ba \\'fe\\'e3 \\'e2}", "\xAA\xBA \xFE\xE3 \xE2"},
        RtfCase{"unicode characters", "{\\rtf1\\uc1 \\u537?\\u539\\'fe \\u-1? \\u259\\lquote x}", "\xBA\xFE ? \xE3x"},
        RtfCase{"unicode without stand-in", "{\\rtf1\\uc0 \\u537 i}", "\xBAi"},
        RtfCase{"stand-in count of a group", "{\\rtf1 {\\uc2 \\u537??a}\\u537?b}", "\xBA" "a\xBA" "b"},
        RtfCase{"control symbols", "{\\rtf1 a\\~b\\_c\\{d\\}e\\\\f\\-g\\:h}", "a b-c{d}e\\fgh"},
        RtfCase{"quotes", "{\\rtf1 \\lquote x\\rquote \\ldblquote y\\rdblquote}", "'x'\"y\""},
        RtfCase{"typographic apostrophe", "{\\rtf1 l\\'92om l\\'b4om}", "l'om l'om"},
        RtfCase{"line cell tab", "{\\rtf1 a\\line b\\tab c\\cell d}", "a b c d"},
        RtfCase{"line ends are dropped", "{\\rtf1 Ana\r\nare\\\r\nmere}", "Anaare  mere"},
        RtfCase{"parameter and text glued", "{\\rtf1 \\fs24Mare\\b0 mic}", "Maremic"},
        // Without a font table the header ends at the first text.
        RtfCase{"no header group", "{\\rtf1 Unu\\par Doi}", "Unu  Doi"},
        // In the header, words beginning with p are read as character sets only.
        RtfCase{"header pict and par", "{\\rtf1\\par\\pict Unu}", "Unu"},
        RtfCase{"escaped braces keep the depth", "{\\rtf1 a\\{\\{ b}c", "a{{ bc"},
        RtfCase{"stray closing brace", "}}a{\\rtf1 b}", "ab"}));

TEST(RtfCharsetTest, CharsetChosenInTheHeaderConvertsEveryByte) {
  RtfFilter filter;
  EXPECT_EQ(FilterFile("{\\rtf1\\mac\\deff0{\\fonttbl}x\\'8a\x8A}", 65536, &filter),
            std::string("x") + static_cast<char>(Tables().macToAnsi[0x8A]) + static_cast<char>(Tables().macToAnsi[0x8A]));
  EXPECT_EQ(filter.Charset(), RtfFilter::kCharsetMac);
  EXPECT_EQ(FilterFile("{\\rtf1\\pc{\\fonttbl}\\'82\\'a0}", 65536, &filter),
            std::string() + static_cast<char>(OemToAnsi(0x82)) + static_cast<char>(OemToAnsi(0xA0)));
  EXPECT_EQ(filter.Charset(), RtfFilter::kCharsetOem);
  EXPECT_EQ(FilterFile("{\\rtf1\\pca{\\fonttbl}\\'82}", 65536, &filter), std::string(1, static_cast<char>(OemToAnsi(0x82))));
  // Outside the header the words do not change the character set.
  EXPECT_EQ(FilterFile("{\\rtf1\\ansi{\\fonttbl}x\\mac\\'8a}", 65536, &filter), "x\x8A");
  EXPECT_EQ(filter.Charset(), RtfFilter::kCharsetAnsi);
  // "\uN" characters are Unicode, never converted through the charset.
  EXPECT_EQ(FilterFile("{\\rtf1\\pc{\\fonttbl}\\u537?}", 65536, &filter), "\xBA");
}

TEST(RtfDepthTest, DeepNestingIsBoundedAndUnwinds) {
  RtfFilter filter;
  const std::string deep = "{\\rtf1 a" + std::string(100000, '{') + "hidden" + std::string(100000, '}') + "b}";
  EXPECT_EQ(FilterFile(deep, 65536, &filter), "ab");
  EXPECT_EQ(filter.Depth(), 0);
  // A disabled group nested deeper than the saved groups still ends.
  const std::string disabled =
      "{\\rtf1 a{\\*" + std::string(2000, '{') + "x" + std::string(2000, '}') + "y}b}";
  EXPECT_EQ(FilterFile(disabled, 65536, &filter), "ab");
}

TEST(RtfDepthTest, LongControlWordsAndParametersAreBounded) {
  EXPECT_EQ(FilterFile("{\\rtf1 a\\" + std::string(1000, 'x') + "12345678901234567890 b}"), "ab");
  // A huge "\bin" length skips at most the rest of the file.
  EXPECT_EQ(FilterFile("{\\rtf1 a{\\bin99999999999 xyz}"), "a");
}

}  // namespace
}  // namespace malvex
