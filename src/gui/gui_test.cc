// Widget tests of the Qt front end, run with the offscreen platform.
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSet>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/external_request.h"
#include "gui/app/analysis_options_dialog.h"
#include "gui/app/assistant_setup.h"
#include "gui/app/general_options_dialog.h"
#include "gui/app/instance_channel.h"
#include "gui/app/main_window.h"
#include "gui/qt_text.h"
#include "qtcanvas/qpainter_canvas.h"
#include "gui/scenarios/dlg_anomalie_scen.h"
#include "gui/scenarios/dlg_scenario.h"
#include "gui/views/result_panel.h"
#include "gui/views/text_view_widget.h"
#include "integrations/external_tools.h"
#include "gui/foundations/mss_box_ok.h"
#include "gui/reading/info_jauge.h"
#include "foundations/messages.h"
#include "platform/registry.h"
#include "scenarios/current_scenario.h"
#include "semantic/analysis_context.h"
#include "test_installation.h"
#include "gui/testing/gui_test_registry.h"
#include "gui/testing/gui_test_support.h"

namespace malvex {

class GuiTest : public QObject {
  Q_OBJECT
 private Q_SLOTS:
  void boxButtonsFollowTheKind_data();
  void boxButtonsFollowTheKind();
  void boxAnswersTheButtonPressed();
  void checkBoxShownOnlyWhenAsked();
  void gaugeStopNeedsConfirmation();
  void mainWindowShowsTheLanguageInItsCaption();
  void textViewWidgetPaintsTheColouredText();
  void scrollBarAndKeysMoveThePage();
  void secondStartHandsItsFileToTheChannel();
  void channelRefusesASecondListener();
  void windowAnalysesTheFileItIsHanded();
  void resultPanelShowsEveryFunctionAndItsItems();
  void resultPanelFollowsTheBoxesAndTheOrder();
  void openedFileShowsItsResults();
  void historyKeepsTwelveAndShowsEight();
  void selectionOfTenThousandAndOneFiles();
  void droppedFilesOpenOnlyTheFirst();
  void commandLineFileWithADisplayRequest();
  void commandLineScenarioIsTheOneAnalysed();
  void stopFromTheGaugeKeepsTheWindowUsable();
  void closingDuringARunWaitsForItsEnd();
  void setupWizardOnFirstStart();
  void setupWizardStaysOpenOnAFolderItCannotMake();
  void resultsMenuChoosesEveryFunction();
  void interfaceTextsComeFromTheCatalogue();
  void graphOptionsOpenFromTheMenuAndApplyAtOnce();
  void colourChangeRedrawsTheTextAndCancelRestores();
  void textPopupKeepsEveryItemAndOpensTheColours();
  void releasingTheMouseGivesTheKeysToTheScrollBar();
  void copyTheResultsPutsTheLinesOnTheClipboard();
  void contextWindowOpensWithoutMovingThePanel();
  void copyTextDialogOpensOnTheWord();
  void contextFileBecomesTheMainText();
  void analysisOptionsOpenFromTheToolsMenuAndReanalyseOnAChange();
  void generalOptionsOpenFromTheToolsMenuAndStoreOnAccept();
  void generalOptionsSetUpClosesThroughTheOrdinaryClose();
  void toolsMenuStartsThePluginsAndTheSurveyProgram();
  void graphHoverShowsTheHintAndDrawsOnlyForAnotherObject();
  void graphModifiedClicks();
  void graphPopupAndGraphsMenu();
  void graphSliderSetsTheLimitOrTheBarWidth();
  void scenarioToolOpensOnceFromTheMenu();
  void toolbarShowsTheItemInTheScenarioOpeningTheTool();
  void resultItemDroppedOnAGroupJoinsIt();
  void groupRenamedInPlace();
  void nodeMovedInsideTheTree();
  void textWordsGoIntoTheScenarioAsLemmas();
  void addedGroupIsInTheScenarioFunctionAfterTheSave();
  void printingTheTreeWritesItsPages();
  void anomaliesShowWithTheEditorAndFindTheirEntries();
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

void GuiTest::textViewWidgetPaintsTheColouredText() {
  WordStream stream(nullptr);
  WordInfo verb;
  verb.category.category = kClassVerb;
  // "Ştiinţa înaintează repede." with a verb in the middle.
  QVERIFY(stream.Append("\xAAtiin\xFE" "a", "", WordInfo{}, 1, 0, 1));
  QVERIFY(stream.Append("\xEEnainteaz\xE3", " ", verb, 2, 0, 1));
  QVERIFY(stream.Append("repede", " ", WordInfo{}, 3, 0, 1));
  QVERIFY(stream.Append("/", ".", WordInfo{}, 3, 0, 1));
  SelectionState selection;
  SettingsRecord settings;
  settings.setSelectiveColoration(false);  // verbs in their colour
  settings.setLargeFonts(true);
  auto view = std::make_unique<TExtraitDuTexte>(stream, selection, settings);
  view->Rewind();
  TTextViewWidget widget;
  widget.resize(500, 120);
  widget.SetView(view.get(), nullptr);
  const QImage image = widget.grab().toImage();
  QCOMPARE(view->WordsDrawn(), 3);
  QCOMPARE(view->LinesDrawn(), 1);
  QVERIFY(PixelsNear(image, ToQColor(0xC0C0C0)) > image.width() * image.height() / 2);  // the background
  QVERIFY(PixelsNear(image, ToQColor(0x0000A0)) > 10);                                 // the verb
  QVERIFY(PixelsNear(image, QColor(0, 0, 0)) > 10);                                    // the other words
  TextViewHit hit;
  QVERIFY(view->WordAt(view->Line(0).entries[2].rightX, 5, hit));
  QCOMPARE(hit.position, 2);
}

void GuiTest::scrollBarAndKeysMoveThePage() {
  WordStream stream(nullptr);
  for (int i = 1; i <= 100; ++i) {
    QVERIFY(stream.Append("cuv\xE2nt", " ", WordInfo{}, i, 0, 1));
    QVERIFY(stream.Append("/", ".", WordInfo{}, i, 0, 1));
  }
  SelectionState selection;
  SettingsRecord settings;
  auto view = std::make_unique<TExtraitDuTexte>(stream, selection, settings);
  view->Rewind();
  TTextViewWidget widget;
  widget.resize(300, 100);
  widget.SetView(view.get(), nullptr);
  widget.grab();
  QCOMPARE(view->FirstPositionShown(), 1);
  QVERIFY(widget.ScrollBarTexte->isEnabled());
  QCOMPARE(widget.ScrollBarTexte->maximum(), 100);

  widget.ScrollBarTexte->setSliderPosition(50);
  widget.grab();
  QCOMPARE(view->FirstPositionShown(), 50);
  QCOMPARE(widget.ScrollBarTexte->value(), 50);

  QTest::keyClick(&widget, Qt::Key_Down);
  widget.grab();
  QCOMPARE(view->FirstPositionShown(), 51);
  QTest::keyClick(&widget, Qt::Key_PageDown);
  widget.grab();
  QVERIFY(view->FirstPositionShown() > 52);
  QTest::keyClick(&widget, Qt::Key_Home);
  widget.grab();
  QCOMPARE(view->FirstPositionShown(), 1);
}

void GuiTest::secondStartHandsItsFileToTheChannel() {
  TInstanceChannel channel(TestChannelName());
  QVERIFY(channel.Listen());
  QSignalSpy received(&channel, &TInstanceChannel::requestReceived);
  CommandLine second;
  second.fileGiven = true;
  second.file = "/home/ana/Texte/\xC8\x99tiin\xC8\x9B\x61.txt";
  second.displayRequested = true;
  second.request.text = "casa";
  second.request.levelGiven = true;
  second.request.level = 3;
  QVERIFY(HandOffToRunningInstance(channel.name(), second));
  QTRY_COMPARE(received.count(), 1);
  const QByteArray payload = received.at(0).at(0).toByteArray();
  QCOMPARE(payload.size(), qsizetype(kExternalRequestSize));
  ExternalRequest request;
  QVERIFY(ParseExternalRequest(std::string_view(payload.constData(), payload.size()), request));
  QCOMPARE(request.command, ExternalRequest::kAnalyseText);
  QCOMPARE(request.path, second.file);
  QCOMPARE(request.expression, std::string("casa"));
  QCOMPARE(int(request.levelCode), 3);

  // Without a window listening there is nobody to hand the file to.
  QVERIFY(!HandOffToRunningInstance(TestChannelName(), second));
  CommandLine noFile;
  QVERIFY(!HandOffToRunningInstance(channel.name(), noFile));
}

void GuiTest::channelRefusesASecondListener() {
  const QString name = TestChannelName();
  TInstanceChannel first(name);
  QVERIFY(first.Listen());
  TInstanceChannel second(name);
  QVERIFY(!second.Listen());
  QVERIFY(first.Listening());
}

void GuiTest::windowAnalysesTheFileItIsHanded() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  QVERIFY(PrepareInstallation(dir));
  const QString text = QDir(dir.path()).filePath("Text/intrare.txt");
  QFile file(text);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("Ion vine acas\xE3 repede. Maria pleac\xE3.\n");
  file.close();

  EngineOptions options;
  options.places = testing::TestSettingsPlaces(dir.path().toStdString());
  QtFrontEnd frontEnd;
  TApdEditForm window(frontEnd, options);
  QVERIFY(window.EngineStarted());
  TInstanceChannel channel(TestChannelName());
  QVERIFY(channel.Listen());
  connect(&channel, &TInstanceChannel::requestReceived, &window,
          [&window](const QByteArray& payload) { window.WmCopyData(payload); });
  window.resize(800, 600);
  window.show();

  CommandLine second;
  second.fileGiven = true;
  second.file = text.toStdString();
  QVERIFY(HandOffToRunningInstance(channel.name(), second));
  QTRY_COMPARE(window.engine().files().Count(), 1);
  QCOMPARE(window.engine().files().Get(1), text.toStdString());
  QVERIFY(window.engine().stream().HighestPosition() >= 6);
  // The text panel now draws the analysed text.
  window.ImageTexte->grab();
  QVERIFY(window.textView()->HasWords());
  QCOMPARE(window.textView()->FirstPositionShown(), 1);
}

void GuiTest::resultPanelShowsEveryFunctionAndItsItems() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  TResultPanel* panel = window.resultPanel();
  ResultPanelModel* model = panel->model();
  QVERIFY(model != nullptr);
  QCOMPARE(panel->ListBoxFonctions->count(), 11);
  QCOMPARE(panel->ListBoxFonctions->item(3)->text(), QString("References"));
  QCOMPARE(panel->ListBoxModItems->count(), 0);

  for (int row = 0; row < panel->ListBoxFonctions->count(); ++row) {
    ClickRow(panel->ListBoxFonctions, row);
    QCOMPARE(model->chosenFunction(), row);
    QCOMPARE(panel->ListBoxModItems->count(), int(model->items().size()));
    QVERIFY(!panel->LabelInfos->text().isEmpty());
    QCOMPARE(panel->LabelInfos->text(), ToQt(model->information()));
    // The Scenario (4) leaves the boxes as the reference fields left them.
    QCOMPARE(panel->CheckBoxActant->isEnabled(), row >= 1 && row <= 4);
    if (panel->ListBoxModItems->count() == 0) continue;
    // The first item shown: the text panel draws what it selects.
    ClickRow(panel->ListBoxModItems, 0);
    QCOMPARE(model->chosenItem(), 0);
    QCOMPARE(panel->ListBoxModItems->currentRow(), 0);
    window.ImageTexte->grab();
    QVERIFY2(window.textView()->HasWords(), qPrintable(QString::number(row)));
  }

