// The terminology extraction window over a window that analysed a text of
// the mini edition: the command that opens it, the drawn list, the
// insertion into the Scenario Tool and the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QtTest>

#include "gui/scenarios/dlg_scenario.h"
#include "gui/scenarios/dlg_terminology.h"
#include "gui/testing/gui_test_registry.h"
#include "gui/testing/gui_test_support.h"
#include "scenarios/scenario_editor.h"

namespace malvex {

namespace {

// "robot" leads "robot_mare" three times and comes back once more alone;
// "website" comes back three times on its own.
constexpr char kTermsText[] =
    "Robot mare merge. Robot mare vorbe\xBAte. Robot mare merge la website. Website merge. Website vorbe\xBAte. "
    "Robot merge.\n";

}  // namespace

class TerminologyWindowTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void commandIsGreyedWithoutATextAndOpensTheWindowAfterAnAnalysis();
  void linesShowTheirFrequencySquareAndTheirFields();
  void insertPutsTheSelectedTermsInTheScenarioToolAndRemovesTheirLines();
  void copyPutsEveryLineOnTheClipboard();
  void textBoxLocatesTheHeadInTheTextViewFromTheLastHit();

 private:
  static TDlgExtracteurTerminologique* Open(AnalysedWindow& analysed) {
    analysed.window->MenuExtractionTerminologique->trigger();
    return analysed.window->dlgTerminology();
  }
};

void TerminologyWindowTest::commandIsGreyedWithoutATextAndOpensTheWindowAfterAnAnalysis() {
  QTemporaryDir dir;
  QVERIFY(PrepareInstallation(dir, MALVEX_TEST_EDITION));
  TestWindow empty(dir);
  QVERIFY(!empty.window->MenuExtractionTerminologique->isEnabled());

  AnalysedWindow analysed;
  QVERIFY(analysed.Open(kTermsText));
  QVERIFY(analysed.window->MenuExtractionTerminologique->isEnabled());
  TDlgExtracteurTerminologique* dialog = Open(analysed);
  QVERIFY(dialog != nullptr);
  QVERIFY(dialog->isVisible());
  QCOMPARE(dialog->windowTitle(), QString("Terminology extraction (Malvex)"));
  QCOMPARE(dialog->PageControl1->currentWidget(), dialog->TabSheet1);
  // The settings' default: everything, filtered.
  QVERIFY(dialog->RadioButtonToutAfficher->isChecked());
  QVERIFY(dialog->RadioButtonMotsTresSignificatifs->isChecked());
  QVERIFY(dialog->RadioButtonInserer->isChecked());
  QCOMPARE(dialog->ListBox1->count(), 3);
  QCOMPARE(dialog->StatusBar1->currentMessage(), QString("Non significant sample"));
  // The same window comes back, run again.
  Open(analysed);
  QCOMPARE(analysed.window->dlgTerminology(), dialog);
  QCOMPARE(dialog->ListBox1->count(), 3);
  // Compounds only, without the filter.
  dialog->RadioButtonAfficherExpressions->setChecked(true);
  dialog->RadioButtonNePasFiltrer->setChecked(true);
  dialog->ButtonRetablir->click();
  QCOMPARE(dialog->ListBox1->count(), 1);
  QCOMPARE(dialog->ListBox1->item(0)->text(), QString("robot => robot_mare (3)"));
}

void TerminologyWindowTest::linesShowTheirFrequencySquareAndTheirFields() {
  AnalysedWindow analysed;
  QVERIFY(analysed.Open(kTermsText));
  TDlgExtracteurTerminologique* dialog = Open(analysed);
  QVERIFY(dialog != nullptr);
  QStringList shown;
  for (int row = 0; row < dialog->ListBox1->count(); ++row) shown << dialog->ListBox1->item(row)->text();
  QCOMPARE(shown, (QStringList{"robot => robot (4)", "robot => robot_mare (3)", "website => website (3)"}));
  // Frequencies 3 and 4 fill their squares with the same light blue; none
  // reaches the darker ones.
  QTest::qWait(50);
  const QImage image = dialog->ListBox1->viewport()->grab().toImage();
  QVERIFY(PixelsNear(image, QColor(208, 208, 255)) > 3 * 80);
  QCOMPARE(PixelsNear(image, QColor(64, 64, 255)), 0);
  // A click shows the compound in the status bar.
  ClickRow(dialog->ListBox1, 1);
  QCOMPARE(dialog->StatusBar1->currentMessage(), QString("robot_mare"));
}

