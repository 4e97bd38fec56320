#include "gui/app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QScreen>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <string>

#include "app/caption.h"
#include "app/open_filters.h"
#include "gui/app/analysis_options_dialog.h"
#include "gui/app/general_options_dialog.h"
#include "gui/app/word_search_link.h"
#include "gui/app/terminology_host.h"
#include "gui/app/print_command.h"
#include "app/result_scenario_commands.h"
#include "dictionaries/lemma_index.h"
#include "dictionaries/semantic_dictionary.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "gui/reading/dialogue_delimiteurs.h"
#include "gui/scenarios/assistant_scenario.h"
#include "gui/scenarios/dlg_anomalie_scen.h"
#include "gui/scenarios/dlg_scenario.h"
#include "gui/scenarios/dlg_terminology.h"
#include "gui/scenarios/form_import_owl.h"
#include "gui/qt_text.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "reading/document_converters.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_layer.h"
#include "semantic/analysis_context.h"

namespace malvex {

namespace {

// Catalogue texts of the interface.
constexpr int kMsgNotAvailable = 2009;  // tooltip of the commands whose windows this version lacks
constexpr int kMsgWelcomePage = 2017;

// The registry section of the window's own values.
std::string WindowRegistryKey(const LanguageInfo& language) {
  return ProgramRegistryKey(language.dictCode) + "/Window";
}

bool DefaultOpenDialog(QWidget* parent, const QString& caption, const QStringList& nameFilters,
                       int initialFilter, const QString& folder, QStringList& files, int& filter) {
  QFileDialog dialog(parent, caption, folder);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setNameFilters(nameFilters);
  if (initialFilter >= 1 && initialFilter <= nameFilters.size()) dialog.selectNameFilter(nameFilters[initialFilter - 1]);
  if (dialog.exec() != QDialog::Accepted) return false;
  files = dialog.selectedFiles();
  filter = static_cast<int>(nameFilters.indexOf(dialog.selectedNameFilter())) + 1;
  return !files.isEmpty();
}

std::vector<std::string> ToPaths(const QStringList& files) {
  std::vector<std::string> paths;
  paths.reserve(static_cast<size_t>(files.size()));
  for (const QString& f : files) paths.push_back(QDir::cleanPath(f).toStdString());
  return paths;
}

}  // namespace

TApdEditForm::TApdEditForm(QtFrontEnd& frontEnd, EngineOptions options)
    : frontEnd_(frontEnd),
      registryPath_(options.places ? options.places->registryPath : Registry::DefaultPath()),
      engine_(std::make_unique<Engine>(frontEnd, std::move(options))) {
  frontEnd_.SetOwner(this);
  Messages& msg = engine_->messages();
  TMssBoxOk::Labels labels;
  labels.ok = ToQt(msg.message(680));
  labels.yes = ToQt(msg.message(678));
  labels.no = ToQt(msg.message(679));
  labels.cancel = ToQt(msg.message(661));
  labels.dontShow = ToQt(msg.message(1267));
  frontEnd_.SetTexts(labels, "&" + ToQt(msg.message(2010)),
                     [this] { return engine_->messages().ask(engine_->messages().message(70)); });
  openDialog_ = [this](const QStringList& filters, int initial, const QString& folder, QStringList& files,
                       int& filter) {
    return DefaultOpenDialog(this, ToQt(engine_->messages().message(170)), filters, initial, folder, files, filter);
  };

  // 1. The caption is the application's title until the engine runs.
  setWindowTitle(ToQt(frontEnd_.ApplicationTitle()));
  model_ = std::make_unique<MainWindowModel>(engine_->record(), engine_->messages(), static_cast<MainWindowHost&>(*this));
  ImageTexte = new TTextViewWidget(this);
  ImageTexte->SetPointerHandler([this](const TextPointerInfo& info) { ShowPointer(info); });
  ImageTexte->SetMarkerHandler([this](int32_t position) { ShowContextOf(position); });
  ResultPanel = new TResultPanel(engine_->messages(), this);
  connect(ResultPanel, &TResultPanel::SelectionShown, this, [this](const QString& status) {
    ImageTexte->update();
    if (!status.isEmpty()) statusBar()->showMessage(status);
    // A chosen item shows extracts: the View menu says so.
    if (wholeText_ != nullptr && textView_ != nullptr) {
      const QSignalBlocker quiet(wholeText_);
      wholeText_->setChecked(textView_->coloration() != ColorationMode::kSelective);
    }
  });
  StatusPosition = new QLabel(this);
  statusBar()->addPermanentWidget(StatusPosition);

  // 3. The engine; the application ends when it cannot start.
  if (!engine_->StartEngine()) return;
  // The anomalies of the Scenario layer's builds, from the start-up build
  // on, and the scenario editor's model (its window is made on first use).
  anomalies_ = std::make_unique<ScenarioAnomalyList>(engine_->messages());
  anomalies_->Assign(engine_->scenarioLayer().anomalies());
  anomalyForwarder_ = std::make_unique<AnomalyForwarder>(*anomalies_, [this] { ShowAnomalies(); });
  engine_->scenarioLayer().SetAnomalyListener(anomalyForwarder_.get());
  scenarioEditor_ = std::make_unique<ScenarioEditor>(engine_->scenarioStore(), engine_->currentScenario(),
                                                     &engine_->scenarioLayer(), engine_->record(), engine_->folders(),
                                                     engine_->messages(), static_cast<ScenarioEditorHost*>(this));
  scenarioFileDialog_ = [this](bool save, const QString& folder, QString& path) {
    const QString filter = Text(449) + " (*.scn)";
    path = save ? QFileDialog::getSaveFileName(dlgScenario_, Text(604), folder, filter)
                : QFileDialog::getOpenFileName(dlgScenario_, Text(527), folder, filter + ";;OWL (*.owl *.OWL)");
    return !path.isEmpty();
  };
  wordSearch_ = new WordSearchLink(*this);
  // 2. The text view over the engine's word stream, and the graph.
  CreateTextView();
  CreateGraphPanel();
  // 5. The caption with the language of the edition.
  setWindowTitle(ToQt(MainCaption(engine_->messages(), frontEnd_.ApplicationTitle(), engine_->runFlags())));
  // 7. The texts of the interface, the pages.
  CreatePages();
  CreateMenus();
  CreateTextPopup();
  // 8. The no-text state, the history kept or cleared, the history menu.
  EnableCommandDuMenu(false);
  model_->StartUp();
  // 10. Files dropped on the window are opened.
  setAcceptDrops(true);
  statusBar()->showMessage(ToQt(engine_->messages().message(73)));
}

TApdEditForm::~TApdEditForm() {
  ResultPanel->SetModel(nullptr);
  // The graph reads the analysis the engine frees when it stops.
  if (GraphPanel != nullptr) GraphPanel->AnalysisClosing();
  delete dlgScenario_;
  dlgScenario_ = nullptr;
  if (!stopped_) {
    if (anomalies_ != nullptr) engine_->scenarioLayer().SetAnomalyListener(nullptr);
    engine_->StopEngine();
  }
}

QString TApdEditForm::Text(int id) { return ToQt(engine_->messages().message(id)); }

void TApdEditForm::CreateTextView() {
  textView_ = std::make_unique<TExtraitDuTexte>(engine_->stream(), selection_, engine_->record());
  pointer_ = std::make_unique<TextPointer>(*textView_, engine_->stream(), engine_->messages());
  results_ = std::make_unique<ResultPanelModel>(*engine_, *textView_, selection_);
  ResultPanel->SetModel(results_.get());
}

void TApdEditForm::CreateGraphPanel() {
  GraphPanel = new TGraphPanel(*engine_, *results_, selection_, this);
  connect(GraphPanel, &TGraphPanel::StatusText, this, [this](const QString& text) { statusBar()->showMessage(text); });
  connect(GraphPanel, &TGraphPanel::SelectionChanged, this, [this](bool list) {
    if (list) ResultPanel->Refresh();
    ImageTexte->update();
    if (wholeText_ != nullptr && textView_ != nullptr) {
      const QSignalBlocker quiet(wholeText_);
      wholeText_->setChecked(textView_->coloration() != ColorationMode::kSelective);
    }
  });
  connect(GraphPanel, &TGraphPanel::HeightWanted, this, [this](int height) { SetGraphPanelHeight(height); });
  connect(GraphPanel, &TGraphPanel::PropertiesWanted, this, [this] { MenuOptionsGraphesClick(); });
  connect(GraphPanel, &TGraphPanel::ColoursWanted, this, [this] { MenuOptionsCouleursClick(); });
  connect(ResultPanel, &TResultPanel::SelectionShown, GraphPanel, [this] {
    GraphPanel->model().ForgetHighlight();
    GraphPanel->Changed();
  });
  connect(this, &TApdEditForm::displayChanged, GraphPanel, [this] { GraphPanel->Changed(); });
  connect(this, &TApdEditForm::textClosing, GraphPanel, [this] { GraphPanel->AnalysisClosing(); });
}

void TApdEditForm::SetGraphPanelHeight(int height) {
  if (SplitterTexteGraphe == nullptr) return;
  const QList<int> sizes = SplitterTexteGraphe->sizes();
  int total = std::max(sizes.value(0) + sizes.value(1), SplitterTexteGraphe->height());
  // Not laid out yet: the window's height stands for the column's.
  if (total <= height + 1) total = std::max(this->height(), height + 2);
  const int graph = std::clamp(height, 1, std::max(total - 1, 1));
  SplitterTexteGraphe->setSizes({std::max(total - graph, 1), graph});
}

void TApdEditForm::CreatePages() {
  const bool large = engine_->record().largeFonts();
  Splitter = new QSplitter(Qt::Horizontal, this);
  PageControl = new QTabWidget(Splitter);
  TabSheetExplication = new QTextBrowser(PageControl);
  TabSheetExplication->setOpenExternalLinks(true);
  TabSheetExplication->setHtml(Text(kMsgWelcomePage));
  PageControl->addTab(TabSheetExplication, Text(1071));

  TabSheetResultats = new QWidget(PageControl);
  auto* resultsLayout = new QVBoxLayout(TabSheetResultats);
  resultsLayout->setContentsMargins(0, 0, 0, 0);
  resultsLayout->addWidget(ResultPanel);
  PageControl->addTab(TabSheetResultats, Text(656));

  TabSheetFichiers = new QWidget(PageControl);
  auto* filesLayout = new QVBoxLayout(TabSheetFichiers);
  ListBoxFichiersOuverts = new QListWidget(TabSheetFichiers);
  ListBoxFichiersOuverts->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  filesLayout->addWidget(ListBoxFichiersOuverts);
  // Two rows of buttons, so that the pages stay narrow.
  auto* buttons = new QGridLayout();
  ButtonListeFichiersAjouter = new QPushButton("&" + Text(741), TabSheetFichiers);
  ButtonListeFichiersSupprimer = new QPushButton("&" + Text(602), TabSheetFichiers);
  ButtonListeFichiersTrier = new QPushButton("&" + Text(891), TabSheetFichiers);
  ButtonListeFichiersAnalyser = new QPushButton("&" + Text(2002), TabSheetFichiers);
  ButtonListeFichiersOuvrir = new QPushButton("&" + Text(527), TabSheetFichiers);
  ButtonListeFichiersOuvrir->setToolTip(Text(2003));
  buttons->addWidget(ButtonListeFichiersAjouter, 0, 0);
  buttons->addWidget(ButtonListeFichiersSupprimer, 0, 1);
  buttons->addWidget(ButtonListeFichiersTrier, 0, 2);
  buttons->addWidget(ButtonListeFichiersOuvrir, 1, 0);
  buttons->addWidget(ButtonListeFichiersAnalyser, 1, 1, 1, 2);
  filesLayout->addLayout(buttons);
  PageControl->addTab(TabSheetFichiers, Text(583));
  connect(ButtonListeFichiersAjouter, &QPushButton::clicked, this, [this] { ButtonListeFichiersAjouterClick(); });
  connect(ButtonListeFichiersSupprimer, &QPushButton::clicked, this, [this] {
    model_->filesList().DeleteSelected();
    FilesListChanged();
  });
  connect(ButtonListeFichiersTrier, &QPushButton::clicked, this, [this] {
    model_->filesList().Sort();
    FilesListChanged();
  });
  connect(ButtonListeFichiersAnalyser, &QPushButton::clicked, this,
          [this] { model_->ButtonListeFichiersAnalyserClick(); });
  connect(ButtonListeFichiersOuvrir, &QPushButton::clicked, this, [this] { ButtonListeFichiersOuvrirClick(); });
  connect(ListBoxFichiersOuverts, &QListWidget::currentRowChanged, this, [this](int row) {
    model_->filesList().Select(row);
    ButtonListeFichiersSupprimer->setEnabled(row >= 0);
    ButtonListeFichiersOuvrir->setEnabled(row >= 0);
  });
  FilesListChanged();

  if (large) {
    QFont font = PageControl->font();
    font.setPointSize(font.pointSize() + 2);
    PageControl->setFont(font);
  }
  Splitter->addWidget(PageControl);
  SplitterTexteGraphe = new QSplitter(Qt::Vertical, Splitter);
  SplitterTexteGraphe->addWidget(ImageTexte);
  if (GraphPanel != nullptr) SplitterTexteGraphe->addWidget(GraphPanel);
  SplitterTexteGraphe->setStretchFactor(0, 1);
  SplitterTexteGraphe->setStretchFactor(1, 0);
  SplitterTexteGraphe->setChildrenCollapsible(false);
  Splitter->addWidget(SplitterTexteGraphe);
  Splitter->setStretchFactor(0, 0);
  Splitter->setStretchFactor(1, 1);
  Splitter->setChildrenCollapsible(false);
  setCentralWidget(Splitter);
}

QAction* TApdEditForm::AddCommand(QMenu* menu, const QString& text, Gate gate, bool available) {
  QAction* action = menu->addAction(text);
  if (!available) {
    action->setToolTip(Text(kMsgNotAvailable));
    action->setStatusTip(Text(kMsgNotAvailable));
  }
  commands_.push_back(Command{action, gate, available});
  return action;
}

void TApdEditForm::CreateMenus() {
  Messages& msg = engine_->messages();
  QToolBar* toolbar = addToolBar(Text(2007));
  toolbar->setObjectName("toolbar");
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);

