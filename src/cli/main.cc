// malvex-cli: the batch front end of Malvex. It runs the same engine as
// the desktop program over the files given on the command line and prints
// the results on standard output (UTF-8).
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/analysis_settings.h"
#include "cli/cli_borders.h"
#include "cli/cli_options.h"
#include "cli/cli_owl.h"
#include "cli/cli_run.h"
#include "engine/engine.h"
#include "foundations/charset.h"
#include "platform/basic_gauges.h"
#include "platform/console_box.h"
#include "platform/files.h"
#include "word_lookup.h"

namespace {

// Set by Ctrl-C; the gauges of the runs and the --each loop read it.
volatile std::sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) { g_interrupted = 1; }

// A gauge that reports Stop once Ctrl-C was pressed.
template <class Base>
class InterruptibleGauge : public Base {
 public:
  using Base::Base;
  bool Continue() override { return Base::Continue() && g_interrupted == 0; }
};

class CliFrontEnd : public malvex::FrontEnd {
 public:
  CliFrontEnd(malvex::ConsoleBoxOptions options, bool quiet)
      : box_([](const std::string& s) { return malvex::ToUtf8(s); }, options), quiet_(quiet) {}
  malvex::NotificationBox& Box() override { return box_; }
  std::unique_ptr<malvex::Gauge> CreateGauge() override {
    if (quiet_) return std::make_unique<InterruptibleGauge<malvex::SilentGauge>>();
    return std::make_unique<InterruptibleGauge<malvex::ConsoleGauge>>(
        [](const std::string& s) { return malvex::ToUtf8(s); });
  }

 private:
  malvex::ConsoleBox box_;
  bool quiet_;
};

// Prints the dictionary entries of `words` ("-" stands for the lines of
// standard input).
int Lookup(const malvex::CliOptions& o) {
  CliFrontEnd frontEnd(o.box, o.quiet);
  malvex::EngineOptions options;
  malvex::Engine engine(frontEnd, options);
  if (!engine.StartEngine()) return malvex::kExitDictionaries;
  const bool tsv = o.format == malvex::CliFormat::kTsv;
  const auto print = [&](const std::string& word) {
    std::fputs(malvex::LookupWord(engine, word, tsv).c_str(), stdout);
  };
  bool stdinRead = false;
  for (const std::string& w : o.operands) {
    if (w != "-") {
      print(w);
      continue;
    }
    if (stdinRead) continue;
    stdinRead = true;
    std::string line;
    while (std::getline(std::cin, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) print(line);
    }
  }
  engine.StopEngine();
  return malvex::kExitOk;
}

// Analyses the files as one corpus, or each on its own, and prints the
// word stream or the results asked for.
int Analyse(const malvex::CliOptions& o) {
  // Every file of a corpus must be readable before the engine starts; with
  // --each a file that is not is reported in its turn.
  if (!o.each && !malvex::CheckInputFiles(o.operands, stderr)) return malvex::kExitUnreadableInput;
  malvex::CliStreams io;
  // The engine makes the text folder current at start-up: names are taken
  // relative to the folder the user called us from.
  io.callerFolder = malvex::CurrentFolder();
  io.interrupted = [] { return g_interrupted != 0; };

  CliFrontEnd frontEnd(o.box, o.quiet);
  malvex::EngineOptions options;
  if (o.borders && !malvex::UseBordersFile(*o.borders, options, stderr)) return malvex::kExitUnreadableInput;
  malvex::Engine engine(frontEnd, options);
  if (!engine.StartEngine()) return malvex::kExitDictionaries;
  std::signal(SIGINT, OnInterrupt);
  // A --scenario given as a path, or found here, is taken from the caller's
  // folder, not from the text folder the engine made current.
  malvex::CliOptions run = o;
  if (run.scenario && !run.scenario->empty() && (*run.scenario)[0] != '/') {
    std::error_code ec;
    const std::filesystem::path here = std::filesystem::path(io.callerFolder) / *run.scenario;
    if (run.scenario->find('/') != std::string::npos || std::filesystem::exists(here, ec)) run.scenario = here.string();
  }
  const int status = run.each ? malvex::AnalyseEach(engine, run, io) : malvex::AnalyseTogether(engine, run, io);
  engine.StopEngine();
  return status;
}

// Turns an OWL ontology into a Scenario file (--import-owl).
int ImportOwl(const malvex::CliOptions& o) {
  malvex::CliStreams io;
  io.callerFolder = malvex::CurrentFolder();
  CliFrontEnd frontEnd(o.box, o.quiet);
  malvex::EngineOptions options;
  malvex::Engine engine(frontEnd, options);
  if (!engine.StartEngine()) return malvex::kExitDictionaries;
  const int status = malvex::ImportOwlCommand(engine, o, io);
  engine.StopEngine();
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const malvex::CliOptions o = malvex::ParseCommandLine(argc, argv);
  switch (o.action) {
    case malvex::CliAction::kHelp:
      std::fputs(malvex::CliUsage(), stdout);
      return malvex::kExitOk;
    case malvex::CliAction::kVersion:
      std::printf("malvex-cli 8.2 (Romanian edition)\n");
      return malvex::kExitOk;
    case malvex::CliAction::kUsageError:
      std::fprintf(stderr, "malvex-cli: %s\nTry 'malvex-cli --help'.\n", o.error.c_str());
      return malvex::kExitUsage;
    case malvex::CliAction::kLookup:
      return Lookup(o);
    case malvex::CliAction::kImportOwl:
      return ImportOwl(o);
    case malvex::CliAction::kAnalyse:
      break;
  }
  return Analyse(o);
}
