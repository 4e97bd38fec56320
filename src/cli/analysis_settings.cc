#include "cli/analysis_settings.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/settings_record.h"
#include "reading/engine.h"

namespace malvex {

bool CheckInputFiles(const std::vector<std::string>& files, std::FILE* err) {
  bool all = true;
  for (const std::string& f : files) {
    std::error_code ec;
    std::string reason;
    if (std::filesystem::is_directory(f, ec)) {
      reason = "it is a folder";
    } else if (std::FILE* in = std::fopen(f.c_str(), "rb")) {
      std::fclose(in);
      continue;
    } else {
      reason = std::strerror(errno);
    }
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
  (void)err;
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
  if (scenarioChanged_) r.setScenarioFile(scenarioFile_);
  applied_ = false;
}

}  // namespace malvex
