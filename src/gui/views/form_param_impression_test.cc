// The print dialog opened from File > Print, and the reports it chooses
// printed into one PDF file.
#include <QCheckBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <poppler-document.h>
#include <poppler-page.h>

#include "gui/app/print_command.h"
#include "gui/testing/gui_test_registry.h"
#include "gui/testing/gui_test_support.h"
#include "gui/views/form_param_impression.h"
#include "views/print_reports.h"

namespace malvex {

// Answers, while an event loop runs, the print dialog with `onForm` and
// then the file dialog with `pdf` (when not empty).
class PrintDialogAnswer : public QObject {
 public:
  PrintDialogAnswer(std::function<void(TFormParamImpression&)> onForm, QString pdf)
      : onForm_(std::move(onForm)), pdf_(std::move(pdf)) {
    timer_.setInterval(10);
    connect(&timer_, &QTimer::timeout, this, [this] { Answer(); });
    timer_.start();
  }
  int formsSeen = 0;
  int fileDialogsSeen = 0;

 private:
  void Answer() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (!w->isVisible()) continue;
      if (auto* form = qobject_cast<TFormParamImpression*>(w); form != nullptr && formsSeen == 0) {
        ++formsSeen;
        onForm_(*form);
        return;
      }
      if (auto* files = qobject_cast<QFileDialog*>(w); files != nullptr && !pdf_.isEmpty()) {
        ++fileDialogsSeen;
        files->selectFile(pdf_);
        if (auto* name = files->findChild<QLineEdit*>("fileNameEdit")) name->setText(pdf_);
        QMetaObject::invokeMethod(files, "accept", Qt::QueuedConnection);
        return;
      }
    }
  }
  std::function<void(TFormParamImpression&)> onForm_;
  QString pdf_;
  QTimer timer_;
};

class PrintDialogTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void filePrintOpensTheDialogWithTheElevenReports();
  void theChosenReportsGoIntoOnePdfFile();
};

void PrintDialogTest::filePrintOpensTheDialogWithTheElevenReports() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  QVERIFY(w.window->MenuImprimer != nullptr);
  QVERIFY(w.window->MenuImprimer->isEnabled());
  QStringList labels;
  bool textEnabled = false;
  bool scenarioEnabled = true;
  bool textChecked = false;
  PrintDialogAnswer answer(
      [&](TFormParamImpression& form) {
        for (int i = 0; i < form.CheckListBox->count(); ++i) labels << form.CheckListBox->item(i)->text();
        textEnabled = form.CheckListBox->item(kPrintText)->flags().testFlag(Qt::ItemIsEnabled);
        textChecked = form.CheckListBox->item(kPrintText)->checkState() == Qt::Checked;
        scenarioEnabled = form.CheckListBox->item(kPrintScenario)->flags().testFlag(Qt::ItemIsEnabled);
        form.ButtonAnnuler->click();
      },
      QString());
  QVERIFY(!PrintFromWindow(*w.window));
  QCOMPARE(answer.formsSeen, 1);
  QCOMPARE(labels, (QStringList{"Text", "Style and categories", "Reference fields 1", "Reference fields 2",
                                "References", "Scenario", "Relations", "Graph", "Episodes", "Verbs",
                                "Adjectives"}));
  QVERIFY(textEnabled);
  QVERIFY(textChecked);
  QVERIFY(!scenarioEnabled);  // the mini installation loads no Scenario
  // The menu command opens the same dialog.
  PrintDialogAnswer again([&](TFormParamImpression& form) { form.ButtonAnnuler->click(); }, QString());
  w.window->MenuImprimer->trigger();
  QCOMPARE(again.formsSeen, 1);
}

void PrintDialogTest::theChosenReportsGoIntoOnePdfFile() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  const QString pdf = QDir(w.dir.path()).filePath("reports.pdf");
  PrintDialogAnswer answer(
      [&](TFormParamImpression& form) {
        form.CheckListBox->item(kPrintVerbs)->setCheckState(Qt::Checked);
        form.CheckListBox->item(kPrintStyle)->setCheckState(Qt::Checked);
        if (form.ToPdfFile->isEnabled()) form.ToPdfFile->setChecked(true);
        form.ButtonOk->click();
      },
      pdf);
  QVERIFY(PrintFromWindow(*w.window));
  QCOMPARE(answer.fileDialogsSeen, 1);
  QVERIFY(QFileInfo::exists(pdf));
  // The choices are kept for the next time.
  QVERIFY(w.window->engine().record().printChoice(kPrintVerbs));
  std::unique_ptr<poppler::document> doc(poppler::document::load_from_file(pdf.toStdString()));
  QVERIFY(doc != nullptr);
  // Text, statistics, references and verbs: four reports of one page each.
  QCOMPARE(doc->pages(), 4);
  const char* titles[] = {"Robot merge", "Statistics", "List of classes", "Verbs"};
  for (int i = 0; i < 4; ++i) {
    std::unique_ptr<poppler::page> page(doc->create_page(i));
    const poppler::byte_array bytes = page->text().to_utf8();
    const std::string text(bytes.begin(), bytes.end());
    QVERIFY2(text.find(titles[i]) != std::string::npos, text.c_str());
    QVERIFY2(text.find("robot.txt") != std::string::npos, text.c_str());
  }
}

}  // namespace malvex

MALVEX_GUI_TEST(malvex::PrintDialogTest);
#include "form_param_impression_test.moc"