  // A reference chosen: selected, its words drawn in the class colour, F3
  // walking its occurrences.
  ClickRow(panel->ListBoxFonctions, ResultFunctionTable::kReferences);
  QCOMPARE(panel->ListBoxModItems->item(0)->text(), QString("ma\u0219in\u0103\t0006"));
  ClickRow(panel->ListBoxModItems, 0);
  QVERIFY(window.selection().active);
  QCOMPARE(int(window.selection().kind), int(kSelectClass));
  QCOMPARE(window.statusBar()->currentMessage(),
           QString("You can add these elements in the Scenario, to customize the classification"));
  const QImage page = window.ImageTexte->grab().toImage();
  QVERIFY(PixelsNear(page, ToQColor(window.engine().record().colour(11))) > 20);
  const int32_t first = window.textView()->CursorPosition();
  QVERIFY(first > 0);
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_F3);
  QVERIFY(window.textView()->CursorPosition() > first);
  QTest::keyClick(&window, Qt::Key_F3, Qt::ShiftModifier);
  QCOMPARE(window.textView()->CursorPosition(), first);

  // The arrows move through the functions.
  panel->ToolButtonResultatsSuivant->click();
  QCOMPARE(model->chosenFunction(), ResultFunctionTable::kScenario);
  QCOMPARE(panel->ListBoxFonctions->currentRow(), ResultFunctionTable::kScenario);
  panel->ToolButtonResultatsPrecedent->click();
  panel->ToolButtonResultatsPrecedent->click();
  QCOMPARE(panel->ListBoxFonctions->currentRow(), ResultFunctionTable::kReferenceFields2);
}

void GuiTest::resultPanelFollowsTheBoxesAndTheOrder() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TResultPanel* panel = w.window->resultPanel();
  ClickRow(panel->ListBoxFonctions, ResultFunctionTable::kReferences);
  // "Acted" alone: the robot follows its verb 3 times out of 6.
  panel->CheckBoxActant->click();
  QVERIFY(!panel->model()->actant());
  QCOMPARE(panel->ListBoxModItems->item(0)->text(), QString("ma\u0219in\u0103\t0006\t(50%)"));
  panel->CheckBoxActant->click();
  QCOMPARE(panel->ListBoxModItems->item(0)->text(), QString("ma\u0219in\u0103\t0006"));
  // The sort pop-up stores its choice.
  panel->PopupTriAlpha->trigger();
  QVERIFY(w.window->engine().record().scenarioSortedAlphabetically());
  QVERIFY(panel->PopupTriAlpha->isChecked());
  panel->PopupTriFrequence->trigger();
  QVERIFY(!w.window->engine().record().scenarioSortedAlphabetically());
  QVERIFY(panel->PopupTriFrequence->isChecked());
}

void GuiTest::openedFileShowsItsResults() {
  QTemporaryDir dir;
  QVERIFY(PrepareInstallation(dir));
  const QString text = QDir(dir.path()).filePath("Text/poveste.txt");
  QVERIFY(WriteText(text, "Ion vine acas\xE3 repede. Maria pleac\xE3 la ora\xBA.\n"));
  TestWindow t(dir);
  TApdEditForm& window = *t.window;
  QVERIFY(window.EngineStarted());
  // The no-text state: only the welcome page, no text commands.
  QVERIFY(!window.ResultsShown());
  QVERIFY(!window.PageControl->isTabVisible(window.PageControl->indexOf(window.TabSheetResultats)));
  QCOMPARE(window.PageControl->tabText(window.PageControl->indexOf(window.TabSheetExplication)), QString("Welcome"));
  QVERIFY(!window.MenuFermer->isEnabled());
  QVERIFY(!window.MenuRelancer->isEnabled());
  QVERIFY(window.MenuOuvrir->isEnabled());
  QVERIFY(!window.ImageTexte->isVisible());

  t.Open({text}, 1);
  QCOMPARE(t.initialFilter, 12);
  QCOMPARE(t.nameFilters.size(), 12);
  QCOMPARE(t.nameFilters[1], QString("Web pages (*.htm *.html *.shtml *.txt)"));
  QCOMPARE(window.engine().files().Count(), 1);
  QVERIFY(window.engine().stream().HighestPosition() >= 8);
  QVERIFY(window.ResultsShown());
  QCOMPARE(window.PageControl->currentWidget(), window.TabSheetResultats);
  QCOMPARE(window.PageControl->tabText(window.PageControl->indexOf(window.TabSheetExplication)), QString("Explain"));
  QVERIFY(window.MenuFermer->isEnabled());
  QVERIFY(window.MenuRelancer->isEnabled());
  QVERIFY(window.ImageTexte->isVisible());
  QVERIFY(window.ImageTexte->width() > 300);
  // The pages keep the results panel's width beside the text.
  QCOMPARE(window.Splitter->sizes().value(0), 288);
  QVERIFY(window.resultPanel() != nullptr && window.resultPanel()->isVisible());
  window.ImageTexte->grab();
  QVERIFY(window.textView()->HasWords());
  QCOMPARE(window.engine().record().openFilterIndex(), 1);
  QCOMPARE(window.engine().record().historyEntry(0), text.toStdString());
  QCOMPARE(HistoryMenu(window), QStringList{"&1 " + text});
  // Commands whose windows this version lacks stay disabled, with a tip.
  for (QAction* a : window.findChildren<QAction*>()) {
    if (a->toolTip() == "Not available in this version") QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
  }
  // The commands whose windows came later are there, enabled.
  for (QAction* a : {window.MenuImprimer, window.MenuGenererUnRapport, window.MenuChercher, window.MenuDelimiteurs,
                     window.MenuExtractionTerminologique}) {
    QVERIFY(a != nullptr);
    QVERIFY2(a->isEnabled(), qPrintable(a->text()));
    QVERIFY(a->toolTip() != "Not available in this version");
  }

  // Re-run, then close: back to the no-text state.
  QSignalSpy done(&window, &TApdEditForm::analysisDone);
  window.MenuRelancer->trigger();
  QCOMPARE(done.count(), 1);
  QCOMPARE(done.at(0).at(0).toBool(), true);
  QVERIFY(window.engine().stream().HighestPosition() >= 8);
  QSignalSpy closed(&window, &TApdEditForm::textClosing);
  window.MenuFermer->trigger();
  QCOMPARE(closed.count(), 1);
  QVERIFY(!window.ResultsShown());
  QVERIFY(!window.MenuFermer->isEnabled());
  QCOMPARE(window.engine().stream().HighestPosition(), 0);
}

void GuiTest::historyKeepsTwelveAndShowsEight() {
  QTemporaryDir dir;
  QVERIFY(PrepareInstallation(dir));
  QStringList files;
  for (int i = 1; i <= 13; ++i) {
    files << QDir(dir.path()).filePath(QString("Text/t%1.txt").arg(i, 2, 10, QChar('0')));
    QVERIFY(WriteText(files.back(), "Casa este mare.\n"));
  }
  TestWindow t(dir);
  TApdEditForm& window = *t.window;
  for (const QString& f : files) t.Open({f});
  // The 13th file pushed the first out; the menu shows the 8 most recent.
  QStringList expected;
  for (int i = 0; i < 8; ++i) expected << QString("&%1 %2").arg(i + 1).arg(files[12 - i]);
  QCOMPARE(HistoryMenu(window), expected);
  QCOMPARE(window.engine().record().historyEntry(11), files[1].toStdString());
  QCOMPARE(window.model().history().Find(files[0].toStdString()), 0);
  // Opening the same file again keeps one slot and moves it to the top.
  t.Open({files[10]});
  QCOMPARE(window.engine().record().historyEntry(0), files[10].toStdString());
  QCOMPARE(window.engine().record().historyEntry(1), files[12].toStdString());
  QCOMPARE(window.engine().record().historyEntry(2), files[11].toStdString());
  QCOMPARE(window.engine().record().historyEntry(3), files[9].toStdString());
  // Reopening from the menu: item 4 is t10.
  window.MenuHistoFichier[3]->trigger();
  QCOMPARE(window.engine().files().Get(1), files[9].toStdString());
  QCOMPARE(window.engine().record().historyEntry(0), files[9].toStdString());
  QCOMPARE(HistoryMenu(window).first(), "&1 " + files[9]);
}

void GuiTest::selectionOfTenThousandAndOneFiles() {
  QTemporaryDir dir;
  QVERIFY(PrepareInstallation(dir));
  QDir corpus(dir.path());
  QVERIFY(corpus.mkpath("Corpus"));
  QVERIFY(corpus.cd("Corpus"));
  QStringList files;
  for (int i = 0; i < 10001; ++i) {
    files << corpus.filePath(QString("f%1.txt").arg(i, 5, 10, QChar('0')));
    QVERIFY(WriteText(files.back(), "Ploua.\n"));
  }
  TestWindow t(dir);
  TApdEditForm& window = *t.window;
  t.Open(files, 12);
  QCOMPARE(window.engine().files().Count(), 10000);
  QCOMPARE(window.engine().files().Get(10000), files[9999].toStdString());
  QVERIFY(window.ResultsShown());
  // A corpus does not enter the history; the folder of the first file
  // became current.
  QCOMPARE(window.engine().record().historyEntry(0), std::string());
  QCOMPARE(QDir::currentPath(), corpus.path());
  QCOMPARE(window.engine().record().openFilterIndex(), 12);
}

void GuiTest::droppedFilesOpenOnlyTheFirst() {
  QTemporaryDir dir;
  QVERIFY(PrepareInstallation(dir));
  QList<QUrl> urls;
  for (const char* name : {"Text/a.txt", "Text/b.txt", "Text/c.txt"}) {
    const QString path = QDir(dir.path()).filePath(name);
    QVERIFY(WriteText(path, "Soarele r\xE3sare.\n"));
    urls << QUrl::fromLocalFile(path);
  }
  TestWindow t(dir);
  TApdEditForm& window = *t.window;
  QVERIFY(window.acceptDrops());
  QMimeData data;
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &drop);
  QCOMPARE(window.engine().files().Count(), 1);
  QCOMPARE(window.engine().files().Get(1), urls[0].toLocalFile().toStdString());
  QCOMPARE(window.engine().record().historyEntry(0), urls[0].toLocalFile().toStdString());
  QCOMPARE(window.engine().record().historyEntry(1), std::string());
  QVERIFY(window.ResultsShown());
}

void GuiTest::commandLineFileWithADisplayRequest() {
  QTemporaryDir dir;
  QVERIFY(PrepareInstallation(dir, MALVEX_TEST_EDITION));
  const QString text = QDir(dir.path()).filePath("Text/robot.txt");
  QVERIFY(WriteText(text, kRobotText));
  // "mașină" (the class of "robot") is a references class (digit 3) of the
  // mini edition; the command line is in UTF-8.
  const CommandLine commandLine =
      ParseCommandLine({"-h3ma\xC8\x99in\xC4\x83", text.toStdString()}, dir.path().toStdString());
  QVERIFY(!commandLine.Failed());
  TestWindow t(dir);
  TApdEditForm& window = *t.window;
  QVERIFY(window.AppliquerLigneDeCommande(commandLine));
  QCOMPARE(window.pendingExpressions().entries[0].text, std::string("ma\xBAin\xE3"));
  QCOMPARE(window.pendingExpressions().entries[0].level, 3);
  window.AnalyserFichierDeLaLigneDeCommande();
  QCOMPARE(window.engine().files().Count(), 1);
  QCOMPARE(window.engine().files().Get(1), text.toStdString());
  QCOMPARE(window.engine().record().historyEntry(0), text.toStdString());
  QVERIFY(window.ResultsShown());
  // The expression was shown in the result list, and consumed.
  QListWidgetItem* chosen = window.resultPanel()->ListBoxModItems->currentItem();
  QVERIFY(chosen != nullptr);
  QVERIFY(chosen->text().startsWith(QString("ma\u0219in\u0103")));
  QCOMPARE(window.resultPanel()->ListBoxFonctions->currentRow(), int(ResultFunctionTable::kReferences));
  QVERIFY(window.pendingExpressions().entries[0].Empty());
  // The file is analysed once.
  window.AnalyserFichierDeLaLigneDeCommande();
  QCOMPARE(window.engine().record().historyEntry(1), std::string());
}

