// The style diagnosis: verdicts on a text's style ("Style rather narrative",
// "Setting: dynamic, action", "Tendencies non significant", ...) found by
// comparing its category percentages with the language's norm table, and
// what selecting a verdict shows (the word types to colour, the
// explanation).
#pragma once

#include <cstdint>
#include <string>

#include "dictionaries/borders.h"

namespace malvex {

class CategoryStatistics;
class DiagnosisList;
class SemanticEnvironment;
class Messages;
class ResultLines;
struct LanguageTables;

// What the diagnosis reads of the analysed text.
struct StyleFacts {
  const CategoryStatistics& statistics;  // counters and percentages of the run
  const LanguageTables& tables;          // the norm table
  uint32_t tokens;                       // nodes in the word stream
  BordersReport borders;                 // the borders of the reading pass
};

// Empties `list` and pushes the verdicts of the text in their fixed order.
// With `show` and an attached result list (`lines` not null), each verdict's
// text is appended to it as it is found; a refused line ends the diagnosis
// there. The verdict "Style not detected" is pushed only when a result list
// is attached.
void DiagnoseStyle(DiagnosisList& list, const StyleFacts& facts, Messages& messages, ResultLines* lines,
                   bool show);
// The same on the engine's last run.
void DiagnoseStyle(DiagnosisList& list, SemanticEnvironment& engine, ResultLines* lines, bool show);

// A word-category criterion: the stored group (word class + 1) and the
// subclass, or the person for pronouns.
struct CriteriaSlot {
  uint16_t group = 0;
  uint16_t position = 0;
};

// What selecting a line of the style result does.
enum class StyleLineAction {
  kNothing,              // an id the handler does not know
  kColoration,           // colour the criteria, show the explanation
  kText,                 // show the explanation only
  kFirstEpisode,         // go to the first episode
  kCharacteristicParts,  // show the characteristic propositions
  kFilesSearched,        // show the number of files searched
};

struct StyleLineSelection {
  StyleLineAction action = StyleLineAction::kNothing;
  // Catalogue id of the explanation shown in the information area (0 none).
  int explanation = 0;
  int slotCount = 0;
  CriteriaSlot slots[4];
};

// The action of a style-result line holding verdict `id` (or one of the
// lines 563, 566, 717 the main window adds to that result).
StyleLineSelection DescribeStyleLine(int id);

// Stores k as the selected line and returns the verdict of line k; 0 (no
// action) when k > 78 or beyond the verdicts.
int SelectDiagnosisEntry(DiagnosisList& list, int k);

// " N propositions kept on P": the line shown when the characteristic parts
// are selected, with N selected propositions out of P.
std::string CharacteristicPartsText(Messages& messages, uint32_t selected, uint32_t propositions);
// The number of files searched, a blank and message 418.
std::string FilesSearchedText(Messages& messages, int files);

}  // namespace malvex
