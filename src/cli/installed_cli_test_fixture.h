// Tests that run malvex-cli as a program: the program and the mini edition
// installed in a scratch folder with a short text about robots and houses,
// run there with its own settings folders and Qt's offscreen platform.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "test_installation.h"
#include "test_support.h"

namespace malvex {

inline constexpr char kCliRobotsText[] =
    "Robot merge la casa. Casa vede robot. Robot merge la casa. Casa vede robot. Robot merge la casa mare. "
    "Robot vorbe\xBAte de casa. Casa vede robot.";

class InstalledCliTest : public ::testing::Test {
 protected:
  // Installs the edition and the program, and the text as `textName`.
  void Install(const std::string& textName) {
    text_ = textName;
    ASSERT_TRUE(testing::WriteTestInstallation(dir_.path(), MALVEX_TEST_EDITION));
    std::error_code ec;
    std::filesystem::copy_file(MALVEX_CLI_PROGRAM, dir_.path() / "bin" / "malvex-cli", ec);
    ASSERT_FALSE(ec) << ec.message();
    ASSERT_TRUE(testing::WriteFile(dir_.File(text_), kCliRobotsText));
  }

  // Runs "malvex-cli -q ARGS TEXT" in the folder; standard output goes to
  // out.txt, standard error to err.txt. Returns the exit status.
  int Run(const std::string& args) {
    const std::string command = "cd '" + dir_.path().string() + "' && XDG_CONFIG_HOME='" + dir_.File("config") +
                                "' XDG_DATA_HOME='" + dir_.File("data") + "' XDG_RUNTIME_DIR='" + dir_.File("run") +
                                "' QT_QPA_PLATFORM=offscreen ./bin/malvex-cli -q " + args + " " + text_ +
                                " > out.txt 2> err.txt";
    std::filesystem::create_directories(dir_.File("run"));
    std::filesystem::permissions(dir_.File("run"), std::filesystem::perms::owner_all);
    const int status = std::system(command.c_str());
    EXPECT_TRUE(WIFEXITED(status));
    return WEXITSTATUS(status);
  }
  std::string Err() { return testing::ReadFile(dir_.File("err.txt")); }

  testing::TempDir dir_;
  std::string text_;
};

}  // namespace malvex
