// The terminology extraction over an analysed text of about a million
// words (ordinary Romanian prose repeated): the walk that fills the term
// index and the listing, timed after the analysis. Prints the time, the
// words per second and the number of listed terms.
//
//   [MALVEX_BENCH_WORDS=N] terminology_bench DICTIONARY_BASE
// DICTIONARY_BASE is the edition's base path, for instance build/Dico/roglex.


#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../tests/support/test_installation.h"
#include "bench_engine.h"
#include "bench_support.h"
#include "dictionaries/term_index.h"
#include "engine/engine.h"
#include "semantic/analysis_context.h"
#include "views/result_list.h"
#include "views/terminology.h"

namespace {

using Clock = std::chrono::steady_clock;
using malvex::bench::CpuSeconds;
using malvex::bench::Seconds;
using namespace malvex;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: terminology_bench DICTIONARY_BASE\n");
    return 64;
  }
  int target = 1000000;
  if (const char* w = std::getenv("MALVEX_BENCH_WORDS")) target = std::atoi(w);

  bench::BenchEngine analysed;
  if (!analysed.Start(argv[1])) return 2;
  Engine& engine = analysed.engine();
  engine.record().setTextSizeWarning(10000);
  // The reader joins compounds and expressions: the text is made longer
  // once when it stores fewer words than asked.
  int written = target;
  for (int attempt = 0; attempt < 2; ++attempt) {
    if (!analysed.Analyse(bench::ProseText(written))) return 1;
    const int stored = engine.stream().HighestPosition();
    if (stored >= target || stored <= 0) break;
    written = static_cast<int>(static_cast<double>(written) * target / stored) + 1000;
  }
  const double words = engine.stream().HighestPosition();

  // Both listings the window offers: everything, and the filtered one.
  for (const bool filter : {false, true}) {
    TerminologyOptions terms;
    terms.filter = filter;
    const Clock::time_point start = Clock::now();
    const double cpuStart = CpuSeconds();
    const std::vector<TermLine> lines =
        ExtractTerminology(&engine.messages(), engine.stream(), engine.semanticDictionary(), engine.tables(), terms,
                           ResultList::kDefaultCapacity);
    const double wall = Seconds(start, Clock::now());
    const double cpu = CpuSeconds() - cpuStart;
    std::printf("terminology%s  %10.0f words  %7.3f s  %10.0f words/s   cpu %7.3f s   %zu terms\n",
                filter ? " (filter)" : "         ", words, wall, words / wall, cpu, lines.size());
  }
  engine.StopEngine();
  return 0;
}
