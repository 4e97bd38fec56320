// The print target on a paged Qt device: a printer, or a printer writing a
// PDF file. The reports of one job go onto the pages of one document.
#pragma once

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPrinter>
#include <QString>
#include <functional>
#include <string>

#include "qtcanvas/qpainter_canvas.h"
#include "views/print_target.h"

namespace malvex {

class PagedPrintTarget : public PrintTarget {
 public:
  // `painter` is active on `device`; `cancelled` (may be empty) tells
  // whether the user has given up the job.
  PagedPrintTarget(QPagedPaintDevice& device, QPainter& painter, std::function<bool()> cancelled = {});

  Canvas& canvas() override { return canvas_; }
  int ResolutionY() const override { return device_.logicalDpiY(); }
  int PageWidth() const override { return device_.width(); }
  int PageHeight() const override { return device_.height(); }
  void SetFont(int pointSize, bool bold, bool italic) override { canvas_.SetFont(pointSize, bold, italic); }
  bool NewPage() override { return device_.newPage(); }
  bool Cancelled() const override { return cancelled_ && cancelled_(); }
  // Drawn on an image of twice the screen's resolution, laid over `rect`.
  void DrawScreenPicture(const CanvasRect& rect, int screenDpi, const ScreenDrawing& draw) override;

 private:
  QPagedPaintDevice& device_;
  QPainter& painter_;
  QPainterCanvas canvas_;
  std::function<bool()> cancelled_;
};

// The print font: a family and a size in points.
struct PrintFont {
  QString family = QStringLiteral("DejaVu Sans");
  int pointSize = 10;
};

// Sets `printer` up to write the PDF file `file` (A4, high resolution,
// margins of 15 mm).
void SetUpPdfPrinter(QPrinter& printer, const QString& file);

// Runs `print` on a target over `printer` with `font`, then ends the job;
// false when the printer could not start or the job was aborted.
bool PrintOnPrinter(QPrinter& printer, const PrintFont& font, const std::function<void(PrintTarget&)>& print,
                    std::function<bool()> cancelled = {});

}  // namespace malvex