void GuiTest::commandLineScenarioIsTheOneAnalysed() {
  QTemporaryDir dir;
  QVERIFY(PrepareInstallation(dir, MALVEX_TEST_EDITION));
  const QString text = QDir(dir.path()).filePath("Text/robot.txt");
  QVERIFY(WriteText(text, kRobotText));
  // The default scenario and OTHER name the robots differently.
  QVERIFY(WriteText(QDir(dir.path()).filePath("Scenario/Concepts Romanian V8.scn"),
                    "G#0V\t1\tRoboti\r\n0#1#\trobot\tRoboti\r\n"));
  QVERIFY(WriteText(QDir(dir.path()).filePath("Scenario/OTHER.scn"),
                    "G#0V\t1\tMasinarii\r\n0#1#\trobot\tMasinarii\r\n"));
  const CommandLine commandLine = ParseCommandLine({"-sOTHER", text.toStdString()}, dir.path().toStdString());
  QVERIFY(!commandLine.Failed());
  TestWindow t(dir);
  TApdEditForm& window = *t.window;
  QVERIFY(window.AppliquerLigneDeCommande(commandLine));
  QCOMPARE(window.engine().record().scenarioFile(), std::string("OTHER.scn"));
  window.AnalyserFichierDeLaLigneDeCommande();
  QVERIFY(window.ResultsShown());
  TResultPanel* panel = window.resultPanel();
  ClickRow(panel->ListBoxFonctions, ResultFunctionTable::kScenario);
  QStringList items;
  for (int i = 0; i < panel->ListBoxModItems->count(); ++i) items << panel->ListBoxModItems->item(i)->text();
  QCOMPARE(items, QStringList{QString("masinarii\t0006")});

  // Another program's request naming the default scenario brings it back
  // for the text it hands over.
  ExternalRequest request;
  request.scenario = "Concepts Romanian V8.scn";
  request.path = text.toStdString();
  const std::string payload = EncodeExternalRequest(request);
  window.WmCopyData(QByteArray(payload.data(), static_cast<qsizetype>(payload.size())));
  QCOMPARE(window.engine().record().scenarioFile(), std::string("Concepts Romanian V8.scn"));
  QVERIFY(window.ResultsShown());
  ClickRow(panel->ListBoxFonctions, ResultFunctionTable::kReferences);
  ClickRow(panel->ListBoxFonctions, ResultFunctionTable::kScenario);
  QCOMPARE(panel->ListBoxModItems->count(), 1);
  QVERIFY(panel->ListBoxModItems->item(0)->text().startsWith("roboti\t"));
}

void GuiTest::stopFromTheGaugeKeepsTheWindowUsable() {
  QTemporaryDir dir;
  QVERIFY(PrepareInstallation(dir));
  const QString longText = QDir(dir.path()).filePath("Text/lung.txt");
  const QString shortText = QDir(dir.path()).filePath("Text/scurt.txt");
  QVERIFY(WriteText(longText, LongText(300000)));
  QVERIFY(WriteText(shortText, "Casa este mare.\n"));
  TestWindow t(dir);
  TApdEditForm& window = *t.window;
  {
    // Stop is clicked while the text is being read.
    StopClicker clicker([&window] { return window.engine().stream().HighestPosition() > 0; });
    QSignalSpy done(&window, &TApdEditForm::analysisDone);
    t.Open({longText});
    QCOMPARE(clicker.stopsClicked, 1);
    QCOMPARE(clicker.questionsAnswered, 1);
    QCOMPARE(done.count(), 1);
    QCOMPARE(done.at(0).at(0).toBool(), false);
  }
  QVERIFY(window.engine().run().readInterrupted);
  QVERIFY(!window.engine().run().running);
  QVERIFY(!window.ResultsShown());
  // The run stopped early; the next open works as usual.
  QVERIFY(window.engine().stream().HighestPosition() < 300000);
  t.Open({shortText});
  QVERIFY(window.ResultsShown());
  QCOMPARE(window.engine().files().Get(1), shortText.toStdString());
}

void GuiTest::closingDuringARunWaitsForItsEnd() {
  QTemporaryDir dir;
  QVERIFY(PrepareInstallation(dir));
  const QString longText = QDir(dir.path()).filePath("Text/lung.txt");
  QVERIFY(WriteText(longText, LongText(200000)));
  TestWindow t(dir);
  TApdEditForm& window = *t.window;
  bool closeAsked = false;
  bool runningWhenAsked = false;
  QTimer closer;
  closer.setInterval(0);
  connect(&closer, &QTimer::timeout, &window, [&] {
    if (closeAsked || !window.engine().run().running) return;
    closeAsked = true;
    runningWhenAsked = true;
    window.close();
  });
  closer.start();
  t.Open({longText});
  closer.stop();
  QVERIFY(closeAsked);
  QVERIFY(runningWhenAsked);
  // The run ended first; the window closes once it is back at rest.
  QVERIFY(!window.engine().run().running);
  QTRY_VERIFY(!window.isVisible());
  QVERIFY(window.model().closing());
  // Nothing opens any more.
  QVERIFY(!window.model().WmDropFiles({longText.toStdString()}));
}

void GuiTest::setupWizardOnFirstStart() {
  QTemporaryDir dir;
  QVERIFY(PrepareInstallation(dir));
  int shown = 0;
  EngineOptions options;
  options.places = testing::TestSettingsPlaces(dir.path().toStdString());
  options.wizard = [&shown](SetupWizardModel& model) {
    ++shown;
    TAssistantSetup wizard(nullptr, model);
    QCOMPARE(wizard.Page(), 0);
    QVERIFY(wizard.ButtonMultiUtilisateur->isChecked());
    QVERIFY(!wizard.ButtonTerminer->isEnabled());
    QTimer::singleShot(0, &wizard, [&wizard] {
      wizard.ButtonSuivant->click();
      wizard.CheckBoxTextesExemples->setChecked(false);
      wizard.ButtonSuivant->click();
      wizard.ButtonTerminer->click();
    });
    wizard.exec();
    QVERIFY(wizard.LabelResume->text().contains("/Malvex/Romanian"));
  };
  const std::string home = options.places->proposedUserBase;
  {
    QtFrontEnd frontEnd;
    TApdEditForm window(frontEnd, options);
    QVERIFY(window.EngineStarted());
    QCOMPARE(shown, 1);
    QVERIFY(window.engine().settings().multiUser());
    QCOMPARE(window.engine().folders().user, home + "/Malvex/Romanian");
    QVERIFY(QDir(QString::fromStdString(home + "/Malvex/Romanian")).exists());
    window.close();
  }
  // The choice is recorded: the next start asks nothing.
  QtFrontEnd frontEnd;
  TApdEditForm again(frontEnd, options);
  QVERIFY(again.EngineStarted());
  QCOMPARE(shown, 1);
  QVERIFY(again.engine().settings().multiUser());
}

void GuiTest::setupWizardStaysOpenOnAFolderItCannotMake() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid());
  // A file where the base folder should be: the user folder cannot be made.
  const QString blocked = QDir(dir.path()).filePath("blocked");
  QVERIFY(WriteText(blocked, "x"));
  testing::QuietFrontEnd quiet;
  Messages messages(quiet.box);
  SetupWizardModel model(messages, LanguageFor(kEditionLanguage), blocked.toStdString());
  TAssistantSetup wizard(nullptr, model);
  wizard.ButtonSuivantClick();
  wizard.ButtonSuivantClick();
  wizard.ButtonTerminerClick();
  QVERIFY(!model.finished());
  QCOMPARE(wizard.result(), int(QDialog::Rejected));
  QCOMPARE(quiet.box.asked().size(), size_t(1));
  QCOMPARE(quiet.box.asked()[0].text, std::string("I can't create the output file (disk full or I/O error)."));
  // Another folder: the wizard closes.
  wizard.ButtonPrecedentClick();
  wizard.EditDossier->setText(QDir(dir.path()).filePath("home"));
  wizard.ButtonSuivantClick();
  wizard.ButtonTerminerClick();
  QVERIFY(model.finished());
  QCOMPARE(wizard.result(), int(QDialog::Accepted));
}

void GuiTest::resultsMenuChoosesEveryFunction() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  ResultPanelModel* model = window.resultPanel()->model();
  const struct {
    QAction* action;
    int position;
  } commands[] = {
      {window.MenuStyleGeneral, ResultFunctionTable::kTextStyle},
      {window.MenuUnivers1, ResultFunctionTable::kReferenceFields1},
      {window.MenuUnivers2, ResultFunctionTable::kReferenceFields2},
      {window.MenuUnivers3, ResultFunctionTable::kReferences},
      {window.MenuAfficheScenario, ResultFunctionTable::kScenario},
      {window.MenuRelations, ResultFunctionTable::kRelations},
      {window.MenuCategFrequentes, ResultFunctionTable::kFrequentCategories},
      {window.MenuToutesCategories, ResultFunctionTable::kAllCategories},
      {window.MenuLemmesVerbes, ResultFunctionTable::kVerbs},
      {window.MenuLemmesAdjectifs, ResultFunctionTable::kAdjectives},
      {window.MenuLemmesSubstantifs, ResultFunctionTable::kSubstantives},
  };
  QSet<QKeySequence> keys;
  for (const auto& c : commands) {
    QVERIFY(c.action != nullptr);
    QVERIFY(c.action->isEnabled());
    QVERIFY(!c.action->shortcut().isEmpty());
    keys.insert(c.action->shortcut());
    c.action->trigger();
    QCOMPARE(model->chosenFunction(), c.position);
    QCOMPARE(window.resultPanel()->ListBoxFonctions->currentRow(), c.position);
  }
  QCOMPARE(keys.size(), int(std::size(commands)));
  QCOMPARE(window.PageControl->currentWidget(), window.TabSheetResultats);

  // The orders of the result list, as the list's own pop-up gives them.
  window.MenuUnivers3->trigger();
  window.MenuTriResultatsAlphabetique->trigger();
  QVERIFY(model->alphabetical());
  QVERIFY(window.resultPanel()->PopupTriAlpha->isChecked());
  window.MenuTriFrequence->trigger();
  QVERIFY(!model->alphabetical());

  // Episodes: enabled exactly when the analysis found some, and then the
  // first episode is chosen.
  AnalysisContext* analysis = window.engine().analysis();
  QVERIFY(analysis != nullptr);
  const bool episodes =
      !analysis->chronology().episodes.empty() && !analysis->chronology().characteristicParts.empty();
  QCOMPARE(window.MenuEpisodes->isEnabled(), episodes);
  if (episodes) {
    window.MenuEpisodes->trigger();
    QCOMPARE(model->chosenFunction(), ResultFunctionTable::kFirstEpisode);
  }
  // A longer text has episodes: the commands follow.
  const QString text = QDir(w.dir.path()).filePath("Text/long.txt");
  // Four nouns, each dense in its own part of the text.
  QByteArray parts;
  for (const char* noun : {"Robot", "Casa", "Om", "Robot", "Casa", "Om"}) {
    for (int i = 0; i < 6; ++i) parts += QByteArray(noun) + " merge la " + QByteArray(noun).toLower() + ". ";
    for (int i = 0; i < 40; ++i) parts += "El merge. ";
  }
  QVERIFY(WriteText(text, parts));
  QVERIFY(window.AnalyserLeTexte({text}));
  analysis = window.engine().analysis();
  QVERIFY(analysis != nullptr);
  QVERIFY(!analysis->chronology().episodes.empty());
  QVERIFY(!analysis->chronology().characteristicParts.empty());
  QVERIFY(window.MenuEpisodes->isEnabled());
  window.MenuEpisodes->trigger();
  QCOMPARE(model->chosenFunction(), ResultFunctionTable::kFirstEpisode);
}

void GuiTest::interfaceTextsComeFromTheCatalogue() {
  const QSet<QString> catalogue = CatalogueTexts();
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  QStringList labels;
  for (QAction* a : window.menuBar()->actions()) {
    if (a->menu() != nullptr) MenuLabels(a->menu(), labels);
  }
  for (QPushButton* b : window.TabSheetFichiers->findChildren<QPushButton*>()) labels << Bare(b->text());
  for (int i = 0; i < window.PageControl->count(); ++i) labels << Bare(window.PageControl->tabText(i));
  labels << Bare(window.resultPanel()->PopupTriAlpha->text()) << Bare(window.resultPanel()->PopupTriFrequence->text());
  QVERIFY(labels.size() > 40);
  for (const QString& label : labels) QVERIFY2(catalogue.contains(label), qPrintable(label));

  // The set-up wizard's pages.
  testing::QuietFrontEnd quiet;
  Messages messages(quiet.box);
  SetupWizardModel model(messages, LanguageFor(kEditionLanguage), w.dir.path().toStdString());
  TAssistantSetup wizard(nullptr, model);
  QStringList wizardLabels;
  for (QAbstractButton* b : wizard.findChildren<QAbstractButton*>()) wizardLabels << Bare(b->text());
  for (QLabel* l : wizard.findChildren<QLabel*>()) {
    if (!l->text().isEmpty()) wizardLabels << Bare(l->text());
  }
  wizard.ButtonSuivantClick();
  wizard.ButtonSuivantClick();
  const QString summary = wizard.LabelResume->text();
  wizardLabels << summary.section('\n', 0, 0);
  QVERIFY(wizardLabels.size() >= 10);
  for (const QString& label : wizardLabels) QVERIFY2(catalogue.contains(label), qPrintable(label));
}


