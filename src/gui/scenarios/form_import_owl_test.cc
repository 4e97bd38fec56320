// The OWL import window: its texts and options, and an ontology chosen in
// the Scenario Tool's Open imported and loaded as the current scenario.
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QtTest>
#include <string>

#include "engine/engine.h"
#include "gui/app/main_window.h"
#include "gui/qt_text.h"
#include "gui/scenarios/dlg_scenario.h"
#include "gui/scenarios/form_import_owl.h"
#include "gui/testing/gui_test_registry.h"
#include "gui/testing/gui_test_support.h"
#include "settings/folders.h"
#include "settings/settings_record.h"

namespace malvex {

namespace {

const QByteArray kOntology =
    "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
    "xmlns:rdfs=\"http://www.w3.org/2000/01/rdf-schema#\" xmlns:owl=\"http://www.w3.org/2002/07/owl#\">"
    "<owl:Class rdf:about=\"#Masina\"><rdfs:label xml:lang=\"ro\">ma\xC8\x99in\xC4\x83</rdfs:label>"
    "<rdfs:label xml:lang=\"en\">machine</rdfs:label></owl:Class>"
    "<owl:Class rdf:about=\"#Robot\"><rdfs:subClassOf rdf:resource=\"#Masina\"/>"
    "<rdfs:label xml:lang=\"ro\">robot</rdfs:label></owl:Class></rdf:RDF>";

// The texts of the nodes of `tree`, depth-first, indented by two blanks a
// level.
void TreeTexts(QTreeWidgetItem* item, int depth, QStringList& out) {
  out << QString(depth * 2, ' ') + item->text(0);
  for (int i = 0; i < item->childCount(); ++i) TreeTexts(item->child(i), depth + 1, out);
}

}  // namespace

class FormImportOwlTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void init() { SetOwlLogOpener([this](const std::string& path) { logsOpened_ << QString::fromStdString(path); }); }
  void cleanup() { SetOwlLogOpener({}); }

  void showsItsTextsAndOptions() {
    AnalysedWindow w;
    QVERIFY(w.Open());
    OwlImportModel model(w.window->engine(), "/somewhere/onto.owl");
    TFormImportOWL form(model, w.window->engine().messages());
    QCOMPARE(form.windowTitle(), QString("OWL Import Filter"));
    QCOMPARE(form.LabelWelcome->text(), QString("Welcome in the Web Ontology Language (OWL) import filter "));
    QCOMPARE(form.LabelFile->text(), QString("onto.owl"));
    QCOMPARE(form.CheckBoxOWLPluriels->text(), QString("Generate additional flexed forms"));
    QCOMPARE(form.CheckBoxIgnoreRestrictions->text(), QString("Ignore classes in OWL Restrictions"));
    QVERIFY(form.CheckBoxOWLPluriels->isChecked());
    QVERIFY(form.CheckBoxConvertUnicode->isChecked());
    QVERIFY(form.CheckBoxDiscardOtherLanguages->isChecked());
    QVERIFY(form.CheckBoxIgnoreRestrictions->isChecked());
    QVERIFY(!form.CheckBoxLogDetaillee->isChecked());
    QVERIFY(!form.CheckBoxDumpInputBufferDansLogFile->isChecked());
    form.ButtonCancelClick();
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(model.outputPath().empty());
  }

  void openedOntologyBecomesTheCurrentScenario() {
    AnalysedWindow w;
    QVERIFY(w.Open());
    const QString owl = QDir(w.dir.path()).filePath("machines.owl");
    QVERIFY(WriteText(owl, kOntology));
    QDir().mkpath(QString::fromStdString(w.window->engine().folders().scenario));
    w.window->SetScenarioFileDialog([&](bool save, const QString&, QString& path) {
      if (save) return false;
      path = owl;
      return true;
    });
    w.window->MenuScenarioClick();
    QVERIFY(w.window->dlgScenario() != nullptr);
    bool clicked = false;
    bool keptAccentedLabels = false;
    QTimer::singleShot(0, [&] {
      auto* form = qobject_cast<TFormImportOWL*>(QApplication::activeModalWidget());
      if (form == nullptr) return;
      // Keep the English labels this time.
      form->CheckBoxDiscardOtherLanguages->setChecked(false);
      keptAccentedLabels = form->CheckBoxConvertUnicode->isChecked();
      clicked = true;
      form->ButtonOK->click();
    });
    w.window->dlgScenario()->MenuOuvrir1->trigger();
    QVERIFY(clicked);
    QVERIFY(keptAccentedLabels);
    QCOMPARE(QString::fromStdString(w.window->engine().record().scenarioFile()), QString("OwlOutput.scn"));
    QCOMPARE(logsOpened_, QStringList{QDir(w.dir.path()).filePath("machines.log")});
    QStringList texts;
    QTreeWidget* tree = w.window->dlgScenario()->TreeView1;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) TreeTexts(tree->topLevelItem(i), 0, texts);
    QVERIFY2(texts.contains(QString::fromUtf8("ma\xC8\x99in\xC4\x83")), qPrintable(texts.join('|')));
    QVERIFY2(texts.contains("  robot"), qPrintable(texts.join('|')));
    QVERIFY2(texts.join('|').contains("machine"), qPrintable(texts.join('|')));
  }

 private:
  QStringList logsOpened_;
};

}  // namespace malvex

MALVEX_GUI_TEST(malvex::FormImportOwlTest);
#include "form_import_owl_test.moc"
