#include "dictionaries/ranked_counts.h"

#include <algorithm>
#include <new>

#include "dictionaries/quicksort.h"
#include "foundations/messages.h"
#include "platform/fatal.h"

namespace malvex {

void RankedCounts::Resize(uint32_t size) {
  const size_t cells = static_cast<size_t>(size) + 1;
  std::unique_ptr<uint32_t[]> counts(new (std::nothrow) uint32_t[cells]());
  std::unique_ptr<uint32_t[]> ranking(new (std::nothrow) uint32_t[cells]());
  if (counts == nullptr || ranking == nullptr) {
    if (messages_ != nullptr) messages_->checkMemory(nullptr);
    FatalExit(1);
  }
  if (counts_ != nullptr) std::copy(counts_.get(), counts_.get() + std::min(size, size_) + 1, counts.get());
  // The counters kept stay listed; a smaller size would leave numbers out
  // of range in the list.
  if (size < size_) tracked_ = false;
  counts_ = std::move(counts);
  ranking_ = std::move(ranking);
  size_ = size;
  rankedLength_ = 0;
}

bool RankedCounts::Set(uint32_t number, uint32_t count) {
  if (number == 0 || number > size_) return false;
  if (counts_[number] == 0 && count != 0) Touch(number);
  counts_[number] = count;
  return true;
}

void RankedCounts::Reset() {
  if (counts_ != nullptr) {
    if (tracked_) {
      for (const uint32_t number : touched_) counts_[number] = 0;
    } else {
      std::fill(counts_.get(), counts_.get() + size_ + 1, 0u);
    }
  }
  touched_.clear();
  tracked_ = true;
  rankedLength_ = 0;
}

void RankedCounts::Rank(uint32_t last) { RankSelected(last, nullptr); }

void RankedCounts::RankSelected(uint32_t last, const uint8_t* selected) {
  rankedLength_ = 0;
  last = std::min(last, size_);
  const auto consider = [&](uint32_t m) {
    if (counts_[m] > 0 && (selected == nullptr || selected[m] != 0)) ranking_[rankedLength_++] = m;
  };
  if (tracked_) {
    // The counters not 0 are among those listed: in increasing order, once
    // each, they give the list a walk over every counter gives.
    std::sort(touched_.begin(), touched_.end());
    touched_.erase(std::unique(touched_.begin(), touched_.end()), touched_.end());
    for (const uint32_t m : touched_) {
      if (m > last) break;
      consider(m);
    }
  } else {
    for (uint32_t m = 1; m <= last; ++m) consider(m);
  }
  const uint32_t* const counts = counts_.get();
  QuickSort(ranking_.get(), rankedLength_,
            [counts](uint32_t a, uint32_t b) { return counts[a] > counts[b]; });
}

}  // namespace malvex
