// A minimal installation of Malvex in a folder, for the tests that start an
// engine: bin/, Text/ and Dico/ holding the five dictionary files of an
// edition, either one that knows no word (written with the engine's own
// builders) or a copy of a compiled edition such as the tests' mini
// edition. Header-only: the support library is also linked into test
// programs below the dictionaries.
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

#include "dictionaries/category_matrix.h"
#include "dictionaries/lemma_index.h"
#include "dictionaries/lexicon_builder.h"
#include "dictionaries/semantic_dictionary_builder.h"
#include "foundations/language_tables.h"
#include "platform/basic_gauges.h"
#include "platform/front_end.h"
#include "platform/scripted_box.h"
#include "reading/word_stream.h"
#include "settings/folders.h"
#include "settings/settings.h"

namespace malvex::testing {

// The dictionary base of an installation, relative to its root; the engine
// finds "roglex.lv8" and the others there.
inline constexpr char kTestDictionaryBase[] = "Dico/roglex";
inline constexpr const char* kTestDictionaryExtensions[] = {".lv8", ".sv8", ".vv8", ".av8", ".zv8"};

// Creates bin/, Text/ and Dico/ under `root` and writes the dictionary
// files: with an empty `edition`, an edition that knows no word and has a
// zero category matrix; otherwise copies of `edition` + each extension
// (`edition` is a base path such as ".../mini"). False when a folder or a
// file cannot be made.
inline bool WriteTestInstallation(const std::filesystem::path& root, const std::string& edition = std::string()) {
  std::error_code ec;
  for (const char* folder : {"bin", "Text", "Dico"}) {
    std::filesystem::create_directories(root / folder, ec);
    if (ec) return false;
  }
  const std::string base = (root / kTestDictionaryBase).string();
  if (!edition.empty()) {
    for (const char* ext : kTestDictionaryExtensions) {
      std::filesystem::copy_file(edition + ext, base + ext, std::filesystem::copy_options::overwrite_existing, ec);
      if (ec) return false;
    }
    return true;
  }
  LemmaIndex verbs(29, 7);
  verbs.CreateEmpty();
  LemmaIndex adjectives(29, 7);
  adjectives.CreateEmpty();
  return LexiconBuilder(DefaultLanguageTables()).Write(base + ".lv8") &&
         SemanticDictionaryBuilder().Write(base + ".sv8") && verbs.Save(base + kVerbLemmaExtension) &&
         adjectives.Save(base + kAdjectiveLemmaExtension) && CategoryMatrix().Write(base + ".zv8");
}

// The places of an engine running from the installation under `root`: its
// bin/ folder, and the user registry and proposed user folder inside
// `root`, so that nothing outside it is read or written.
inline SettingsPlaces TestSettingsPlaces(const std::filesystem::path& root) {
  SettingsPlaces places;
  places.folders = DeriveFolders((root / "bin").string(), LanguageFor(kEditionLanguage));
  places.registryPath = (root / "registry.ini").string();
  places.proposedUserBase = (root / "home").string();
  return places;
}

// A front end for tests that start an engine: scripted boxes (answering
// "closed" unless told otherwise) and silent gauges.
class QuietFrontEnd : public FrontEnd {
 public:
  NotificationBox& Box() override { return box; }
  std::unique_ptr<Gauge> CreateGauge() override { return std::make_unique<SilentGauge>(); }
  ScriptedBox box;
};

// The word stream as "text[separator]@position" items joined by blanks.
inline std::string DumpStream(WordStream& stream) {
  std::string out;
  stream.Rewind();
  WordInfo info;
  const char* sep = nullptr;
  int32_t pos = 0;
  while (const char* text = stream.Next(info, sep, pos)) {
    if (!out.empty()) out += ' ';
    out += std::string(text) + "[" + sep + "]@" + std::to_string(pos);
  }
  return out;
}

}  // namespace malvex::testing
