#include "integrations/external_tools.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/registry.h"

namespace malvex {

namespace {

constexpr char kProgramKey[] = "Software/Malvex";

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsExecutableFile(const std::string& path) { return IsRegularFile(path) && ::access(path.c_str(), X_OK) == 0; }

// The entries of a colon-separated list, empty ones included.
std::vector<std::string> SplitList(std::string_view list) {
  std::vector<std::string> entries;
  size_t start = 0;
  while (true) {
    const size_t colon = list.find(':', start);
    entries.emplace_back(list.substr(start, colon == std::string_view::npos ? std::string_view::npos : colon - start));
    if (colon == std::string_view::npos) break;
    start = colon + 1;
  }
  return entries;
}

std::string Joined(const std::string& folder, std::string_view name) {
  if (folder.empty()) return "./" + std::string(name);
  std::string path = folder;
  if (path.back() != '/') path += '/';
  path += name;
  return path;
}

// The section's value from the user's registry, else the machine's.
bool GetEither(const Registry& user, const Registry* machine, const std::string& section, std::string_view key,
               std::string& value) {
  if (user.Get(section, key, value) && !value.empty()) return true;
  value.clear();
  return machine != nullptr && machine->Get(section, key, value) && !value.empty();
}

}  // namespace

std::string PluginRegistryKey(int number) {
  return std::string(kProgramKey) + "/Plugins/Plugin" + std::to_string(number);
}

std::string CompanionRegistryKey(std::string_view name) {
  return std::string(kProgramKey) + "/Companions/" + std::string(name);
}

std::string MachineRegistryPath(std::string_view xdgConfigDirs) {
  const std::string dirs = xdgConfigDirs.empty() ? std::string("/etc/xdg") : std::string(xdgConfigDirs);
  for (const std::string& dir : SplitList(dirs)) {
    // Relative entries are ignored, as the base directory rules ask.
    if (dir.empty() || dir.front() != '/') continue;
    const std::string path = Joined(dir, "malvex/registry.ini");
    if (IsRegularFile(path)) return path;
  }
  return {};
}

std::array<PluginSlot, kPluginSlots> ReadPlugins(const Registry& user, const Registry* machine,
                                                 const std::string& unknownLabel) {
  std::array<PluginSlot, kPluginSlots> slots;
  for (int n = 1; n <= kPluginSlots; ++n) {
    PluginSlot& slot = slots[n - 1];
    slot.number = n;
    const std::string key = PluginRegistryKey(n);
    // The whole slot comes from the registry that names its program, so a
    // user's slot never mixes with the machine's options.
    const Registry* from = nullptr;
    std::string path;
    if (user.Get(key, "Path", path) && !path.empty()) {
      from = &user;
    } else if (machine != nullptr && machine->Get(key, "Path", path) && !path.empty()) {
      from = machine;
    }
    if (from == nullptr) continue;
    slot.path = path;
    slot.label = from->GetString(key, "Label");
    slot.options = from->GetString(key, "Options");
    if (slot.label.empty()) slot.label = unknownLabel;
  }
  return slots;
}

bool SplitArguments(std::string_view text, std::vector<std::string>& words) {
  words.clear();
  std::string word;
  bool inWord = false;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    const char c = text[i];
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (inWord) words.push_back(std::move(word));
      word.clear();
      inWord = false;
      ++i;
    } else if (c == '\'') {
      const size_t end = text.find('\'', i + 1);
      if (end == std::string_view::npos) {
        words.clear();
        return false;
      }
      word.append(text.substr(i + 1, end - i - 1));
      inWord = true;
      i = end + 1;
    } else if (c == '"') {
      ++i;
      bool closed = false;
      while (i < n) {
        const char d = text[i];
        if (d == '"') {
          closed = true;
          ++i;
          break;
        }
        if (d == '\\' && i + 1 < n && std::strchr("\"\\$`", text[i + 1]) != nullptr) {
          word += text[i + 1];
          i += 2;
        } else if (d == '\\' && i + 1 < n && text[i + 1] == '\n') {
          i += 2;  // a line continuation
        } else {
          word += d;
          ++i;
        }
      }
      if (!closed) {
        words.clear();
        return false;
      }
      inWord = true;
    } else if (c == '\\') {
      if (i + 1 >= n) {
        words.clear();
        return false;
      }
      if (text[i + 1] != '\n') {
        word += text[i + 1];
        inWord = true;
      }
      i += 2;
    } else {
      word += c;
      inWord = true;
      ++i;
    }
  }
  if (inWord) words.push_back(std::move(word));
  return true;
}

std::string FindProgram(std::string_view name, std::string_view pathVariable) {
  if (name.empty()) return {};
  if (name.find('/') != std::string_view::npos) return std::string(name);
  for (const std::string& dir : SplitList(pathVariable)) {
    const std::string path = Joined(dir, name);
    if (IsExecutableFile(path)) return path;
  }
  return {};
}

int StartProgram(ProcessStarter& starter, const std::string& program, const std::vector<std::string>& arguments,
                 std::string_view pathVariable) {
  const std::string path = FindProgram(program, pathVariable);
  if (path.empty()) return kMsgProgramMissing;
  struct stat st;
  if (::stat(path.c_str(), &st) != 0) return errno == ENOENT || errno == ENOTDIR ? kMsgProgramMissing : kMsgStartFailed;
  if (!S_ISREG(st.st_mode) || ::access(path.c_str(), X_OK) != 0) return kMsgNotExecutable;
  return starter.Start(path, arguments) ? 0 : kMsgStartFailed;
}

