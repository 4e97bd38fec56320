// The scenario creation wizard run from the Scenario Tool's New.
#include <QTimer>
#include <QtTest>

#include "gui/scenarios/assistant_scenario.h"
#include "gui/scenarios/dlg_scenario.h"
#include "gui/testing/gui_test_registry.h"
#include "gui/testing/gui_test_support.h"
#include "scenarios/scenario_editor.h"
#include "settings/settings_record.h"

namespace malvex {

class AssistantScenarioTest : public QObject {
  Q_OBJECT

 private Q_SLOTS:
  void wizardBuildsFromTheTextIntoTheTool();
  void wizardMergesScenarioFiles();
  void wizardRefusesASmallText();
};

namespace {

TAssistantScenario* OpenWizard() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* wizard = qobject_cast<TAssistantScenario*>(w); wizard != nullptr && wizard->isVisible()) return wizard;
  return nullptr;
}

// Runs New of the Scenario Tool of `window` and, once the wizard shows,
// `steps` on it. False when the wizard never showed.
bool RunNew(TApdEditForm& window, const std::function<void(TAssistantScenario&)>& steps) {
  window.MenuScenario->trigger();
  TDlgScenario* tool = window.dlgScenario();
  if (tool == nullptr) return false;
  bool seen = false;
  QTimer timer;
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    TAssistantScenario* wizard = OpenWizard();
    if (wizard == nullptr || seen) return;
    seen = true;
    steps(*wizard);
    if (wizard->isVisible()) wizard->reject();
  });
  timer.start();
  tool->MenuNouveau1->trigger();
  return seen;
}

// Answers each question box with its second button (No) while it lives.
class NoAnswerer : public QObject {
 public:
  NoAnswerer() {
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, [this] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<TMssBoxOk*>(w); box != nullptr && box->isVisible()) {
          texts << box->Label1->text();
          box->Button2->click();
          return;
        }
      }
    });
    timer_.start();
  }
  QStringList texts;

 private:
  QTimer timer_;
};

}  // namespace

void AssistantScenarioTest::wizardBuildsFromTheTextIntoTheTool() {
  AnalysedWindow w;
  const QByteArray text = LongText(400);
  QVERIFY(w.Open(text.constData()));
  TApdEditForm& window = *w.window;
  int pageAfterNext = 0;
  QString title;
  const bool seen = RunNew(window, [&](TAssistantScenario& wizard) {
    title = wizard.windowTitle();
    QCOMPARE(wizard.PageControl1->currentIndex(), 0);
    wizard.RadioButtonNouveauScenAPartirDuTexte->click();
    wizard.ButtonSuivant->click();
    wizard.RadioUniv3->click();
    wizard.ButtonSuivant->click();
    pageAfterNext = wizard.PageControl1->currentIndex();
    wizard.CheckBoxSousClasser->setChecked(false);
    wizard.ValSeuilFreq->setText("4");
    wizard.ButtonTerminer->click();
  });
  QVERIFY(seen);
  QCOMPARE(title, QString("Wizard - Creation of Scenarios"));
  QCOMPARE(pageAfterNext, 2);
  TDlgScenario* tool = window.dlgScenario();
  ScenarioEditor& editor = tool->editor();
  QVERIFY(editor.modified());
  QCOMPARE(window.engine().record().scenarioFile(), std::string());
  QCOMPARE(window.engine().record().wizardFrequencyThreshold(), 4);
  // Every reference of the text is a top-level group holding its class.
  QVERIFY(tool->TreeView1->topLevelItemCount() > 0);
  for (int i = 0; i < tool->TreeView1->topLevelItemCount(); ++i) {
    QTreeWidgetItem* group = tool->TreeView1->topLevelItem(i);
    QCOMPARE(group->childCount(), 1);
    // A class of the dictionary carries its suffix; a reference the
    // dictionary does not classify is a plain word.
    QString item = group->child(0)->text(0);
    if (item.endsWith(" (*)")) item.chop(4);
    QCOMPARE(item.toLower(), group->text(0).toLower());
  }
  QCOMPARE(tool->windowTitle(), QString("Scenario Tool"));
}

void AssistantScenarioTest::wizardMergesScenarioFiles() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  const QDir scenario(QDir(w.dir.path()).filePath("Scenario"));
  QVERIFY(WriteText(scenario.filePath("a.scn"), "G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n"));
  QVERIFY(WriteText(scenario.filePath("b.scn"), "G#0V\t1\tLegume\r\n0#1#\tceapa\tLegume"));
  const QStringList before = scenario.entryList(QDir::Files);
  QStringList listed;
  const bool seen = RunNew(*w.window, [&](TAssistantScenario& wizard) {
    wizard.RadioButtonNouveauScenExistant->click();
    wizard.ButtonSuivant->click();
    for (int i = 0; i < wizard.FileListBox1->count(); ++i) {
      listed << wizard.FileListBox1->item(i)->text();
      const QString name = wizard.FileListBox1->item(i)->text();
      wizard.FileListBox1->item(i)->setSelected(name == "a.scn" || name == "b.scn");
    }
    wizard.ButtonTerminer->click();
  });
  QVERIFY(seen);
  QVERIFY(listed.contains("a.scn") && listed.contains("b.scn"));
  TDlgScenario* tool = w.window->dlgScenario();
  QCOMPARE(tool->TreeView1->topLevelItemCount(), 2);
  QCOMPARE(tool->TreeView1->topLevelItem(0)->text(0), QString("Fructe"));
  QCOMPARE(tool->TreeView1->topLevelItem(1)->text(0), QString("Legume"));
  QVERIFY(tool->editor().modified());
  QCOMPARE(scenario.entryList(QDir::Files), before);
}

void AssistantScenarioTest::wizardRefusesASmallText() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  NoAnswerer answerer;
  int page = -1;
  const bool seen = RunNew(*w.window, [&](TAssistantScenario& wizard) {
    wizard.RadioButtonNouveauScenAPartirDuTexte->click();
    wizard.ButtonSuivant->click();
    page = wizard.PageControl1->currentIndex();
  });
  QVERIFY(seen);
  QCOMPARE(page, 0);
  QCOMPARE(answerer.texts.size(), 1);
  QVERIFY(answerer.texts[0].contains("The current text is quite small"));
}

}  // namespace malvex

MALVEX_GUI_TEST(malvex::AssistantScenarioTest);

#include "assistant_scenario_test.moc"
