#include "dictionaries/large_block.h"

#include <sys/mman.h>

#include <cstdint>

namespace malvex {

namespace {

constexpr size_t kLargePage = size_t{2} << 20;

}  // namespace

LargeBlock& LargeBlock::operator=(LargeBlock&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = other.data_;
    size_ = other.size_;
    other.data_ = nullptr;
    other.size_ = 0;
  }
  return *this;
}

bool LargeBlock::Allocate(size_t size) {
  Release();
  if (size == 0) return true;
  // Whole large pages starting on a large-page boundary: map one page more
  // and give back what lies outside the aligned range.
  const size_t wanted = (size + kLargePage - 1) / kLargePage * kLargePage;
  const size_t mapped = wanted + kLargePage;
  void* const p = mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (p == MAP_FAILED) return false;
  char* const start = static_cast<char*>(p);
  const uintptr_t address = reinterpret_cast<uintptr_t>(start);
  char* const aligned = start + (kLargePage - address % kLargePage) % kLargePage;
  if (aligned > start) munmap(start, static_cast<size_t>(aligned - start));
  char* const end = aligned + wanted;
  if (end < start + mapped) munmap(end, static_cast<size_t>(start + mapped - end));
#ifdef MADV_HUGEPAGE
  madvise(aligned, wanted, MADV_HUGEPAGE);  // a hint; small pages work as well
#endif
  data_ = aligned;
  size_ = wanted;
  return true;
}

void LargeBlock::Release() {
  if (data_ != nullptr) munmap(data_, size_);
  data_ = nullptr;
  size_ = 0;
}

}  // namespace malvex
