#include "cli/analysis_settings.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "engine/engine.h"
#include "platform/files.h"
#include "scenarios/current_scenario.h"
#include "settings/folders.h"
#include "settings/settings_record.h"

namespace malvex {

std::string UnreadableReason(const std::string& file) {
  int64_t size = 0;
  int error = 0;
  const int fd = OpenRegularFile(file, size, error);
  if (fd >= 0) {
    ::close(fd);
    return std::string();
  }
  if (error == EISDIR) return "it is a folder";
  if (error == EINVAL) return "it is not a regular file (a pipe or a device)";
  return std::strerror(error);
}

bool CheckInputFiles(const std::vector<std::string>& files, std::FILE* err) {
  bool all = true;
  for (const std::string& f : files) {
    const std::string reason = UnreadableReason(f);
    if (reason.empty()) continue;
    std::fprintf(err, "malvex-cli: cannot read %s: %s\n", f.c_str(), reason.c_str());
    all = false;
  }
  return all;
}

RunSettings::RunSettings(Engine& engine) : engine_(engine) {}

bool RunSettings::Apply(const CliOptions& o, std::FILE* err) {
  SettingsRecord& r = engine_.record();
  relationLevel_ = r.relationLevel();
  thresholdByWords_ = r.classThresholdByWords();
  classMinWords_ = r.classMinWords();
  classPertinence_ = r.classPertinence();
  parts_ = r.remarkablePropositions();
  numbers_ = r.numbersAsSubstantives();
  scenarioOnAll_ = r.scenarioOnAllCategories();
  scenarioFile_ = r.scenarioFile();
  options_ = o;
  applied_ = true;

  if (o.relationLevel) r.setRelationLevel(*o.relationLevel);
  if (o.thresholdByWords && o.thresholdValue) {
    r.setClassThresholdByWords(*o.thresholdByWords);
    if (*o.thresholdByWords)
      r.setClassMinWords(*o.thresholdValue);
    else
      r.setClassPertinence(*o.thresholdValue);
  }
  if (o.partsQuantity) r.setRemarkablePropositions(*o.partsQuantity);
  if (o.numbersAsSubstantives) r.setNumbersAsSubstantives(*o.numbersAsSubstantives);
  if (o.scenarioOnAllCategories) r.setScenarioOnAllCategories(*o.scenarioOnAllCategories);
  if (o.scenario) return UseScenario(*o.scenario, err);
  return true;
}

bool RunSettings::UseScenario(const std::string& given, std::FILE* err) {
  // A name without a folder that is no file here is a name in the
  // Scenario folder; any other file becomes, for the run, the current
  // scenario of a Scenario folder that is its own folder.
  std::error_code ec;
  Folders& folders = engine_.folders();
  std::filesystem::path file = std::filesystem::path(folders.scenario) / given;
  if (given.find('/') != std::string::npos || std::filesystem::exists(given, ec))
    file = std::filesystem::absolute(given, ec);
  if (!std::filesystem::is_regular_file(file, ec)) {
    std::fprintf(err, "malvex-cli: cannot read the Scenario %s\n", given.c_str());
    return false;
  }
  const std::string name = file.filename().string();
  if (name.size() >= SettingsRecord::kTextField) {
    std::fprintf(err, "malvex-cli: the Scenario's name is too long: %s\n", given.c_str());
    return false;
  }
  scenarioFolder_ = folders.scenario;
  folders.scenario = file.parent_path().string();
  engine_.record().setScenarioFile(name);
  scenarioChanged_ = true;
  if (!engine_.currentScenario().LoadCurrentScenario()) {
    std::fprintf(err, "malvex-cli: the Scenario %s cannot be loaded\n", given.c_str());
    return false;
  }
  return true;
}

void RunSettings::Restore() {
  if (!applied_) return;
  SettingsRecord& r = engine_.record();
  const CliOptions& o = options_;
  if (o.relationLevel) r.setRelationLevel(relationLevel_);
  if (o.thresholdByWords && o.thresholdValue) {
    r.setClassThresholdByWords(thresholdByWords_);
    r.setClassMinWords(classMinWords_);
    r.setClassPertinence(classPertinence_);
  }
  if (o.partsQuantity) r.setRemarkablePropositions(parts_);
  if (o.numbersAsSubstantives) r.setNumbersAsSubstantives(numbers_);
  if (o.scenarioOnAllCategories) r.setScenarioOnAllCategories(scenarioOnAll_);
  if (scenarioChanged_) {
    r.setScenarioFile(scenarioFile_);
    engine_.folders().scenario = scenarioFolder_;
    scenarioChanged_ = false;
  }
  applied_ = false;
}

}  // namespace malvex
