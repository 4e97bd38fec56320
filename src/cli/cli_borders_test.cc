#include "cli/cli_borders.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "engine/engine.h"
#include "platform/files.h"
#include "test_support.h"

namespace malvex {
namespace {

// What `UseBordersFile(path)` writes on its error stream.
std::string Errors(const std::string& path, EngineOptions& options, bool& used) {
  std::FILE* err = std::tmpfile();
  EXPECT_NE(err, nullptr);
  used = UseBordersFile(path, options, err);
  std::rewind(err);
  std::string text;
  for (int c = std::fgetc(err); c != EOF; c = std::fgetc(err)) text += static_cast<char>(c);
  std::fclose(err);
  return text;
}

TEST(CliBordersTest, AReadableFileBecomesTheEnginesBordersFileByItsFullPath) {
  testing::TempDir dir;
  ASSERT_TRUE(testing::WriteFile(dir.File("b.dlm"), "X#######\tChapitre\r\n"));
  const std::string before = CurrentFolder();
  ASSERT_TRUE(SetCurrentFolder(dir.path().string()));
  EngineOptions options;
  bool used = false;
  const std::string errors = Errors("b.dlm", options, used);
  ASSERT_TRUE(SetCurrentFolder(before));
  EXPECT_TRUE(used);
  EXPECT_EQ(errors, "");
  EXPECT_EQ(options.bordersPath, dir.File("b.dlm"));
}

TEST(CliBordersTest, AFileThatCannotBeReadIsRefusedWithItsReason) {
  testing::TempDir dir;
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {dir.File("missing.dlm"), "cannot read the borders file " + dir.File("missing.dlm") + ": No such file"},
      {dir.path().string(), "cannot read the borders file " + dir.path().string() + ": it is a folder"},
      {"", "cannot read the borders file : no file name"},
  };
  for (const auto& c : cases) {
    EngineOptions options;
    options.bordersPath = "kept.dlm";
    bool used = true;
    const std::string errors = Errors(c.path, options, used);
    EXPECT_FALSE(used) << c.path;
    EXPECT_EQ(errors.rfind("malvex-cli: " + c.message, 0), 0u) << errors;
    EXPECT_EQ(options.bordersPath, "kept.dlm");
  }
}

}  // namespace
}  // namespace malvex
