// The read-ahead worker: while the reader processes one 64 KiB block of a
// plain text file, this thread reads the next one. Reader and worker share
// the open file, the remaining count, the block buffer and its flag, all
// guarded by one lock; a manual-reset event wakes the worker.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

namespace malvex {

// A manual-reset event: stays signalled until Reset.
class ManualResetEvent {
 public:
  void Set();
  void Reset();
  // Waits until the event is signalled or `stop` returns true (checked
  // under the event's own mutex whenever the event changes).
  template <typename Pred>
  void Wait(Pred stop) {
    std::unique_lock<std::mutex> lk(m_);
    cv_.wait(lk, [&] { return signalled_ || stop(); });
  }
  void Notify() { cv_.notify_all(); }

 private:
  std::mutex m_;
  std::condition_variable cv_;
  bool signalled_ = false;
};

class TThreadDeLectureDisque {
 public:
  static constexpr int64_t kBlockSize = 65536;

  // Created suspended: the thread begins only with Start().
  TThreadDeLectureDisque();
  ~TThreadDeLectureDisque();
  TThreadDeLectureDisque(const TThreadDeLectureDisque&) = delete;
  TThreadDeLectureDisque& operator=(const TThreadDeLectureDisque&) = delete;

  // Signals the event, then starts the thread.
  void Start();
  // Stops the thread and waits for it; later TakeBlock calls fail at once.
  void Terminate();
  bool Terminated() const { return terminated_; }

  // The read-ahead lock; the reader holds it around TakeBlock and CloseFile
  // (OpenFile takes it itself).
  std::mutex& Lock() { return lock_; }
  // Wakes the worker (the reader calls it after a successful TakeBlock).
  void Signal() { event_.Set(); }

  // Closes any open file, opens `name` read-only; records the size. Takes
  // the lock: the caller must not hold it.
  bool OpenFile(const char* name, int64_t& size);
  void CloseFile();
  // Reads min(remaining, 64 KiB) into the worker's buffer. Caller holds the lock.
  bool PrefetchBlock();
  // Copies the prefetched block into `dest` (which has room for 64 KiB),
  // or reads `size` bytes from the file directly when none is ready.
  // Caller holds the lock. False on a read error or after Terminate.
  bool TakeBlock(uint8_t* dest, int64_t size);

  int LastError() const { return lastError_; }
  int64_t Remaining() const { return remaining_; }
  bool BlockReady() const { return blockReady_; }
  bool FileOpen() const { return fd_ >= 0; }
  // Number of blocks the worker thread prefetched since creation (tests).
  int64_t PrefetchCount() const { return prefetches_; }

 private:
  void Execute();
  bool ReadFull(uint8_t* dest, int64_t size);

  std::mutex lock_;
  ManualResetEvent event_;
  std::thread thread_;
  bool started_ = false;
  std::atomic<bool> terminated_{false};
  int fd_ = -1;
  int lastError_ = 0;
  int64_t size_ = 0;
  int64_t remaining_ = 0;
  std::vector<uint8_t> buffer_;
  bool blockReady_ = false;
  int64_t prefetches_ = 0;
};

}  // namespace malvex
