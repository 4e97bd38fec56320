// The Scenario result: the top-level groups of the Scenario found in the
// text, most frequent first, each followed by its active sub-groups in tree
// order; a line is the group's name (indented by two blanks per level of
// depth), a tab and its frequency on 4 digits, filtered by the "Actant" and
// "Acted" boxes as the class lists are.
#pragma once

#include <vector>

#include "views/class_list.h"

namespace malvex {

class ScenarioLayer;
class SemanticDictionary;

// The rows of the Scenario result: the ranked top-level groups down to the
// first counted fewer than options.minimalFrequency times, each followed by
// its active descendants counted at least that often; groups the share rule
// leaves out get no row. `actantOf` gives the level-4 actant counters; as a
// group's count includes its sub-groups' counts, its actant occurrences
// include theirs too.
std::vector<ClassRow> ScenarioRows(const SemanticDictionary& dictionary, const ScenarioLayer& layer,
                                   const ActantCounter& actantOf, const ClassListOptions& options);

// Orders the top-level groups of `rows` alphabetically (Romanian order),
// each keeping its sub-groups after it in tree order.
void SortScenarioRowsAlphabetically(std::vector<ClassRow>& rows);

// Keeps the rows of the top-level groups only (the shallowest depth of
// `rows`): the Scenario list with its branches hidden.
void HideScenarioBranches(std::vector<ClassRow>& rows);

// The line of a Scenario row: ClassLine with the name indented by depth.
std::string ScenarioLine(const ClassRow& row);

}  // namespace malvex
