// The command line of malvex-cli: what to analyse, which results to print
// and in which form, and the analysis options that replace the stored
// settings for this run.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/xlsx_output.h"
#include "platform/console_box.h"

namespace malvex {

// The results malvex-cli can print, in the order --help lists them.
enum class CliResult {
  kStyle,
  kReferences,
  kFields1,
  kFields2,
  kScenario,
  kRelations,
  kCategories,
  kAllCategories,
  kVerbs,
  kAdjectives,
  kSubstantives,
  kEpisodes,
  kParts,
  kTerminology,
};

// The command-line name of `result` ("style", "all-categories"...).
const char* CliResultName(CliResult result);
// The result named `name`, if there is one.
std::optional<CliResult> CliResultOfName(const std::string& name);

enum class CliFormat { kText, kJson, kCsv, kTsv };

enum class CliAction { kAnalyse, kLookup, kImportOwl, kHelp, kVersion, kUsageError };

struct CliOptions {
  CliAction action = CliAction::kAnalyse;
  std::string error;                  // kUsageError: what was wrong
  std::vector<std::string> operands;  // files (or words for --lookup)
  std::vector<CliResult> results;     // in the order asked, each once; style when none
  CliFormat format = CliFormat::kText;
  bool each = false;  // --each: every file analysed on its own
  bool tagged = false;
  bool quiet = false;
  ConsoleBoxOptions box;

  // Result list filters.
  bool actant = false;        // --actant
  bool acted = false;         // --acted
  bool alphabetical = false;  // --sort alphabetical
  bool termFilter = false;    // --filter: only the most significant terms

  // Analysis settings for this run; unset ones keep the stored settings.
  std::optional<std::string> scenario;         // --scenario FILE
  std::optional<std::string> borders;          // --borders FILE.dlm
  std::optional<int> relationLevel;            // --relation-level, 1..4
  std::optional<bool> thresholdByWords;        // --threshold-words / --threshold-pertinence
  std::optional<int> thresholdValue;           // 1..999
  std::optional<int> partsQuantity;            // --parts, 1..100
  std::optional<bool> numbersAsSubstantives;   // --numbers-as-substantives
  std::optional<bool> scenarioOnAllCategories; // --scenario-all-categories

  // --graph TYPE --output FILE [--item TEXT] [--level N] [--size WxH]
  int graphType = 0;  // 0: no graph; else the graph type (1 areas .. 5 actors)
  std::string graphOutput;
  std::string graphItem;
  std::optional<int> graphLevel;
  int graphWidth = 1000;
  int graphHeight = 700;

  // --pdf FILE [--reports LIST]: the printed reports, into one PDF file.
  std::string pdfOutput;
  std::vector<int> pdfReports;  // print report numbers; empty: the print dialog's defaults
  // --import-owl FILE.owl [--output FILE.scn] [--keep-other-languages]
  // [--keep-restrictions] [--log FILE]
  std::string importOwl;
  std::string owlOutput;
  std::string owlLog;
  bool owlKeepOtherLanguages = false;
  bool owlKeepRestrictions = false;
  // --xlsx FILE [--scope ...] [--chart ...] [--group NAME]
  XlsxRequest xlsx;
};

// Reads the arguments (argv[1..argc-1]). The names in a --list file are
// added to the operands in their place; a list that cannot be read is a
// usage error. Bad usage sets action kUsageError and `error`.
CliOptions ParseCommandLine(int argc, const char* const* argv);

// The --help text.
const char* CliUsage();

// Exit statuses of malvex-cli.
inline constexpr int kExitOk = 0;
inline constexpr int kExitAnalysisFailed = 1;
inline constexpr int kExitDictionaries = 2;
inline constexpr int kExitSomeFilesFailed = 3;  // --each: not every file was analysed completely
inline constexpr int kExitUsage = 64;
inline constexpr int kExitMalformedInput = 65;  // --import-owl: the OWL file is not well-formed
inline constexpr int kExitUnreadableInput = 66;
inline constexpr int kExitCannotWrite = 73;     // --import-owl: the Scenario cannot be written

}  // namespace malvex
