#include "engine/engine.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "dictionaries/lexicon_builder.h"
#include "foundations/category.h"
#include "foundations/language_tables.h"
#include "platform/basic_gauges.h"
#include "platform/registry.h"
#include "platform/scripted_box.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "semantic/analysis_context.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::CatchFatalExit;
using testing::FatalExitCalled;
using testing::TempDir;

// A front end for tests: scripted boxes, silent gauges that can be told
// to report Stop.
class TestFrontEnd : public FrontEnd {
 public:
  NotificationBox& Box() override { return box; }
  std::unique_ptr<Gauge> CreateGauge() override {
    auto g = std::make_unique<SilentGauge>();
    g->StopAfterContinues(stopAfter);
    ++gaugesCreated;
    lastGauge = g.get();
    return g;
  }
  ScriptedBox box;
  int stopAfter = 0;
  int gaugesCreated = 0;
  SilentGauge* lastGauge = nullptr;
};

// An installation in a temporary folder: bin/, Text/ and Dico/ with an
// edition that knows no word.
class EngineTest : public ::testing::Test {
 protected:
  EngineTest() { EXPECT_TRUE(testing::WriteTestInstallation(dir.path())); }
  void WriteMatrix(const std::string& bytes) {
    ASSERT_TRUE(testing::WriteFile(dir.File("Dico/roglex.zv8"), bytes));
  }
  EngineOptions Options() {
    EngineOptions o;
    o.places = testing::TestSettingsPlaces(dir.path());
    return o;
  }
  // A text file of `words` words, a sentence every ten words, each
  // sentence opening with a capital letter.
  std::string TextFile(const std::string& name, int words) {
    std::string text;
    for (int i = 1; i <= words; ++i) {
      text += (i % 10 == 1) ? "Cuvant" : "cuvant";
      text += (i % 10 == 0) ? ". " : " ";
    }
    std::string path = dir.File(name);
    EXPECT_TRUE(testing::WriteFile(path, text));
    return path;
  }

  TempDir dir;
  TestFrontEnd frontEnd;
};

TEST_F(EngineTest, RunsEveryFileOfTheListInOrder) {
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  engine.files().Add(TextFile("a.txt", 30));
  engine.files().Add(TextFile("b.txt", 20));
  ASSERT_TRUE(engine.RunAnalysis(1));
  EXPECT_FALSE(engine.run().running);
  EXPECT_EQ(engine.run().mode, 1);
  ASSERT_NE(engine.analysis(), nullptr);
  EXPECT_EQ(engine.analysis()->Words(), 50);
  EXPECT_EQ(engine.analysis()->Propositions(), 5);
  EXPECT_EQ(engine.gauge(), nullptr);
  EXPECT_TRUE(engine.runFlags().analysisMade());
  // Words of the second file carry its index.
  EXPECT_EQ(engine.stream().FileIndexAt(1), 1);
  EXPECT_EQ(engine.stream().FileIndexAt(31), 2);
  EXPECT_EQ(engine.stream().HighestPosition(), 50);
}

TEST_F(EngineTest, EmptyFileListStillRunsTheSemanticPass) {
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  ASSERT_TRUE(engine.RunAnalysis(1));
  EXPECT_EQ(engine.stream().Count(), 0u);
  ASSERT_NE(engine.analysis(), nullptr);
  EXPECT_EQ(engine.analysis()->Words(), 0);
}

TEST_F(EngineTest, SecondRunWhileRunningIsRefusedAndChangesNothing) {
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  engine.files().Add(TextFile("a.txt", 12));
  ASSERT_TRUE(engine.RunAnalysis(1));
  uint32_t count = engine.stream().Count();
  engine.run().running = true;
  EXPECT_FALSE(engine.ReadingPass());
  EXPECT_FALSE(engine.RunAnalysis(1));
  EXPECT_EQ(engine.stream().Count(), count);
  EXPECT_TRUE(engine.run().running);
}

