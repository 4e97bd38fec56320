#include "gui/qt_front_end.h"

#include <QApplication>
#include <QGuiApplication>

#include "gui/reading/info_jauge.h"

namespace malvex {

void QtFrontEnd::SetTexts(const TMssBoxOk::Labels& labels, const QString& stopLabel,
                          std::function<bool()> confirmStop) {
  box_.SetLabels(labels);
  stopLabel_ = stopLabel;
  confirmStop_ = std::move(confirmStop);
}

std::unique_ptr<Gauge> QtFrontEnd::CreateGauge() {
  return std::make_unique<TInfoJauge>(owner_, QApplication::applicationDisplayName(), stopLabel_,
                                      confirmStop_);
}

void QtFrontEnd::SetWaitCursor(bool wait) {
  if (wait == waiting_) return;
  waiting_ = wait;
  if (wait)
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QGuiApplication::restoreOverrideCursor();
}

}  // namespace malvex