  fileMenu_ = menuBar()->addMenu("&" + Text(324));
  fileMenu_->setToolTipsVisible(true);
  MenuOuvrir = AddCommand(fileMenu_, "&" + Text(527) + "...", Gate::kAlways, true);
  MenuOuvrir->setShortcut(QKeySequence::Open);
  connect(MenuOuvrir, &QAction::triggered, this, [this] { FileOpen1Execute(); });
  MenuFermer = AddCommand(fileMenu_, "&" + Text(545), Gate::kText, true);
  MenuFermer->setShortcut(QKeySequence::Close);
  connect(MenuFermer, &QAction::triggered, this, [this] { model_->FermerTexteEnCours(); });
  MenuRelancer = AddCommand(fileMenu_, "&" + Text(2001), Gate::kText, true);
  MenuRelancer->setShortcut(QKeySequence(Qt::Key_F5));
  connect(MenuRelancer, &QAction::triggered, this, [this] { model_->ReLancerAnalyse(); });
  fileMenu_->addSeparator();
  QAction* filesPage = AddCommand(fileMenu_, Text(2011), Gate::kAlways, true);
  connect(filesPage, &QAction::triggered, this, [this] { PageControl->setCurrentWidget(TabSheetFichiers); });
  QAction* print = MenuImprimer = AddCommand(fileMenu_, "&" + Text(606) + "...", Gate::kText, true);
  print->setShortcut(QKeySequence::Print);
  connect(print, &QAction::triggered, this, [this] { PrintFromWindow(*this); });
  MenuGenererUnRapport = AddCommand(fileMenu_, Text(1148) + "...", Gate::kText, true);
  connect(MenuGenererUnRapport, &QAction::triggered, this, [this] { MenuGenererUnRapportClick(); });
  fileMenu_->addSeparator();
  MenuNouvelleFenetre = AddCommand(fileMenu_, "&" + Text(2008), Gate::kAlways, true);
  connect(MenuNouvelleFenetre, &QAction::triggered, this, [this] { MenuNouvelleFenetreClick(); });
  historySeparator_ = fileMenu_->addSeparator();
  for (int n = 0; n < FileHistory::kMenuSlots; ++n) {
    MenuHistoFichier[n] = fileMenu_->addAction(QString());
    MenuHistoFichier[n]->setVisible(false);
    connect(MenuHistoFichier[n], &QAction::triggered, this, [this, n] { model_->MenuHistoFichierClick(n + 1); });
  }
  fileMenu_->addSeparator();
  QAction* quit = fileMenu_->addAction("&" + Text(64));
  quit->setShortcut(QKeySequence::Quit);
  connect(quit, &QAction::triggered, this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu("&" + Text(609));
  edit->setToolTipsVisible(true);
  QAction* copyText = CopyTexteDsClipBrd = AddCommand(edit, "&" + Text(2012) + "...", Gate::kText, true);
  connect(copyText, &QAction::triggered, this, [this] { CopyTexteDsClipBrdClick(); });
  CopyGraphDsClipBrd = AddCommand(edit, "&" + Text(2013), Gate::kText, true);
  connect(CopyGraphDsClipBrd, &QAction::triggered, this, [this] { GraphPanel->CopyGraphDsClipBrdClick(); });
  CopyResultatsDsClipBrd = AddCommand(edit, "&" + Text(2014), Gate::kText, true);
  connect(CopyResultatsDsClipBrd, &QAction::triggered, this, [this] { CopyResultatsDsClipBrdClick(); });
  edit->addSeparator();
  QAction* search = MenuChercher = AddCommand(edit, "&" + Text(520) + "...", Gate::kText, true);
  search->setShortcut(QKeySequence::Find);
  connect(search, &QAction::triggered, this, [this] { MenuChercherClick(); });

  // The text panel's choices: the whole text or the extracts of the
  // selection, and the colours of words outside any selection.
  QMenu* view = menuBar()->addMenu("&" + Text(2006));
  view->setToolTipsVisible(true);
  QAction* wholeText = wholeText_ = AddCommand(view, ToQt(msg.message(721)), Gate::kText, true);
  wholeText->setCheckable(true);
  wholeText->setChecked(true);
  wholeText->setShortcut(QKeySequence(Qt::Key_F7));
  connect(wholeText, &QAction::toggled, this, [this](bool on) {
    if (on) {
      textView_->ColorationSyntaxique();
    } else {
      textView_->ColorationSelective();
    }
    textView_->Rewind();
    ImageTexte->update();
  });
  QAction* syntactic = syntactic_ = AddCommand(view, ToQt(msg.message(774)), Gate::kText, true);
  syntactic->setCheckable(true);
  syntactic->setChecked(!engine_->record().selectiveColoration());
  syntactic->setShortcut(QKeySequence(Qt::Key_F6));
  connect(syntactic, &QAction::toggled, this, [this](bool on) {
    engine_->record().setSelectiveColoration(!on);
    if (dlgCouleurs_ != nullptr && dlgCouleurs_->isVisible()) dlgCouleurs_->ShowList();
    ImageTexte->update();
  });
  MenuOptionsCouleurs = AddCommand(view, "&" + Text(543) + "...", Gate::kAlways, true);
  connect(MenuOptionsCouleurs, &QAction::triggered, this, [this] { MenuOptionsCouleursClick(); });
  view->addSeparator();
  MenuContexte = AddCommand(view, Text(387) + "...", Gate::kText, true);
  connect(MenuContexte, &QAction::triggered, this, [this] { MenuContexteClick(); });
  QAction* viewEpisodes = AddCommand(view, Text(564), Gate::kEpisodes, true);
  connect(viewEpisodes, &QAction::triggered, this, [this] { MenuEpisodesClick(); });

  // The result functions, by their place in the function list, and the
  // order of the result list.
  QMenu* results = menuBar()->addMenu("&" + Text(656));
  results->setToolTipsVisible(true);
  struct ResultCommand {
    QAction** action;
    int position;
    int title;
    QKeySequence key;
  };
  const ResultCommand resultCommands[] = {
      {&MenuStyleGeneral, ResultFunctionTable::kTextStyle, 304, QKeySequence(Qt::CTRL | Qt::Key_1)},
      {&MenuUnivers1, ResultFunctionTable::kReferenceFields1, 307, QKeySequence(Qt::CTRL | Qt::Key_2)},
      {&MenuUnivers2, ResultFunctionTable::kReferenceFields2, 308, QKeySequence(Qt::CTRL | Qt::Key_3)},
      {&MenuUnivers3, ResultFunctionTable::kReferences, 300, QKeySequence(Qt::CTRL | Qt::Key_4)},
      {&MenuAfficheScenario, ResultFunctionTable::kScenario, 309, QKeySequence(Qt::CTRL | Qt::Key_5)},
      {&MenuRelations, ResultFunctionTable::kRelations, 390, QKeySequence(Qt::CTRL | Qt::Key_6)},
      {&MenuCategFrequentes, ResultFunctionTable::kFrequentCategories, 302, QKeySequence(Qt::CTRL | Qt::Key_7)},
      {&MenuToutesCategories, ResultFunctionTable::kAllCategories, 303, QKeySequence(Qt::CTRL | Qt::Key_8)},
      {&MenuLemmesVerbes, ResultFunctionTable::kVerbs, 845, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V)},
      {&MenuLemmesAdjectifs, ResultFunctionTable::kAdjectives, 848, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A)},
      {&MenuLemmesSubstantifs, ResultFunctionTable::kSubstantives, 852,
       QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
  };
  for (const ResultCommand& c : resultCommands) {
    *c.action = AddCommand(results, Text(c.title), Gate::kText, true);
    (*c.action)->setShortcut(c.key);
    const int position = c.position;
    connect(*c.action, &QAction::triggered, this, [this, position] { ChooseResultFunction(position); });
  }
  MenuEpisodes = AddCommand(results, Text(564), Gate::kEpisodes, true);
  MenuEpisodes->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
  connect(MenuEpisodes, &QAction::triggered, this, [this] { MenuEpisodesClick(); });
  results->addSeparator();
  MenuTriResultatsAlphabetique = AddCommand(results, Text(2024), Gate::kText, true);
  MenuTriResultatsAlphabetique->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
  connect(MenuTriResultatsAlphabetique, &QAction::triggered, this,
          [this] { ResultPanel->PopupTriAlpha->trigger(); });
  MenuTriFrequence = AddCommand(results, Text(2025), Gate::kText, true);
  MenuTriFrequence->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_F));
  connect(MenuTriFrequence, &QAction::triggered, this, [this] { ResultPanel->PopupTriFrequence->trigger(); });

  QMenu* graphs = menuBar()->addMenu("&" + Text(727));
  graphs->setToolTipsVisible(true);
  QAction* star = MenuGrapheEtoile = AddCommand(graphs, "&" + Text(2004), Gate::kText, true);
  QAction* areas = MenuGrapheAires = AddCommand(graphs, "&" + Text(1156), Gate::kText, true);
  QAction* distribution = MenuGrapheRepartition = AddCommand(graphs, "&" + Text(2005), Gate::kText, true);
  QAction* bundles = MenuGrapheRafales = AddCommand(graphs, "&" + Text(570), Gate::kText, true);
  QAction* actors = MenuGrapheActeurs = AddCommand(graphs, "A&" + Text(1245).mid(1), Gate::kText, true);
  const std::pair<QAction*, int> graphTypes[] = {
      {star, kGraphStar}, {areas, kGraphAreas}, {distribution, kGraphDistribution},
      {bundles, kGraphEpisodes}, {actors, kGraphActors}};
  for (const auto& [action, type] : graphTypes) {
    const int t = type;
    connect(action, &QAction::triggered, this, [this, t] { GraphPanel->ToolButtonGraphe(t); });
  }
  graphs->addSeparator();
  MenuOptionsGraphes = AddCommand(graphs, "&" + Text(620) + "...", Gate::kAlways, true);
  connect(MenuOptionsGraphes, &QAction::triggered, this, [this] { MenuOptionsGraphesClick(); });

  QMenu* tools = menuBar()->addMenu("&" + Text(2007));
  tools->setToolTipsVisible(true);
  MenuScenario = AddCommand(tools, "&" + Text(309) + "...", Gate::kAlways, true);
  MenuScenario->setShortcut(QKeySequence(Qt::Key_F9));
  connect(MenuScenario, &QAction::triggered, this, [this] { MenuScenarioClick(); });
  MenuDelimiteurs = AddCommand(tools, "&" + Text(574) + "...", Gate::kAlways, true);
  connect(MenuDelimiteurs, &QAction::triggered, this, [this] { MenuDelimiteursClick(); });
  QAction* terminology = MenuExtractionTerminologique = AddCommand(tools, "&" + Text(1236) + "...", Gate::kText, true);
  connect(terminology, &QAction::triggered, this, [this] { MenuExtractionTerminologiqueClick(); });
  CreateExternalTools(tools);
  tools->addSeparator();
  MenuOptionsAnalyse = AddCommand(tools, "&" + Text(620) + "...", Gate::kAlways, true);
  connect(MenuOptionsAnalyse, &QAction::triggered, this, [this] { OptionsdAnalyseClick(); });
  MenuOptionsGenerales = AddCommand(tools, "&" + Text(844) + "...", Gate::kAlways, true);
  connect(MenuOptionsGenerales, &QAction::triggered, this, [this] { MenuOptionsGeneralesClick(); });

  QMenu* help = menuBar()->addMenu("&" + Text(616));
  QAction* about = help->addAction("&" + Text(2015));
  connect(about, &QAction::triggered, this, [this] { QMessageBox::about(this, windowTitle(), Text(2016)); });

  for (QAction* a : {MenuOuvrir, MenuFermer, MenuRelancer, print, copyText, search}) toolbar->addAction(a);
  toolbar->addSeparator();
  for (QAction* a : {star, areas, distribution, bundles, actors, terminology}) toolbar->addAction(a);
  ToolButtonChercherDsScenario = new QAction(Text(2048), this);
  commands_.push_back(Command{ToolButtonChercherDsScenario, Gate::kText, true});
  connect(ToolButtonChercherDsScenario, &QAction::triggered, this, [this] { ToolButtonChercherDsScenarioClick(); });
  toolbar->addSeparator();
  toolbar->addAction(ToolButtonChercherDsScenario);
}

