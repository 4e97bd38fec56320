#include "reading/lexical_lookup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reading/lexicon_analysis_test_fixture.h"

namespace malvex {
namespace {

using testing::W;
using testing::Word;

class LexicalLookupTest : public testing::MiniEditionAnalysis {
 protected:
  LexicalLookup& lookup() { return analysis_.lookup(); }

  // Looks the words up as one lexical buffer and returns the texts left.
  std::vector<std::string> Look(const std::vector<Word>& words) {
    Fill(buffer_, words);
    lookup().LookupSentence(buffer_);
    return Texts(buffer_);
  }
};

TEST_F(LexicalLookupTest, WordsGetTheirReadingsCapitalisationAndExpressionStart) {
  struct Case {
    const char* word;
    const char* next;  // separator of the following word
    const char* folded;
    uint8_t category;
    int highest;
    uint8_t capitalisation;
    bool expressionStart;
  };
  const Case cases[] = {
      {"Popescu", " ", "popescu", 0, 0, 1, false},  // a name the lexicon lacks
      {"NATO", " ", "nato", 0, 0, 2, false},         // an acronym
      {"xyzzy", " ", "xyzzy", 0, 0, 0, false},       // unknown, lower case
      {"zz", " ", "zz", 0, 0, 0, true},               // short words start expressions
      {"Casă", " ", "casă", 9, 0, 1, true},       // 0800: undetermined
      {"mare", " ", "mare", 4, 2, 0, true},           // adjective, noun, modality
      {"Mare", " ", "mare", 4, 2, 1, true},           // the same readings, capitalised
      {"robot", " ", "robot", 8, 0, 0, true},         // known to the semantic dictionary only
      {"web", " ", "web", 0, 0, 0, true},             // only the beginning of "website"
      {"12", " ", "12", 4, 0, 0, true},               // a number: numeral adjective
      {"1x", " ", "1x", 0, 0, 0, true},               // not a number: its last character is a letter
      {"l", "'", "l", 5, 0, 0, true},                 // a marked pronoun before an apostrophe
      {"l", " ", "l", 8, 0, 0, true},                 // ... otherwise a noun
      {"a", " ", "a", 1, 2, 0, true},                 // unmarked one-letter readings all kept
  };
  // The second round is answered from the table of recent answers, where
  // "l" before an apostrophe and "l" elsewhere, and the capitalised and the
  // lower-case forms of one word, are kept apart.
  for (int round = 0; round < 2; ++round) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.word) + (round == 0 ? " (first)" : " (again)"));
      Fill(buffer_, {{c.word, ""}, {"casa", c.next}}, false);
      lookup().LookupWord(buffer_, 0);
      const WordSlot& slot = buffer_.slots[0];
      EXPECT_EQ(std::string(slot.text), W(c.folded));
      EXPECT_EQ(slot.candidates[0].category, c.category);
      EXPECT_EQ(slot.highest, c.highest);
      EXPECT_EQ(slot.capitalisation, c.capitalisation);
      EXPECT_EQ(slot.expressionStart != 0, c.expressionStart);
      EXPECT_EQ(slot.lookupMark, 0);
      for (int k = 0; k <= slot.highest; ++k) {
        EXPECT_EQ(isAmbiguous(slot.candidates[k]), slot.highest > 0) << k;
      }
    }
  }
}

TEST_F(LexicalLookupTest, KeptAnswersStopOnceTheLexiconOverflowed) {
  // Kept first: the readings of "mare" and the join "de_la".
  EXPECT_EQ(Look({{"mare", ""}, {"de", ""}, {"la", ""}}), (std::vector<std::string>{"mare", "de_la"}));
  ASSERT_EQ(buffer_.slots[0].highest, 2);

  // A seventh reading asked of the lexicon: from then on every lookup
  // fails, and so must the words and joins met again.
  box_.QueueAnswer(kButton1);  // Yes: go on
  char form[] = "mare";
  EXPECT_EQ(lexicon_.LookupForm(6, form, 4, true, true), -1);
  ASSERT_TRUE(lexicon_.depthOverflow());
  EXPECT_EQ(Look({{"mare", ""}, {"de", ""}, {"la", ""}}), (std::vector<std::string>{"mare", "de", "la"}));
  EXPECT_EQ(buffer_.slots[0].highest, 0);
  EXPECT_TRUE(isUnclassified(buffer_.slots[0].candidates[0]));
}

