#include "app/owl_import_model.h"

#include <filesystem>
#include <system_error>

#include "engine/engine.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "scenarios/scenario_editor.h"
#include "settings/folders.h"
#include "settings/run_flags.h"
#include "settings/settings_record.h"

namespace malvex {

OwlImportModel::OwlImportModel(Engine& engine, std::string owlPath) : engine_(engine), owlPath_(std::move(owlPath)) {}

std::string OwlImportModel::FileName() const { return std::filesystem::path(owlPath_).filename().string(); }

int OwlImportModel::OptionMessage(OwlOption option) const {
  return kOwlFlexedFormsMessage + static_cast<int>(option);
}

bool OwlImportModel::option(OwlOption option) const { return options_[static_cast<int>(option)]; }

void OwlImportModel::setOption(OwlOption option, bool on) { options_[static_cast<int>(option)] = on; }

OwlImportOptions OwlImportModel::Options() const {
  OwlImportOptions o;
  o.flexedForms = option(OwlOption::kFlexedForms);
  o.convertUnicode = option(OwlOption::kConvertUnicode);
  o.discardOtherLanguages = option(OwlOption::kDiscardOtherLanguages);
  o.ignoreRestrictions = option(OwlOption::kIgnoreRestrictions);
  o.verboseLog = option(OwlOption::kVerboseLog);
  o.dumpInput = option(OwlOption::kDumpInput);
  o.unaccentedSetting = engine_.record().unaccentedScenarioForms();
  o.languageCode = LanguageFor(engine_.runFlags().languageCode()).stdCode;
  return o;
}

bool OwlImportModel::Run(const OwlStatusSink& status) {
  outputPath_.clear();
  Messages& messages = engine_.messages();
  const std::string& folder = engine_.folders().scenario;
  std::error_code ec;
  OwlImportFiles files;
  files.owl = owlPath_;
  files.scenario = (std::filesystem::path(folder) / kOwlOutputName).string();
  if (std::filesystem::exists(files.scenario, ec)) {
    // Each text is copied before the next is fetched: they share one buffer.
    std::string question = kOwlOutputName;
    question += messages.message(kOwlReplaceMessage);
    if (!messages.ask(question)) files.scenario = FreeScenarioPath(folder, kOwlOutputName);
  }
  files.logFallbackFolder = OwlLogFallbackFolder(engine_.folders());
  result_ = ImportOwlFile(files, Options(), engine_.tables(), messages, status);
  if (result_.status != OwlImportStatus::kDone) {
    std::string text = result_.statusText;
    if (!result_.where.empty()) text += " (" + result_.where + ")";
    if (!result_.logPath.empty()) {
      text += "\n";
      text += messages.message(kOwlLogMessage);
      text += FromUtf8(result_.logPath);
    }
    messages.errorBox(text);
    return false;
  }
  outputPath_ = files.scenario;
  return true;
}

bool OwlImportModel::LoadInto(ScenarioEditor& editor) {
  if (outputPath_.empty()) return false;
  return editor.OpenByName(std::filesystem::path(outputPath_).filename().string());
}

}  // namespace malvex
