// Fixtures and helpers shared by the widget tests of the front end: test
// installations, windows that have analysed a small text, the texts they
// analyse, and helpers that click and read widgets as a user would.
#pragma once

#include <QApplication>
#include <QColor>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "foundations/messages.h"
#include "gui/app/main_window.h"
#include "gui/foundations/mss_box_ok.h"
#include "gui/qt_front_end.h"
#include "gui/qt_text.h"
#include "gui/reading/info_jauge.h"
#include "gui/scenarios/dlg_scenario.h"
#include "scenarios/current_scenario.h"
#include "settings/settings_record.h"
#include "engine/engine.h"
#include "test_installation.h"

namespace malvex {

// Counts the pixels of `image` close to `colour`.
inline int PixelsNear(const QImage& image, QColor colour) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (std::abs(c.red() - colour.red()) < 40 && std::abs(c.green() - colour.green()) < 40 &&
          std::abs(c.blue() - colour.blue()) < 40) {
        ++n;
      }
    }
  }
  return n;
}

// A unique channel name for one test.
inline QString TestChannelName() {
  return QString("malvex-test-%1-%2").arg(QCoreApplication::applicationPid()).arg(std::rand());
}

// A test installation in `dir` whose default scenario exists, so that
// start-up asks nothing.
inline bool PrepareInstallation(const QTemporaryDir& dir, const std::string& edition = std::string()) {
  QDir root(dir.path());
  if (!testing::WriteTestInstallation(dir.path().toStdString(), edition) || !root.mkpath("Scenario")) return false;
  QFile scenario(root.filePath("Scenario/Concepts Romanian V8.scn"));
  if (!scenario.open(QIODevice::WriteOnly)) return false;
  scenario.close();
  return true;
}

// Clicks row `row` of `list` as a user would.
inline void ClickRow(QListWidget* list, int row) {
  QListWidgetItem* item = list->item(row);
  QVERIFY(item != nullptr);
  list->scrollToItem(item);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
}

// Six propositions, each naming the robot (a class of the mini edition)
// once.
inline constexpr char kRobotText[] =
    "Robot merge la om. Om vorbe\xBAte de robot. Robot merge. Om merge la robot. Robot vorbe\xBAte. Om merge de "
    "la robot.\n";

// Propositions that name two or three classes of the mini edition each,
// and a word the edition does not know ("\xEAr\xE3"), so that the graphs
// have relations to draw.
inline constexpr char kRelationsText[] =
    "Robot merge la om \xBAi la cas\xE3. Om vorbe\xBAte de robot \xBAi de mare. Robot merge la cas\xE3 de om. "
    "Om merge la mare cu robot. Robot vorbe\xBAte de \xEAr\xE3 \xBAi de om. Om merge la cas\xE3 \xBAi la "
    "mare. Robot face pas la om. Om face pas la mare. Robot vorbe\xBAte de \xEAr\xE3 \xBAi de om. Om vorbe\xBAte "
    "de \xEAr\xE3 \xBAi de cas\xE3. Robot merge la \xEAr\xE3 \xBAi la mare. Om merge de la cas\xE3 la "
    "\xEAr\xE3. Robot vorbe\xBAte de pas \xBAi de cas\xE3. Om vorbe\xBAte de robot \xBAi de \xEAr\xE3.\n";

// A window on the mini edition that has analysed kRobotText.
struct AnalysedWindow {
  QTemporaryDir dir;
  QtFrontEnd frontEnd;
  std::unique_ptr<TApdEditForm> window;

  bool Open(const char* content = kRobotText) {
    if (!dir.isValid() || !PrepareInstallation(dir, MALVEX_TEST_EDITION)) return false;
    const QString text = QDir(dir.path()).filePath("Text/robot.txt");
    QFile file(text);
    if (!file.open(QIODevice::WriteOnly)) return false;
    file.write(content);
    file.close();
    EngineOptions options;
    options.places = testing::TestSettingsPlaces(dir.path().toStdString());
    window = std::make_unique<TApdEditForm>(frontEnd, options);
    if (!window->EngineStarted()) return false;
    window->engine().record().setTextViewByProposition(true);
    window->resize(1000, 700);
    window->show();
    return window->AnalyserLeTexte({text});
  }
};

// Writes `text` to `path`; false on failure.
inline bool WriteText(const QString& path, const QByteArray& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  return file.write(text) == text.size();
}

// A window over a test installation in `dir`, whose Open dialog answers
// with `*chosen` and the filter `*filter`.
struct TestWindow {
  explicit TestWindow(const QTemporaryDir& dir) {
    EngineOptions options;
    options.places = testing::TestSettingsPlaces(dir.path().toStdString());
    window = std::make_unique<TApdEditForm>(frontEnd, options);
    window->SetOpenDialog([this](const QStringList& filters, int initial, const QString&, QStringList& files,
                                 int& filter) {
      nameFilters = filters;
      initialFilter = initial;
      files = chosen;
      filter = chosenFilter;
      return !chosen.isEmpty();
    });
    window->resize(900, 600);
    window->show();
  }
  // Opens `files` through the Open command with filter `filter`.
  void Open(const QStringList& files, int filter = 1) {
    chosen = files;
    chosenFilter = filter;
    window->MenuOuvrir->trigger();
  }
  QtFrontEnd frontEnd;
  std::unique_ptr<TApdEditForm> window;
  QStringList chosen;
  int chosenFilter = 1;
  QStringList nameFilters;
  int initialFilter = 0;
};

// The visible history items of the File menu, in order.
inline QStringList HistoryMenu(TApdEditForm& window) {
  QStringList items;
  for (QAction* a : window.MenuHistoFichier) {
    if (a->isVisible()) items << a->text();
  }
  return items;
}

