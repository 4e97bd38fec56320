// What a front end (Qt window, command line, test) supplies to the engine:
// the notification box, progress gauges and the busy cursor.
#pragma once

#include <memory>
#include <string>

#include "platform/gauge.h"
#include "platform/notify.h"

namespace malvex {

class FrontEnd {
 public:
  virtual ~FrontEnd() = default;
  virtual NotificationBox& Box() = 0;
  // A new, hidden progress gauge for one run.
  virtual std::unique_ptr<Gauge> CreateGauge() = 0;
  // Shows the wait cursor (true) or the default one (false).
  virtual void SetWaitCursor(bool wait) {}
  // Title shown in captions.
  virtual std::string ApplicationTitle() const { return "Malvex"; }
};

}  // namespace malvex
