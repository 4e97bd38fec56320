#include "app/owl_import_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "engine/engine.h"
#include "platform/scripted_box.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_store.h"
#include "settings/folders.h"
#include "settings/settings_record.h"
#include "test_engine.h"
#include "test_support.h"

namespace malvex {
namespace {

const char kOwl[] =
    "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
    "xmlns:rdfs=\"http://www.w3.org/2000/01/rdf-schema#\" xmlns:owl=\"http://www.w3.org/2002/07/owl#\">"
    "<owl:Class rdf:about=\"#Casa\"><rdfs:label xml:lang=\"ro\">cas\xC4\x83</rdfs:label></owl:Class>"
    "<owl:Class rdf:about=\"#Robot\"><rdfs:subClassOf rdf:resource=\"#Casa\"/>"
    "<rdfs:label xml:lang=\"ro\">robot</rdfs:label></owl:Class></rdf:RDF>";

class OwlImportModelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    engine_ = testing::StartTestEngine(dir_.path(), frontEnd_, MALVEX_TEST_EDITION);
    ASSERT_NE(engine_, nullptr);
    scenarioFolder_ = engine_->folders().scenario;
    std::filesystem::create_directories(scenarioFolder_);
    owl_ = dir_.File("onto.owl");
    ASSERT_TRUE(testing::WriteFile(owl_, kOwl));
    frontEnd_.box.SetDefaultAnswer(kButton1);
  }
  std::string InScenarioFolder(const std::string& name) const {
    return (std::filesystem::path(scenarioFolder_) / name).string();
  }

  testing::TempDir dir_;
  testing::QuietFrontEnd frontEnd_;
  std::unique_ptr<Engine> engine_;
  std::string scenarioFolder_;
  std::string owl_;
};

TEST_F(OwlImportModelTest, OptionsStartWithTheReportingOnesOff) {
  OwlImportModel model(*engine_, owl_);
  EXPECT_EQ(model.FileName(), "onto.owl");
  for (OwlOption o : {OwlOption::kFlexedForms, OwlOption::kConvertUnicode, OwlOption::kDiscardOtherLanguages,
                      OwlOption::kIgnoreRestrictions})
    EXPECT_TRUE(model.option(o));
  EXPECT_FALSE(model.option(OwlOption::kVerboseLog));
  EXPECT_FALSE(model.option(OwlOption::kDumpInput));
  EXPECT_EQ(engine_->messages().message(model.OptionMessage(OwlOption::kDumpInput)),
            "Dump all the input buffers in log file");
  model.setOption(OwlOption::kIgnoreRestrictions, false);
  EXPECT_FALSE(model.Options().ignoreRestrictions);
  EXPECT_EQ(model.Options().languageCode, "ro");
}

TEST_F(OwlImportModelTest, WritesOwlOutputAndTheEditorLoadsIt) {
  engine_->record().setUnaccentedScenarioForms(true);
  OwlImportModel model(*engine_, owl_);
  ASSERT_TRUE(model.Run());
  EXPECT_EQ(model.outputPath(), InScenarioFolder("OwlOutput.scn"));
  EXPECT_TRUE(frontEnd_.box.asked().empty());
  ScenarioEditor editor(engine_->scenarioStore(), engine_->currentScenario(), &engine_->scenarioLayer(),
                        engine_->record(), engine_->folders(), engine_->messages(), nullptr);
  ASSERT_TRUE(model.LoadInto(editor));
  EXPECT_EQ(engine_->record().scenarioFile(), "OwlOutput.scn");
  // The group, its item and the unaccented form the setting asks for, then
  // the sub-group and its item.
  ASSERT_EQ(engine_->scenarioStore().count(), 5u);
  EXPECT_EQ(engine_->scenarioStore().entries()[0].value, "cas\xE3");
  EXPECT_EQ(engine_->scenarioStore().entries()[2].name, "casa");
  EXPECT_EQ(engine_->scenarioStore().entries()[4].name, "robot");
}

TEST_F(OwlImportModelTest, AnExistingOwlOutputIsReplacedOnlyWhenTheUserSaysSo) {
  ASSERT_TRUE(testing::WriteFile(InScenarioFolder("OwlOutput.scn"), "G#0V\t1\tmine\r\n"));
  OwlImportModel model(*engine_, owl_);
  frontEnd_.box.QueueAnswer(kButton2);  // No: a new name
  ASSERT_TRUE(model.Run());
  ASSERT_EQ(frontEnd_.box.asked().size(), 1u);
  EXPECT_EQ(frontEnd_.box.asked()[0].text.rfind("OwlOutput.scn already exists", 0), 0u);
  EXPECT_EQ(model.outputPath(), InScenarioFolder("OwlOutput-2.scn"));
  EXPECT_EQ(testing::ReadFile(InScenarioFolder("OwlOutput.scn")), "G#0V\t1\tmine\r\n");
  frontEnd_.box.QueueAnswer(kButton1);  // Yes: replaced
  ASSERT_TRUE(model.Run());
  EXPECT_EQ(model.outputPath(), InScenarioFolder("OwlOutput.scn"));
  EXPECT_NE(testing::ReadFile(InScenarioFolder("OwlOutput.scn")), "G#0V\t1\tmine\r\n");
}

TEST_F(OwlImportModelTest, AFailureShowsWhereAndWritesNothing) {
  ASSERT_TRUE(testing::WriteFile(owl_, "<rdf:RDF>\n<owl:Class>\n"));
  OwlImportModel model(*engine_, owl_);
  EXPECT_FALSE(model.Run());
  EXPECT_TRUE(model.outputPath().empty());
  ASSERT_EQ(frontEnd_.box.asked().size(), 1u);
  const std::string& text = frontEnd_.box.asked()[0].text;
  EXPECT_EQ(text.rfind("*** XML Syntax Error during parsing operation (line 2, column 12)\nThe log is in: ", 0), 0u)
      << text;
  EXPECT_NE(text.find(dir_.File("onto.log")), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(InScenarioFolder("OwlOutput.scn")));
}

}  // namespace
}  // namespace malvex
