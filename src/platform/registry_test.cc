#include "platform/registry.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "test_support.h"

namespace malvex {
namespace {

using testing::ReadFile;
using testing::TempDir;
using testing::WriteFile;

TEST(RegistryKeys, PathsOfTheEdition) {
  EXPECT_EQ(OntologiesRegistryKey("ro"), "Software/Malvex/Ontologies/V8.2/ro");
  EXPECT_EQ(ProgramRegistryKey("ro"), "Software/Malvex/Malvex/V8.2/ro");
  EXPECT_STREQ(kConverterRegistryKey, "Software/Malvex/ConversionFilters/V1.2");
}

TEST(Registry, MissingFileIsAnEmptyRegistry) {
  TempDir dir;
  Registry registry(dir.File("none/registry.ini"));
  EXPECT_TRUE(registry.Load());
  std::string value = "untouched";
  EXPECT_FALSE(registry.Get(OntologiesRegistryKey("ro"), "UserPath", value));
  EXPECT_EQ(value, "untouched");
  EXPECT_EQ(registry.GetString("s", "k", "fallback"), "fallback");
}

TEST(Registry, SaveCreatesTheFolderAndRoundTripsValues) {
  TempDir dir;
  const std::string path = dir.File("config/malvex/registry.ini");
  const std::string key = OntologiesRegistryKey("ro");
  {
    Registry registry(path);
    ASSERT_TRUE(registry.Load());
    EXPECT_TRUE(registry.Set(key, "UserPath", "/home/ana/My Malvex/Romanian"));
    EXPECT_TRUE(registry.Set(key, "MultiUser", "1"));
    EXPECT_TRUE(registry.Set(ProgramRegistryKey("ro"), "ProgramsPath", "/opt/malvex/bin"));
    EXPECT_TRUE(registry.Set("s", "spaces", "  both ends  "));
    EXPECT_TRUE(registry.Set("s", "equals", "a=b;c"));
    EXPECT_TRUE(registry.Save());
  }
  Registry again(path);
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.GetString(key, "UserPath"), "/home/ana/My Malvex/Romanian");
  EXPECT_EQ(again.GetString(key, "MultiUser"), "1");
  EXPECT_EQ(again.GetString(ProgramRegistryKey("ro"), "ProgramsPath"), "/opt/malvex/bin");
  EXPECT_EQ(again.GetString("s", "spaces"), "  both ends  ");
  EXPECT_EQ(again.GetString("s", "equals"), "a=b;c");
  // Names are compared without regard to case, as registry keys are.
  EXPECT_EQ(again.GetString("software/malvex/ontologies/v8.2/RO", "userpath"),
            "/home/ana/My Malvex/Romanian");
}

TEST(Registry, SetReplacesRemoveDeletes) {
  TempDir dir;
  Registry registry(dir.File("r.ini"));
  EXPECT_TRUE(registry.Set("a", "k", "1"));
  EXPECT_TRUE(registry.Set("A", "K", "2"));
  EXPECT_EQ(registry.GetString("a", "k"), "2");
  EXPECT_TRUE(registry.Remove("a", "k"));
  EXPECT_FALSE(registry.Remove("a", "k"));
  EXPECT_EQ(registry.GetString("a", "k", "gone"), "gone");
}

TEST(Registry, RefusesValuesThatWouldBreakTheFile) {
  Registry registry("/unused");
  EXPECT_FALSE(registry.Set("s", "k", "two\nlines"));
  EXPECT_FALSE(registry.Set("s", "k=", "v"));
  EXPECT_FALSE(registry.Set("s]", "k", "v"));
  EXPECT_FALSE(registry.Set("", "k", "v"));
  EXPECT_FALSE(registry.Set("s", "", "v"));
  EXPECT_EQ(registry.GetString("s", "k", "none"), "none");
}

TEST(Registry, ReadsHandWrittenFiles) {
  TempDir dir;
  ASSERT_TRUE(WriteFile(dir.File("r.ini"),
                        "; comment\r\n"
                        "orphan=ignored\r\n"
                        "[Software/Lumenor/Malvex/V8.2/ro]\r\n"
                        "  ProgramsPath =/opt/m\r\n"
                        "no equals sign\r\n"
                        "[other]\n"
                        "x=1\n"));
  Registry registry(dir.File("r.ini"));
  ASSERT_TRUE(registry.Load());
  EXPECT_EQ(registry.GetString(ProgramRegistryKey("ro"), "ProgramsPath"), "/opt/m");
  EXPECT_EQ(registry.GetString("other", "x"), "1");
  EXPECT_EQ(registry.GetString("other", "orphan", "none"), "none");
}

// The values earlier versions kept under their own root are found under
// the new keys, the new ones win where both exist, and the file written
// next holds the new names only.
TEST(Registry, EarlierKeysAreMovedUnderTheNewRoot) {
  TempDir dir;
  const std::string path = dir.File("registry.ini");
  ASSERT_TRUE(WriteFile(path,
                        "[Software/Lumenor/Ontologies/V8.2/ro]\n"
                        "UserPath=/home/ana/Old\n"
                        "MultiUser=1\n"
                        "[software/lumenor/ConversionFilters/V1.2]\n"
                        "pdf=/usr/bin/pdftotext\n"
                        "[Software/Malvex/Ontologies/V8.2/ro]\n"
                        "UserPath=/home/ana/New\n"
                        "[Software/Lumenorish]\n"
                        "x=1\n"));
  {
    Registry registry(path);
    ASSERT_TRUE(registry.Load());
    EXPECT_EQ(registry.GetString(OntologiesRegistryKey("ro"), "UserPath"), "/home/ana/New");
    EXPECT_EQ(registry.GetString(OntologiesRegistryKey("ro"), "MultiUser"), "1");
    EXPECT_EQ(registry.GetString(kConverterRegistryKey, "pdf"), "/usr/bin/pdftotext");
    // A section that only begins with the same letters stays as it is.
    EXPECT_EQ(registry.GetString("Software/Lumenorish", "x"), "1");
    std::string value;
    EXPECT_FALSE(registry.Get("Software/Lumenor/Ontologies/V8.2/ro", "UserPath", value));
    ASSERT_TRUE(registry.Save());
  }
  const std::string written = ReadFile(path);
  EXPECT_EQ(written.find("Software/Lumenor/"), std::string::npos) << written;
  EXPECT_EQ(written.find("lumenor/"), std::string::npos) << written;
  Registry again(path);
  ASSERT_TRUE(again.Load());
  EXPECT_EQ(again.GetString(OntologiesRegistryKey("ro"), "MultiUser"), "1");
}

TEST(Registry, FailedSaveKeepsThePreviousFile) {
  TempDir dir;
  const std::string path = dir.File("registry.ini");
  ASSERT_TRUE(WriteFile(path, "[a]\nk=old\n"));
  // A folder named like the temporary file makes the write fail.
  ASSERT_TRUE(MakeFolders(path + ".tmp"));
  Registry registry(path);
  ASSERT_TRUE(registry.Load());
  registry.Set("a", "k", "new");
  EXPECT_FALSE(registry.Save());
  EXPECT_EQ(ReadFile(path), "[a]\nk=old\n");
}

}  // namespace
}  // namespace malvex
