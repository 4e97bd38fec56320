// An engine for the benchmarks that time work done on an analysed text: a
// scratch copy of the edition, a started engine, and a text file in its
// Text folder written and analysed on demand.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "../tests/support/test_installation.h"
#include "bench_support.h"
#include "engine/engine.h"

namespace malvex::bench {

class BenchEngine {
 public:
  // Copies the edition `dictionaryBase` and starts the engine; false, with
  // a line on standard error, when either fails.
  bool Start(const char* dictionaryBase) {
    if (dir_.path().empty() || !malvex::testing::WriteTestInstallation(dir_.path(), dictionaryBase)) {
      std::fprintf(stderr, "cannot copy the edition %s\n", dictionaryBase);
      return false;
    }
    file_ = (dir_.path() / "Text" / "bench.txt").string();
    EngineOptions options;
    options.places = malvex::testing::TestSettingsPlaces(dir_.path());
    engine_ = std::make_unique<Engine>(frontEnd_, options);
    if (!engine_->StartEngine()) {
      std::fprintf(stderr, "the engine did not start\n");
      return false;
    }
    return true;
  }

  // Writes `text` (code page 1250) to the text file, replacing what it
  // held, and analyses it; false, with a line on standard error, when the
  // file cannot be written or the analysis fails.
  bool Analyse(const std::string& text) {
    {
      std::ofstream out(file_, std::ios::binary | std::ios::trunc);
      out.write(text.data(), static_cast<std::streamsize>(text.size()));
      if (!out) {
        std::fprintf(stderr, "cannot write %s\n", file_.c_str());
        return false;
      }
    }
    engine_->files().Clear();
    engine_->files().Add(file_);
    if (!engine_->RunAnalysis(1) || engine_->analysis() == nullptr) {
      std::fprintf(stderr, "analysis failed\n");
      return false;
    }
    return true;
  }

  Engine& engine() { return *engine_; }
  const std::string& file() const { return file_; }
  // The scratch installation's folder (removed with the object).
  const std::filesystem::path& folder() const { return dir_.path(); }

 private:
  ScratchFolder dir_;
  malvex::testing::QuietFrontEnd frontEnd_;
  std::unique_ptr<Engine> engine_;
  std::string file_;
};

}  // namespace malvex::bench