void GuiTest::graphOptionsOpenFromTheMenuAndApplyAtOnce() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  SettingsRecord& record = window.engine().record();
  QVERIFY(window.MenuOptionsGraphes->isEnabled());
  window.MenuOptionsGraphes->trigger();
  TDlgOptionsGraphes* dialog = window.optionsGraphes();
  QVERIFY(dialog != nullptr);
  QVERIFY(dialog->isVisible());
  QVERIFY(!dialog->isModal());
  QCOMPARE(dialog->windowTitle(), QString("Options (Graphs)"));
  QCOMPARE(dialog->RadioButtonAire->text(), QString("Area"));
  QCOMPARE(dialog->RadioButtonActeurs->text(), QString("Actors"));
  QVERIFY(dialog->RadioButtonAire->isChecked());
  QCOMPARE(dialog->ScrollNbreObjetsGraphe->value(), 30);
  QCOMPARE(dialog->LabelNbreObjets->text(), QString("30"));

  QSignalSpy redraws(&window, &TApdEditForm::displayChanged);
  dialog->ScrollNbreObjetsGraphe->setValue(4);
  QCOMPARE(record.graphObjectLimit(), 4);
  QCOMPARE(dialog->LabelNbreObjets->text(), QString("4"));
  QCOMPARE(redraws.count(), 1);
  dialog->RadioButtonEtoile->click();
  QCOMPARE(record.graphType(), 2);
  dialog->AiresTransparentes->click();
  QVERIFY(!record.opaqueObjects());
  dialog->AfficheRafalesSurCategories->click();
  QVERIFY(record.hideCategoryBundles());
  QCOMPARE(redraws.count(), 4);

  // A second opening brings the same form forward.
  window.MenuOptionsGraphes->trigger();
  QCOMPARE(window.findChildren<TDlgOptionsGraphes*>().size(), 1);
  dialog->ButtonAnnuler->click();
  QVERIFY(!dialog->isVisible());
  QCOMPARE(record.graphObjectLimit(), 30);
  QCOMPARE(record.graphType(), 1);
  QVERIFY(record.opaqueObjects());
  QVERIFY(!record.hideCategoryBundles());

  // Opened on a stored limit out of range and no known type.
  record.setGraphObjectLimit(200);
  record.setGraphType(9);
  window.MenuOptionsGraphes->trigger();
  QCOMPARE(dialog->ScrollNbreObjetsGraphe->value(), 8);
  QCOMPARE(record.graphObjectLimit(), 8);
  QVERIFY(dialog->RadioButtonEtoile->isChecked());
  QCOMPARE(record.graphType(), 9);
  dialog->ButtonOk->click();
  QVERIFY(!dialog->isVisible());
  QCOMPARE(record.graphType(), 9);
}

void GuiTest::colourChangeRedrawsTheTextAndCancelRestores() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  SettingsRecord& record = window.engine().record();
  window.MenuOptionsCouleurs->trigger();
  TDlgCouleurs* dialog = window.couleurs();
  QVERIFY(dialog != nullptr && dialog->isVisible());
  QCOMPARE(dialog->windowTitle(), QString("Options (Colors)"));
  QCOMPARE(dialog->ListBoxCouleurs->count(), 10);
  QCOMPARE(dialog->ListBoxCouleurs->item(0)->text(), QString("Class"));
  QCOMPARE(dialog->ListBoxCouleurs->item(9)->text(), QString("Background"));
  QVERIFY(dialog->RadioButtonSelective->isChecked());
  // The swatch of the verbs.
  const QImage swatch = dialog->ListBoxCouleurs->item(1)->icon().pixmap(14, 14).toImage();
  QCOMPARE(swatch.pixelColor(7, 7), ToQColor(0x0000A0));

  QColor offered;
  QColor answer(0, 0, 255);
  dialog->SetColourChooser([&](const QColor& initial, QColor& chosen) {
    offered = initial;
    chosen = answer;
    return true;
  });
  dialog->ListBoxCouleurs->setCurrentRow(9);  // the background
  dialog->ButtonModifierClick();
  QCOMPARE(offered, ToQColor(0xC0C0C0));
  QCOMPARE(record.colour(15), 0xFF0000u);
  QCOMPARE(dialog->ListBoxCouleurs->currentRow(), 8);
  // The text panel is drawn on the new background at once.
  QImage page = window.ImageTexte->grab().toImage();
  QCOMPARE(window.textView()->LiveColour(15), 0xFF0000u);
  QVERIFY(PixelsNear(page, QColor(0, 0, 255)) > page.width() * page.height() / 3);

  answer = QColor(0, 128, 0);
  dialog->ListBoxCouleurs->setCurrentRow(1);  // the verbs
  dialog->ButtonModifierClick();
  QCOMPARE(record.colour(1), 0x008000u);
  QCOMPARE(dialog->ListBoxCouleurs->currentRow(), 0);
  // A chooser left with Cancel changes nothing.
  dialog->SetColourChooser([](const QColor&, QColor&) { return false; });
  dialog->ButtonModifierClick();
  QCOMPARE(record.colour(11), 0xFF0000u);

  dialog->RadioButtonSyntaxique->click();
  QVERIFY(!record.selectiveColoration());
  // The View menu's coloration follows the dialog, and the dialog the menu.
  QAction* syntactic = nullptr;
  for (QAction* a : window.findChildren<QAction*>()) {
    if (a->text() == "Syntactic") syntactic = a;
  }
  QVERIFY(syntactic != nullptr);
  QVERIFY(syntactic->isChecked());
  syntactic->trigger();
  QVERIFY(record.selectiveColoration());
  QVERIFY(dialog->RadioButtonSelective->isChecked());
  syntactic->trigger();
  QVERIFY(dialog->RadioButtonSyntaxique->isChecked());
  dialog->ButtonAnnuler->click();
  QVERIFY(!dialog->isVisible());
  QCOMPARE(record.colour(15), 0xC0C0C0u);
  QCOMPARE(record.colour(1), 0x0000A0u);
  QVERIFY(record.selectiveColoration());
  page = window.ImageTexte->grab().toImage();
  QVERIFY(PixelsNear(page, ToQColor(0xC0C0C0)) > page.width() * page.height() / 3);

  // Restore writes the default table.
  record.setColour(14, 0x123456);
  window.MenuOptionsCouleurs->trigger();
  dialog->ButtonRestaurer->click();
  QCOMPARE(record.colour(14), 0x00FF00u);
  dialog->ButtonOk->click();
  QCOMPARE(record.colour(14), 0x00FF00u);
}

void GuiTest::textPopupKeepsEveryItemAndOpensTheColours() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  window.PopupMenuImageTextePopup();
  QStringList labels;
  for (QAction* a : window.PopupMenuImageTexte->actions()) {
    if (!a->isSeparator()) labels << a->text();
  }
  QCOMPARE(labels, (QStringList{"Copy...", "Search...", "Context...", "Add in the Scenario", "Insert in the Scenario",
                                "Colors..."}));
  // Copy, Search and Context have their windows; the scenario items wait
  // for the open editor: greyed, never removed.
  QVERIFY(window.PopupImageTexteCopier->isEnabled());
  QVERIFY(window.PopupImageTexteChercher->isEnabled());
  QVERIFY(window.PopupImageTexteContexte->isEnabled());
  for (QAction* a : {window.PopupImageTexteCopierDsScenario, window.PopupImageTexteInsererDsScenario}) {
    QVERIFY2(!a->isEnabled(), qPrintable(a->text()));
    QVERIFY(a->isVisible());
  }
  QVERIFY(window.PopupImageTexteCouleurs->isEnabled());
  QCOMPARE(window.ImageTexte->contextMenuPolicy(), Qt::CustomContextMenu);
  window.PopupImageTexteCouleurs->trigger();
  QVERIFY(window.couleurs() != nullptr && window.couleurs()->isVisible());
}

void GuiTest::releasingTheMouseGivesTheKeysToTheScrollBar() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  window.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&window));
  window.ImageTexte->grab();
  QVERIFY(window.ImageTexte->ScrollBarTexte->isEnabled());
  QTest::mouseClick(window.ImageTexte, Qt::LeftButton, Qt::NoModifier, QPoint(20, 10));
  QVERIFY(window.ImageTexte->ScrollBarTexte->hasFocus());
  // Its keys still page the text by proposition.
  const int first = window.textView()->FirstPositionShown();
  QTest::keyClick(window.ImageTexte->ScrollBarTexte, Qt::Key_Down);
  window.ImageTexte->grab();
  QVERIFY(window.textView()->FirstPositionShown() > first);
  QTest::keyClick(window.ImageTexte->ScrollBarTexte, Qt::Key_Home);
  window.ImageTexte->grab();
  QCOMPARE(window.textView()->FirstPositionShown(), first);
}

void GuiTest::copyTheResultsPutsTheLinesOnTheClipboard() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  QVERIFY(window.CopyResultatsDsClipBrd->isEnabled());
  window.MenuUnivers3->trigger();
  const QListWidget* list = window.resultPanel()->ListBoxModItems;
  QVERIFY(list->count() > 0);
  QString expected;
  for (int i = 0; i < list->count(); ++i) expected += list->item(i)->text() + "\n";
  QGuiApplication::clipboard()->clear();
  window.CopyResultatsDsClipBrd->trigger();
  QCOMPARE(QGuiApplication::clipboard()->text(), expected);
  QCOMPARE(window.statusBar()->currentMessage(), QString("The results are copied in the clipboard"));
  // The result list's pop-up has the same command.
  QVERIFY(list->actions().contains(window.PopupResultatsCopier));
  window.MenuLemmesVerbes->trigger();
  QString verbs;
  for (int i = 0; i < list->count(); ++i) verbs += list->item(i)->text() + "\n";
  window.statusBar()->clearMessage();
  window.PopupResultatsCopier->trigger();
  QCOMPARE(QGuiApplication::clipboard()->text(), verbs);
  QCOMPARE(window.statusBar()->currentMessage(), QString("The results are copied in the clipboard"));
}

void GuiTest::contextWindowOpensWithoutMovingThePanel() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  window.ImageTexte->grab();
  WordStream& stream = window.engine().stream();
  const int first = window.textView()->FirstPositionShown();
  WordNode* marks[WordStream::kBookmarkCount];
  for (int i = 1; i <= WordStream::kBookmarkCount; ++i) marks[i - 1] = stream.Bookmark(i);
  auto panelKept = [&] {
    for (int i = 1; i <= WordStream::kBookmarkCount; ++i) {
      if (stream.Bookmark(i) != marks[i - 1]) return false;
    }
    return true;
  };
  QVERIFY(window.MenuContexte->isEnabled());
  window.MenuContexte->trigger();
  TFormContexte* context = window.contexte();
  QVERIFY(context != nullptr && context->isVisible());
  QVERIFY(context->windowFlags() & Qt::WindowStaysOnTopHint);
  QCOMPARE(context->windowTitle(), QString("Context"));
  context->ImageContexte->grab();
  QVERIFY(panelKept());
  QCOMPARE(context->model()->Cursor(), first);
  QVERIFY(context->EditFichier->text().endsWith("robot.txt"));
  QVERIFY(!context->ButtonOuvrirWeb->isEnabled());              // no shortcut beside the text
  QVERIFY(!context->ButtonOuvrirAvecLeProgramme->isEnabled());  // one file analysed
  QCOMPARE(context->ButtonOuvrirAvecDefaut->text(), QString("Open with the default application"));
  QString opened;
  context->openUrl = [&](const QString& url) {
    opened = url;
    return true;
  };
  context->ButtonLocaliser->click();
  QVERIFY(opened.startsWith("file://"));
  QVERIFY(panelKept());
  // Scrolling moves the window's page only.
  const int start = context->model()->ScrollPosition();
  context->ScrollBarContexte->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  context->ImageContexte->grab();
  QVERIFY(context->model()->ScrollPosition() > start);
  QVERIFY(panelKept());
  window.ImageTexte->grab();
  QCOMPARE(window.textView()->FirstPositionShown(), first);
  // The mouse over the window's page chooses the word its Move acts on.
  const int before = context->Word();
  for (int x = 10; x < context->ImageContexte->width() && context->Word() == before; x += 7) {
    const QPoint at(x, 5);
    QMouseEvent move(QEvent::MouseMove, at, context->ImageContexte->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(context->ImageContexte, &move);
  }
  QVERIFY(context->Word() != before);
  context->ButtonDeplacer->click();
  QCOMPARE(context->model()->Cursor(), context->Word());
  QCOMPARE(context->model()->ScrollPosition(), context->Word());
  QVERIFY(panelKept());
  // The pop-up's Context shows the word under the mouse.
  context->close();
  window.PopupImageTexteContexte->trigger();
  QVERIFY(context->isVisible());
  // A click on a proposition marker (the first piece of the page) opens
  // the context of its proposition.
  context->close();
  QVERIFY(!context->isVisible());
  QTest::mouseClick(window.ImageTexte, Qt::LeftButton, Qt::NoModifier, QPoint(4, 8));
  QVERIFY(context->isVisible());
  QCOMPARE(context->model()->Cursor(), first);
  // Closing the text closes the window.
  window.model().FermerTexteEnCours();
  QVERIFY(!context->isVisible());
  QVERIFY(context->model() == nullptr);
}

