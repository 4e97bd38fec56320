// What choosing a line of the style result or of the word-category list
// does to the text view: a line about word categories colours them and
// shows the propositions that hold them.
#pragma once

#include "semantic/style_diagnosis.h"
#include "semantic/word_category_list.h"
#include "views/text_view.h"

namespace malvex {

// A colouring verdict shows its criteria (selective coloration, from the
// start of the text); the other lines leave the view alone. True when the
// view changed.
bool ColourStyleLine(const StyleLineSelection& line, TExtraitDuTexte& view);

// A category line shows its criterion; a line beyond the list's end brings
// back the plain syntactic colours from the start of the text; an ignored
// line changes nothing. True when the view changed.
bool ColourCategoryLine(const CategoryLineSelection& line, TExtraitDuTexte& view);

}  // namespace malvex
