#include "views/selection_state.h"

namespace malvex {

namespace {

std::string Cut(std::string_view text) {
  return std::string(text.substr(0, SelectionState::kMaxTextChars));
}

}  // namespace

void SelectionState::Clear() {
  active = false;
  kind = kSelectNone;
  selectedId = 0;
  selectedCategory = 0;
  firstClass = 0;
  secondClass = 0;
  text.clear();
  secondText.clear();
  spanStart = 0;
  spanEnd = kDefaultSpanEnd;
  for (ColorationCriterion& c : criteria) c = ColorationCriterion{};
  BuildCriteria();
}

void SelectionState::SelectClass(int lvl, uint32_t classId, std::string_view name) {
  active = true;
  kind = kSelectClass;
  level = lvl;
  selectedId = classId;
  text = Cut(name);
  secondText.clear();
}

void SelectionState::SelectRelation(int lvl, uint32_t first, uint32_t second, std::string_view firstText,
                                    std::string_view secondName) {
  active = true;
  kind = kSelectRelation;
  level = lvl;
  firstClass = first;
  secondClass = second;
  text = Cut(firstText);
  secondText = Cut(secondName);
}

void SelectionState::SelectWord(uint32_t lemma, uint8_t category, std::string_view name) {
  active = true;
  kind = kSelectWord;
  selectedId = lemma;
  selectedCategory = category;
  text = Cut(name);
  secondText.clear();
}

void SelectionState::SelectCharacteristicParts(std::string_view name) {
  active = true;
  kind = kSelectCharacteristicParts;
  text = Cut(name);
  secondText.clear();
}

void SelectionState::SelectCriteria(const ColorationCriterion* chosen, int count) {
  Clear();
  for (int i = 0; i < count && i < kCriteriaSlots; ++i) criteria[i] = chosen[i];
  BuildCriteria();
  anyCriterion = true;
  kind = kSelectNone;
}

void SelectionState::BuildCriteria() {
  for (CriterionPattern& p : patterns) p = CriterionPattern{};
  for (bool& g : groupSelected) g = false;
  for (int k = 0; k < kPatternCount; ++k) {
    const uint16_t group = criteria[k].group;
    const uint16_t pos = criteria[k].position;
    CriterionPattern& p = patterns[k];
    WordCategory& c = p.category;
    switch (group) {
      case kGroupReferents:
        c.category = kClassUndetermined;
        p.referent = 1;
        break;
      case kGroupVerbs:
        c.category = kClassVerb;
        if (pos >= 1 && pos <= 4) c.subcategory = static_cast<uint8_t>(pos);
        break;
      case kGroupConnectors:
        c.category = kClassConnector;
        if (pos >= 1 && pos <= 10) c.subcategory = static_cast<uint8_t>(pos);
        break;
      case kGroupModalities:
        c.category = kClassModality;
        if (pos >= 1 && pos <= 7) c.subcategory = static_cast<uint8_t>(pos);
        break;
      case kGroupAdjectives:
        c.category = kClassAdjective;
        if (pos == 1 || pos == 2) {
          c.subcategory = static_cast<uint8_t>(pos);
        } else if (pos >= 3 && pos <= 5) {
          c.subcategory = 3;
        }
        break;
      case kGroupPronouns:
        c.category = kClassPronoun;
        if (pos == 1 || pos == 2) {
          c.subcategory = 4;  // deixis
          c.tensePerson = static_cast<uint8_t>(pos);
        } else if (pos >= 3 && pos <= 7) {
          c.subcategory = 3;  // personal
          c.tensePerson = static_cast<uint8_t>(pos);
        }
        break;
      default:
        continue;
    }
    p.inUse = true;
    groupSelected[group] = true;
  }
}

bool SelectionState::CriteriaInForce() const {
  for (const CriterionPattern& p : patterns) {
    if (p.inUse) return true;
  }
  return false;
}

bool SelectionState::MatchesPattern(const WordInfo& info, int k) const {
  const CriterionPattern& p = patterns[k];
  // A referent pattern selects the words marked as principal referents,
  // whatever their category.
  if (p.referent != 0) return info.referent == p.referent;
  return matchesCriterion(info.category, p.category);
}

bool SelectionState::MatchesAnyPattern(const WordInfo& info) const {
  for (int k = 0; k < kPatternCount; ++k) {
    if (patterns[k].inUse && MatchesPattern(info, k)) return true;
  }
  return false;
}

bool SelectionState::ClassWithin(uint32_t wordClass, uint32_t wanted, const GroupHierarchy* groups) const {
  if (wordClass == 0) return false;
  if (wordClass == wanted) return true;
  return level == 4 && groups != nullptr && groups->IsWithin(wordClass, wanted);
}

bool SelectionState::MatchesSelection(const WordNode& node, const GroupHierarchy* groups) const {
  if (!active) return false;
  const uint32_t wordClass = ClassAtLevel(node);
  switch (kind) {
    case kSelectRelation:
      return ClassWithin(wordClass, firstClass, groups) || ClassWithin(wordClass, secondClass, groups);
    case kSelectClass:
      return ClassWithin(wordClass, selectedId, groups);
    case kSelectCharacteristicParts:
      return node.markA != 0;
    case kSelectWord:
      return node.lemma == selectedId && node.info.category.category == selectedCategory;
    default:
      return false;
  }
}

}  // namespace malvex
