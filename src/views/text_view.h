// TExtraitDuTexte: one page of the analysed text drawn onto a canvas, the
// words of the word stream in text order, each after its punctuation,
// wrapped into lines and coloured by the coloration mode and the selection.
// In full-text mode the page shows the text from the page start on; in
// extract mode only the propositions that hold the selection. For every
// piece drawn it keeps the rectangle's right edge and the word's position,
// so that a point can be turned back into a word.
//
// Word stream bookmarks: 1 the start of the page, 2 where the last drawing
// stopped (the start of the next page), 3 the start of the proposition the
// last search found.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "reading/word_stream.h"
#include "semantic/relation_store.h"
#include "settings/settings_record.h"
#include "views/canvas.h"
#include "views/selection_state.h"

namespace malvex {

// The punctuation kept before a word as running text shows it: its closing
// signs, a blank, then its opening signs (a lone joining hyphen or slash as
// it is). Every sign the stream kept is shown.
std::string SeparatorText(const char* separator);

enum class ColorationMode { kSyntactic, kReferent, kSelective };

// One piece drawn on a line: a word with its punctuation, or a marker icon.
struct TextViewEntry {
  int rightX = 0;
  int32_t position = 0;
  uint8_t kind = 0;  // 0 word, 1 marker icon
  WordCategory category;
};

struct TextViewLine {
  int bottom = 0;
  int count = 0;  // entries recorded, at most kMaxEntriesPerLine
  TextViewEntry entries[95];
};

// What lies under a point of the page.
struct TextViewHit {
  int32_t position = 0;
  uint8_t kind = 0;
  WordCategory category;
};

class TExtraitDuTexte {
 public:
  static constexpr int kMaxLines = 202;
  static constexpr int kMaxEntriesPerLine = 95;
  // In "Context" extracts, a proposition shorter than this many pieces is
  // followed by the next one.
  static constexpr int kContextPieces = 15;
  static constexpr int kIconWidth = 16;
  static constexpr int kFileMarkerIcon = 43;
  static constexpr int kSelectiveMarkerIcon = 30;
  static constexpr int kMarkerIcon = 47;
  static constexpr int kSmallFont = 8;
  static constexpr int kLargeFont = 14;

  // The view reads `settings` (colours, coloration choice, fonts, extract
  // layout) at each drawing; all three must outlive it.
  TExtraitDuTexte(WordStream& stream, SelectionState& selection, const SettingsRecord& settings);
  TExtraitDuTexte(const TExtraitDuTexte&) = delete;
  TExtraitDuTexte& operator=(const TExtraitDuTexte&) = delete;

  // The scenario groups' hierarchy for level-4 selections; null: a group
  // matches only itself.
  void SetGroupHierarchy(const GroupHierarchy* groups) { groups_ = groups; }
  // The relation store of the analysis shown: a relation selection then
  // matches the propositions that hold one of its entries. Null (no
  // analysis): a proposition matches when a word of the first class comes
  // before a word of the second.
  void SetRelationStore(const RelationStore* relations) {
    relations_ = relations;
    relationKey_ = RelationKey{};
  }

  // Coloration modes. Syntactic: the colour table. Referent: only classes
  // keep their colour. Selective: the colour table with the groups that no
  // criterion selects in black; the text panel then shows extracts. While
  // nothing is chosen (no selection, no criteria) the selective mode and
  // the "Selective" option keep the colour table.
  void ColorationSyntaxique();
  void ColorationReferent();
  void ColorationSelective();
  ColorationMode coloration() const { return mode_; }
  // Colour `index` (0..16) as drawn now.
  Colour LiveColour(int index) const { return live_[index]; }

  // What choosing a style verdict or a word-category line does to the text:
  // the selection gives way to the criteria `chosen` (any of them makes a
  // proposition match), the coloration becomes selective and the page and
  // the underlined word return to the start of the text.
  void ShowCriteria(const ColorationCriterion* chosen, int count);

  // Draws the page in full-text mode without proposition markers.
  void DrawPage(Canvas& canvas, const CanvasRect& rect);
  // Draws the text panel's page: extracts while the coloration is
  // selective, the full text otherwise; with proposition markers.
  void DrawExtract(Canvas& canvas, const CanvasRect& rect);

  // Moves the page start to the start of the text.
  void Rewind();
  // Moves the page start to the proposition holding position `p`.
  void StartAtPosition(int32_t p);
  // Paging, by the layout of the last drawing. Each returns false, leaving
  // the page where it is, when there is nowhere to go.
  bool NextPage();
  bool NextProposition();
  bool PreviousPage();
  bool PreviousProposition();