void GuiTest::contextFileBecomesTheMainText() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  const QString first = QDir(w.dir.path()).filePath("Text/robot.txt");
  const QString second = QDir(w.dir.path()).filePath("Text/robot2.txt");
  QVERIFY(WriteText(second, kRobotText));
  QVERIFY(window.AnalyserLeTexte({first, second}));
  QCOMPARE(window.engine().files().Count(), 2);
  window.ImageTexte->grab();
  window.MenuContexte->trigger();
  TFormContexte* context = window.contexte();
  QVERIFY(context != nullptr && context->isVisible());
  QCOMPARE(context->EditFichier->text(), first);
  QVERIFY(context->ButtonOuvrirAvecLeProgramme->isEnabled());
  context->ButtonOuvrirAvecLeProgramme->click();
  QVERIFY(!context->isVisible());
  // The main window analyses that file alone.
  QTRY_COMPARE(window.engine().files().Count(), 1);
  QTRY_VERIFY(window.ResultsShown());
  QCOMPARE(QString::fromStdString(window.model().currentFile()), first);
  QCOMPARE(QString::fromStdString(window.engine().files().Get(1)), first);
}

void GuiTest::copyTextDialogOpensOnTheWord() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  window.ImageTexte->grab();
  WordStream& stream = window.engine().stream();
  WordNode* marks[WordStream::kBookmarkCount];
  for (int i = 1; i <= WordStream::kBookmarkCount; ++i) marks[i - 1] = stream.Bookmark(i);
  QVERIFY(window.CopyTexteDsClipBrd->isEnabled());
  window.CopyTexteDsClipBrd->trigger();
  TFormCopierTexte* dialog = window.copierTexte();
  QVERIFY(dialog != nullptr && dialog->isVisible());
  for (int i = 1; i <= WordStream::kBookmarkCount; ++i) QCOMPARE(stream.Bookmark(i), marks[i - 1]);
  const QString text = dialog->MemoTexte->toPlainText();
  QVERIFY(text.startsWith("Robot merge la om."));
  QCOMPARE(text.count('\n') + 1, 6);  // one proposition per line
  QCOMPARE(dialog->MemoTexte->textCursor().position(), dialog->box().caret);
  QVERIFY(!dialog->MemoTexte->textCursor().hasSelection());
  QVERIFY(!dialog->PopupChercher->isEnabled());
  QVERIFY(!dialog->PopupAjouterDsScenario->isEnabled());
  // Nothing selected: the whole box; a selection: the selection.
  QGuiApplication::clipboard()->clear();
  dialog->ButtonCopier->click();
  QCOMPARE(QGuiApplication::clipboard()->text(), text);
  QTextCursor cursor = dialog->MemoTexte->textCursor();
  cursor.setPosition(0);
  cursor.setPosition(5, QTextCursor::KeepAnchor);
  dialog->MemoTexte->setTextCursor(cursor);
  dialog->ButtonCopier->click();
  QCOMPARE(QGuiApplication::clipboard()->text(), QString("Robot"));
  // The pop-up's Copy opens it on the word under the mouse.
  dialog->close();
  window.PopupImageTexteCopier->trigger();
  QVERIFY(dialog->isVisible());
}

// Runs `act` on the modal dialog of type T that the next event loop
// shows; `seen` tells whether one was found.
// Every label of `dialog` (buttons, labels, group boxes, tabs) is a
// catalogue text.
void CheckDialogTexts(QDialog& dialog) {
  const QSet<QString> catalogue = CatalogueTexts();
  QStringList labels{dialog.windowTitle()};
  for (QAbstractButton* b : dialog.findChildren<QAbstractButton*>()) labels << Bare(b->text());
  for (QLabel* l : dialog.findChildren<QLabel*>()) labels << Bare(l->text());
  for (QGroupBox* g : dialog.findChildren<QGroupBox*>()) {
    if (!g->title().isEmpty()) labels << Bare(g->title());
  }
  for (QTabWidget* t : dialog.findChildren<QTabWidget*>()) {
    for (int i = 0; i < t->count(); ++i) labels << Bare(t->tabText(i));
  }
  labels.removeAll(QString());
  QVERIFY(labels.size() > 10);
  for (const QString& label : labels) QVERIFY2(catalogue.contains(label), qPrintable(label));
}

template <typename T>
void OnNextModal(bool& seen, std::function<void(T&)> act) {
  QTimer::singleShot(0, [&seen, act] {
    T* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    seen = dialog != nullptr;
    if (dialog != nullptr) {
      act(*dialog);
    } else if (QApplication::activeModalWidget() != nullptr) {
      QApplication::activeModalWidget()->close();
    }
  });
}

void GuiTest::analysisOptionsOpenFromTheToolsMenuAndReanalyseOnAChange() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  SettingsRecord& record = window.engine().record();
  QVERIFY(window.MenuOptionsAnalyse != nullptr);
  QVERIFY(window.MenuOptionsAnalyse->isEnabled());
  QCOMPARE(window.engine().analysis()->relationLevel(), 1);
  QSignalSpy analyses(&window, &TApdEditForm::analysisDone);

  // Accepted untouched: no new analysis.
  bool seen = false;
  OnNextModal<TOptionsAnalyse>(seen, [](TOptionsAnalyse& d) {
    QCOMPARE(d.windowTitle(), QString("Analysis options"));
    CheckDialogTexts(d);
    QVERIFY(d.ConstRelUniv3->isChecked());
    QCOMPARE(d.PageControl->currentWidget(), d.TabSheetOptions);
    d.ButtonOk->click();
  });
  window.MenuOptionsAnalyse->trigger();
  QVERIFY(seen);
  QCOMPARE(analyses.count(), 0);

  // A threshold out of range keeps the dialog open; Cancel then leaves
  // the settings alone.
  const int minWords = record.classMinWords();
  OnNextModal<TOptionsAnalyse>(seen, [&window](TOptionsAnalyse& d) {
    d.ConstRelScen->click();
    d.ValSeuilFreq->clear();
    QTest::keyClicks(d.ValSeuilFreq, "1000");
    QTimer::singleShot(0, [] {
      QWidget* box = QApplication::activeModalWidget();
      if (box != nullptr) box->close();
    });
    d.ButtonOk->click();
    QVERIFY(d.isVisible());
    d.ButtonAnnuler->click();
    (void)window;
  });
  window.MenuOptionsAnalyse->trigger();
  QVERIFY(seen);
  QCOMPARE(record.relationLevel(), 1);
  QCOMPARE(record.classMinWords(), minWords);
  QCOMPARE(analyses.count(), 0);

  // Relations on the scenario: the text is analysed again on that level.
  OnNextModal<TOptionsAnalyse>(seen, [](TOptionsAnalyse& d) {
    d.ConstRelScen->click();
    d.ButtonOk->click();
  });
  window.MenuOptionsAnalyse->trigger();
  QVERIFY(seen);
  QCOMPARE(record.relationLevel(), 4);
  QCOMPARE(analyses.count(), 1);
  QCOMPARE(window.engine().analysis()->relationLevel(), 4);
}

void GuiTest::generalOptionsOpenFromTheToolsMenuAndStoreOnAccept() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  SettingsRecord& record = window.engine().record();
  QStringList shownFolders;
  window.SetFolderBrowser([&shownFolders](const QString& folder) { shownFolders << folder; });
  QVERIFY(window.MenuOptionsGenerales != nullptr);
  QSignalSpy analyses(&window, &TApdEditForm::analysisDone);
  const bool largeFonts = record.largeFonts();
  const bool confirm = record.confirmDeletions();

  // Cancel after changes stores nothing; the folder buttons show the
  // scenario folder, then the user's; Graphs opens the graph options
  // above the dialog, usable.
  bool seen = false;
  bool graphsUsable = false;
  OnNextModal<TDlgOptionsGenerales>(seen, [&window, &graphsUsable](TDlgOptionsGenerales& d) {
    QCOMPARE(d.windowTitle(), QString("General options"));
    QCOMPARE(d.PageControl->count(), 3);
    CheckDialogTexts(d);
    d.CheckBoxGrandesPolices->click();
    d.CheckBoxConfirmerSuppression->click();
    d.ButtonDossierScenario->click();
    d.ButtonDossierParam->click();
    d.ButtonGraphes->click();
    TDlgOptionsGraphes* graphs = window.optionsGraphes();
    graphsUsable = graphs != nullptr && graphs->isVisible() && QApplication::activeModalWidget() == graphs;
    if (graphs != nullptr) graphs->ButtonOk->click();
    d.ButtonAnnuler->click();
  });
  window.MenuOptionsGenerales->trigger();
  QVERIFY(seen);
  QVERIFY(graphsUsable);
  QVERIFY(!window.optionsGraphes()->isModal());
  QCOMPARE(record.largeFonts(), largeFonts);
  QCOMPARE(record.confirmDeletions(), confirm);
  const Folders& folders = window.engine().settings().folders();
  QCOMPARE(shownFolders.size(), 2);
  QCOMPARE(shownFolders[0], QString::fromStdString(folders.scenario));
  QVERIFY(shownFolders[1] != shownFolders[0]);
  QCOMPARE(shownFolders[1], QFileInfo(QString::fromStdString(folders.settingsPath)).path());

  // Accept stores the boxes and the threshold, kept within 1..50.
  for (const auto& [typed, stored] : {std::pair<int, int>{20, 20}, {75, 8}, {0, 8}}) {
    OnNextModal<TDlgOptionsGenerales>(seen, [typed = typed](TDlgOptionsGenerales& d) {
      d.CheckBoxGrandesPolices->setChecked(true);
      d.ValSeuilFreq->setValue(typed);
      d.ButtonOk->click();
    });
    window.MenuOptionsGenerales->trigger();
    QVERIFY(seen);
    QVERIFY(record.largeFonts());
    QCOMPARE(record.textSizeWarning(), stored);
  }
  QCOMPARE(analyses.count(), 0);
}

void GuiTest::generalOptionsSetUpClosesThroughTheOrdinaryClose() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  const QString settingsFile = QString::fromStdString(window.engine().settings().folders().settingsPath);
  QFile::remove(settingsFile);
  window.engine().record().setRelationLevel(3);
  // Yes to every question: the warning, then closing now.
  int answered = 0;
  QTimer yes;
  yes.setInterval(0);
  QObject::connect(&yes, &QTimer::timeout, [&answered] {
    for (QWidget* t : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<TMssBoxOk*>(t); box != nullptr && box->isVisible()) {
        ++answered;
        box->Button1->click();
        return;
      }
    }
  });
  yes.start();
  bool seen = false;
  OnNextModal<TDlgOptionsGenerales>(seen, [](TDlgOptionsGenerales& d) {
    d.PageControl->setCurrentWidget(d.TabSheetInstallation);
    d.ButtonParametresSetup->click();
  });
  window.MenuOptionsGenerales->trigger();
  yes.stop();
  QVERIFY(seen);
  QCOMPARE(answered, 2);
  // The window closed as when the user closes it (and this process lives
  // on): nothing is open any more.
  QVERIFY(!window.isVisible());
  QVERIFY(window.model().closing());
  // The settings were saved on the way out, the change included.
  QVERIFY(QFile::exists(settingsFile));
  SettingsRecord saved;
  QFile file(settingsFile);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  QVERIFY(saved.AssignImage(std::string_view(bytes.constData(), static_cast<size_t>(bytes.size()))));
  QCOMPARE(saved.relationLevel(), 3);
}

