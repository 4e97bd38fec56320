#include "settings/settings.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include <string>

#include "foundations/messages.h"
#include "platform/files.h"
#include "platform/parameter_file.h"
#include "platform/registry.h"
#include "platform/scripted_box.h"
#include "settings/setup_wizard.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

// ---------------------------------------------------------------- language

TEST(Language, CodeTable) {
  struct Case {
    int code;
    const char* dictCode;
    const char* stdCode;
    int labelId;
  };
  const Case cases[] = {{1, "fr", "fr", 590},  {3, "sp", "es", 592},  {5, "ge", "de", 594},
                        {7, "nl", "nl", 655},  {9, "gr", "el", 596},  {12, "ch", "zh", 655},
                        {13, "??", "cs", 655}, {14, "ro", "ro", 597}, {99, "zz", "??", 655},
                        {0, "??", "??", 655},  {15, "??", "??", 655}, {255, "??", "??", 655}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.code);
    const LanguageInfo& info = LanguageFor(c.code);
    EXPECT_STREQ(info.dictCode, c.dictCode);
    EXPECT_STREQ(info.stdCode, c.stdCode);
    EXPECT_EQ(info.labelId, c.labelId);
  }
}

TEST(Language, RunFlagsOfTheEdition) {
  RunFlags flags;
  const int expected[RunFlags::kSize] = {14, 1, 1, 0, 1, 0, 0, 0, 0, 1, 1};
  for (size_t i = 0; i < RunFlags::kSize; ++i) EXPECT_EQ(flags.byte(i), expected[i]) << i;
  EXPECT_STREQ(flags.language().dictCode, "ro");
  EXPECT_TRUE(flags.hyphenConcatenation());
  EXPECT_TRUE(flags.settingsMayBeSaved());
  EXPECT_FALSE(flags.analysisMade());
}

// -------------------------------------------------------------- parameters

Parameters FromText(const std::string& parameters, const std::string& identification = "") {
  ParameterFile file;
  file.LoadFromString(parameters);
  ParameterFile ident;
  ident.LoadFromString(identification);
  return ReadParameters(file, ident);
}

TEST(Parameters, DefaultsWhenTheFilesAreMissing) {
  TempDir dir;
  Parameters p = LoadParameters(dir.File("malvexro.INI"), dir.File("malvex_1.INI"));
  EXPECT_EQ(p.calculationBase, 1);
  EXPECT_TRUE(p.indexingAllowed);
  EXPECT_FALSE(p.clientServer);
  EXPECT_EQ(p.indexPosition, '*');
  EXPECT_FALSE(p.programsReadOnly);
  EXPECT_TRUE(p.multiUserSetup);
  EXPECT_TRUE(p.saveOptions);
  EXPECT_FALSE(p.showMessages);
  EXPECT_FALSE(p.showReadingMessages);
  EXPECT_EQ(p.ident, "");
}

