// The state of the analysis run under way: what the reading pass, the
// semantic pass and the front ends test and set while a text is analysed.
#pragma once

#include <cstdint>

#include "dictionaries/borders.h"

namespace malvex {

struct RunState {
  bool running = false;
  bool stopRequested = false;
  bool runAborted = false;
  bool readInterrupted = false;
  bool quiet = false;
  bool converterWarningShown = false;
  int64_t sizeLimitBytes = 0;
  int currentFileIndex = 0;
  uint8_t mode = 0;
  // Whether borders were active while the text was read, and the
  // propositions they left out (the style diagnosis reports both).
  BordersReport borders;
};

}  // namespace malvex
