// Per-run counters of the word categories met by the reading pass.
#pragma once

#include <array>
#include <cstdint>

#include "foundations/category.h"

namespace malvex {

class CategoryStatistics {
 public:
  // Clears every counter at the start of a reading pass.
  void ResetStatistics() { counts_.fill(0), total_ = 0, final_ = false; }
  // Counts one stored word by its word class.
  void CountWord(const WordCategory& c) {
    ++counts_[c.category < counts_.size() ? c.category : 0];
    ++total_;
  }
  // Ends the counting of a run.
  void FinaliseStatistics() { final_ = true; }

  uint64_t Total() const { return total_; }
  uint64_t ClassCount(int category) const { return counts_[static_cast<size_t>(category)]; }
  bool Final() const { return final_; }

 private:
  std::array<uint64_t, 10> counts_{};
  uint64_t total_ = 0;
  bool final_ = false;
};

}  // namespace malvex