// -------------------------------------- graph and colour options, pop-ups

void TApdEditForm::RazAffichageEtGraphe() {
  // The coloration may have been chosen in the colours dialog: the View
  // menu says what the settings now hold.
  if (syntactic_ != nullptr) {
    const QSignalBlocker quiet(syntactic_);
    syntactic_->setChecked(!engine_->record().selectiveColoration());
  }
  ImageTexte->update();
  Q_EMIT displayChanged();
}

void TApdEditForm::MenuOptionsGraphesClick() {
  if (dlgOptionsGraphes_ == nullptr) {
    optionsGraphesModel_ =
        std::make_unique<TDlgOptionsGraphesModel>(engine_->record(), [this] { RazAffichageEtGraphe(); });
    dlgOptionsGraphes_ = new TDlgOptionsGraphes(*optionsGraphesModel_, engine_->messages(), this);
  }
  dlgOptionsGraphes_->Open();
}

void TApdEditForm::MenuOptionsCouleursClick() {
  if (dlgCouleurs_ == nullptr) {
    couleursModel_ = std::make_unique<TDlgCouleursModel>(engine_->record(), [this] { RazAffichageEtGraphe(); });
    dlgCouleurs_ = new TDlgCouleurs(*couleursModel_, engine_->messages(), this);
  }
  dlgCouleurs_->Open();
}

