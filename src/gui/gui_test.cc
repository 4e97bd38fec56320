// Widget tests of the Qt front end, run with the offscreen platform.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "gui/app/main_window.h"
#include "gui/foundations/mss_box_ok.h"
#include "gui/reading/info_jauge.h"
#include "test_installation.h"

namespace malvex {

class GuiTest : public QObject {
  Q_OBJECT
 private slots:
  void boxButtonsFollowTheKind_data();
  void boxButtonsFollowTheKind();
  void boxAnswersTheButtonPressed();
  void checkBoxShownOnlyWhenAsked();
  void gaugeStopNeedsConfirmation();
  void mainWindowShowsTheLanguageInItsCaption();
};

void GuiTest::boxButtonsFollowTheKind_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("b1");
  QTest::addColumn<QString>("b2");
  QTest::addColumn<QString>("b3");
  QTest::addColumn<int>("focused");
  QTest::newRow("message") << 0 << "" << "&Ok" << "" << 2;
  QTest::newRow("ok-cancel") << 1 << "&Ok" << "" << "&Cancel" << 3;
  QTest::newRow("yes-no-cancel") << 3 << "&Yes" << "&No" << "&Cancel" << 2;
  QTest::newRow("yes-no, no default") << 4 << "&Yes" << "" << "&No" << 3;
  QTest::newRow("yes-no, yes default") << 5 << "&Yes" << "" << "&No" << 1;
}

void GuiTest::boxButtonsFollowTheKind() {
  QFETCH(int, kind);
  QFETCH(QString, b1);
  QFETCH(QString, b2);
  QFETCH(QString, b3);
  QFETCH(int, focused);
  TMssBoxOk box(nullptr, "Malvex", "text", static_cast<BoxKind>(kind), false, {});
  QPushButton* buttons[] = {box.Button1, box.Button2, box.Button3};
  QString expected[] = {b1, b2, b3};
  for (int i = 0; i < 3; ++i) {
    QCOMPARE(buttons[i]->isVisibleTo(&box), !expected[i].isEmpty());
    if (!expected[i].isEmpty()) QCOMPARE(buttons[i]->text(), expected[i]);
  }
  QVERIFY(buttons[focused - 1]->isDefault());
}

void GuiTest::boxAnswersTheButtonPressed() {
  TMssBoxOk box(nullptr, "Malvex", "Continue?", BoxKind::kYesNoCancel, false, {});
  QCOMPARE(box.Answer(), 0);
  QTimer::singleShot(0, box.Button3, &QPushButton::click);
  box.exec();
  QCOMPARE(box.Answer(), 3);
}

void GuiTest::checkBoxShownOnlyWhenAsked() {
  TMssBoxOk with(nullptr, "Malvex", "t", BoxKind::kYesNoDefaultNo, true, {});
  TMssBoxOk without(nullptr, "Malvex", "t", BoxKind::kYesNoDefaultNo, false, {});
  QVERIFY(with.CheckBoxMessage->isVisibleTo(&with));
  QVERIFY(!without.CheckBoxMessage->isVisibleTo(&without));
  QCOMPARE(with.CheckBoxMessage->text(), QString("&Don't show this message again"));
}

void GuiTest::gaugeStopNeedsConfirmation() {
  bool answer = false;
  int asked = 0;
  TInfoJauge gauge(nullptr, "Malvex", "&Stop", [&] {
    ++asked;
    return answer;
  });
  gauge.DefinirMaximum(0);
  QCOMPARE(gauge.ProgressBar1->maximum(), 1);
  QVERIFY(gauge.Continue());
  gauge.ButtonArret->click();
  QCOMPARE(asked, 1);
  QVERIFY(gauge.Continue());
  answer = true;
  gauge.ButtonArret->click();
  QVERIFY(!gauge.Continue());
  gauge.DefinirLibelle(5, "ignored");
  gauge.DefinirLibelle(2, "Words");
  QCOMPARE(gauge.Label[1]->text(), QString("Words"));
}

void GuiTest::mainWindowShowsTheLanguageInItsCaption() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  QDir root(dir.path());
  QVERIFY(testing::WriteTestInstallation(dir.path().toStdString()));
  // The default scenario is present, so start-up asks nothing.
  QVERIFY(root.mkpath("Scenario"));
  QFile scenario(root.filePath("Scenario/Concepts Romanian V8.scn"));
  QVERIFY(scenario.open(QIODevice::WriteOnly));
  scenario.close();
  EngineOptions options;
  options.places = testing::TestSettingsPlaces(dir.path().toStdString());
  QtFrontEnd frontEnd;
  TApdEditForm window(frontEnd, options);
  QVERIFY(window.EngineStarted());
  QCOMPARE(window.windowTitle(), QString("Malvex (Romanian)"));
}

}  // namespace malvex

QTEST_MAIN(malvex::GuiTest)
#include "gui_test.moc"
