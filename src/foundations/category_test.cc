#include "foundations/category.h"

#include <gtest/gtest.h>

#include <string>

#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

struct DecodeCase {
  uint16_t code;
  uint8_t category, subcategory, tensePerson, modeMark, flags;
};

class DecodeTest : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTest, GivesTheRecord) {
  const DecodeCase& c = GetParam();
  const WordCategory r = DecodeCategory(c.code);
  EXPECT_EQ(r.category, c.category);
  EXPECT_EQ(r.subcategory, c.subcategory);
  EXPECT_EQ(r.tensePerson, c.tensePerson);
  EXPECT_EQ(r.modeMark, c.modeMark);
  EXPECT_EQ(r.flags, c.flags);
  EXPECT_EQ(r.reserved, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, DecodeTest,
    ::testing::Values(
        // Substantives: class field 0, 7, 9..15; noun mark from bits 4, 5, 6.
        DecodeCase{0x0000, 8, 0, 0, 0, 0}, DecodeCase{0x8000, 8, 0, 0, 0, kFlagAmbiguous},
        DecodeCase{0x4700, 8, 0, 0, 0, kFlagFundamental}, DecodeCase{0x0F00, 8, 0, 0, 0, 0},
        DecodeCase{0x0010, 8, 0, 0, 1, 0}, DecodeCase{0x0070, 8, 0, 0, 1, 0},
        DecodeCase{0x0960, 8, 0, 0, 2, 0}, DecodeCase{0x0040, 8, 0, 0, 3, 0},
        // Verbs: subclass bits 1..0, tense bits 3..2, mode bits 6..4, bit 7 auxiliary.
        DecodeCase{0x0100, 1, 1, 1, 1, 0}, DecodeCase{0x0103, 1, 4, 1, 1, 0},
        DecodeCase{0x0105, 1, 2, 2, 1, 0}, DecodeCase{0x010A, 1, 3, 3, 1, 0},
        DecodeCase{0x010C, 1, 1, 4, 1, 0}, DecodeCase{0x0110, 1, 1, 1, 2, 0},
        DecodeCase{0x0120, 1, 1, 1, 3, 0}, DecodeCase{0x0130, 1, 1, 1, 6, 0},
        DecodeCase{0x0140, 1, 1, 1, 4, 0}, DecodeCase{0x0160, 1, 1, 1, 4, 0},
        DecodeCase{0x0170, 1, 1, 1, 5, 0}, DecodeCase{0x0181, 1, 2, 1, 1, kFlagAuxiliary},
        DecodeCase{0xC100, 1, 1, 1, 1, kFlagFundamental | kFlagAmbiguous},
        // Connectors: the dictionary order differs for details 2..6.
        DecodeCase{0x0200, 2, 0, 0, 0, 0}, DecodeCase{0x0201, 2, 1, 0, 0, 0},
        DecodeCase{0x0202, 2, 3, 0, 0, 0}, DecodeCase{0x0203, 2, 4, 0, 0, 0},
        DecodeCase{0x0204, 2, 2, 0, 0, 0}, DecodeCase{0x0205, 2, 6, 0, 0, 0},
        DecodeCase{0x0206, 2, 5, 0, 0, 0}, DecodeCase{0x0207, 2, 7, 0, 0, 0},
        DecodeCase{0x020A, 2, 10, 0, 0, 0}, DecodeCase{0x020B, 2, 0, 0, 0, 0},
        DecodeCase{0x02FF, 2, 0, 0, 0, 0},
        // Modalities.
        DecodeCase{0x0301, 3, 1, 0, 0, 0}, DecodeCase{0x0307, 3, 7, 0, 0, 0},
        DecodeCase{0x0308, 3, 0, 0, 0, 0},
        // Adjectives always get a subclass.
        DecodeCase{0x0403, 4, 3, 0, 0, 0}, DecodeCase{0x0405, 4, 4, 0, 0, 0},
        DecodeCase{0x0400, 4, 4, 0, 0, 0},
        // Pronouns: subclass from the low nibble, person from the high one.
        DecodeCase{0x0536, 5, 0, 3, 0, 0}, DecodeCase{0x0513, 5, 3, 1, 0, 0},
        DecodeCase{0x0575, 5, 5, 7, 0, 0}, DecodeCase{0x2584, 5, 4, 0, 1, 0},
        // Determinants: the sub-mark is read for class 6 only.
        DecodeCase{0x0601, 7, 0, 0, 0, 0}, DecodeCase{0x0602, 6, 0, 0, 0, 0},
        DecodeCase{0x3601, 7, 0, 0, 1, 0}, DecodeCase{0x3602, 6, 0, 1, 1, 0},
        DecodeCase{0x1600, 6, 0, 1, 0, 0},
        // Undetermined.
        DecodeCase{0x0800, 9, 0, 0, 0, 0}, DecodeCase{0x88FF, 9, 0, 0, 0, kFlagAmbiguous}));

TEST(CategoryTest, SameWordClassLooksOnlyAtTheClassField) {
  EXPECT_TRUE(SameWordClass(0x8103, 0x0100));
  EXPECT_TRUE(SameWordClass(0xF000, 0x0000));
  EXPECT_TRUE(SameWordClass(0x05FF, 0x3500));
  EXPECT_FALSE(SameWordClass(0x0100, 0x0200));
  EXPECT_FALSE(SameWordClass(0x0000, 0x0800));
}

TEST(CategoryTest, MatchesCriterionIgnoresZeroCriterionFields) {
  const WordCategory pastVerb = DecodeCategory(0x0106);  // reflexive, past
  WordCategory criterion;
  criterion.category = 1;
  EXPECT_TRUE(matchesCriterion(pastVerb, criterion));
  criterion.subcategory = 3;
  EXPECT_TRUE(matchesCriterion(pastVerb, criterion));
  criterion.subcategory = 2;
  EXPECT_FALSE(matchesCriterion(pastVerb, criterion));
  criterion.subcategory = 3;
  criterion.tensePerson = 1;
  EXPECT_FALSE(matchesCriterion(pastVerb, criterion));
  criterion.tensePerson = 2;
  criterion.modeMark = 6;  // not compared
  criterion.flags = 0xFF;  // not compared
  EXPECT_TRUE(matchesCriterion(pastVerb, criterion));
  criterion.category = 8;
  EXPECT_FALSE(matchesCriterion(pastVerb, criterion));
}

TEST(CategoryTest, Setters) {
  WordCategory c = DecodeCategory(0xC536);
  setSubstantive(c);
  EXPECT_EQ(c.category, 8);
  EXPECT_EQ(c.subcategory + c.tensePerson + c.modeMark + c.flags + c.reserved, 0);

  WordCategory unclassified;
  EXPECT_EQ(defaultToSubstantive(unclassified), 8);
  EXPECT_EQ(unclassified.category, 8);
  WordCategory verb = DecodeCategory(0x0100);
  EXPECT_EQ(defaultToSubstantive(verb), 1);

  WordCategory numeral = DecodeCategory(0xC575);  // pronoun with person, flags
  numeral.reserved = 9;
  setNumeralAdjective(numeral);
  EXPECT_TRUE(isNumeralAdjective(numeral));
  EXPECT_EQ(numeral.flags, 0);
  EXPECT_EQ(numeral.tensePerson, 7);  // untouched
  EXPECT_EQ(numeral.reserved, 9);     // untouched

  WordCategory modality = DecodeCategory(0xC181);
  setModality(modality, 6);
  EXPECT_TRUE(isModality(modality));
  EXPECT_TRUE(isNegationModality(modality));
  EXPECT_EQ(modality.flags + modality.tensePerson + modality.modeMark, 0);
}

TEST(CategoryTest, TestsReadTheirField) {
  const WordCategory presentParticiple = DecodeCategory(0x0140);
  EXPECT_TRUE(isVerb(presentParticiple));
  EXPECT_TRUE(isParticiple(presentParticiple));
  EXPECT_TRUE(isPresentParticiple(presentParticiple));
  EXPECT_FALSE(isPastParticiple(presentParticiple));
  EXPECT_TRUE(isPastParticiple(DecodeCategory(0x0144)));

  EXPECT_TRUE(isSubstantive(WordCategory{}));
  EXPECT_TRUE(isUnclassified(WordCategory{}));
  EXPECT_TRUE(isSubstantive(DecodeCategory(0x0000)));
  EXPECT_FALSE(isSubstantive(DecodeCategory(0x0800)));
  EXPECT_TRUE(isUndetermined(DecodeCategory(0x0800)));
  EXPECT_TRUE(isDeterminantKind1(DecodeCategory(0x0601)));
  EXPECT_TRUE(isDeterminant(DecodeCategory(0x0602)));

  const WordCategory personal = DecodeCategory(0x0513);
  EXPECT_TRUE(isPersonal(personal));
  EXPECT_TRUE(hasPerson(personal, 1));
  EXPECT_TRUE(isPersonOrDeixis(personal));
  EXPECT_TRUE(isPersonOrDeixis(DecodeCategory(0x0504)));       // deixis, no person
  EXPECT_FALSE(isPersonOrDeixis(DecodeCategory(0x0503)));      // personal, no person
  EXPECT_FALSE(isPersonOrDeixis(DecodeCategory(0x0512)));      // possessive

  EXPECT_TRUE(isCauseConnector(DecodeCategory(0x0204)));
  EXPECT_TRUE(isGoalConnector(DecodeCategory(0x0202)));
  EXPECT_TRUE(isMannerConnector(DecodeCategory(0x020A)));
  EXPECT_TRUE(isDoubtModality(DecodeCategory(0x0305)));

  const WordCategory name = DecodeCategory(0x0040);  // noun mark 3
  EXPECT_TRUE(isNameLike(name));
  EXPECT_TRUE(nounMarkBit0(name));
  EXPECT_TRUE(nounMarkBit1(name));
  EXPECT_FALSE(hasNounMark1(name));
  const WordCategory mark2 = DecodeCategory(0x0020);
  EXPECT_TRUE(nounMarkBit1(mark2));
  EXPECT_FALSE(isNameLike(mark2));
  EXPECT_TRUE(hasNounMark1(DecodeCategory(0x0010)));

  WordCategory gerund = DecodeCategory(0x0140);
  gerund.flags = kFlagGerund | kFlagAuxiliary;
  EXPECT_TRUE(isGerund(gerund));
  EXPECT_TRUE(isAuxiliary(gerund));
  EXPECT_FALSE(isAmbiguous(gerund));
  EXPECT_FALSE(isFundamental(gerund));
}

class LabelTest : public ::testing::Test {
 protected:
  ScriptedBox box_;
  Messages messages_{box_};