void TApdEditForm::CreateTextPopup() {
  PopupMenuImageTexte = new QMenu(ImageTexte);
  PopupMenuImageTexte->setToolTipsVisible(true);
  PopupImageTexteCopier = PopupMenuImageTexte->addAction(Text(579) + "...");
  PopupImageTexteChercher = PopupMenuImageTexte->addAction(Text(520) + "...");
  PopupImageTexteContexte = PopupMenuImageTexte->addAction(Text(387) + "...");
  PopupMenuImageTexte->addSeparator();
  PopupImageTexteCopierDsScenario = PopupMenuImageTexte->addAction(Text(524));
  PopupImageTexteInsererDsScenario = PopupMenuImageTexte->addAction(Text(525));
  PopupMenuImageTexte->addSeparator();
  PopupImageTexteCouleurs = PopupMenuImageTexte->addAction(Text(543) + "...");
  // Search: the word under the mouse in the word search window.
  connect(PopupImageTexteChercher, &QAction::triggered, this, [this] {
    TextViewHit hit;
    if (textView_ == nullptr || !textView_->WordAt(textPopupAt_.x(), textPopupAt_.y(), hit) || hit.kind == 1) {
      MenuChercherClick();
      return;
    }
    WordStream& stream = engine_->stream();
    WordNode* const kept = stream.Current();
    stream.SeekPosition(hit.position);
    const WordNode* node = stream.Current();
    const std::string word = node != nullptr && node->text != nullptr && node != stream.Tail() ? node->text : "";
    stream.SetCurrent(kept);
    if (word.empty() || word == "/") {
      MenuChercherClick();
    } else {
      wordSearch_->SearchWord(word);
    }
  });
  connect(PopupImageTexteCopier, &QAction::triggered, this, [this] { CopyTextOf(pointer_->Position()); });
  connect(PopupImageTexteContexte, &QAction::triggered, this, [this] { ShowContextOf(pointer_->Position()); });
  connect(PopupImageTexteCouleurs, &QAction::triggered, this, [this] { MenuOptionsCouleursClick(); });
  connect(PopupMenuImageTexte, &QMenu::aboutToShow, this, [this] { PopupMenuImageTextePopup(); });
  ImageTexte->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ImageTexte, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    textPopupAt_ = at;
    PopupMenuImageTexte->popup(ImageTexte->mapToGlobal(at));
  });

  PopupResultatsCopier = new QAction(Text(579), this);
  connect(PopupResultatsCopier, &QAction::triggered, this, [this] { CopyResultatsDsClipBrdClick(); });
  ResultPanel->ListBoxModItems->addAction(PopupResultatsCopier);

  // The scenario commands of the result list; their items are set each
  // time the pop-up opens (see eventFilter).
  QListWidget* list = ResultPanel->ListBoxModItems;
  auto* separator = new QAction(this);
  separator->setSeparator(true);
  list->addAction(separator);
  PopupResultatsAjouter1 = new QAction(Text(741), this);
  PopupResultatsInserer1 = new QAction(Text(622), this);
  PopupResultatDbClick1 = new QAction(Text(2048), this);
  PopupResultatsOuvrirScenario = new QAction(Text(309) + "...", this);
  PopupResultatsChercher = new QAction(Text(520) + "...", this);
  connect(PopupResultatsChercher, &QAction::triggered, this, [this] {
    // Search the item: the chosen result's text searched in the window.
    if (!resultsShown_ || model_->closing()) return;
    ResultKind kind = ResultKind::kNone;
    std::string group;
    const std::string text = CurrentResultItem(kind, group);
    if (!text.empty()) wordSearch_->SearchWord(text.substr(0, 80));
  });
  for (QAction* a : {PopupResultatsAjouter1, PopupResultatsInserer1, PopupResultatDbClick1,
                     PopupResultatsOuvrirScenario, PopupResultatsChercher})
    list->addAction(a);
  connect(PopupResultatsAjouter1, &QAction::triggered, this, [this] { PopupResultatsAjouterOuInserer(false); });
  connect(PopupResultatsInserer1, &QAction::triggered, this, [this] { PopupResultatsAjouterOuInserer(true); });
  connect(PopupResultatDbClick1, &QAction::triggered, this, [this] { ListBoxModItemsDblClick(); });
  connect(PopupResultatsOuvrirScenario, &QAction::triggered, this, [this] { MenuScenarioClick(); });
  connect(list, &QListWidget::itemDoubleClicked, this, [this] { ListBoxModItemsDblClick(); });
  list->installEventFilter(this);
  list->viewport()->installEventFilter(this);
  PopupMenuResultatsPopup();

  connect(PopupImageTexteCopierDsScenario, &QAction::triggered, this,
          [this] { TextWordIntoScenario(textPopupAt_, false); });
  connect(PopupImageTexteInsererDsScenario, &QAction::triggered, this,
          [this] { TextWordIntoScenario(textPopupAt_, true); });
  ImageTexte->installEventFilter(this);
  PopupMenuImageTextePopup();
}

// The word the text commands act on: the one under the mouse last, or the
// first of the page; 0 while no text is shown.
namespace {
int32_t WordOrPage(int32_t position, const TExtraitDuTexte* view) {
  if (view == nullptr) return 0;
  if (position > 0) return position;
  return view->FirstPositionShown();
}
}  // namespace

void TApdEditForm::MenuContexteClick() { ShowContextOf(pointer_ != nullptr ? pointer_->Position() : 0); }

void TApdEditForm::ShowContextOf(int32_t position) {
  if (!resultsShown_ || analysing_ || ImageTexte->view() == nullptr) return;
  position = WordOrPage(position, textView_.get());
  if (position <= 0) return;
  if (contexte_ == nullptr) {
    contexte_ = new TFormContexte(engine_->stream(), selection_, engine_->record(), engine_->files(),
                                  engine_->messages(), this);
    contexte_->makeMainText = [this](const std::string& path) {
      model_->SetCurrentFile(path);
      model_->CmOuvrir(true, false);
    };
    contexte_->copyText = [this](int32_t p) { CopyTextOf(p); };
  }
  contexte_->ShowContextOf(position);
}

void TApdEditForm::CopyTexteDsClipBrdClick() { CopyTextOf(pointer_ != nullptr ? pointer_->Position() : 0); }

void TApdEditForm::CopyTextOf(int32_t position) {
  if (!resultsShown_ || analysing_ || ImageTexte->view() == nullptr) return;
  if (copierTexte_ == nullptr) copierTexte_ = new TFormCopierTexte(engine_->messages(), this);
  TExtraitDuTexte* extract = nullptr;
  if (textView_->Extract()) {
    copyExtractView_ = std::make_unique<TExtraitDuTexte>(engine_->stream(), selection_, engine_->record());
    extract = copyExtractView_.get();
  }
  copierTexte_->Load(engine_->stream(), WordOrPage(position, textView_.get()), extract, &selection_);
}

void TApdEditForm::PopupMenuImageTextePopup() {
  ToolWindows tools;
  tools.copyTextDialog = true;
  tools.wordSearch = true;
  tools.contextWindow = true;
  tools.scenarioEditorOpen = ScenarioEditorOpen();
  const TextPopupItems items = malvex::PopupMenuImageTextePopup(tools, model_->closing());
  PopupImageTexteCopier->setEnabled(items.copy);
  PopupImageTexteChercher->setEnabled(items.search);
  PopupImageTexteContexte->setEnabled(items.context);
  PopupImageTexteCopierDsScenario->setEnabled(items.copyIntoScenario);
  PopupImageTexteInsererDsScenario->setEnabled(items.insertIntoScenario);
  PopupImageTexteCouleurs->setEnabled(items.colours);
}

namespace {

// The system clipboard; a text it does not give back was not taken.
class QtClipboardText : public ClipboardText {
 public:
  bool SetText(const std::string& text) override {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (clipboard == nullptr) return false;
    const QString shown = ToQt(text);
    clipboard->setText(shown);
    return clipboard->text() == shown;
  }
};

}  // namespace

void TApdEditForm::CopyResultatsDsClipBrdClick() {
  if (results_ == nullptr || !results_->Analysed()) return;
  std::vector<std::string> lines;
  for (const ResultLine& line : results_->items().lines()) lines.push_back(line.text);
  QtClipboardText clipboard;
  statusBar()->showMessage(ToQt(malvex::CopyResultatsDsClipBrd(lines, clipboard, engine_->messages())));
}

