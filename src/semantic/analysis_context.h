// The analysis context: the per-run object of the semantic pass. It owns
// the proposition and relation stores, their cell pool, the actant
// counters, the neighbour lists of the star graph and the bundle, episode
// and characteristic-part tables, and runs the pass (semantic_pass.cc).
// The analysis run creates one after every reading pass and keeps it until
// the next run; the result lists, the text view and the graphs read it.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "dictionaries/semantic_dictionary.h"
#include "semantic/cell_pool.h"
#include "semantic/proposition_store.h"
#include "semantic/relation_store.h"

namespace malvex {

class SemanticEnvironment;
struct WordNode;

// Progress steps of one pass (the gauge's maximum).
inline constexpr int kSemanticGaugeSteps = 28;
// Bundles, episodes and characteristic parts are computed only for texts
// with fewer propositions than this.
inline constexpr uint32_t kChronologyPropositionLimit = 65536;
// Highest value of an actant counter.
inline constexpr uint32_t kActantSaturation = 65535;
// Actant counters cover every class number a level can hold.
inline constexpr uint32_t kActantClasses = kMaxClassNumber;
// Most entries of a neighbour list.
inline constexpr int kMaxNeighbours = 5999;
inline constexpr int kMaxBundles = 2950;
inline constexpr int kMaxEpisodes = 200;
inline constexpr int kMaxCharacteristicParts = 14000;

// A bundle: a run of occurrences of one item in abnormal density.
struct BundleRecord {
  int32_t item = 0;      // class number (> 0) or minus a statistics index
  uint32_t episode = 0;  // 1-based episode holding it, 0 for none
  uint32_t count = 0;    // occurrences in the bundle
  uint32_t first = 0;    // word position of the first occurrence
  uint32_t last = 0;     // word position of the last occurrence
  float mean = 0;        // mean word position of the occurrences
};

struct EpisodeRecord {
  int32_t start = 0;  // word positions
  int32_t end = 0;
  uint16_t bundles = 0;  // bundles assigned to the episode
};

struct CharacteristicPart {
  uint32_t proposition = 0;  // 1-based, in text order
  uint8_t score = 0;
};

// The chronological results of a run, filled by the bundle, episode and
// characteristic-part stages and read by the views. The pass empties the
// bundle and episode tables before those stages, so a run that skips them
// leaves them empty.
struct ChronologyTables {
  std::vector<BundleRecord> bundles;  // at most kMaxBundles; their number is the size
  uint32_t classBundles = 0;          // bundles whose item is a class
  double averageBundleSize = 0;
  std::vector<EpisodeRecord> episodes;  // episode k is episodes[k - 1]; at most kMaxEpisodes
  std::vector<CharacteristicPart> characteristicParts;  // the listed propositions
  uint32_t selectedParts = 0;  // listed propositions selected as characteristic
  uint8_t scoreThreshold = 0;
};

// One entry of a neighbour list: a class and how often it was a neighbour.
struct Neighbour {
  uint32_t count = 0;
  int32_t cls = 0;
};

// The proposition being collected by sweep 3.
struct PropositionAccumulator {
  int significantWords = 0;
  int referents = 0;
  int itemCount = 0;  // at most kPropositionItems
  bool hasItems = false;
  bool verbSeen = false;
  uint8_t weight = 1;  // relation weight flag
  ClassPath items[kPropositionItems];
  WordNode* firstToken = nullptr;
  int32_t endPosition = 0;  // word position of the closing end marker

  // Back to an empty proposition (the first token stays).
  void Reset();
};

class AnalysisContext {
 public:
  // Creates the context of a run: the class detection threshold is given
  // to the semantic dictionary (loaded first when it is not yet), both
  // stores are made on an empty cell pool and the actant counters are
  // cleared. Ready() is false when the dictionary cannot be loaded.
  // `environment` must outlive the context.
  explicit AnalysisContext(SemanticEnvironment& environment);
  ~AnalysisContext();
  AnalysisContext(const AnalysisContext&) = delete;
  AnalysisContext& operator=(const AnalysisContext&) = delete;

  bool Ready() const { return ready_; }
  bool Ok() const { return ready_; }

