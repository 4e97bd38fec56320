// The replaceable character tables of a language edition: initial-letter
// buckets, character classes, Macintosh conversion, alphabet ranks and the
// norm percentages of the style diagnosis. Built-in defaults are in force
// until the lexicon file supplies its own copy of the whole block.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace malvex {

// Character classes held in LanguageTables::charClass.
constexpr uint8_t kClassBlank = 0;
constexpr uint8_t kClassLetter = 1;
constexpr uint8_t kClassJoiner = 2;  // the underscore binding a compound
constexpr uint8_t kClassPunctuation = 3;
constexpr uint8_t kClassLineEnd = 4;
constexpr uint8_t kClassDigit = 5;

// Number of statistics indexes that carry a norm (indexes 1..77).
constexpr int kNormCount = 77;

// A plain byte image, stored in this field order by the lexicon file.
struct LanguageTables {
  uint8_t initialBucket[256];  // bucket 0..10 spreading words over segments
  uint8_t charClass[256];      // one of the kClass* values per byte
  uint8_t macToAnsi[256];      // Mac OS Roman byte -> 8-bit byte
  uint8_t alphabetRank[256];   // rank 0..31 in the alphabet
  int8_t norm[kNormCount];     // norm[i - 1]: reference percentage of index i

  // Reference percentage of statistics index `index` (1..77).
  int normOf(int index) const { return norm[index - 1]; }
};
static_assert(sizeof(LanguageTables) == 1101);
static_assert(std::is_trivially_copyable_v<LanguageTables>);
static_assert(std::is_standard_layout_v<LanguageTables>);

// The built-in tables of the Romanian edition.
LanguageTables DefaultLanguageTables();

}  // namespace malvex
