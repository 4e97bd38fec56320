#include "app/command_line.h"

#include <filesystem>
#include <system_error>

#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/files.h"

namespace malvex {

namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& path) {
  std::error_code ec;
  return fs::exists(fs::path(path), ec);
}

std::string FullPath(const std::string& name, const std::string& baseFolder) {
  fs::path p(name);
  if (p.is_relative()) p = fs::path(baseFolder) / p;
  return p.lexically_normal().string();
}

// An option's text as the engine holds it: code page 1250, folded to lower
// case.
std::string LowerText(const std::string& utf8) {
  std::string text = FromUtf8(utf8);
  FoldToLower(text);
  return text;
}

void SetRequestText(DisplayRequest& request, const std::string& text) {
  request.text = text.substr(0, kMaxRequestText);
}

}  // namespace

bool IsCommandLineOption(const std::string& arg) {
  if (arg.empty()) return false;
  if (arg[0] == '-') return true;
  // "/c" and the like: no further '/', and not a file of the root folder.
  return arg[0] == '/' && arg.find('/', 1) == std::string::npos && !Exists(arg);
}

CommandLine ParseCommandLine(const std::vector<std::string>& args, const std::string& baseFolder) {
  CommandLine cl;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.empty()) {
      cl.errors.push_back(arg);
      break;
    }
    if (!IsCommandLineOption(arg)) {
      cl.file = FullPath(arg.substr(0, kMaxCommandLinePath), baseFolder);
      cl.fileGiven = true;
      cl.fileArgument = static_cast<int>(i) + 1;
      continue;
    }
    // The option letter and its text, lower-cased; the scenario's file name
    // keeps its case, since file names here depend on it.
    const std::string raw = arg.size() > 2 ? arg.substr(2) : std::string();
    const std::string lowered = LowerText(arg);
    const char letter = lowered.size() > 1 ? lowered[1] : '\0';
    const std::string text = lowered.size() > 2 ? lowered.substr(2) : std::string();
    bool ok = true;
    switch (letter) {
      case 'c':
        ok = !text.empty();
        if (ok) {
          cl.displayRequested = true;
          SetRequestText(cl.request, text);
        }
        break;
      case 'e':
        ok = !text.empty();
        if (ok) {
          cl.optionEValid = text[0] >= '0' && text[0] <= '9';
          cl.optionE = cl.optionEValid ? text[0] - '0' : 0;
        }
        break;
      case 'f':
        cl.optionF = true;
        break;
      case 'h':
        ok = !text.empty();
        if (ok) {
          cl.displayRequested = true;
          cl.request.levelGiven = text[0] >= '1' && text[0] <= '4';
          cl.request.level = cl.request.levelGiven ? text[0] - '0' : 0;
          SetRequestText(cl.request, text.substr(1));
        }
        break;
      case 'i':
        cl.noExistenceCheck = true;
        break;
      case 'l':
        cl.listMode = true;
        break;
      case 'r':
        cl.optionR = true;
        break;
      case 's':
        cl.scenarioGiven = true;
        cl.scenario = raw;
        break;
      default:
        ok = false;
        break;
    }
    if (!ok) cl.errors.push_back(lowered);
  }
  if (cl.fileGiven && !cl.noExistenceCheck && !Exists(cl.file)) {
    cl.fileGiven = false;
    cl.errors.push_back(FromUtf8(cl.file));
  }
  return cl;
}

std::string CommandLineErrorText(Messages& messages, const std::string& offending) {
  std::string text = messages.message(48);
  const size_t at = text.find("%s");
  if (at != std::string::npos) text.replace(at, 2, offending);
  return text;
}

std::string ScenarioFileFromOption(const std::string& name) {
  if (name.empty()) return name;
  fs::path p(name);
  p.replace_extension(".scn");
  return p.string();
}

bool ReadFileList(const std::string& listPath, std::vector<std::string>& files) {
  // Only a regular file: a FIFO or a device named by another program
  // would hold the start-up.
  std::string bytes;
  if (!ReadWholeFile(listPath, bytes)) return false;
  const std::string folder = fs::path(listPath).parent_path().string();
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.find_first_not_of(" \t") == std::string::npos) continue;
    files.push_back(FullPath(line, folder));
  }
  return true;
}

}  // namespace malvex