void TApdEditForm::EnableCommandDuMenu(bool enabled) {
  AnalysisContext* analysis = engine_->analysis();
  const bool episodesFound = analysis != nullptr && !analysis->chronology().episodes.empty() &&
                             !analysis->chronology().characteristicParts.empty();
  const MenuState state = MenuStateFor(enabled, episodesFound);
  for (const Command& c : commands_) {
    bool on = c.available;
    if (c.gate == Gate::kText) on = on && state.textCommands;
    if (c.gate == Gate::kEpisodes) on = on && state.episodes;
    c.action->setEnabled(on);
  }
  resultsShown_ = enabled;
  if (PageControl == nullptr) return;
  PageControl->setTabVisible(PageControl->indexOf(TabSheetResultats), state.resultsPage);
  PageControl->setTabText(PageControl->indexOf(TabSheetExplication), Text(state.explanationTitleId));
  PageControl->setCurrentWidget(state.resultsPage ? TabSheetResultats : TabSheetExplication);
  // The splitter gives a hidden panel's room to the pages: the widths the
  // user left are kept while the panels are hidden and given back.
  if (!state.panels && ImageTexte->isVisible()) resultsPanelWidth_ = Splitter->sizes().value(0);
  ImageTexte->setVisible(state.panels);
  SplitterTexteGraphe->setVisible(state.panels);
  if (state.panels) {
    const QList<int> sizes = Splitter->sizes();
    const int total = std::max(sizes.value(0) + sizes.value(1), Splitter->width());
    const int left = std::min(resultsPanelWidth_, total / 2);
    Splitter->setSizes({left, total - left});
    Splitter->refresh();
    // The graph takes half the window's height less 20 when it has no room
    // of its own yet.
    if (GraphPanel->ImageGraphe->height() < kGraphPanelSqueezedBelow) SetGraphPanelHeight(height() / 2 - 20);
  }
}

void TApdEditForm::ChooseResultFunction(int position) {
  if (!resultsShown_ || results_ == nullptr) return;
  PageControl->setCurrentWidget(TabSheetResultats);
  ResultPanel->ListBoxFonctionsClick(position);
}

void TApdEditForm::MenuEpisodesClick() { ChooseResultFunction(ResultFunctionTable::kFirstEpisode); }

void TApdEditForm::AppliquerHistoFichierSurMenu() {
  if (fileMenu_ == nullptr) return;
  for (QAction* a : MenuHistoFichier) a->setVisible(false);
  const std::vector<FileHistory::MenuItem> items = model_->history().MenuItems();
  for (const FileHistory::MenuItem& item : items) {
    QAction* a = MenuHistoFichier[item.slot - 1];
    QString shown = QString::fromStdString(item.path);
    shown.replace('&', "&&");
    a->setText(QString("&%1 %2").arg(item.slot).arg(shown));
    a->setVisible(true);
  }
  historySeparator_->setVisible(!items.empty());
}

QStringList TApdEditForm::OpenNameFilters() {
  QStringList filters;
  for (const OpenFilter& f : OpenFilters()) {
    filters << ToQt(NameFilter(engine_->messages().message(f.messageId), f));
  }
  return filters;
}

void TApdEditForm::FileOpen1Execute() {
  if (model_->Busy()) return;
  statusBar()->showMessage(Text(170));
  QStringList files;
  int filter = 0;
  const QString folder = QString::fromStdString(engine_->folders().text);
  const bool chosen = openDialog_(OpenNameFilters(), model_->InitialFilter(), folder, files, filter);
  statusBar()->clearMessage();
  if (chosen) model_->FileOpen1Execute(ToPaths(files), filter);
}

bool TApdEditForm::AnalyserLeTexte(const QStringList& files) { return model_->OpenCorpus(ToPaths(files)); }

void TApdEditForm::ShowSummary() {
  statusBar()->showMessage(QString("%1 %2, %3 %4")
                               .arg(engine_->files().Count())
                               .arg(Text(2020))
                               .arg(engine_->stream().HighestPosition())
                               .arg(Text(2021)));
}

void TApdEditForm::ShowPointer(const TextPointerInfo& info) {
  switch (info.change) {
    case TextPointerInfo::Change::kNone:
      break;
    case TextPointerInfo::Change::kCleared:
      ImageTexte->setToolTip(QString());
      break;
    case TextPointerInfo::Change::kMarker:
      statusBar()->showMessage(ToQt(info.statusText));
      break;
    case TextPointerInfo::Change::kWord:
      StatusPosition->setText(ToQt(info.positionText));
      statusBar()->showMessage(ToQt(info.statusText));
      break;
  }
}

void TApdEditForm::FilesListChanged() {
  const FilesList& list = model_->filesList();
  ListBoxFichiersOuverts->blockSignals(true);
  ListBoxFichiersOuverts->clear();
  for (const std::string& p : list.entries()) ListBoxFichiersOuverts->addItem(QString::fromStdString(p));
  ListBoxFichiersOuverts->setCurrentRow(list.selected());
  ListBoxFichiersOuverts->blockSignals(false);
  ButtonListeFichiersSupprimer->setEnabled(list.selected() >= 0);
  ButtonListeFichiersOuvrir->setEnabled(list.selected() >= 0);
  ButtonListeFichiersTrier->setEnabled(list.Count() > 1);
  ButtonListeFichiersAnalyser->setEnabled(list.AnalyzeEnabled());
}

void TApdEditForm::ButtonListeFichiersAjouterClick() {
  QStringList files;
  int filter = 0;
  const QString folder = QString::fromStdString(engine_->folders().text);
  if (!openDialog_(OpenNameFilters(), model_->InitialFilter(), folder, files, filter)) return;
  model_->filesList().Add(ToPaths(files));
  FilesListChanged();
}

void TApdEditForm::ButtonListeFichiersOuvrirClick() {
  const FilesList& list = model_->filesList();
  if (list.selected() < 0 || model_->Busy()) return;
  model_->SetCurrentFile(list.entries()[static_cast<size_t>(list.selected())]);
  model_->CmOuvrir(true, false);
}

void TApdEditForm::MenuNouvelleFenetreClick() {
  engine_->settings().SaveSettings();
  QProcess::startDetached(QCoreApplication::applicationFilePath(), QStringList());
}

bool TApdEditForm::AppliquerLigneDeCommande(const CommandLine& commandLine) {
  if (commandLine.Failed()) {
    Messages& msg = engine_->messages();
    msg.errorBox(CommandLineErrorText(msg, commandLine.errors.front()));
    return false;
  }
  commandLine_ = commandLine;
  // The scenario named with -s replaces the one the settings named, for
  // this analysis and the ones after it.
  if (commandLine.scenarioGiven) LoadScenario(ScenarioFileFromOption(commandLine.scenario));
  if (commandLine.displayRequested) pending_.entries[0] = commandLine.request;
  return true;
}

void TApdEditForm::AnalyserFichierDeLaLigneDeCommande() {
  if (!commandLine_.fileGiven) return;
  std::vector<std::string> files;
  if (!commandLine_.listMode) {
    files.push_back(commandLine_.file);
  } else if (!ReadFileList(commandLine_.file, files) || files.empty()) {
    ShowError(18);
  }
  commandLine_.fileGiven = false;
  commandLine_.listMode = false;
  if (!files.empty()) AnalyseFiles(files, true);
}

void TApdEditForm::WmCopyData(const QByteArray& payload) {
  ActOnExternalRequest(std::string_view(payload.constData(), static_cast<size_t>(payload.size())), *this);
}

// ------------------------------------------------------------ RequestTarget

bool TApdEditForm::Busy() { return model_->Busy(); }

void TApdEditForm::ShowError(int messageId) {
  Messages& msg = engine_->messages();
  msg.errorBox(msg.message(messageId));
}

