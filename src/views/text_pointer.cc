#include "views/text_pointer.h"

#include "foundations/category.h"
#include "foundations/messages.h"

namespace malvex {

TextPointerInfo TextPointer::MouseMove(int x, int y) {
  TextPointerInfo info;
  TextViewHit hit;
  if (!view_.WordAt(x, y, hit)) {
    info.change = TextPointerInfo::Change::kCleared;
    return info;
  }
  if (seen_ && hit.position == position_ && hit.kind == kind_) return info;
  seen_ = true;
  position_ = hit.position;
  kind_ = hit.kind;
  if (hit.kind == 1) {
    info.change = TextPointerInfo::Change::kMarker;
    info.statusText = messages_.message(1053);
    info.hint = info.statusText;
    return info;
  }
  info.change = TextPointerInfo::Change::kWord;
  info.positionText = std::to_string(hit.position) + "/" + std::to_string(stream_.HighestPosition());
  info.statusText = LongLabel(messages_, hit.category, true);
  info.hint = messages_.message(722);
  return info;
}

}  // namespace malvex
