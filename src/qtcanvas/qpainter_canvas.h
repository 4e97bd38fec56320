// The views' canvas on a QPainter: the screen, a pixmap or a printer page.
#pragma once

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <string>

#include "views/canvas.h"

namespace malvex {

// 0x00BBGGRR as a Qt colour.
QColor ToQColor(Colour colour);

class QPainterCanvas : public Canvas {
 public:
  // `painter` must outlive the canvas; its font family is kept.
  explicit QPainterCanvas(QPainter& painter);

  void SetFont(int pointSize, bool bold) override;
  // The same with a slant (the printed reports' italic headings).
  void SetFont(int pointSize, bool bold, bool italic);
  int TextWidth(std::string_view text) override;
  int TextHeight(std::string_view text) override;
  void DrawText(int x, int y, std::string_view text, const TextStyle& style) override;
  void FillRect(const CanvasRect& rect, Colour colour) override;
  void FrameRect(const CanvasRect& rect, Colour colour) override;
  void DrawLine(int x1, int y1, int x2, int y2, Colour colour) override;
  // Draws the marker icons of the text view (file start, proposition) as
  // small figures; other indexes draw a plain square.
  void DrawIcon(int x, int y, int index) override;
  void DrawStyledLine(int x1, int y1, int x2, int y2, Colour colour, LineStyle style) override;
  void DrawEllipse(const CanvasRect& rect, Colour pen, Colour fill, bool filled) override;
  void FillHatched(const CanvasRect& rect, Colour colour) override;
  void DrawRaisedBox(const CanvasRect& rect, Colour face) override;
  // Spheres are drawn with a radial gradient lit from the top left, bars
  // with a linear one across their width.
  void DrawObjectPicture(const CanvasRect& rect, ObjectPicture picture) override;
  void SetClip(const CanvasRect& rect) override;
  void ClearClip() override;

 private:
  // `text` (code page 1250) as a QString, converted once for the
  // measuring and the drawing of the same piece.
  const QString& Text(std::string_view text);

  QPainter& painter_;
  QFont font_;
  QFontMetrics metrics_;
  std::string lastText_;
  QString lastQText_;
};

}  // namespace malvex
