#include "app/terminology_window_model.h"

#include <algorithm>

#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/charset.h"
#include "scenarios/scenario_editor.h"
#include "views/result_list.h"

namespace malvex {

namespace {

constexpr int kWaitMessage = 71;
constexpr int kCopiedMessage = 1067;

}  // namespace

TerminologyWindowModel::TerminologyWindowModel(Engine& engine, TerminologyHost& host)
    : engine_(engine), host_(host) {
  const SettingsRecord& record = engine_.record();
  const bool compounds = record.terminologyShowCompounds();
  const bool nonClassified = record.terminologyShowNonClassified();
  show_ = compounds == nonClassified ? Show::kAll : compounds ? Show::kCompounds : Show::kNonClassified;
  filter_ = record.terminologyFilter();
  localizeText_ = record.terminologyLocalize();
  searchScenario_ = record.scenarioReposition();
  subclassify_ = !record.scenarioNoSubclassify();
}

std::string TerminologyWindowModel::Title() const {
  return engine_.messages().message(kTerminologyTitleMessage) + " (Malvex)";
}

void TerminologyWindowModel::setLocalizeText(bool on) {
  localizeText_ = on;
  ForgetLastClick();
}

void TerminologyWindowModel::setSearchScenario(bool on) {
  searchScenario_ = on;
  ForgetLastClick();
}

void TerminologyWindowModel::Run() {
  ForgetLastClick();
  status_ = engine_.messages().message(kWaitMessage);
  SettingsRecord& record = engine_.record();
  TerminologyOptions options;
  options.filter = filter_;
  options.showCompounds = show_ != Show::kNonClassified;
  options.showNonClassified = show_ != Show::kCompounds;
  record.setTerminologyFilter(options.filter);
  record.setTerminologyShowCompounds(options.showCompounds);
  record.setTerminologyShowNonClassified(options.showNonClassified);
  lines_.clear();
  for (const TermLine& line : ExtractTerminology(&engine_.messages(), engine_.stream(), engine_.semanticDictionary(),
                                                 engine_.tables(), options, ResultList::kDefaultCapacity))
    lines_.push_back(TermLineText(line));
  status_ = engine_.messages().message(lines_.size() > 3 ? kTermsToAddMessage : kSmallSampleMessage);
  std::stable_sort(lines_.begin(), lines_.end(),
                   [](const std::string& a, const std::string& b) { return AlphabeticalLess(a, b); });
}

void TerminologyWindowModel::Click(size_t row) {
  if (row >= lines_.size()) return;
  const std::string& line = lines_[row];
  const TermLineFields fields = SplitTermLine(line);
  const std::string normalised = NormalizeTerm(engine_.tables(), fields.head);
  status_ = fields.second;
  const bool sameLine = row == lastClicked_ && line == lastLine_;
  if (localizeText_ && !normalised.empty()) host_.LocateInText(normalised, sameLine);
  if (!sameLine && searchScenario_) {
    if (ScenarioEditor* editor = host_.OpenEditor()) LocateInScenario(*editor, fields, normalised);
  }
  lastClicked_ = row;
  lastLine_ = line;
}

void TerminologyWindowModel::LocateInScenario(ScenarioEditor& editor, const TermLineFields& fields,
                                              const std::string& normalised) {
  host_.SetEditorSearchText(fields.head);
  if (normalised.empty()) return;
  SemanticDictionary& dictionary = engine_.semanticDictionary();
  const int32_t group = dictionary.scenarioGroups().WordGroup(normalised.c_str());
  if (group != 0) {
    editor.SelectByLabel(dictionary.ClassName(kScenarioLevel, group), true);
  } else if (editor.SelectByLabel(normalised, true) == nullptr &&
             (fields.head == normalised || editor.SelectByLabel(fields.head, true) == nullptr)) {
    size_t position = 0;
    if (ScenarioNode* node = editor.SearchByPrefix(normalised, position, false)) editor.Select(node);
  }
  host_.EditorChanged();
}

bool TerminologyWindowModel::InsertLine(ScenarioEditor& editor, const std::string& item, bool add) {
  if (!add) {
    ScenarioNode* place = editor.selected();
    if (place != nullptr && !place->IsGroup()) {
      place = place->parent;
      editor.Select(place);
    }
    if (place == nullptr) add = true;
  }
  if (add) return editor.AddAsNewGroup(item, '?');
  ScenarioNode* const group = editor.selected();
  if (!editor.InsertInGroup(item, '?', subclassify_)) return false;
  // The next line goes into the same group, not into the sub-group made
  // for this one.
  editor.Select(group);
  return true;
}

size_t TerminologyWindowModel::Insert(std::vector<size_t> rows) { return Insert(std::move(rows), addMode_); }

size_t TerminologyWindowModel::Insert(std::vector<size_t> rows, bool add) {
  ScenarioEditor* editor = host_.OpenEditor();
  if (editor == nullptr) {
    host_.ShowEditor();
    return 0;
  }
  engine_.record().setScenarioNoSubclassify(!subclassify_);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  host_.EditorUpdating(true);
  std::vector<size_t> inserted;
  for (size_t row : rows) {
    if (row >= lines_.size()) continue;
    const TermLineFields fields = SplitTermLine(lines_[row]);
    if (!InsertLine(*editor, fields.second, add)) break;
    inserted.push_back(row);
  }
  if (!inserted.empty()) {
    // Only the lines that went into the scenario leave the list: after a
    // failure the others are still to be inserted.
    for (auto it = inserted.rbegin(); it != inserted.rend(); ++it)
      lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(*it));
    editor->SortAll();
    ForgetLastClick();
  }
  host_.EditorUpdating(false);
  host_.EditorChanged();
  return inserted.size();
}

std::string TerminologyWindowModel::CopyText() {
  std::string text;
  for (const std::string& line : lines_) {
    text += line;
    text += '\n';
  }
  status_ = engine_.messages().message(kCopiedMessage);
  return text;
}

void TerminologyWindowModel::StoreSettings() {
  SettingsRecord& record = engine_.record();
  record.setTerminologyLocalize(localizeText_);
  record.setScenarioReposition(searchScenario_);
  record.setScenarioNoSubclassify(!subclassify_);
}

}  // namespace malvex
