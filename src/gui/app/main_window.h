// The main window: starts the engine when created, analyses the texts the
// user opens, and shuts the engine down when closed.
#pragma once

#include <QByteArray>
#include <QLabel>
#include <QMainWindow>
#include <memory>

#include "app/command_line.h"
#include "app/external_request.h"
#include "gui/qt_front_end.h"
#include "gui/views/result_panel.h"
#include "gui/views/text_view_widget.h"
#include "reading/engine.h"
#include "views/result_panel_model.h"
#include "views/selection_state.h"
#include "views/text_pointer.h"
#include "views/text_view.h"

namespace malvex {

class TApdEditForm : public QMainWindow, private RequestTarget {
  Q_OBJECT
 public:
  TApdEditForm(QtFrontEnd& frontEnd, EngineOptions options);
  ~TApdEditForm() override;

  // False when the engine could not start; the application then ends.
  bool EngineStarted() const { return engine_->Started(); }
  Engine& engine() { return *engine_; }

  // Analyses `files` as one text and shows the outcome.
  bool AnalyserLeTexte(const QStringList& files);

  // Takes the parsed command line: reports its first error (message 48)
  // and returns false, after which the application ends; otherwise records
  // its scenario and display request. The file is analysed by
  // AnalyserFichierDeLaLigneDeCommande once the window is shown.
  bool AppliquerLigneDeCommande(const CommandLine& commandLine);
  void AnalyserFichierDeLaLigneDeCommande();

  // A request from another program or a second start (the bytes received).
  void WmCopyData(const QByteArray& payload);

  TTextViewWidget* ImageTexte;
  // The results panel, left of the text.
  TResultPanel* resultPanel() { return ResultPanel; }
  SelectionState& selection() { return selection_; }
  TExtraitDuTexte* textView() { return textView_.get(); }
  PendingExpressions& pendingExpressions() { return pending_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void OuvrirClick();
  void ShowSummary();
  void ShowPointer(const TextPointerInfo& info);
  void CreateTextView();

  // RequestTarget.
  bool Busy() override;
  void ShowError(int messageId) override;
  void RestoreAndFocus() override;
  PendingExpressions& Pending() override { return pending_; }
  void CloseCurrentText() override;
  std::string CurrentScenario() override;
  void LoadScenario(const std::string& name) override;
  void AnalyseFiles(const std::vector<std::string>& files, bool addToHistory) override;

  QtFrontEnd& frontEnd_;
  std::unique_ptr<Engine> engine_;
  SelectionState selection_;
  std::unique_ptr<TExtraitDuTexte> textView_;
  std::unique_ptr<TextPointer> pointer_;
  std::unique_ptr<ResultPanelModel> results_;
  TResultPanel* ResultPanel;
  QAction* wholeText_ = nullptr;
  PendingExpressions pending_;
  CommandLine commandLine_;
  bool closing_ = false;
  QLabel* StatusPosition;
};

}  // namespace malvex
