#include "app/result_panel_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/category.h"
#include "semantic/analysis_context.h"
#include "settings/settings_record.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"
#include "views/recording_canvas.h"
#include "views/selection_state.h"
#include "views/text_view.h"

namespace malvex {
namespace {

using testing::QuietFrontEnd;

// The results panel over an engine on the tests' mini edition, with the
// text view it drives.
class ResultPanelModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
    engine->record().setTextViewByProposition(true);
    MakeModel(ResultList::kDefaultCapacity);
  }
  void TearDown() override {
    model.reset();
    view.reset();
    engine->StopEngine();
  }

  void MakeModel(size_t capacity) {
    model.reset();
    view = std::make_unique<TExtraitDuTexte>(engine->stream(), selection, engine->record());
    model = std::make_unique<ResultPanelModel>(*engine, *view, selection, capacity);
  }

  // `beforeResults` runs between the analysis and the rebuilding of the
  // functions (to set up chronology tables).
  void Analyse(const std::string& text, const std::function<void()>& beforeResults = {}) {
    model->Clear();
    engine->ReleaseAnalysis(true);
    engine->files().Clear();
    ASSERT_TRUE(testing::WriteFile(dir.File("a.txt"), text));
    engine->files().Add(dir.File("a.txt"));
    ASSERT_TRUE(engine->RunAnalysis(1));
    if (beforeResults) beforeResults();
    model->AnalysisDone();
  }

  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const ResultLine& line : model->items().lines()) lines.push_back(line.text);
    return lines;
  }

  // Word positions of the words spelt `text` that open a search: the first
  // such word of each proposition, in text order.
  std::vector<int32_t> FirstOfEachProposition(const std::string& text) {
    std::vector<int32_t> out;
    bool taken = false;
    WordStream& stream = engine->stream();
    for (WordNode* n = stream.Head(); n != stream.Tail(); n = n->next) {
      if (n->text[0] == '/') {
        taken = false;
        continue;
      }
      if (!taken && text == n->text) {
        out.push_back(n->position);
        taken = true;
      }
    }
    return out;
  }

  // The pieces of the text panel's page and their colours.
  std::vector<RecordingCanvas::Op> DrawnPage() {
    RecordingCanvas canvas;
    view->DrawExtract(canvas, CanvasRect{0, 0, 2000, 600});
    return canvas.Texts();
  }

  testing::TempDir dir;
  QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
  SelectionState selection;
  std::unique_ptr<TExtraitDuTexte> view;
  std::unique_ptr<ResultPanelModel> model;
};

// Six propositions, each naming the robot once; "merge" in four of them.
const char kText[] =
    "Robot merge la om. Om vorbe\xBAte de robot. Robot merge. Om merge la robot. Robot vorbe\xBAte. Om merge de la "
    "robot.";
const char kRobotClass[] = "ma\xBAin\xE3";

TEST_F(ResultPanelModelTest, EveryFunctionFillsItsListAndTexts) {
  Analyse(kText);
  ASSERT_EQ(model->FunctionCount(), 11);
  struct Case {
    int position;
    ResultKind kind;
    const char* firstLine;  // null: the list may be empty
  };
  const Case cases[] = {
      {ResultFunctionTable::kTextStyle, ResultKind::kTextStyle, nullptr},
      {ResultFunctionTable::kReferenceFields1, ResultKind::kReferenceFields1, "obiect\t0006"},
      {ResultFunctionTable::kReferenceFields2, ResultKind::kReferenceFields2, "tehnic\xE3\t0006"},
      {ResultFunctionTable::kReferences, ResultKind::kReferences, "ma\xBAin\xE3\t0006"},
      {ResultFunctionTable::kScenario, ResultKind::kScenario, nullptr},
      {ResultFunctionTable::kRelations, ResultKind::kRelations, nullptr},
      {ResultFunctionTable::kFrequentCategories, ResultKind::kCategories, "* Verbs :"},
      {ResultFunctionTable::kAllCategories, ResultKind::kCategories, "* Verbs :"},
      {ResultFunctionTable::kVerbs, ResultKind::kVerbs, "merge\t0004"},
      {ResultFunctionTable::kAdjectives, ResultKind::kAdjectives, nullptr},
      {ResultFunctionTable::kSubstantives, ResultKind::kSubstantives, "robot\t0006"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.position);
    ASSERT_TRUE(model->ChooseFunction(c.position));
    EXPECT_EQ(model->chosenFunction(), c.position);
    EXPECT_EQ(model->chosenKind(), c.kind);
    EXPECT_EQ(model->chosenItem(), -1);
    EXPECT_FALSE(model->information().empty());
    EXPECT_EQ(model->hint(), "Click me");
    EXPECT_EQ(model->status(), "Please, select an element in the list to show the corresponding text");
    if (c.firstLine != nullptr) {
      ASSERT_FALSE(model->items().empty());
      EXPECT_EQ(model->items()[0].text, c.firstLine);
    }
  }
  // The style result of a text this short says so.
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kTextStyle));
  EXPECT_GE(model->IndexOfItem(350), 0);
}

