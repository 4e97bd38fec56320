#include "scenarios/scenario_layer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dictionaries/lemma_index.h"
#include "dictionaries/noun_lemma_dictionary.h"
#include "dictionaries/semantic_dictionary_builder.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "scenarios/scenario_store.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::TempDir;
using testing::WriteFile;

SemanticSenseEntry Sense(std::string form, std::string c1, std::string c2, std::string c3, std::string lemma) {
  SemanticSenseEntry e;
  e.form = std::move(form);
  e.classes[0] = std::move(c1);
  e.classes[1] = std::move(c2);
  e.classes[2] = std::move(c3);
  e.lemma = std::move(lemma);
  return e;
}

// Level 1: medic, clinica, vehicul; level 2: sanatate, transport; level 3:
// stiinta, loc, obiect. Noun lemmas: doctor, spital, masina, autobuz.
std::string SmallDictionary() {
  SemanticDictionaryBuilder builder;
  for (const SemanticSenseEntry& s : {
           Sense("doctor", "medic", "sanatate", "stiinta", "doctor"),
           Sense("spital", "clinica", "sanatate", "loc", "spital"),
           Sense("masina", "vehicul", "transport", "obiect", "masina"),
           Sense("autobuz", "vehicul", "transport", "obiect", "autobuz"),
       }) {
    EXPECT_TRUE(builder.AddSense(s)) << builder.error();
  }
  std::string image;
  EXPECT_TRUE(builder.Build(image)) << builder.error();
  return image;
}

// Records what the anomaly list window would be told.
class RecordingListener : public ScenarioAnomalyListener {
 public:
  void AnomalyReported(const ScenarioAnomaly& a) override { lines.push_back(a.text + " " + std::to_string(a.messageId)); }
  void BuildEnded(bool any) override { ended.push_back(any); }
  void Cleared() override { lines.clear(); }
  std::vector<std::string> lines;
  std::vector<bool> ended;
};

class ScenarioLayerTest : public ::testing::Test {
 protected:
  ScenarioLayerTest()
      : messages_(box_),
        tables_(DefaultLanguageTables()),
        dictionary_(messages_, tables_, pool_),
        verbs_(29, 7),
        adjectives_(29, 7),
        store_(messages_),
        layer_(dictionary_, store_, &verbs_, &adjectives_, messages_) {
    EXPECT_EQ(dictionary_.LoadImage(SmallDictionary()), SemanticLoadStatus::kOk);
    dictionary_.ResetRunCounts();
    verbs_.CreateEmpty();
    adjectives_.CreateEmpty();
    verbLemma_ = verbs_.AddLemma("vindeca");
    adjectiveLemma_ = adjectives_.AddLemma("bolnav");
    dictionary_.SetScenarioGroups(&layer_);
    layer_.SetAnomalyListener(&listener_);
  }

  // Loads `text` into the store and builds the layer from it.
  bool Build(const std::string& text) {
    store_.Reset();
    const std::string path = dir_.File("s.scn");
    EXPECT_TRUE(WriteFile(path, text));
    EXPECT_TRUE(store_.Load(path));
    return layer_.Build(store_.signatures().renumbering);
  }
  uint32_t NounLemma(const std::string& text) { return dictionary_.nounLemmas().LemmaNumberOf(text); }
  int32_t Class(int level, const std::string& name) { return dictionary_.ClassNumberOfName(level, name.c_str()); }
  // The anomalies of the last build as "text id".
  std::vector<std::string> Anomalies() const {
    std::vector<std::string> lines;
    for (const ScenarioAnomaly& a : layer_.anomalies()) lines.push_back(a.text + " " + std::to_string(a.messageId));
    return lines;
  }
  std::vector<char> Marks() const {
    std::vector<char> marks;
    for (const ScenarioEntry& e : store_.entries()) marks.push_back(e.code[3]);
    return marks;
  }
  // Counts `times` occurrences of group `g` as the semantic pass does.
  void Count(int32_t g, int times) {
    for (int i = 0; i < times; ++i) ASSERT_TRUE(dictionary_.CountScenarioGroup(g));
  }

  TempDir dir_;
  ScriptedBox box_;
  Messages messages_;
  LanguageTables tables_;
  StringPool pool_;
  SemanticDictionary dictionary_;
  LemmaIndex verbs_;
  LemmaIndex adjectives_;
  ScenarioStore store_;
  ScenarioLayer layer_;
  RecordingListener listener_;
  uint32_t verbLemma_ = 0;
  uint32_t adjectiveLemma_ = 0;
};

