#include "cli/pdf_output.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrinter>
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "cli/cli_options.h"
#include "cli/graph_output.h"
#include "engine/engine.h"
#include "qtcanvas/paged_print_target.h"
#include "semantic/analysis_context.h"
#include "settings/settings.h"
#include "views/analysis_graph_source.h"
#include "views/graph.h"
#include "views/print_reports.h"
#include "views/scenario_group_hierarchy.h"
#include "views/selection_state.h"

namespace malvex {

int WritePdf(Engine& engine, const PdfRequest& request, std::FILE* err) {
  PrintChoices choices{};
  for (int report : request.reports)
    if (report >= 0 && report < kPrintReportCount) choices[static_cast<size_t>(report)] = true;

  PrintSources sources;
  sources.engine = &engine;
  sources.files = request.files;
  sources.rateBase = RateBaseOf(engine);
  sources.colour = engine.record().printInColour();

  // The selection --item names: the Graph report draws it, the text
  // report prints its words in bold.
  SelectionState selection;
  std::string title;
  AnalysisContext* analysis = engine.analysis();
  if (!request.graphItem.empty() || request.graphType != 0) {
    std::string error;
    if (analysis != nullptr &&
        !SelectGraphItem(engine, request.graphItem, request.graphLevel, selection, title, error)) {
      std::fprintf(err, "malvex-cli: --item: %s\n", error.c_str());
      return kExitUsage;
    }
  }
  sources.selection = &selection;
  if (choices[kPrintGraph] && request.graphType == 0)
    std::fprintf(err, "malvex-cli: --reports graph needs --graph TYPE (and --item TEXT): no graph printed\n");

  EnsureGuiApplication();
  std::unique_ptr<ScenarioGroupHierarchy> groups;
  std::unique_ptr<AnalysisGraphSource> source;
  std::unique_ptr<TGrapheMalvex> graph;
  if (analysis != nullptr && request.graphType != 0 && choices[kPrintGraph]) {
    groups = std::make_unique<ScenarioGroupHierarchy>(engine.scenarioLayer());
    source = std::make_unique<AnalysisGraphSource>(*analysis, engine.semanticDictionary(), engine.stream(),
                                                   engine.messages(), groups.get());
    graph = std::make_unique<TGrapheMalvex>(*source, selection);
    GraphSettings settings = GraphSettings::FromRecord(engine.settings().record());
    settings.type = request.graphType;
    graph->SetSettings(settings);
    sources.graph = graph.get();
    sources.graphSelection = title;
  }
  sources.groups = groups.get();

  QPrinter printer(QPrinter::HighResolution);
  const QString file = QString::fromLocal8Bit(request.output.c_str());
  SetUpPdfPrinter(printer, file);
  printer.setDocName(QFileInfo(file).completeBaseName());
  PrintFont font;
  font.pointSize = request.pointSize;
  PrintJobResult result;
  const bool written = PrintOnPrinter(printer, font, [&](PrintTarget& target) {
    result = PrintReports(target, sources, choices, request.pointSize);
  });
  if (!written || !QFileInfo::exists(file)) {
    std::fprintf(err, "malvex-cli: cannot write %s\n", request.output.c_str());
    return kExitAnalysisFailed;
  }
  if (result.reports == 0) std::fprintf(err, "malvex-cli: --pdf: none of the reports had anything to print\n");
  return kExitOk;
}

}  // namespace malvex
