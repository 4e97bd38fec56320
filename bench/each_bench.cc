// malvex-cli --each over many short documents with the Romanian edition:
// 1,000 files of about 1,000 words each (Romanian prose, UTF-8), each
// analysed on its own through the code path of --each (a fresh reading
// pass and semantic pass per file, one JSON Lines record per file), with
// the dictionaries loaded once beforehand. The load is timed apart; the
// benchmark's time is that of the whole batch. Also reported: files and
// words per second, and the resident memory before and after the batch.
//
//   [MALVEX_BENCH_FILES=N] [MALVEX_BENCH_FILE_WORDS=N] each_bench DICTIONARY_BASE [benchmark options]
// DICTIONARY_BASE is the edition's base path, for instance build/Dico/roglex.

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "../tests/support/test_installation.h"
#include "bench_support.h"
#include "cli/cli_options.h"
#include "cli/cli_run.h"
#include "engine/engine.h"

namespace {

using malvex::bench::StatusKb;

using namespace malvex;

size_t EnvNumber(const char* name, size_t fallback) {
  const char* v = std::getenv(name);
  return v != nullptr && std::atol(v) > 0 ? static_cast<size_t>(std::atol(v)) : fallback;
}

// The batch: the engine started once on the edition, and the files.
struct Batch {
  bench::ScratchFolder dir;
  testing::QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
  CliOptions options;
  CliStreams io;
  uint64_t words = 0;
  double loadSeconds = 0;
};
Batch* g_batch = nullptr;

// Writes `files` documents of about `fileWords` words each under `dir`,
// whole sentences walked in a varied order, a paragraph every few.
bool WriteDocuments(Batch& batch, size_t files, size_t fileWords) {
  const std::filesystem::path folder = batch.dir.path() / "Text";
  size_t k = 0;
  for (size_t f = 0; f < files; ++f) {
    std::string text;
    uint64_t words = 0;
    for (size_t n = 0; words < fileWords; ++n, ++k) {
      const std::string sentence = bench::kProseSentences[(k * 7) % bench::kProseSentenceCount];
      text += sentence;
      text += (n % 5 == 4) ? "\n" : " ";
      words += bench::CountWords(sentence);
    }
    char name[32];
    std::snprintf(name, sizeof name, "doc%05zu.txt", f);
    const std::string path = (folder / name).string();
    std::ofstream out(path, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) return false;
    batch.options.operands.push_back(path);
    batch.words += words;
  }
  return true;
}

void BM_EachFile(benchmark::State& state) {
  Batch& b = *g_batch;
  const long before = StatusKb("VmRSS");
  int status = -1;
  for (auto _ : state) {
    std::rewind(b.io.out);
    status = AnalyseEach(*b.engine, b.options, b.io);
    benchmark::DoNotOptimize(status);
  }
  if (status != kExitOk) state.SkipWithError("a file did not complete");
  const double files = static_cast<double>(b.options.operands.size());
  state.counters["files/s"] = benchmark::Counter(files, benchmark::Counter::kIsIterationInvariantRate);
  state.counters["words/s"] =
      benchmark::Counter(static_cast<double>(b.words), benchmark::Counter::kIsIterationInvariantRate);
  state.counters["load_s"] = b.loadSeconds;
  state.counters["rss_before_MB"] = static_cast<double>(before) / 1024.0;
  state.counters["rss_after_MB"] = static_cast<double>(StatusKb("VmRSS")) / 1024.0;
}
BENCHMARK(BM_EachFile)->Unit(benchmark::kSecond)->Iterations(3)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: each_bench DICTIONARY_BASE [benchmark options]\n");
    return 64;
  }
  Batch batch;
  g_batch = &batch;
  if (batch.dir.path().empty() || !testing::WriteTestInstallation(batch.dir.path(), argv[1])) {
    std::fprintf(stderr, "cannot copy the edition %s\n", argv[1]);
    return 2;
  }
  if (!WriteDocuments(batch, EnvNumber("MALVEX_BENCH_FILES", 1000), EnvNumber("MALVEX_BENCH_FILE_WORDS", 1000))) {
    std::fprintf(stderr, "cannot write the documents\n");
    return 2;
  }
  batch.options.each = true;
  batch.options.quiet = true;
  batch.options.format = CliFormat::kJson;
  batch.options.results = {CliResult::kStyle};
  batch.io.out = std::fopen("/dev/null", "w");
  batch.io.err = stderr;

  EngineOptions options;
  options.places = testing::TestSettingsPlaces(batch.dir.path());
  const auto start = std::chrono::steady_clock::now();
  batch.engine = std::make_unique<Engine>(batch.frontEnd, options);
  if (!batch.engine->StartEngine()) return 2;
  batch.loadSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("dictionaries loaded in %.2f s; %zu files, %llu words\n", batch.loadSeconds,
              batch.options.operands.size(), static_cast<unsigned long long>(batch.words));

  // Our own argument is not one of Google Benchmark's.
  argv[1] = argv[0];
  int benchArgc = argc - 1;
  benchmark::Initialize(&benchArgc, argv + 1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  batch.engine->StopEngine();
  std::fclose(batch.io.out);
  return 0;
}
