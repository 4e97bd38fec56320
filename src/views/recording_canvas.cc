#include "views/recording_canvas.h"

namespace malvex {

void RecordingCanvas::SetFont(int pointSize, bool bold) {
  Op op;
  op.kind = OpKind::kFont;
  op.fontSize = pointSize;
  ops_.push_back(op);
}

void RecordingCanvas::DrawText(int x, int y, std::string_view text, const TextStyle& style) {
  Op op;
  op.kind = OpKind::kText;
  op.x = x;
  op.y = y;
  op.text = std::string(text);
  op.style = style;
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

}  // namespace malvex
