// Character handling of the 8-bit text (code page 1250 for the Romanian
// letters): case folding and upper-casing, character classes, the
// normalisation of typed terms, and the conversions between that 8-bit form
// and Unicode (UTF-8, UTF-16).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "foundations/language_tables.h"

namespace malvex {

// ---- Case ---------------------------------------------------------------

// The byte `c` through the fixed lower-case fold table that every
// dictionary key goes through before lookup or insertion.
uint8_t FoldCharToLower(uint8_t c);
// Folds `len` bytes of `buf` in place.
void FoldToLower(char* buf, size_t len);
void FoldToLower(std::string& text);

// The upper-case partner of `c` in code page 1250 (Ş, Ă and Ţ for ş, ă
// and ţ); `c` itself when it has none: upper-case letters, ß 0xDF, and
// every sign (the micro sign 0xB5, the dot above 0xFF).
uint8_t UpperCaseOf(uint8_t c);
// Upper-cases `len` bytes of `buf` in place, Ş, Ă and Ţ included.
void UpperCase(char* buf, size_t len);
void UpperCase(std::string& text);
// Upper-cases the single byte at `pos`; `buf` must hold more than `pos` bytes.
void UpperCaseChar(char* buf, size_t pos);

// True for the upper-case letters of the code page (Ş Ă Ţ included), the
// partners UpperCaseOf gives.
bool IsUpperCase(uint8_t c);
// True for 'A'..'Z'.
bool IsCapitalAZ(uint8_t c);
// True for '0'..'9'.
bool IsDigit(uint8_t c);

// Class (kClassBlank..kClassDigit) of `c` in the current language tables.
inline uint8_t CharClass(const LanguageTables& tables, uint8_t c) { return tables.charClass[c]; }

// ---- Typed terms --------------------------------------------------------

// Longest result of NormalizeTerm, in characters.
constexpr size_t kMaxNormalizedTermLength = 80;

// Turns a term typed by the user into dictionary form: folded to lower
// case, every run of non-letter, non-digit characters reduced to one '_'
// (or kept as one '-'), no leading '_', no trailing '_', at most 80
// characters. "Porte Monnaie!" gives "porte_monnaie".
std::string NormalizeTerm(const LanguageTables& tables, std::string_view term);

// ---- Encodings ----------------------------------------------------------

// Values returned by DetectByteOrderMark.
constexpr int kEncodingNone = 0;
constexpr int kEncodingUtf8 = 100;
constexpr int kEncodingUtf16BigEndian = 111;
constexpr int kEncodingUtf16LittleEndian = 112;

// The encoding announced by a byte-order mark at the start of `bytes`
// (EF BB BF, FE FF, FF FE), or kEncodingNone.
int DetectByteOrderMark(const uint8_t* bytes, size_t length);

// The 8-bit byte standing for the UTF-16 code unit `unit`: the Romanian
// letters and the typographic signs of the code page keep their meaning,
// Latin letters with other diacritics lose them, a few signs get a
// look-alike, everything else (0xFFFF included) is '?'.
uint8_t UnicodeTo8Bit(uint16_t unit);

// Decodes UTF-8 from `src` into 8-bit text at `dst`, which holds `capacity`
// bytes; the output is zero-terminated and the result is the number of
// bytes written plus one. Malformed and cut sequences produce nothing,
// code points above U+FFFE produce '#'. A null `src` gives 0; a null `dst`
// or a capacity below 1 gives -1 and writes nothing.
long Utf8To8Bit(const uint8_t* src, long srcLen, char* dst, long capacity);

// Exchanges the two bytes of each 16-bit unit (a trailing odd byte stays);
// turns big-endian UTF-16 into little-endian.
void SwapBytePairs(void* buffer, size_t length);

// Maps `count` UTF-16 units to 8-bit text at `dst`, which must hold
// count + 2 bytes; two zero bytes follow the text. Returns `count`; 0 for a
// null `units` or a count below 1, -1 for a null `dst`.
long Utf16To8Bit(const uint16_t* units, long count, char* dst);

// The Unicode character shown for an 8-bit byte: standard Windows-1250,
// except that Ş ş Ţ ţ give the comma-below letters U+0218..U+021B with
// which Romanian is written. Bytes the code page leaves undefined give the
// control character of the same value.
char32_t Cp1250ToUnicode(uint8_t c);

// The 8-bit text `text` as UTF-8.
std::string ToUtf8(std::string_view text);
// UTF-8 text (typed by the user, read from UTF-8 sources) as 8-bit text,
// decoded as Utf8To8Bit does.
std::string FromUtf8(std::string_view utf8);

// ---- Text files the user may edit elsewhere -------------------------------

// How a scenario or borders file is written. Their format is code page
// 1250; a text editor may have saved one in UTF-8.
enum class TextFileEncoding : uint8_t {
  kCodePage,      // 8-bit code page 1250
  kUtf8,          // UTF-8 without a byte-order mark
  kUtf8WithMark,  // UTF-8 after the mark EF BB BF
};

// True when `bytes` are well-formed UTF-8: shortest forms only, no
// surrogate, nothing above U+10FFFF, no sequence cut short.
bool IsWellFormedUtf8(std::string_view bytes);

// The encoding of a file's bytes: UTF-8 with mark when they start with
// EF BB BF; UTF-8 when they are well-formed UTF-8 holding a byte above 0x7F;
// the code page otherwise (plain ASCII reads the same either way, and bytes
// that cannot be UTF-8, such as a lone 0xE2, are code-page letters).
TextFileEncoding DetectTextFileEncoding(std::string_view bytes);

// A file's bytes as 8-bit text. In UTF-8 (the mark dropped, malformed
// sequences skipped) every character of code page 1250 gives its byte, so
// that what EncodeTextFile wrote reads back unchanged; the others are
// converted as FromUtf8 does (ş and ţ with a cedilla give 0xBA and 0xFE as
// ș and ț do). Code-page bytes stay as they are.
std::string DecodeTextFile(std::string_view bytes, TextFileEncoding encoding);

// 8-bit text as the bytes of a file in `encoding`: UTF-8 as ToUtf8 writes
// it (Ş ş Ţ ţ as the comma-below letters), after the mark for
// kUtf8WithMark; the code page as it is.
std::string EncodeTextFile(std::string_view text, TextFileEncoding encoding);

}  // namespace malvex
