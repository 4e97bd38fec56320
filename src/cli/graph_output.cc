#include "cli/graph_output.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdlib>
#include <memory>

#include "cli/cli_options.h"
#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "qtcanvas/qpainter_canvas.h"
#include "semantic/analysis_context.h"
#include "settings/settings.h"
#include "views/analysis_graph_source.h"
#include "views/graph.h"
#include "views/lemma_list.h"
#include "views/scenario_group_hierarchy.h"
#include "views/selection_state.h"

namespace malvex {

namespace {

bool EndsWith(const std::string& s, const char* tail) {
  const std::string t(tail);
  return s.size() >= t.size() && s.compare(s.size() - t.size(), t.size(), t) == 0;
}

// The class of `name` (code page 1250) at `level`, 0 when none.
int32_t ClassAt(SemanticDictionary& dictionary, int level, const std::string& name) {
  std::string copy = name;
  const int32_t cls = dictionary.ClassNumberOfName(level, copy.c_str());
  return cls > 0 && dictionary.ClassName(level, cls) != nullptr ? cls : 0;
}

// The lemma `text` of the verbs, adjectives or substantives lists (in
// that order), as those lists show it: a word counted in the text.
bool FindLemma(Engine& engine, const std::string& text, uint32_t& lemma, uint8_t& category) {
  struct Source {
    uint8_t category;
    std::vector<LemmaRow> rows;
  };
  Source sources[3];
  sources[0].category = kClassVerb;
  if (LemmaIndex* verbs = engine.verbLemmas()) sources[0].rows = LemmaRows(*verbs, 1);
  sources[1].category = kClassAdjective;
  if (LemmaIndex* adjectives = engine.adjectiveLemmas()) sources[1].rows = LemmaRows(*adjectives, 1);
  sources[2].category = kClassSubstantive;
  sources[2].rows = LemmaRows(engine.semanticDictionary().nounLemmas(), 1);
  for (const Source& source : sources) {
    for (const LemmaRow& row : source.rows) {
      if (row.text == text) {
        lemma = row.lemma;
        category = source.category;
        return true;
      }
    }
  }
  return false;
}

}  // namespace

// Qt's own notices of the missing session (no runtime folder in a batch
// job) say nothing about the picture or the document; they are not passed
// on.
static void QuietSessionNotices(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type <= QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths:"))) return;
  std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, text).toLocal8Bit().constData());
}

void EnsureGuiApplication() {
  if (QCoreApplication::instance()) return;
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  qInstallMessageHandler(QuietSessionNotices);
  static int argc = 1;
  static char name[] = "malvex-cli";
  static char* argv[] = {name, nullptr};
  static std::unique_ptr<QGuiApplication> app = std::make_unique<QGuiApplication>(argc, argv);
}

int GraphTypeOfName(const std::string& name) {
  if (name == "areas") return kGraphAreas;
  if (name == "star") return kGraphStar;
  if (name == "distribution") return kGraphDistribution;
  if (name == "episodes") return kGraphEpisodes;
  if (name == "actors") return kGraphActors;
  return 0;
}

