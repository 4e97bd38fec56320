// The drawing surface of the views: text, rectangles, lines, ellipses, the
// marker icons and the graphs' object pictures, in the colours of the colour
// table. The views draw onto this
// interface only, so that they can be drawn headless in tests and shown on
// screen or paper by the front end.
#pragma once

#include <cstdint>
#include <string_view>

namespace malvex {

// A colour as the settings record stores it: 0x00BBGGRR.
using Colour = uint32_t;
inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;

// The colour with each of its three components inverted.
inline constexpr Colour InvertedColour(Colour c) { return (~c) & 0xFFFFFF; }

// A rectangle in pixels; right and bottom lie just outside it.
struct CanvasRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
};

// How one piece of text is written.
struct TextStyle {
  Colour colour = kBlack;
  bool underline = false;
  // Opaque text: the text's box is filled with `background` first;
  // otherwise the background shows through.
  bool opaque = false;
  Colour background = kWhite;
  // Transparent text on a page of colour `background`: the canvas may
  // shade the colour (keeping its hue) so that it can be read there.
  bool keepLegible = false;
};

// How a line is drawn.
enum class LineStyle { kSolid, kDotted, kDashDot };

// The pictures of the graphs' objects: shaded spheres (the areas and actors
// graphs) and bars (the distribution and episodes graphs).
enum class ObjectPicture { kBlueSphere, kGreenSphere, kBar3, kBar4 };

class Canvas {
 public:
  virtual ~Canvas() = default;

  // The font of the text operations that follow, by size in points.
  virtual void SetFont(int pointSize, bool bold) = 0;
  // Extent of `text` (code page 1250) in the current font, in pixels.
  virtual int TextWidth(std::string_view text) = 0;
  virtual int TextHeight(std::string_view text) = 0;
  // Writes `text` (code page 1250) with the top-left corner of its box at
  // (x, y).
  virtual void DrawText(int x, int y, std::string_view text, const TextStyle& style) = 0;

  virtual void FillRect(const CanvasRect& rect, Colour colour) = 0;
  // The outline of `rect`, one pixel wide.
  virtual void FrameRect(const CanvasRect& rect, Colour colour) = 0;
  virtual void DrawLine(int x1, int y1, int x2, int y2, Colour colour) = 0;
  // Icon `index` of the main window's image list (16 by 16 pixels) with its
  // top-left corner at (x, y).
  virtual void DrawIcon(int x, int y, int index) = 0;

  // A line drawn with `style`.
  virtual void DrawStyledLine(int x1, int y1, int x2, int y2, Colour colour, LineStyle style) = 0;
  // The ellipse inscribed in `rect`: outlined in `pen`, filled with `fill`
  // when `filled`.
  virtual void DrawEllipse(const CanvasRect& rect, Colour pen, Colour fill, bool filled) = 0;
  // `rect` covered with diagonal hatching in `colour` (the background shows
  // between the strokes).
  virtual void FillHatched(const CanvasRect& rect, Colour colour) = 0;
  // A label box that stands out of the page: a light top-left and a dark
  // bottom-right edge around a face of `face`.
  virtual void DrawRaisedBox(const CanvasRect& rect, Colour face) = 0;
  // Object picture `picture` stretched over `rect`.
  virtual void DrawObjectPicture(const CanvasRect& rect, ObjectPicture picture) = 0;
  // Later operations draw only inside `rect`, until ClearClip.
  virtual void SetClip(const CanvasRect& rect) = 0;
  virtual void ClearClip() = 0;
};

}  // namespace malvex
