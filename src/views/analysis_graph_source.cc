#include "views/analysis_graph_source.h"

#include <algorithm>

#include "dictionaries/semantic_dictionary.h"
#include "semantic/analysis_context.h"
#include "semantic/category_pattern.h"
#include "semantic/neighbours.h"
#include "views/episode_list.h"

namespace malvex {

AnalysisGraphSource::AnalysisGraphSource(AnalysisContext& context, const SemanticDictionary& dictionary,
                                         WordStream& words, Messages& messages, const GroupHierarchy* groups)
    : context_(context), dictionary_(dictionary), words_(words), messages_(messages), groups_(groups) {}

int AnalysisGraphSource::RelationLevel() const {
  const int level = context_.relationLevel();
  return level >= 1 && level <= 4 ? level : 1;
}

const std::vector<GraphRelation>& AnalysisGraphSource::RankedRelations(int level) {
  static const std::vector<GraphRelation> kNone;
  if (level < 1 || level > 4) return kNone;
  if (!rankedRead_[level - 1]) {
    rankedRead_[level - 1] = true;
    RelationStore& store = context_.relations();
    store.RewindRanked(level);
    RelationView view;
    while (store.NextRanked(level, view)) {
      const int32_t first = view.items[0].at(level);
      const int32_t second = view.items[1].at(level);
      if (first <= 0 || second <= 0) continue;
      ranked_[level - 1].push_back(GraphRelation{first, second, view.frequency});
    }
  }
  return ranked_[level - 1];
}

std::vector<int32_t> AnalysisGraphSource::RankedClasses(int level) {
  std::vector<int32_t> out;
  const uint32_t n = dictionary_.NumberOfRankedClasses(level);
  // Ranks count from 1.
  for (uint32_t rank = 1; rank <= n; ++rank) {
    const int32_t cls = dictionary_.RankedClass(level, rank);
    if (cls > 0 && dictionary_.ClassCount(level, cls) > 0) out.push_back(cls);
  }
  return out;
}

std::string AnalysisGraphSource::ClassName(int level, int32_t cls) const {
  const char* name = cls > 0 ? dictionary_.ClassName(level, cls) : nullptr;
  return name ? std::string(name) : std::string();
}

uint32_t AnalysisGraphSource::ClassCount(int level, int32_t cls) const {
  return cls > 0 ? dictionary_.ClassCount(level, cls) : 0;
}

uint32_t AnalysisGraphSource::ActantCount(int level, int32_t cls) const { return context_.actantCount(level, cls); }

uint32_t AnalysisGraphSource::DetectionThreshold() const {
  const int32_t t = dictionary_.DetectionThreshold();
  return t > 0 ? static_cast<uint32_t>(t) : 0;
}

bool AnalysisGraphSource::IsWithin(int level, int32_t cls, int32_t ancestor) const {
  if (cls == ancestor) return cls != 0;
  if (level != 4 || !groups_ || cls <= 0 || ancestor <= 0) return false;
  return groups_->IsWithin(static_cast<uint32_t>(cls), static_cast<uint32_t>(ancestor));
}

void AnalysisGraphSource::Neighbours(const SelectionState& selection, std::vector<Neighbour>& before,
                                     std::vector<Neighbour>& after) {
  NeighbourSelection wanted;
  if (selection.active && selection.kind == kSelectWord) {
    wanted.word = true;
    wanted.lemma = selection.selectedId;
    wanted.category = selection.selectedCategory;
  } else {
    for (const CriterionPattern& p : selection.patterns) {
      if (p.inUse) {
        wanted.criterion = p.category;
        break;
      }
    }
  }
  NeighboursOfSelection(context_, wanted);
  before = context_.predecessors();
  after = context_.successors();
}

int32_t AnalysisGraphSource::HighestPosition() const { return words_.HighestPosition(); }

void AnalysisGraphSource::Occurrences(const SelectionState& selection, std::vector<int32_t>& positions) {
  positions.clear();
  if (selection.active && selection.kind == kSelectRelation) {
    // Each proposition holding the relation once, at the word the text
    // view's walk stops on (the first word of the first class), with the
    // descendants of Scenario groups counted as the view counts them.
    const int level = selection.level >= 1 && selection.level <= 4 ? selection.level : 1;
    const RelationStore& store = context_.relations();
    // A proposition's entries follow one another in the store.
    const WordNode* last = nullptr;
    for (uint32_t i = 0; i < store.Count(); ++i) {
      const RelationEntry& e = store.Entry(i);
      const uint32_t a = static_cast<uint32_t>(e.first[level - 1]);
      const uint32_t b = static_cast<uint32_t>(e.second[level - 1]);
      if (!selection.ClassWithin(a, selection.firstClass, groups_) ||
          !selection.ClassWithin(b, selection.secondClass, groups_)) {
        continue;
      }
      if (e.firstToken == nullptr) {
        positions.push_back(e.position);
        continue;
      }
      if (e.firstToken == last) continue;
      last = e.firstToken;
      int32_t at = e.firstToken->position;
      for (const WordNode* n = e.firstToken; n && n != words_.Tail(); n = n->next) {
        if (n->text && n->text[0] == '/') break;
        if (selection.ClassWithin(selection.ClassAtLevel(*n), selection.firstClass, groups_)) {
          at = n->position;
          break;
        }
      }
      positions.push_back(at);
    }
    std::sort(positions.begin(), positions.end());
    return;
  }
  const bool bySelection = selection.active && selection.kind != kSelectCharacteristicParts;
  if (!bySelection && !selection.CriteriaInForce()) return;
  for (WordNode* node = words_.Head(); node && node != words_.Tail(); node = node->next) {
    if (node->text && node->text[0] == '/' && node->text[1] == 0) continue;
    const bool match = bySelection ? selection.MatchesSelection(*node, groups_) : selection.MatchesAnyPattern(node->info);
    if (match) positions.push_back(node->position);
  }
}

const ChronologyTables& AnalysisGraphSource::Chronology() const { return context_.chronology(); }

std::string AnalysisGraphSource::ItemLabel(int32_t item) const {
  return malvex::ItemLabel(messages_, dictionary_, RelationLevel(), item);
}

int AnalysisGraphSource::ItemColourRole(int32_t item) const { return ColourOfStatisticsIndex(-item); }

}  // namespace malvex
