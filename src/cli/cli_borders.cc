#include "cli/cli_borders.h"

#include <cerrno>
#include <cstring>

#include "engine/engine.h"
#include "platform/files.h"

namespace malvex {

bool UseBordersFile(const std::string& path, EngineOptions& options, std::FILE* err) {
  const char* reason = nullptr;
  if (path.empty()) {
    reason = "no file name";
  } else if (FolderExists(path)) {
    reason = "it is a folder";
  } else if (std::FILE* f = std::fopen(path.c_str(), "rb"); f == nullptr) {
    reason = std::strerror(errno);
  } else {
    std::fclose(f);
  }
  if (reason != nullptr) {
    std::fprintf(err, "malvex-cli: cannot read the borders file %s: %s\n", path.c_str(), reason);
    return false;
  }
  options.bordersPath = FullPath(path);
  return true;
}

}  // namespace malvex
