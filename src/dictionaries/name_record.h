// Name records: the fixed 80-byte slots in which the dictionary files store
// texts (class names, noun lemmas, lemma texts). A record whose first byte is
// 0 is an empty slot. Otherwise the text, up to its first zero byte, is
// stored scrambled: the character c at position i (0-based) is stored as
// c - i. Reading turns a stored byte b at position i back into i + b when
// that sum is at most 255 and keeps b as it is otherwise.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "dictionaries/byte_stream.h"

namespace malvex {

inline constexpr size_t kNameRecordSize = 80;
// Longest text a name record holds (the record keeps a terminating zero).
inline constexpr size_t kNameRecordMaxLength = kNameRecordSize - 1;
// Name records are read in blocks of at most this many records.
inline constexpr size_t kNameRecordBlock = 500;

// Decodes one record into `text` (empty for an empty slot). At most
// kNameRecordMaxLength characters are taken, so a record without a zero
// byte never reads past its 80 bytes. Returns false for an empty slot.
bool UnscrambleNameRecord(const uint8_t* record, std::string& text);

// True when `text` can be stored in a record and read back unchanged: not
// empty, at most 79 characters, no zero byte, and every character c at
// position i above i (a smaller one would be stored as 0 or below).
bool CanScrambleName(std::string_view text);

// Fills the 80 bytes of `record` with `text` scrambled, zero-padded; an empty
// text gives an empty slot. False (record all zeros) when !CanScrambleName
// for a non-empty text.
bool ScrambleNameRecord(std::string_view text, uint8_t* record);

// Appends the record of `text` (see ScrambleNameRecord) to `out`.
bool WriteNameRecord(ByteWriter& out, std::string_view text);

// Reads `count` records from `in`, in blocks of at most kNameRecordBlock,
// calling `take(index, text)` for each, index 1..count, with the empty slots
// passed as empty texts. False, consuming nothing, when the image holds
// fewer than count records.
template <typename Take>
bool ReadNameRecords(ByteReader& in, uint32_t count, Take take);

template <typename Take>
bool ReadNameRecords(ByteReader& in, uint32_t count, Take take) {
  if (static_cast<uint64_t>(count) * kNameRecordSize > in.remaining()) return false;
  std::string text;
  uint32_t index = 0;
  while (index < count) {
    const uint32_t block =
        count - index < kNameRecordBlock ? count - index : static_cast<uint32_t>(kNameRecordBlock);
    const uint8_t* const p = in.Take(static_cast<size_t>(block) * kNameRecordSize);
    for (uint32_t i = 0; i < block; ++i) {
      UnscrambleNameRecord(p + static_cast<size_t>(i) * kNameRecordSize, text);
      take(++index, std::string_view(text));
    }
  }
  return true;
}

}  // namespace malvex
