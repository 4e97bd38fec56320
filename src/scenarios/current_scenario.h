// The current scenario: the file named in the settings record, which lives
// in the scenario folder, loaded into the ScenarioStore and turned into the
// Scenario layer of the semantic dictionary, and saved back from the
// editor's tree through a temporary file and a backup.
#pragma once

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

  // Writes `tree` into the store and saves it: the ".tmp" file is written
  // first, the ".scn" file then becomes the ".bak" file unless a backup
  // exists already (the first backup is kept), and the ".tmp" file replaces
  // the ".scn" file. Clears the tree's modified mark once the file is
  // written. False, with the ".scn" and ".bak" files untouched, when the
  // tree cannot be written into the store (message 1234 or 0) or the
  // temporary file cannot be written (message 5); false also when the
  // temporary file cannot take the scenario file's name.
  bool SaveScenarioFile(ScenarioTree& tree);

 private:
  ScenarioStore& store_;
  ScenarioLayer* const layer_;
  SettingsRecord& record_;
  const Folders& folders_;
  std::optional<std::string> commandLineName_;
};

}  // namespace malvex
