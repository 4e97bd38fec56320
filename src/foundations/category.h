// Grammatical categories: the 16-bit category code stored in the
// dictionaries and the 6-byte WordCategory record the rest of the system
// holds, tests, counts and displays.
#pragma once

#include <cstdint>
#include <string>

namespace malvex {

class Messages;

struct WordCategory {
  uint8_t category = 0;     // word class 0..9
  uint8_t subcategory = 0;  // subclass within the class, 0 none
  uint8_t tensePerson = 0;  // verbs: tense; pronouns: person
  uint8_t modeMark = 0;     // verbs: mode; substantives: noun mark
  uint8_t flags = 0;        // bit 0 fundamental, 1 auxiliary, 2 ambiguous, 3 gerund
  uint8_t reserved = 0;
};
static_assert(sizeof(WordCategory) == 6);

// Word classes held in WordCategory::category.
inline constexpr uint8_t kClassUnclassified = 0;
inline constexpr uint8_t kClassVerb = 1;
inline constexpr uint8_t kClassConnector = 2;
inline constexpr uint8_t kClassModality = 3;
inline constexpr uint8_t kClassAdjective = 4;
inline constexpr uint8_t kClassPronoun = 5;
inline constexpr uint8_t kClassDeterminant = 6;
inline constexpr uint8_t kClassDeterminantKind1 = 7;
inline constexpr uint8_t kClassSubstantive = 8;
inline constexpr uint8_t kClassUndetermined = 9;

// Bits of WordCategory::flags.
inline constexpr uint8_t kFlagFundamental = 0x01;
inline constexpr uint8_t kFlagAuxiliary = 0x02;
inline constexpr uint8_t kFlagAmbiguous = 0x04;
inline constexpr uint8_t kFlagGerund = 0x08;

// Bit 15 of a category code: the form has a further reading.
inline constexpr uint16_t kCodeAmbiguous = 0x8000;

// Turns a dictionary category code into its record. Every code decodes; an
// unknown class field gives a substantive.
WordCategory DecodeCategory(uint16_t code);

// True when the word-class fields (bits 11..8) of the two codes are equal.
bool SameWordClass(uint16_t a, uint16_t b);

// " (" + class name + ")", for instance " (Verb)".
std::string ShortLabel(Messages& messages, const WordCategory& c);

// The full description, for instance "   ( Verb Factive Indicative Present )";
// the mode and tense only when `withTenseAndMode`.
std::string LongLabel(Messages& messages, const WordCategory& c, bool withTenseAndMode);

// True when `word` has the class of `criterion` and, where the criterion's
// subcategory or tensePerson is non-zero, the same value there too.
bool matchesCriterion(const WordCategory& word, const WordCategory& criterion);

// Record setters used by the analysers.
// Zeroes the record and makes it a substantive.
void setSubstantive(WordCategory& c);
// An unclassified record becomes a substantive; returns the resulting class.
uint8_t defaultToSubstantive(WordCategory& c);
// Makes the record a numeral adjective with no flags; bytes 2, 3 and 5 stay.
void setNumeralAdjective(WordCategory& c);
// Zeroes the record and makes it a modality of `subclass`.
void setModality(WordCategory& c, uint8_t subclass);

// Category tests. Each reads one field; none checks the class unless said.

// Class 0 (not yet classified) counts as a substantive.
inline bool isSubstantive(const WordCategory& c) { return c.category == 0 || c.category == 8; }
inline bool isUnclassified(const WordCategory& c) { return c.category == 0; }
inline bool isVerb(const WordCategory& c) { return c.category == 1; }
inline bool isConnector(const WordCategory& c) { return c.category == 2; }
inline bool isModality(const WordCategory& c) { return c.category == 3; }
inline bool isAdjective(const WordCategory& c) { return c.category == 4; }
inline bool isPronoun(const WordCategory& c) { return c.category == 5; }
inline bool isDeterminant(const WordCategory& c) { return c.category == 6; }
inline bool isDeterminantKind1(const WordCategory& c) { return c.category == 7; }
inline bool isUndetermined(const WordCategory& c) { return c.category == 9; }

// Verb subclasses.
inline bool isFactive(const WordCategory& c) { return c.subcategory == 1; }
inline bool isStative(const WordCategory& c) { return c.subcategory == 2; }
inline bool isReflexive(const WordCategory& c) { return c.subcategory == 3; }
inline bool isPerformative(const WordCategory& c) { return c.subcategory == 4; }

// Verb tenses.
inline bool isPresent(const WordCategory& c) { return c.tensePerson == 1; }
inline bool isPast(const WordCategory& c) { return c.tensePerson == 2; }
inline bool isFuture(const WordCategory& c) { return c.tensePerson == 3; }
inline bool isOtherTense(const WordCategory& c) { return c.tensePerson == 4; }

// Verb modes.
inline bool isIndicative(const WordCategory& c) { return c.modeMark == 1; }
inline bool isConditional(const WordCategory& c) { return c.modeMark == 2; }
inline bool isSubjunctive(const WordCategory& c) { return c.modeMark == 3; }
inline bool isParticiple(const WordCategory& c) { return c.modeMark == 4; }
inline bool isInfinitive(const WordCategory& c) { return c.modeMark == 5; }
inline bool isOtherMode(const WordCategory& c) { return c.modeMark == 6; }
inline bool isPresentParticiple(const WordCategory& c) {
  return c.modeMark == 4 && c.tensePerson == 1;
}
inline bool isPastParticiple(const WordCategory& c) {
  return c.modeMark == 4 && c.tensePerson == 2;
}

// Connector subclasses.
inline bool isConditionConnector(const WordCategory& c) { return c.subcategory == 1; }
inline bool isCauseConnector(const WordCategory& c) { return c.subcategory == 2; }
inline bool isGoalConnector(const WordCategory& c) { return c.subcategory == 3; }
inline bool isAdditionConnector(const WordCategory& c) { return c.subcategory == 4; }
inline bool isDisjunctionConnector(const WordCategory& c) { return c.subcategory == 5; }
inline bool isOppositionConnector(const WordCategory& c) { return c.subcategory == 6; }
inline bool isComparisonConnector(const WordCategory& c) { return c.subcategory == 7; }
inline bool isTimeConnector(const WordCategory& c) { return c.subcategory == 8; }
inline bool isPlaceConnector(const WordCategory& c) { return c.subcategory == 9; }
inline bool isMannerConnector(const WordCategory& c) { return c.subcategory == 10; }

// Modality subclasses.
inline bool isTimeModality(const WordCategory& c) { return c.subcategory == 1; }
inline bool isPlaceModality(const WordCategory& c) { return c.subcategory == 2; }
inline bool isMannerModality(const WordCategory& c) { return c.subcategory == 3; }
inline bool isAssertionModality(const WordCategory& c) { return c.subcategory == 4; }
inline bool isDoubtModality(const WordCategory& c) { return c.subcategory == 5; }
inline bool isNegationModality(const WordCategory& c) { return c.subcategory == 6; }
inline bool isIntensityModality(const WordCategory& c) { return c.subcategory == 7; }

// Pronoun subclasses and persons (1 "I" .. 7 "Somebody").
inline bool isRelative(const WordCategory& c) { return c.subcategory == 1; }
inline bool isPossessive(const WordCategory& c) { return c.subcategory == 2; }
inline bool isPersonal(const WordCategory& c) { return c.subcategory == 3; }
inline bool isDeixis(const WordCategory& c) { return c.subcategory == 4; }
inline bool isOtherPronoun(const WordCategory& c) { return c.subcategory == 5; }
inline bool hasPerson(const WordCategory& c, uint8_t person) { return c.tensePerson == person; }
inline bool isPersonOrDeixis(const WordCategory& c) {
  return c.subcategory == 4 || (c.subcategory == 3 && c.tensePerson >= 1 && c.tensePerson <= 7);
}

// Adjective subclasses.
inline bool isObjective(const WordCategory& c) { return c.subcategory == 1; }
inline bool isSubjective(const WordCategory& c) { return c.subcategory == 2; }
inline bool isNumeral(const WordCategory& c) { return c.subcategory == 3; }
inline bool isNumeralAdjective(const WordCategory& c) {
  return c.category == 4 && c.subcategory == 3;
}

// Flags.
inline bool isFundamental(const WordCategory& c) { return (c.flags & kFlagFundamental) != 0; }
inline bool isAuxiliary(const WordCategory& c) { return (c.flags & kFlagAuxiliary) != 0; }
inline bool isAmbiguous(const WordCategory& c) { return (c.flags & kFlagAmbiguous) != 0; }
inline bool isGerund(const WordCategory& c) { return (c.flags & kFlagGerund) != 0; }

// Substantive noun marks (1..3). Bit 1 set marks a name.
inline bool hasNounMark1(const WordCategory& c) { return c.modeMark == 1; }
inline bool nounMarkBit0(const WordCategory& c) { return (c.modeMark & 0x01) != 0; }
inline bool nounMarkBit1(const WordCategory& c) { return (c.modeMark & 0x02) != 0; }
inline bool isNameLike(const WordCategory& c) { return (c.modeMark & 0x03) == 0x03; }

}  // namespace malvex
