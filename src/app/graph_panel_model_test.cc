#include "app/graph_panel_model.h"

#include <gtest/gtest.h>

#include <vector>

#include "settings/settings_record.h"

namespace malvex {
namespace {

// A result panel with the eleven fixed functions (or a short table): the
// chosen function and line, and what was shown.
class FakeResults : public GraphResultHost {
 public:
  explicit FakeResults(SelectionState& selection) : selection_(selection) {}

  int FunctionCount() const override { return count; }
  int ChosenFunction() const override { return function; }
  ResultKind ChosenKind() const override {
    switch (function) {
      case ResultFunctionTable::kReferences: return ResultKind::kReferences;
      case ResultFunctionTable::kReferenceFields1: return ResultKind::kReferenceFields1;
      case ResultFunctionTable::kReferenceFields2: return ResultKind::kReferenceFields2;
      case ResultFunctionTable::kScenario: return ResultKind::kScenario;
      case ResultFunctionTable::kRelations: return ResultKind::kRelations;
      case ResultFunctionTable::kTextStyle: return ResultKind::kTextStyle;
      default: return ResultKind::kNone;
    }
  }
  int ChosenItem() const override { return item; }
  bool ChooseFunction(int position) override {
    if (position < 0 || position >= count) return false;
    function = position;
    item = -1;
    chosen.push_back(position);
    return true;
  }
  bool ChooseItem(int index) override {
    item = index;
    // The line's class becomes the selection, as choosing a class line does.
    if (function == ResultFunctionTable::kReferences) selection_.SelectClass(1, 100 + index, "line");
    return true;
  }
  void ShowClass(int level, int32_t cls) override {
    selection_.Clear();
    selection_.SelectClass(level, static_cast<uint32_t>(cls), "class");
  }
  void ShowRelation(int level, int32_t first, int32_t second) override {
    selection_.Clear();
    selection_.SelectRelation(level, static_cast<uint32_t>(first), static_cast<uint32_t>(second), "a", "b");
  }
  void ShowSelection() override { ++selectionShown; }
  void ShowTextAt(int32_t position) override { textAt = position; }
  int RelationLevel() const override { return level; }

  int count = 11;
  int function = -1;
  int item = -1;
  int level = 1;
  int selectionShown = 0;
  int32_t textAt = -1;
  std::vector<int> chosen;

 private:
  SelectionState& selection_;
};

GraphClick ClassClick(int32_t cls) {
  GraphClick c;
  c.kind = GraphClick::Kind::kClass;
  c.level = 1;
  c.classId = cls;
  return c;
}

class GraphPanelModelTest : public ::testing::Test {
 protected:
  GraphPanelModelTest() { record_.setGraphType(kGraphAreas); }

  // A click that hits `hit` and records what the graph was told.
  GraphPanelModel::Click Hits(GraphClick hit) {
    return [this, hit](bool relationListShown) {
      ++clicks_;
      relationListShown_ = relationListShown;
      return hit;
    };
  }

