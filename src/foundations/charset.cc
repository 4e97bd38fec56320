#include "foundations/charset.h"

#include <array>

namespace malvex {

namespace {

// ---- Case tables ----------------------------------------------------------

constexpr std::array<uint8_t, 256> MakeFoldTable() {
  std::array<uint8_t, 256> fold{};
  for (int b = 0; b < 256; ++b) fold[b] = static_cast<uint8_t>(b);
  for (int b = 0x41; b <= 0x5A; ++b) fold[b] = static_cast<uint8_t>(b + 0x20);
  fold[0x8A] = 0x9A;
  fold[0x8C] = 0x9C;
  fold[0x8E] = 0x9E;
  fold[0x9F] = 0xFF;
  fold[0xAA] = 0xBA;
  for (int b = 0xC0; b <= 0xD6; ++b) fold[b] = static_cast<uint8_t>(b + 0x20);
  for (int b = 0xD8; b <= 0xDE; ++b) fold[b] = static_cast<uint8_t>(b + 0x20);
  return fold;
}
constexpr std::array<uint8_t, 256> kFold = MakeFoldTable();

// The letter pairs (lower, upper) of code page 1250 outside a-z and the
// block 0xE0-0xFE / 0xC0-0xDE: š ś ť ž ź, ł ą ş ľ ż. Ş (0xAA) and ş (0xBA)
// stand for Ș and ș too, as Ţ (0xDE) and ţ (0xFE) for Ț and ț.
constexpr uint8_t kLetterPairs[][2] = {{0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F},
                                       {0xB3, 0xA3}, {0xB9, 0xA5}, {0xBA, 0xAA}, {0xBE, 0xBC}, {0xBF, 0xAF}};

// The upper-case partner of every byte in code page 1250: a-z, the pairs
// above, and 0xE0-0xFE but for the division sign 0xF7 (ă â î ţ among them).
// Letters without one (ß 0xDF) and every sign (µ 0xB5, the dot above 0xFF)
// stay as they are. It is not the fold table inverted: that one folds ź
// (0x9F) to the dot above (0xFF) and leaves ť ź ł ą ľ ż alone.
constexpr std::array<uint8_t, 256> MakeUpperTable() {
  std::array<uint8_t, 256> upper{};
  for (int b = 0; b < 256; ++b) upper[b] = static_cast<uint8_t>(b);
  for (int b = 'a'; b <= 'z'; ++b) upper[b] = static_cast<uint8_t>(b - 0x20);
  for (int b = 0xE0; b <= 0xFE; ++b) {
    if (b != 0xF7) upper[b] = static_cast<uint8_t>(b - 0x20);
  }
  for (const auto& pair : kLetterPairs) upper[pair[0]] = pair[1];
  return upper;
}
constexpr std::array<uint8_t, 256> kUpper = MakeUpperTable();

// The upper-case letters: the partners of the table above.
constexpr std::array<bool, 256> MakeUpperLetterTable() {
  std::array<bool, 256> isUpper{};
  for (int b = 0; b < 256; ++b) {
    if (kUpper[b] != b) isUpper[kUpper[b]] = true;
  }
  return isUpper;
}
constexpr std::array<bool, 256> kUpperLetter = MakeUpperLetterTable();

static_assert(kUpper[0xBA] == 0xAA && kUpper[0xE3] == 0xC3 && kUpper[0xFE] == 0xDE && kUpper[0xE2] == 0xC2 &&
              kUpper[0xEE] == 0xCE);
static_assert(kUpper[0xDF] == 0xDF && kUpper[0xB5] == 0xB5 && kUpper[0xFF] == 0xFF && kUpper[0x9F] == 0x8F);

// ---- Unicode to 8-bit -------------------------------------------------------

// Base letters of U+0100..U+024F ('?' where there is no single base letter).
constexpr char kLatinExtended[] =
    "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIi??JjKk?LlLlLlL"  // U+0100
    "lLlNnNnNnn??OoOoOo??RrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs"  // U+0140
    "bBBb???Cc?DDd????FfG???IKkl??NnOOo??Pp?????tTtTUu?VYyZz?????????"  // U+0180
    "?????????????AaIiOoUuUuUuUuUu?AaAa??GgGgKkOoOo??j???Gg??NnAa??Oo"  // U+01C0
    "AaAaEeEeIiIiOoOoRrRrUuUuSsTt??HhNd??ZzAaEeOoOoOoOoYylntj??ACcLTs"  // U+0200
    "z??B??EeJj?qRrYy";                                                 // U+0240
static_assert(sizeof(kLatinExtended) - 1 == 0x250 - 0x100);

// Base letters of U+1E00..U+1EFF (Latin Extended Additional).
constexpr char kLatinAdditional[] =
    "AaBbBbBbCcDdDdDdDdDdEeEeEeEeEeFfGgHhHhHhHhHhIiIiKkKkKkLlLlLlLlMm"  // U+1E00
    "MmMmNnNnNnNnOoOoOoOoPpPpRrRrRrRrSsSsSsSsSsTtTtTtTtUuUuUuUuUuVvVv"  // U+1E40
    "WwWwWwWwWwXxXxYyZzZzZzhtwyasss??AaAaAaAaAaAaAaAaAaAaAaAaEeEeEeEe"  // U+1E80
    "EeEeEeEeIiIiOoOoOoOoOoOoOoOoOoOoOoOoUuUuUuUuUuUuUuYyYyYyYy????Yy";  // U+1EC0
static_assert(sizeof(kLatinAdditional) - 1 == 0x100);

// Letters shown by the letter-like symbols U+2102..U+2134.
constexpr char kLetterLike[] = "C????E??gHHHhhIILl?N??PPQRRR????T?Z?O?Z?KABCeeEFFMo";
static_assert(sizeof(kLetterLike) - 1 == 0x2134 - 0x2102 + 1);

// Box drawing U+2500..U+257F: horizontal pieces draw as '-', vertical ones
// as the broken bar, corners, crossings and diagonals as '+'.
constexpr uint16_t kBoxHorizontal[] = {0x2500, 0x2501, 0x2504, 0x2505, 0x2508, 0x2509, 0x254C, 0x254D,
                                       0x2550, 0x2574, 0x2576, 0x2578, 0x257A, 0x257C, 0x257E};
constexpr uint16_t kBoxVertical[] = {0x2502, 0x2503, 0x2506, 0x2507, 0x250A, 0x250B, 0x254E, 0x254F,
                                     0x2551, 0x2575, 0x2577, 0x2579, 0x257B, 0x257D, 0x257F};

struct UnicodeMapping {
  uint16_t unit;
  uint8_t byte;
};

// Explicit entries; they are applied last and win over the rules above.
constexpr UnicodeMapping kUnicodeExplicit[] = {
    // Latin letters that keep a Romanian or Windows letter.
    {0x0100, 0xC2}, {0x0101, 0xE2}, {0x0102, 0xC3}, {0x0103, 0xE3}, {0x0110, 0xD0},
    {0x0151, 0xF5}, {0x0152, 0x8C}, {0x0153, 0x9C}, {0x0160, 0x8A}, {0x0161, 0x9A},
    {0x0178, 0x9F}, {0x017D, 0x8E}, {0x017E, 0x9E},
    {0x015E, 0xAA}, {0x015F, 0xBA}, {0x0218, 0xAA}, {0x0219, 0xBA},  // S cedilla / comma below
    {0x0162, 0xDE}, {0x0163, 0xFE}, {0x021A, 0xDE}, {0x021B, 0xFE},  // T cedilla / comma below
    // Typographic signs of the Windows code page.
    {0x2013, 0x96}, {0x2014, 0x97}, {0x2018, 0x91}, {0x2019, 0x92}, {0x201A, 0x82},
    {0x201C, 0x93}, {0x201D, 0x94}, {0x201E, 0x84}, {0x2020, 0x86}, {0x2021, 0x87},
    {0x2022, 0x95}, {0x2026, 0x85}, {0x2030, 0x89}, {0x2039, 0x8B}, {0x203A, 0x9B},
    {0x20AC, 0x80}, {0x2122, 0x99}, {0x02C6, 0x88}, {0x02DC, 0x98},
    // Look-alikes.
    {0x3000, ' '}, {0x2010, '-'}, {0x2011, '-'}, {0x2212, '-'},
    // Super- and subscript digits and signs.
    {0x2070, '0'}, {0x2071, 'i'}, {0x207A, '+'}, {0x207B, '-'}, {0x207C, '='},
    {0x207D, '('}, {0x207E, ')'}, {0x207F, 'n'}, {0x208A, '+'}, {0x208B, '-'},
    {0x208C, '='}, {0x208D, '('}, {0x208E, ')'},
    // Greek letters.
    {0x03B1, 'a'}, {0x03B2, 0xDF}, {0x03B4, 'd'}, {0x03B5, 'e'}, {0x03BC, 0xB5},
    {0x03C0, 'p'}, {0x03C3, 's'}, {0x03C4, 't'}, {0x03C6, 'f'},
    {0x0393, 'G'}, {0x0398, 'T'}, {0x03A3, 'S'}, {0x03A6, 'F'}, {0x03A9, 'O'},
};

struct UnicodeTable {
  uint8_t byte[0xFFFF];  // indexed by code unit 0x0000..0xFFFE
};

constexpr UnicodeTable MakeUnicodeTable() {
  UnicodeTable t{};
  for (int u = 0; u < 0xFFFF; ++u) t.byte[u] = '?';
  for (int u = 0x00; u <= 0x7F; ++u) t.byte[u] = static_cast<uint8_t>(u);
  for (int u = 0x80; u <= 0x9F; ++u) t.byte[u] = '#';
  for (int u : {0x81, 0x8D, 0x8F, 0x90, 0x9D}) t.byte[u] = static_cast<uint8_t>(u);
  for (int u = 0xA0; u <= 0xFF; ++u) t.byte[u] = static_cast<uint8_t>(u);
  for (int u = 0x0100; u <= 0x024F; ++u) t.byte[u] = static_cast<uint8_t>(kLatinExtended[u - 0x0100]);
  for (int u = 0x1E00; u <= 0x1EFF; ++u) t.byte[u] = static_cast<uint8_t>(kLatinAdditional[u - 0x1E00]);
  for (int u = 0x2000; u <= 0x2006; ++u) t.byte[u] = ' ';
  for (int u = 0x2500; u <= 0x257F; ++u) t.byte[u] = '+';
  for (uint16_t u : kBoxHorizontal) t.byte[u] = '-';
  for (uint16_t u : kBoxVertical) t.byte[u] = 0xA6;
  for (int u = 0x2074; u <= 0x2079; ++u) t.byte[u] = static_cast<uint8_t>('4' + (u - 0x2074));
  for (int u = 0x2080; u <= 0x2089; ++u) t.byte[u] = static_cast<uint8_t>('0' + (u - 0x2080));
  for (int u = 0x2102; u <= 0x2134; ++u) t.byte[u] = static_cast<uint8_t>(kLetterLike[u - 0x2102]);
  for (const UnicodeMapping& m : kUnicodeExplicit) t.byte[m.unit] = m.byte;
  return t;
}
constexpr UnicodeTable kUnicodeTable = MakeUnicodeTable();

// ---- Code page 1250 to Unicode ---------------------------------------------------

// 0x80..0xFF; undefined bytes give the control character of the same value,
// Ş ş Ţ ţ the comma-below letters.
constexpr char16_t kCp1250High[128] = {
    0x20AC, 0x0081, 0x201A, 0x0083, 0x201E, 0x2026, 0x2020, 0x2021,  // 0x80
    0x0088, 0x2030, 0x0160, 0x2039, 0x015A, 0x0164, 0x017D, 0x0179,  // 0x88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 0x90
    0x0098, 0x2122, 0x0161, 0x203A, 0x015B, 0x0165, 0x017E, 0x017A,  // 0x98
    0x00A0, 0x02C7, 0x02D8, 0x0141, 0x00A4, 0x0104, 0x00A6, 0x00A7,  // 0xA0
    0x00A8, 0x00A9, 0x0218, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x017B,  // 0xA8
    0x00B0, 0x00B1, 0x02DB, 0x0142, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // 0xB0
    0x00B8, 0x0105, 0x0219, 0x00BB, 0x013D, 0x02DD, 0x013E, 0x017C,  // 0xB8
    0x0154, 0x00C1, 0x00C2, 0x0102, 0x00C4, 0x0139, 0x0106, 0x00C7,  // 0xC0
    0x010C, 0x00C9, 0x0118, 0x00CB, 0x011A, 0x00CD, 0x00CE, 0x010E,  // 0xC8
    0x0110, 0x0143, 0x0147, 0x00D3, 0x00D4, 0x0150, 0x00D6, 0x00D7,  // 0xD0
    0x0158, 0x016E, 0x00DA, 0x0170, 0x00DC, 0x00DD, 0x021A, 0x00DF,  // 0xD8
    0x0155, 0x00E1, 0x00E2, 0x0103, 0x00E4, 0x013A, 0x0107, 0x00E7,  // 0xE0
    0x010D, 0x00E9, 0x0119, 0x00EB, 0x011B, 0x00ED, 0x00EE, 0x010F,  // 0xE8
    0x0111, 0x0144, 0x0148, 0x00F3, 0x00F4, 0x0151, 0x00F6, 0x00F7,  // 0xF0
    0x0159, 0x016F, 0x00FA, 0x0171, 0x00FC, 0x00FD, 0x021B, 0x02D9,  // 0xF8
};

// Decodes UTF-8 and hands each character's code point to `emit`, which
// returns false to stop. A lead byte followed by a non-continuation byte
// produces nothing and the breaking byte goes with it; a sequence cut by
// the end of the input produces nothing; stray continuation bytes and
// bytes that cannot lead a sequence produce nothing.
template <typename Emit>
void DecodeUtf8CodePoints(const uint8_t* src, size_t length, Emit emit) {
  size_t i = 0;
  while (i < length) {
    const uint8_t lead = src[i++];
    int more;
    uint32_t cp;
    if (lead < 0x80) {
      more = 0;
      cp = lead;
    } else if (lead >= 0xC0 && lead < 0xE0) {
      more = 1;
      cp = lead & 0x1F;
    } else if (lead >= 0xE0 && lead < 0xF0) {
      more = 2;
      cp = lead & 0x0F;
    } else if (lead >= 0xF0 && lead < 0xF8) {
      more = 3;
      cp = lead & 0x07;
    } else {
      continue;
    }
    bool complete = true;
    for (int k = 0; k < more; ++k) {
      if (i >= length) return;
      const uint8_t next = src[i++];
      if ((next & 0xC0) != 0x80) {
        complete = false;
        break;
      }
      cp = (cp << 6) | (next & 0x3F);
    }
    if (!complete) continue;
    if (!emit(cp)) return;
  }
}

// Decodes UTF-8 as DecodeUtf8CodePoints does and hands each character's
// 8-bit byte (the Unicode-to-8-bit table; '#' above U+FFFE) to `emit`.
template <typename Emit>
void DecodeUtf8(const uint8_t* src, size_t length, Emit emit) {
  DecodeUtf8CodePoints(src, length, [&](uint32_t cp) { return emit(cp > 0xFFFE ? uint8_t{'#'} : kUnicodeTable.byte[cp]); });
}

void AppendUtf8(char32_t cp, std::string& out) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace

// ---- Case ---------------------------------------------------------------

uint8_t FoldCharToLower(uint8_t c) { return kFold[c]; }

void FoldToLower(char* buf, size_t len) {
  for (size_t i = 0; i < len; ++i) buf[i] = static_cast<char>(kFold[static_cast<uint8_t>(buf[i])]);
}

void FoldToLower(std::string& text) { FoldToLower(text.data(), text.size()); }

uint8_t UpperCaseOf(uint8_t c) { return kUpper[c]; }

void UpperCase(char* buf, size_t len) {
  for (size_t i = 0; i < len; ++i) buf[i] = static_cast<char>(kUpper[static_cast<uint8_t>(buf[i])]);
}

void UpperCase(std::string& text) { UpperCase(text.data(), text.size()); }

void UpperCaseChar(char* buf, size_t pos) {
  buf[pos] = static_cast<char>(kUpper[static_cast<uint8_t>(buf[pos])]);
}

bool IsUpperCase(uint8_t c) { return kUpperLetter[c]; }

bool IsCapitalAZ(uint8_t c) { return c >= 'A' && c <= 'Z'; }

bool IsDigit(uint8_t c) { return c >= '0' && c <= '9'; }

// ---- Typed terms --------------------------------------------------------

std::string NormalizeTerm(const LanguageTables& tables, std::string_view term) {
  std::string out;
  out.reserve(term.size() < kMaxNormalizedTermLength ? term.size() : kMaxNormalizedTermLength);
  uint8_t previous = 0;
  for (size_t i = 0; i < term.size() && out.size() < kMaxNormalizedTermLength; ++i) {
    uint8_t c = kFold[static_cast<uint8_t>(term[i])];
    const uint8_t cls = tables.charClass[c];
    if (cls == kClassLetter || cls == kClassDigit) {
      out.push_back(static_cast<char>(c));
    } else {
      if (c != '-') c = '_';
      // A separator is kept once per run; a leading '_' never.
      const bool keep = i == 0 ? c == '-' : previous != '_' && previous != '-';
      if (keep) out.push_back(static_cast<char>(c));
    }
    previous = c;
  }
  while (out.size() > 1 && out.back() == '_') out.pop_back();
  return out;
}

// ---- Encodings ----------------------------------------------------------

int DetectByteOrderMark(const uint8_t* bytes, size_t length) {
  // A mark needs only its own bytes: a file holding nothing but the mark is
  // an empty text in that encoding, not three or two 8-bit characters.
  if (bytes == nullptr) return kEncodingNone;
  if (length >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) return kEncodingUtf8;
  if (length >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return kEncodingUtf16BigEndian;
  if (length >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return kEncodingUtf16LittleEndian;
  return kEncodingNone;
}

uint8_t UnicodeTo8Bit(uint16_t unit) { return unit == 0xFFFF ? '?' : kUnicodeTable.byte[unit]; }

long Utf8To8Bit(const uint8_t* src, long srcLen, char* dst, long capacity) {
  if (src == nullptr) return 0;
  if (dst == nullptr || capacity < 1) return -1;
  const long room = capacity - 1;
  long written = 0;
  if (srcLen > 0 && room > 0) {
    DecodeUtf8(src, static_cast<size_t>(srcLen), [&](uint8_t b) {
      dst[written++] = static_cast<char>(b);
      return written < room;
    });
  }
  dst[written] = '\0';
  return written + 1;
}

void SwapBytePairs(void* buffer, size_t length) {
  uint8_t* p = static_cast<uint8_t*>(buffer);
  for (size_t i = 0; i + 1 < length; i += 2) {
    const uint8_t t = p[i];
    p[i] = p[i + 1];
    p[i + 1] = t;
  }
}

long Utf16To8Bit(const uint16_t* units, long count, char* dst) {
  if (units == nullptr || count < 1) return 0;
  if (dst == nullptr) return -1;
  for (long i = 0; i < count; ++i) dst[i] = static_cast<char>(UnicodeTo8Bit(units[i]));
  dst[count] = '\0';
  dst[count + 1] = '\0';
  return count;
}

char32_t Cp1250ToUnicode(uint8_t c) { return c < 0x80 ? c : kCp1250High[c - 0x80]; }

std::string ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 4);
  for (char c : text) AppendUtf8(Cp1250ToUnicode(static_cast<uint8_t>(c)), out);
  return out;
}

std::string FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  DecodeUtf8(reinterpret_cast<const uint8_t*>(utf8.data()), utf8.size(), [&](uint8_t b) {
    out.push_back(static_cast<char>(b));
    return true;
  });
  return out;
}

// ---- Text files the user may edit elsewhere -------------------------------

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// The byte of a character of a text file: the code page's own byte for
// every character ToUtf8 writes (ș ț and the control characters standing
// for the undefined bytes included), so that what was saved reads back the
// same; otherwise as FromUtf8 gives it (ş ţ with a cedilla among them).
uint8_t TextFileByte(uint32_t cp) {
  if (cp < 0x80) return static_cast<uint8_t>(cp);
  for (int i = 0; i < 128; ++i) {
    if (kCp1250High[i] == cp) return static_cast<uint8_t>(0x80 + i);
  }
  return cp > 0xFFFE ? uint8_t{'#'} : kUnicodeTable.byte[cp];
}

}  // namespace

