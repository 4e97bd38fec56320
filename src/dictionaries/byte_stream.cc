#include "dictionaries/byte_stream.h"

#include <cstring>

namespace malvex {

bool ByteReader::Seek(size_t pos) {
  if (pos > size_) return false;
  pos_ = pos;
  return true;
}

bool ByteReader::Skip(size_t n) {
  if (n > remaining()) return false;
  pos_ += n;
  return true;
}

const uint8_t* ByteReader::Take(size_t n) {
  if (n > remaining()) return nullptr;
  const uint8_t* const p = data_ + pos_;
  pos_ += n;
  return p;
}

bool ByteReader::ReadU8(uint8_t& v) {
  const uint8_t* const p = Take(1);
  if (p == nullptr) return false;
  v = p[0];
  return true;
}

bool ByteReader::ReadU16(uint16_t& v) {
  const uint8_t* const p = Take(2);
  if (p == nullptr) return false;
  v = LoadU16(p);
  return true;
}

bool ByteReader::ReadI16(int16_t& v) {
  uint16_t u;
  if (!ReadU16(u)) return false;
  v = static_cast<int16_t>(u);
  return true;
}

bool ByteReader::ReadU32(uint32_t& v) {
  const uint8_t* const p = Take(4);
  if (p == nullptr) return false;
  v = LoadU32(p);
  return true;
}

bool ByteReader::ReadI32(int32_t& v) {
  uint32_t u;
  if (!ReadU32(u)) return false;
  v = static_cast<int32_t>(u);
  return true;
}

bool ByteReader::ReadBytes(void* dst, size_t n) {
  const uint8_t* const p = Take(n);
  if (p == nullptr) return false;
  if (n > 0) std::memcpy(dst, p, n);
  return true;
}

void ByteWriter::U16(uint16_t v) {
  out_.push_back(static_cast<char>(v & 0xFF));
  out_.push_back(static_cast<char>(v >> 8));
}

void ByteWriter::U32(uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out_.push_back(static_cast<char>((v >> shift) & 0xFF));
}

void ByteWriter::Bytes(const void* src, size_t n) {
  if (n > 0) out_.append(static_cast<const char*>(src), n);
}

}  // namespace malvex
