// The star graph (the classes before and after the centre, in two chevron
// columns) and the areas graph (the related classes as spheres around the
// centre, sized by their counts and placed by their relation counts).
#include <algorithm>
#include <cmath>

#include "views/graph.h"

namespace malvex {

void TGrapheMalvex::Side(int level, int32_t centre, bool left, std::vector<std::pair<int32_t, uint32_t>>& out) {
  // The left side holds the first classes of the relations whose second
  // class is the centre (or a group within it), the right side the second
  // classes of those whose first class is the centre; a class met again
  // adds its frequency.
  out.clear();
  for (const GraphRelation& r : source_.RankedRelations(level)) {
    if (r.frequency == 0) continue;
    const int32_t end = left ? r.second : r.first;
    const int32_t other = left ? r.first : r.second;
    if (other <= 0 || !source_.IsWithin(level, end, centre)) continue;
    auto found = std::find_if(out.begin(), out.end(), [&](const auto& e) { return e.first == other; });
    if (found != out.end()) {
      found->second += r.frequency;
    } else {
      out.emplace_back(other, r.frequency);
    }
  }
}

void TGrapheMalvex::DrawStar(bool classCentre) {
  if (usableRows_ <= 0) return;
  Canvas& c = *canvas_;
  drawnType_ = kGraphStar;
  const int R = usableRows_;
  const int width = rect_.width();
  const int middleRow = (R + 1) / 2 + 1;
  const int centreY = rect_.top + middleRow * lineHeight_;
  const int centreX = rect_.left + width / 2;

  std::vector<std::pair<int32_t, uint32_t>> sides[2];
  std::string centreText = title_;
  Colour centreColour = Col(kColourClasses);
  if (classCentre) {
    level_ = selection_.level;
    int32_t centre = static_cast<int32_t>(selection_.selectedId);
    if (selection_.kind == kSelectRelation) {
      centre = static_cast<int32_t>(selection_.firstClass);
      centreText = selection_.text + " -> " + selection_.secondText;
    }
    Side(level_, centre, true, sides[0]);
    Side(level_, centre, false, sides[1]);
  } else {
    level_ = source_.RelationLevel();
    centreColour = Ink(selectionColour_);
    std::vector<Neighbour> before;
    std::vector<Neighbour> after;
    source_.Neighbours(selection_, before, after);
    for (const Neighbour& n : before) sides[0].emplace_back(n.cls, n.count);
    for (const Neighbour& n : after) sides[1].emplace_back(n.cls, n.count);
  }

  DrawLabel(centreX, centreY, centreText, centreColour, true, true, 0);
  const int centreHalf = c.TextWidth(centreText) / 2 + 4;

  if (!classCentre && sides[0].empty() && sides[1].empty()) {
    const std::string message = Text(572) + " (" + LevelName(level_) + ")";
    DrawLabel(centreX, centreY - 2 * lineHeight_, message, kBlack, false, false, 0);
  }

  for (int side = 0; side < 2; ++side) {
    const int s = side == 0 ? -1 : 1;
    const auto& entries = sides[side];
    const int n = std::min<int>(static_cast<int>(entries.size()), R);
    const int first = (R - n) / 2 + 1;
    const int x0 = rect_.left + (width + s * (width / 2)) / 2 - 2 * s * R;
    for (int k = 0; k < n; ++k) {
      const int a = first + k;
      const int x = a < R / 2 ? x0 + 8 * s * a : x0 + 8 * s * (R - a);
      const int y = rect_.top + a * lineHeight_;
      const auto& [cls, frequency] = entries[k];
      const std::string name = source_.ClassName(level_, cls);
      const int half = c.TextWidth(name) / 2 + 3;
      // The line runs from the label end nearer the centre to the centre
      // label's side.
      const int lx = x - s * half;
      const int cx = centreX + s * centreHalf;
      c.DrawLine(lx, y + lineHeight_ / 2, cx, centreY + lineHeight_ / 2,
                 Col(side == 0 ? kColourLeftLines : kColourRightLines));
      TextStyle style;
      style.colour = Col(side == 0 ? kColourLeftLines : kColourRightLines);
      const std::string f = std::to_string(frequency);
      c.DrawText(side == 0 ? lx + 2 : lx - 2 - c.TextWidth(f), y - lineHeight_ / 2, f, style);
      DrawLabel(x, y, name, cls == highlighted_ ? Col(kColourClasses) : kBlack, false, true, cls);
      ++objectCount_;
    }
    if (static_cast<int>(entries.size()) > R) {
      DrawLabel(x0, rect_.top + (first + n) * lineHeight_, "...", kBlack, false, false, 0);
    }
  }
  DrawArrow();
}

void TGrapheMalvex::DrawAreas() {
  Canvas& c = *canvas_;
  const int width = rect_.width();
  const int height = rect_.height();
  const int cxr = width / 2;  // relative to the rectangle
  const int cyr = height / 2;
  const int R0 = cyr / 8;
  // Under 16 pixels of height the unit radius is 0: nothing can be placed.
  if (height <= 9 || R0 < 1) return;
  drawnType_ = kGraphAreas;
  level_ = selection_.level;
  const int cx = rect_.left + cxr;
  const int cy = rect_.top + cyr;
  const double aspect = static_cast<double>(width) / height;
  const int q = std::max(height / (2 * R0), 3);

  c.SetClip(rect_);
  const Colour ringPen = printing_ ? kBlack : kWhite;
  for (int t = 1; t <= 2 * q; ++t) {
    const int rx = static_cast<int>(t * aspect * R0);
    const int ry = t * R0;
    c.DrawEllipse(CanvasRect{cx - rx, cy - ry, cx + rx, cy + ry}, ringPen, 0, false);
  }
  c.DrawLine(cx, rect_.top, cx, rect_.bottom, ringPen);

  const bool relation = selection_.kind == kSelectRelation;
  const int32_t leftCentre = static_cast<int32_t>(relation ? selection_.firstClass : selection_.selectedId);
  const int32_t rightCentre = static_cast<int32_t>(relation ? selection_.secondClass : selection_.selectedId);
  const int limit = std::max(settings_.objectLimit / 2, 1);
  const int rowsFit = std::max(rowsFit_, 1);
  const double diagonal = std::sqrt(static_cast<double>(cxr) * cxr + static_cast<double>(cyr) * cyr);

  std::vector<Placed> placed;
  std::vector<std::pair<int32_t, uint32_t>> entries;
  for (int side = 0; side < 2; ++side) {
    const bool left = side == 0;
    const int32_t centre = left ? leftCentre : rightCentre;
    // A centre without occurrences gives its objects the unit radius.
    const uint32_t C = source_.ClassCount(level_, centre);
    Side(level_, centre, left, entries);
    int i = 0;
    for (const auto& [cls, f] : entries) {
      if (i >= limit) break;
      if (cls == leftCentre || cls == rightCentre || f == 0) continue;
      if (std::any_of(placed.begin(), placed.end(), [c = cls](const Placed& p) { return p.cls == c; })) continue;
      const uint32_t count = source_.ClassCount(level_, cls);
      if (count == 0) continue;
      ++i;
      int r = C > 0 ? static_cast<int>(std::sqrt(static_cast<double>(count) / C) * R0) : R0;
      r = std::clamp(r, 2, 2 * R0);
      const double D = diagonal / f;
      double v = static_cast<double>((2 * i + 2) % rowsFit) / rowsFit * D;
      if (i % 2 == 1) v = -v;
      const double h = std::sqrt(std::fabs(D * D - v * v)) * aspect;
      Placed p;
      p.cls = cls;
      p.left = left;
      p.x = cx + (left ? -1 : 1) * static_cast<int>(h);
      p.y = cy + static_cast<int>(v);
      p.r = r;
      if (p.x % 2) ++p.x;
      if (p.y % 2) ++p.y;
      if (p.r % 2) ++p.r;
      placed.push_back(p);
    }
  }

  // Scale the layout about the centre so that it fills the rectangle.
  if (!placed.empty()) {
    int minX = placed[0].x - placed[0].r, maxX = placed[0].x + placed[0].r;
    int minY = placed[0].y - placed[0].r, maxY = placed[0].y + placed[0].r;
    for (const Placed& p : placed) {
      minX = std::min(minX, p.x - p.r);
      maxX = std::max(maxX, p.x + p.r);
      minY = std::min(minY, p.y - p.r);
      maxY = std::max(maxY, p.y + p.r);
    }
    auto factor = [](int extent, int margin) {
      const double d = extent - 2.0 * margin + 10;
      return d > 0 ? (extent + 10.0) / d : 100.0;
    };
    const double fx = std::min(factor(width, std::min(minX - rect_.left, rect_.right - maxX)), 100.0);
    const double fy = factor(height, std::min(minY - rect_.top, rect_.bottom - maxY));
    const double f = std::min(fx, fy);
    const double hx = f * 0.9;
    for (Placed& p : placed) {
      p.x = cx + static_cast<int>((p.x - cx) * hx);
      p.y = cy + static_cast<int>((p.y - cy) * f);
    }
  }

  auto drawObject = [&](const Placed& p) {
    DrawSphere(p.x, p.y, p.r, p.left);
    if (p.x > rect_.left && p.x < rect_.right && p.y >= rect_.top + 10 && p.y <= rect_.bottom - 8) {
      const std::string name = source_.ClassName(level_, p.cls);
      DrawLabel(p.x, p.y - c.TextHeight(name) / 2, name, p.cls == highlighted_ ? Col(kColourClasses) : kBlack, false,
                false, 0);
    }
  };
  const Placed* highlightedObject = nullptr;
  for (const Placed& p : placed) {
    Register(CanvasRect{p.x - p.r, p.y - p.r, p.x + p.r, p.y + p.r}, p.cls);
    ++objectCount_;
    if (p.cls == highlighted_) {
      highlightedObject = &p;
      continue;
    }
    drawObject(p);
  }

  // The centre.
  if (relation) {
    DrawSphere(cx - R0, cy, R0, true);
    DrawSphere(cx + R0, cy, R0, false);
    DrawLabel(cx - R0, cy - lineHeight_, selection_.text, Col(kColourClasses), true, false, 0);
    DrawLabel(cx + R0, cy + 2, selection_.secondText, Col(kColourClasses), true, false, 0);
  } else {
    DrawSphere(cx, cy, R0, false);
    DrawLabel(cx, cy - lineHeight_ / 2, title_, Col(kColourClasses), true, false, 0);
  }
  DrawArrow();
  if (highlightedObject) {
    // Drawn last so that it lies on top; its registry entry moves last too.
    drawObject(*highlightedObject);
    for (int k = 0; k + 1 < registered_; ++k) {
      if (registry_[k].id == highlighted_) std::rotate(registry_.begin() + k, registry_.begin() + k + 1,
                                                       registry_.begin() + registered_);
    }
  }
}

}  // namespace malvex
