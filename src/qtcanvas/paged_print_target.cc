#include "qtcanvas/paged_print_target.h"

#include <QImage>
#include <QMarginsF>
#include <algorithm>
#include <QPageLayout>
#include <QPageSize>

namespace malvex {

namespace {

// The painter's font before the canvas takes it over.
QPainter& WithFont(QPainter& painter, const PrintFont& font) {
  QFont f(font.family);
  f.setPointSize(font.pointSize);
  painter.setFont(f);
  return painter;
}

}  // namespace

PagedPrintTarget::PagedPrintTarget(QPagedPaintDevice& device, QPainter& painter, std::function<bool()> cancelled)
    : device_(device), painter_(painter), canvas_(painter), cancelled_(std::move(cancelled)) {}

void PagedPrintTarget::DrawScreenPicture(const CanvasRect& rect, int screenDpi, const ScreenDrawing& draw) {
  const int dpi = std::max(ResolutionY(), 1);
  const int width = std::max(rect.width() * screenDpi / dpi, 1);
  const int height = std::max(rect.height() * screenDpi / dpi, 1);
  constexpr int kOversampling = 2;
  QImage image(width * kOversampling, height * kOversampling, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(kOversampling, kOversampling);
    painter.setFont(painter_.font());
    QPainterCanvas canvas(painter);
    draw(canvas, CanvasRect{0, 0, width, height});
  }
  painter_.drawImage(QRect(rect.left, rect.top, rect.width(), rect.height()), image);
}

void SetUpPdfPrinter(QPrinter& printer, const QString& file) {
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(file);
  printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(15, 15, 15, 15),
                                    QPageLayout::Millimeter));
}

bool PrintOnPrinter(QPrinter& printer, const PrintFont& font, const std::function<void(PrintTarget&)>& print,
                    std::function<bool()> cancelled) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  WithFont(painter, font);
  {
    PagedPrintTarget target(printer, painter, std::move(cancelled));
    print(target);
  }
  const bool ended = painter.end();
  return ended && printer.printerState() != QPrinter::Aborted && printer.printerState() != QPrinter::Error;
}

}  // namespace malvex