TEST(Parameters, CalculationBase) {
  struct Case {
    const char* file;
    int base;
  };
  const Case cases[] = {
      {"[Seuils]\nBaseCalcul=propositions\n", 2},
      {"[Seuils]\nBaseCalcul=p\n", 2},
      {"[Seuils]\nBaseCalcul=mots\n", 1},
      {"[Seuils]\nBaseCalcul=words\n", 1},
      {"[Seuils]\nBaseCalcul=\n", 1},
      {"[Seuils]\n", 1},
      {"", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(FromText(c.file).calculationBase, c.base);
  }
}

TEST(Parameters, ProgramsReadOnlyNeedsClientServer) {
  struct Case {
    const char* clientServer;
    const char* readOnly;
    bool expected;
  };
  const Case cases[] = {{"oui", "oui", true},  {"non", "oui", false}, {nullptr, "oui", false},
                        {"oui", "non", false}, {"OUI", "Oui", true},  {"oui", nullptr, false}};
  for (const Case& c : cases) {
    std::string text = "[Reseau]\n";
    if (c.clientServer) text += std::string("ClientServeur=") + c.clientServer + "\n";
    if (c.readOnly) text += std::string("ProgsReadOnly=") + c.readOnly + "\n";
    SCOPED_TRACE(text);
    Parameters p = FromText(text);
    EXPECT_EQ(p.programsReadOnly, c.expected);
  }
}

TEST(Parameters, EveryKeyIsRead) {
  Parameters p = FromText(
      "[Securite]\nAuthIndexation=non\n"
      "[Reseau]\nClientServeur=oui\nIndexPosition=Dossier\nMultiUserSetup=non\n"
      "[Ergonomie]\nSauverOptions=non\nMessages=oui\nMessGenIndex=oui\n"
      "[Extension1]\nNomExtension=x\n");
  EXPECT_FALSE(p.indexingAllowed);
  EXPECT_TRUE(p.clientServer);
  EXPECT_EQ(p.indexPosition, 'D');
  EXPECT_FALSE(p.multiUserSetup);
  EXPECT_FALSE(p.saveOptions);
  EXPECT_TRUE(p.showMessages);
  EXPECT_TRUE(p.showReadingMessages);
}

TEST(Parameters, IdentIsLowerCasedAndCutAt20) {
  EXPECT_EQ(FromText("", "[Identification]\nIdent=ABCdefGHIjklMNOpqrSTUvwx\n").ident, "abcdefghijklmnopqrst");
  EXPECT_EQ(FromText("", "[Identification]\nIdent=Site-42\n").ident, "site-42");
  // The key is read from the identification file only.
  EXPECT_EQ(FromText("[Identification]\nIdent=X\n", "").ident, "");
}

TEST(Parameters, IdentificationFileName) {
  struct Case {
    const char* parameters;
    const char* identification;
  };
  const Case cases[] = {
      {"/opt/malvex/bin/malvexro.INI", "/opt/malvex/bin/malvex_1.INI"},
      {"/a.b/malvexfr.INI", "/a.b/malvex_1.INI"},
      {"C:\\Malvex\\malvexro.INI", "C:\\Malvex\\malvex_1.INI"},
      {"/x/r.INI", "/x/r_1.INI"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parameters);
    EXPECT_EQ(IdentificationFileFor(c.parameters), c.identification);
  }
}

TEST(Parameters, LoadedFromTheFilesBesideTheProgram) {
  TempDir dir;
  ASSERT_TRUE(WriteFile(dir.File("malvexro.INI"), "[Seuils]\r\nBaseCalcul=prop\r\n"));
  ASSERT_TRUE(WriteFile(dir.File("malvex_1.INI"), "[Identification]\r\nIdent=Lab\r\n"));
  Parameters p = LoadParameters(dir.File("malvexro.INI"), IdentificationFileFor(dir.File("malvexro.INI")));
  EXPECT_EQ(p.calculationBase, 2);
  EXPECT_EQ(p.ident, "lab");
}

// ----------------------------------------------------------------- folders

TEST(Folders, DerivedFromTheProgramFolder) {
  Folders f = DeriveFolders("/opt/malvex/bin", LanguageFor(kEditionLanguage));
  EXPECT_EQ(f.program, "/opt/malvex/bin");
  EXPECT_EQ(f.install, "/opt/malvex");
  EXPECT_EQ(f.dictionaryBase, "/opt/malvex/Dico/roglex.*");
  EXPECT_EQ(f.scenario, "/opt/malvex/Scenario");
  EXPECT_EQ(f.borders, "/opt/malvex/Scenario");
  EXPECT_EQ(f.installedParameters, "/opt/malvex/Scenario");
  EXPECT_EQ(f.text, "/opt/malvex/Text");
  EXPECT_EQ(f.user, "");
  EXPECT_EQ(f.settingsPath, "/opt/malvex/bin/malvexro.prm");
  EXPECT_EQ(f.parameterPath, "/opt/malvex/bin/malvexro.INI");
  EXPECT_EQ(f.identificationPath, "/opt/malvex/bin/malvex_1.INI");
  EXPECT_EQ(f.helpPath, "/opt/malvex/bin/malvexro.hlp");

  EXPECT_EQ(DeriveFolders("/opt/malvex/bin/", LanguageFor(kEditionLanguage)).install, "/opt/malvex");
  // Without a parent folder.
  EXPECT_EQ(DeriveFolders("/bin", LanguageFor(kEditionLanguage)).install, "/Malvex");
}

TEST(Folders, SameFolderIgnoresCaseAndTrailingSeparators) {
  EXPECT_TRUE(SameFolder("/Opt/Malvex/Scenario", "/opt/malvex/scenario/"));
  EXPECT_FALSE(SameFolder("/opt/malvex/Scenario", "/opt/malvex/Scenario2"));
}

// ------------------------------------------------- fixture: an installation

// An installation in a temporary folder: bin/ (the program's folder),
// Scenario/ with the default ontology, Text/ with an example text, and a
// registry and user base of its own.
class SettingsTest : public ::testing::Test {
 protected:
  SettingsTest() : box_(kButton3), messages_(box_) {
    before_ = CurrentFolder();
    install_ = root_.path().string() + "/install";
    MakeFolders(install_ + "/bin");
    MakeFolders(install_ + "/Scenario");
    MakeFolders(install_ + "/Text");
    WriteFile(install_ + "/Scenario/" + kDefaultOntologyFile, "G\tconcepts\n");
    WriteFile(install_ + "/Scenario/other.scn", "G\tother\n");
    WriteFile(install_ + "/Scenario/limits.dlm", "borders\n");
    WriteFile(install_ + "/Scenario/style.css", "css\n");
    WriteFile(install_ + "/Text/example.txt", "Un text.\n");
  }
  ~SettingsTest() override { SetCurrentFolder(before_); }

  SettingsPlaces Places() {
    SettingsPlaces places;
    places.folders = DeriveFolders(install_ + "/bin", LanguageFor(kEditionLanguage));
    places.registryPath = root_.path().string() + "/config/malvex/registry.ini";
    places.proposedUserBase = root_.path().string() + "/data";
    return places;
  }

  std::string SettingsPath() const { return install_ + "/bin/malvexro.prm"; }
  void SingleUserInstallation() { WriteFile(install_ + "/bin/malvexro.INI", "[Reseau]\nMultiUserSetup=non\n"); }

  // The texts of the boxes shown, in order.
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& asked : box_.asked()) texts.push_back(asked.text);
    return texts;
  }

  TempDir root_;
  std::string install_;
  std::string before_;
  ScriptedBox box_;
  Messages messages_;
};