bool SelectGraphItem(Engine& engine, const std::string& item, std::optional<int> level, SelectionState& selection,
                     std::string& title, std::string& error) {
  selection.Clear();
  title.clear();
  if (item.empty()) return true;
  SemanticDictionary& dictionary = engine.semanticDictionary();
  const std::string text = FromUtf8(item);
  AnalysisContext* analysis = engine.analysis();
  const int relationLevel = analysis ? analysis->relationLevel() : 1;
  const size_t arrow = text.find(" > ");
  if (arrow != std::string::npos) {
    const int at = level.value_or(relationLevel);
    const std::string first = text.substr(0, arrow);
    const std::string second = text.substr(arrow + 3);
    const int32_t a = ClassAt(dictionary, at, first);
    const int32_t b = ClassAt(dictionary, at, second);
    if (a > 0 && b > 0) {
      selection.SelectRelation(at, static_cast<uint32_t>(a), static_cast<uint32_t>(b), first, second);
      title = first + " -> " + second;
      return true;
    }
    error = "no relation \"" + item + "\" at level " + std::to_string(at);
    return false;
  }
  int at = 0;
  int32_t cls = 0;
  if (level) {
    at = *level;
    cls = ClassAt(dictionary, at, text);
  } else {
    std::string copy = text;
    if (!dictionary.FindClassByName(copy.c_str(), at, cls)) {
      at = 4;
      cls = ClassAt(dictionary, 4, text);
    }
  }
  if (cls <= 0 && !level) {
    // Not a class: a word of the lemma lists, drawn as the star of its
    // neighbours, its category's words coloured as the window does.
    uint32_t lemma = 0;
    uint8_t category = 0;
    if (FindLemma(engine, text, lemma, category)) {
      if (category != kClassSubstantive) {
        selection.criteria[0] = ColorationCriterion{static_cast<uint16_t>(category + 1), 0};
        selection.BuildCriteria();
      }
      selection.SelectWord(lemma, category, text);
      title = selection.text;
      return true;
    }
  }
  if (cls <= 0) {
    error = "no class" + std::string(level ? "" : " or word") + " \"" + item + "\"" +
            (level ? " at level " + std::to_string(*level) : std::string());
    return false;
  }
  selection.SelectClass(at, static_cast<uint32_t>(cls), dictionary.ClassName(at, cls));
  title = selection.text;
  return true;
}

int WriteGraph(Engine& engine, const GraphRequest& request, std::FILE* err) {
  AnalysisContext* analysis = engine.analysis();
  if (!analysis) {
    std::fprintf(err, "malvex-cli: no analysis to draw a graph of\n");
    return kExitAnalysisFailed;
  }
  SelectionState selection;
  std::string title;
  std::string error;
  if (!SelectGraphItem(engine, request.item, request.level, selection, title, error)) {
    std::fprintf(err, "malvex-cli: --item: %s\n", error.c_str());
    return kExitUsage;
  }
  const bool needsItem = request.type == kGraphAreas || request.type == kGraphStar || request.type == kGraphActors;
  if (needsItem && title.empty()) {
    std::fprintf(err, "malvex-cli: --graph star, areas and actors need --item (a class, a word or a relation)\n");
    return kExitUsage;
  }

  EnsureGuiApplication();
  ScenarioGroupHierarchy groups(engine.scenarioLayer());
  AnalysisGraphSource source(*analysis, engine.semanticDictionary(), engine.stream(), engine.messages(), &groups);
  TGrapheMalvex graph(source, selection);
  GraphSettings settings = GraphSettings::FromRecord(engine.settings().record());
  settings.type = request.type;
  graph.SetSettings(settings);

  const CanvasRect rect{0, 0, request.width, request.height};
  const QString file = QString::fromStdString(request.output);
  bool written = false;
  if (EndsWith(request.output, ".svg")) {
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(QSize(request.width, request.height));
    svg.setViewBox(QRect(0, 0, request.width, request.height));
    svg.setTitle(QString::fromStdString(ToUtf8(title)));
    QPainter painter;
    if (painter.begin(&svg)) {
      QPainterCanvas canvas(painter);
      graph.Draw(canvas, rect, TGrapheMalvex::kHighlightNone, title);
      written = painter.end();
    }
  } else {
    QImage image(request.width, request.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      QPainterCanvas canvas(painter);
      graph.Draw(canvas, rect, TGrapheMalvex::kHighlightNone, title);
    }
    written = image.save(file, "PNG");
  }
  if (!written) {
    std::fprintf(err, "malvex-cli: cannot write %s\n", request.output.c_str());
    return kExitAnalysisFailed;
  }
  if (graph.DrawnType() == 0) {
    std::fprintf(err, "malvex-cli: %s: the graph has nothing to show for this item at %dx%d\n",
                 request.output.c_str(), request.width, request.height);
  }
  return kExitOk;
}

}  // namespace malvex
