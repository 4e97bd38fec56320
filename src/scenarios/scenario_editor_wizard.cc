// The scenario editor's operations behind the creation wizard.
#include <string>
#include <vector>

#include "foundations/messages.h"
#include "platform/files.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_hierarchy.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "scenarios/scenario_wizard.h"
#include "settings/folders.h"
#include "settings/settings_record.h"

namespace malvex {

namespace {

// A new scenario's signatures count from the start again and it has no
// file name yet: it is untitled until saved.
void StartNewScenario(ScenarioLayer* layer, ScenarioStore& store, SettingsRecord& record) {
  if (layer != nullptr) {
    layer->RestartSignatures(true);
  } else {
    store.signatures().counter = 0;
    store.signatures().renumbering = true;
  }
  record.setScenarioFile(std::string());
}

}  // namespace

bool ScenarioEditor::SaveBeforeReplacing() {
  if (!tree_.modified || !messages_.ask(messages_.message(450))) return true;
  return Save();
}

bool ScenarioEditor::NewEmptyScenario() {
  if (layer_ != nullptr) layer_->ResetAnomalyCount();
  if (!SaveBeforeReplacing()) {
    if (host_ != nullptr) host_->ScenarioChanged();
    return false;
  }
  selected_ = nullptr;
  cut_ = nullptr;
  searchPosition_ = 0;
  tree_.Clear();
  tree_.modified = false;
  StartNewScenario(layer_, store_, record_);
  // With no file name this empties the store and the layer.
  current_.LoadCurrentScenario();
  if (host_ != nullptr) host_->ScenarioChanged();
  return true;
}

bool ScenarioEditor::BuildFromText(const WizardCandidates& candidates, const WizardBuildOptions& options) {
  if (!SaveBeforeReplacing()) return false;
  // Nothing is touched before the text is known to hold classes of the
  // level: the scenario shown and its signatures stay as they were.
  if (options.level >= 1 && options.level <= 3 && !candidates.levelHasClasses) {
    messages_.errorBox(messages_.message(kWizardNoClassMessage));
    return false;
  }
  StartNewScenario(layer_, store_, record_);
  selected_ = nullptr;
  cut_ = nullptr;
  searchPosition_ = 0;
  FillWizardTree(tree_, candidates, options);
  SortAll();
  tree_.modified = true;
  store_.Reset();
  if (!WriteScenarioHierarchy(tree_, store_)) return false;
  if (layer_ != nullptr) layer_->Build(store_.signatures().renumbering);
  if (host_ != nullptr) host_->ScenarioChanged();
  tree_.modified = true;
  return true;
}

bool ScenarioEditor::MergeScenarios(const std::vector<std::string>& names) {
  if (!SaveBeforeReplacing()) return false;
  std::string merged;
  if (!MergeScenarioFiles(folders_.scenario, names, merged)) return false;
  // Every group line of the merged file receives a fresh signature while
  // it loads, so groups of different files never share one.
  store_.signatures().forcedRenumbering = true;
  record_.setScenarioFile(FilePart(merged));
  current_.LoadCurrentScenario();
  // The layer's build clears the flag; without a layer it goes here.
  store_.signatures().forcedRenumbering = false;
  record_.setScenarioFile(std::string());
  RebuildTree();
  DeleteFile(merged);
  if (host_ != nullptr) host_->ScenarioChanged();
  tree_.modified = true;
  return true;
}

}  // namespace malvex
