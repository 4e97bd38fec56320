#include "reading/propositions.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "foundations/charset.h"
#include "reading/segmenter_test_fixture.h"

namespace malvex {
namespace {

using testing::Cat;

const WordCategory kS = Cat(kClassSubstantive);
const WordCategory kA = Cat(kClassAdjective);
const WordCategory kV = Cat(kClassVerb);
const WordCategory kReflexiveV = Cat(kClassVerb, 3);
const WordCategory kAnd = Cat(kClassConnector, 4);
const WordCategory kThan = Cat(kClassConnector, 7);
const WordCategory kRelative = Cat(kClassPronoun, 1);

struct W {
  std::string text;
  std::string separator;
  WordCategory reading;
};

class PropositionTest : public testing::SegmenterFixture {
 protected:
  // Reads `words` as one sentence ending with `final` punctuation.
  void Sentence(const std::vector<W>& words, const std::string& final = ".") {
    for (size_t i = 0; i < words.size(); ++i) {
      std::string key = words[i].text;
      FoldToLower(key);
      analysis.readings[key] = words[i].reading;
      ASSERT_TRUE(segmenter.AddWord(words[i].text, i == 0 ? "" : words[i].separator));
    }
    ASSERT_TRUE(segmenter.EndOfFile(final));
  }

