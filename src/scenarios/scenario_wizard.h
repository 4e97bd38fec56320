// What the scenario creation wizard makes, without any window: the tree of
// a scenario built from the classes or substantives of an analysed text,
// and the merging of existing scenario files into one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace malvex {

class ScenarioTree;

// Thresholds of the automatic creation: a word count of 1 to 999, never
// below the class detection threshold.
inline constexpr int kWizardMinThreshold = 1;
inline constexpr int kWizardMaxThreshold = 999;
// Words a text needs before a scenario is built from it.
inline constexpr uint32_t kWizardMinTextWords = 200;
// Said when the chosen level has no class in the text (the editor keeps
// its scenario).
inline constexpr int kWizardNoClassMessage = 2300;

// `threshold` brought within kWizardMinThreshold..kWizardMaxThreshold and
// raised to `detectionThreshold` (itself capped at kWizardMaxThreshold).
int ClampWizardThreshold(int64_t threshold, int detectionThreshold);

// One class or noun lemma of the analysed text.
struct WizardCandidate {
  std::string name;            // code page 1250
  uint32_t frequency = 0;      // occurrences in the text
  bool unclassified = false;   // a class the dictionary does not hold (made for an unknown word)
  bool inScenario = false;     // the name is already a word of the current scenario
};

// The text's classes of the chosen level in rank order, or its noun lemmas
// most frequent first.
struct WizardCandidates {
  // False when the text has no class of the chosen level (levels 1..3).
  bool levelHasClasses = true;
  std::vector<WizardCandidate> list;
};

struct WizardBuildOptions {
  int level = 1;               // 0 substantives, 1..3 class level
  bool nonClassified = false;  // only the unclassified classes not yet in the scenario
  bool subclassify = true;     // one top-level group holds the others
  uint32_t threshold = 1;      // candidates seen fewer times are left out
  bool capitals = false;       // group names begin with a capital
  std::string holdingLabel;    // the holding group's label
};

// Replaces `tree`'s nodes (sorting is left to the caller): unless
// `subclassify` is off, one visible top-level group labelled
// options.holdingLabel holds the others; then one visible group per
// candidate seen at least `threshold` times, named after it (as a group
// name), holding one item: a class of the level with its suffix, an
// unclassified class as a plain word, a noun lemma as a substantive. In the
// non-classified mode only unclassified candidates not yet in the scenario
// are taken. Returns the number of candidate groups made.
size_t FillWizardTree(ScenarioTree& tree, const WizardCandidates& candidates, const WizardBuildOptions& options);

// Copies the scenario files `names` of `folder`, in order, into a new file
// of that folder whose name no file had (`mergedPath` receives it). Every
// line is cut at 517 characters and ends with CR LF, so that a file
// without a final line break does not run into the next; each file is
// decoded from its own encoding and the merged file is code page 1250. A
// file that cannot be read ends the copy; the merge still counts as done
// when the new file was made. False when no new file could be made.
bool MergeScenarioFiles(const std::string& folder, const std::vector<std::string>& names, std::string& mergedPath);

}  // namespace malvex
