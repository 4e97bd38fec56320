#include "settings/parameters.h"

#include <cctype>

#include "platform/files.h"
#include "platform/parameter_file.h"

namespace malvex {

Parameters ReadParameters(const ParameterFile& file, const ParameterFile& identification) {
  Parameters p;
  std::string base = file.GetString("Seuils", "BaseCalcul", "");
  p.calculationBase = (!base.empty() && (base[0] == 'p' || base[0] == 'P')) ? 2 : 1;
  p.indexingAllowed = file.GetYesNo("Securite", "AuthIndexation", "oui");
  p.clientServer = file.GetYesNo("Reseau", "ClientServeur", "non");
  std::string position = file.GetString("Reseau", "IndexPosition", "*");
  p.indexPosition = position.empty() ? '*' : position[0];
  p.programsReadOnly = p.clientServer && file.GetYesNo("Reseau", "ProgsReadOnly", "non");
  p.multiUserSetup = file.GetYesNo("Reseau", "MultiUserSetup", "oui");
  p.saveOptions = file.GetYesNo("Ergonomie", "SauverOptions", "oui");
  p.showMessages = file.GetYesNo("Ergonomie", "Messages", "non");
  p.showReadingMessages = file.GetYesNo("Ergonomie", "MessGenIndex", "non");

  std::string ident = identification.GetString("Identification", "Ident", "");
  if (ident.size() > kMaxIdent) ident.resize(kMaxIdent);
  for (char& c : ident) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  p.ident = ident;
  return p;
}

Parameters LoadParameters(const std::string& parameterPath, const std::string& identificationPath) {
  ParameterFile file;
  file.Load(parameterPath);
  ParameterFile identification;
  identification.Load(identificationPath);
  return ReadParameters(file, identification);
}

std::string IdentificationFileFor(const std::string& parameterPath) {
  const size_t dot = ExtensionPos(parameterPath);
  const size_t start = parameterPath.size() - FilePart(parameterPath).size();
  if (dot - start >= 2) return parameterPath.substr(0, dot - 2) + "_1" + parameterPath.substr(dot);
  return parameterPath.substr(0, dot) + "_1" + parameterPath.substr(dot);
}

}  // namespace malvex