// Clicks, while an event loop runs, the Stop button of the gauge once it
// shows and `ready` holds, then "Yes" in the question that follows. Two
// timers: a timer does not fire again while its own handler runs, and the
// question's event loop runs inside the click.
class StopClicker : public QObject {
 public:
  explicit StopClicker(std::function<bool()> ready) : ready_(std::move(ready)) {
    stopTimer_.setInterval(0);
    answerTimer_.setInterval(0);
    connect(&stopTimer_, &QTimer::timeout, this, [this] { ClickStop(); });
    connect(&answerTimer_, &QTimer::timeout, this, [this] { Answer(); });
    stopTimer_.start();
    answerTimer_.start();
  }
  int stopsClicked = 0;
  int questionsAnswered = 0;

 private:
  void ClickStop() {
    if (stopsClicked > 0 || !ready_()) return;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* gauge = qobject_cast<TInfoJauge*>(w); gauge != nullptr && gauge->isVisible()) {
        ++stopsClicked;
        gauge->ButtonArret->click();
        return;
      }
    }
  }
  void Answer() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<TMssBoxOk*>(w); box != nullptr && box->isVisible()) {
        ++questionsAnswered;
        box->Button1->click();
        return;
      }
    }
  }
  std::function<bool()> ready_;
  QTimer stopTimer_;
  QTimer answerTimer_;
};

// Every text of the catalogue, as shown (without mnemonics).
// A label without its mnemonic, the dots of a command that opens a
// window, and the tags of <b> titles.
inline QString Bare(QString text) {
  text.remove('&');
  if (text.endsWith("...")) text.chop(3);
  text.remove("<b>").remove("</b>");
  return text;
}

inline QSet<QString> CatalogueTexts() {
  QSet<QString> texts;
  for (int id = 0; id < 60000; ++id) {
    if (const char* text = CatalogueText(id)) texts.insert(Bare(ToQt(text)));
  }
  return texts;
}

// The labels of `menu` and of every sub-menu, skipping the history items
// (file names).
inline void MenuLabels(QMenu* menu, QStringList& labels) {
  labels << Bare(menu->title());
  for (QAction* a : menu->actions()) {
    const bool historyItem = a->text().startsWith('&') && a->text().size() > 1 && a->text()[1].isDigit();
    if (a->isSeparator() || a->text().isEmpty() || historyItem) continue;
    if (a->menu() != nullptr) {
      MenuLabels(a->menu(), labels);
    } else {
      labels << Bare(a->text());
    }
  }
}

// A text of about `words` words of Romanian prose.
inline QByteArray LongText(int words) {
  const QByteArray sentence = "Omul a intrat \xEEn cas\xE3 \xBAi a \xEEnchis u\xBA" "a dup\xE3 el. ";  // 12 words
  QByteArray text;
  text.reserve(sentence.size() * (words / 12 + 1));
  for (int i = 0; i < words; i += 12) text += sentence;
  return text;
}

// An analysed window whose current scenario is "work.scn" in its scenario
// folder, holding `scenario`, with the Scenario Tool open on it.
inline bool OpenScenarioTool(AnalysedWindow& w, const QByteArray& scenario) {
  if (!w.Open()) return false;
  TApdEditForm& window = *w.window;
  if (!WriteText(QDir(w.dir.path()).filePath("Scenario/work.scn"), scenario)) return false;
  window.engine().record().setScenarioFile("work.scn");
  window.engine().record().setConfirmDeletions(false);
  if (!window.engine().currentScenario().LoadCurrentScenario()) return false;
  window.MenuScenario->trigger();
  return window.dlgScenario() != nullptr && window.dlgScenario()->isVisible();
}

// The bytes of a file as Latin-1 text; empty when unreadable.
inline QString ReadFileText(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return QString();
  return QString::fromLatin1(file.readAll());
}

// Answers every question box that shows, while it lives, with its second
// button.
class SecondButtonAnswerer : public QObject {
 public:
  SecondButtonAnswerer() {
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<TMssBoxOk*>(w); box != nullptr && box->isVisible()) {
          ++answered;
          box->Button2->click();
          return;
        }
      }
    });
    timer_.start();
  }
  int answered = 0;

 private:
  QTimer timer_;
};

// The widget tree, one item a line, two blanks of indentation per level.
inline QString WidgetTree(QTreeWidget* tree) {
  QString out;
  std::function<void(QTreeWidgetItem*, int)> walk = [&](QTreeWidgetItem* item, int depth) {
    out += QString(2 * depth, ' ') + item->text(0) + "\n";
    for (int i = 0; i < item->childCount(); ++i) walk(item->child(i), depth + 1);
  };
  for (int i = 0; i < tree->topLevelItemCount(); ++i) walk(tree->topLevelItem(i), 0);
  return out;
}


// Answers the question boxes that show, one answer each, in order: an
// answer picks the button to click.
class BoxAnswers : public QObject {
 public:
  using Pick = std::function<QPushButton*(TMssBoxOk&)>;
  explicit BoxAnswers(std::vector<Pick> picks) : picks_(std::move(picks)) {
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] {
      if (answered >= static_cast<int>(picks_.size())) return;
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<TMssBoxOk*>(w); box != nullptr && box->isVisible()) {
          texts << box->Label1->text();
          picks_[static_cast<size_t>(answered++)](*box)->click();
          return;
        }
      }
    });
    timer_.start();
  }
  int answered = 0;
  QStringList texts;

 private:
  std::vector<Pick> picks_;
  QTimer timer_;
};

inline QPushButton* Yes(TMssBoxOk& box) { return box.Button1; }
inline QPushButton* No(TMssBoxOk& box) { return box.Button3; }
inline QPushButton* Ok(TMssBoxOk& box) { return box.Button2; }

}  // namespace malvex
