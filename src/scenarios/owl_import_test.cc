#include "scenarios/owl_import.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "scenarios/scenario_store.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

constexpr char kHead[] =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\"\n"
    "         xmlns:rdfs=\"http://www.w3.org/2000/01/rdf-schema#\"\n"
    "         xmlns:owl=\"http://www.w3.org/2002/07/owl#\">\n";
constexpr char kTail[] = "</rdf:RDF>\n";

std::string Owl(const std::string& body) { return kHead + body + kTail; }

// A class with an identifier, optional parent and labels ("ro:text" or
// "en:text"; "syn:text" for a synonym, "comment:text" for rdfs:comment).
std::string Class(const std::string& id, const std::string& parent, const std::vector<std::string>& labels) {
  std::string s = "<owl:Class rdf:about=\"#" + id + "\">\n";
  if (!parent.empty()) s += "  <rdfs:subClassOf rdf:resource=\"#" + parent + "\"/>\n";
  for (const std::string& l : labels) {
    const size_t colon = l.find(':');
    const std::string kind = l.substr(0, colon), text = l.substr(colon + 1);
    if (kind == "syn")
      s += "  <synonym>" + text + "</synonym>\n";
    else if (kind == "comment")
      s += "  <rdfs:comment>" + text + "</rdfs:comment>\n";
    else
      s += "  <rdfs:label xml:lang=\"" + kind + "\">" + text + "</rdfs:label>\n";
  }
  return s + "</owl:Class>\n";
}

class OwlImportTest : public ::testing::Test {
 protected:
  OwlImportTest() : messages_(box_), store_(messages_), tables_(DefaultLanguageTables()) {}

  // The entries the conversion made, one "code|name|value" each.
  std::vector<std::string> Convert(const std::string& owl) {
    result_ = ConvertOwl(owl, options_, tables_, store_);
    std::vector<std::string> lines;
    for (const ScenarioEntry& e : store_.entries()) {
      const std::string code(e.code.data(), 4);
      lines.push_back(code + "|" + (e.IsGroup() ? std::string("#") : e.name) + "|" + e.value);
    }
    return lines;
  }
  bool LogHas(const std::string& text) const { return result_.log.find(text) != std::string::npos; }

  ScriptedBox box_;
  Messages messages_;
  ScenarioStore store_;
  LanguageTables tables_;
  OwlImportOptions options_;
  OwlImportResult result_;
};

struct TreeCase {
  const char* name;
  std::string body;
  std::vector<std::string> entries;  // "code|item|group label", groups with item "#"
  const char* logLine;               // a line the log must hold ("" for none)
};

class OwlTreeTest : public OwlImportTest, public ::testing::WithParamInterface<TreeCase> {};

