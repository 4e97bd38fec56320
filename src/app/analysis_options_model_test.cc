#include "app/analysis_options_model.h"

#include <gtest/gtest.h>

#include "foundations/messages.h"
#include "platform/scripted_box.h"

namespace malvex {
namespace {

class AnalysisOptionsModelTest : public ::testing::Test {
 protected:
  AnalysisOptionsModelTest() {
    record_.setRelationLevel(2);
    record_.setClassThresholdByWords(true);
    record_.setClassMinWords(3);
    record_.setClassPertinence(40);
    record_.setRemarkablePropositions(10);
  }
  TOptionsAnalyseModel Model(PdfRoute pdf = {true, true}) { return TOptionsAnalyseModel(record_, messages_, marks_, pdf); }
  bool Asked(int id) const {
    const std::string text = CatalogueText(id);
    for (const auto& a : box_.asked()) {
      if (a.text.find(text) != std::string::npos) return true;
    }
    return false;
  }

  SettingsRecord record_;
  ScriptedBox box_;
  Messages messages_{box_};
  AnalysisOptionsMarks marks_;
};

TEST_F(AnalysisOptionsModelTest, RelationLevelOutsideOneToFourShowsAndStoresReferences) {
  const struct {
    int stored, shown;
  } cases[] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {0, 1}, {5, 1}, {7, 1}, {65535, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    record_.setRelationLevel(c.stored);
    TOptionsAnalyseModel model = Model();
    model.FormCreate();
    EXPECT_EQ(model.relationLevel(), c.shown);
    ASSERT_TRUE(model.ButtonOkClick());
    EXPECT_EQ(record_.relationLevel(), c.shown);
    // The level read by the analysis did not change: no new analysis.
    EXPECT_FALSE(model.reanalysisNeeded());
  }
}

TEST_F(AnalysisOptionsModelTest, ThresholdsOutsideOneTo999KeepTheDialogOpenAndStoreNothing) {
  const struct {
    const char* words;
    const char* pertinence;
    bool accepted;
  } cases[] = {{"1", "999", true}, {"999", "1", true}, {"0", "40", false},   {"1000", "40", false},
               {"3", "0", false},  {"3", "1000", false}, {"", "40", false},  {"abc", "40", false},
               {"-5", "40", false}, {" 3", "40", false}, {"3", "4.5", false}, {"99999999999", "40", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.words << " / " << c.pertinence);
    record_.setClassThresholdByWords(true);
    record_.setClassMinWords(3);
    record_.setClassPertinence(40);
    record_.setRelationLevel(2);
    box_.ClearRecords();
    TOptionsAnalyseModel model = Model();
    model.FormCreate();
    // Other controls changed too: on a refusal none of them may reach the
    // settings.
    model.SetThresholdByWords(false);
    model.SetRelationLevel(4);
    model.SetMinWordsText(c.words);
    model.SetPertinenceText(c.pertinence);
    EXPECT_EQ(model.ButtonOkClick(), c.accepted);
    EXPECT_EQ(Asked(530) && Asked(531), !c.accepted);
    if (c.accepted) {
      EXPECT_FALSE(record_.classThresholdByWords());
      EXPECT_EQ(record_.classMinWords(), std::stoi(c.words));
      EXPECT_EQ(record_.classPertinence(), std::stoi(c.pertinence));
      EXPECT_EQ(record_.relationLevel(), 4);
      EXPECT_TRUE(model.reanalysisNeeded());
    } else {
      EXPECT_TRUE(record_.classThresholdByWords());
      EXPECT_EQ(record_.classMinWords(), 3);
      EXPECT_EQ(record_.classPertinence(), 40);
      EXPECT_EQ(record_.relationLevel(), 2);
      EXPECT_FALSE(model.reanalysisNeeded());
    }
  }
}

TEST_F(AnalysisOptionsModelTest, TheScenarioWarningIsRememberedOnlyWhenTheValuesAreStored) {
  TOptionsAnalyseModel model = Model();
  model.FormCreate();
  model.SetScenarioOnAllCategories(true);
  model.SetMinWordsText("0");
  box_.QueueAnswer(kButton1);  // OK to the warning
  EXPECT_FALSE(model.ButtonOkClick());
  EXPECT_TRUE(Asked(559));
  EXPECT_FALSE(marks_.scenarioWarningAccepted);
  EXPECT_FALSE(record_.scenarioOnAllCategories());
  // Corrected, the next Accept asks again and stores everything.
  model.SetMinWordsText("5");
  box_.ClearRecords();
  box_.QueueAnswer(kButton1);
  EXPECT_TRUE(model.ButtonOkClick());
  EXPECT_TRUE(Asked(559));
  EXPECT_TRUE(marks_.scenarioWarningAccepted);
  EXPECT_TRUE(record_.scenarioOnAllCategories());
  EXPECT_EQ(record_.classMinWords(), 5);
  // Accepted once, it is not asked again while the setting stays on.
  box_.ClearRecords();
  model.FormCreate();
  EXPECT_TRUE(model.ButtonOkClick());
  EXPECT_TRUE(box_.asked().empty());
  // Switched off, the acceptance is forgotten.
  model.SetScenarioOnAllCategories(false);
  ASSERT_TRUE(model.ButtonOkClick());
  model.FormCreate();
  EXPECT_FALSE(marks_.scenarioWarningAccepted);
}

TEST_F(AnalysisOptionsModelTest, CancelToTheScenarioWarningClearsTheBoxAndKeepsTheDialogOpen) {
  // Cancel, and the box closed without a button, which is no consent.
  for (int answer : {static_cast<int>(kButton3), static_cast<int>(kClosed)}) {
    record_.setRelationLevel(2);
    TOptionsAnalyseModel model = Model();
    model.FormCreate();
    model.SetScenarioOnAllCategories(true);
    model.SetRelationLevel(3);
    box_.QueueAnswer(answer);
    EXPECT_FALSE(model.ButtonOkClick()) << answer;
    EXPECT_FALSE(model.scenarioOnAllCategories()) << answer;
    EXPECT_FALSE(record_.scenarioOnAllCategories()) << answer;
    EXPECT_EQ(record_.relationLevel(), 2) << answer;
    // Accepting again stores the rest without the option.
    EXPECT_TRUE(model.ButtonOkClick()) << answer;
    EXPECT_FALSE(record_.scenarioOnAllCategories()) << answer;
    EXPECT_EQ(record_.relationLevel(), 3) << answer;
  }
}

TEST_F(AnalysisOptionsModelTest, OnlyARealChangeAsksForANewAnalysis) {
  {
    TOptionsAnalyseModel model = Model();
    model.FormCreate();
    EXPECT_TRUE(model.ButtonOkClick());
    EXPECT_FALSE(model.reanalysisNeeded());
  }
  {
    // Changed and changed back: the same settings, no new analysis.
    TOptionsAnalyseModel model = Model();
    model.FormCreate();
    model.SetRelationLevel(4);
    model.SetRelationLevel(2);
    model.SetMinWordsText("003");
    EXPECT_TRUE(model.ButtonOkClick());
    EXPECT_FALSE(model.reanalysisNeeded());
  }
  {
    TOptionsAnalyseModel model = Model();
    model.FormCreate();
    model.SetCharacteristicParts(55);
    EXPECT_TRUE(model.ButtonOkClick());
    EXPECT_TRUE(model.reanalysisNeeded());
    EXPECT_EQ(record_.remarkablePropositions(), 55);
  }
  {
    TOptionsAnalyseModel model = Model();
    model.FormCreate();
    const bool stored = record_.wordThroughConverters();
    model.SetWordThroughConverters(!stored);
    model.ButtonAnnulerClick();
    EXPECT_FALSE(model.reanalysisNeeded());
    EXPECT_EQ(record_.wordThroughConverters(), stored);
  }
}

TEST_F(AnalysisOptionsModelTest, PdfConversionWithoutAnExtractorIsRefusedWithItsMessages) {
  record_.setPdfThroughExtractor(false);
  TOptionsAnalyseModel model = Model({false, false});
  model.FormCreate();
  model.SetConvertPdf(true);
  EXPECT_FALSE(model.convertPdf());
  EXPECT_FALSE(model.convertPdfEnabled());
  // No converter at all: the installation advice, then the driver failure.
  ASSERT_EQ(box_.asked().size(), 2u);
  const std::string advice = std::string(CatalogueText(1175)) + " " + CatalogueText(1176);
  EXPECT_EQ(box_.asked()[0].text, advice);
  EXPECT_EQ(box_.asked()[1].text, std::string(CatalogueText(51)) + " \"" + CatalogueText(493) + "\". " + advice);
  // A second try shows the driver failure alone.
  model.SetConvertPdf(true);
  EXPECT_EQ(box_.asked().size(), 3u);
  EXPECT_TRUE(model.ButtonOkClick());
  EXPECT_FALSE(record_.pdfThroughExtractor());
}

TEST_F(AnalysisOptionsModelTest, PdfConversionWithAnExtractorIsStored) {
  record_.setPdfThroughExtractor(false);
  TOptionsAnalyseModel model = Model({true, true});
  model.FormCreate();
  model.SetConvertPdf(true);
  EXPECT_TRUE(box_.asked().empty());
  EXPECT_TRUE(model.ButtonOkClick());
  EXPECT_TRUE(record_.pdfThroughExtractor());
  EXPECT_TRUE(model.reanalysisNeeded());
}

TEST_F(AnalysisOptionsModelTest, ARefusedPdfOpensOnTheConversionsPage) {
  TOptionsAnalyseModel model = Model();
  model.FormCreate();
  EXPECT_EQ(model.page(), TOptionsAnalyseModel::kOptionsPage);
  marks_.pdfRefused = true;
  model.FormCreate();
  EXPECT_EQ(model.page(), TOptionsAnalyseModel::kConversionsPage);
}

}  // namespace
}  // namespace malvex
