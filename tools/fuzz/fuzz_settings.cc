// Feeds arbitrary bytes to the settings loader as the settings file of a
// running engine (started once on the mini edition), then uses what it
// accepted: the file history and the open dialog's filter, an analysis of
// a short text under the loaded options, and a save. The file is taken
// only when it holds a whole record with the right version and trailer,
// the defaults otherwise; the loaded options stay within their bounds; and
// a saved file loads back as the very record that was saved.
//
// With MALVEX_FUZZ_SETTINGS_SEEDS naming a folder, the target writes its
// seeds there instead of fuzzing: settings files saved by the settings code
// (the defaults, then options, texts and history set through the record)
// as "prm-NN".
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/file_history.h"
#include "app/open_filters.h"
#include "fuzz_engine.h"
#include "fuzz_support.h"
#include "platform/files.h"

namespace {

using namespace malvex;

const char kText[] =
    "Casa mare e frumoas\xE3. Oameni merg la mare \xBA" "i vorbesc, b\xE2" "ntuind: bun\xE3 ziua!\r\n"
    "\xDE" "ar\xE3 de oameni \xBA" "i case; 3x pas, 12 robot, zbor \xEEn ciuda faptului. Eu nu merg.";

// The fingerprint the loads compare with the stored one (a mismatch only
// asks for the default ontology check).
uint32_t Fingerprint(Engine& engine) { return DictionaryFingerprint(engine.semanticDictionary().EntryCount(), 0); }

// Saves the engine's settings and copies the file to `folder`/prm-NN.
void SaveSeed(Engine& engine, const std::string& folder, int n) {
  std::string bytes;
  if (!engine.settings().SaveSettings() || !ReadWholeFile(engine.settings().folders().settingsPath, bytes) ||
      !fuzz::WriteBytes(folder + "/prm-0" + std::to_string(n), bytes))
    __builtin_trap();
}

void WriteSeeds(const std::string& folder) {
  Engine& engine = fuzz::TheEngine();
  MakeFolders(folder);
  Settings& settings = engine.settings();
  SettingsRecord& record = settings.record();
  settings.ResetSettings();
  SaveSeed(engine, folder, 0);

  FileHistory history(record);
  for (const char* path : {"/tmp/a.txt", "/tmp/Text/b.htm", "/tmp/c.docx", "/tmp/a.txt"}) history.Add(path);
  record.setRelationLevel(4);
  record.setClassThresholdByWords(false);
  record.setClassPertinence(250);
  record.setRemarkablePropositions(5);
  record.setBordersFile("Frontiere.dlm");
  record.setOpenFilterIndex(3);
  record.setGraphType(5);
  record.setNumbersAsSubstantives(true);
  record.setScenarioOnAllCategories(true);
  record.setKeepBorderKeywords(true);
  record.setColour(20, 0x123456);
  settings.setOpenDialogMask("*.txt");
  SaveSeed(engine, folder, 1);

  record.setScenarioFile(std::string(300, 's') + ".scn");
  record.setTextSizeWarning(1);
  record.setClassMinWords(0);
  record.setRemarkablePropositions(65535);
  for (int i = 0; i < SettingsRecord::kHistorySize; ++i) history.Add("/tmp/" + std::string(250, 'a' + i));
  SaveSeed(engine, folder, 2);
  settings.ResetSettings();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (const char* folder = std::getenv("MALVEX_FUZZ_SETTINGS_SEEDS"); folder != nullptr && *folder != '\0') {
    WriteSeeds(folder);
    std::exit(0);
  }
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const std::string home = CurrentFolder();
  Engine& engine = fuzz::TheEngine();
  static const std::string text = [] {
    const std::string path = fuzz::ScratchPath("settings-text.txt");
    if (!fuzz::WriteBytes(path, kText, sizeof kText - 1)) __builtin_trap();
    return path;
  }();
  Settings& settings = engine.settings();
  SettingsRecord& record = settings.record();
  const std::string& file = settings.folders().settingsPath;
  if (!fuzz::WriteBytes(file, data, size)) return 0;

  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const bool valid = size >= SettingsRecord::kSize && SettingsRecord::IsValidImage(bytes.substr(0, SettingsRecord::kSize));
  const bool loaded = settings.LoadSettings(Fingerprint(engine));
  if (loaded != valid) __builtin_trap();
  if (!loaded && record.image() != SettingsRecord().image()) __builtin_trap();
  if (record.relationLevel() < 1 || record.relationLevel() > 4) __builtin_trap();
  if (record.boundedChoice() < 2 || record.boundedChoice() > 5) __builtin_trap();

  FileHistory history(record);
  for (const FileHistory::MenuItem& item : history.MenuItems()) {
    if (item.slot < 1 || item.slot > FileHistory::kMenuSlots || history.Find(item.path) < 1) __builtin_trap();
  }
  history.Add(text);
  if (history.Find(text) != 1) __builtin_trap();
  const int filter = InitialOpenFilter(record.openFilterIndex());
  if (filter < 1 || filter > kOpenFilterCount) __builtin_trap();

  fuzz::AnalyseAlone(engine, text);

  if (!settings.SaveSettings()) __builtin_trap();
  std::string saved;
  if (!ReadWholeFile(file, saved) || saved != record.image()) __builtin_trap();
  if (!settings.LoadSettings(Fingerprint(engine)) || record.image() != saved) __builtin_trap();
  // The loaded folder became current; the next input starts where the
  // process started.
  SetCurrentFolder(home);
  return 0;
}
