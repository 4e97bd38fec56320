// The general options dialog without its widgets: the main window's
// options, the scenario options, the text-size warning, and the way to the
// graph and colour options, the scenario and user folders and the
// multi-user set-up. Accept stores every control; Cancel stores nothing.
#pragma once

#include <cstdint>
#include <string>

#include "settings/settings_record.h"

namespace malvex {

class Messages;

// What the dialog asks of the window behind it.
class GeneralOptionsHost {
 public:
  virtual ~GeneralOptionsHost() = default;
  virtual void OpenGraphOptions() = 0;
  virtual void OpenColours() = 0;
  // Shows `folder` in the desktop's file browser.
  virtual void ShowFolder(const std::string& folder) = 0;
  // Runs the multi-user set-up wizard (the user folder is chosen again).
  virtual void RunSetupWizard() = 0;
  // Closes the program through the main window's ordinary close, which
  // asks about unsaved work and saves the settings.
  virtual void CloseProgram() = 0;
};

class TDlgOptionsGeneralesModel {
 public:
  static constexpr int kMinSizeWarning = 1;
  static constexpr int kMaxSizeWarning = 50;
  // The threshold shown when the stored one is 0 or less.
  static constexpr int kShownWhenUnset = 10;
  // The threshold stored when the typed one is not a whole number 1..50.
  static constexpr int kStoredWhenInvalid = 8;
  static constexpr int kHelpTopic = 932;
  enum Page { kMainWindowPage = 0, kScenarioPage = 1, kInstallationPage = 2 };

  // The controls, one per setting.
  struct Controls {
    bool showInformationPanel = false;
    bool keepFileHistory = false;
    bool largeFonts = false;
    bool underscoreInCompounds = false;
    bool textViewByProposition = false;
    bool confirmDeletions = false;
    bool offerScenarioWizard = false;
    bool openScenarioEditorAtStart = false;
    bool scenarioWordsInCapitals = false;
    bool unaccentedScenarioForms = false;
    bool scenarioSortedAlphabetically = false;
    std::string sizeWarningText;
  };

  // `record`, `messages` and `host` must outlive the model. `scenarioFolder`
  // and `userFolder` are the folders the two folder buttons show.
  TDlgOptionsGeneralesModel(SettingsRecord& record, Messages& messages, GeneralOptionsHost& host,
                            std::string scenarioFolder, std::string userFolder);

  // The dialog opens: the controls take the settings; on the scenario page
  // when `scenarioPage`.
  void FormCreate(bool scenarioPage = false);
  Controls& controls() { return controls_; }
  const Controls& controls() const { return controls_; }
  Page page() const { return page_; }

  // Accept: every control is stored; a size-warning text that is not a
  // whole number from 1 to 50 stores 8. Nothing is analysed again.
  void ButtonOkClick();

  void ButtonGraphesClick() { host_.OpenGraphOptions(); }
  void ButtonCouleursClick() { host_.OpenColours(); }
  void ButtonDossierScenarioClick() { host_.ShowFolder(scenarioFolder_); }
  void ButtonDossierParamClick() { host_.ShowFolder(userFolder_); }
  // Multi-user set-up: message 915 and 549 asked; on Yes the set-up wizard
  // runs, then message 914 asks whether to close now; Yes closes the
  // program through its ordinary close. True when the wizard ran.
  bool ButtonParametresSetupClick();

 private:
  SettingsRecord& record_;
  Messages& messages_;
  GeneralOptionsHost& host_;
  std::string scenarioFolder_;
  std::string userFolder_;
  Controls controls_;
  Page page_ = kMainWindowPage;
};

// "General options".
std::string GeneralOptionsCaption(Messages& messages);

}  // namespace malvex
