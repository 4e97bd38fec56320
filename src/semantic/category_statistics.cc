#include "semantic/category_statistics.h"

#include "foundations/messages.h"

namespace malvex {
namespace {

// Group name messages.
constexpr int kMessageVerb = 132;
constexpr int kMessageConnector = 109;
constexpr int kMessageModality = 121;
constexpr int kMessagePronoun = 141;
constexpr int kMessageAdjective = 140;

// The group message of a statistics index, 0 when it belongs to no group.
int GroupMessage(int index) {
  if (index < kStatConnector) return kMessageVerb;
  if (index < kStatModality) return kMessageConnector;
  if (index < kStatFundamental) return kMessageModality;
  // Only the pronoun subclasses and persons are pronouns: 67..69 count
  // referents (substantives) and 61 determinants.
  if ((index >= kStatPronounSubclass && index <= kStatPronounSubclass + 4) ||
      (index >= kStatPerson && index <= kStatPerson + 6))
    return kMessagePronoun;
  if (index >= kStatAdjectiveSubclass && index <= 66) return kMessageAdjective;
  return 0;
}

}  // namespace

void CategoryStatistics::ResetStatistics() {
  counters_.fill(0);
  percentages_.fill(0.0);
  words_ = 0;
  propositions_ = 0;
}

void CategoryStatistics::CountWord(const char* text, WordInfo& info) {
  if (text == nullptr || text[0] == 0) return;
  if (text[0] == '/') {
    ++propositions_;
    return;
  }
  ++words_;
  WordCategory& c = info.category;
  if (c.category == kClassUnclassified) c.category = kClassSubstantive;
  const int sub = c.subcategory;
  switch (c.category) {
    case kClassVerb:
      if (sub >= 1 && sub <= 4) Add(kStatVerbSubclass + sub - 1);
      if (c.tensePerson >= 1 && c.tensePerson <= 4) Add(kStatTense + c.tensePerson - 1);
      if (c.modeMark >= 1 && c.modeMark <= 6) Add(kStatMode + c.modeMark - 1);
      break;
    case kClassConnector:
      if (sub >= 1 && sub <= 10) Add(kStatConnectorSubclass + sub - 1);
      break;
    case kClassModality:
      if (sub >= 1 && sub <= 7) Add(kStatModalitySubclass + sub - 1);
      break;
    case kClassAdjective:
      Add(sub >= 1 && sub <= 3 ? kStatAdjectiveSubclass + sub - 1 : kStatAdjectiveSubclass + 3);
      break;
    case kClassPronoun:
      if (sub >= 1 && sub <= 5) Add(kStatPronounSubclass + sub - 1);
      if ((sub == 3 || sub == 4) && c.tensePerson >= 1 && c.tensePerson <= 7)
        Add(kStatPerson + c.tensePerson - 1);
      break;
    case kClassDeterminant:
      Add(kStatPreposition);
      break;
    case kClassDeterminantKind1:
      Add(kStatDeterminant);
      break;
    case kClassSubstantive:
      Add(kStatSubstantive);
      break;
    default:
      break;
  }
  if (info.referent == 1) Add(kStatPrincipalReferent);
  if (info.referent == 2) Add(kStatSecondaryReferent);
  if (isFundamental(c)) Add(kStatFundamental);
  if (isAuxiliary(c)) Add(kStatAuxiliary);
}

uint32_t CategoryStatistics::Sum(int first, int last) const {
  uint32_t sum = 0;
  for (int i = first; i <= last; ++i) sum += counters_[static_cast<size_t>(i)];
  return sum;
}

void CategoryStatistics::PercentagesOver(int first, int last, uint32_t base) {
  if (base < 1) return;
  for (int i = first; i <= last; ++i) {
    const uint32_t n = counters_[static_cast<size_t>(i)];
    if (n > 0) percentages_[static_cast<size_t>(i)] = static_cast<double>(n) / base * 100.0;
  }
}

bool CategoryStatistics::FinaliseStatistics() {
  if (words_ == 0) return false;
  counters_[kStatWord] = words_;
  counters_[kStatVerb] = Sum(kStatVerbSubclass, kStatVerbSubclass + 3);
  counters_[kStatConnector] = Sum(kStatConnectorSubclass, kStatConnectorSubclass + 9);
  counters_[kStatModality] = Sum(kStatModalitySubclass, kStatModalitySubclass + 6);
  counters_[kStatAdjective] = Sum(kStatAdjectiveSubclass, kStatAdjectiveSubclass + 3);
  counters_[kStatPronoun] = Sum(kStatPronounSubclass, kStatPronounSubclass + 4);
  counters_[kStatConnectorTotal] = counters_[kStatConnector];
  counters_[kStatModalityTotal] = counters_[kStatModality];
  counters_[kStatReferent] = counters_[kStatPrincipalReferent] + counters_[kStatSecondaryReferent];

  PercentagesOver(1, kStatisticsIndexCount - 1, words_);
  PercentagesOver(kStatAuxiliary, kStatTense + 3, counters_[kStatVerb]);
  PercentagesOver(kStatConnectorSubclass, kStatConnectorSubclass + 9, counters_[kStatConnector]);
  PercentagesOver(kStatModalitySubclass, kStatModalitySubclass + 6, counters_[kStatModality]);
  PercentagesOver(kStatAdjectiveSubclass, kStatAdjectiveSubclass + 3, counters_[kStatAdjective]);
  PercentagesOver(kStatPronounSubclass, kStatPronounSubclass + 4, counters_[kStatPronoun]);
  // Persons over the personal and deixis pronouns.
  PercentagesOver(kStatPerson, kStatPerson + 6,
                  counters_[kStatPronounSubclass + 2] + counters_[kStatPronounSubclass + 3]);

  counters_[kStatProposition] = propositions_;
  return true;
}

std::string StatisticsLabel(Messages& messages, int index) {
  if (index < 0 || index >= kStatisticsIndexCount) return std::string();
  std::string label;
  if (const int group = GroupMessage(index); group != 0) {
    label = messages.message(group);
    label += ' ';
  }
  label += messages.message(kStatisticsFirstMessage + index);
  return label;
}

}  // namespace malvex