TEST_F(ScenarioLayerTest, GroupsBecomeLevelFourClassesWithDepthsAndParents) {
  ASSERT_TRUE(Build("G#0V\t1\tSanatate\r\nG#1V\t2\tMedici\r\nG#2V\t3\tChirurgi\r\nG#1V\t4\tClinici\r\n"
                    "G#0V\t5\tTransport\r\n"));
  EXPECT_EQ(layer_.GroupCount(), 5u);
  EXPECT_EQ(dictionary_.CurrentNumberOfClasses(kScenarioLevel), 5u);
  EXPECT_STREQ(dictionary_.ClassName(kScenarioLevel, 3), "chirurgi");
  EXPECT_EQ(Class(kScenarioLevel, "clinici"), 4);
  const int depths[] = {0, 1, 2, 1, 0};
  const int32_t parents[] = {0, 1, 2, 1, 0};
  for (int32_t g = 1; g <= 5; ++g) {
    EXPECT_EQ(layer_.Depth(g), depths[g - 1]) << g;
    EXPECT_EQ(layer_.Parent(g), parents[g - 1]) << g;
    EXPECT_EQ(layer_.Signature(g), g) << g;
    EXPECT_TRUE(layer_.GroupIsActive(g)) << g;
  }
  EXPECT_TRUE(layer_.ScenarioLoaded());
  EXPECT_TRUE(Anomalies().empty());
  EXPECT_EQ(listener_.ended, std::vector<bool>{false});
}

TEST_F(ScenarioLayerTest, HiddenGroupHidesItsWholeSubtree) {
  ASSERT_TRUE(Build("G#0H\t1\tA\r\nG#1V\t2\tB\r\nG#2V\t3\tC\r\nG#0V\t4\tD\r\nG#1H\t5\tE\r\nG#1V\t6\tF\r\n"));
  const bool active[] = {false, false, false, true, false, true};
  for (int32_t g = 1; g <= 6; ++g) EXPECT_EQ(layer_.GroupIsActive(g), active[g - 1]) << g;
  EXPECT_FALSE(layer_.GroupIsActive(0));
  EXPECT_FALSE(layer_.GroupIsActive(7));
}

TEST_F(ScenarioLayerTest, ItemsLinkToTheirGroup) {
  ASSERT_TRUE(Build("G#0V\t1\tSanatate\r\n0#1#\tAsistent-Sef\tSanatate\r\n1#1#\tMedic\tSanatate\r\n"
                    "G#0V\t2\tTransport\r\n2#1#\ttransport\tTransport\r\n3#1#\tobiect\tTransport\r\n"
                    "V#1#\tvindeca\tTransport\r\nA#1#\tbolnav\tTransport\r\nS#1#\tspital\tTransport\r\n"));
  EXPECT_TRUE(Anomalies().empty());
  EXPECT_EQ(layer_.WordGroup("asistent_sef"), 1);
  EXPECT_EQ(layer_.WordGroup("asistent-sef"), 1);
  EXPECT_EQ(layer_.WordGroup("asistent"), 0);
  EXPECT_EQ(layer_.GroupOfClass(1, Class(1, "medic")), 1);
  EXPECT_EQ(layer_.GroupOfClass(2, Class(2, "transport")), 2);
  EXPECT_EQ(layer_.GroupOfClass(3, Class(3, "obiect")), 2);
  EXPECT_EQ(layer_.GroupOfClass(1, Class(1, "vehicul")), 0);
  EXPECT_EQ(verbs_.GroupOf(verbLemma_), 2u);
  EXPECT_TRUE(layer_.VerbHasGroup(verbLemma_));
  EXPECT_EQ(adjectives_.GroupOf(adjectiveLemma_), 2u);
  EXPECT_TRUE(layer_.AdjectiveHasGroup(adjectiveLemma_));
  uint32_t lemma = 0;
  int32_t group = 0;
  ASSERT_TRUE(layer_.GroupOfNounLemma("spital", lemma, group));
  EXPECT_EQ(lemma, NounLemma("spital"));
  EXPECT_EQ(group, 2);
  EXPECT_TRUE(layer_.NounHasGroup(lemma));
  EXPECT_FALSE(layer_.NounHasGroup(NounLemma("doctor")));
  EXPECT_TRUE(layer_.ClassIsInScenario(2, "transport"));
  EXPECT_FALSE(layer_.ClassIsInScenario(2, "sanatate"));
}

