#include "views/result_function_table.h"

#include <iterator>

#include "foundations/messages.h"

namespace malvex {

namespace {

// The fixed functions, in the order of the function list.
struct FixedFunction {
  ResultKind kind;
  uint8_t level;
  int32_t titleId;
};
constexpr FixedFunction kFixed[] = {
    {ResultKind::kTextStyle, kMainFunction, 304},
    {ResultKind::kReferenceFields1, kMainFunction, 307},
    {ResultKind::kReferenceFields2, kMainFunction, 308},
    {ResultKind::kReferences, kMainFunction, 300},
    {ResultKind::kScenario, kMainFunction, 309},
    {ResultKind::kRelations, kMainFunction, 390},
    {ResultKind::kCategories, kMainFunction, 302},
    {ResultKind::kCategories, kSecondaryFunction, 303},
    {ResultKind::kVerbs, kSecondaryFunction, 845},
    {ResultKind::kAdjectives, kSecondaryFunction, 848},
    {ResultKind::kSubstantives, kSecondaryFunction, 852},
};
static_assert(std::size(kFixed) == ResultFunctionTable::kFirstEpisode);

constexpr int32_t kEpisodeTitle = 562;

}  // namespace

int ClassLevelOfKind(ResultKind kind) {
  switch (kind) {
    case ResultKind::kReferences: return 1;
    case ResultKind::kReferenceFields2: return 2;
    case ResultKind::kReferenceFields1: return 3;
    case ResultKind::kScenario: return 4;
    default: return 0;
  }
}

int FunctionOfRelationLevel(int level) {
  switch (level) {
    case 1: return ResultFunctionTable::kReferences;
    case 2: return ResultFunctionTable::kReferenceFields2;
    case 3: return ResultFunctionTable::kReferenceFields1;
    case 4: return ResultFunctionTable::kScenario;
    default: return -1;
  }
}

void ResultFunctionTable::Clear() {
  entries_.fill(ResultFunction{});
  count_ = 0;
  emptyText_ = false;
}

void ResultFunctionTable::Add(ResultKind kind, uint8_t level, int32_t titleId) {
  if (count_ >= kCapacity) return;
  entries_[static_cast<size_t>(count_++)] = ResultFunction{kind, level, titleId};
}

void ResultFunctionTable::Build(int64_t words, int episodes) {
  Clear();
  if (words <= 1) {
    emptyText_ = true;
    return;
  }
  for (const FixedFunction& f : kFixed) Add(f.kind, f.level, f.titleId);
  for (int e = 1; e <= episodes && count_ < kCapacity; ++e)
    Add(ResultKind::kEpisode, kSecondaryFunction, kEpisodeTitle);
}

ResultFunction ResultFunctionTable::At(int position) const {
  if (position < 0 || position >= count_) return ResultFunction{};
  return entries_[static_cast<size_t>(position)];
}

int ResultFunctionTable::EpisodeNumber(int position) const {
  if (At(position).kind != ResultKind::kEpisode) return 0;
  return position - kFirstEpisode + 1;
}

std::string ResultFunctionTable::Title(Messages& messages, int position) const {
  const ResultFunction f = At(position);
  if (f.kind == ResultKind::kNone) return std::string();
  std::string title = messages.message(f.titleId);
  if (f.kind == ResultKind::kEpisode) title += " " + std::to_string(EpisodeNumber(position));
  return title;
}

int InformationLineId(const ResultFunction& function, const InformationContext& context) {
  switch (function.kind) {
    case ResultKind::kTextStyle: return 291;
    case ResultKind::kReferenceFields1: return 293;
    case ResultKind::kReferenceFields2: return 294;
    case ResultKind::kReferences: return 288;
    case ResultKind::kScenario: return context.scenarioLoaded ? 296 : 455;
    case ResultKind::kRelations:
      if (context.relationLevel == 2 || context.relationLevel == 3) return 292;
      if (context.relationLevel == 4) return context.scenarioLoaded ? 526 : 455;
      return 298;
    case ResultKind::kCategories: return function.level == kMainFunction ? 290 : 295;
    case ResultKind::kVerbs: return 854;
    case ResultKind::kAdjectives: return 855;
    case ResultKind::kSubstantives: return 852;
    case ResultKind::kEpisode: return 890;
    case ResultKind::kNone: return 0;
  }
  return 0;
}

std::string InformationLine(Messages& messages, const ResultFunction& function,
                            const InformationContext& context) {
  const int id = InformationLineId(function, context);
  if (id == 0) return std::string();
  std::string line = messages.message(id);
  if (id == 296) line += context.scenarioName;
  return line;
}

}  // namespace malvex
