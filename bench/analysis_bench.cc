// One whole analysis with the Romanian edition: the reading pass over a text
// of about ten million words (varied Romanian sentences repeated), then the
// semantic pass. Prints the time of each pass, words per second and the
// peak resident memory.
//
//   [MALVEX_BENCH_WORDS=N] analysis_bench DICTIONARY_BASE
// DICTIONARY_BASE is the edition's base path, for instance build/Dico/roglex.

#include <sys/resource.h>
#include <time.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "../tests/support/test_installation.h"
#include "bench_support.h"
#include "engine/engine.h"
#include "foundations/charset.h"
#include "platform/files.h"
#include "semantic/analysis_context.h"

namespace {

using Clock = std::chrono::steady_clock;
using malvex::bench::CpuSeconds;
using malvex::bench::Seconds;
using namespace malvex;

// The sentences are counted by their blanks; the reader joins compounds and
// expressions, so this estimate gives about ten million stored words.
constexpr uint64_t kDefaultWords = 11200000;

long MaxRssKb() {
  struct rusage usage {};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: analysis_bench DICTIONARY_BASE\n");
    return 64;
  }
  uint64_t target = kDefaultWords;
  if (const char* w = std::getenv("MALVEX_BENCH_WORDS")) target = std::strtoull(w, nullptr, 10);

  bench::ScratchFolder dir;
  if (dir.path().empty() || !malvex::testing::WriteTestInstallation(dir.path(), argv[1])) {
    std::fprintf(stderr, "cannot copy the edition %s\n", argv[1]);
    return 2;
  }

  // The text, in the edition's code page: whole sentences until the target
  // is reached.
  std::string text;
  uint64_t words = 0;
  std::string sentences[bench::kProseSentenceCount];
  uint64_t sentenceWords[bench::kProseSentenceCount] = {};
  for (size_t i = 0; i < bench::kProseSentenceCount; ++i) {
    sentences[i] = FromUtf8(bench::kProseSentences[i]);
    sentenceWords[i] = bench::CountWords(sentences[i]);
  }
  text.reserve(target * 8);
  for (size_t k = 0; words < target; ++k) {
    // A varied order: the sentences are walked with a stride prime to their
    // number, and every few sentences a paragraph ends.
    const size_t i = (k * 7) % bench::kProseSentenceCount;
    text += sentences[i];
    text += (k % 5 == 4) ? "\n" : " ";
    words += sentenceWords[i];
  }
  const std::string file = (dir.path() / "Text" / "bench.txt").string();
  {
    std::ofstream out(file, std::ios::binary);
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!out) return 2;
  }
  text.clear();
  text.shrink_to_fit();

  malvex::testing::QuietFrontEnd frontEnd;
  EngineOptions options;
  options.places = malvex::testing::TestSettingsPlaces(dir.path());
  Engine engine(frontEnd, options);
  const Clock::time_point start = Clock::now();
  if (!engine.StartEngine()) return 2;
  const Clock::time_point started = Clock::now();
  const double cpuStarted = CpuSeconds();
  engine.record().setTextSizeWarning(10000);
  engine.files().Clear();
  engine.files().Add(file);

  engine.CreateGauge();
  if (!engine.ReadingPass()) {
    std::fprintf(stderr, "reading pass failed\n");
    return 1;
  }
  const Clock::time_point read = Clock::now();
  const double cpuRead = CpuSeconds();
  AnalysisContext context(engine);
  if (!context.Ready() || !context.Run()) {
    std::fprintf(stderr, "semantic pass failed\n");
    return 1;
  }
  const Clock::time_point done = Clock::now();
  const double cpuDone = CpuSeconds();

  const double total = Seconds(started, done);
  const double n = static_cast<double>(context.Words());
  std::printf("start-up          %8.2f s\n", Seconds(start, started));
  std::printf("words             %10.0f (end markers %lld)\n", n, static_cast<long long>(context.Propositions()));
  // Wall-clock time, and the processor time of the process (the figure to
  // trust on a busy machine).
  const double cpuTotal = cpuDone - cpuStarted;
  std::printf("reading pass      %8.2f s  %10.0f words/s   cpu %6.2f s  %10.0f words/s\n", Seconds(started, read),
              n / Seconds(started, read), cpuRead - cpuStarted, n / (cpuRead - cpuStarted));
  std::printf("semantic pass     %8.2f s  %10.0f words/s   cpu %6.2f s  %10.0f words/s\n", Seconds(read, done),
              n / Seconds(read, done), cpuDone - cpuRead, n / (cpuDone - cpuRead));
  std::printf("whole analysis    %8.2f s  %10.0f words/s   cpu %6.2f s  %10.0f words/s\n", total, n / total, cpuTotal,
              n / cpuTotal);
  std::printf("propositions      %10u stored, relations %u\n", context.propositions().Count(),
              context.relations().Count());
  std::printf("referents         %10u\n", context.classifiedCount());
  std::printf("max RSS           %8.1f MB\n", MaxRssKb() / 1024.0);
  return 0;
}
