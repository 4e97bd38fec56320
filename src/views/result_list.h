// The result list: the lines a chosen result function shows, each with the
// item number the line stands for (a class, a lemma, a statistics index
// written negative, a message id...). The list has a fixed capacity, as the
// list window has; once it is reached, the list stops growing and says so.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace malvex {

struct ResultLine {
  std::string text;    // the line as shown, code page 1250
  int64_t item = 0;    // the item number attached to the line, 0 when none
};

class ResultList {
 public:
  // Most lines a list holds by default.
  static constexpr size_t kDefaultCapacity = 32767;
  // Catalogue id of the information line shown once the list is full.
  static constexpr int kOverflowMessage = 322;

  explicit ResultList(size_t capacity = kDefaultCapacity) : capacity_(capacity) {}

  // Appends one line, with an attached item number for the second form.
  // False, with the list unchanged and Overflowed() set, when the list is
  // full.
  bool Add(std::string_view text) { return AddWithItem(text, 0); }
  bool AddWithItem(std::string_view text, int64_t item);

  // Empties the list and clears the overflow mark.
  void Clear();

  // Sorts the lines alphabetically in Romanian order (AlphabeticalLess),
  // keeping the order of lines that compare equal.
  void SortAlphabetically();

  size_t size() const { return lines_.size(); }
  bool empty() const { return lines_.empty(); }
  size_t capacity() const { return capacity_; }
  const ResultLine& operator[](size_t i) const { return lines_[i]; }
  const std::vector<ResultLine>& lines() const { return lines_; }
  // Whether a line was refused because the list was full.
  bool Overflowed() const { return overflowed_; }

 private:
  const size_t capacity_;
  std::vector<ResultLine> lines_;
  bool overflowed_ = false;
};

// Romanian alphabetical order of two code page 1250 texts: letters compare
// without regard to case, with ă after a, â after ă, î after i, ş after s and
// ţ after t; other accented letters sort with their base letter. Texts equal
// under that order compare by their bytes.
bool AlphabeticalLess(std::string_view a, std::string_view b);

// A frequency as the lists write it: at least 4 digits, with leading zeros
// ("0007", "1234", "12345").
std::string FrequencyField(uint32_t frequency);

}  // namespace malvex
