#include "app/colours_model.h"

#include "foundations/messages.h"

namespace malvex {

const std::array<TDlgCouleursModel::Entry, TDlgCouleursModel::kEntries>& TDlgCouleursModel::Entries() {
  static constexpr std::array<Entry, kEntries> kTable = {{
      {279, 11},  // Class
      {132, 1},   // Verb
      {109, 2},   // Connector
      {121, 3},   // Modality
      {140, 4},   // Adjective
      {141, 5},   // Pronoun
      {739, 12},  // Left lines (on graphs)
      {740, 13},  // Right lines (on graphs)
      {735, 14},  // Objects on the graphs
      {775, 15},  // Background
  }};
  return kTable;
}

void TDlgCouleursModel::FormShow() {
  for (int i = 0; i < SettingsRecord::kColourTableSize; ++i) saved_[static_cast<size_t>(i)] = record_.colour(i);
  savedSelective_ = record_.selectiveColoration();
  selected_ = 0;
}

uint32_t TDlgCouleursModel::EntryColour(int entry) const {
  if (entry < 0 || entry >= kEntries) return 0;
  return record_.colour(Entries()[static_cast<size_t>(entry)].colourIndex);
}

void TDlgCouleursModel::SelectEntry(int entry) {
  if (entry >= -1 && entry < kEntries) selected_ = entry;
}

void TDlgCouleursModel::Changed() {
  if (redraw_) redraw_();
}

void TDlgCouleursModel::ButtonModifierClick(uint32_t rgb) {
  if (selected_ < 0 || selected_ >= kEntries) return;
  record_.setColour(Entries()[static_cast<size_t>(selected_)].colourIndex, rgb & 0x00FFFFFFu);
  selected_ = selected_ == 0 ? 1 : selected_ - 1;
  Changed();
}

void TDlgCouleursModel::ButtonRestaurerClick() {
  record_.RestoreDefaultColours();
  Changed();
}

void TDlgCouleursModel::RadioColorationClick(bool selective) {
  record_.setSelectiveColoration(selective);
  Changed();
}

void TDlgCouleursModel::ButtonAnnulerClick() {
  for (int i = 0; i < SettingsRecord::kColourTableSize; ++i) record_.setColour(i, saved_[static_cast<size_t>(i)]);
  record_.setSelectiveColoration(savedSelective_);
  Changed();
}

std::string ColoursCaption(Messages& messages) {
  std::string caption = messages.message(620);
  caption += " (";
  caption += messages.message(543);
  caption += ")";
  return caption;
}

}  // namespace malvex