  void TearDown() override {
    // Every label id is in the catalogue: no internal-error box.
    EXPECT_TRUE(box_.lastResortErrors().empty());
  }
};

TEST_F(LabelTest, ShortLabelNamesTheClass) {
  const struct {
    uint8_t category;
    const char* label;
  } cases[] = {{0, " (Substantive)"}, {1, " (Verb)"},        {2, " (Connector)"},
               {3, " (Modality)"},    {4, " (Adjective)"},   {5, " (Pronoun)"},
               {6, " (Determinant)"}, {7, " (Determinant)"}, {8, " (Substantive)"},
               {9, " (Substantive)"}, {12, " (Substantive)"}};
  for (const auto& c : cases) {
    WordCategory r;
    r.category = c.category;
    EXPECT_EQ(ShortLabel(messages_, r), c.label) << int(c.category);
  }
}

TEST_F(LabelTest, LongLabel) {
  const struct {
    uint16_t code;
    bool withTenseAndMode;
    const char* label;
  } cases[] = {
      {0x0103, true, "   ( Verb Performative Indicative Present )"},
      {0x0103, false, "   ( Verb Performative )"},
      {0x0176, true, "   ( Verb Reflexive Infinitive Past )"},
      {0x8181, true, "   ( >ambiguity<  Verb Stative Indicative Present Auxiliary )"},
      {0x0301, true, "   ( Modality Time )"},
      {0x0304, true, "   ( Modality Assertion )"},
      {0x0300, true, "   ( Modality )"},
      {0x0204, true, "   ( Connector Cause )"},
      {0x020A, true, "   ( Connector Manner )"},
      {0x0405, true, "   ( Adjective Others )"},
      {0x0402, true, "   ( Adjective Subjective )"},
      {0x0514, true, "   ( Pronoun Deixis * )"},
      {0x0536, true, "   ( Pronoun )"},
      {0x0601, true, "   ( Determinant )"},
      {0x0602, true, "   ( Determinant )"},
      {0x0000, true, "   ( Substantive )"},
      {0x4000, true, "   ( Substantive )"},
      {0x0800, true, "   ( ??? )"},
      {0x8800, true, "   ( >ambiguity<  ??? )"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LongLabel(messages_, DecodeCategory(c.code), c.withTenseAndMode), c.label)
        << std::hex << c.code;
  }
}

TEST_F(LabelTest, GerundReplacesModeAndDropsTense) {
  WordCategory gerund = DecodeCategory(0x0140);  // factive present participle
  gerund.flags = kFlagGerund;
  EXPECT_EQ(LongLabel(messages_, gerund, true), "   ( Verb Factive Gerund )");
  EXPECT_EQ(LongLabel(messages_, gerund, false), "   ( Verb Factive )");
  gerund.flags |= kFlagAuxiliary;
  EXPECT_EQ(LongLabel(messages_, gerund, true), "   ( Verb Factive Gerund Auxiliary )");
}

TEST_F(LabelTest, OutOfRangeFieldsAddNoLabel) {
  WordCategory odd;
  odd.category = 1;
  odd.subcategory = 9;
  odd.tensePerson = 0;
  odd.modeMark = 7;
  EXPECT_EQ(LongLabel(messages_, odd, true), "   ( Verb )");
  odd.category = 2;
  odd.subcategory = 11;
  EXPECT_EQ(LongLabel(messages_, odd, true), "   ( Connector )");
}

TEST_F(LabelTest, UnknownClassShowsOnlyTheFundamentalFlag) {
  WordCategory odd;
  odd.category = 12;
  EXPECT_EQ(LongLabel(messages_, odd, true), "   (  )");
  odd.flags = kFlagFundamental;
  EXPECT_EQ(LongLabel(messages_, odd, true), "   ( Fundamental )");
}

}  // namespace
}  // namespace malvex
