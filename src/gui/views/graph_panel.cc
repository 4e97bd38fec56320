#include "gui/views/graph_panel.h"

#include <QActionGroup>
#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>

#include "app/result_panel_model.h"
#include "engine/engine.h"
#include "gui/qt_text.h"
#include "qtcanvas/qpainter_canvas.h"
#include "views/analysis_graph_source.h"
#include "views/scenario_group_hierarchy.h"

namespace malvex {

namespace {

constexpr int kMsgHideGraph = 2151;
constexpr int kMsgGraphProperties = 2152;
constexpr int kMsgErrorTitle = 61;

}  // namespace

// The results panel model as the graph panel drives it.
class TGraphPanel::ResultHost : public GraphResultHost {
 public:
  ResultHost(Engine& engine, ResultPanelModel& results) : engine_(engine), results_(results) {}

  int FunctionCount() const override { return results_.Analysed() ? results_.FunctionCount() : 0; }
  int ChosenFunction() const override { return results_.chosenFunction(); }
  ResultKind ChosenKind() const override { return results_.chosenKind(); }
  int ChosenItem() const override { return results_.chosenItem(); }
  bool ChooseFunction(int position) override { return results_.ChooseFunction(position); }
  bool ChooseItem(int index) override { return results_.ChooseItem(index); }
  void ShowClass(int level, int32_t cls) override { results_.ShowGraphClass(level, cls); }
  void ShowRelation(int level, int32_t first, int32_t second) override {
    results_.ShowGraphRelation(level, first, second);
  }
  void ShowSelection() override { results_.ShowSelectionExtracts(); }
  void ShowTextAt(int32_t position) override { results_.ShowTextAt(position); }
  int RelationLevel() const override {
    const AnalysisContext* analysis = engine_.analysis();
    return analysis != nullptr ? analysis->relationLevel() : engine_.record().relationLevel();
  }

 private:
  Engine& engine_;
  ResultPanelModel& results_;
};

// ------------------------------------------------------------ TImageGraphe

TImageGraphe::TImageGraphe(TGraphPanel& panel) : QWidget(&panel), panel_(panel) {
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumHeight(1);
}

void TImageGraphe::paintEvent(QPaintEvent*) { panel_.PaintGraph(*this); }

void TImageGraphe::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const bool held = (event->modifiers() & Qt::ShiftModifier) || (event->buttons() & Qt::LeftButton);
  panel_.ImageGrapheMouseMove(at.x(), at.y(), held);
}

void TImageGraphe::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  panel_.ImageGrapheMouseUp(at.x(), at.y(), event->button(), event->modifiers());
}

void TImageGraphe::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  panel_.Changed();
}

// ------------------------------------------------------------- TGraphPanel

