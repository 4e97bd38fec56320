#include "scenarios/criteria_parser.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "dictionaries/lexicon.h"
#include "dictionaries/lexicon_builder.h"
#include "dictionaries/semantic_dictionary_builder.h"
#include "engine/engine.h"
#include "foundations/messages.h"
#include "platform/scripted_box.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

// "Oameni" holds the class of "om" (persoană), "Vorbire" the verb "vorbi"
// and the word "vorbă".
const char kScenario[] =
    "G#0V\t1\tOameni\r\n1#1#\tpersoan\xE3\tOameni\r\n"
    "G#0V\t2\tVorbire\r\nV#1#\tvorbi\tVorbire\r\n0#1#\tvorb\xE3\tVorbire\r\n";

// A line as "<operator><kind><x checked|- not><d disabled|e enabled> display | item".
std::string Describe(const CriteriaLine& l) {
  return std::string(1, l.op) + std::to_string(l.kind) + (l.checked ? "x" : "-") + (l.disabled ? "d" : "e") + " " +
         l.display + " | " + l.item;
}

// The criteria parser of an engine started on the mini edition.
class CriteriaParserTest : public ::testing::Test {
 protected:
  void Start(const std::string& scenario = std::string()) {
    ASSERT_TRUE(testing::WriteTestInstallation(dir.path(), MALVEX_TEST_EDITION));
    if (!scenario.empty()) {
      std::filesystem::create_directories(dir.path() / "Scenario");
      ASSERT_TRUE(testing::WriteFile(dir.File("Scenario/Concepts Romanian V8.scn"), scenario));
    }
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
    ASSERT_NE(engine->criteriaParser(), nullptr);
  }
  void TearDown() override {
    if (engine) engine->StopEngine();
  }
  TScenParser& parser() { return *engine->criteriaParser(); }
  std::vector<std::string> Lines(const std::string& text) {
    parser().ParseText(text);
    std::vector<std::string> out;
    for (const CriteriaLine& l : parser().lines()) out.push_back(Describe(l));
    return out;
  }
  std::vector<std::string> Tokens(const std::string& text) {
    parser().ParseText(text);
    std::vector<std::string> out;
    for (int i = 1; i <= parser().tokenCount(); ++i) {
      const char op = parser().tokenOperator(i);
      out.push_back((op != 0 ? std::string(1, op) : std::string()) + parser().token(i));
    }
    return out;
  }

  testing::TempDir dir;
  testing::QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
};

struct TokenCase {
  std::string typed;
  std::vector<std::string> tokens;  // operator (if any) then text; "" for a slot a compound emptied
};

TEST_F(CriteriaParserTest, TypedTextIsCutIntoTokensAndCompoundsAreJoinedAgain) {
  Start();
  const TokenCase cases[] = {
      {"", {}},
      {" \t ", {}},
      {"  ,+ - ' _ ", {}},  // separators and operators only
      {"om", {"om"}},
      {"  om \t ", {"om"}},
      {"de la", {"de_la", ""}},  // a compound of the lexicon
      {"\xEEn ciuda faptului", {"\xEEn_ciuda_faptului", "", ""}},
      {"\xEEn ciuda", {"\xEEn", "ciuda"}},  // only the start of a compound
      {"de + la", {"de", "+la"}},           // "+" and "," are never joined over
      {"de, la", {"de", ",la"}},
      {"-om", {"-om"}},  // a leading hyphen is the word's operator
      {"mare -om", {"mare", "-om"}},
      {"\xEEntr-un", {"\xEEntr-un", ""}},  // known hyphenated
      {"ex-ministru", {"ex_ministru", ""}},  // known underscored
      {"vorb\xE3-om", {"vorb\xE3", "om"}},   // cut, not rejoined
      {"l'om", {"l", "om"}},
      {"a_b", {"a", "b"}},
      {"3.5 12:30", {"3", "5", "12", "30"}},
      {"\x8Cuvre \xC6gis", {"oeuvre", "aegis"}},
      {"om*casa/pas", {"om", "casa", "pas"}},
  };
  for (const TokenCase& c : cases) EXPECT_EQ(Tokens(c.typed), c.tokens) << c.typed;
}

