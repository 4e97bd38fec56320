// Widget tests of the Scenario Tool with the main window: the Scenario
// list's branch items, closing the program with unsaved edits in the
// tool, drops on the side panel, drags started with the mouse, and the
// large fonts.
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QDrag>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QMouseEvent>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>
#include <vector>

#include "gui/app/main_window.h"
#include "gui/foundations/mss_box_ok.h"
#include "gui/scenarios/dlg_scenario.h"
#include "gui/testing/gui_test_registry.h"
#include "gui/testing/gui_test_support.h"
#include "gui/views/result_panel.h"
#include "gui/views/text_view_widget.h"
#include "scenarios/scenario_editor.h"
#include "settings/settings_record.h"
#include "views/result_function_table.h"

namespace malvex {

class ScenarioToolTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void scenarioListHidesAndShowsItsBranches();
  void closingTheProgramAsksForTheToolsEdits_data();
  void closingTheProgramAsksForTheToolsEdits();
  void dropOnTheSidePanelGivesTheItemAGroup();
  void mouseDragsStartWithTheItem();
  void largeFontsWidenTheSidePanel();
};

namespace {

// A group holding the class of "om" and a sub-group holding the class of
// "robot": both words of kRobotText.
constexpr char kNestedScenario[] =
    "G#0V\t1\tFiinte\r\n1#1#\tpersoan\xE3\tFiinte\r\nG#1V\t2\tMasini\r\n1#2#\tma\xBAin\xE3\tMasini\r\n";

// The lines of the result list.
QStringList Items(TResultPanel& panel) {
  QStringList lines;
  for (int i = 0; i < panel.ListBoxModItems->count(); ++i) lines << panel.ListBoxModItems->item(i)->text();
  return lines;
}

}  // namespace

void ScenarioToolTest::scenarioListHidesAndShowsItsBranches() {
  AnalysedWindow w;
  QVERIFY(OpenScenarioTool(w, kNestedScenario));
  TApdEditForm& window = *w.window;
  TResultPanel& panel = *window.resultPanel();
  // The text was analysed before the scenario was loaded.
  window.MenuRelancer->trigger();
  window.MenuAfficheScenario->trigger();
  const QStringList all = Items(panel);
  QVERIFY2(all.size() == 2 && all[0].startsWith("fiinte\t", Qt::CaseInsensitive) &&
               all[1].startsWith("  masini\t", Qt::CaseInsensitive),
           qPrintable(all.join(" | ")));
  // The branch items show for the Scenario list only, the shown state
  // checked.
  window.PopupMenuResultatsPopup();
  QVERIFY(panel.PopupMasquerBranches->isVisible());
  QVERIFY(panel.PopupDevelopperTout->isVisible());
  QVERIFY(panel.PopupDevelopperTout->isChecked());
  panel.PopupMasquerBranches->trigger();
  QCOMPARE(Items(panel), QStringList{all[0]});
  QVERIFY(panel.PopupMasquerBranches->isChecked());
  // The state holds while other lists are shown, and Expand all gives the
  // sub-groups back.
  window.MenuUnivers3->trigger();
  window.PopupMenuResultatsPopup();
  QVERIFY(!panel.PopupMasquerBranches->isVisible());
  QVERIFY(!panel.PopupDevelopperTout->isVisible());
  window.MenuAfficheScenario->trigger();
  QCOMPARE(Items(panel), QStringList{all[0]});
  panel.PopupDevelopperTout->trigger();
  QCOMPARE(Items(panel), all);
}

void ScenarioToolTest::closingTheProgramAsksForTheToolsEdits_data() {
  QTest::addColumn<bool>("saveFails");
  QTest::addColumn<bool>("yes");
  QTest::addColumn<bool>("closed");
  QTest::addColumn<bool>("saved");
  QTest::newRow("yes: saved, then closed") << false << true << true << true;
  QTest::newRow("no: closed, the file untouched") << false << false << true << false;
  QTest::newRow("yes, the save fails: stays open") << true << true << false << false;
}

