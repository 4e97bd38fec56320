// RankedCounts: one 32-bit occurrence counter per number 1..size, counted
// during an analysis run, and the ranking of the numbers with a positive
// count, largest count first. Lemma indexes, the noun lemma dictionary and
// the class levels of the semantic dictionary count and rank this way.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace malvex {

class Messages;

class RankedCounts {
 public:
  // No counter yet. `messages` (may be null) reports exhausted memory.
  explicit RankedCounts(Messages* messages) : messages_(messages) {}
  RankedCounts(const RankedCounts&) = delete;
  RankedCounts& operator=(const RankedCounts&) = delete;

  // Room for the numbers 1..size; counters already there keep their value,
  // new ones start at 0; the ranking is emptied. Running out of memory shows
  // catalogue message 0 and ends the process with exit code 1.
  void Resize(uint32_t size);
  uint32_t Size() const { return size_; }

  // Adds one to the counter of `number`; false (nothing counted) outside
  // 1..Size().
  bool Add(uint32_t number) {
    if (number == 0 || number > size_) return false;
    if (counts_[number]++ == 0) Touch(number);
    return true;
  }
  // The counter of `number`; 0 outside 1..Size().
  uint32_t CountOf(uint32_t number) const {
    return number == 0 || number > size_ ? 0 : counts_[number];
  }
  // Sets the counter of `number`; false outside 1..Size().
  bool Set(uint32_t number, uint32_t count);

  // Zeroes every counter and empties the ranking. A run counts few of the
  // numbers: when the counters that left 0 are known, only those are
  // zeroed.
  void Reset();

  // Lists the numbers 1..min(last, Size()) whose counter is positive, in
  // increasing order, then, when there are at least two, sorts them by
  // count, largest first, with the system's quicksort (equal counts end in
  // the order it leaves them).
  void Rank(uint32_t last);
  // Rank(Size()).
  void Rank() { Rank(size_); }
  // As Rank(last), listing only the numbers m with selected[m] != 0
  // (`selected` holds at least last + 1 flags).
  void RankSelected(uint32_t last, const uint8_t* selected);
  // Numbers in the ranking.
  uint32_t RankedLength() const { return rankedLength_; }
  // The number at `rank` (1-based); 0 outside 1..RankedLength().
  uint32_t RankedNumber(uint32_t rank) const {
    return rank == 0 || rank > rankedLength_ ? 0 : ranking_[rank - 1];
  }
  // The counter of the number at `rank`; 0 outside the ranking.
  uint32_t CountAtRank(uint32_t rank) const { return CountOf(RankedNumber(rank)); }

 private:
  // Most numbers tracked, as a share of the size (1 in kTrackedShare):
  // beyond, Reset and Rank visit every counter.
  static constexpr uint32_t kTrackedShare = 8;

  // Notes that the counter of `number` left 0.
  void Touch(uint32_t number) {
    if (!tracked_) return;
    if (touched_.size() < size_ / kTrackedShare)
      touched_.push_back(number);
    else
      tracked_ = false;
  }

  Messages* const messages_;
  // counts_[0] is never used, so that numbers index the array directly.
  std::unique_ptr<uint32_t[]> counts_;
  std::unique_ptr<uint32_t[]> ranking_;
  uint32_t size_ = 0;
  uint32_t rankedLength_ = 0;
  // While `tracked_`, every counter that is not 0 is listed in `touched_`
  // (in no order, perhaps more than once).
  std::vector<uint32_t> touched_;
  bool tracked_ = true;
};

}  // namespace malvex
