// The stored form of the semantic dictionary (".sv8"), shared by the
// dictionary that reads it and the builder that writes it: the 89-byte
// header repeated five times, the meaning records, the class triples and the
// choice of the segment that holds a reading of a form. Little-endian.
//
// File layout, in order:
//   1. header;
//   2. 60 Trie32 records (24 bytes) for segments 1..60;
//   3. chars of segments 1..60 (n bytes each);
//   4. header;
//   5. values of segments 1..60 (n x 4 bytes);
//   6. the M meaning records (8 bytes each);
//   7. the class triple table (65,535 x 6 bytes);
//   8. header;
//   9. next of segments 1..60 (n x 4 bytes);
//  10. header;
//  11. the class names of levels 1, 2 and 3 (base count each), name records;
//  12. the class-name indexes of levels 1, 2, 3 (19, 2 and 1 Trie16, each a
//      20-byte record followed by chars, values and next);
//  13. the noun lemma trie: chars, values (4 bytes), next (4 bytes), C + 1
//      cells, without a record;
//  14. the S noun lemma names, name records;
//  15. header.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundations/language_tables.h"

namespace malvex {

class ByteReader;
class ByteWriter;

inline constexpr uint8_t kSemanticFileVersion = 19;
inline constexpr uint32_t kSemanticFileMagic = 1234567;
inline constexpr size_t kSemanticHeaderSize = 89;
inline constexpr int kSemanticHeaderCopies = 5;
inline constexpr char kSemanticFileExtension[] = ".sv8";

// Word forms map to meaning records through 60 segments, numbered 1..60.
inline constexpr int kSemanticSegments = 60;
// Readings 0..17 of a form have a segment of their own.
inline constexpr int kSemanticReadings = 18;

// Class numbers of a level, sense numbers and the slots of the names of
// level 1 run from 1 to this number.
inline constexpr uint32_t kMaxClassNumber = 65535;
inline constexpr size_t kMeaningRecordSize = 8;
inline constexpr size_t kClassTripleSize = 6;
inline constexpr uint32_t kClassTripleCount = 65535;

// Tries of the class-name index of levels 1, 2, 3 (index [level - 1]).
inline constexpr int kLevelIndexTries[3] = {19, 2, 1};

// Sense flags of a meaning record.
inline constexpr uint8_t kSenseKeyLevelMask = 0x03;     // key level 0..3
inline constexpr uint8_t kSenseNeedsCapital = 0x20;     // capitalised word
inline constexpr uint8_t kSenseNeedsAllCapitals = 0x40; // word in capitals
inline constexpr uint8_t kSenseNeedsContext = 0x80;     // a recent noun of its class

// The fields of the header that are read; the others are written as zeros.
struct SemanticFileHeader {
  uint8_t version = kSemanticFileVersion;  // offset 0
  uint32_t entryCount = 0;                 // 1; the same in every copy
  uint32_t secondCounter = 0;              // 13; kept, not consulted
  uint32_t baseCounts[3] = {};             // 25; classes of levels 1, 2, 3
  uint32_t meaningCount = 0;               // 49; M, meaning records
  uint32_t senseCount = 0;                 // 65; kept, not consulted
  uint32_t nounLemmaCount = 0;             // 69; S, noun lemmas
  uint32_t nounTrieLastCell = 0;           // 73; C, cells of the noun trie - 1
  uint32_t magic = kSemanticFileMagic;     // 85
};

// Reads one header; false (nothing consumed) when fewer than 89 bytes remain.
bool ReadSemanticHeader(ByteReader& in, SemanticFileHeader& header);
void WriteSemanticHeader(ByteWriter& out, const SemanticFileHeader& header);

// One meaning record: what reading of a form means.
struct MeaningRecord {
  uint8_t flags = 0;   // sense flags (kSense*)
  uint8_t spare = 0;   // copied, never consulted
  uint16_t sense = 0;  // index into the class triples; 0: no classes
  uint32_t lemma = 0;  // noun lemma number; 0: none
};

// Decodes the 8 bytes at `p`.
MeaningRecord DecodeMeaningRecord(const uint8_t* p);
void WriteMeaningRecord(ByteWriter& out, const MeaningRecord& record);

// The segment (1..60, 44 excepted) of reading `d` (0..17) of the folded form
// `key` (`length` bytes; bytes past the end count as 0):
//   d = 0:     b + (s mod 4) x 10, b the initial-letter bucket of key[0]
//              (10 when that bucket is 0), s = key[1] + key[2] when both are
//              non-zero, else key[1]; range 1..40;
//   d = 1:     bucket of key[0] mod 3 + 41 (41..43);
//   d = 2..17: 62 - d (60 down to 45).
// A bucket outside 0..10 (a damaged table) counts as 10.
int SemanticSegment(const LanguageTables& tables, const char* key, size_t length, int d);

}  // namespace malvex
