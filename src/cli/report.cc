#include "cli/report.h"

#include <algorithm>

#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "scenarios/scenario_layer.h"
#include "semantic/analysis_context.h"
#include "semantic/diagnosis_list.h"
#include "settings/settings_record.h"
#include "views/category_result.h"
#include "views/class_list.h"
#include "views/episode_list.h"
#include "views/lemma_list.h"
#include "views/parts_result.h"
#include "views/relation_list.h"
#include "views/result_function_table.h"
#include "views/result_list.h"
#include "views/scenario_list.h"
#include "views/style_result.h"
#include "views/terminology.h"

namespace malvex {

namespace {

// The function of the result table each result stands for.
int PositionOf(CliResult result) {
  switch (result) {
    case CliResult::kStyle: return ResultFunctionTable::kTextStyle;
    case CliResult::kReferences: return ResultFunctionTable::kReferences;
    case CliResult::kFields1: return ResultFunctionTable::kReferenceFields1;
    case CliResult::kFields2: return ResultFunctionTable::kReferenceFields2;
    case CliResult::kScenario: return ResultFunctionTable::kScenario;
    case CliResult::kRelations: return ResultFunctionTable::kRelations;
    case CliResult::kCategories: return ResultFunctionTable::kFrequentCategories;
    case CliResult::kAllCategories: return ResultFunctionTable::kAllCategories;
    case CliResult::kVerbs: return ResultFunctionTable::kVerbs;
    case CliResult::kAdjectives: return ResultFunctionTable::kAdjectives;
    case CliResult::kSubstantives: return ResultFunctionTable::kSubstantives;
    case CliResult::kEpisodes: return ResultFunctionTable::kFirstEpisode;
    case CliResult::kParts: return -1;
    case CliResult::kTerminology: return -1;
  }
  return -1;
}

// Collects the items of one result within the capacity of a result list.
class ItemSink {
 public:
  explicit ItemSink(ReportResult& result) : result_(result) {}
  // False once the list is full; the item is then dropped.
  bool Add(ReportItem item) {
    if (result_.items.size() >= ResultList::kDefaultCapacity) {
      result_.overflow = true;
      return false;
    }
    result_.items.push_back(std::move(item));
    return true;
  }

 private:
  ReportResult& result_;
};

void AddStyle(Engine& engine, ItemSink& sink) {
  DiagnosisList diagnosis(&engine.stream());
  for (const StyleRow& row : StyleRows(engine, diagnosis, StyleFiguresOf(engine))) {
    ReportItem item;
    item.type = row.count >= 0 ? "count" : "verdict";
    item.text = row.text;
    item.id = row.id;
    if (row.count >= 0) item.frequency = row.count;
    if (!sink.Add(std::move(item))) return;
  }
}

void AddClasses(Engine& engine, int level, const ClassListOptions& filter, bool alphabetical, ItemSink& sink) {
  const AnalysisContext* analysis = engine.analysis();
  ActantCounter actantOf;
  if (analysis != nullptr)
    actantOf = [analysis, level](int32_t cls) { return analysis->actantCount(level, cls); };
  std::vector<ClassRow> rows = level == kScenarioLevel
                                   ? ScenarioRows(engine.semanticDictionary(), engine.scenarioLayer(), actantOf, filter)
                                   : ClassRows(engine.semanticDictionary(), level, actantOf, filter);
  if (alphabetical && level == kScenarioLevel)
    SortScenarioRowsAlphabetically(rows);
  else if (alphabetical)
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ClassRow& a, const ClassRow& b) { return AlphabeticalLess(a.name, b.name); });
  for (const ClassRow& row : rows) {
    ReportItem item;
    item.type = level == kScenarioLevel ? "group" : "class";
    item.text = level == kScenarioLevel ? ScenarioLine(row) : ClassLine(row);
    item.name = row.name;
    item.id = row.cls;
    item.frequency = row.frequency;
    item.actant = row.actant;
    if (row.share >= 0) item.percentage = row.share;
    if (level == kScenarioLevel) item.depth = row.depth;
    if (!sink.Add(std::move(item))) return;
  }
}

void AddRelations(Engine& engine, ItemSink& sink) {
  AnalysisContext* analysis = engine.analysis();
  if (analysis == nullptr) return;
  const int level = analysis->relationLevel();
  for (const RelationRow& row : RelationRows(analysis->relations(), engine.semanticDictionary(), level)) {
    ReportItem item;
    item.type = "relation";
    item.text = RelationLine(row);
    item.name = row.firstName;
    item.second = row.secondName;
    item.id = row.first;
    item.secondId = row.second;
    item.frequency = row.frequency;
    item.percentage = row.rate;
    if (!sink.Add(std::move(item))) return;
  }
}

