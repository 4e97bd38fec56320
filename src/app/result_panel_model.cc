#include "app/result_panel_model.h"

#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "semantic/analysis_context.h"
#include "semantic/diagnosis_list.h"
#include "semantic/style_diagnosis.h"
#include "semantic/word_category_list.h"
#include "views/episode_list.h"
#include "views/parts_result.h"
#include "views/proposition_text.h"
#include "views/scenario_group_hierarchy.h"
#include "views/selection_state.h"
#include "views/style_coloration.h"
#include "views/text_view.h"

namespace malvex {

namespace {

constexpr int kClassColour = 11;

// The text of a list line up to its first tab: the item's name.
std::string NameOfLine(const std::string& line) {
  const size_t tab = line.find('\t');
  std::string name = line.substr(0, tab);
  // Scenario lines are indented by depth.
  const size_t first = name.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : name.substr(first);
}

}  // namespace

int LevelOfRequestDigit(int digit) {
  switch (digit) {
    case 1: return 3;
    case 2: return 2;
    case 3: return 1;
    case 4: return kScenarioLevel;
    default: return 0;
  }
}

ResultPanelModel::ResultPanelModel(Engine& engine, TExtraitDuTexte& view, SelectionState& selection,
                                   size_t listCapacity)
    : engine_(engine), view_(view), selection_(selection), functions_(engine, listCapacity) {}

ResultPanelModel::~ResultPanelModel() {
  view_.SetRelationStore(nullptr);
  view_.SetGroupHierarchy(nullptr);
}

void ResultPanelModel::Clear() {
  functions_.Clear();
  analysed_ = false;
  chosenItem_ = -1;
  searchFrom_ = nullptr;
  shownProposition_ = 0;
  information_.clear();
  message_.clear();
  status_.clear();
  hint_.clear();
  selectionColour_ = kClassColour;
  selection_.Clear();
  view_.SetRelationStore(nullptr);
  view_.SetCursorPosition(0);
}

void ResultPanelModel::AnalysisDone() {
  Clear();
  functions_.Rebuild();
  analysed_ = true;
  AnalysisContext* analysis = engine_.analysis();
  view_.SetRelationStore(analysis != nullptr ? &analysis->relations() : nullptr);
  if (groups_ == nullptr) groups_ = std::make_unique<ScenarioGroupHierarchy>(engine_.scenarioLayer());
  view_.SetGroupHierarchy(groups_.get());
  view_.Rewind();
}

std::vector<std::string> ResultPanelModel::FunctionLines() { return functions_.FunctionLines(); }

ResultKind ResultPanelModel::chosenKind() const {
  return functions_.chosen() < 0 ? ResultKind::kNone : functions_.table().At(functions_.chosen()).kind;
}

void ResultPanelModel::TakeFunctionTexts() {
  information_ = functions_.information();
  status_ = functions_.status();
  hint_ = functions_.hint();
  message_.clear();
}

bool ResultPanelModel::ChooseFunction(int position) {
  if (!analysed_ || !functions_.Choose(position)) return false;
  lastFunction_ = position;
  chosenItem_ = -1;
  TakeFunctionTexts();
  if (functions_.table().At(position).kind == ResultKind::kEpisode) {
    // The text moves to the episode's first proposition.
    const AnalysisContext* analysis = engine_.analysis();
    const int n = functions_.table().EpisodeNumber(position);
    if (analysis != nullptr && n >= 1 && n <= static_cast<int>(analysis->chronology().episodes.size())) {
      const int32_t start = analysis->chronology().episodes[static_cast<size_t>(n - 1)].start;
      // The episode's text in its own colours, whatever was selected.
      selection_.Clear();
      view_.ColorationSyntaxique();
      view_.StartAtPosition(start);
      view_.SetCursorPosition(start);
    }
  }
  return true;
}

bool ResultPanelModel::PreviousFunction() {
  const int chosen = functions_.chosen();
  if (chosen < 0) return ChooseFunction(0);
  return chosen > 0 && ChooseFunction(chosen - 1);
}

bool ResultPanelModel::NextFunction() {
  const int chosen = functions_.chosen();
  if (chosen < 0) return ChooseFunction(0);
  return chosen + 1 < FunctionCount() && ChooseFunction(chosen + 1);
}

bool ResultPanelModel::ChooseLastFunction() { return lastFunction_ >= 0 && ChooseFunction(lastFunction_); }

int ResultPanelModel::IndexOfItem(int64_t item) const {
  const ResultList& list = functions_.list();
  for (size_t i = 0; i < list.size(); ++i) {
    if (list[i].item == item) return static_cast<int>(i);
  }
  return -1;
}

void ResultPanelModel::SetActant(bool checked) {
  functions_.SetActant(checked);
  chosenItem_ = -1;
  if (functions_.chosen() >= 0) TakeFunctionTexts();
}

void ResultPanelModel::SetActed(bool checked) {
  functions_.SetActed(checked);
  chosenItem_ = -1;
  if (functions_.chosen() >= 0) TakeFunctionTexts();
}

void ResultPanelModel::SetAlphabetical(bool alphabetical) {
  functions_.SetAlphabetical(alphabetical);
  chosenItem_ = -1;
  if (functions_.chosen() >= 0) TakeFunctionTexts();
}

void ResultPanelModel::SetBranchesHidden(bool hidden) {
  functions_.SetBranchesHidden(hidden);
  chosenItem_ = -1;
  if (functions_.chosen() >= 0) TakeFunctionTexts();
}

// ---- Items ----------------------------------------------------------------

bool ResultPanelModel::ChooseItem(int index) {
  const ResultList& list = functions_.list();
  if (!analysed_ || functions_.chosen() < 0 || index < 0 || static_cast<size_t>(index) >= list.size()) return false;
  const ResultFunction function = functions_.table().At(functions_.chosen());
  const ResultLine& line = list[static_cast<size_t>(index)];
  bool shown = false;
  switch (function.kind) {
    case ResultKind::kReferences:
    case ResultKind::kReferenceFields1:
    case ResultKind::kReferenceFields2:
    case ResultKind::kScenario:
      shown = ShowClass(ClassLevelOfKind(function.kind), static_cast<int32_t>(line.item));
      break;
    case ResultKind::kRelations: {
      const AnalysisContext* analysis = engine_.analysis();
      const int level = analysis != nullptr ? analysis->relationLevel() : engine_.record().relationLevel();
      const uint64_t item = static_cast<uint64_t>(line.item);
      shown = ShowRelation(level, static_cast<int32_t>(item >> 32), static_cast<int32_t>(item & 0xFFFFFFFFu));
      break;
    }
    case ResultKind::kVerbs:
      shown = ShowWord(static_cast<uint32_t>(line.item), kClassVerb, NameOfLine(line.text));
      break;
    case ResultKind::kAdjectives:
      shown = ShowWord(static_cast<uint32_t>(line.item), kClassAdjective, NameOfLine(line.text));
      break;
    case ResultKind::kSubstantives:
      shown = ShowWord(static_cast<uint32_t>(line.item), kClassSubstantive, NameOfLine(line.text));
      break;
    case ResultKind::kTextStyle:
      shown = ShowStyleLine(index, static_cast<int>(line.item));
      break;
    case ResultKind::kCategories:
      shown = ShowCategoryLine(index);
      break;
    case ResultKind::kEpisode:
      shown = ShowEpisodeProposition(static_cast<uint32_t>(line.item));
      break;
    case ResultKind::kNone:
      break;
  }
  if (shown) chosenItem_ = index;
  return shown;
}

bool ResultPanelModel::ShowGraphClass(int level, int32_t cls) {
  if (analysed_ && functions_.chosen() >= 0 && ClassLevelOfKind(chosenKind()) == level) {
    const int index = IndexOfItem(cls);
    if (index >= 0) return ChooseItem(index);
  }
  chosenItem_ = -1;
  return ShowClass(level, cls);
}

bool ResultPanelModel::ShowGraphRelation(int level, int32_t first, int32_t second) {
  if (analysed_ && functions_.chosen() >= 0 && chosenKind() == ResultKind::kRelations && first > 0 && second > 0) {
    const int64_t item = static_cast<int64_t>((static_cast<uint64_t>(first) << 32) | static_cast<uint32_t>(second));
    const int index = IndexOfItem(item);
    if (index >= 0) return ChooseItem(index);
  }
  chosenItem_ = -1;
  return ShowRelation(level, first, second);
}

void ResultPanelModel::ShowSelectionExtracts() {
  // The list shows the selection's line when it holds the class, so that
  // the list and the text agree.
  chosenItem_ = -1;
  if (selection_.active && selection_.kind == kSelectClass && functions_.chosen() >= 0 &&
      ClassLevelOfKind(chosenKind()) == selection_.level) {
    chosenItem_ = IndexOfItem(static_cast<int64_t>(selection_.selectedId));
  }
  message_ = selection_.active ? selection_.text : std::string();
  ShowExtracts();
}

void ResultPanelModel::ShowTextAt(int32_t position) {
  view_.StartAtPosition(position);
  view_.SetCursorPosition(position);
}

void ResultPanelModel::ShowExtracts() {
  view_.ColorationSelective();
  UnderlineFirstOccurrence();
}

void ResultPanelModel::UnderlineFirstOccurrence() {
  view_.Rewind();
  view_.SetCursorPosition(0);
  searchFrom_ = nullptr;
  shownProposition_ = 0;
  // The first occurrence is underlined; the page starts with it.
  WordStream& stream = engine_.stream();
  stream.Rewind();
  if (view_.FindNext(true)) {
    searchFrom_ = stream.Current();
    shownProposition_ = selection_.foundPropositionStart;
    view_.SetCursorPosition(selection_.foundPosition);
  }
  view_.Rewind();
}

bool ResultPanelModel::ShowClass(int level, int32_t cls) {
  if (level < 1 || level > 4 || cls <= 0) return false;
  SemanticDictionary& dictionary = engine_.semanticDictionary();
  selection_.Clear();
  selection_.SelectClass(level, static_cast<uint32_t>(cls), dictionary.ClassName(level, cls));
  selectionColour_ = kClassColour;
  ShowExtracts();
  status_ = engine_.messages().message(kClassItemStatus);
  message_ = selection_.text;
  return true;
}

bool ResultPanelModel::ShowRelation(int level, int32_t first, int32_t second) {
  if (level < 1 || level > 4 || first <= 0 || second <= 0) return false;
  SemanticDictionary& dictionary = engine_.semanticDictionary();
  selection_.Clear();
  selection_.SelectRelation(level, static_cast<uint32_t>(first), static_cast<uint32_t>(second),
                            dictionary.ClassName(level, first), dictionary.ClassName(level, second));
  selectionColour_ = kClassColour;
  ShowExtracts();
  status_ = engine_.messages().message(kClassItemStatus);
  message_ = selection_.text + " > " + selection_.secondText;
  return true;
}

bool ResultPanelModel::ShowWord(uint32_t lemma, uint8_t category, const std::string& text) {
  if (lemma == 0) return false;
  selection_.Clear();
  // The word's own group keeps its colour in the extracts.
  if (category != kClassSubstantive) {
    const ColorationCriterion group{static_cast<uint16_t>(category + 1), 0};
    selection_.criteria[0] = group;
    selection_.BuildCriteria();
  }
  selection_.SelectWord(lemma, category, text);
  selectionColour_ = category == kClassSubstantive ? kClassColour : category;
  ShowExtracts();
  message_ = selection_.text;
  return true;
}

bool ResultPanelModel::ShowStyleLine(int index, int id) {
  Messages& messages = engine_.messages();
  DiagnosisList& diagnosis = functions_.diagnosis();
  diagnosis.SetSelected(index);
  const StyleLineSelection line = DescribeStyleLine(id);
  switch (line.action) {
    case StyleLineAction::kNothing:
      return false;
    case StyleLineAction::kColoration:
      ColourStyleLine(line, view_);
      UnderlineFirstOccurrence();
      information_ = messages.message(line.explanation);
      message_.clear();
      return true;
    case StyleLineAction::kText:
      information_ = messages.message(line.explanation);
      message_.clear();
      return true;
    case StyleLineAction::kFirstEpisode:
      return GoToFirstEpisode();
    case StyleLineAction::kCharacteristicParts: {
      const AnalysisContext* analysis = engine_.analysis();
      if (analysis == nullptr) return false;
      const std::vector<PartRow> parts = PartRows(analysis->chronology(), engine_.stream());
      const uint32_t propositions = static_cast<uint32_t>(engine_.statistics().Counter(49));
      information_ = messages.message(kPartsInformation);
      message_ = CharacteristicPartsText(messages, static_cast<uint32_t>(parts.size()), propositions);
      selection_.Clear();
      selection_.SelectCharacteristicParts(message_);
      selectionColour_ = kClassColour;
      ShowExtracts();
      return true;
    }
    case StyleLineAction::kFilesSearched:
      message_ = FilesSearchedText(messages, engine_.files().Count());
      return true;
  }
  return false;
}

bool ResultPanelModel::ShowCategoryLine(int index) {
  DiagnosisList& diagnosis = functions_.diagnosis();
  const CategoryLineSelection line = SelectCategoryLine(diagnosis, index);
  if (!ColourCategoryLine(line, view_)) return false;
  selectionColour_ = LineGroupOf(diagnosis, index);
  UnderlineFirstOccurrence();
  if (line.action == CategoryLineAction::kColoration) {
    information_ = engine_.messages().message(line.explanation);
    message_.clear();
  }
  return true;
}

bool ResultPanelModel::ShowEpisodeProposition(uint32_t proposition) {
  const AnalysisContext* analysis = engine_.analysis();
  const int n = functions_.table().EpisodeNumber(functions_.chosen());
  if (analysis == nullptr || proposition == 0 || n < 1 ||
      n > static_cast<int>(analysis->chronology().episodes.size())) {
    return false;
  }
  const EpisodeRecord& episode = analysis->chronology().episodes[static_cast<size_t>(n - 1)];
  for (const PropositionText& p : PropositionTextsBetween(engine_.stream(), episode.start, episode.end)) {
    if (p.number != proposition) continue;
    selection_.Clear();
    view_.ColorationSyntaxique();
    view_.StartAtPosition(p.first);
    view_.SetCursorPosition(p.first);
    message_ = p.text;
    return true;
  }
  return false;
}

bool ResultPanelModel::GoToFirstEpisode() {
  const AnalysisContext* analysis = engine_.analysis();
  if (analysis == nullptr || analysis->chronology().episodes.empty()) return false;
  const std::vector<EpisodeSummary> episodes =
      EpisodeSummaries(analysis->chronology(), engine_.stream().HighestPosition());
  selection_.Clear();
  view_.ColorationSyntaxique();
  view_.StartAtPosition(episodes.front().start);
  view_.SetCursorPosition(episodes.front().start);
  status_ = EpisodeStatusLine(engine_.messages(), episodes.front());
  message_ = status_;
  return true;
}

bool ResultPanelModel::FindOccurrence(bool forward) {
  if (!analysed_) return false;
  if (!selection_.active && !selection_.CriteriaInForce()) return false;
  WordStream& stream = engine_.stream();
  WordNode* const saved = stream.Current();
  if (forward) {
    // From just after the occurrence shown last (or from the start).
    if (searchFrom_ != nullptr) {
      stream.SetCurrent(searchFrom_);
    } else {
      stream.Rewind();
    }
  } else {
    if (shownProposition_ <= 0) return false;
    stream.SeekPosition(shownProposition_);
  }
  if (!view_.FindNext(forward)) {
    stream.SetCurrent(saved);
    return false;
  }
  shownProposition_ = selection_.foundPropositionStart;
  const int32_t found = selection_.foundPosition;
  // Forwards the cursor ends after the proposition found; backwards on its
  // start, from which the next forward search finds it again: step over it.
  if (!forward) {
    stream.SeekPosition(shownProposition_);
    view_.FindNext(true);
  }
  searchFrom_ = stream.Current();
  view_.StartAtPosition(shownProposition_);
  view_.SetCursorPosition(found);
  return true;
}

// ---- Pending expressions --------------------------------------------------

bool ResultPanelModel::ShowPendingExpressions(PendingExpressions& pending) {
  bool shown = false;
  for (DisplayRequest& request : pending.entries) {
    if (request.Empty()) continue;
    const DisplayRequest taken = request;
    request = DisplayRequest{};
    if (shown || !analysed_ || !taken.levelGiven) continue;
    const int level = LevelOfRequestDigit(taken.level);
    if (level == 0) continue;
    const std::string name = NormalizeTerm(engine_.tables(), taken.text);
    if (name.empty()) continue;
    const int32_t cls = engine_.semanticDictionary().ClassNumberOfName(level, name.c_str());
    if (cls <= 0 || engine_.semanticDictionary().ClassCount(level, cls) == 0) continue;
    // The class's list, with the class chosen in it when listed.
    const int function = level == kScenarioLevel && lastFunction_ >= 0 ? lastFunction_ : FunctionOfRelationLevel(level);
    ChooseFunction(function);
    const int index = IndexOfItem(cls);
    const bool listed = index >= 0 && ClassLevelOfKind(chosenKind()) == level;
    if (listed) {
      shown = ChooseItem(index);
    } else {
      shown = ShowClass(level, cls);
    }
    if (!shown) {
      selection_.Clear();
      view_.Rewind();
    }
  }
  if (!shown && functions_.chosen() < 0 && analysed_) {
    status_ = engine_.messages().message(ResultFunctions::kChooseFunctionStatus);
  }
  return shown;
}

}  // namespace malvex
