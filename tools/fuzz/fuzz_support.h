// Shared set-up of the fuzz targets: a notification box that answers
// nothing, fatal exits turned into an exception the target catches, so
// that a refused file is an ordinary outcome of one run, and a scratch
// folder for the files the targets hand to the readers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "foundations/messages.h"
#include "platform/notify.h"

namespace malvex::fuzz {

struct Refused {
  int code;
};

class QuietBox : public NotificationBox {
 public:
  bool Show(const std::string&, BoxKind, bool, int& answer) override {
    answer = kButton1;
    return true;
  }
  bool DontShowAgain() const override { return false; }
  void LastResortError(const std::string&) override {}
};

// Installs the throwing fatal-exit handler once; returns the messages
// object the loaders report through.
Messages& FuzzMessages();

// A folder of this process under the temporary folder, made on first use
// and removed at exit.
const std::string& ScratchFolder();
// ScratchFolder() + "/" + name.
std::string ScratchPath(const std::string& name);
// Replaces the file `path` by `size` bytes of `data`.
bool WriteBytes(const std::string& path, const void* data, size_t size);
bool WriteBytes(const std::string& path, const std::string& bytes);

// The mini edition the targets that need dictionaries load: the base path
// (".../mini") its five files extend, from MALVEX_FUZZ_EDITION in the
// environment or the one the build compiled.
std::string EditionBase();

}  // namespace malvex::fuzz
