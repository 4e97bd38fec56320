#include "foundations/charset.h"

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace malvex {
namespace {

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

// ---- Case ---------------------------------------------------------------

TEST(CaseTest, RomanianLettersFoldAndUpperCaseBack) {
  const std::string upper = Bytes({0xAA, 0xDE, 0xC3, 0xC2, 0xCE});  // Ş Ţ Ă Â Î
  std::string s = upper;
  FoldToLower(s);
  EXPECT_EQ(s, Bytes({0xBA, 0xFE, 0xE3, 0xE2, 0xEE}));
  UpperCase(s);
  EXPECT_EQ(s, upper);
}

TEST(CaseTest, FoldTable) {
  const int cases[][2] = {
      {'A', 'a'},   {'Z', 'z'},   {'a', 'a'},   {'@', '@'},   {'[', '['},   {0x8A, 0x9A},
      {0x8C, 0x9C}, {0x8E, 0x9E}, {0x8D, 0x8D}, {0x8F, 0x8F}, {0x9F, 0xFF}, {0xAA, 0xBA},
      {0xA3, 0xA3}, {0xC0, 0xE0}, {0xD6, 0xF6}, {0xD7, 0xD7}, {0xD8, 0xF8}, {0xDE, 0xFE},
      {0xDF, 0xDF}, {0xFF, 0xFF}, {0x00, 0x00},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FoldCharToLower(static_cast<uint8_t>(c[0])), c[1]) << std::hex << c[0];
  }
}

TEST(CaseTest, UpperCaseUndoesEveryFold) {
  for (int b = 0; b < 256; ++b) {
    const uint8_t lower = FoldCharToLower(static_cast<uint8_t>(b));
    // The fold table also sends the lower-case ź (0x9F) to the dot above
    // (0xFF); that is no letter pair to undo.
    if (lower != b && b != 0x9F) {
      EXPECT_EQ(UpperCaseOf(lower), b) << std::hex << b;
      EXPECT_TRUE(IsUpperCase(static_cast<uint8_t>(b))) << std::hex << b;
      EXPECT_FALSE(IsUpperCase(lower)) << std::hex << b;
    }
  }
}

TEST(CaseTest, UpperCaseTable) {
  const int cases[][2] = {
      {'a', 'A'},   {'z', 'Z'},   {'1', '1'},   {'_', '_'},   {0xBA, 0xAA}, {0xE3, 0xC3},
      {0xFE, 0xDE}, {0xE2, 0xC2}, {0xEE, 0xCE}, {0x9A, 0x8A}, {0x9D, 0x8D}, {0xB3, 0xA3},
      {0xB9, 0xA5}, {0xBE, 0xBC}, {0xBF, 0xAF}, {0x9F, 0x8F}, {0xFF, 0xFF}, {0xB5, 0xB5}, {0xDF, 0xDF},
      {0xF7, 0xF7}, {0xD7, 0xD7}, {0xAA, 0xAA}, {0x96, 0x96},
  };
  std::string in, expected;
  for (const auto& c : cases) {
    in.push_back(static_cast<char>(c[0]));
    expected.push_back(static_cast<char>(c[1]));
  }
  UpperCase(in.data(), in.size());
  EXPECT_EQ(in, expected);
}

// The letter pairs (lower, upper) of code page 1250 beyond a-z/A-Z: š ś ť
// ž ź, ł ą ş ľ ż, and ŕ..ţ / Ŕ..Ţ but for the signs ÷ and ×.
std::vector<std::pair<int, int>> Cp1250LetterPairs() {
  std::vector<std::pair<int, int>> pairs = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F},
                                            {0xB3, 0xA3}, {0xB9, 0xA5}, {0xBA, 0xAA}, {0xBE, 0xBC}, {0xBF, 0xAF}};
  for (int b = 'a'; b <= 'z'; ++b) pairs.emplace_back(b, b - 0x20);
  for (int b = 0xE0; b <= 0xFE; ++b) {
    if (b != 0xF7) pairs.emplace_back(b, b - 0x20);
  }
  return pairs;
}