// A shell script at `path` that writes its arguments, one a line, to
// `out`, then the first one's file when it names one.
bool WriteScript(const QString& path, const QString& out) {
  const QByteArray script = "#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > '" + out.toUtf8() +
                            ".part'\nif [ -f \"$1\" ]; then cat \"$1\" >> '" + out.toUtf8() + ".part'; fi\nmv '" +
                            out.toUtf8() + ".part' '" + out.toUtf8() + "'\n";
  if (!WriteText(path, script)) return false;
  return QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString ReadAll(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void GuiTest::toolsMenuStartsThePluginsAndTheSurveyProgram() {
  QTemporaryDir dir;
  QVERIFY(dir.isValid() && PrepareInstallation(dir, MALVEX_TEST_EDITION));
  const QDir d(dir.path());
  const QString text = d.filePath("Text/robot.txt");
  QVERIFY(WriteText(text, kRobotText));
  QVERIFY(WriteScript(d.filePath("plugin.sh"), d.filePath("plugin.out")));
  QVERIFY(WriteScript(d.filePath("survey.sh"), d.filePath("survey.out")));
  QVERIFY(WriteText(d.filePath("plain.sh"), "#!/bin/sh\n"));
  EngineOptions options;
  options.places = testing::TestSettingsPlaces(dir.path().toStdString());
  {
    Registry registry(options.places->registryPath);
    registry.Load();
    registry.Set(PluginRegistryKey(1), "Path", d.filePath("plugin.sh").toStdString());
    registry.Set(PluginRegistryKey(1), "Label", "My plug-in");
    registry.Set(PluginRegistryKey(1), "Options", "--list \"two words\" 'it''s'");
    registry.Set(PluginRegistryKey(3), "Path", d.filePath("plain.sh").toStdString());
    registry.Set(CompanionRegistryKey("Survey"), "Path", d.filePath("survey.sh").toStdString());
    QVERIFY(registry.Save());
  }
  QtFrontEnd frontEnd;
  auto window = std::make_unique<TApdEditForm>(frontEnd, options);
  QVERIFY(window->EngineStarted());
  window->show();

  QVERIFY(window->MenuOutilsPlugin[0]->isVisible());
  QCOMPARE(window->MenuOutilsPlugin[0]->text(), QString("My plug-in"));
  QVERIFY(!window->MenuOutilsPlugin[1]->isVisible());
  QVERIFY(window->MenuOutilsPlugin[2]->isVisible());
  QCOMPARE(window->MenuOutilsPlugin[2]->text(), QString("Unknown plugin"));
  QVERIFY(!window->MenuOutilsPlugin[3]->isVisible());
  QVERIFY(window->MenuOutilsCompagnon[0]->isVisible());
  QCOMPARE(window->MenuOutilsCompagnon[0]->text(), QString("Survey..."));
  for (int k = 1; k < kCompanions; ++k) QVERIFY(!window->MenuOutilsCompagnon[k]->isVisible());

  // The plug-in gets its options as arguments.
  window->MenuOutilsPlugin[0]->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(d.filePath("plugin.out")), 10000);
  QCOMPARE(ReadAll(d.filePath("plugin.out")), QString("--list\ntwo words\nits\n"));

  // A file that is not a program: message 686.
  int boxes = 0;
  QString shown;
  QTimer answer;
  answer.setInterval(0);
  QObject::connect(&answer, &QTimer::timeout, [&boxes, &shown] {
    for (QWidget* t : QApplication::topLevelWidgets()) {
      if (auto* box = qobject_cast<TMssBoxOk*>(t); box != nullptr && box->isVisible()) {
        ++boxes;
        shown = box->Label1->text();
        box->Button1->click();
        return;
      }
    }
  });
  answer.start();
  window->MenuOutilsPlugin[2]->trigger();
  answer.stop();
  QCOMPARE(boxes, 1);
  QCOMPARE(shown, QString(CatalogueText(686)));

  // Before an analysis the survey program gets no file; after it, the
  // result list as a temporary file, which goes when the window closes.
  window->MenuOutilsCompagnon[0]->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(d.filePath("survey.out")), 10000);
  QCOMPARE(ReadAll(d.filePath("survey.out")), QString());
  QFile::remove(d.filePath("survey.out"));
  QVERIFY(window->AnalyserLeTexte({text}));
  window->MenuUnivers3->trigger();
  QByteArray listed;
  for (const ResultLine& line : window->resultPanel()->model()->items().lines()) {
    listed += QByteArray::fromStdString(line.text) + "\n";
  }
  QVERIFY(!listed.isEmpty());
  window->MenuOutilsCompagnon[0]->trigger();
  QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(d.filePath("survey.out")), 10000);
  QFile out(d.filePath("survey.out"));
  QVERIFY(out.open(QIODevice::ReadOnly));
  const QByteArray got = out.readAll();
  const int cut = got.indexOf('\n');
  QVERIFY(cut > 0);
  const QString file = QString::fromLocal8Bit(got.left(cut));
  QVERIFY(QFileInfo(file).fileName().startsWith(QCoreApplication::applicationName().left(2)));
  QCOMPARE(got.mid(cut + 1), listed);
  QVERIFY(QFile::exists(file));
  window->close();
  QVERIFY(!QFile::exists(file));
}

namespace {

// Draws the graph panel as it would be painted.
void PaintGraph(TGraphPanel& panel) { (void)panel.ImageGraphe->grab(); }

// A point of the graph image over an object, and its hint; false when the
// graph drew none.
bool FindObject(TGraphPanel& panel, QPoint& at, std::string& hint, int& id, int skipId = -100) {
  PaintGraph(panel);
  for (int y = 2; y < panel.ImageGraphe->height(); y += 3) {
    for (int x = 2; x < panel.ImageGraphe->width(); x += 3) {
      if (panel.graph()->HintAt(x, y, hint, id) && id != skipId) {
        at = QPoint(x, y);
        return true;
      }
    }
  }
  return false;
}

// A point of the graph image with no object.
bool FindEmpty(TGraphPanel& panel, QPoint& at) {
  PaintGraph(panel);
  std::string hint;
  int id = 0;
  for (int y = panel.ImageGraphe->height() - 4; y > 0; y -= 5) {
    for (int x = 4; x < panel.ImageGraphe->width(); x += 5) {
      if (!panel.graph()->HintAt(x, y, hint, id)) {
        at = QPoint(x, y);
        return true;
      }
    }
  }
  return false;
}

void MoveMouse(QWidget* on, QPoint at, Qt::KeyboardModifiers modifiers = {}) {
  QMouseEvent move(QEvent::MouseMove, QPointF(at), on->mapToGlobal(QPointF(at)), Qt::NoButton, Qt::NoButton,
                   modifiers);
  QApplication::sendEvent(on, &move);
}

// The window with the References list and the first of its items whose
// graph of the current type draws an object.
bool ChooseFirstReference(TApdEditForm& window) {
  window.MenuUnivers3->trigger();
  for (int row = 0; row < window.resultPanel()->ListBoxModItems->count(); ++row) {
    window.resultPanel()->ListBoxModItemsClick(row);
    PaintGraph(*window.GraphPanel);
    if (window.selection().active && window.GraphPanel->graph()->ObjectCount() > 0) return true;
  }
  return false;
}

}  // namespace

void GuiTest::graphHoverShowsTheHintAndDrawsOnlyForAnotherObject() {
  AnalysedWindow w;
  QVERIFY(w.Open(kRelationsText));
  TApdEditForm& window = *w.window;
  TGraphPanel& panel = *window.GraphPanel;
  QVERIFY(panel.isVisible());
  window.engine().record().setGraphType(kGraphStar);
  QVERIFY(ChooseFirstReference(window));
  QPoint at;
  std::string hint;
  int id = 0;
  QVERIFY(FindObject(panel, at, hint, id));
  const int draws = panel.drawCount();
  MoveMouse(panel.ImageGraphe, at);
  QCOMPARE(window.statusBar()->currentMessage(), ToQt(hint));
  QVERIFY(!hint.empty());
  PaintGraph(panel);
  QCOMPARE(panel.drawCount(), draws + 1);
  QCOMPARE(panel.model().highlighted(), id);
  // The same object again, and painting without a change: no draw.
  MoveMouse(panel.ImageGraphe, at);
  PaintGraph(panel);
  PaintGraph(panel);
  QCOMPARE(panel.drawCount(), draws + 1);
  // Shift held: the hint, no highlight.
  QPoint other;
  if (FindObject(panel, other, hint, id, panel.model().highlighted())) {
    const int before = panel.drawCount();
    window.statusBar()->clearMessage();
    MoveMouse(panel.ImageGraphe, other, Qt::ShiftModifier);
    QCOMPARE(window.statusBar()->currentMessage(), ToQt(hint));
    PaintGraph(panel);
    QCOMPARE(panel.drawCount(), before);
  }
}

void GuiTest::graphModifiedClicks() {
  AnalysedWindow w;
  QVERIFY(w.Open(kRelationsText));
  TApdEditForm& window = *w.window;
  TGraphPanel& panel = *window.GraphPanel;
  SettingsRecord& record = window.engine().record();
  ResultPanelModel* results = window.resultPanel()->model();
  record.setGraphType(kGraphAreas);
  record.setGraphObjectLimit(30);
  QVERIFY(ChooseFirstReference(window));
  const uint32_t chosenClass = window.selection().selectedId;
  const int chosenLine = results->chosenItem();
  QPoint at;
  std::string hint;
  int id = 0;
  QVERIFY(FindObject(panel, at, hint, id));
  QPoint empty;
  QVERIFY(FindEmpty(panel, empty));

  // Shift: the small graph of this text shows at most 6 objects, so the
  // limit stays.
  QVERIFY(panel.graph()->ObjectCount() <= 6);
  QTest::mouseClick(panel.ImageGraphe, Qt::LeftButton, Qt::ShiftModifier, at);
  QCOMPARE(record.graphObjectLimit(), 30);
  QCOMPARE(window.selection().selectedId, chosenClass);

  // Ctrl+Shift: 98 becomes 100, then stays.
  record.setGraphObjectLimit(98);
  QTest::mouseClick(panel.ImageGraphe, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, at);
  QCOMPARE(record.graphObjectLimit(), 100);
  QTest::mouseClick(panel.ImageGraphe, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier, at);
  QCOMPARE(record.graphObjectLimit(), 100);
  QCOMPARE(window.selection().selectedId, chosenClass);

  // Ctrl on empty space: the list and the selection stay as they were.
  QTest::mouseClick(panel.ImageGraphe, Qt::LeftButton, Qt::ControlModifier, empty);
  QCOMPARE(results->chosenFunction(), ResultFunctionTable::kReferences);
  QCOMPARE(results->chosenItem(), chosenLine);
  QCOMPARE(window.selection().kind, kSelectClass);
  QCOMPARE(window.selection().selectedId, chosenClass);
  QCOMPARE(window.resultPanel()->ListBoxFonctions->currentRow(), ResultFunctionTable::kReferences);

  // Ctrl on a class: the Relations function with that class at both ends.
  QVERIFY(FindObject(panel, at, hint, id));
  QTest::mouseClick(panel.ImageGraphe, Qt::LeftButton, Qt::ControlModifier, at);
  QCOMPARE(results->chosenFunction(), ResultFunctionTable::kRelations);
  QCOMPARE(window.resultPanel()->ListBoxFonctions->currentRow(), ResultFunctionTable::kRelations);
  QCOMPARE(window.selection().kind, kSelectRelation);
  QCOMPARE(window.selection().firstClass, static_cast<uint32_t>(id));
  QCOMPARE(window.selection().secondClass, static_cast<uint32_t>(id));

  // Ctrl again on the class: back to References with the class chosen.
  QVERIFY(FindObject(panel, at, hint, id));
  QTest::mouseClick(panel.ImageGraphe, Qt::LeftButton, Qt::ControlModifier, at);
  QCOMPARE(results->chosenFunction(), ResultFunctionTable::kReferences);
  QCOMPARE(window.selection().kind, kSelectClass);
  QCOMPARE(window.selection().selectedId, static_cast<uint32_t>(id));
  const int row = window.resultPanel()->ListBoxModItems->currentRow();
  QVERIFY(row >= 0);
  QCOMPARE(results->items()[static_cast<size_t>(row)].item, static_cast<int64_t>(id));

  // A plain click on a class selects it in the list.
  QVERIFY(FindObject(panel, at, hint, id));
  QTest::mouseClick(panel.ImageGraphe, Qt::LeftButton, {}, at);
  QCOMPARE(window.selection().selectedId, static_cast<uint32_t>(id));
  QCOMPARE(results->chosenFunction(), ResultFunctionTable::kReferences);
}

