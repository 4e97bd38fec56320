#include "fuzz_support.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/fatal.h"

namespace malvex::fuzz {

Messages& FuzzMessages() {
  static QuietBox box;
  static Messages messages(box);
  static bool installed = [] {
    SetFatalExitHandler([](int code) { throw Refused{code}; });
    return true;
  }();
  (void)installed;
  return messages;
}

namespace {

void RemoveScratchFolder() {
  std::error_code ec;
  std::filesystem::remove_all(ScratchFolder(), ec);
}

}  // namespace

const std::string& ScratchFolder() {
  static const std::string folder = [] {
    std::string name = (std::filesystem::temp_directory_path() / "malvex-fuzz-XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) std::abort();
    return name;
  }();
  static const bool registered = [] { return std::atexit(RemoveScratchFolder) == 0; }();
  (void)registered;
  return folder;
}

std::string ScratchPath(const std::string& name) { return ScratchFolder() + "/" + name; }

bool WriteBytes(const std::string& path, const void* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
  return WriteBytes(path, bytes.data(), bytes.size());
}

std::string EditionBase() {
  if (const char* base = std::getenv("MALVEX_FUZZ_EDITION"); base != nullptr && *base != '\0') return base;
#ifdef MALVEX_FUZZ_EDITION
  return MALVEX_FUZZ_EDITION;
#else
  return std::string();
#endif
}

}  // namespace malvex::fuzz
