// The current scenario: the file named in the settings record, which lives
// in the scenario folder, loaded into the ScenarioStore and turned into the
// Scenario layer of the semantic dictionary, and saved back from the
// editor's tree through a temporary file and a backup.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace malvex {

class ScenarioLayer;
class ScenarioStore;
class ScenarioTree;
class SettingsRecord;
struct Folders;

inline constexpr char kScenarioExtension[] = ".scn";
inline constexpr char kScenarioBackupExtension[] = ".bak";
inline constexpr char kScenarioTemporaryExtension[] = ".tmp";

// The steps of a scenario save, in order, as the save hook sees them.
enum class ScenarioSaveStep : int {
  kStart = 0,               // nothing written yet
  kTemporaryPartWritten,    // half of the ".tmp" file written, not synced
  kTemporaryWritten,        // ".tmp" complete and synced to disk
  kBackupWritten,           // first ".bak" complete and synced (skipped when one exists)
  kRenamed,                 // ".tmp" renamed over ".scn"
  kDone,                    // folder synced
};
inline constexpr int kScenarioSaveStepCount = 6;

class CurrentScenario {
 public:
  // `layer` may be null (no Scenario layer is built then). All must outlive
  // this object; the scenario folder and the file name are read at each
  // call.
  CurrentScenario(ScenarioStore& store, ScenarioLayer* layer, SettingsRecord& record, const Folders& folders);
  CurrentScenario(const CurrentScenario&) = delete;
  CurrentScenario& operator=(const CurrentScenario&) = delete;

  // A scenario named on the command line; the next LoadCurrentScenario makes
  // it the current file name (extension ".scn" unless empty), once.
  void SetCommandLineScenario(std::string name) { commandLineName_ = std::move(name); }

  // The current scenario file: the scenario folder, '/', the file name; ""
  // when no scenario is current.
  std::string Path() const;

  // Empties the store and the layer, then loads the current scenario file
  // and builds the layer from it. No current file name: true, nothing
  // loaded. A file that cannot be read: false (message 4 shown), no
  // Scenario.
  bool LoadCurrentScenario();

  // Writes `tree` into the store and saves it so that a crash at any point
  // leaves a whole scenario on disk: the ".tmp" file is written and synced;
  // when there is no ".bak" yet, the ".scn" file is copied to a synced
  // ".bak" (the first backup is kept; the ".scn" stays in place meanwhile);
  // the ".tmp" file is then renamed over the ".scn" file in one step and the
  // folder synced. Clears the tree's modified mark once the ".scn" file holds
  // the new scenario. False, with the ".scn" and ".bak" files untouched,
  // when the tree cannot be written into the store (message 1234 or 0) or the
  // temporary file cannot be written (message 5); false (message 5) also when
  // the backup or the rename fails.
  bool SaveScenarioFile(ScenarioTree& tree);

  // Called at each step of a save (tests stop the process there to check
  // that the files on disk always hold a whole scenario).
  void SetSaveHook(std::function<void(ScenarioSaveStep)> hook) { saveHook_ = std::move(hook); }

 private:
  ScenarioStore& store_;
  ScenarioLayer* const layer_;
  SettingsRecord& record_;
  const Folders& folders_;
  std::optional<std::string> commandLineName_;
  std::function<void(ScenarioSaveStep)> saveHook_;

  void Step(ScenarioSaveStep step) {
    if (saveHook_) saveHook_(step);
  }
};

}  // namespace malvex
