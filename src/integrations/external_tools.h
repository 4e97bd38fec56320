// The external tools of the Tools menu: up to four plug-ins registered in
// the registry file, and the companion programs (two survey programs, the
// sibling document tool and the robot) found through the registry file or
// on the PATH. Starting a program checks it first so that each failure
// has its own message; the result list handed to the first survey program
// goes through a temporary file removed when the tools are released.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace malvex {

class Registry;

inline constexpr int kPluginSlots = 4;

// The registry section of plug-in `number` (1..4):
// "Software/Malvex/Plugins/Plugin<number>", values "Path", "Label" and
// "Options".
std::string PluginRegistryKey(int number);
// The registry section of a companion program: "Software/Malvex/Companions/"
// followed by `name`, values "Path" and "Label".
std::string CompanionRegistryKey(std::string_view name);

// The machine-wide registry file: "malvex/registry.ini" in the first
// folder of `xdgConfigDirs` (colon-separated; "/etc/xdg" when empty) that
// holds one; empty when none does.
std::string MachineRegistryPath(std::string_view xdgConfigDirs);

struct PluginSlot {
  int number = 0;
  std::string label;
  std::string path;
  std::string options;
  bool inUse() const { return !path.empty(); }
};

// The four slots. A slot comes from the user's registry when it names a
// path there, else from the machine-wide one (`machine` may be null); a
// slot in use without a label shows `unknownLabel`.
std::array<PluginSlot, kPluginSlots> ReadPlugins(const Registry& user, const Registry* machine,
                                                 const std::string& unknownLabel);

// Splits `text` into arguments as a POSIX shell would, without running
// one and without expansions: blanks separate words; single quotes keep
// everything up to the next one; double quotes keep everything, a
// backslash escaping only '"', '\\', '$' and '`'; elsewhere a backslash
// keeps the next character. False (and `words` empty) on an unterminated
// quote or a trailing backslash.
bool SplitArguments(std::string_view text, std::vector<std::string>& words);

// Finds `name` as the shell would: a name holding '/' as it is; else the
// first folder of `pathVariable` (colon-separated, an empty entry meaning
// the current folder) holding an executable file of that name. Empty when
// none.
std::string FindProgram(std::string_view name, std::string_view pathVariable);

// Starts a program; the front end supplies it.
class ProcessStarter {
 public:
  virtual ~ProcessStarter() = default;
  // Starts `program` with `arguments`, detached; false when it could not.
  virtual bool Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

// Message ids of a start failure.
inline constexpr int kMsgStartFailed = 1;     // any other failure
inline constexpr int kMsgProgramMissing = 2;  // no such file
inline constexpr int kMsgNotExecutable = 686;  // not a program one may run

// Starts `program` (a path, or a name looked up in `pathVariable`) with
// `arguments`: 0 when started, else the message id of the failure.
int StartProgram(ProcessStarter& starter, const std::string& program, const std::vector<std::string>& arguments,
                 std::string_view pathVariable);

// Files written for other programs, removed when this object goes (or at
// RemoveAll).
class TemporaryFiles {
 public:
  TemporaryFiles() = default;
  TemporaryFiles(const TemporaryFiles&) = delete;
  TemporaryFiles& operator=(const TemporaryFiles&) = delete;
  ~TemporaryFiles() { RemoveAll(); }

  // Writes `content` to a new file of `folder` whose name starts with
  // `prefix`; its path, or empty on failure.
  std::string Create(const std::string& folder, const std::string& prefix, const std::string& content);
  void RemoveAll();
  // Removes one of the files; false when it is not one of them.
  bool Remove(const std::string& path);
  const std::vector<std::string>& paths() const { return paths_; }

 private:
  std::vector<std::string> paths_;
};

// The system's temporary folder: $TMPDIR when set, else "/tmp".
std::string TemporaryFolder();

// The companion programs, in the order of the Tools menu.
enum class Companion : int { kSurvey = 0, kSecondSurvey = 1, kSiblingTool = 2, kRobot = 3 };
inline constexpr int kCompanions = 4;

struct CompanionProgram {
  Companion kind = Companion::kSurvey;
  std::string label;  // empty: the default label of its kind
  std::string path;   // empty: not installed, the item is hidden
  bool found() const { return !path.empty(); }
};

// The registry name and the program name looked for on the PATH of each
// companion: "Survey" / "malvex-survey", "SecondSurvey" /
// "malvex-survey2", "SiblingTool" / "malvex-vinta" + `languageCode`,
// "Robot" / "malvex-robot".
std::string CompanionRegistryName(Companion kind);
std::string CompanionProgramName(Companion kind, std::string_view languageCode);

// Each companion: the user's registry, then the machine-wide one, then
// the PATH; a registered path that is not an executable file hides it.
std::array<CompanionProgram, kCompanions> FindCompanions(const Registry& user, const Registry* machine,
                                                         std::string_view pathVariable,
                                                         std::string_view languageCode);

// The lines of a result list as a file: each line followed by a line feed.
std::string ResultListFileText(const std::vector<std::string>& lines);

// What the Tools menu starts.
class ExternalTools {
 public:
  // `starter` must outlive the tools.
  ExternalTools(ProcessStarter& starter, std::string pathVariable);

  // Discovery (once, while the main window is built).
  void Discover(const Registry& user, const Registry* machine, const std::string& unknownPluginLabel,
                std::string_view languageCode);
  const std::array<PluginSlot, kPluginSlots>& plugins() const { return plugins_; }
  const std::array<CompanionProgram, kCompanions>& companions() const { return companions_; }
  const CompanionProgram& companion(Companion kind) const { return companions_[static_cast<int>(kind)]; }
  // A plug-in or companion was found: the Tools separator shows.
  bool AnyFound() const;
  // A survey program was found: its separator shows.
  bool AnySurvey() const;

  // Starts plug-in `number` (1..4) with its options as arguments: 0, or
  // the failure's message id (message 1 for a slot not in use or options
  // that do not split).
  int StartPlugin(int number);
  // Starts a companion. The first survey program receives `resultLines`,
  // when there are some, as a temporary file named as its argument (in
  // `tempFolder`, the name starting with `prefix`); otherwise no argument.
  int StartCompanion(Companion kind, const std::vector<std::string>& resultLines, const std::string& tempFolder,
                     const std::string& prefix);

  TemporaryFiles& temporaryFiles() { return temporary_; }

 private:
  ProcessStarter& starter_;
  std::string pathVariable_;
  std::array<PluginSlot, kPluginSlots> plugins_;
  std::array<CompanionProgram, kCompanions> companions_;
  TemporaryFiles temporary_;
};

}  // namespace malvex
