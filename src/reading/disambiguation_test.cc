#include "reading/disambiguation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "reading/lexicon_analysis_test_fixture.h"
#include "reading/segmenter.h"
#include "reading/word_stream.h"

namespace malvex {
namespace {

using testing::W;
using testing::Word;

WordCategory Reading(uint8_t category, uint8_t subcategory = 0) {
  WordCategory c;
  c.category = category;
  c.subcategory = subcategory;
  return c;
}

// Puts `readings` into slot i (a word "w<i>"), marked ambiguous when more
// than one.
void SetSlot(SegmentBuffer& b, int i, std::initializer_list<WordCategory> readings, uint8_t capitalisation = 0) {
  WordSlot& slot = b.slots[i];
  std::snprintf(slot.text, sizeof slot.text, "w%d", i);
  slot.separator[0] = ' ';
  int k = 0;
  for (const WordCategory& r : readings) slot.candidates[k++] = r;
  slot.highest = static_cast<int16_t>(k - 1);
  if (k > 1) {
    for (int n = 0; n < k; ++n) slot.candidates[n].flags |= kFlagAmbiguous;
  }
  slot.capitalisation = capitalisation;
  if (b.count <= i) b.count = i + 1;
}

void SetEndMarker(SegmentBuffer& b, int i) {
  b.slots[i].text[0] = '/';
  b.slots[i].separator[0] = ' ';
  if (b.count <= i) b.count = i + 1;
}

// Context scoring on hand-made buffers and a matrix whose used cells are
// distinct powers of two, so that every total tells which cells it summed.
class ContextScoreTest : public ::testing::Test {
 protected:
  ContextScoreTest() : lookup_(lexicon_, tables_, nullptr, nullptr, true), disambiguation_(matrix_, lookup_) {
    buffer_.Reset(0);
  }

