#include "gui/views/text_view_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QResizeEvent>
#include <QSignalBlocker>
#include <QToolTip>
#include <QWheelEvent>

#include "gui/qt_text.h"
#include "qtcanvas/qpainter_canvas.h"

namespace malvex {

TTextViewWidget::TTextViewWidget(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  ScrollBarTexte = new QScrollBar(Qt::Vertical, this);
  ScrollBarTexte->setEnabled(false);
  ScrollBarTexte->setFocusPolicy(Qt::ClickFocus);
  ScrollBarTexte->installEventFilter(this);
  connect(ScrollBarTexte, &QScrollBar::actionTriggered, this, [this] { ScrollBarAction(); });
}

void TTextViewWidget::resizeEvent(QResizeEvent* event) {
  const int w = ScrollBarTexte->sizeHint().width();
  ScrollBarTexte->setGeometry(width() - w, 0, w, height());
  QWidget::resizeEvent(event);
}

void TTextViewWidget::ScrollBarAction() {
  if (view_ == nullptr) return;
  // The bar runs over the word positions: the page starts with the
  // proposition that holds the position chosen.
  view_->StartAtPosition(ScrollBarTexte->sliderPosition());
  update();
}

void TTextViewWidget::SetView(TExtraitDuTexte* view, TextPointer* pointer) {
  view_ = view;
  pointer_ = pointer;
  if (view_ == nullptr) ScrollBarTexte->setEnabled(false);
  update();
}

void TTextViewWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (view_ == nullptr) {
    painter.fillRect(rect(), palette().window());
    return;
  }
  QPainterCanvas canvas(painter);
  view_->DrawExtract(canvas, CanvasRect{0, 0, width() - ScrollBarTexte->width(), height()});
  const QSignalBlocker quiet(ScrollBarTexte);
  const int highest = view_->stream().HighestPosition();
  ScrollBarTexte->setEnabled(highest > 0);
  ScrollBarTexte->setRange(1, highest > 1 ? highest : 1);
  ScrollBarTexte->setPageStep(view_->WordsDrawn() > 0 ? view_->WordsDrawn() : 1);
  const int first = view_->FirstPositionShown();
  if (first > 0) ScrollBarTexte->setValue(first);
}

void TTextViewWidget::mouseMoveEvent(QMouseEvent* event) {
  if (pointer_ == nullptr) return;
  const QPoint at = event->position().toPoint();
  const TextPointerInfo info = pointer_->MouseMove(at.x(), at.y());
  if (info.change == TextPointerInfo::Change::kNone) return;
  setToolTip(ToQt(info.hint));
  if (onPointer_) onPointer_(info);
}

void TTextViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && view_ != nullptr && onMarker_) {
    const QPoint at = event->position().toPoint();
    TextViewHit hit;
    if (view_->WordAt(at.x(), at.y(), hit) && hit.kind == 1 && hit.position > 0) onMarker_(hit.position);
  }
  if (event->button() == Qt::LeftButton && ScrollBarTexte->isEnabled()) ScrollBarTexte->setFocus(Qt::MouseFocusReason);
  QWidget::mouseReleaseEvent(event);
}

bool TTextViewWidget::eventFilter(QObject* watched, QEvent* event) {
  // The bar's own steps are single word positions, which would keep the
  // page on the same proposition: its keys move the text by page and by
  // proposition instead.
  if (watched == ScrollBarTexte && event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
      case Qt::Key_PageDown:
      case Qt::Key_PageUp:
      case Qt::Key_Down:
      case Qt::Key_Up:
      case Qt::Key_Home:
        keyPressEvent(key);
        return true;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TTextViewWidget::keyPressEvent(QKeyEvent* event) {
  if (view_ == nullptr) {
    QWidget::keyPressEvent(event);
    return;
  }
  bool moved = false;
  switch (event->key()) {
    case Qt::Key_PageDown: moved = view_->NextPage(); break;
    case Qt::Key_PageUp: moved = view_->PreviousPage(); break;
    case Qt::Key_Down: moved = view_->NextProposition(); break;
    case Qt::Key_Up: moved = view_->PreviousProposition(); break;
    case Qt::Key_Home:
      view_->Rewind();
      moved = true;
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  if (moved) update();
}

void TTextViewWidget::wheelEvent(QWheelEvent* event) {
  if (view_ == nullptr) return;
  // One notch (120 units) moves three propositions.
  wheelRest_ += event->angleDelta().y();
  bool moved = false;
  while (wheelRest_ <= -120) {
    wheelRest_ += 120;
    for (int i = 0; i < 3; ++i) moved |= view_->NextProposition();
  }
  while (wheelRest_ >= 120) {
    wheelRest_ -= 120;
    for (int i = 0; i < 3; ++i) moved |= view_->PreviousProposition();
  }
  if (moved) update();
  event->accept();
}

}  // namespace malvex
