#include "reading/segment_buffer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace malvex {
namespace {

WordCategory Cat(uint8_t category, uint8_t subcategory = 0, uint8_t modeMark = 0) {
  WordCategory c;
  c.category = category;
  c.subcategory = subcategory;
  c.modeMark = modeMark;
  return c;
}

const WordCategory kNumeral = Cat(kClassAdjective, 3);
const WordCategory kNone = Cat(0);

struct W {
  std::string text;
  std::string separator;
  WordCategory reading = kNone;
  uint8_t capitalisation = 0;
};

void Fill(SegmentBuffer& b, const std::vector<W>& words) {
  b.Reset(0);
  for (const W& w : words) {
    WordSlot& s = b.slots[b.count++];
    std::strncpy(s.text, w.text.c_str(), sizeof s.text - 1);
    std::strncpy(s.separator, w.separator.c_str(), sizeof s.separator - 1);
    s.candidates[0] = w.reading;
    s.capitalisation = w.capitalisation;
    s.empty = w.text.empty() ? 1 : 0;
  }
}

// `count` words "cuvant" with the separator " ", then the given words.
std::vector<W> After(int count, std::vector<W> tail) {
  std::vector<W> words(static_cast<size_t>(count), W{"cuvant", " "});
  words.insert(words.end(), tail.begin(), tail.end());
  return words;
}

struct SlotCase {
  const char* label;
  std::vector<W> words;
  int k;
  bool expected;
};

std::string CaseName(const char* label) {
  std::string name = label;
  for (char& ch : name)
    if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
  return name;
}

class WebAddressTest : public ::testing::TestWithParam<SlotCase> {};

TEST_P(WebAddressTest, Decides) {
  SegmentBuffer b;
  Fill(b, GetParam().words);
  EXPECT_EQ(IsWebAddress(b, GetParam().k), GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Words, WebAddressTest,
    ::testing::Values(SlotCase{"www", {{"www", " "}, {"exemplu", "."}}, 0, true},
                      SlotCase{"before html", {{"pagina", " "}, {"html", "."}}, 0, true},
                      SlotCase{"before htm after a blank", {{"pagina", " "}, {"htm", " "}}, 0, false},
                      SlotCase{"before pdf", {{"raport", " "}, {"pdf", "."}}, 0, true},
                      SlotCase{"before com", {{"google", " "}, {"com", "."}}, 0, true},
                      SlotCase{"before edu", {{"mit", " "}, {"edu", " "}}, 0, true},
                      SlotCase{"before scheme separator", {{"http", " "}, {"exemplu", "://"}}, 0, true},
                      SlotCase{"after scheme separator", {{"http", " "}, {"exemplu", "://"}}, 1, true},
                      SlotCase{"mail", {{"ion", " "}, {"exemplu", "@"}, {"ro", "."}}, 1, true},
                      SlotCase{"at without dot", {{"ion", " "}, {"exemplu", "@"}, {"ro", " "}}, 1, false},
                      SlotCase{"plain words", {{"ion", " "}, {"merge", " "}}, 0, false},
                      SlotCase{"before the first word", {{"ion", " "}}, -1, false}),
    [](const ::testing::TestParamInfo<SlotCase>& info) { return CaseName(info.param.label); });

class ClauseColonTest : public ::testing::TestWithParam<SlotCase> {};

TEST_P(ClauseColonTest, Decides) {
  SegmentBuffer b;
  Fill(b, GetParam().words);
  EXPECT_EQ(IsClauseColon(b, GetParam().k), GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Words, ClauseColonTest,
    ::testing::Values(
        SlotCase{"between numerals", {{"ora", " "}, {"12", " ", kNumeral}, {"30", ":", kNumeral}}, 2, false},
        // Before lookup the numbers have no reading yet.
        SlotCase{"between unread numbers", {{"ora", " "}, {"12", " "}, {"30", ":"}}, 2, true},
        SlotCase{"number then word", {{"12", " ", kNumeral}, {"oameni", ":", Cat(8)}}, 1, true},
        SlotCase{"after dollars", {{"$12", " "}, {"30", ":"}}, 1, false},
        SlotCase{"after euros", {{"\x80" "5", " "}, {"30", ":"}}, 1, false},
        SlotCase{"currency sign alone", {{"$", " "}, {"30", ":"}}, 1, true},
        SlotCase{"scheme separator", {{"http", " "}, {"exemplu", "://"}}, 1, false},
        SlotCase{"between words", {{"spune", " "}, {"ceva", ":"}}, 1, true},
        SlotCase{"first word", {{"ceva", ":"}}, 0, true}),
    [](const ::testing::TestParamInfo<SlotCase>& info) { return CaseName(info.param.label); });

class SentenceFullStopTest : public ::testing::TestWithParam<SlotCase> {};

TEST_P(SentenceFullStopTest, Decides) {
  SegmentBuffer b;
  Fill(b, GetParam().words);
  EXPECT_EQ(IsSentenceFullStop(b, GetParam().k), GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Words, SentenceFullStopTest,
    ::testing::Values(
        SlotCase{"after a noun", {{"casa", " ", Cat(8)}, {"Ion", "."}}, 1, true},
        SlotCase{"after a noun with mark 1", {{"dr", " ", Cat(8, 0, 1)}, {"Ion", "."}}, 1, false},
        SlotCase{"after a noun with mark 2", {{"prof", " ", Cat(8, 0, 2)}, {"Ion", "."}}, 1, false},
        SlotCase{"after an unclassified word with a mark", {{"nr", " ", Cat(0, 0, 3)}, {"5", "."}}, 1, false},
        SlotCase{"after a verb with mode 1", {{"merge", " ", Cat(1, 0, 1)}, {"Ion", "."}}, 1, true},
        SlotCase{"between numerals", {{"1", " ", kNumeral}, {"000", ".", kNumeral}}, 1, false},
        SlotCase{"first word", {{"Ion", "."}}, 0, true}),
    [](const ::testing::TestParamInfo<SlotCase>& info) { return CaseName(info.param.label); });

// The last slot of `words` is the one tested.
struct EndCase {
  const char* label;
  std::vector<W> words;
  bool expected;
};

class LexicalSentenceEndTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(LexicalSentenceEndTest, Decides) {
  SegmentBuffer b;
  Fill(b, GetParam().words);
  EXPECT_EQ(LexicalSentenceEnds(b), GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Separators, LexicalSentenceEndTest,
    ::testing::Values(
        EndCase{"exclamation", {{"ion", " "}, {"vine", " "}, {"Azi", "!"}}, true},
        EndCase{"semicolon", {{"ion", " "}, {"vine", " "}, {"azi", ";"}}, true},
        EndCase{"question after quote", {{"ion", " "}, {"vine", " "}, {"azi", "\"?"}}, true},
        EndCase{"third word at the earliest", {{"vine", " "}, {"Azi", "!"}}, false},
        // A lone full stop is decided by the sentence buffer.
        EndCase{"lone full stop", {{"ion", " "}, {"vine", " "}, {"Azi", "."}}, false},
        EndCase{"full stop and quote", {{"ion", " "}, {"vine", " "}, {"Azi", ".\""}}, true},
        EndCase{"initial", {{"ion", " "}, {"I", " "}, {"Popescu", ".\""}}, false},
        EndCase{"inside a web address", {{"vezi", " "}, {"www", " "}, {"exemplu", ".\""}}, false},
        EndCase{"colon", {{"ion", " "}, {"spune", " "}, {"vine", ":"}}, true},
        EndCase{"colon after a web address", {{"vezi", " "}, {"http", " "}, {"exemplu", "://"}}, false},
        EndCase{"colon after dollars", {{"costa", " "}, {"$12", " "}, {"30", ":"}}, false},
        // Words have no readings yet: a colon between numbers ends the buffer.
        EndCase{"colon between unread numbers", {{"ora", " "}, {"12", " "}, {"30", ":"}}, true},
        EndCase{"comma at slot 95", After(95, {{"cuvant", ","}}), false},
        EndCase{"comma at slot 96", After(96, {{"cuvant", ","}}), true},
        EndCase{"bracket", {{"ion", " "}, {"vine", " "}, {"azi", "("}}, false}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return CaseName(info.param.label); });

class SentenceCloseTest : public ::testing::TestWithParam<EndCase> {};

TEST_P(SentenceCloseTest, Decides) {
  SegmentBuffer b;
  Fill(b, GetParam().words);
  EXPECT_EQ(SentenceCloses(b), GetParam().expected) << GetParam().label;
}

INSTANTIATE_TEST_SUITE_P(
    Separators, SentenceCloseTest,
    ::testing::Values(
        EndCase{"end marker", {{"ion", " "}, {"/", "."}}, true},
        EndCase{"empty slot", {{"ion", " "}, {"", " "}}, false},
        EndCase{"exclamation", {{"ion", " "}, {"vine", "!"}}, true},
        EndCase{"question at the first slot", {{"vine", "?"}}, true},
        EndCase{"full stop, capital", {{"ion", " "}, {"vine", " "}, {"el", ".", kNone, 1}}, true},
        EndCase{"full stop, small letter", {{"ion", " "}, {"vine", " "}, {"el", "."}}, false},
        EndCase{"full stop and quote, small letter", {{"ion", " "}, {"vine", " "}, {"el", ".\""}}, true},
        EndCase{"initial", {{"ion", " "}, {"i", " "}, {"popescu", ".", kNone, 1}}, false},
        EndCase{"abbreviation", {{"vine", " "}, {"dr", " ", Cat(8, 0, 1)}, {"popescu", ".", kNone, 1}}, false},
        EndCase{"number with thousands", {{"are", " "}, {"1", " ", kNumeral}, {"000", ".\"", kNumeral}}, false},
        EndCase{"one slot", {{"Ion", ".", kNone, 1}}, false},
        EndCase{"web address", {{"vezi", " "}, {"google", " "}, {"com", ".", kNone, 1}}, false},
        EndCase{"web address two back", {{"vezi", " "}, {"www", " "}, {"google", "."}, {"ro", ".", kNone, 1}},
                false},
        EndCase{"colon", {{"ion", " "}, {"spune", " "}, {"vine", ":"}}, true},
        EndCase{"colon between numerals", {{"ora", " "}, {"12", " ", kNumeral}, {"30", ":", kNumeral}}, false},
        EndCase{"colon after a web address", {{"vezi", " "}, {"www", " "}, {"site", ":"}}, false},
        EndCase{"colon after a web address, second sign", {{"vezi", " "}, {"www", " "}, {"site", "):"}}, true},
        EndCase{"comma", {{"ion", " "}, {"vine", ","}}, false}),
    [](const ::testing::TestParamInfo<EndCase>& info) { return CaseName(info.param.label); });

TEST(SegmentBufferTest, ClearSlotsEmptiesTheUsedSlotsAndTheNext) {
  SegmentBuffer b;
  Fill(b, {{"ion", " "}, {"vine", "!"}});
  std::strcpy(b.slots[2].text, "x");
  b.ClearSlots();
  EXPECT_EQ(b.count, 0);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(b.slots[i].text[0], 0) << i;
}

TEST(SegmentBufferTest, ResetRestartsTheWordNumberAndFlags) {
  SegmentBuffer b;
  b.finalFlush = b.feedAgain = b.skipNextCloseTest = true;
  b.count = 3;
  b.Reset(41);
  EXPECT_EQ(b.wordNumber, 41);
  EXPECT_EQ(b.count, 0);
  EXPECT_FALSE(b.finalFlush || b.feedAgain || b.skipNextCloseTest || b.lastIsEndMarker);
}

}  // namespace
}  // namespace malvex