  ScriptedBox box_;
  Messages messages_{box_};
  LanguageTables tables_ = DefaultLanguageTables();
  Lexicon lexicon_{messages_, tables_};
  CategoryMatrix matrix_;
  LexicalLookup lookup_;
  Disambiguation disambiguation_;
  SegmentBuffer buffer_;
};

TEST_F(ContextScoreTest, NGramsAroundTheWordAreSummed) {
  // pronoun(personal) X adjective substantive /
  matrix_.SetValue(CategoryMatrix::BigramIndex(kClassPronoun, kClassVerb), 1);
  matrix_.SetValue(CategoryMatrix::PronounBigramIndex(3, kClassVerb), 2);
  matrix_.SetValue(CategoryMatrix::TrigramIndex(kClassVerb, kClassAdjective, kClassSubstantive), 4);
  matrix_.SetValue(CategoryMatrix::TrigramIndex(kClassPronoun, kClassVerb, kClassAdjective), 8);
  matrix_.SetValue(CategoryMatrix::PronounTrigramIndex(3, kClassVerb, kClassAdjective), 16);
  // Cells that must not be read from here.
  matrix_.SetValue(CategoryMatrix::BigramIndex(kClassVerb, kClassAdjective), 1000);
  matrix_.SetValue(CategoryMatrix::kConnectorStartIndex, 2000);
  SetSlot(buffer_, 0, {Reading(kClassPronoun, 3)});
  SetSlot(buffer_, 1, {Reading(kClassVerb), Reading(kClassSubstantive)});
  SetSlot(buffer_, 2, {Reading(kClassAdjective, 1)});
  SetSlot(buffer_, 3, {Reading(kClassSubstantive)});
  SetEndMarker(buffer_, 4);
  EXPECT_EQ(disambiguation_.ReadingScore(buffer_, 1, 0, 0, 4), 10 + 1 + 2 + 4 + 8 + 16);
  EXPECT_EQ(disambiguation_.ReadingScore(buffer_, 1, 1, 0, 4), 10);
  EXPECT_EQ(disambiguation_.ContextScore(buffer_, 1, 0, 4), 0);
}

TEST_F(ContextScoreTest, ContextsByPositionInTheClause) {
  // Every bigram and trigram of substantives and verbs weighs differently.
  const int v = kClassVerb, s = kClassSubstantive;
  matrix_.SetValue(CategoryMatrix::BigramIndex(s, v), 1);      // left bigram of a verb after a noun
  matrix_.SetValue(CategoryMatrix::BigramIndex(v, s), 2);      // right bigram of a verb before a noun
  matrix_.SetValue(CategoryMatrix::TrigramIndex(s, s, v), 4);  // left trigram
  matrix_.SetValue(CategoryMatrix::TrigramIndex(v, s, s), 8);  // right trigram
  matrix_.SetValue(CategoryMatrix::TrigramIndex(s, v, s), 16); // both sides
  struct Case {
    int i;
    int clauseStart;
    int clauseEnd;
    int score;  // of the verb reading of word i
  };
  // Words 0..5 substantives except the scored one; 6 the end marker.
  const Case cases[] = {
      {0, 0, 6, 10 + 8},               // clause start: right trigram only
      {1, 0, 6, 10 + 1 + 8 + 16},      // one word to the left: bigram
      {2, 0, 6, 10 + 4 + 8 + 16},      // two to the left: trigram
      {4, 0, 6, 10 + 4 + 2 + 16},      // the end marker two ahead: right bigram
      {5, 0, 6, 10 + 4},               // before the end marker: left only
      {2, 2, 6, 10 + 8},               // a clause starting at the word
      {2, 1, 6, 10 + 1 + 8 + 16},      // one word of its clause to the left
      {2, 0, 3, 10 + 4 + 2 + 16},      // clause ending one word later
      {2, 0, 2, 10 + 4},               // clause ending at the word
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.i << " in " << c.clauseStart << ".." << c.clauseEnd);
    buffer_.Reset(0);
    for (int j = 0; j < 6; ++j) {
      if (j == c.i)
        SetSlot(buffer_, j, {Reading(kClassVerb), Reading(kClassSubstantive)});
      else
        SetSlot(buffer_, j, {Reading(kClassSubstantive)});
    }
    SetEndMarker(buffer_, 6);
    EXPECT_EQ(disambiguation_.ReadingScore(buffer_, c.i, 0, c.clauseStart, c.clauseEnd), c.score);
  }
}

TEST_F(ContextScoreTest, FixedBonuses) {
  matrix_.SetValue(CategoryMatrix::kConnectorStartIndex, 15);
  struct Case {
    const char* name;
    std::vector<std::vector<WordCategory>> words;  // slots before the end marker
    uint8_t capitalisation;                         // of word i
    int i, clauseStart, clauseEnd;
    int best;
  };
  const WordCategory verb = Reading(kClassVerb), noun = Reading(kClassSubstantive),
                     connector = Reading(kClassConnector, 4), adjective = Reading(kClassAdjective, 1);
  const Case cases[] = {
      {"equal scores: the first reading", {{verb, noun}, {adjective}}, 0, 0, 0, 2, 0},
      {"connector at the clause start", {{adjective}, {noun, connector}, {adjective}}, 0, 1, 1, 3, 1},
      {"connector inside the clause", {{adjective}, {noun, connector}, {adjective}}, 0, 1, 0, 3, 0},
      {"capitalised word after the first", {{adjective}, {verb, noun}, {adjective}}, 1, 1, 0, 3, 1},
      {"capitalised first word", {{verb, noun}, {adjective}}, 1, 0, 0, 2, 0},
      {"all capitals", {{adjective}, {verb, noun}, {adjective}}, 2, 1, 0, 3, 0},
      {"alone in its clause: the class before", {{noun}, {verb, noun}, {adjective}}, 0, 1, 1, 1, 1},
      {"alone after a verb", {{verb}, {noun, verb}, {adjective}}, 0, 1, 1, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    buffer_.Reset(0);
    int j = 0;
    for (const auto& readings : c.words) {
      WordSlot& slot = buffer_.slots[j];
      SetSlot(buffer_, j, {});
      for (size_t k = 0; k < readings.size(); ++k) slot.candidates[k] = readings[k];
      slot.highest = static_cast<int16_t>(readings.size() - 1);
      ++j;
    }
    buffer_.slots[c.i].capitalisation = c.capitalisation;
    SetEndMarker(buffer_, j);
    EXPECT_EQ(disambiguation_.ContextScore(buffer_, c.i, c.clauseStart, c.clauseEnd), c.best);
  }
}

TEST_F(ContextScoreTest, UnclassifiedReadingIsScoredAndStoredAsSubstantive) {
  matrix_.SetValue(CategoryMatrix::BigramIndex(kClassSubstantive, kClassVerb), 3);
  SetSlot(buffer_, 0, {Reading(kClassUnclassified), Reading(kClassAdjective, 1)});
  SetSlot(buffer_, 1, {Reading(kClassVerb)});
  SetEndMarker(buffer_, 2);
  EXPECT_EQ(disambiguation_.ReadingScore(buffer_, 0, 0, 0, 2), 10 + 3);
  EXPECT_EQ(buffer_.slots[0].candidates[0].category, kClassSubstantive);
  EXPECT_EQ(buffer_.slots[0].candidates[1].category, kClassAdjective);
}

TEST_F(ContextScoreTest, NeighbourOfClassZeroReadsAsSubstantive) {
  matrix_.SetValue(CategoryMatrix::BigramIndex(kClassSubstantive, kClassVerb), 7);
  SetSlot(buffer_, 0, {Reading(kClassUnclassified)});
  SetSlot(buffer_, 1, {Reading(kClassAdjective), Reading(kClassVerb)});
  SetEndMarker(buffer_, 2);
  EXPECT_EQ(disambiguation_.ContextScore(buffer_, 1, 0, 2), 1);
}

TEST_F(ContextScoreTest, ScoresBelowTheFloorKeepTheFirstReading) {
  matrix_.SetValue(CategoryMatrix::BigramIndex(kClassSubstantive, kClassVerb), -7000);
  matrix_.SetValue(CategoryMatrix::BigramIndex(kClassSubstantive, kClassAdjective), -6500);
  SetSlot(buffer_, 0, {Reading(kClassSubstantive)});
  SetSlot(buffer_, 1, {Reading(kClassVerb), Reading(kClassAdjective)});
  SetEndMarker(buffer_, 2);
  EXPECT_EQ(disambiguation_.ContextScore(buffer_, 1, 0, 2), 0);
}

TEST_F(ContextScoreTest, LargeWeightsAddUpWithoutWrapping) {
  // 10 + 20000 + 20000 does not fit 16 bits; the sum must still beat 10.
  matrix_.SetValue(CategoryMatrix::BigramIndex(kClassSubstantive, kClassVerb), 20000);
  matrix_.SetValue(CategoryMatrix::TrigramIndex(kClassSubstantive, kClassVerb, kClassSubstantive), 20000);
  SetSlot(buffer_, 0, {Reading(kClassSubstantive)});
  SetSlot(buffer_, 1, {Reading(kClassAdjective, 1), Reading(kClassVerb)});
  SetSlot(buffer_, 2, {Reading(kClassSubstantive)});
  SetSlot(buffer_, 3, {Reading(kClassSubstantive)});
  SetEndMarker(buffer_, 4);
  EXPECT_EQ(disambiguation_.ReadingScore(buffer_, 1, 1, 0, 4), 40010);
  EXPECT_EQ(disambiguation_.ContextScore(buffer_, 1, 0, 4), 1);
}

TEST_F(ContextScoreTest, ClauseMarksCutTheSentence) {
  // noun , X , adjective /   X alone in its clause prefers the class before it.
  SetSlot(buffer_, 0, {Reading(kClassSubstantive)});
  SetSlot(buffer_, 1, {Reading(kClassAdjective, 1), Reading(kClassSubstantive)});
  SetSlot(buffer_, 2, {Reading(kClassAdjective, 1)});
  SetEndMarker(buffer_, 3);
  buffer_.clauseMarks[1] = 1;
  buffer_.clauseMarks[2] = 1;
  disambiguation_.DisambiguateSentence(buffer_);
  EXPECT_EQ(buffer_.slots[1].candidates[0].category, kClassSubstantive);
  EXPECT_EQ(buffer_.slots[1].highest, 0);
  // Without the commas the first reading stays.
  buffer_.Reset(0);
  SetSlot(buffer_, 0, {Reading(kClassSubstantive)});
  SetSlot(buffer_, 1, {Reading(kClassAdjective, 1), Reading(kClassSubstantive)});
  SetSlot(buffer_, 2, {Reading(kClassAdjective, 1)});
  SetEndMarker(buffer_, 3);
  disambiguation_.DisambiguateSentence(buffer_);
  EXPECT_EQ(buffer_.slots[1].candidates[0].category, kClassAdjective);
}

TEST_F(ContextScoreTest, RulesMoveTheirChoiceFirst) {
  WordCategory performative = Reading(kClassVerb, 4), stative = Reading(kClassVerb, 2);
  performative.modeMark = stative.modeMark = 1;
  WordCategory deixis = Reading(kClassPronoun, 4);
  deixis.tensePerson = 1;
  WordCategory subjunctive = Reading(kClassVerb, 1), pastIndicative = Reading(kClassVerb, 1),
               presentIndicative = Reading(kClassVerb, 1);
  subjunctive.modeMark = 3;
  subjunctive.tensePerson = 1;
  pastIndicative.modeMark = 1;
  pastIndicative.tensePerson = 2;
  presentIndicative.modeMark = 1;
  presentIndicative.tensePerson = 1;

  // Indicative preference.
  SetSlot(buffer_, 0, {Reading(kClassSubstantive), subjunctive, pastIndicative, presentIndicative});
  Disambiguation::IndicativePreference(buffer_.slots[0]);
  EXPECT_EQ(buffer_.slots[0].candidates[0].tensePerson, 1);
  EXPECT_EQ(buffer_.slots[0].candidates[0].modeMark, 1);
  EXPECT_TRUE(isSubstantive(buffer_.slots[0].candidates[1]));
  SetSlot(buffer_, 0, {Reading(kClassSubstantive), subjunctive, pastIndicative});
  Disambiguation::IndicativePreference(buffer_.slots[0]);
  EXPECT_EQ(buffer_.slots[0].candidates[0].tensePerson, 2);
  SetSlot(buffer_, 0, {Reading(kClassSubstantive), subjunctive});
  Disambiguation::IndicativePreference(buffer_.slots[0]);
  EXPECT_TRUE(isSubstantive(buffer_.slots[0].candidates[0]));

  // Performative choice.
  buffer_.Reset(0);
  SetSlot(buffer_, 0, {Reading(kClassPronoun, 3)});
  SetSlot(buffer_, 1, {performative, stative});
  SetEndMarker(buffer_, 2);
  Disambiguation::PerformativeChoice(buffer_, 1);
  EXPECT_TRUE(isStative(buffer_.slots[1].candidates[0]));
  buffer_.slots[0].candidates[0] = deixis;
  Disambiguation::PerformativeChoice(buffer_, 1);
  EXPECT_TRUE(isPerformative(buffer_.slots[1].candidates[0]));
  // Only when reading 0 is a verb.
  SetSlot(buffer_, 1, {Reading(kClassSubstantive), stative, performative});
  Disambiguation::PerformativeChoice(buffer_, 1);
  EXPECT_TRUE(isSubstantive(buffer_.slots[1].candidates[0]));
}

// Whole sentences of the mini edition through lookup and disambiguation.
class DisambiguationTest : public testing::MiniEditionAnalysis {
 protected:
  // The words left after both stages, each as "text:category" (with
  // mode and tense for verbs).
  std::vector<std::string> Resolve(const std::vector<Word>& words) {
    Fill(buffer_, words);
    analysis_.LookupSentence(buffer_);
    // The sentence buffer receives the slots that hold words.
    int n = 0;
    for (int i = 0; i < buffer_.count; ++i) {
      if (buffer_.slots[i].HoldsWord()) buffer_.slots[n++] = buffer_.slots[i];
    }
    buffer_.count = n;
    for (int i = 0; i < n; ++i) {
      buffer_.clauseMarks[i] = buffer_.slots[i].separator[0] == ',' ? 1 : 0;
    }
    analysis_.DisambiguateSentence(buffer_);
    std::vector<std::string> out;
    for (int i = 0; i < buffer_.count; ++i) {
      const WordSlot& slot = buffer_.slots[i];
      if (!slot.IsWord()) continue;
      const WordCategory& r = slot.candidates[0];
      std::string item = ToUtf8(slot.text) + ":" + std::to_string(r.category);
      if (isVerb(r)) item += "/" + std::to_string(r.modeMark) + "/" + std::to_string(r.tensePerson);
      out.push_back(item);
      EXPECT_EQ(slot.highest, 0) << item;
    }
    return out;
  }
  using Texts = std::vector<std::string>;
};

TEST_F(DisambiguationTest, CompoundTenses) {
  struct Case {
    std::vector<Word> words;
    Texts result;
  };
  const Case cases[] = {
      // A past participle after a present auxiliary: past indicative.
      {{{"am", ""}, {"mâncat", ""}}, {"am_mâncat:1/1/2"}},
      // One, two words between: the merged word at the auxiliary's place.
      {{{"am", ""}, {"mai", ""}, {"mâncat", ""}}, {"am_mâncat:1/1/2", "mai:3"}},
      {{{"am", ""}, {"și", ""}, {"mai", ""}, {"mâncat", ""}}, {"am_mâncat:1/1/2", "și:2", "mai:3"}},
      // Three words between: too far.
      {{{"am", ""}, {"și", ""}, {"tot", ""}, {"mai", ""}, {"mâncat", ""}},
       {"am:1/1/1", "și:2", "tot:6", "mai:3", "mâncat:1/4/2"}},
      // "aș fi" is an entry, a conditional auxiliary.
      {{{"aș", ""}, {"fi", ""}, {"spus", ""}}, {"aș_fi_spus:1/2/2"}},
      // A future auxiliary (or pronoun) before an indicative: nothing to
      // merge; the matrix prefers the pronoun before a verb.
      {{{"voi", ""}, {"merge", ""}}, {"voi:5", "merge:1/1/1"}},
      // The nearest verb before the participle is no auxiliary.
      {{{"vorbește", ""}, {"mâncat", ""}}, {"vorbește:1/1/1", "mâncat:1/4/2"}},
      // No verb before it.
      {{{"casa", ""}, {"mâncat", ""}}, {"casa:9", "mâncat:1/4/2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words.size() > 1 ? c.words[0].first + " " + c.words.back().first : c.words[0].first);
    EXPECT_EQ(Resolve(c.words), c.result);
  }
}

TEST_F(DisambiguationTest, MergedCompoundTenseGetsItsLemmaAndKeepsItsCapital) {
  Resolve({{"Am", ""}, {"mai", ""}, {"mâncat", ""}});
  const WordSlot* merged = Find(buffer_, "am_mâncat");
  ASSERT_NE(merged, nullptr);
  EXPECT_EQ(merged->lemma, VerbLemma("mânca"));
  EXPECT_NE(merged->lemma, 0u);
  EXPECT_EQ(merged->capitalisation, 1);
  // The participle's slot is emptied.
  EXPECT_FALSE(buffer_.slots[2].HoldsWord());
  EXPECT_STREQ(buffer_.slots[2].separator, " ");
}

TEST_F(DisambiguationTest, RulesOnWholeSentences) {
  struct Case {
    std::vector<Word> words;
    Texts result;
  };
  const Case cases[] = {
      // The indicative reading is preferred to the noun and the subjunctive.
      {{{"vine", ""}}, {"vine:1/1/1"}},
      {{{"venise", ""}}, {"venise:1/1/2"}},
      // The performative reading only with a first-person deixis pronoun.
      {{{"subsemnatul", ""}, {"promit", ""}}, {"subsemnatul:5", "promit:1/1/1"}},
      {{{"el", ""}, {"promit", ""}}, {"el:5", "promit:1/1/1"}},
      // The gerund fixed at lookup stays.
      {{{"tot", ""}, {"mergând", ""}}, {"tot:6", "mergând:1/4/1"}},
      // A sentence without a verb.
      {{{"casa", ""}, {"mare", ""}}, {"casa:9", "mare:4"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words.back().first);
    EXPECT_EQ(Resolve(c.words), c.result);
  }
  Resolve({{"subsemnatul", ""}, {"promit", ""}});
  EXPECT_TRUE(isPerformative(Find(buffer_, "promit")->candidates[0]));
  Resolve({{"el", ""}, {"promit", ""}});
  EXPECT_TRUE(isStative(Find(buffer_, "promit")->candidates[0]));
  EXPECT_EQ(Find(buffer_, "promit")->lemma, VerbLemma("promite"));
  Resolve({{"tot", ""}, {"mergând", ""}});
  EXPECT_TRUE(isGerund(Find(buffer_, "mergând")->candidates[0]));
}

TEST_F(DisambiguationTest, MatrixWeightsDecide) {
  // The mini matrix: a substantive after a determinant weighs 25.
  // The indicative preference puts the verb first; the matrix overrules it.
  Resolve({{"tot", ""}, {"zbor", ""}});
  EXPECT_TRUE(isSubstantive(Find(buffer_, "zbor")->candidates[0]));
  // A verb after a personal pronoun weighs 20 + 5.
  Resolve({{"el", ""}, {"zbor", ""}});
  EXPECT_TRUE(isVerb(Find(buffer_, "zbor")->candidates[0]));
  EXPECT_EQ(Find(buffer_, "zbor")->lemma, VerbLemma("zbura"));
}

}  // namespace
}  // namespace malvex
