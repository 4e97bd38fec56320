#include "app/main_window_model.h"

#include "app/open_filters.h"
#include "foundations/messages.h"

namespace malvex {

MenuState MenuStateFor(bool enabled, bool episodesFound) {
  MenuState state;
  state.textCommands = enabled;
  state.episodes = enabled && episodesFound;
  state.resultsPage = enabled;
  state.explanationTitleId = enabled ? 1070 : 1071;
  state.panels = enabled;
  return state;
}

WindowLayout StartLayout(int deskLeft, int deskTop, int deskWidth, int deskHeight) {
  WindowLayout layout;
  layout.top = deskTop + 40;
  layout.left = deskLeft + 10;
  layout.width = deskWidth <= 800 ? deskWidth - 240 : deskWidth - 370;
  // The height is measured from the window's own top, which already holds
  // the work area's offset.
  layout.height = deskHeight - (layout.top - deskTop) - 40;
  if (layout.width < 1) layout.width = 1;
  if (layout.height < 1) layout.height = 1;
  layout.graphPanelHeight = layout.height / 2 - 20;
  if (layout.graphPanelHeight < 1) layout.graphPanelHeight = 1;
  layout.resultsPanelWidth = 200;
  if (layout.width > 600) {
    if (layout.width <= 800) {
      layout.resultsPanelWidth = 256;
    } else if (layout.width <= 1200) {
      layout.resultsPanelWidth = 288;
    } else {
      layout.resultsPanelWidth = 340;
    }
  }
  return layout;
}

bool IsPdfPath(const std::string& path) {
  if (path.size() < 4) return false;
  std::string ext = path.substr(path.size() - 4);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext == ".pdf";
}

MainWindowModel::MainWindowModel(SettingsRecord& record, Messages& messages, MainWindowHost& host)
    : record_(record), messages_(messages), host_(host), history_(record) {}

void MainWindowModel::StartUp() {
  if (!record_.keepFileHistory()) history_.Clear();
  host_.HistoryChanged();
}

bool MainWindowModel::Busy() { return closing_ || host_.AnalysisRunning(); }

int MainWindowModel::InitialFilter() const { return InitialOpenFilter(record_.openFilterIndex()); }

bool MainWindowModel::StackFiles(const std::vector<std::string>& paths) {
  host_.ClearFiles();
  const size_t n = paths.size() < static_cast<size_t>(kMaxOpenedFiles) ? paths.size() : kMaxOpenedFiles;
  for (size_t i = 0; i < n; ++i) {
    if (!host_.PushFile(paths[i])) return false;
  }
  return true;
}

bool MainWindowModel::FileOpen1Execute(const std::vector<std::string>& selected, int filterPosition) {
  if (selected.empty() || Busy()) return false;
  currentFile_ = selected.front();
  if (filterPosition >= 1 && filterPosition <= kOpenFilterCount) {
    record_.setFileType(filterPosition);
    record_.setOpenFilterIndex(filterPosition);
  }
  const size_t slash = currentFile_.rfind('/');
  if (slash != std::string::npos) host_.SetCurrentFolder(slash == 0 ? "/" : currentFile_.substr(0, slash));
  const bool several = selected.size() > 1;
  if (several && !StackFiles(selected)) return false;
  return CmOuvrir(true, several);
}

bool MainWindowModel::CmOuvrir(bool addToHistory, bool alreadyStacked) {
  if (Busy() || currentFile_.empty()) return false;
  if (IsPdfPath(currentFile_)) {
    if (!host_.PdfConverterInstalled()) {
      std::string text = messages_.message(1175);
      text += ' ';
      text += messages_.message(1176);
      messages_.errorBox(text);
      return false;
    }
    if (!record_.pdfThroughExtractor()) {
      messages_.errorBox(messages_.message(1178));
      host_.OpenAnalysisOptions();
      return false;
    }
  }
  host_.CloseTextView();
  if (!alreadyStacked) {
    if (addToHistory && history_.Add(currentFile_)) host_.HistoryChanged();
    host_.ClearFiles();
    if (!host_.PushFile(currentFile_)) return false;
  }
  return Analyse();
}

bool MainWindowModel::Analyse() {
  hasAnalysed_ = true;
  return host_.RunAnalysis();
}

bool MainWindowModel::MenuHistoFichierClick(int slot) {
  if (slot < 1 || slot > FileHistory::kMenuSlots || Busy()) return false;
  std::string path = history_.Slot(slot);
  if (path.empty()) return false;
  currentFile_ = std::move(path);
  return CmOuvrir(true, false);
}

bool MainWindowModel::WmDropFiles(const std::vector<std::string>& paths) {
  if (paths.empty() || Busy()) return false;
  currentFile_ = paths.front();
  return CmOuvrir(true, false);
}

bool MainWindowModel::ReLancerAnalyse() {
  if (Busy() || !hasAnalysed_) return false;
  host_.CloseTextView();
  return Analyse();
}

void MainWindowModel::FermerTexteEnCours() {
  if (host_.AnalysisRunning()) return;
  host_.CloseTextView();
}

bool MainWindowModel::ButtonListeFichiersAnalyserClick() { return OpenCorpus(filesList_.entries()); }

bool MainWindowModel::OpenCorpus(const std::vector<std::string>& paths) {
  if (Busy() || paths.empty()) return false;
  host_.CloseTextView();
  if (!StackFiles(paths)) return false;
  currentFile_ = paths.front();
  return Analyse();
}


TextPopupItems PopupMenuImageTextePopup(const ToolWindows& tools, bool closing) {
  TextPopupItems items;
  items.copy = tools.copyTextDialog;
  items.search = tools.wordSearch;
  items.context = tools.contextWindow;
  items.copyIntoScenario = tools.scenarioEditorOpen && !closing;
  items.insertIntoScenario = items.copyIntoScenario;
  items.colours = true;
  return items;
}

std::string ResultsClipboardText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

std::string CopyResultatsDsClipBrd(const std::vector<std::string>& lines, ClipboardText& clipboard,
                                   Messages& messages) {
  if (!clipboard.SetText(ResultsClipboardText(lines))) return messages.title(61);
  return messages.message(1067);
}

}  // namespace malvex
