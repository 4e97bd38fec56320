// The copy-text box: a stretch of the analysed text, one proposition per
// line, for the user to select and copy. The stretch is the text from a
// little before the word clicked last, or the extract of the selection
// (the propositions the text panel shows in extract mode).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reading/word_stream.h"
#include "views/selection_state.h"
#include "views/text_view.h"

namespace malvex {

// The stretch starts this many positions before the clicked word.
inline constexpr int32_t kCopyTextLead = 500;
// Limits of the box: the longest line and the whole box, in characters.
inline constexpr size_t kCopyTextMaxLine = 65531;
inline constexpr size_t kCopyTextMaxBox = 64000;

// The first position of the stretch around the word at `clicked`: 500
// positions before it, at least 0.
int32_t CopyTextStart(int32_t clicked);

struct CopyTextBox {
  // The lines of the box, in code page 1250, without line breaks.
  std::vector<std::string> lines;
  // The first position taken into the box.
  int32_t start = 0;
  // Offset of the clicked word's first character in Text(): every line
  // break counts as one character, as in an edit box; -1 when the word is
  // not in the box.
  int caret = -1;
  bool extract = false;
  // The lines joined by line feeds.
  std::string Text() const;
};

// Fills the box from `stream`. Without `extractView`: the whole text from
// CopyTextStart(clicked). With it: the propositions that hold the
// selection, found by that view (a view of its own on the same stream and
// selection, so that the text panel's layout is not touched). The stream's
// cursor and bookmarks, and the selection's found positions, are the same
// afterwards.
CopyTextBox FillCopyText(WordStream& stream, int32_t clicked, TExtraitDuTexte* extractView,
                         SelectionState* selection);

// What Copy puts on the clipboard: the selected characters [from, to) of
// `box` (either order), or the whole box when fewer than two are selected.
std::string CopyTextClip(const std::string& box, int from, int to);

}  // namespace malvex
