#include "foundations/display_form.h"

#include <cstring>
#include <string>

#include <gtest/gtest.h>

namespace malvex {
namespace {

WordCategory OfClass(uint8_t cls) {
  WordCategory c;
  c.category = cls;
  return c;
}

const WordCategory kSubstantive = OfClass(8);
const WordCategory kVerb = OfClass(1);

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}

TEST(DisplayFormTest, Cases) {
  const struct {
    std::string text;
    int capitalisation;
    int apostrophe;
    WordCategory category;
    bool keepUnderscore;
    std::string expected;
  } cases[] = {
      {"ab_cd", 1, 0, kSubstantive, false, "Ab Cd"},
      {"ab_cd", 1, 0, kVerb, false, "Ab cd"},
      {"ab_cd", 1, 0, OfClass(0), false, "Ab Cd"},  // not yet classified counts as substantive
      {"ab_cd", 1, 0, kSubstantive, true, "Ab_Cd"},
      {"ab_cd", 0, 0, kSubstantive, false, "ab cd"},
      {"ab_cd", 2, 0, kVerb, false, "AB CD"},
      {"ab_cd", 2, 0, kVerb, true, "AB_CD"},
      {"new-york", 3, 0, kSubstantive, false, "New-York"},
      {"ab&cd", 1, 0, kSubstantive, false, "Ab&Cd"},
      {"a_bc", 1, 0, kSubstantive, false, "A bc"},   // separator at position 1 does not count
      {"ab_", 1, 0, kSubstantive, false, "Ab "},     // separator at the very end
      {"dintr_o", 0, 5, kVerb, false, "dintr'o"},
      {"l", 0, 1, kVerb, false, "l'"},               // apostrophe at the end lengthens the word
      {"ab", 0, 3, kVerb, false, "ab"},              // beyond the end: nothing to mark
      {"ab", 0, 0, kVerb, false, "ab"},
      {std::string(80, 'x'), 0, 78, kVerb, false, std::string(80, 'x')},  // only 1..77 count
      {Bytes({0xEE, 'n'}), 1, 0, kVerb, false, Bytes({0xCE, 'n'})},       // "în" -> "În"
      {Bytes({0xBA, 'c', 'o', 'a', 'l', 0xE3}), 2, 0, kSubstantive, false,
       Bytes({0xAA, 'C', 'O', 'A', 'L', 0xC3})},                          // "ŞCOALĂ"
      {Bytes({'a', 'b', '_', 0xFE, 'a', 'r', 0xE3}), 1, 0, kSubstantive, false,
       Bytes({'A', 'b', ' ', 0xDE, 'a', 'r', 0xE3})},
      {"", 1, 0, kSubstantive, false, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DisplayForm(c.text, c.capitalisation, c.apostrophe, c.category, c.keepUnderscore), c.expected)
        << '"' << c.text << "\" cap " << c.capitalisation << " apostrophe " << c.apostrophe;
  }
}

TEST(DisplayFormTest, UnderscoresBeyondTheWordLimitStay) {
  const std::string text = std::string(78, 'a') + "_b_c";  // '_' at positions 78 and 80
  const std::string shown = DisplayForm(text, 0, 0, kVerb, false);
  EXPECT_EQ(shown, std::string(78, 'a') + " b_c");
}

TEST(DisplayFormTest, CompoundCapitalsStopAtPosition78) {
  const std::string text = std::string(78, 'a') + "_b_c";
  const std::string shown = DisplayForm(text, 1, 0, kSubstantive, true);
  EXPECT_EQ(shown, "A" + std::string(77, 'a') + "_B_c");
}

TEST(SpaceAroundPunctuationTest, Cases) {
  const struct {
    const char* in;
    std::string out;
  } cases[] = {
      {"!", "! "}, {")", ") "}, {",", ", "}, {".", ". "}, {":", ": "}, {";", "; "}, {"?", "? "},
      {"]", "] "}, {"}", "} "}, {"(", " ("}, {"[", " ["}, {"{", " {"}, {"-", "-"}, {"\"", "\""},
      {").", "). "}, {"],", "], "}, {"}}", "}} "}, {".(", ".  "}, {"?!", "?!"}, {"..", ".."},
      {"", ""}, {"...", "..."},
  };
  for (const auto& c : cases) {
    char token[4] = {};
    std::strncpy(token, c.in, 3);
    SpaceAroundPunctuation(token);
    EXPECT_EQ(std::string(token, strnlen(token, 4)), c.out) << '"' << c.in << '"';
  }
}

TEST(SpaceAroundPunctuationTest, TerminatesTheBuffer) {
  char one[4] = {',', '\0', 'X', 'X'};
  SpaceAroundPunctuation(one);
  EXPECT_EQ(std::string(one, 3), std::string(", \0", 3));

  char two[4] = {')', ';', '\0', 'X'};
  SpaceAroundPunctuation(two);
  EXPECT_EQ(std::string(two, 4), std::string(");") + ' ' + '\0');

  char unterminated[4] = {'a', 'b', 'c', 'd'};
  SpaceAroundPunctuation(unterminated);
  EXPECT_EQ(std::string(unterminated, 4), "abcd");
}

}  // namespace
}  // namespace malvex
