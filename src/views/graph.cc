#include "views/graph.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "foundations/messages.h"
#include "settings/settings_record.h"

namespace malvex {

namespace {

// The colour table's defaults by role.
constexpr std::array<Colour, GraphSettings::kColourTableSize> kDefaultColours = {
    0,        0x0000A0, 0x00FFFF, 0xFF00FF, 0x80FFA0, 0xFFFF00, 0,        0,       0,
    0,        0,        0xFF0000, 0xFF0000, 0xFF00FF, 0x00FF00, 0xC0C0C0, 0};

}  // namespace

GraphSettings::GraphSettings() : colours(kDefaultColours) {}

GraphSettings GraphSettings::FromRecord(const SettingsRecord& record) {
  GraphSettings s;
  s.type = record.graphType();
  if (s.type < kGraphAreas || s.type > kGraphActors) s.type = kGraphAreas;
  s.objectLimit = std::clamp(record.graphObjectLimit(), 4, 100);
  s.opaque = record.opaqueObjects();
  s.largeFont = record.largeFonts();
  s.barWidth = std::max(record.distributionBarWidth(), 14);
  s.hideCategoryBundles = record.hideCategoryBundles();
  for (int k = 0; k < kColourTableSize; ++k) s.colours[k] = record.colour(k);
  return s;
}

TGrapheMalvex::TGrapheMalvex(GraphSource& source, SelectionState& selection)
    : source_(source), selection_(selection), columns_(kColumnRows) {}

Colour TGrapheMalvex::Col(int role) const { return printing_ ? kBlack : settings_.colours[role]; }

std::string TGrapheMalvex::Text(int id) const {
  const char* t = CatalogueText(id);
  return t ? std::string(t) : std::string();
}

std::string TGrapheMalvex::LevelName(int level) const {
  static constexpr int kIds[] = {282, 308, 307, 309};
  return Text(kIds[std::clamp(level, 1, 4) - 1]);
}

bool TGrapheMalvex::Register(const CanvasRect& rect, int id) {
  // The registry has a fixed size: objects beyond it are drawn but cannot
  // be pointed at.
  if (registered_ >= kRegistrySize) return false;
  registry_[registered_++] = HitObject{rect, id};
  return true;
}

void TGrapheMalvex::Draw(Canvas& canvas, const CanvasRect& rect, int highlightedId, std::string_view title) {
  canvas_ = &canvas;
  rect_ = rect;
  title_.assign(title.substr(0, SelectionState::kMaxTextChars));
  if (highlightedId == kToggleAllLines) {
    allLines_ = !allLines_;
  } else {
    highlighted_ = highlightedId;
  }
  registered_ = 0;
  objectCount_ = 0;
  drawnType_ = 0;
  columnRows_ = 0;
  for (auto& row : columns_) row.clear();
  sectors_.clear();

  canvas.SetFont(settings_.largeFont && !printing_ ? 12 : 8, false);
  lineHeight_ = static_cast<int>(std::lrint(canvas.TextHeight("AP") * 1.2)) + 1;
  rowsFit_ = rect.height() > 0 ? rect.height() / lineHeight_ : 0;
  if (printing_) --rowsFit_;
  rowsFit_ = std::clamp(rowsFit_, 0, kMaxRows);
  usableRows_ = rowsFit_ - 2;

  if (!printing_) canvas.FillRect(rect, settings_.colours[kColourBackground]);
  if (rect.width() <= 0 || rect.height() <= 0) return;

  const int type = settings_.type;
  if (type == kGraphDistribution) {
    DrawDistribution();
  } else if (type == kGraphEpisodes) {
    DrawBundles();
  } else if (!title_.empty()) {
    const bool active = selection_.active;
    const uint8_t kind = active ? selection_.kind : kSelectNone;
    if (kind == kSelectCharacteristicParts) {
      // nothing for the characteristic parts
    } else if (kind == kSelectRelation || kind == kSelectClass) {
      if (type == kGraphAreas) {
        DrawAreas();
      } else if (type == kGraphActors) {
        DrawActors();
      } else {
        DrawStar(true);
      }
    } else {
      DrawStar(false);
    }
  }
  canvas.ClearClip();
  canvas.SetFont(8, false);
}

void TGrapheMalvex::DrawLabel(int cx, int y, const std::string& text, Colour colour, bool bold, bool boxed, int id) {
  Canvas& c = *canvas_;
  if (bold) c.SetFont(settings_.largeFont && !printing_ ? 12 : 8, true);
  const int w = c.TextWidth(text);
  const int h = c.TextHeight(text);
  const int x = cx - w / 2;
  const CanvasRect box{x - 3, y - 1, x + w + 3, y + h + 1};
  if (boxed) {
    if (printing_) {
      c.FrameRect(box, kBlack);
    } else {
      c.DrawRaisedBox(box, 0xFFFFFF);
    }
  }
  TextStyle style;
  style.colour = Ink(colour);
  c.DrawText(x, y, text, style);
  if (bold) c.SetFont(settings_.largeFont && !printing_ ? 12 : 8, false);
  if (id != 0) Register(box, id);
}

void TGrapheMalvex::DrawArrow() {
  Canvas& c = *canvas_;
  std::string word = Text(285);
  for (char& ch : word) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
  const int W = rect_.right - rect_.left;
  const int t = c.TextWidth(word);
  const int y = rect_.bottom - 2 * lineHeight_;
  const int x1 = rect_.left + (W - t) / 2;
  const int x2 = rect_.right - (W - t) / 2;
  const Colour ink = printing_ ? kBlack : kBlack;
  c.DrawLine(x1, y, x2, y, ink);
  const int d = printing_ ? std::max((x2 - x1) / 10, 1) : 5;
  c.DrawLine(x2, y, x2 - d, y - d, ink);
  c.DrawLine(x2, y, x2 - d, y + d, ink);
}

void TGrapheMalvex::DrawSphere(int x, int y, int r, bool blue) {
  const CanvasRect box{x - r, y - r, x + r, y + r};
  if (settings_.opaque && !printing_) {
    canvas_->DrawObjectPicture(box, blue ? ObjectPicture::kBlueSphere : ObjectPicture::kGreenSphere);
  } else {
    canvas_->DrawEllipse(box, kBlack, Col(kColourObjects), !printing_);
  }
}

bool TGrapheMalvex::HintAt(int x, int y, std::string& text, int& id) const {
  const int type = drawnType_;
  if (type == kGraphDistribution) {
    if (sectors_.empty() || barWidth_ <= 0) return false;
    const int k = (x - rect_.left) / barWidth_;
    if (x < rect_.left || k % 2 == 1) return false;
    const int sector = k / 2 - 1;
    if (sector < 0 || sector > lastSector_) return false;
    const int32_t start = static_cast<int32_t>(sector * sectorSize_);
    const int32_t end = std::min<int32_t>(highest_, static_cast<int32_t>(start + sectorSize_));
    text = Text(540) + " : " + std::to_string(sectors_[sector]) + " - " + Text(541) + " : " + std::to_string(start) +
           " - " + Text(542) + " : " + std::to_string(end);
    id = sector;
    return true;
  }
  if (type == kGraphEpisodes) {
    for (int row = 0; row < columnRows_; ++row) {
      if (y < rowTop_[row] || y >= rowTop_[row] + lineHeight_) continue;
      const Cell* best = nullptr;
      for (const Cell& cell : columns_[row]) {
        if (!best || std::abs(cell.x - x) < std::abs(best->x - x)) best = &cell;
      }
      if (!best) return false;
      const auto& bundles = source_.Chronology().bundles;
      text = source_.ItemLabel(bundles[best->id].item);
      id = best->id;
      return true;
    }
    return false;
  }
  for (int i = registered_ - 1; i >= 0; --i) {
    const CanvasRect& r = registry_[i].rect;
    if (x > r.left && x < r.right && y > r.top && y < r.bottom) {
      id = registry_[i].id;
      text = source_.ClassName(level_, id);
      return true;
    }
  }
  return false;
}

GraphClick TGrapheMalvex::ClickAt(int x, int y) {
  GraphClick result;
  const int type = drawnType_;
  if (type == kGraphDistribution) {
    if (sectors_.empty() || x < rect_.left) return result;
    const int k = (x - rect_.left) / barWidth_;
    if (k % 2 == 1) return result;
    const int sector = k / 2 - 1;
    if (sector == lastClickedSector_ || sector < 0 || sector > lastSector_ || sector >= kMaxSectors) return result;
    lastClickedSector_ = sector;
    result.kind = GraphClick::Kind::kTextPosition;
    result.position = static_cast<int32_t>(sector * sectorSize_);
    return result;
  }
  std::string text;
  int id = 0;
  if (!HintAt(x, y, text, id)) return result;
  if (type == kGraphEpisodes) {
    const BundleRecord& b = source_.Chronology().bundles[id];
    result.kind = GraphClick::Kind::kBundle;
    result.bundle = id;
    result.item = b.item;
    result.episode = b.episode;
    result.first = b.first;
    result.last = b.last;
    result.level = source_.RelationLevel();
    if (b.item > 0) {
      selection_.SelectClass(result.level, static_cast<uint32_t>(b.item), text);
    }
    selection_.spanStart = static_cast<int32_t>(b.first);
    selection_.spanEnd = static_cast<int32_t>(b.last);
    return result;
  }
  // Star, areas, actors: the left half gives a relation's first class, the
  // right half its second.
  const bool leftHalf = x < rect_.left + rect_.width() / 2;
  if (leftHalf) {
    clickedFirst_ = id;
  } else {
    clickedSecond_ = id;
  }
  const int level = source_.RelationLevel();
  result.level = level;
  if (relationListShown_ && clickedFirst_ > 0 && clickedSecond_ > 0) {
    selection_.SelectRelation(level, static_cast<uint32_t>(clickedFirst_), static_cast<uint32_t>(clickedSecond_),
                              source_.ClassName(level, clickedFirst_), source_.ClassName(level, clickedSecond_));
    result.kind = GraphClick::Kind::kRelation;
    result.firstClass = clickedFirst_;
    result.secondClass = clickedSecond_;
  } else {
    selection_.SelectClass(level, static_cast<uint32_t>(id), source_.ClassName(level, id));
    result.kind = GraphClick::Kind::kClass;
    result.classId = id;
  }
  return result;
}

}  // namespace malvex