TEST_F(ScenarioLayerTest, UnknownAndDuplicatedItemsAreAnomalies) {
  ASSERT_TRUE(Build("G#0V\t1\tA\r\n"
                    "1#1#\tnimic\tA\r\n2#1#\tnimic\tA\r\n3#1#\tmedic\tA\r\nV#1#\tvindecam\tA\r\n"
                    "A#1#\tnimic\tA\r\nS#1#\tmedic\tA\r\n"
                    "1#1#\tmedic\tA\r\nS#1#\tdoctor\tA\r\n0#1#\tcuvant\tA\r\n"
                    "G#0V\t2\tB\r\n"
                    "1#1#\tmedic\tB\r\nS#1#\tdoctor\tB\r\nV#1#\tvindeca\tB\r\nV#1#\tvindeca\tB\r\n0#1#\tCUVANT\tB\r\n"));
  EXPECT_EQ(Anomalies(), (std::vector<std::string>{"nimic 465", "nimic 465", "medic 465", "vindecam 465", "nimic 465",
                                                   "medic 465", "medic 458", "doctor 458", "vindeca 458",
                                                   "CUVANT 458"}));
  // Rejected class, verb, adjective and noun items are marked; a duplicated
  // word is not.
  EXPECT_EQ(Marks(), (std::vector<char>{'V', '?', '?', '?', '?', '?', '?', '#', '#', '#', 'V', '?', '?', '#', '?',
                                        '#'}));
  // The first link stays.
  EXPECT_EQ(layer_.GroupOfClass(1, Class(1, "medic")), 1);
  EXPECT_EQ(layer_.WordGroup("cuvant"), 1);
  EXPECT_EQ(dictionary_.nounLemmas().GroupOf(NounLemma("doctor")), 1u);
  EXPECT_EQ(verbs_.GroupOf(verbLemma_), 2u);
  EXPECT_EQ(listener_.lines, Anomalies());
  EXPECT_EQ(listener_.ended, std::vector<bool>{true});
  EXPECT_EQ(layer_.AnomalyCount(), 10u);
}

TEST_F(ScenarioLayerTest, ItemUnderAMissingDepthBelongsToNoGroup) {
  ASSERT_TRUE(Build("G#0V\t1\tA\r\n0#2#\tcuvant\tA\r\n1#2#\tmedic\tA\r\n0#1#\taltul\tA\r\n"));
  EXPECT_EQ(layer_.WordGroup("cuvant"), 0);
  EXPECT_EQ(layer_.GroupOfClass(1, Class(1, "medic")), 0);
  EXPECT_EQ(layer_.WordGroup("altul"), 1);
  EXPECT_TRUE(Anomalies().empty());
}

TEST_F(ScenarioLayerTest, FlatFileMakesAGroupPerItemAndReportsRenumbering) {
  ASSERT_TRUE(Build("0###\tdoctor\tSanatate\r\n0###\tasistent\tSanatate\r\n0###\tsofer\tTransport\r\n"
                    "0###\tfara\t\r\n"));
  EXPECT_EQ(layer_.GroupCount(), 3u);
  EXPECT_EQ(layer_.WordGroup("doctor"), 1);
  EXPECT_EQ(layer_.WordGroup("asistent"), 2);
  EXPECT_EQ(layer_.WordGroup("sofer"), 3);
  // An item with an empty value makes no group and joins the current one.
  EXPECT_EQ(layer_.WordGroup("fara"), 3);
  EXPECT_STREQ(dictionary_.ClassName(kScenarioLevel, 2), "sanatate");
  for (int32_t g = 1; g <= 3; ++g) EXPECT_EQ(layer_.Signature(g), g);
  EXPECT_EQ(Anomalies(), std::vector<std::string>{"! 1235"});
}

