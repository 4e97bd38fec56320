// Every fatal end of the process goes through FatalExit, so that tests can
// replace the handler and observe the exit code instead of dying.
// Codes: 0 normal end requested, 1 exhausted memory, 2 unreadable or
// corrupted dictionary, 1412 unreadable category matrix or failed store head.
#pragma once

#include <functional>

namespace malvex {

using FatalExitHandler = std::function<void(int code)>;

// Ends the process with `code` through the installed handler. The default
// handler flushes the standard streams and calls std::exit. A handler that
// returns makes FatalExit call std::exit itself.
[[noreturn]] void FatalExit(int code);

// Installs `handler` (empty restores the default); returns the previous one.
FatalExitHandler SetFatalExitHandler(FatalExitHandler handler);

}  // namespace malvex
