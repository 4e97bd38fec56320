#include "reading/block_source.h"

#include <algorithm>
#include <mutex>

namespace malvex {

bool PlainFileSource::Open(const char* name, int64_t& size) {
  Close();
  // OpenFile takes the worker's lock: the worker may still be running the
  // pass that the previous file's last block woke it for.
  if (!worker_.OpenFile(name, size)) return false;
  open_ = true;
  size_ = size;
  consumed_ = 0;
  return true;
}

int64_t PlainFileSource::NextBlock(uint8_t* buffer) {
  if (!open_) return -1;
  int64_t n = std::min<int64_t>(size_ - consumed_, TThreadDeLectureDisque::kBlockSize);
  if (n <= 0) return 0;
  std::lock_guard<std::mutex> lk(worker_.Lock());
  if (!worker_.TakeBlock(buffer, n)) return -1;
  worker_.Signal();
  consumed_ += n;
  return n;
}

void PlainFileSource::Close() {
  if (!open_) return;
  std::lock_guard<std::mutex> lk(worker_.Lock());
  worker_.CloseFile();
  open_ = false;
}

}  // namespace malvex