void ScenarioToolTest::closingTheProgramAsksForTheToolsEdits() {
  QFETCH(bool, saveFails);
  QFETCH(bool, yes);
  QFETCH(bool, closed);
  QFETCH(bool, saved);
  AnalysedWindow w;
  QVERIFY(OpenScenarioTool(w, kNestedScenario));
  TApdEditForm& window = *w.window;
  TDlgScenario* tool = window.dlgScenario();
  QVERIFY(tool->editor().AddAsNewGroup("pas", 'S'));
  tool->AfterCommand();
  QVERIFY(tool->editor().modified());
  const QDir scenarios(QDir(w.dir.path()).filePath("Scenario"));
  // A folder where the save writes its temporary file makes it fail.
  if (saveFails) QVERIFY(scenarios.mkpath("work.tmp"));
  std::vector<BoxAnswers::Pick> picks{yes ? Yes : No};
  if (saveFails) picks.push_back(Ok);
  BoxAnswers answers(picks);
  window.close();
  QCOMPARE(answers.answered, static_cast<int>(picks.size()));
  QCOMPARE(window.isVisible(), !closed);
  QCOMPARE(ReadFileText(scenarios.filePath("work.scn")).contains("\tpas"), saved);
  if (!closed) {
    // Nothing is lost: the tool is still open with its edits, and the
    // engine still runs under it.
    QVERIFY(tool->isVisible());
    QVERIFY(tool->editor().modified());
    QVERIFY(window.EngineStarted());
    QVERIFY(QDir(scenarios.filePath("work.tmp")).removeRecursively());
    BoxAnswers again({Yes});
    window.close();
    QVERIFY(!window.isVisible());
    QVERIFY(ReadFileText(scenarios.filePath("work.scn")).contains("\tpas"));
  }
}

void ScenarioToolTest::dropOnTheSidePanelGivesTheItemAGroup() {
  AnalysedWindow w;
  QVERIFY(OpenScenarioTool(w, kNestedScenario));
  TDlgScenario* tool = w.window->dlgScenario();
  std::unique_ptr<QMimeData> data(MakeScenarioItemMime("pas", 0, 'S'));
  const QPoint at = tool->PanelCote->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tool->PanelCote, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(at), Qt::CopyAction, data.get(), Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tool->PanelCote, &drop);
  QVERIFY(drop.isAccepted());
  const QString tree = WidgetTree(tool->TreeView1);
  QVERIFY2(tree.contains("Pas\n  pas (S)\n"), qPrintable(tree));
  QVERIFY(tool->editor().modified());
  // Other data is refused.
  QMimeData plain;
  plain.setText("pas");
  QDragEnterEvent other(at, Qt::CopyAction, &plain, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(tool->PanelCote, &other);
  QVERIFY(!other.isAccepted());
}