// ---------------------------------------------------------- load and save

TEST_F(SettingsTest, DamagedSettingsFilesGiveTheDefaults) {
  SingleUserInstallation();
  SettingsRecord good;
  good.setGraphType(4);
  std::string image(good.image());
  std::string wrongTrailer = image;
  wrongTrailer[12815] = 7;
  std::string wrongVersion = image;
  wrongVersion[0] = 15;
  const std::string damaged[] = {image.substr(0, 12815), wrongTrailer, wrongVersion, "", "short"};
  for (const std::string& bytes : damaged) {
    SCOPED_TRACE(bytes.size());
    ASSERT_TRUE(WriteFile(SettingsPath(), bytes));
    Settings settings(messages_, Places());
    settings.record().setGraphType(3);
    settings.setOpenDialogMask("*.txt");
    EXPECT_FALSE(settings.LoadSettings(0));
    EXPECT_EQ(settings.record().image(), SettingsRecord().image());
    EXPECT_EQ(settings.openDialogMask(), "*.*");
    EXPECT_EQ(CurrentFolder(), install_ + "/Text");
  }
  EXPECT_TRUE(box_.asked().empty());  // no message for a damaged file
}

TEST_F(SettingsTest, MissingSettingsFileGivesTheDefaults) {
  SingleUserInstallation();
  Settings settings(messages_, Places());
  EXPECT_FALSE(settings.LoadSettings(0));
  EXPECT_EQ(settings.record().image(), SettingsRecord().image());
}

TEST_F(SettingsTest, SaveThenLoadIsByteExact) {
  SingleUserInstallation();
  const std::string saved = install_ + "/Text";
  {
    Settings settings(messages_, Places());
    settings.LoadSettings(0);
    SettingsRecord& r = settings.record();
    r.setGraphType(5);
    r.setRelationLevel(4);
    r.setColour(7, 0x112233);
    r.setHistoryEntry(3, "/texts/a.txt");
    r.setDictionaryFingerprint(1234);
    r.setU8(4000, 0x99);  // a byte of the option dialogs
    settings.setOpenDialogMask("*.htm");
    ASSERT_TRUE(SetCurrentFolder(saved));
    ASSERT_TRUE(settings.SaveSettings());
    const std::string bytes = ReadFile(SettingsPath());
    ASSERT_EQ(bytes.size(), 12816u);
    EXPECT_EQ(bytes, std::string(settings.record().image()));
    EXPECT_EQ(settings.record().openDialogMask(), "*.htm");
    EXPECT_EQ(settings.record().savedCurrentFolder(), saved);
  }
  ASSERT_TRUE(SetCurrentFolder(root_.path().string()));
  Settings again(messages_, Places());
  EXPECT_TRUE(again.LoadSettings(1234));
  EXPECT_EQ(std::string(again.record().image()), ReadFile(SettingsPath()));
  EXPECT_EQ(again.openDialogMask(), "*.htm");
  EXPECT_EQ(again.record().graphType(), 5);
  EXPECT_EQ(again.record().u8(4000), 0x99);
  EXPECT_EQ(CurrentFolder(), saved);  // the saved current folder is restored
}

