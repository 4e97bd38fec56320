// The word search and insertion dialog without its widgets: the word box
// and its drop-down history, the meanings check list the criteria parser
// fills, the Search command over the analysed text (the word itself, or
// the checked meaning's class, scenario group, verb or adjective) and the
// Insert command into the scenario being edited.
//
// The Qt form mirrors `lines()` in its check list and forwards each user
// action to the operation of the same name; the model acts on the main
// window through WordSearchHost.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "scenarios/criteria_parser.h"
#include "views/text_search.h"

namespace malvex {

class Engine;
class ScenarioEditor;

// What the dialog asks of the main window.
class WordSearchHost {
 public:
  virtual ~WordSearchHost() = default;
  // A text was analysed and its results are shown.
  virtual bool TextAnalysed() = 0;
  virtual bool AnalysisRunning() = 0;
  // The main window shows the word at `position` (the search's hit).
  virtual void ShowHit(int32_t position) = 0;
  // The main window's message line.
  virtual void ShowMessageLine(const std::string& text) = 0;
  // The exclamation beep.
  virtual void Beep() = 0;
  // The scenario editor's model while the editor is open, else null.
  virtual ScenarioEditor* Editor() = 0;
  // Opens the scenario editor (the main window's scenario command).
  virtual void OpenEditor() = 0;
  // The editor's tree changed: it redraws with the selection expanded.
  virtual void EditorChanged() = 0;
  // The reposition setting is on and a scenario group was searched: the
  // results switch to the scenario groups and show `group`.
  virtual void ShowGroupInResults(int32_t group) { (void)group; }
};

class WordSearchModel {
 public:
  // The word box holds at most this many characters.
  static constexpr size_t kWordBoxChars = 78;

  // `engine` (started), `search` and `host` must outlive the model.
  WordSearchModel(Engine& engine, TextSearch& search, WordSearchHost& host);
  WordSearchModel(const WordSearchModel&) = delete;
  WordSearchModel& operator=(const WordSearchModel&) = delete;

  // ---- The word box and the check list --------------------------------
  // Typing in the word box (and a refresh after the scenario changed):
  // "From the top" is checked, the check list is parsed again, only the
  // first checked line stays checked.
  void EditUnMotChange(std::string_view text);
  // The scenario changed elsewhere: the box is parsed again.
  void Actualiser() { EditUnMotChange(text_); }
  // A result dragged onto the dialog: its text (at most 80 characters)
  // goes into the box, which is parsed again. Refused while an analysis
  // runs or before one.
  bool DropText(std::string_view text);

  const std::string& text() const { return text_; }
  const std::vector<CriteriaLine>& lines() const { return parser().lines(); }
  // The line (1-based) the list has checked, 0 for none.
  int checkedLine() const { return checkedLine_; }
  // The check list's line `line` (1-based) was clicked; `checked` its new
  // state. A line that becomes checked is the only checked one and its
  // classes go to the choice history. The click also selects "A semantic
  // class". Disabled lines take no check.
  void ListBoxSensClickCheck(int line, bool checked);
  // The first checked line becomes the checked line and its classes go to
  // the choice history; 0 when none is checked.
  int FindCheckedLine();

  // ---- Options ------------------------------------------------------------
  bool fromTop() const { return fromTop_; }
  void SetFromTop(bool v) { fromTop_ = v; }
  bool wholeWord() const { return wholeWord_; }
  void SetWholeWord(bool v) { wholeWord_ = v; }
  // "Itself (this word)" (true) or "A semantic class" (false).
  bool itself() const { return itself_; }
  void SetItself(bool v) { itself_ = v; }
  // "Add" (true) or "Insert" (false); read from the settings at creation.
  bool addMode() const { return addMode_; }
  void SetAddMode(bool v) { addMode_ = v; }
  bool subclassify() const { return subclassify_; }
  void SetSubclassify(bool v) { subclassify_ = v; }
  bool reposition() const;
  void SetReposition(bool v);

  // Search is enabled with a word in the box and an analysed text; the
  // whole-word and from-the-top boxes only for "Itself".
  bool searchEnabled() const;
  bool insertEnabled() const { return insertEnabled_; }
  bool optionBoxesEnabled() const { return itself_; }

  // The drop-down history of the box, newest first.
  const std::vector<std::string>& boxHistory() const { return boxHistory_; }
  // The main window's search subject: the box's last searched or inserted
  // text, normalised.
  const std::string& searchSubject() const { return subject_; }

  // ---- Commands -------------------------------------------------------------
  // Search: true on a hit, which the main window shows; otherwise the
  // not-found message and a beep. Refused (false, nothing shown) while an
  // analysis runs or before one.
  bool ButtonChercherClick();
  // Insert into the scenario; true when something was put in it. With the
  // editor closed it is opened and nothing is inserted.
  bool ButtonInsererClick();
  // Closing the dialog stores the Add mode in the settings.
  void FormClose();

 private:
  TScenParser& parser() const { return *parser_; }
  void Remember(const std::string& subject);
  void ReportNotFound();
  bool SearchLine(const CriteriaLine& line);
  bool InsertClass(ScenarioEditor& editor, const std::string& text, int level, char letter);

  Engine& engine_;
  TextSearch& search_;
  WordSearchHost& host_;
  // The engine's parser, or one of the dialog's own when the engine has
  // none.
  std::unique_ptr<TScenParser> ownParser_;
  TScenParser* parser_;
  std::string text_;
  std::string subject_;
  std::string lastRemembered_;
  std::vector<std::string> boxHistory_;
  int checkedLine_ = 0;
  bool fromTop_ = true;
  bool wholeWord_ = true;
  bool itself_ = true;
  bool addMode_ = true;
  bool subclassify_ = true;
  bool insertEnabled_ = true;
};

}  // namespace malvex