TEST_F(ResultPanelModelTest, NothingIsChosenBeforeAnAnalysisOrOutsideTheLists) {
  EXPECT_FALSE(model->ChooseFunction(ResultFunctionTable::kReferences));
  EXPECT_FALSE(model->NextFunction());
  EXPECT_FALSE(model->ChooseItem(0));
  EXPECT_FALSE(model->FindOccurrence(true));
  Analyse(kText);
  EXPECT_FALSE(model->ChooseItem(0));  // no function chosen yet
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kReferences));
  EXPECT_FALSE(model->ChooseItem(-1));
  EXPECT_FALSE(model->ChooseItem(static_cast<int>(model->items().size())));
  EXPECT_FALSE(selection.active);
  EXPECT_FALSE(model->FindOccurrence(true));  // nothing selected
}

TEST_F(ResultPanelModelTest, ChoosingAClassSelectsItAndFindNextWalksItsOccurrences) {
  Analyse(kText);
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kReferences));
  ASSERT_TRUE(model->ChooseItem(0));
  EXPECT_EQ(model->chosenItem(), 0);
  const int32_t cls = engine->semanticDictionary().ClassNumberOfName(1, kRobotClass);
  EXPECT_TRUE(selection.active);
  EXPECT_EQ(selection.kind, kSelectClass);
  EXPECT_EQ(selection.level, 1);
  EXPECT_EQ(selection.selectedId, static_cast<uint32_t>(cls));
  EXPECT_EQ(selection.text, kRobotClass);
  EXPECT_EQ(model->status(), "You can add these elements in the Scenario, to customize the classification");
  EXPECT_EQ(view->coloration(), ColorationMode::kSelective);

  // The first occurrence is underlined, and the extracts draw the robots
  // in the class colour, every other word in black.
  const std::vector<int32_t> robots = FirstOfEachProposition("robot");
  ASSERT_EQ(robots.size(), 6u);
  EXPECT_EQ(view->CursorPosition(), robots[0]);
  int classWords = 0;
  for (const RecordingCanvas::Op& op : DrawnPage()) {
    const bool robot = op.text.find("robot") != std::string::npos || op.text.find("Robot") != std::string::npos;
    EXPECT_EQ(op.style.colour, robot ? engine->record().colour(11) : kBlack) << op.text;
    classWords += robot ? 1 : 0;
  }
  EXPECT_EQ(classWords, 6);

  // Find next goes through the other five, then stops where it is.
  std::vector<int32_t> found{view->CursorPosition()};
  while (model->FindOccurrence(true)) found.push_back(view->CursorPosition());
  EXPECT_EQ(found, robots);
  EXPECT_EQ(view->CursorPosition(), robots[5]);
  // And back again.
  std::vector<int32_t> back{view->CursorPosition()};
  while (model->FindOccurrence(false)) back.push_back(view->CursorPosition());
  EXPECT_EQ(back, std::vector<int32_t>(robots.rbegin(), robots.rend()));
  // Forward once more from the first.
  ASSERT_TRUE(model->FindOccurrence(true));
  EXPECT_EQ(view->CursorPosition(), robots[1]);
  // The page starts with the occurrence found.
  const std::vector<RecordingCanvas::Op> page = DrawnPage();
  ASSERT_FALSE(page.empty());
  EXPECT_EQ(view->FirstPositionShown(), robots[1] - 3);  // "Om vorbeşte de robot"
}

