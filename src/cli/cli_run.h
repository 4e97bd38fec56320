// The analysis runs of malvex-cli on a started engine: the files together
// as one text (one corpus), or each file on its own (--each), with the
// report written out, the messages on the error stream and the exit status.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace malvex {

class Engine;

// Where a run writes and what it asks its caller.
struct CliStreams {
  std::FILE* out = stdout;  // the report
  std::FILE* err = stderr;  // messages
  // The folder relative file names are taken from: the caller's, as the
  // engine makes its text folder current when it starts.
  std::string callerFolder;
  // True once the user asked the run to stop (Ctrl-C); asked between two
  // files of --each. None: never.
  std::function<bool()> interrupted;
};

// What the last run of an engine left out of the text asked for.
struct RunVerdict {
  bool completed = false;  // the whole text was analysed
  bool noWords = false;    // not one file of the list gave a word
  std::string error;       // why not complete, UTF-8; empty when complete
  int status = kExitOk;    // the exit status the run calls for
};

// Judges the last run of `engine` (`ran`: what RunAnalysis returned):
// every file that gave no words (missing, empty, unreadable) and a text cut
// short (the size warning answered No, the word limit) are named on `err`
// and make the result incomplete. `names` are the names of the file list as
// the user gave them, in its order. Status: 1 when the run failed, was
// stopped or cut short; 66 when a file gave no words; 0 otherwise.
RunVerdict JudgeRun(Engine& engine, bool ran, const std::vector<std::string>& names, std::FILE* err);

// Analyses the files of `options` together as one text and writes the
// results asked for (or, with --tagged, the analysed text) on `io.out`.
// The files must have been checked readable (CheckInputFiles). Returns the
// exit status.
int AnalyseTogether(Engine& engine, const CliOptions& options, const CliStreams& io);

// Analyses each file of `options` on its own, in order, with the
// dictionaries loaded once: one record per file on `io.out` (JSON Lines,
// CSV rows under one header, or text under "== FILE" lines; docs/cli.md).
// A file that is missing, unreadable or empty is named on `io.err`, gets an
// error record, and the others go on. Returns 0 when every file was
// analysed completely, 3 when one or more were not, 1 when the run was
// stopped, 66 when the Scenario of --scenario cannot be read.
int AnalyseEach(Engine& engine, const CliOptions& options, const CliStreams& io);

}  // namespace malvex
