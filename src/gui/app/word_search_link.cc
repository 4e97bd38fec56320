#include "gui/app/word_search_link.h"

#include <QApplication>
#include <QStatusBar>

#include "engine/engine.h"
#include "gui/app/main_window.h"
#include "gui/qt_text.h"
#include "gui/scenarios/dlg_rech_mot.h"
#include "gui/scenarios/dlg_scenario.h"
#include "gui/views/text_view_widget.h"

namespace malvex {

WordSearchLink::WordSearchLink(TApdEditForm& window)
    : QObject(&window),
      window_(window),
      groups_(window.engine().scenarioLayer()),
      search_(window.engine().stream(), &groups_) {
  connect(&window, &TApdEditForm::analysisDone, this, [this] { search_.Restart(); });
  connect(&window, &TApdEditForm::textClosing, this, [this] { search_.Restart(); });
}

WordSearchLink::~WordSearchLink() = default;

TDlgRechMot* WordSearchLink::Show() {
  if (dialog_ == nullptr) dialog_ = new TDlgRechMot(window_.engine(), search_, *this, &window_);
  if (dialog_->isMinimized()) dialog_->showNormal();
  dialog_->Refresh();
  dialog_->show();
  dialog_->raise();
  dialog_->activateWindow();
  return dialog_;
}

bool WordSearchLink::IsOpen() const { return dialog_ != nullptr && dialog_->isVisible(); }

void WordSearchLink::ShowWord(const std::string& text) { Show()->SetWord(text); }

void WordSearchLink::SearchWord(const std::string& text) { Show()->SearchWord(text); }

void WordSearchLink::ScenarioChanged() {
  if (IsOpen()) dialog_->Actualiser();
}

bool WordSearchLink::TextAnalysed() { return window_.ResultsShown(); }

bool WordSearchLink::AnalysisRunning() { return window_.model().Busy(); }

void WordSearchLink::ShowHit(int32_t position) {
  TExtraitDuTexte* view = window_.textView();
  if (view == nullptr || position <= 0) return;
  view->StartAtPosition(position);
  view->SetCursorPosition(position);
  window_.ImageTexte->update();
}

void WordSearchLink::ShowMessageLine(const std::string& text) { window_.statusBar()->showMessage(ToQt(text)); }

void WordSearchLink::Beep() { QApplication::beep(); }

ScenarioEditor* WordSearchLink::Editor() {
  return window_.ScenarioEditorOpen() ? &window_.dlgScenario()->editor() : nullptr;
}

void WordSearchLink::OpenEditor() { window_.MenuScenarioClick(); }

void WordSearchLink::EditorChanged() {
  if (window_.dlgScenario() != nullptr) window_.dlgScenario()->AfterCommand();
}

void WordSearchLink::ShowGroupInResults(int32_t group) { window_.ShowScenarioGroup(group); }

}  // namespace malvex
