// Terminology extraction: the compounds of the analysed text (repeated runs
// of words led by a noun whose class recurs, adjectives and determinants
// joined on) and its frequent nouns that the scenario does not hold yet,
// with their frequencies. Qt-free: the terminology window and malvex-cli
// list what Extract answers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace malvex {

class Messages;
class SemanticDictionary;
class TermIndex;
class WordStream;
struct LanguageTables;

// The window's title and the status line after a run: more than 3 lines
// listed, or fewer.
inline constexpr int kTerminologyTitleMessage = 1236;
inline constexpr int kTermsToAddMessage = 887;
inline constexpr int kSmallSampleMessage = 580;

// Longest compound, in characters.
inline constexpr size_t kMaxCompoundLength = 75;

// One listed term.
struct TermLine {
  std::string head;      // the head noun, blanks between its words
  std::string compound;  // words joined by '_'; for a head word line its typed-term form
  uint32_t frequency = 0;
  bool isCompound = false;  // false: a frequent noun missing from the scenario
};

struct TerminologyOptions {
  bool showCompounds = true;
  bool showNonClassified = true;
  // Only the most significant terms: compounds seen 3 times or more, nouns
  // seen more than twice (else 2 times, more than once).
  bool filter = false;
};

// Whether a typed-term form (folded, '_' between words) is a word of the
// scenario.
using ScenarioWordTest = std::function<bool(const std::string& normalised)>;

// Walks `stream` from its first node (the cursor is not moved) and fills
// `index`: head words counted once per compound they open, compounds once
// per occurrence. `dictionary` gives the level-1 class counts of the run.
void WalkTerminology(const WordStream& stream, const SemanticDictionary& dictionary, TermIndex& index);

// The lines `options` asks for from a filled `index`: head words first
// (in their numbering order), then compounds; at most `capacity` lines
// (`overflow` tells whether the list stopped there).
std::vector<TermLine> ListTerminology(const TermIndex& index, const LanguageTables& tables,
                                      const TerminologyOptions& options, const ScenarioWordTest& isScenarioWord,
                                      size_t capacity, bool* overflow = nullptr);

// Walk and list on a fresh term index. `messages` (may be null) reports a
// lack of memory.
std::vector<TermLine> ExtractTerminology(Messages* messages, const WordStream& stream,
                                         SemanticDictionary& dictionary, const LanguageTables& tables,
                                         const TerminologyOptions& options, size_t capacity,
                                         bool* overflow = nullptr);

// The lines by frequency, most frequent first; equal frequencies keep
// their order.
void SortByFrequency(std::vector<TermLine>& lines);

// The stored form of a line: head TAB compound TAB frequency ("*" for 0).
std::string TermLineText(const TermLine& line);
// A stored line as the list shows it: head " => " compound " (" frequency ")".
std::string TermLineDisplay(std::string_view stored);

// The two first fields of a stored line (or of a shown one): the head is
// the text before the first TAB (or before " ="), the second field the text
// after it up to the next TAB or " (".
struct TermLineFields {
  std::string head;
  std::string second;
};
TermLineFields SplitTermLine(std::string_view line);
// The frequency field of a stored line; 0 when it has none.
uint32_t TermLineFrequency(std::string_view line);

// The fill of a line's square by frequency (capped at 255): up to 2, 4, 9,
// 14 and above, lighter to darker blue.
struct TermColour {
  int red, green, blue;
};
TermColour TermFrequencyColour(uint32_t frequency);

}  // namespace malvex
