// What the main window shows while the mouse moves over the text view: the
// word's position out of the text's highest one and its category label in
// the status line, or the invitation to open a proposition's context on a
// marker.
#pragma once

#include <cstdint>
#include <string>

#include "views/text_view.h"

namespace malvex {

class Messages;

struct TextPointerInfo {
  enum class Change {
    kNone,     // the word seen last: nothing to update
    kCleared,  // nothing under the mouse: clear the word hint
    kMarker,   // a proposition marker
    kWord,
  };
  Change change = Change::kNone;
  std::string positionText;  // first status panel: "position/highest"
  std::string statusText;    // status line
  std::string hint;          // the text's hint
};

class TextPointer {
 public:
  // All three must outlive the object.
  TextPointer(const TExtraitDuTexte& view, const WordStream& stream, Messages& messages)
      : view_(view), stream_(stream), messages_(messages) {}

  // The mouse at (x, y) of the last drawing. The caller asks only while a
  // text is analysed and the window is not closing.
  TextPointerInfo MouseMove(int x, int y);

  // The word (or marker) under the mouse last seen; position 0 when none.
  int32_t Position() const { return position_; }
  uint8_t Kind() const { return kind_; }

 private:
  const TExtraitDuTexte& view_;
  const WordStream& stream_;
  Messages& messages_;
  bool seen_ = false;
  int32_t position_ = 0;
  uint8_t kind_ = 0;
};

}  // namespace malvex
