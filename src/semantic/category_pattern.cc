#include "semantic/category_pattern.h"

#include "semantic/category_statistics.h"

namespace malvex {

namespace {

WordInfo Pattern(int category, int subcategory = 0, int tensePerson = 0) {
  WordInfo info;
  info.category.category = static_cast<uint8_t>(category);
  info.category.subcategory = static_cast<uint8_t>(subcategory);
  info.category.tensePerson = static_cast<uint8_t>(tensePerson);
  return info;
}

}  // namespace

WordInfo PatternOfStatisticsIndex(int i) {
  if (i == kStatAuxiliary || (i >= kStatMode && i <= kStatTense + 3) || i == kStatVerb) return Pattern(kClassVerb);
  if (i >= kStatVerbSubclass && i <= kStatVerbSubclass + 3) return Pattern(kClassVerb, i - kStatVerbSubclass + 1);
  if (i == kStatConnector || i == 31 || i == kStatConnectorTotal) return Pattern(kClassConnector);
  if (i >= kStatConnectorSubclass && i <= kStatConnectorSubclass + 9) return Pattern(kClassConnector, i - 20);
  if (i == kStatModality || i == kStatModalityTotal) return Pattern(kClassModality);
  if (i >= kStatModalitySubclass && i <= kStatModalitySubclass + 6) return Pattern(kClassModality, i - 32);
  if (i == kStatAdjective) return Pattern(kClassAdjective);
  if (i == kStatPronoun) return Pattern(kClassPronoun);
  if (i == kStatPreposition) return Pattern(kClassDeterminant);
  if (i == kStatSubstantive || i == kStatReferentNucleus || i == kStatPrincipalReferent ||
      i == kStatSecondaryReferent)
    return Pattern(kClassSubstantive);
  if (i >= kStatPronounSubclass && i <= kStatPronounSubclass + 4) return Pattern(kClassPronoun, i - 55);
  if (i == kStatDeterminant) return Pattern(kClassDeterminantKind1);
  if (i >= kStatAdjectiveSubclass && i <= kStatAdjectiveSubclass + 2) return Pattern(kClassAdjective, i - 61);
  if (i == 65 || i == 66) return Pattern(kClassAdjective, 2);
  if (i == kStatPerson || i == kStatPerson + 1) return Pattern(kClassPronoun, 4, i - kStatPerson + 1);
  if (i >= kStatPerson + 2 && i <= kStatPerson + 6) return Pattern(kClassPronoun, 3, i - 69);
  return WordInfo{};
}

int ColourOfGroup(int group) {
  switch (group) {
    case 1:
      return 11;
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
      return group - 1;
    default:
      return 6;
  }
}

int ColourOfStatisticsIndex(int index) {
  return ColourOfGroup(PatternOfStatisticsIndex(index).category.category + 1);
}

}  // namespace malvex
