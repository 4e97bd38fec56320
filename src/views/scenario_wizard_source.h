// What the scenario creation wizard reads from the engine's last analysis:
// the size of the text, and the classes of a level or the noun lemmas that
// may become the groups of a new scenario.
#pragma once

#include <cstdint>

#include "scenarios/scenario_wizard.h"

namespace malvex {

class Engine;

// The words of the analysed text (the word stream without its proposition
// end markers).
uint32_t AnalysedWordCount(Engine& engine);

// The classes of `level` (1..3) in the text's rank order, or for level 0
// the noun lemmas most frequent first, down to those seen `threshold`
// times. A class is unclassified when the dictionary's file does not hold
// it (it was made during the run for an unknown word); each candidate also
// tells whether its name is already a word of the current scenario.
WizardCandidates WizardCandidatesOf(Engine& engine, int level, uint32_t threshold);

}  // namespace malvex
