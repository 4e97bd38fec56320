// The Report dialog opened from File, Report over an analysed text whose
// Scenario the text counts.
#include <QFile>
#include <QTimer>
#include <QtTest>
#include <zip.h>

#include "gui/app/dlg_report_mng.h"
#include "gui/testing/gui_test_registry.h"
#include "gui/testing/gui_test_support.h"
#include "settings/settings_record.h"

namespace malvex {

namespace {

// Writes the workbook for real and opens nothing, answering `opening`.
class WriteOnlyOutput : public ReportOutput {
 public:
  WriteOnlyOutput(Messages& messages, Opening opening) : writer_(messages), opening_(opening) {}
  bool Write(const ScenarioReport& report, const std::string& path, std::string& error) override {
    written = QString::fromStdString(path);
    blocks = static_cast<int>(report.blocks.size());
    return writer_.Write(report, path, error);
  }
  Opening Open(const std::string& path) override {
    opened = QString::fromStdString(path);
    return opening_;
  }
  QString written;
  QString opened;
  int blocks = 0;

 private:
  WorkbookReportOutput writer_;
  Opening opening_;
};

// A window on the mini edition whose default Scenario has two groups the
// robot text counts ("maşini" under "lucruri", and "acţiuni").
struct ScenarioWindow {
  QTemporaryDir dir;
  QtFrontEnd frontEnd;
  std::unique_ptr<TApdEditForm> window;

  bool Open() {
    if (!dir.isValid() || !PrepareInstallation(dir, MALVEX_TEST_EDITION)) return false;
    if (!WriteText(QDir(dir.path()).filePath("Scenario/Concepts Romanian V8.scn"),
                   "G#0V\t1\tlucruri\r\n"
                   "G#1V\t2\tma\xBAini\r\n"
                   "1#2#\tma\xBAin\xE3\tma\xBAini\r\n"
                   "G#1V\t3\tac\xFEiuni\r\n"
                   "V#2#\tmerge\tac\xFEiuni\r\n"
                   "V#2#\tvorbi\tac\xFEiuni\r\n"))
      return false;
    const QString text = QDir(dir.path()).filePath("Text/robot.txt");
    if (!WriteText(text, kRobotText)) return false;
    EngineOptions options;
    options.places = testing::TestSettingsPlaces(dir.path().toStdString());
    window = std::make_unique<TApdEditForm>(frontEnd, options);
    if (!window->EngineStarted()) return false;
    window->resize(1000, 700);
    window->show();
    return window->AnalyserLeTexte({text});
  }
};

// Runs File, Report; `inside` gets the dialog once it shows (with its
// event loop running) and must close it.
bool RunReport(TApdEditForm& window, const std::function<void(TDlgReportMng&)>& inside) {
  bool found = false;
  QTimer::singleShot(0, [&] {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (auto* dialog = qobject_cast<TDlgReportMng*>(w); dialog != nullptr && dialog->isVisible()) {
        found = true;
        inside(*dialog);
        if (dialog->isVisible()) dialog->reject();
        return;
      }
  });
  window.MenuGenererUnRapport->trigger();
  return found;
}

}  // namespace

class DlgReportMngTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void reportOpensFromTheFileMenuAndWritesTheWorkbook();
  void withoutAProgramTheDialogStaysOpenAndSaysWhereTheFileIs();
  void outsideTheScenarioListNoGroupIsSelected();
};

