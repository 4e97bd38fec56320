#include "dictionaries/chunk_arena.h"



#include <cassert>
#include <cstdint>
#include <new>

namespace malvex {
namespace {

constexpr size_t RoundUp(size_t n, size_t alignment) {
  return (n + alignment - 1) & ~(alignment - 1);
}

// Chunks beyond this size are refused, so that the slab arithmetic cannot
// overflow.
constexpr size_t kMaxChunkBytes = SIZE_MAX / 4;

}  // namespace

ChunkArena::ChunkArena(size_t chunkBytes, size_t chunkAlignment)
    : chunkBytes_(chunkBytes == 0 ? 1 : chunkBytes),
      stride_(chunkBytes_ > kMaxChunkBytes ? 0 : RoundUp(chunkBytes_, chunkAlignment)),
      slabBytes_(stride_ == 0 ? 0
                              : RoundUp(chunkBytes_ + sizeof(SlabTrailer), kSlabAlignment)),
      // The last chunk of a slab needs its own bytes only, not a full stride.
      chunksPerSlab_(stride_ == 0
                         ? 0
                         : (slabBytes_ - sizeof(SlabTrailer) - chunkBytes_) / stride_ + 1) {
  assert(chunkAlignment != 0 && (chunkAlignment & (chunkAlignment - 1)) == 0);
  assert(chunkAlignment <= kSlabAlignment);
}

ChunkArena::~ChunkArena() { Reset(); }

void* ChunkArena::TakeFromNewSlab() {
  if (chunksPerSlab_ == 0) return nullptr;
  // The nothrow operator new keeps slabs under the process's allocator (and
  // its accounting); the extra bytes leave room to start on the boundary.
  // They are never touched, so they cost address space only.
  void* const allocation = ::operator new(slabBytes_ + kSlabAlignment, std::nothrow);
  if (allocation == nullptr) return nullptr;
  const uintptr_t start = RoundUp(reinterpret_cast<uintptr_t>(allocation), kSlabAlignment);
  char* const slab = reinterpret_cast<char*>(start);
  newest_ = new (slab + slabBytes_ - sizeof(SlabTrailer)) SlabTrailer{newest_, allocation};
  ++slabs_;
  next_ = slab + stride_;
  left_ = chunksPerSlab_ - 1;
  ++chunks_;
  return slab;
}

void ChunkArena::Reset() {
  SlabTrailer* slab = newest_;
  while (slab != nullptr) {
    SlabTrailer* const previous = slab->previous;
    ::operator delete(slab->allocation);
    slab = previous;
  }
  newest_ = nullptr;
  next_ = nullptr;
  left_ = 0;
  chunks_ = 0;
  slabs_ = 0;
}

}  // namespace malvex