bool IsWellFormedUtf8(std::string_view bytes) {
  const auto* p = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 0;
  while (i < n) {
    const uint8_t lead = p[i];
    if (lead < 0x80) {
      ++i;
      continue;
    }
    // The range of the second byte depends on the lead: it excludes the
    // overlong forms, the surrogates and what lies above U+10FFFF.
    size_t more;
    uint8_t low = 0x80;
    uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      more = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      more = 2;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      more = 3;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (i + more >= n) return false;  // cut short by the end
    if (p[i + 1] < low || p[i + 1] > high) return false;
    for (size_t k = 2; k <= more; ++k) {
      if ((p[i + k] & 0xC0) != 0x80) return false;
    }
    i += more + 1;
  }
  return true;
}

TextFileEncoding DetectTextFileEncoding(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) return TextFileEncoding::kUtf8WithMark;
  bool high = false;
  for (char c : bytes) {
    if (static_cast<uint8_t>(c) >= 0x80) {
      high = true;
      break;
    }
  }
  return high && IsWellFormedUtf8(bytes) ? TextFileEncoding::kUtf8 : TextFileEncoding::kCodePage;
}

std::string DecodeTextFile(std::string_view bytes, TextFileEncoding encoding) {
  if (encoding == TextFileEncoding::kCodePage) return std::string(bytes);
  if (encoding == TextFileEncoding::kUtf8WithMark && bytes.substr(0, kUtf8Mark.size()) == kUtf8Mark) {
    bytes.remove_prefix(kUtf8Mark.size());
  }
  std::string text;
  text.reserve(bytes.size());
  DecodeUtf8CodePoints(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), [&](uint32_t cp) {
    text.push_back(static_cast<char>(TextFileByte(cp)));
    return true;
  });
  return text;
}

std::string EncodeTextFile(std::string_view text, TextFileEncoding encoding) {
  switch (encoding) {
    case TextFileEncoding::kCodePage:
      return std::string(text);
    case TextFileEncoding::kUtf8WithMark:
      return std::string(kUtf8Mark) + ToUtf8(text);
    case TextFileEncoding::kUtf8:
      return ToUtf8(text);
  }
  return std::string(text);
}

}  // namespace malvex