TEST_F(SettingsTest, LoadKeepsTheRelationLevelWithin1To4) {
  SingleUserInstallation();
  struct Case {
    int stored;
    int loaded;
  };
  const Case cases[] = {{0, 1}, {1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 1}, {65535, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.stored);
    SettingsRecord record;
    record.setRelationLevel(c.stored);
    ASSERT_TRUE(WriteFile(SettingsPath(), std::string(record.image())));
    Settings settings(messages_, Places());
    ASSERT_TRUE(settings.LoadSettings(0));
    EXPECT_EQ(settings.record().relationLevel(), c.loaded);
  }
}

TEST_F(SettingsTest, LoadKeepsTheBoundedChoiceWithin2To5) {
  SingleUserInstallation();
  const int stored[] = {1, 2, 5, 6};
  const int loaded[] = {4, 2, 5, 4};
  for (int i = 0; i < 4; ++i) {
    SettingsRecord record;
    record.setBoundedChoice(stored[i]);
    ASSERT_TRUE(WriteFile(SettingsPath(), std::string(record.image())));
    Settings settings(messages_, Places());
    ASSERT_TRUE(settings.LoadSettings(0));
    EXPECT_EQ(settings.record().boundedChoice(), loaded[i]) << stored[i];
  }
}

TEST_F(SettingsTest, SavedFolderThatIsGoneFallsBackToTheTextFolder) {
  SingleUserInstallation();
  SettingsRecord record;
  record.setSavedCurrentFolder(root_.path().string() + "/gone");
  ASSERT_TRUE(WriteFile(SettingsPath(), std::string(record.image())));
  Settings settings(messages_, Places());
  ASSERT_TRUE(settings.LoadSettings(0));
  EXPECT_EQ(CurrentFolder(), install_ + "/Text");
}

TEST_F(SettingsTest, ChangedDictionariesSetTheOntologyCheck) {
  SingleUserInstallation();
  SettingsRecord record;
  record.setCheckDefaultOntology(false);
  record.setDictionaryFingerprint(DictionaryFingerprint(100, 20));
  ASSERT_TRUE(WriteFile(SettingsPath(), std::string(record.image())));
  {
    Settings settings(messages_, Places());
    ASSERT_TRUE(settings.LoadSettings(146));
    EXPECT_FALSE(settings.record().checkDefaultOntology());
  }
  Settings settings(messages_, Places());
  ASSERT_TRUE(settings.LoadSettings(147));
  EXPECT_TRUE(settings.record().checkDefaultOntology());
}

TEST_F(SettingsTest, FailedSaveLeavesThePreviousFileIntact) {
  SingleUserInstallation();
  Settings settings(messages_, Places());
  settings.LoadSettings(0);
  settings.record().setGraphType(2);
  ASSERT_TRUE(settings.SaveSettings());
  const std::string before = ReadFile(SettingsPath());

  // The temporary file cannot be created: a folder holds its name.
  ASSERT_TRUE(MakeFolders(SettingsPath() + ".tmp"));
  settings.record().setGraphType(3);
  EXPECT_FALSE(settings.SaveSettings());
  EXPECT_EQ(ReadFile(SettingsPath()), before);

  // The settings path itself is a folder: nothing is deleted.
  SettingsPlaces places = Places();
  places.folders.settingsPath = root_.path().string() + "/folder.prm";
  ASSERT_TRUE(MakeFolders(places.folders.settingsPath));
  ASSERT_TRUE(WriteFile(places.folders.settingsPath + "/inside", "kept"));
  Settings other(messages_, places);
  EXPECT_FALSE(other.SaveSettings());
  EXPECT_EQ(ReadFile(places.folders.settingsPath + "/inside"), "kept");
}

