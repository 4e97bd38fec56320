// Printing time: a text of about 100,000 words analysed with the Romanian
// edition, its most frequent class selected, and all eleven reports
// printed into one PDF file through the paged print target (Qt's offscreen
// platform), as File > Print and malvex-cli --pdf do. Prints the pages
// and the wall and processor time of each run; the whole job should take
// no more than 3 s.
//
//   [MALVEX_BENCH_WORDS=N] [MALVEX_BENCH_RUNS=N] print_qt_bench DICTIONARY_BASE

#include <QGuiApplication>
#include <QPrinter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <poppler-document.h>
#include <memory>
#include <string>
#include <vector>

#include "../tests/support/test_installation.h"
#include "bench_engine.h"
#include "bench_support.h"
#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/charset.h"
#include "qtcanvas/paged_print_target.h"
#include "semantic/analysis_context.h"
#include "views/analysis_graph_source.h"
#include "views/graph.h"
#include "views/print_reports.h"
#include "views/scenario_group_hierarchy.h"
#include "views/selection_state.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace malvex;
using bench::ThreadCpuMs;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: print_qt_bench DICTIONARY_BASE\n");
    return 64;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  // Counted by blanks; the reader joins compounds: about 100,000 stored words.
  int words = 113000;
  if (const char* w = std::getenv("MALVEX_BENCH_WORDS")) words = std::atoi(w);
  int runs = 3;
  if (const char* r = std::getenv("MALVEX_BENCH_RUNS")) runs = std::max(1, std::atoi(r));

  bench::BenchEngine analysed;
  if (!analysed.Start(argv[1])) return 2;
  if (!analysed.Analyse(bench::ProseText(words))) return 1;
  Engine& engine = analysed.engine();
  const std::string& file = analysed.file();
  AnalysisContext& context = *engine.analysis();
  SemanticDictionary& dictionary = engine.semanticDictionary();
  const int level = context.relationLevel();
  const int32_t cls = dictionary.RankedClass(level, 1);
  SelectionState selection;
  selection.SelectClass(level, static_cast<uint32_t>(cls), dictionary.ClassName(level, cls));

  ScenarioGroupHierarchy groups(engine.scenarioLayer());
  AnalysisGraphSource source(context, dictionary, engine.stream(), engine.messages(), &groups);
  TGrapheMalvex graph(source, selection);
  GraphSettings settings = GraphSettings::FromRecord(engine.record());
  settings.type = kGraphStar;
  graph.SetSettings(settings);

  PrintSources sources;
  sources.engine = &engine;
  sources.selection = &selection;
  sources.groups = &groups;
  sources.graph = &graph;
  sources.graphSelection = selection.text;
  sources.files = {file};
  PrintChoices all{};
  all.fill(true);
  std::printf("words %lld, propositions %u; selected \"%s\"\n", static_cast<long long>(context.Words()),
              engine.statistics().Propositions(), ToUtf8(selection.text).c_str());

  const std::string pdf = (analysed.folder() / "bench.pdf").string();
  for (int run = 0; run < runs; ++run) {
    const Clock::time_point a = Clock::now();
    const double c0 = ThreadCpuMs();
    QPrinter printer(QPrinter::HighResolution);
    SetUpPdfPrinter(printer, QString::fromStdString(pdf));
    PrintJobResult result;
    const bool ok = PrintOnPrinter(printer, PrintFont{}, [&](PrintTarget& target) {
      result = PrintReports(target, sources, all, 10);
    });
    const double cpu = ThreadCpuMs() - c0;
    const double wall = std::chrono::duration<double, std::milli>(Clock::now() - a).count();
    std::unique_ptr<poppler::document> doc(poppler::document::load_from_file(pdf));
    std::printf("run %d: %s, %d reports, %d pages   wall %8.1f ms   cpu %8.1f ms\n", run + 1, ok ? "written" : "FAILED",
                result.reports, doc ? doc->pages() : 0, wall, cpu);
  }
  return 0;
}
