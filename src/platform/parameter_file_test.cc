#include "platform/parameter_file.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace malvex {
namespace {

using testing::TempDir;
using testing::WriteFile;

TEST(ParameterFile, MissingFileGivesEveryDefault) {
  TempDir dir;
  ParameterFile file;
  EXPECT_FALSE(file.Load(dir.File("none.INI")));
  EXPECT_FALSE(file.Has("Reseau", "ClientServeur"));
  EXPECT_EQ(file.GetString("Reseau", "IndexPosition", "*"), "*");
  EXPECT_TRUE(file.GetYesNo("Ergonomie", "SauverOptions", "oui"));
  EXPECT_FALSE(file.GetYesNo("Ergonomie", "Messages", "non"));
}

TEST(ParameterFile, ReadsSectionsKeysAndYesNoValues) {
  TempDir dir;
  ASSERT_TRUE(WriteFile(dir.File("malvexro.INI"),
                        "; parameters\r\n"
                        "[Seuils]\r\n"
                        "BaseCalcul = propositions\r\n"
                        "[Reseau]\r\n"
                        "ClientServeur=OUI\r\n"
                        "ProgsReadOnly=Ouida\r\n"
                        "MultiUserSetup=non\r\n"
                        "IndexPosition=\"C\"\r\n"
                        "[Ergonomie]\r\n"
                        "Messages=ou\r\n"
                        "Messages=oui\r\n"));
  ParameterFile file;
  ASSERT_TRUE(file.Load(dir.File("malvexro.INI")));
  EXPECT_EQ(file.GetString("Seuils", "BaseCalcul", ""), "propositions");
  // Section and key names are compared without regard to case.
  EXPECT_EQ(file.GetString("seuils", "basecalcul", ""), "propositions");
  EXPECT_EQ(file.GetString("Reseau", "IndexPosition", "*"), "C");
  EXPECT_TRUE(file.GetYesNo("Reseau", "ClientServeur", "non"));
  EXPECT_TRUE(file.GetYesNo("Reseau", "ProgsReadOnly", "non"));
  EXPECT_FALSE(file.GetYesNo("Reseau", "MultiUserSetup", "oui"));
  // The first occurrence of a key wins.
  EXPECT_FALSE(file.GetYesNo("Ergonomie", "Messages", "oui"));
}

TEST(ParameterFile, YesMeansBeginsWithOuiInAnyCase) {
  struct Case {
    const char* text;
    bool yes;
  };
  const Case cases[] = {{"oui", true},  {"OUI", true},  {"Oui!", true}, {"ouiii", true},
                        {"non", false}, {"ou", false},  {"", false},    {" oui", false},
                        {"yes", false}, {"noui", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(IsYes(c.text), c.yes);
  }
}

TEST(ParameterFile, LoadReplacesPreviousValues) {
  ParameterFile file;
  file.LoadFromString("[a]\nk=1\n");
  EXPECT_EQ(file.GetString("a", "k", ""), "1");
  file.LoadFromString("[b]\nk=2\n");
  EXPECT_FALSE(file.Has("a", "k"));
  EXPECT_EQ(file.GetString("b", "k", ""), "2");
}

}  // namespace
}  // namespace malvex