TEST_F(SettingsTest, SaveOnAFullDiskKeepsThePreviousFile) {
  SingleUserInstallation();
  Settings settings(messages_, Places());
  settings.LoadSettings(0);
  settings.record().setGraphType(2);
  ASSERT_TRUE(settings.SaveSettings());
  const std::string before = ReadFile(SettingsPath());
  ASSERT_EQ(before.size(), 12816u);

  // Writes past 1,000 bytes fail as they would on a full disk.
  settings.record().setGraphType(3);
  struct rlimit saved;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  void (*previous)(int) = ::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 1000;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const bool written = settings.SaveSettings();
  ::setrlimit(RLIMIT_FSIZE, &saved);
  ::signal(SIGXFSZ, previous);

  EXPECT_FALSE(written);
  EXPECT_EQ(ReadFile(SettingsPath()), before);
  int64_t size = 0;
  EXPECT_FALSE(FileExists(SettingsPath() + ".tmp", size));
}

TEST_F(SettingsTest, SaveHonoursFlagsAndParameters) {
  struct Case {
    const char* parameters;
    bool mayBeSaved;
    bool written;
  };
  const Case cases[] = {
      {"[Reseau]\nMultiUserSetup=non\n", true, true},
      {"[Reseau]\nMultiUserSetup=non\n", false, false},
      {"[Reseau]\nMultiUserSetup=non\n[Ergonomie]\nSauverOptions=non\n", true, false},
      {"[Reseau]\nMultiUserSetup=non\nClientServeur=oui\nProgsReadOnly=oui\n", true, false},
      {"[Reseau]\nMultiUserSetup=non\nProgsReadOnly=oui\n", true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.parameters);
    DeleteFile(SettingsPath());
    ASSERT_TRUE(WriteFile(install_ + "/bin/malvexro.INI", c.parameters));
    Settings settings(messages_, Places());
    settings.LoadSettings(0);
    settings.runFlags().setSettingsMayBeSaved(c.mayBeSaved);
    EXPECT_EQ(settings.SaveSettings(), c.written);
    int64_t size = 0;
    EXPECT_EQ(FileExists(SettingsPath(), size), c.written);
  }
}

// --------------------------------------------------- scenario folder check

TEST_F(SettingsTest, CheckInScenarioFolder) {
  Settings settings(messages_, Places());
  const std::string scenario = install_ + "/Scenario";
  EXPECT_TRUE(settings.CheckInScenarioFolder(scenario + "/a.scn"));
  std::string upper = install_ + "/SCENARIO/b.scn";
  EXPECT_TRUE(settings.CheckInScenarioFolder(upper));
  EXPECT_TRUE(box_.asked().empty());

  EXPECT_FALSE(settings.CheckInScenarioFolder(install_ + "/Text/a.scn"));
  EXPECT_FALSE(settings.CheckInScenarioFolder(scenario + "/sub/a.scn"));
  EXPECT_FALSE(settings.CheckInScenarioFolder("a.scn"));
  ASSERT_EQ(box_.asked().size(), 3u);
  std::string expected = messages_.message(1221) + "\"" + scenario + "\" ";
  expected += messages_.message(1222);
  EXPECT_EQ(box_.asked()[0].text, expected);
  EXPECT_EQ(box_.asked()[0].kind, BoxKind::kMessage);
}

// ------------------------------------------------ copy of parameter files

// Multi-user folders without running the set-up: the user's scenario and
// text folders under the temporary root.
Folders UserFolders(Folders f, const std::string& user) {
  f.user = user;
  f.scenario = user + "/Scenario";
  f.borders = f.scenario;
  f.text = user + "/Text";
  return f;
}

TEST_F(SettingsTest, CopyParameterFilesMovesExistingScenariosAside) {
  const std::string user = root_.path().string() + "/user";
  SettingsPlaces places = Places();
  places.folders = UserFolders(places.folders, user);
  ASSERT_TRUE(MakeFolders(user + "/Scenario"));
  ASSERT_TRUE(WriteFile(user + "/Scenario/other.scn", "user's own\n"));
  ASSERT_TRUE(WriteFile(user + "/Scenario/other.old", "older copy\n"));
  ASSERT_TRUE(WriteFile(user + "/Scenario/style.css", "user css\n"));
  Settings settings(messages_, places);

  EXPECT_TRUE(settings.CopyParameterFiles());
  EXPECT_EQ(ReadFile(user + "/Scenario/other.scn"), "G\tother\n");
  EXPECT_EQ(ReadFile(user + "/Scenario/other.old"), "user's own\n");
  EXPECT_EQ(ReadFile(user + "/Scenario/limits.dlm"), "borders\n");
  EXPECT_EQ(ReadFile(user + "/Scenario/style.css"), "css\n");  // overwritten, nothing kept
  int64_t size = 0;
  EXPECT_FALSE(FileExists(user + "/Scenario/style.old", size));
  EXPECT_TRUE(FolderExists(user + "/Text"));
  EXPECT_EQ(CurrentFolder(), user + "/Text");
  EXPECT_FALSE(FileExists(user + "/Text/example.txt", size));  // not asked for
  EXPECT_TRUE(box_.asked().empty());
}