TEST_F(CriteriaParserTest, DottedFormsAndTokenLimits) {
  Start();
  parser().options().keepDottedForms = true;
  EXPECT_EQ(Tokens("3.5 12:30"), (std::vector<std::string>{"3.5", "12:30"}));
  parser().options().keepDottedForms = false;

  // A token holds 80 characters; the 81st starts the next one.
  EXPECT_EQ(Tokens(std::string(81, 'z')), (std::vector<std::string>{std::string(80, 'z'), "z"}));
  // 100 slots at most: the words after the hundredth run into it.
  std::string many;
  for (int i = 0; i < 102; ++i) many += "zz ";
  const std::vector<std::string> tokens = Tokens(many);
  ASSERT_EQ(tokens.size(), 100u);
  EXPECT_EQ(tokens.back(), "zzzzzz");
  // The eighth operator place takes every operator after the seventh.
  parser().ParseText("+,+,+,+,+- om");
  EXPECT_EQ(parser().tokenOperators(1), "+,+,+,+-");
  EXPECT_EQ(parser().tokenOperator(1), '-');
}

// Only the text's own characters are read, whatever follows it in memory.
TEST_F(CriteriaParserTest, TheTokenizerStopsAtTheEndOfTheText) {
  Start();
  const std::string buffer = "   omcasa";
  parser().ParseText(std::string_view(buffer.data(), 5));
  ASSERT_EQ(parser().tokenCount(), 1);
  EXPECT_EQ(parser().token(1), "om");
}

struct LinesCase {
  std::string typed;
  std::vector<std::string> lines;
};

TEST_F(CriteriaParserTest, EachTokenListsItsReadingsAndMeanings) {
  Start();
  const LinesCase cases[] = {
      {"", {}},
      {" ,+ ", {}},
      // Unknown to every dictionary: the word as typed and in lower case.
      {"Zorbulac", {"+1xe Zorbulac = zorbulac | zorbulac"}},
      // An adjective reading with its lemma, then the senses: the first
      // checked, level 2 and 3 as sub-lines, a sense without sub-classes
      // and without distinction as "Other meanings".
      {"mare",
       {"+0-e mare (Adjective \"mare\") | mare", "+1xe mare = ap\xE3 (natur\xE3)  | ap\xE3",
        "+2-e > natur\xE3 (loc)  | natur\xE3", "+3-e > loc | loc", "+1-e mare = m\xE3rime (Other meanings)  | m\xE3rime"}},
      {"vorbe\xBAte", {"+0-e vorbe\xBAte (Verb \"vorbi\") | vorbi"}},
      {"frumoas\xE3", {"+0-e frumoas\xE3 (Adjective \"frumos\") | frumos"}},
      // A connector is shown but cannot be picked; no meanings follow.
      {"de la", {"+0-d de_la (Connector)  | de_la"}},
      // A pronoun or determinant reading: nothing is offered checked.
      {"a", {"+0-e a (Verb \"avea\") | avea", "+0-d a (Determinant)  | a", "+0-d a (Pronoun)  | a"}},
      // A verb form that is also a noun the semantic dictionary lacks.
      {"mers", {"+0-e mers (Verb \"merge\") | merge", "+1xe mers = mers | mers"}},
      // A number is a numeral adjective, its own lemma.
      {"12", {"+0-e 12 (Adjective \"12\") | 12"}},
      // A class name that is no word: the word itself, checked.
      {"loc", {"+0xe loc = loc | loc"}},
      // Operators go with their token.
      {"robot, -pas",
       {"+1xe robot = ma\xBAin\xE3 (tehnic\xE3)  | ma\xBAin\xE3", "+2-e > tehnic\xE3 (obiect)  | tehnic\xE3",
        "+3-e > obiect | obiect", "-1xe pas = mi\xBA" "care (ac\xFEiune)  | mi\xBA" "care", "-2-e > ac\xFEiune | ac\xFEiune"}},
  };
  for (const LinesCase& c : cases) EXPECT_EQ(Lines(c.typed), c.lines) << c.typed;
}

