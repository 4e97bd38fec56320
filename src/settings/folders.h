// The folders and files of an installation, derived from the folder that
// holds the program. The install folder is that folder's parent; it holds
// "Dico/", "Scenario/" and "Text/".
#pragma once

#include <string>

#include "settings/run_flags.h"

namespace malvex {

// The default ontology, in the installed parameter folder and in the
// user's scenario folder.
inline constexpr char kDefaultOntologyFile[] = "Concepts Romanian V8.scn";

struct Folders {
  std::string program;              // folder holding the program
  std::string install;              // parent of `program`
  std::string dictionaryBase;       // install + "/Dico/ro" + "glex.*"
  std::string scenario;             // install + "/Scenario", or user + "/Scenario"
  std::string borders;              // starts equal to `scenario`
  std::string installedParameters;  // install + "/Scenario"
  std::string text;                 // (user or install) + "/Text"
  std::string user;                 // the user folder in multi-user mode, else empty
  std::string settingsPath;         // program + "/malvexro.prm", or user + "/malvexro.prm"
  std::string parameterPath;        // program + "/malvexro.INI"
  std::string identificationPath;   // program + "/malvex_1.INI"
  std::string helpPath;             // program + "/malvexro.hlp"
};

// The single-user layout of an installation whose program lives in
// `programFolder`. When that folder has no parent the install folder is
// "/Malvex".
Folders DeriveFolders(const std::string& programFolder, const LanguageInfo& language);

// Folder names compared the way the system compares them: without regard
// to case, ignoring trailing separators.
bool SameFolder(const std::string& a, const std::string& b);

}  // namespace malvex
