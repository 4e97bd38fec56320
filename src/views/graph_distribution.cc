// The distribution histogram: the text split into sectors of equal word
// counts, a bar per sector for the occurrences of the selection there.
#include <algorithm>

#include "views/graph.h"

namespace malvex {

void TGrapheMalvex::DrawDistribution() {
  Canvas& c = *canvas_;
  const int w = std::max(settings_.barWidth, 14);
  const int width = rect_.width();
  // Sectors 0..s, at most as many as there are counters.
  const int s = std::min(std::max((width - 4 * w) / (2 * w), 1), kMaxSectors - 1);
  const int32_t N = source_.HighestPosition();
  if (N <= 0) return;
  const double z = static_cast<double>(N + 1) / (s + 1);
  if (z < 1) return;
  int plot = rect_.height() - 3 * lineHeight_;
  if (plot > 150) plot -= lineHeight_;
  if (plot < 10) return;
  drawnType_ = kGraphDistribution;
  barWidth_ = w;
  lastSector_ = s;
  sectorSize_ = z;
  highest_ = N;
  sectors_.assign(s + 1, 0);

  std::vector<int32_t> positions;
  source_.Occurrences(selection_, positions);
  for (int32_t p : positions) {
    if (p < 0) continue;
    const int sector = std::min(static_cast<int>(p / z), s);
    ++sectors_[sector];
  }
  uint32_t tallest = 1;
  uint64_t sum = 0;
  for (uint32_t n : sectors_) {
    tallest = std::max(tallest, n);
    sum += n;
  }
  const double mean = static_cast<double>(sum) / (s + 1);

  const int base = rect_.bottom - lineHeight_ - 8;
  const Colour fill = Col(kColourObjects);
  TextStyle ink;
  for (int i = 0; i <= s; ++i) {
    const int x = rect_.left + 2 * w * (i + 1);
    const int h = static_cast<int>(static_cast<double>(sectors_[i]) / tallest * plot);
    const CanvasRect bar{x, base - h, x + w, base};
    if (h > 0) {
      if (w < 3) {
        c.DrawLine(x, base - h, x, base, fill);
      } else if (settings_.opaque && !printing_) {
        c.FillRect(bar, fill);
      } else {
        c.FillHatched(bar, fill);
        c.FrameRect(bar, Ink(fill));
      }
    }
    if (w > 12) {
      const std::string n = std::to_string(sectors_[i]);
      c.DrawText(x + (w - c.TextWidth(n)) / 2, base + 1, n, ink);
    }
    ++objectCount_;
  }
  const int axis = rect_.bottom - lineHeight_ / 2;
  c.DrawLine(rect_.left + 4, axis, rect_.right - 4, axis, kBlack);
  const int meanY = base - static_cast<int>(mean / tallest * plot);
  c.DrawStyledLine(rect_.left + 4, meanY, rect_.right - 4, meanY, Ink(0xFF0000), LineStyle::kDotted);
  c.DrawText(rect_.left + 4, axis - c.TextHeight("0"), "0", ink);
  const std::string last = std::to_string(N);
  c.DrawText(rect_.right - 4 - c.TextWidth(last), axis - c.TextHeight(last), last, ink);
  if (!printing_) {
    std::string title = title_;
    if (selection_.active && selection_.kind == kSelectRelation) title = selection_.text + " -> " + selection_.secondText;
    DrawLabel(rect_.left + width / 2, rect_.top + 6, title, Col(kColourClasses), false, false, 0);
  }
}

}  // namespace malvex