void DlgReportMngTest::reportOpensFromTheFileMenuAndWritesTheWorkbook() {
  ScenarioWindow w;
  QVERIFY(w.Open());
  QVERIFY(w.window->MenuGenererUnRapport->isEnabled());
  w.window->MenuAfficheScenario->trigger();
  QListWidget* items = w.window->resultPanel()->ListBoxModItems;
  QVERIFY(items->count() >= 2);
  ClickRow(items, 1);  // "maşini"
  WriteOnlyOutput output(w.window->engine().messages(), ReportOutput::Opening::kOpened);
  bool accepted = false;
  QVERIFY(RunReport(*w.window, [&](TDlgReportMng& dialog) {
    QCOMPARE(dialog.windowTitle(), QString("Report"));
    QCOMPARE(dialog.PageControl->tabText(0), QString("Parameters"));
    QCOMPARE(dialog.PageControl->tabText(1), QString("Explain"));
    QVERIFY(dialog.RadioButtonTableauSelection->isChecked());
    QVERIFY(dialog.RadioButtonTableauBranche->isEnabled());
    // "Show graph" shows the stored choice, on by default.
    QVERIFY(dialog.CheckBoxAfficherGraphe->isChecked());
    QCOMPARE(dialog.ComboTypeDeGraphe->count(), 6);
    QCOMPARE(dialog.ComboTypeDeGraphe->itemText(3), QString("Sectors"));
    QCOMPARE(dialog.UpDownFreq->value(), 8);
    QVERIFY(dialog.RichEdit4->toPlainText().startsWith("This tool makes it possible"));
    QVERIFY(dialog.OKBtn->isEnabled());
    QVERIFY(!dialog.ButtonHelp->isEnabled());
    dialog.ComboTypeDeGraphe->setCurrentIndex(3);
    dialog.SetOutput(&output);
    dialog.OKBtn->click();
    accepted = dialog.result() == QDialog::Accepted && !dialog.isVisible();
  }));
  QVERIFY(accepted);
  QVERIFY(output.written.endsWith("robot - Statistics.xlsx"));
  QCOMPARE(output.opened, output.written);
  QCOMPARE(output.blocks, 1);
  QCOMPARE(w.window->engine().record().reportGraphKind(), 3u);
  int error = 0;
  zip_t* zip = zip_open(output.written.toLocal8Bit().constData(), ZIP_RDONLY, &error);
  QVERIFY(zip != nullptr);
  QVERIFY(zip_name_locate(zip, "xl/charts/chart1.xml", 0) >= 0);
  zip_close(zip);
  QFile::remove(output.written);
}

void DlgReportMngTest::withoutAProgramTheDialogStaysOpenAndSaysWhereTheFileIs() {
  ScenarioWindow w;
  QVERIFY(w.Open());
  w.window->MenuAfficheScenario->trigger();
  WriteOnlyOutput output(w.window->engine().messages(), ReportOutput::Opening::kNoProgram);
  QString status;
  bool stillOpen = false;
  QVERIFY(RunReport(*w.window, [&](TDlgReportMng& dialog) {
    dialog.SetOutput(&output);
    dialog.OKBtn->click();
    stillOpen = dialog.isVisible();
    status = dialog.StatusPanel2->text();
    if (qEnvironmentVariableIsSet("MALVEX_REPORT_SHOT"))
      dialog.grab().save(qEnvironmentVariable("MALVEX_REPORT_SHOT"));
  }));
  QVERIFY(stillOpen);
  QVERIFY(status.startsWith("No program for spreadsheets is known on this desktop. The report is saved as: "));
  QVERIFY(status.endsWith(output.written));
  QVERIFY(QFile::exists(output.written));
  QFile::remove(output.written);
}

void DlgReportMngTest::outsideTheScenarioListNoGroupIsSelected() {
  ScenarioWindow w;
  QVERIFY(w.Open());
  w.window->MenuUnivers3->trigger();
  QListWidget* items = w.window->resultPanel()->ListBoxModItems;
  QVERIFY(items->count() >= 1);
  ClickRow(items, 0);
  QVERIFY(RunReport(*w.window, [&](TDlgReportMng& dialog) {
    QVERIFY(dialog.RadioButtonTableauTout->isChecked());
    QVERIFY(!dialog.RadioButtonTableauSelection->isEnabled());
    QVERIFY(!dialog.RadioButtonTableauBranche->isEnabled());
    QCOMPARE(dialog.StatusPanel2->text(), QString("No selected element (Scenario)"));
    dialog.CancelBtn->click();
  }));
}

}  // namespace malvex

MALVEX_GUI_TEST(malvex::DlgReportMngTest);
#include "dlg_report_mng_test.moc"
