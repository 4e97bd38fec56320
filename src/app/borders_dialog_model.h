// The borders dialog without any window: the list of borders (ticked ones
// start filtering), the box "Show borders in the text", the buttons Add,
// Delete, Include all, Exclude all, Cancel and Apply, and the File menu
// (New, Open, Save, Save as) over the borders files of the scenario folder.
// The Qt form mirrors `items()` in a checked list, forwards each action and
// draws again after it.
//
// The list is the user's working copy; the borders store holds what was
// last loaded, saved or applied. Apply saves the list to the current
// borders file, compiles it and has the text shown analysed again.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace malvex {

class BordersStore;
class Messages;
class SettingsRecord;
struct Folders;
struct LanguageTables;

// What the dialog asks of the windows around it.
class BordersDialogHost {
 public:
  virtual ~BordersDialogHost() = default;
  virtual bool AnalysisRunning() { return false; }
  // Whether a text is displayed (its analysis can be run again).
  virtual bool TextShown() = 0;
  // Runs the analysis of the displayed text again.
  virtual void Reanalyse() = 0;
  // The open and save dialogs ("*.dlm", starting in `folder`); false on
  // cancel. `path` is the full path chosen.
  virtual bool ChooseFileToOpen(const std::string& folder, std::string& path) = 0;
  virtual bool ChooseFileToSave(const std::string& folder, std::string& path) = 0;
  // The platform's exclamation sound.
  virtual void Beep() {}
};

struct BorderItem {
  std::string text;      // code page 1250
  bool checked = false;  // starts filtering
};

class BordersDialogModel {
 public:
  // Longest border typed in the edit box.
  static constexpr size_t kMaxTyped = 47;
  // Extension of the borders files.
  static constexpr char kExtension[] = ".dlm";

  // All must outlive the model.
  BordersDialogModel(BordersStore& store, SettingsRecord& record, const Folders& folders, Messages& messages,
                     const LanguageTables& tables, BordersDialogHost& host);

  // Opening the form: the box from the setting (remembered), the list from
  // the store, not modified.
  void Start();

  const std::vector<BorderItem>& items() const { return items_; }
  // The selected row, -1 when none.
  int selected() const { return selected_; }
  void Select(int row) { selected_ = row >= 0 && row < static_cast<int>(items_.size()) ? row : -1; }
  // Ticking or unticking a row.
  void SetChecked(int row, bool checked);
  bool showBorders() const { return showBorders_; }
  // The box: the setting changes at once.
  void SetShowBorders(bool on);
  // Apply and Cancel are enabled exactly while modified.
  bool modified() const { return modified_; }

  // The edit box's text, normalised, added unticked in alphabetical place
  // and selected. An empty result, or a border already listed (then
  // selected), beeps; false then.
  bool Add(std::string_view typed);
  // Deletes the selection and selects the row before it (the first row
  // when the first was deleted); beeps without a selection.
  bool Delete();
  void IncludeAll();
  void ExcludeAll();
  // Back to the store's borders and the box as last applied; not modified.
  void Cancel();

  // Saves the list (Save as when no borders file is current).
  bool Save();
  // Asks for a file of the scenario folder and saves the list there. A
  // file chosen elsewhere is refused (messages 1221 and 1222) but saved in
  // the scenario folder under its name, replacing a file there only when
  // the user agrees (message 2044).
  bool SaveAs();
  // Saves when modified, compiles the borders and, when they or the box
  // changed and a text is shown, has it analysed again. False when the
  // save failed.
  bool Apply();
  // Leaving unsaved changes: true to go on (message 552; Yes saves and goes
  // on only when the save succeeds).
  bool ConfirmLeaving();
  // An empty list and no borders file, applied. Refused while an analysis
  // runs.
  bool New();
  // A borders file of the scenario folder loaded and applied. Refused
  // while an analysis runs; a file outside the folder is refused with
  // messages 1221 and 1222; a file that cannot be read keeps the current one.
  bool Open();
  // Closing the form: applies unsaved changes.
  void Close();

  // "Borders", and " : " and the file name when one is current.
  std::string Caption();
  // The Explain page: the title and messages 1143 to 1146, a line each.
  std::string Explanation();

 private:
  void FillFromStore();
  void StoreFromList();
  bool SaveToCurrentFile();
  void SortAndSelect(const std::string& text);
  std::string CurrentPath() const;

  BordersStore& store_;
  SettingsRecord& record_;
  const Folders& folders_;
  Messages& messages_;
  const LanguageTables& tables_;
  BordersDialogHost& host_;

  std::vector<BorderItem> items_;
  int selected_ = -1;
  bool showBorders_ = true;
  bool appliedShowBorders_ = true;
  bool modified_ = false;
  bool changed_ = false;
};

}  // namespace malvex
