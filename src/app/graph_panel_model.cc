#include "app/graph_panel_model.h"

#include <algorithm>

#include "settings/settings_record.h"

namespace malvex {

namespace {

bool LimitedType(int type) { return type == kGraphAreas || type == kGraphActors; }

// The graphs whose objects are classes: a click there can pick a class or
// a relation.
bool ClassGraph(int type) { return type == kGraphAreas || type == kGraphStar || type == kGraphActors; }

}  // namespace

GraphClickRule RuleOfClick(GraphModifiers modifiers, int graphType, bool showsSelection) {
  if (!showsSelection) return GraphClickRule::kSelect;
  if (modifiers.shift && LimitedType(graphType)) {
    return modifiers.ctrl ? GraphClickRule::kGrowLimit : GraphClickRule::kShrinkLimit;
  }
  // The switch needs a class under the mouse: on the distribution and
  // bundles graphs Ctrl clicks as a plain click.
  if (modifiers.ctrl && ClassGraph(graphType)) return GraphClickRule::kSwitchFunction;
  return GraphClickRule::kSelect;
}

int ShrunkObjectLimit(int objectsShown) {
  if (objectsShown <= 6) return 0;
  return std::clamp(objectsShown - 4, kGraphMinObjectLimit, kGraphMaxObjectLimit);
}

int GrownObjectLimit(int limit) {
  if (limit >= kGraphMaxObjectLimit) return 0;
  return std::clamp(limit + 4, kGraphMinObjectLimit, kGraphMaxObjectLimit);
}

int DistributionSliderValue(int graphWidth, int position) {
  if (position < 1) return 0;
  return graphWidth / 2 / position;
}

GraphPanelModel::GraphPanelModel(SettingsRecord& record, SelectionState& selection, GraphResultHost& host)
    : record_(record), selection_(selection), host_(host) {}

bool GraphPanelModel::ShowsSelection() const { return record_.graphShowsSelection(); }

int GraphPanelModel::GraphType() const { return record_.graphType(); }

GraphHover GraphPanelModel::MouseMove(bool found, int id, const std::string& hint, bool shiftOrLeftHeld) {
  GraphHover hover;
  hover.highlighted = highlighted_;
  if (!ShowsSelection() || !found) return hover;
  hover.hasObject = true;
  hover.hint = hint;
  if (shiftOrLeftHeld || id == highlighted_) return hover;
  highlighted_ = id;
  hover.highlighted = id;
  const int type = GraphType();
  hover.redraw = type == kGraphAreas || type == kGraphStar || type == kGraphActors;
  return hover;
}

GraphPanelOutcome GraphPanelModel::MouseUp(GraphModifiers modifiers, int objectsShown, const Click& click) {
  GraphPanelOutcome out;
  const SelectionState saved = selection_;
  const int type = GraphType();
  switch (RuleOfClick(modifiers, type, ShowsSelection())) {
    case GraphClickRule::kShrinkLimit: {
      const int limit = ShrunkObjectLimit(objectsShown);
      if (limit > 0 && limit != record_.graphObjectLimit()) {
        record_.setGraphObjectLimit(limit);
        out.redrawGraph = true;
      }
      return out;
    }
    case GraphClickRule::kGrowLimit: {
      const int limit = GrownObjectLimit(record_.graphObjectLimit());
      if (limit > 0) {
        record_.setGraphObjectLimit(limit);
        out.redrawGraph = true;
      }
      return out;
    }
    case GraphClickRule::kSwitchFunction: {
      const int level = host_.RelationLevel();
      const ResultKind kind = host_.ChosenKind();
      int target = -1;
      const bool toClasses = kind == ResultKind::kRelations;
      if (toClasses) {
        target = FunctionOfRelationLevel(level);
      } else if (kind != ResultKind::kNone && ClassLevelOfKind(kind) == level) {
        target = ResultFunctionTable::kRelations;
      }
      // A table too short for the target (a text of at most one word)
      // leaves the click a plain one.
      if (target < 0 || target >= host_.FunctionCount()) break;
      // The hit test comes first: a click on empty space leaves the list on
      // its function and line, and the selection as it was, so that both
      // still agree.
      const GraphClick hit = click(false);
      if (hit.kind != GraphClick::Kind::kClass) {
        selection_ = saved;
        out.toggleAllLines = type == kGraphActors;
        out.redrawGraph = out.toggleAllLines;
        return out;
      }
      if (!host_.ChooseFunction(target)) {
        selection_ = saved;
        return out;
      }
      if (toClasses) {
        host_.ShowClass(hit.level, hit.classId);
      } else {
        host_.ShowRelation(hit.level, hit.classId, hit.classId);
      }
      ForgetHighlight();
      out.listChanged = true;
      out.redrawGraph = true;
      out.redrawText = true;
      return out;
    }
    case GraphClickRule::kSelect:
      break;
  }
  const GraphClick hit = click(host_.ChosenKind() == ResultKind::kRelations);
  if (hit.kind == GraphClick::Kind::kNothing) {
    selection_ = saved;
    if (type == kGraphActors && ShowsSelection()) {
      out.toggleAllLines = true;
      out.redrawGraph = true;
    }
    return out;
  }
  return Select(hit);
}

GraphPanelOutcome GraphPanelModel::Select(const GraphClick& click) {
  GraphPanelOutcome out;
  switch (click.kind) {
    case GraphClick::Kind::kNothing:
      return out;
    case GraphClick::Kind::kClass:
      host_.ShowClass(click.level, click.classId);
      out.listChanged = true;
      break;
    case GraphClick::Kind::kRelation:
      host_.ShowRelation(click.level, click.firstClass, click.secondClass);
      out.listChanged = true;
      break;
    case GraphClick::Kind::kTextPosition:
      host_.ShowTextAt(click.position);
      out.redrawText = true;
      // The distribution graph stays as drawn.
      return out;
    case GraphClick::Kind::kBundle:
      host_.ShowSelection();
      out.listChanged = true;
      break;
  }
  ForgetHighlight();
  out.redrawGraph = true;
  out.redrawText = true;
  return out;
}

GraphPanelOutcome GraphPanelModel::ChooseType(int type, bool toolbar, int panelHeight) {
  GraphPanelOutcome out;
  if (type < kGraphAreas || type > kGraphActors) return out;
  const bool changed = type != GraphType();
  record_.setGraphType(type);
  if (changed) ForgetHighlight();
  if (!toolbar) {
    out.redrawGraph = changed && ShowsSelection();
    return out;
  }
  if (panelHeight < kGraphPanelSqueezedBelow) out.panelHeight = kGraphPanelRestoredHeight;
  if (!ShowsSelection()) {
    record_.setGraphShowsSelection(true);
    out.redrawGraph = true;
  }
  if (host_.ChosenFunction() < 0 && ResultFunctionTable::kReferences < host_.FunctionCount() &&
      host_.ChooseFunction(ResultFunctionTable::kReferences)) {
    host_.ChooseItem(0);
    out.listChanged = true;
    out.redrawText = true;
    out.redrawGraph = true;
  }
  out.redrawGraph = out.redrawGraph || changed;
  return out;
}

GraphPanelOutcome GraphPanelModel::Hide() {
  GraphPanelOutcome out;
  if (!ShowsSelection()) return out;
  record_.setGraphShowsSelection(false);
  ForgetHighlight();
  out.redrawGraph = true;
  return out;
}

bool GraphPanelModel::SliderRange(int& minimum, int& maximum, int& position) const {
  const int type = GraphType();
  if (LimitedType(type)) {
    minimum = kGraphMinObjectLimit;
    maximum = kGraphMaxObjectLimit;
    position = std::clamp(record_.graphObjectLimit(), minimum, maximum);
    return true;
  }
  if (type == kGraphDistribution) {
    minimum = kGraphMinBarWidth;
    maximum = kGraphMaxBarWidth;
    position = std::clamp(record_.distributionBarWidth(), minimum, maximum);
    return true;
  }
  return false;
}

int GraphPanelModel::SliderValue(int graphWidth) const {
  const int type = GraphType();
  if (LimitedType(type)) return std::clamp(record_.graphObjectLimit(), kGraphMinObjectLimit, kGraphMaxObjectLimit);
  if (type == kGraphDistribution) {
    return DistributionSliderValue(graphWidth, std::max(record_.distributionBarWidth(), kGraphMinBarWidth));
  }
  return -1;
}

GraphPanelOutcome GraphPanelModel::SliderChanged(int position, int graphWidth, int& shownValue) {
  GraphPanelOutcome out;
  shownValue = -1;
  if (!ShowsSelection()) return out;
  const int type = GraphType();
  if (LimitedType(type)) {
    const int limit = std::clamp(position, kGraphMinObjectLimit, kGraphMaxObjectLimit);
    shownValue = limit;
    if (limit == record_.graphObjectLimit()) return out;
    record_.setGraphObjectLimit(limit);
  } else if (type == kGraphDistribution) {
    shownValue = DistributionSliderValue(graphWidth, position);
    const int width = std::clamp(position, kGraphMinBarWidth, kGraphMaxBarWidth);
    if (width == record_.distributionBarWidth()) return out;
    record_.setDistributionBarWidth(width);
  } else {
    return out;
  }
  ForgetHighlight();
  out.redrawGraph = true;
  return out;
}

}  // namespace malvex