  SettingsRecord record_;
  SelectionState selection_;
  FakeResults results_{selection_};
  GraphPanelModel model_{record_, selection_, results_};
  int clicks_ = 0;
  bool relationListShown_ = false;
};

TEST(GraphPanelRules, WhichClickDoesWhat) {
  struct Case {
    bool shift, ctrl;
    int type;
    bool shows;
    GraphClickRule rule;
  };
  using R = GraphClickRule;
  const Case cases[] = {
      {true, false, kGraphAreas, true, R::kShrinkLimit},
      {true, false, kGraphActors, true, R::kShrinkLimit},
      {true, false, kGraphStar, true, R::kSelect},
      {true, false, kGraphDistribution, true, R::kSelect},
      {true, true, kGraphAreas, true, R::kGrowLimit},
      {true, true, kGraphActors, true, R::kGrowLimit},
      {true, true, kGraphStar, true, R::kSwitchFunction},
      {false, true, kGraphAreas, true, R::kSwitchFunction},
      {false, true, kGraphStar, true, R::kSwitchFunction},
      {false, true, kGraphDistribution, true, R::kSelect},
      {false, true, kGraphEpisodes, true, R::kSelect},
      {false, false, kGraphAreas, true, R::kSelect},
      {true, false, kGraphAreas, false, R::kSelect},
      {true, true, kGraphActors, false, R::kSelect},
      {false, true, kGraphStar, false, R::kSelect},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "shift " << c.shift << " ctrl " << c.ctrl << " type " << c.type << " shows "
                                    << c.shows);
    EXPECT_EQ(RuleOfClick(GraphModifiers{c.shift, c.ctrl}, c.type, c.shows), c.rule);
  }
}

TEST(GraphPanelRules, LimitsAndSliderValue) {
  struct Shrink {
    int shown, limit;
  };
  for (const Shrink& c : {Shrink{0, 0}, Shrink{6, 0}, Shrink{7, 4}, Shrink{8, 4}, Shrink{10, 6}, Shrink{30, 26},
                          Shrink{100, 96}, Shrink{203, 100}}) {
    EXPECT_EQ(ShrunkObjectLimit(c.shown), c.limit) << c.shown;
  }
  struct Grow {
    int limit, grown;
  };
  for (const Grow& c : {Grow{0, 4}, Grow{4, 8}, Grow{30, 34}, Grow{96, 100}, Grow{98, 100}, Grow{99, 100},
                        Grow{100, 0}, Grow{150, 0}}) {
    EXPECT_EQ(GrownObjectLimit(c.limit), c.grown) << c.limit;
  }
  EXPECT_EQ(DistributionSliderValue(800, 20), 20);
  EXPECT_EQ(DistributionSliderValue(801, 14), 28);
  EXPECT_EQ(DistributionSliderValue(800, 0), 0);
  EXPECT_EQ(DistributionSliderValue(800, -3), 0);
  EXPECT_EQ(FunctionOfRelationLevel(1), ResultFunctionTable::kReferences);
  EXPECT_EQ(FunctionOfRelationLevel(2), ResultFunctionTable::kReferenceFields2);
  EXPECT_EQ(FunctionOfRelationLevel(3), ResultFunctionTable::kReferenceFields1);
  EXPECT_EQ(FunctionOfRelationLevel(4), ResultFunctionTable::kScenario);
  EXPECT_EQ(FunctionOfRelationLevel(5), -1);
}

TEST_F(GraphPanelModelTest, ShiftClickOnAreasShrinksOnlyAGraphOfMoreThanSixObjects) {
  record_.setGraphObjectLimit(30);
  selection_.SelectClass(1, 7, "seven");
  const SelectionState before = selection_;

  GraphPanelOutcome out = model_.MouseUp(GraphModifiers{true, false}, 6, Hits(ClassClick(9)));
  EXPECT_EQ(record_.graphObjectLimit(), 30);
  EXPECT_FALSE(out.redrawGraph);

  out = model_.MouseUp(GraphModifiers{true, false}, 10, Hits(ClassClick(9)));
  EXPECT_EQ(record_.graphObjectLimit(), 6);
  EXPECT_TRUE(out.redrawGraph);

  // Seven objects would give 3: the limit stays within its range.
  record_.setGraphType(kGraphActors);
  model_.MouseUp(GraphModifiers{true, false}, 7, Hits(ClassClick(9)));
  EXPECT_EQ(record_.graphObjectLimit(), 4);

  // The limit clicks never select.
  EXPECT_EQ(clicks_, 0);
  EXPECT_EQ(selection_.selectedId, before.selectedId);
  EXPECT_FALSE(out.listChanged);
}

TEST_F(GraphPanelModelTest, CtrlShiftClickGrowsTheLimitUpToAHundred) {
  record_.setGraphObjectLimit(98);
  GraphPanelOutcome out = model_.MouseUp(GraphModifiers{true, true}, 98, Hits(ClassClick(9)));
  EXPECT_EQ(record_.graphObjectLimit(), 100);
  EXPECT_TRUE(out.redrawGraph);
  out = model_.MouseUp(GraphModifiers{true, true}, 100, Hits(ClassClick(9)));
  EXPECT_EQ(record_.graphObjectLimit(), 100);
  EXPECT_FALSE(out.redrawGraph);
  EXPECT_EQ(clicks_, 0);
}

TEST_F(GraphPanelModelTest, HiddenGraphIgnoresTheLimitClicks) {
  record_.setGraphObjectLimit(30);
  EXPECT_TRUE(model_.Hide().redrawGraph);
  model_.MouseUp(GraphModifiers{true, false}, 20, Hits(GraphClick{}));
  model_.MouseUp(GraphModifiers{true, true}, 20, Hits(GraphClick{}));
  EXPECT_EQ(record_.graphObjectLimit(), 30);
}

TEST_F(GraphPanelModelTest, CtrlClickOnEmptySpaceLeavesTheListAndTheSelectionAsTheyWere) {
  // The relations list with its second line chosen.
  results_.ChooseFunction(ResultFunctionTable::kRelations);
  results_.ChooseItem(1);
  selection_.SelectRelation(1, 4, 5, "four", "five");
  const GraphPanelOutcome out = model_.MouseUp(GraphModifiers{false, true}, 12, Hits(GraphClick{}));
  EXPECT_EQ(clicks_, 1);
  // No switch to References is left behind (none is made).
  EXPECT_EQ(results_.chosen, (std::vector<int>{ResultFunctionTable::kRelations}));
  EXPECT_EQ(results_.function, ResultFunctionTable::kRelations);
  EXPECT_EQ(results_.item, 1);
  EXPECT_EQ(selection_.kind, kSelectRelation);
  EXPECT_EQ(selection_.firstClass, 4u);
  EXPECT_EQ(selection_.secondClass, 5u);
  EXPECT_TRUE(selection_.active);
  EXPECT_FALSE(out.listChanged);
  // On the actors map the miss shows or hides every line, as a plain miss does.
  record_.setGraphType(kGraphActors);
  EXPECT_TRUE(model_.MouseUp(GraphModifiers{false, true}, 12, Hits(GraphClick{})).toggleAllLines);
  EXPECT_EQ(results_.function, ResultFunctionTable::kRelations);
}

TEST_F(GraphPanelModelTest, CtrlClickSwitchesBetweenTheRelationsAndTheClassesOfTheRelationLevel) {
  struct Case {
    int level;
    int from;
    int to;
    uint8_t kind;
  };
  const Case cases[] = {
      {1, ResultFunctionTable::kRelations, ResultFunctionTable::kReferences, kSelectClass},
      {2, ResultFunctionTable::kRelations, ResultFunctionTable::kReferenceFields2, kSelectClass},
      {3, ResultFunctionTable::kRelations, ResultFunctionTable::kReferenceFields1, kSelectClass},
      {4, ResultFunctionTable::kRelations, ResultFunctionTable::kScenario, kSelectClass},
      {1, ResultFunctionTable::kReferences, ResultFunctionTable::kRelations, kSelectRelation},
      {3, ResultFunctionTable::kReferenceFields1, ResultFunctionTable::kRelations, kSelectRelation},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "level " << c.level << " from " << c.from);
    results_.level = c.level;
    results_.ChooseFunction(c.from);
    GraphClick hit = ClassClick(42);
    hit.level = c.level;
    const GraphPanelOutcome out = model_.MouseUp(GraphModifiers{false, true}, 12, Hits(hit));
    EXPECT_EQ(results_.function, c.to);
    EXPECT_EQ(selection_.kind, c.kind);
    EXPECT_EQ(selection_.level, c.level);
    if (c.kind == kSelectClass) {
      EXPECT_EQ(selection_.selectedId, 42u);
    } else {
      // The class is both ends of the relation.
      EXPECT_EQ(selection_.firstClass, 42u);
      EXPECT_EQ(selection_.secondClass, 42u);
    }
    // The graph is asked for a class, not the relation of its last clicks.
    EXPECT_FALSE(relationListShown_);
    EXPECT_TRUE(out.listChanged && out.redrawGraph && out.redrawText);
  }
}