TEST(CaseTest, UpperCaseFollowsTheLetterPairsOfTheCodePage) {
  int partner[256];
  bool upperLetter[256] = {};
  for (int b = 0; b < 256; ++b) partner[b] = b;
  for (const auto& [lower, upper] : Cp1250LetterPairs()) {
    partner[lower] = upper;
    upperLetter[upper] = true;
  }
  // Every byte: a lower-case letter gives its partner; upper-case letters,
  // the letters without one (ß) and every sign (the dot above 0xFF, µ, ÷,
  // ×, the quotes) stay as they are.
  for (int b = 0; b < 256; ++b) {
    const uint8_t c = static_cast<uint8_t>(b);
    EXPECT_EQ(UpperCaseOf(c), partner[b]) << std::hex << b;
    EXPECT_EQ(IsUpperCase(c), upperLetter[b]) << std::hex << b;
    std::string one(1, static_cast<char>(c));
    UpperCase(one);
    EXPECT_EQ(static_cast<uint8_t>(one[0]), partner[b]) << std::hex << b;
  }
  // An upper-case letter folded to lower case and upper-cased again is
  // itself, whether the fold table lowers it (Ş, Ă, Ţ, Š) or keeps it (Ť,
  // Ź, Ł, Ą, Ľ, Ż).
  for (const auto& [lower, upper] : Cp1250LetterPairs()) {
    const uint8_t folded = FoldCharToLower(static_cast<uint8_t>(upper));
    EXPECT_TRUE(folded == lower || folded == upper) << std::hex << upper;
    EXPECT_EQ(UpperCaseOf(folded), upper) << std::hex << upper;
  }
}

TEST(CaseTest, UpperCaseCharTouchesOnlyItsPosition) {
  std::string s = Bytes({0xEE, 'n', 0xBA});  // "înş"
  UpperCaseChar(s.data(), 0);
  EXPECT_EQ(s, Bytes({0xCE, 'n', 0xBA}));
  UpperCaseChar(s.data(), 2);
  EXPECT_EQ(s, Bytes({0xCE, 'n', 0xAA}));
}

TEST(CaseTest, CharacterTests) {
  const int upper[] = {'A', 'Z', 0xAA, 0xC3, 0xDE, 0xC2, 0xCE, 0x8A, 0x8D, 0x8F, 0xA3, 0xA5, 0xAF, 0xBC};
  const int notUpper[] = {'a', 'z', '0', '@', '[', 0xBA, 0xE3, 0xFE, 0xE2, 0xEE, 0xDF, 0xD7, 0xF7, 0xB5};
  for (int c : upper) EXPECT_TRUE(IsUpperCase(static_cast<uint8_t>(c))) << std::hex << c;
  for (int c : notUpper) EXPECT_FALSE(IsUpperCase(static_cast<uint8_t>(c))) << std::hex << c;

  EXPECT_TRUE(IsCapitalAZ('A'));
  EXPECT_TRUE(IsCapitalAZ('Z'));
  EXPECT_FALSE(IsCapitalAZ('@'));
  EXPECT_FALSE(IsCapitalAZ('['));
  EXPECT_FALSE(IsCapitalAZ(0xC3));
  EXPECT_TRUE(IsDigit('0'));
  EXPECT_TRUE(IsDigit('9'));
  EXPECT_FALSE(IsDigit('/'));
  EXPECT_FALSE(IsDigit(':'));
}

TEST(CaseTest, CharClassReadsTheCurrentTables) {
  LanguageTables tables = DefaultLanguageTables();
  EXPECT_EQ(CharClass(tables, '*'), kClassBlank);
  EXPECT_EQ(CharClass(tables, 0xBA), kClassLetter);
  tables.charClass['*'] = kClassLetter;
  EXPECT_EQ(CharClass(tables, '*'), kClassLetter);
}

// ---- Typed terms --------------------------------------------------------

TEST(NormalizeTermTest, Cases) {
  const LanguageTables tables = DefaultLanguageTables();
  const struct {
    std::string in;
    std::string out;
  } cases[] = {
      {"Porte Monnaie!", "porte_monnaie"},
      {"a  --b", "a_b"},
      {"--", "-"},
      {"_a", "a"},
      {"__a", "a"},
      {"-a", "-a"},
      {"a-b", "a-b"},
      {"a - b", "a_b"},
      {"a-_b", "a-b"},
      {"a___", "a"},
      {"a-", "a-"},
      {"Ab12 Cd", "ab12_cd"},
      {"x/y\\z", "x_y_z"},
      {"", ""},
      {"_", ""},
      {"!!", ""},
      {Bytes({0xAA, 'c', 'o', 'a', 'l', 0xC3}), Bytes({0xBA, 'c', 'o', 'a', 'l', 0xE3})},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NormalizeTerm(tables, c.in), c.out) << '"' << c.in << '"';
  }
}