std::string TemporaryFolder() {
  const char* dir = std::getenv("TMPDIR");
  if (dir != nullptr && dir[0] == '/') return dir;
  return "/tmp";
}

std::string TemporaryFiles::Create(const std::string& folder, const std::string& prefix, const std::string& content) {
  std::string pattern = Joined(folder, prefix + "XXXXXX.txt");
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  const int fd = ::mkstemps(name.data(), 4);
  if (fd < 0) return {};
  const std::string path(name.data());
  size_t written = 0;
  while (written < content.size()) {
    const ssize_t w = ::write(fd, content.data() + written, content.size() - written);
    if (w < 0) {
      if (errno == EINTR) continue;
      break;
    }
    written += static_cast<size_t>(w);
  }
  const bool closed = ::close(fd) == 0;
  if (written != content.size() || !closed) {
    ::unlink(path.c_str());
    return {};
  }
  paths_.push_back(path);
  return path;
}

bool TemporaryFiles::Remove(const std::string& path) {
  for (auto it = paths_.begin(); it != paths_.end(); ++it) {
    if (*it == path) {
      ::unlink(path.c_str());
      paths_.erase(it);
      return true;
    }
  }
  return false;
}

void TemporaryFiles::RemoveAll() {
  for (const std::string& path : paths_) ::unlink(path.c_str());
  paths_.clear();
}

std::string CompanionRegistryName(Companion kind) {
  switch (kind) {
    case Companion::kSurvey: return "Survey";
    case Companion::kSecondSurvey: return "SecondSurvey";
    case Companion::kSiblingTool: return "SiblingTool";
    case Companion::kRobot: return "Robot";
  }
  return {};
}

std::string CompanionProgramName(Companion kind, std::string_view languageCode) {
  switch (kind) {
    case Companion::kSurvey: return "malvex-survey";
    case Companion::kSecondSurvey: return "malvex-survey2";
    case Companion::kSiblingTool: return "malvex-vinta" + std::string(languageCode);
    case Companion::kRobot: return "malvex-robot";
  }
  return {};
}

std::array<CompanionProgram, kCompanions> FindCompanions(const Registry& user, const Registry* machine,
                                                         std::string_view pathVariable,
                                                         std::string_view languageCode) {
  std::array<CompanionProgram, kCompanions> found;
  for (int k = 0; k < kCompanions; ++k) {
    const Companion kind = static_cast<Companion>(k);
    CompanionProgram& c = found[k];
    c.kind = kind;
    const std::string key = CompanionRegistryKey(CompanionRegistryName(kind));
    std::string path;
    if (GetEither(user, machine, key, "Path", path)) {
      if (IsExecutableFile(path)) c.path = path;
      GetEither(user, machine, key, "Label", c.label);
    } else {
      c.path = FindProgram(CompanionProgramName(kind, languageCode), pathVariable);
    }
    if (!c.found()) c.label.clear();
  }
  return found;
}

std::string ResultListFileText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

ExternalTools::ExternalTools(ProcessStarter& starter, std::string pathVariable)
    : starter_(starter), pathVariable_(std::move(pathVariable)) {
  for (int n = 0; n < kPluginSlots; ++n) plugins_[n].number = n + 1;
  for (int k = 0; k < kCompanions; ++k) companions_[k].kind = static_cast<Companion>(k);
}

void ExternalTools::Discover(const Registry& user, const Registry* machine, const std::string& unknownPluginLabel,
                             std::string_view languageCode) {
  plugins_ = ReadPlugins(user, machine, unknownPluginLabel);
  companions_ = FindCompanions(user, machine, pathVariable_, languageCode);
}

bool ExternalTools::AnyFound() const {
  for (const PluginSlot& p : plugins_) {
    if (p.inUse()) return true;
  }
  for (const CompanionProgram& c : companions_) {
    if (c.found()) return true;
  }
  return false;
}

bool ExternalTools::AnySurvey() const {
  return companion(Companion::kSurvey).found() || companion(Companion::kSecondSurvey).found();
}

int ExternalTools::StartPlugin(int number) {
  if (number < 1 || number > kPluginSlots || !plugins_[number - 1].inUse()) return kMsgStartFailed;
  const PluginSlot& slot = plugins_[number - 1];
  std::vector<std::string> arguments;
  if (!SplitArguments(slot.options, arguments)) return kMsgStartFailed;
  return StartProgram(starter_, slot.path, arguments, pathVariable_);
}

int ExternalTools::StartCompanion(Companion kind, const std::vector<std::string>& resultLines,
                                  const std::string& tempFolder, const std::string& prefix) {
  const CompanionProgram& c = companion(kind);
  if (!c.found()) return kMsgProgramMissing;
  std::vector<std::string> arguments;
  if (kind == Companion::kSurvey && !resultLines.empty()) {
    const std::string file = temporary_.Create(tempFolder, prefix, ResultListFileText(resultLines));
    if (file.empty()) return kMsgStartFailed;
    arguments.push_back(file);
  }
  const int failure = StartProgram(starter_, c.path, arguments, pathVariable_);
  // A program that did not start will not read its file.
  if (failure != 0 && !arguments.empty()) temporary_.Remove(arguments.front());
  return failure;
}

}  // namespace malvex