TEST_F(GraphPanelModelTest, CtrlClickWithoutAFunctionToSwitchToIsAPlainClick) {
  // A class list of another level than the relations'.
  results_.level = 1;
  results_.ChooseFunction(ResultFunctionTable::kReferenceFields1);
  model_.MouseUp(GraphModifiers{false, true}, 12, Hits(ClassClick(8)));
  EXPECT_EQ(results_.function, ResultFunctionTable::kReferenceFields1);
  EXPECT_EQ(selection_.selectedId, 8u);
  // A short table has no Relations function to switch to.
  results_.count = 5;
  results_.function = ResultFunctionTable::kReferences;
  model_.MouseUp(GraphModifiers{false, true}, 12, Hits(ClassClick(9)));
  EXPECT_EQ(results_.function, ResultFunctionTable::kReferences);
  EXPECT_EQ(selection_.selectedId, 9u);
}

TEST_F(GraphPanelModelTest, PlainClicks) {
  results_.ChooseFunction(ResultFunctionTable::kRelations);
  selection_.SelectRelation(1, 4, 5, "four", "five");

  // Nothing under the mouse: the selection stays; the actors map toggles
  // its lines.
  GraphPanelOutcome out = model_.MouseUp(GraphModifiers{}, 10, Hits(GraphClick{}));
  EXPECT_TRUE(relationListShown_);
  EXPECT_EQ(selection_.firstClass, 4u);
  EXPECT_FALSE(out.redrawGraph || out.toggleAllLines);
  record_.setGraphType(kGraphActors);
  out = model_.MouseUp(GraphModifiers{}, 10, Hits(GraphClick{}));
  EXPECT_TRUE(out.toggleAllLines && out.redrawGraph);

  GraphClick relation;
  relation.kind = GraphClick::Kind::kRelation;
  relation.level = 1;
  relation.firstClass = 6;
  relation.secondClass = 7;
  out = model_.MouseUp(GraphModifiers{}, 10, Hits(relation));
  EXPECT_EQ(selection_.kind, kSelectRelation);
  EXPECT_EQ(selection_.secondClass, 7u);
  EXPECT_TRUE(out.listChanged && out.redrawText && out.redrawGraph);

  record_.setGraphType(kGraphDistribution);
  GraphClick part;
  part.kind = GraphClick::Kind::kTextPosition;
  part.position = 1234;
  out = model_.MouseUp(GraphModifiers{}, 10, Hits(part));
  EXPECT_EQ(results_.textAt, 1234);
  EXPECT_TRUE(out.redrawText);
  EXPECT_FALSE(out.redrawGraph);

  record_.setGraphType(kGraphEpisodes);
  GraphClick bundle;
  bundle.kind = GraphClick::Kind::kBundle;
  out = model_.MouseUp(GraphModifiers{}, 10, Hits(bundle));
  EXPECT_EQ(results_.selectionShown, 1);
  EXPECT_TRUE(out.listChanged && out.redrawText && out.redrawGraph);
}

