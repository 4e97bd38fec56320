#include "dictionaries/semantic_format.h"

#include "dictionaries/byte_stream.h"

namespace malvex {

bool ReadSemanticHeader(ByteReader& in, SemanticFileHeader& header) {
  const uint8_t* const p = in.Take(kSemanticHeaderSize);
  if (p == nullptr) return false;
  header.version = p[0];
  header.entryCount = LoadU32(p + 1);
  header.secondCounter = LoadU32(p + 13);
  for (int i = 0; i < 3; ++i) header.baseCounts[i] = LoadU32(p + 25 + 4 * i);
  header.meaningCount = LoadU32(p + 49);
  header.senseCount = LoadU32(p + 65);
  header.nounLemmaCount = LoadU32(p + 69);
  header.nounTrieLastCell = LoadU32(p + 73);
  header.magic = LoadU32(p + 85);
  return true;
}

void WriteSemanticHeader(ByteWriter& out, const SemanticFileHeader& header) {
  out.U8(header.version);
  out.U32(header.entryCount);
  out.Zeros(8);
  out.U32(header.secondCounter);
  out.Zeros(8);
  for (uint32_t count : header.baseCounts) out.U32(count);
  out.Zeros(12);
  out.U32(header.meaningCount);
  out.Zeros(12);
  out.U32(header.senseCount);
  out.U32(header.nounLemmaCount);
  out.U32(header.nounTrieLastCell);
  out.Zeros(8);
  out.U32(header.magic);
}

MeaningRecord DecodeMeaningRecord(const uint8_t* p) {
  MeaningRecord record;
  record.flags = p[0];
  record.spare = p[1];
  record.sense = LoadU16(p + 2);
  record.lemma = LoadU32(p + 4);
  return record;
}

void WriteMeaningRecord(ByteWriter& out, const MeaningRecord& record) {
  out.U8(record.flags);
  out.U8(record.spare);
  out.U16(record.sense);
  out.U32(record.lemma);
}

int SemanticSegment(const LanguageTables& tables, const char* key, size_t length, int d) {
  const uint8_t k0 = length > 0 ? static_cast<uint8_t>(key[0]) : 0;
  const uint8_t k1 = length > 1 ? static_cast<uint8_t>(key[1]) : 0;
  const uint8_t k2 = length > 2 && k1 != 0 ? static_cast<uint8_t>(key[2]) : 0;
  int bucket = tables.initialBucket[k0];
  if (bucket > 10) bucket = 10;
  if (d == 0) {
    const int b = bucket == 0 ? 10 : bucket;
    const unsigned s = (k1 != 0 && k2 != 0) ? k1 + k2 : k1;
    return b + static_cast<int>(s % 4) * 10;
  }
  if (d == 1) return bucket % 3 + 41;
  return 62 - d;
}

}  // namespace malvex