TEST(NormalizeTermTest, KeepsAtMostEightyCharacters) {
  const LanguageTables tables = DefaultLanguageTables();
  const std::string longWord(100, 'x');
  EXPECT_EQ(NormalizeTerm(tables, longWord), std::string(80, 'x'));

  // The cut falls on a separator, which is then removed as a trailing '_'.
  const std::string cutOnBlank = std::string(79, 'y') + " zzzz";
  EXPECT_EQ(NormalizeTerm(tables, cutOnBlank), std::string(79, 'y'));
  EXPECT_EQ(NormalizeTerm(tables, std::string(81, 'Q')), std::string(80, 'q'));
}

TEST(NormalizeTermTest, FollowsTheCurrentCharacterClasses) {
  LanguageTables tables = DefaultLanguageTables();
  EXPECT_EQ(NormalizeTerm(tables, "a*b"), "a_b");
  tables.charClass['*'] = kClassLetter;
  EXPECT_EQ(NormalizeTerm(tables, "a*b"), "a*b");
}

// ---- Byte-order marks ---------------------------------------------------

TEST(ByteOrderMarkTest, Cases) {
  const struct {
    std::string bytes;
    int expected;
  } cases[] = {
      {Bytes({0xEF, 0xBB, 0xBF, 'a'}), kEncodingUtf8},
      {Bytes({0xFE, 0xFF, 0x00, 'a'}), kEncodingUtf16BigEndian},
      {Bytes({0xFF, 0xFE, 'a', 0x00}), kEncodingUtf16LittleEndian},
      {"abcd", kEncodingNone},
      {Bytes({0xEF, 0xBB, 0x00, 'a'}), kEncodingNone},
      {Bytes({0xFE, 0xFE, 0x00, 'a'}), kEncodingNone},
      // A mark alone is an empty text in its encoding.
      {Bytes({0xEF, 0xBB, 0xBF}), kEncodingUtf8},
      {Bytes({0xFF, 0xFE}), kEncodingUtf16LittleEndian},
      {Bytes({0xFE, 0xFF}), kEncodingUtf16BigEndian},
      {Bytes({0xEF, 0xBB}), kEncodingNone},
      {Bytes({0xFF}), kEncodingNone},
      {"", kEncodingNone},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetectByteOrderMark(reinterpret_cast<const uint8_t*>(c.bytes.data()), c.bytes.size()),
              c.expected)
        << ::testing::PrintToString(c.bytes);
  }
  EXPECT_EQ(DetectByteOrderMark(nullptr, 4), kEncodingNone);
}

// ---- Unicode to 8-bit ---------------------------------------------------