TEST_F(CriteriaParserTest, LinesCarryTheClassesOfTheirMeaning) {
  Start();
  parser().ParseText("mare");
  const auto& lines = parser().lines();
  ASSERT_EQ(lines.size(), 5u);
  SemanticDictionary& sd = engine->semanticDictionary();
  const ClassPath water{{sd.ClassNumberOfName(1, "ap\xE3"), sd.ClassNumberOfName(2, "natur\xE3"),
                         sd.ClassNumberOfName(3, "loc"), 0}};
  EXPECT_EQ(lines[0].classes, ClassPath{});  // a reading line has no classes
  EXPECT_TRUE(lines[0].IsVerbOrAdjective());
  EXPECT_EQ(lines[1].classes, water);
  EXPECT_EQ(lines[2].classes, water);
  EXPECT_EQ(lines[3].classes, water);
  EXPECT_EQ(lines[4].classes.at(1), sd.ClassNumberOfName(1, "m\xE3rime"));
  for (size_t i = 1; i < lines.size(); ++i) EXPECT_FALSE(lines[i].IsVerbOrAdjective());
  EXPECT_EQ(parser().tokenResultCount(), 1);
  EXPECT_TRUE(parser().tokenHadMeanings(0));
}

TEST_F(CriteriaParserTest, ThePickedMeaningComesFirstAndCheckedInTheNextParse) {
  Start();
  parser().ParseText("mare");
  ASSERT_EQ(parser().lines().size(), 5u);
  const ClassPath size = parser().lines()[4].classes;
  parser().RecordChoice(size);
  EXPECT_EQ(Lines("mare"),
            (std::vector<std::string>{"+0-e mare (Adjective \"mare\") | mare", "+1xe mare = m\xE3rime | m\xE3rime",
                                      "+1-e mare = ap\xE3 (natur\xE3)  | ap\xE3", "+2-e > natur\xE3 (loc)  | natur\xE3",
                                      "+3-e > loc | loc"}));
  // A later pick of the other meaning wins: the newest row is nearest.
  parser().RecordChoice(parser().lines()[2].classes);
  parser().ParseText("mare");
  EXPECT_EQ(parser().lines()[1].item, "ap\xE3");
  EXPECT_TRUE(parser().lines()[1].checked);
  // 101 other picks push both out of the history.
  for (int i = 0; i < TParseCmdCriteres::kHistoryRows; ++i) parser().RecordChoice(ClassPath{{9999, 0, 0, 0}});
  parser().ParseText("mare");
  EXPECT_EQ(parser().lines()[1].item, "ap\xE3");
}

TEST_F(CriteriaParserTest, ScenarioGroupsComeFirst) {
  Start(kScenario);
  const LinesCase cases[] = {
      // A Scenario word: its group, checked, and nothing else checked.
      {"vorb\xE3",
       {"+4xe vorb\xE3 = vorbire | vorbire", "+1-e vorb\xE3 = cuv\xE2nt (limb\xE3)  | cuv\xE2nt",
        "+2-e > limb\xE3 (comunicare)  | limb\xE3", "+3-e > comunicare | comunicare"}},
      // A word whose class is in a group.
      {"om",
       {"+4xe om = oameni | oameni", "+1-e om = persoan\xE3 (fiin\xFE\xE3)  | persoan\xE3",
        "+2-e > fiin\xFE\xE3 (via\xFE\xE3)  | fiin\xFE\xE3", "+3-e > via\xFE\xE3 | via\xFE\xE3"}},
      // A verb whose lemma is in a group: a second, group line.
      {"vorbe\xBAte",
       {"+0-e vorbe\xBAte (Verb \"vorbi\") | vorbi", "+4-e vorbe\xBAte (Verb \"vorbi\") = vorbire | vorbire"}},
  };
  for (const LinesCase& c : cases) EXPECT_EQ(Lines(c.typed), c.lines) << c.typed;
  parser().ParseText("vorbe\xBAte");
  EXPECT_EQ(parser().lines()[1].reference, 2);
  EXPECT_EQ(parser().lines()[1].classes.at(4), 2);
}