TEST_F(LexicalLookupTest, NumeralReadingHasNoFlags) {
  Fill(buffer_, {{"2024", ""}});
  lookup().LookupWord(buffer_, 0);
  const WordCategory& r = buffer_.slots[0].candidates[0];
  EXPECT_TRUE(isNumeralAdjective(r));
  EXPECT_EQ(r.flags, 0);
  EXPECT_EQ(r.tensePerson, 0);
  EXPECT_EQ(r.modeMark, 0);
}

TEST_F(LexicalLookupTest, AmbiguousReadingsComeInLexiconOrder) {
  Fill(buffer_, {{"mare", ""}});
  lookup().LookupWord(buffer_, 0);
  const WordSlot& slot = buffer_.slots[0];
  ASSERT_EQ(slot.highest, 2);
  EXPECT_TRUE(isAdjective(slot.candidates[0]));
  EXPECT_TRUE(isUndetermined(slot.candidates[1]));
  EXPECT_TRUE(isModality(slot.candidates[2]));
  EXPECT_TRUE(isAmbiguous(slot.candidates[2]));  // the last reading gets the flag too
}

TEST_F(LexicalLookupTest, EndMarkersAndEmptySlotsAreLeftAlone) {
  Fill(buffer_, {{"Casa", ""}});
  buffer_.slots[1].candidates[0].category = 9;  // the end marker's
  lookup().LookupWord(buffer_, 1);
  EXPECT_EQ(buffer_.slots[1].candidates[0].category, 9);
  EXPECT_STREQ(buffer_.slots[1].text, "/");
}

TEST_F(LexicalLookupTest, ExpressionsAndNumbersMerge) {
  struct Case {
    std::vector<Word> words;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      // An entry of two words.
      {{{"de", ""}, {"la", ""}, {"casa", ""}}, {"de_la", "casa"}},
      {{{"Bună", ""}, {"ziua", ""}}, {"bună_ziua"}},
      // The longest entry through a text that only begins one.
      {{{"în", ""}, {"ciuda", ""}, {"faptului", ""}, {"casa", ""}}, {"în_ciuda_faptului", "casa"}},
      // A beginning that leads to no entry merges nothing.
      {{{"în", ""}, {"ciuda", ""}, {"vremii", ""}}, {"în", "ciuda", "vremii"}},
      // Hyphens: stored with the hyphen, written together, stored with an
      // underscore.
      {{{"într", ""}, {"un", "-"}, {"om", ""}}, {"într-un", "om"}},
      {{{"într", ""}, {"un", ""}, {"om", ""}}, {"într", "un", "om"}},  // no entry begins with "într_"
      {{{"web", ""}, {"site", "-"}}, {"website"}},
      {{{"ex", ""}, {"ministru", "-"}}, {"ex_ministru"}},
      // Numbers.
      {{{"3", ""}, {"14", ","}}, {"3,14"}},
      {{{"12", ""}, {"30", ":"}}, {"12:30"}},
      {{{"12", ""}, {"30", ":"}, {"45", ":"}}, {"12:30", "45"}},  // 12:30_45 would be too long
      {{{"2", ""}, {"3", ":"}, {"4", ":"}}, {"2:3:4"}},
      {{{"3", ""}, {"4", "/"}}, {"3/4"}},
      {{{"3", ""}, {"100", "/"}}, {"3", "100"}},
      {{{"1", ""}, {"5", ","}, {"6", ","}}, {"1,5", "6"}},
      {{{"1", ""}, {"000", "."}, {"000", "."}}, {"1.000.000"}},
      {{{"10", ""}, {"000", "."}, {"000", "."}}, {"10.000.000"}},
      {{{"1", ""}, {"5", "."}, {"6", ","}}, {"1.5", "6"}},
      {{{"3", ""}, {"4", "/"}, {"5", "/"}}, {"3/4", "5"}},
      {{{"3", ""}, {"x4", ","}}, {"3", "x4"}},
      {{{"3", ""}, {"4", ";"}}, {"3", "4"}},
      // Programming languages.
      {{{"C", ""}, {"java", "++"}}, {"c++", "java"}},
      {{{"c", ""}, {"java", "#,"}}, {"c#", "java"}},
      // An end marker ends an expression.
      {{{"de", ""}}, {"de"}},
  };
  // The second round is answered from the lookup's tables of recent
  // answers: the same merges.
  for (int round = 0; round < 2; ++round) {
    for (const Case& c : cases) {
      std::string trace = "round " + std::to_string(round) + ":";
      for (const Word& w : c.words) trace += " " + w.second + w.first;
      SCOPED_TRACE(trace);
      EXPECT_EQ(Look(c.words), c.texts);
    }
  }
}

