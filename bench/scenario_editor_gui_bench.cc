// The Scenario Tool window on a scenario of 20,000 lines, offscreen: the
// window made and opened (the tree rebuilt from the store, mirrored in the
// tree widget, laid out and painted once), then opened again on the same
// window. Prints the medians in milliseconds.

#include <QApplication>
#include <QPixmap>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
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
#include "gui/scenarios/dlg_scenario.h"
#include "platform/console_box.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_anomaly_list.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_layer.h"
#include "scenarios/scenario_store.h"
#include "settings/folders.h"
#include "settings/settings_record.h"

using malvex::bench::Clock;
using malvex::bench::Dictionary;
using malvex::bench::Median;
using malvex::bench::Ms;
using malvex::bench::ScenarioText;

int main(int argc, char** argv) {
  using namespace malvex;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  bench::OpenedScenario opened;
  if (!opened.Open()) return 1;
  Messages& messages = opened.messages;
  ScenarioStore& store = opened.store;
  SettingsRecord& record = opened.record;
  ScenarioEditor& editor = *opened.editor;
  ScenarioAnomalyList anomalies(messages);
  std::printf("scenario: %u lines\n", store.count());

  std::vector<double> first;
  std::vector<double> again;
  std::vector<double> expanded;
  size_t items = 0;
  for (int r = 0; r < 7; ++r) {
    auto a = Clock::now();
    auto window = std::make_unique<TDlgScenario>(editor, anomalies, record, messages, nullptr);
    window->Open();
    window->grab();
    QApplication::processEvents();
    first.push_back(Ms(a, Clock::now()));
    a = Clock::now();
    window->Open();
    window->grab();
    QApplication::processEvents();
    again.push_back(Ms(a, Clock::now()));
    a = Clock::now();
    window->MenuDevelopper->trigger();
    window->grab();
    QApplication::processEvents();
    expanded.push_back(Ms(a, Clock::now()));
    items = editor.tree().NodeCount();
    if (window->TreeView1->topLevelItemCount() != 1000) return 1;
  }
  std::printf("window made, opened and painted: %.1f ms (median of 7), %zu nodes\n", Median(first), items);
  std::printf("opened again on the same window: %.1f ms (median of 7)\n", Median(again));
  std::printf("expand all and paint: %.1f ms (median of 7)\n", Median(expanded));
  const double worst = std::max(Median(first), Median(again));
  std::printf("target <= 300 ms: %s\n", worst <= 300.0 ? "met" : "MISSED");
  return 0;
}
