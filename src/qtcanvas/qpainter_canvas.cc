#include "qtcanvas/qpainter_canvas.h"

#include <algorithm>

#include <QFontMetrics>
#include <QLinearGradient>
#include <QRadialGradient>
#include <QPolygon>

#include "foundations/charset.h"
#include "views/readable_colour.h"
#include "views/text_view.h"

namespace malvex {

namespace {

// The views write short pieces of Latin text, one call each: the text
// needs no shaping, which is most of the cost of measuring and drawing.
QFont NoShaping(QFont font) {
  font.setStyleStrategy(QFont::PreferNoShaping);
  return font;
}

}  // namespace

QColor ToQColor(Colour colour) { return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF); }

QPainterCanvas::QPainterCanvas(QPainter& painter)
    : painter_(painter), font_(NoShaping(painter.font())), metrics_(font_, painter.device()) {}

const QString& QPainterCanvas::Text(std::string_view text) {
  // A piece is measured, then drawn: the second asks for the same text.
  if (text != lastText_) {
    lastText_.assign(text.data(), text.size());
    lastQText_.resize(static_cast<qsizetype>(text.size()));
    QChar* out = lastQText_.data();
    for (size_t i = 0; i < text.size(); ++i) {
      out[i] = QChar(static_cast<char16_t>(Cp1250ToUnicode(static_cast<uint8_t>(text[i]))));
    }
  }
  return lastQText_;
}

void QPainterCanvas::SetFont(int pointSize, bool bold) { SetFont(pointSize, bold, false); }

void QPainterCanvas::SetFont(int pointSize, bool bold, bool italic) {
  font_.setPointSize(pointSize);
  font_.setBold(bold);
  font_.setItalic(italic);
  font_.setUnderline(false);
  painter_.setFont(font_);
  metrics_ = QFontMetrics(font_, painter_.device());
}

int QPainterCanvas::TextWidth(std::string_view text) { return metrics_.horizontalAdvance(Text(text)); }

int QPainterCanvas::TextHeight(std::string_view text) { return metrics_.height(); }

void QPainterCanvas::DrawText(int x, int y, std::string_view text, const TextStyle& style) {
  const QString& qtext = Text(text);
  if (style.opaque) {
    painter_.fillRect(x, y, metrics_.horizontalAdvance(qtext), metrics_.height(), ToQColor(style.background));
  }
  // Light colours of the table are darkened on a light page so that they
  // can be read.
  const bool shade = style.keepLegible && !style.opaque;
  painter_.setPen(ToQColor(shade ? ReadableColour(style.colour, style.background) : style.colour));
  if (style.underline) {
    QFont underlined = font_;
    underlined.setUnderline(true);
    painter_.setFont(underlined);
  }
  painter_.drawText(x, y + metrics_.ascent(), qtext);
  if (style.underline) painter_.setFont(font_);
}

void QPainterCanvas::FillRect(const CanvasRect& rect, Colour colour) {
  painter_.fillRect(rect.left, rect.top, rect.width(), rect.height(), ToQColor(colour));
}

void QPainterCanvas::FrameRect(const CanvasRect& rect, Colour colour) {
  painter_.setPen(ToQColor(colour));
  painter_.setBrush(Qt::NoBrush);
  painter_.drawRect(rect.left, rect.top, rect.width() - 1, rect.height() - 1);
}

void QPainterCanvas::DrawLine(int x1, int y1, int x2, int y2, Colour colour) {
  painter_.setPen(ToQColor(colour));
  painter_.drawLine(x1, y1, x2, y2);
}

void QPainterCanvas::DrawIcon(int x, int y, int index) {
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, true);
  switch (index) {
    case TExtraitDuTexte::kFileMarkerIcon: {
      // A sheet with a folded corner: the start of a file.
      const QPolygon sheet({QPoint(x + 3, y + 1), QPoint(x + 10, y + 1), QPoint(x + 13, y + 4),
                            QPoint(x + 13, y + 14), QPoint(x + 3, y + 14)});
      painter_.setPen(QColor(60, 60, 60));
      painter_.setBrush(Qt::white);
      painter_.drawPolygon(sheet);
      painter_.drawLine(x + 5, y + 7, x + 11, y + 7);
      painter_.drawLine(x + 5, y + 10, x + 11, y + 10);
      break;
    }
    case TExtraitDuTexte::kSelectiveMarkerIcon:
    case TExtraitDuTexte::kMarkerIcon: {
      // A pointer to the proposition; filled while the selective coloration
      // shows extracts.
      const QPolygon arrow({QPoint(x + 4, y + 3), QPoint(x + 12, y + 8), QPoint(x + 4, y + 13)});
      const bool selective = index == TExtraitDuTexte::kSelectiveMarkerIcon;
      painter_.setPen(QColor(40, 40, 120));
      painter_.setBrush(selective ? QColor(255, 160, 0) : QColor(150, 150, 200));
      painter_.drawPolygon(arrow);
      break;
    }
    default:
      painter_.setPen(Qt::darkGray);
      painter_.setBrush(Qt::NoBrush);
      painter_.drawRect(x + 2, y + 2, 11, 11);
      break;
  }
  painter_.restore();
}

