#include "platform/fatal.h"

#include <cstdio>
#include <cstdlib>
#include <utility>

namespace malvex {
namespace {
FatalExitHandler& Handler() {
  static FatalExitHandler handler;
  return handler;
}
}  // namespace

void FatalExit(int code) {
  if (Handler()) Handler()(code);
  std::fflush(nullptr);
  std::exit(code);
}

FatalExitHandler SetFatalExitHandler(FatalExitHandler handler) {
  return std::exchange(Handler(), std::move(handler));
}

}  // namespace malvex