// Every line counts against the 201 of the table, the group line that
// follows a verb included.
TEST_F(CriteriaParserTest, TheLineTableHoldsAtMost201LinesWithTheVerbGroupLines) {
  Start(kScenario);
  // "a" gives 3 lines, "mare" 5, each "vorbeşte" 2: 8 + 2 x 96 = 200, the
  // 97th "vorbeşte" gives the 201st line and its group line has no room.
  std::string text = "a, mare";
  for (int i = 0; i < 98; ++i) text += ", vorbe\xBAte";
  parser().ParseText(text);
  ASSERT_EQ(parser().tokenCount(), 100);
  ASSERT_EQ(parser().lines().size(), 201u);
  EXPECT_EQ(parser().lineCount(), 201);
  EXPECT_EQ(parser().lines()[199].kind, TParseCmdCriteres::kKindGroup);
  EXPECT_EQ(parser().lines()[200].kind, TParseCmdCriteres::kKindWord);
  EXPECT_TRUE(parser().lines()[200].IsVerbOrAdjective());
  // Tokens answered by their readings alone are no token results.
  EXPECT_EQ(parser().tokenResultCount(), 1);
}

TEST_F(CriteriaParserTest, TheCountOfTokenResultsStopsAt19) {
  Start();
  std::string text = "robot";
  for (int i = 0; i < 24; ++i) text += ", zorbulac";
  parser().ParseText(text);
  EXPECT_EQ(parser().lines().size(), 27u);
  EXPECT_EQ(parser().tokenResultCount(), 19);
  EXPECT_TRUE(parser().tokenHadMeanings(0));
  EXPECT_FALSE(parser().tokenHadMeanings(1));
}

// A check list that refuses lines: the error box, and the token stops.
TEST_F(CriteriaParserTest, ACheckListFailureShowsTheInternalErrorAndStopsTheToken) {
  Start();
  struct FailingList : CriteriaCheckList {
    void Clear() override { texts.clear(); }
    bool Add(const std::string& text, bool, bool) override {
      if (texts.size() == 2) return false;
      texts.push_back(text);
      return true;
    }
    std::vector<std::string> texts;
  } list;
  parser().SetCheckList(&list);
  frontEnd.box.ClearRecords();
  parser().ParseText("mare om");
  parser().SetCheckList(nullptr);
  EXPECT_EQ(list.texts.size(), 2u);
  EXPECT_EQ(parser().lines().size(), 2u);
  ASSERT_FALSE(frontEnd.box.asked().empty());
  EXPECT_EQ(frontEnd.box.asked()[0].text, "Internal error (memory or system resources shortage)");
}

TEST_F(CriteriaParserTest, GroupLinesShowTheScenarioMarkInTheCheckList) {
  Start(kScenario);
  struct List : CriteriaCheckList {
    void Clear() override { texts.clear(); }
    bool Add(const std::string& text, bool checked, bool) override {
      texts.push_back(text + (checked ? " [x]" : ""));
      return true;
    }
    std::vector<std::string> texts;
  } list;
  parser().SetCheckList(&list);
  parser().ParseText("vorbe\xBAte");
  parser().SetCheckList(nullptr);
  EXPECT_EQ(list.texts, (std::vector<std::string>{"vorbe\xBAte (Verb \"vorbi\")",
                                                  "vorbe\xBAte (Verb \"vorbi\") = vorbire (Scenario)"}));
}

// A parser over dictionaries made for the case.
class CriteriaParserDictionaryTest : public ::testing::Test {
 protected:
  CriteriaParserDictionaryTest() : messages(box), tables(DefaultLanguageTables()), lexicon(messages, tables),
                                   semantic(messages, tables, pool) {}

  void Load(const std::vector<SemanticSenseEntry>& senses,
            const std::vector<std::pair<std::string, std::vector<uint16_t>>>& forms) {
    SemanticDictionaryBuilder sb;
    for (const SemanticSenseEntry& s : senses) ASSERT_TRUE(sb.AddSense(s)) << sb.error();
    std::string image;
    ASSERT_TRUE(sb.Build(image)) << sb.error();
    ASSERT_EQ(semantic.LoadImage(image), SemanticLoadStatus::kOk);
    LexiconBuilder lb(tables);
    for (const auto& [form, codes] : forms) ASSERT_TRUE(lb.AddForm(form, codes));
    std::string lexiconImage;
    ASSERT_TRUE(lb.Build(lexiconImage));
    ASSERT_EQ(lexicon.LoadImage(lexiconImage), LexiconLoadStatus::kOk);
    CriteriaParserSources sources;
    sources.tables = &tables;
    sources.messages = &messages;
    sources.lexicon = &lexicon;
    sources.semantic = &semantic;
    parser = std::make_unique<TScenParser>(sources, CriteriaParserOptions{});
  }
  static SemanticSenseEntry Sense(std::string form, std::string c1, std::string c2 = "", uint8_t flags = 0) {
    SemanticSenseEntry e;
    e.form = std::move(form);
    e.classes[0] = std::move(c1);
    e.classes[1] = std::move(c2);
    e.flags = flags;
    return e;
  }
  std::vector<std::string> Lines(const std::string& text) {
    parser->ParseText(text);
    std::vector<std::string> out;
    for (const CriteriaLine& l : parser->lines()) out.push_back(Describe(l));
    return out;
  }

