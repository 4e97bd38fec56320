// A canvas that draws nothing and records every operation, with fixed text
// metrics: the views are tested by reading back what they drew.
#pragma once

#include <string>
#include <vector>

#include "views/canvas.h"

namespace malvex {

class RecordingCanvas : public Canvas {
 public:
  enum class OpKind {
    kFont, kText, kFill, kFrame, kLine, kIcon, kEllipse, kHatch, kRaisedBox, kPicture, kClip, kClearClip
  };

  struct Op {
    OpKind kind = OpKind::kText;
    int x = 0;  // text and icons: top-left corner; rectangles and lines: first corner
    int y = 0;
    int x2 = 0;  // rectangles and lines: second corner
    int y2 = 0;
    std::string text;
    TextStyle style;  // text; rectangles and lines use style.colour
    int icon = 0;
    int fontSize = 0;
    bool bold = false;
    LineStyle line = LineStyle::kSolid;  // lines
    bool filled = false;                 // ellipses: style.background is the fill
    ObjectPicture picture = ObjectPicture::kBlueSphere;
  };

  // Every character is `charWidth` pixels wide and every text `textHeight`
  // pixels high, whatever the font.
  explicit RecordingCanvas(int charWidth = 6, int textHeight = 10)
      : charWidth_(charWidth), textHeight_(textHeight) {}

  void SetFont(int pointSize, bool bold) override;
  int TextWidth(std::string_view text) override { return static_cast<int>(text.size()) * charWidth_; }
  int TextHeight(std::string_view text) override { return textHeight_; }
  void DrawText(int x, int y, std::string_view text, const TextStyle& style) override;
  void FillRect(const CanvasRect& rect, Colour colour) override;
  void FrameRect(const CanvasRect& rect, Colour colour) override;
  void DrawLine(int x1, int y1, int x2, int y2, Colour colour) override;
  void DrawIcon(int x, int y, int index) override;
  void DrawStyledLine(int x1, int y1, int x2, int y2, Colour colour, LineStyle style) override;
  void DrawEllipse(const CanvasRect& rect, Colour pen, Colour fill, bool filled) override;
  void FillHatched(const CanvasRect& rect, Colour colour) override;
  void DrawRaisedBox(const CanvasRect& rect, Colour face) override;
  void DrawObjectPicture(const CanvasRect& rect, ObjectPicture picture) override;
  void SetClip(const CanvasRect& rect) override;
  void ClearClip() override;

  const std::vector<Op>& ops() const { return ops_; }
  // The text operations only, in drawing order.
  std::vector<Op> Texts() const;
  // The icon operations only.
  std::vector<Op> Icons() const;
  // The operations of kind `kind` only.
  std::vector<Op> OfKind(OpKind kind) const;
  // The texts written, joined by '|'.
  std::string JoinedTexts() const;
  void Clear() { ops_.clear(); }

 private:
  const int charWidth_;
  const int textHeight_;
  std::vector<Op> ops_;
};

}  // namespace malvex
