#include "app/scenario_wizard_model.h"

#include <cctype>

#include "foundations/messages.h"
#include "platform/files.h"
#include "scenarios/scenario_editor.h"
#include "settings/folders.h"
#include "settings/settings_record.h"

namespace malvex {

namespace {
constexpr int kNoChoiceMessage = 756;
constexpr int kNoTextMessage = 757;
constexpr int kSmallTextMessage = 758;
constexpr int kIncorrectValueMessage = 530;
constexpr int kNoFileMessage = 711;
constexpr int kListOfClassesLabel = 282;
constexpr int kNonClassifiedLabel = 769;

int LevelNumber(ScenarioWizardModel::Level level) {
  switch (level) {
    case ScenarioWizardModel::Level::kReferenceFields1: return 3;
    case ScenarioWizardModel::Level::kReferenceFields2: return 2;
    case ScenarioWizardModel::Level::kReferences:
    case ScenarioWizardModel::Level::kNonClassified: return 1;
    case ScenarioWizardModel::Level::kSubstantives: return 0;
  }
  return 1;
}
}  // namespace

bool ParseWizardInteger(const std::string& text, int64_t& value) {
  size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  const size_t digits = i;
  int64_t v = 0;
  while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
    if (v < 1000000000) v = v * 10 + (text[i] - '0');
    ++i;
  }
  if (i == digits) return false;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  if (i != text.size()) return false;
  value = negative ? -v : v;
  return true;
}

ScenarioWizardModel::ScenarioWizardModel(ScenarioEditor& editor, SettingsRecord& record, Messages& messages,
                                         const Folders& folders, ScenarioWizardHost& host)
    : editor_(editor), record_(record), messages_(messages), folders_(folders), host_(host) {
  const int threshold = ClampWizardThreshold(record_.wizardFrequencyThreshold(), host_.DetectionThreshold());
  record_.setWizardFrequencyThreshold(threshold);
  thresholdText_ = std::to_string(threshold);
  subclassify_ = !record_.wizardNoSubclassify();
  files_ = ListFiles(folders_.scenario, "*.scn");
  selected_.assign(files_.size(), false);
  if (!selected_.empty()) selected_[0] = true;
}

int ScenarioWizardModel::thresholdMinimum() const {
  return ClampWizardThreshold(kWizardMinThreshold, host_.DetectionThreshold());
}

std::string ScenarioWizardModel::Title() {
  std::string title = messages_.message(625);
  title += " - ";
  title += messages_.message(747);
  return title;
}

void ScenarioWizardModel::ChooseLevel(Level level) {
  level_ = level;
  if (host_.TextAnalysed()) host_.ShowResultsOf(LevelNumber(level));
}

void ScenarioWizardModel::SetSelection(std::vector<bool> selected) {
  selected.resize(files_.size(), false);
  selected_ = std::move(selected);
  next_ = true;
}

bool ScenarioWizardModel::TextIsSignificant() {
  if (host_.TextAnalysed() && host_.TextWordCount() >= kWizardMinTextWords) return true;
  const int question = host_.TextAnalysed() ? kSmallTextMessage : kNoTextMessage;
  if (messages_.ask(messages_.message(question))) host_.OpenDocument();
  return false;
}

bool ScenarioWizardModel::TakeThreshold() {
  int64_t value = 0;
  if (!ParseWizardInteger(thresholdText_, value)) {
    messages_.errorBox(messages_.message(kIncorrectValueMessage));
    return false;
  }
  const int threshold = ClampWizardThreshold(value, host_.DetectionThreshold());
  record_.setWizardFrequencyThreshold(threshold);
  thresholdText_ = std::to_string(threshold);
  return true;
}

bool ScenarioWizardModel::Next() {
  switch (page_) {
    case 1:
      switch (way_) {
        case Way::kManual:
          page_ = 5;
          next_ = false;
          break;
        case Way::kExisting:
          page_ = 6;
          next_ = true;
          break;
        case Way::kAutomatic:
          if (!TextIsSignificant()) return false;
          host_.ShowResultsOf(1);
          page_ = 2;
          next_ = true;
          break;
        case Way::kNone:
          messages_.errorBox(messages_.message(kNoChoiceMessage));
          break;
      }
      break;
    case 2:
      page_ = 3;
      break;
    case 3:
      if (!TakeThreshold()) return false;
      page_ = 4;
      next_ = false;
      break;
    case 6:
      return Done();
    default:
      break;
  }
  return false;
}

void ScenarioWizardModel::Back() {
  switch (page_) {
    case 2: case 5: case 6: page_ = 1; break;
    case 3: page_ = 2; break;
    case 4: page_ = 3; break;
    default: return;
  }
  next_ = true;
}

int ScenarioWizardModel::AutomaticLevel() const { return LevelNumber(level_); }

bool ScenarioWizardModel::DoneAutomatic() {
  // Done may be pressed before Next reached the checks of the later pages.
  if (!TextIsSignificant()) return false;
  if (page_ == 3 && !TakeThreshold()) return false;
  if (host_.AnalysisRunning()) return false;
  const int level = AutomaticLevel();
  const bool nonClassified = level_ == Level::kNonClassified;
  record_.setWizardAutomaticLevel(level);
  record_.setWizardNonClassified(nonClassified);
  record_.setWizardNoSubclassify(!subclassify_);
  WizardBuildOptions options;
  options.level = level;
  options.nonClassified = nonClassified;
  options.subclassify = subclassify_;
  options.threshold = static_cast<uint32_t>(
      ClampWizardThreshold(record_.wizardFrequencyThreshold(), host_.DetectionThreshold()));
  options.capitals = record_.scenarioWordsInCapitals();
  options.holdingLabel = messages_.message(nonClassified ? kNonClassifiedLabel : kListOfClassesLabel);
  editor_.BuildFromText(host_.Candidates(level, options.threshold), options);
  return true;
}

bool ScenarioWizardModel::DoneExisting() {
  std::vector<std::string> names;
  for (size_t i = 0; i < files_.size(); ++i)
    if (selected_[i]) names.push_back(files_[i]);
  if (names.empty()) {
    messages_.errorBox(messages_.message(kNoFileMessage));
    page_ = 6;
    return false;
  }
  return editor_.MergeScenarios(names);
}

bool ScenarioWizardModel::Done() {
  controls_ = false;
  bool close = false;
  switch (way_) {
    case Way::kManual:
      editor_.NewEmptyScenario();
      close = true;
      break;
    case Way::kAutomatic:
      close = DoneAutomatic();
      break;
    case Way::kExisting:
      close = DoneExisting();
      break;
    case Way::kNone:
      messages_.errorBox(messages_.message(kNoChoiceMessage));
      break;
  }
  controls_ = true;
  return close;
}

}  // namespace malvex