void TApdEditForm::RestoreAndFocus() {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void TApdEditForm::CloseCurrentText() { CloseTextView(); }

std::string TApdEditForm::CurrentScenario() { return engine_->record().scenarioFile(); }

void TApdEditForm::LoadScenario(const std::string& name) {
  // The scenario is read from its folder by name and applied at once: the
  // analysis that follows classifies with its groups. A file that cannot
  // be read is reported (message 4) and leaves no Scenario; entries the
  // dictionaries cannot take are kept as the layer's anomalies.
  engine_->record().setScenarioFile(name);
  engine_->currentScenario().LoadCurrentScenario();
}

void TApdEditForm::AnalyseFiles(const std::vector<std::string>& files, bool addToHistory) {
  if (files.size() == 1) {
    model_->SetCurrentFile(files.front());
    model_->CmOuvrir(addToHistory, false);
  } else {
    model_->OpenCorpus(files);
  }
}

// ---------------------------------------------------------- MainWindowHost

bool TApdEditForm::AnalysisRunning() { return analysing_ || engine_->run().running; }

bool TApdEditForm::PdfConverterInstalled() { return engine_->converters().Available(ConverterKind::kPdf); }

void TApdEditForm::OpenAnalysisOptions() {
  // A PDF file was refused because its conversion is off: the dialog
  // opens on its Conversions page.
  analysisMarks_.pdfRefused = true;
  OptionsdAnalyseClick();
}

void TApdEditForm::OptionsdAnalyseClick() {
  if (AnalysisRunning()) return;
  const DocumentConverters& converters = engine_->converters();
  TOptionsAnalyseModel model(engine_->record(), engine_->messages(), analysisMarks_,
                             PdfRoute{converters.Available(ConverterKind::kPdf), converters.AnyAvailable()});
  {
    TOptionsAnalyse dialog(model, engine_->messages(), this);
    dialog.exec();
  }
  analysisMarks_.pdfRefused = false;
  if (model.reanalysisNeeded() && model_->HasAnalysed() && resultsShown_) model_->ReLancerAnalyse();
}

// -------------------------------------------------------- external tools

namespace {

class QtProcessStarter : public ProcessStarter {
 public:
  bool Start(const std::string& program, const std::vector<std::string>& arguments) override {
    QStringList args;
    for (const std::string& a : arguments) args << QString::fromLocal8Bit(a.data(), static_cast<int>(a.size()));
    return QProcess::startDetached(QString::fromLocal8Bit(program.data(), static_cast<int>(program.size())), args);
  }
};

constexpr int kMsgUnknownPlugin = 2109;
constexpr int kMsgCompanionLabels[kCompanions] = {2110, 2111, 2112, 2113};

}  // namespace

void TApdEditForm::CreateExternalTools(QMenu* tools) {
  processStarter_ = std::make_unique<QtProcessStarter>();
  const char* path = std::getenv("PATH");
  externalTools_ = std::make_unique<ExternalTools>(*processStarter_, path != nullptr ? path : "");
  Registry user(registryPath_);
  user.Load();
  const char* configDirs = std::getenv("XDG_CONFIG_DIRS");
  const std::string machinePath = MachineRegistryPath(configDirs != nullptr ? configDirs : "");
  std::unique_ptr<Registry> machine;
  if (!machinePath.empty()) {
    machine = std::make_unique<Registry>(machinePath);
    if (!machine->Load()) machine.reset();
  }
  externalTools_->Discover(user, machine.get(), engine_->messages().message(kMsgUnknownPlugin),
                           engine_->settings().language().dictCode);
  const ExternalTools& found = *externalTools_;

  // The separator shows when a plug-in or companion was found.
  tools->addSeparator()->setVisible(found.AnyFound());
  for (int n = 0; n < kPluginSlots; ++n) {
    const PluginSlot& slot = found.plugins()[n];
    // A registered label is shown as written, its '&' included.
    QAction* a = MenuOutilsPlugin[n] = tools->addAction(slot.inUse() ? ToQt(slot.label).replace('&', "&&") : QString());
    a->setVisible(slot.inUse());
    connect(a, &QAction::triggered, this, [this, n] { EffectuerActionDuPlugin(n + 1); });
  }
  QAction* surveySeparator = nullptr;
  for (int k = 0; k < kCompanions; ++k) {
    const Companion kind = static_cast<Companion>(k);
    const CompanionProgram& c = found.companion(kind);
    if (kind == Companion::kSurvey) surveySeparator = tools->addSeparator();
    if (kind == Companion::kSiblingTool) tools->addSeparator()->setVisible(false);
    QString label;
    if (c.found()) label = c.label.empty() ? Text(kMsgCompanionLabels[k]) + "..." : ToQt(c.label).replace('&', "&&");
    QAction* a = MenuOutilsCompagnon[k] = tools->addAction(label);
    a->setVisible(c.found());
    connect(a, &QAction::triggered, this, [this, kind] { MenuOutilsCompagnonClick(kind); });
  }
  surveySeparator->setVisible(found.AnySurvey());
}

void TApdEditForm::EffectuerActionDuPlugin(int number) {
  const int failure = externalTools_->StartPlugin(number);
  if (failure != 0) engine_->messages().errorBox(engine_->messages().message(failure));
}

void TApdEditForm::MenuOutilsCompagnonClick(Companion kind) {
  std::vector<std::string> lines;
  if (results_ != nullptr && results_->Analysed() && resultsShown_) {
    for (const ResultLine& line : results_->items().lines()) lines.push_back(line.text);
  }
  // The file is named after the program: the title's first two letters.
  QString prefix = QCoreApplication::applicationName().left(2);
  if (prefix.size() < 2) prefix = "Ma";
  const int failure = externalTools_->StartCompanion(kind, lines, TemporaryFolder(), prefix.toStdString());
  if (failure != 0) engine_->messages().errorBox(engine_->messages().message(failure));
}

// ------------------------------------------------------- general options

void TApdEditForm::MenuOptionsGeneralesClick(bool scenarioPage) {
  if (dlgOptionsGenerales_ != nullptr) return;
  Settings& settings = engine_->settings();
  const Folders& folders = settings.folders();
  // Without a user folder (single-user use) the settings live beside the
  // program: that folder is the user's.
  std::string userFolder = folders.user;
  if (userFolder.empty()) userFolder = QFileInfo(QString::fromStdString(folders.settingsPath)).path().toStdString();
  TDlgOptionsGeneralesModel model(engine_->record(), engine_->messages(), *this, folders.scenario, userFolder);
  {
    TDlgOptionsGenerales dialog(model, engine_->messages(), scenarioPage, this);
    dlgOptionsGenerales_ = &dialog;
    dialog.exec();
    dlgOptionsGenerales_ = nullptr;
  }
  // The tool dialogs opened from it stay, no longer modal.
  for (QDialog* d : {static_cast<QDialog*>(dlgOptionsGraphes_), static_cast<QDialog*>(dlgCouleurs_)}) {
    if (d != nullptr && d->windowModality() != Qt::NonModal) {
      const bool shown = d->isVisible();
      d->hide();
      d->setWindowModality(Qt::NonModal);
      if (shown) d->show();
    }
  }
  if (closeAfterOptions_) {
    closeAfterOptions_ = false;
    close();
  }
}

void TApdEditForm::OpenAboveModal(QDialog* dialog) {
  if (dialog == nullptr || dlgOptionsGenerales_ == nullptr) return;
  // A window opened while a modal one runs gets no input unless it is
  // modal itself.
  dialog->hide();
  dialog->setWindowModality(Qt::ApplicationModal);
  dialog->show();
  dialog->raise();
}

void TApdEditForm::OpenGraphOptions() {
  MenuOptionsGraphesClick();
  OpenAboveModal(dlgOptionsGraphes_);
}

void TApdEditForm::OpenColours() {
  MenuOptionsCouleursClick();
  OpenAboveModal(dlgCouleurs_);
}

void TApdEditForm::ShowFolder(const std::string& folder) {
  const QString path = QString::fromStdString(folder);
  if (folderBrowser_) {
    folderBrowser_(path);
  } else {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
  }
}

void TApdEditForm::RunSetupWizard() { engine_->settings().SetupUserFolder(true); }

void TApdEditForm::CloseProgram() {
  // The window closes once the dialog has: through its ordinary close,
  // which stops the engine and saves the settings.
  closeAfterOptions_ = true;
  if (dlgOptionsGenerales_ != nullptr) dlgOptionsGenerales_->reject();
}

void TApdEditForm::CloseTextView() {
  if (AnalysisRunning()) return;
  // The panel must not draw the stream while it is emptied or refilled.
  ImageTexte->SetView(nullptr, nullptr);
  if (results_ != nullptr) results_->Clear();
  ResultPanel->Refresh();
  // The context window holds nodes of the stream about to be emptied.
  if (contexte_ != nullptr) contexte_->Forget();
  copyExtractView_.reset();
  Q_EMIT textClosing();
  engine_->ReleaseAnalysis(true);
  StatusPosition->clear();
  if (resultsShown_) EnableCommandDuMenu(false);
}

void TApdEditForm::ClearFiles() { engine_->files().Clear(); }

bool TApdEditForm::PushFile(const std::string& path) { return engine_->files().Add(path); }

bool TApdEditForm::RunAnalysis() {
  if (AnalysisRunning() || closeAfterRun_) return false;
  analysing_ = true;
  // The run frees the analysis the graph reads.
  GraphPanel->AnalysisClosing();
  const bool ok = engine_->RunAnalysis(1);
  analysing_ = false;
  if (closeAfterRun_) {
    // The window was closed during the run: it closes now that the engine
    // is back at rest.
    QTimer::singleShot(0, this, &QWidget::close);
    return ok;
  }
  results_->AnalysisDone();
  GraphPanel->AnalysisDone();
  EnableCommandDuMenu(ok);
  ImageTexte->SetView(textView_.get(), pointer_.get());
  ShowSummary();
  // The expressions of the command line or of a request, once shown, are
  // consumed.
  if (ok) results_->ShowPendingExpressions(pending_);
  ResultPanel->Refresh();
  Q_EMIT analysisDone(ok);
  return ok;
}

void TApdEditForm::SetCurrentFolder(const std::string& folder) { malvex::SetCurrentFolder(folder); }

void TApdEditForm::HistoryChanged() { AppliquerHistoFichierSurMenu(); }

// ------------------------------------------------------ showing and closing

void TApdEditForm::SaveGeometry() {
  Registry registry(registryPath_);
  registry.Load();
  const std::string key = WindowRegistryKey(engine_->settings().language());
  registry.Set(key, "Geometry", saveGeometry().toBase64().toStdString());
  if (Splitter != nullptr) {
    const int width = ImageTexte->isVisible() ? Splitter->sizes().value(0) : resultsPanelWidth_;
    registry.Set(key, "ResultsPanelWidth", std::to_string(width));
  }
  registry.Save();
}

bool TApdEditForm::RestoreGeometry() {
  Registry registry(registryPath_);
  if (!registry.Load()) return false;
  const std::string key = WindowRegistryKey(engine_->settings().language());
  std::string geometry, width;
  if (!registry.Get(key, "Geometry", geometry)) return false;
  if (!restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(geometry)))) return false;
  if (registry.Get(key, "ResultsPanelWidth", width)) {
    const int w = std::atoi(width.c_str());
    if (w >= 100) resultsPanelWidth_ = w;
  }
  return true;
}