TEST_F(EngineTest, SizeSettingBelowTwoCountsAsTwoAndIsRewritten) {
  for (int setting : {0, 1}) {
    Engine engine(frontEnd, Options());
    ASSERT_TRUE(engine.StartEngine());
    engine.record().setTextSizeWarning(setting);
    engine.files().Add(TextFile("a.txt", 5));
    ASSERT_TRUE(engine.RunAnalysis(1));
    EXPECT_EQ(engine.record().textSizeWarning(), 2) << setting;
    EXPECT_EQ(engine.run().sizeLimitBytes, 2 * 1024000) << setting;
  }
}

TEST_F(EngineTest, SizeWarningAnsweredNoKeepsTheWordsAndSkipsTheOtherFiles) {
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  engine.record().setTextSizeWarning(2);
  // 7 bytes per word: the warning comes at the first 50,000-word moment
  // after 2,048,000 bytes were read.
  engine.files().Add(TextFile("big.txt", 400000));
  engine.files().Add(TextFile("next.txt", 10));
  frontEnd.box.ClearRecords();
  frontEnd.box.QueueAnswer(kButton2);  // No
  ASSERT_TRUE(engine.RunAnalysis(1));
  ASSERT_EQ(frontEnd.box.asked().size(), 1u);
  EXPECT_EQ(frontEnd.box.asked()[0].kind, BoxKind::kYesNoCancel);
  EXPECT_NE(frontEnd.box.asked()[0].text.find("The total size of the text is bigger than 2 MB."),
            std::string::npos);
  uint32_t words = static_cast<uint32_t>(engine.analysis()->Words());
  EXPECT_GE(words, 250000u);
  EXPECT_LT(words, 400000u);
  EXPECT_EQ(engine.stream().FileIndexAt(engine.stream().HighestPosition()), 1);
}

TEST_F(EngineTest, SizeWarningAnsweredYesIsNotAskedAgainForTheFile) {
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  engine.record().setTextSizeWarning(2);
  engine.files().Add(TextFile("big.txt", 500000));
  frontEnd.box.ClearRecords();
  frontEnd.box.QueueAnswer(kButton1);  // Yes
  ASSERT_TRUE(engine.RunAnalysis(1));
  EXPECT_EQ(frontEnd.box.asked().size(), 1u);
  EXPECT_EQ(engine.analysis()->Words(), 500000);
}

TEST_F(EngineTest, StopConfirmedInTheGaugeInterruptsTheReadingPass) {
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  engine.files().Add(TextFile("big.txt", 200000));
  engine.files().Add(TextFile("next.txt", 10));
  // Two polls come before the first word; Stop is confirmed at the second
  // progress moment (100,000 words).
  frontEnd.stopAfter = 4;
  EXPECT_FALSE(engine.RunAnalysis(1));
  EXPECT_TRUE(engine.run().readInterrupted);
  EXPECT_TRUE(engine.run().runAborted);
  EXPECT_FALSE(engine.run().running);
  EXPECT_EQ(engine.gauge(), nullptr);
  EXPECT_EQ(engine.analysis(), nullptr);
  // What was read stays in the word stream; the second file was not read.
  EXPECT_GT(engine.stream().Count(), 0u);
  EXPECT_LT(engine.stream().HighestPosition(), 200000);
  EXPECT_GE(engine.stream().HighestPosition(), 100000);
  // The next run starts clean.
  frontEnd.stopAfter = 0;
  engine.files().Clear();
  engine.files().Add(dir.File("next.txt"));
  EXPECT_TRUE(engine.RunAnalysis(1));
  EXPECT_FALSE(engine.run().runAborted);
  EXPECT_EQ(engine.analysis()->Words(), 10);
}

TEST_F(EngineTest, UnreadableFileContributesNoWords) {
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  engine.files().Add(dir.File("missing.txt"));
  engine.files().Add(TextFile("empty.txt", 0));
  engine.files().Add(TextFile("a.txt", 10));
  ASSERT_TRUE(engine.RunAnalysis(1));
  EXPECT_EQ(engine.analysis()->Words(), 10);
  EXPECT_EQ(engine.stream().FileIndexAt(1), 3);
}

