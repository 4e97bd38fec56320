#include "views/result_list.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "foundations/charset.h"

namespace malvex {

namespace {

// Weight of each byte in the Romanian order: every non-letter below the
// letters, in byte order; letters by their place in the alphabet, the
// letters with a diacritic of their own (ă â î ş ţ) just after their base
// letter, other accented letters equal to their base letter.
class CollationWeights {
 public:
  CollationWeights() {
    for (int b = 0; b < 256; ++b) weight_[b] = static_cast<uint16_t>(b);
    for (int c = 'a'; c <= 'z'; ++c) SetLetter(static_cast<uint8_t>(c), LetterWeight(c, 0));
    // The Romanian letters of their own.
    SetLetter(0xE3, LetterWeight('a', 1));  // ă
    SetLetter(0xE2, LetterWeight('a', 2));  // â
    SetLetter(0xEE, LetterWeight('i', 1));  // î
    SetLetter(0xBA, LetterWeight('s', 1));  // ş
    SetLetter(0xFE, LetterWeight('t', 1));  // ţ
    // Other letters of the code page sort with their base letter.
    static constexpr struct {
      uint8_t byte;
      char base;
    } kOthers[] = {
        {0x9A, 's'}, {0x9C, 's'}, {0x9D, 't'}, {0x9E, 'z'}, {0x9F, 'z'}, {0xB3, 'l'}, {0xB9, 'a'},
        {0xBE, 'l'}, {0xBF, 'z'}, {0xE0, 'r'}, {0xE1, 'a'}, {0xE4, 'a'}, {0xE5, 'l'}, {0xE6, 'c'},
        {0xE7, 'c'}, {0xE8, 'c'}, {0xE9, 'e'}, {0xEA, 'e'}, {0xEB, 'e'}, {0xEC, 'e'}, {0xED, 'i'},
        {0xEF, 'd'}, {0xF0, 'd'}, {0xF1, 'n'}, {0xF2, 'n'}, {0xF3, 'o'}, {0xF4, 'o'}, {0xF5, 'o'},
        {0xF6, 'o'}, {0xF8, 'r'}, {0xF9, 'u'}, {0xFA, 'u'}, {0xFB, 'u'}, {0xFC, 'u'}, {0xFD, 'y'},
    };
    for (const auto& o : kOthers) SetLetter(o.byte, LetterWeight(o.base, 0));
  }
  uint16_t operator[](uint8_t b) const { return weight_[b]; }

 private:
  static uint16_t LetterWeight(int base, int step) { return static_cast<uint16_t>(256 + (base - 'a') * 4 + step); }
  // Gives `lower` and its upper-case partner the same weight.
  void SetLetter(uint8_t lower, uint16_t w) {
    weight_[lower] = w;
    weight_[UpperCaseOf(lower)] = w;
  }
  std::array<uint16_t, 256> weight_;
};

const CollationWeights& Weights() {
  static const CollationWeights weights;
  return weights;
}

}  // namespace

bool AlphabeticalLess(std::string_view a, std::string_view b) {
  const CollationWeights& w = Weights();
  const size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    const uint16_t wa = w[static_cast<uint8_t>(a[i])];
    const uint16_t wb = w[static_cast<uint8_t>(b[i])];
    if (wa != wb) return wa < wb;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

std::string FrequencyField(uint32_t frequency) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04u", static_cast<unsigned>(frequency));
  return buf;
}

bool ResultList::AddWithItem(std::string_view text, int64_t item) {
  if (lines_.size() >= capacity_) {
    overflowed_ = true;
    return false;
  }
  lines_.push_back(ResultLine{std::string(text), item});
  return true;
}

void ResultList::Clear() {
  lines_.clear();
  overflowed_ = false;
}

void ResultList::SortAlphabetically() {
  std::stable_sort(lines_.begin(), lines_.end(),
                   [](const ResultLine& x, const ResultLine& y) { return AlphabeticalLess(x.text, y.text); });
}

}  // namespace malvex
