// The graph panel of the main window without its widgets: what a mouse
// move, a click (with Shift, Ctrl or both), a graph type command, the
// hide command and the graph slider do to the selection, the result list
// and the graph settings, and when the graph must be drawn again. The
// widget forwards its events here and paints what TGrapheMalvex draws.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "views/graph.h"
#include "views/result_function_table.h"
#include "views/selection_state.h"

namespace malvex {

class SettingsRecord;

// Range of the object limit of the areas and actors graphs.
inline constexpr int kGraphMinObjectLimit = 4;
inline constexpr int kGraphMaxObjectLimit = 100;
// Range the slider gives the distribution graph's bar width.
inline constexpr int kGraphMinBarWidth = 14;
inline constexpr int kGraphMaxBarWidth = 100;
// Height the panel gets back from a graph command when it was squeezed.
inline constexpr int kGraphPanelRestoredHeight = 200;
inline constexpr int kGraphPanelSqueezedBelow = 10;

struct GraphModifiers {
  bool shift = false;
  bool ctrl = false;
};

// What releasing the mouse over the graph does.
enum class GraphClickRule {
  kShrinkLimit,     // Shift on areas or actors: fewer objects
  kGrowLimit,       // Ctrl+Shift on areas or actors: more objects
  kSwitchFunction,  // Ctrl: between the relations and the classes of the relation level
  kSelect,          // the object under the mouse becomes the selection
};
GraphClickRule RuleOfClick(GraphModifiers modifiers, int graphType, bool showsSelection);

// The object limit a Shift click leaves when the graph shows
// `objectsShown` objects: four fewer than shown, never below 4; 0 when
// the graph shows at most 6 (nothing changes).
int ShrunkObjectLimit(int objectsShown);
// The limit after a Ctrl+Shift click: 4 more, at most 100; 0 when the
// limit is already 100 or more (nothing changes).
int GrownObjectLimit(int limit);
// The value shown beside the slider of the distribution graph: half the
// graph's width divided by the bar width (0 below 1).
int DistributionSliderValue(int graphWidth, int position);

// The result panel as the graph panel drives it.
class GraphResultHost {
 public:
  virtual ~GraphResultHost() = default;
  virtual int FunctionCount() const = 0;
  virtual int ChosenFunction() const = 0;
  virtual ResultKind ChosenKind() const = 0;
  virtual int ChosenItem() const = 0;
  virtual bool ChooseFunction(int position) = 0;
  virtual bool ChooseItem(int index) = 0;
  // Makes the class (relation) the selection, choosing its line when the
  // result list holds it, and shows its extracts from the start.
  virtual void ShowClass(int level, int32_t cls) = 0;
  virtual void ShowRelation(int level, int32_t first, int32_t second) = 0;
  // Shows the extracts of the selection as it stands (a bundle's class
  // and span) from the start.
  virtual void ShowSelection() = 0;
  // Moves the text view to `position`.
  virtual void ShowTextAt(int32_t position) = 0;
  virtual int RelationLevel() const = 0;
};

// What a release or a command asks of the widget.
struct GraphPanelOutcome {
  bool redrawGraph = false;
  bool redrawText = false;
  // The result list or its chosen line changed: the results panel shows
  // the model again.
  bool listChanged = false;
  // Actors map: the next draw shows (or hides) every line.
  bool toggleAllLines = false;
  // A graph command: the panel is shown at this height (0: unchanged).
  int panelHeight = 0;
};

// What the mouse over the graph gives.
struct GraphHover {
  bool hasObject = false;
  std::string hint;  // for the status line
  bool redraw = false;
  int highlighted = TGrapheMalvex::kHighlightNone;
};

class GraphPanelModel {
 public:
  // The graph's click at the point; `relationListShown` says whether a
  // click should select the relation of the last two classes clicked.
  using Click = std::function<GraphClick(bool relationListShown)>;

  // All three must outlive the model.
  GraphPanelModel(SettingsRecord& record, SelectionState& selection, GraphResultHost& host);

  // Whether the graph shows the selection (cleared by Hide).
  bool ShowsSelection() const;
  int GraphType() const;

  // The object highlighted last; forgotten when the graph is drawn anew
  // for another reason (a new selection, type or size).
  int highlighted() const { return highlighted_; }
  void ForgetHighlight() { highlighted_ = TGrapheMalvex::kHighlightNone; }

  // The mouse moved; `found`, `id` and `hint` are the graph's hit test at
  // the point. A redraw is asked only for another object of the areas,
  // star or actors graph, and never while Shift or the left button is
  // held.
  GraphHover MouseMove(bool found, int id, const std::string& hint, bool shiftOrLeftHeld);

  // The mouse was released with `modifiers` over a graph that shows
  // `objectsShown` objects.
  GraphPanelOutcome MouseUp(GraphModifiers modifiers, int objectsShown, const Click& click);

  // A graph type from the pop-up (`toolbar` false) or from the Graphs menu
  // and toolbar (true), the panel being `panelHeight` high.
  GraphPanelOutcome ChooseType(int type, bool toolbar, int panelHeight);
  // Hide the graph: the panel is drawn empty.
  GraphPanelOutcome Hide();

  // The slider's range and position for the current type; false when the
  // slider does nothing for it.
  bool SliderRange(int& minimum, int& maximum, int& position) const;
  // The slider moved to `position` over a graph `graphWidth` wide;
  // `shownValue` receives the value shown beside it (-1: none).
  GraphPanelOutcome SliderChanged(int position, int graphWidth, int& shownValue);
  // The value beside the slider for the current settings.
  int SliderValue(int graphWidth) const;

 private:
  GraphPanelOutcome Select(const GraphClick& click);

  SettingsRecord& record_;
  SelectionState& selection_;
  GraphResultHost& host_;
  int highlighted_ = TGrapheMalvex::kHighlightNone;
};

}  // namespace malvex