void TerminologyWindowTest::insertPutsTheSelectedTermsInTheScenarioToolAndRemovesTheirLines() {
  AnalysedWindow analysed;
  QVERIFY(analysed.Open(kTermsText));
  TDlgExtracteurTerminologique* dialog = Open(analysed);
  QVERIFY(dialog != nullptr);
  // With the Scenario Tool closed, the button opens it and inserts nothing.
  dialog->ListBox1->item(1)->setSelected(true);
  dialog->ButtonInserer->click();
  QVERIFY(analysed.window->ScenarioEditorOpen());
  QCOMPARE(dialog->ListBox1->count(), 3);

  ScenarioEditor& editor = analysed.window->dlgScenario()->editor();
  const size_t before = editor.DisplayOrder().size();
  dialog->RadioButtonAjouter->setChecked(true);
  dialog->ListBox1->item(1)->setSelected(true);
  dialog->ListBox1->item(2)->setSelected(true);
  dialog->ButtonInserer->click();
  QCOMPARE(dialog->ListBox1->count(), 1);
  QCOMPARE(dialog->ListBox1->item(0)->text(), QString("robot => robot (4)"));
  // Two groups, each with its item, and the tool shows them.
  QCOMPARE(editor.DisplayOrder().size(), before + 4);
  QStringList items;
  for (const ScenarioNode* node : editor.DisplayOrder())
    if (!node->IsGroup()) items << ToQt(node->text);
  QVERIFY(items.contains("robot_mare"));
  QVERIFY(items.contains("website"));
  QVERIFY(!analysed.window->dlgScenario()->TreeView1->findItems("robot_mare", Qt::MatchRecursive).isEmpty());
}

void TerminologyWindowTest::copyPutsEveryLineOnTheClipboard() {
  AnalysedWindow analysed;
  QVERIFY(analysed.Open(kTermsText));
  TDlgExtracteurTerminologique* dialog = Open(analysed);
  QVERIFY(dialog != nullptr);
  dialog->PopupMenuCopy->trigger();
  QCOMPARE(QApplication::clipboard()->text(), QString("robot\trobot\t4\nrobot\trobot_mare\t3\nwebsite\twebsite\t3\n"));
  QCOMPARE(dialog->StatusBar1->currentMessage(), QString("The results are copied in the clipboard"));
}

void TerminologyWindowTest::textBoxLocatesTheHeadInTheTextViewFromTheLastHit() {
  AnalysedWindow analysed;
  QVERIFY(analysed.Open(kTermsText));
  TDlgExtracteurTerminologique* dialog = Open(analysed);
  QVERIFY(dialog != nullptr);
  dialog->CheckBoxRechercheAutomatique->setChecked(false);
  dialog->CheckBoxLocaliserTexte->setChecked(true);
  TExtraitDuTexte* view = analysed.window->textView();
  const WordStream& stream = analysed.window->engine().stream();
  // The word at a position, as the stream stores it.
  const auto wordAt = [&stream](int32_t position) {
    for (const WordNode* n = stream.Head(); n != stream.Tail(); n = n->next)
      if (n->position == position && n->text[0] != '/') return std::string(n->text);
    return std::string();
  };
  std::vector<int32_t> hits;
  for (int click = 0; click < 3; ++click) {
    ClickRow(dialog->ListBox1, 2);  // website => website (3)
    hits.push_back(view->CursorPosition());
    QCOMPARE(QString::fromStdString(wordAt(hits.back())), QString("website"));
  }
  QVERIFY(hits[0] < hits[1] && hits[1] < hits[2]);
  // Another line starts from the top again.
  ClickRow(dialog->ListBox1, 0);  // robot
  QCOMPARE(view->CursorPosition(), 1);
  ClickRow(dialog->ListBox1, 2);
  QCOMPARE(view->CursorPosition(), hits[0]);
}

}  // namespace malvex

MALVEX_GUI_TEST(malvex::TerminologyWindowTest);

#include "dlg_terminology_test.moc"