TEST_F(EngineTest, Utf8TextWithoutMarkIsReadAsUtf8) {
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  std::string path = dir.File("ro.txt");
  ASSERT_TRUE(testing::WriteFile(path, "Știință și țară."));
  engine.files().Add(path);
  ASSERT_TRUE(engine.RunAnalysis(1));
  WordStream& s = engine.stream();
  s.Rewind();
  WordInfo info;
  const char* sep = nullptr;
  int32_t pos = 0;
  std::vector<std::string> words;
  while (const char* w = s.Next(info, sep, pos)) words.push_back(w);
  EXPECT_EQ(words, (std::vector<std::string>{"\xBAtiin\xFE\xE3", "\xBAi", "\xFE" "ar\xE3", "/"}));
}

// The converters are started once with the engine, on the programs of the
// user registry the settings use, and every reading pass converts with
// them: a program registered there for ".odt" gives the document's text.
TEST_F(EngineTest, ReadingPassConvertsWithTheProgramsOfTheSettingsRegistry) {
  const std::string program = dir.File("odt-to-text");
  ASSERT_TRUE(testing::WriteFile(program, "#!/bin/sh\nprintf 'Text din convertor.'\n"));
  std::filesystem::permissions(program, std::filesystem::perms::owner_all);
  EngineOptions options = Options();
  Registry registry(options.places->registryPath);
  registry.Set(kConverterRegistryKey, ".odt", program);
  ASSERT_TRUE(registry.Save());
  const std::string document = dir.File("doc.odt");
  ASSERT_TRUE(testing::WriteFile(document, "not a zip file"));

  Engine engine(frontEnd, options);
  ASSERT_TRUE(engine.StartEngine());
  EXPECT_TRUE(engine.converters().Available(ConverterKind::kOdfText));
  for (int run = 0; run < 2; ++run) {
    engine.files().Clear();
    engine.files().Add(document);
    ASSERT_TRUE(engine.RunAnalysis(1));
    EXPECT_EQ(engine.analysis()->Words(), 3) << "run " << run;
  }
}

TEST_F(EngineTest, MissingOrShortMatrixEndsWithCode1412) {
  for (const std::string& bytes : {std::string(), std::string(Engine::kMatrixBytes - 1, '\0')}) {
    if (bytes.empty())
      std::filesystem::remove(dir.File("Dico/roglex.zv8"));
    else
      WriteMatrix(bytes);
    CatchFatalExit guard;
    frontEnd.box.ClearRecords();
    Engine engine(frontEnd, Options());
    try {
      engine.StartEngine();
      ADD_FAILURE() << "the engine started without a matrix";
    } catch (const FatalExitCalled& e) {
      EXPECT_EQ(e.code, 1412);
    }
    ASSERT_FALSE(frontEnd.box.asked().empty());
    EXPECT_EQ(frontEnd.box.asked().back().text, "Dictionary matrix unreadable. Please, reinstall the software");
  }
}

TEST_F(EngineTest, MissingDictionaryFolderEndsWithCode2) {
  std::filesystem::remove_all(dir.path() / "Dico");
  CatchFatalExit guard;
  Engine engine(frontEnd, Options());
  try {
    engine.StartEngine();
    ADD_FAILURE() << "the engine started without dictionaries";
  } catch (const FatalExitCalled& e) {
    EXPECT_EQ(e.code, 2);
  }
  ASSERT_FALSE(frontEnd.box.asked().empty());
  EXPECT_EQ(frontEnd.box.asked().back().text,
            "Corrupted dictionary files. Execution failed, re-install the software.");
}

TEST_F(EngineTest, MissingLemmaIndexEndsWithCode2) {
  for (const char* ext : {kVerbLemmaExtension, kAdjectiveLemmaExtension}) {
    ASSERT_TRUE(testing::WriteTestInstallation(dir.path()));
    std::filesystem::remove(dir.File(std::string("Dico/roglex") + ext));
    CatchFatalExit guard;
    frontEnd.box.ClearRecords();
    Engine engine(frontEnd, Options());
    try {
      engine.StartEngine();
      ADD_FAILURE() << "the engine started without " << ext;
    } catch (const FatalExitCalled& e) {
      EXPECT_EQ(e.code, 2) << ext;
    }
    ASSERT_FALSE(frontEnd.box.asked().empty()) << ext;
    EXPECT_EQ(frontEnd.box.asked().back().text,
              "Corrupted dictionary files. Execution failed, re-install the software.");
  }
}

