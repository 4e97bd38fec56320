// The actors map: the classes of the relation level placed by how often
// they are actant (x) and how connected they are (y), joined by their
// relations.
#include <algorithm>
#include <cmath>

#include "dictionaries/semantic_format.h"
#include "views/graph.h"

namespace malvex {

void TGrapheMalvex::DrawActors() {
  Canvas& c = *canvas_;
  if (rect_.width() < 80 || rect_.height() < 60) return;
  drawnType_ = kGraphActors;
  level_ = source_.RelationLevel();
  const int level = level_;
  const bool relation = selection_.kind == kSelectRelation;
  const int32_t centre = static_cast<int32_t>(relation ? selection_.firstClass : selection_.selectedId);

  // One counter per class number the level can hold, 0..65535.
  totals_.assign(kMaxClassNumber + 1, 0);
  distinct_.assign(kMaxClassNumber + 1, 0);
  const std::vector<GraphRelation>& relations = source_.RankedRelations(level);
  auto valid = [](int32_t cls) { return cls > 0 && static_cast<uint32_t>(cls) <= kMaxClassNumber; };
  for (const GraphRelation& r : relations) {
    for (int32_t cls : {r.first, r.second}) {
      if (!valid(cls)) continue;
      totals_[cls] += r.frequency;
      distinct_[cls] += 1;
    }
  }

  std::vector<int32_t> candidates;
  for (int32_t cls : source_.RankedClasses(level)) {
    if (valid(cls) && cls != centre) candidates.push_back(cls);
  }
  std::stable_sort(candidates.begin(), candidates.end(),
                   [&](int32_t a, int32_t b) { return distinct_[a] > distinct_[b]; });
  const uint32_t threshold = source_.DetectionThreshold();
  std::vector<Placed> objects;
  for (int32_t cls : candidates) {
    if (static_cast<int>(objects.size()) >= settings_.objectLimit) break;
    const uint32_t count = source_.ClassCount(level, cls);
    if (count >= 2 && count >= threshold) objects.push_back(Placed{cls, 0, 0, 14, false});
  }
  if (valid(centre) && source_.ClassCount(level, centre) > 0) objects.push_back(Placed{centre, 0, 0, 14, false});

  const int width = rect_.width();
  const int height = rect_.height();
  std::vector<double> vs(objects.size(), 0);
  double vmax = 0;
  for (size_t k = 0; k < objects.size(); ++k) {
    const int32_t cls = objects[k].cls;
    const uint32_t count = source_.ClassCount(level, cls);
    const uint32_t T = totals_[cls];
    vs[k] = T >= 2 && count > 0 ? std::log2(count / 2.0) * distinct_[cls] / T : 0;
    vmax = std::max(vmax, vs[k]);
  }
  const int middle = rect_.top + height / 2;
  for (size_t k = 0; k < objects.size(); ++k) {
    Placed& p = objects[k];
    const uint32_t count = source_.ClassCount(level, p.cls);
    const int share = count > 0 ? static_cast<int>(static_cast<double>(source_.ActantCount(level, p.cls)) / count * 100)
                                : 0;
    p.left = share > 50;  // blue: mostly actant
    p.x = rect_.right - static_cast<int>(width * std::min(share, 100) / 100.0);
    // All connectedness values 0 (or none above 0) put every class at mid-height.
    if (count == 1 || totals_[p.cls] == 0 || vmax <= 0) {
      p.y = middle;
    } else {
      p.y = rect_.bottom + 28 - static_cast<int>(height * vs[k] / vmax);
    }
  }

  // The frame, the axes and the positions rescaled into the frame.
  const CanvasRect frame{rect_.left + 20, rect_.top + 20, rect_.right - 20, rect_.bottom - 20};
  const int midX = (frame.left + frame.right) / 2;
  const int midY = (frame.top + frame.bottom) / 2;
  c.FrameRect(frame, kBlack);
  c.DrawLine(frame.left, midY, frame.right, midY, kBlack);
  c.DrawLine(midX, frame.top, midX, frame.bottom, kBlack);
  TextStyle ink;
  c.DrawText(frame.left + 2, midY + 2, Text(460), ink);
  const std::string acted = Text(461);
  c.DrawText(frame.right - 2 - c.TextWidth(acted), midY + 2, acted, ink);
  c.DrawText(midX + 3, frame.top + 1, "+", ink);
  c.DrawText(midX + 3, frame.bottom - 1 - c.TextHeight("-"), "-", ink);
  if (!objects.empty()) {
    int minX = objects[0].x, maxX = minX, minY = objects[0].y, maxY = minY;
    for (const Placed& p : objects) {
      minX = std::min(minX, p.x);
      maxX = std::max(maxX, p.x);
      minY = std::min(minY, p.y);
      maxY = std::max(maxY, p.y);
    }
    const int inner = 14;
    auto rescale = [](int v, int lo, int hi, int to0, int to1) {
      if (hi <= lo) return (to0 + to1) / 2;
      return to0 + static_cast<int>(static_cast<double>(v - lo) * (to1 - to0) / (hi - lo));
    };
    for (Placed& p : objects) {
      p.x = rescale(p.x, minX, maxX, frame.left + inner, frame.right - inner);
      p.y = rescale(p.y, minY, maxY, frame.top + inner, frame.bottom - inner);
    }
  }

  auto find = [&](int32_t cls) -> const Placed* {
    for (const Placed& p : objects) {
      if (p.cls == cls) return &p;
    }
    return nullptr;
  };
  auto ofSelection = [&](const GraphRelation& r) {
    if (relation) {
      return r.first == centre || r.second == centre || r.first == static_cast<int32_t>(selection_.secondClass) ||
             r.second == static_cast<int32_t>(selection_.secondClass);
    }
    return source_.IsWithin(level, r.first, centre) || source_.IsWithin(level, r.second, centre);
  };
  for (const GraphRelation& r : relations) {
    const Placed* a = find(r.first);
    const Placed* b = find(r.second);
    if (!a || !b || a == b) continue;
    Colour colour = 0;
    bool draw = false;
    if (allLines_) {
      colour = Col(kColourRightLines);
      draw = true;
    }
    if (ofSelection(r)) {
      colour = Col(kColourLeftLines);
      draw = true;
    }
    if (highlighted_ > 0 && (r.first == highlighted_ || r.second == highlighted_)) {
      colour = Col(allLines_ ? kColourLeftLines : kColourRightLines);
      draw = true;
    }
    if (draw) c.DrawStyledLine(a->x, a->y, b->x, b->y, colour, r.frequency < 2 ? LineStyle::kDotted : LineStyle::kSolid);
  }
  for (const Placed& p : objects) {
    DrawSphere(p.x, p.y, p.r, p.left);
    Register(CanvasRect{p.x - p.r, p.y - p.r, p.x + p.r, p.y + p.r}, p.cls);
    ++objectCount_;
  }
  for (const Placed& p : objects) {
    const std::string name = source_.ClassName(level, p.cls);
    const Colour colour = p.cls == centre || p.cls == highlighted_ ? Col(kColourClasses) : kBlack;
    DrawLabel(p.x, p.y - c.TextHeight(name) / 2, name, colour, p.cls == centre, false, 0);
  }
  if (objects.size() < 5) DrawLabel(midX, midY - 2 * lineHeight_, Text(580), kBlack, false, false, 0);
}

}  // namespace malvex