TEST_F(SettingsTest, FailedCopyGroupAsks831AndNoStops) {
  const std::string user = root_.path().string() + "/user";
  SettingsPlaces places = Places();
  places.folders = UserFolders(places.folders, user);
  // A folder where the ".scn" copy must go makes that group fail.
  ASSERT_TRUE(MakeFolders(user + "/Scenario/other.scn/inside"));
  ASSERT_TRUE(MakeFolders(user + "/Scenario/other.old/inside"));
  {
    Settings settings(messages_, places);
    box_.QueueAnswer(kButton3);  // No
    EXPECT_FALSE(settings.CopyParameterFiles());
    ASSERT_EQ(box_.asked().size(), 1u);
    EXPECT_EQ(box_.asked()[0].text, messages_.message(831));
    int64_t size = 0;
    EXPECT_FALSE(FileExists(user + "/Scenario/limits.dlm", size));  // stopped
  }
  box_.ClearRecords();
  {
    Settings settings(messages_, places);
    box_.QueueAnswer(kButton1);  // Yes: go on
    EXPECT_FALSE(settings.CopyParameterFiles());
    EXPECT_EQ(box_.asked().size(), 1u);
    EXPECT_EQ(ReadFile(user + "/Scenario/limits.dlm"), "borders\n");
    EXPECT_EQ(ReadFile(user + "/Scenario/style.css"), "css\n");
    EXPECT_TRUE(FolderExists(user + "/Scenario/other.scn/inside"));  // never overwritten
  }
}

TEST_F(SettingsTest, CopyParameterFilesIntoTheSameFolderTouchesNothing) {
  Settings settings(messages_, Places());
  EXPECT_TRUE(settings.CopyParameterFiles());
  int64_t size = 0;
  EXPECT_TRUE(FileExists(install_ + "/Scenario/other.scn", size));
  EXPECT_FALSE(FileExists(install_ + "/Scenario/other.old", size));
}

// ------------------------------------------------- default ontology check

TEST_F(SettingsTest, MissingDefaultOntologyAsksToReinstall) {
  const std::string user = root_.path().string() + "/user";
  SettingsPlaces places = Places();
  places.folders = UserFolders(places.folders, user);
  ASSERT_TRUE(MakeFolders(user + "/Scenario"));
  Settings settings(messages_, places);

  box_.QueueAnswer(kButton3);  // No
  settings.CheckDefaultOntology();
  ASSERT_EQ(box_.asked().size(), 1u);
  std::string expected = messages_.message(1365) + " ";
  expected += messages_.message(1367);
  EXPECT_EQ(box_.asked()[0].text, expected);
  EXPECT_EQ(box_.asked()[0].kind, BoxKind::kYesNoDefaultNo);
  int64_t size = 0;
  EXPECT_FALSE(FileExists(user + "/Scenario/" + kDefaultOntologyFile, size));

  box_.QueueAnswer(kButton1);  // Yes
  settings.CheckDefaultOntology();
  EXPECT_TRUE(FileExists(user + "/Scenario/" + kDefaultOntologyFile, size));
}

