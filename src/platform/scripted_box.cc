#include "platform/scripted_box.h"

namespace malvex {

bool ScriptedBox::Show(const std::string& text, BoxKind kind, bool withCheckBox, int& answer) {
  asked_.push_back(Asked{text, kind, withCheckBox});
  if (failToShow_) return false;
  if (answers_.empty()) {
    answer = defaultAnswer_;
  } else {
    answer = answers_.front();
    answers_.pop_front();
  }
  if (withCheckBox) dontShowAgain_ = checkBoxState_;
  return true;
}

void ScriptedBox::ClearRecords() {
  asked_.clear();
  lastResort_.clear();
}

}  // namespace malvex
