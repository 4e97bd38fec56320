#include "settings/scenario_folder_check.h"

#include <cstdint>

#include "foundations/messages.h"
#include "platform/files.h"
#include "settings/folders.h"

namespace malvex {
namespace {

std::string FolderOf(const std::string& path) {
  std::string folder = path;
  if (!StripLastComponent(folder)) return std::string(".");
  return folder;
}

}  // namespace

bool InScenarioFolder(const Folders& folders, const std::string& path) {
  return SameFolder(FolderOf(path), folders.scenario);
}

std::string ScenarioFolderMessage(Messages& messages, const Folders& folders) {
  // Each text is copied before the next is fetched: they share one buffer.
  std::string text = messages.message(1221);
  text += "\"" + folders.scenario + "\" ";
  text += messages.message(1222);
  return text;
}

bool CheckInScenarioFolder(const Folders& folders, Messages& messages, const std::string& path) {
  if (InScenarioFolder(folders, path)) return true;
  messages.errorBox(ScenarioFolderMessage(messages, folders));
  return false;
}

bool ScenarioFolderSaveName(const Folders& folders, Messages& messages, const std::string& path,
                            std::string_view extension, std::string& name) {
  name = FilePart(ChangeExtension(path, extension));
  if (name.empty() || name == extension) return false;
  if (InScenarioFolder(folders, path)) return true;
  messages.errorBox(ScenarioFolderMessage(messages, folders));
  int64_t size = 0;
  if (FileExists(folders.scenario + "/" + name, size) &&
      !messages.ask(name + messages.message(kReplaceInScenarioFolderMessage))) {
    return false;
  }
  return true;
}

}  // namespace malvex
