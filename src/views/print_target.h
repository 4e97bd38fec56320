// Where the printed reports go: a canvas that is a sequence of pages (a
// printer job, a PDF file, or the recording target of the tests), with the
// device resolution the page frame scales its lines by.
#pragma once

#include <functional>

#include "views/canvas.h"

namespace malvex {

class PrintTarget {
 public:
  virtual ~PrintTarget() = default;

  // The surface of the current page, in device units.
  virtual Canvas& canvas() = 0;
  // Device units per inch, vertically.
  virtual int ResolutionY() const = 0;
  // The printable area: coordinates run from 0 to the width and height.
  virtual int PageWidth() const = 0;
  virtual int PageHeight() const = 0;
  // The font of the text that follows: size in points, weight and slant.
  virtual void SetFont(int pointSize, bool bold, bool italic) = 0;
  // Ends the current page and starts the next; false when the job cannot
  // go on (the device refused, the job was cancelled).
  virtual bool NewPage() = 0;
  // The user (or the device) has cancelled the job.
  virtual bool Cancelled() const = 0;

  // A drawing made for the screen (the graphs: their sizes are pixels of a
  // screen of `screenDpi`) laid over `rect` of the page. `draw` receives a
  // canvas and the rectangle to fill on it; by default the page itself.
  using ScreenDrawing = std::function<void(Canvas& canvas, const CanvasRect& rect)>;
  virtual void DrawScreenPicture(const CanvasRect& rect, int screenDpi, const ScreenDrawing& draw) {
    (void)screenDpi;
    draw(canvas(), rect);
  }
};

}  // namespace malvex