  ScriptedBox box;
  Messages messages;
  LanguageTables tables;
  StringPool pool;
  Lexicon lexicon;
  SemanticDictionary semantic;
  std::unique_ptr<TScenParser> parser;
};

TEST_F(CriteriaParserDictionaryTest, AWordWithMoreThan18MeaningsListsTheFirst18) {
  std::vector<SemanticSenseEntry> senses;
  for (int i = 1; i <= 18; ++i) senses.push_back(Sense("zet", "c" + std::to_string(i)));
  senses.push_back(Sense("zet_bis", "c19"));
  for (int i = 1; i <= 18; ++i) senses.push_back(Sense("zeta", "d" + std::to_string(i)));
  Load(senses, {});
  // The dictionary itself keeps 18 senses of a form.
  EXPECT_EQ(Lines("zet").size(), 18u);
  const std::vector<std::string> lines = Lines("zeta");
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines.front(), "+1xe zeta = d1 | d1");
  EXPECT_EQ(lines.back(), "+1-e zeta = d18 (Other meanings)  | d18");
}

// "Other meanings" marks the senses after the first that have a level-1
// class only and nothing else to tell them apart: a sense that needs a
// capital, all capitals or a recent noun of its class is not one.
TEST_F(CriteriaParserDictionaryTest, OtherMeaningsAreTheSensesWithoutSubClassOrDistinction) {
  Load({Sense("tip", "persoan\xE3"), Sense("tip", "model", "form\xE3"), Sense("tip", "marc\xE3", "", kSenseNeedsCapital),
        Sense("tip", "fel"), Sense("tip", "grup", "", kSenseNeedsContext), Sense("tip", "sort\xE3", "", 1)},
       {});
  EXPECT_EQ(Lines("tip"), (std::vector<std::string>{
                              "+1xe tip = persoan\xE3 | persoan\xE3",
                              "+1-e tip = model (form\xE3)  | model",
                              "+2-e > form\xE3 | form\xE3",
                              "+1-e tip = marc\xE3 | marc\xE3",
                              "+1-e tip = fel (Other meanings)  | fel",
                              "+1-e tip = grup | grup",
                              "+1-e tip = sort\xE3 (Other meanings)  | sort\xE3",
                          }));
}

// A form with the six readings the lexicon can hold: all are listed, the
// readings loop ends there, and the lexicon still answers afterwards.
TEST_F(CriteriaParserDictionaryTest, TheReadingsLoopEndsAtTheLastReading) {
  Load({Sense("om", "persoan\xE3")},
       {{"ura", {0x0209, 0x0204, 0x0306, 0x0513, 0x0601, 0x0209}}, {"om", {0x0700}}});
  const std::vector<std::string> lines = Lines("ura");
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[5], "+0-d ura (Connector)  | ura");
  EXPECT_FALSE(lexicon.depthOverflow());
  EXPECT_TRUE(box.asked().empty());  // no depth question
  EXPECT_EQ(Lines("om"), (std::vector<std::string>{"+1xe om = persoan\xE3 | persoan\xE3"}));
}

TEST_F(CriteriaParserDictionaryTest, WithoutExplicitOperatorsALineWithoutOperatorHasABlank) {
  Load({}, {});
  parser->options().explicitOperators = false;
  EXPECT_EQ(Lines("zorbulac +grif"),
            (std::vector<std::string>{" 1xe zorbulac = zorbulac | zorbulac", "+1xe grif = grif | grif"}));
}

}  // namespace
}  // namespace malvex
