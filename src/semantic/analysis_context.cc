#include "semantic/analysis_context.h"

#include <algorithm>
#include <new>

#include "platform/fatal.h"
#include "semantic/semantic_environment.h"

namespace malvex {

void PropositionAccumulator::Reset() {
  significantWords = 0;
  referents = 0;
  itemCount = 0;
  hasItems = false;
  verbSeen = false;
  weight = 1;
  for (ClassPath& item : items) item = ClassPath{};
  endPosition = 0;
}

namespace {

// The class detection threshold of a text whose highest word position is
// `highestPosition`: the minimum number of words, or the pertinence factor
// per ten thousand words.
int32_t DetectionThreshold(const SettingsRecord& record, int32_t highestPosition) {
  if (record.classThresholdByWords()) return record.classMinWords();
  return static_cast<int32_t>(static_cast<double>(record.classPertinence()) / 10000.0 * highestPosition);
}

}  // namespace

AnalysisContext::AnalysisContext(SemanticEnvironment& environment) : engine_(environment) {
  SemanticDictionary& dictionary = engine_.semanticDictionary();
  dictionary.SetDetectionThreshold(DetectionThreshold(engine_.record(), engine_.stream().HighestPosition()));
  if (!dictionary.Ok()) dictionary.Load(engine_.folders().dictionaryBase);
  if (!dictionary.Ok()) return;
  dictionary.SetLemmaIndexes(engine_.verbLemmas(), engine_.adjectiveLemmas());

  cells_.reset(new (std::nothrow) CellPool);
  propositions_.reset(new (std::nothrow) PropositionStore);
  if (!cells_ || !propositions_) FatalExit(1);
  cells_->Clear();
  relations_.reset(new (std::nothrow) RelationStore(*cells_));
  actants_.reset(new (std::nothrow) uint16_t[kClassLevels * (kActantClasses + 1)]);
  if (!relations_ || !actants_) FatalExit(1);
  clearActants();
  accumulator_.Reset();
  ready_ = true;
}

AnalysisContext::~AnalysisContext() {
  // The stores go before the pool their chains live in.
  relations_.reset();
  propositions_.reset();
  if (cells_) cells_->Clear();
}

uint32_t AnalysisContext::actantCount(int level, int32_t cls) const {
  if (!actants_ || level < 1 || level > kClassLevels || cls < 1 || static_cast<uint32_t>(cls) > kActantClasses)
    return 0;
  return actants_[static_cast<size_t>(level - 1) * (kActantClasses + 1) + static_cast<size_t>(cls)];
}

bool AnalysisContext::countActant(int level, int32_t cls) {
  if (!actants_ || level < 1 || level > kClassLevels || cls < 1 || static_cast<uint32_t>(cls) > kActantClasses)
    return false;
  uint16_t& counter = actants_[static_cast<size_t>(level - 1) * (kActantClasses + 1) + static_cast<size_t>(cls)];
  if (counter < kActantSaturation) ++counter;
  return true;
}

void AnalysisContext::clearActants() {
  if (actants_) std::fill(actants_.get(), actants_.get() + kClassLevels * (kActantClasses + 1), uint16_t{0});
}

int AnalysisContext::actantShare(int level, int32_t cls, uint32_t classCount) const {
  if (classCount == 0) return 0;
  return static_cast<int>(static_cast<double>(actantCount(level, cls)) / classCount * 100.0);
}

int AnalysisContext::actantShare(int level, int32_t cls) const {
  return actantShare(level, cls, engine_.semanticDictionary().ClassCount(level, cls));
}

void AnalysisContext::RewindStores() {
  if (!ready_) return;
  propositions_->Rewind();
  relations_->Rewind();
}

void AnalysisContext::MarkStores(int k) {
  if (!ready_) return;
  propositions_->SetBookmark(k);
  relations_->SetBookmark(k);
}

bool AnalysisContext::BackToStoreMark(int k) {
  if (!ready_) return false;
  if (k != 5 && !(complete_ && (k == 1 || k == 2))) return false;
  propositions_->GoToBookmark(k);
  relations_->GoToBookmark(k);
  return true;
}

bool AnalysisContext::SaveStoreMarks() {
  if (!ready_ || !complete_) return false;
  propositions_->SaveBookmarks();
  relations_->SaveBookmarks();
  return true;
}

bool AnalysisContext::RestoreStoreMarks() {
  if (!ready_ || !complete_) return false;
  propositions_->RestoreBookmarks();
  relations_->RestoreBookmarks();
  return true;
}

}  // namespace malvex
