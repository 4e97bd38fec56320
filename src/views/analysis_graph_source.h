// The graphs' view of a finished analysis: the relation store, the semantic
// dictionary's classes and counts, the actant counters, the neighbour lists,
// the bundle and episode tables and the word stream.
#pragma once

#include <vector>

#include "views/graph.h"

namespace malvex {

class AnalysisContext;
class GroupHierarchy;
class Messages;
class SemanticDictionary;
class WordStream;

class AnalysisGraphSource : public GraphSource {
 public:
  // Every object must outlive the source; `groups` may be null (a group
  // then lies only within itself).
  AnalysisGraphSource(AnalysisContext& context, const SemanticDictionary& dictionary, WordStream& words,
                      Messages& messages, const GroupHierarchy* groups);

  int RelationLevel() const override;
  // Read from the store's ranked chain once per level and kept.
  const std::vector<GraphRelation>& RankedRelations(int level) override;
  std::vector<int32_t> RankedClasses(int level) override;
  std::string ClassName(int level, int32_t cls) const override;
  uint32_t ClassCount(int level, int32_t cls) const override;
  uint32_t ActantCount(int level, int32_t cls) const override;
  uint32_t DetectionThreshold() const override;
  bool IsWithin(int level, int32_t cls, int32_t ancestor) const override;
  void Neighbours(const SelectionState& selection, std::vector<Neighbour>& before,
                  std::vector<Neighbour>& after) override;
  int32_t HighestPosition() const override;
  void Occurrences(const SelectionState& selection, std::vector<int32_t>& positions) override;
  const ChronologyTables& Chronology() const override;
  std::string ItemLabel(int32_t item) const override;
  int ItemColourRole(int32_t item) const override;

 private:
  AnalysisContext& context_;
  const SemanticDictionary& dictionary_;
  WordStream& words_;
  Messages& messages_;
  const GroupHierarchy* groups_;
  std::vector<GraphRelation> ranked_[4];
  bool rankedRead_[4] = {};
};

}  // namespace malvex
