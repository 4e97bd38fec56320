// The lexicon file (".lv8") of a language edition: its header, which also
// carries the edition's language tables, and the numbering of the 50 trie
// segments that hold the readings of the word forms. Little-endian:
//   0      1      format version (18)
//   1      4      new entries (insertions that stored a value)
//   5      4      duplicates (insertions that met a value)
//   9      18     unused (zeros)
//   27     1      spare language-table byte, kept and never consulted
//   28     1101   the language tables (LanguageTables, in field order)
//   1129   4      magic number 1234567
//   1133   1      unused (zero)
//   1134   50x24  the Trie32 records of segments 1..50
//   then the chars of every segment with cells, in segment order, then all
//   values (2 bytes a cell), then all next links (4 bytes a cell).
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundations/language_tables.h"

namespace malvex {

class ByteReader;
class ByteWriter;

inline constexpr uint8_t kLexiconVersion = 18;
inline constexpr uint32_t kLexiconMagic = 1234567;
inline constexpr size_t kLexiconHeaderSize = 1134;
inline constexpr int kLexiconSegments = 50;
// Readings 0..5 of a form have segments; a request for reading 6 or more
// is a depth overflow.
inline constexpr int kLexiconReadings = 6;
// Built-in value of the spare language-table byte.
inline constexpr uint8_t kLexiconSpareByteDefault = 0x65;

struct LexiconHeader {
  uint8_t version = kLexiconVersion;
  uint32_t newEntries = 0;
  uint32_t duplicates = 0;
  uint8_t spareByte = kLexiconSpareByteDefault;
  LanguageTables tables{};
  uint32_t magic = kLexiconMagic;
};

// Reads the kLexiconHeaderSize bytes of a header as stored, without judging
// them; false (nothing consumed) when the image is shorter.
bool ReadLexiconHeader(ByteReader& in, LexiconHeader& header);
// Writes the header as ReadLexiconHeader reads it, unused bytes as zeros.
void WriteLexiconHeader(ByteWriter& out, const LexiconHeader& header);

// The segment (1..50) that holds reading `reading` (0..5) of the form
// `folded` (lower case, `length` bytes), with the initial-letter buckets of
// `tables`:
//   0     b + (s mod 4) x 10, b the bucket of the first byte (10 for
//         bucket 0), s the sum of the 2nd and 3rd bytes when both exist,
//         else the 2nd byte (0 for a one-byte form)          -> 1..40
//   1     bucket of the first byte mod 5 + 41                -> 41..45
//   2     49 when the 2nd byte is 'o' (0x6F) or above, else 50
//   3..5  51 - reading                                       -> 48..46
// Returns 0 for another reading number, an empty form, or a bucket above
// 10 (the tables of a damaged file).
int LexiconSegment(const LanguageTables& tables, int reading, const char* folded, size_t length);

}  // namespace malvex
