#include "dictionaries/name_record.h"

#include <cstring>

#include "dictionaries/byte_stream.h"

namespace malvex {

bool UnscrambleNameRecord(const uint8_t* record, std::string& text) {
  text.clear();
  if (record[0] == 0) return false;
  for (size_t i = 0; i < kNameRecordMaxLength && record[i] != 0; ++i) {
    const unsigned sum = static_cast<unsigned>(i) + record[i];
    text.push_back(static_cast<char>(sum <= 255 ? sum : record[i]));
  }
  return true;
}

bool CanScrambleName(std::string_view text) {
  if (text.empty() || text.size() > kNameRecordMaxLength) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    if (static_cast<uint8_t>(text[i]) <= i) return false;
  }
  return true;
}

bool ScrambleNameRecord(std::string_view text, uint8_t* record) {
  std::memset(record, 0, kNameRecordSize);
  if (text.empty()) return true;
  if (!CanScrambleName(text)) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    record[i] = static_cast<uint8_t>(static_cast<uint8_t>(text[i]) - i);
  }
  return true;
}

bool WriteNameRecord(ByteWriter& out, std::string_view text) {
  uint8_t record[kNameRecordSize];
  const bool ok = ScrambleNameRecord(text, record);
  out.Bytes(record, sizeof record);
  return ok;
}

}  // namespace malvex
