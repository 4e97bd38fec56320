// The scenario creation wizard behind the Scenario Tool's New, without any
// window: six pages, the way chosen on the first (an empty scenario, one
// built from the analysed text, or existing scenarios merged), the level
// and threshold of the automatic creation, the scenario files to merge,
// and the Next, Back and Done buttons. The Qt form shows `page()` and the
// button states, forwards each click, and closes when Done says so.
//
// Pages: 1 start, 2 level, 3 threshold, 4 end of the automatic creation,
// 5 end of the manual creation, 6 scenario files.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scenarios/scenario_wizard.h"

namespace malvex {

class Messages;
class ScenarioEditor;
class SettingsRecord;
struct Folders;

// What the wizard asks of the main window.
class ScenarioWizardHost {
 public:
  virtual ~ScenarioWizardHost() = default;
  // Whether a text has been analysed, and its number of words.
  virtual bool TextAnalysed() = 0;
  virtual uint32_t TextWordCount() = 0;
  virtual bool AnalysisRunning() { return false; }
  // The class detection threshold of the analysis.
  virtual int DetectionThreshold() = 0;
  // The candidates of `level` (0 substantives, 1..3 class level) seen at
  // least `threshold` times in the analysed text.
  virtual WizardCandidates Candidates(int level, uint32_t threshold) = 0;
  // The main window shows the result list of `level` (0 substantives,
  // 1..3 class level) so that the user sees what the scenario will hold.
  virtual void ShowResultsOf(int level) { (void)level; }
  // The main window's Open command.
  virtual void OpenDocument() {}
};

class ScenarioWizardModel {
 public:
  enum class Way { kNone, kManual, kAutomatic, kExisting };
  enum class Level { kReferenceFields1, kReferenceFields2, kReferences, kNonClassified, kSubstantives };

  // Raises the threshold setting to the detection threshold, reads the
  // Subclassify box from the settings and lists the scenario folder's
  // "*.scn" files with the first selected. All must outlive the model.
  ScenarioWizardModel(ScenarioEditor& editor, SettingsRecord& record, Messages& messages, const Folders& folders,
                      ScenarioWizardHost& host);

  int page() const { return page_; }
  bool nextEnabled() const { return next_ && controls_; }
  bool backEnabled() const { return page_ != 1 && controls_; }
  bool doneEnabled() const { return controls_; }
  // False while Done works (the page and the buttons are disabled).
  bool controlsEnabled() const { return controls_; }

  Way way() const { return way_; }
  void ChooseWay(Way way) { way_ = way; }
  Level level() const { return level_; }
  // Page 2's radio buttons: when a text is analysed the main window shows
  // the matching results.
  void ChooseLevel(Level level);

  // Page 3: the threshold field, its lowest value (the detection
  // threshold, at least 1) and its highest (999), the Subclassify box.
  const std::string& thresholdText() const { return thresholdText_; }
  void SetThresholdText(std::string text) { thresholdText_ = std::move(text); }
  int thresholdMinimum() const;
  int thresholdMaximum() const { return kWizardMaxThreshold; }
  bool subclassify() const { return subclassify_; }
  void SetSubclassify(bool on) { subclassify_ = on; }

  // Page 6: the scenario files and which are selected. Selecting enables
  // Next.
  const std::vector<std::string>& files() const { return files_; }
  const std::vector<bool>& selection() const { return selected_; }
  void SetSelection(std::vector<bool> selected);

  // Next; on the files page it is Done, and true says the wizard is to
  // close.
  bool Next();
  void Back();
  // Builds the chosen scenario into the editor. True when the wizard is to
  // close; false when it stays (a message told why).
  bool Done();

  // "Wizard - Creation of Scenarios".
  std::string Title();

 private:
  // Whether the analysed text is big enough to build a scenario from; asks
  // message 757 or 758 otherwise (and opens a document on Yes).
  bool TextIsSignificant();
  // Reads the threshold field into the setting (clamped, the field shows
  // the value kept); message 530 and false when it is not an integer.
  bool TakeThreshold();
  bool DoneAutomatic();
  bool DoneExisting();
  int AutomaticLevel() const;

  ScenarioEditor& editor_;
  SettingsRecord& record_;
  Messages& messages_;
  const Folders& folders_;
  ScenarioWizardHost& host_;

  int page_ = 1;
  bool next_ = true;
  bool controls_ = true;
  Way way_ = Way::kNone;
  Level level_ = Level::kReferences;
  std::string thresholdText_;
  bool subclassify_ = true;
  std::vector<std::string> files_;
  std::vector<bool> selected_;
};

// Reads `text` as a decimal integer: optional blanks around, an optional
// sign, at least one digit and nothing else.
bool ParseWizardInteger(const std::string& text, int64_t& value);

}  // namespace malvex