void TApdEditForm::FormShow() {
  if (RestoreGeometry()) {
    show();
    SetGraphPanelHeight(height() / 2 - 20);
    return;
  }
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
  const WindowLayout layout = StartLayout(area.left(), area.top(), area.width(), area.height());
  setGeometry(layout.left, layout.top, layout.width, layout.height);
  resultsPanelWidth_ = layout.resultsPanelWidth;
  if (Splitter != nullptr) Splitter->setSizes({layout.resultsPanelWidth, layout.width - layout.resultsPanelWidth});
  SetGraphPanelHeight(layout.graphPanelHeight);
  if (engine_->record().openScenarioEditorAtStart()) {
    show();
  } else {
    showMaximized();
  }
}

void TApdEditForm::closeEvent(QCloseEvent* event) {
  if (AnalysisRunning()) {
    // The engine is inside a run (this event came through the gauge's
    // message pumping): ask the run to stop and close once it returned.
    closeAfterRun_ = true;
    engine_->run().stopRequested = true;
    event->ignore();
    return;
  }
  // The Scenario Tool closes first: it asks to save a changed scenario, and
  // a refusal to close (a failed save) keeps the program open.
  if (ScenarioEditorOpen() && !dlgScenario_->close()) {
    event->ignore();
    return;
  }
  // Borders edited and not saved: asked as when another file is opened
  // (Yes saves; a failed save keeps the program open).
  if (dlgDelimiteurs_ != nullptr && !dlgDelimiteurs_->model().ConfirmLeaving()) {
    event->ignore();
    return;
  }
  model_->SetClosing();
  if (EngineStarted()) SaveGeometry();
  ImageTexte->SetView(nullptr, nullptr);
  if (GraphPanel != nullptr) GraphPanel->AnalysisClosing();
  ResultPanel->SetModel(nullptr);
  if (!stopped_) {
    if (anomalies_ != nullptr) engine_->scenarioLayer().SetAnomalyListener(nullptr);
    engine_->StopEngine();
    stopped_ = true;
  }
  // The files handed to other programs go with the program.
  if (externalTools_ != nullptr) externalTools_->temporaryFiles().RemoveAll();
  event->accept();
}

void TApdEditForm::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && !model_->Busy()) event->acceptProposedAction();
}

void TApdEditForm::dropEvent(QDropEvent* event) {
  std::vector<std::string> paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths.push_back(QDir::cleanPath(url.toLocalFile()).toStdString());
  }
  if (paths.empty()) return;
  event->acceptProposedAction();
  model_->WmDropFiles(paths);
}

// ------------------------------------------------------------ the scenario

bool TApdEditForm::ScenarioEditorOpen() const { return dlgScenario_ != nullptr && dlgScenario_->isVisible(); }

void TApdEditForm::MenuScenarioClick() {
  if (scenarioEditor_ == nullptr) return;
  if (ScenarioEditorOpen()) {
    if (dlgScenario_->isMinimized()) dlgScenario_->showNormal();
    dlgScenario_->raise();
    dlgScenario_->activateWindow();
    return;
  }
  if (dlgScenario_ == nullptr) {
    dlgScenario_ = new TDlgScenario(*scenarioEditor_, *anomalies_, engine_->record(), engine_->messages(), this);
    dlgScenario_->SetFolderCommand([this] {
      QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(engine_->folders().scenario)));
    });
    dlgScenario_->SetOptionsCommand([this] { OptionsdAnalyseClick(); });
    dlgScenario_->SetCreateItemCommand([this](const std::string& text) { wordSearch_->ShowWord(text); });
    connect(dlgScenario_, &TDlgScenario::closed, this, [this] {
      PopupMenuImageTextePopup();
      wordSearch_->ScenarioChanged();
    });
  }
  // The editor sits at the right of the desktop: a maximised main window
  // would lie under it.
  if (isMaximized()) showNormal();
  dlgScenario_->Open();
  if (results_ != nullptr && results_->Analysed()) ImageTexte->update();
  PopupMenuImageTextePopup();
  // The anomalies of the last build, the start-up one included.
  ShowAnomalies();
}

void TApdEditForm::MenuExtractionTerminologiqueClick() {
  if (results_ == nullptr || !results_->Analysed()) return;
  if (dlgTerminology_ == nullptr) {
    terminologyHost_ = std::make_unique<MainWindowTerminologyHost>(*this);
    dlgTerminology_ = new TDlgExtracteurTerminologique(*engine_, *terminologyHost_, this);
  }
  dlgTerminology_->show();
  dlgTerminology_->raise();
  dlgTerminology_->activateWindow();
  dlgTerminology_->ButtonRetablirClick();
}

void TApdEditForm::ShowAnomalies() {
  if (anomalies_ == nullptr) return;
  if (dlgScenario_ != nullptr) dlgScenario_->RefreshTexts();
  if (!anomalies_->shouldShow()) {
    if (dlgAnomalies_ != nullptr) dlgAnomalies_->close();
    return;
  }
  // Shown with the editor: without it there is nothing to correct them in.
  if (!ScenarioEditorOpen()) return;
  if (dlgAnomalies_ == nullptr)
    dlgAnomalies_ = new TDlgAnomalieScen(*anomalies_, engine_->messages(), [this](int row) { SearchAnomaly(row); },
                                         this);
  dlgAnomalies_->ShowLines();
  dlgAnomalies_->show();
  dlgAnomalies_->raise();
}

void TApdEditForm::SearchAnomaly(int row) {
  if (!ScenarioEditorOpen()) {
    MenuScenarioClick();
    return;
  }
  if (row < 0) return;
  if (anomalies_->SearchLine(static_cast<size_t>(row), *scenarioEditor_) != nullptr) dlgScenario_->AfterCommand();
}

std::string TApdEditForm::CurrentResultItem(ResultKind& kind, std::string& groupName) {
  kind = ResultKind::kNone;
  groupName.clear();
  if (results_ == nullptr || !results_->Analysed()) return std::string();
  kind = results_->chosenFunction() >= 0 ? results_->chosenKind() : ResultKind::kNone;
  const int index = results_->chosenItem();
  const std::vector<ResultLine>& lines = results_->items().lines();
  if (index < 0 || static_cast<size_t>(index) >= lines.size()) return std::string();
  const ResultLine& line = lines[static_cast<size_t>(index)];
  if (kind == ResultKind::kScenario && line.item > 0)
    groupName = engine_->semanticDictionary().ClassName(4, static_cast<int32_t>(line.item));
  return ResultItemText(line.text);
}

void TApdEditForm::PopupMenuResultatsPopup() {
  ResultKind kind = ResultKind::kNone;
  std::string group;
  const bool item = !CurrentResultItem(kind, group).empty();
  const ResultPopupItems items = ResultPopupFor(kind, ScenarioEditorOpen(), item);
  ResultPanel->PopupTriAlpha->setVisible(items.sortItems);
  ResultPanel->PopupTriFrequence->setVisible(items.sortItems);
  ResultPanel->PopupMasquerBranches->setVisible(items.branchItems);
  ResultPanel->PopupDevelopperTout->setVisible(items.branchItems);
  PopupResultatsAjouter1->setVisible(items.add);
  PopupResultatsInserer1->setVisible(items.insert);
  PopupResultatDbClick1->setVisible(items.showInScenario);
  PopupResultatsOuvrirScenario->setVisible(items.openScenario);
  PopupResultatsChercher->setEnabled(item);
}

void TApdEditForm::MenuChercherClick() {
  if (model_->closing()) return;
  wordSearch_->Show();
}

void TApdEditForm::ShowScenarioGroup(int32_t group) {
  if (group <= 0 || results_ == nullptr || !results_->Analysed()) return;
  ChooseResultFunction(ResultFunctionTable::kScenario);
  const int index = results_->IndexOfItem(group);
  if (index >= 0) ResultPanel->ListBoxModItemsClick(index);
}

bool TApdEditForm::PopupResultatsAjouterOuInserer(bool insert) {
  if (!ScenarioEditorOpen() || model_->closing()) return false;
  ResultKind kind = ResultKind::kNone;
  std::string group;
  const std::string text = CurrentResultItem(kind, group);
  if (text.empty()) return false;
  SemanticDictionary& dictionary = engine_->semanticDictionary();
  const ScenarioRoute route = RouteResultToScenario(
      kind, insert, text, [&dictionary](const std::string& name) { return ClassLevelOfName(dictionary, name); });
  const bool done = ApplyScenarioRoute(*scenarioEditor_, route, text);
  dlgScenario_->AfterCommand();
  return done;
}

