#include "settings/settings.h"

#include "foundations/messages.h"
#include "platform/files.h"
#include "platform/parameter_file.h"
#include "platform/registry.h"
#include "settings/setup_wizard.h"

namespace malvex {
namespace {

// The file-name stem of `path` with `extension` in place of its own.
std::string WithExtension(const std::string& path, const char* extension) {
  return path.substr(0, ExtensionPos(path)) + extension;
}

bool PathExists(const std::string& path) {
  int64_t size = 0;
  return FileExists(path, size) || FolderExists(path);
}

}  // namespace

SettingsPlaces DefaultSettingsPlaces(const LanguageInfo& language) {
  SettingsPlaces places;
  places.folders = DeriveFolders(ProgramFolder(), language);
  places.registryPath = Registry::DefaultPath();
  places.proposedUserBase = XdgDataHome();
  return places;
}

uint32_t DictionaryFingerprint(uint32_t semanticEntries, uint32_t nounIndexEntries) {
  return semanticEntries + nounIndexEntries + 26;
}

Settings::Settings(Messages& messages, SettingsPlaces places, const LanguageInfo& language)
    : messages_(messages),
      language_(language),
      folders_(std::move(places.folders)),
      registryPath_(std::move(places.registryPath)),
      proposedUserBase_(std::move(places.proposedUserBase)) {
  runFlags_.setLanguageCode(language.code);
}

void Settings::ReadParameters() {
  parameters_ = LoadParameters(folders_.parameterPath, folders_.identificationPath);
}

void Settings::SetupUserFolder(bool forced) {
  Registry registry(registryPath_);
  registry.Load();
  bool changed = false;
  const std::string key = OntologiesRegistryKey(language_.dictCode);
  std::string userPath;
  const bool known = registry.Get(key, "UserPath", userPath);
  if (known) multiUser_ = registry.GetString(key, "MultiUser") == "1";

  if ((!known || forced) && wizard_) {
    SetupWizardModel model(messages_, language_, proposedUserBase_);
    wizard_(model);
    // A wizard closed without finishing records nothing: the choice is
    // asked again instead of silently switching the user's mode.
    if (model.finished()) {
      multiUser_ = model.multiUser();
      copyExampleTexts_ = model.copyExampleTexts();
      if (multiUser_) {
        userPath = model.userFolder();
      } else {
        userPath = folders_.settingsPath;
        if (!StripLastComponent(userPath)) userPath = folders_.program;
      }
      registry.Set(key, "MultiUser", multiUser_ ? "1" : "0");
      registry.Set(key, "UserPath", userPath);
      changed = true;
    }
  }

  if (multiUser_ && !userPath.empty()) {
    folders_.user = userPath;
    MakeFolders(userPath);
    folders_.scenario = userPath + "/Scenario";
    folders_.borders = folders_.scenario;
    folders_.text = userPath + "/Text";
    folders_.settingsPath = userPath + "/" + FilePart(folders_.settingsPath);
    if (!FolderExists(folders_.scenario)) {
      MakeFolders(folders_.scenario);
      CopyParameterFiles();
    }
  }

  const std::string programKey = ProgramRegistryKey(language_.dictCode);
  if (registry.GetString(programKey, "ProgramsPath") != folders_.program) {
    registry.Set(programKey, "ProgramsPath", folders_.program);
    changed = true;
  }
  if (changed) registry.Save();
}

bool Settings::LoadSettings(uint32_t dictionaryFingerprint) {
  ReadParameters();
  if (parameters_.multiUserSetup) SetupUserFolder(false);

  std::string bytes;
  bool readable = ReadWholeFile(folders_.settingsPath, bytes);
  if (readable && bytes.size() > SettingsRecord::kSize) bytes.resize(SettingsRecord::kSize);
  if (!readable || !record_.AssignImage(bytes)) {
    openDialogMask_ = "*.*";
    SetCurrentFolder(folders_.text);
    record_.Reset();
    return false;
  }

  record_.setU8(SettingsRecord::kOpenDialogMaskAt + SettingsRecord::kTextField - 1, 0);
  record_.setU8(SettingsRecord::kSavedCurrentFolderAt + SettingsRecord::kTextField - 1, 0);
  openDialogMask_ = record_.openDialogMask();
  const int level = record_.relationLevel();
  if (level < 1 || level > 4) record_.setRelationLevel(1);
  const int choice = record_.boundedChoice();
  if (choice < 2 || choice > 5) record_.setBoundedChoice(4);
  MakeFolderCurrent(record_.savedCurrentFolder());

  if (record_.dictionaryFingerprint() != dictionaryFingerprint) record_.setCheckDefaultOntology(true);
  CheckDefaultOntology();
  return true;
}

void Settings::MakeFolderCurrent(const std::string& saved) {
  if (!saved.empty() && SetCurrentFolder(saved)) return;
  SetCurrentFolder(folders_.text);
}

bool Settings::SaveSettings() {
  if (!runFlags_.settingsMayBeSaved() || parameters_.programsReadOnly || !parameters_.saveOptions) {
    return false;
  }
  // A current folder too long for its field would come back cut, naming
  // another folder; none is stored then and the text folder is used.
  const std::string current = CurrentFolder();
  record_.setSavedCurrentFolder(current.size() < SettingsRecord::kTextField ? current : std::string());
  record_.setOpenDialogMask(openDialogMask_);
  record_.setU32(SettingsRecord::kVersionAt, SettingsRecord::kVersion);
  record_.setU32(SettingsRecord::kTrailerAt, SettingsRecord::kTrailer);

  std::string folder = folders_.settingsPath;
  if (StripLastComponent(folder)) MakeFolders(folder);
  // Written beside the old file and renamed over it: a full disk or an I/O
  // error leaves the previous settings in place instead of none.
  return WriteFileAtomically(folders_.settingsPath, record_.image());
}

void Settings::ResetSettings() {
  record_.Reset();
  openDialogMask_ = "*.*";
}

void Settings::CheckDefaultOntology() {
  const std::string user = folders_.scenario + "/" + kDefaultOntologyFile;
  int64_t size = 0;
  if (!FileExists(user, size)) {
    std::string question = messages_.message(1365);
    question += ' ';
    question += messages_.message(1367);
    if (messages_.ask(question)) CopyParameterFiles();
    return;
  }
  if (!record_.checkDefaultOntology()) return;
  const std::string installed = folders_.installedParameters + "/" + kDefaultOntologyFile;
  int64_t installedTime = 0;
  int64_t userTime = 0;
  if (!FileModificationTime(installed, installedTime) || !FileModificationTime(user, userTime)) return;
  if (installedTime <= userTime) return;
  std::string question = messages_.message(1366);
  question += ' ';
  question += messages_.message(1368);
  const bool yes = messages_.askDontShow(question);
  record_.setCheckDefaultOntology(!messages_.dontShowAgain());
  if (yes) CopyParameterFiles();
}

bool Settings::CopyGroup(const std::string& mask, bool moveAside) {
  bool ok = true;
  for (const std::string& name : ListFiles(folders_.installedParameters, mask)) {
    const std::string source = folders_.installedParameters + "/" + name;
    const std::string target = folders_.scenario + "/" + name;
    if (moveAside && PathExists(target)) {
      const std::string old = WithExtension(target, ".old");
      DeleteFile(old);
      // The user's file is never overwritten unless it could be kept.
      if (!RenameFile(target, old)) {
        ok = false;
        continue;
      }
    }
    if (!CopyFile(source, target)) ok = false;
  }
  return ok;
}

bool Settings::CopyParameterFiles() {
  struct Group {
    const char* mask;
    bool moveAside;
  };
  static constexpr Group kGroups[] = {
      {"*.scn", true}, {"*.dlm", true}, {"*.css", false}, {"*.jpg", false}, {"*.htm", false},
  };
  bool ok = true;
  // With one folder for both (single-user use) there is nothing to copy,
  // and moving the targets aside would move the sources away.
  if (!SameFolder(folders_.installedParameters, folders_.scenario)) {
    MakeFolders(folders_.scenario);
    for (const Group& group : kGroups) {
      if (CopyGroup(group.mask, group.moveAside)) continue;
      ok = false;
      std::string question = messages_.message(831);
      if (!messages_.ask(question)) return false;
    }
  }

  MakeFolders(folders_.text);
  SetCurrentFolder(folders_.text);
  const std::string examples = folders_.install + "/Text";
  if (copyExampleTexts_ && !SameFolder(examples, folders_.text)) {
    for (const std::string& name : ListFiles(examples, "*")) {
      CopyFile(examples + "/" + name, folders_.text + "/" + name);
    }
  }
  return ok;
}

bool Settings::CheckInScenarioFolder(const std::string& path) {
  std::string folder = path;
  if (!StripLastComponent(folder)) folder = (!path.empty() && (path[0] == '/' || path[0] == '\\')) ? "/" : "";
  if (!folder.empty() && SameFolder(folder, folders_.scenario)) return true;
  std::string text = messages_.message(1221);
  text += '"';
  text += folders_.scenario;
  text += "\" ";
  text += messages_.message(1222);
  messages_.errorBox(text);
  return false;
}

}  // namespace malvex
