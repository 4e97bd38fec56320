// The readable text of the propositions of the analysed text, as the lists
// of characteristic parts and episodes show them: each word in its display
// form, preceded by its punctuation, words joined by blanks.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace malvex {

class WordStream;

struct PropositionText {
  uint32_t number = 0;  // 1-based, in text order
  int32_t first = 0;    // word position of its first word
  int32_t last = 0;     // word position of its last word
  std::string text;     // code page 1250
};

// Decides whether proposition `number` (1-based), whose first word is at
// word position `first`, is wanted.
using PropositionFilter = std::function<bool(uint32_t number, int32_t first)>;

// The propositions of `stream` that `wanted` accepts, in text order. A
// proposition ends at an end marker ("/"); words after the last end marker
// form a last proposition. The stream's cursor is left where it was.
std::vector<PropositionText> PropositionTexts(WordStream& stream, const PropositionFilter& wanted);

// The propositions whose first word lies within positions [first, last].
std::vector<PropositionText> PropositionTextsBetween(WordStream& stream, int32_t first, int32_t last);

}  // namespace malvex
