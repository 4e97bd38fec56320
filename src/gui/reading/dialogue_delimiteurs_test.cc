// The borders dialog opened from Tools > Borders.
#include <QtTest>

#include "dictionaries/borders.h"
#include "gui/reading/dialogue_delimiteurs.h"
#include "gui/scenarios/dlg_scenario.h"
#include "gui/testing/gui_test_registry.h"
#include "gui/testing/gui_test_support.h"
#include "settings/settings_record.h"
#include "views/scenario_wizard_source.h"

namespace malvex {

class DialogueDelimiteursTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void bordersDialogOpensFromTheToolsMenu();
  void excludedAnnexesLeaveTheAnalysis();
  void cancelUndoesTheShowBordersBox();
  void droppedWordsAreAdded();
  void closingTheProgramAsksForUnsavedBorders_data();
  void closingTheProgramAsksForUnsavedBorders();
};

namespace {

constexpr char kLegalText[] =
    "Omul a intrat in casa si a inchis usa dupa el. Robotul vorbeste de pas si de casa.\n"
    "Anexa\n"
    "Omul vorbeste de robot si de tara. Casa are o usa si un robot.\n";

QByteArray ReadFileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

void DialogueDelimiteursTest::bordersDialogOpensFromTheToolsMenu() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  QVERIFY(window.MenuDelimiteurs->isEnabled());
  window.MenuDelimiteurs->trigger();
  TDialogueDelimiteurs* dialog = window.dlgDelimiteurs();
  QVERIFY(dialog != nullptr && dialog->isVisible());
  QCOMPARE(dialog->windowTitle(), QString("Borders"));
  QCOMPARE(dialog->parentWidget(), &window);
  QVERIFY(!dialog->isModal());
  QCOMPARE(dialog->PageControl1->tabText(1), QString("Explain"));
  QVERIFY(dialog->Explication->toPlainText().contains("A checked border starts filtering"));
  QVERIFY(!dialog->ButtonAppliquer->isEnabled());
  QCOMPARE(dialog->Edit1->maxLength(), 47);
  // A second Tools > Borders shows the same window.
  window.MenuDelimiteurs->trigger();
  QCOMPARE(window.findChildren<TDialogueDelimiteurs*>().size(), 1);
}

void DialogueDelimiteursTest::excludedAnnexesLeaveTheAnalysis() {
  AnalysedWindow w;
  QVERIFY(w.Open(kLegalText));
  TApdEditForm& window = *w.window;
  const uint32_t before = AnalysedWordCount(window.engine());
  window.MenuDelimiteurs->trigger();
  TDialogueDelimiteurs* dialog = window.dlgDelimiteurs();
  const QString folder = QDir(w.dir.path()).filePath("Scenario");
  dialog->SetFileDialog([&](bool save, const QString&, QString& path) {
    if (!save) return false;
    path = QDir(folder).filePath("lege");
    return true;
  });
  dialog->Edit1->setText("Anexa");
  dialog->ButtonAjouterClick();
  QCOMPARE(dialog->CheckListBox1->count(), 1);
  QListWidgetItem* row = dialog->CheckListBox1->item(0);
  QCOMPARE(row->text(), QString("anexa"));
  QCOMPARE(row->foreground().color(), QColor(Qt::black));
  row->setCheckState(Qt::Checked);
  row = dialog->CheckListBox1->item(0);
  QCOMPARE(row->foreground().color(), QColor(Qt::red));
  QVERIFY(dialog->ButtonAppliquer->isEnabled());
  QSignalSpy done(&window, &TApdEditForm::analysisDone);
  dialog->ButtonAppliquer->click();
  QCOMPARE(done.count(), 1);
  QCOMPARE(window.engine().record().bordersFile(), std::string("lege.dlm"));
  QCOMPARE(ReadFileBytes(QDir(folder).filePath("lege.dlm")), QByteArray("X#######\tanexa\r\n"));
  QCOMPARE(dialog->windowTitle(), QString("Borders : lege.dlm"));
  QVERIFY(!dialog->ButtonAppliquer->isEnabled());
  // The annex is no longer analysed.
  const uint32_t after = AnalysedWordCount(window.engine());
  QVERIFY2(after < before && after >= 18, qPrintable(QString("%1 -> %2").arg(before).arg(after)));
}

void DialogueDelimiteursTest::cancelUndoesTheShowBordersBox() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  window.engine().record().setKeepBorderKeywords(true);
  window.MenuDelimiteurs->trigger();
  TDialogueDelimiteurs* dialog = window.dlgDelimiteurs();
  QVERIFY(dialog->CheckBoxAfficherDansLeTexte->isChecked());
  dialog->CheckBoxAfficherDansLeTexte->click();
  QVERIFY(!window.engine().record().keepBorderKeywords());
  QVERIFY(dialog->ButtonAnnuler->isEnabled());
  dialog->ButtonAnnuler->click();
  QVERIFY(dialog->CheckBoxAfficherDansLeTexte->isChecked());
  QVERIFY(window.engine().record().keepBorderKeywords());
  QVERIFY(!dialog->ButtonAnnuler->isEnabled());
}

void DialogueDelimiteursTest::droppedWordsAreAdded() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  window.MenuDelimiteurs->trigger();
  TDialogueDelimiteurs* dialog = window.dlgDelimiteurs();
  std::unique_ptr<QMimeData> data(MakeScenarioItemMime("Robot", 0, '?'));
  QVERIFY(dialog->DropData(data.get()));
  QCOMPARE(dialog->CheckListBox1->count(), 1);
  QCOMPARE(dialog->CheckListBox1->item(0)->text(), QString("robot"));
  QVERIFY(dialog->ButtonAppliquer->isEnabled());
  // Other data is refused.
  QMimeData plain;
  plain.setText("casa");
  QVERIFY(!dialog->DropData(&plain));
  // Without a text shown nothing is taken.
  window.MenuFermer->trigger();
  QVERIFY(!dialog->DropData(data.get()));
  QCOMPARE(dialog->CheckListBox1->count(), 1);
}

void DialogueDelimiteursTest::closingTheProgramAsksForUnsavedBorders_data() {
  QTest::addColumn<bool>("yes");
  QTest::newRow("yes: saved, then closed") << true;
  QTest::newRow("no: closed, nothing written") << false;
}

void DialogueDelimiteursTest::closingTheProgramAsksForUnsavedBorders() {
  QFETCH(bool, yes);
  AnalysedWindow w;
  QVERIFY(w.Open(kLegalText));
  TApdEditForm& window = *w.window;
  window.MenuDelimiteurs->trigger();
  TDialogueDelimiteurs* dialog = window.dlgDelimiteurs();
  const QString folder = QDir(w.dir.path()).filePath("Scenario");
  dialog->SetFileDialog([&](bool save, const QString&, QString& path) {
    if (!save) return false;
    path = QDir(folder).filePath("lege");
    return true;
  });
  dialog->Edit1->setText("Anexa");
  dialog->ButtonAjouterClick();
  QCOMPARE(dialog->CheckListBox1->count(), 1);
  BoxAnswers answers({yes ? Yes : No});
  window.close();
  QCOMPARE(answers.answered, 1);
  QVERIFY(answers.texts.value(0).contains("Borders"));
  QVERIFY(!window.isVisible());
  const QByteArray saved = ReadFileBytes(QDir(folder).filePath("lege.dlm"));
  QCOMPARE(saved.contains("anexa"), yes);
}

}  // namespace malvex

MALVEX_GUI_TEST(malvex::DialogueDelimiteursTest);

#include "dialogue_delimiteurs_test.moc"