TEST(UnicodeTableTest, Rules) {
  const int cases[][2] = {
      {0x0000, 0x00}, {0x0041, 'A'},  {0x007F, 0x7F}, {0x0080, '#'},  {0x0081, 0x81}, {0x008D, 0x8D},
      {0x008F, 0x8F}, {0x0090, 0x90}, {0x009D, 0x9D}, {0x009F, '#'},  {0x00A0, 0xA0}, {0x00E2, 0xE2},
      {0x00EE, 0xEE}, {0x00FF, 0xFF}, {0x0100, 0xC2}, {0x0101, 0xE2}, {0x0102, 0xC3}, {0x0103, 0xE3},
      {0x0104, 'A'},  {0x0107, 'c'},  {0x010C, 'C'},  {0x0110, 0xD0}, {0x0111, 'd'},  {0x0131, 'i'},
      {0x0141, 'L'},  {0x0151, 0xF5}, {0x0150, 'O'},  {0x0152, 0x8C}, {0x0153, 0x9C}, {0x015A, 'S'},
      {0x015E, 0xAA}, {0x015F, 0xBA}, {0x0160, 0x8A}, {0x0161, 0x9A}, {0x0162, 0xDE}, {0x0163, 0xFE},
      {0x0178, 0x9F}, {0x017D, 0x8E}, {0x017E, 0x9E}, {0x017F, 's'},  {0x01CD, 'A'},  {0x0218, 0xAA},
      {0x0219, 0xBA}, {0x021A, 0xDE}, {0x021B, 0xFE}, {0x0132, '?'},  {0x1E0C, 'D'},  {0x1EA1, 'a'},
      {0x1EF9, 'y'},  {0x2013, 0x96}, {0x2014, 0x97}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201A, 0x82},
      {0x201C, 0x93}, {0x201D, 0x94}, {0x201E, 0x84}, {0x2020, 0x86}, {0x2021, 0x87}, {0x2022, 0x95},
      {0x2026, 0x85}, {0x2030, 0x89}, {0x2039, 0x8B}, {0x203A, 0x9B}, {0x20AC, 0x80}, {0x2122, 0x99},
      {0x02C6, 0x88}, {0x02DC, 0x98}, {0x2000, ' '},  {0x2006, ' '},  {0x2007, '?'},  {0x3000, ' '},
      {0x2010, '-'},  {0x2011, '-'},  {0x2212, '-'},  {0x2500, '-'},  {0x2502, 0xA6}, {0x250C, '+'},
      {0x253C, '+'},  {0x2550, '-'},  {0x2551, 0xA6}, {0x256C, '+'},  {0x2580, '?'},  {0x00B2, 0xB2},
      {0x2070, '0'},  {0x2079, '9'},  {0x2080, '0'},  {0x2089, '9'},  {0x2102, 'C'},  {0x210E, 'h'},
      {0x2113, 'l'},  {0x211D, 'R'},  {0x2124, 'Z'},  {0x2134, 'o'},  {0x2103, '?'},  {0x03B1, 'a'},
      {0x03B2, 0xDF}, {0x03B4, 'd'},  {0x03B5, 'e'},  {0x03BC, 0xB5}, {0x03C0, 'p'},  {0x03C3, 's'},
      {0x03C4, 't'},  {0x03C6, 'f'},  {0x0393, 'G'},  {0x0398, 'T'},  {0x03A3, 'S'},  {0x03A6, 'F'},
      {0x03A9, 'O'},  {0x03B3, '?'},  {0x0416, '?'},  {0xD800, '?'},  {0xFFFE, '?'},  {0xFFFF, '?'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UnicodeTo8Bit(static_cast<uint16_t>(c[0])), c[1]) << "U+" << std::hex << c[0];
  }
}

// ---- UTF-8 --------------------------------------------------------------

struct Utf8Case {
  std::string in;
  std::string out;
};

std::string Convert(const std::string& in, long capacity, long* result) {
  std::vector<char> dst(capacity + 1, 'X');
  *result = Utf8To8Bit(reinterpret_cast<const uint8_t*>(in.data()), static_cast<long>(in.size()), dst.data(),
                       capacity);
  EXPECT_EQ(dst[capacity], 'X') << "wrote past the capacity";
  return std::string(dst.data());
}

TEST(Utf8Test, Cases) {
  const Utf8Case cases[] = {
      {"plain", "plain"},
      {"", ""},
      {Bytes({0xE2, 0x80, 0x99}), Bytes({0x92})},           // right single quote
      {Bytes({0xC8, 0x99}), Bytes({0xBA})},                 // s comma below
      {Bytes({0xC8, 0x9B, 0xC4, 0x83}), Bytes({0xFE, 0xE3})},  // t comma below, a breve
      {Bytes({0xC3, 0xAE, 'n'}), Bytes({0xEE, 'n'})},        // "în"
      {Bytes({'a', 0xF0, 0x9F, 0x98, 0x80, 'b'}), "a#b"},   // four bytes: beyond 16 bits
      {Bytes({0xEF, 0xBF, 0xBF}), "#"},                     // U+FFFF
      {Bytes({0xEF, 0xBF, 0xBE}), "?"},                     // U+FFFE
      {Bytes({0xD0, 0x96}), "?"},                           // Cyrillic
      {Bytes({0xC3, 'A', 'b'}), "b"},                       // broken: the breaking byte goes too
      {Bytes({0xE2, 0x80, 'A', 'b'}), "b"},
      {Bytes({'a', 0xC8}), "a"},                            // cut at the end
      {Bytes({'a', 0xE2, 0x80}), "a"},
      {Bytes({'a', 0xF0, 0x9F, 0x98}), "a"},
      {Bytes({'a', 0x99, 'b'}), "ab"},                      // stray continuation byte
      {Bytes({'a', 0xFF, 'b'}), "ab"},                      // byte that leads nothing
  };
  for (const Utf8Case& c : cases) {
    long result = 0;
    EXPECT_EQ(Convert(c.in, 64, &result), c.out) << ::testing::PrintToString(c.in);
    EXPECT_EQ(result, static_cast<long>(c.out.size()) + 1) << ::testing::PrintToString(c.in);
  }
}

