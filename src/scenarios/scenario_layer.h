// The Scenario layer of the semantic dictionary: the current Scenario turned
// into a fourth classification level. Every group of the ScenarioStore
// becomes a level-4 class of the dictionary (numbered from 1 in store
// order), and every item a link to its group: a word through the Scenario
// words trie, a class of levels 1..3 through the class links, a verb,
// adjective or noun lemma through the links of its lemma index. During an
// analysis the layer tells the group of a noun; afterwards it propagates the
// group counts up the tree and ranks the top-level groups.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/trie.h"
#include "scenarios/scenario_anomalies.h"

namespace malvex {

class LemmaIndex;
class Messages;
class ScenarioStore;

class ScenarioLayer : public ScenarioGroups {
 public:
  // Most groups a Scenario may have.
  static constexpr uint32_t kMaxGroups = 65535;
  // Bounds of the Scenario words trie, in cells.
  static constexpr uint32_t kMinWordCells = 65535;
  static constexpr uint32_t kMaxWordCells = 50000000;
  // Groups that propagation visits at most.
  static constexpr uint32_t kMaxPropagatedGroups = 65534;

  // The layer of `dictionary` built from `store`; `verbs` and `adjectives`
  // (may be null) carry the verb and adjective links. All must outlive the
  // layer. The layer starts empty; attach it with
  // SemanticDictionary::SetScenarioGroups.
  ScenarioLayer(SemanticDictionary& dictionary, ScenarioStore& store, LemmaIndex* verbs,
                LemmaIndex* adjectives, Messages& messages);
  ~ScenarioLayer() override;
  ScenarioLayer(const ScenarioLayer&) = delete;
  ScenarioLayer& operator=(const ScenarioLayer&) = delete;

  // The anomaly list window (null: none). Not owned.
  void SetAnomalyListener(ScenarioAnomalyListener* listener) { listener_ = listener; }

  // ---- Building ---------------------------------------------------------

  // Forgets the groups (depths, parents, activity), the Scenario words trie
  // and the anomalies of the last build.
  void Clear();
  // Forgets the level-4 names and counts, the Scenario words and every
  // class, verb, adjective and noun link.
  void ResetLinks();
  // Makes the next save of the Scenario give every group a fresh signature:
  // sets the renumbering flag and forgets the groups' signatures; for a
  // `newScenario` the signature counter also restarts at 0.
  void RestartSignatures(bool newScenario);
  // Rebuilds the layer from the store. `renumbering` (the store's flag
  // after its load) reissues every group's signature in store order.
  // Entries the dictionary cannot take are reported as anomalies (458
  // duplicated, 465 unknown; class, verb, adjective and substantive items
  // are also marked '?' in code position 3 of their entry); reissued
  // signatures are reported as anomaly 1235 unless the reissue was forced.
  // Stops, false, at a group with an empty label, at more than 65,535
  // groups or a full Scenario words trie (message 476 in the error box) or
  // a label level 4 cannot hold (anomaly 476); what was built stays.
  bool Build(bool renumbering);

  // ---- What the semantic pass asks (ScenarioGroups) ---------------------

  int32_t GroupOfNoun(const char* text, uint32_t lemma, const ClassPath& path) override;
  bool ScenarioLoaded() const override;
  int32_t WordGroup(const char* text) const override;
  int32_t WordGroupReached(const char* text, size_t length, bool& reachedEnd) const override;
  uint64_t WordsVersion() const override { return wordsVersion_; }
  bool GroupIsActive(int32_t group) const override;
  void PropagateCounts() override;
  void RankGroups() override;

  // ---- Further reads ----------------------------------------------------

  // The group of a word without counting: its Scenario word group, else the
  // group linked to the class path the dictionary resolves for it (without
  // counting; the dictionary's current path changes). `text` need not be
  // folded.
  int32_t GroupOfWord(std::string_view text);
  // The group linked to class `cls` of level 1..3; 0 when none.
  int32_t GroupOfClass(int level, int32_t cls) const;
  bool ClassGroupIsActive(int level, int32_t cls) const { return GroupIsActive(GroupOfClass(level, cls)); }
  bool VerbHasGroup(uint32_t lemma) const;
  bool AdjectiveHasGroup(uint32_t lemma) const;
  bool NounHasGroup(uint32_t lemma) const;
  // The noun lemma of `text` (folded) and its group; false when the text is
  // no noun lemma.
  bool GroupOfNounLemma(std::string_view text, uint32_t& lemma, int32_t& group);
  // Whether the class named `name` (folded) at `level` has a group, or is a
  // level-1 class made during the run whose name is a Scenario word.
  bool ClassIsInScenario(int level, const char* name);

  uint32_t GroupCount() const { return groupCount_; }
  // The level-4 count of `group` in the current run.
  uint32_t GroupCountOf(int32_t group) const;
  // Depth 0..9, parent (0 for a top-level group) and signature of a group;
  // 0 outside 1..GroupCount().
  int Depth(int32_t group) const;
  int32_t Parent(int32_t group) const;
  int32_t Signature(int32_t group) const;
  // Scans the groups after `group` while they are at least `depth` deep:
  // false as soon as one is active, exactly `depth` deep and, with
  // `countedOnly`, counted at least the class detection threshold.
  bool HasNoSubGroupAtDepth(int32_t group, int depth, bool countedOnly) const;
  // A Scenario is loaded and at least one group was ranked.
  bool ScenarioCounted() const;

  // The anomalies of the last build, in order, and their number since the
  // last reset of the count (each build resets it).
  const std::vector<ScenarioAnomaly>& anomalies() const { return anomalies_; }
  uint32_t AnomalyCount() const { return anomalyCount_; }
  void ResetAnomalyCount() { anomalyCount_ = 0; }

 private:
  // One group's tables; index 0 is unused.
  struct Group {
    uint8_t depth = 0;
    uint8_t active = 0;
    int32_t parent = 0;
    int32_t signature = 0;
  };

  void Report(int messageId, std::string_view text);
  bool MakeGroup(size_t entry, int depth);
  bool AddWord(size_t entry);
  void AddLink(size_t entry);
  // The key of a Scenario word: folded, '-' after the first character
  // written '_'. Empty when the text cannot be a key.
  static std::string WordKey(std::string_view text);

  SemanticDictionary& dictionary_;
  ScenarioStore& store_;
  LemmaIndex* const verbs_;
  LemmaIndex* const adjectives_;
  Messages& messages_;
  ScenarioAnomalyListener* listener_ = nullptr;

  std::vector<Group> groups_;
  uint32_t groupCount_ = 0;
  // rankable_[g]: group g is active and at depth 0.
  std::vector<uint8_t> rankable_;
  int32_t current_ = 0;
  int32_t lastAtDepth_[10] = {};
  // classLinks_[level - 1][class]: the group of a class of levels 1..3.
  std::vector<uint16_t> classLinks_[3];
  // Changed with every change of the Scenario words trie.
  uint64_t wordsVersion_ = 0;
  mutable Trie32 words_;
  std::vector<ScenarioAnomaly> anomalies_;
  uint32_t anomalyCount_ = 0;
  bool anomaliesShown_ = false;
};

}  // namespace malvex
