// The configuration of the application: the settings record loaded from and
// saved to the settings file, the read-only parameters, the folders, the
// per-user set-up recorded in the user registry, the default ontology check
// and the copy of the parameter files into the user's folders.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "settings/folders.h"
#include "settings/parameters.h"
#include "settings/run_flags.h"
#include "settings/settings_record.h"

namespace malvex {

class Messages;
class SetupWizardModel;

// Shows the set-up wizard driving `model` and returns when it is closed
// (finished or not).
using SetupWizardRunner = std::function<void(SetupWizardModel& model)>;

// Where the configuration lives. Every location can be replaced by the
// caller; tests pass temporary folders.
struct SettingsPlaces {
  Folders folders;
  // The user registry file.
  std::string registryPath;
  // The base folder the set-up wizard proposes for the user folder.
  std::string proposedUserBase;
};

// The places of the running program: folders derived from the program's
// folder, the registry under the XDG configuration folder, the user folder
// proposed under the XDG data folder.
SettingsPlaces DefaultSettingsPlaces(const LanguageInfo& language);

// Semantic-dictionary entry count + noun-index entry count + 26.
uint32_t DictionaryFingerprint(uint32_t semanticEntries, uint32_t nounIndexEntries);

class Settings {
 public:
  // `messages` must outlive the object.
  Settings(Messages& messages, SettingsPlaces places,
           const LanguageInfo& language = LanguageFor(kEditionLanguage));

  Settings(const Settings&) = delete;
  Settings& operator=(const Settings&) = delete;

  SettingsRecord& record() { return record_; }
  const SettingsRecord& record() const { return record_; }
  RunFlags& runFlags() { return runFlags_; }
  const Parameters& parameters() const { return parameters_; }
  // The user registry file these settings read and write.
  const std::string& registryPath() const { return registryPath_; }
  Folders& folders() { return folders_; }
  const Folders& folders() const { return folders_; }
  const LanguageInfo& language() const { return language_; }
  bool multiUser() const { return multiUser_; }
  // The example-texts choice of the last set-up wizard.
  bool copyExampleTexts() const { return copyExampleTexts_; }

  // The file mask of the open dialog, kept while the program runs and
  // stored in the settings file at exit.
  const std::string& openDialogMask() const { return openDialogMask_; }
  void setOpenDialogMask(std::string mask) { openDialogMask_ = std::move(mask); }

  // The front end's set-up wizard. Without one, or when the wizard is
  // closed without finishing, no choice is recorded: an installation with
  // no user folder in the registry runs single-user and asks again next time.
  void setWizardRunner(SetupWizardRunner runner) { wizard_ = std::move(runner); }

  // Reads the parameter and identification files.
  void ReadParameters();
  // The user-folder set-up (multi-user installations): reads or records the
  // user folder in the registry (showing the wizard when none is recorded
  // or when `forced`), moves the scenario, borders, text folders and the
  // settings file into the user folder in multi-user mode, and brings
  // "ProgramsPath" up to date.
  void SetupUserFolder(bool forced);

  // Reads the parameters, runs the user-folder set-up when the installation
  // asks for it, then loads the settings file. A missing, short or damaged
  // file gives the defaults (false, no message). Otherwise restores the
  // current folder, sets the ontology check when `dictionaryFingerprint`
  // differs from the stored one, and checks the default ontology (true).
  bool LoadSettings(uint32_t dictionaryFingerprint);
  // Stores the current folder and the open-dialog mask, then writes the
  // settings file, when the run flags, "ProgsReadOnly" and "SauverOptions"
  // allow it. The file is replaced atomically: on any failure the previous
  // settings file stays as it was. True when written.
  bool SaveSettings();
  // The defaults of every field; the open-dialog mask becomes "*.*".
  void ResetSettings();

  // Asks to reinstall a missing default ontology, or (once the check flag
  // is set) to update a user copy older than the installed one.
  void CheckDefaultOntology();
  // Copies the installed parameter files into the user's scenario folder
  // ("*.scn" and "*.dlm" moving an existing target aside to ".old"; "*.css",
  // "*.jpg", "*.htm" overwritten), asking message 831 after a failed group
  // (No stops); then creates the text folder, makes it current and copies
  // the example texts when the wizard asked for them. Nothing is copied
  // when the two folders are the same. True when every copy succeeded.
  bool CopyParameterFiles();
  // True when the file `path` lies in the scenario folder (compared without
  // regard to case); otherwise shows messages 1221 and 1222 naming the
  // folder and returns false.
  bool CheckInScenarioFolder(const std::string& path);

 private:
  bool CopyGroup(const std::string& mask, bool moveAside);
  void MakeFolderCurrent(const std::string& saved);

  Messages& messages_;
  const LanguageInfo& language_;
  Folders folders_;
  const std::string registryPath_;
  const std::string proposedUserBase_;

  SettingsRecord record_;
  RunFlags runFlags_;
  Parameters parameters_;
  bool multiUser_ = false;
  bool copyExampleTexts_ = false;
  std::string openDialogMask_ = "*.*";
  SetupWizardRunner wizard_;
};

}  // namespace malvex
