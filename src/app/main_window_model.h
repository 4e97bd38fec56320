// The behaviour of the main window without its widgets: which texts it
// opens and when, the history of opened files, the files list, the state
// of its commands and its first geometry. The window forwards its events
// here; the model acts on the engine through MainWindowHost.
#pragma once

#include <string>
#include <vector>

#include "app/file_history.h"
#include "app/files_list.h"
#include "settings/settings_record.h"

namespace malvex {

class Messages;

// What the model asks of the window and the engine behind it.
class MainWindowHost {
 public:
  virtual ~MainWindowHost() = default;
  // True while an analysis runs.
  virtual bool AnalysisRunning() = 0;
  // True when a document converter that reads PDF documents is installed.
  virtual bool PdfConverterInstalled() = 0;
  // Opens the analysis options dialog.
  virtual void OpenAnalysisOptions() = 0;
  // Closes the text view and the results of the current text.
  virtual void CloseTextView() = 0;
  // The file stack the analysis reads as one corpus.
  virtual void ClearFiles() = 0;
  virtual bool PushFile(const std::string& path) = 0;
  // Analyses the stacked files and shows the outcome; true when the
  // analysis completed.
  virtual bool RunAnalysis() = 0;
  // Makes `folder` the current folder.
  virtual void SetCurrentFolder(const std::string& folder) = 0;
  // The history changed: the File menu is rebuilt.
  virtual void HistoryChanged() = 0;
};

// The commands and pages of the window in the no-text or the results state.
struct MenuState {
  // Print, copy, graphs, whole text, search, view, edit, report,
  // terminology extraction and files list.
  bool textCommands = false;
  // Episodes: only when the last analysis found an episode and a
  // characteristic part.
  bool episodes = false;
  // The Results page is shown and selected (else hidden, and the
  // explanation page selected).
  bool resultsPage = false;
  // The explanation page's title: message 1070 "Explain" or 1071 "Welcome".
  int explanationTitleId = 1071;
  // The graph and text panels.
  bool panels = false;
};

// The state EnableCommandDuMenu(enabled) gives.
MenuState MenuStateFor(bool enabled, bool episodesFound);

// The first geometry of the window and its panels on a desktop work area.
struct WindowLayout {
  int left = 0, top = 0, width = 0, height = 0;
  int graphPanelHeight = 0;
  int resultsPanelWidth = 0;
};

// Top 40 below the work area's top, left 10 right of its left; width the
// desktop's minus 240 (at most 800 pixels wide) or minus 370; height down
// to 40 above the bottom; graph panel half the height minus 20; results
// panel 200 wide, or 256, 288 or 340 for windows wider than 600 (up to 800,
// up to 1200, wider). Sizes never fall below 1.
WindowLayout StartLayout(int deskLeft, int deskTop, int deskWidth, int deskHeight);

// The most files one open reads as a corpus.
inline constexpr int kMaxOpenedFiles = 10000;

class MainWindowModel {
 public:
  // `record`, `messages` and `host` must outlive the model.
  MainWindowModel(SettingsRecord& record, Messages& messages, MainWindowHost& host);
  MainWindowModel(const MainWindowModel&) = delete;
  MainWindowModel& operator=(const MainWindowModel&) = delete;

  FileHistory& history() { return history_; }
  FilesList& filesList() { return filesList_; }

  // Start-up: clears the history when the settings do not keep it.
  void StartUp();

  // The window is closing: nothing is opened any more.
  void SetClosing() { closing_ = true; }
  bool closing() const { return closing_; }
  // True while an analysis runs or the window closes; opening, dropping
  // and re-running are then ignored.
  bool Busy();
  // True once an analysis was started on a file stack.
  bool HasAnalysed() const { return hasAnalysed_; }

  const std::string& currentFile() const { return currentFile_; }
  void SetCurrentFile(std::string path) { currentFile_ = std::move(path); }

  // The Open dialog's filter position (1..12) to start on.
  int InitialFilter() const;
  // The Open dialog returned `selected` with filter `filterPosition`
  // (1..12): the first file becomes the current text, the filter is stored
  // as the current file type and last filter, its folder becomes current;
  // a selection of several files is stacked (the first 10000). Then opens
  // with history update. False when nothing was analysed.
  bool FileOpen1Execute(const std::vector<std::string>& selected, int filterPosition);
  // Opens the current text: refused while busy; a PDF document needs an
  // installed converter (else messages 1175 and 1176) and PDF conversion
  // switched on (else message 1178, then the analysis options). The text
  // view of the previous text is closed; unless `alreadyStacked`, the
  // history is updated (when `addToHistory`) and the file stack holds the
  // current file alone. Then the analysis runs.
  bool CmOuvrir(bool addToHistory, bool alreadyStacked);
  // Reopens history slot `slot` (1..8) with history update.
  bool MenuHistoFichierClick(int slot);
  // Files dropped on the window: the first one is opened with history
  // update.
  bool WmDropFiles(const std::vector<std::string>& paths);
  // Analyses the same file stack again; refused while busy or before the
  // first analysis.
  bool ReLancerAnalyse();
  // Closes the current text; the window returns to the no-text state.
  void FermerTexteEnCours();
  // Analyses every path of the files list, in list order, as one corpus
  // (at most 10000), without touching the history.
  bool ButtonListeFichiersAnalyserClick();
  // Closes the current text and analyses `paths` (the first 10000) as one
  // corpus without touching the history; the first becomes the current
  // text. Refused while busy or for no path.
  bool OpenCorpus(const std::vector<std::string>& paths);

 private:
  // Clears the stack and pushes `paths`, the first kMaxOpenedFiles of
  // them. False when a push fails.
  bool StackFiles(const std::vector<std::string>& paths);
  bool Analyse();

  SettingsRecord& record_;
  Messages& messages_;
  MainWindowHost& host_;
  FileHistory history_;
  FilesList filesList_;
  std::string currentFile_;
  bool closing_ = false;
  bool hasAnalysed_ = false;
};

// True when `path` names a PDF document (by its extension, in any case).
bool IsPdfPath(const std::string& path);


// ---- The text panel's pop-up and the copy of the results ----------------

// The tool windows the text pop-up leads to: whether this version has them,
// and whether the scenario editor is open.
struct ToolWindows {
  bool copyTextDialog = false;
  bool wordSearch = false;
  bool contextWindow = false;
  bool scenarioEditorOpen = false;
};

// Which items of the text pop-up can be chosen; every item stays in the
// menu.
struct TextPopupItems {
  bool copy = false;
  bool search = false;
  bool context = false;
  bool copyIntoScenario = false;
  bool insertIntoScenario = false;
  bool colours = false;
};

// Copy, Search and Context need their windows; copying or inserting into
// the scenario needs the scenario editor open and a window that is not
// closing; Colours is always there.
TextPopupItems PopupMenuImageTextePopup(const ToolWindows& tools, bool closing);

// Where the copied results go: plain text in code page 1250. False when the
// clipboard did not take it.
class ClipboardText {
 public:
  virtual ~ClipboardText() = default;
  virtual bool SetText(const std::string& text) = 0;
};

// The lines of the result list as clipboard text: each line followed by a
// line feed.
std::string ResultsClipboardText(const std::vector<std::string>& lines);

// Edit, Copy the results (and the result list's Copy): puts `lines` on the
// clipboard; returns the status line: message 1067 "The results are copied
// in the clipboard", or the "Error" title when the clipboard failed.
std::string CopyResultatsDsClipBrd(const std::vector<std::string>& lines, ClipboardText& clipboard,
                                   Messages& messages);

}  // namespace malvex
