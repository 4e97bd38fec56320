// The graph panel's drawing time: a text of about 100,000 words analysed
// with the Romanian edition, its most frequent class selected, and each of
// the five graphs drawn through the QPainter canvas onto a 1000 x 700
// image (Qt's offscreen platform). Prints the median and the slowest of
// the draws of each type; the panel is redrawn at every mouse move, so a
// draw should take no more than a frame (16 ms).
//
//   [MALVEX_BENCH_WORDS=N] [MALVEX_BENCH_DRAWS=N] graphs_qt_bench DICTIONARY_BASE

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../tests/support/test_installation.h"
#include "bench_engine.h"
#include "bench_support.h"
#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/charset.h"
#include "qtcanvas/qpainter_canvas.h"
#include "semantic/analysis_context.h"
#include "views/analysis_graph_source.h"
#include "views/graph.h"
#include "views/scenario_group_hierarchy.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace malvex;
using bench::ThreadCpuMs;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: graphs_qt_bench DICTIONARY_BASE\n");
    return 64;
  }
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  int qtArgc = 1;
  QGuiApplication app(qtArgc, argv);
  // Counted by blanks; the reader joins compounds: about 100,000 stored words.
  uint64_t target = 113000;
  if (const char* w = std::getenv("MALVEX_BENCH_WORDS")) target = std::strtoull(w, nullptr, 10);
  int draws = 50;
  if (const char* d = std::getenv("MALVEX_BENCH_DRAWS")) draws = std::max(1, std::atoi(d));

  bench::BenchEngine analysed;
  if (!analysed.Start(argv[1])) return 2;
  std::string text;
  uint64_t words = 0;
  for (size_t k = 0; words < target; ++k) {
    const std::string s = FromUtf8(bench::kProseSentences[(k * 7) % bench::kProseSentenceCount]);
    text += s;
    text += (k % 5 == 4) ? "\n" : " ";
    words += bench::CountWords(s);
  }
  if (!analysed.Analyse(text)) return 1;
  Engine& engine = analysed.engine();
  AnalysisContext& context = *engine.analysis();
  SemanticDictionary& dictionary = engine.semanticDictionary();
  const int level = context.relationLevel();
  const int32_t cls = dictionary.RankedClass(level, 1);
  SelectionState selection;
  selection.SelectClass(level, static_cast<uint32_t>(cls), dictionary.ClassName(level, cls));
  std::printf("words %lld, relations %u, bundles %zu (%u of classes, category bundles %s), episodes %zu; selected \"%s\" (%u occurrences)\n",
              static_cast<long long>(context.Words()), context.relations().Count(),
              context.chronology().bundles.size(), context.chronology().classBundles,
              engine.record().hideCategoryBundles() ? "hidden" : "shown", context.chronology().episodes.size(),
              ToUtf8(selection.text).c_str(), dictionary.ClassCount(level, cls));

  ScenarioGroupHierarchy groups(engine.scenarioLayer());
  AnalysisGraphSource source(context, dictionary, engine.stream(), engine.messages(), &groups);
  TGrapheMalvex graph(source, selection);
  QImage image(1000, 700, QImage::Format_RGB32);
  const char* names[] = {"", "areas", "star", "distribution", "episodes", "actors"};
  for (int type = kGraphAreas; type <= kGraphActors; ++type) {
    GraphSettings settings = GraphSettings::FromRecord(engine.record());
    settings.type = type;
    graph.SetSettings(settings);
    std::vector<double> ms;
    std::vector<double> cpu;
    for (int k = 0; k < draws; ++k) {
      const Clock::time_point a = Clock::now();
      const double c0 = ThreadCpuMs();
      {
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        graph.Draw(canvas, CanvasRect{0, 0, 1000, 700}, TGrapheMalvex::kHighlightNone, selection.text);
      }
      cpu.push_back(ThreadCpuMs() - c0);
      ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - a).count());
    }
    std::sort(ms.begin(), ms.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("%-13s objects %4d   wall median %7.3f ms  slowest %7.3f ms   cpu median %7.3f ms  slowest %7.3f ms\n",
                names[type], graph.ObjectCount(), ms[ms.size() / 2], ms.back(), cpu[cpu.size() / 2], cpu.back());
  }
  return 0;
}
