// ChunkArena: hands out chunks of one fixed size carved from large slabs.
// A slab is a 2 MiB-aligned region holding many chunks, so a pool makes
// one allocation per slab rather than one per chunk, and gives memory back
// as whole slabs. Slabs use ordinary pages: on virtual machines whose host
// reclaims free 2 MiB blocks, faulting huge pages in was measured several
// times slower than ordinary pages.
#pragma once

#include <cstddef>

namespace malvex {

class ChunkArena {
 public:
  // Slabs start on this boundary and their size is a multiple of it: the
  // size of a huge page on x86-64 and arm64 with 4 KiB pages.
  static constexpr size_t kSlabAlignment = size_t{2} << 20;

  // An arena of chunks of `chunkBytes` bytes, each aligned on
  // `chunkAlignment` (a power of two, at most kSlabAlignment). No memory is
  // taken until the first Take().
  ChunkArena(size_t chunkBytes, size_t chunkAlignment);
  ~ChunkArena();
  ChunkArena(const ChunkArena&) = delete;
  ChunkArena& operator=(const ChunkArena&) = delete;

  // A chunk of ChunkBytes() uninitialised bytes, valid until Reset() or the
  // arena's end; null when a new slab is needed and cannot be allocated
  // (the arena is then unchanged).
  void* Take() {
    if (left_ == 0) return TakeFromNewSlab();
    char* const chunk = next_;
    next_ += stride_;
    --left_;
    ++chunks_;
    return chunk;
  }

  // Gives every slab back; every chunk taken so far becomes invalid.
  void Reset();

  size_t ChunkBytes() const { return chunkBytes_; }
  // Bytes of one slab: the smallest multiple of kSlabAlignment holding a
  // chunk and the slab's bookkeeping.
  size_t SlabBytes() const { return slabBytes_; }
  size_t ChunksPerSlab() const { return chunksPerSlab_; }
  // Chunks handed out since the last Reset().
  size_t ChunkCount() const { return chunks_; }
  // Slabs held now.
  size_t SlabCount() const { return slabs_; }
  // Bytes of all the slabs held now.
  size_t BytesReserved() const { return slabs_ * slabBytes_; }

 private:
  // Kept at the end of each slab, after its last chunk.
  struct SlabTrailer {
    SlabTrailer* previous;  // the slab taken before this one
    void* allocation;       // what operator new returned for this slab
  };

  void* TakeFromNewSlab();

  const size_t chunkBytes_;
  const size_t stride_;         // chunkBytes_ rounded up to the alignment
  const size_t slabBytes_;
  const size_t chunksPerSlab_;
  char* next_ = nullptr;        // next free chunk of the newest slab
  size_t left_ = 0;             // free chunks left in the newest slab
  size_t chunks_ = 0;
  size_t slabs_ = 0;
  SlabTrailer* newest_ = nullptr;
};

}  // namespace malvex
