#include "views/result_functions.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "settings/settings_record.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::QuietFrontEnd;

// The main window's result functions over an engine on the tests' mini
// edition.
class ResultFunctionsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
    functions = std::make_unique<ResultFunctions>(*engine);
  }
  void TearDown() override {
    functions.reset();
    engine->StopEngine();
  }

  void Analyse(const std::string& text) {
    ASSERT_TRUE(testing::WriteFile(dir.File("a.txt"), text));
    engine->files().Add(dir.File("a.txt"));
    ASSERT_TRUE(engine->RunAnalysis(1));
    functions->Rebuild();
  }
  std::vector<std::string> ListLines() const {
    std::vector<std::string> lines;
    for (const ResultLine& line : functions->list().lines()) lines.push_back(line.text);
    return lines;
  }

  testing::TempDir dir;
  QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
  std::unique_ptr<ResultFunctions> functions;
};

const char kText[] =
    "Robot merge la om. Om vorbe\xBAte de robot. Robot merge. Om merge la robot. Robot vorbe\xBAte. Om merge de la "
    "robot.";

TEST_F(ResultFunctionsTest, NothingIsChosenBeforeAnAnalysisOrOutsideTheTable) {
  EXPECT_FALSE(functions->Choose(ResultFunctionTable::kReferences));
  Analyse(kText);
  EXPECT_FALSE(functions->Choose(-1));
  EXPECT_FALSE(functions->Choose(functions->table().Count()));
  EXPECT_EQ(functions->chosen(), -1);
  EXPECT_FALSE(functions->Refresh());
  const std::vector<std::string> lines = functions->FunctionLines();
  ASSERT_GE(lines.size(), 11u);
  EXPECT_EQ(lines[0], "Text style");
  EXPECT_EQ(lines[10], "Substantives");
}

TEST_F(ResultFunctionsTest, ChoosingAClassFunctionFillsItsListAndLines) {
  Analyse(kText);
  ASSERT_TRUE(functions->Choose(ResultFunctionTable::kReferences));
  EXPECT_EQ(functions->chosen(), ResultFunctionTable::kReferences);
  // Only "robot" is a substantive the mini edition classes.
  EXPECT_EQ(ListLines(), std::vector<std::string>{"ma\xBAin\xE3\t0006"});
  EXPECT_EQ(functions->list()[0].item, engine->semanticDictionary().ClassNumberOfName(1, "ma\xBAin\xE3"));
  EXPECT_EQ(functions->information(),
            "Answer to the questions: What is the text about? Which are its main references?");
  EXPECT_EQ(functions->status(), "Please, select an element in the list to show the corresponding text");
  EXPECT_EQ(functions->hint(), "Click me");
  EXPECT_TRUE(functions->boxesEnabled());

  // "Acted" alone: the robot comes after its verb 3 times out of 6.
  functions->SetActant(false);
  EXPECT_EQ(ListLines(), std::vector<std::string>{"ma\xBAin\xE3\t0006\t(50%)"});
  functions->SetActant(true);
  EXPECT_EQ(ListLines(), std::vector<std::string>{"ma\xBAin\xE3\t0006"});

  // Other kinds disable the boxes; the Verbs list shows the lemmas.
  ASSERT_TRUE(functions->Choose(ResultFunctionTable::kVerbs));
  EXPECT_FALSE(functions->boxesEnabled());
  EXPECT_EQ(ListLines(), (std::vector<std::string>{"merge\t0004"}));
  EXPECT_EQ(functions->information(), "Answer to the questions: Which actions and states are the most frequent?");
}

TEST_F(ResultFunctionsTest, WordCategoriesSwitchAreasAndActorsGraphsToTheStar) {
  Analyse(kText);
  for (int graph : {1, 5, 3}) {
    engine->record().setGraphType(graph);
    ASSERT_TRUE(functions->Choose(ResultFunctionTable::kAllCategories));
    EXPECT_EQ(engine->record().graphType(), graph == 3 ? 3 : 2) << graph;
  }
  const std::vector<std::string> lines = ListLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines[0], "* Verbs :");
  EXPECT_EQ(functions->list()[0].item, 0);
  EXPECT_EQ(functions->list()[1].item, -4);  // factive verbs
}

TEST_F(ResultFunctionsTest, FullListShowsTheOverflowMessage) {
  functions = std::make_unique<ResultFunctions>(*engine, 1);
  Analyse(kText);
  ASSERT_TRUE(functions->Choose(ResultFunctionTable::kAllCategories));
  EXPECT_EQ(ListLines(), std::vector<std::string>{"* Verbs :"});
  EXPECT_EQ(functions->information(),
            "Overflow (text too big). It is not possible to show every value in this dialog.");
}

TEST_F(ResultFunctionsTest, TextOfOneWordOffersOnlyTheEmptyTextLine) {
  Analyse("Robot");
  EXPECT_EQ(functions->FunctionLines(), std::vector<std::string>{"Empty or unreadable text"});
  EXPECT_FALSE(functions->Choose(ResultFunctionTable::kTextStyle));
}

}  // namespace
}  // namespace malvex
