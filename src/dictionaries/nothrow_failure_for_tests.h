// Test-only: makes `new (std::nothrow)` fail on demand so that the handling
// of exhausted memory can be exercised. One test file of a test program
// expands MALVEX_DEFINE_FAILING_NOTHROW_NEW() at namespace scope; any test of
// that program may then use NothrowFailure.
#pragma once

#include <cstddef>
#include <new>

namespace malvex::testing {

// Countdown of nothrow allocations that still succeed; negative: all succeed.
inline int nothrowAllocationsLeft = -1;

inline bool NothrowAllocationFails() {
  if (nothrowAllocationsLeft < 0) return false;
  if (nothrowAllocationsLeft == 0) return true;
  --nothrowAllocationsLeft;
  return false;
}

// For its lifetime, the first `succeeding` nothrow allocations succeed and
// every later one fails.
class NothrowFailure {
 public:
  explicit NothrowFailure(int succeeding) { nothrowAllocationsLeft = succeeding; }
  ~NothrowFailure() { nothrowAllocationsLeft = -1; }
  NothrowFailure(const NothrowFailure&) = delete;
  NothrowFailure& operator=(const NothrowFailure&) = delete;
};

}  // namespace malvex::testing

// The replacements forward to the ordinary operators, so that memory they
// return is released by the ordinary delete.
#define MALVEX_DEFINE_FAILING_NOTHROW_NEW()                                    \
  void* operator new(std::size_t size, const std::nothrow_t&) noexcept {       \
    if (malvex::testing::NothrowAllocationFails()) return nullptr;             \
    try {                                                                      \
      return ::operator new(size);                                             \
    } catch (...) {                                                            \
      return nullptr;                                                          \
    }                                                                          \
  }                                                                            \
  void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {     \
    if (malvex::testing::NothrowAllocationFails()) return nullptr;             \
    try {                                                                      \
      return ::operator new[](size);                                           \
    } catch (...) {                                                            \
      return nullptr;                                                          \
    }                                                                          \
  }
