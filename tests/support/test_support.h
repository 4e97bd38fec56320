// Helpers shared by the test programs.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/fatal.h"

namespace malvex::testing {

// Thrown by the test fatal-exit handler so a test can observe the code.
struct FatalExitCalled {
  int code;
};

// Installs a FatalExit handler that throws FatalExitCalled for the scope.
class CatchFatalExit {
 public:
  CatchFatalExit();
  ~CatchFatalExit();
  CatchFatalExit(const CatchFatalExit&) = delete;
  CatchFatalExit& operator=(const CatchFatalExit&) = delete;

 private:
  FatalExitHandler previous_;
};

// A fresh empty folder under the system's temporary folder, removed with
// everything in it when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  // path() / name as a string.
  std::string File(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

// Path of a file in tests/data.
std::string DataFile(const std::string& name);

// Writes `bytes` to `path`; returns false on failure.
bool WriteFile(const std::string& path, const std::string& bytes);
// Reads the whole file; empty when unreadable.
std::string ReadFile(const std::string& path);

// The lines of `text`, split at line feeds (no empty line after a last
// line feed).
std::vector<std::string> Lines(const std::string& text);

}  // namespace malvex::testing
