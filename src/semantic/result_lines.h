// Where a result list built by the engine sends its lines: the main
// window's result list, or anything that collects lines the same way.
#pragma once

#include <string>

namespace malvex {

class ResultLines {
 public:
  virtual ~ResultLines() = default;
  // Appends one line (code page 1250); false when the list refuses it, in
  // which case the caller stops adding lines.
  virtual bool AppendLine(const std::string& text) = 0;
};

}  // namespace malvex
