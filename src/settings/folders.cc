#include "settings/folders.h"

#include <strings.h>

#include "platform/files.h"
#include "settings/parameters.h"

namespace malvex {
namespace {

std::string WithoutTrailingSeparators(const std::string& path) {
  size_t n = path.size();
  while (n > 1 && (path[n - 1] == '/' || path[n - 1] == '\\')) --n;
  return path.substr(0, n);
}

}  // namespace

Folders DeriveFolders(const std::string& programFolder, const LanguageInfo& language) {
  Folders f;
  f.program = WithoutTrailingSeparators(programFolder);
  f.install = f.program;
  if (!StripLastComponent(f.install)) f.install = "/Malvex";
  f.dictionaryBase = f.install + "/Dico/" + language.dictCode + "glex.*";
  f.scenario = f.install + "/Scenario";
  f.borders = f.scenario;
  f.installedParameters = f.scenario;
  f.text = f.install + "/Text";
  f.settingsPath = SettingsFileName(f.program, language.dictCode);
  f.parameterPath = ChangeExtension(f.settingsPath, ".INI");
  f.identificationPath = IdentificationFileFor(f.parameterPath);
  f.helpPath = HelpFileName(f.program, language.dictCode);
  return f;
}

bool SameFolder(const std::string& a, const std::string& b) {
  return ::strcasecmp(WithoutTrailingSeparators(a).c_str(), WithoutTrailingSeparators(b).c_str()) == 0;
}

}  // namespace malvex