TEST_F(GraphPanelModelTest, HoverRedrawsOnlyForAnotherObject) {
  GraphHover h = model_.MouseMove(true, 5, "piață (4)", false);
  EXPECT_TRUE(h.hasObject);
  EXPECT_EQ(h.hint, "piață (4)");
  EXPECT_TRUE(h.redraw);
  EXPECT_EQ(h.highlighted, 5);
  // The same object again: the hint, no redraw.
  h = model_.MouseMove(true, 5, "piață (4)", false);
  EXPECT_TRUE(h.hasObject);
  EXPECT_FALSE(h.redraw);
  // Held Shift or button, or nothing under the mouse: no redraw.
  EXPECT_FALSE(model_.MouseMove(true, 6, "x", true).redraw);
  EXPECT_FALSE(model_.MouseMove(false, 0, "", false).redraw);
  EXPECT_EQ(model_.highlighted(), 5);
  // The distribution graph has no highlight to draw.
  record_.setGraphType(kGraphDistribution);
  h = model_.MouseMove(true, 7, "x", false);
  EXPECT_TRUE(h.hasObject);
  EXPECT_FALSE(h.redraw);
  // A hidden graph says nothing.
  model_.Hide();
  EXPECT_FALSE(model_.MouseMove(true, 8, "x", false).hasObject);
}