TEST_F(ScenarioLayerTest, SignaturesAreReissuedInOrderWhenAnyIsNotANumber) {
  struct Case {
    const char* what;
    std::string text;
    bool forced;
    std::vector<int32_t> signatures;
    std::vector<std::string> anomalies;
  };
  const std::vector<Case> cases = {
      {"numbers kept", "G#0V\t40\tA\r\nG#0V\t7\tB\r\n", false, {40, 7}, {}},
      {"renumbered from the store's load", "G#0V\t40\tA\r\nG#0V\tx\tB\r\nG#0V\t3\tC\r\n", false, {1, 2, 3}, {"! 1235"}},
      {"forced renumbering is not reported", "G#0V\t40\tA\r\nG#0V\t7\tB\r\n", true, {1, 2}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store_.Reset();
    const std::string path = dir_.File("s.scn");
    ASSERT_TRUE(WriteFile(path, c.text));
    ASSERT_TRUE(store_.Load(path));
    store_.signatures().forcedRenumbering = c.forced;
    layer_.Build(store_.signatures().renumbering || c.forced);
    std::vector<int32_t> signatures;
    for (uint32_t g = 1; g <= layer_.GroupCount(); ++g) signatures.push_back(layer_.Signature(static_cast<int32_t>(g)));
    EXPECT_EQ(signatures, c.signatures);
    EXPECT_EQ(Anomalies(), c.anomalies);
    EXPECT_FALSE(store_.signatures().forcedRenumbering);
    // The counter ends at the highest signature.
    EXPECT_EQ(store_.signatures().counter, *std::max_element(signatures.begin(), signatures.end()));
  }
}

TEST_F(ScenarioLayerTest, RestartSignaturesNumbersTheNextSaveAfresh) {
  ASSERT_TRUE(Build("G#0V\t40\tA\r\n"));
  layer_.RestartSignatures(true);
  EXPECT_EQ(layer_.Signature(1), 0);
  EXPECT_TRUE(store_.signatures().renumbering);
  EXPECT_EQ(store_.signatures().counter, 0);
  ASSERT_TRUE(Build("G#0V\t40\tA\r\n"));
  layer_.RestartSignatures(false);
  EXPECT_EQ(store_.signatures().counter, 40);
}

TEST_F(ScenarioLayerTest, BuildStopsAtAGroupWithAnEmptyLabel) {
  EXPECT_FALSE(Build("G#0V\t1\tA\r\nG#0V\t2\t\r\n0#1#\tcuvant\tA\r\nG#0V\t3\tC\r\n"));
  EXPECT_EQ(layer_.GroupCount(), 1u);
  EXPECT_EQ(layer_.WordGroup("cuvant"), 0);
}

TEST_F(ScenarioLayerTest, TooManyGroupsStopTheBuild) {
  std::string text;
  for (uint32_t g = 1; g <= ScenarioLayer::kMaxGroups + 1; ++g) text += "G#0V\t" + std::to_string(g) + "\tg\r\n";
  EXPECT_FALSE(Build(text));
  EXPECT_EQ(layer_.GroupCount(), ScenarioLayer::kMaxGroups);
  ASSERT_EQ(box_.asked().size(), 1u);
  EXPECT_EQ(box_.asked()[0].text, "Scenario overflow: please reduce the number of entries of the current Scenario");
}

TEST_F(ScenarioLayerTest, NounGroupPrefersScenarioWordThenLemmaThenClasses) {
  ASSERT_TRUE(Build("G#0V\t1\tLemma\r\nS#1#\tdoctor\tLemma\r\nG#0V\t2\tCuvant\r\n0#1#\tdoctor\tCuvant\r\n"
                    "G#0V\t3\tClase\r\n1#1#\tvehicul\tClase\r\n3#1#\tloc\tClase\r\nG#0V\t4\tMasina\r\n"
                    "S#1#\tmasina\tMasina\r\n"));
  ClassPath path;
  path.at(1) = Class(1, "medic");
  EXPECT_EQ(layer_.GroupOfNoun("doctor", NounLemma("doctor"), path), 2);
  // No Scenario word: the noun lemma's group, else the classes' by level.
  path.at(1) = Class(1, "vehicul");
  EXPECT_EQ(layer_.GroupOfNoun("masina", NounLemma("masina"), path), 4);
  EXPECT_EQ(layer_.GroupOfNoun("autobuz", NounLemma("autobuz"), path), 3);
  ClassPath onlyLevel3;
  onlyLevel3.at(1) = Class(1, "clinica");
  onlyLevel3.at(3) = Class(3, "loc");
  EXPECT_EQ(layer_.GroupOfNoun("spital", NounLemma("spital"), onlyLevel3), 3);
  EXPECT_EQ(layer_.GroupOfNoun("nimic", 0, ClassPath{}), 0);
}

TEST_F(ScenarioLayerTest, ClassifiedNounIsCountedInItsGroup) {
  ASSERT_TRUE(Build("G#0V\t1\tLemma\r\nS#1#\tdoctor\tLemma\r\nG#0V\t2\tCuvant\r\n0#1#\tdoctor\tCuvant\r\n"));
  std::string text = "Doctor";
  int32_t cls = 0;
  ASSERT_TRUE(dictionary_.ClassifyReferent(text.data(), NounLemma("doctor"), 0, true, cls));
  EXPECT_EQ(dictionary_.CurrentPath().at(kScenarioLevel), 2);
  EXPECT_EQ(layer_.GroupCountOf(2), 1u);
  EXPECT_EQ(layer_.GroupCountOf(1), 0u);
  EXPECT_EQ(layer_.GroupOfWord("Doctor"), 2);
  EXPECT_EQ(layer_.GroupOfWord("spital"), 0);
}

TEST_F(ScenarioLayerTest, PropagationAddsTheOwnCountsOfActiveDescendants) {
  ASSERT_TRUE(Build("G#0V\t1\tA\r\nG#1V\t2\tB\r\nG#2V\t3\tC\r\nG#1H\t4\tHidden\r\nG#0V\t5\tD\r\n"));
  Count(1, 1);
  Count(2, 2);
  Count(3, 3);
  Count(4, 10);
  Count(5, 4);
  layer_.PropagateCounts();
  const uint32_t counts[] = {6, 5, 3, 10, 4};
  for (int32_t g = 1; g <= 5; ++g) EXPECT_EQ(layer_.GroupCountOf(g), counts[g - 1]) << g;
}

TEST_F(ScenarioLayerTest, RankingListsActiveTopLevelGroupsByCount) {
  ASSERT_TRUE(Build("G#0V\t1\tA\r\nG#1V\t2\tA1\r\nG#0H\t3\tHidden\r\nG#0V\t4\tB\r\nG#0V\t5\tUncounted\r\n"
                    "G#0V\t6\tC\r\n"));
  EXPECT_FALSE(layer_.ScenarioCounted());
  Count(1, 2);
  Count(2, 9);
  Count(3, 8);
  Count(4, 5);
  Count(6, 1);
  layer_.RankGroups();
  std::vector<int32_t> ranked;
  for (uint32_t r = 1; r <= dictionary_.NumberOfRankedClasses(kScenarioLevel); ++r) {
    ranked.push_back(dictionary_.RankedClass(kScenarioLevel, r));
  }
  EXPECT_EQ(ranked, (std::vector<int32_t>{4, 1, 6}));
  EXPECT_TRUE(layer_.ScenarioCounted());
}

TEST_F(ScenarioLayerTest, HasNoSubGroupAtDepth) {
  ASSERT_TRUE(Build("G#0V\t1\tA\r\nG#1H\t2\tHidden\r\nG#1V\t3\tB\r\nG#2V\t4\tB1\r\nG#0V\t5\tC\r\nG#1V\t6\tC1\r\n"));
  dictionary_.SetDetectionThreshold(3);
  Count(3, 2);
  Count(4, 3);
  EXPECT_FALSE(layer_.HasNoSubGroupAtDepth(1, 1, false));
  // Counted only: B (depth 1) is below the threshold.
  EXPECT_TRUE(layer_.HasNoSubGroupAtDepth(1, 1, true));
  EXPECT_FALSE(layer_.HasNoSubGroupAtDepth(3, 2, true));
  // The scan from A stops at once at the hidden group of depth 1.
  EXPECT_TRUE(layer_.HasNoSubGroupAtDepth(1, 2, false));
  // The scan stops at C, so C1 does not count for A.
  EXPECT_TRUE(layer_.HasNoSubGroupAtDepth(3, 1, false));
  EXPECT_FALSE(layer_.HasNoSubGroupAtDepth(5, 1, false));
}

TEST_F(ScenarioLayerTest, ClearAndResetLinksForgetTheScenario) {
  ASSERT_TRUE(Build("G#0V\t1\tA\r\n0#1#\tcuvant\tA\r\n1#1#\tmedic\tA\r\nV#1#\tvindeca\tA\r\nS#1#\tdoctor\tA\r\n"
                    "1#1#\tnimic\tA\r\n"));
  EXPECT_FALSE(listener_.lines.empty());
  layer_.Clear();
  EXPECT_TRUE(listener_.lines.empty());
  EXPECT_EQ(layer_.GroupCount(), 0u);
  EXPECT_EQ(layer_.WordGroup("cuvant"), 0);
  EXPECT_FALSE(layer_.GroupIsActive(1));
  layer_.ResetLinks();
  EXPECT_EQ(dictionary_.CurrentNumberOfClasses(kScenarioLevel), 0u);
  EXPECT_EQ(layer_.GroupOfClass(1, Class(1, "medic")), 0);
  EXPECT_EQ(verbs_.GroupOf(verbLemma_), 0u);
  EXPECT_EQ(dictionary_.nounLemmas().GroupOf(NounLemma("doctor")), 0u);
  EXPECT_EQ(layer_.GroupOfNoun("doctor", NounLemma("doctor"), ClassPath{}), 0);
}

}  // namespace
}  // namespace malvex
