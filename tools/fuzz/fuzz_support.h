// Shared set-up of the fuzz targets: a notification box that answers
// nothing, and fatal exits turned into an exception the target catches, so
// that a refused file is an ordinary outcome of one run.
#pragma once

#include <string>

#include "foundations/messages.h"
#include "platform/notify.h"

namespace malvex::fuzz {

struct Refused {
  int code;
};

class QuietBox : public NotificationBox {
 public:
  bool Show(const std::string&, BoxKind, bool, int& answer) override {
    answer = kButton1;
    return true;
  }
  bool DontShowAgain() const override { return false; }
  void LastResortError(const std::string&) override {}
};

// Installs the throwing fatal-exit handler once; returns the messages
// object the loaders report through.
Messages& FuzzMessages();

}  // namespace malvex::fuzz