TEST_F(EngineTest, LemmaIndexesAreReadFromTheEdition) {
  ASSERT_TRUE(testing::WriteTestInstallation(dir.path(), MALVEX_TEST_EDITION));
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  ASSERT_NE(engine.verbLemmas(), nullptr);
  ASSERT_NE(engine.adjectiveLemmas(), nullptr);
  EXPECT_STREQ(engine.verbLemmas()->LemmaOfForm("vorbesc"), "vorbi");
  EXPECT_STREQ(engine.adjectiveLemmas()->LemmaOfForm("frumo\xBAi"), "frumos");
  EXPECT_EQ(engine.adjectiveLemmas()->LemmaOfForm("vorbesc"), nullptr);
}

// The analysed text of the engine's last run: each node's text, category
// record and lemma (number and text).
std::string TaggedStream(Engine& engine) {
  std::string out;
  WordStream& stream = engine.stream();
  stream.Rewind();
  WordInfo info;
  WordNode* node = nullptr;
  int32_t position = 0;
  while (const char* text = stream.NextWithNode(info, node, position)) {
    const WordCategory& c = info.category;
    const char* lemma = "";
    if (node->lemma != 0 && isAdjective(c)) lemma = engine.adjectiveLemmas()->LemmaText(node->lemma);
    if (node->lemma != 0 && isVerb(c)) lemma = engine.verbLemmas()->LemmaText(node->lemma);
    out += std::string(text) + " " + std::to_string(c.category) + "." + std::to_string(c.subcategory) + "." +
           std::to_string(c.tensePerson) + "." + std::to_string(c.modeMark) + "." + std::to_string(c.flags) + " " +
           std::to_string(node->lemma) + ":" + lemma + "\n";
  }
  return out;
}

TEST_F(EngineTest, ARunGivesTheSameAnalysisWhateverRanBefore) {
  // A lexicon of a noun and two adjectives the (empty) adjective index
  // lacks: each run makes them lemmas of its own, in the order it meets
  // them, and the runs share the lookup's tables of recent answers.
  LexiconBuilder lexicon(DefaultLanguageTables());
  ASSERT_TRUE(lexicon.AddForm("casa", {0x0800}));
  ASSERT_TRUE(lexicon.AddForm("verde", {0x0401}));
  ASSERT_TRUE(lexicon.AddForm("mare", {0x0401}));
  ASSERT_TRUE(lexicon.Write(dir.File("Dico/roglex.lv8")));
  const std::string first = dir.File("first.txt");
  const std::string other = dir.File("other.txt");
  ASSERT_TRUE(testing::WriteFile(first, "Casa verde. Casa mare. Verde casa."));
  ASSERT_TRUE(testing::WriteFile(other, "Casa mare. Casa verde."));
  const auto analyse = [](Engine& engine, const std::string& file) {
    engine.files().Clear();
    engine.files().Add(file);
    EXPECT_TRUE(engine.RunAnalysis(1));
    return TaggedStream(engine);
  };
  Engine fresh(frontEnd, Options());
  ASSERT_TRUE(fresh.StartEngine());
  const std::string alone = analyse(fresh, first);
  fresh.StopEngine();
  EXPECT_EQ(alone,
            "casa 9.0.0.0.0 0:\nverde 4.1.0.0.0 1:verde\n/ 0.0.0.0.0 0:\n"
            "casa 9.0.0.0.0 0:\nmare 4.1.0.0.0 2:mare\n/ 0.0.0.0.0 0:\n"
            "verde 4.1.0.0.0 1:verde\ncasa 9.0.0.0.0 0:\n/ 0.0.0.0.0 0:\n");

  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  EXPECT_EQ(analyse(engine, first), alone);
  EXPECT_NE(analyse(engine, other).find("mare 4.1.0.0.0 1:mare"), std::string::npos);
  EXPECT_EQ(analyse(engine, first), alone);
  EXPECT_EQ(engine.adjectiveLemmas()->LemmaCount(), 2u);
  EXPECT_EQ(engine.adjectiveLemmas()->RunLemmaCount(), 2u);
}

