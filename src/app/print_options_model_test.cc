// The print dialog's model: the stored check list, what can be printed,
// and the choices a job receives.
#include "app/print_options_model.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/engine.h"
#include "foundations/messages.h"
#include "test_engine.h"
#include "test_installation.h"
#include "test_support.h"

namespace malvex {
namespace {

class PrintOptionsModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine = testing::StartTestEngine(dir.path(), frontEnd, MALVEX_TEST_EDITION);
    ASSERT_NE(engine, nullptr);
    sources.engine = engine.get();
  }
  void TearDown() override {
    if (engine) engine->StopEngine();
  }
  testing::TempDir dir;
  testing::QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
  PrintSources sources;
};

TEST_F(PrintOptionsModelTest, AResetChecksTheTextAndTheReferences) {
  SettingsRecord record;
  record.Reset();
  for (int i = 0; i < kPrintReportCount; ++i)
    EXPECT_EQ(record.printChoice(i), i == kPrintText || i == kPrintReferences) << i;
  EXPECT_FALSE(record.printInColour());
}

TEST_F(PrintOptionsModelTest, TheBoxesGoBackIntoTheRecordOnOkOnly) {
  SettingsRecord& record = engine->record();
  PrintOptionsModel model(record);
  model.FormShow(sources);
  model.setChecked(kPrintText, false);
  model.setChecked(kPrintAdjectives, true);
  model.setColour(true);
  // Not yet stored.
  EXPECT_FALSE(record.printChoice(kPrintAdjectives));
  model.Accept();
  EXPECT_TRUE(record.printChoice(kPrintAdjectives));
  EXPECT_FALSE(record.printChoice(kPrintText));
  EXPECT_TRUE(record.printInColour());
  PrintOptionsModel again(record);
  again.FormShow(sources);
  EXPECT_TRUE(again.checked(kPrintAdjectives));
  EXPECT_TRUE(again.colour());
  // The choices stop short of the record's neighbours.
  record.setPrintChoice(kPrintReportCount, true);
  EXPECT_FALSE(record.printChoice(kPrintReportCount));
}

TEST_F(PrintOptionsModelTest, WhatCannotBePrintedIsLeftOutOfTheJob) {
  SettingsRecord& record = engine->record();
  for (int i = 0; i < kPrintReportCount; ++i) record.setPrintChoice(i, true);
  PrintOptionsModel model(record);
  // No text analysed, no Scenario loaded, no graph drawn.
  model.FormShow(sources);
  EXPECT_FALSE(model.available(kPrintText));
  EXPECT_FALSE(model.available(kPrintScenario));
  EXPECT_FALSE(model.available(kPrintGraph));
  EXPECT_TRUE(model.available(kPrintStyle));
  const PrintChoices choices = model.Choices();
  EXPECT_FALSE(choices[kPrintText]);
  EXPECT_FALSE(choices[kPrintGraph]);
  EXPECT_TRUE(choices[kPrintReferences]);
  EXPECT_TRUE(model.AnythingChosen());
  for (int i = 0; i < kPrintReportCount; ++i) model.setChecked(i, i == kPrintGraph);
  EXPECT_FALSE(model.AnythingChosen());
}

TEST_F(PrintOptionsModelTest, ItemsAreLabelledAsTheCheckListShowsThem) {
  Messages& m = engine->messages();
  const char* labels[] = {"Text",      "Style and categories", "Reference fields 1", "Reference fields 2",
                          "References", "Scenario",            "Relations",          "Graph",
                          "Episodes",  "Verbs",                "Adjectives"};
  for (int i = 0; i < kPrintReportCount; ++i) EXPECT_EQ(PrintOptionsModel::ItemLabel(m, i), labels[i]);
  EXPECT_EQ(PrintOptionsModel::ItemLabel(m, kPrintReportCount), "");
}

}  // namespace
}  // namespace malvex
