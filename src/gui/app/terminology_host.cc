#include "gui/app/terminology_host.h"

#include <QLineEdit>
#include <QStatusBar>

#include "gui/app/main_window.h"
#include "gui/app/word_search_link.h"
#include "gui/qt_text.h"
#include "gui/scenarios/dlg_scenario.h"
#include "gui/views/text_view_widget.h"
#include "views/text_search.h"

namespace malvex {

MainWindowTerminologyHost::MainWindowTerminologyHost(TApdEditForm& window) : window_(window) {}

MainWindowTerminologyHost::~MainWindowTerminologyHost() = default;

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
  TExtraitDuTexte* view = window_.textView();
  if (view == nullptr || !window_.ResultsShown()) return false;
  TextSearch& search = window_.wordSearch().search();
  if (!search.Find(TextSearchSubject::Word(word, true), !fromLastHit)) {
    window_.statusBar()->showMessage(ToQt(TextSearch::NotFoundText(window_.engine().messages(), word)));
    return false;
  }
  ShowSearchHit(*view, search);
  window_.ImageTexte->update();
  window_.statusBar()->clearMessage();
  return true;
}

}  // namespace malvex