std::vector<TreeCase> TreeCases() {
  std::string deep;
  for (int i = 0; i < 10; ++i)
    deep += Class("L" + std::to_string(i), i == 0 ? "" : "L" + std::to_string(i - 1), {"ro:n" + std::to_string(i)});
  std::vector<std::string> deepEntries;
  for (int i = 0; i < 10; ++i) {
    const int d = i > kOwlMaxDepth ? kOwlMaxDepth : i;
    const std::string label = "n" + std::to_string(i);
    deepEntries.push_back("G#" + std::to_string(d) + "V|#|" + label);
    deepEntries.push_back("0#" + std::to_string(d + 1) + "#|" + label + "|" + label);
  }
  return {
      {"LabelsOfOtherLanguagesDropped",
       Class("Animal", "", {"ro:Animal", "en:Beast"}) + Class("Caine", "Animal", {"en:Dog", "ro:Câine"}),
       {"G#0V|#|Animal", "0#1#|animal|Animal", "G#1V|#|Câine", "0#2#|câine|Câine"},
       "Animal"},
      {"SynonymsAndCommentsAreItems",
       Class("Casa", "", {"ro:Casă", "syn:Locuinţă", "comment:Clădire de locuit"}),
       {"G#0V|#|Casă", "0#1#|casă|Casă", "0#1#|locuinţă|Casă", "0#1#|clădire_de_locuit|Casă"},
       "Synonym: Locuinţă"},
      {"ClassDefinedTwiceKeepsItsNumber",
       Class("A", "", {"ro:Alfa"}) + Class("B", "", {"ro:Beta"}) + Class("A", "", {"ro:Alef"}),
       {"G#0V|#|Alfa", "0#1#|alfa|Alfa", "0#1#|alef|Alfa", "G#0V|#|Beta", "0#1#|beta|Beta"},
       "*** Error - ClassId always defined: A"},
      {"FirstParentKept",
       Class("P", "", {"ro:Părinte"}) + Class("Q", "", {"ro:Altul"}) +
           "<owl:Class rdf:about=\"#C\"><rdfs:subClassOf rdf:resource=\"#P\"/>"
           "<rdfs:subClassOf rdf:resource=\"#Q\"/><rdfs:label>Copil</rdfs:label></owl:Class>\n",
       {"G#0V|#|Părinte", "0#1#|părinte|Părinte", "G#1V|#|Copil", "0#2#|copil|Copil", "G#0V|#|Altul",
        "0#1#|altul|Altul"},
       "*** Warning - multiple SubClassOf for: Copil -> Class: \"Altul\""},
      {"DepthCappedAtEight", deep, deepEntries, "** Warning - tree depth level exceed maximum for: n9"},
      {"MissingLabel", Class("Gol", "", {}),
       {"G#0V|#|*** Unexpected null value"},
       "Class: \"\" - Level: 0 *** Error - Unexpected null value"},
      {"CycleNotWritten",
       Class("R", "", {"ro:Rădăcină"}) + Class("X", "Y", {"ro:Ics"}) + Class("Y", "X", {"ro:Igrec"}),
       {"G#0V|#|Rădăcină", "0#1#|rădăcină|Rădăcină"},
       "** Warning - class in a cycle of subClassOf, not written: Ics"},
      {"SubClassOfAnonymousParentElement",
       Class("Om", "", {"ro:Om"}) +
           "<owl:Class rdf:ID=\"Copil\"><rdfs:subClassOf><owl:Class rdf:about=\"#Om\"/></rdfs:subClassOf>"
           "<rdfs:label>Copil</rdfs:label></owl:Class>\n",
       {"G#0V|#|Om", "0#1#|om|Om", "G#1V|#|Copil", "0#2#|copil|Copil"},
       "rdfs:subClassOf (kept): owl:Class rdf:about=\"#Om\" - Parsed"},
      {"UnknownParentIsARoot", Class("Z", "Nimeni", {"ro:Zeta"}),
       {"G#0V|#|Zeta", "0#1#|zeta|Zeta"},
       "*** Error - ClassId undefined for: Nimeni"},
      {"LongLabelCut", Class("L", "", {"ro:" + std::string(90, 'a')}),
       {"G#0V|#|" + std::string(79, 'a'), "0#1#|" + std::string(78, 'a') + "|" + std::string(79, 'a')},
       "** Warning - label string length exceed max value for: "},
      {"SelfParentIgnored", Class("S", "S", {"ro:Sine"}),
       {"G#0V|#|Sine", "0#1#|sine|Sine"},
       "*** Warning - SubClassOf itself: Sine"},
  };
}