TGraphPanel::TGraphPanel(Engine& engine, ResultPanelModel& results, SelectionState& selection, QWidget* parent)
    : QWidget(parent),
      engine_(engine),
      results_(results),
      selection_(selection),
      host_(std::make_unique<ResultHost>(engine, results)),
      model_(std::make_unique<GraphPanelModel>(engine.record(), selection, *host_)) {
  Messages& msg = engine_.messages();
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  ImageGraphe = new TImageGraphe(*this);
  layout->addWidget(ImageGraphe, 1);
  auto* sliderRow = new QHBoxLayout();
  sliderRow->setContentsMargins(4, 0, 4, 0);
  TrackBar1 = new QSlider(Qt::Horizontal, this);
  LabelTrackBar = new QLabel(this);
  LabelTrackBar->setMinimumWidth(40);
  sliderRow->addWidget(TrackBar1, 1);
  sliderRow->addWidget(LabelTrackBar);
  layout->addLayout(sliderRow);
  connect(TrackBar1, &QSlider::valueChanged, this, [this](int v) { TrackBar1Change(v); });

  PopupMenuImageGraphe = new QMenu(this);
  auto* types = new QActionGroup(this);
  struct TypeItem {
    QAction** action;
    QString text;
    int type;
  };
  const TypeItem items[] = {
      {&PopupGrapheEtoile, "&" + ToQt(msg.message(2004)), kGraphStar},
      {&PopupGrapheAires, "&" + ToQt(msg.message(1156)), kGraphAreas},
      {&PopupGrapheDensite, "&" + ToQt(msg.message(2005)), kGraphDistribution},
      {&PopupGrapheRafales, "&" + ToQt(msg.message(570)), kGraphEpisodes},
      {&PopupGrapheActeurs, "A&" + ToQt(msg.message(1245)).mid(1), kGraphActors},
  };
  for (const TypeItem& item : items) {
    QAction* a = *item.action = PopupMenuImageGraphe->addAction(item.text);
    a->setCheckable(true);
    types->addAction(a);
    const int type = item.type;
    connect(a, &QAction::triggered, this, [this, type] { Apply(model_->ChooseType(type, false, ImageGraphe->height())); });
  }
  PopupMenuImageGraphe->addSeparator();
  PopupImageGrapheCouleurs = PopupMenuImageGraphe->addAction(ToQt(msg.message(543)) + "...");
  PopupImageGraphePropriete = PopupMenuImageGraphe->addAction(ToQt(msg.message(kMsgGraphProperties)) + "...");
  PopupImageGrapheCopier = PopupMenuImageGraphe->addAction(ToQt(msg.message(2013)));
  PopupImageGrapheCacher = PopupMenuImageGraphe->addAction(ToQt(msg.message(kMsgHideGraph)));
  connect(PopupImageGrapheCouleurs, &QAction::triggered, this, [this] { Q_EMIT ColoursWanted(); });
  connect(PopupImageGraphePropriete, &QAction::triggered, this, [this] { Q_EMIT PropertiesWanted(); });
  connect(PopupImageGrapheCopier, &QAction::triggered, this, [this] { CopyGraphDsClipBrdClick(); });
  connect(PopupImageGrapheCacher, &QAction::triggered, this, [this] {
    if (results_.Analysed()) Apply(model_->Hide());
  });
  connect(PopupMenuImageGraphe, &QMenu::aboutToShow, this, [this] { PopupMenuImageGraphePopup(); });
  ImageGraphe->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ImageGraphe, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { PopupMenuImageGraphe->popup(ImageGraphe->mapToGlobal(at)); });
  PopupMenuImageGraphePopup();
  ShowSlider();
}

TGraphPanel::~TGraphPanel() = default;

void TGraphPanel::AnalysisDone() {
  graph_.reset();
  source_.reset();
  groups_.reset();
  AnalysisContext* analysis = engine_.analysis();
  if (analysis != nullptr) {
    groups_ = std::make_unique<ScenarioGroupHierarchy>(engine_.scenarioLayer());
    source_ = std::make_unique<AnalysisGraphSource>(*analysis, engine_.semanticDictionary(), engine_.stream(),
                                                    engine_.messages(), groups_.get());
    graph_ = std::make_unique<TGrapheMalvex>(*source_, selection_);
  }
  model_->ForgetHighlight();
  Changed();
}

void TGraphPanel::AnalysisClosing() {
  graph_.reset();
  source_.reset();
  groups_.reset();
  model_->ForgetHighlight();
  Changed();
}

void TGraphPanel::Changed() {
  dirty_ = true;
  ShowSlider();
  ImageGraphe->update();
}

bool TGraphPanel::GraphDrawn() const { return graph_ != nullptr && model_->ShowsSelection(); }

std::string TGraphPanel::Title() const {
  if (!selection_.active) return std::string();
  if (selection_.kind == kSelectRelation) return selection_.text + " -> " + selection_.secondText;
  return selection_.text;
}

void TGraphPanel::Draw() {
  const QSize size = ImageGraphe->size();
  picture_ = QImage(std::max(size.width(), 1), std::max(size.height(), 1), QImage::Format_RGB32);
  const GraphSettings settings = GraphSettings::FromRecord(engine_.record());
  picture_.fill(ToQColor(settings.colours[kColourBackground]));
  dirty_ = false;
  if (!GraphDrawn()) {
    toggleLines_ = false;
    return;
  }
  graph_->SetSettings(settings);
  graph_->SetRelationListShown(results_.chosenKind() == ResultKind::kRelations);
  const int role = std::clamp(results_.selectionColour(), 0, GraphSettings::kColourTableSize - 1);
  graph_->SetSelectionColour(settings.colours[role]);
  const int highlight = toggleLines_ ? TGrapheMalvex::kToggleAllLines : model_->highlighted();
  toggleLines_ = false;
  QPainter painter(&picture_);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  QPainterCanvas canvas(painter);
  graph_->Draw(canvas, CanvasRect{0, 0, picture_.width(), picture_.height()}, highlight, Title());
  ++drawCount_;
}

