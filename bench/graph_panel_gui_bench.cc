// The graph panel of the main window on a text of about 100,000 words: for
// each graph type, the time of the draw that follows a change, of the mouse
// moving back and forth over one object (which must not draw again), and of
// the mouse crossing the panel (one draw per new object of the areas, star
// and actors graphs). Prints the times and the number of draws.
//
//   [QT_QPA_PLATFORM=offscreen] graph_panel_gui_bench [DICTIONARY_BASE]
// DICTIONARY_BASE is the edition's base path (build/Dico/roglex); without
// it the window runs on an edition that knows no word and draws nothing.

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <string>

#include "../tests/support/test_installation.h"
#include "bench_support.h"
#include "foundations/charset.h"
#include "gui/app/main_window.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWords = 100000;
constexpr int kSameObjectMoves = 1000;

double Since(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

void Move(QWidget* on, QPoint at) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), on->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton, {});
  QApplication::sendEvent(on, &move);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const std::string edition = argc > 1 ? argv[1] : std::string();
  QTemporaryDir dir;
  if (!dir.isValid() || !malvex::testing::WriteTestInstallation(dir.path().toStdString(), edition) ||
      !QDir(dir.path()).mkpath("Scenario")) {
    std::fprintf(stderr, "cannot prepare an installation\n");
    return 2;
  }
  QFile scenario(QDir(dir.path()).filePath("Scenario/Concepts Romanian V8.scn"));
  if (!scenario.open(QIODevice::WriteOnly)) return 2;
  scenario.close();
  const QString path = QDir(dir.path()).filePath("Text/bench.txt");
  QFile file(path);
  const std::string text = malvex::bench::ProseText(kWords);
  if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0) return 2;
  file.close();

  malvex::EngineOptions options;
  options.places = malvex::testing::TestSettingsPlaces(dir.path().toStdString());
  malvex::QtFrontEnd frontEnd;
  malvex::TApdEditForm window(frontEnd, options);
  if (!window.EngineStarted()) return 1;
  window.resize(1200, 800);
  window.show();
  QApplication::processEvents();
  if (!window.AnalyserLeTexte({path})) return 1;
  window.MenuUnivers3->trigger();
  window.resultPanel()->ListBoxModItemsClick(0);
  QApplication::processEvents();

  malvex::TGraphPanel& panel = *window.GraphPanel;
  QWidget* image = panel.ImageGraphe;
  std::printf("%d words, graph %dx%d, selection \"%s\"\n", window.engine().stream().HighestPosition(), image->width(),
              image->height(), malvex::ToUtf8(window.selection().text).c_str());
  const struct {
    QAction* action;
    const char* name;
  } types[] = {{window.MenuGrapheAires, "areas"},
               {window.MenuGrapheEtoile, "star"},
               {window.MenuGrapheRepartition, "distribution"},
               {window.MenuGrapheRafales, "bundles"},
               {window.MenuGrapheActeurs, "actors"}};
  int status = 0;
  for (const auto& t : types) {
    t.action->trigger();
    Clock::time_point start = Clock::now();
    (void)image->grab();
    const double draw = Since(start);

    // An object to hover.
    QPoint at(-1, -1);
    std::string hint;
    int id = 0;
    for (int y = 2; y < image->height() && at.x() < 0; y += 3) {
      for (int x = 2; x < image->width(); x += 3) {
        if (panel.graph()->HintAt(x, y, hint, id)) {
          at = QPoint(x, y);
          break;
        }
      }
    }
    double same = 0;
    int sameDraws = 0;
    if (at.x() >= 0) {
      Move(image, at);
      (void)image->grab();
      const int before = panel.drawCount();
      start = Clock::now();
      for (int i = 0; i < kSameObjectMoves; ++i) {
        Move(image, at + QPoint(i % 2, 0));
        (void)image->grab();
      }
      same = Since(start);
      sameDraws = panel.drawCount() - before;
      if (sameDraws != 0) status = 3;
    }

    // Across the panel, one row in the middle, every 4 pixels.
    const int before = panel.drawCount();
    start = Clock::now();
    int moves = 0;
    for (int x = 0; x < image->width(); x += 4, ++moves) {
      Move(image, QPoint(x, image->height() / 2));
      (void)image->grab();
    }
    const double across = Since(start);
    std::printf("%-12s draw %7.2f ms, objects %3d; %d moves over one object %7.2f ms (%d draws); "
                "%d moves across %8.2f ms (%d draws)\n",
                t.name, draw, panel.graph()->ObjectCount(), kSameObjectMoves, same, sameDraws, moves, across,
                panel.drawCount() - before);
  }
  window.close();
  return status;
}