TEST_F(ResultPanelModelTest, GraphSelectionsChooseTheirLineWhenTheListHoldsIt) {
  Analyse(kText);
  const int32_t robot = engine->semanticDictionary().ClassNumberOfName(1, kRobotClass);
  const int32_t person = engine->semanticDictionary().ClassNumberOfName(1, "persoan\xE3");
  ASSERT_GT(robot, 0);
  ASSERT_GT(person, 0);
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kReferences));
  const int robotLine = model->IndexOfItem(robot);
  ASSERT_GE(robotLine, 0);

  // A class of the list: its line is chosen.
  ASSERT_TRUE(model->ShowGraphClass(1, robot));
  EXPECT_EQ(model->chosenItem(), robotLine);
  EXPECT_EQ(selection.selectedId, static_cast<uint32_t>(robot));
  // A class of another level than the list's: selected, no line chosen.
  ASSERT_TRUE(model->ShowGraphClass(2, robot));
  EXPECT_EQ(model->chosenItem(), -1);
  EXPECT_EQ(selection.level, 2);

  // A bundle's class with its span, as the bundles graph leaves it: the
  // list shows the class's line and the message its name; the span stays.
  selection.Clear();
  selection.SelectClass(1, static_cast<uint32_t>(robot), kRobotClass);
  selection.spanStart = 5;
  selection.spanEnd = 12;
  model->ShowSelectionExtracts();
  EXPECT_EQ(model->chosenItem(), robotLine);
  EXPECT_EQ(model->message(), kRobotClass);
  EXPECT_EQ(selection.spanStart, 5);
  EXPECT_EQ(selection.spanEnd, 12);

  // A relation the Relations list does not hold (a class with itself):
  // selected, no line chosen; an empty end selects nothing.
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kRelations));
  ASSERT_TRUE(model->ShowGraphRelation(1, robot, robot));
  EXPECT_EQ(model->chosenItem(), -1);
  EXPECT_EQ(selection.kind, kSelectRelation);
  EXPECT_EQ(selection.firstClass, static_cast<uint32_t>(robot));
  EXPECT_EQ(selection.secondClass, static_cast<uint32_t>(robot));
  EXPECT_FALSE(model->ShowGraphRelation(1, 0, person));
}

TEST_F(ResultPanelModelTest, ChoosingALemmaSelectsTheWordAndItsOccurrences) {
  Analyse(kText);
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kVerbs));
  ASSERT_EQ(model->items()[0].text, "merge\t0004");
  ASSERT_TRUE(model->ChooseItem(0));
  EXPECT_EQ(selection.kind, kSelectWord);
  EXPECT_EQ(selection.selectedCategory, kClassVerb);
  EXPECT_EQ(selection.selectedId, static_cast<uint32_t>(model->items()[0].item));
  EXPECT_EQ(selection.text, "merge");
  const std::vector<int32_t> merges = FirstOfEachProposition("merge");
  ASSERT_EQ(merges.size(), 4u);
  std::vector<int32_t> found{view->CursorPosition()};
  while (model->FindOccurrence(true)) found.push_back(view->CursorPosition());
  EXPECT_EQ(found, merges);
  // Only the chosen verb is coloured, in the verbs' colour.
  ASSERT_TRUE(model->ChooseItem(0));
  for (const RecordingCanvas::Op& op : DrawnPage()) {
    EXPECT_EQ(op.style.colour, op.text == " merge" ? engine->record().colour(1) : kBlack) << op.text;
  }
}

TEST_F(ResultPanelModelTest, CategoryAndStyleLinesColourTheirWordsAndExplainThem) {
  Analyse(kText);
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kAllCategories));
  // Line 1: the factive verbs; line 0: the verbs' header, the whole group.
  ASSERT_TRUE(model->ChooseItem(1));
  EXPECT_FALSE(selection.active);
  EXPECT_EQ(selection.criteria[0].group, kGroupVerbs);
  EXPECT_EQ(selection.criteria[0].position, 1);
  EXPECT_EQ(view->coloration(), ColorationMode::kSelective);
  EXPECT_EQ(model->information(), engine->messages().message(237));
  EXPECT_EQ(model->selectionColour(), 1);
  ASSERT_TRUE(model->ChooseItem(0));
  EXPECT_EQ(selection.criteria[0].position, 0);
  // Find next walks the propositions holding a verb: all six.
  int found = 1;
  while (model->FindOccurrence(true)) ++found;
  EXPECT_EQ(found, 6);

  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kTextStyle));
  const int tendencies = model->IndexOfItem(350);
  ASSERT_GE(tendencies, 0);
  ASSERT_TRUE(model->ChooseItem(tendencies));
  EXPECT_EQ(model->information(), "This text is too small. Its style cannot be really significant.");
  EXPECT_EQ(model->chosenItem(), tendencies);
}

