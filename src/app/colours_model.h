// The colours dialog without its widgets: ten entries of the colour table
// (classes, the five word classes, the two kinds of graph lines, the graph
// objects and the background) and the coloration of the text view. Every
// change is written to the settings record at once (the text view takes its
// live colours from there at each drawing) and the text and graph are drawn
// again; Cancel puts back the colours and the coloration found on opening.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "settings/settings_record.h"

namespace malvex {

class Messages;

class TDlgCouleursModel {
 public:
  static constexpr int kEntries = 10;
  static constexpr int kHelpTopic = 982;

  struct Entry {
    int nameId;       // catalogue message of its name
    int colourIndex;  // index in the colour table
  };
  static const std::array<Entry, kEntries>& Entries();

  // `record` must outlive the model; `redraw` draws the text and the graph
  // again after a change (it may be empty).
  TDlgCouleursModel(SettingsRecord& record, std::function<void()> redraw)
      : record_(record), redraw_(std::move(redraw)) {}

  // The dialog opens: the colour table and the coloration are kept for
  // Cancel; the first entry is selected.
  void FormShow();

  // Colour of list entry `entry` (0..9) as 0x00BBGGRR.
  uint32_t EntryColour(int entry) const;
  int selected() const { return selected_; }
  void SelectEntry(int entry);
  bool selective() const { return record_.selectiveColoration(); }

  // Modify (or a double click) ended with `rgb` chosen for the selected
  // entry: the colour is written, the display redrawn, and the selection
  // moves one entry up (down from the first entry). Nothing happens while
  // no entry is selected.
  void ButtonModifierClick(uint32_t rgb);
  // Restore: the default colour table is written and the display redrawn.
  void ButtonRestaurerClick();
  // The coloration group: Selective (true) or Syntactic (false).
  void RadioColorationClick(bool selective);
  // Cancel: the colour table and coloration found on opening come back.
  void ButtonAnnulerClick();

 private:
  void Changed();

  SettingsRecord& record_;
  std::function<void()> redraw_;
  int selected_ = 0;
  std::array<uint32_t, SettingsRecord::kColourTableSize> saved_{};
  bool savedSelective_ = true;
};

// "Options (Colors)".
std::string ColoursCaption(Messages& messages);

}  // namespace malvex
