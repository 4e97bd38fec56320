// The quicksort with which every ranked table of the system is ordered: the
// pivot is the element at the middle position, and the partition scans from
// both ends, exchanging a left element that does not belong before the
// pivot with a right element that the pivot does not belong before. Equal
// elements end in the order this sort leaves them, which is part of the
// result, so every ranking goes through this one routine.
#pragma once

#include <cstddef>
#include <utility>

namespace malvex {

// Sorts items[0..count-1] so that no element is `before` one in front of it.
// `before(a, b)` is true when a must come before b (strictly: false for
// equal elements); for a ranking by count, largest first, it is
// count(a) > count(b). `items` is any random-access sequence indexed by
// size_t (a pointer, a vector iterator). The smaller part of each partition
// is sorted by recursion and the larger one by the loop, so the stack stays
// logarithmic; the order reached is the one of the plain recursive sort.
template <typename RandomIt, typename Before>
void QuickSort(RandomIt items, size_t count, Before before) {
  if (count < 2) return;
  ptrdiff_t first = 0;
  ptrdiff_t last = static_cast<ptrdiff_t>(count) - 1;
  while (first < last) {
    ptrdiff_t i = first;
    ptrdiff_t j = last;
    const auto pivot = items[static_cast<size_t>((first + last) / 2)];
    do {
      while (before(items[static_cast<size_t>(i)], pivot)) ++i;
      while (before(pivot, items[static_cast<size_t>(j)])) --j;
      if (i <= j) {
        using std::swap;
        swap(items[static_cast<size_t>(i)], items[static_cast<size_t>(j)]);
        ++i;
        --j;
      }
    } while (i <= j);
    // [first, j] and [i, last] are left to sort; they do not overlap, so the
    // order in which they are sorted does not change the result.
    if (j - first < last - i) {
      if (first < j) QuickSort(items + first, static_cast<size_t>(j - first + 1), before);
      first = i;
    } else {
      if (i < last) QuickSort(items + i, static_cast<size_t>(last - i + 1), before);
      last = j;
    }
  }
}

}  // namespace malvex
