#include "scenarios/current_scenario.h"

#include <fcntl.h>
#include <unistd.h>

#include "foundations/messages.h"
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

namespace {

bool WriteAllBytes(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n <= 0) return false;
    data += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

// Syncs the folder of `path`, so that a rename in it is on disk.
void SyncFolderOf(const std::string& path) {
  std::string folder = path;
  if (!StripLastComponent(folder)) folder = ".";
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool CurrentScenario::SaveScenarioFile(ScenarioTree& tree) {
  const std::string path = Path();
  if (path.empty()) return false;
  const std::string scenario = ChangeExtension(path, kScenarioExtension);
  const std::string temporary = ChangeExtension(path, kScenarioTemporaryExtension);
  const std::string backup = ChangeExtension(path, kScenarioBackupExtension);
  Messages& messages = store_.messages();
  // Shows message 5 naming the file that could not be written.
  auto fail = [&](const std::string& file, bool removeTemporary) {
    if (removeTemporary) DeleteFile(temporary);
    messages.errorBox(messages.message(5) + " \"" + file + "\"");
    return false;
  };

  if (!WriteScenarioHierarchy(tree, store_)) return false;
  Step(ScenarioSaveStep::kStart);
  const std::string bytes = store_.Serialise();
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return fail(temporary, false);
  const size_t half = bytes.size() / 2;
  bool written = WriteAllBytes(fd, bytes.data(), half);
  Step(ScenarioSaveStep::kTemporaryPartWritten);
  written = written && WriteAllBytes(fd, bytes.data() + half, bytes.size() - half) && ::fsync(fd) == 0;
  if (::close(fd) != 0) written = false;
  if (!written) return fail(temporary, true);
  Step(ScenarioSaveStep::kTemporaryWritten);

  // The first backup is never replaced. It is a copy, not a rename, so that
  // the ".scn" file exists at every moment.
  int64_t size = 0;
  if (!FileExists(backup, size) && FileExists(scenario, size)) {
    std::string old;
    if (!ReadWholeFile(scenario, old) || !WriteFileAtomically(backup, old)) return fail(backup, true);
    Step(ScenarioSaveStep::kBackupWritten);
  }
  if (!RenameFile(temporary, scenario)) return fail(scenario, true);
  Step(ScenarioSaveStep::kRenamed);
  SyncFolderOf(scenario);
  tree.modified = false;
  int64_t time = 0;
  store_.setFileTime(FileModificationTime(scenario, time) ? time : 0);
  Step(ScenarioSaveStep::kDone);
  return true;
}

}  // namespace malvex