TEST_F(ResultPanelModelTest, EpisodesShowTheirPropositionsInTheirOwnColours) {
  // Propositions: 1-4, 5-8, 9-10, 11-14, 15-16, 17-20. Two episodes, the
  // first over the second and third propositions.
  Analyse(kText, [this] {
    std::vector<EpisodeRecord>& episodes = engine->analysis()->chronology().episodes;
    episodes.clear();
    episodes.push_back(EpisodeRecord{5, 10, 2});
    episodes.push_back(EpisodeRecord{11, 16, 1});
  });
  ASSERT_EQ(model->FunctionCount(), 13);
  EXPECT_EQ(model->FunctionLines()[12], "Episode 2");
  // A reference chosen before is let go.
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kReferences));
  ASSERT_TRUE(model->ChooseItem(0));
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kFirstEpisode));
  EXPECT_FALSE(selection.active);
  EXPECT_EQ(view->coloration(), ColorationMode::kSyntactic);
  EXPECT_EQ(view->CursorPosition(), 5);
  EXPECT_EQ(model->status().rfind("Episode 1 : 2 Bundles", 0), 0u) << model->status();
  ASSERT_EQ(model->items().size(), 2u);
  EXPECT_EQ(model->items()[0].item, 2);
  EXPECT_EQ(model->items()[1].item, 3);
  // Its second proposition: the page starts there.
  ASSERT_TRUE(model->ChooseItem(1));
  EXPECT_EQ(view->CursorPosition(), 9);
  DrawnPage();
  EXPECT_EQ(view->FirstPositionShown(), 9);

  // The style result's episodes line goes to the first episode.
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kTextStyle));
  const int episodesLine = model->IndexOfItem(563);
  ASSERT_GE(episodesLine, 0);
  EXPECT_EQ(model->items()[static_cast<size_t>(episodesLine)].text, "2 Episode(s) detected");
  view->StartAtPosition(17);
  ASSERT_TRUE(model->ChooseItem(episodesLine));
  EXPECT_EQ(view->CursorPosition(), 5);
  DrawnPage();
  EXPECT_EQ(view->FirstPositionShown(), 5);
}

TEST_F(ResultPanelModelTest, SortOrdersTheListAlphabeticallyOrByFrequency) {
  // Every lemma seen at least once is listed.
  engine->record().setClassThresholdByWords(true);
  engine->record().setClassMinWords(1);
  Analyse(
      "Om vorbe\xBAte. Om vorbe\xBAte. Om vorbe\xBAte. Om merge. Om merge. Om merge. Om merge. Eu promit case. Eu promit "
      "case.");
  model->SetAlphabetical(false);
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kVerbs));
  const std::vector<std::string> byFrequency = Lines();
  ASSERT_GE(byFrequency.size(), 3u);
  EXPECT_EQ(byFrequency[0], "merge\t0004");
  EXPECT_EQ(byFrequency[1], "vorbi\t0003");
  EXPECT_EQ(byFrequency[2], "promite\t0002");
  ASSERT_TRUE(model->ChooseItem(1));
  model->SetAlphabetical(true);
  EXPECT_TRUE(engine->record().scenarioSortedAlphabetically());
  EXPECT_EQ(model->chosenItem(), -1);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"merge\t0004", "promite\t0002", "vorbi\t0003"}));
  // The item numbers follow their lines.
  ASSERT_TRUE(model->ChooseItem(2));
  EXPECT_EQ(selection.text, "vorbi");
  model->SetAlphabetical(false);
  EXPECT_EQ(Lines(), byFrequency);
}

