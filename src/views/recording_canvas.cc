#include "views/recording_canvas.h"

namespace malvex {

void RecordingCanvas::SetFont(int pointSize, bool bold) { SetFont(pointSize, bold, false); }

void RecordingCanvas::SetFont(int pointSize, bool bold, bool italic) {
  Op op;
  op.kind = OpKind::kFont;
  op.fontSize = pointSize;
  op.bold = bold;
  op.italic = italic;
  ops_.push_back(op);
  fontSize_ = pointSize;
  bold_ = bold;
  italic_ = italic;
}

void RecordingCanvas::DrawText(int x, int y, std::string_view text, const TextStyle& style) {
  Op op;
  op.kind = OpKind::kText;
  op.x = x;
  op.y = y;
  op.text = std::string(text);
  op.style = style;
  op.fontSize = fontSize_;
  op.bold = bold_;
  op.italic = italic_;
  ops_.push_back(std::move(op));
}

void RecordingCanvas::FillRect(const CanvasRect& rect, Colour colour) {
  Op op;
  op.kind = OpKind::kFill;
  op.x = rect.left;
  op.y = rect.top;
  op.x2 = rect.right;
  op.y2 = rect.bottom;
  op.style.colour = colour;
  ops_.push_back(op);
}

void RecordingCanvas::FrameRect(const CanvasRect& rect, Colour colour) {
  FillRect(rect, colour);
  ops_.back().kind = OpKind::kFrame;
}

void RecordingCanvas::DrawLine(int x1, int y1, int x2, int y2, Colour colour) {
  Op op;
  op.kind = OpKind::kLine;
  op.x = x1;
  op.y = y1;
  op.x2 = x2;
  op.y2 = y2;
  op.style.colour = colour;
  ops_.push_back(op);
}

void RecordingCanvas::DrawIcon(int x, int y, int index) {
  Op op;
  op.kind = OpKind::kIcon;
  op.x = x;
  op.y = y;
  op.icon = index;
  ops_.push_back(op);
}

namespace {

RecordingCanvas::Op RectOp(RecordingCanvas::OpKind kind, const CanvasRect& rect, Colour colour) {
  RecordingCanvas::Op op;
  op.kind = kind;
  op.x = rect.left;
  op.y = rect.top;
  op.x2 = rect.right;
  op.y2 = rect.bottom;
  op.style.colour = colour;
  return op;
}

}  // namespace

void RecordingCanvas::DrawStyledLine(int x1, int y1, int x2, int y2, Colour colour, LineStyle style) {
  DrawLine(x1, y1, x2, y2, colour);
  ops_.back().line = style;
}

void RecordingCanvas::DrawEllipse(const CanvasRect& rect, Colour pen, Colour fill, bool filled) {
  Op op = RectOp(OpKind::kEllipse, rect, pen);
  op.filled = filled;
  op.style.background = fill;
  ops_.push_back(op);
}

void RecordingCanvas::FillHatched(const CanvasRect& rect, Colour colour) {
  ops_.push_back(RectOp(OpKind::kHatch, rect, colour));
}

void RecordingCanvas::DrawRaisedBox(const CanvasRect& rect, Colour face) {
  ops_.push_back(RectOp(OpKind::kRaisedBox, rect, face));
}

void RecordingCanvas::DrawObjectPicture(const CanvasRect& rect, ObjectPicture picture) {
  Op op = RectOp(OpKind::kPicture, rect, 0);
  op.picture = picture;
  ops_.push_back(op);
}

void RecordingCanvas::SetClip(const CanvasRect& rect) { ops_.push_back(RectOp(OpKind::kClip, rect, 0)); }

void RecordingCanvas::ClearClip() {
  Op op;
  op.kind = OpKind::kClearClip;
  ops_.push_back(op);
}

std::vector<RecordingCanvas::Op> RecordingCanvas::OfKind(OpKind kind) const {
  std::vector<Op> out;
  for (const Op& op : ops_) {
    if (op.kind == kind) out.push_back(op);
  }
  return out;
}

std::vector<RecordingCanvas::Op> RecordingCanvas::Texts() const {
  std::vector<Op> out;
  for (const Op& op : ops_) {
    if (op.kind == OpKind::kText) out.push_back(op);
  }
  return out;
}

std::vector<RecordingCanvas::Op> RecordingCanvas::Icons() const {
  std::vector<Op> out;
  for (const Op& op : ops_) {
    if (op.kind == OpKind::kIcon) out.push_back(op);
  }
  return out;
}

std::string RecordingCanvas::JoinedTexts() const {
  std::string out;
  for (const Op& op : ops_) {
    if (op.kind != OpKind::kText) continue;
    if (!out.empty()) out += '|';
    out += op.text;
  }
  return out;
}

bool RecordingPrintTarget::NewPage() {
  pageStarts_.push_back(canvas_.ops().size());
  return true;
}

std::vector<RecordingCanvas::Op> RecordingPrintTarget::PageOps(int page) const {
  std::vector<RecordingCanvas::Op> out;
  if (page < 0 || page >= Pages()) return out;
  const auto& ops = canvas_.ops();
  const size_t end = page + 1 < Pages() ? pageStarts_[static_cast<size_t>(page) + 1] : ops.size();
  out.assign(ops.begin() + static_cast<std::ptrdiff_t>(pageStarts_[static_cast<size_t>(page)]),
             ops.begin() + static_cast<std::ptrdiff_t>(end));
  return out;
}

std::vector<RecordingCanvas::Op> RecordingPrintTarget::PageTexts(int page) const {
  std::vector<RecordingCanvas::Op> out;
  for (RecordingCanvas::Op& op : PageOps(page))
    if (op.kind == RecordingCanvas::OpKind::kText) out.push_back(std::move(op));
  return out;
}

std::string RecordingPrintTarget::PageJoinedTexts(int page) const {
  std::string out;
  for (const RecordingCanvas::Op& op : PageTexts(page)) {
    if (!out.empty()) out += '|';
    out += op.text;
  }
  return out;
}

}  // namespace malvex
