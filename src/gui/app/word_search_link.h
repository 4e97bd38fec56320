// The main window's side of the word search window: the window made on
// first use, the text search it runs over the analysed text, and what the
// window asks of the main window (showing a hit, the message line, the
// scenario editor).
#pragma once

#include <QObject>
#include <memory>
#include <string>

#include "app/word_search_model.h"
#include "views/scenario_group_hierarchy.h"
#include "views/text_search.h"

namespace malvex {

class TApdEditForm;
class TDlgRechMot;

class WordSearchLink : public QObject, public WordSearchHost {
  Q_OBJECT
 public:
  // `window` must outlive the link.
  explicit WordSearchLink(TApdEditForm& window);
  ~WordSearchLink() override;

  // Shows the window, made when needed, in front.
  TDlgRechMot* Show();
  TDlgRechMot* dialog() const { return dialog_; }
  bool IsOpen() const;
  // Shows the window with `text` (code page 1250) in its word box.
  void ShowWord(const std::string& text);
  // Shows the window and searches `text` as if it had been typed.
  void SearchWord(const std::string& text);
  // The scenario changed: an open window parses its word again.
  void ScenarioChanged();
  // A new analysis or a closed text: searches start from the top.
  void RestartSearch() { search_.Restart(); }
  // The main window's text search: its subject and last hit are the same
  // for every window that searches the text.
  TextSearch& search() { return search_; }

  // WordSearchHost.
  bool TextAnalysed() override;
  bool AnalysisRunning() override;
  void ShowHit(int32_t position) override;
  void ShowMessageLine(const std::string& text) override;
  void Beep() override;
  ScenarioEditor* Editor() override;
  void OpenEditor() override;
  void EditorChanged() override;
  void ShowGroupInResults(int32_t group) override;

 private:
  TApdEditForm& window_;
  ScenarioGroupHierarchy groups_;
  TextSearch search_;
  TDlgRechMot* dialog_ = nullptr;
};

}  // namespace malvex
