// The main window: starts the engine when created, opens texts (the Open
// dialog, the history, dropped files, the files list, the command line and
// other programs' requests), analyses them, and shuts the engine down when
// closed. Its behaviour lives in MainWindowModel; the form forwards events
// and draws.
#pragma once

#include <QByteArray>
#include <QLabel>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTextBrowser>
#include <functional>
#include <memory>
#include <vector>

#include "app/command_line.h"
#include "app/external_request.h"
#include "app/main_window_model.h"
#include "app/result_panel_model.h"
#include "engine/engine.h"
#include "app/analysis_options_model.h"
#include "app/colours_model.h"
#include "app/general_options_model.h"
#include "app/graph_options_model.h"
#include "gui/qt_front_end.h"
#include "integrations/external_tools.h"
#include "gui/views/colours_dialog.h"
#include "gui/views/context_form.h"
#include "gui/views/copy_text_dialog.h"
#include "gui/views/graph_options_dialog.h"
#include "gui/views/graph_panel.h"
#include "gui/views/result_panel.h"
#include "gui/views/text_view_widget.h"
#include "scenarios/scenario_anomaly_list.h"
#include "scenarios/scenario_editor.h"
#include "views/selection_state.h"
#include "views/text_pointer.h"
#include "views/text_view.h"

namespace malvex {

class TDlgScenario;
class TDlgAnomalieScen;
class WordSearchLink;
class TDlgExtracteurTerminologique;
class MainWindowTerminologyHost;
class TDialogueDelimiteurs;

// Passes the Scenario layer's reports to the anomaly list, then tells the
// window that a build ended or the layer was cleared.
class AnomalyForwarder final : public ScenarioAnomalyListener {
 public:
  AnomalyForwarder(ScenarioAnomalyList& list, std::function<void()> changed)
      : list_(list), changed_(std::move(changed)) {}
  void AnomalyReported(const ScenarioAnomaly& anomaly) override { list_.AnomalyReported(anomaly); }
  void BuildEnded(bool anyReported) override {
    list_.BuildEnded(anyReported);
    if (changed_) changed_();
  }
  void Cleared() override {
    list_.Cleared();
    if (changed_) changed_();
  }

