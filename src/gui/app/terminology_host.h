// What the terminology extraction window asks of the main window: the
// Scenario Tool (open or not, its editor, its search box, its redrawing)
// and the locating of a word in the text view.
#pragma once

#include <string>

#include "app/terminology_window_model.h"

namespace malvex {

class TApdEditForm;

class MainWindowTerminologyHost final : public TerminologyHost {
 public:
  // `window` must outlive the host.
  explicit MainWindowTerminologyHost(TApdEditForm& window);
  ~MainWindowTerminologyHost() override;

  ScenarioEditor* OpenEditor() override;
  void ShowEditor() override;
  void EditorUpdating(bool updating) override;
  void EditorChanged() override;
  void SetEditorSearchText(const std::string& text) override;
  // The main window's text search, for `word` as a whole word; the text
  // view shows the hit, the status line says when there is none (more).
  bool LocateInText(const std::string& word, bool fromLastHit) override;

 private:
  TApdEditForm& window_;
};

}  // namespace malvex
