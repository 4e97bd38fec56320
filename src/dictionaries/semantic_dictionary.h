// The semantic dictionary (noun senses and their classes on three levels).
// Stand-in until the dictionary files exist: it holds no entry.
#pragma once

#include <cstdint>
#include <string>

namespace malvex {

class SemanticDictionary {
 public:
  // Opens the semantic dictionary of `basePath`.
  bool Open(const std::string& basePath) { return true; }
  uint32_t EntryCount() const { return 0; }
};

}  // namespace malvex
