// Where a result list built by the engine sends its lines: the main
// window's result list, or anything that collects lines the same way.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace malvex {

class ResultLines {
 public:
  virtual ~ResultLines() = default;
  // Appends one line (code page 1250); false when the list refuses it, in
  // which case the caller stops adding lines.
  virtual bool AppendLine(const std::string& text) = 0;
};

// Keeps the lines it is given in a vector; refuses every line after the
// first `room`, as a list that cannot grow does.
class CollectedLines : public ResultLines {
 public:
  explicit CollectedLines(size_t room = std::numeric_limits<size_t>::max()) : room_(room) {}
  bool AppendLine(const std::string& text) override {
    if (lines.size() >= room_) return false;
    lines.push_back(text);
    return true;
  }
  std::vector<std::string> lines;

 private:
  size_t room_;
};

}  // namespace malvex