TEST(Utf8Test, StopsWhenTheDestinationIsFull) {
  const std::string in = Bytes({'a', 0xC8, 0x99, 'b', 'c', 'd'});
  const struct {
    long capacity;
    std::string out;
  } cases[] = {{1, ""}, {2, "a"}, {3, Bytes({'a', 0xBA})}, {4, Bytes({'a', 0xBA, 'b'})},
               {6, Bytes({'a', 0xBA, 'b', 'c', 'd'})}, {7, Bytes({'a', 0xBA, 'b', 'c', 'd'})}};
  for (const auto& c : cases) {
    long result = 0;
    EXPECT_EQ(Convert(in, c.capacity, &result), c.out) << "capacity " << c.capacity;
    EXPECT_EQ(result, static_cast<long>(c.out.size()) + 1) << "capacity " << c.capacity;
  }
}

TEST(Utf8Test, MissingBuffers) {
  char dst[8] = "XXXXXXX";
  const uint8_t src[] = {'a', 'b'};
  EXPECT_EQ(Utf8To8Bit(nullptr, 2, dst, sizeof dst), 0);
  EXPECT_EQ(Utf8To8Bit(src, 2, nullptr, 8), -1);
  EXPECT_EQ(Utf8To8Bit(src, 2, dst, 0), -1);
  EXPECT_STREQ(dst, "XXXXXXX");
  EXPECT_EQ(Utf8To8Bit(src, -5, dst, sizeof dst), 1);
  EXPECT_STREQ(dst, "");
}

// ---- UTF-16 -------------------------------------------------------------

TEST(Utf16Test, MapsEachUnitAndEndsWithTwoZeros) {
  const uint16_t units[] = {'S', 0x0219, 0x0103, 0x2019, 0x0416, 0xFFFF};
  char dst[8];
  std::memset(dst, 'X', sizeof dst);
  EXPECT_EQ(Utf16To8Bit(units, 6, dst), 6);
  EXPECT_EQ(std::string(dst, 8), Bytes({'S', 0xBA, 0xE3, 0x92, '?', '?', 0, 0}));
}

TEST(Utf16Test, AllFFFFGivesQuestionMarks) {
  const std::vector<uint16_t> units(50, 0xFFFF);
  std::vector<char> dst(52, 'X');
  EXPECT_EQ(Utf16To8Bit(units.data(), 50, dst.data()), 50);
  EXPECT_EQ(std::string(dst.data()), std::string(50, '?'));
  EXPECT_EQ(dst[51], '\0');
}

TEST(Utf16Test, MissingOrEmptyInput) {
  const uint16_t units[] = {'a'};
  char dst[4] = "XXX";
  EXPECT_EQ(Utf16To8Bit(nullptr, 1, dst), 0);
  EXPECT_EQ(Utf16To8Bit(units, 0, dst), 0);
  EXPECT_EQ(Utf16To8Bit(units, -1, dst), 0);
  EXPECT_EQ(Utf16To8Bit(units, 1, nullptr), -1);
  EXPECT_STREQ(dst, "XXX");
}

TEST(Utf16Test, BigEndianTextAfterSwapping) {
  // "Țară" big-endian, with an odd trailing byte that must stay.
  uint8_t bytes[] = {0x02, 0x1A, 0x00, 'a', 0x00, 'r', 0x01, 0x03, 0x77};
  SwapBytePairs(bytes, sizeof bytes);
  EXPECT_EQ(bytes[8], 0x77);
  uint16_t units[4];
  std::memcpy(units, bytes, sizeof units);
  char dst[6];
  EXPECT_EQ(Utf16To8Bit(units, 4, dst), 4);
  EXPECT_EQ(std::string(dst), Bytes({0xDE, 'a', 'r', 0xE3}));
}