TEST_F(EngineTest, StartLoadsTheCurrentScenarioIntoTheSemanticDictionary) {
  ASSERT_TRUE(testing::WriteTestInstallation(dir.path(), MALVEX_TEST_EDITION));
  ASSERT_TRUE(std::filesystem::create_directories(dir.path() / "Scenario"));
  ASSERT_TRUE(testing::WriteFile(dir.File("Scenario/Concepts Romanian V8.scn"),
                                 "G#0V\t1\tOameni\r\n1#1#\tpersoan\xE3\tOameni\r\n"
                                 "G#0V\t2\tVorbire\r\nV#1#\tvorbi\tVorbire\r\n0#1#\tvorb\xE3\tVorbire\r\n"));
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  EXPECT_EQ(engine.scenarioStore().count(), 5u);
  ScenarioLayer& layer = engine.scenarioLayer();
  EXPECT_EQ(layer.GroupCount(), 2u);
  EXPECT_TRUE(layer.anomalies().empty());
  ScenarioGroups& attached = engine.semanticDictionary().scenarioGroups();
  EXPECT_TRUE(attached.ScenarioLoaded());
  EXPECT_EQ(attached.WordGroup("vorb\xE3"), 2);
  EXPECT_EQ(engine.verbLemmas()->GroupOf(engine.verbLemmas()->LemmaNumberOfLemma("vorbi")), 2u);
  EXPECT_EQ(layer.GroupOfClass(1, engine.semanticDictionary().ClassNumberOfName(1, "persoan\xE3")), 1);
}

// A word only the Scenario knows is a substantive of its group, and a
// compound only the Scenario knows joins its words.
TEST_F(EngineTest, WordsKnownOnlyToTheScenarioReachTheLexicon) {
  ASSERT_TRUE(testing::WriteTestInstallation(dir.path(), MALVEX_TEST_EDITION));
  ASSERT_TRUE(std::filesystem::create_directories(dir.path() / "Scenario"));
  ASSERT_TRUE(testing::WriteFile(dir.File("Scenario/Concepts Romanian V8.scn"),
                                 "G#0V\t1\tUnelte\r\n0#1#\tzorbulac\tUnelte\r\n0#1#\tgrif_tralac\tUnelte\r\n"));
  const std::string text = dir.File("t.txt");
  ASSERT_TRUE(testing::WriteFile(text, "Zorbulac merge. Grif tralac merge."));
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  ASSERT_EQ(engine.scenarioLayer().GroupCount(), 1u);
  engine.files().Add(text);
  ASSERT_TRUE(engine.RunAnalysis(1));
  WordStream& s = engine.stream();
  s.Rewind();
  WordInfo info;
  const char* sep = nullptr;
  int32_t pos = 0;
  std::vector<std::string> words;
  std::vector<uint32_t> groups;
  while (const char* w = s.Next(info, sep, pos)) {
    if (w[0] == '/') continue;
    words.push_back(w);
    groups.push_back(isSubstantive(info.category) ? info.classPath[3] : 0);
  }
  EXPECT_EQ(words, (std::vector<std::string>{"zorbulac", "merge", "grif_tralac", "merge"}));
  ASSERT_EQ(groups.size(), 4u);
  EXPECT_EQ(groups[0], 1u);
  EXPECT_EQ(groups[2], 1u);
}

// A borders file the settings name but that cannot be read is reported
// and its name cleared, at start-up as in a run; a readable one stays.
TEST_F(EngineTest, UnreadableBordersFileIsClearedFromTheSettings) {
  ASSERT_TRUE(std::filesystem::create_directories(dir.path() / "Scenario"));
  ASSERT_TRUE(testing::WriteFile(dir.File("Scenario/ok.dlm"), "X#######\tCapitol\r\n"));
  {
    Engine engine(frontEnd, Options());
    ASSERT_TRUE(engine.StartEngine());
    engine.record().setBordersFile("ok.dlm");
    engine.files().Add(TextFile("a.txt", 10));
    ASSERT_TRUE(engine.RunAnalysis(1));
    EXPECT_EQ(engine.record().bordersFile(), "ok.dlm");
    engine.record().setBordersFile("missing.dlm");
    ASSERT_TRUE(engine.RunAnalysis(1));
    EXPECT_EQ(engine.record().bordersFile(), "");
    engine.record().setBordersFile("gone.dlm");
  }
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  EXPECT_EQ(engine.record().bordersFile(), "");
}

