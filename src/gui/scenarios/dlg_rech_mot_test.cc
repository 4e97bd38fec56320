// The word search window in the main window: opened from Edit, Search, the
// text pop-up and the Scenario Tool; its searches move the text panel.
#include <QStatusBar>
#include <QtTest/QtTest>

#include "gui/app/main_window.h"
#include "gui/app/word_search_link.h"
#include "gui/qt_text.h"
#include "gui/scenarios/dlg_rech_mot.h"
#include "gui/scenarios/dlg_scenario.h"
#include "gui/testing/gui_test_registry.h"
#include "gui/testing/gui_test_support.h"

namespace malvex {

class DlgRechMotTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void searchOpensTheWindowAndItsSearchesMoveTheText();
  void theCheckListShowsTheMeaningsOfTheWord();
  void theScenarioToolsCreateItemOpensItWithTheSelectedText();
};

void DlgRechMotTest::searchOpensTheWindowAndItsSearchesMoveTheText() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  QVERIFY(window.MenuChercher->isEnabled());
  window.MenuChercher->trigger();
  TDlgRechMot* dialog = window.wordSearch().dialog();
  QVERIFY(dialog != nullptr && dialog->isVisible());
  QCOMPARE(dialog->windowTitle(), QString("Search / Add"));
  QVERIFY(!dialog->ButtonChercher->isEnabled());  // empty box

  QTest::keyClicks(dialog->EditUnMot->lineEdit(), "robot");
  QVERIFY(dialog->ButtonChercher->isEnabled());
  QVERIFY(dialog->CheckBoxDepuisDebut->isChecked());
  std::vector<int32_t> hits;
  for (int i = 0; i < 6; ++i) {
    dialog->ButtonChercher->click();
    hits.push_back(window.textView()->CursorPosition());
  }
  QCOMPARE(hits.size(), size_t{6});
  for (size_t i = 1; i < hits.size(); ++i) QVERIFY2(hits[i] > hits[i - 1], qPrintable(QString::number(hits[i])));
  QVERIFY(!dialog->CheckBoxDepuisDebut->isChecked());
  // After the sixth robot: not found, and "From the top" again.
  dialog->ButtonChercher->click();
  QCOMPARE(window.statusBar()->currentMessage(), QString("I can't find (anymore) \"robot\" in this text."));
  QVERIFY(dialog->CheckBoxDepuisDebut->isChecked());
  QCOMPARE(dialog->EditUnMot->count(), 1);  // the searched word is kept in the drop-down

  // The text pop-up's Search leads to the window too.
  dialog->close();
  window.PopupMenuImageTextePopup();
  QVERIFY(window.PopupImageTexteChercher->isEnabled());
}

void DlgRechMotTest::theCheckListShowsTheMeaningsOfTheWord() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  window.wordSearch().ShowWord("robot");
  TDlgRechMot* dialog = window.wordSearch().dialog();
  QVERIFY(dialog != nullptr);
  QCOMPARE(dialog->ListBoxSens->count(), 3);
  QCOMPARE(dialog->ListBoxSens->item(0)->text(), ToQt("robot = ma\xBAin\xE3 (tehnic\xE3) "));
  QCOMPARE(dialog->ListBoxSens->item(0)->checkState(), Qt::Checked);
  QCOMPARE(dialog->ListBoxSens->item(1)->checkState(), Qt::Unchecked);
  // Checking the second line unchecks the first and selects "A semantic class".
  dialog->ListBoxSens->item(1)->setCheckState(Qt::Checked);
  QCOMPARE(dialog->ListBoxSens->item(0)->checkState(), Qt::Unchecked);
  QCOMPARE(dialog->ListBoxSens->item(1)->checkState(), Qt::Checked);
  QVERIFY(dialog->RadioButtonClasse->isChecked());
  QVERIFY(!dialog->CheckBoxMotEntier->isEnabled());
  // The class search finds the robots too.
  dialog->ButtonChercher->click();
  QVERIFY(window.textView()->CursorPosition() > 0);
}

void DlgRechMotTest::theScenarioToolsCreateItemOpensItWithTheSelectedText() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  window.MenuScenarioClick();
  TDlgScenario* tool = window.dlgScenario();
  QVERIFY(tool != nullptr);
  QVERIFY(tool->MenuCreeritem1->isEnabled());
  tool->EditChercher->setText("om");
  tool->MenuCreeritem1->trigger();
  TDlgRechMot* dialog = window.wordSearch().dialog();
  QVERIFY(dialog != nullptr && dialog->isVisible());
  QCOMPARE(dialog->EditUnMot->currentText(), QString("om"));
  QVERIFY(dialog->ListBoxSens->count() > 0);
  // Insert puts the word into the scenario through the editor.
  dialog->RadioButtonMot->setChecked(true);
  dialog->RadioButtonAjouter->setChecked(true);
  dialog->ButtonInserer->click();
  bool found = false;
  for (const ScenarioNode* n : tool->editor().DisplayOrder()) found = found || n->text == "om";
  QVERIFY(found);
}

}  // namespace malvex

MALVEX_GUI_TEST(malvex::DlgRechMotTest);
#include "dlg_rech_mot_test.moc"
