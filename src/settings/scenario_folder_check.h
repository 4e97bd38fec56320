// Files the user keeps with the scenarios (scenarios, ontologies, borders)
// must lie in the scenario folder: the settings name them by their bare
// name and every reader looks for them there. The file dialogs may still
// wander elsewhere; these checks tell the user so and decide what the
// chosen file becomes.
#pragma once

#include <string>
#include <string_view>

namespace malvex {

class Messages;
struct Folders;

// Asked before a save puts a file into the scenario folder in place of one
// of the same name the user did not choose there (the name goes before it).
inline constexpr int kReplaceInScenarioFolderMessage = 2044;

// Whether the folder of `path` is the scenario folder (without regard to
// case, trailing separators ignored).
bool InScenarioFolder(const Folders& folders, const std::string& path);

// The text of the error box for a file outside the scenario folder:
// message 1221, the folder in double quotes, a blank, message 1222.
std::string ScenarioFolderMessage(Messages& messages, const Folders& folders);

// The check of the open dialogs: true when `path` lies in the scenario
// folder; otherwise shows ScenarioFolderMessage and returns false.
bool CheckInScenarioFolder(const Folders& folders, Messages& messages, const std::string& path);

// The check of the save dialogs. The file is saved in the scenario folder
// under the name part of `path` with `extension` (which `name` receives).
// A path outside the folder shows ScenarioFolderMessage; a file of that
// name already in the scenario folder is then replaced only when the user
// agrees (message 2044). False when the name is empty or the user refused.
bool ScenarioFolderSaveName(const Folders& folders, Messages& messages, const std::string& path,
                            std::string_view extension, std::string& name);

}  // namespace malvex