  // Every proposition ends with one end marker carrying the position of
  // the word before it.
  void ExpectWellFormed() {
    stream.Rewind();
    WordInfo info;
    const char* sep = nullptr;
    int32_t pos = 0;
    int32_t lastWord = 0;
    bool previousWasMarker = true;
    while (const char* text = stream.Next(info, sep, pos)) {
      if (text[0] == '/') {
        EXPECT_FALSE(previousWasMarker) << "an empty proposition before position " << pos;
        EXPECT_EQ(pos, lastWord);
        previousWasMarker = true;
      } else {
        EXPECT_EQ(pos, lastWord + 1);
        lastWord = pos;
        previousWasMarker = false;
      }
    }
    EXPECT_TRUE(previousWasMarker) << "the text does not end with an end marker";
  }
};

struct CutCase {
  const char* label;
  std::vector<W> words;
  std::string stream;
  std::string final = ".";
};

class PropositionCutTest : public PropositionTest, public ::testing::WithParamInterface<CutCase> {};

TEST_P(PropositionCutTest, CutsTheSentence) {
  Sentence(GetParam().words, GetParam().final);
  EXPECT_EQ(Dump(), GetParam().stream) << GetParam().label;
  ExpectWellFormed();
}

INSTANTIATE_TEST_SUITE_P(
    Sentences, PropositionCutTest,
    ::testing::Values(
        CutCase{"no verb",
                {{"Casa", "", kS}, {"mare", " ", kA}, {"frumoasa", ",", kA}},
                "casa[]@1 mare[ ]@2 frumoasa[,]@3 /[.]@3"},
        // A clause with its own verb after a complete one; the comma goes on
        // the end marker.
        CutCase{"second clause",
                {{"Ion", "", kS}, {"vine", " ", kV}, {"Maria", ",", kS}, {"pleaca", " ", kV}},
                "ion[]@1 vine[ ]@2 /[,]@2 maria[ ]@3 pleaca[ ]@4 /[.]@4"},
        CutCase{"list of nouns",
                {{"Ion", "", kS}, {"cumpara", " ", kV}, {"mere", " ", kS}, {"pere", ",", kS}, {"prune", ",", kS}},
                "ion[]@1 cumpara[ ]@2 mere[ ]@3 pere[,]@4 prune[,]@5 /[.]@5"},
        CutCase{"closing bracket and comma",
                {{"Ion", "", kS}, {"vine", " ", kV}, {"azi", "(", kS}, {"Maria", "),", kS}, {"pleaca", " ", kV}},
                "ion[]@1 vine[ ]@2 azi[(]@3 /[),]@3 maria[ ]@4 pleaca[ ]@5 /[.]@5"},
        CutCase{"connector opens",
                {{"Ion", "", kS}, {"vine", " ", kV}, {"acasa", " ", kS}, {"si", " ", kAnd}, {"Maria", " ", kS},
                 {"pleaca", " ", kV}},
                "ion[]@1 vine[ ]@2 acasa[ ]@3 /[ ]@3 si[ ]@4 maria[ ]@5 pleaca[ ]@6 /[.]@6"},
        CutCase{"comparison connector",
                {{"Ion", "", kS}, {"vine", " ", kV}, {"acasa", " ", kS}, {"decat", " ", kThan}, {"Maria", " ", kS},
                 {"pleaca", " ", kV}},
                "ion[]@1 vine[ ]@2 acasa[ ]@3 decat[ ]@4 maria[ ]@5 pleaca[ ]@6 /[.]@6"},
        CutCase{"connector after a short proposition",
                {{"Ion", "", kS}, {"vine", " ", kV}, {"si", " ", kAnd}, {"Maria", " ", kS}, {"pleaca", " ", kV},
                 {"acum", " ", kS}},
                "ion[]@1 vine[ ]@2 si[ ]@3 maria[ ]@4 pleaca[ ]@5 acum[ ]@6 /[.]@6"},
        CutCase{"addition between adjectives",
                {{"Ion", "", kS}, {"vede", " ", kV}, {"casa", " ", kS}, {"mare", " ", kA}, {"si", " ", kAnd},
                 {"frumoasa", " ", kA}, {"straluceste", " ", kV}},
                "ion[]@1 vede[ ]@2 casa[ ]@3 mare[ ]@4 si[ ]@5 frumoasa[ ]@6 straluceste[ ]@7 /[.]@7"},
        CutCase{"addition before a noun",
                {{"Ion", "", kS}, {"vede", " ", kV}, {"casa", " ", kS}, {"mare", " ", kA}, {"si", " ", kAnd},
                 {"soarele", " ", kS}, {"straluceste", " ", kV}},
                "ion[]@1 vede[ ]@2 casa[ ]@3 mare[ ]@4 /[ ]@4 si[ ]@5 soarele[ ]@6 straluceste[ ]@7 /[.]@7"},
        CutCase{"relative pronoun opens",
                {{"Ion", "", kS}, {"vede", " ", kV}, {"casa", " ", kS}, {"care", " ", kRelative}, {"arde", " ", kV}},
                "ion[]@1 vede[ ]@2 casa[ ]@3 /[ ]@3 care[ ]@4 arde[ ]@5 /[.]@5"},
        CutCase{"relative pronoun after a reflexive verb",
                {{"Ion", "", kS}, {"intreaba", " ", kReflexiveV}, {"care", " ", kRelative}, {"vine", " ", kV}},
                "ion[]@1 intreaba[ ]@2 care[ ]@3 vine[ ]@4 /[.]@4"},
        // Clause punctuation between the opener and the verb: no cut.
        CutCase{"clause mark before the verb",
                {{"Ion", "", kS}, {"vine", " ", kV}, {"Maria", ",", kS}, {"Ana", ",", kS}, {"pleaca", " ", kV}},
                "ion[]@1 vine[ ]@2 maria[,]@3 /[,]@3 ana[ ]@4 pleaca[ ]@5 /[.]@5"},
        // Only closing signs before the sentence's own end marker are dropped.
        CutCase{"closing signs at the end", {{"Ion", "", kS}, {"vine", " ", kV}}, "ion[]@1 vine[ ]@2 /[.]@2", ")."}),
    [](const ::testing::TestParamInfo<CutCase>& info) {
      std::string name = info.param.label;
      for (char& ch : name)
        if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
      return name;
    });

struct LongCase {
  int nouns;
  std::vector<int> propositions;
};

class LongPropositionTest : public PropositionTest, public ::testing::WithParamInterface<LongCase> {};

TEST_P(LongPropositionTest, MoreThanNineteenNominalsGetAnExtraEndMarker) {
  for (int i = 0; i < GetParam().nouns; ++i) ASSERT_TRUE(segmenter.AddWord("casa", i == 0 ? "" : " "));
  ASSERT_TRUE(segmenter.EndOfFile("."));
  EXPECT_EQ(SentenceLengths(), GetParam().propositions) << GetParam().nouns;
  EXPECT_EQ(writer.Propositions(), static_cast<int64_t>(GetParam().propositions.size()));
  ExpectWellFormed();
}

INSTANTIATE_TEST_SUITE_P(Nouns, LongPropositionTest,
                         ::testing::Values(LongCase{20, {20}}, LongCase{22, {22}},  // fewer than three would remain
                                           LongCase{23, {20, 3}}, LongCase{45, {20, 20, 5}},
                                           LongCase{130, {20, 20, 20, 20, 20, 20, 4, 6}}));

TEST_F(PropositionTest, ExtraEndMarkerHasABlankSeparatorAndNoReading) {
  for (int i = 0; i < 24; ++i) ASSERT_TRUE(segmenter.AddWord("Casa", i == 0 ? "" : " "));
  ASSERT_TRUE(segmenter.EndOfFile(""));
  stream.SeekPosition(20);
  WordNode* word = stream.Current();
  WordNode* marker = word->next;
  ASSERT_STREQ(marker->text, "/");
  EXPECT_STREQ(marker->separator, " ");
  EXPECT_EQ(marker->position, 20);
  EXPECT_EQ(marker->info.capitalisation, 0);
  EXPECT_EQ(word->info.capitalisation, 1);
}

TEST_F(PropositionTest, WordInfoCarriesTheSlotsReadingAndMarks) {
  WordCategory verb = Cat(kClassVerb, 1);
  verb.modeMark = 1;
  verb.tensePerson = 2;
  Sentence({{"ONU", "", kS}, {"vine", " ", verb}});
  stream.SeekPosition(1);
  EXPECT_EQ(stream.Current()->info.capitalisation, 2);
  EXPECT_EQ(stream.Current()->fileIndex, 1);
  stream.SeekPosition(2);
  const WordCategory& c = stream.Current()->info.category;
  EXPECT_EQ(c.category, kClassVerb);
  EXPECT_EQ(c.subcategory, 1);
  EXPECT_EQ(c.modeMark, 1);
  EXPECT_EQ(c.tensePerson, 2);
  EXPECT_EQ(stream.Current()->info.classPath[0], 0u);
}

// "start" lets the text after it in, "stop" leaves it out.
class TwoKeywords : public BorderKeywords {
 public:
  bool IsBorderKeyword(const char* word, bool& excludesAfter) const override {
    const std::string w = word;
    if (w != "start" && w != "stop") return false;
    excludesAfter = w == "stop";
    return true;
  }
};

TEST_F(PropositionTest, BordersLeaveOutTheMarkedParts) {
  for (bool keep : {false, true}) {
    stream.Reset();
    TwoKeywords keywords;
    PropositionWriter bordered(stream, statistics);
    bordered.StartFile(1);
    bordered.SetBorders(&keywords, keep);
    Segmenter seg(lexical, sentence, analysis, bordered, stop);
    seg.StartFile(0);
    for (const auto& [text, sep] : std::vector<std::pair<std::string, std::string>>{
             {"Ion", ""}, {"vine", " "}, {"Stop", "."}, {"aici", " "}, {"Maria", "."}, {"pleaca", " "},
             {"Start", "."}, {"acum", " "}, {"Ana", "."}, {"canta", " "}})
      ASSERT_TRUE(seg.AddWord(text, sep));
    ASSERT_TRUE(seg.EndOfFile("."));
    if (!keep)
      EXPECT_EQ(Dump(), "ion[]@1 vine[ ]@2 /[.]@2 acum[ ]@3 /[.]@3 ana[]@4 canta[ ]@5 /[.]@5");
    else
      EXPECT_EQ(Dump(), "ion[]@1 vine[ ]@2 /[.]@2 stop[]@3 start[]@4 acum[ ]@5 /[.]@5 ana[]@6 canta[ ]@7 /[.]@7");
    EXPECT_EQ(bordered.ExcludedEndMarkers(), 2);
    EXPECT_FALSE(bordered.InExcludedZone());
  }
}

TEST_F(PropositionTest, NoBorderKeywordsKeepsEverything) {
  NoBorderKeywords none;
  writer.SetBorders(&none, false);
  Sentence({{"Ion", "", kS}, {"vine", " ", kV}});
  EXPECT_EQ(Dump(), "ion[]@1 vine[ ]@2 /[.]@2");
  EXPECT_EQ(writer.ExcludedEndMarkers(), 0);
}

TEST(CutPropositionsTest, VerbCountsAndBoundaries) {
  SegmentBuffer b;
  const WordCategory readings[] = {kS, kV, kS, kRelative, kV, WordCategory{}};
  const char* texts[] = {"ion", "vede", "casa", "care", "arde", "/"};
  for (int i = 0; i < 6; ++i) {
    std::strcpy(b.slots[i].text, texts[i]);
    std::strcpy(b.slots[i].separator, " ");
    b.slots[i].candidates[0] = readings[i];
  }
  b.count = 6;
  CutPropositions(b);
  EXPECT_EQ(std::vector<int>(b.verbsFrom, b.verbsFrom + 6), (std::vector<int>{2, 2, 1, 1, 1, 0}));
  EXPECT_EQ(std::vector<int>(b.boundary, b.boundary + 6), (std::vector<int>{0, 0, 0, 1, 0, 0}));
  EXPECT_EQ(b.clauseMarks[3], 1);  // raised by the opener rule
}

TEST(CutPropositionsTest, GerundMarksThePresentWordBeforeIt) {
  SegmentBuffer b;
  WordCategory present = kS;
  present.tensePerson = 1;
  WordCategory gerund = kV;
  gerund.flags = kFlagGerund;
  const WordCategory readings[] = {kS, kV, present, kS, gerund, WordCategory{}};
  for (int i = 0; i < 6; ++i) {
    std::strcpy(b.slots[i].text, i == 5 ? "/" : "w");
    b.slots[i].candidates[0] = readings[i];
  }
  b.count = 6;
  CutPropositions(b);
  // Slot 3 is nearer but has no present reading: slot 2 is marked.
  EXPECT_EQ(b.clauseMarks[2], 1);
  EXPECT_EQ(b.clauseMarks[3], 0);
}

}  // namespace
}  // namespace malvex
