// The text panel of the main window: shows the text view (TExtraitDuTexte)
// through the QPainter canvas, pages it from the keyboard, the wheel and a
// scroll bar over the word positions, and reports the word under the mouse.
#pragma once

#include <QScrollBar>
#include <QWidget>
#include <functional>

#include "views/text_pointer.h"
#include "views/text_view.h"

namespace malvex {

class TTextViewWidget : public QWidget {
  Q_OBJECT
 public:
  explicit TTextViewWidget(QWidget* parent = nullptr);

  // The view drawn and the pointer fed by the mouse; both null while no
  // text is analysed (the panel is then empty). Both must outlive their use.
  void SetView(TExtraitDuTexte* view, TextPointer* pointer);
  TExtraitDuTexte* view() const { return view_; }

  // Called with what the pointer reports when it changes.
  void SetPointerHandler(std::function<void(const TextPointerInfo&)> handler) { onPointer_ = std::move(handler); }

  // Called with the marker's position when the mouse is released over a
  // proposition marker (a click, or a drag that ends there).
  void SetMarkerHandler(std::function<void(int32_t)> handler) { onMarker_ = std::move(handler); }

  QScrollBar* ScrollBarTexte;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  // Releasing the mouse gives the keyboard focus to the scroll bar; its
  // keys page the text as the panel's own do.
  void mouseReleaseEvent(QMouseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ScrollBarAction();

  TExtraitDuTexte* view_ = nullptr;
  TextPointer* pointer_ = nullptr;
  std::function<void(const TextPointerInfo&)> onPointer_;
  std::function<void(int32_t)> onMarker_;
  int wheelRest_ = 0;
};

}  // namespace malvex
