#include "dictionaries/category_matrix.h"

#include "dictionaries/byte_stream.h"
#include "foundations/messages.h"
#include "platform/fatal.h"
#include "platform/files.h"

namespace malvex {

namespace {

// Catalogue message and exit code of an unreadable matrix.
constexpr int kMsgMatrixUnreadable = 218;
constexpr int kExitMatrixUnreadable = 1412;

}  // namespace

bool CategoryMatrix::FromBytes(std::string_view bytes) {
  if (bytes.size() < kBytes) return false;
  const uint8_t* const p = reinterpret_cast<const uint8_t*>(bytes.data());
  for (size_t k = 0; k < kValueCount; ++k) values_[k] = static_cast<int16_t>(LoadU16(p + 2 * k));
  return true;
}

bool CategoryMatrix::Load(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  return FromBytes(bytes);
}

void CategoryMatrix::LoadOrExit(const std::string& dictionaryBase, Messages& messages) {
  if (Load(ChangeExtension(dictionaryBase, ".zv8"))) return;
  messages.errorBox(messages.message(kMsgMatrixUnreadable));
  FatalExit(kExitMatrixUnreadable);
}

std::string CategoryMatrix::Bytes() const {
  std::string out;
  out.reserve(kBytes);
  ByteWriter writer(out);
  for (const int16_t v : values_) writer.I16(v);
  return out;
}

bool CategoryMatrix::Write(const std::string& path) const {
  return WriteFileAtomically(path, Bytes());
}

}  // namespace malvex
