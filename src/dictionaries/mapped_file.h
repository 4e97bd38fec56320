// A whole file mapped read-only into memory, for dictionary files that are
// read once at start-up: the bytes are the system's cached copy, without
// a buffer to fill and copy.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace malvex {

class MappedFile {
 public:
  MappedFile() = default;
  ~MappedFile() { Close(); }
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  // Maps the file at `path`; false (nothing mapped) when it cannot be
  // opened, is not a regular file or cannot be mapped. An empty file maps
  // as zero bytes.
  bool Open(const std::string& path);
  // Unmaps the file.
  void Close();

  std::string_view bytes() const { return std::string_view(data_, size_); }

 private:
  char* data_ = nullptr;
  size_t size_ = 0;
  bool mapped_ = false;
};

}  // namespace malvex
