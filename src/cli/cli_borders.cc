#include "cli/cli_borders.h"

#include <cerrno>
#include <cstring>

#include "engine/engine.h"
#include "cli/analysis_settings.h"
#include "platform/files.h"

namespace malvex {

bool UseBordersFile(const std::string& path, EngineOptions& options, std::FILE* err) {
  const char* reason = nullptr;
  std::string reasonText;
  if (path.empty()) {
    reason = "no file name";
  } else if (const std::string why = UnreadableReason(path); !why.empty()) {
    reasonText = why;
    reason = reasonText.c_str();
  }
  if (reason != nullptr) {
    std::fprintf(err, "malvex-cli: cannot read the borders file %s: %s\n", path.c_str(), reason);
    return false;
  }
  options.bordersPath = FullPath(path);
  return true;
}

}  // namespace malvex