TEST_F(SettingsTest, NewerInstalledOntologyAsksWithDontShowAgain) {
  const std::string user = root_.path().string() + "/user";
  SettingsPlaces places = Places();
  places.folders = UserFolders(places.folders, user);
  ASSERT_TRUE(MakeFolders(user + "/Scenario"));
  const std::string mine = user + "/Scenario/" + kDefaultOntologyFile;
  ASSERT_TRUE(WriteFile(mine, "G\tmine\n"));
  // The user's copy is older than the installed one.
  const struct timespec older[2] = {{978307200, 0}, {978307200, 0}};  // 2001-01-01
  ASSERT_EQ(::utimensat(AT_FDCWD, mine.c_str(), older, 0), 0);
  Settings settings(messages_, places);

  settings.record().setCheckDefaultOntology(false);
  settings.CheckDefaultOntology();
  EXPECT_TRUE(box_.asked().empty());

  settings.record().setCheckDefaultOntology(true);
  box_.SetCheckBoxState(true);
  box_.QueueAnswer(kButton3);  // No, and do not ask again
  settings.CheckDefaultOntology();
  ASSERT_EQ(box_.asked().size(), 1u);
  std::string expected = messages_.message(1366) + " ";
  expected += messages_.message(1368);
  EXPECT_EQ(box_.asked()[0].text, expected);
  EXPECT_TRUE(box_.asked()[0].withCheckBox);
  EXPECT_FALSE(settings.record().checkDefaultOntology());
  EXPECT_EQ(ReadFile(mine), "G\tmine\n");

  settings.record().setCheckDefaultOntology(true);
  box_.SetCheckBoxState(false);
  box_.QueueAnswer(kButton1);  // Yes
  settings.CheckDefaultOntology();
  EXPECT_TRUE(settings.record().checkDefaultOntology());
  EXPECT_EQ(ReadFile(mine), "G\tconcepts\n");
  EXPECT_EQ(ReadFile(user + "/Scenario/Concepts Romanian V8.old"), "G\tmine\n");
}

// ------------------------------------------------------ set-up wizard model

TEST_F(SettingsTest, WizardComposesTheUserFolder) {
  const LanguageInfo& ro = LanguageFor(kEditionLanguage);
  const std::string base = root_.path().string() + "/data";
  SetupWizardModel model(messages_, ro, base);
  EXPECT_TRUE(model.multiUserChosen());  // the recommended choice
  const std::string suffix = "/Malvex/" + messages_.message(597);
  EXPECT_EQ(model.ComposeUserFolder(), base + suffix);
  model.setBaseFolder(base + "/");
  EXPECT_EQ(model.ComposeUserFolder(), base + suffix);

  struct Case {
    const char* base;
    std::string expected;
  };
  const std::string parameters = messages_.message(894);
  const Case cases[] = {
      {"/", "/" + parameters + suffix},
      {"/ab", "/ab/" + parameters + suffix},
      {"", "/" + parameters + suffix},
      {"/abc", "/abc" + suffix},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.base);
    model.setBaseFolder(c.base);
    EXPECT_EQ(model.ComposeUserFolder(), c.expected);
  }
}

TEST_F(SettingsTest, WizardFinishCreatesTheFolderOrStaysOpen) {
  const LanguageInfo& ro = LanguageFor(kEditionLanguage);
  {
    SetupWizardModel model(messages_, ro, root_.path().string() + "/data");
    model.setCopyExampleTexts(false);
    EXPECT_TRUE(model.Finish());
    EXPECT_TRUE(model.finished());
    EXPECT_TRUE(model.multiUser());
    EXPECT_TRUE(FolderExists(model.userFolder()));
    EXPECT_FALSE(model.copyExampleTexts());
  }
  {
    // A file where a folder must be created.
    ASSERT_TRUE(WriteFile(root_.path().string() + "/blocked", "x"));
    SetupWizardModel model(messages_, ro, root_.path().string() + "/blocked");
    EXPECT_FALSE(model.Finish());
    EXPECT_FALSE(model.finished());
    EXPECT_FALSE(model.multiUser());
    ASSERT_EQ(box_.asked().size(), 1u);
    EXPECT_EQ(box_.asked()[0].text, messages_.message(3));
    // The user picks another folder; the wizard can then close.
    model.setBaseFolder(root_.path().string() + "/elsewhere");
    EXPECT_TRUE(model.Finish());
  }
  {
    SetupWizardModel model(messages_, ro, "/does/not/matter");
    model.chooseMultiUser(false);
    EXPECT_TRUE(model.Finish());
    EXPECT_FALSE(model.multiUser());
    EXPECT_EQ(model.userFolder(), "");
  }
}

// ------------------------------------------------------- user-folder set-up