void ScenarioToolTest::mouseDragsStartWithTheItem() {
  // The offscreen platform ends every drag at once without a drop: what a
  // press and a move start is checked here, the drop itself by handing the
  // same data to the tree.
  AnalysedWindow w;
  QVERIFY(OpenScenarioTool(w, "G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n"));
  TApdEditForm& window = *w.window;
  TResultPanel& panel = *window.resultPanel();
  window.MenuUnivers3->trigger();  // References: "mașină" first
  ClickRow(panel.ListBoxModItems, 0);
  QWidget* list = panel.ListBoxModItems->viewport();
  const QPoint from = panel.ListBoxModItems->visualItemRect(panel.ListBoxModItems->item(0)).center();
  const QPoint away = from + QPoint(QApplication::startDragDistance() + 2, 0);
  // A move shorter than the drag distance starts nothing.
  QTest::mousePress(list, Qt::LeftButton, {}, from);
  QMouseEvent near(QEvent::MouseMove, QPointF(from + QPoint(1, 0)), QPointF(list->mapToGlobal(from + QPoint(1, 0))),
                   Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(list, &near);
  QVERIFY(panel.ListBoxModItems->findChildren<QDrag*>().isEmpty());
  QMouseEvent move(QEvent::MouseMove, QPointF(away), QPointF(list->mapToGlobal(away)), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(list, &move);
  QTest::mouseRelease(list, Qt::LeftButton, {}, away);
  const QList<QDrag*> drags = panel.ListBoxModItems->findChildren<QDrag*>();
  QCOMPARE(drags.size(), 1);
  std::string text;
  int level = -1;
  char letter = 0;
  QVERIFY(ReadScenarioItemMime(drags[0]->mimeData(), text, level, letter));
  QCOMPARE(ToQt(text), QString("ma\u0219in\u0103"));
  QCOMPARE(level, 1);

  // From the text view: the word under the press, as a level-0 item.
  TTextViewWidget* view = window.ImageTexte;
  view->grab();
  QList<QDrag*> textDrags;
  for (int y = 2; y < 40 && textDrags.isEmpty(); y += 3) {
    for (int x = 0; x < 400 && textDrags.isEmpty(); x += 5) {
      const QPoint at(x, y);
      const QPoint to = at + QPoint(0, QApplication::startDragDistance() + 2);
      QTest::mousePress(view, Qt::LeftButton, {}, at);
      QMouseEvent drag(QEvent::MouseMove, QPointF(to), QPointF(view->mapToGlobal(to)), Qt::NoButton, Qt::LeftButton,
                       Qt::NoModifier);
      QApplication::sendEvent(view, &drag);
      QTest::mouseRelease(view, Qt::LeftButton, {}, to);
      textDrags = view->findChildren<QDrag*>();
    }
  }
  QCOMPARE(textDrags.size(), 1);
  QVERIFY(ReadScenarioItemMime(textDrags[0]->mimeData(), text, level, letter));
  QVERIFY(!text.empty());
  QCOMPARE(level, 0);
  // Without the tool, a drag from the text starts nothing.
  delete textDrags[0];
  window.dlgScenario()->close();
  for (int x = 0; x < 400; x += 5) {
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(x, 5));
    QMouseEvent drag(QEvent::MouseMove, QPointF(x, 25), QPointF(view->mapToGlobal(QPoint(x, 25))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view, &drag);
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(x, 25));
  }
  QVERIFY(view->findChildren<QDrag*>().isEmpty());
}

void ScenarioToolTest::largeFontsWidenTheSidePanel() {
  AnalysedWindow w;
  QVERIFY(OpenScenarioTool(w, kNestedScenario));
  TApdEditForm& window = *w.window;
  TDlgScenario* tool = window.dlgScenario();
  const int smallWidth = tool->PanelCote->minimumWidth();
  const int smallIcon = tool->TreeView1->iconSize().height();
  QCOMPARE(tool->LabelGroupe->font().pointSize(), 8);
  tool->close();
  window.engine().record().setLargeFonts(true);
  window.MenuScenario->trigger();
  tool = window.dlgScenario();
  QVERIFY(tool->isVisible());
  for (QWidget* w : std::initializer_list<QWidget*>{tool->TreeView1, tool->EditChercher, tool->ButtonChercher,
                                                    tool->LabelGroupe, tool->CheckBoxVisible, tool->StatusText})
    QCOMPARE(w->font().pointSize(), 14);
  QVERIFY(tool->PanelCote->minimumWidth() > smallWidth);
  QVERIFY(tool->TreeView1->iconSize().height() > smallIcon);
  // The panel's controls are laid out for the larger texts: each is as
  // tall as its text needs and none overlaps the next.
  tool->TreeView1->setCurrentItem(tool->TreeView1->topLevelItem(0));
  QApplication::processEvents();
  QVERIFY(tool->CheckBoxVisible->isVisible());
  const QList<QWidget*> column{tool->LabelGroupe, tool->LabelGroupeTexte, tool->CheckBoxVisible};
  for (QWidget* c : column) QVERIFY2(c->height() >= c->fontMetrics().height(), qPrintable(c->objectName()));
  for (int i = 0; i + 1 < column.size(); ++i) QVERIFY(column[i]->geometry().bottom() < column[i + 1]->geometry().top());
  QVERIFY(tool->CheckBoxVisible->width() >= tool->CheckBoxVisible->sizeHint().width());
}

}  // namespace malvex

MALVEX_GUI_TEST(malvex::ScenarioToolTest);
#include "scenario_tool_test.moc"
