// The in-memory scenario. Stand-in until scenario files are read.
#pragma once

namespace malvex {

class ScenarioStore {
 public:
  bool Ok() const { return true; }
};

}  // namespace malvex
