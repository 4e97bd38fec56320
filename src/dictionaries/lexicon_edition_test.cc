// The lexicon of the mini edition (tests/data/edition-mini), compiled by
// malvex-mkdict into the build tree, read back with the engine's loaders.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "dictionaries/lemma_index.h"
#include "dictionaries/lexicon.h"
#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/string_pool.h"
#include "foundations/messages.h"
#include "platform/files.h"
#include "platform/scripted_box.h"
#include "test_support.h"

namespace malvex {
namespace {

const std::string kEdition = MALVEX_TEST_EDITION;

class MiniEditionTest : public ::testing::Test {
 protected:
  MiniEditionTest()
      : messages_(box_),
        tables_(DefaultLanguageTables()),
        lexicon_(messages_, tables_),
        semantic_(messages_, tables_, pool_),
        fallback_(semantic_),
        verbs_(29, 7, &messages_, &pool_) {
    lexicon_.Open(kEdition);
    semantic_.Load(kEdition);
    verbs_.Load(ChangeExtension(kEdition, kVerbLemmaExtension));
    lexicon_.SetFallback(&fallback_);
    lexicon_.SetLemmaSources(&verbs_, &semantic_);
  }

  int32_t LookupForm(int reading, std::string form) {
    return lexicon_.LookupForm(reading, form.data(), form.size(), true, true);
  }

