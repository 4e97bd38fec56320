// Feeds arbitrary bytes to the borders file loader, compiles the entries,
// asks for a few borders, and checks that what is saved loads back the
// same when it reads back in the encoding it was written in.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "dictionaries/borders.h"
#include "fuzz_support.h"

namespace {

const std::string& ScratchFile() {
  static const std::string path = [] {
    char name[] = "/tmp/malvex-fuzz-borders-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    return std::string(name);
  }();
  return path;
}

bool WriteBytes(const std::string& path, const uint8_t* data, size_t size) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = size == 0 || std::fwrite(data, 1, size, f) == size;
  return std::fclose(f) == 0 && ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  Messages& messages = fuzz::FuzzMessages();
  try {
    const std::string& path = ScratchFile();
    if (!WriteBytes(path, data, size)) return 0;
    BordersStore store(messages);
    if (!store.Load(path)) return 0;
    store.Compile((size & 1) != 0);
    bool starts = false;
    for (const char* w : {"chapitre", "a", "concluzii", ""}) (void)store.IsBorder(w, starts);
    const std::string saved = store.Serialize();
    if (!WriteBytes(path, reinterpret_cast<const uint8_t*>(saved.data()), saved.size())) return 0;
    BordersStore again(messages);
    if (!again.Load(path)) __builtin_trap();
    // Code-page text can happen to be well-formed UTF-8 once the lines the
    // load dropped are gone; read back so, it is another text. Read back in
    // the encoding it was written in, it must be the same.
    if (again.FileEncoding() == store.FileEncoding() && again.Serialize() != saved) __builtin_trap();
  } catch (const fuzz::Refused&) {
  }
  return 0;
}