TEST_P(OwlTreeTest, WritesTheGroupsAndItems) {
  const TreeCase& c = GetParam();
  EXPECT_EQ(Convert(Owl(c.body)), [&] {
    std::vector<std::string> expected;
    for (const std::string& e : c.entries) expected.push_back(FromUtf8(e));
    return expected;
  }());
  EXPECT_EQ(result_.status, OwlImportStatus::kDone);
  if (*c.logLine != 0) {
    EXPECT_TRUE(LogHas(FromUtf8(c.logLine))) << result_.log;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, OwlTreeTest, ::testing::ValuesIn(TreeCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(OwlImportTest, OtherLanguagesKeptWhenAsked) {
  options_.discardOtherLanguages = false;
  EXPECT_EQ(Convert(Owl(Class("Animal", "", {"ro:Animal", "en:Beast"}))),
            (std::vector<std::string>{"G#0V|#|Animal", "0#1#|animal|Animal", "0#1#|beast|Animal"}));
}

TEST_F(OwlImportTest, RestrictionClassesIgnoredOrKept) {
  const std::string owl = Owl(Class("Parte", "", {"ro:Parte"}) + Class("Roata", "", {"ro:Roată"}) +
                              "<owl:Class rdf:about=\"#Masina\"><rdfs:label>Maşină</rdfs:label>"
                              "<rdfs:subClassOf><owl:Restriction><owl:onProperty rdf:resource=\"#are\"/>"
                              "<owl:someValuesFrom><owl:Class rdf:about=\"#Roata\"/></owl:someValuesFrom>"
                              "</owl:Restriction></rdfs:subClassOf></owl:Class>\n");
  options_.ignoreRestrictions = true;
  std::vector<std::string> ignored = Convert(owl);
  EXPECT_EQ(ignored.size(), 6u);
  EXPECT_EQ(ignored[4], FromUtf8("G#0V|#|Maşină"));
  options_.ignoreRestrictions = false;
  std::vector<std::string> kept = Convert(owl);
  ASSERT_EQ(kept.size(), 6u);
  EXPECT_EQ(kept[2], FromUtf8("G#0V|#|Roată"));
  EXPECT_EQ(kept[4], FromUtf8("G#1V|#|Maşină"));
}

TEST_F(OwlImportTest, MisplacedSynonymsAreParsingErrors) {
  Convert(Owl("<owl:Class rdf:about=\"#A\"><synonym>prea devreme</synonym><rdfs:label>a</rdfs:label></owl:Class>"
              "<synonym>orfan</synonym>"));
  EXPECT_EQ(result_.counters.parsingErrors, 2);
  EXPECT_EQ(result_.counters.synonyms, 0);
  EXPECT_TRUE(LogHas("*** Unexpected synonym before first label of class: prea devreme"));
  EXPECT_TRUE(LogHas("*** Synonym for undefined class: orfan"));
}

TEST_F(OwlImportTest, UnaccentedFormsWhenOptionAndSettingAreOn) {
  const std::string owl = Owl(Class("P", "", {"ro:Pâine"}));
  options_.unaccentedSetting = false;
  EXPECT_EQ(Convert(owl).size(), 2u);
  options_.unaccentedSetting = true;
  options_.flexedForms = true;
  EXPECT_EQ(Convert(owl), (std::vector<std::string>{FromUtf8("G#0V|#|Pâine"), FromUtf8("0#1#|pâine|Pâine"),
                                                    FromUtf8("0#1#|paine|Pâine")}));
  options_.flexedForms = false;
  EXPECT_EQ(Convert(owl).size(), 2u);
}

TEST_F(OwlImportTest, ClosingCountersInTheLog) {
  Convert(Owl(Class("A", "", {"ro:a", "syn:b"}) + Class("B", "Lipsa", {"ro:c"}) + "<owl:Class/>"));
  EXPECT_EQ(result_.counters.classes, 2);
  EXPECT_EQ(result_.counters.labels, 3);
  EXPECT_EQ(result_.counters.synonyms, 1);
  EXPECT_EQ(result_.counters.parsingErrors, 1);
  EXPECT_EQ(result_.counters.classIdErrors, 1);
  EXPECT_TRUE(LogHas("*** Processing ended successfully\n\nNumber of OWL main classes: 2\n"
                     "Number of OWL labels kept: 3\nNumber of Synonyms labels kept: 1\n"
                     "Number of parsing errors: 1\nNumber of Class ID errors (not found): 1\n"))
      << result_.log;
}

TEST_F(OwlImportTest, VerboseLogShowsTagsAndTexts) {
  options_.verboseLog = true;
  Convert(Owl(Class("A", "", {"ro:a"})));
  EXPECT_TRUE(LogHas("# Input tag: owl:Class rdf:about=\"#A\"\n"));
  EXPECT_TRUE(LogHas("# Input var: a\n"));
  EXPECT_TRUE(LogHas("Main Class extracted: A\n"));
  EXPECT_TRUE(LogHas("# Input tag: /owl:Class\n"));
}

// ---- Faults of a block-and-tag scanner that the XML reading mends ----------

TEST_F(OwlImportTest, LineBreakInsideATagSeparatesTheAttribute) {
  EXPECT_EQ(Convert(Owl("<owl:Class\nrdf:about=\"#A\"\n><rdfs:label\nxml:lang=\"ro\">a</rdfs:label></owl:Class>")),
            (std::vector<std::string>{"G#0V|#|a", "0#1#|a|a"}));
}

TEST_F(OwlImportTest, EntitiesAreDecoded) {
  EXPECT_EQ(Convert(Owl(Class("A", "", {"ro:Pisici &amp; c&#226;ini &#x219;i &lt;altele&gt;"}))),
            (std::vector<std::string>{FromUtf8("G#0V|#|Pisici & câini şi <altele>"),
                                      FromUtf8("0#1#|pisici_&_câini_şi_altele|Pisici & câini şi <altele>")}));
}

TEST_F(OwlImportTest, LabelsOfPropertiesAfterAClassStayOut) {
  EXPECT_EQ(Convert(Owl(Class("A", "", {"ro:a"}) +
                        "<owl:ObjectProperty rdf:about=\"#parteDin\"><rdfs:label>parte din</rdfs:label>"
                        "</owl:ObjectProperty><owl:Ontology rdf:about=\"\"><rdfs:comment>Despre</rdfs:comment>"
                        "</owl:Ontology>")),
            (std::vector<std::string>{"G#0V|#|a", "0#1#|a|a"}));
  EXPECT_EQ(result_.counters.labels, 1);
}

TEST_F(OwlImportTest, TabsAndLineBreaksInALabelBecomeBlanks) {
  EXPECT_EQ(Convert(Owl(Class("A", "", {"ro:\n    prima\tparte\r\n  "}))),
            (std::vector<std::string>{"G#0V|#|prima parte", "0#1#|prima_parte|prima parte"}));
}

TEST_F(OwlImportTest, MalformedFileSaysWhere) {
  Convert(Owl("<owl:Class rdf:about=\"#A\">\n<rdfs:label>a</rdfs:labl>\n</owl:Class>"));
  EXPECT_EQ(result_.status, OwlImportStatus::kMalformed);
  EXPECT_EQ(result_.where, "line 6, column 16");
  EXPECT_TRUE(LogHas("*** XML Syntax Error !!! ")) << result_.log;
  EXPECT_TRUE(store_.entries().empty());
}

TEST_F(OwlImportTest, UnconvertedBytesAreCodePageLetters) {
  options_.convertUnicode = false;
  // "Câine" in code page 1250.
  EXPECT_EQ(Convert(Owl(Class("C", "", {"ro:C\xE2ine"}))),
            (std::vector<std::string>{"G#0V|#|C\xE2ine", "0#1#|c\xE2ine|C\xE2ine"}));
}

TEST_F(OwlImportTest, WideTreeKeepsClassOrderUnderEachParent) {
  std::string body = Class("R", "", {"ro:r"});
  for (int i = 0; i < 50; ++i) body += Class("C" + std::to_string(i), i % 2 == 0 ? "R" : "C0", {"ro:c" + std::to_string(i)});
  const std::vector<std::string> lines = Convert(Owl(body));
  ASSERT_EQ(lines.size(), 102u);
  EXPECT_EQ(lines[2], "G#1V|#|c0");
  EXPECT_EQ(lines[4], "G#2V|#|c1");
  EXPECT_EQ(lines[6], "G#2V|#|c3");
  EXPECT_EQ(lines[52], "G#2V|#|c49");
  EXPECT_EQ(lines[54], "G#1V|#|c2");
  EXPECT_EQ(lines[100], "G#1V|#|c48");
}

TEST_F(OwlImportTest, GroupsGetTheirOwnSignaturesWhateverTheirLabels) {
  // Labels that read as numbers are not taken for signatures.
  Convert(Owl(Class("A", "", {"ro:2024"}) + Class("B", "", {"ro:7"}) + Class("C", "", {"ro:2024"})));
  std::vector<std::string> names;
  for (const ScenarioEntry& e : store_.entries())
    if (e.IsGroup()) names.push_back(e.name + "=" + e.value);
  EXPECT_EQ(names, (std::vector<std::string>{"1=2024", "2=7", "3=2024"}));
}

// ---- The files of an import -------------------------------------------------

class OwlFileTest : public OwlImportTest {
 protected:
  OwlImportResult Import() { return ImportOwlFile(files_, options_, tables_, messages_); }
  TempDir dir_;
  OwlImportFiles files_{dir_.File("onto.owl"), dir_.File("OwlOutput.scn"), "", ""};
};

TEST_F(OwlFileTest, UtfSequenceAcrossABlockBorderIsKept) {
  // "ă" (C4 83) starts at the last byte of the first 64 KB block.
  const std::string before = std::string(kHead) + "<!--";
  const std::string after = "--><owl:Class rdf:about=\"#A\"><rdfs:label>C";
  std::string owl = before + std::string(65535 - before.size() - after.size(), 'x') + after;
  owl += "\xC4\x83r</rdfs:label></owl:Class>";
  owl += kTail;
  ASSERT_EQ(owl.substr(65535, 2), "\xC4\x83");
  ASSERT_TRUE(WriteFile(files_.owl, owl));
  const OwlImportResult r = Import();
  ASSERT_EQ(r.status, OwlImportStatus::kDone) << r.log;
  ScenarioStore loaded(messages_);
  ASSERT_TRUE(loaded.Load(files_.scenario));
  ASSERT_EQ(loaded.count(), 2u);
  EXPECT_EQ(loaded.entries()[0].value, "C\xE3r");
  EXPECT_EQ(loaded.entries()[1].name, "c\xE3r");
}

TEST_F(OwlFileTest, WritesScenarioAndLogBesideTheOwlFile) {
  ASSERT_TRUE(WriteFile(files_.owl, Owl(Class("A", "", {"ro:Arbore"}))));
  const OwlImportResult r = Import();
  ASSERT_EQ(r.status, OwlImportStatus::kDone);
  EXPECT_EQ(r.logPath, dir_.File("onto.log"));
  const std::string log = ReadFile(r.logPath);
  EXPECT_EQ(log.rfind("OWL Import Filter", 0), 0u);
  EXPECT_NE(log.find("*** Step 3 (Scenario generation)"), std::string::npos);
  EXPECT_EQ(ReadFile(files_.scenario), "G#0V\t1\tArbore\r\n0#1#\tarbore\tArbore\r\n");
  EXPECT_EQ(r.statusText, "*** OWL Conversion process done");
}

TEST_F(OwlFileTest, UnreadableFileFails) {
  const OwlImportResult r = Import();
  EXPECT_EQ(r.status, OwlImportStatus::kCannotOpen);
  EXPECT_NE(r.log.find("*** I/O error on input file, process ended"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(files_.scenario));
}

TEST_F(OwlFileTest, LogFallsBackToTheUserFolder) {
  ASSERT_TRUE(WriteFile(files_.owl, Owl(Class("A", "", {"ro:a"}))));
  // A folder where the log should be: it cannot be written there.
  std::filesystem::create_directory(dir_.File("onto.log"));
  std::filesystem::create_directory(dir_.File("user"));
  files_.logFallbackFolder = dir_.File("user");
  const OwlImportResult r = Import();
  ASSERT_EQ(r.status, OwlImportStatus::kDone);
  EXPECT_EQ(r.logPath, dir_.File("user/onto.log"));
  const std::string log = ReadFile(r.logPath);
  EXPECT_EQ(log.rfind("*** The log cannot be written to " + dir_.File("onto.log"), 0), 0u) << log;
  EXPECT_NE(log.find("Number of OWL main classes: 1"), std::string::npos);
}

TEST_F(OwlFileTest, ScenarioThatCannotBeWrittenFails) {
  ASSERT_TRUE(WriteFile(files_.owl, Owl(Class("A", "", {"ro:a"}))));
  files_.scenario = dir_.File("missing/OwlOutput.scn");
  const OwlImportResult r = Import();
  EXPECT_EQ(r.status, OwlImportStatus::kWriteFailed);
  EXPECT_NE(r.log.find("*** Fatal Error - Scenario write error: "), std::string::npos);
}

TEST(FreeScenarioPath, NeverNamesAnExistingFile) {
  TempDir dir;
  EXPECT_EQ(FreeScenarioPath(dir.path().string(), kOwlOutputName), dir.File("OwlOutput.scn"));
  ASSERT_TRUE(WriteFile(dir.File("OwlOutput.scn"), "x"));
  ASSERT_TRUE(WriteFile(dir.File("OwlOutput-2.scn"), "x"));
  EXPECT_EQ(FreeScenarioPath(dir.path().string(), kOwlOutputName), dir.File("OwlOutput-3.scn"));
}

TEST(OwlLogPath, ReplacesTheExtension) {
  EXPECT_EQ(OwlLogPath("/a/b/onto.OWL"), "/a/b/onto.log");
  EXPECT_EQ(OwlLogPath("/a/b.d/onto"), "/a/b.d/onto.log");
}

}  // namespace
}  // namespace malvex
