// The terminology extraction window without its widgets: its options, the
// list of terms of the last run (stored lines "head TAB compound TAB
// frequency", sorted as the list shows them), what a click on a line
// locates, the insertion of the selected lines into the scenario and the
// clipboard text. The window forwards its events here; the model reaches
// the scenario editor and the text view through TerminologyHost.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "views/terminology.h"

namespace malvex {

class Engine;
class ScenarioEditor;

// What the window asks of the main window.
class TerminologyHost {
 public:
  virtual ~TerminologyHost() = default;
  // The scenario editor when its window is open; null when it is closed.
  virtual ScenarioEditor* OpenEditor() = 0;
  // Opens the scenario editor's window.
  virtual void ShowEditor() = 0;
  // The editor's tree or selection changed from here: its window redraws.
  // `updating` true before a run of insertions (the tree is not repainted
  // line by line), false after it.
  virtual void EditorUpdating(bool updating) = 0;
  virtual void EditorChanged() = 0;
  // Puts `text` in the editor's search box.
  virtual void SetEditorSearchText(const std::string& text) = 0;
  // Makes `word` the main window's search subject and searches the analysed
  // text for it as a whole word: from the last hit when `fromLastHit`, else
  // from the beginning; the main window shows the hit. False when not found.
  virtual bool LocateInText(const std::string& word, bool fromLastHit) = 0;
};

class TerminologyWindowModel {
 public:
  // Which lines are listed: the radio buttons Compounds, Non-classified
  // references and Show all.
  enum class Show { kCompounds, kNonClassified, kAll };

  // Reads the window's settings from the engine's record. `engine` and
  // `host` must outlive the model.
  TerminologyWindowModel(Engine& engine, TerminologyHost& host);

  // "Terminology extraction (Malvex)".
  std::string Title() const;

  Show show() const { return show_; }
  void setShow(Show show) { show_ = show; }
  bool filter() const { return filter_; }
  void setFilter(bool filter) { filter_ = filter; }
  // "Text" and "Scenario" of the Localize box; changing either forgets the
  // last clicked line.
  bool localizeText() const { return localizeText_; }
  void setLocalizeText(bool on);
  bool searchScenario() const { return searchScenario_; }
  void setSearchScenario(bool on);
  bool subclassify() const { return subclassify_; }
  void setSubclassify(bool on) { subclassify_ = on; }
  // Add (true) or Insert (false, the mode at start).
  bool addMode() const { return addMode_; }
  void setAddMode(bool add) { addMode_ = add; }

  // The extraction over the analysed text: stores the show and filter
  // settings, lists the terms, sorts the list; the status line then says
  // whether the sample is significant.
  void Run();
  const std::vector<std::string>& lines() const { return lines_; }
  // What the status bar shows.
  const std::string& status() const { return status_; }

  // A click on line `row`: the status bar shows its compound; with "Text",
  // the head word is looked for in the text (from the last hit when the same
  // line was clicked before); with "Scenario" and the editor open, a line
  // other than the last clicked one is looked for in the editor. Out of
  // range rows do nothing.
  void Click(size_t row);
  void ForgetLastClick() { lastClicked_ = kNoLine; }

  // Puts the second field of every line of `rows` (in list order) into the
  // scenario: Add makes it a new group, Insert puts it into the selected
  // group (an item's group; Add when nothing is selected). Opens the editor
  // instead when it is closed. A failure ends the loop; the lines inserted
  // until then leave the list, the others stay. Returns how many lines were
  // inserted.
  size_t Insert(std::vector<size_t> rows);
  // As Insert in the given mode (the pop-up's Add and Insert).
  size_t Insert(std::vector<size_t> rows, bool add);

  // Every line, its fields TAB-separated, one a line; the status bar then
  // says that the results are on the clipboard.
  std::string CopyText();

  // Closing the window: stores the Localize boxes and the subclassify box.
  void StoreSettings();

 private:
  static constexpr size_t kNoLine = static_cast<size_t>(-1);

  bool InsertLine(ScenarioEditor& editor, const std::string& item, bool add);
  void LocateInScenario(ScenarioEditor& editor, const TermLineFields& fields, const std::string& normalised);

  Engine& engine_;
  TerminologyHost& host_;
  Show show_ = Show::kAll;
  bool filter_ = true;
  bool localizeText_ = false;
  bool searchScenario_ = false;
  bool subclassify_ = true;
  bool addMode_ = false;
  std::vector<std::string> lines_;
  std::string status_;
  size_t lastClicked_ = kNoLine;
  std::string lastLine_;
};

}  // namespace malvex
