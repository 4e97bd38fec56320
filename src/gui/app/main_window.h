// The main window: starts the engine when created, analyses the texts the
// user opens, and shuts the engine down when closed.
#pragma once

#include <QMainWindow>
#include <QPlainTextEdit>
#include <memory>

#include "gui/qt_front_end.h"
#include "reading/engine.h"

namespace malvex {

class TApdEditForm : public QMainWindow {
  Q_OBJECT
 public:
  TApdEditForm(QtFrontEnd& frontEnd, EngineOptions options);
  ~TApdEditForm() override;

  // False when the engine could not start; the application then ends.
  bool EngineStarted() const { return engine_->Started(); }
  Engine& engine() { return *engine_; }

  // Analyses `files` as one text and shows the outcome.
  bool AnalyserLeTexte(const QStringList& files);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void OuvrirClick();
  void ShowSummary();

  QtFrontEnd& frontEnd_;
  std::unique_ptr<Engine> engine_;
  QPlainTextEdit* RichEditTexte;
};

}  // namespace malvex
