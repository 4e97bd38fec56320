// The chronological results of a run: bundles and episodes, then the most
// characteristic parts of the text. The semantic pass calls both at its
// end, in this order, for texts with fewer than 65,536 propositions.
#pragma once

namespace malvex {

class AnalysisContext;
class Engine;

// Fills the bundle and episode tables of `context` from the word stream and
// marks the tokens of the bundles. False when the stage failed.
bool ComputeBundlesAndEpisodes(AnalysisContext& context, Engine& engine);

// Fills the characteristic-parts list of `context` and marks the tokens of
// the selected propositions. False when the stage failed.
bool ComputeCharacteristicParts(AnalysisContext& context, Engine& engine);

}  // namespace malvex
