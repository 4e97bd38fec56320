#include "gui/app/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStatusBar>

#include "app/caption.h"
#include "gui/qt_text.h"
#include "semantic/analysis_context.h"

namespace malvex {

TApdEditForm::TApdEditForm(QtFrontEnd& frontEnd, EngineOptions options)
    : frontEnd_(frontEnd), engine_(std::make_unique<Engine>(frontEnd, std::move(options))) {
  frontEnd_.SetOwner(this);
  Messages& msg = engine_->messages();
  TMssBoxOk::Labels labels;
  labels.ok = ToQt(msg.message(680));
  labels.yes = ToQt(msg.message(678));
  labels.no = ToQt(msg.message(679));
  labels.cancel = ToQt(msg.message(661));
  labels.dontShow = ToQt(msg.message(1267));
  frontEnd_.SetTexts(labels, "&Stop", [this] { return engine_->messages().ask(engine_->messages().message(70)); });

  ImageTexte = new TTextViewWidget(this);
  ImageTexte->SetPointerHandler([this](const TextPointerInfo& info) { ShowPointer(info); });
  ResultPanel = new TResultPanel(engine_->messages());
  connect(ResultPanel, &TResultPanel::SelectionShown, this, [this](const QString& status) {
    ImageTexte->update();
    if (!status.isEmpty()) statusBar()->showMessage(status);
    // A chosen item shows extracts: the View menu says so.
    if (wholeText_ != nullptr && textView_ != nullptr) {
      const QSignalBlocker quiet(wholeText_);
      wholeText_->setChecked(textView_->coloration() != ColorationMode::kSelective);
    }
  });
  auto* panels = new QSplitter(Qt::Horizontal, this);
  panels->addWidget(ResultPanel);
  panels->addWidget(ImageTexte);
  panels->setStretchFactor(1, 1);
  panels->setSizes({288, 712});
  setCentralWidget(panels);
  StatusPosition = new QLabel(this);
  statusBar()->addPermanentWidget(StatusPosition);
  QMenu* file = menuBar()->addMenu("&File");
  QAction* open = file->addAction("&Open...");
  open->setShortcut(QKeySequence::Open);
  connect(open, &QAction::triggered, this, [this] { OuvrirClick(); });
  file->addSeparator();
  QAction* quit = file->addAction("&Quit");
  quit->setShortcut(QKeySequence::Quit);
  connect(quit, &QAction::triggered, this, &QWidget::close);
  resize(1000, 700);

  if (!engine_->StartEngine()) return;
  setWindowTitle(ToQt(MainCaption(engine_->messages(), frontEnd_.ApplicationTitle(), engine_->runFlags())));
  statusBar()->showMessage(ToQt(engine_->messages().message(73)));
  CreateTextView();
}

void TApdEditForm::CreateTextView() {
  textView_ = std::make_unique<TExtraitDuTexte>(engine_->stream(), selection_, engine_->record());
  pointer_ = std::make_unique<TextPointer>(*textView_, engine_->stream(), engine_->messages());
  results_ = std::make_unique<ResultPanelModel>(*engine_, *textView_, selection_);
  ResultPanel->SetModel(results_.get());
  Messages& msg = engine_->messages();
  // The text panel's choices: the whole text or the extracts of the
  // selection, and the colours of words outside any selection.
  QMenu* view = menuBar()->addMenu("&View");
  QAction* wholeText = wholeText_ = view->addAction(ToQt(msg.message(721)));
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
  QAction* syntactic = view->addAction(ToQt(msg.message(774)));
  syntactic->setCheckable(true);
  syntactic->setChecked(!engine_->record().selectiveColoration());
  syntactic->setShortcut(QKeySequence(Qt::Key_F6));
  connect(syntactic, &QAction::toggled, this, [this](bool on) {
    engine_->record().setSelectiveColoration(!on);
    ImageTexte->update();
  });
}

TApdEditForm::~TApdEditForm() {
  ResultPanel->SetModel(nullptr);
  engine_->StopEngine();
}

bool TApdEditForm::AnalyserLeTexte(const QStringList& files) {
  if (Busy()) return false;
  // The panel must not draw the stream while the reading pass refills it.
  ImageTexte->SetView(nullptr, nullptr);
  if (results_ != nullptr) results_->Clear();
  ResultPanel->Refresh();
  engine_->ReleaseAnalysis(true);
  engine_->files().Clear();
  for (const QString& f : files) engine_->files().Add(f.toStdString());
  bool ok = engine_->RunAnalysis(1);
  if (textView_ != nullptr) {
    results_->AnalysisDone();
    results_->ShowPendingExpressions(pending_);
    ImageTexte->SetView(textView_.get(), pointer_.get());
  }
  ShowSummary();
  ResultPanel->Refresh();
  return ok;
}

void TApdEditForm::ShowSummary() {
  statusBar()->showMessage(QString("%1 file(s), %2 words")
                               .arg(engine_->files().Count())
                               .arg(engine_->stream().HighestPosition()));
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

bool TApdEditForm::AppliquerLigneDeCommande(const CommandLine& commandLine) {
  if (commandLine.Failed()) {
    Messages& msg = engine_->messages();
    msg.errorBox(CommandLineErrorText(msg, commandLine.errors.front()));
    return false;
  }
  commandLine_ = commandLine;
  if (commandLine.scenarioGiven) engine_->record().setScenarioFile(ScenarioFileFromOption(commandLine.scenario));
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

bool TApdEditForm::Busy() { return closing_ || engine_->run().running; }

void TApdEditForm::ShowError(int messageId) {
  Messages& msg = engine_->messages();
  msg.errorBox(msg.message(messageId));
}

void TApdEditForm::RestoreAndFocus() {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void TApdEditForm::CloseCurrentText() {
  ImageTexte->SetView(nullptr, nullptr);
  if (results_ != nullptr) results_->Clear();
  ResultPanel->Refresh();
  engine_->ReleaseAnalysis(true);
}

std::string TApdEditForm::CurrentScenario() { return engine_->record().scenarioFile(); }

void TApdEditForm::LoadScenario(const std::string& name) {
  // The scenario is read from its folder by name when the analysis starts.
  engine_->record().setScenarioFile(name);
}

void TApdEditForm::AnalyseFiles(const std::vector<std::string>& files, bool addToHistory) {
  QStringList list;
  for (const std::string& f : files) list << QString::fromStdString(f);
  AnalyserLeTexte(list);
}

void TApdEditForm::OuvrirClick() {
  QStringList files = QFileDialog::getOpenFileNames(this, "Open", QString(), "Texts (*.txt);;All files (*)");
  if (!files.isEmpty()) AnalyserLeTexte(files);
}

void TApdEditForm::closeEvent(QCloseEvent* event) {
  closing_ = true;
  ImageTexte->SetView(nullptr, nullptr);
  engine_->StopEngine();
  event->accept();
}

}  // namespace malvex
