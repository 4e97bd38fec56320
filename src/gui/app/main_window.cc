#include "gui/app/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QFileDialog>
#include <QMenuBar>
#include <QStatusBar>

#include "app/caption.h"
#include "foundations/display_form.h"
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

  RichEditTexte = new QPlainTextEdit(this);
  RichEditTexte->setReadOnly(true);
  setCentralWidget(RichEditTexte);
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
}

TApdEditForm::~TApdEditForm() { engine_->StopEngine(); }

bool TApdEditForm::AnalyserLeTexte(const QStringList& files) {
  if (engine_->run().running) return false;
  engine_->ReleaseAnalysis(true);
  engine_->files().Clear();
  for (const QString& f : files) engine_->files().Add(f.toStdString());
  bool ok = engine_->RunAnalysis(1);
  ShowSummary();
  return ok;
}

void TApdEditForm::ShowSummary() {
  QString text;
  WordStream& stream = engine_->stream();
  text += QString("%1 file(s), %2 words and end markers\n\n").arg(engine_->files().Count()).arg(stream.Count());
  stream.Rewind();
  WordInfo info;
  const char* sep = nullptr;
  int32_t pos = 0;
  QString line;
  int shown = 0;
  while (const char* w = stream.Next(info, sep, pos)) {
    if (w[0] == '/') {
      text += line.trimmed() + "\n";
      line.clear();
      if (++shown > 2000) break;
      continue;
    }
    line += ToQt(sep) + " " + ToQt(DisplayForm(w, info.capitalisation, info.apostrophePos, info.category, false));
  }
  RichEditTexte->setPlainText(text + line);
}

void TApdEditForm::OuvrirClick() {
  QStringList files = QFileDialog::getOpenFileNames(this, "Open", QString(), "Texts (*.txt);;All files (*)");
  if (!files.isEmpty()) AnalyserLeTexte(files);
}

void TApdEditForm::closeEvent(QCloseEvent* event) {
  engine_->StopEngine();
  event->accept();
}

}  // namespace malvex