TEST_F(GraphPanelModelTest, TypeCommands) {
  // The pop-up stores the type and redraws a graph that shows a selection.
  GraphPanelOutcome out = model_.ChooseType(kGraphStar, false, 300);
  EXPECT_EQ(record_.graphType(), kGraphStar);
  EXPECT_TRUE(out.redrawGraph);
  EXPECT_EQ(out.panelHeight, 0);
  EXPECT_EQ(results_.function, -1);
  EXPECT_FALSE(model_.ChooseType(kGraphStar, false, 300).redrawGraph);
  EXPECT_FALSE(model_.ChooseType(0, false, 300).redrawGraph);
  EXPECT_FALSE(model_.ChooseType(6, true, 300).redrawGraph);
  EXPECT_EQ(record_.graphType(), kGraphStar);

  // A toolbar button on a hidden, squeezed graph with no function chosen.
  model_.Hide();
  out = model_.ChooseType(kGraphActors, true, 4);
  EXPECT_EQ(record_.graphType(), kGraphActors);
  EXPECT_TRUE(record_.graphShowsSelection());
  EXPECT_EQ(out.panelHeight, 200);
  EXPECT_EQ(results_.function, ResultFunctionTable::kReferences);
  EXPECT_EQ(results_.item, 0);
  EXPECT_TRUE(out.redrawGraph && out.listChanged);

  // A panel 10 high keeps its height; a chosen function stays.
  results_.ChooseFunction(ResultFunctionTable::kRelations);
  out = model_.ChooseType(kGraphAreas, true, 10);
  EXPECT_EQ(out.panelHeight, 0);
  EXPECT_EQ(results_.function, ResultFunctionTable::kRelations);
}

TEST_F(GraphPanelModelTest, ToolbarOnAShortFunctionTableChoosesNothing) {
  for (int count : {0, 1, 3}) {
    SCOPED_TRACE(count);
    results_.count = count;
    results_.function = -1;
    results_.chosen.clear();
    model_.ChooseType(kGraphStar, true, 300);
    EXPECT_EQ(results_.function, -1);
    EXPECT_EQ(results_.item, -1);
  }
  results_.count = 4;
  model_.ChooseType(kGraphAreas, true, 300);
  EXPECT_EQ(results_.function, ResultFunctionTable::kReferences);
}

TEST_F(GraphPanelModelTest, SliderSetsTheLimitOrTheBarWidth) {
  int shown = 0;
  GraphPanelOutcome out = model_.SliderChanged(50, 800, shown);
  EXPECT_EQ(record_.graphObjectLimit(), 50);
  EXPECT_EQ(shown, 50);
  EXPECT_TRUE(out.redrawGraph);
  // The same position again changes nothing.
  EXPECT_FALSE(model_.SliderChanged(50, 800, shown).redrawGraph);

  record_.setGraphType(kGraphDistribution);
  out = model_.SliderChanged(20, 800, shown);
  EXPECT_EQ(record_.distributionBarWidth(), 20);
  EXPECT_EQ(shown, 20);
  EXPECT_EQ(record_.graphObjectLimit(), 50);
  EXPECT_TRUE(out.redrawGraph);
  int minimum = 0, maximum = 0, position = 0;
  ASSERT_TRUE(model_.SliderRange(minimum, maximum, position));
  EXPECT_EQ(position, 20);
  EXPECT_EQ(model_.SliderValue(800), 20);

  record_.setGraphType(kGraphStar);
  EXPECT_FALSE(model_.SliderRange(minimum, maximum, position));
  EXPECT_FALSE(model_.SliderChanged(30, 800, shown).redrawGraph);
  EXPECT_EQ(shown, -1);
  EXPECT_EQ(record_.graphObjectLimit(), 50);

  // A hidden graph: the slider does nothing.
  record_.setGraphType(kGraphAreas);
  model_.Hide();
  EXPECT_FALSE(model_.SliderChanged(10, 800, shown).redrawGraph);
  EXPECT_EQ(record_.graphObjectLimit(), 50);
}

}  // namespace
}  // namespace malvex
