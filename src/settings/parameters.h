// The read-only parameters of the installation: the parameter file
// ("malvexro.INI" beside the program) and the identification file.
#pragma once

#include <string>

namespace malvex {

class ParameterFile;

struct Parameters {
  // [Seuils] BaseCalcul: 2 (propositions) for a value beginning with "p",
  // else 1 (words).
  int calculationBase = 1;
  // [Securite] AuthIndexation.
  bool indexingAllowed = true;
  // [Reseau] ClientServeur.
  bool clientServer = false;
  // [Reseau] IndexPosition: one character.
  char indexPosition = '*';
  // [Reseau] ProgsReadOnly; always false unless clientServer.
  bool programsReadOnly = false;
  // [Reseau] MultiUserSetup: per-user folders.
  bool multiUserSetup = true;
  // [Ergonomie] SauverOptions: save the settings file on exit.
  bool saveOptions = true;
  // [Ergonomie] Messages: show non-essential messages.
  bool showMessages = false;
  // [Ergonomie] MessGenIndex: show the messages of the reading pass.
  bool showReadingMessages = false;
  // [Identification] Ident of the identification file: at most 20
  // characters, lower-cased.
  std::string ident;
};

// Maximum length of the installation identifier.
inline constexpr size_t kMaxIdent = 20;

// The parameters held by the two files; every missing key takes its
// default. The "Extension1".."Extension10" sections are not read.
Parameters ReadParameters(const ParameterFile& parameterFile, const ParameterFile& identificationFile);
// Reads both files from disk; missing files give the defaults.
Parameters LoadParameters(const std::string& parameterPath, const std::string& identificationPath);

// The identification file of a parameter file: the two characters before
// the extension replaced by "_1" ("malvexro.INI" -> "malvex_1.INI"); with a
// shorter base name "_1" is inserted before the extension.
std::string IdentificationFileFor(const std::string& parameterPath);

}  // namespace malvex
