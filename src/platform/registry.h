// The user registry: per-user values kept in an INI file under the XDG
// configuration folder. Sections are key paths written with '/'
// ("Software/Malvex/Ontologies/V8.2/ro"); section and value names are
// compared without regard to ASCII case, as registry keys are. Earlier
// versions wrote the keys under "Software/Lumenor/": Load moves them.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace malvex {

// Key of the user's folder values ("UserPath", "MultiUser").
std::string OntologiesRegistryKey(std::string_view dictionaryCode);
// Key of the program's values ("ProgramsPath").
std::string ProgramRegistryKey(std::string_view dictionaryCode);
// Key of the document converters.
inline constexpr char kConverterRegistryKey[] = "Software/Malvex/ConversionFilters/V1.2";

class Registry {
 public:
  // Works on the INI file `path`; nothing is read before Load.
  explicit Registry(std::string path);

  Registry(const Registry&) = delete;
  Registry& operator=(const Registry&) = delete;

  // XdgConfigHome() + "/malvex/registry.ini".
  static std::string DefaultPath();

  // Reads the file. A missing file gives an empty registry and true; an
  // unreadable one gives an empty registry and false. Sections under the
  // key of earlier versions ("Software/Lumenor/...") are taken under
  // "Software/Malvex/..."; where both exist, the values of the new one
  // win, and the next Save writes the new names only.
  bool Load();
  // Writes every value back atomically, creating the folder when missing.
  bool Save() const;

  // True and the value when `key` exists in `section`.
  bool Get(std::string_view section, std::string_view key, std::string& value) const;
  // The value, or `fallback` when missing.
  std::string GetString(std::string_view section, std::string_view key,
                        std::string_view fallback = {}) const;
  // Stores a value in memory (Save writes it). Values holding a line break
  // and empty or bracketed names are refused.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // Removes a value; true when it existed.
  bool Remove(std::string_view section, std::string_view key);

  const std::string& path() const { return path_; }

 private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
  };

  void MoveEarlierKeys();
  Section* FindSection(std::string_view name);
  const Section* FindSection(std::string_view name) const;

  std::string path_;
  std::vector<Section> sections_;
};

}  // namespace malvex