  // Runs the semantic pass over the word stream (semantic_pass.cc); true
  // when every stage completed and the user did not stop it.
  bool Run();

  SemanticEnvironment& environment() { return engine_; }
  PropositionStore& propositions() { return *propositions_; }
  const PropositionStore& propositions() const { return *propositions_; }
  RelationStore& relations() { return *relations_; }
  const RelationStore& relations() const { return *relations_; }
  CellPool& cells() { return *cells_; }

  // The relation level (1..4) the pass used.
  int relationLevel() const { return relationLevel_; }
  void setRelationLevel(int level) { relationLevel_ = level; }

  // Set at the very end of a successful pass; the store cursor operations
  // below that need it do nothing before.
  bool analysisComplete() const { return complete_; }
  void setAnalysisComplete(bool v) { complete_ = v; }
  // Set when the user stops the pass from the gauge.
  bool cancelled() const { return cancel_; }
  void setCancelled(bool v) { cancel_ = v; }

  // ---- Actant counters -------------------------------------------------
  // How often class `cls` of `level` (1..4) was a referent before the first
  // verb of its proposition; 0 outside the counters.
  uint32_t actantCount(int level, int32_t cls) const;
  // Adds one to that counter, which stops at 65,535; false outside.
  bool countActant(int level, int32_t cls);
  void clearActants();
  // The share (0..100, truncated) of the class's occurrences that came
  // before the verb, given its occurrence count; 0 when the count is 0.
  // The acted share is 100 minus it.
  int actantShare(int level, int32_t cls, uint32_t classCount) const;
  // The same with the class count of the semantic dictionary (levels 1..4).
  int actantShare(int level, int32_t cls) const;

  // ---- Neighbours of the selection (star graph) ---------------------------
  std::vector<Neighbour>& predecessors() { return predecessors_; }
  std::vector<Neighbour>& successors() { return successors_; }
  const std::vector<Neighbour>& predecessors() const { return predecessors_; }
  const std::vector<Neighbour>& successors() const { return successors_; }

  // ---- Bundles, episodes, characteristic parts ----------------------------
  ChronologyTables& chronology() { return chronology_; }
  const ChronologyTables& chronology() const { return chronology_; }

  // ---- Store cursors, both stores at once ---------------------------------
  void RewindStores();
  // Bookmark `k` (1..8) of both stores = their cursors.
  void MarkStores(int k);
  // Both cursors to bookmark 5 (always), or to bookmark 1 or 2 (only once
  // the analysis is complete); false when nothing was done.
  bool BackToStoreMark(int k);
  // Save or restore the eight bookmarks of both stores; only once the
  // analysis is complete (false otherwise).
  bool SaveStoreMarks();
  bool RestoreStoreMarks();

  // ---- Figures of the pass ---------------------------------------------
  // Words and end markers met by the pass.
  int64_t Words() const { return words_; }
  int64_t Propositions() const { return propositionCount_; }
  // Referents classified by sweep 3.
  uint32_t classifiedCount() const { return classified_; }

  // Scratch of the sweeps, kept in the context.
  PropositionAccumulator& accumulator() { return accumulator_; }
  void setFigures(int64_t words, int64_t propositions, uint32_t classified) {
    words_ = words;
    propositionCount_ = propositions;
    classified_ = classified;
  }

 private:
  SemanticEnvironment& engine_;
  bool ready_ = false;
  bool complete_ = false;
  bool cancel_ = false;
  int relationLevel_ = 1;

  std::unique_ptr<CellPool> cells_;
  std::unique_ptr<PropositionStore> propositions_;
  std::unique_ptr<RelationStore> relations_;
  // kClassLevels arrays of kActantClasses + 1 counters, indexed by class.
  std::unique_ptr<uint16_t[]> actants_;
  std::vector<Neighbour> predecessors_;
  std::vector<Neighbour> successors_;
  ChronologyTables chronology_;
  PropositionAccumulator accumulator_;

  int64_t words_ = 0;
  int64_t propositionCount_ = 0;
  uint32_t classified_ = 0;
};

}  // namespace malvex
