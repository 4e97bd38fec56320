// The bundles and episodes graph: the episodes as frames along the text and
// the bundles (runs of one item in abnormal density) as spans on rows
// above them.
#include <algorithm>

#include "views/graph.h"

namespace malvex {

namespace {

// The text whose width sets how many labels a row holds.
constexpr char kReferenceLabel[] = "MMMMMMMMMMMMMMMMMM";

}  // namespace

bool TGrapheMalvex::IsHiddenBundle(const BundleRecord& b) const {
  return settings_.hideCategoryBundles && b.item <= 0;
}

int32_t TGrapheMalvex::SelectedItem() const {
  if (!selection_.active || selection_.kind != kSelectClass) return 0;
  return static_cast<int32_t>(selection_.selectedId);
}

int TGrapheMalvex::BundleCapacity(int rows) const {
  const int labelWidth = std::max(canvas_->TextWidth(kReferenceLabel), 1);
  const int width = std::max(rect_.width() - 8, 1);
  return rows * std::min(std::max(2, width / labelWidth / 3), kColumns);
}

int TGrapheMalvex::MinimumBundleSize(int rows) const {
  const ChronologyTables& tables = source_.Chronology();
  int B = 0;
  for (const BundleRecord& b : tables.bundles) {
    if (!IsHiddenBundle(b)) ++B;
  }
  if (B <= 19) return 0;
  const int capacity = BundleCapacity(rows);
  if (B < capacity) return 0;
  // Bundles of at least `t` occurrences that would be drawn.
  auto shown = [&](int t) {
    int n = 0;
    for (const BundleRecord& b : tables.bundles) {
      if (!IsHiddenBundle(b) && static_cast<int>(b.count) >= t) ++n;
    }
    return n;
  };
  int t = tables.averageBundleSize >= 4 ? static_cast<int>(tables.averageBundleSize) - 1 : 3;
  // Raised until the bundles fit (the average may be far below the sizes
  // that fill the rows) but not past the largest size, then lowered while a
  // smaller size still fits. When even the largest bundles are too many,
  // the drawing stops at the capacity.
  while (shown(t) > capacity && shown(t + 1) > 0) ++t;
  while (t > 2 && shown(t - 1) <= capacity && shown(t) < B) --t;
  return t;
}

void TGrapheMalvex::DrawBundles() {
  Canvas& c = *canvas_;
  if (rowsFit_ < 3) return;
  const int32_t N = source_.HighestPosition();
  if (N <= 0) return;
  drawnType_ = kGraphEpisodes;
  level_ = source_.RelationLevel();
  const int rows = std::min(rowsFit_ - 2, kColumnRows);
  const int left = rect_.left + 4;
  const int right = rect_.right - 4;
  const int width = std::max(right - left, 1);
  const int top = rect_.top + 6;
  const int base = rect_.bottom - lineHeight_ - 8;
  auto X = [&](double p) { return std::clamp(left + static_cast<int>(p / N * width), left, right); };

  const ChronologyTables& tables = source_.Chronology();
  // Episodes: the selected one first, the others dotted when there is room.
  if (selectedEpisode_ >= 1 && selectedEpisode_ <= tables.episodes.size()) {
    const EpisodeRecord& e = tables.episodes[selectedEpisode_ - 1];
    const CanvasRect r{X(e.start), top, std::max(X(e.end), X(e.start) + 1), base};
    if (settings_.opaque && !printing_) {
      c.DrawObjectPicture(r, ObjectPicture::kBar4);
    } else {
      c.FrameRect(r, kBlack);
    }
  }
  if (!tables.episodes.empty() && width / static_cast<int>(tables.episodes.size()) >= 40) {
    for (size_t k = 0; k < tables.episodes.size(); ++k) {
      if (k + 1 == selectedEpisode_) continue;
      const EpisodeRecord& e = tables.episodes[k];
      const int x1 = X(e.start), x2 = X(e.end);
      c.DrawStyledLine(x1, top, x2, top, kBlack, LineStyle::kDotted);
      c.DrawStyledLine(x2, top, x2, base, kBlack, LineStyle::kDotted);
      c.DrawStyledLine(x2, base, x1, base, kBlack, LineStyle::kDotted);
      c.DrawStyledLine(x1, base, x1, top, kBlack, LineStyle::kDotted);
    }
  }

  const int t = MinimumBundleSize(rows);
  const int capacity = t > 0 ? BundleCapacity(rows) : rows * kColumns;
  const int32_t selectedItem = SelectedItem();
  columnRows_ = rows;
  for (int r = 0; r < rows; ++r) rowTop_[r] = top + r * lineHeight_;
  int k = 0;
  // Bundles drawn for their size or episode; those of the selected item
  // come on top of the capacity.
  int regular = 0;
  for (size_t i = 0; i < tables.bundles.size(); ++i) {
    const BundleRecord& b = tables.bundles[i];
    const bool selectedItemBundle = selectedItem != 0 && b.item == selectedItem;
    const bool inSelectedEpisode = selectedEpisode_ != 0 && b.episode == selectedEpisode_;
    if (!selectedItemBundle && (IsHiddenBundle(b) || (static_cast<int>(b.count) < t && !inSelectedEpisode) ||
                                regular >= capacity))
      continue;
    const int row = k % rows;
    auto& cells = columns_[row];
    // A full row of the hit table takes no more bundles.
    if (static_cast<int>(cells.size()) >= kColumns) continue;
    ++k;
    if (!selectedItemBundle) ++regular;
    const int y = rowTop_[row];
    Colour colour = kBlack;
    if (inSelectedEpisode) colour = Ink(b.item > 0 ? Col(kColourClasses) : Col(source_.ItemColourRole(b.item)));
    const int x1 = X(b.first), x2 = X(b.last);
    const int mid = y + lineHeight_ - 3;
    c.FillRect(CanvasRect{x1 - 2, mid - 2, x1 + 2, mid + 2}, colour);
    c.DrawLine(x1, mid, x2, mid, colour);
    c.FillRect(CanvasRect{x2 - 2, mid - 2, x2 + 2, mid + 2}, colour);
    const std::string label = source_.ItemLabel(b.item);
    const int lw = c.TextWidth(label);
    const int lx = std::clamp(X(b.mean), left + lw / 2, std::max(right - lw / 2, left + lw / 2));
    DrawLabel(lx, y, label, colour, selectedItemBundle, false, 0);
    cells.push_back(Cell{static_cast<int>(i), lx});
    ++objectCount_;
  }

  const int axis = rect_.bottom - lineHeight_ / 2;
  TextStyle ink;
  c.DrawText(rect_.left + 4, axis - c.TextHeight("0"), "0", ink);
  const std::string last = std::to_string(N);
  const int lastX = rect_.right - 4 - c.TextWidth(last);
  c.DrawStyledLine(rect_.left + 4 + c.TextWidth("0") + 2, axis, lastX - 2, axis, Ink(0x0000FF), LineStyle::kDashDot);
  c.DrawText(lastX, axis - c.TextHeight(last), last, ink);
}

}  // namespace malvex
