#include "views/text_view.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>
#include <functional>
#include <string>

#include "foundations/display_form.h"

namespace malvex {

namespace {

constexpr int kClassColour = 11;
constexpr int kBackgroundColour = 15;

bool IsEndMarker(const WordNode* node) { return node->text != nullptr && node->text[0] == '/'; }

// Signs that close what comes before them: drawn against the previous
// word and kept on its line. Every other sign opens what follows: drawn
// against the next word and carried to its line.
bool Closes(uint8_t c) {
  return (c != 0 && std::strchr(".,;:!?)]}%", c) != nullptr) || c == 0xBB || c == 0x92 || c == 0x94 || c == 0x9B ||
         c == 0x85;
}
bool Quote(uint8_t c) { return c == '"' || c == '\''; }

// A separator that joins its word to the one before: a lone hyphen
// ("m-am", "și-a") or slash ("și/sau", "2002/975").
bool JoiningSign(const char* separator) {
  return (separator[0] == '-' || separator[0] == '/') && separator[1] == '\0';
}

// The punctuation before a word as it is shown, in two parts: the signs
// that close the previous sentence or clause, and the rest: a blank, then
// the signs that open what follows, against the word.
struct SeparatorParts {
  std::string closing;
  std::string rest;
  // The rest holds signs that open what follows.
  bool opens = false;
};

// Spaces the punctuation like running text: the closing signs first, then
// a blank, then the opening ones. A straight quote closes after the end of
// a sentence or before a closing sign ('!"', '",'), and opens otherwise
// (':"'). Without punctuation: a blank. Every sign the stream kept is shown
// ("...", ':"', ').(').
SeparatorParts SplitSeparator(const char* separator) {
  SeparatorParts parts;
  // A lone hyphen or slash joins two words and stays between them.
  if (JoiningSign(separator)) {
    parts.rest = separator;
    return parts;
  }
  const size_t n = std::strlen(separator);
  std::string opening;
  for (size_t i = 0; i < n; ++i) {
    const uint8_t c = static_cast<uint8_t>(separator[i]);
    if (c == ' ') continue;
    bool closes = Closes(c);
    if (!closes && Quote(c) && opening.empty()) {
      // '!"', '."': the quote ends a sentence; '",': it ends a quotation
      // before a comma; ':"', ',"': it opens one.
      const bool afterEnd = !parts.closing.empty() && std::strchr(".!?", parts.closing.back()) != nullptr;
      const bool beforeCloser = i + 1 < n && Closes(static_cast<uint8_t>(separator[i + 1]));
      closes = afterEnd || beforeCloser;
    }
    if (closes && opening.empty()) {
      parts.closing += static_cast<char>(c);
    } else {
      opening += static_cast<char>(c);
    }
  }
  parts.opens = !opening.empty();
  parts.rest = " " + opening;
  return parts;
}

bool IsBlank(const char* separator) {
  for (const char* c = separator; *c != '\0'; ++c) {
    if (*c != ' ') return false;
  }
  return true;
}

// A piece of text as it is laid on a line.
struct Piece {
  std::string text;
  // Length of its leading closing signs, which stay on the line of what
  // comes before even when the rest goes to the next line; 0: none.
  size_t split = 0;
  // It starts with closing signs that cannot be parted from the rest: it
  // never starts a line of its own.
  bool attached = false;
  // It ends with an opening sign: what follows stays on its line.
  bool opens = false;
};

// The piece of an end marker: its punctuation.
Piece EndMarkerPiece(const SeparatorParts& parts) {
  Piece p;
  p.text = parts.closing + parts.rest;
  p.opens = parts.opens;
  if (!parts.closing.empty()) {
    // ". (": the full stop stays, the bracket goes with the next word;
    // ". ": the whole piece stays, its blank does not start a line.
    if (parts.opens) {
      p.split = parts.closing.size();
    } else {
      p.attached = true;
    }
  }
  return p;
}

// The piece of a word: its punctuation, then its display form.
Piece WordPiece(const SeparatorParts& parts, const std::string& word) {
  Piece p;
  p.text = parts.closing + parts.rest + word;
  p.split = parts.closing.size();
  return p;
}

// Width of the part of `next` that must stay on the line of the piece
// before it (which ends with an opening sign when `afterOpening`).
int HeadWidth(Canvas& canvas, const Piece& next, bool afterOpening) {
  if (next.split > 0) return canvas.TextWidth(std::string_view(next.text).substr(0, next.split));
  if (next.attached || afterOpening) return canvas.TextWidth(next.text);
  return 0;
}

}  // namespace

struct TExtraitDuTexte::DrawState {
  Canvas& canvas;
  CanvasRect rect;
  int gap = 0;
  int x = 0;
  int y = 0;
  int maxLines = 0;
  int piecesOnLine = 0;
  bool stopped = false;
};

std::string SeparatorText(const char* separator) {
  const SeparatorParts parts = SplitSeparator(separator);
  return parts.closing + parts.rest;
}

TExtraitDuTexte::TExtraitDuTexte(WordStream& stream, SelectionState& selection, const SettingsRecord& settings)
    : stream_(stream), selection_(selection), settings_(settings) {
  ColorationSyntaxique();
}

// ---- Colours ----------------------------------------------------------

void TExtraitDuTexte::ColorationSyntaxique() {
  mode_ = ColorationMode::kSyntactic;
  for (int i = 0; i < SettingsRecord::kColourTableSize; ++i) live_[i] = settings_.colour(i);
}

void TExtraitDuTexte::ColorationReferent() {
  ColorationSyntaxique();
  mode_ = ColorationMode::kReferent;
  for (int i = 0; i <= 10; ++i) live_[i] = kBlack;
}

void TExtraitDuTexte::ColorationSelective() {
  ColorationSyntaxique();
  mode_ = ColorationMode::kSelective;
  // Until something is chosen the text keeps its syntactic colours: a page
  // all in black would tell nothing.
  if (NothingChosen()) return;
  // Group g colours the words of class g - 1.
  for (int g = 1; g <= 7; ++g) {
    if (!selection_.groupSelected[g]) live_[g - 1] = kBlack;
  }
}

void TExtraitDuTexte::ShowCriteria(const ColorationCriterion* chosen, int count) {
  selection_.SelectCriteria(chosen, count);
  ColorationSelective();
  Rewind();
  cursorPosition_ = 0;
}

bool TExtraitDuTexte::NothingChosen() const { return !selection_.active && !selection_.CriteriaInForce(); }

Colour TExtraitDuTexte::CategoryColour(const WordInfo& info) const {
  int c = info.category.category;
  if (c == 0) c = kClassSubstantive;
  if (c >= SettingsRecord::kColourTableSize) return kBlack;
  return live_[c];
}

Colour TExtraitDuTexte::WordColour(const WordNode& node) const {
  const SelectionState& sel = selection_;
  const WordInfo& info = node.info;
  const Colour classColour = live_[kClassColour];
  const bool referent = info.referent == 1 || info.referent == 2;
  if (extract_ && sel.active && sel.kind == kSelectCharacteristicParts) {
    if (node.markA == 0) return kBlack;
    return referent ? classColour : CategoryColour(info);
  }
  if (extract_ && sel.active && sel.kind == kSelectWord) {
    if (!sel.MatchesSelection(node, groups_)) return kBlack;
    return sel.selectedCategory == kClassSubstantive ? classColour : CategoryColour(info);
  }
  // The "Selective" option blacks out what lies outside the selection;
  // with nothing chosen yet every word keeps its colour.
  const bool nothingChosen = NothingChosen();
  const bool selectiveOption = settings_.selectiveColoration() && !nothingChosen;
  if (referent) {
    if (sel.active) {
      if (sel.MatchesSelection(node, groups_)) {
        return isSubstantive(info.category) ? classColour : CategoryColour(info);
      }
    } else {
      if (selectiveOption) return kBlack;
      return isSubstantive(info.category) ? classColour : CategoryColour(info);
    }
  }
  if (extract_) return nothingChosen || sel.MatchesAnyPattern(info) ? CategoryColour(info) : kBlack;
  return selectiveOption ? kBlack : CategoryColour(info);
}

// ---- Drawing ----------------------------------------------------------

void TExtraitDuTexte::DrawPage(Canvas& canvas, const CanvasRect& rect) { Draw(canvas, rect, false, false, false); }

void TExtraitDuTexte::DrawExtract(Canvas& canvas, const CanvasRect& rect) {
  const bool extract = mode_ == ColorationMode::kSelective;
  Draw(canvas, rect, extract, true, extract || settings_.textViewByProposition());
}

void TExtraitDuTexte::SetBookmarkAt(int i, WordNode* node) {
  WordNode* const cursor = stream_.Current();
  stream_.SetCurrent(node);
  stream_.SaveBookmark(i);
  stream_.SetCurrent(cursor);
}

bool TExtraitDuTexte::IsPropositionStart(const WordNode* node) const {
  return node == stream_.Head() || IsEndMarker(node->prev);
}

bool TExtraitDuTexte::NewLine(DrawState& s, WordNode* node) {
  SetBookmarkAt(2, node);
  if (linesDrawn_ >= s.maxLines) {
    s.stopped = true;
    return false;
  }
  s.x = s.rect.left;
  s.y += lineHeight_;
  s.piecesOnLine = 0;
  TextViewLine& line = lines_[linesDrawn_++];
  line.bottom = s.y + lineHeight_;
  line.count = 0;
  return true;
}

void TExtraitDuTexte::DrawPiece(DrawState& s, std::string_view text, size_t split, bool attached, WordNode& node,
                                int glueWidth) {
  int needed = s.canvas.TextWidth(text) + s.gap;
  if (glueWidth > 0) needed += glueWidth + s.gap;
  // A piece wider than the page stays on its own line rather than opening
  // empty ones.
  if (s.x + needed <= s.rect.right || s.piecesOnLine == 0) {
    DrawText(s, text, node);
    return;
  }
  if (split > 0) {
    // The closing signs end this line, the rest of the piece starts the next.
    DrawText(s, text.substr(0, split), node);
    if (!NewLine(s, &node)) {
      stoppedInsidePiece_ = true;
      return;
    }
    DrawText(s, text.substr(split), node);
    return;
  }
  if (!attached && !NewLine(s, &node)) return;
  DrawText(s, text, node);
}

void TExtraitDuTexte::DrawText(DrawState& s, std::string_view text, WordNode& node) {
  const int width = s.canvas.TextWidth(text);
  TextStyle style;
  style.colour = WordColour(node);
  style.background = live_[kBackgroundColour];
  style.keepLegible = true;
  if (cursorPosition_ != 0 && node.position == cursorPosition_ && !IsEndMarker(&node)) {
    style.underline = true;
    style.opaque = true;
    style.background = InvertedColour(style.colour);
  }
  s.canvas.DrawText(s.x, s.y, text, style);
  s.x += width + s.gap;
  ++s.piecesOnLine;
  TextViewLine& line = lines_[linesDrawn_ - 1];
  if (line.count < kMaxEntriesPerLine) {
    TextViewEntry& e = line.entries[line.count++];
    e.rightX = s.x;
    e.position = node.position;
    e.kind = 0;
    e.category = node.info.category;
  }
}

void TExtraitDuTexte::DrawMarker(DrawState& s, int icon, const WordNode& node) {
  s.canvas.DrawIcon(s.x, s.y, icon);
  s.x += kIconWidth + s.gap;
  ++s.piecesOnLine;
  TextViewLine& line = lines_[linesDrawn_ - 1];
  if (line.count < kMaxEntriesPerLine) {
    TextViewEntry& e = line.entries[line.count++];
    e.rightX = s.x;
    e.position = node.position;
    e.kind = 1;
    e.category = node.info.category;
  }
}

void TExtraitDuTexte::Draw(Canvas& canvas, const CanvasRect& rect, bool extract, bool markers,
                           bool newLinePerProposition) {
  extract_ = extract;
  stoppedInsidePiece_ = false;
  linesDrawn_ = 0;
  wordsDrawn_ = 0;
  propositionsShown_ = 0;
  firstShown_ = 0;
  reachedEnd_ = false;
  // The live colours follow the colour table and the criteria as they are now.
  switch (mode_) {
    case ColorationMode::kSyntactic: ColorationSyntaxique(); break;
    case ColorationMode::kReferent: ColorationReferent(); break;
    case ColorationMode::kSelective: ColorationSelective(); break;
  }

  canvas.SetFont(settings_.largeFonts() ? kLargeFont : kSmallFont, false);
  canvas.FillRect(rect, live_[kBackgroundColour]);
  DrawState s{canvas, rect};
  s.gap = canvas.TextWidth(" ") / 2;
  lineHeight_ = static_cast<int>(std::lrint(canvas.TextHeight("A") * 1.2));
  if (lineHeight_ < 1) lineHeight_ = 1;
  linesPerPage_ = rect.height() / lineHeight_;
  if (linesPerPage_ > kMaxLines) linesPerPage_ = kMaxLines;
  s.maxLines = linesPerPage_;

  stream_.RestoreBookmark(1);
  stream_.SaveBookmark(2);
  if (linesPerPage_ < 1) return;
  s.x = rect.left;
  s.y = rect.top;
  linesDrawn_ = 1;
  lines_[0].bottom = rect.top + lineHeight_;
  lines_[0].count = 0;

  WordNode* const tail = stream_.Tail();
  WordNode* node = stream_.Current();
  // The page goes on with the rest of the piece whose closing signs ended
  // the page before.
  WordNode* continued = continuesPiece_ ? node : nullptr;
  bool propositionStart = node != tail && IsPropositionStart(node);
  if (extract && propositionStart) {
    if (!FindNext(true) || selection_.foundPropositionStart > selection_.spanEnd) {
      reachedEnd_ = true;
      return;
    }
    node = stream_.Bookmark(3);
    // The page starts with the first proposition it shows.
    stream_.CopyBookmark(1, 3);
  }
  // A page that starts inside a proposition continues the one the previous
  // page cut.
  if (node != tail) ++propositionsShown_;

  int prevFile = node == stream_.Head() || node == tail ? 0 : node->prev->fileIndex;
  std::string prevSeparator;
  int pieces = 0;
  int32_t lastEnd = INT32_MIN;
  const bool keepUnderscore = settings_.underscoreInCompounds();
  auto displayForm = [&](const WordNode* n) {
    return DisplayForm(n->text, n->info.capitalisation, n->info.apostrophePos, n->info.category, keepUnderscore);
  };
  // The piece drawn last ends with an opening sign.
  bool afterOpening = false;

  // What must follow a word's piece on its line: the closing signs of the
  // next piece, which is drawn right after it.
  auto glueAfterWord = [&](const WordNode* word) {
    const WordNode* n = word->next;
    if (n == tail) return 0;
    if (IsEndMarker(n)) {
      if (IsBlank(n->separator)) return 0;
      return HeadWidth(canvas, EndMarkerPiece(SplitSeparator(n->separator)), false);
    }
    if (JoiningSign(n->separator)) return 0;
    const SeparatorParts parts = SplitSeparator(n->separator);
    return parts.closing.empty() ? 0 : canvas.TextWidth(parts.closing);
  };
  // What must follow an end marker whose piece ends with an opening sign:
  // the start of the next proposition's first word, unless that word starts
  // a line anyway.
  auto glueAfterEnd = [&](const WordNode* end, const std::string& shown) {
    const WordNode* n = end->next;
    if (n == tail || IsEndMarker(n) || n->fileIndex != prevFile) return 0;
    const bool runsOn = extract && !settings_.textViewByProposition() && pieces + 1 < kContextPieces;
    if (extract ? !runsOn : newLinePerProposition) return 0;
    SeparatorParts parts = SplitSeparator(n->separator);
    if (!extract && parts.closing + parts.rest == shown) return canvas.TextWidth(displayForm(n));
    return HeadWidth(canvas, WordPiece(parts, displayForm(n)), true);
  };

  while (node != tail && !s.stopped) {
    WordNode* next = node->next;
    if (IsEndMarker(node)) {
      // The punctuation that closes the proposition. It is drawn even when
      // the word before carried the same sign ("vine, Maria, Ana"): the
      // reading pass stores each sign once.
      // A blank one is not drawn and so cannot be repeated by the next word.
      SeparatorParts parts = SplitSeparator(node->separator);
      std::string separator = parts.closing + parts.rest;
      if (IsBlank(node->separator)) {
        prevSeparator.clear();
      } else {
        if (node == continued) parts.closing.clear();
        const Piece piece = EndMarkerPiece(parts);
        const int glue = piece.opens ? glueAfterEnd(node, separator) : 0;
        DrawPiece(s, piece.text, piece.split, piece.attached || afterOpening, *node, glue);
        afterOpening = piece.opens;
        ++pieces;
        prevSeparator = std::move(separator);
      }
      continued = nullptr;
      lastEnd = node->position;
      if (s.stopped) break;
      if (extract && !settings_.textViewByProposition() && pieces < kContextPieces) {
        // A short extract goes on with the next proposition as context.
        node = next;
        continue;
      }
      if (s.piecesOnLine > 0 && newLinePerProposition) {
        if (!NewLine(s, next)) break;
        afterOpening = false;
      }
      if (extract) {
        stream_.SetCurrent(next);
        if (!FindNext(true)) {
          node = tail;
          break;
        }
        if (selection_.foundPropositionStart > selection_.spanEnd) break;
        next = stream_.Bookmark(3);
      }
      if (next != tail) ++propositionsShown_;
      propositionStart = true;
      pieces = 0;
      node = next;
      continue;
    }
    // Words already drawn as context of an earlier extract are not drawn
    // twice.
    if (node->position <= lastEnd) {
      node = next;
      continue;
    }
    SeparatorParts parts = SplitSeparator(node->separator);
    std::string separator = parts.closing + parts.rest;
    const bool repeated = separator == prevSeparator;
    prevSeparator = std::move(separator);
    // A joining sign draws the piece against the word before.
    const bool glued = !propositionStart && JoiningSign(node->separator);
    if (propositionStart) {
      propositionStart = false;
      if (node->fileIndex != prevFile) {
        if (s.piecesOnLine > 0 && !NewLine(s, node)) break;
        DrawMarker(s, kFileMarkerIcon, *node);
        afterOpening = false;
      } else if (markers && s.piecesOnLine == 0) {
        DrawMarker(s, mode_ == ColorationMode::kSelective ? kSelectiveMarkerIcon : kMarkerIcon, *node);
      }
      // The punctuation the end marker already showed is not shown again.
      if (!extract && repeated) parts = SeparatorParts{};
    }
    if (node == continued) parts.closing.clear();
    continued = nullptr;
    prevFile = node->fileIndex;
    const Piece piece = WordPiece(parts, displayForm(node));
    if (glued && s.piecesOnLine > 0) s.x -= s.gap;
    DrawPiece(s, piece.text, piece.split, afterOpening, *node, glueAfterWord(node));
    afterOpening = false;
    if (s.stopped) break;
    ++pieces;
    ++wordsDrawn_;
    if (firstShown_ == 0) firstShown_ = node->position;
    node = next;
  }
  if (node == tail) reachedEnd_ = true;
}

// ---- Search -----------------------------------------------------------

WordNode* TExtraitDuTexte::PropositionEnd(WordNode* first) const {
  WordNode* const tail = stream_.Tail();
  WordNode* n = first;
  while (n != tail && !IsEndMarker(n)) n = n->next;
  return n;
}

bool TExtraitDuTexte::PropositionMatches(WordNode* first, WordNode*& matched) const {
  const SelectionState& sel = selection_;
  WordNode* const tail = stream_.Tail();
  matched = nullptr;
  if (!sel.active) {
    if (sel.CriteriaInForce() && sel.anyCriterion) {
      for (WordNode* n = first; n != tail && !IsEndMarker(n); n = n->next) {
        if (sel.MatchesAnyPattern(n->info)) {
          matched = n;
          return true;
        }
      }
      return false;
    }
    // Every pattern in use must be met by some word of the proposition.
    bool seen[SelectionState::kPatternCount] = {};
    for (WordNode* n = first; n != tail && !IsEndMarker(n); n = n->next) {
      for (int k = 0; k < SelectionState::kPatternCount; ++k) {
        if (sel.patterns[k].inUse && !seen[k] && sel.MatchesPattern(n->info, k)) seen[k] = true;
      }
    }
    for (int k = 0; k < SelectionState::kPatternCount; ++k) {
      if (sel.patterns[k].inUse && !seen[k]) return false;
    }
    matched = first;
    return true;
  }
  if (sel.kind == kSelectRelation) {
    if (relations_ != nullptr) return HoldsSelectedRelation(first, matched);
    // The first class, then the second, in this order within the proposition.
    WordNode* firstEnd = nullptr;
    for (WordNode* n = first; n != tail && !IsEndMarker(n); n = n->next) {
      const uint32_t c = sel.ClassAtLevel(*n);
      if (firstEnd != nullptr && sel.ClassWithin(c, sel.secondClass, groups_)) {
        matched = firstEnd;
        return true;
      }
      if (firstEnd == nullptr && sel.ClassWithin(c, sel.firstClass, groups_)) firstEnd = n;
    }
    return false;
  }
  for (WordNode* n = first; n != tail && !IsEndMarker(n); n = n->next) {
    if (sel.MatchesSelection(*n, groups_)) {
      matched = n;
      return true;
    }
  }
  return false;
}

bool TExtraitDuTexte::HoldsSelectedRelation(WordNode* first, WordNode*& matched) const {
  const SelectionState& sel = selection_;
  const RelationKey key{sel.level, sel.firstClass, sel.secondClass, groups_, relations_->Count()};
  if (!(key == relationKey_)) {
    relationKey_ = key;
    relationStarts_.clear();
    if (sel.level >= 1 && sel.level <= 4) {
      for (uint32_t i = 0; i < relations_->Count(); ++i) {
        const RelationEntry& e = relations_->Entry(i);
        const uint32_t a = static_cast<uint32_t>(e.first[sel.level - 1]);
        const uint32_t b = static_cast<uint32_t>(e.second[sel.level - 1]);
        if (e.firstToken != nullptr && sel.ClassWithin(a, sel.firstClass, groups_) &&
            sel.ClassWithin(b, sel.secondClass, groups_)) {
          relationStarts_.push_back(e.firstToken);
        }
      }
    }
    std::sort(relationStarts_.begin(), relationStarts_.end(), std::less<const WordNode*>());
  }
  if (!std::binary_search(relationStarts_.begin(), relationStarts_.end(), first, std::less<const WordNode*>())) {
    return false;
  }
  // The word shown as found: the first of the relation's first class.
  WordNode* const tail = stream_.Tail();
  matched = first;
  for (WordNode* n = first; n != tail && !IsEndMarker(n); n = n->next) {
    if (sel.ClassWithin(sel.ClassAtLevel(*n), sel.firstClass, groups_)) {
      matched = n;
      break;
    }
  }
  return true;
}

bool TExtraitDuTexte::FindNext(bool forward) {
  SelectionState& sel = selection_;
  WordNode* const tail = stream_.Tail();
  WordNode* const head = stream_.Head();
  WordNode* p = stream_.Current();
  backwardSearchFailed_ = false;
  auto found = [&](WordNode* start, WordNode* matched) {
    SetBookmarkAt(3, start);
    sel.foundPropositionStart = start->position;
    sel.foundPosition = matched != nullptr ? matched->position : start->position;
  };
  if (forward) {
    // From the first proposition that starts at or after the cursor.
    if (p != tail && !IsPropositionStart(p)) {
      p = PropositionEnd(p);
      if (p != tail) p = p->next;
    }
    while (p != tail) {
      WordNode* const end = PropositionEnd(p);
      WordNode* matched = nullptr;
      if (!IsEndMarker(p) && PropositionMatches(p, matched) && p->position >= sel.spanStart) {
        found(p, matched);
        stream_.SetCurrent(end != tail ? end->next : tail);
        return true;
      }
      p = end != tail ? end->next : tail;
    }
    stream_.SetCurrent(tail);
    if (sel.active && sel.kind == kSelectRelation) sel.foundPosition = stream_.HighestPosition();
    return false;
  }
  // Backwards: the propositions before the one holding the cursor.
  if (p == tail && p != head && !IsEndMarker(p->prev)) p = p->prev;
  while (p != head && !IsPropositionStart(p)) p = p->prev;
  while (p != head) {
    p = p->prev;
    while (p != head && !IsPropositionStart(p)) p = p->prev;
    WordNode* matched = nullptr;
    if (!IsEndMarker(p) && PropositionMatches(p, matched) && p->position >= sel.spanStart) {
      found(p, matched);
      stream_.SetCurrent(p);
      return true;
    }
  }
  backwardSearchFailed_ = true;
  if (sel.active && sel.kind == kSelectRelation) sel.foundPosition = stream_.HighestPosition();
  return false;
}

// ---- Paging -----------------------------------------------------------

void TExtraitDuTexte::Rewind() {
  continuesPiece_ = false;
  stream_.Rewind();
  stream_.SaveBookmark(1);
  stream_.SaveBookmark(2);
  reachedEnd_ = false;
  backwardSearchFailed_ = false;
}

void TExtraitDuTexte::StartAtPosition(int32_t p) {
  continuesPiece_ = false;
  stream_.SeekPosition(p);
  stream_.BackToPropositionStart();
  stream_.SaveBookmark(1);
  stream_.SaveBookmark(2);
  reachedEnd_ = false;
}

bool TExtraitDuTexte::NextPage() {
  if (reachedEnd_ || stream_.Bookmark(2) == stream_.Bookmark(1)) return false;
  stream_.CopyBookmark(1, 2);
  continuesPiece_ = stoppedInsidePiece_;
  return true;
}

bool TExtraitDuTexte::NextProposition() {
  WordNode* const tail = stream_.Tail();
  WordNode* p = PropositionEnd(stream_.Bookmark(1));
  if (p == tail || p->next == tail) return false;
  p = p->next;
  if (!extract_) {
    SetBookmarkAt(1, p);
    continuesPiece_ = false;
    return true;
  }
  WordNode* const cursor = stream_.Current();
  stream_.SetCurrent(p);
  if (!FindNext(true)) {
    stream_.SetCurrent(cursor);
    return false;
  }
  stream_.CopyBookmark(1, 3);
  continuesPiece_ = false;
  return true;
}

bool TExtraitDuTexte::StepBack(int propositions) {
  WordNode* const head = stream_.Head();
  WordNode* const start = stream_.Bookmark(1);
  if (!extract_) {
    WordNode* p = start;
    int steps = 0;
    if (p != stream_.Tail() && !IsPropositionStart(p)) {
      while (!IsPropositionStart(p)) p = p->prev;
      steps = 1;
    }
    while (steps < propositions && p != head) {
      p = p->prev;
      while (p != head && !IsPropositionStart(p)) p = p->prev;
      ++steps;
    }
    if (p == start) return false;
    SetBookmarkAt(1, p);
    continuesPiece_ = false;
    return true;
  }
  stream_.SetCurrent(start);
  bool any = false;
  for (int i = 0; i < propositions; ++i) {
    if (!FindNext(false)) break;
    any = true;
  }
  if (any) {
    stream_.CopyBookmark(1, 3);
    continuesPiece_ = false;
  }
  return any;
}

bool TExtraitDuTexte::PreviousPage() { return StepBack(linesPerPage_ > 0 ? linesPerPage_ : 1); }

bool TExtraitDuTexte::PreviousProposition() { return StepBack(1); }

// ---- Hit testing ------------------------------------------------------

bool TExtraitDuTexte::WordAt(int x, int y, TextViewHit& hit) const {
  for (int i = 0; i < linesDrawn_; ++i) {
    const TextViewLine& line = lines_[i];
    if (line.bottom < y) continue;
    for (int k = 0; k < line.count; ++k) {
      const TextViewEntry& e = line.entries[k];
      if (e.rightX >= x) {
        hit.position = e.position;
        hit.kind = e.kind;
        hit.category = e.category;
        return true;
      }
    }
    return false;
  }
  return false;
}

int32_t TExtraitDuTexte::FirstPositionShown() const {
  if (extract_ && backwardSearchFailed_) return stream_.HighestPosition();
  return firstShown_;
}

}  // namespace malvex
