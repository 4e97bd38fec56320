// The semantic pass: three sweeps over the word stream give every
// substantive its class path, count lemmas and Scenario groups, collect
// each proposition's significant words into the proposition store and
// their ordered pairs into the relation store; then the relations of each
// level are consolidated and ranked, the classes ranked, and the bundles,
// episodes and characteristic parts computed.
#include <cstring>

#include "foundations/charset.h"
#include "semantic/analysis_context.h"
#include "semantic/bundles.h"
#include "semantic/semantic_environment.h"

namespace malvex {

namespace {

// Catalogue messages of the gauge's captions.
constexpr int kMsgSemanticAnalysis = 483;
constexpr int kMsgFiles = 583;
// Relations are built from the first 20 significant words of a proposition,
// and each word is paired back with the words two to five places before it.
constexpr int kRelationWords = 20;
constexpr int kBackPairs = 5;
// Room for the current text: a word and its terminating zero, with margin.
constexpr size_t kTextBuffer = 256;

inline bool IsEndMarker(const char* text) { return text[0] == '/'; }

void MakeSubstantive(WordCategory& c) {
  const uint8_t flags = c.flags;
  c = WordCategory{};
  c.category = kClassSubstantive;
  c.flags = flags;
}

ClassPath PathOf(const WordInfo& info) {
  ClassPath path;
  for (int l = 0; l < kClassLevels; ++l) path.classes[l] = static_cast<int32_t>(info.classPath[l]);
  return path;
}

void SetPath(WordInfo& info, const ClassPath& path) {
  for (int l = 0; l < kClassLevels; ++l) info.classPath[l] = static_cast<uint32_t>(path.classes[l]);
}

class SemanticPass {
 public:
  explicit SemanticPass(AnalysisContext& context)
      : context_(context),
        engine_(context.environment()),
        stream_(engine_.stream()),
        dictionary_(engine_.semanticDictionary()),
        groups_(dictionary_.scenarioGroups()),
        gauge_(engine_.gauge()) {}

  bool Run();

 private:
  // Moves the bar to the step counter and asks whether to go on; a Stop
  // sets the context's cancel flag. The counter then advances. False once
  // the pass is stopped.
  bool Tick();
  bool Stopped() const { return context_.cancelled(); }

  void Preamble();
  void LookUp();
  void ResolveAndMarkScenarioWords();
  void ReferentsAndPropositions();
  void Accumulate(WordNode* node);
  void CloseProposition();
  bool AfterSweeps();

  // Copies `text` into the current text, which the lookups fold in place.
  char* TakeText(const char* text) {
    const size_t length = strnlen(text, kTextBuffer - 1);
    std::memcpy(text_, text, length);
    text_[length] = '\0';
    return text_;
  }

