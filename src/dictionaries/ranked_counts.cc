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
  counts_ = std::move(counts);
  ranking_ = std::move(ranking);
  size_ = size;
  rankedLength_ = 0;
}

bool RankedCounts::Set(uint32_t number, uint32_t count) {
  if (number == 0 || number > size_) return false;
  counts_[number] = count;
  return true;
}

void RankedCounts::Reset() {
  if (counts_ != nullptr) std::fill(counts_.get(), counts_.get() + size_ + 1, 0u);
  rankedLength_ = 0;
}

void RankedCounts::Rank(uint32_t last) { RankSelected(last, nullptr); }

void RankedCounts::RankSelected(uint32_t last, const uint8_t* selected) {
  rankedLength_ = 0;
  last = std::min(last, size_);
  for (uint32_t m = 1; m <= last; ++m) {
    if (counts_[m] > 0 && (selected == nullptr || selected[m] != 0)) ranking_[rankedLength_++] = m;
  }
  const uint32_t* const counts = counts_.get();
  QuickSort(ranking_.get(), rankedLength_,
            [counts](uint32_t a, uint32_t b) { return counts[a] > counts[b]; });
}

}  // namespace malvex
