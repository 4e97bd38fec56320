// The logic of the set-up wizard (single-user or multi-user use, the base
// of the user folder, the example texts), free of any window: the front end
// shows its pages and drives this model; the settings read its result.
#pragma once

#include <string>
#include <utility>

#include "settings/run_flags.h"

namespace malvex {

class Messages;

class SetupWizardModel {
 public:
  // `proposedBase` is the base folder offered on the folder page (the XDG
  // data home). `messages` must outlive the model.
  SetupWizardModel(Messages& messages, const LanguageInfo& language, std::string proposedBase);

  SetupWizardModel(const SetupWizardModel&) = delete;
  SetupWizardModel& operator=(const SetupWizardModel&) = delete;

  // The catalogue the wizard's pages take their texts from.
  Messages& messages() { return messages_; }

  // Page 1: multi-user (the recommended choice, preselected) or single-user.
  void chooseMultiUser(bool multiUser) { multiUserChosen_ = multiUser; }
  bool multiUserChosen() const { return multiUserChosen_; }
  // Page 2: the base folder and whether to copy the example texts.
  void setBaseFolder(std::string folder) { baseFolder_ = std::move(folder); }
  const std::string& baseFolder() const { return baseFolder_; }
  void setCopyExampleTexts(bool copy) { copyChosen_ = copy; }
  bool copyExampleTextsChosen() const { return copyChosen_; }

  // The user folder the current choices give: the base folder (followed by
  // "/" and message 894 when its text is shorter than 4 characters), then
  // "/Malvex/" and the language label.
  std::string ComposeUserFolder();

  // The finish button. Single-user: always closes. Multi-user: creates the
  // user folder when missing; when that fails, shows message 3 and returns
  // false so the wizard stays open.
  bool Finish();

  // Results, valid once Finish returned true.
  bool finished() const { return finished_; }
  bool multiUser() const { return multiUser_; }
  const std::string& userFolder() const { return userFolder_; }
  bool copyExampleTexts() const { return copyExampleTexts_; }

 private:
  Messages& messages_;
  const LanguageInfo& language_;
  bool multiUserChosen_ = true;
  std::string baseFolder_;
  bool copyChosen_ = true;

  bool finished_ = false;
  bool multiUser_ = false;
  std::string userFolder_;
  bool copyExampleTexts_ = false;
};

}  // namespace malvex
