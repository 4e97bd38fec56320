// The Text style result: the verdicts of the style diagnosis, then a line
// with the number of files when several were analysed, one with the number
// of characteristic propositions when some were selected, and one with the
// number of episodes when some were found.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace malvex {

class DiagnosisList;
class Engine;
class Messages;
class ResultList;

// Catalogue ids of the lines the style result adds after the verdicts.
inline constexpr int kFilesSelectedMessage = 810;   // "file(s) selected"
inline constexpr int kFilesLineItem = 717;          // the id the files line carries
inline constexpr int kCharacteristicPartsMessage = 566;
inline constexpr int kEpisodesMessage = 563;

struct StyleRow {
  int id = 0;          // verdict id, or the id the line carries (717, 566, 563)
  std::string text;    // code page 1250
  int64_t count = -1;  // the number of a files, parts or episodes line; -1 on a verdict
};

// What the lines after the verdicts count.
struct StyleFigures {
  int files = 0;                // files analysed together
  uint32_t selectedParts = 0;   // characteristic propositions selected
  int episodes = 0;
};

// The figures of the engine's last analysis.
StyleFigures StyleFiguresOf(Engine& engine);

// The count line "n message" carrying `id`.
StyleRow CountRow(Messages& messages, int64_t count, int message, int id);

// Runs the style diagnosis on the engine's last run (its verdicts land in
// `diagnosis`) and returns the rows of the style result.
std::vector<StyleRow> StyleRows(Engine& engine, DiagnosisList& diagnosis, const StyleFigures& figures);

// Appends the rows (item number: their id) until the list refuses one;
// false then.
bool FillStyleList(const std::vector<StyleRow>& rows, ResultList& list);

}  // namespace malvex
