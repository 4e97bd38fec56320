#include "qtcanvas/paged_print_target.h"

#include <QMarginsF>
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
    : device_(device), canvas_(painter), cancelled_(std::move(cancelled)) {}

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
