// A canvas that draws nothing and records every operation, with fixed text
// metrics: the views are tested by reading back what they drew.
#pragma once

#include <string>
#include <vector>

#include "views/canvas.h"
#include "views/print_target.h"

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
    // Font operations: the slant asked. Text operations: the font in force
    // (fontSize, bold, italic) when the text was written.
    bool italic = false;
  };

  // Every character is `charWidth` pixels wide and every text `textHeight`
  // pixels high, whatever the font.
  explicit RecordingCanvas(int charWidth = 6, int textHeight = 10)
      : charWidth_(charWidth), textHeight_(textHeight) {}

  void SetFont(int pointSize, bool bold) override;
  // A font with a slant, as a print target asks for it.
  void SetFont(int pointSize, bool bold, bool italic);
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
  int fontSize_ = 0;
  bool bold_ = false;
  bool italic_ = false;
};

// A print target of fixed page size and resolution that records what each
// page receives, and can play a user who cancels the job once a given
// number of pages has been started.
class RecordingPrintTarget : public PrintTarget {
 public:
  RecordingPrintTarget(int pageWidth, int pageHeight, int resolution = 72, int charWidth = 6, int textHeight = 10)
      : canvas_(charWidth, textHeight), width_(pageWidth), height_(pageHeight), resolution_(resolution) {}

  Canvas& canvas() override { return canvas_; }
  int ResolutionY() const override { return resolution_; }
  int PageWidth() const override { return width_; }
  int PageHeight() const override { return height_; }
  void SetFont(int pointSize, bool bold, bool italic) override { canvas_.SetFont(pointSize, bold, italic); }
  bool NewPage() override;
  bool Cancelled() const override { return cancelAfter_ > 0 && Pages() > cancelAfter_; }

  // Cancelled() turns true once a page after the first `pages` has been
  // started (0: never), as when the user cancels while page pages + 1
  // prints.
  void CancelAfterPages(int pages) { cancelAfter_ = pages; }

  // Pages started so far (the first page counts from the first operation).
  int Pages() const { return static_cast<int>(pageStarts_.size()); }
  const RecordingCanvas& recording() const { return canvas_; }
  // The operations of page `page` (0-based), in drawing order.
  std::vector<RecordingCanvas::Op> PageOps(int page) const;
  // The text operations of page `page`.
  std::vector<RecordingCanvas::Op> PageTexts(int page) const;
  // The texts of page `page` joined by '|'.
  std::string PageJoinedTexts(int page) const;

 private:
  RecordingCanvas canvas_;
  const int width_;
  const int height_;
  const int resolution_;
  int cancelAfter_ = 0;
  std::vector<size_t> pageStarts_{0};
};

}  // namespace malvex