void QPainterCanvas::DrawStyledLine(int x1, int y1, int x2, int y2, Colour colour, LineStyle style) {
  QPen pen(ToQColor(colour));
  pen.setStyle(style == LineStyle::kDotted ? Qt::DotLine : style == LineStyle::kDashDot ? Qt::DashDotLine : Qt::SolidLine);
  painter_.setPen(pen);
  painter_.drawLine(x1, y1, x2, y2);
}

void QPainterCanvas::DrawEllipse(const CanvasRect& rect, Colour pen, Colour fill, bool filled) {
  painter_.setPen(ToQColor(pen));
  painter_.setBrush(filled ? QBrush(ToQColor(fill)) : QBrush(Qt::NoBrush));
  painter_.drawEllipse(rect.left, rect.top, rect.width() - 1, rect.height() - 1);
  painter_.setBrush(Qt::NoBrush);
}

void QPainterCanvas::FillHatched(const CanvasRect& rect, Colour colour) {
  painter_.fillRect(rect.left, rect.top, rect.width(), rect.height(), QBrush(ToQColor(colour), Qt::BDiagPattern));
}

void QPainterCanvas::DrawRaisedBox(const CanvasRect& rect, Colour face) {
  const int w = rect.width();
  const int h = rect.height();
  if (w <= 0 || h <= 0) return;
  painter_.fillRect(rect.left, rect.top, w, h, ToQColor(face));
  painter_.setPen(Qt::white);
  painter_.drawLine(rect.left, rect.top, rect.right - 1, rect.top);
  painter_.drawLine(rect.left, rect.top, rect.left, rect.bottom - 1);
  painter_.setPen(QColor(64, 64, 64));
  painter_.drawLine(rect.left, rect.bottom - 1, rect.right - 1, rect.bottom - 1);
  painter_.drawLine(rect.right - 1, rect.top, rect.right - 1, rect.bottom - 1);
}

void QPainterCanvas::DrawObjectPicture(const CanvasRect& rect, ObjectPicture picture) {
  const QRectF r(rect.left, rect.top, rect.width(), rect.height());
  if (r.width() <= 0 || r.height() <= 0) return;
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, true);
  painter_.setPen(Qt::NoPen);
  switch (picture) {
    case ObjectPicture::kBlueSphere:
    case ObjectPicture::kGreenSphere: {
      const bool blue = picture == ObjectPicture::kBlueSphere;
      const QColor deep = blue ? QColor(0, 40, 160) : QColor(0, 110, 30);
      const QColor lit = blue ? QColor(170, 200, 255) : QColor(180, 255, 170);
      QRadialGradient gradient(r.left() + r.width() * 0.35, r.top() + r.height() * 0.3,
                               std::max(r.width(), r.height()) * 0.7);
      gradient.setColorAt(0, Qt::white);
      gradient.setColorAt(0.25, lit);
      gradient.setColorAt(1, deep);
      painter_.setBrush(gradient);
      painter_.drawEllipse(r);
      break;
    }
    case ObjectPicture::kBar3:
    case ObjectPicture::kBar4: {
      const bool three = picture == ObjectPicture::kBar3;
      QLinearGradient gradient(r.topLeft(), r.topRight());
      gradient.setColorAt(0, three ? QColor(60, 120, 200) : QColor(200, 140, 40));
      gradient.setColorAt(0.4, three ? QColor(200, 225, 255) : QColor(255, 230, 170));
      gradient.setColorAt(1, three ? QColor(20, 60, 130) : QColor(130, 80, 10));
      painter_.setBrush(gradient);
      painter_.drawRect(r);
      break;
    }
  }
  painter_.restore();
}

void QPainterCanvas::SetClip(const CanvasRect& rect) {
  painter_.setClipRect(rect.left, rect.top, rect.width(), rect.height());
}

void QPainterCanvas::ClearClip() { painter_.setClipping(false); }

}  // namespace malvex
