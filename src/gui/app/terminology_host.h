// What the terminology extraction window asks of the main window: the
// Scenario Tool (open or not, its editor, its search box, its redrawing)
// and the locating of a word in the text view.
#pragma once

#include <memory>
#include <string>

#include "app/terminology_window_model.h"

namespace malvex {

class TApdEditForm;
class TextSearch;

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
  // The whole-word search of the text; the text view shows the hit, the
  // main window's status line says when there is none (more).
  bool LocateInText(const std::string& word, bool fromLastHit) override;

 private:
  TApdEditForm& window_;
  std::unique_ptr<TextSearch> search_;
};

}  // namespace malvex