void GuiTest::graphPopupAndGraphsMenu() {
  const QSet<QString> catalogue = CatalogueTexts();
  AnalysedWindow w;
  QVERIFY(w.Open(kRelationsText));
  TApdEditForm& window = *w.window;
  TGraphPanel& panel = *window.GraphPanel;
  SettingsRecord& record = window.engine().record();
  ResultPanelModel* results = window.resultPanel()->model();
  for (QAction* a : panel.PopupMenuImageGraphe->actions()) {
    if (!a->isSeparator()) QVERIFY2(catalogue.contains(Bare(a->text())), qPrintable(a->text()));
  }

  // A toolbar command with no function chosen: References and its first
  // item; a squeezed panel gets 200 pixels.
  QCOMPARE(results->chosenFunction(), -1);
  window.SetGraphPanelHeight(5);
  QVERIFY(window.MenuGrapheEtoile->isEnabled());
  window.MenuGrapheEtoile->trigger();
  QCOMPARE(record.graphType(), kGraphStar);
  QCOMPARE(results->chosenFunction(), ResultFunctionTable::kReferences);
  QCOMPARE(results->chosenItem(), 0);
  QVERIFY(window.selection().active);
  QCOMPARE(window.SplitterTexteGraphe->sizes().value(1), 200);
  panel.PopupMenuImageGraphePopup();
  QVERIFY(panel.PopupGrapheEtoile->isChecked());

  const struct {
    QAction* menu;
    QAction* popup;
    int type;
  } types[] = {
      {window.MenuGrapheAires, panel.PopupGrapheAires, kGraphAreas},
      {window.MenuGrapheRepartition, panel.PopupGrapheDensite, kGraphDistribution},
      {window.MenuGrapheRafales, panel.PopupGrapheRafales, kGraphEpisodes},
      {window.MenuGrapheActeurs, panel.PopupGrapheActeurs, kGraphActors},
      {window.MenuGrapheEtoile, panel.PopupGrapheEtoile, kGraphStar},
  };
  for (const auto& t : types) {
    t.popup->trigger();
    QCOMPARE(record.graphType(), t.type);
    PaintGraph(panel);
    QCOMPARE(panel.graph()->DrawnType(), t.type);
    panel.PopupMenuImageGraphePopup();
    QVERIFY(t.popup->isChecked());
  }

  // Copy: the picture on the clipboard.
  QGuiApplication::clipboard()->clear();
  panel.PopupMenuImageGraphePopup();
  QVERIFY(panel.PopupImageGrapheCopier->isEnabled());
  panel.PopupImageGrapheCopier->trigger();
  const QImage copied = QGuiApplication::clipboard()->image();
  QCOMPARE(copied.size(), panel.ImageGraphe->size());
  QCOMPARE(copied.convertToFormat(QImage::Format_RGB32), panel.picture().convertToFormat(QImage::Format_RGB32));
  QGuiApplication::clipboard()->clear();
  window.CopyGraphDsClipBrd->trigger();
  QVERIFY(!QGuiApplication::clipboard()->image().isNull());

  // Hide: the panel drawn empty, nothing to copy; a toolbar command shows
  // the graph again.
  panel.PopupImageGrapheCacher->trigger();
  QVERIFY(!record.graphShowsSelection());
  PaintGraph(panel);
  const QColor background = ToQColor(GraphSettings::FromRecord(record).colours[kColourBackground]);
  QCOMPARE(PixelsNear(panel.picture(), background), panel.picture().width() * panel.picture().height());
  panel.PopupMenuImageGraphePopup();
  QVERIFY(!panel.PopupImageGrapheCopier->isEnabled());
  QVERIFY(!panel.CopyGraphDsClipBrdClick());
  window.MenuGrapheAires->trigger();
  QVERIFY(record.graphShowsSelection());
  QCOMPARE(record.graphType(), kGraphAreas);
  PaintGraph(panel);
  QCOMPARE(panel.graph()->DrawnType(), kGraphAreas);

  // Properties and Colours open their dialogs.
  panel.PopupImageGraphePropriete->trigger();
  QVERIFY(window.optionsGraphes() != nullptr && window.optionsGraphes()->isVisible());
  window.optionsGraphes()->close();
  panel.PopupImageGrapheCouleurs->trigger();
  QVERIFY(window.couleurs() != nullptr && window.couleurs()->isVisible());
  window.couleurs()->close();
}

void GuiTest::graphSliderSetsTheLimitOrTheBarWidth() {
  AnalysedWindow w;
  QVERIFY(w.Open(kRelationsText));
  TApdEditForm& window = *w.window;
  TGraphPanel& panel = *window.GraphPanel;
  SettingsRecord& record = window.engine().record();
  QVERIFY(ChooseFirstReference(window));
  window.MenuGrapheAires->trigger();
  QVERIFY(panel.TrackBar1->isEnabled());
  panel.TrackBar1->setValue(12);
  QCOMPARE(record.graphObjectLimit(), 12);
  QCOMPARE(panel.LabelTrackBar->text(), QString("12"));

  window.MenuGrapheRepartition->trigger();
  QVERIFY(panel.TrackBar1->isEnabled());
  panel.TrackBar1->setValue(20);
  QCOMPARE(record.distributionBarWidth(), 20);
  QCOMPARE(record.graphObjectLimit(), 12);
  QCOMPARE(panel.LabelTrackBar->text(), QString::number(panel.ImageGraphe->width() / 2 / 20));

  // The star and bundles graphs have no slider.
  window.MenuGrapheEtoile->trigger();
  QVERIFY(!panel.TrackBar1->isEnabled());
  QVERIFY(panel.LabelTrackBar->text().isEmpty());
}


void GuiTest::scenarioToolOpensOnceFromTheMenu() {
  AnalysedWindow w;
  QVERIFY(OpenScenarioTool(w, "G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n"));
  TApdEditForm& window = *w.window;
  TDlgScenario* tool = window.dlgScenario();
  QCOMPARE(tool->windowTitle(), QString("Scenario Tool : work.scn"));
  QCOMPARE(WidgetTree(tool->TreeView1), QString("Fructe\n  mar\n"));
  QVERIFY(window.ScenarioEditorOpen());
  // Kept above the main window.
  QCOMPARE(tool->parentWidget(), &window);
  QVERIFY(tool->windowFlags() & Qt::Tool);
  // A second Tools > Scenario brings the same window to the front.
  window.MenuScenario->trigger();
  QCOMPARE(window.dlgScenario(), tool);
  QCOMPARE(window.findChildren<TDlgScenario*>().size(), 1);
  // New runs the creation wizard; Options opens the analysis options.
  QVERIFY(tool->MenuNouveau1->isEnabled());
  QVERIFY(tool->MenuOptions->isEnabled());
  // The text pop-up's scenario items follow the open editor.
  window.PopupMenuImageTextePopup();
  QVERIFY(window.PopupImageTexteCopierDsScenario->isEnabled());
  QVERIFY(window.PopupImageTexteInsererDsScenario->isEnabled());
  // Keyboard commands of the window: Ctrl+G makes a group.
  tool->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(tool));
  QTest::keyClick(tool->TreeView1, Qt::Key_Escape);
  QTest::keyClick(tool, Qt::Key_G, Qt::ControlModifier);
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);  // leave the label editor
  QVERIFY(WidgetTree(tool->TreeView1).contains("???"));
  QCOMPARE(tool->StatusText->text(), QString("This Scenario was modified: you should save it"));
  // The icons are drawn by the program: a class icon is filled with the
  // class colour.
  tool->editor().AddAsNewGroup("robot", 'V');
  tool->AfterCommand();
  const QList<QTreeWidgetItem*> verbs =
      tool->TreeView1->findItems("robot (V)", Qt::MatchExactly | Qt::MatchRecursive);
  QCOMPARE(verbs.size(), 1);
  QTreeWidgetItem* verb = verbs.front();
  const QImage icon = verb->icon(0).pixmap(16, 16).toImage();
  QVERIFY(PixelsNear(icon, ToQColor(window.engine().record().colour(1))) > 20);
  // Closing asks to save the changes; "No" closes without saving.
  SecondButtonAnswerer no;
  tool->close();
  QCOMPARE(no.answered, 1);
  QVERIFY(!window.ScenarioEditorOpen());
  window.PopupMenuImageTextePopup();
  QVERIFY(!window.PopupImageTexteCopierDsScenario->isEnabled());
  QVERIFY(ReadFileText(QDir(w.dir.path()).filePath("Scenario/work.scn")).indexOf("robot") < 0);
}

void GuiTest::resultItemDroppedOnAGroupJoinsIt() {
  AnalysedWindow w;
  QVERIFY(OpenScenarioTool(w, "G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n"));
  TApdEditForm& window = *w.window;
  TDlgScenario* tool = window.dlgScenario();
  TResultPanel* panel = window.resultPanel();
  window.MenuUnivers3->trigger();  // References: "mașină" first
  ClickRow(panel->ListBoxModItems, 0);
  std::unique_ptr<QMimeData> data(window.ResultItemMime());
  QVERIFY(data != nullptr);
  std::string text;
  int level = -1;
  char letter = 0;
  QVERIFY(ReadScenarioItemMime(data.get(), text, level, letter));
  QCOMPARE(ToQt(text), QString("ma\u0219in\u0103"));
  QCOMPARE(level, 1);
  QCOMPARE(letter, '?');
  QTreeWidgetItem* group = tool->TreeView1->topLevelItem(0);
  QCOMPARE(group->text(0), QString("Fructe"));
  const QPoint at = tool->TreeView1->visualItemRect(group).center();
  QVERIFY(tool->TreeView1->DropData(data.get(), at, Qt::NoModifier));
  QCOMPARE(WidgetTree(tool->TreeView1), QString("Fructe\n  mar\n  ma\u0219in\u0103 (*)\n"));
  // The same item again is not doubled: the one there is selected.
  QVERIFY(!tool->TreeView1->DropData(data.get(), at, Qt::NoModifier));
  QCOMPARE(tool->TreeView1->currentItem()->text(0), QString("ma\u0219in\u0103 (*)"));
  // Dropped on empty space: the class is in the tree already, so it is
  // selected again; a new verb gets a group of its own.
  const QPoint empty(5, tool->TreeView1->viewport()->height() - 3);
  QVERIFY(tool->TreeView1->itemAt(empty) == nullptr);
  QVERIFY(!tool->TreeView1->DropData(data.get(), empty, Qt::NoModifier));
  QCOMPARE(tool->TreeView1->currentItem()->text(0), QString("ma\u0219in\u0103 (*)"));
  window.engine().record().setScenarioWordsInCapitals(true);
  std::unique_ptr<QMimeData> verb(MakeScenarioItemMime("vorbi", 0, 'V'));
  QVERIFY(tool->TreeView1->DropData(verb.get(), empty, Qt::NoModifier));
  QVERIFY2(WidgetTree(tool->TreeView1).endsWith("\nVorbi\n  vorbi (V)\n"), qPrintable(WidgetTree(tool->TreeView1)));
  // Other data is refused; a drop from the Relations list has none.
  QMimeData plain;
  plain.setText("mar");
  QVERIFY(!tool->TreeView1->DropData(&plain, at, Qt::NoModifier));
  window.MenuRelations->trigger();
  if (panel->ListBoxModItems->count() > 0) {
    ClickRow(panel->ListBoxModItems, 0);
    QVERIFY(window.ResultItemMime() == nullptr);
  }
  // Double click on the reference shows it in the editor.
  window.MenuUnivers3->trigger();
  ClickRow(panel->ListBoxModItems, 0);
  tool->editor().Select(nullptr);
  QVERIFY(window.ListBoxModItemsDblClick());
  QVERIFY(tool->editor().selected() != nullptr);
  QVERIFY(ToQt(tool->editor().selected()->text).startsWith(QString("ma\u0219in\u0103"), Qt::CaseInsensitive));
}

