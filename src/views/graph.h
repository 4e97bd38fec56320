// The graph panel: the Relations of the selection as a star, as areas or as
// an actors map, the distribution of the selection along the text, and the
// bundles and episodes of the text. TGrapheMalvex draws onto a Canvas (the
// screen, an image, a printer page) and answers the mouse: which object is
// under a point (hint at) and what a click selects (click at). It reads the
// analysis through GraphSource and never changes it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "semantic/analysis_context.h"
#include "views/canvas.h"
#include "views/selection_state.h"

namespace malvex {

class SettingsRecord;

// Graph types, as the settings store them.
inline constexpr int kGraphAreas = 1;
inline constexpr int kGraphStar = 2;
inline constexpr int kGraphDistribution = 3;
inline constexpr int kGraphEpisodes = 4;
inline constexpr int kGraphActors = 5;

// Roles in the colour table.
inline constexpr int kColourClasses = 11;
inline constexpr int kColourLeftLines = 12;
inline constexpr int kColourRightLines = 13;
inline constexpr int kColourObjects = 14;
inline constexpr int kColourBackground = 15;

// The graph settings, copied from the settings record at each draw.
struct GraphSettings {
  static constexpr int kColourTableSize = 17;
  int type = kGraphAreas;
  int objectLimit = 30;  // 4..100
  bool opaque = true;    // object pictures rather than plain ellipses and hatched bars
  bool largeFont = false;
  int barWidth = 14;  // at least 14
  bool hideCategoryBundles = false;
  std::array<Colour, kColourTableSize> colours{};

  GraphSettings();
  // The settings of `record`, clamped to their ranges.
  static GraphSettings FromRecord(const SettingsRecord& record);
};

// A ranked relation of one level.
struct GraphRelation {
  int32_t first = 0;
  int32_t second = 0;
  uint32_t frequency = 0;
};

// What the graphs read from the last analysis.
class GraphSource {
 public:
  virtual ~GraphSource() = default;
  // The relation level (1..4).
  virtual int RelationLevel() const = 0;
  // The relations of `level` in ranked order, most frequent first.
  virtual const std::vector<GraphRelation>& RankedRelations(int level) = 0;
  // The classes of `level` with an occurrence, in ranked order.
  virtual std::vector<int32_t> RankedClasses(int level) = 0;
  virtual std::string ClassName(int level, int32_t cls) const = 0;
  virtual uint32_t ClassCount(int level, int32_t cls) const = 0;
  virtual uint32_t ActantCount(int level, int32_t cls) const = 0;
  // The class detection threshold of the run.
  virtual uint32_t DetectionThreshold() const = 0;
  // Whether class `cls` counts as `ancestor` at `level`: the same class,
  // or at level 4 a group within it.
  virtual bool IsWithin(int level, int32_t cls, int32_t ancestor) const = 0;
  // The neighbour lists of a word or word-category selection.
  virtual void Neighbours(const SelectionState& selection, std::vector<Neighbour>& before,
                          std::vector<Neighbour>& after) = 0;
  // The word stream's highest position.
  virtual int32_t HighestPosition() const = 0;
  // The word positions where the selection occurs (a relation: where its
  // pair occurs; otherwise the matching words, or with no selection the
  // words matching the category criteria).
  virtual void Occurrences(const SelectionState& selection, std::vector<int32_t>& positions) = 0;
  virtual const ChronologyTables& Chronology() const = 0;
  // The label of a bundle item (class name or category label).
  virtual std::string ItemLabel(int32_t item) const = 0;
  // The colour-table index of a category item (its colour group).
  virtual int ItemColourRole(int32_t item) const = 0;
};

// What a click selected.
struct GraphClick {
  enum class Kind { kNothing, kClass, kRelation, kTextPosition, kBundle };
  Kind kind = Kind::kNothing;
  int level = 0;
  int32_t classId = 0;  // kClass
  int32_t firstClass = 0;  // kRelation
  int32_t secondClass = 0;
  int32_t position = 0;  // kTextPosition: where the text view goes
  int bundle = -1;       // kBundle: index in the bundle table
  int32_t item = 0;      // kBundle: its item, episode and span
  uint32_t episode = 0;
  uint32_t first = 0;
  uint32_t last = 0;
};

class TGrapheMalvex {
 public:
  static constexpr int kMaxRows = 202;
  static constexpr int kRegistrySize = 203;
  static constexpr int kColumns = 96;
  static constexpr int kColumnRows = 204;
  static constexpr int kMaxSectors = 801;
  static constexpr int kHighlightNone = -1;
  static constexpr int kToggleAllLines = -2;

  // `source` and `selection` must outlive the graph.
  TGrapheMalvex(GraphSource& source, SelectionState& selection);

