#include "settings/setup_wizard.h"

#include "foundations/messages.h"
#include "platform/files.h"

namespace malvex {

SetupWizardModel::SetupWizardModel(Messages& messages, const LanguageInfo& language,
                                   std::string proposedBase)
    : messages_(messages), language_(language), baseFolder_(std::move(proposedBase)) {}

std::string SetupWizardModel::ComposeUserFolder() {
  std::string folder = baseFolder_;
  // A base as short as a bare root would put the folders at the top of the
  // disk; they go into a "Parameters" folder there instead.
  if (baseFolder_.size() < 4) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    folder += messages_.message(894);
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  if (folder == "/") folder.clear();
  folder += "/Malvex/";
  folder += messages_.message(language_.labelId);
  return folder;
}

bool SetupWizardModel::Finish() {
  multiUser_ = false;
  if (multiUserChosen_) {
    std::string folder = ComposeUserFolder();
    if (!MakeFolders(folder)) {
      messages_.errorBox(messages_.message(3));
      return false;
    }
    userFolder_ = folder;
    multiUser_ = true;
  }
  copyExampleTexts_ = copyChosen_;
  finished_ = true;
  return true;
}

}  // namespace malvex
