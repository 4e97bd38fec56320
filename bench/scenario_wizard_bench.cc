// The scenario creation wizard's automatic creation at level 1 (References)
// after the analysis of a text of about a million words with the Romanian
// edition: reading the text's size and its ranked classes, then building
// the tree, writing it into the store and rebuilding the Scenario layer.
// The analysis itself is not timed. Prints the median of several runs, in
// milliseconds, with and without the holding group.
//
//   [MALVEX_BENCH_WORDS=N] scenario_wizard_bench DICTIONARY_BASE

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "../tests/support/test_installation.h"
#include "bench_engine.h"
#include "bench_support.h"
#include "engine/engine.h"
#include "foundations/messages.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "settings/settings_record.h"
#include "views/scenario_wizard_source.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::time_point a, Clock::time_point b) { return std::chrono::duration<double, std::milli>(b - a).count(); }

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  using namespace malvex;
  if (argc < 2) {
    std::fprintf(stderr, "usage: scenario_wizard_bench DICTIONARY_BASE\n");
    return 64;
  }
  // Counted by blanks; the reader joins compounds and expressions, so this
  // gives a little over a million stored words.
  int target = 1130000;
  if (const char* w = std::getenv("MALVEX_BENCH_WORDS")) target = std::atoi(w);
  bench::BenchEngine analysed;
  if (!analysed.Start(argv[1])) return 2;
  Engine& engine = analysed.engine();
  engine.record().setTextSizeWarning(10000);
  engine.record().setScenarioFile("");
  if (!analysed.Analyse(bench::ProseText(target))) return 1;
  ScenarioEditor editor(engine.scenarioStore(), engine.currentScenario(), &engine.scenarioLayer(), engine.record(),
                        engine.folders(), engine.messages(), nullptr);
  const int threshold = std::max(1, static_cast<int>(engine.semanticDictionary().DetectionThreshold()));
  for (bool subclassify : {true, false}) {
    std::vector<double> times;
    uint32_t words = 0;
    size_t classes = 0;
    for (int run = 0; run < 5; ++run) {
      editor.mutableTree().modified = false;
      const Clock::time_point start = Clock::now();
      words = AnalysedWordCount(engine);
      if (words < kWizardMinTextWords) return 1;
      WizardCandidates candidates = WizardCandidatesOf(engine, 1, static_cast<uint32_t>(threshold));
      classes = candidates.list.size();
      WizardBuildOptions build;
      build.level = 1;
      build.subclassify = subclassify;
      build.threshold = static_cast<uint32_t>(threshold);
      build.holdingLabel = "List of classes";
      if (!editor.BuildFromText(candidates, build)) {
        std::fprintf(stderr, "build failed\n");
        return 1;
      }
      times.push_back(Ms(start, Clock::now()));
    }
    std::printf("level 1, %s: %u words, %zu classes (threshold %d), %zu nodes: %.1f ms\n",
                subclassify ? "subclassified" : "top-level groups", words, classes, threshold,
                editor.tree().NodeCount(), Median(times));
  }
  return 0;
}
