#include "app/borders_dialog_model.h"

#include <algorithm>
#include <cstdint>

#include "dictionaries/borders.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/files.h"
#include "scenarios/scenario_editor.h"
#include "settings/folders.h"
#include "settings/scenario_folder_check.h"
#include "settings/settings_record.h"

namespace malvex {

namespace {
constexpr int kBordersTitle = 574;
constexpr int kLeaveUnsavedQuestion = 552;
constexpr int kFirstExplanation = 1143;
constexpr int kLastExplanation = 1146;

bool ItemBefore(const BorderItem& a, const BorderItem& b) { return CompareScenarioText(a.text, b.text) < 0; }
}  // namespace

BordersDialogModel::BordersDialogModel(BordersStore& store, SettingsRecord& record, const Folders& folders,
                                       Messages& messages, const LanguageTables& tables, BordersDialogHost& host)
    : store_(store), record_(record), folders_(folders), messages_(messages), tables_(tables), host_(host) {}

void BordersDialogModel::Start() {
  showBorders_ = record_.keepBorderKeywords();
  appliedShowBorders_ = showBorders_;
  FillFromStore();
  modified_ = false;
  changed_ = false;
}

void BordersDialogModel::FillFromStore() {
  items_.clear();
  store_.Rewind();
  while (const BorderEntry* e = store_.Next()) {
    if (e->HasText()) items_.push_back(BorderItem{e->text, e->StartsFiltering()});
  }
  std::stable_sort(items_.begin(), items_.end(), ItemBefore);
  selected_ = -1;
}

void BordersDialogModel::StoreFromList() {
  store_.Clear();
  for (const BorderItem& item : items_) store_.Add(item.text, item.checked ? "X" : "N");
}

void BordersDialogModel::SetChecked(int row, bool checked) {
  if (row < 0 || row >= static_cast<int>(items_.size()) || items_[row].checked == checked) return;
  items_[row].checked = checked;
  modified_ = true;
}

void BordersDialogModel::SetShowBorders(bool on) {
  showBorders_ = on;
  record_.setKeepBorderKeywords(on);
  modified_ = true;
}

void BordersDialogModel::SortAndSelect(const std::string& text) {
  std::stable_sort(items_.begin(), items_.end(), ItemBefore);
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].text == text) selected_ = static_cast<int>(i);
}

bool BordersDialogModel::Add(std::string_view typed) {
  const std::string text = NormalizeTerm(tables_, typed.substr(0, kMaxTyped));
  if (text.empty()) {
    host_.Beep();
    return false;
  }
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].text == text) {
      selected_ = static_cast<int>(i);
      host_.Beep();
      return false;
    }
  }
  items_.push_back(BorderItem{text, false});
  SortAndSelect(text);
  modified_ = true;
  return true;
}

bool BordersDialogModel::Delete() {
  if (selected_ < 0) {
    host_.Beep();
    return false;
  }
  items_.erase(items_.begin() + selected_);
  selected_ = items_.empty() ? -1 : std::max(0, selected_ - 1);
  modified_ = true;
  return true;
}

void BordersDialogModel::IncludeAll() {
  for (BorderItem& item : items_) item.checked = false;
  modified_ = true;
}

void BordersDialogModel::ExcludeAll() {
  for (BorderItem& item : items_) item.checked = true;
  modified_ = true;
}

void BordersDialogModel::Cancel() {
  FillFromStore();
  // The box was changed in the settings as it was clicked: it goes back to
  // the state of the last apply.
  showBorders_ = appliedShowBorders_;
  record_.setKeepBorderKeywords(showBorders_);
  modified_ = false;
}

std::string BordersDialogModel::CurrentPath() const { return folders_.scenario + "/" + FilePart(record_.bordersFile()); }

bool BordersDialogModel::SaveToCurrentFile() {
  StoreFromList();
  const std::string path = CurrentPath();
  // The first backup of the file is kept; the save itself replaces the file
  // only once the new content is whole on disk.
  const std::string backup = ChangeExtension(path, ".bak");
  int64_t size = 0;
  if (FileExists(path, size) && !FileExists(backup, size)) CopyFile(path, backup);
  if (!store_.Save(path)) return false;
  modified_ = false;
  return true;
}

bool BordersDialogModel::SaveAs() {
  std::string path;
  if (!host_.ChooseFileToSave(folders_.scenario, path)) return false;
  std::string name;
  if (!ScenarioFolderSaveName(folders_, messages_, path, kExtension, name)) return false;
  const std::string remembered = record_.bordersFile();
  record_.setBordersFile(name);
  if (!SaveToCurrentFile()) {
    record_.setBordersFile(remembered);
    return false;
  }
  return true;
}

bool BordersDialogModel::Save() {
  changed_ = true;
  if (FilePart(record_.bordersFile()).empty()) return SaveAs();
  return SaveToCurrentFile();
}

bool BordersDialogModel::Apply() {
  if (modified_ && !Save()) return false;
  const bool boxChanged = showBorders_ != appliedShowBorders_;
  if (changed_ || boxChanged) {
    const bool compiled = store_.Compile(showBorders_);
    if ((compiled || boxChanged) && host_.TextShown()) host_.Reanalyse();
  }
  appliedShowBorders_ = showBorders_;
  changed_ = false;
  modified_ = false;
  return true;
}

bool BordersDialogModel::ConfirmLeaving() {
  if (!modified_) return true;
  if (!messages_.ask(messages_.message(kLeaveUnsavedQuestion))) return true;
  return Save();
}

bool BordersDialogModel::New() {
  if (host_.AnalysisRunning() || !ConfirmLeaving()) return false;
  record_.setBordersFile(std::string());
  store_.Clear();
  items_.clear();
  selected_ = -1;
  store_.Release();
  modified_ = false;
  changed_ = true;
  return Apply();
}

bool BordersDialogModel::Open() {
  if (host_.AnalysisRunning() || !ConfirmLeaving()) return false;
  std::string path;
  if (!host_.ChooseFileToOpen(folders_.scenario, path)) return false;
  // The settings keep the bare name and the analysis reads it from the
  // scenario folder: a file elsewhere would not be the one analysed.
  if (!CheckInScenarioFolder(folders_, messages_, path)) return false;
  const std::string remembered = record_.bordersFile();
  record_.setBordersFile(FilePart(path));
  store_.Clear();
  if (!store_.Load(CurrentPath())) {
    // The borders in use stay those of the current file.
    record_.setBordersFile(remembered);
    store_.Clear();
    if (!FilePart(remembered).empty()) store_.Load(CurrentPath());
    return false;
  }
  FillFromStore();
  modified_ = false;
  changed_ = true;
  return Apply();
}

void BordersDialogModel::Close() {
  if (modified_) Apply();
}

std::string BordersDialogModel::Caption() {
  std::string caption = messages_.message(kBordersTitle);
  const std::string name = FilePart(record_.bordersFile());
  if (!name.empty()) caption += " : " + name;
  return caption;
}

std::string BordersDialogModel::Explanation() {
  std::string text = messages_.message(kBordersTitle);
  text += "\n";
  for (int id = kFirstExplanation; id <= kLastExplanation; ++id) {
    text += messages_.message(id);
    text += "\n";
  }
  return text;
}

}  // namespace malvex
