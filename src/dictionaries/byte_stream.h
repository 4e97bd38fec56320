// Little-endian reading and writing of the dictionary files' binary images.
// ByteReader walks a block of bytes already in memory and never reads past
// its end: every read checks what remains and fails (returning false, with
// the position unchanged) on a truncated image. ByteWriter appends to a
// string.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace malvex {

class ByteReader {
 public:
  // A null `data` reads as an empty block.
  ByteReader(const void* data, size_t size)
      : data_(data == nullptr ? &kNone : static_cast<const uint8_t*>(data)),
        size_(data == nullptr ? 0 : size) {}
  explicit ByteReader(std::string_view bytes) : ByteReader(bytes.data(), bytes.size()) {}

  size_t size() const { return size_; }
  size_t position() const { return pos_; }
  size_t remaining() const { return size_ - pos_; }

  // Moves to byte `pos`; false (position unchanged) when beyond the end.
  bool Seek(size_t pos);
  // Skips `n` bytes; false (position unchanged) when fewer remain.
  bool Skip(size_t n);

  bool ReadU8(uint8_t& v);
  bool ReadU16(uint16_t& v);
  bool ReadI16(int16_t& v);
  bool ReadU32(uint32_t& v);
  bool ReadI32(int32_t& v);
  // Copies `n` bytes to `dst`.
  bool ReadBytes(void* dst, size_t n);

  // The next `n` bytes, which the reader then skips; null (position
  // unchanged) when fewer remain.
  const uint8_t* Take(size_t n);

 private:
  static constexpr uint8_t kNone = 0;

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
};

class ByteWriter {
 public:
  // Appends to `out`, which must outlive the writer.
  explicit ByteWriter(std::string& out) : out_(out) {}

  void U8(uint8_t v) { out_.push_back(static_cast<char>(v)); }
  void U16(uint16_t v);
  void I16(int16_t v) { U16(static_cast<uint16_t>(v)); }
  void U32(uint32_t v);
  void I32(int32_t v) { U32(static_cast<uint32_t>(v)); }
  void Bytes(const void* src, size_t n);
  void Zeros(size_t n) { out_.append(n, '\0'); }

  size_t size() const { return out_.size(); }

 private:
  std::string& out_;
};

// Little-endian decoding of bytes already known to be there.
inline uint16_t LoadU16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
inline uint32_t LoadU32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace malvex
