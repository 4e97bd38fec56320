// Feeds arbitrary bytes to the parameter file reader, as the parameter file
// and as the identification file of an installation, and reads the
// installation's parameters from them. The file read from disk and the
// same text read from memory must give the same values, and every
// parameter stays within what it may be.
#include <cctype>
#include <cstdint>
#include <cstring>
#include <string>

#include "settings/parameters.h"
#include "fuzz_support.h"
#include "platform/parameter_file.h"

namespace {

struct Key {
  const char* section;
  const char* key;
};

// The keys the installation reads, a few spellings of them, and keys it
// does not read.
constexpr Key kKeys[] = {
    {"Seuils", "BaseCalcul"},       {"Securite", "AuthIndexation"}, {"Reseau", "ClientServeur"},
    {"Reseau", "IndexPosition"},    {"Reseau", "ProgsReadOnly"},    {"Reseau", "MultiUserSetup"},
    {"Ergonomie", "SauverOptions"}, {"Ergonomie", "Messages"},      {"Ergonomie", "MessGenIndex"},
    {"Identification", "Ident"},    {"RESEAU", "clientserveur"},    {"", ""},
    {"Extension1", "Nom"},          {"a", "b"},
};

bool SameParameters(const malvex::Parameters& a, const malvex::Parameters& b) {
  return a.calculationBase == b.calculationBase && a.indexingAllowed == b.indexingAllowed &&
         a.clientServer == b.clientServer && a.indexPosition == b.indexPosition &&
         a.programsReadOnly == b.programsReadOnly && a.multiUserSetup == b.multiUserSetup &&
         a.saveOptions == b.saveOptions && a.showMessages == b.showMessages &&
         a.showReadingMessages == b.showReadingMessages && a.ident == b.ident;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  static const std::string path = fuzz::ScratchPath("malvexro.INI");
  if (!fuzz::WriteBytes(path, data, size)) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);

  ParameterFile file;
  file.Load(path);
  const Parameters p = LoadParameters(path, path);
  if (p.calculationBase != 1 && p.calculationBase != 2) __builtin_trap();
  if (p.programsReadOnly && !p.clientServer) __builtin_trap();
  if (p.ident.size() > kMaxIdent) __builtin_trap();
  for (const char c : p.ident) {
    if (std::isupper(static_cast<unsigned char>(c))) __builtin_trap();
  }
  if (!SameParameters(p, ReadParameters(file, file))) __builtin_trap();

  // Text without zero bytes reads the same from memory.
  if (std::memchr(data, 0, size) == nullptr) {
    ParameterFile memory;
    memory.LoadFromString(text);
    for (const Key& k : kKeys) {
      if (file.Has(k.section, k.key) != memory.Has(k.section, k.key) ||
          file.GetString(k.section, k.key, "?") != memory.GetString(k.section, k.key, "?"))
        __builtin_trap();
    }
    if (!SameParameters(p, ReadParameters(memory, memory))) __builtin_trap();
  }
  for (const Key& k : kKeys) {
    const std::string value = file.GetString(k.section, k.key, "");
    if (file.GetYesNo(k.section, k.key, "non") != (file.Has(k.section, k.key) && IsYes(value))) __builtin_trap();
  }
  return 0;
}
