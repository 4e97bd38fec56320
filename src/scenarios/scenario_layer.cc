#include "scenarios/scenario_layer.h"

#include <algorithm>
#include <cstring>

#include "dictionaries/lemma_index.h"
#include "dictionaries/noun_lemma_dictionary.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "scenarios/scenario_store.h"

namespace malvex {

namespace {

// Class numbers of a level run from 1 to this.
constexpr uint32_t kClassSlots = 65535;

}  // namespace

ScenarioLayer::ScenarioLayer(SemanticDictionary& dictionary, ScenarioStore& store, LemmaIndex* verbs,
                             LemmaIndex* adjectives, Messages& messages)
    : dictionary_(dictionary), store_(store), verbs_(verbs), adjectives_(adjectives), messages_(messages) {
  for (auto& links : classLinks_) links.assign(kClassSlots + 1, 0);
}

ScenarioLayer::~ScenarioLayer() = default;

// ---- Building ---------------------------------------------------------------

void ScenarioLayer::Clear() {
  anomaliesShown_ = false;
  anomalies_.clear();
  if (listener_ != nullptr) listener_->Cleared();
  words_.Free();
  ++wordsVersion_;
  groups_.assign(1, Group{});
  rankable_.assign(1, 0);
  groupCount_ = 0;
}

void ScenarioLayer::ResetLinks() {
  dictionary_.ClearScenarioGroups();
  if (words_.Created()) words_.Reset();
  ++wordsVersion_;
  for (auto& links : classLinks_) std::fill(links.begin(), links.end(), 0);
  if (verbs_ != nullptr) verbs_->ClearGroups();
  if (adjectives_ != nullptr) adjectives_->ClearGroups();
  if (dictionary_.Ok()) dictionary_.nounLemmas().ClearGroups();
}

void ScenarioLayer::RestartSignatures(bool newScenario) {
  ScenarioSignatures& s = store_.signatures();
  s.renumbering = true;
  for (Group& g : groups_) g.signature = 0;
  if (newScenario) s.counter = 0;
}

bool ScenarioLayer::Build(bool renumbering) {
  anomalyCount_ = 0;
  Clear();
  ScenarioSignatures& signatures = store_.signatures();
  signatures.counter = 0;
  signatures.renumbering = renumbering;

  const uint32_t cells = std::clamp<uint32_t>(store_.total() + 1, kMinWordCells, kMaxWordCells);
  if (!words_.TryCreate(cells)) return false;
  ResetLinks();
  if (!dictionary_.Ok()) return false;

  std::fill(std::begin(lastAtDepth_), std::end(lastAtDepth_), 0);
  current_ = 0;
  bool groupLineSeen = false;
  bool complete = true;
  for (size_t i = 0; i < store_.count() && complete; ++i) {
    const ScenarioEntry& e = store_.entry(i);
    if (e.name.empty()) continue;
    const int depth = e.Depth();
    if (e.IsGroup()) groupLineSeen = true;
    if (!groupLineSeen) {
      // An old flat file: each item first makes a group of its own, named
      // after the item's value.
      if (!e.value.empty() && !MakeGroup(i, depth)) {
        complete = false;
        break;
      }
    } else if (depth > 0) {
      current_ = lastAtDepth_[depth - 1];
    }
    if (e.IsGroup()) {
      complete = MakeGroup(i, depth);
    } else if (current_ == 0) {
      // An item under a depth no group reached belongs to no group.
      continue;
    } else if (e.code[0] == 'A' || e.code[0] == 'V' || e.code[0] == 'S' || e.kind != 0) {
      AddLink(i);
    } else {
      complete = AddWord(i);
    }
  }

  // A hidden group hides everything under it.
  for (uint32_t g = 1; g <= groupCount_; ++g) {
    if (groups_[g].active != 0) continue;
    for (uint32_t h = g + 1; h <= groupCount_ && groups_[h].depth > groups_[g].depth; ++h) {
      groups_[h].active = 0;
    }
  }
  for (uint32_t g = 1; g <= groupCount_; ++g) {
    rankable_[g] = groups_[g].active != 0 && groups_[g].depth == 0;
  }

  if (signatures.renumbering && !signatures.forcedRenumbering) {
    Report(kAnomalyRenumbered, kRenumberedAnomalyText);
  }
  signatures.forcedRenumbering = false;
  if (listener_ != nullptr) listener_->BuildEnded(anomaliesShown_);
  return complete;
}

bool ScenarioLayer::MakeGroup(size_t entry, int depth) {
  if (groupCount_ >= kMaxGroups) {
    messages_.errorBox(messages_.message(kAnomalyOverflow));
    return false;
  }
  ScenarioEntry& e = store_.entry(entry);
  std::string label = e.value;
  FoldToLower(label);
  if (label.empty()) return false;

  const int32_t g = static_cast<int32_t>(++groupCount_);
  Group& group = groups_.emplace_back();
  rankable_.push_back(0);
  group.depth = static_cast<uint8_t>(depth);
  group.parent = depth > 0 ? lastAtDepth_[depth - 1] : 0;
  group.active = e.code[3] != 'H';
  lastAtDepth_[depth] = g;

  if (dictionary_.AddScenarioGroupName(label) != static_cast<uint32_t>(g)) {
    Report(kAnomalyOverflow, e.value);
    return false;
  }
  current_ = g;

  ScenarioSignatures& s = store_.signatures();
  int32_t signature = 0;
  if (!ParseScenarioSignature(e.name, signature)) s.renumbering = true;
  if (s.renumbering) {
    ++s.counter;
    signature = static_cast<int32_t>(std::min<int64_t>(s.counter, INT32_MAX));
  }
  group.signature = signature;
  if (signature > s.counter) s.counter = signature;
  return true;
}

std::string ScenarioLayer::WordKey(std::string_view text) {
  std::string key(text);
  FoldToLower(key);
  for (size_t i = 1; i < key.size(); ++i) {
    if (key[i] == '-') key[i] = '_';
  }
  return key;
}

bool ScenarioLayer::AddWord(size_t entry) {
  const ScenarioEntry& e = store_.entry(entry);
  const std::string key = WordKey(e.name);
  if (words_.ValueOf(key) != 0) {
    Report(kAnomalyDuplicated, e.name);
    return true;
  }
  if (!words_.Insert(key, static_cast<uint16_t>(current_))) {
    messages_.errorBox(messages_.message(kAnomalyOverflow));
    return false;
  }
  ++wordsVersion_;
  return true;
}

void ScenarioLayer::AddLink(size_t entry) {
  ScenarioEntry& e = store_.entry(entry);
  std::string key = e.name;
  FoldToLower(key);
  const uint32_t group = static_cast<uint32_t>(current_);
  // Whether the text is known, and whether it was linked before.
  bool known = false;
  bool linked = false;
  auto linkLemma = [&](auto& index, uint32_t lemma) {
    known = lemma != 0;
    if (!known) return;
    linked = index.GroupOf(lemma) != 0;
    if (!linked) index.SetGroup(lemma, group);
  };
  switch (e.code[0]) {
    case 'A':
      if (adjectives_ != nullptr) linkLemma(*adjectives_, adjectives_->LemmaNumberOfLemma(key));
      break;
    case 'V':
      if (verbs_ != nullptr) linkLemma(*verbs_, verbs_->LemmaNumberOfLemma(key));
      break;
    case 'S': {
      TDicSubstantifs& nouns = dictionary_.nounLemmas();
      linkLemma(nouns, nouns.LemmaNumberOf(key));
      break;
    }
    default: {
      const int level = e.kind;
      const int32_t cls = dictionary_.ClassNumberOfName(level, key.c_str());
      // Only the dictionary's own classes, not those made during a run.
      known = cls > 0 && static_cast<uint32_t>(cls) <= dictionary_.NumberOfClasses(level);
      if (!known) break;
      uint16_t& link = classLinks_[level - 1][static_cast<size_t>(cls)];
      linked = link != 0;
      if (!linked) link = static_cast<uint16_t>(group);
      break;
    }
  }
  if (!known || linked) {
    Report(known ? kAnomalyDuplicated : kAnomalyUnknown, e.name);
    e.code[3] = '?';
  }
}

void ScenarioLayer::Report(int messageId, std::string_view text) {
  ++anomalyCount_;
  ScenarioAnomaly& anomaly = anomalies_.emplace_back();
  anomaly.messageId = messageId;
  anomaly.text.assign(text);
  if (listener_ != nullptr) listener_->AnomalyReported(anomaly);
  anomaliesShown_ = true;
}

// ---- Lookups ----------------------------------------------------------------

bool ScenarioLayer::ScenarioLoaded() const { return store_.count() > 0; }

int32_t ScenarioLayer::WordGroup(const char* text) const {
  if (text == nullptr) return 0;
  bool reachedEnd = false;
  return WordGroupReached(text, std::strlen(text), reachedEnd);
}

int32_t ScenarioLayer::WordGroupReached(const char* text, size_t length, bool& reachedEnd) const {
  reachedEnd = false;
  if (text == nullptr || !words_.Created() || words_.IsEmpty()) return 0;
  length = ::strnlen(text, length);
  if (length == 0 || length > kTrieMaxKeyLength) return 0;
  char key[kTrieMaxKeyLength + 1];
  std::memcpy(key, text, length);
  for (size_t i = 1; i < length; ++i) {
    if (key[i] == '-') key[i] = '_';
  }
  const int32_t position = words_.Find(key, length);
  reachedEnd = words_.Cursor().found;
  return position < 0 ? 0 : static_cast<int32_t>(words_.Cursor().value);
}

int32_t ScenarioLayer::GroupOfNoun(const char* text, uint32_t lemma, const ClassPath& path) {
  int32_t g = WordGroup(text);
  if (g != 0) return g;
  // A noun whose lemma has no group may still be gathered by its classes.
  if (lemma > 0 && dictionary_.Ok()) g = static_cast<int32_t>(dictionary_.nounLemmas().GroupOf(lemma));
  for (int level = 1; level <= 3 && g == 0; ++level) g = GroupOfClass(level, path.at(level));
  return g;
}

int32_t ScenarioLayer::GroupOfWord(std::string_view text) {
  std::string folded(text.substr(0, kTrieMaxKeyLength));
  FoldToLower(folded);
  const int32_t g = WordGroup(folded.c_str());
  if (g != 0) return g;
  int32_t sense = 0;
  if (!dictionary_.Ok() || !dictionary_.ResolveAmbiguousNoun(folded.data(), 0, false, sense)) return 0;
  const ClassPath& path = dictionary_.CurrentPath();
  for (int level = 1; level <= 3; ++level) {
    const int32_t group = GroupOfClass(level, path.at(level));
    if (group != 0) return group;
  }
  return 0;
}

int32_t ScenarioLayer::GroupOfClass(int level, int32_t cls) const {
  if (level < 1 || level > 3 || cls < 1 || static_cast<uint32_t>(cls) > kClassSlots) return 0;
  return classLinks_[level - 1][static_cast<size_t>(cls)];
}

bool ScenarioLayer::VerbHasGroup(uint32_t lemma) const { return verbs_ != nullptr && verbs_->GroupOf(lemma) != 0; }

bool ScenarioLayer::AdjectiveHasGroup(uint32_t lemma) const {
  return adjectives_ != nullptr && adjectives_->GroupOf(lemma) != 0;
}

bool ScenarioLayer::NounHasGroup(uint32_t lemma) const {
  return dictionary_.Ok() && dictionary_.nounLemmas().GroupOf(lemma) != 0;
}

bool ScenarioLayer::GroupOfNounLemma(std::string_view text, uint32_t& lemma, int32_t& group) {
  lemma = 0;
  group = 0;
  if (!dictionary_.Ok()) return false;
  TDicSubstantifs& nouns = dictionary_.nounLemmas();
  lemma = nouns.LemmaNumberOf(text);
  if (lemma == 0) return false;
  group = static_cast<int32_t>(nouns.GroupOf(lemma));
  return true;
}

bool ScenarioLayer::ClassIsInScenario(int level, const char* name) {
  const int32_t cls = dictionary_.ClassNumberOfName(level, name);
  if (GroupOfClass(level, cls) != 0) return true;
  return level == 1 && dictionary_.ClassAddedDuringRun(1, cls) && WordGroup(name) != 0;
}

bool ScenarioLayer::GroupIsActive(int32_t group) const {
  return group >= 1 && static_cast<uint32_t>(group) <= groupCount_ && groups_[group].active != 0;
}

uint32_t ScenarioLayer::GroupCountOf(int32_t group) const { return dictionary_.ClassCount(kScenarioLevel, group); }

int ScenarioLayer::Depth(int32_t group) const {
  return group >= 1 && static_cast<uint32_t>(group) <= groupCount_ ? groups_[group].depth : 0;
}

int32_t ScenarioLayer::Parent(int32_t group) const {
  return group >= 1 && static_cast<uint32_t>(group) <= groupCount_ ? groups_[group].parent : 0;
}

int32_t ScenarioLayer::Signature(int32_t group) const {
  return group >= 1 && static_cast<uint32_t>(group) <= groupCount_ ? groups_[group].signature : 0;
}

bool ScenarioLayer::HasNoSubGroupAtDepth(int32_t group, int depth, bool countedOnly) const {
  if (group < 0) return true;
  const int64_t threshold = dictionary_.DetectionThreshold();
  for (uint32_t h = static_cast<uint32_t>(group) + 1; h <= groupCount_ && groups_[h].depth >= depth; ++h) {
    if (groups_[h].active != 0 && groups_[h].depth == depth &&
        (!countedOnly || static_cast<int64_t>(GroupCountOf(static_cast<int32_t>(h))) >= threshold)) {
      return false;
    }
  }
  return true;
}

bool ScenarioLayer::ScenarioCounted() const {
  return ScenarioLoaded() && dictionary_.NumberOfRankedClasses(kScenarioLevel) > 0;
}

// ---- After a run --------------------------------------------------------------

void ScenarioLayer::PropagateCounts() {
  const uint32_t last = std::min(groupCount_, kMaxPropagatedGroups);
  for (uint32_t g = 1; g <= last; ++g) {
    if (groups_[g].active == 0) continue;
    // The groups after g are not propagated yet: their counts are their own.
    uint64_t sum = GroupCountOf(static_cast<int32_t>(g));
    for (uint32_t h = g + 1; h <= groupCount_ && groups_[h].depth > groups_[g].depth; ++h) {
      if (groups_[h].active != 0) sum += GroupCountOf(static_cast<int32_t>(h));
    }
    dictionary_.SetScenarioGroupCount(static_cast<int32_t>(g),
                                      static_cast<uint32_t>(std::min<uint64_t>(sum, UINT32_MAX)));
  }
}

void ScenarioLayer::RankGroups() {
  if (dictionary_.CurrentNumberOfClasses(kScenarioLevel) > groupCount_) return;
  dictionary_.RankScenarioGroups(rankable_.data());
}

}  // namespace malvex