void AddCategories(Engine& engine, bool significantOnly, ItemSink& sink) {
  DiagnosisList diagnosis(&engine.stream());
  for (const CategoryRow& row : CategoryRows(engine, diagnosis, significantOnly)) {
    ReportItem item;
    item.type = row.index > 0 ? "category" : "header";
    item.text = row.text;
    if (row.index > 0) {
      item.id = row.index;
      item.frequency = row.count;
      item.percentage = row.percentage;
    }
    if (!sink.Add(std::move(item))) return;
  }
}

// The text's total of a lemma list's category (verbs, adjectives or
// substantives), the base of the lemmas' percentages.
void AddLemmas(const std::vector<LemmaRow>& source, uint32_t total, bool alphabetical, ItemSink& sink) {
  std::vector<LemmaRow> rows = source;
  if (alphabetical)
    std::stable_sort(rows.begin(), rows.end(),
                     [](const LemmaRow& a, const LemmaRow& b) { return AlphabeticalLess(a.text, b.text); });
  for (const LemmaRow& row : rows) {
    ReportItem item;
    item.type = "lemma";
    item.text = LemmaLine(row);
    item.name = row.text;
    item.id = row.lemma;
    item.frequency = row.frequency;
    if (total > 0) item.percentage = static_cast<double>(row.frequency) / total * 100.0;
    if (!sink.Add(std::move(item))) return;
  }
}

void AddEpisodes(Engine& engine, ItemSink& sink) {
  const AnalysisContext* analysis = engine.analysis();
  if (analysis == nullptr) return;
  const ChronologyTables& tables = analysis->chronology();
  const int level = analysis->relationLevel();
  for (const EpisodeSummary& e : EpisodeSummaries(tables, engine.stream().HighestPosition())) {
    ReportItem head;
    head.type = "episode";
    head.text = EpisodeStatusLine(engine.messages(), e);
    head.id = e.number;
    head.frequency = e.bundles;
    head.percentage = e.lengthPercent;
    head.start = e.start;
    head.end = e.end;
    if (!sink.Add(std::move(head))) return;
    for (const BundleRow& b :
         BundleRows(engine.messages(), engine.semanticDictionary(), level, tables, static_cast<uint32_t>(e.number))) {
      ReportItem item;
      item.type = "bundle";
      item.text = BundleLine(b);
      item.name = b.label;
      item.id = b.item;
      item.frequency = b.count;
      item.start = b.first;
      item.end = b.last;
      item.mean = b.mean;
      if (!sink.Add(std::move(item))) return;
    }
  }
}

void AddParts(Engine& engine, ItemSink& sink) {
  const AnalysisContext* analysis = engine.analysis();
  if (analysis == nullptr) return;
  for (const PartRow& row : PartRows(analysis->chronology(), engine.stream())) {
    ReportItem item;
    item.type = "proposition";
    item.text = row.text;
    item.id = row.proposition;
    item.frequency = row.score;
    item.start = row.first;
    item.end = row.last;
    if (!sink.Add(std::move(item))) return;
  }
}

// The terms of the text, most frequent first: head TAB compound TAB
// frequency, the compound empty for a frequent noun missing from the
// Scenario.
void AddTerminology(Engine& engine, bool filter, ReportResult& result, ItemSink& sink) {
  TerminologyOptions options;
  options.filter = filter;
  bool overflow = false;
  std::vector<TermLine> lines = ExtractTerminology(&engine.messages(), engine.stream(), engine.semanticDictionary(),
                                                   engine.tables(), options, ResultList::kDefaultCapacity, &overflow);
  SortByFrequency(lines);
  result.information = engine.messages().message(lines.size() > 3 ? kTermsToAddMessage : kSmallSampleMessage);
  result.overflow = overflow;
  for (const TermLine& line : lines) {
    ReportItem item;
    item.type = line.isCompound ? "compound" : "noun";
    item.name = line.head;
    if (line.isCompound) item.second = line.compound;
    item.secondAlways = true;
    item.text = item.name + '\t' + item.second + '\t' + std::to_string(line.frequency);
    item.frequency = line.frequency;
    if (!sink.Add(std::move(item))) return;
  }
}

}  // namespace