void TApdEditForm::ToolButtonChercherDsScenarioClick() {
  if (!ScenarioEditorOpen()) MenuScenarioClick();
  ListBoxModItemsDblClick();
}

bool TApdEditForm::ListBoxModItemsDblClick() {
  if (!ScenarioEditorOpen() || model_->closing() || results_ == nullptr || !results_->Analysed()) return false;
  ResultKind kind = ResultKind::kNone;
  std::string group;
  const std::string text = CurrentResultItem(kind, group);
  const std::string label = ScenarioLabelForResult(kind, text, group);
  if (label.empty()) return false;
  ScenarioNode* node = LocateInScenario(*scenarioEditor_, label);
  dlgScenario_->AfterCommand();
  dlgScenario_->raise();
  return node != nullptr;
}

QMimeData* TApdEditForm::ResultItemMime() {
  ResultKind kind = ResultKind::kNone;
  std::string group;
  const std::string text = CurrentResultItem(kind, group);
  if (text.empty() || kind == ResultKind::kNone) return nullptr;
  SemanticDictionary& dictionary = engine_->semanticDictionary();
  const ScenarioRoute route = RouteResultToScenario(
      kind, false, text, [&dictionary](const std::string& name) { return ClassLevelOfName(dictionary, name); });
  if (route.action == ScenarioRoute::Action::kNothing) return nullptr;
  return MakeScenarioItemMime(text, route.level, route.letter);
}

bool TApdEditForm::TextWordPending(const QPoint& at, std::string& text, char& letter, bool& plain) {
  if (results_ == nullptr || !results_->Analysed() || textView_ == nullptr) return false;
  TextViewHit hit;
  if (!textView_->WordAt(at.x(), at.y(), hit) || hit.kind == 1) return false;
  WordStream& stream = engine_->stream();
  WordNode* const kept = stream.Current();
  stream.SeekPosition(hit.position);
  const WordNode* node = stream.Current();
  std::string word = node != nullptr && node->text != nullptr ? node->text : "";
  const uint32_t lemma = node != nullptr ? node->lemma : 0;
  stream.SetCurrent(kept);
  if (word.empty() || word == "/") return false;
  const char* verb = nullptr;
  const char* adjective = nullptr;
  if (lemma != 0 && hit.category.category == kClassVerb && engine_->verbLemmas() != nullptr)
    verb = engine_->verbLemmas()->LemmaText(lemma);
  if (lemma != 0 && hit.category.category == kClassAdjective && engine_->adjectiveLemmas() != nullptr)
    adjective = engine_->adjectiveLemmas()->LemmaText(lemma);
  const malvex::TextWordPending pending = PendingForTextWord(word, hit.category.category, verb, adjective,
                                                             engine_->record().scenarioOnAllCategories());
  text = pending.text;
  letter = pending.letter;
  plain = pending.unusedCategory;
  return !text.empty();
}

bool TApdEditForm::TextWordIntoScenario(const QPoint& at, bool insert) {
  if (!ScenarioEditorOpen() || model_->closing()) return false;
  std::string text;
  char letter = '?';
  bool plain = false;
  if (!TextWordPending(at, text, letter, plain)) return false;
  const bool done =
      insert ? scenarioEditor_->InsertInGroup(text, letter, true) : scenarioEditor_->AddAsNewGroup(text, letter);
  dlgScenario_->AfterCommand();
  if (done && plain) statusBar()->showMessage(Text(kUnusedCategoryWordMessage));
  return done;
}

bool TApdEditForm::eventFilter(QObject* watched, QEvent* event) {
  QListWidget* list = ResultPanel != nullptr ? ResultPanel->ListBoxModItems : nullptr;
  if (list != nullptr && (watched == list || watched == list->viewport()) && event->type() == QEvent::ContextMenu) {
    // The list's viewport receives the pop-up request: the items are set
    // before the list shows its actions.
    PopupMenuResultatsPopup();
  } else if (list != nullptr && watched == list->viewport()) {
    // A drag from the result list carries the chosen item to the editor.
    if (event->type() == QEvent::MouseButtonPress) {
      resultPressAt_ = static_cast<QMouseEvent*>(event)->position().toPoint();
    } else if (event->type() == QEvent::MouseMove) {
      auto* move = static_cast<QMouseEvent*>(event);
      if ((move->buttons() & Qt::LeftButton) && ScenarioEditorOpen() &&
          (move->position().toPoint() - resultPressAt_).manhattanLength() >= QApplication::startDragDistance()) {
        if (QMimeData* data = ResultItemMime()) {
          auto* drag = new QDrag(list);
          drag->setMimeData(data);
          drag->exec(Qt::CopyAction);
          return true;
        }
      }
    }
  } else if (watched == ImageTexte && ScenarioEditorOpen()) {
    if (event->type() == QEvent::MouseButtonPress) {
      resultPressAt_ = static_cast<QMouseEvent*>(event)->position().toPoint();
    } else if (event->type() == QEvent::MouseMove) {
      auto* move = static_cast<QMouseEvent*>(event);
      if ((move->buttons() & Qt::LeftButton) &&
          (move->position().toPoint() - resultPressAt_).manhattanLength() >= QApplication::startDragDistance()) {
        std::string text;
        char letter = '?';
        bool plain = false;
        if (TextWordPending(resultPressAt_, text, letter, plain)) {
          auto* drag = new QDrag(ImageTexte);
          drag->setMimeData(MakeScenarioItemMime(text, 0, letter));
          if (drag->exec(Qt::CopyAction) != Qt::IgnoreAction && plain)
            statusBar()->showMessage(Text(kUnusedCategoryWordMessage));
          return true;
        }
      }
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// ------------------------------------------------------ ScenarioEditorHost

bool TApdEditForm::ChooseFileToOpen(const std::string& current, std::string& path) {
  QString folder = QString::fromStdString(engine_->folders().scenario);
  if (!current.empty()) folder = QDir(folder).filePath(ToQt(current));
  QString chosen;
  if (!scenarioFileDialog_ || !scenarioFileDialog_(false, folder, chosen)) return false;
  path = QDir::cleanPath(chosen).toStdString();
  return true;
}

bool TApdEditForm::ChooseFileToSave(std::string& path) {
  QString chosen;
  if (!scenarioFileDialog_ || !scenarioFileDialog_(true, QString::fromStdString(engine_->folders().scenario), chosen))
    return false;
  path = QDir::cleanPath(chosen).toStdString();
  return true;
}

void TApdEditForm::ShowFolders(const std::string& scenarioFolder, const std::string& otherFolder) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(scenarioFolder)));
  QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(otherFolder)));
}

void TApdEditForm::ImportOwl(const std::string& path) {
  // The window sits above the Scenario Tool, whose Open chose the file.
  RunOwlImport(*engine_, *scenarioEditor_, path, dlgScenario_ != nullptr ? static_cast<QWidget*>(dlgScenario_) : this);
}

void TApdEditForm::ScenarioChanged() {
  // The new groups classify the text at once when one is loaded; then the
  // group the editor showed at the save is chosen in the Scenario function.
  if (model_->HasAnalysed() && resultsShown_) model_->ReLancerAnalyse();
  const std::string label = std::move(groupToShow_);
  groupToShow_.clear();
  if (dlgScenario_ != nullptr) dlgScenario_->RefreshTexts();
  wordSearch_->ScenarioChanged();
  if (label.empty() || results_ == nullptr || !results_->Analysed()) return;
  ChooseResultFunction(ResultFunctionTable::kScenario);
  std::string folded = label;
  FoldToLower(folded);
  const int32_t cls = engine_->semanticDictionary().ClassNumberOfName(4, folded.c_str());
  if (cls <= 0) return;
  const int index = results_->IndexOfItem(cls);
  if (index >= 0) ResultPanel->ListBoxModItemsClick(index);
}

void TApdEditForm::ShowGroupInResults(const std::string& label) {
  // Shown once the analysis that follows the save has run.
  groupToShow_ = label;
}

void TApdEditForm::RunWizard() {
  ScenarioWizardLinks links;
  links.analysed = [this] { return model_->HasAnalysed() && resultsShown_; };
  links.analysisRunning = [this] { return AnalysisRunning(); };
  links.showResults = [this](int position) {
    if (resultsShown_) ChooseResultFunction(position);
  };
  links.openDocument = [this] { FileOpen1Execute(); };
  RunScenarioWizard(dlgScenario_ != nullptr ? static_cast<QWidget*>(dlgScenario_) : this, *engine_, *scenarioEditor_,
                    links);
}

void TApdEditForm::MenuDelimiteursClick() {
  if (dlgDelimiteurs_ == nullptr) {
    TDialogueDelimiteurs::Links links;
    links.analysisRunning = [this] { return AnalysisRunning(); };
    links.textShown = [this] { return model_->HasAnalysed() && resultsShown_; };
    links.reanalyse = [this] { model_->ReLancerAnalyse(); };
    dlgDelimiteurs_ = new TDialogueDelimiteurs(this, *engine_, std::move(links));
  }
  if (dlgDelimiteurs_->isVisible()) {
    dlgDelimiteurs_->raise();
    dlgDelimiteurs_->activateWindow();
    return;
  }
  dlgDelimiteurs_->Open();
}

}  // namespace malvex
