#include "dictionaries/lexicon_file.h"

#include <cstring>

#include "dictionaries/byte_stream.h"

namespace malvex {

namespace {

constexpr size_t kTablesOffset = 28;
constexpr size_t kMagicOffset = kTablesOffset + sizeof(LanguageTables);  // 1129
static_assert(kMagicOffset == 1129);
static_assert(kMagicOffset + 5 == kLexiconHeaderSize);

}  // namespace

bool ReadLexiconHeader(ByteReader& in, LexiconHeader& header) {
  const uint8_t* const p = in.Take(kLexiconHeaderSize);
  if (p == nullptr) return false;
  header.version = p[0];
  header.newEntries = LoadU32(p + 1);
  header.duplicates = LoadU32(p + 5);
  header.spareByte = p[27];
  std::memcpy(&header.tables, p + kTablesOffset, sizeof(LanguageTables));
  header.magic = LoadU32(p + kMagicOffset);
  return true;
}

void WriteLexiconHeader(ByteWriter& out, const LexiconHeader& header) {
  out.U8(header.version);
  out.U32(header.newEntries);
  out.U32(header.duplicates);
  out.Zeros(18);
  out.U8(header.spareByte);
  out.Bytes(&header.tables, sizeof(LanguageTables));
  out.U32(header.magic);
  out.Zeros(1);
}

int LexiconSegment(const LanguageTables& tables, int reading, const char* folded, size_t length) {
  if (length == 0) return 0;
  const uint8_t* const k = reinterpret_cast<const uint8_t*>(folded);
  const unsigned bucket = tables.initialBucket[k[0]];
  if (bucket > 10) return 0;
  const unsigned second = length > 1 ? k[1] : 0;
  const unsigned third = length > 2 ? k[2] : 0;
  switch (reading) {
    case 0: {
      const unsigned b = bucket == 0 ? 10 : bucket;
      const unsigned s = second != 0 && third != 0 ? second + third : second;
      return static_cast<int>(b + (s % 4) * 10);
    }
    case 1:
      return static_cast<int>(bucket % 5 + 41);
    case 2:
      return second >= 0x6F ? 49 : 50;
    case 3:
    case 4:
    case 5:
      return 51 - reading;
    default:
      return 0;
  }
}

}  // namespace malvex