// The toolbar's Show in the Scenario Tool opens the closed tool and
// selects the chosen reference's node there.
void GuiTest::toolbarShowsTheItemInTheScenarioOpeningTheTool() {
  AnalysedWindow w;
  QVERIFY(w.Open());
  TApdEditForm& window = *w.window;
  QVERIFY(WriteText(QDir(w.dir.path()).filePath("Scenario/work.scn"),
                    "G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n0#1#\tma\xBAin\xE3\tFructe\r\n"));
  window.engine().record().setScenarioFile("work.scn");
  QVERIFY(window.engine().currentScenario().LoadCurrentScenario());
  QVERIFY(!window.ScenarioEditorOpen());
  QVERIFY(window.ToolButtonChercherDsScenario->isEnabled());
  window.MenuUnivers3->trigger();
  TResultPanel* panel = window.resultPanel();
  QVERIFY(panel->ListBoxModItems->count() > 0);
  ClickRow(panel->ListBoxModItems, 0);
  QVERIFY(panel->ListBoxModItems->item(0)->text().startsWith(QString("ma\u0219in\u0103")));
  window.ToolButtonChercherDsScenario->trigger();
  QVERIFY(window.ScenarioEditorOpen());
  const ScenarioNode* selected = window.dlgScenario()->editor().selected();
  QVERIFY(selected != nullptr);
  QCOMPARE(ToQt(selected->text), QString("ma\u0219in\u0103"));
}

void GuiTest::nodeMovedInsideTheTree() {
  AnalysedWindow w;
  QVERIFY(OpenScenarioTool(w, "G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\nG#0V\t2\tPomi\r\n0#1#\tpar\tPomi\r\n"));
  TDlgScenario* tool = w.window->dlgScenario();
  TScenarioTreeWidget* tree = tool->TreeView1;
  tool->MenuDevelopper->trigger();
  tree->setCurrentItem(tree->topLevelItem(0)->child(0));  // mar
  QCOMPARE(tree->currentItem()->text(0), QString("mar"));
  // Dropped on the item "par": it becomes a group (named in capitals, the
  // setting's default) holding both; the emptied top group goes.
  w.window->engine().record().setScenarioWordsInCapitals(true);
  QTreeWidgetItem* par = tree->topLevelItem(1)->child(0);
  QVERIFY(tree->MoveSelectedTo(tree->visualItemRect(par).center()));
  QCOMPARE(WidgetTree(tree), QString("Pomi\n  Par\n    mar\n    par\n"));
  QCOMPARE(tree->currentItem()->text(0), QString("mar"));
  QVERIFY(tool->editor().modified());
  // A group cannot go under itself.
  tree->setCurrentItem(tree->topLevelItem(0));
  QVERIFY(!tree->MoveSelectedTo(tree->visualItemRect(tree->topLevelItem(0)->child(0)).center()));
  QCOMPARE(WidgetTree(tree), QString("Pomi\n  Par\n    mar\n    par\n"));
}

void GuiTest::textWordsGoIntoTheScenarioAsLemmas() {
  AnalysedWindow w;
  QVERIFY(OpenScenarioTool(w, "G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n"));
  TApdEditForm& window = *w.window;
  TDlgScenario* tool = window.dlgScenario();
  window.engine().record().setScenarioOnAllCategories(false);
  window.ImageTexte->grab();
  // The text pop-up's Add on every word of the first lines: verbs go in as
  // their lemma with V, the robot as a word; a connector is added but
  // the status line says the analysis will not classify it.
  bool warned = false;
  for (int y = 2; y < 40; y += 3) {
    for (int x = 0; x < 600; x += 3) {
      window.statusBar()->clearMessage();
      if (window.TextWordIntoScenario(QPoint(x, y), false) &&
          window.statusBar()->currentMessage().startsWith("A word without reference"))
        warned = true;
    }
  }
  const QString tree = WidgetTree(tool->TreeView1);
  QVERIFY2(tree.contains("  merge (V)\n"), qPrintable(tree));
  QVERIFY2(tree.contains(QRegularExpression("\\n  [Rr]obot\\n")), qPrintable(tree));
  QVERIFY2(tree.contains("  vorbi (V)\n"), qPrintable(tree));  // "vorbește" under its lemma
  QVERIFY2(!tree.contains("te (V)"), qPrintable(tree));  // no inflected verb form
  QVERIFY(warned);
}

void GuiTest::groupRenamedInPlace() {
  AnalysedWindow w;
  QVERIFY(OpenScenarioTool(w, "G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n"));
  TDlgScenario* tool = w.window->dlgScenario();
  tool->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(tool));
  QTreeWidgetItem* group = tool->TreeView1->topLevelItem(0);
  tool->TreeView1->setCurrentItem(group);
  QVERIFY(tool->PopupModifier->isEnabled());
  tool->PopupModifier->trigger();
  auto* edit = tool->TreeView1->viewport()->findChild<QLineEdit*>();
  QVERIFY(edit != nullptr);
  edit->setText(QString("Poame de toamn\u0103"));
  QTest::keyClicks(edit, "  ");  // trailing blanks are cleaned away
  QTest::keyClick(edit, Qt::Key_Return);
  QTRY_COMPARE(WidgetTree(tool->TreeView1), QString("Poame de toamn\u0103\n  mar\n"));
  QCOMPARE(ToQt(tool->editor().tree().roots().front()->text), QString("Poame de toamn\u0103"));
  QVERIFY(tool->editor().modified());
  QCOMPARE(tool->LabelGroupeTexte->text(), QString("Poame de toamn\u0103"));
  // An item inside a group cannot be renamed.
  tool->TreeView1->setCurrentItem(tool->TreeView1->topLevelItem(0)->child(0));
  QVERIFY(!tool->PopupModifier->isEnabled());
  QVERIFY(!(tool->TreeView1->topLevelItem(0)->child(0)->flags() & Qt::ItemIsEditable));
  // A label of blanks becomes "Group ???".
  tool->TreeView1->setCurrentItem(tool->TreeView1->topLevelItem(0));
  tool->PopupModifier->trigger();
  edit = tool->TreeView1->viewport()->findChild<QLineEdit*>();
  QVERIFY(edit != nullptr);
  edit->selectAll();
  QTest::keyClicks(edit, "   ");
  QTest::keyClick(edit, Qt::Key_Return);
  QTRY_VERIFY(WidgetTree(tool->TreeView1).startsWith(QString("Group ???\n"), Qt::CaseInsensitive));
}

void GuiTest::addedGroupIsInTheScenarioFunctionAfterTheSave() {
  AnalysedWindow w;
  QVERIFY(OpenScenarioTool(w, "G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n"));
  TApdEditForm& window = *w.window;
  TDlgScenario* tool = window.dlgScenario();
  TResultPanel* panel = window.resultPanel();
  window.MenuAfficheScenario->trigger();
  for (int i = 0; i < panel->ListBoxModItems->count(); ++i)
    QVERIFY(!panel->ListBoxModItems->item(i)->text().startsWith(QString("ma\u0219in\u0103"), Qt::CaseInsensitive));
  // The Scenario list's pop-up: order items, never Add or Insert.
  window.PopupMenuResultatsPopup();
  QVERIFY(panel->PopupTriAlpha->isVisible());
  QVERIFY(!window.PopupResultatsAjouter1->isVisible());
  QVERIFY(!window.PopupResultatsInserer1->isVisible());
  // Add from the References list.
  window.MenuUnivers3->trigger();
  ClickRow(panel->ListBoxModItems, 0);
  // The request the list's viewport receives sets the items.
  QContextMenuEvent request(QContextMenuEvent::Keyboard, QPoint(5, 5),
                            panel->ListBoxModItems->viewport()->mapToGlobal(QPoint(5, 5)));
  QTimer::singleShot(0, [] {
    if (QWidget* menu = QApplication::activePopupWidget()) menu->close();
  });
  QApplication::sendEvent(panel->ListBoxModItems->viewport(), &request);
  QVERIFY(window.PopupResultatsAjouter1->isVisible());
  QVERIFY(!panel->PopupTriAlpha->isVisible());
  window.PopupResultatsAjouter1->trigger();
  QVERIFY(WidgetTree(tool->TreeView1).contains(QString("ma\u0219in\u0103 (*)")));
  // Saved: the file holds the group, the text is analysed again and the
  // Scenario function counts the new group's words.
  tool->MenuEnregistrer1->trigger();
  QVERIFY(!tool->editor().modified());
  QVERIFY(ReadFileText(QDir(w.dir.path()).filePath("Scenario/work.scn")).contains("\tma"));
  QVERIFY(window.ResultsShown());
  // The saved group is shown in the Scenario function.
  QCOMPARE(panel->model()->chosenFunction(), ResultFunctionTable::kScenario);
  QVERIFY(panel->ListBoxModItems->currentItem() != nullptr);
  QVERIFY(panel->ListBoxModItems->currentItem()->text().startsWith(QString("ma\u0219in\u0103\t"), Qt::CaseInsensitive));
  window.MenuAfficheScenario->trigger();
  bool found = false;
  for (int i = 0; i < panel->ListBoxModItems->count(); ++i)
    found = found || panel->ListBoxModItems->item(i)->text().startsWith(QString("ma\u0219in\u0103\t0006"),
                                                                          Qt::CaseInsensitive);
  QVERIFY2(found, qPrintable(panel->ListBoxModItems->count() > 0 ? panel->ListBoxModItems->item(0)->text() : "none"));
}

void GuiTest::printingTheTreeWritesItsPages() {
  AnalysedWindow w;
  QByteArray scenario = "G#0V\t1\tFructe\r\n";
  for (int i = 0; i < 150; ++i) scenario += "0#1#\tmar" + QByteArray::number(i) + "\tFructe\r\n";
  QVERIFY(OpenScenarioTool(w, scenario));
  TDlgScenario* tool = w.window->dlgScenario();
  const QString pdf = QDir(w.dir.path()).filePath("tree.pdf");
  tool->SetPrintTarget([&](QPrinter& printer) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    return true;
  });
  tool->MenuImprimer1->trigger();
  const QByteArray bytes = ReadFileText(pdf).toLatin1();
  QVERIFY(bytes.startsWith("%PDF"));
  // 151 lines at 11 points do not fit on one page.
  QVERIFY(bytes.count("/Type /Page\n") + bytes.count("/Type /Page ") + bytes.count("/Type /Page>") >= 2 ||
          bytes.count("/Page") >= 3);
}

void GuiTest::anomaliesShowWithTheEditorAndFindTheirEntries() {
  AnalysedWindow w;
  // "mar" in two groups: the second is reported when the scenario loads,
  // before the editor opens.
  QVERIFY(OpenScenarioTool(w, "G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\nG#0V\t2\tPomi\r\n0#1#\tmar\tPomi\r\n"));
  TApdEditForm& window = *w.window;
  TDlgScenario* tool = window.dlgScenario();
  TDlgAnomalieScen* list = window.dlgAnomalies();
  QVERIFY(list != nullptr);
  QVERIFY(list->isVisible());
  QCOMPARE(list->windowTitle(), QString("Anomalies (Scenario)"));
  QCOMPARE(list->ListBox1->count(), 1);
  QCOMPARE(list->ListBox1->item(0)->text(), QString("\"mar\" is duplicated (second entry ignored)"));
  QCOMPARE(tool->StatusText->text(), QString("1 warnings in the Ontology"));
  // Clicking the line walks through the nodes that begin with its entry.
  const ScenarioNode* first = tool->editor().tree().roots()[0]->children[0].get();
  const ScenarioNode* second = tool->editor().tree().roots()[1]->children[0].get();
  QCOMPARE(list->ListBox1->currentRow(), 0);
  list->ButtonChercher->click();
  QCOMPARE(tool->editor().selected(), first);
  ClickRow(list->ListBox1, 0);  // a click on the line searches on
  QCOMPARE(tool->editor().selected(), second);
  ClickRow(list->ListBox1, 0);
  QCOMPARE(tool->editor().selected(), first);
  list->ButtonChercher->click();
  QCOMPARE(tool->editor().selected(), second);
  list->ButtonChercher->click();
  QCOMPARE(tool->editor().selected(), first);
  QCOMPARE(TDlgScenario::NodeOf(tool->TreeView1->currentItem()), first);
  QCOMPARE(tool->TreeView1->currentItem()->text(0), QString("mar"));
  // A build without anomalies closes the window.
  QVERIFY(WriteText(QDir(w.dir.path()).filePath("Scenario/work.scn"), "G#0V\t1\tFructe\r\n0#1#\tmar\tFructe\r\n"));
  QVERIFY(window.engine().currentScenario().LoadCurrentScenario());
  QVERIFY(!list->isVisible());
  QCOMPARE(tool->StatusText->text(), QString());
}

}  // namespace malvex

MALVEX_GUI_TEST(malvex::GuiTest);
#include "gui_test.moc"
