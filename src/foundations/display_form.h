// Turning stored words and punctuation back into readable text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundations/category.h"

namespace malvex {

// Longest stored word, in characters.
constexpr size_t kMaxWordChars = 79;

// The readable form of a stored word: capitalisation 2 upper-cases the
// whole text, any other non-zero code the first letter (and, for a
// substantive, each letter after a '_', '-' or '&' at positions 2..78); an
// apostrophe position 1..77 puts an apostrophe there (one past the end
// appends it); '_' become blanks unless `keepUnderscore`.
std::string DisplayForm(std::string_view text, uint8_t capitalisation, uint8_t apostrophePos,
                        const WordCategory& category, bool keepUnderscore);

// Adds the blanks that surround a punctuation token in running text.
// `token` holds one or two characters and room for four bytes: a closing
// sign (! ) , . : ; ? ] }) gets a blank after it, an opening bracket
// (( [ {) a blank before it, ")", "]" or "}" followed by another sign a
// blank after both, and ".(" becomes ". " plus a blank. Empty tokens and
// tokens of three or more characters are left as they are.
void SpaceAroundPunctuation(char token[4]);

}  // namespace malvex
