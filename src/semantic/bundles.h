// The chronological results of a run: bundles and episodes, then the most
// characteristic parts of the text. The semantic pass calls both at its
// end, in this order, for texts with fewer than 65,536 propositions.
#pragma once

namespace malvex {

class AnalysisContext;
class SemanticEnvironment;
class WordStream;
struct BundleScanInput;
struct ChronologyTables;

// Fills the bundle and episode tables of `context` from the word stream and
// marks the tokens of the bundles. False when the stage failed.
bool ComputeBundlesAndEpisodes(AnalysisContext& context, SemanticEnvironment& engine);

// Fills the characteristic-parts list of `context` and marks the tokens of
// the selected propositions. False when the stage failed.
bool ComputeCharacteristicParts(AnalysisContext& context, SemanticEnvironment& engine);

// The bundle stage on its inputs: scans the bundles, orders them by mean
// position, turns the sum of their sizes into the average size and, when
// more than 3 were found, cuts the episodes (the episode table stays empty
// otherwise).
void FindBundlesAndEpisodes(WordStream& stream, const BundleScanInput& input, ChronologyTables& tables);

}  // namespace malvex