  // The search for the selection's next (or previous) occurrence, from the
  // word stream's cursor, proposition by proposition. On success bookmark 3
  // holds the start of the proposition found and the selection's found
  // positions are set; forwards the cursor ends after that proposition,
  // backwards on its start.
  bool FindNext(bool forward);

  // The word under (x, y) in the last drawing.
  bool WordAt(int x, int y, TextViewHit& hit) const;
  // Position of the first word of the page; 0 when none. In extract mode,
  // after a backward search that found nothing: the text's highest
  // position.
  int32_t FirstPositionShown() const;
  bool HasWords() const { return wordsDrawn_ > 0; }

  // The word drawn underlined (PosCurseur); 0 none.
  void SetCursorPosition(int32_t p) { cursorPosition_ = p; }
  int32_t CursorPosition() const { return cursorPosition_; }

  const WordStream& stream() const { return stream_; }

  // Layout of the last drawing.
  int LineHeight() const { return lineHeight_; }
  int LinesPerPage() const { return linesPerPage_; }
  int LinesDrawn() const { return linesDrawn_; }
  int WordsDrawn() const { return wordsDrawn_; }
  int PropositionsShown() const { return propositionsShown_; }
  bool Extract() const { return extract_; }
  const TextViewLine& Line(int i) const { return lines_[i]; }

 private:
  struct DrawState;

  void Draw(Canvas& canvas, const CanvasRect& rect, bool extract, bool markers, bool newLinePerProposition);
  bool NewLine(DrawState& s, WordNode* node);
  // Lays the piece `text` on the line, or on the next one when it does not
  // fit there together with the `glueWidth` pixels of what must follow it
  // on its line (0: nothing). The first `split` characters (its closing
  // signs; 0: none) stay on the line whatever happens to the rest; an
  // `attached` piece never starts a line of its own.
  void DrawPiece(DrawState& s, std::string_view text, size_t split, bool attached, WordNode& node, int glueWidth);
  // Draws `text` at the current point and records it for the word under a
  // point.
  void DrawText(DrawState& s, std::string_view text, WordNode& node);
  void DrawMarker(DrawState& s, int icon, const WordNode& node);
  Colour WordColour(const WordNode& node) const;
  // No selection and no category criteria are in force.
  bool NothingChosen() const;
  Colour CategoryColour(const WordInfo& info) const;
  bool PropositionMatches(WordNode* first, WordNode*& matched) const;
  bool HoldsSelectedRelation(WordNode* first, WordNode*& matched) const;
  WordNode* PropositionEnd(WordNode* first) const;
  void SetBookmarkAt(int i, WordNode* node);
  bool IsPropositionStart(const WordNode* node) const;
  bool StepBack(int propositions);

  WordStream& stream_;
  SelectionState& selection_;
  const SettingsRecord& settings_;
  const GroupHierarchy* groups_ = nullptr;
  const RelationStore* relations_ = nullptr;
  // The first tokens of the propositions holding the selected relation,
  // sorted; rebuilt when the relation, the store or its size changes.
  struct RelationKey {
    int level = 0;
    uint32_t first = 0;
    uint32_t second = 0;
    const GroupHierarchy* groups = nullptr;
    uint32_t entries = 0;
    bool operator==(const RelationKey&) const = default;
  };
  mutable RelationKey relationKey_;
  mutable std::vector<const WordNode*> relationStarts_;

  ColorationMode mode_ = ColorationMode::kSyntactic;
  std::array<Colour, SettingsRecord::kColourTableSize> live_{};

  bool extract_ = false;
  int32_t cursorPosition_ = 0;
  int lineHeight_ = 0;
  int linesPerPage_ = 0;
  int linesDrawn_ = 0;
  int wordsDrawn_ = 0;
  int propositionsShown_ = 0;
  int32_t firstShown_ = 0;
  bool reachedEnd_ = false;
  bool backwardSearchFailed_ = false;
  // The last drawing stopped inside a piece: its closing signs ended the
  // page, the rest of it had no line left.
  bool stoppedInsidePiece_ = false;
  // The page starts with the rest of such a piece: its closing signs are
  // not drawn again.
  bool continuesPiece_ = false;
  TextViewLine lines_[kMaxLines];
};

}  // namespace malvex