TEST_F(LexicalLookupTest, MergedWordTakesTheReadingsOfTheEntry) {
  Look({{"În", ""}, {"ciuda", ""}, {"faptului", ""}});
  const WordSlot& slot = buffer_.slots[0];
  EXPECT_TRUE(isConnector(slot.candidates[0]));
  EXPECT_EQ(slot.highest, 0);
  EXPECT_EQ(slot.capitalisation, 1);
  // The merged words' slots are empty.
  EXPECT_EQ(buffer_.slots[1].empty, 1);
  EXPECT_EQ(buffer_.slots[2].empty, 1);
  EXPECT_FALSE(buffer_.slots[2].HoldsWord());

  // The highest capitalisation of the merged words.
  Look({{"bună", ""}, {"ZIua", ""}});
  EXPECT_EQ(buffer_.slots[0].capitalisation, 2);
}

TEST_F(LexicalLookupTest, MergedNumberIsANumeral) {
  Look({{"Capitolul", ""}, {"3", ""}, {"14", ","}});
  const WordSlot* number = Find(buffer_, "3,14");
  ASSERT_NE(number, nullptr);
  EXPECT_TRUE(isNumeralAdjective(number->candidates[0]));
  EXPECT_EQ(number->highest, 0);
}

TEST_F(LexicalLookupTest, ApostropheJoinRecordsItsPosition) {
  EXPECT_EQ(Look({{"n", ""}, {"a", "'"}, {"casa", ""}}), (std::vector<std::string>{"n_a", "casa"}));
  EXPECT_EQ(buffer_.slots[0].apostrophePos, 1);
  EXPECT_STREQ(buffer_.slots[1].separator, " ");
  EXPECT_TRUE(isSubstantive(buffer_.slots[0].candidates[0]));
  // Without the apostrophe the same entry leaves no mark.
  EXPECT_EQ(Look({{"n", ""}, {"a", ""}}), (std::vector<std::string>{"n_a"}));
  EXPECT_EQ(buffer_.slots[0].apostrophePos, 0);
}

TEST_F(LexicalLookupTest, ProgrammingLanguageKeepsTheRestOfThePunctuation) {
  Look({{"c", ""}, {"java", "++,"}});
  EXPECT_STREQ(buffer_.slots[1].separator, ",");
  const WordCategory& r = buffer_.slots[0].candidates[0];
  EXPECT_EQ(r.category, kClassSubstantive);
  EXPECT_EQ(r.flags, 0);
  Look({{"c", ""}, {"java", "++"}});
  EXPECT_STREQ(buffer_.slots[1].separator, " ");
  // A single plus is no name.
  EXPECT_EQ(Look({{"c", ""}, {"java", "+"}}), (std::vector<std::string>{"c", "java"}));
}

TEST_F(LexicalLookupTest, JoinsStopBelowSeventyNineCharacters) {
  const std::string a(40, '1');
  // 40 + "." + 37 = 78 characters: merged; 40 + "." + 38 = 79: refused.
  EXPECT_EQ(Look({{a, ""}, {std::string(37, '2'), "."}}), (std::vector<std::string>{a + "." + std::string(37, '2')}));
  EXPECT_EQ(Look({{a, ""}, {std::string(38, '2'), "."}}), (std::vector<std::string>{a, std::string(38, '2')}));
}

