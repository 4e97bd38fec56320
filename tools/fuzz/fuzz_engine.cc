#include "fuzz_engine.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "settings/folders.h"
#include "fuzz_support.h"
#include "platform/basic_gauges.h"
#include "platform/fatal.h"
#include "platform/files.h"
#include "semantic/analysis_context.h"
#include "test_installation.h"

namespace malvex::fuzz {

const char kDefaultScenario[] =
    "G#0V\t1\tLocuri\r\n"
    "0#1#\tcas\xE3\tLocuri\r\n"
    "1#1#\tlocuin\xFE\xE3\tLocuri\r\n"
    "S#1#\t\xFE" "ar\xE3\tLocuri\r\n"
    "G#1V\t2\tApe\r\n"
    "0#2#\tmare\tApe\r\n"
    "2#2#\tnatur\xE3\tApe\r\n"
    "G#0V\t3\tOameni\r\n"
    "3#1#\tvia\xFE\xE3\tOameni\r\n"
    "V#1#\tmerge\tOameni\r\n"
    "A#1#\tfrumos\tOameni\r\n"
    "0#1#\tbun\xE3_ziua\tOameni\r\n"
    "G#1H\t4\tAscuns\r\n"
    "0#2#\tvorb\xE3\tAscuns\r\n"
    "G#0V\t5\tNecunoscute\r\n"
    "S#1#\tnimic\tNecunoscute\r\n";

namespace {

class FuzzFrontEnd : public FrontEnd {
 public:
  NotificationBox& Box() override { return box_; }
  std::unique_ptr<Gauge> CreateGauge() override { return std::make_unique<SilentGauge>(); }

 private:
  QuietBox box_;
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "fuzz engine: %s\n", what);
  std::abort();
}

Engine* StartEngine() {
  SetFatalExitHandler([](int code) {
    std::fprintf(stderr, "fuzz engine: fatal exit %d\n", code);
    std::abort();
  });
  const std::filesystem::path root = std::filesystem::path(ScratchFolder()) / "install";
  // The registry and the user folders of the XDG variables stay inside the
  // scratch folder too.
  setenv("XDG_CONFIG_HOME", (root / "config").c_str(), 1);
  setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
  const std::string edition = EditionBase();
  if (edition.empty() || !testing::WriteTestInstallation(root, edition)) Fail("no installation of the mini edition");
  std::error_code ec;
  std::filesystem::create_directories(root / "Scenario", ec);
  SettingsPlaces places = testing::TestSettingsPlaces(root);
  if (!WriteBytes(places.folders.scenario + "/" + kDefaultOntologyFile, kDefaultScenario, sizeof kDefaultScenario - 1) ||
      !WriteBytes(places.folders.parameterPath,
                  std::string("[Reseau]\nMultiUserSetup=non\n[Ergonomie]\nMessages=oui\nMessGenIndex=oui\n")))
    Fail("cannot write the installation");
  static FuzzFrontEnd frontEnd;
  EngineOptions options;
  options.places = std::move(places);
  // Loading the settings makes the text folder current; libFuzzer reads
  // its inputs relative to the folder it started in.
  const std::string home = CurrentFolder();
  auto* engine = new Engine(frontEnd, std::move(options));
  if (!engine->StartEngine()) Fail("the engine does not start");
  SetCurrentFolder(home);
  return engine;
}

}  // namespace

Engine& TheEngine() {
  static Engine* engine = StartEngine();
  return *engine;
}

bool AnalyseAlone(Engine& engine, const std::string& path, std::string* stream) {
  engine.files().Clear();
  engine.files().Add(path);
  const bool ok = engine.RunAnalysis(1);
  if (engine.run().running || engine.gauge() != nullptr) Fail("the run did not end");
  if (ok) {
    const AnalysisContext* analysis = engine.analysis();
    if (analysis == nullptr) Fail("a completed run left no analysis");
    if (analysis->Words() < 0 || analysis->Propositions() < 0 ||
        static_cast<uint64_t>(analysis->Words()) > engine.stream().Count())
      Fail("the analysis counts more words than the stream holds");
  }
  if (stream != nullptr) {
    *stream = testing::DumpStream(engine.stream());
    if (ok) *stream += " words " + std::to_string(engine.analysis()->Words()) + " propositions " +
                       std::to_string(engine.analysis()->Propositions());
  }
  engine.ReleaseAnalysis(true);
  engine.files().Clear();
  return ok;
}

}  // namespace malvex::fuzz
