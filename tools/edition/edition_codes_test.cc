#include "edition_codes.h"

#include <gtest/gtest.h>

#include "foundations/category.h"
#include "foundations/charset.h"

namespace malvex::edition {
namespace {

// A fixed set of subclasses standing in for the curated tables.
class FixedClasses : public LemmaClasses {
 public:
  VerbKind VerbKindOf(std::string_view lemma) const override {
    if (lemma == "fi" || lemma == "avea") return VerbKind::kStative;
    if (lemma == "spune") return VerbKind::kReflexive;
    if (lemma == "promite") return VerbKind::kPerformative;
    return VerbKind::kFactive;
  }
  bool IsEvaluative(std::string_view lemma) const override { return lemma == "frumos"; }
  ModalityKind AdverbKindOf(std::string_view lemma) const override {
    return lemma == "acum" ? ModalityKind::kTime : ModalityKind::kNone;
  }
};

struct Expected {
  uint8_t category, subcategory, tensePerson, modeMark, flags;
};

void ExpectRecord(uint16_t code, const Expected& e, const std::string& what) {
  const WordCategory c = DecodeCategory(code);
  EXPECT_EQ(c.category, e.category) << what;
  EXPECT_EQ(c.subcategory, e.subcategory) << what;
  EXPECT_EQ(c.tensePerson, e.tensePerson) << what;
  EXPECT_EQ(c.modeMark, e.modeMark) << what;
  EXPECT_EQ(c.flags, e.flags) << what;
}

TEST(EditionCodes, VerbTagGrid) {
  struct Row {
    const char* tag;
    Tense tense;
    Mode mode;
  };
  const Row rows[] = {
      {"pri", Tense::kPresent, Mode::kIndicative},  {"pii", Tense::kPast, Mode::kIndicative},
      {"pper", Tense::kPast, Mode::kIndicative},    {"ps", Tense::kPast, Mode::kIndicative},
      {"prs", Tense::kPresent, Mode::kSubjunctive}, {"imp", Tense::kPresent, Mode::kOther},
      {"inf", Tense::kPresent, Mode::kInfinitive},  {"pp", Tense::kPast, Mode::kParticiple},
      {"ger", Tense::kPresent, Mode::kParticiple},  {"cni", Tense::kPresent, Mode::kConditional},
      {"fti", Tense::kFuture, Mode::kIndicative},
  };
  for (const Row& r : rows) {
    Tense t;
    Mode m;
    ASSERT_TRUE(VerbTagTenseMode(r.tag, &t, &m)) << r.tag;
    EXPECT_EQ(t, r.tense) << r.tag;
    EXPECT_EQ(m, r.mode) << r.tag;
  }
  Tense t;
  Mode m;
  EXPECT_FALSE(VerbTagTenseMode("sg", &t, &m));
}

// Every reading the curated tables can write decodes, through the engine's
// own decoding, to the record it names.
TEST(EditionCodes, ReadingsDecodeAsNamed) {
  struct Row {
    const char* reading;
    Expected record;
  };
  const Row rows[] = {
      {"verb:factive:present:indicative", {1, 1, 1, 1, 0}},
      {"verb:stative:past:participle", {1, 2, 2, 4, 0}},
      {"verb:reflexive:present:infinitive", {1, 3, 1, 5, 0}},
      {"verb:performative:present:subjunctive", {1, 4, 1, 3, 0}},
      {"verb:stative:present:conditional:aux", {1, 2, 1, 2, 2}},
      {"verb:factive:future:indicative:aux", {1, 1, 3, 1, 2}},
      {"verb:factive:present:other", {1, 1, 1, 6, 0}},
      {"verb:factive:present:participle", {1, 1, 1, 4, 0}},
      {"conn:condition", {2, 1, 0, 0, 0}},
      {"conn:cause", {2, 2, 0, 0, 0}},
      {"conn:goal", {2, 3, 0, 0, 0}},
      {"conn:addition", {2, 4, 0, 0, 0}},
      {"conn:disjunction", {2, 5, 0, 0, 0}},
      {"conn:opposition", {2, 6, 0, 0, 0}},
      {"conn:comparison", {2, 7, 0, 0, 0}},
      {"conn:manner", {2, 10, 0, 0, 0}},
      {"conn:none", {2, 0, 0, 0, 0}},
      {"mod:time", {3, 1, 0, 0, 0}},
      {"mod:doubt", {3, 5, 0, 0, 0}},
      {"mod:negation", {3, 6, 0, 0, 0}},
      {"mod:intensity", {3, 7, 0, 0, 0}},
      {"adj:objective", {4, 1, 0, 0, 0}},
      {"adj:subjective", {4, 2, 0, 0, 0}},
      {"adj:numeral", {4, 3, 0, 0, 0}},
      {"pron:deixis:1", {5, 4, 1, 0, 0}},
      {"pron:deixis:2", {5, 4, 2, 0, 0}},
      {"pron:personal:3", {5, 3, 3, 0, 0}},
      {"pron:personal:6", {5, 3, 6, 0, 0}},
      {"pron:relative:0", {5, 1, 0, 0, 0}},
      {"pron:possessive:4", {5, 2, 4, 0, 0}},
      {"pron:others:7", {5, 5, 7, 0, 0}},
      {"prep", {6, 0, 0, 0, 0}},
      {"prep:gerund", {6, 0, 1, 0, 0}},
      {"det", {7, 0, 0, 0, 0}},
      {"noun", {8, 0, 0, 0, 0}},
      {"noun:abbr", {8, 0, 0, 1, 0}},
      {"noun:name", {8, 0, 0, 3, 0}},
  };
  for (const Row& r : rows) {
    uint16_t code = 0;
    std::string lemma;
    ASSERT_TRUE(ParseReading(r.reading, &code, &lemma)) << r.reading;
    EXPECT_NE(code, 0) << r.reading;
    EXPECT_EQ(code & kCodeAmbiguous, 0) << r.reading;
    ExpectRecord(code, r.record, r.reading);
    EXPECT_EQ(DescribeCode(code), r.reading);
  }
  const WordCategory fundamental = DecodeCategory(SubstantiveCode(NounMark::kNone) | kFundamentalBit);
  EXPECT_EQ(fundamental.flags, kFlagFundamental);
}

TEST(EditionCodes, MalformedReadingsAreRefused) {
  const char* bad[] = {"", "verb", "verb:factive:present", "verb:factive:present:indicative:x",
                       "conn:often", "pron:personal:8", "pron:personal", "noun:other", "adverb",
                       "prep:often"};
  for (const char* b : bad) {
    uint16_t code = 7;
    EXPECT_FALSE(ParseReading(b, &code, nullptr)) << b;
    EXPECT_EQ(code, 7) << b;
  }
  uint16_t code = 0;
  std::string lemma;
  ASSERT_TRUE(ParseReading("verb:stative:present:conditional:aux@fi", &code, &lemma));
  EXPECT_EQ(lemma, "fi");
}

// The analyser's analyses (8-bit text) and the readings they map to.
TEST(EditionCodes, AnalysesMapToReadings) {
  struct Row {
    std::string analysis;
    Expected record;
    const char* lemma;
  };
  const std::vector<Row> rows = {
      {"m\xE2nca<vblex><pri><p1><sg>", {1, 1, 1, 1, 0}, "m\xE2nca"},
      {"m\xE2nca<vblex><pp><mn><sg>", {1, 1, 2, 4, 0}, "m\xE2nca"},
      {"m\xE2nca<vblex><ger>", {1, 1, 1, 4, 0}, "m\xE2nca"},
      {"m\xE2nca<vblex><prs><p3><sg>", {1, 1, 1, 3, 0}, "m\xE2nca"},
      {"spune<vblex><pii><p3><sg>", {1, 3, 2, 1, 0}, "spune"},
      {"promite<vblex><inf>", {1, 4, 1, 5, 0}, "promite"},
      {"avea<vbavea><pri><p1><sg>", {1, 2, 1, 1, 2}, "avea"},
      {"avea<vbavea><cni><p1><sg>", {1, 2, 1, 2, 2}, "avea"},
      {"vrea<vaux><pri><p3><sg>", {1, 1, 3, 1, 2}, "vrea"},
      {"fi<vbser><inf>", {1, 2, 1, 5, 2}, "fi"},
      {"fi<vbser><pp><mn><sg>", {1, 2, 2, 4, 2}, "fi"},
      {"fi<vbser><pii><p3><sg>", {1, 2, 2, 1, 0}, "fi"},
      {"cas\xE3<n><f><sg><nom><def>", {8, 0, 0, 0, 0}, "cas\xE3"},
      {"Rom\xE2nia<np><loc><f><sg><nom><def>", {8, 0, 0, 3, 0}, "Rom\xE2nia"},
      {"frumos<adj><m><sg><nom><ind>", {4, 2, 0, 0, 0}, "frumos"},
      {"verde<adj><mf><sg><nom><ind>", {4, 1, 0, 0, 0}, "verde"},
      {"meu<adj><pos><f><sg><nom><def>", {5, 2, 1, 0, 0}, "meu"},
      {"trei<num><mf><pl>", {4, 3, 0, 0, 0}, "trei"},
      {"acum<adv>", {3, 1, 0, 0, 0}, "acum"},
      {"foarte<preadv>", {3, 7, 0, 0, 0}, "foarte"},
      {"\xEEn<pr>", {6, 0, 0, 0, 0}, "\xEEn"},
      {"un<det><ind><mn><sg><nom>", {7, 0, 0, 0, 0}, "un"},
      {"eu<prn><tn><p1><mf><sg><nom>", {5, 4, 1, 0, 0}, "eu"},
      {"te<prn><pro><p2><mf><sg><nom>", {5, 4, 2, 0, 0}, "te"},
      {"el<prn><tn><p3><m><sg><nom>", {5, 3, 3, 0, 0}, "el"},
      {"noi<prn><tn><p1><mf><pl><nom>", {5, 3, 4, 0, 0}, "noi"},
      {"se<prn><pro><ref><p3><mfn><sp><nom>", {5, 3, 3, 0, 0}, "se"},
      {"care<rel><an><mfn><sp><nom>", {5, 1, 0, 0, 0}, "care"},
      {"c\xE2nd<rel><adv>", {2, 8, 0, 0, 0}, "c\xE2nd"},
      {"cineva<prn><tn><mf><sg><nom>", {5, 5, 0, 0, 0}, "cineva"},
      {"al meu<prn><tn><pos><m><sg><nom>", {5, 2, 1, 0, 0}, "al meu"},
  };
  const FixedClasses classes;
  for (const Row& r : rows) {
    Reading reading;
    ASSERT_TRUE(MapAnalysis(r.analysis, classes, &reading)) << ToUtf8(r.analysis);
    ExpectRecord(reading.code, r.record, ToUtf8(r.analysis));
    EXPECT_EQ(reading.lemma, r.lemma);
  }
  Reading reading;
  // The future and conditional forms of a lexical verb are its infinitive.
  EXPECT_FALSE(MapAnalysis("relua<vblex><fti><p1><sg>", classes, &reading));
  EXPECT_FALSE(MapAnalysis("relua<vblex><cni><p1><sg>", classes, &reading));
  EXPECT_FALSE(MapAnalysis("x<unknown>", classes, &reading));
  EXPECT_FALSE(MapAnalysis("nothing", classes, &reading));
}

}  // namespace
}  // namespace malvex::edition