// ---- Code page 1250 to Unicode ------------------------------------------

TEST(Cp1250Test, UnicodeOfBytes) {
  const int cases[][2] = {
      {'a', 'a'},      {0x00, 0x00},    {0x80, 0x20AC},  {0x81, 0x0081},  {0x8A, 0x0160},
      {0x8C, 0x015A},  {0x92, 0x2019},  {0x9F, 0x017A},  {0xA3, 0x0141},  {0xA5, 0x0104},
      {0xAA, 0x0218},  {0xBA, 0x0219},  {0xDE, 0x021A},  {0xFE, 0x021B},  {0xC2, 0x00C2},
      {0xC3, 0x0102},  {0xCE, 0x00CE},  {0xE2, 0x00E2},  {0xE3, 0x0103},  {0xEE, 0x00EE},
      {0xF5, 0x0151},  {0xFF, 0x02D9},  {0xB5, 0x00B5},  {0xA0, 0x00A0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1250ToUnicode(static_cast<uint8_t>(c[0])), static_cast<char32_t>(c[1])) << std::hex << c[0];
  }
}

TEST(Cp1250Test, CedillaLettersComeOutWithCommaBelow) {
  EXPECT_EQ(ToUtf8(Bytes({0xBA, 0xFE, 0xAA, 0xDE})), "\u0219\u021B\u0218\u021A");
  EXPECT_EQ(ToUtf8("abc"), "abc");
  EXPECT_EQ(ToUtf8(""), "");
}

TEST(Cp1250Test, RomanianTextRoundTrips) {
  const std::string utf8 = "Știință și țară, în ăst an. ÎNCĂ Â";
  const std::string cp1250 = FromUtf8(utf8);
  EXPECT_EQ(cp1250, Bytes({0xAA, 't', 'i', 'i', 'n', 0xFE, 0xE3, ' ', 0xBA, 'i', ' ', 0xFE, 'a', 'r', 0xE3, ',',
                           ' ', 0xEE, 'n', ' ', 0xE3, 's', 't', ' ', 'a', 'n', '.', ' ', 0xCE, 'N', 'C', 0xC3,
                           ' ', 0xC2}));
  EXPECT_EQ(ToUtf8(cp1250), utf8);
}

TEST(Cp1250Test, CedillaInputComesBackWithCommaBelow) {
  EXPECT_EQ(ToUtf8(FromUtf8("\u015F\u0163\u015E\u0162")), "\u0219\u021B\u0218\u021A");
}

TEST(Cp1250Test, FromUtf8DecodesAsTheBufferConversionDoes) {
  const std::string inputs[] = {Bytes({'a', 0xF0, 0x9F, 0x98, 0x80, 'b'}), Bytes({0xC3, 'A', 'b'}),
                                Bytes({'x', 0xE2, 0x80}), "\u2026\u201E\u201C"};
  for (const std::string& in : inputs) {
    char dst[32];
    const long n = Utf8To8Bit(reinterpret_cast<const uint8_t*>(in.data()), static_cast<long>(in.size()), dst,
                              sizeof dst);
    EXPECT_EQ(FromUtf8(in), std::string(dst, n - 1)) << ::testing::PrintToString(in);
  }
}

TEST(Cp1250Test, PrintableAsciiRoundTrips) {
  std::string ascii;
  for (int c = 0x20; c < 0x7F; ++c) ascii.push_back(static_cast<char>(c));
  EXPECT_EQ(ToUtf8(ascii), ascii);
  EXPECT_EQ(FromUtf8(ascii), ascii);
}

// ---- Text files the user may edit elsewhere -------------------------------