TEST_F(LexicalLookupTest, GerundAfterAMarkedDeterminant) {
  struct Case {
    std::vector<Word> words;
    bool gerund;
  };
  const Case cases[] = {
      {{{"tot", ""}, {"mergând", ""}}, true},
      {{{"tot", ""}, {"foarte", ""}, {"mergând", ""}}, true},
      {{{"tot", ""}, {"foarte", ""}, {"foarte", ""}, {"mergând", ""}}, false},  // too far
      {{{"pe", ""}, {"mergând", ""}}, false},                                   // no sub-mark
      {{{"mergând", ""}, {"tot", ""}}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.words.size());
    Look(c.words);
    const WordSlot* slot = Find(buffer_, "mergând");
    ASSERT_NE(slot, nullptr);
    const WordCategory& r = slot->candidates[0];
    if (c.gerund) {
      EXPECT_EQ(slot->highest, 0);
      EXPECT_TRUE(isVerb(r) && isPresentParticiple(r));
      EXPECT_TRUE(isGerund(r));
      EXPECT_FALSE(isAmbiguous(r));
    } else {
      EXPECT_EQ(slot->highest, 1);
      EXPECT_TRUE(isSubstantive(r));
      EXPECT_FALSE(isGerund(slot->candidates[1]));
    }
  }
}

TEST_F(LexicalLookupTest, LemmaNumbersOfVerbsAndAdjectives) {
  struct Case {
    const char* text;
    uint16_t code;
    const char* verbLemma;       // expected verb lemma, or null
    const char* adjectiveLemma;  // expected adjective lemma, or null
  };
  const Case cases[] = {
      {"vorbesc", 0x0100, "vorbi", nullptr},      // a form of the index
      {"vorbi", 0x0170, "vorbi", nullptr},        // a lemma is its own form
      {"am_mâncat", 0x0144, "mânca", nullptr},    // a compound: the lemma of its last word
      {"frumoși", 0x0402, nullptr, "frumos"},
      {"casă", 0x0800, nullptr, nullptr},
      {"zzz", 0x0100, nullptr, nullptr},          // no lemma to be found
  };
  for (int round = 0; round < 2; ++round) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(c.text) + (round == 0 ? "" : " again"));
      Fill(buffer_, {{c.text, ""}});
      buffer_.slots[0].candidates[0] = DecodeCategory(c.code);
      buffer_.slots[0].lemma = 77;
      lookup().AssignLemma(buffer_, 0);
      uint32_t expected = 0;
      if (c.verbLemma != nullptr) expected = VerbLemma(c.verbLemma);
      if (c.adjectiveLemma != nullptr) expected = AdjectiveLemma(c.adjectiveLemma);
      if (c.verbLemma != nullptr || c.adjectiveLemma != nullptr) {
        EXPECT_NE(expected, 0u);
      }
      EXPECT_EQ(buffer_.slots[0].lemma, expected);
    }
  }
}

TEST_F(LexicalLookupTest, UnknownAdjectiveBecomesItsOwnLemmaInAGrowingIndex) {
  LemmaIndex adjectives(29, 7, &messages_, &pool_);
  adjectives.CreateEmpty();
  LexicalLookup lookup(lexicon_, tables_, nullptr, &adjectives, true);
  Fill(buffer_, {{"verzui", ""}, {"zzz", ""}});
  buffer_.slots[0].candidates[0] = DecodeCategory(0x0401);
  buffer_.slots[1].candidates[0] = DecodeCategory(0x0100);
  lookup.AssignLemma(buffer_, 0);
  lookup.AssignLemma(buffer_, 1);
  ASSERT_NE(buffer_.slots[0].lemma, 0u);
  EXPECT_STREQ(adjectives.LemmaText(buffer_.slots[0].lemma), "verzui");
  EXPECT_EQ(buffer_.slots[1].lemma, 0u);  // no verb index
  // Met again, the same number.
  lookup.AssignLemma(buffer_, 0);
  EXPECT_EQ(adjectives.LemmaCount(), 1u);
}

TEST(MoveReadingToFrontTest, KeepsTheOrderOfTheOthers) {
  WordSlot slot{};
  for (uint8_t k = 0; k < 4; ++k) slot.candidates[k].category = static_cast<uint8_t>(k + 1);
  MoveReadingToFront(slot, 2);
  EXPECT_EQ(slot.candidates[0].category, 3);
  EXPECT_EQ(slot.candidates[1].category, 1);
  EXPECT_EQ(slot.candidates[2].category, 2);
  EXPECT_EQ(slot.candidates[3].category, 4);
  MoveReadingToFront(slot, 0);
  EXPECT_EQ(slot.candidates[0].category, 3);
}

}  // namespace
}  // namespace malvex
