#include "scenarios/current_scenario.h"

#include "platform/files.h"
#include "scenarios/scenario_hierarchy.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "scenarios/scenario_tree.h"
#include "settings/folders.h"
#include "settings/settings_record.h"

namespace malvex {

CurrentScenario::CurrentScenario(ScenarioStore& store, ScenarioLayer* layer, SettingsRecord& record,
                                 const Folders& folders)
    : store_(store), layer_(layer), record_(record), folders_(folders) {}

std::string CurrentScenario::Path() const {
  const std::string name = record_.scenarioFile();
  if (name.empty()) return std::string();
  return folders_.scenario + "/" + name;
}

bool CurrentScenario::LoadCurrentScenario() {
  if (commandLineName_) {
    const std::string name = *commandLineName_;
    record_.setScenarioFile(name.empty() ? name : ChangeExtension(name, kScenarioExtension));
    commandLineName_.reset();
  }
  store_.Reset();
  if (layer_ != nullptr) layer_->Clear();
  store_.setFileTime(0);
  const std::string path = Path();
  if (path.empty()) {
    // A scenario made from nothing is written in the format's code page.
    store_.setFileEncoding(TextFileEncoding::kCodePage);
    if (layer_ != nullptr) layer_->ResetLinks();
    return true;
  }
  ScenarioSignatures& signatures = store_.signatures();
  signatures.renumbering = false;
  signatures.counter = 0;
  if (!store_.Load(path)) {
    // No links of the previous Scenario may outlive it.
    if (layer_ != nullptr) layer_->ResetLinks();
    return false;
  }
  if (layer_ != nullptr) layer_->Build(signatures.renumbering);
  return true;
}

bool CurrentScenario::SaveScenarioFile(ScenarioTree& tree) {
  const std::string path = Path();
  if (path.empty()) return false;
  const std::string scenario = ChangeExtension(path, kScenarioExtension);
  const std::string temporary = ChangeExtension(path, kScenarioTemporaryExtension);
  const std::string backup = ChangeExtension(path, kScenarioBackupExtension);

  if (!WriteScenarioHierarchy(tree, store_)) return false;
  if (!store_.Save(temporary)) return false;
  tree.modified = false;
  // The first backup is never replaced.
  int64_t size = 0;
  if (!FileExists(backup, size)) RenameFile(scenario, backup);
  // Renaming over the scenario file replaces it in one step.
  return RenameFile(temporary, scenario);
}

}  // namespace malvex
