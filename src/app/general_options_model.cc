#include "app/general_options_model.h"

#include "app/analysis_options_model.h"
#include "foundations/messages.h"

namespace malvex {

namespace {
constexpr int kMsgCaption = 844;
constexpr int kMsgCopyYourFiles = 915;
constexpr int kMsgContinue = 549;
constexpr int kMsgRestart = 914;
}  // namespace

std::string GeneralOptionsCaption(Messages& messages) { return messages.message(kMsgCaption); }

TDlgOptionsGeneralesModel::TDlgOptionsGeneralesModel(SettingsRecord& record, Messages& messages,
                                                     GeneralOptionsHost& host, std::string scenarioFolder,
                                                     std::string userFolder)
    : record_(record),
      messages_(messages),
      host_(host),
      scenarioFolder_(std::move(scenarioFolder)),
      userFolder_(std::move(userFolder)) {}

void TDlgOptionsGeneralesModel::FormCreate(bool scenarioPage) {
  Controls& c = controls_;
  c.showInformationPanel = record_.showInformationPanel();
  c.keepFileHistory = record_.keepFileHistory();
  c.largeFonts = record_.largeFonts();
  c.underscoreInCompounds = record_.underscoreInCompounds();
  c.textViewByProposition = record_.textViewByProposition();
  c.confirmDeletions = record_.confirmDeletions();
  c.offerScenarioWizard = record_.offerScenarioWizard();
  c.openScenarioEditorAtStart = record_.openScenarioEditorAtStart();
  c.scenarioWordsInCapitals = record_.scenarioWordsInCapitals();
  c.unaccentedScenarioForms = record_.unaccentedScenarioForms();
  c.scenarioSortedAlphabetically = record_.scenarioSortedAlphabetically();
  // The field is unsigned: a value past 32767 is a negative one written
  // by an older version, and counts as unset.
  const int stored = static_cast<int16_t>(record_.textSizeWarning());
  c.sizeWarningText = std::to_string(stored <= 0 ? kShownWhenUnset : stored);
  page_ = scenarioPage ? kScenarioPage : kMainWindowPage;
}

void TDlgOptionsGeneralesModel::ButtonOkClick() {
  const Controls& c = controls_;
  record_.setShowInformationPanel(c.showInformationPanel);
  record_.setKeepFileHistory(c.keepFileHistory);
  record_.setLargeFonts(c.largeFonts);
  record_.setUnderscoreInCompounds(c.underscoreInCompounds);
  record_.setTextViewByProposition(c.textViewByProposition);
  record_.setConfirmDeletions(c.confirmDeletions);
  record_.setOfferScenarioWizard(c.offerScenarioWizard);
  record_.setOpenScenarioEditorAtStart(c.openScenarioEditorAtStart);
  record_.setScenarioWordsInCapitals(c.scenarioWordsInCapitals);
  record_.setUnaccentedScenarioForms(c.unaccentedScenarioForms);
  record_.setScenarioSortedAlphabetically(c.scenarioSortedAlphabetically);
  int threshold = kStoredWhenInvalid;
  if (!ParseBoundedNumber(c.sizeWarningText, kMinSizeWarning, kMaxSizeWarning, threshold)) {
    threshold = kStoredWhenInvalid;
  }
  record_.setTextSizeWarning(threshold);
}

bool TDlgOptionsGeneralesModel::ButtonParametresSetupClick() {
  std::string question = messages_.message(kMsgCopyYourFiles);
  question += ' ';
  question += messages_.message(kMsgContinue);
  if (!messages_.ask(question)) return false;
  host_.RunSetupWizard();
  if (messages_.ask(messages_.message(kMsgRestart))) host_.CloseProgram();
  return true;
}

}  // namespace malvex
