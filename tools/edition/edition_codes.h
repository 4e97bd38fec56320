// Category codes of the Romanian edition: how the edition builder turns a
// word's grammatical description (an analysis of the Debian morphological
// analyser, or a reading written in the curated tables) into the 16-bit
// code the lexicon stores. The bit layout is the one the engine decodes:
//   bit 14 fundamental, bits 11..8 word class, bits 7..0 detail per class.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace malvex::edition {

// Verb subclasses, tenses and modes, numbered as the decoded record numbers
// them (1-based).
enum class VerbKind : uint8_t { kFactive = 1, kStative, kReflexive, kPerformative };
enum class Tense : uint8_t { kPresent = 1, kPast, kFuture, kOther };
enum class Mode : uint8_t { kIndicative = 1, kConditional, kSubjunctive, kParticiple, kInfinitive, kOther };

// Connector subclasses as the decoded record numbers them.
enum class ConnectorKind : uint8_t {
  kNone = 0, kCondition, kCause, kGoal, kAddition, kDisjunction,
  kOpposition, kComparison, kTime, kPlace, kManner
};
// Modality subclasses (0 = none).
enum class ModalityKind : uint8_t { kNone = 0, kTime, kPlace, kManner, kAssertion, kDoubt, kNegation, kIntensity };
enum class AdjectiveKind : uint8_t { kObjective = 1, kSubjective, kNumeral, kOthers };
// Pronoun subclasses (0 = none); persons are 1..7 (7 = somebody), 0 none.
enum class PronounKind : uint8_t { kNone = 0, kRelative, kPossessive, kPersonal, kDeixis, kOthers };
// Noun marks: an abbreviation or title (a following full stop ends no
// sentence) and a proper name (name-like, never split for its lemma).
enum class NounMark : uint8_t { kNone = 0, kAbbreviation = 1, kName = 3 };

inline constexpr uint16_t kFundamentalBit = 0x4000;
inline constexpr uint16_t kDeterminantSubMarkBit = 0x1000;

uint16_t VerbCode(VerbKind kind, Tense tense, Mode mode, bool auxiliary);
uint16_t ConnectorCode(ConnectorKind kind);
uint16_t ModalityCode(ModalityKind kind);
uint16_t AdjectiveCode(AdjectiveKind kind);
uint16_t PronounCode(PronounKind kind, int person);
// Prepositions (class 6 of the record) and determiners and articles
// (class 7 of the record). A preposition that announces a gerund ("ca
// fiind") carries the determinant sub-mark, which makes the reader read
// the present participle of one of the next two words as a gerund.
uint16_t PrepositionCode(bool announcesGerund = false);
uint16_t DeterminerCode();
uint16_t SubstantiveCode(NounMark mark);

// The word class (1..9) a code decodes to, as the record's category byte.
int RecordClass(uint16_t code);
// True for a verb code carrying the auxiliary flag.
bool IsAuxiliaryCode(uint16_t code);
bool IsVerbCode(uint16_t code);
bool IsAdjectiveCode(uint16_t code);

// A reading written in the curated tables, fields joined by ':' and an
// optional "@lemma":
//   verb:SUBCLASS:TENSE:MODE[:aux]   factive|stative|reflexive|performative,
//                                    present|past|future|other,
//                                    indicative|conditional|subjunctive|
//                                    participle|infinitive|other
//   conn:KIND   condition|cause|goal|addition|disjunction|opposition|
//               comparison|time|place|manner|none
//   mod:KIND    time|place|manner|assertion|doubt|negation|intensity|none
//   adj:KIND    objective|subjective|numeral|others
//   pron:KIND:PERSON  relative|possessive|personal|deixis|others|none, 0..7
//   prep, prep:gerund, det, noun, noun:abbr, noun:name
// False (code untouched) when the text is not such a reading.
bool ParseReading(std::string_view text, uint16_t* code, std::string* lemma);
// The reading text of a code, in the notation above (no lemma).
std::string DescribeCode(uint16_t code);

// What the builder keeps of one reading of a form: its code and the lemma
// the lemma indexes file it under (8-bit text).
struct Reading {
  uint16_t code = 0;
  std::string lemma;
};

// Verb subclass lists and adjective evaluation used while mapping.
class LemmaClasses {
 public:
  virtual ~LemmaClasses() = default;
  // Subclass of the verb lemma (factive when the lists do not name it).
  virtual VerbKind VerbKindOf(std::string_view lemma) const = 0;
  // True for an evaluative (subjective) adjective lemma.
  virtual bool IsEvaluative(std::string_view lemma) const = 0;
  // Modality subclass of an adverb lemma, kNone when not listed.
  virtual ModalityKind AdverbKindOf(std::string_view lemma) const = 0;
};

// The verb tense and mode of a tag of the morphological analyser (pri,
// prs, pii, pper, ps, imp, inf, pp, ger, cni, fti); false for other tags.
bool VerbTagTenseMode(std::string_view tag, Tense* tense, Mode* mode);

// Maps one analysis of the morphological analyser, "lemma<tag><tag>..."
// (8-bit text), to a reading. False when the analysis maps to no reading
// of this edition (an unknown or unwanted part of speech).
bool MapAnalysis(std::string_view analysis, const LemmaClasses& classes, Reading* reading);

}  // namespace malvex::edition
