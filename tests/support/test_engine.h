// An engine started on a test installation, for the tests of what reads an
// analysis (result functions, reports, the results panel, the semantic pass).
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "engine/engine.h"
#include "test_installation.h"

namespace malvex::testing {

// Writes an installation of `edition` under `root` (see
// WriteTestInstallation) and starts an engine on it with `frontEnd`, which
// must outlive the engine. Null when the installation cannot be written or
// the engine does not start.
inline std::unique_ptr<Engine> StartTestEngine(const std::filesystem::path& root, FrontEnd& frontEnd,
                                               const std::string& edition) {
  if (!WriteTestInstallation(root, edition)) return nullptr;
  EngineOptions options;
  options.places = TestSettingsPlaces(root);
  auto engine = std::make_unique<Engine>(frontEnd, options);
  if (!engine->StartEngine()) return nullptr;
  return engine;
}

}  // namespace malvex::testing
