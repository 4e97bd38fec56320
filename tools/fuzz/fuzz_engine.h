// The engine the whole-pass fuzz targets share: started once per process
// on the mini edition, in an installation under the scratch folder that
// holds a small default scenario (so that the semantic pass meets Scenario
// groups), with a parameter file that shows the reading messages. A fatal
// exit of the engine is a finding: it prints its code and aborts.
#pragma once

#include <string>

#include "engine/engine.h"

namespace malvex::fuzz {

// The default scenario of the installation (code page 1250): visible and
// hidden groups at two depths holding words, classes, a noun, a verb and an
// adjective of the mini edition.
extern const char kDefaultScenario[];

// The started engine; the process ends when it cannot start.
Engine& TheEngine();

// Analyses `path` alone (the file list holds it and nothing else) and
// checks what the run left; the analysis is released afterwards, so that
// every input starts from the same state. The result of RunAnalysis;
// `stream` (when not null) receives the word stream the run left, as
// "text[separator]@position" items, and the analysis's word and
// proposition counts.
bool AnalyseAlone(Engine& engine, const std::string& path, std::string* stream = nullptr);

}  // namespace malvex::fuzz