TEST_F(SettingsTest, FirstRunMultiUserSetUp) {
  int wizardRuns = 0;
  std::string userFolder;
  {
    Settings settings(messages_, Places());
    settings.setWizardRunner([&](SetupWizardModel& model) {
      ++wizardRuns;
      model.setCopyExampleTexts(true);
      model.Finish();
    });
    EXPECT_FALSE(settings.LoadSettings(0));
    EXPECT_EQ(wizardRuns, 1);
    EXPECT_TRUE(settings.multiUser());
    userFolder = settings.folders().user;
    EXPECT_EQ(userFolder, root_.path().string() + "/data/Malvex/" + messages_.message(597));
    EXPECT_EQ(settings.folders().scenario, userFolder + "/Scenario");
    EXPECT_EQ(settings.folders().borders, userFolder + "/Scenario");
    EXPECT_EQ(settings.folders().installedParameters, install_ + "/Scenario");
    EXPECT_EQ(settings.folders().settingsPath, userFolder + "/malvexro.prm");
    // The parameter files and the example texts were copied.
    EXPECT_EQ(ReadFile(userFolder + "/Scenario/" + kDefaultOntologyFile), "G\tconcepts\n");
    EXPECT_EQ(ReadFile(userFolder + "/Text/example.txt"), "Un text.\n");
    ASSERT_TRUE(settings.SaveSettings());
  }
  Registry registry(root_.path().string() + "/config/malvex/registry.ini");
  ASSERT_TRUE(registry.Load());
  EXPECT_EQ(registry.GetString(OntologiesRegistryKey("ro"), "UserPath"), userFolder);
  EXPECT_EQ(registry.GetString(OntologiesRegistryKey("ro"), "MultiUser"), "1");
  EXPECT_EQ(registry.GetString(ProgramRegistryKey("ro"), "ProgramsPath"), install_ + "/bin");
  int64_t size = 0;
  EXPECT_TRUE(FileExists(userFolder + "/malvexro.prm", size));
  EXPECT_FALSE(FileExists(SettingsPath(), size));

  // The next start reads the registry and asks nothing.
  Settings next(messages_, Places());
  next.setWizardRunner([&](SetupWizardModel&) { ++wizardRuns; });
  EXPECT_TRUE(next.LoadSettings(0));
  EXPECT_EQ(wizardRuns, 1);
  EXPECT_EQ(next.folders().settingsPath, userFolder + "/malvexro.prm");
  EXPECT_TRUE(box_.asked().empty());
}

TEST_F(SettingsTest, SingleUserChoiceIsRecorded) {
  Settings settings(messages_, Places());
  settings.setWizardRunner([](SetupWizardModel& model) {
    model.chooseMultiUser(false);
    model.Finish();
  });
  settings.LoadSettings(0);
  EXPECT_FALSE(settings.multiUser());
  EXPECT_EQ(settings.folders().scenario, install_ + "/Scenario");
  EXPECT_EQ(settings.folders().settingsPath, SettingsPath());
  Registry registry(root_.path().string() + "/config/malvex/registry.ini");
  ASSERT_TRUE(registry.Load());
  EXPECT_EQ(registry.GetString(OntologiesRegistryKey("ro"), "MultiUser"), "0");
  EXPECT_EQ(registry.GetString(OntologiesRegistryKey("ro"), "UserPath"), install_ + "/bin");
}

TEST_F(SettingsTest, WizardClosedWithoutFinishingRecordsNoChoice) {
  Settings settings(messages_, Places());
  settings.setWizardRunner([](SetupWizardModel&) {});
  settings.LoadSettings(0);
  EXPECT_FALSE(settings.multiUser());
  Registry registry(root_.path().string() + "/config/malvex/registry.ini");
  ASSERT_TRUE(registry.Load());
  std::string value;
  EXPECT_FALSE(registry.Get(OntologiesRegistryKey("ro"), "UserPath", value));
  EXPECT_FALSE(registry.Get(OntologiesRegistryKey("ro"), "MultiUser", value));
}

TEST_F(SettingsTest, ProgramsPathIsBroughtUpToDate) {
  Registry registry(root_.path().string() + "/config/malvex/registry.ini");
  registry.Set(OntologiesRegistryKey("ro"), "UserPath", install_ + "/bin");
  registry.Set(OntologiesRegistryKey("ro"), "MultiUser", "0");
  registry.Set(ProgramRegistryKey("ro"), "ProgramsPath", "/old/place");
  ASSERT_TRUE(registry.Save());
  Settings settings(messages_, Places());
  settings.LoadSettings(0);
  EXPECT_FALSE(settings.multiUser());
  Registry after(registry.path());
  ASSERT_TRUE(after.Load());
  EXPECT_EQ(after.GetString(ProgramRegistryKey("ro"), "ProgramsPath"), install_ + "/bin");
}

}  // namespace
}  // namespace malvex