void TGraphPanel::PaintGraph(QWidget& on) {
  if (dirty_ || picture_.size() != on.size()) Draw();
  QPainter painter(&on);
  painter.drawImage(0, 0, picture_);
}

void TGraphPanel::ImageGrapheMouseMove(int x, int y, bool shiftOrLeftHeld) {
  if (!GraphDrawn() || engine_.run().running) return;
  std::string hint;
  int id = 0;
  const bool found = graph_->HintAt(x, y, hint, id);
  const GraphHover hover = model_->MouseMove(found, id, hint, shiftOrLeftHeld);
  if (hover.hasObject) {
    ImageGraphe->setToolTip(ToQt(hover.hint));
    Q_EMIT StatusText(ToQt(hover.hint));
  }
  if (hover.redraw) Changed();
}

void TGraphPanel::ImageGrapheMouseUp(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers) {
  // The right button only opens the pop-up.
  if (button != Qt::LeftButton || graph_ == nullptr || engine_.run().running) return;
  const GraphModifiers m{(modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::ControlModifier) != 0};
  const GraphPanelOutcome outcome =
      model_->MouseUp(m, graph_->ObjectCount(), [this, x, y](bool relationListShown) {
        graph_->SetRelationListShown(relationListShown);
        return graph_->ClickAt(x, y);
      });
  Apply(outcome);
}

void TGraphPanel::Apply(const GraphPanelOutcome& outcome) {
  if (outcome.panelHeight > 0) Q_EMIT HeightWanted(outcome.panelHeight);
  if (outcome.toggleAllLines) toggleLines_ = true;
  if (outcome.listChanged || outcome.redrawText) Q_EMIT SelectionChanged(outcome.listChanged);
  if (outcome.redrawGraph) Changed();
  PopupMenuImageGraphePopup();
}

void TGraphPanel::ToolButtonGraphe(int type) {
  if (!results_.Analysed()) return;
  Apply(model_->ChooseType(type, true, ImageGraphe->height()));
  setVisible(true);
}

void TGraphPanel::PopupMenuImageGraphePopup() {
  const int type = model_->GraphType();
  const bool analysed = results_.Analysed();
  for (QAction* a : {PopupGrapheEtoile, PopupGrapheAires, PopupGrapheDensite, PopupGrapheRafales, PopupGrapheActeurs}) {
    a->setEnabled(analysed);
  }
  PopupGrapheEtoile->setChecked(type == kGraphStar);
  PopupGrapheAires->setChecked(type == kGraphAreas);
  PopupGrapheDensite->setChecked(type == kGraphDistribution);
  PopupGrapheRafales->setChecked(type == kGraphEpisodes);
  PopupGrapheActeurs->setChecked(type == kGraphActors);
  PopupImageGrapheCopier->setEnabled(GraphDrawn());
  PopupImageGrapheCacher->setEnabled(GraphDrawn());
}

void TGraphPanel::ShowSlider() {
  int minimum = 0, maximum = 0, position = 0;
  const bool used = GraphDrawn() && model_->SliderRange(minimum, maximum, position);
  {
    const QSignalBlocker quiet(TrackBar1);
    if (used) {
      TrackBar1->setRange(minimum, maximum);
      TrackBar1->setValue(position);
    }
  }
  TrackBar1->setEnabled(used);
  const int value = used ? model_->SliderValue(ImageGraphe->width()) : -1;
  LabelTrackBar->setText(value >= 0 ? QString::number(value) : QString());
}

void TGraphPanel::TrackBar1Change(int position) {
  int shown = -1;
  const GraphPanelOutcome outcome = model_->SliderChanged(position, ImageGraphe->width(), shown);
  if (shown >= 0) LabelTrackBar->setText(QString::number(shown));
  if (outcome.redrawGraph) {
    dirty_ = true;
    ImageGraphe->update();
  }
}

bool TGraphPanel::CopyGraphDsClipBrdClick() {
  if (!GraphDrawn()) return false;
  if (dirty_ || picture_.isNull()) Draw();
  QClipboard* clipboard = QGuiApplication::clipboard();
  bool taken = false;
  if (clipboard != nullptr) {
    clipboard->setImage(picture_);
    taken = !clipboard->image().isNull();
  }
  if (!taken) Q_EMIT StatusText(ToQt(engine_.messages().title(kMsgErrorTitle)));
  return taken;
}

}  // namespace malvex