TEST(TextFileEncodingTest, DetectsUtf8OnlyWhenTheBytesAreUtf8BeyondAscii) {
  const struct {
    const char* what;
    std::string bytes;
    TextFileEncoding encoding;
  } cases[] = {
      {"empty", "", TextFileEncoding::kCodePage},
      {"ASCII", "G#0V\t1\tA\r\n", TextFileEncoding::kCodePage},
      {"the mark", Bytes({0xEF, 0xBB, 0xBF}), TextFileEncoding::kUtf8WithMark},
      {"the mark before bytes that are no UTF-8", Bytes({0xEF, 0xBB, 0xBF, 'm', 0xE2, 'i'}),
       TextFileEncoding::kUtf8WithMark},
      {"two-byte letters", "Inven\xC8\x9Bii m\xC3\xA2ine", TextFileEncoding::kUtf8},
      {"three and four bytes", "\xE2\x80\x9E" "a\xE2\x80\x9D \xF0\x9F\x98\x80", TextFileEncoding::kUtf8},
      {"code page letters", Bytes({'m', 0xE2, 'i', 'n', 'e', ' ', 0xBA, 'i'}), TextFileEncoding::kCodePage},
      {"a lone 0xE2 at the end", Bytes({'a', 0xE2}), TextFileEncoding::kCodePage},
      {"a sequence cut by the end", Bytes({'a', 0xE2, 0x80}), TextFileEncoding::kCodePage},
      {"a stray continuation byte", Bytes({'a', 0x9B, 'b'}), TextFileEncoding::kCodePage},
      {"an overlong form", Bytes({0xC0, 0xAF}), TextFileEncoding::kCodePage},
      {"an overlong three-byte form", Bytes({0xE0, 0x80, 0xAF}), TextFileEncoding::kCodePage},
      {"a surrogate", Bytes({0xED, 0xA0, 0x80}), TextFileEncoding::kCodePage},
      {"above U+10FFFF", Bytes({0xF4, 0x90, 0x80, 0x80}), TextFileEncoding::kCodePage},
      {"Â followed by a code page sign", Bytes({0xC2, 0xAB}), TextFileEncoding::kUtf8},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DetectTextFileEncoding(c.bytes), c.encoding) << c.what;
  }
}

TEST(TextFileEncodingTest, DecodesToTheCodePageAndEncodesBack) {
  // ș ț with a comma below and with a cedilla, ă â î, the quotes „ ”.
  const std::string utf8 = "\xC8\x99\xC8\x9B \xC5\x9F\xC5\xA3 \xC4\x83\xC3\xA2\xC3\xAE \xE2\x80\x9E" "a\xE2\x80\x9D";
  const std::string text = Bytes({0xBA, 0xFE, ' ', 0xBA, 0xFE, ' ', 0xE3, 0xE2, 0xEE, ' ', 0x84, 'a', 0x94});
  EXPECT_EQ(DecodeTextFile(utf8, TextFileEncoding::kUtf8), text);
  EXPECT_EQ(DecodeTextFile("\xEF\xBB\xBF" + utf8, TextFileEncoding::kUtf8WithMark), text);
  EXPECT_EQ(DecodeTextFile(utf8, TextFileEncoding::kCodePage), utf8);
  const std::string commaBelow = "\xC8\x99\xC8\x9B \xC8\x99\xC8\x9B \xC4\x83\xC3\xA2\xC3\xAE \xE2\x80\x9E" "a\xE2\x80\x9D";
  EXPECT_EQ(EncodeTextFile(text, TextFileEncoding::kUtf8), commaBelow);
  EXPECT_EQ(EncodeTextFile(text, TextFileEncoding::kUtf8WithMark), "\xEF\xBB\xBF" + commaBelow);
  EXPECT_EQ(EncodeTextFile(text, TextFileEncoding::kCodePage), text);
}

TEST(TextFileEncodingTest, EveryByteWrittenInUtf8ReadsBackTheSame) {
  std::string all;
  for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
  for (TextFileEncoding e : {TextFileEncoding::kCodePage, TextFileEncoding::kUtf8, TextFileEncoding::kUtf8WithMark}) {
    EXPECT_EQ(DecodeTextFile(EncodeTextFile(all, e), e), all) << static_cast<int>(e);
  }
  // The letters of the code page keep their byte: "Łódź, Čech".
  EXPECT_EQ(DecodeTextFile("\xC5\x81\xC3\xB3" "d\xC5\xBA, \xC4\x8C" "ech", TextFileEncoding::kUtf8),
            Bytes({0xA3, 0xF3, 'd', 0x9F, ',', ' ', 0xC8, 'e', 'c', 'h'}));
}

}  // namespace
}  // namespace malvex
