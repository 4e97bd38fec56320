// The category transition matrix of a language edition (".zv8"): the
// weights with which the disambiguation scores a reading against the word
// classes around it. The file is 8,716 little-endian signed 16-bit values
// (17,432 bytes), read whole:
//   V[0]                          bonus of a connector starting a clause
//   V[4 + 22a + 2b]               bigram: class b after class a
//   V[488 + 242a + 22b + 2c]      trigram: class c after classes a, b
//   V[5812 + 22s + 2b]            extra bigram after a pronoun of subclass s
//   V[6054 + 242s + 22b + 2c]     extra trigram after a pronoun of subclass s
// Classes and pronoun subclasses are 0..10. Each n-gram cell is a pair of
// values of which only the first is used; every other value is unused and
// kept as the file holds it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace malvex {

class Messages;

class CategoryMatrix {
 public:
  static constexpr size_t kValueCount = 8716;
  static constexpr size_t kBytes = kValueCount * 2;  // 17,432
  // Word classes and pronoun subclasses index the n-grams from 0 to 10.
  static constexpr int kClassCount = 11;

  // Positions of the values, for classes (and subclasses) 0..10.
  static constexpr size_t kConnectorStartIndex = 0;
  static constexpr size_t BigramIndex(int a, int b) { return 4 + 22 * a + 2 * b; }
  static constexpr size_t TrigramIndex(int a, int b, int c) { return 488 + 242 * a + 22 * b + 2 * c; }
  static constexpr size_t PronounBigramIndex(int s, int b) { return 5812 + 22 * s + 2 * b; }
  static constexpr size_t PronounTrigramIndex(int s, int b, int c) {
    return 6054 + 242 * s + 22 * b + 2 * c;
  }

  // A matrix of zeros: no transition is preferred.
  CategoryMatrix() { values_.fill(0); }

  // Takes the first kBytes bytes of `bytes`; false (matrix unchanged) when
  // fewer are given.
  bool FromBytes(std::string_view bytes);
  // Reads the file at `path`; false (matrix unchanged) when it is missing,
  // unreadable or shorter than kBytes. Bytes after the matrix are ignored.
  bool Load(const std::string& path);
  // Reads the edition's matrix, the dictionary base path with ".zv8": on
  // failure shows catalogue message 218 and ends the process with exit
  // code 1412.
  void LoadOrExit(const std::string& dictionaryBase, Messages& messages);

  // The kBytes bytes of the file.
  std::string Bytes() const;
  // Writes the file (replacing it); false on any error.
  bool Write(const std::string& path) const;

  // Value k (0..kValueCount-1) of the file.
  int16_t Value(size_t k) const { return values_[k]; }
  void SetValue(size_t k, int16_t v) { values_[k] = v; }

  // The weights by meaning. Classes and subclasses must be 0..10.
  int16_t ConnectorStartBonus() const { return values_[kConnectorStartIndex]; }
  int16_t Bigram(int a, int b) const { return values_[BigramIndex(a, b)]; }
  int16_t Trigram(int a, int b, int c) const { return values_[TrigramIndex(a, b, c)]; }
  int16_t PronounBigram(int s, int b) const { return values_[PronounBigramIndex(s, b)]; }
  int16_t PronounTrigram(int s, int b, int c) const {
    return values_[PronounTrigramIndex(s, b, c)];
  }

 private:
  std::array<int16_t, kValueCount> values_;
};

}  // namespace malvex
