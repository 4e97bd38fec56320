#include "views/graph.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

#include "foundations/messages.h"
#include "views/recording_canvas.h"

namespace malvex {
namespace {

using Op = RecordingCanvas::Op;
using Kind = RecordingCanvas::OpKind;

// Classes "cN" with counts and relations set by each test.
class FakeSource : public GraphSource {
 public:
  int RelationLevel() const override { return level; }
  const std::vector<GraphRelation>& RankedRelations(int) override { return relations; }
  std::vector<int32_t> RankedClasses(int) override {
    std::vector<int32_t> out;
    for (const auto& [cls, n] : counts) {
      if (n > 0) out.push_back(cls);
    }
    return out;
  }
  std::string ClassName(int, int32_t cls) const override { return "c" + std::to_string(cls); }
  uint32_t ClassCount(int, int32_t cls) const override {
    auto it = counts.find(cls);
    return it == counts.end() ? 0 : it->second;
  }
  uint32_t ActantCount(int, int32_t cls) const override {
    auto it = actants.find(cls);
    return it == actants.end() ? 0 : it->second;
  }
  uint32_t DetectionThreshold() const override { return 0; }
  bool IsWithin(int, int32_t cls, int32_t ancestor) const override { return cls == ancestor; }
  void Neighbours(const SelectionState&, std::vector<Neighbour>& b, std::vector<Neighbour>& a) override {
    b = before;
    a = after;
  }
  int32_t HighestPosition() const override { return highest; }
  void Occurrences(const SelectionState&, std::vector<int32_t>& positions) override { positions = occurrences; }
  const ChronologyTables& Chronology() const override { return chronology; }
  std::string ItemLabel(int32_t item) const override { return item > 0 ? "c" + std::to_string(item) : "cat"; }
  int ItemColourRole(int32_t) const override { return 1; }

  // Centre `centre` with `left` classes before it and `right` after it.
  void Star(int32_t centre, int left, int right) {
    counts[centre] = 10;
    for (int k = 0; k < left; ++k) {
      relations.push_back({100 + k, centre, static_cast<uint32_t>(3 + k % 4)});
      counts[100 + k] = 2 + k % 5;
    }
    for (int k = 0; k < right; ++k) {
      relations.push_back({centre, 1000 + k, static_cast<uint32_t>(2 + k % 3)});
      counts[1000 + k] = 3 + k % 4;
    }
  }

  int level = 1;
  std::vector<GraphRelation> relations;
  std::map<int32_t, uint32_t> counts;
  std::map<int32_t, uint32_t> actants;
  std::vector<Neighbour> before;
  std::vector<Neighbour> after;
  int32_t highest = 0;
  std::vector<int32_t> occurrences;
  ChronologyTables chronology;
};

class GraphTest : public ::testing::Test {
 protected:
  GraphTest() : graph_(source_, selection_) {}

  void UseType(int type, int objectLimit = 30) {
    GraphSettings s;
    s.type = type;
    s.objectLimit = objectLimit;
    graph_.SetSettings(s);
  }
  void Draw(int w, int h, int highlighted = TGrapheMalvex::kHighlightNone) {
    canvas_.Clear();
    graph_.Draw(canvas_, CanvasRect{0, 0, w, h}, highlighted, title_);
  }
  void SelectClass(int32_t cls) {
    selection_.SelectClass(1, static_cast<uint32_t>(cls), "c" + std::to_string(cls));
    title_ = selection_.text;
  }
  // The centre of op `op`'s rectangle.
  static std::pair<int, int> Centre(const Op& op) { return {(op.x + op.x2) / 2, (op.y + op.y2) / 2}; }
  // Ops other than font changes and clipping.
  std::vector<Op> Drawn() const {
    std::vector<Op> out;
    for (const Op& op : canvas_.ops()) {
      if (op.kind != Kind::kFont && op.kind != Kind::kClip && op.kind != Kind::kClearClip) out.push_back(op);
    }
    return out;
  }

