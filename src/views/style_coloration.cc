#include "views/style_coloration.h"

namespace malvex {

namespace {

ColorationCriterion ToCriterion(const CriteriaSlot& slot) { return ColorationCriterion{slot.group, slot.position}; }

}  // namespace

bool ColourStyleLine(const StyleLineSelection& line, TExtraitDuTexte& view) {
  if (line.action != StyleLineAction::kColoration) return false;
  ColorationCriterion chosen[SelectionState::kCriteriaSlots];
  int count = 0;
  for (int i = 0; i < line.slotCount && i < SelectionState::kCriteriaSlots; ++i) {
    chosen[count++] = ToCriterion(line.slots[i]);
  }
  view.ShowCriteria(chosen, count);
  return true;
}

bool ColourCategoryLine(const CategoryLineSelection& line, TExtraitDuTexte& view) {
  switch (line.action) {
    case CategoryLineAction::kIgnored:
      return false;
    case CategoryLineAction::kPlainColoration:
      view.ColorationSyntaxique();
      view.Rewind();
      return true;
    case CategoryLineAction::kColoration: {
      const ColorationCriterion chosen = ToCriterion(line.slot);
      view.ShowCriteria(&chosen, 1);
      return true;
    }
  }
  return false;
}

}  // namespace malvex