  ScriptedBox box_;
  Messages messages_;
  LanguageTables tables_;
  StringPool pool_;
  Lexicon lexicon_;
  SemanticDictionary semantic_;
  SemanticLexiconFallback fallback_;
  LemmaIndex verbs_;
};

TEST_F(MiniEditionTest, ReadingsLiveInTheSegmentsOfTheirNumbers) {
  ASSERT_TRUE(lexicon_.Ready());
  struct Case {
    int reading;
    const char* form;
    int segment;
    uint16_t code;
  };
  const Case cases[] = {
      {0, "pas", 8, 0x0800 | kCodeAmbiguous},
      {1, "pas", 8 % 5 + 41, 0x0100},  // p: bucket 8
      {0, "pe", 18, 0x0209},
      {0, "a", 1, 0x0180 | kCodeAmbiguous},
      {2, "a", 50, 0x0513},
      {0, "3x", 10, 0x0800},
      {1, "mare", 43, 0x0800 | kCodeAmbiguous},
      {2, "mare", 50, 0x0307},
      {2, "vorb\xE3", 49, 0x0401},
  };
  for (const Case& c : cases) {
    const size_t length = std::strlen(c.form);
    EXPECT_EQ(lexicon_.SegmentOf(c.reading, c.form, length), c.segment) << c.form << c.reading;
    std::string form = c.form;
    EXPECT_GE(lexicon_.Lookup(c.reading, form.data(), form.size()), 0) << c.form << c.reading;
    EXPECT_EQ(lexicon_.code(), c.code) << c.form << c.reading;
    Trie32& segment = const_cast<Trie32&>(lexicon_.segment(c.segment));
    EXPECT_EQ(segment.ValueOf(c.form), c.code) << c.form << c.reading;
  }
  // A capitalised source form was stored folded.
  std::string tara = "\xDE" "AR\xC3";  // ŢARĂ
  EXPECT_GE(lexicon_.Lookup(0, tara.data(), tara.size()), 0);
}

TEST_F(MiniEditionTest, PrefixOnlyFormIsNotFoundButKnown) {
  EXPECT_EQ(LookupForm(0, "mar"), -1);  // "mare", "marea" go on
  EXPECT_TRUE(lexicon_.known());
  EXPECT_TRUE(lexicon_.reached());
  EXPECT_FALSE(lexicon_.defaulted());
  EXPECT_EQ(lexicon_.code(), 0);
  EXPECT_EQ(LookupForm(0, "marx"), -1);
  EXPECT_FALSE(lexicon_.known());
}

TEST_F(MiniEditionTest, FormKnownOnlyToTheSemanticDictionaryIsASubstantive) {
  EXPECT_EQ(LookupForm(0, "Robot"), 1);
  EXPECT_EQ(lexicon_.code(), 1);
  EXPECT_EQ(lexicon_.category().category, kClassSubstantive);
  EXPECT_TRUE(lexicon_.defaulted());
  EXPECT_TRUE(lexicon_.known());
  EXPECT_TRUE(lexicon_.inSemantic());
  // A prefix of a semantic word only.
  EXPECT_EQ(LookupForm(0, "robo"), -1);
  EXPECT_TRUE(lexicon_.known());
  EXPECT_TRUE(lexicon_.inSemantic());
  EXPECT_FALSE(lexicon_.defaulted());
  // Without the fallback the lexicon knows neither.
  lexicon_.SetFallback(nullptr);
  EXPECT_EQ(LookupForm(0, "robot"), -1);
  EXPECT_FALSE(lexicon_.known());
}

TEST_F(MiniEditionTest, VerbLemmas) {
  struct Case {
    const char* form;
    uint16_t code;
    bool ok;
    const char* lemma;
  };
  const Case cases[] = {
      {"vorbesc", 0x0100, true, "vorbi"},  // from the verb index
      {"vorbi", 0x0170, true, "vorbi"},    // a lemma is its own form
      {"am_merg", 0x0100, true, "merge"},  // the last word of a compound
      {"ave", 0x0170, true, "ave"},        // an infinitive is its own lemma
      {"am_ave", 0x0170, false, ""},       // ... but not within a compound
      {"zzz", 0x0100, false, ""},
  };
  for (const Case& c : cases) {
    LemmaSlots slots = {};
    std::strcpy(slots[0], c.form);
    std::strcpy(slots[4], "x");
    EXPECT_EQ(lexicon_.VerbLemma(DecodeCategory(c.code), slots), c.ok) << c.form;
    EXPECT_STREQ(slots[0], c.lemma) << c.form;
    if (!c.ok) {
      EXPECT_STREQ(slots[4], "") << c.form;
    }
  }
  std::string form = "mergem";
  EXPECT_TRUE(lexicon_.Lemma(form, DecodeCategory(0x0100), 0));
  EXPECT_EQ(form, "merge");
  form = "zzz";
  EXPECT_TRUE(lexicon_.Lemma(form, DecodeCategory(0x0100), 0));
  EXPECT_EQ(form, "");
  form = "frumo\xBAi";
  EXPECT_TRUE(lexicon_.Lemma(form, DecodeCategory(0x0402), 0));
  EXPECT_EQ(form, "frumo\xBAi");
}

TEST_F(MiniEditionTest, CompoundSubstantiveTakesThePartOfItsClass) {
  const int32_t dwelling = semantic_.ClassNumberOfName(1, "locuin\xFE\xE3");
  const int32_t water = semantic_.ClassNumberOfName(1, "ap\xE3");
  ASSERT_GT(dwelling, 0);
  ASSERT_GT(water, 0);
  struct Case {
    const char* form;
    uint8_t nounMark;
    int32_t cls;
    const char* lemma;
  };
  const Case cases[] = {
      {"cas\xE3_mare", 0, dwelling, "cas\xE3"},
      {"cas\xE3-mare", 0, water, "mare"},   // "mare" has the class at reading 0
      {"cas\xE3_mare", 0, 999, "cas\xE3_mare"},
      {"cas\xE3_mare", 3, dwelling, "cas\xE3_mare"},  // a name
      {"om_x", 0, dwelling, "om_x"},                   // 4 characters, no class
      {"o_m", 0, dwelling, "o_m"},                     // 3 characters
  };
  for (const Case& c : cases) {
    WordCategory noun;
    setSubstantive(noun);
    noun.modeMark = c.nounMark;
    std::string form = c.form;
    EXPECT_TRUE(lexicon_.Lemma(form, noun, c.cls)) << c.form;
    EXPECT_EQ(form, c.lemma) << c.form << " " << c.cls;
  }
}

TEST_F(MiniEditionTest, TheHashOfTheFirstLettersPlacesLemmasInTheirTries) {
  LemmaIndex adjectives(29, 7, &messages_, &pool_);
  adjectives.Load(ChangeExtension(kEdition, kAdjectiveLemmaExtension));
  ASSERT_TRUE(adjectives.ok());
  ASSERT_EQ(adjectives.Lemmas().index().TrieCount(), 7);
  // 'a' (0x61) mod 7 + 1 = 7; (0x61 + 0x62 + 0x63) mod 73 = 2, 2 mod 7 + 1 = 3.
  Trie16& seven = const_cast<Trie16&>(adjectives.Lemmas().index().TrieAt(7));
  Trie16& three = const_cast<Trie16&>(adjectives.Lemmas().index().TrieAt(3));
  EXPECT_NE(seven.ValueOf("a"), 0);
  EXPECT_NE(three.ValueOf("abc"), 0);
  EXPECT_EQ(adjectives.LemmaNumberOfLemma("abc"), three.ValueOf("abc"));
  EXPECT_STREQ(adjectives.LemmaOfForm("mari"), "mare");
}

TEST_F(MiniEditionTest, AVersionByteOf17StopsWithMessage12) {
  std::string image;
  ASSERT_TRUE(ReadWholeFile(ChangeExtension(kEdition, ".lv8"), image));
  image[0] = 17;
  testing::TempDir dir;
  ASSERT_TRUE(testing::WriteFile(dir.File("mini.lv8"), image));
  Lexicon lexicon(messages_, tables_);
  box_.ClearRecords();
  testing::CatchFatalExit fatal;
  try {
    lexicon.Open(dir.File("mini"));
    FAIL() << "no fatal exit";
  } catch (const testing::FatalExitCalled& e) {
    EXPECT_EQ(e.code, 1);
  }
  ASSERT_EQ(box_.asked().size(), 1u);
  EXPECT_EQ(box_.asked()[0].text, CatalogueText(12));
}

}  // namespace
}  // namespace malvex
