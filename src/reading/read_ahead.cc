#include "reading/read_ahead.h"

#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace malvex {

void ManualResetEvent::Set() {
  {
    std::lock_guard<std::mutex> lk(m_);
    signalled_ = true;
  }
  cv_.notify_all();
}

void ManualResetEvent::Reset() {
  std::lock_guard<std::mutex> lk(m_);
  signalled_ = false;
}

TThreadDeLectureDisque::TThreadDeLectureDisque() : buffer_(kBlockSize) {}

TThreadDeLectureDisque::~TThreadDeLectureDisque() {
  Terminate();
  CloseFile();
}

void TThreadDeLectureDisque::Start() {
  if (started_ || terminated_) return;
  started_ = true;
  event_.Set();
  thread_ = std::thread([this] { Execute(); });
}

void TThreadDeLectureDisque::Terminate() {
  terminated_ = true;
  event_.Set();
  if (thread_.joinable()) thread_.join();
}

bool TThreadDeLectureDisque::OpenFile(const char* name, int64_t& size) {
  // The worker may still be in the pass the last block of the previous file
  // woke it for: unlocked, it could prefetch the new file's first block
  // while the fields are set and have it thrown away by the reset below.
  std::lock_guard<std::mutex> lk(lock_);
  CloseFile();
  int64_t fileSize = 0;
  int error = 0;
  const int fd = OpenRegularFile(name, fileSize, error);
  if (fd < 0) {
    lastError_ = error;
    return false;
  }
  fd_ = fd;
  lastError_ = 0;
  size_ = fileSize;
  remaining_ = size_;
  blockReady_ = false;
  size = size_;
  return true;
}

void TThreadDeLectureDisque::CloseFile() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  blockReady_ = false;
  remaining_ = 0;
}

bool TThreadDeLectureDisque::ReadFull(uint8_t* dest, int64_t size) {
  int64_t done = 0;
  while (done < size) {
    ssize_t n = ::read(fd_, dest + done, static_cast<size_t>(size - done));
    if (n < 0) {
      if (errno == EINTR) continue;
      lastError_ = errno;
      return false;
    }
    if (n == 0) {  // the file shrank under us
      lastError_ = EIO;
      return false;
    }
    done += n;
  }
  lastError_ = 0;
  return true;
}

bool TThreadDeLectureDisque::PrefetchBlock() {
  if (fd_ < 0) return false;
  int64_t n = std::min<int64_t>(remaining_, kBlockSize);
  if (!ReadFull(buffer_.data(), n)) return false;
  remaining_ -= n;
  blockReady_ = true;
  ++prefetches_;
  return true;
}

bool TThreadDeLectureDisque::TakeBlock(uint8_t* dest, int64_t size) {
  if (terminated_) return false;
  if (blockReady_) {
    std::copy(buffer_.begin(), buffer_.end(), dest);
    blockReady_ = false;
    return true;
  }
  if (fd_ < 0 || size < 0 || size > kBlockSize) return false;
  if (!ReadFull(dest, size)) {
    CloseFile();
    return false;
  }
  remaining_ -= size;
  return true;
}

void TThreadDeLectureDisque::Execute() {
  while (!terminated_) {
    {
      std::lock_guard<std::mutex> lk(lock_);
      if (!blockReady_ && remaining_ > 0 && fd_ >= 0) {
        if (!PrefetchBlock()) CloseFile();
      }
      event_.Reset();
    }
    event_.Wait([this] { return terminated_.load(); });
  }
}

}  // namespace malvex
