// Reads a plain file block by block through the read-ahead worker: the
// first block is read directly, and while it is processed the worker
// reads the next one.
#pragma once

#include <cstdint>

#include "reading/read_ahead.h"

namespace malvex {

class PlainFileSource {
 public:
  // `worker` must outlive the source.
  explicit PlainFileSource(TThreadDeLectureDisque& worker) : worker_(worker) {}
  ~PlainFileSource() { Close(); }
  PlainFileSource(const PlainFileSource&) = delete;
  PlainFileSource& operator=(const PlainFileSource&) = delete;

  // Opens `name`; `size` receives its size in bytes.
  bool Open(const char* name, int64_t& size);
  // Fills `buffer` (room for 65,536 bytes) with the next block. Returns
  // the number of bytes of the block, 0 at the end, -1 on a read error.
  int64_t NextBlock(uint8_t* buffer);
  void Close();
  int64_t Consumed() const { return consumed_; }

 private:
  TThreadDeLectureDisque& worker_;
  bool open_ = false;
  int64_t size_ = 0;
  int64_t consumed_ = 0;
};

}  // namespace malvex