  AnalysisContext& context_;
  SemanticEnvironment& engine_;
  WordStream& stream_;
  SemanticDictionary& dictionary_;
  ScenarioGroups& groups_;
  Gauge* const gauge_;
  long long step_ = 0;
  int64_t endMarkers_ = 0;
  uint32_t classified_ = 0;
  char text_[kTextBuffer];
};

bool SemanticPass::Tick() {
  if (gauge_ != nullptr && gauge_->Visible()) {
    gauge_->MajBar(step_);
    if (!gauge_->Continue()) context_.setCancelled(true);
  }
  ++step_;
  return !Stopped();
}

void SemanticPass::Preamble() {
  if (gauge_ != nullptr && gauge_->Visible()) {
    gauge_->DefinirMaximum(kSemanticGaugeSteps);
    gauge_->DefinirLibelle(1, engine_.messages().message(kMsgSemanticAnalysis));
    gauge_->DefinirLibelle(3, engine_.messages().message(kMsgFiles));
  }
  dictionary_.ResetRunCounts();
  dictionary_.ResetRecentNouns();
  context_.clearActants();
  int level = engine_.record().relationLevel();
  if (level < 1 || level > kClassLevels) {
    level = 1;
    engine_.record().setRelationLevel(level);
  }
  context_.setRelationLevel(level);
  context_.propositions().Clear();
  context_.relations().Clear();
  step_ = 0;
}

// Sweep 1: every substantive is looked up; verbs and adjectives count their
// lemmas and take their lemma's Scenario group.
void SemanticPass::LookUp() {
  const bool numbersAsSubstantives = engine_.record().numbersAsSubstantives();
  LemmaIndex* const verbs = engine_.verbLemmas();
  LemmaIndex* const adjectives = engine_.adjectiveLemmas();
  TDicSubstantifs& nouns = dictionary_.nounLemmas();
  int64_t words = 0;
  stream_.Rewind();
  WordNode* node = nullptr;
  int32_t position = 0;
  while (const char* text = stream_.NextForPass(node, position)) {
    dictionary_.CurrentPath() = ClassPath{};
    if (IsEndMarker(text)) {
      ++endMarkers_;
      continue;
    }
    ++words;
    WordInfo& info = node->info;
    WordCategory& category = info.category;
    if (numbersAsSubstantives && isNumeralAdjective(category)) MakeSubstantive(category);
    if (isSubstantive(category)) {
      uint32_t level1 = 0;
      int32_t sense = 0;
      if (dictionary_.LookUpNoun(TakeText(text), level1, sense)) {
        const FoundReading& found = dictionary_.Found();
        ClassPath path = found.path;
        path.at(kScenarioLevel) = 0;
        SetPath(info, path);
        info.sense = sense > 0 ? static_cast<uint16_t>(sense) : 0;
        node->lemma = sense >= 0 ? found.lemma : 0;
        nouns.CountOccurrence(node->lemma);
      }
    } else if (isVerb(category) || (isAdjective(category) && !isNumeral(category))) {
      info.classPath[kScenarioLevel - 1] = 0;
      LemmaIndex* const index = isVerb(category) ? verbs : adjectives;
      if (index != nullptr) {
        const uint32_t group = index->CountOccurrence(node->lemma, {});
        if (group != 0) {
          info.classPath[kScenarioLevel - 1] = group;
          dictionary_.CountScenarioGroup(static_cast<int32_t>(group));
        }
      }
    }
  }
  context_.setFigures(words, endMarkers_, 0);
}

// Sweep 2: the nouns left unclassified by several senses are resolved with
// the recent nouns; with "Use ontologies on all words categories", words of
// the Scenario become substantives.
void SemanticPass::ResolveAndMarkScenarioWords() {
  const bool scenarioOnAll = engine_.record().scenarioOnAllCategories() && groups_.ScenarioLoaded();
  TDicSubstantifs& nouns = dictionary_.nounLemmas();
  stream_.Rewind();
  WordInfo copy;
  WordNode* node = nullptr;
  int32_t position = 0;
  while (const char* text = stream_.NextWithNode(copy, node, position)) {
    if (IsEndMarker(text)) continue;
    dictionary_.CurrentPath() = ClassPath{};
    WordInfo& info = node->info;
    if (isSubstantive(info.category)) {
      if (info.classPath[0] == 0) {
        int32_t sense = 0;
        if (dictionary_.ResolveAmbiguousNoun(TakeText(text), info.capitalisation, true, sense)) {
          SetPath(info, dictionary_.CurrentPath());
          info.category.flags |= kFlagAmbiguous;
          info.sense = sense > 0 ? static_cast<uint16_t>(sense) : 0;
          node->lemma = dictionary_.Found().lemma;
          nouns.CountOccurrence(node->lemma);
        }
      }
      dictionary_.PushRecentClasses(PathOf(info));
    } else if (scenarioOnAll) {
      char* const folded = TakeText(text);
      FoldToLower(folded, std::strlen(folded));
      if (groups_.WordGroup(folded) != 0) MakeSubstantive(info.category);
    }
  }
}

// Sweep 3: referents are decided and each proposition's significant words
// collected and stored.
void SemanticPass::ReferentsAndPropositions() {
  PropositionAccumulator& acc = context_.accumulator();
  acc.Reset();
  classified_ = 0;
  stream_.Rewind();
  bool startsProposition = true;
  WordInfo copy;
  WordNode* node = nullptr;
  int32_t position = 0;
  while (const char* text = stream_.NextWithNode(copy, node, position)) {
    if (startsProposition) {
      acc.firstToken = node;
      startsProposition = false;
    }
    if (IsEndMarker(text)) {
      acc.endPosition = node->position;
      if (acc.hasItems)
        CloseProposition();
      else
        acc.Reset();
      startsProposition = true;
      continue;
    }
    dictionary_.CurrentPath() = ClassPath{};
    WordInfo& info = node->info;
    if (isSubstantive(info.category)) {
      dictionary_.CurrentPath() = PathOf(info);
      int32_t cls = 0;
      if (dictionary_.ClassifyReferent(TakeText(text), node->lemma, info.capitalisation, false, cls)) {
        ++classified_;
        info.referent = 1;
        SetPath(info, dictionary_.CurrentPath());
      } else {
        info.referent &= static_cast<uint8_t>(~1u);
      }
    }
    Accumulate(node);
  }
}

void SemanticPass::Accumulate(WordNode* node) {
  PropositionAccumulator& acc = context_.accumulator();
  WordInfo& info = node->info;
  if (isSubstantive(info.category) && (info.referent == 1 || info.referent == 2)) {
    ++acc.significantWords;
    acc.hasItems = true;
    ClassPath& current = dictionary_.CurrentPath();
    const int32_t group = current.at(kScenarioLevel);
    if (group != 0 && !groups_.GroupIsActive(group)) current.at(kScenarioLevel) = 0;
    if (acc.itemCount < kPropositionItems) acc.items[acc.itemCount++] = current;
    if (!acc.verbSeen) {
      for (int level = 1; level <= kClassLevels; ++level) {
        if (current.at(level) > 0) context_.countActant(level, current.at(level));
      }
    }
    ++acc.referents;
    return;
  }
  if (isVerb(info.category)) acc.verbSeen = true;
  const int32_t group = static_cast<int32_t>(info.classPath[kScenarioLevel - 1]);
  if (group != 0 && groups_.GroupIsActive(group)) {
    ++acc.significantWords;
    acc.hasItems = true;
    if (acc.itemCount < kPropositionItems) acc.items[acc.itemCount++] = PathOf(info);
    info.referent = 1;
  }
}

void SemanticPass::CloseProposition() {
  PropositionAccumulator& acc = context_.accumulator();
  if (!acc.verbSeen || acc.significantWords > 3) acc.weight = 0;
  // A proposition that cannot be stored is lost with its relations; the
  // next one starts afresh.
  if (context_.propositions().Append(acc.items, acc.itemCount, acc.firstToken, acc.endPosition)) {
    RelationStore& relations = context_.relations();
    const int n = acc.significantWords < kRelationWords ? acc.significantWords : kRelationWords;
    const auto add = [&](int a, int b, uint8_t continuation) {
      const ClassPath pair[2] = {acc.items[a], acc.items[b]};
      return relations.Append(pair, 2, acc.firstToken, acc.weight, continuation, acc.endPosition);
    };
    if (n < 3) {
      relations.Append(acc.items, acc.itemCount, acc.firstToken, acc.weight, 0, acc.endPosition);
    } else {
      bool ok = true;
      for (int i = 0; ok && i <= n - 2; ++i) {
        ok = add(i, i + 1, i > 0 ? 1 : 0);
        for (int j = 2; ok && j <= kBackPairs && j <= i; ++j) ok = add(i - j, i, 1);
      }
    }
  }
  acc.Reset();
}

bool SemanticPass::AfterSweeps() {
  CategoryStatistics& statistics = engine_.statistics();
  statistics.SetCounter(kStatReferent, classified_);
  statistics.SetCounter(kStatReferentNucleus, classified_);
  statistics.SetCounter(kStatPrincipalReferent, classified_);
  statistics.SetCounter(kStatSecondaryReferent, 0);
  if (groups_.ScenarioLoaded()) groups_.PropagateCounts();

  RelationStore& relations = context_.relations();
  for (int level = 1; level <= kClassLevels; ++level) {
    Tick();
    relations.ConsolidateLevel(level, [this] { return Tick(); });
    if (!Tick()) return false;
    relations.RankLevel(level);
    if (!Tick()) return false;
  }
  for (int level = 1; level <= 3; ++level) {
    if (!Tick()) return false;
    dictionary_.RankClassesOfLevel(level);
  }
  if (Stopped()) return false;
  Tick();
  groups_.RankGroups();

  ChronologyTables& chronology = context_.chronology();
  chronology.bundles.clear();
  chronology.episodes.clear();
  if (endMarkers_ < static_cast<int64_t>(kChronologyPropositionLimit)) {
    if (!Tick()) return false;
    ComputeBundlesAndEpisodes(context_, engine_);
    if (!Tick()) return false;
    ComputeCharacteristicParts(context_, engine_);
  }

  stream_.Rewind();
  PropositionStore& propositions = context_.propositions();
  propositions.Rewind();
  propositions.SetBookmark(1);
  propositions.SetBookmark(2);
  relations.Rewind();
  relations.SetBookmark(1);
  relations.SetBookmark(2);
  context_.setAnalysisComplete(true);
  step_ = kSemanticGaugeSteps;
  return Tick();
}

bool SemanticPass::Run() {
  context_.setAnalysisComplete(false);
  context_.setCancelled(false);
  Preamble();
  if (!Tick()) return false;
  LookUp();
  if (!Tick()) return false;
  ResolveAndMarkScenarioWords();
  if (!Tick()) return false;
  ReferentsAndPropositions();
  context_.setFigures(context_.Words(), context_.Propositions(), classified_);
  if (!Tick()) return false;
  return AfterSweeps();
}

}  // namespace

bool AnalysisContext::Run() {
  if (!ready_) return false;
  return SemanticPass(*this).Run();
}

}  // namespace malvex
