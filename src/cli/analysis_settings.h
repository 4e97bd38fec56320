// What malvex-cli does around an analysis: it checks that the files can be
// read, and sets the analysis options of the command line in the engine's
// settings for the run only, putting the stored values back afterwards so
// that the settings file keeps them.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace malvex {

class Engine;

// Why `file` cannot be read ("it is a folder", the system's reason); empty
// when it can.
std::string UnreadableReason(const std::string& file);

// Writes "malvex-cli: cannot read FILE: reason" on `err` for each of
// `files` that is missing, a folder or unreadable; true when every file can
// be read.
bool CheckInputFiles(const std::vector<std::string>& files, std::FILE* err);

// The catalogue message shown when a result list is full.
inline constexpr int kOverflowMessageId = 322;

class RunSettings {
 public:
  // `engine` must be started and outlive this object.
  explicit RunSettings(Engine& engine);
  RunSettings(const RunSettings&) = delete;
  RunSettings& operator=(const RunSettings&) = delete;

  // Sets the options given in `options` (relation level, threshold mode and
  // value, characteristic parts, numbers as substantives, Scenario on all
  // categories, Scenario file). False, with a message on `err`, when the
  // Scenario file cannot be read or loaded.
  bool Apply(const CliOptions& options, std::FILE* err);
  // Puts back the stored values of the options Apply set (and the stored
  // Scenario's name and folder).
  void Restore();

 private:
  // Makes `given` (a path, or a name in the Scenario folder) the current
  // Scenario and loads it; false, with a message on `err`, when it cannot be
  // read.
  bool UseScenario(const std::string& given, std::FILE* err);

  Engine& engine_;
  CliOptions options_;  // the options applied
  bool applied_ = false;
  int relationLevel_ = 0;
  bool thresholdByWords_ = false;
  int classMinWords_ = 0;
  int classPertinence_ = 0;
  int parts_ = 0;
  bool numbers_ = false;
  bool scenarioOnAll_ = false;
  std::string scenarioFile_;
  std::string scenarioFolder_;
  bool scenarioChanged_ = false;
};

}  // namespace malvex