// The lookup's tables of recent answers outlive a run, not the Scenario
// words they were looked up with: after another Scenario is loaded, a word
// only the first one knew is no longer taken for one of its words.
TEST_F(EngineTest, ARunAfterAnotherScenarioIsLoadedLooksItsWordsUpAfresh) {
  ASSERT_TRUE(testing::WriteTestInstallation(dir.path(), MALVEX_TEST_EDITION));
  ASSERT_TRUE(std::filesystem::create_directories(dir.path() / "Scenario"));
  ASSERT_TRUE(testing::WriteFile(dir.File("Scenario/Concepts Romanian V8.scn"),
                                 "G#0V\t1\tUnelte\r\n0#1#\tzorbulac\tUnelte\r\n0#1#\tgrif_tralac\tUnelte\r\n"));
  ASSERT_TRUE(testing::WriteFile(dir.File("Scenario/Other.scn"), "G#0V\t1\tVorbe\r\n0#1#\tplimbac\tVorbe\r\n"));
  const std::string text = dir.File("t.txt");
  ASSERT_TRUE(testing::WriteFile(text, "Zorbulac merge. Grif tralac merge. Plimbac merge."));
  const auto analyse = [&text](Engine& engine) {
    engine.files().Clear();
    engine.files().Add(text);
    EXPECT_TRUE(engine.RunAnalysis(1));
    std::string out;
    WordStream& s = engine.stream();
    s.Rewind();
    WordInfo info;
    const char* sep = nullptr;
    int32_t pos = 0;
    while (const char* w = s.Next(info, sep, pos))
      out += std::string(w) + " " + std::to_string(info.category.category) + " " +
             std::to_string(isSubstantive(info.category) ? info.classPath[3] : 0) + "\n";
    return out;
  };
  const auto useScenario = [](Engine& engine, const std::string& name) {
    engine.record().setScenarioFile(name);
    ASSERT_TRUE(engine.currentScenario().LoadCurrentScenario());
  };

  Engine fresh(frontEnd, Options());
  ASSERT_TRUE(fresh.StartEngine());
  useScenario(fresh, "Other.scn");
  const std::string withOther = analyse(fresh);
  fresh.StopEngine();

  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  useScenario(engine, "Concepts Romanian V8.scn");
  const std::string withFirst = analyse(engine);
  EXPECT_NE(withFirst.find("zorbulac 8 1\n"), std::string::npos) << withFirst;
  EXPECT_NE(withFirst.find("grif_tralac 8 1\n"), std::string::npos) << withFirst;
  useScenario(engine, "Other.scn");
  EXPECT_EQ(analyse(engine), withOther);
  EXPECT_EQ(withOther.find("zorbulac 8 1\n"), std::string::npos) << withOther;
  EXPECT_EQ(withOther.find("grif_tralac"), std::string::npos) << withOther;
  EXPECT_NE(withOther.find("plimbac 8 1\n"), std::string::npos) << withOther;
}

TEST_F(EngineTest, StopEngineSavesTheSettingsWithTheFingerprint) {
  {
    Engine engine(frontEnd, Options());
    ASSERT_TRUE(engine.StartEngine());
    engine.record().setGraphType(3);
    engine.StopEngine();
  }
  std::string saved = testing::ReadFile(dir.File("bin/malvexro.prm"));
  ASSERT_EQ(saved.size(), SettingsRecord::kSize);
  Engine engine(frontEnd, Options());
  ASSERT_TRUE(engine.StartEngine());
  EXPECT_EQ(engine.record().graphType(), 3);
  EXPECT_EQ(engine.record().dictionaryFingerprint(), 26u);
}

}  // namespace
}  // namespace malvex
