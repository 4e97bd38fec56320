// The main window's caption: the application title followed by the
// language label of the edition in parentheses.
#pragma once

#include <string>

#include "app/run_flags.h"
#include "foundations/messages.h"

namespace malvex {

// "Malvex (Romanian)" for the Romanian edition; an unknown language code
// shows "other language".
std::string MainCaption(Messages& messages, const std::string& title, const RunFlags& flags);

}  // namespace malvex