  void SetSettings(const GraphSettings& settings) { settings_ = settings; }
  const GraphSettings& settings() const { return settings_; }
  // Printing: black on white, no background fill.
  void SetPrinting(bool printing) { printing_ = printing; }
  // The colour the main window keeps for the current word or category
  // selection (the centre of a star around a word).
  void SetSelectionColour(Colour colour) { selectionColour_ = colour; }
  // Whether the result list shows the relations: a click then selects the
  // relation of the last two classes clicked.
  void SetRelationListShown(bool shown) { relationListShown_ = shown; }
  // The episode drawn as selected by the bundles graph (1-based, 0 none).
  void SetSelectedEpisode(uint32_t episode) { selectedEpisode_ = episode; }

  // Draws the graph of the current type for the selection into `rect`;
  // `highlightedId` is the object under the mouse (kHighlightNone clears
  // it, kToggleAllLines toggles every line of the actors map); `title` is
  // the selection's text.
  void Draw(Canvas& canvas, const CanvasRect& rect, int highlightedId, std::string_view title);
  // The hint for the object under (x, y) and its id (for redrawing it
  // highlighted); false when there is none.
  bool HintAt(int x, int y, std::string& text, int& id) const;
  // Updates the selection for a click at (x, y) and says what it selected.
  GraphClick ClickAt(int x, int y);
  // Objects drawn by the last Draw (star labels, areas and actors objects,
  // distribution sectors, bundles).
  int ObjectCount() const { return objectCount_; }
  // Objects the last Draw entered in the hit registry (at most 203).
  int HitObjectCount() const { return registered_; }
  // The type the last Draw dispatched to (0: nothing drawn).
  int DrawnType() const { return drawnType_; }

  // Line height, rows that fit and usable rows of the last Draw.
  int lineHeight() const { return lineHeight_; }
  int rowsThatFit() const { return rowsFit_; }
  int usableRows() const { return usableRows_; }

 private:
  struct HitObject {
    CanvasRect rect;
    int id = 0;
  };
  struct Cell {
    int id = 0;
    int x = 0;
  };
  struct Placed {
    int32_t cls = 0;
    int x = 0;
    int y = 0;
    int r = 0;
    bool left = false;
  };

  Colour Col(int role) const;
  Colour Ink(Colour c) const { return printing_ ? kBlack : c; }
  bool Register(const CanvasRect& rect, int id);
  std::string LevelName(int level) const;
  std::string Text(int id) const;
  void DrawLabel(int cx, int y, const std::string& text, Colour colour, bool bold, bool boxed, int id);
  void DrawArrow();
  void DrawSphere(int x, int y, int r, bool blue);

  void DrawStar(bool classCentre);
  void DrawAreas();
  void DrawActors();
  void DrawDistribution();
  void DrawBundles();
  // Labels the rows of the bundles graph hold.
  int BundleCapacity(int rows) const;
  // The smallest bundle size drawn (0: every bundle).
  int MinimumBundleSize(int rows) const;
  bool IsHiddenBundle(const BundleRecord& b) const;
  int32_t SelectedItem() const;
  void Side(int level, int32_t centre, bool left, std::vector<std::pair<int32_t, uint32_t>>& out);

  GraphSource& source_;
  SelectionState& selection_;
  GraphSettings settings_;
  Canvas* canvas_ = nullptr;
  CanvasRect rect_;
  std::string title_;
  bool printing_ = false;
  bool allLines_ = false;
  bool relationListShown_ = false;
  int highlighted_ = kHighlightNone;
  Colour selectionColour_ = 0xFF0000;
  uint32_t selectedEpisode_ = 0;
  int lineHeight_ = 0;
  int rowsFit_ = 0;
  int usableRows_ = 0;
  int objectCount_ = 0;
  int drawnType_ = 0;
  int level_ = 1;  // level of the classes drawn

  std::array<HitObject, kRegistrySize> registry_{};
  int registered_ = 0;
  std::vector<std::vector<Cell>> columns_;  // kColumnRows rows of at most kColumns cells
  std::array<int, kColumnRows> rowTop_{};
  int columnRows_ = 0;

  // Distribution: the sectors of the last draw.
  std::vector<uint32_t> sectors_;
  int lastSector_ = 0;
  double sectorSize_ = 0;
  int barWidth_ = 14;
  int32_t highest_ = 0;
  int lastClickedSector_ = -1;

  // Classes clicked as the first and second class of a relation.
  int32_t clickedFirst_ = 0;
  int32_t clickedSecond_ = 0;

  // Actors: per-class relation totals and distinct relations, indexed by
  // class number 0..65535.
  std::vector<uint32_t> totals_;
  std::vector<uint32_t> distinct_;
};

}  // namespace malvex
