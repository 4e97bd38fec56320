// The main window's caption: the application title followed by the
// language label of the edition in parentheses.
#pragma once

#include <string>

#include "foundations/messages.h"
#include "settings/run_flags.h"

namespace malvex {

// "Malvex (Romanian)" for the Romanian edition; an unknown language code
// shows "other language".
std::string MainCaption(Messages& messages, const std::string& title, const RunFlags& flags);

}  // namespace malvex
