#include "dictionaries/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace malvex {

bool MappedFile::Open(const std::string& path) {
  Close();
  int64_t fileSize = 0;
  int error = 0;
  const int fd = OpenRegularFile(path, fileSize, error);
  if (fd < 0) return false;
  struct stat st;
  bool ok = ::fstat(fd, &st) == 0;
  if (ok && st.st_size > 0) {
    // Populated at once: the whole file is read anyway.
    void* const p = ::mmap(nullptr, static_cast<size_t>(st.st_size), PROT_READ,
                           MAP_PRIVATE | MAP_POPULATE, fd, 0);
    if (p == MAP_FAILED) {
      ok = false;
    } else {
      data_ = static_cast<char*>(p);
      size_ = static_cast<size_t>(st.st_size);
      mapped_ = true;
    }
  }
  ::close(fd);
  return ok;
}

void MappedFile::Close() {
  if (mapped_) ::munmap(data_, size_);
  data_ = nullptr;
  size_ = 0;
  mapped_ = false;
}

}  // namespace malvex