  FakeSource source_;
  SelectionState selection_;
  TGrapheMalvex graph_;
  RecordingCanvas canvas_;
  std::string title_;
};

TEST_F(GraphTest, LineHeightAndRowsFollowTheFont) {
  UseType(kGraphStar);
  SelectClass(1);
  source_.Star(1, 0, 0);
  Draw(400, 300);
  // 10 px text: round(12) + 1.
  EXPECT_EQ(graph_.lineHeight(), 13);
  EXPECT_EQ(graph_.rowsThatFit(), 300 / 13);
  EXPECT_EQ(graph_.usableRows(), 300 / 13 - 2);
  graph_.SetPrinting(true);
  Draw(400, 300);
  EXPECT_EQ(graph_.rowsThatFit(), 300 / 13 - 1);
}

TEST_F(GraphTest, ClassWithoutRelationsGivesAnEmptyStar) {
  UseType(kGraphStar);
  source_.Star(1, 0, 0);
  source_.relations.push_back({7, 8, 5});  // a relation elsewhere
  SelectClass(1);
  Draw(600, 400);
  EXPECT_EQ(graph_.DrawnType(), kGraphStar);
  EXPECT_EQ(graph_.ObjectCount(), 0);
  EXPECT_EQ(graph_.HitObjectCount(), 0);
  EXPECT_EQ(canvas_.JoinedTexts(), "c1");  // the centre only, no message
}

TEST_F(GraphTest, StarPlacesPredecessorsLeftAndSuccessorsRight) {
  UseType(kGraphStar);
  source_.Star(1, 4, 3);
  source_.relations.push_back({100, 1, 2});  // met again: adds to c100
  SelectClass(1);
  Draw(600, 400);
  EXPECT_EQ(graph_.ObjectCount(), 7);
  std::map<std::string, Op> labels;
  for (const Op& op : canvas_.Texts()) labels[op.text] = op;
  for (int k = 0; k < 4; ++k) EXPECT_LT(labels["c" + std::to_string(100 + k)].x, 300);
  for (int k = 0; k < 3; ++k) EXPECT_GT(labels["c" + std::to_string(1000 + k)].x, 300);
  // c100's frequency 3 + 2.
  EXPECT_TRUE(labels.count("5"));
  // The direction arrow: a line and two strokes at bottom - 2 line heights.
  int arrow = 0;
  for (const Op& op : canvas_.OfKind(Kind::kLine)) {
    if (op.y == 400 - 2 * 13) ++arrow;
  }
  EXPECT_EQ(arrow, 3);
}

TEST_F(GraphTest, StarSideFullShowsEllipsisAndRegistryIsBounded) {
  UseType(kGraphStar);
  source_.Star(1, 300, 300);
  SelectClass(1);
  // 202 rows that fit, 200 usable: 400 labels, more than the registry holds.
  Draw(1200, 13 * 205);
  EXPECT_EQ(graph_.usableRows(), 200);
  EXPECT_EQ(graph_.ObjectCount(), 400);
  EXPECT_EQ(graph_.HitObjectCount(), TGrapheMalvex::kRegistrySize);
  int dots = 0;
  for (const Op& op : canvas_.Texts()) dots += op.text == "...";
  EXPECT_EQ(dots, 2);
  // The first registered label can still be pointed at.
  const Op first = canvas_.OfKind(Kind::kRaisedBox).at(1);  // [0] is the centre
  std::string hint;
  int id = 0;
  ASSERT_TRUE(graph_.HintAt((first.x + first.x2) / 2, (first.y + first.y2) / 2, hint, id));
  EXPECT_EQ(id, 100);
  EXPECT_EQ(hint, "c100");
}

TEST_F(GraphTest, WordWithoutNeighboursSaysNoRelationWithTheLevelName) {
  const std::pair<int, int> levels[] = {{1, 282}, {2, 308}, {3, 307}, {4, 309}};
  for (const auto& [level, nameId] : levels) {
    UseType(kGraphStar);
    source_.level = level;
    selection_.SelectWord(12, 8, "cuvant");
    title_ = "cuvant";
    Draw(600, 400);
    const std::string expected = std::string(CatalogueText(572)) + " (" + CatalogueText(nameId) + ")";
    EXPECT_NE(canvas_.JoinedTexts().find(expected), std::string::npos) << canvas_.JoinedTexts();
  }
  // With a neighbour the message goes.
  source_.before.push_back({3, 5});
  source_.counts[5] = 3;
  Draw(600, 400);
  EXPECT_EQ(canvas_.JoinedTexts().find(CatalogueText(572)), std::string::npos);
  EXPECT_EQ(graph_.ObjectCount(), 1);
}

TEST_F(GraphTest, NothingDrawnWithoutTitleOrForCharacteristicParts) {
  for (int type : {kGraphAreas, kGraphStar, kGraphActors}) {
    UseType(type);
    source_.Star(1, 3, 3);
    SelectClass(1);
    title_.clear();
    Draw(600, 400);
    EXPECT_EQ(graph_.DrawnType(), 0);
    selection_.SelectCharacteristicParts("parts");
    title_ = "parts";
    Draw(600, 400);
    EXPECT_EQ(graph_.DrawnType(), 0);
    EXPECT_EQ(Drawn().size(), 1u);  // the background
  }
}

TEST_F(GraphTest, AreasShowAtMostHalfTheObjectLimitPerSide) {
  UseType(kGraphAreas, 30);
  source_.Star(1, 25, 25);
  SelectClass(1);
  Draw(800, 600);
  EXPECT_EQ(graph_.DrawnType(), kGraphAreas);
  EXPECT_EQ(graph_.ObjectCount(), 30);
  int left = 0;
  int right = 0;
  for (const Op& op : canvas_.OfKind(Kind::kPicture)) {
    if (op.x2 - op.x == 2 * (300 / 8)) continue;  // the centre
    (op.picture == ObjectPicture::kBlueSphere ? left : right)++;
  }
  EXPECT_EQ(left, 15);
  EXPECT_EQ(right, 15);
}

TEST_F(GraphTest, AreasSkipTheCentreRepeatsAndEmptyClasses) {
  UseType(kGraphAreas);
  source_.Star(1, 3, 0);
  source_.relations.push_back({1, 1, 4});    // the centre itself
  source_.relations.push_back({50, 1, 2});   // a class without occurrences
  source_.relations.push_back({1, 100, 2});  // c100 again, on the right
  source_.relations.push_back({1, 2000, 0});  // no occurrence of the relation
  source_.counts[2000] = 3;
  SelectClass(1);
  Draw(800, 600);
  EXPECT_EQ(graph_.ObjectCount(), 3);
}

TEST_F(GraphTest, AreasOnOddSizesNeitherDivideByZeroNorOverflow) {
  UseType(kGraphAreas);
  source_.Star(1, 5, 5);
  SelectClass(1);
  // Under 16 pixels of height the unit radius is 0: background only.
  Draw(300, 15);
  EXPECT_EQ(Drawn().size(), 1u);
  // Tall text: no row fits, but the rings and objects are still placed.
  RecordingCanvas tall(6, 20);
  graph_.Draw(tall, CanvasRect{0, 0, 300, 20}, -1, title_);
  EXPECT_EQ(graph_.rowsThatFit(), 0);
  EXPECT_EQ(graph_.ObjectCount(), 10);
  // A centre without occurrences: its objects take the unit radius R0
  // (made even), the centre keeps it.
  source_.counts[1] = 0;
  Draw(800, 600);
  const int R0 = 300 / 8;
  for (const Op& op : canvas_.OfKind(Kind::kPicture)) {
    EXPECT_TRUE(op.x2 - op.x == 2 * R0 || op.x2 - op.x == 2 * (R0 + 1)) << op.x2 - op.x;
  }
  EXPECT_EQ(graph_.ObjectCount(), 10);
}

TEST_F(GraphTest, AreasOfARelationHaveTwoCentres) {
  UseType(kGraphAreas);
  source_.Star(1, 2, 0);
  source_.counts[2] = 6;
  source_.relations.push_back({2, 1000, 3});
  source_.counts[1000] = 4;
  selection_.SelectRelation(1, 1, 2, "c1", "c2");
  title_ = "c1 -> c2";
  Draw(800, 600);
  EXPECT_EQ(graph_.ObjectCount(), 3);
  const std::string texts = canvas_.JoinedTexts();
  EXPECT_NE(texts.find("c1|c2"), std::string::npos) << texts;
}

TEST_F(GraphTest, ActorsPlaceClassesByActantShare) {
  UseType(kGraphActors, 30);
  source_.Star(1, 10, 0);
  source_.actants[100] = 2;  // c100: count 2, all actant -> left, blue
  SelectClass(1);
  Draw(800, 600);
  EXPECT_EQ(graph_.DrawnType(), kGraphActors);
  EXPECT_EQ(graph_.ObjectCount(), 11);
  int blue = 0;
  for (const Op& op : canvas_.OfKind(Kind::kPicture)) blue += op.picture == ObjectPicture::kBlueSphere;
  EXPECT_EQ(blue, 1);
  std::map<std::string, Op> labels;
  for (const Op& op : canvas_.Texts()) labels[op.text] = op;
  EXPECT_LT(labels["c100"].x, labels["c101"].x);
  EXPECT_NE(canvas_.JoinedTexts().find(CatalogueText(460)), std::string::npos);
  EXPECT_EQ(canvas_.JoinedTexts().find(CatalogueText(580)), std::string::npos);
}

TEST_F(GraphTest, ActorsObjectLimitPlusCentreAndSmallSample) {
  UseType(kGraphActors, 30);
  source_.Star(1, 40, 0);
  SelectClass(1);
  Draw(800, 600);
  EXPECT_EQ(graph_.ObjectCount(), 31);
  FakeSource few;
  few.Star(1, 2, 0);
  TGrapheMalvex small(few, selection_);
  GraphSettings s;
  s.type = kGraphActors;
  small.SetSettings(s);
  canvas_.Clear();
  small.Draw(canvas_, CanvasRect{0, 0, 800, 600}, -1, title_);
  EXPECT_EQ(small.ObjectCount(), 3);
  EXPECT_NE(canvas_.JoinedTexts().find(CatalogueText(580)), std::string::npos);
}

TEST_F(GraphTest, ActorsWithoutConnectednessStayInside) {
  // Every class of count 2: log2(1) = 0, the largest connectedness is 0.
  UseType(kGraphActors);
  source_.counts[1] = 2;
  for (int k = 0; k < 6; ++k) {
    source_.relations.push_back({1, 10 + k, 1});
    source_.counts[10 + k] = 2;
  }
  SelectClass(1);
  Draw(800, 600);
  ASSERT_EQ(graph_.ObjectCount(), 7);
  for (const Op& op : canvas_.OfKind(Kind::kPicture)) {
    EXPECT_GE(op.y, 0);
    EXPECT_LE(op.y2, 600);
  }
}

TEST_F(GraphTest, ActorsCountTheHighestClassNumber) {
  UseType(kGraphActors);
  source_.counts[1] = 5;
  source_.counts[65535] = 4;
  source_.relations.push_back({1, 65535, 3});
  source_.relations.push_back({65535, 1, 2});
  SelectClass(1);
  Draw(800, 600);
  EXPECT_NE(canvas_.JoinedTexts().find("c65535"), std::string::npos);
  // The lines of the selection join the two.
  // The two axes and the lines of the two relations of the selection.
  EXPECT_EQ(canvas_.OfKind(Kind::kLine).size(), 4u);
}

TEST_F(GraphTest, DistributionOfAThousandWordsAtSixHundredPixels) {
  UseType(kGraphDistribution);
  source_.highest = 1000;
  for (int p = 1; p <= 1000; p += 10) source_.occurrences.push_back(p);
  SelectClass(1);
  Draw(600, 300);
  EXPECT_EQ(graph_.DrawnType(), kGraphDistribution);
  EXPECT_EQ(graph_.ObjectCount(), 20);
  // Sector k spans bars at x = 28 (k + 1) .. + 14.
  std::string hint;
  int id = 0;
  ASSERT_TRUE(graph_.HintAt(28 * 20 + 3, 100, hint, id));
  EXPECT_EQ(id, 19);
  EXPECT_FALSE(graph_.HintAt(28 * 21 + 3, 100, hint, id));
  EXPECT_FALSE(graph_.HintAt(28 * 2 + 16, 100, hint, id));  // a gap
  ASSERT_TRUE(graph_.HintAt(28 + 3, 100, hint, id));
  const std::string expected = std::string(CatalogueText(540)) + " : 5 - " + CatalogueText(541) + " : 0 - " +
                               CatalogueText(542) + " : 50";
  EXPECT_EQ(hint, expected);
  const GraphClick click = graph_.ClickAt(28 * 3 + 1, 100);
  EXPECT_EQ(click.kind, GraphClick::Kind::kTextPosition);
  EXPECT_EQ(click.position, static_cast<int32_t>(2 * (1001 / 20.0)));
  // The same sector again is ignored.
  EXPECT_EQ(graph_.ClickAt(28 * 3 + 2, 100).kind, GraphClick::Kind::kNothing);
}

TEST_F(GraphTest, DistributionOnEmptyOrHugeData) {
  UseType(kGraphDistribution);
  SelectClass(1);
  source_.highest = 0;
  Draw(600, 300);
  EXPECT_EQ(Drawn().size(), 1u);
  // 50,000 pixels would make 1,784 sectors: the counters hold 801.
  source_.highest = 100000;
  source_.occurrences = {1, 99999, 100000};
  Draw(50000, 300);
  EXPECT_EQ(graph_.ObjectCount(), TGrapheMalvex::kMaxSectors);
}

// `n` bundles of item 1000 + k, size `size(k)`, over a 10,000-word text.
template <typename F>
void MakeBundles(FakeSource& source, int n, F size) {
  source.highest = 10000;
  double total = 0;
  for (int k = 0; k < n; ++k) {
    BundleRecord b;
    b.item = 1000 + k;
    b.count = size(k);
    b.first = static_cast<uint32_t>(k * 10000 / n);
    b.last = b.first + 5;
    b.mean = b.first + 2.5f;
    total += b.count;
    source.chronology.bundles.push_back(b);
  }
  source.chronology.averageBundleSize = n ? total / n : 0;
}

TEST_F(GraphTest, BundlesBelowTwentyAreAllDrawn) {
  UseType(kGraphEpisodes);
  MakeBundles(source_, 19, [](int k) { return 2 + k % 3; });
  Draw(600, 400);
  EXPECT_EQ(graph_.DrawnType(), kGraphEpisodes);
  EXPECT_EQ(graph_.ObjectCount(), 19);
}

TEST_F(GraphTest, BundleOfTheSelectedItemIsDrawnBelowTheMinimumSize) {
  UseType(kGraphEpisodes);
  MakeBundles(source_, 2000, [](int k) { return k == 777 ? 1 : 3 + k % 40; });
  Draw(600, 200);
  const int without = graph_.ObjectCount();
  EXPECT_LT(without, 2000);
  EXPECT_EQ(canvas_.JoinedTexts().find("c1777"), std::string::npos);
  SelectClass(1777);
  Draw(600, 200);
  EXPECT_EQ(graph_.ObjectCount(), without + 1);
  // Drawn in bold.
  bool bold = false;
  for (const Op& op : canvas_.ops()) {
    if (op.kind == Kind::kFont && op.bold) bold = true;
    if (op.kind == Kind::kText && op.text == "c1777") {
      EXPECT_TRUE(bold);
      break;
    }
  }
}

TEST_F(GraphTest, MinimumBundleSizeRisesUntilTheBundlesFit) {
  // Average 4: the first guess 3 shows them all, far more than the rows hold.
  UseType(kGraphEpisodes);
  MakeBundles(source_, 2900, [](int k) { return k < 2800 ? 4 : 40; });
  Draw(1200, 600);
  const int rows = 600 / 13 - 2;
  const int perRow = std::max(2, 1192 / (18 * 6) / 3);
  ASSERT_EQ(rows * perRow, 132);
  // Only the 100 large ones fit.
  EXPECT_EQ(graph_.ObjectCount(), 100);
}

TEST_F(GraphTest, BundlesOfOneSizeFillTheRowsRatherThanVanish) {
  // Every bundle of size 4, many more than the rows hold: the minimum size
  // cannot rise above 4, and the drawing stops at the capacity.
  UseType(kGraphEpisodes);
  MakeBundles(source_, 300, [](int) { return 4; });
  Draw(600, 400);
  const int rows = 400 / 13 - 2;
  EXPECT_EQ(graph_.ObjectCount(), rows * 2);
}

TEST_F(GraphTest, BundlesHintAndClick) {
  UseType(kGraphEpisodes);
  MakeBundles(source_, 5, [](int) { return 4; });
  source_.chronology.bundles[2].episode = 1;
  Draw(600, 400);
  const auto texts = canvas_.Texts();
  const Op* label = nullptr;
  for (const Op& op : texts) {
    if (op.text == "c1002") label = &op;
  }
  ASSERT_NE(label, nullptr);
  std::string hint;
  int id = 0;
  ASSERT_TRUE(graph_.HintAt(label->x + 3, label->y + 3, hint, id));
  EXPECT_EQ(hint, "c1002");
  EXPECT_EQ(id, 2);
  const GraphClick click = graph_.ClickAt(label->x + 3, label->y + 3);
  EXPECT_EQ(click.kind, GraphClick::Kind::kBundle);
  EXPECT_EQ(click.bundle, 2);
  EXPECT_EQ(click.episode, 1u);
  EXPECT_EQ(selection_.kind, kSelectClass);
  EXPECT_EQ(selection_.selectedId, 1002u);
  EXPECT_EQ(selection_.spanStart, static_cast<int32_t>(click.first));
}

TEST_F(GraphTest, TooSmallRectangleLeavesOnlyTheBackground) {
  source_.Star(1, 5, 5);
  source_.highest = 500;
  source_.occurrences = {1, 2, 3};
  MakeBundles(source_, 5, [](int) { return 4; });
  source_.highest = 500;
  const struct {
    int type;
    int w;
    int h;
  } cases[] = {{kGraphStar, 400, 38},   {kGraphAreas, 400, 9},         {kGraphActors, 79, 300},
               {kGraphActors, 300, 59}, {kGraphDistribution, 400, 48}, {kGraphEpisodes, 400, 38}};
  for (const auto& c : cases) {
    UseType(c.type);
    SelectClass(1);
    Draw(c.w, c.h);
    EXPECT_EQ(graph_.DrawnType(), 0) << c.type;
    const auto drawn = Drawn();
    ASSERT_EQ(drawn.size(), 1u) << c.type;
    EXPECT_EQ(drawn[0].kind, Kind::kFill);
    EXPECT_EQ(drawn[0].style.colour, 0xC0C0C0u);
  }
}

TEST_F(GraphTest, HitTestingOnStarAreasAndActorsSelectsClassesAndRelations) {
  for (int type : {kGraphStar, kGraphAreas, kGraphActors}) {
    FakeSource source;
    source.Star(1, 6, 6);
    // Actants to the left of the actors map.
    for (int k = 0; k < 6; ++k) source.actants[100 + k] = source.counts[100 + k];
    SelectionState selection;
    TGrapheMalvex graph(source, selection);
    GraphSettings s;
    s.type = type;
    graph.SetSettings(s);
    graph.SetRelationListShown(true);
    selection.SelectClass(1, 1, "c1");
    RecordingCanvas canvas;
    graph.Draw(canvas, CanvasRect{0, 0, 800, 600}, -1, "c1");
    ASSERT_GT(graph.HitObjectCount(), 0) << type;
    // Find points over objects on each half from the drawn shapes.
    std::vector<std::pair<int, int>> points;
    for (const Op& op : canvas.ops()) {
      if (op.kind == Kind::kRaisedBox || op.kind == Kind::kPicture) points.push_back(Centre(op));
    }
    int32_t leftId = 0;
    int32_t rightId = 0;
    for (const auto& [x, y] : points) {
      std::string hint;
      int id = 0;
      if (!graph.HintAt(x, y, hint, id) || id == 1) continue;
      EXPECT_EQ(hint, "c" + std::to_string(id));
      if (x < 400 && !leftId) leftId = id;
      if (x >= 400 && !rightId) rightId = id;
    }
    ASSERT_NE(leftId, 0) << type;
    ASSERT_NE(rightId, 0) << type;
    std::string none;
    int noId = 0;
    EXPECT_FALSE(graph.HintAt(1, 1, none, noId));
    // A first click selects a class; once both halves were clicked, the
    // relation of the two.
    for (const auto& [x, y] : points) {
      std::string hint;
      int id = 0;
      if (graph.HintAt(x, y, hint, id) && id == leftId) {
        const GraphClick c = graph.ClickAt(x, y);
        EXPECT_EQ(c.kind, GraphClick::Kind::kClass) << type;
        EXPECT_EQ(selection.kind, kSelectClass);
        EXPECT_EQ(selection.selectedId, static_cast<uint32_t>(leftId));
        break;
      }
    }
    for (const auto& [x, y] : points) {
      std::string hint;
      int id = 0;
      if (graph.HintAt(x, y, hint, id) && id == rightId && x >= 400) {
        const GraphClick c = graph.ClickAt(x, y);
        EXPECT_EQ(c.kind, GraphClick::Kind::kRelation) << type;
        EXPECT_EQ(selection.kind, kSelectRelation);
        EXPECT_EQ(selection.firstClass, static_cast<uint32_t>(leftId));
        EXPECT_EQ(selection.secondClass, static_cast<uint32_t>(rightId));
        break;
      }
    }
  }
}

TEST_F(GraphTest, PrintingDrawsNoBackgroundAndOnlyBlack) {
  source_.Star(1, 6, 6);
  source_.highest = 500;
  source_.occurrences = {1, 50, 300};
  MakeBundles(source_, 8, [](int) { return 4; });
  source_.highest = 500;
  source_.chronology.episodes.push_back({0, 200, 3});
  source_.chronology.bundles[1].episode = 1;
  graph_.SetPrinting(true);
  graph_.SetSelectedEpisode(1);
  for (int type : {kGraphAreas, kGraphStar, kGraphDistribution, kGraphEpisodes, kGraphActors}) {
    UseType(type);
    SelectClass(1);
    Draw(800, 600, 100);
    EXPECT_EQ(graph_.DrawnType(), type);
    for (const Op& op : Drawn()) {
      EXPECT_NE(op.kind, Kind::kPicture) << type;
      EXPECT_NE(op.kind, Kind::kRaisedBox) << type;
      EXPECT_FALSE(op.kind == Kind::kFill && op.x == 0 && op.y == 0 && op.x2 == 800 && op.y2 == 600) << type;
      EXPECT_EQ(op.style.colour, kBlack) << type << " op " << static_cast<int>(op.kind);
      if (op.kind == Kind::kEllipse) EXPECT_FALSE(op.filled);
      if (op.kind == Kind::kText) EXPECT_FALSE(op.style.opaque);
    }
  }
}

}  // namespace
}  // namespace malvex
