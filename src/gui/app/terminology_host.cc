#include "gui/app/terminology_host.h"

#include <QLineEdit>

#include "gui/app/main_window.h"
#include "gui/qt_text.h"
#include "gui/scenarios/dlg_scenario.h"

namespace malvex {

ScenarioEditor* MainWindowTerminologyHost::OpenEditor() {
  return window_.ScenarioEditorOpen() ? &window_.dlgScenario()->editor() : nullptr;
}

void MainWindowTerminologyHost::ShowEditor() { window_.MenuScenarioClick(); }

void MainWindowTerminologyHost::EditorUpdating(bool updating) {
  if (window_.ScenarioEditorOpen()) window_.dlgScenario()->TreeView1->setUpdatesEnabled(!updating);
}

void MainWindowTerminologyHost::EditorChanged() {
  if (window_.ScenarioEditorOpen()) window_.dlgScenario()->AfterCommand();
}

void MainWindowTerminologyHost::SetEditorSearchText(const std::string& text) {
  if (window_.ScenarioEditorOpen()) window_.dlgScenario()->EditChercher->setText(ToQt(text));
}

bool MainWindowTerminologyHost::LocateInText(const std::string& word, bool fromLastHit) {
  return window_.LocateInText(word, fromLastHit);
}

}  // namespace malvex
