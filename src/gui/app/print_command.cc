#include "gui/app/print_command.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProgressDialog>
#include <memory>

#include "app/print_options_model.h"
#include "engine/engine.h"
#include "gui/app/main_window.h"
#include "gui/qt_text.h"
#include "gui/views/form_param_impression.h"
#include "qtcanvas/paged_print_target.h"
#include "reading/file_list.h"
#include "views/graph.h"
#include "views/print_reports.h"
#include "views/scenario_group_hierarchy.h"

namespace malvex {

namespace {

constexpr int kPdfFilterMessage = 2332;  // "PDF files (*.pdf)"
constexpr int kPrintMessage = 606;
constexpr int kCancelMessage = 661;
constexpr int kToPdfMessage = 2331;

QString Text(TApdEditForm& window, int id) { return ToQt(window.engine().messages().message(id)); }

// The sources of a print job: the window's analysis, text view, selection
// and graph.
PrintSources SourcesOf(TApdEditForm& window, const ScenarioGroupHierarchy* groups) {
  Engine& engine = window.engine();
  PrintSources sources;
  sources.engine = &engine;
  sources.textView = window.textView();
  sources.selection = &window.selection();
  sources.groups = groups;
  if (window.GraphPanel != nullptr && window.GraphPanel->graph() != nullptr && engine.analysis() != nullptr) {
    sources.graph = window.GraphPanel->graph();
    sources.graphSelection = window.selection().text;
  }
  sources.rateBase = RateBaseOf(engine);
  sources.colour = engine.record().printInColour();
  for (int i = 1; i <= engine.files().Count(); ++i) sources.files.push_back(engine.files().Get(i));
  return sources;
}

bool Print(TApdEditForm& window, QPrinter& printer, PrintSources& sources, const PrintChoices& choices,
           const PrintFont& font) {
  QProgressDialog progress(Text(window, kPrintMessage), Text(window, kCancelMessage), 0, 0, &window);
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(500);
  QElapsedTimer sinceEvents;
  sinceEvents.start();
  // The cancel button is read between lines; events are let through a few
  // times a second only.
  auto cancelled = [&] {
    if (sinceEvents.elapsed() > 100) {
      QCoreApplication::processEvents();
      sinceEvents.restart();
    }
    return progress.wasCanceled();
  };
  PrintJobResult result;
  const bool ok = PrintOnPrinter(
      printer, font, [&](PrintTarget& target) { result = PrintReports(target, sources, choices, font.pointSize); },
      cancelled);
  // The graph panel shows the screen graph again.
  if (window.GraphPanel != nullptr) window.GraphPanel->update();
  if (result.cancelled) printer.abort();
  return ok && !result.cancelled;
}

}  // namespace

bool PrintFromWindow(TApdEditForm& window) {
  Engine& engine = window.engine();
  ScenarioGroupHierarchy groups(engine.scenarioLayer());
  PrintSources sources = SourcesOf(window, &groups);
  PrintOptionsModel model(engine.record());
  model.FormShow(sources);
  const bool printerAvailable = !QPrinterInfo::availablePrinterNames().isEmpty();
  TFormParamImpression form(model, engine.messages(), printerAvailable, &window);
  if (form.exec() != QDialog::Accepted) return false;
  sources.colour = model.colour();
  PrintFont font;
  font.family = QString::fromStdString(model.fontFamily());
  font.pointSize = model.pointSize();

  QPrinter printer(QPrinter::HighResolution);
  if (form.ToPdf() || !printerAvailable) {
    const QFileInfo first(QString::fromLocal8Bit(sources.files.empty() ? "" : sources.files.front().c_str()));
    const QString suggested = first.fileName().isEmpty() ? QString("malvex.pdf") : first.completeBaseName() + ".pdf";
    const QString file = QFileDialog::getSaveFileName(&window, Text(window, kToPdfMessage), suggested,
                                                      Text(window, kPdfFilterMessage), nullptr,
                                                      QFileDialog::DontUseNativeDialog);
    if (file.isEmpty()) return false;
    SetUpPdfPrinter(printer, file);
  } else {
    QPrintDialog dialog(&printer, &window);
    if (dialog.exec() != QDialog::Accepted) return false;
  }
  printer.setDocName(window.windowTitle());
  return Print(window, printer, sources, model.Choices(), font);
}

bool PrintWindowToPdf(TApdEditForm& window, const QString& file) {
  Engine& engine = window.engine();
  ScenarioGroupHierarchy groups(engine.scenarioLayer());
  PrintSources sources = SourcesOf(window, &groups);
  PrintOptionsModel model(engine.record());
  model.FormShow(sources);
  QPrinter printer(QPrinter::HighResolution);
  SetUpPdfPrinter(printer, file);
  PrintFont font;
  font.pointSize = model.pointSize();
  return Print(window, printer, sources, model.Choices(), font) && QFileInfo::exists(file);
}

}  // namespace malvex