TEST_F(ResultPanelModelTest, PreviousAndNextMoveThroughTheFunctions) {
  Analyse(kText);
  EXPECT_FALSE(model->PreviousFunction() && model->chosenFunction() != 0);
  ASSERT_TRUE(model->ChooseFunction(0));
  EXPECT_FALSE(model->PreviousFunction());
  EXPECT_EQ(model->chosenFunction(), 0);
  for (int p = 1; p < model->FunctionCount(); ++p) {
    ASSERT_TRUE(model->NextFunction());
    EXPECT_EQ(model->chosenFunction(), p);
  }
  EXPECT_FALSE(model->NextFunction());
  ASSERT_TRUE(model->PreviousFunction());
  EXPECT_EQ(model->chosenFunction(), model->FunctionCount() - 2);

  // The function used last survives a new analysis and can be chosen again.
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kVerbs));
  Analyse(kText);
  EXPECT_EQ(model->chosenFunction(), -1);
  EXPECT_EQ(model->lastFunction(), ResultFunctionTable::kVerbs);
  ASSERT_TRUE(model->ChooseLastFunction());
  EXPECT_EQ(model->chosenFunction(), ResultFunctionTable::kVerbs);
  EXPECT_EQ(Lines(), std::vector<std::string>{"merge\t0004"});
}

TEST_F(ResultPanelModelTest, FullListStopsGrowingAndSaysSo) {
  MakeModel(3);
  Analyse(kText);
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kAllCategories));
  EXPECT_EQ(model->items().size(), 3u);
  EXPECT_EQ(model->information(),
            "Overflow (text too big). It is not possible to show every value in this dialog.");
  // What the list holds can still be chosen.
  ASSERT_TRUE(model->ChooseItem(2));
  EXPECT_EQ(selection.criteria[0].group, kGroupVerbs);
  // A list that fits shows its own explanation.
  ASSERT_TRUE(model->ChooseFunction(ResultFunctionTable::kReferences));
  EXPECT_EQ(model->information(),
            "Answer to the questions: What is the text about? Which are its main references?");
}

struct PendingCase {
  const char* name;
  const char* text;
  bool levelGiven;
  int digit;
  bool shown;
  int function;  // chosen afterwards, -1 none
};

class ResultPanelPendingTest : public ResultPanelModelTest, public ::testing::WithParamInterface<PendingCase> {};

TEST_P(ResultPanelPendingTest, PendingExpressionsShowTheirClassOnce) {
  const PendingCase& c = GetParam();
  Analyse(kText);
  PendingExpressions pending;
  pending.entries[3].text = "nimic";  // unknown: skipped
  pending.entries[3].levelGiven = true;
  pending.entries[3].level = 3;
  pending.entries[7].text = c.text;
  pending.entries[7].levelGiven = c.levelGiven;
  pending.entries[7].level = c.digit;
  EXPECT_EQ(model->ShowPendingExpressions(pending), c.shown);
  for (const DisplayRequest& r : pending.entries) EXPECT_TRUE(r.Empty());
  EXPECT_EQ(model->chosenFunction(), c.function);
  EXPECT_EQ(selection.active, c.shown);
  if (c.shown) {
    EXPECT_EQ(model->chosenItem(), 0);
    EXPECT_EQ(selection.kind, kSelectClass);
    EXPECT_EQ(view->coloration(), ColorationMode::kSelective);
  } else {
    EXPECT_EQ(model->status(), "Choose a type of results");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Requests, ResultPanelPendingTest,
    ::testing::Values(PendingCase{"ReferenceAnyCase", "Ma\xAAin\xE3", true, 3, true, ResultFunctionTable::kReferences},
                      PendingCase{"ReferenceField1", "obiect", true, 1, true, ResultFunctionTable::kReferenceFields1},
                      PendingCase{"ReferenceField2", "tehnic\xE3", true, 2, true,
                                  ResultFunctionTable::kReferenceFields2},
                      PendingCase{"WrongLevel", "obiect", true, 3, false, -1},
                      PendingCase{"DigitNine", "ma\xBAin\xE3", false, 0, false, -1},
                      PendingCase{"NoLevel", "ma\xBAin\xE3", false, 0, false, -1}),
    [](const ::testing::TestParamInfo<PendingCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace malvex
