#include "lexicon_assembly.h"

#include <gtest/gtest.h>

#include "foundations/charset.h"
#include "hunspell_affixes.h"
#include "test_support.h"

namespace malvex::edition {
namespace {

using malvex::testing::TempDir;
using malvex::testing::WriteFile;

// Curated tables written to a temporary folder: the closed-class words and
// the readings to drop are the test's, the other tables are empty.
class Tables {
 public:
  Tables(const std::string& closed, const std::string& exceptions) {
    const std::pair<const char*, std::string> files[] = {
        {"verb_classes.tsv", ""},     {"closed_class.tsv", closed}, {"evaluative_adjectives.tsv", ""},
        {"abbreviations.tsv", ""},    {"simple_past.tsv", ""},      {"exceptions.tsv", exceptions},
        {"matrix_adjustments.tsv", ""},
    };
    for (const auto& [name, text] : files) EXPECT_TRUE(WriteFile(dir_.File(name), text));
    std::string error;
    EXPECT_TRUE(tables_.Load(dir_.path().string(), &error)) << error;
  }
  const CuratedTables& tables() const { return tables_; }

 private:
  TempDir dir_;
  CuratedTables tables_;
};

// The readings of a form (UTF-8) as "reading@lemma" in order, blank-separated;
// "-" when the assembly lacks the form.
std::string ReadingsOf(const LexiconAssembly& lexicon, const char* form) {
  const LexiconAssembly::Entry* e = lexicon.Find(FromUtf8(form));
  if (e == nullptr) return "-";
  std::string s;
  for (const Reading& r : e->readings) {
    if (!s.empty()) s += ' ';
    s += DescribeCode(r.code) + "@" + ToUtf8(r.lemma);
  }
  return s;
}

double NoPrior(const std::string&, int) { return 0.0; }

// A small word list: adjectives written as noun pairs (vamal/L with
// vamală/A, românesc/L with românească/A), a masculine noun without a
// feminine (profesor/L), an adjective flag (Q) on a participle and a noun
// flag (C) on another.
HunspellAffixes WordList() {
  HunspellAffixes list;
  list.LoadText(
      "SET UTF-8\n"
      "SFX L Y 1\n"
      "SFX L 0 ul .\n"
      "SFX A Y 1\n"
      "SFX A ă e ă\n"
      "SFX Q Y 1\n"
      "SFX Q 0 ă .\n"
      "SFX C Y 1\n"
      "SFX C 0 uri .\n",
      "7\n"
      "vamal/L\n"
      "vamală/A\n"
      "profesor/L\n"
      "românesc/L\n"
      "românească/A\n"
      "închis/Q\n"
      "mers/C\n");
  return list;
}

TEST(LexiconAssembly, NounPairsOfTheWordListAreAlsoAdjectives) {
  const Tables t("", "");
  LexiconAssembly lexicon(t.tables());
  lexicon.AddHunspell(WordList(), {});
  lexicon.Finish(NoPrior);
  const struct {
    const char* form;
    const char* readings;
  } rows[] = {
      {"vamal", "noun@vamal adj:objective@vamal"},
      {"vamalul", "noun@vamal adj:objective@vamal"},
      {"vamală", "noun@vamală adj:objective@vamal"},
      {"vamale", "noun@vamală adj:objective@vamal"},
      {"românească", "noun@românească adj:objective@românesc"},
      {"românescul", "noun@românesc adj:objective@românesc"},
      {"profesor", "noun@profesor"},
      {"profesorul", "noun@profesor"},
      {"mersuri", "noun@mers"},
  };
  for (const auto& r : rows) EXPECT_EQ(ReadingsOf(lexicon, r.form), r.readings) << r.form;
}

TEST(LexiconAssembly, ParticiplesThatAreAdjectivesGainTheAdjectiveReading) {
  const Tables t("", "");
  LexiconAssembly lexicon(t.tables());
  const std::pair<const char*, const char*> paths[] = {
      {"închis", "închide<vblex><pp><mn><sg>"},  {"închisă", "închide<vblex><pp><f><sg>"},
      {"închiși", "închide<vblex><pp><m><pl>"},  {"închise", "închide<vblex><pp><fn><pl>"},
      {"mers", "merge<vblex><pp><mn><sg>"},      {"mersă", "merge<vblex><pp><f><sg>"},
      {"format", "forma<vblex><pp><mn><sg>"},    {"formate", "forma<vblex><pp><fn><pl>"},
      {"deschis", "deschide<vblex><pp><mn><sg>"}, {"deschisă", "deschide<vblex><pp><f><sg>"},
      {"deschisă", "deschis<adj><f><sg><nom><ind>"},
  };
  for (const auto& [surface, analysis] : paths) lexicon.AddAnalyserPath(surface, analysis);
  // "format" is an adjective for the thesaurus, "deschis" for the word list,
  // which the form "deschisă" already has from the analyser.
  std::map<std::string, std::vector<int>> thesaurus = {{"format", {8, 4}}, {"mers", {8}}};
  HunspellAffixes list;
  list.LoadText("", "1\ndeschis/Q\n");
  const HunspellAffixes words = WordList();
  lexicon.AddParticipleAdjectives(words, thesaurus);
  lexicon.AddParticipleAdjectives(list, thesaurus);
  lexicon.Finish(NoPrior);
  const struct {
    const char* form;
    const char* readings;
  } rows[] = {
      {"închis", "adj:objective@închis verb:factive:past:participle@închide"},
      {"închisă", "adj:objective@închis verb:factive:past:participle@închide"},
      {"închiși", "adj:objective@închis verb:factive:past:participle@închide"},
      {"închise", "adj:objective@închis verb:factive:past:participle@închide"},
      {"formate", "adj:objective@format verb:factive:past:participle@forma"},
      {"mers", "verb:factive:past:participle@merge"},
      {"mersă", "verb:factive:past:participle@merge"},
      {"deschis", "adj:objective@deschis verb:factive:past:participle@deschide"},
      {"deschisă", "adj:objective@deschis verb:factive:past:participle@deschide"},
  };
  for (const auto& r : rows) EXPECT_EQ(ReadingsOf(lexicon, r.form), r.readings) << r.form;
}

// The thesaurus's parts of speech add the adjective reading only to nouns
// it never lists as nouns; a form that is already an adjective or a verb,
// or a curated word, keeps its readings.
TEST(LexiconAssembly, NounsTheThesaurusKnowsOnlyAsAdjectivesGainTheAdjectiveReading) {
  const Tables t("vecin\tnoun\n", "");
  LexiconAssembly lexicon(t.tables());
  const std::pair<const char*, const char*> paths[] = {
      {"riveran", "riveran<n><m><sg><nom><ind>"},    {"riverane", "riveran<n><f><pl><nom><ind>"},
      {"german", "german<n><m><sg><nom><ind>"},      {"vecin", "vecin<n><m><sg><nom><ind>"},
      {"directivă", "directivă<n><f><sg><nom><ind>"}, {"directivă", "directiv<adj><f><sg><nom><ind>"},
  };
  for (const auto& [surface, analysis] : paths) lexicon.AddAnalyserPath(surface, analysis);
  lexicon.AddCurated();
  const std::map<std::string, std::vector<int>> thesaurus = {
      {"riveran", {4}}, {"german", {8, 4}}, {"vecin", {4}}, {"directivă", {4}}};
  lexicon.AddThesaurusAdjectives(thesaurus);
  lexicon.Finish(NoPrior);
  const struct {
    const char* form;
    const char* readings;
  } rows[] = {
      {"riveran", "noun@riveran adj:objective@riveran"},
      {"riverane", "noun@riveran adj:objective@riveran"},
      {"german", "noun@german"},
      {"vecin", "noun@vecin"},
      {"directivă", "noun@directivă adj:objective@directiv"},
  };
  for (const auto& r : rows) EXPECT_EQ(ReadingsOf(lexicon, r.form), r.readings) << r.form;
}

TEST(LexiconAssembly, IndefiniteNounsTheWordListPairsAsAdjectivesGainTheAdjectiveReading) {
  const Tables t("turc\tnoun\n", "");
  LexiconAssembly lexicon(t.tables());
  const std::pair<const char*, const char*> paths[] = {
      {"german", "german<n><m><sg><nom><ind>"},    {"germană", "german<n><f><sg><nom><ind>"},
      {"germanii", "german<n><m><pl><nom><def>"},  {"vecine", "vecin<n><f><pl><nom><ind>"},
      {"vecinul", "vecin<n><m><sg><nom><def>"},    {"nazistă", "nazist<n><f><sg><nom><ind>"},
      {"profesor", "profesor<n><m><sg><nom><ind>"}, {"turc", "turc<n><m><sg><nom><ind>"},
      {"român", "român<n><m><sg><nom><ind>"},      {"român", "român<adj><mn><sg><nom><ind>"},
  };
  for (const auto& [surface, analysis] : paths) lexicon.AddAnalyserPath(surface, analysis);
  lexicon.AddCurated();
  HunspellAffixes list;
  list.LoadText("", "9\ngerman/L\ngermană/A\nvecin/L\nvecină/A\nnazist/Q\nprofesor/L\nturc/L\nturcă/A\n");
  lexicon.AddNounPairAdjectives(list);
  lexicon.Finish(NoPrior);
  const struct {
    const char* form;
    const char* readings;
  } rows[] = {
      {"german", "noun@german adj:objective@german"},
      {"germană", "noun@german adj:objective@german"},
      {"germanii", "noun@german"},  // an articled noun after a noun is its genitive
      {"vecine", "noun@vecin adj:objective@vecin"},
      {"vecinul", "noun@vecin"},
      {"nazistă", "noun@nazist adj:objective@nazist"},  // an adjective flag
      {"profesor", "noun@profesor"},                    // a noun without the feminine adjective
      {"turc", "noun@turc"},                            // curated
      {"român", "noun@român adj:objective@român"},      // already an adjective
  };
  for (const auto& r : rows) EXPECT_EQ(ReadingsOf(lexicon, r.form), r.readings) << r.form;
}

TEST(LexiconAssembly, ArticledNounsLoseTheirAdjectiveReadings) {
  const Tables t("tânărului\tnoun\tadj:objective\n", "");
  LexiconAssembly lexicon(t.tables());
  const std::pair<const char*, const char*> paths[] = {
      {"bolnavului", "bolnav<n><m><sg><dg><def>"},  {"bolnavului", "bolnav<adj><mn><sg><dg><def>"},
      {"bolnav", "bolnav<n><m><sg><nom><ind>"},     {"bolnav", "bolnav<adj><mn><sg><nom><ind>"},
      {"marea", "mare<adj><f><sg><nom><def>"},      {"primul", "prim<num><mn><sg><def>"},
      {"primul", "prim<n><m><sg><nom><def>"},       {"tânărului", "tânăr<n><m><sg><dg><def>"},
      {"tânărului", "tânăr<adj><mn><sg><dg><def>"},
  };
  for (const auto& [surface, analysis] : paths) lexicon.AddAnalyserPath(surface, analysis);
  lexicon.AddCurated();
  lexicon.DropArticledAdjectives();
  lexicon.Finish(NoPrior);
  const struct {
    const char* form;
    const char* readings;
  } rows[] = {
      {"bolnavului", "noun@bolnav"},
      {"bolnav", "noun@bolnav adj:objective@bolnav"},  // no article: both
      {"marea", "adj:objective@mare"},                 // no articled noun
      {"primul", "noun@prim adj:numeral@prim"},        // numerals stay
      {"tânărului", "noun@tânărului adj:objective@tânărului"},  // curated
  };
  for (const auto& r : rows) EXPECT_EQ(ReadingsOf(lexicon, r.form), r.readings) << r.form;
}

TEST(LexiconAssembly, SimplePastFormsLeaveAdjectivesAndNounsAlone) {
  const Tables t("", "");
  LexiconAssembly lexicon(t.tables());
  const std::pair<const char*, const char*> paths[] = {
      {"cântase", "cânta<vblex><pper><p3><sg>"},     {"hotărâse", "hotărî<vblex><pper><p3><sg>"},
      {"activase", "activa<vblex><pper><p3><sg>"},   {"activă", "activ<adj><f><sg><nom><ind>"},
      {"pictase", "picta<vblex><pper><p3><sg>"},     {"pictară", "pictară<n><f><sg><nom><ind>"},
  };
  for (const auto& [surface, analysis] : paths) lexicon.AddAnalyserPath(surface, analysis);
  lexicon.AddSimplePast();
  lexicon.Finish(NoPrior);
  const char* past = "verb:factive:past:indicative@";
  const struct {
    const char* form;
    std::string readings;
  } rows[] = {
      {"cântai", std::string(past) + "cânta"},      {"cântași", std::string(past) + "cânta"},
      {"cântă", std::string(past) + "cânta"},       {"cântarăm", std::string(past) + "cânta"},
      {"cântarăți", std::string(past) + "cânta"},   {"cântară", std::string(past) + "cânta"},
      {"hotărî", std::string(past) + "hotărî"},     {"activai", std::string(past) + "activa"},
      {"activă", "adj:objective@activ"},             // the adjective alone
      {"pictă", std::string(past) + "picta"},
      {"pictară", "noun@pictară"},                   // the noun alone
  };
  for (const auto& r : rows) EXPECT_EQ(ReadingsOf(lexicon, r.form), r.readings) << r.form;
}

TEST(LexiconAssembly, MasculineSingularAdjectivesAreAlsoAdverbsOfManner) {
  const Tables t("", "");
  LexiconAssembly lexicon(t.tables());
  const std::pair<const char*, const char*> paths[] = {
      {"rapid", "rapid<adj><mn><sg><nom><ind>"},     {"rapidă", "rapid<adj><f><sg><nom><ind>"},
      {"rapidul", "rapid<adj><mn><sg><nom><def>"},   {"frumos", "frumos<adj><mn><sg><nom><ind>"},
      {"frumos", "frumos<adv>"},                     {"tânăr", "tânăr<adj><mn><sg><nom><ind>"},
      {"tânăr", "tânăr<n><m><sg><nom><ind>"},        {"prim", "prim<num><mn><sg>"},
  };
  for (const auto& [surface, analysis] : paths) lexicon.AddAnalyserPath(surface, analysis);
  lexicon.AddCurated();
  lexicon.AddAdjectiveAdverbs();
  lexicon.Finish(NoPrior);
  const struct {
    const char* form;
    const char* readings;
  } rows[] = {
      {"rapid", "adj:objective@rapid mod:manner@rapid"},  // the masculine singular gains the adverb
      {"rapidă", "adj:objective@rapid"},                  // another form does not
      {"rapidul", "adj:objective@rapid"},
      {"frumos", "adj:objective@frumos mod:manner@frumos"},  // already an adverb: no second one
      {"tânăr", "noun@tânăr adj:objective@tânăr"},          // also a noun: left to its readings
      {"prim", "adj:numeral@prim"},                         // numerals are no manner
  };
  for (const auto& r : rows) EXPECT_EQ(ReadingsOf(lexicon, r.form), r.readings) << r.form;
}

TEST(LexiconAssembly, SingleLettersAndClosedClassWordsKeepTheirWordsRatherThanRomanNumerals) {
  const Tables t("i\tpron:personal:3\nli\tpron:personal:6\nvi\tpron:personal:5\n", "");
  LexiconAssembly lexicon(t.tables());
  // The analyser reads the capitals C and X as numerals.
  lexicon.AddAnalyserPath("C", "C<num><mf><pl>");
  lexicon.AddAnalyserPath("X", "X<num><mf><pl>");
  lexicon.AddAnalyserPath("XX", "XX<num><mf><pl>");
  lexicon.AddCurated();
  lexicon.Finish(NoPrior);
  const struct {
    const char* form;
    const char* readings;
  } rows[] = {
      {"i", "pron:personal:3@i"},      {"c", "noun:abbr@c"},          {"v", "noun:abbr@v"},
      {"x", "noun:abbr@x"},            {"xx", "adj:numeral@xx"},
      {"ii", "adj:numeral@ii"},        {"xiv", "adj:numeral@xiv"},    {"mm", "adj:numeral@mm"},
      // The clitics li (51) and vi (6) are closed-class words; lii is a numeral.
      {"li", "pron:personal:6@li"},    {"vi", "pron:personal:5@vi"},    {"lii", "adj:numeral@lii"},
  };
  for (const auto& r : rows) EXPECT_EQ(ReadingsOf(lexicon, r.form), r.readings) << r.form;
}

TEST(LexiconAssembly, CuratedReadingsComeFirstAndListedReadingsAreDropped) {
  const Tables t("ca\tprep:gerund\tconn:comparison\nde_vânzare\tadj:objective\n", "mai\tnoun\n");
  LexiconAssembly lexicon(t.tables());
  const std::pair<const char*, const char*> paths[] = {
      {"ca", "ca<adv>"},        {"ca", "ca<cnjsub>"},
      {"mai", "mai<adv>"},      {"mai", "mai<n><m><sg><nom><ind>"},
      {"de vânzare", "de vânzare<adv>"},
  };
  for (const auto& [surface, analysis] : paths) lexicon.AddAnalyserPath(surface, analysis);
  lexicon.AddCurated();
  lexicon.Finish(NoPrior);
  EXPECT_EQ(ReadingsOf(lexicon, "ca"), "prep:gerund@ca conn:comparison@ca mod:manner@ca");
  EXPECT_EQ(ReadingsOf(lexicon, "mai"), "mod:manner@mai");
  // A listed multiword expression keeps only the table's readings.
  EXPECT_EQ(ReadingsOf(lexicon, "de_vânzare"), "adj:objective@de_vânzare");
}

TEST(LexiconAssembly, ShortAuxiliaryJoinsItsParticipleOrInfinitive) {
  const Tables t("", "");
  LexiconAssembly lexicon(t.tables());
  const std::pair<const char*, const char*> paths[] = {
      {"făcut", "face<vblex><pp><mn><sg>"},   {"făcută", "face<vblex><pp><f><sg>"},
      {"făcuți", "face<vblex><pp><m><pl>"},   {"face", "face<vblex><inf>"},
      {"face", "face<vblex><pri><p3><sg>"},   {"mers", "merge<vblex><pp><mn><sg>"},
      {"mers", "mers<n><nt><sg><nom><ind>"},  {"fost", "fi<vbser><pp><mn><sg>"},
      {"fi", "fi<vbser><inf>"},               {"cântat", "cânta<vblex><pp><mn><sg>"},
      {"cânta", "cânta<vblex><inf>"},         {"cânta", "cânta<vblex><pii><p3><sg>"},
      {"lucra", "lucra<vblex><pii><p3><sg>"}, {"casă", "casă<n><f><sg><nom><ind>"},
      {"a doua", "doi<num><ord><f><sg>"},     {"dându", "da<vblex><ger>"},
  };
  for (const auto& [surface, analysis] : paths) lexicon.AddAnalyserPath(surface, analysis);
  lexicon.AddShortAuxiliaryCompounds();
  lexicon.Finish(NoPrior);
  const struct {
    const char* form;
    const char* readings;
  } rows[] = {
      // The masculine singular participle makes the perfect, which keeps
      // the auxiliary mark of "fi"; the lemma is left to the last word.
      {"a_făcut", "verb:factive:past:indicative@"},
      {"a_mers", "verb:factive:past:indicative@"},
      {"a_fost", "verb:factive:past:indicative:aux@"},
      {"a_cântat", "verb:factive:past:indicative@"},
      {"a_face", "verb:factive:present:infinitive@"},
      {"a_fi", "verb:factive:present:infinitive:aux@"},
      {"a_cânta", "verb:factive:present:infinitive@"},
      // Other participles, other verb forms, nouns: no compound.
      {"a_făcută", "-"},
      {"a_făcuți", "-"},
      {"a_lucra", "-"},
      {"a_dându", "-"},
      {"a_casă", "-"},
      // A compound the sources hold keeps its readings.
      {"a_doua", "adj:numeral@doi"},
  };
  for (const auto& r : rows) EXPECT_EQ(ReadingsOf(lexicon, r.form), r.readings) << r.form;
}

TEST(CuratedTables, AnAdverbialExpressionTakesTheKindOfItsLastListedAdverb) {
  CuratedTables tables;
  std::string error;
  ASSERT_TRUE(tables.ParseClosed("acum\tmod:time\naici\tmod:place\nbine\tmod:manner\nmai\tmod:intensity\n"
                                 "puțin\tmod:intensity\tadj:objective\ndin_nou\tmod:time\n"
                                 "de\tprep\npe\tprep\n",
                                 &error))
      << error;
  const struct {
    const char* lemma;
    ModalityKind kind;
  } rows[] = {
      {"acum", ModalityKind::kTime},
      {"până acum", ModalityKind::kTime},
      {"acum câteva zile", ModalityKind::kTime},
      {"pe_aici", ModalityKind::kPlace},
      {"mai bine", ModalityKind::kManner},  // the last listed adverb
      {"cel puțin", ModalityKind::kIntensity},
      {"din_nou", ModalityKind::kTime},     // listed as a whole
      {"de pe", ModalityKind::kNone},       // prepositions only
      {"asemenea", ModalityKind::kNone},
      {"de asemenea", ModalityKind::kNone},
  };
  for (const auto& r : rows) EXPECT_EQ(tables.AdverbKindOf(FromUtf8(r.lemma)), r.kind) << r.lemma;
}

TEST(CuratedTables, MatrixAdjustmentsNameTwoOrThreeClassesAndAChange) {
  CuratedTables tables;
  std::string error;
  ASSERT_TRUE(tables.ParseMatrixAdjustments("# comment\nnoun\tadj\t40\ndet\tdet\t-1000\nnoun\tverb\tprep\t500\n",
                                            &error))
      << error;
  ASSERT_EQ(tables.MatrixAdjustments().size(), 3u);
  EXPECT_EQ(tables.MatrixAdjustments()[0].first, 8);
  EXPECT_EQ(tables.MatrixAdjustments()[0].second, 4);
  EXPECT_EQ(tables.MatrixAdjustments()[0].third, 0);
  EXPECT_EQ(tables.MatrixAdjustments()[0].change, 40);
  EXPECT_EQ(tables.MatrixAdjustments()[1].change, -1000);
  EXPECT_EQ(tables.MatrixAdjustments()[2].first, 8);
  EXPECT_EQ(tables.MatrixAdjustments()[2].second, 1);
  EXPECT_EQ(tables.MatrixAdjustments()[2].third, 6);
  EXPECT_EQ(tables.MatrixAdjustments()[2].change, 500);
  EXPECT_EQ(tables.MatrixAdjustments()[0].pronounKind, -1);
  // One kind of pronoun.
  ASSERT_TRUE(tables.ParseMatrixAdjustments("pron:others\tadj\t100\npron:deixis\tverb\tprep\t-20\n", &error))
      << error;
  ASSERT_EQ(tables.MatrixAdjustments().size(), 2u);
  EXPECT_EQ(tables.MatrixAdjustments()[0].first, 5);
  EXPECT_EQ(tables.MatrixAdjustments()[0].pronounKind, 5);
  EXPECT_EQ(tables.MatrixAdjustments()[0].second, 4);
  EXPECT_EQ(tables.MatrixAdjustments()[0].change, 100);
  EXPECT_EQ(tables.MatrixAdjustments()[1].pronounKind, 4);
  EXPECT_EQ(tables.MatrixAdjustments()[1].third, 6);
  const struct {
    const char* text;
    const char* error;
  } bad[] = {
      {"noun\tadj\n", "matrix_adjustments.tsv:1"},
      {"# x\nnoun\tadjective\t40\n", "matrix_adjustments.tsv:2"},
      {"noun\tadj\tforty\n", "matrix_adjustments.tsv:1"},
      {"noun\tadj\t40x\n", "matrix_adjustments.tsv:1"},
      {"noun\tadj\t1001\n", "matrix_adjustments.tsv:1"},
      {"noun\tadj\t\n", "matrix_adjustments.tsv:1"},
      {"noun\tadj\tx\t40\n", "matrix_adjustments.tsv:1"},
      {"noun\tadj\tprep\t-1001\n", "matrix_adjustments.tsv:1"},
      {"noun\tadj\tprep\tverb\t40\n", "matrix_adjustments.tsv:1"},
      {"pron:some\tadj\t40\n", "matrix_adjustments.tsv:1"},
      {"adj\tpron:others\t40\n", "matrix_adjustments.tsv:1"},
  };
  for (const auto& b : bad) {
    CuratedTables t;
    std::string e;
    EXPECT_FALSE(t.ParseMatrixAdjustments(b.text, &e)) << b.text;
    EXPECT_EQ(e, b.error) << b.text;
  }
}

}  // namespace
}  // namespace malvex::edition
