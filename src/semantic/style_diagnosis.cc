#include "semantic/style_diagnosis.h"

#include <initializer_list>

#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "semantic/category_statistics.h"
#include "semantic/diagnosis_list.h"
#include "semantic/result_lines.h"
#include "semantic/semantic_environment.h"

namespace malvex {
namespace {

// Pushes verdicts and, when asked, shows their texts; remembers a refused
// line so that the diagnosis ends there.
class VerdictWriter {
 public:
  VerdictWriter(DiagnosisList& list, Messages& messages, ResultLines* lines, bool show)
      : list_(list), messages_(messages), lines_(show ? lines : nullptr) {}

  // False once the result list refused a line.
  bool Push(int id) {
    list_.PushEntry(id);
    if (lines_ != nullptr && !lines_->AppendLine(messages_.message(id))) refused_ = true;
    return !refused_;
  }
  bool Refused() const { return refused_; }

 private:
  DiagnosisList& list_;
  Messages& messages_;
  ResultLines* const lines_;
  bool refused_ = false;
};

}  // namespace

void DiagnoseStyle(DiagnosisList& list, const StyleFacts& facts, Messages& messages, ResultLines* lines,
                   bool show) {
  list.ClearEntries();
  VerdictWriter out(list, messages, lines, show);
  const CategoryStatistics& stats = facts.statistics;
  auto above = [&](int i) { return facts.tables.normOf(i) < stats.Percentage(i); };
  auto countAbove = [&](std::initializer_list<int> indexes) {
    int n = 0;
    for (int i : indexes) n += above(i) ? 1 : 0;
    return n;
  };

  if (facts.tokens < 2) {
    out.Push(EmptyTextMessage(facts.borders));
    return;
  }
  // The style proper: the first family whose markers pass the norms.
  if (countAbove({20, 22, 23, 26, 25, 38, 39, 36, 6}) > 3 && !out.Push(338)) return;
  if (list.Count() == 0 && countAbove({24, 33, 34, 4, 63}) - (above(20) ? 1 : 0) > 2 && !out.Push(339)) return;
  if (list.Count() == 0 && countAbove({59, 6, 32, 7}) >= 2 && !out.Push(340)) return;
  if (list.Count() == 0 && countAbove({34, 29, 28, 33, 5, 62}) >= 2 && !out.Push(341)) return;
  if (list.Count() == 0 && lines != nullptr && !out.Push(342)) return;

  // The setting.
  if (above(6) && !out.Push(347)) return;
  if (list.Count() < 2) {
    if (above(4)) {
      if (!out.Push(345)) return;
    } else if (above(5)) {
      if (!out.Push(346)) return;
    }
  }
  if (above(59) && !out.Push(348)) return;
  if (stats.Counter(37) > 1 && above(37) && !out.Push(310)) return;

  // How far the verdicts can be trusted.
  if (stats.Counter(kStatWord) < 500 && !out.Push(350)) return;
  const uint32_t d = stats.Counter(kStatProposition) / 6;
  if ((d > stats.Counter(kStatVerb) || d > stats.Counter(kStatModality) || d > stats.Counter(kStatConnectorTotal) ||
       d > stats.Counter(kStatAdjective) || d > stats.Counter(kStatSubstantive)) &&
      !out.Push(351))
    return;
  const int borders = BordersDiagnosisMessage(facts.borders);
  if (borders != 0) out.Push(borders);
}

void DiagnoseStyle(DiagnosisList& list, SemanticEnvironment& engine, ResultLines* lines, bool show) {
  const StyleFacts facts{engine.statistics(), engine.tables(), engine.stream().Count(), engine.run().borders};
  DiagnoseStyle(list, facts, engine.messages(), lines, show);
}

StyleLineSelection DescribeStyleLine(int id) {
  struct Row {
    int id;
    StyleLineAction action;
    int explanation;
    int slotCount;
    // (word class, position) pairs.
    int slots[4][2];
  };
  using A = StyleLineAction;
  static constexpr Row kRows[] = {
      {338, A::kColoration, 354, 4, {{2, 6}, {2, 7}, {3, 6}, {3, 7}}},
      {339, A::kColoration, 355, 4, {{1, 1}, {2, 4}, {3, 1}, {3, 2}}},
      {340, A::kColoration, 356, 4, {{3, 7}, {3, 4}, {5, 4}, {1, 3}}},
      {341, A::kColoration, 357, 4, {{1, 2}, {4, 1}, {3, 1}, {3, 2}}},
      {310, A::kColoration, 325, 1, {{3, 5}}},
      {345, A::kColoration, 360, 1, {{1, 1}}},
      {346, A::kColoration, 361, 1, {{1, 2}}},
      {347, A::kColoration, 362, 1, {{1, 3}}},
      {348, A::kColoration, 363, 1, {{5, 1}}},
      {18, A::kText, 18, 0, {}},
      {342, A::kText, 358, 0, {}},
      {350, A::kText, 365, 0, {}},
      {351, A::kText, 366, 0, {}},
      {352, A::kText, 367, 0, {}},
      {353, A::kText, 368, 0, {}},
      {555, A::kText, 555, 0, {}},
      {563, A::kFirstEpisode, 0, 0, {}},
      {566, A::kCharacteristicParts, 369, 0, {}},
      {717, A::kFilesSearched, 0, 0, {}},
  };
  StyleLineSelection result;
  for (const Row& row : kRows) {
    if (row.id != id) continue;
    result.action = row.action;
    result.explanation = row.explanation;
    result.slotCount = row.slotCount;
    for (int s = 0; s < row.slotCount; ++s) {
      result.slots[s].group = static_cast<uint16_t>(row.slots[s][0] + 1);
      result.slots[s].position = static_cast<uint16_t>(row.slots[s][1]);
    }
    break;
  }
  return result;
}

int SelectDiagnosisEntry(DiagnosisList& list, int k) {
  list.SetSelected(k);
  if (k > DiagnosisList::kMaxLines) return 0;
  return list.Entry(k);
}

std::string CharacteristicPartsText(Messages& messages, uint32_t selected, uint32_t propositions) {
  std::string text = " " + std::to_string(selected) + " ";
  text += messages.message(573);
  text += " " + std::to_string(propositions);
  return text;
}

std::string FilesSearchedText(Messages& messages, int files) {
  return std::to_string(files) + " " + messages.message(418);
}

}  // namespace malvex
