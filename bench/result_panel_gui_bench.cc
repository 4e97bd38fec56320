// The results panel and the text panel on a text with many items: an
// edition of N nouns, each its own reference class, compiled in a scratch
// folder, and a text that names every noun twice. Measures:
//   - choosing the References and Substantives functions (N items each),
//     the model alone and the Qt panel (model and list widget);
//   - choosing an item and finding its next occurrence;
//   - drawing one page of the text panel onto a QImage through the QPainter
//     canvas, whole text and extracts of a selection.
// Each figure is the median of several runs; the goals are 100 ms for a
// function of 10,000 items and 16 ms for one page.
//
//   [MALVEX_BENCH_NOUNS=N] result_panel_gui_bench     (N defaults to 12000)

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <system_error>
#include <vector>

#include "../tests/support/test_installation.h"
#include "app/result_panel_model.h"
#include "bench_support.h"
#include "edition_compiler.h"
#include "engine/engine.h"
#include "qtcanvas/qpainter_canvas.h"
#include "gui/views/result_panel.h"
#include "views/selection_state.h"
#include "views/text_view.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace malvex;


// A word of letters only for number k: "ba", "ca", ... distinct for every k.
std::string Letters(int k) {
  std::string s;
  do {
    s += static_cast<char>('a' + k % 26);
    k /= 26;
  } while (k > 0);
  return s;
}

bool WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<bool>(out);
}

// Median of `runs` timings of `f`, in milliseconds.
double MedianMs(int runs, const std::function<void()>& f) {
  std::vector<double> ms;
  for (int i = 0; i < runs; ++i) {
    const Clock::time_point a = Clock::now();
    f();
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - a).count());
  }
  std::sort(ms.begin(), ms.end());
  return ms[ms.size() / 2];
}

void Report(const char* what, double ms, double goal) {
  std::printf("%-48s %8.2f ms   (goal %g ms)%s\n", what, ms, goal, ms <= goal ? "" : "  OVER");
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  int nouns = 12000;
  if (const char* n = std::getenv("MALVEX_BENCH_NOUNS")) nouns = std::max(1, std::atoi(n));

  bench::ScratchFolder dir;
  if (dir.path().empty()) return 2;
  // The edition: one verb, and N nouns with a class of their own each.
  const std::filesystem::path sources = dir.path() / "sources";
  std::filesystem::create_directories(sources);
  std::string senses;
  std::string text;
  for (int k = 0; k < nouns; ++k) {
    const std::string w = "n" + Letters(k);
    senses += w + "\tc" + Letters(k) + "\tg" + Letters(k / 10) + "\tf" + Letters(k / 100) + "\t0\t" + w + "\n";
  }
  for (int k = 0; k < nouns; ++k) {
    text += "n" + Letters(k) + " merge la n" + Letters((k + 1) % nouns) + ".";
    text += (k % 8 == 7) ? "\n" : " ";
  }
  if (!WriteFile(sources / "lexicon.tsv", "merge\t0100:merge\nla\t0209\n") ||
      !WriteFile(sources / "senses.tsv", senses)) {
    return 2;
  }
  EditionCompiler compiler;
  if (!compiler.ReadSources(sources.string()) || !testing::WriteTestInstallation(dir.path()) ||
      !compiler.WriteEdition((dir.path() / testing::kTestDictionaryBase).string())) {
    std::fprintf(stderr, "edition: %s\n", compiler.error().c_str());
    return 2;
  }
  const std::filesystem::path file = dir.path() / "Text" / "many.txt";
  if (!WriteFile(file, text)) return 2;

  testing::QuietFrontEnd frontEnd;
  EngineOptions options;
  options.places = testing::TestSettingsPlaces(dir.path());
  Engine engine(frontEnd, options);
  if (!engine.StartEngine()) return 2;
  SettingsRecord& record = engine.record();
  record.setTextSizeWarning(10000);
  // Every class seen is listed.
  record.setClassThresholdByWords(true);
  record.setClassMinWords(1);
  record.setScenarioSortedAlphabetically(false);
  engine.files().Add(file.string());
  const Clock::time_point a = Clock::now();
  if (!engine.RunAnalysis(1)) {
    std::fprintf(stderr, "analysis failed\n");
    return 1;
  }
  std::printf("analysis of %d words: %.2f s\n", engine.stream().HighestPosition(),
              std::chrono::duration<double>(Clock::now() - a).count());

  SelectionState selection;
  TExtraitDuTexte view(engine.stream(), selection, record);
  ResultPanelModel model(engine, view, selection);
  model.AnalysisDone();

  model.ChooseFunction(ResultFunctionTable::kReferences);
  std::printf("References: %zu items, Substantives: ", model.items().size());
  model.ChooseFunction(ResultFunctionTable::kSubstantives);
  std::printf("%zu items\n", model.items().size());

  const int runs = 7;
  Report("model: choose References",
         MedianMs(runs, [&] { model.ChooseFunction(ResultFunctionTable::kReferences); }), 100);
  Report("model: choose Substantives",
         MedianMs(runs, [&] { model.ChooseFunction(ResultFunctionTable::kSubstantives); }), 100);
  model.SetAlphabetical(true);
  Report("model: choose References, alphabetical",
         MedianMs(runs, [&] { model.ChooseFunction(ResultFunctionTable::kReferences); }), 100);
  model.SetAlphabetical(false);

  TResultPanel panel(engine.messages());
  panel.resize(300, 700);
  panel.SetModel(&model);
  panel.show();
  Report("panel: choose References (model and list)",
         MedianMs(runs, [&] { panel.ListBoxFonctionsClick(ResultFunctionTable::kReferences); }), 100);
  Report("panel: choose Substantives (model and list)",
         MedianMs(runs, [&] { panel.ListBoxFonctionsClick(ResultFunctionTable::kSubstantives); }), 100);

  panel.ListBoxFonctionsClick(ResultFunctionTable::kReferences);
  const int last = static_cast<int>(model.items().size()) - 1;
  Report("model: choose the last reference", MedianMs(runs, [&] { model.ChooseItem(last); }), 100);
  Report("model: find its next occurrence", MedianMs(runs, [&] {
           model.ChooseItem(last);
           model.FindOccurrence(true);
         }),
         100);

  // One page of the text panel, 1000 by 700 pixels.
  QImage image(1000, 700, QImage::Format_RGB32);
  auto drawPage = [&] {
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    view.DrawExtract(canvas, CanvasRect{0, 0, image.width(), image.height()});
  };
  selection.Clear();
  view.ColorationSyntaxique();
  view.Rewind();
  Report("text page, whole text", MedianMs(runs, drawPage), 16);
  std::printf("  (%d words on %d lines)\n", view.WordsDrawn(), view.LinesDrawn());
  model.ChooseItem(last);
  Report("text page, extracts of a reference", MedianMs(runs, drawPage), 16);
  std::printf("  (%d words on %d lines)\n", view.WordsDrawn(), view.LinesDrawn());
  model.ChooseFunction(ResultFunctionTable::kAllCategories);
  model.ChooseItem(0);
  Report("text page, extracts of the verbs", MedianMs(runs, drawPage), 16);
  std::printf("  (%d words on %d lines)\n", view.WordsDrawn(), view.LinesDrawn());
  engine.StopEngine();
  return 0;
}
