// The class lists of the References, Reference fields and Scenario results:
// the classes of one level in frequency order, down to the minimal
// frequency, each written as its name, a tab and its frequency on 4 digits,
// filtered by the "Actant" and "Acted" boxes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace malvex {

class ResultList;
class SemanticDictionary;

// The two boxes and the threshold of a class list.
struct ClassListOptions {
  bool actant = true;           // "Actant" checked
  bool acted = true;            // "Acted" checked
  uint32_t minimalFrequency = 0;  // classes seen fewer times end the list
};

// Whether a class is listed and the share its line shows.
struct ClassShare {
  bool listed = true;
  int share = -1;  // percentage shown in brackets, -1 when none is shown
};

// The share rule of the boxes: with both checked every class is listed
// without a share; with exactly "Actant" checked the share is
// Trunc(actant / frequency x 100), with "Acted" or neither checked it is 100
// minus that; a class whose share is below 50 is not listed.
ClassShare ShareOfClass(uint32_t frequency, uint32_t actant, const ClassListOptions& options);

// One line of a class list and the numbers behind it.
struct ClassRow {
  int32_t cls = 0;         // class number at the level
  std::string name;        // code page 1250
  uint32_t frequency = 0;  // occurrences in the text
  uint32_t actant = 0;     // occurrences as actant (before the first verb)
  int share = -1;          // shown share, -1 when none
  int depth = 0;           // Scenario groups: depth in the tree, 0 at the top
};

// The line of `row`: name, tab, frequency on 4 digits and, when a share is
// shown, a tab and "(share%)".
std::string ClassLine(const ClassRow& row);

// The rows of `level` (1..4) in the order of the level's ranking, ending at
// the first class seen fewer than options.minimalFrequency times; classes
// the share rule leaves out are skipped. `actantOf(c)` gives the actant
// counter of class c at that level.
using ActantCounter = std::function<uint32_t(int32_t cls)>;
std::vector<ClassRow> ClassRows(const SemanticDictionary& dictionary, int level, const ActantCounter& actantOf,
                                const ClassListOptions& options);

// Appends the lines of `rows` to `list` (item number: the class), until the
// list refuses one; false then.
bool FillClassList(const std::vector<ClassRow>& rows, ResultList& list);

}  // namespace malvex