 private:
  ScenarioAnomalyList& list_;
  std::function<void()> changed_;
};

class TApdEditForm : public QMainWindow, private RequestTarget, private MainWindowHost, private GeneralOptionsHost,
                     private ScenarioEditorHost {
  Q_OBJECT
 public:
  TApdEditForm(QtFrontEnd& frontEnd, EngineOptions options);
  ~TApdEditForm() override;

  // False when the engine could not start; the application then ends.
  bool EngineStarted() const { return engine_->Started(); }
  Engine& engine() { return *engine_; }
  MainWindowModel& model() { return *model_; }

  // Shows the window: the geometry saved at the last exit, or the first
  // geometry on the desktop's work area, maximised.
  void FormShow();

  // Analyses `files` as one corpus without touching the history.
  bool AnalyserLeTexte(const QStringList& files);

  // Takes the parsed command line: reports its first error (message 48)
  // and returns false, after which the application ends; otherwise records
  // its scenario and display request. The file is analysed by
  // AnalyserFichierDeLaLigneDeCommande once the window is shown.
  bool AppliquerLigneDeCommande(const CommandLine& commandLine);
  void AnalyserFichierDeLaLigneDeCommande();

  // A request from another program or a second start (the bytes received).
  void WmCopyData(const QByteArray& payload);

  // Switches the commands and pages between the no-text state (false) and
  // the results state (true).
  void EnableCommandDuMenu(bool enabled);
  bool ResultsShown() const { return resultsShown_; }

  // The Open dialog: fills the chosen files and the filter position
  // (1..12); false when cancelled. Replaceable (tests).
  using OpenDialog = std::function<bool(const QStringList& nameFilters, int initialFilter,
                                        const QString& folder, QStringList& files, int& filter)>;
  void SetOpenDialog(OpenDialog dialog) { openDialog_ = std::move(dialog); }
  // The Open command.
  void FileOpen1Execute();
  // The Open dialog's name filters, in the order of the file families.
  QStringList OpenNameFilters();

  // The result functions and the result list, on the Results page.
  TResultPanel* resultPanel() { return ResultPanel; }

  TTextViewWidget* ImageTexte = nullptr;
  // The graph of the selection, below the text.
  TGraphPanel* GraphPanel = nullptr;
  QSplitter* Splitter = nullptr;
  // The text above the graph.
  QSplitter* SplitterTexteGraphe = nullptr;
  QTabWidget* PageControl = nullptr;
  QTextBrowser* TabSheetExplication = nullptr;
  QWidget* TabSheetResultats = nullptr;
  QWidget* TabSheetFichiers = nullptr;
  QListWidget* ListBoxFichiersOuverts = nullptr;
  QPushButton* ButtonListeFichiersAjouter = nullptr;
  QPushButton* ButtonListeFichiersSupprimer = nullptr;
  QPushButton* ButtonListeFichiersTrier = nullptr;
  QPushButton* ButtonListeFichiersAnalyser = nullptr;
  QPushButton* ButtonListeFichiersOuvrir = nullptr;
  QAction* MenuOuvrir = nullptr;
  QAction* MenuImprimer = nullptr;  // File > Print
  QAction* MenuFermer = nullptr;
  QAction* MenuRelancer = nullptr;
  QAction* MenuHistoFichier[FileHistory::kMenuSlots] = {};
  QAction* MenuNouvelleFenetre = nullptr;
  // The Results menu: one command per result function, the first
  // episode, and the two orders of the result list.
  QAction* MenuStyleGeneral = nullptr;
  QAction* MenuUnivers1 = nullptr;
  QAction* MenuUnivers2 = nullptr;
  QAction* MenuUnivers3 = nullptr;
  QAction* MenuAfficheScenario = nullptr;
  QAction* MenuRelations = nullptr;
  QAction* MenuCategFrequentes = nullptr;
  QAction* MenuToutesCategories = nullptr;
  QAction* MenuLemmesVerbes = nullptr;
  QAction* MenuLemmesAdjectifs = nullptr;
  QAction* MenuLemmesSubstantifs = nullptr;
  QAction* MenuEpisodes = nullptr;
  QAction* MenuTriResultatsAlphabetique = nullptr;
  QAction* MenuTriFrequence = nullptr;
  QLabel* StatusPosition = nullptr;

  // The graph options and colours dialogs (Graphs and View menus, text
  // pop-up); created on first use, one of each.
  QAction* MenuOptionsGraphes = nullptr;
  QAction* MenuOptionsCouleurs = nullptr;
  void MenuOptionsGraphesClick();
  void MenuOptionsCouleursClick();
  TDlgOptionsGraphes* optionsGraphes() { return dlgOptionsGraphes_; }
  TDlgCouleurs* couleurs() { return dlgCouleurs_; }
  // A setting the text and the graph read changed: both are drawn again.
  void RazAffichageEtGraphe();

  // The analysis options dialog (Tools, Options, and the PDF refusal): a
  // modal window; an Accept that changed the analysis settings analyses
  // the current text again.
  QAction* MenuOptionsAnalyse = nullptr;
  void OptionsdAnalyseClick();

  // The general options dialog (Tools, General options): a modal window
  // that leads to the graph and colour options, the folders and the
  // multi-user set-up. `scenarioPage` opens it on its scenario page.
  QAction* MenuOptionsGenerales = nullptr;
  void MenuOptionsGeneralesClick(bool scenarioPage = false);
  // The external programs of the Tools menu: the registered plug-ins and
  // the companion programs found when the window was built; an item is
  // hidden (and has no text) when its program was not found.
  QAction* MenuOutilsPlugin[kPluginSlots] = {};
  QAction* MenuOutilsCompagnon[kCompanions] = {};
  ExternalTools& externalTools() { return *externalTools_; }
  // Starts plug-in `number` (1..4); failures are reported.
  void EffectuerActionDuPlugin(int number);
  // Starts a companion; the first survey program receives the result list.
  void MenuOutilsCompagnonClick(Companion kind);

  // Shows a folder in the desktop's file browser. Replaceable (tests).
  using FolderBrowser = std::function<void(const QString& folder)>;
  void SetFolderBrowser(FolderBrowser browser) { folderBrowser_ = std::move(browser); }

  // The Graphs menu (and toolbar) commands of the graph types, and Edit,
  // Copy the graph.
  QAction* MenuGrapheEtoile = nullptr;
  QAction* MenuGrapheAires = nullptr;
  QAction* MenuGrapheRepartition = nullptr;
  QAction* MenuGrapheRafales = nullptr;
  QAction* MenuGrapheActeurs = nullptr;
  QAction* CopyGraphDsClipBrd = nullptr;
  // Gives the graph panel `height` pixels of the text column.
  void SetGraphPanelHeight(int height);

  // The text panel's pop-up; its items are set each time it opens.
  QMenu* PopupMenuImageTexte = nullptr;
  QAction* PopupImageTexteCopier = nullptr;
  QAction* PopupImageTexteChercher = nullptr;
  QAction* PopupImageTexteContexte = nullptr;
  QAction* PopupImageTexteCopierDsScenario = nullptr;
  QAction* PopupImageTexteInsererDsScenario = nullptr;
  QAction* PopupImageTexteCouleurs = nullptr;
  void PopupMenuImageTextePopup();

  // Edit, Copy the results, and the result list's Copy.
  // View, Context (and the text pop-up's Context): the context window on
  // the word under the mouse last, or on the page's first word.
  QAction* MenuContexte = nullptr;
  void MenuContexteClick();
  void ShowContextOf(int32_t position);
  TFormContexte* contexte() { return contexte_; }
  // Edit, Copy the text (and the text pop-up's Copy): the copy-text dialog
  // on that word, or on the extract when the panel shows extracts.
  QAction* CopyTexteDsClipBrd = nullptr;
  void CopyTexteDsClipBrdClick();
  void CopyTextOf(int32_t position);
  TFormCopierTexte* copierTexte() { return copierTexte_; }

  // File, Report: the Report dialog on the Scenario groups of the analysis.
  QAction* MenuGenererUnRapport = nullptr;
  void MenuGenererUnRapportClick();

  QAction* CopyResultatsDsClipBrd = nullptr;
  QAction* PopupResultatsCopier = nullptr;
  void CopyResultatsDsClipBrdClick();

  // The Scenario Tool (Tools menu): one window, made on first use; open
  // while shown.
  QAction* MenuScenario = nullptr;
  void MenuScenarioClick();
  // Tools > Borders: the borders dialog, made on first use.
  QAction* MenuDelimiteurs = nullptr;
  void MenuDelimiteursClick();
  TDialogueDelimiteurs* dlgDelimiteurs() { return dlgDelimiteurs_; }
  TDlgScenario* dlgScenario() { return dlgScenario_; }
  bool ScenarioEditorOpen() const;
  ScenarioAnomalyList& scenarioAnomalies() { return *anomalies_; }
  // The anomaly list window: shown with the editor when the last build
  // reported anomalies, closed after a build without any.
  TDlgAnomalieScen* dlgAnomalies() { return dlgAnomalies_; }
  void ShowAnomalies();
  // Searches line `row`'s entry in the editor (opening it when closed).
  void SearchAnomaly(int row);
  // The scenario file dialogs: fill the chosen path; false when cancelled.
  // Replaceable (tests).
  using ScenarioFileDialog = std::function<bool(bool save, const QString& folder, QString& path)>;
  void SetScenarioFileDialog(ScenarioFileDialog dialog) { scenarioFileDialog_ = std::move(dialog); }

  // The result list's pop-up commands for the scenario.
  QAction* PopupResultatsAjouter1 = nullptr;
  QAction* PopupResultatsInserer1 = nullptr;
  QAction* PopupResultatDbClick1 = nullptr;
  // Toolbar: shows the chosen result item in the Scenario Tool, opening
  // the tool first when it is closed.
  QAction* ToolButtonChercherDsScenario = nullptr;
  void ToolButtonChercherDsScenarioClick();
  QAction* PopupResultatsOuvrirScenario = nullptr;
  QAction* PopupResultatsChercher = nullptr;
  void PopupMenuResultatsPopup();
  // Add (false) or Insert (true) the chosen result item into the scenario.
  bool PopupResultatsAjouterOuInserer(bool insert);
  // Shows the chosen result item in the scenario editor (double click).
  bool ListBoxModItemsDblClick();
  // The drag data of the chosen result item; null when it cannot go into
  // the scenario.
  QMimeData* ResultItemMime();
  // The text pop-up's Add (Insert) in the Scenario for the word at `at`
  // (text panel coordinates).
  bool TextWordIntoScenario(const QPoint& at, bool insert);

  // Edit, Search (and the toolbar's Search, the Scenario Tool's Create
  // item): the word search window, made on first use, in front.
  QAction* MenuChercher = nullptr;
  void MenuChercherClick();
  WordSearchLink& wordSearch() { return *wordSearch_; }
  // Chooses the Scenario function and its group `group` in the results.
  void ShowScenarioGroup(int32_t group);
  // Tools, Terminology extraction (also on the toolbar): while a text is
  // analysed, shows the window (made on first use) and runs the extraction.
  QAction* MenuExtractionTerminologique = nullptr;
  void MenuExtractionTerminologiqueClick();
  TDlgExtracteurTerminologique* dlgTerminology() { return dlgTerminology_; }

  SelectionState& selection() { return selection_; }
  TExtraitDuTexte* textView() { return textView_.get(); }
  PendingExpressions& pendingExpressions() { return pending_; }

 Q_SIGNALS:
  // An analysis ended (the results panel already shows its results);
  // `ok` when it completed.
  void analysisDone(bool ok);
  // The analysis of the current text is about to be freed (the text is
  // closed, or another analysis starts): views must drop what they hold
  // of it.
  void textClosing();
  // A graph or colour setting changed: the graph is drawn again.
  void displayChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // A command of the menus and the toolbar, with when it can be used.
  enum class Gate { kAlways, kText, kEpisodes };
  struct Command {
    QAction* action;
    Gate gate;
    bool available;  // false for the commands whose windows this version lacks
  };
  QAction* AddCommand(QMenu* menu, const QString& text, Gate gate, bool available);
  void CreateMenus();
  void CreatePages();
  void CreateTextView();
  void CreateGraphPanel();
  void CreateTextPopup();
  void CreateExternalTools(QMenu* tools);
  void AppliquerHistoFichierSurMenu();
  void ShowSummary();
  void ShowPointer(const TextPointerInfo& info);
  void FilesListChanged();
  void ButtonListeFichiersAjouterClick();
  void ButtonListeFichiersOuvrirClick();
  void MenuNouvelleFenetreClick();
  // Shows the Results page and chooses the function at `position`.
  void ChooseResultFunction(int position);
  void MenuEpisodesClick();
  void SaveGeometry();
  bool RestoreGeometry();
  QString Text(int id);

  // RequestTarget.
  bool Busy() override;
  void ShowError(int messageId) override;
  void RestoreAndFocus() override;
  PendingExpressions& Pending() override { return pending_; }
  void CloseCurrentText() override;
  std::string CurrentScenario() override;
  void LoadScenario(const std::string& name) override;
  void AnalyseFiles(const std::vector<std::string>& files, bool addToHistory) override;

  // MainWindowHost.
  bool AnalysisRunning() override;
  bool PdfConverterInstalled() override;
  void OpenAnalysisOptions() override;
  void CloseTextView() override;
  void ClearFiles() override;
  bool PushFile(const std::string& path) override;
  bool RunAnalysis() override;
  void SetCurrentFolder(const std::string& folder) override;
  void HistoryChanged() override;

  // GeneralOptionsHost.
  void OpenGraphOptions() override;
  void OpenColours() override;
  void ShowFolder(const std::string& folder) override;
  void RunSetupWizard() override;
  void CloseProgram() override;
  // Opens a tool dialog above the modal general options.
  void OpenAboveModal(QDialog* dialog);

  // ScenarioEditorHost.
  bool ChooseFileToOpen(const std::string& current, std::string& path) override;
  bool ChooseFileToSave(std::string& path) override;
  void ShowFolders(const std::string& scenarioFolder, const std::string& otherFolder) override;
  void ImportOwl(const std::string& path) override;
  void ScenarioChanged() override;
  void ShowGroupInResults(const std::string& label) override;
  void RunWizard() override;

  // The chosen result item's text ("" when none) and the kind of its list.
  std::string CurrentResultItem(ResultKind& kind, std::string& groupName);
  // The pending insertion for a word of the text: its lemma and letter for
  // verbs and adjectives, the word itself otherwise. False when there is no
  // word at `at`; `plain` tells a word that is neither substantive, verb
  // nor adjective, nor unknown.
  bool TextWordPending(const QPoint& at, std::string& text, char& letter, bool& plain);

  QtFrontEnd& frontEnd_;
  const std::string registryPath_;
  std::unique_ptr<Engine> engine_;
  std::unique_ptr<MainWindowModel> model_;
  SelectionState selection_;
  std::unique_ptr<TExtraitDuTexte> textView_;
  std::unique_ptr<TextPointer> pointer_;
  PendingExpressions pending_;
  CommandLine commandLine_;
  OpenDialog openDialog_;
  std::vector<Command> commands_;
  std::unique_ptr<ResultPanelModel> results_;
  TResultPanel* ResultPanel = nullptr;
  QAction* wholeText_ = nullptr;
  QAction* syntactic_ = nullptr;
  std::unique_ptr<TDlgOptionsGraphesModel> optionsGraphesModel_;
  std::unique_ptr<TDlgCouleursModel> couleursModel_;
  AnalysisOptionsMarks analysisMarks_;
  FolderBrowser folderBrowser_;
  std::unique_ptr<ProcessStarter> processStarter_;
  std::unique_ptr<ExternalTools> externalTools_;
  QDialog* dlgOptionsGenerales_ = nullptr;
  bool closeAfterOptions_ = false;
  TDlgOptionsGraphes* dlgOptionsGraphes_ = nullptr;
  TDlgCouleurs* dlgCouleurs_ = nullptr;
  TFormContexte* contexte_ = nullptr;
  TFormCopierTexte* copierTexte_ = nullptr;
  // The copy-text dialog's own view for extracts, on the panel's stream
  // and selection, so that the panel's layout is not touched.
  std::unique_ptr<TExtraitDuTexte> copyExtractView_;
  std::unique_ptr<ScenarioAnomalyList> anomalies_;
  std::unique_ptr<ScenarioEditor> scenarioEditor_;
  TDlgScenario* dlgScenario_ = nullptr;
  TDialogueDelimiteurs* dlgDelimiteurs_ = nullptr;
  std::unique_ptr<AnomalyForwarder> anomalyForwarder_;
  TDlgAnomalieScen* dlgAnomalies_ = nullptr;
  WordSearchLink* wordSearch_ = nullptr;
  std::unique_ptr<MainWindowTerminologyHost> terminologyHost_;
  TDlgExtracteurTerminologique* dlgTerminology_ = nullptr;
  ScenarioFileDialog scenarioFileDialog_;
  QPoint textPopupAt_;
  std::string groupToShow_;
  QPoint resultPressAt_;
  QMenu* fileMenu_ = nullptr;
  QAction* historySeparator_ = nullptr;
  int resultsPanelWidth_ = 288;
  bool analysing_ = false;
  bool closeAfterRun_ = false;
  bool resultsShown_ = false;
  bool stopped_ = false;
};

}  // namespace malvex
