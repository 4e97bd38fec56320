// The graph panel of the main window: the picture TGrapheMalvex draws of
// the selection (kept as an image and drawn again only when the selection,
// a setting, the highlighted object or the size changed), the graph slider
// and its value, and the graph pop-up. Mouse events go to GraphPanelModel.
#pragma once

#include <QAction>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QWidget>
#include <memory>

#include "app/graph_panel_model.h"
#include "views/graph.h"

namespace malvex {

class AnalysisGraphSource;
class Engine;
class Messages;
class ResultPanelModel;
class ScenarioGroupHierarchy;
class TGraphPanel;

// The area the graph is painted in.
class TImageGraphe : public QWidget {
 public:
  explicit TImageGraphe(TGraphPanel& panel);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TGraphPanel& panel_;
};

class TGraphPanel : public QWidget {
  Q_OBJECT
 public:
  // `engine` and `results` must outlive the panel; `selection` is the
  // window's.
  TGraphPanel(Engine& engine, ResultPanelModel& results, SelectionState& selection, QWidget* parent = nullptr);
  ~TGraphPanel() override;

  // After an analysis: the graph reads the new analysis. Before the
  // analysis is freed (the text closed, another run): the graph forgets it
  // and the panel is drawn empty.
  void AnalysisDone();
  void AnalysisClosing();

  // The selection or a graph or colour setting changed: the graph is
  // drawn again at the next paint.
  void Changed();

  // A Graphs menu or toolbar command: stores the type, shows the graph
  // (and a function when none was chosen).
  void ToolButtonGraphe(int type);
  // Edit, Copy the graph and the pop-up's Copy: the picture on the
  // clipboard; false, with the status line saying so, when nothing is drawn
  // or the clipboard did not take it.
  bool CopyGraphDsClipBrdClick();
  // The picture as last drawn (null before any draw).
  const QImage& picture() const { return picture_; }
  // Whether a graph is drawn (a text analysed and the graph not hidden).
  bool GraphDrawn() const;

  GraphPanelModel& model() { return *model_; }
  TGrapheMalvex* graph() { return graph_.get(); }
  // How many times the graph was drawn (each draw reads the stores).
  int drawCount() const { return drawCount_; }

  TImageGraphe* ImageGraphe = nullptr;
  QSlider* TrackBar1 = nullptr;
  QLabel* LabelTrackBar = nullptr;
  QMenu* PopupMenuImageGraphe = nullptr;
  QAction* PopupGrapheEtoile = nullptr;
  QAction* PopupGrapheAires = nullptr;
  QAction* PopupGrapheDensite = nullptr;
  QAction* PopupGrapheRafales = nullptr;
  QAction* PopupGrapheActeurs = nullptr;
  QAction* PopupImageGrapheCacher = nullptr;
  QAction* PopupImageGrapheCopier = nullptr;
  QAction* PopupImageGraphePropriete = nullptr;
  QAction* PopupImageGrapheCouleurs = nullptr;
  void PopupMenuImageGraphePopup();

  // Forwarded by the image.
  void ImageGrapheMouseMove(int x, int y, bool shiftOrLeftHeld);
  void ImageGrapheMouseUp(int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  void PaintGraph(QWidget& on);
  void TrackBar1Change(int position);

 Q_SIGNALS:
  // A text for the status line.
  void StatusText(const QString& text);
  // A click changed the selection (and the result list when `list`): the
  // window shows the results panel and the text again.
  void SelectionChanged(bool list);
  // A graph command wants the panel at least this high.
  void HeightWanted(int height);
  // The pop-up's Properties and Colours.
  void PropertiesWanted();
  void ColoursWanted();

 private:
  void Apply(const GraphPanelOutcome& outcome);
  void ShowSlider();
  void Draw();
  std::string Title() const;

  class ResultHost;
  Engine& engine_;
  ResultPanelModel& results_;
  SelectionState& selection_;
  std::unique_ptr<ResultHost> host_;
  std::unique_ptr<GraphPanelModel> model_;
  std::unique_ptr<ScenarioGroupHierarchy> groups_;
  std::unique_ptr<AnalysisGraphSource> source_;
  std::unique_ptr<TGrapheMalvex> graph_;
  QImage picture_;
  bool dirty_ = true;
  bool toggleLines_ = false;
  int drawCount_ = 0;
};

}  // namespace malvex
