// The scenario editor's model on a scenario of 20,000 lines: building the
// editor's tree from the store, a prefix search over it (a hit near the end
// and a miss that relaxes and starts again from the top), and an insertion
// followed by writing the tree into the store and rebuilding the Scenario
// layer. Prints the median of several runs of each, in milliseconds.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "scenario_bench_fixture.h"
#include "dictionaries/lemma_index.h"
#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/semantic_dictionary_builder.h"
#include "dictionaries/string_pool.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/console_box.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_hierarchy.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "settings/folders.h"
#include "settings/settings_record.h"

using malvex::bench::Clock;
using malvex::bench::Dictionary;
using malvex::bench::Median;
using malvex::bench::Ms;
using malvex::bench::ScenarioText;

int main() {
  using namespace malvex;
  bench::OpenedScenario opened;
  if (!opened.Open()) return 1;
  ScenarioStore& store = opened.store;
  ScenarioLayer& layer = opened.layer;
  CurrentScenario& current = *opened.current;
  ScenarioEditor& editor = *opened.editor;
  std::printf("scenario: %u lines\n", store.count());

  std::vector<double> build;
  for (int r = 0; r < 7; ++r) {
    const auto a = Clock::now();
    editor.RebuildTree();
    build.push_back(Ms(a, Clock::now()));
  }
  std::printf("tree built from the store: %.2f ms (median of 7), %zu nodes\n", Median(build),
              editor.tree().NodeCount());
  std::vector<double> whole;
  for (int r = 0; r < 7; ++r) {
    const auto a = Clock::now();
    current.LoadCurrentScenario();
    editor.RebuildTree();
    whole.push_back(Ms(a, Clock::now()));
  }
  std::printf("file read, layer built and tree built: %.2f ms (median of 7)\n", Median(whole));

  std::vector<double> hit;
  std::vector<double> miss;
  for (int r = 0; r < 21; ++r) {
    editor.ResetSearchPosition();
    auto a = Clock::now();
    const ScenarioNode* found = editor.SearchInScenario("vorba999x7");
    hit.push_back(Ms(a, Clock::now()));
    if (found == nullptr) return 1;
    a = Clock::now();
    editor.SearchInScenario("zzzzzzzzz");
    miss.push_back(Ms(a, Clock::now()));
  }
  std::printf("prefix search, hit at the end: %.3f ms; miss with relaxing: %.3f ms (medians of 21)\n", Median(hit),
              Median(miss));

  std::vector<double> insert;
  for (int r = 0; r < 7; ++r) {
    editor.SelectByLabel("grup500", true);
    const auto a = Clock::now();
    editor.InsertInGroup("nou" + std::to_string(r), '?', false);
    WriteScenarioHierarchy(editor.mutableTree(), store);
    layer.Build(store.signatures().renumbering);
    insert.push_back(Ms(a, Clock::now()));
  }
  std::printf("insertion + layer rebuild: %.2f ms (median of 7), %u groups\n", Median(insert), layer.GroupCount());
  return 0;
}
