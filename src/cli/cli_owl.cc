#include "cli/cli_owl.h"

#include <filesystem>
#include <string>

#include "engine/engine.h"
#include "foundations/charset.h"
#include "scenarios/owl_import.h"
#include "settings/folders.h"
#include "settings/run_flags.h"
#include "settings/settings_record.h"

namespace malvex {
namespace {

std::string FromCaller(const std::string& folder, const std::string& name) {
  const std::filesystem::path p(name);
  if (p.is_absolute() || folder.empty()) return p.string();
  return (std::filesystem::path(folder) / p).lexically_normal().string();
}

}  // namespace

int ImportOwlCommand(Engine& engine, const CliOptions& o, const CliStreams& io) {
  OwlImportFiles files;
  files.owl = FromCaller(io.callerFolder, o.importOwl);
  files.scenario = o.owlOutput.empty() ? FreeScenarioPath(engine.folders().scenario, kOwlOutputName)
                                       : FromCaller(io.callerFolder, o.owlOutput);
  if (!o.owlLog.empty()) files.log = FromCaller(io.callerFolder, o.owlLog);
  files.logFallbackFolder = OwlLogFallbackFolder(engine.folders());
  OwlImportOptions options;
  options.discardOtherLanguages = !o.owlKeepOtherLanguages;
  options.ignoreRestrictions = !o.owlKeepRestrictions;
  options.unaccentedSetting = engine.record().unaccentedScenarioForms();
  options.languageCode = LanguageFor(engine.runFlags().languageCode()).stdCode;
  const OwlImportResult r = ImportOwlFile(files, options, engine.tables(), engine.messages());
  const char* log = r.logPath.empty() ? "(not written)" : r.logPath.c_str();
  switch (r.status) {
    case OwlImportStatus::kDone:
      std::fputs(ToUtf8(OwlCounterLines(r.counters)).c_str(), io.err);
      std::fprintf(io.err, "Scenario: %s\nLog: %s\n", files.scenario.c_str(), log);
      return kExitOk;
    case OwlImportStatus::kCannotOpen:
      std::fprintf(io.err, "malvex-cli: cannot open the OWL file %s\nLog: %s\n", o.importOwl.c_str(), log);
      return kExitUnreadableInput;
    case OwlImportStatus::kMalformed:
      std::fprintf(io.err, "malvex-cli: %s is not well-formed XML (%s)\nLog: %s\n", o.importOwl.c_str(),
                   r.where.c_str(), log);
      return kExitMalformedInput;
    case OwlImportStatus::kWriteFailed:
      std::fprintf(io.err, "malvex-cli: cannot write the Scenario %s\nLog: %s\n", files.scenario.c_str(), log);
      return kExitCannotWrite;
  }
  return kExitCannotWrite;
}

}  // namespace malvex