Report BuildReport(Engine& engine, const CliOptions& options, bool completed) {
  Report report;
  const AnalysisContext* analysis = engine.analysis();
  report.words = engine.stream().HighestPosition();
  report.propositions = engine.statistics().Propositions();
  report.completed = completed;

  const SettingsRecord& record = engine.record();
  SemanticDictionary& dictionary = engine.semanticDictionary();
  ReportSettings& s = report.settings;
  s.relationLevel = analysis != nullptr ? analysis->relationLevel() : record.relationLevel();
  s.thresholdByWords = record.classThresholdByWords();
  s.thresholdValue = s.thresholdByWords ? record.classMinWords() : record.classPertinence();
  s.detectionThreshold = dictionary.DetectionThreshold();
  s.partsQuantity = record.remarkablePropositions();
  s.numbersAsSubstantives = record.numbersAsSubstantives();
  s.scenarioOnAllCategories = record.scenarioOnAllCategories();
  s.scenario = record.scenarioFile();
  s.scenarioLoaded = dictionary.scenarioGroups().ScenarioLoaded();
  // Both boxes checked unless exactly one filter is asked for.
  s.actant = options.actant || !options.acted;
  s.acted = options.acted || !options.actant;
  s.alphabetical = options.alphabetical;

  ClassListOptions filter;
  filter.actant = s.actant;
  filter.acted = s.acted;
  filter.minimalFrequency = static_cast<uint32_t>(std::max<int32_t>(s.detectionThreshold, 0));

  ResultFunctionTable table;
  table.Build(report.words, 1);
  InformationContext context;
  context.relationLevel = s.relationLevel;
  context.scenarioLoaded = s.scenarioLoaded;
  context.scenarioName = s.scenario;

  Messages& messages = engine.messages();
  for (CliResult asked : options.results) {
    ReportResult result;
    result.result = asked;
    const int position = PositionOf(asked);
    if (position >= 0) {
      const ResultFunction function = table.Count() > 0 ? table.At(position) : ResultFunction{};
      result.title = asked == CliResult::kEpisodes ? messages.message(564) : table.Title(messages, position);
      result.information = InformationLine(messages, function, context);
    } else if (asked == CliResult::kTerminology) {
      result.title = messages.message(kTerminologyTitleMessage);
    } else {
      result.title = messages.message(kCharacteristicPartsMessage);
      result.information = messages.message(369);
    }
    if (table.EmptyText()) {
      result.information = messages.message(ResultFunctionTable::kEmptyTextMessage);
      if (asked != CliResult::kStyle) {
        report.results.push_back(std::move(result));
        continue;
      }
    }
    ItemSink sink(result);
    switch (asked) {
      case CliResult::kStyle: AddStyle(engine, sink); break;
      case CliResult::kReferences:
      case CliResult::kFields1:
      case CliResult::kFields2:
      case CliResult::kScenario:
        result.level = ClassLevelOfKind(table.At(position).kind);
        AddClasses(engine, result.level, filter, options.alphabetical, sink);
        break;
      case CliResult::kRelations: AddRelations(engine, sink); break;
      case CliResult::kCategories: AddCategories(engine, true, sink); break;
      case CliResult::kAllCategories: AddCategories(engine, false, sink); break;
      case CliResult::kVerbs:
        if (LemmaIndex* verbs = engine.verbLemmas())
          AddLemmas(LemmaRows(*verbs, filter.minimalFrequency), engine.statistics().Counter(kStatVerb),
                    options.alphabetical, sink);
        break;
      case CliResult::kAdjectives:
        if (LemmaIndex* adjectives = engine.adjectiveLemmas())
          AddLemmas(LemmaRows(*adjectives, filter.minimalFrequency), engine.statistics().Counter(kStatAdjective),
                    options.alphabetical, sink);
        break;
      case CliResult::kSubstantives:
        AddLemmas(LemmaRows(dictionary.nounLemmas(), filter.minimalFrequency),
                  engine.statistics().Counter(kStatSubstantive), options.alphabetical, sink);
        break;
      case CliResult::kEpisodes: AddEpisodes(engine, sink); break;
      case CliResult::kParts: AddParts(engine, sink); break;
      case CliResult::kTerminology: AddTerminology(engine, options.termFilter, result, sink); break;
    }
    report.results.push_back(std::move(result));
  }
  return report;
}

}  // namespace malvex
