#include "views/result_functions.h"

#include <algorithm>

#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "scenarios/scenario_layer.h"
#include "semantic/analysis_context.h"
#include "semantic/diagnosis_list.h"
#include "settings/settings_record.h"
#include "views/category_result.h"
#include "views/episode_list.h"
#include "views/lemma_list.h"
#include "views/proposition_text.h"
#include "views/relation_list.h"
#include "views/scenario_list.h"
#include "views/style_result.h"

namespace malvex {

namespace {

// Graph types the word-category lists cannot show, and the one they use.
constexpr int kAreasGraph = 1;
constexpr int kStarGraph = 2;
constexpr int kActorsGraph = 5;

}  // namespace

ResultFunctions::ResultFunctions(Engine& engine, size_t listCapacity)
    : engine_(engine),
      list_(listCapacity),
      diagnosis_(std::make_unique<DiagnosisList>(&engine.stream())),
      alphabetical_(engine.record().scenarioSortedAlphabetically()) {}

ResultFunctions::~ResultFunctions() = default;

void ResultFunctions::Clear() {
  table_.Clear();
  list_.Clear();
  analysed_ = false;
  chosen_ = -1;
  information_.clear();
  status_.clear();
  hint_.clear();
  boxesEnabled_ = false;
}

void ResultFunctions::Rebuild() {
  Clear();
  const AnalysisContext* analysis = engine_.analysis();
  const int episodes = analysis != nullptr ? static_cast<int>(analysis->chronology().episodes.size()) : 0;
  table_.Build(engine_.statistics().Words(), episodes);
  analysed_ = true;
}

std::vector<std::string> ResultFunctions::FunctionLines() {
  std::vector<std::string> lines;
  if (table_.EmptyText()) {
    lines.push_back(engine_.messages().message(ResultFunctionTable::kEmptyTextMessage));
    return lines;
  }
  for (int p = 0; p < table_.Count(); ++p) lines.push_back(table_.Title(engine_.messages(), p));
  return lines;
}

bool ResultFunctions::Choose(int position) {
  if (!analysed_) return false;
  const ResultFunction function = table_.At(position);
  if (function.kind == ResultKind::kNone) return false;
  chosen_ = position;
  Fill(function, position);
  return true;
}

bool ResultFunctions::Refresh() {
  if (chosen_ < 0) return false;
  return Choose(chosen_);
}

void ResultFunctions::SetActant(bool checked) {
  filter_.actant = checked;
  Refresh();
}

void ResultFunctions::SetActed(bool checked) {
  filter_.acted = checked;
  Refresh();
}

void ResultFunctions::SetAlphabetical(bool alphabetical) {
  alphabetical_ = alphabetical;
  engine_.record().setScenarioSortedAlphabetically(alphabetical);
  Refresh();
}

void ResultFunctions::SetBranchesHidden(bool hidden) {
  branchesHidden_ = hidden;
  Refresh();
}

bool ResultFunctions::FillClasses(int level) {
  const AnalysisContext* analysis = engine_.analysis();
  ActantCounter actantOf;
  if (analysis != nullptr) actantOf = [analysis, level](int32_t cls) { return analysis->actantCount(level, cls); };
  ClassListOptions options = filter_;
  options.minimalFrequency = static_cast<uint32_t>(std::max<int32_t>(engine_.semanticDictionary().DetectionThreshold(), 0));
  if (level != kScenarioLevel) {
    const bool all = FillClassList(ClassRows(engine_.semanticDictionary(), level, actantOf, options), list_);
    if (alphabetical_) list_.SortAlphabetically();
    return all;
  }
  // Scenario groups keep their sub-groups after them whatever the order.
  std::vector<ClassRow> rows = ScenarioRows(engine_.semanticDictionary(), engine_.scenarioLayer(), actantOf, options);
  if (alphabetical_) SortScenarioRowsAlphabetically(rows);
  if (branchesHidden_) HideScenarioBranches(rows);
  for (const ClassRow& row : rows)
    if (!list_.AddWithItem(ScenarioLine(row), row.cls)) return false;
  return true;
}

void ResultFunctions::Fill(const ResultFunction& function, int position) {
  Messages& messages = engine_.messages();
  SettingsRecord& record = engine_.record();
  list_.Clear();
  hint_ = messages.message(kClickMeHint);
  status_ = messages.message(kChooseStatus);

  AnalysisContext* analysis = engine_.analysis();
  SemanticDictionary& dictionary = engine_.semanticDictionary();
  InformationContext context;
  context.relationLevel = analysis != nullptr ? analysis->relationLevel() : record.relationLevel();
  context.scenarioLoaded = dictionary.scenarioGroups().ScenarioLoaded();
  context.scenarioName = record.scenarioFile();
  information_ = InformationLine(messages, function, context);

  if (function.kind != ResultKind::kScenario)
    boxesEnabled_ = function.kind == ResultKind::kReferences || function.kind == ResultKind::kReferenceFields1 ||
                    function.kind == ResultKind::kReferenceFields2;

  const uint32_t minimal = static_cast<uint32_t>(std::max<int32_t>(dictionary.DetectionThreshold(), 0));
  bool all = true;
  switch (function.kind) {
    case ResultKind::kTextStyle:
      all = FillStyleList(StyleRows(engine_, *diagnosis_, StyleFiguresOf(engine_)), list_);
      break;
    case ResultKind::kReferences:
    case ResultKind::kReferenceFields1:
    case ResultKind::kReferenceFields2:
    case ResultKind::kScenario:
      all = FillClasses(ClassLevelOfKind(function.kind));
      break;
    case ResultKind::kRelations:
      if (analysis != nullptr)
        all = FillRelationList(RelationRows(analysis->relations(), dictionary, context.relationLevel), list_);
      break;
    case ResultKind::kCategories:
      if (record.graphType() == kAreasGraph || record.graphType() == kActorsGraph) record.setGraphType(kStarGraph);
      all = FillCategoryList(CategoryRows(engine_, *diagnosis_, function.level == kMainFunction), list_);
      break;
    case ResultKind::kVerbs:
    case ResultKind::kAdjectives:
    case ResultKind::kSubstantives: {
      std::vector<LemmaRow> rows;
      if (function.kind == ResultKind::kSubstantives)
        rows = LemmaRows(dictionary.nounLemmas(), minimal);
      else if (LemmaIndex* index = function.kind == ResultKind::kVerbs ? engine_.verbLemmas() : engine_.adjectiveLemmas())
        rows = LemmaRows(*index, minimal);
      all = FillLemmaList(rows, list_);
      if (alphabetical_) list_.SortAlphabetically();
      break;
    }
    case ResultKind::kEpisode: {
      if (analysis == nullptr) break;
      const std::vector<EpisodeSummary> episodes =
          EpisodeSummaries(analysis->chronology(), engine_.stream().HighestPosition());
      const int n = table_.EpisodeNumber(position);
      if (n < 1 || n > static_cast<int>(episodes.size())) break;
      const EpisodeSummary& episode = episodes[static_cast<size_t>(n - 1)];
      status_ = EpisodeStatusLine(messages, episode);
      if (!(record.graphType() == kEpisodesGraphType && record.graphShowsSelection()))
        hint_ = messages.message(kEpisodesGraphHint);
      for (const PropositionText& p : PropositionTextsBetween(engine_.stream(), episode.start, episode.end))
        if (!(all = list_.AddWithItem(p.text, p.number))) break;
      break;
    }
    case ResultKind::kNone:
      break;
  }
  if (!all) information_ = messages.message(ResultList::kOverflowMessage);
  if (engine_.statistics().Words() == 0) {
    information_ = messages.message(kNoWordsInformation);
    status_ = messages.message(kNoWordsStatus);
  }
}

}  // namespace malvex
