// The engine's front end in the Qt application: notification boxes,
// progress gauges and the busy cursor.
#pragma once

#include <QWidget>
#include <functional>

#include "gui/foundations/mss_box_ok.h"
#include "platform/front_end.h"

namespace malvex {

class QtFrontEnd : public FrontEnd {
 public:
  QtFrontEnd() = default;
  // The window that owns boxes and gauges.
  void SetOwner(QWidget* owner) {
    owner_ = owner;
    box_.SetOwner(owner);
  }
  // Texts the boxes and the gauge take from the catalogue.
  void SetTexts(const TMssBoxOk::Labels& labels, const QString& stopLabel,
                std::function<bool()> confirmStop);

  NotificationBox& Box() override { return box_; }
  std::unique_ptr<Gauge> CreateGauge() override;
  void SetWaitCursor(bool wait) override;

 private:
  QWidget* owner_ = nullptr;
  QtNotificationBox box_;
  QString stopLabel_ = "&Stop";
  std::function<bool()> confirmStop_;
  bool waiting_ = false;
};

}  // namespace malvex
