// malvex-cli --import-owl: an OWL ontology turned into a Scenario file and
// its log, without a window.
#pragma once

#include "cli/cli_options.h"
#include "cli/cli_run.h"

namespace malvex {

class Engine;

// Imports `options.importOwl` with the started `engine`'s tables, settings
// and folders: the Scenario goes to --output (replaced) or to the first
// free OwlOutput name of the Scenario folder, the log to --log or beside the
// OWL file. The closing counters, the Scenario and the log paths go to
// `io.err`. Relative names are taken from `io.callerFolder`. Returns 0 when
// done, 65 for a file that is not well-formed XML, 66 for one that cannot
// be opened, 73 when the Scenario cannot be written.
int ImportOwlCommand(Engine& engine, const CliOptions& options, const CliStreams& io);

}  // namespace malvex
