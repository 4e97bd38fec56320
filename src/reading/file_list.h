// The list of files one analysis run reads, in order, numbered from 1.
#pragma once

#include <string>
#include <vector>

namespace malvex {

class TPileFile {
 public:
  static constexpr int kMaxFiles = 10000;

  // Frees every name; the count returns to 0.
  void Clear() { names_.clear(); }
  // Appends a copy of `name`; false when the list already holds 10,000.
  bool Add(const std::string& name);
  // Entry i (1-based); entry 1 when i is out of range; "" when empty.
  const std::string& Get(int i) const;
  int Count() const { return static_cast<int>(names_.size()); }

 private:
  std::vector<std::string> names_;
};

}  // namespace malvex
