#include "fuzz_support.h"

#include "platform/fatal.h"

namespace malvex::fuzz {

Messages& FuzzMessages() {
  static QuietBox box;
  static Messages messages(box);
  static bool installed = [] {
    SetFatalExitHandler([](int code) { throw Refused{code}; });
    return true;
  }();
  (void)installed;
  return messages;
}

}  // namespace malvex::fuzz
