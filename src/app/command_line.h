// The program's command line: a text file to analyse at once, a scenario to
// load, and a class to show once the first analysis is done.
//
// On this system an argument beginning with '/' is a path. Options are
// written "-c", "-h3name" and so on; the "/c" form is also taken as an
// option when the argument holds no further '/' and names no existing file.
#pragma once

#include <string>
#include <vector>

namespace malvex {

class Messages;

// A class to show after an analysis: its name and, when given, the level
// digit of option h (1 universe 1, 2 universe 2, 3 references, 4 scenario).
struct DisplayRequest {
  std::string text;  // code page 1250, at most 79 characters
  bool levelGiven = false;
  int level = 0;
  bool Empty() const { return text.empty(); }
};

// The expressions waiting to be shown after the next analysis, from the
// command line or another program's request.
struct PendingExpressions {
  static constexpr int kSlots = 20;
  DisplayRequest entries[kSlots];
  void Clear() {
    for (DisplayRequest& r : entries) r = DisplayRequest{};
  }
};

struct CommandLine {
  bool fileGiven = false;
  std::string file;  // full path, as the system spells it
  int fileArgument = 0;  // 1-based index of the argument that named it
  bool listMode = false;       // -l: the file names a list of files
  bool scenarioGiven = false;  // -s
  std::string scenario;        // as given, possibly empty
  bool noExistenceCheck = false;  // -i
  bool displayRequested = false;  // -c or -h
  DisplayRequest request;
  bool optionF = false;
  bool optionR = false;
  bool optionEValid = false;
  int optionE = 0;

  // The offending arguments in code page 1250 (options lower-cased, the
  // missing file by its path), in order; the program must stop when there
  // is any.
  std::vector<std::string> errors;
  bool Failed() const { return !errors.empty(); }
};

// Longest path kept from a file argument, in characters.
inline constexpr size_t kMaxCommandLinePath = 261;
// Longest display request text, in characters.
inline constexpr size_t kMaxRequestText = 79;

// True when `arg` is written as an option rather than a file.
bool IsCommandLineOption(const std::string& arg);

// Parses `args` (the program's own path excluded). Relative file names are
// taken from `baseFolder`. An empty argument ends the parsing with an error;
// an unknown option letter or a missing option text is an error and parsing
// goes on; a file that does not exist is an error unless "-i" is given.
// Option texts are lower-cased, except the scenario's file name.
CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& baseFolder);

// Message 48 naming `offending`.
std::string CommandLineErrorText(Messages& messages, const std::string& offending);

// The scenario file name to record in the settings for option s: the name
// with its extension replaced by ".scn"; empty stays empty.
std::string ScenarioFileFromOption(const std::string& name);

// Reads a list file: one path per line; blank lines are skipped, a
// carriage return before the line end is dropped, and relative paths are
// taken from the list file's folder. False when the file cannot be read.
bool ReadFileList(const std::string& listPath, std::vector<std::string>& files);

}  // namespace malvex
