#include "foundations/language_tables.h"

#include <cstring>

namespace malvex {

namespace {

void Fill(uint8_t* table, int first, int last, uint8_t value) {
  for (int b = first; b <= last; ++b) table[b] = value;
}

void FillClasses(uint8_t* cls) {
  // Everything not listed below is a blank.
  std::memset(cls, kClassBlank, 256);

  Fill(cls, 0x24, 0x24, kClassLetter);  // '$'
  Fill(cls, 0x26, 0x26, kClassLetter);  // '&'
  Fill(cls, 0x41, 0x5A, kClassLetter);
  Fill(cls, 0x61, 0x7A, kClassLetter);
  Fill(cls, 0x80, 0x80, kClassLetter);
  Fill(cls, 0x8C, 0x8C, kClassLetter);
  Fill(cls, 0x9C, 0x9C, kClassLetter);
  Fill(cls, 0xA1, 0xA4, kClassLetter);
  Fill(cls, 0xA6, 0xA6, kClassLetter);
  Fill(cls, 0xA8, 0xAA, kClassLetter);
  Fill(cls, 0xAC, 0xAF, kClassLetter);
  Fill(cls, 0xB1, 0xB4, kClassLetter);
  Fill(cls, 0xB8, 0xBA, kClassLetter);
  Fill(cls, 0xBC, 0xF6, kClassLetter);
  Fill(cls, 0xF8, 0xFF, kClassLetter);

  Fill(cls, 0x5F, 0x5F, kClassJoiner);

  Fill(cls, 0x21, 0x23, kClassPunctuation);
  Fill(cls, 0x25, 0x25, kClassPunctuation);
  Fill(cls, 0x27, 0x29, kClassPunctuation);
  Fill(cls, 0x2B, 0x2E, kClassPunctuation);
  Fill(cls, 0x3A, 0x40, kClassPunctuation);
  Fill(cls, 0x5B, 0x5B, kClassPunctuation);
  Fill(cls, 0x5D, 0x5D, kClassPunctuation);
  Fill(cls, 0x60, 0x60, kClassPunctuation);
  Fill(cls, 0x7B, 0x7B, kClassPunctuation);
  Fill(cls, 0x7D, 0x7D, kClassPunctuation);
  Fill(cls, 0x91, 0x92, kClassPunctuation);
  Fill(cls, 0xA5, 0xA5, kClassPunctuation);
  Fill(cls, 0xA7, 0xA7, kClassPunctuation);
  Fill(cls, 0xAB, 0xAB, kClassPunctuation);
  Fill(cls, 0xB0, 0xB0, kClassPunctuation);
  Fill(cls, 0xB5, 0xB5, kClassPunctuation);
  Fill(cls, 0xB7, 0xB7, kClassPunctuation);
  Fill(cls, 0xBB, 0xBB, kClassPunctuation);
  Fill(cls, 0xF7, 0xF7, kClassPunctuation);

  Fill(cls, 0x0A, 0x0A, kClassLineEnd);
  Fill(cls, 0x0D, 0x0D, kClassLineEnd);

  Fill(cls, 0x30, 0x39, kClassDigit);
}

// Both cases of the ASCII letters first..last get `value`.
void FillLetters(uint8_t* table, char first, char last, uint8_t value) {
  Fill(table, first, last, value);
  Fill(table, first - 'a' + 'A', last - 'a' + 'A', value);
}

void FillBuckets(uint8_t* bucket) {
  std::memset(bucket, 0, 256);
  FillLetters(bucket, 'a', 'a', 1);
  FillLetters(bucket, 'b', 'b', 2);
  FillLetters(bucket, 'c', 'c', 3);
  FillLetters(bucket, 'd', 'd', 4);
  FillLetters(bucket, 'e', 'g', 5);
  FillLetters(bucket, 'h', 'j', 6);
  FillLetters(bucket, 'k', 'n', 7);
  FillLetters(bucket, 'o', 'p', 8);
  FillLetters(bucket, 'q', 's', 9);
  FillLetters(bucket, 't', 'z', 10);
  // Romanian letters sort beside their base letters.
  bucket[0xAA] = bucket[0xBA] = 7;                              // S-cedilla
  bucket[0xC2] = bucket[0xC3] = bucket[0xE2] = bucket[0xE3] = 8;  // A-circumflex, A-breve
  bucket[0xDE] = bucket[0xFE] = 9;                              // T-cedilla
  // The other accented letters share the last bucket.
  Fill(bucket, 0xC0, 0xC1, 10);
  Fill(bucket, 0xC4, 0xDD, 10);
  Fill(bucket, 0xDF, 0xE1, 10);
  Fill(bucket, 0xE4, 0xF6, 10);
  Fill(bucket, 0xF9, 0xFD, 10);
  bucket[0xFF] = 10;
}

void FillRanks(uint8_t* rank) {
  std::memset(rank, 1, 256);
  rank[0x00] = 0;
  for (int i = 0; i < 26; ++i) {
    rank['a' + i] = rank['A' + i] = static_cast<uint8_t>(4 + i);
  }
  Fill(rank, 0xC0, 0xC6, 4);
  Fill(rank, 0xE0, 0xE6, 4);
  rank[0xDE] = 4;
  rank[0xC7] = rank[0xE7] = 6;
  rank[0xD0] = rank[0xF0] = 7;
  Fill(rank, 0xCA, 0xCB, 8);
  Fill(rank, 0xEA, 0xEB, 8);
  Fill(rank, 0xCC, 0xCF, 12);
  Fill(rank, 0xEC, 0xEF, 12);
  rank[0xD1] = rank[0xF1] = 17;
  Fill(rank, 0xD2, 0xD6, 18);
  Fill(rank, 0xF2, 0xF6, 18);
  Fill(rank, 0xD9, 0xDC, 24);
  Fill(rank, 0xF9, 0xFC, 24);
  rank[0xDD] = rank[0xFD] = rank[0xFF] = 28;
  rank[0xDF] = 5;
  rank[0xC8] = rank[0xE8] = 30;
  rank[0xC9] = rank[0xE9] = 31;
  Fill(rank, '0', '9', 3);
  rank['_'] = 3;
  Fill(rank, 0xBC, 0xBE, 3);
  rank['*'] = rank['+'] = rank['-'] = rank[0xAD] = 2;
}

// Mac OS Roman 0x80..0xFF: the ISO 8859-1 byte of the same character, or a
// plain look-alike where ISO 8859-1 lacks it.
constexpr uint8_t kMacHighHalf[128] = {
    0xC4, 0xC5, 0xC7, 0xC9, 0xD1, 0xD6, 0xDC, 0xE1, 0xE0, 0xE2, 0xE4, 0xE3, 0xE5, 0xE7, 0xE9, 0xE8,  // 0x80
    0xEA, 0xEB, 0xED, 0xEC, 0xEE, 0xEF, 0xF1, 0xF3, 0xF2, 0xF4, 0xF6, 0xF5, 0xFA, 0xF9, 0xFB, 0xFC,  // 0x90
    0x20, 0xB0, 0xA2, 0xA3, 0xA7, 0x2E, 0xB6, 0xDF, 0xAE, 0xA9, 0xAE, 0xB4, 0xA8, 0xF7, 0xC6, 0xF8,  // 0xA0
    0x7E, 0xB1, 0x3C, 0x3E, 0xA5, 0xB5, 0xF0, 0x53, 0x50, 0x70, 0x53, 0xAA, 0x6F, 0x6F, 0xE6, 0xF8,  // 0xB0
    0xBF, 0x69, 0xAC, 0x52, 0x66, 0x7E, 0xF0, 0xAB, 0xBB, 0x2E, 0x20, 0xC0, 0xC3, 0xD5, 0x8C, 0x9C,  // 0xC0
    0x2D, 0x5F, 0x22, 0x22, 0x22, 0x22, 0xF7, 0x20, 0xFF, 0xFF, 0x2F, 0xA4, 0x3C, 0x3E, 0x66, 0x66,  // 0xD0
    0x20, 0x2E, 0x2C, 0x22, 0x25, 0xC2, 0xCA, 0xC1, 0xCB, 0xC8, 0xCD, 0xCE, 0xCF, 0xCC, 0xD3, 0xD4,  // 0xE0
    0x20, 0xD2, 0xDA, 0xDB, 0xD9, 0x31, 0x5E, 0x7E, 0x2D, 0x20, 0x2E, 0xB0, 0xB8, 0x22, 0x20, 0x20,  // 0xF0
};

void FillMac(uint8_t* mac) {
  for (int b = 0; b < 0x7F; ++b) mac[b] = static_cast<uint8_t>(b);
  mac[0x7F] = 0x20;
  std::memcpy(mac + 0x80, kMacHighHalf, sizeof(kMacHighHalf));
}

// Reference percentages of statistics indexes 1..77. 91 and 99 mark
// indexes that take part in no rule of the style diagnosis.
constexpr int8_t kDefaultNorms[kNormCount] = {
    91, 91, 91, 46, 35, 20, 1,  0,  0,  68,  // 1..10
    1,  2,  21, 21, 38, 70, 3,  25, 21, 5,   // 11..20
    5,  9,  1,  56, 5,  14, 10, 5,  1,  1,   // 21..30
    99, 7,  16, 15, 11, 7,  1,  18, 38, 73,  // 31..40
    99, 99, 99, 91, 91, 91, 91, 91, 91, 91,  // 41..50
    91, 91, 91, 99, 99, 91, 91, 91, 10, 91,  // 51..60
    91, 41, 46, 16, 99, 99, 21, 21, 21, 3,   // 61..70
    2,  42, 3,  3,  5,  5,  0,               // 71..77
};

}  // namespace

LanguageTables DefaultLanguageTables() {
  LanguageTables t;
  FillBuckets(t.initialBucket);
  FillClasses(t.charClass);
  FillMac(t.macToAnsi);
  FillRanks(t.alphabetRank);
  std::memcpy(t.norm, kDefaultNorms, sizeof(kDefaultNorms));
  return t;
}

}  // namespace malvex
