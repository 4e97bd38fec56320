// The diagnosis list: the verdicts of the last style diagnosis (catalogue
// ids) or the lines of the last word-category list (their group, position
// and explanation), and the line last selected in either. One object lives
// as long as the main window; both lists share its count.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace malvex {

class WordStream;

class DiagnosisList {
 public:
  // Entries stored at most; a further push is ignored.
  static constexpr int kMaxEntries = 20;
  // Lines of the word-category list, indexed 0..78.
  static constexpr int kLineSlots = 79;
  // Lines counted at most.
  static constexpr int kMaxLines = 78;

  // When `stream` is given, its current position is saved under bookmark 5.
  explicit DiagnosisList(WordStream* stream = nullptr);
  DiagnosisList(const DiagnosisList&) = delete;
  DiagnosisList& operator=(const DiagnosisList&) = delete;

  // Number of verdicts, or of word-category lines, in use.
  int Count() const { return count_; }

  // ---- Style verdicts ----
  // Empties the list of verdicts.
  void ClearEntries();
  // Appends verdict `id`; ignored when 20 are stored already.
  void PushEntry(int id);
  // Verdict i (0-based); 0 outside the entries in use.
  int Entry(int i) const { return i >= 0 && i < count_ ? entries_[static_cast<size_t>(i)] : 0; }
  // True when verdict `id` is in the list.
  bool Holds(int id) const;

  // ---- Word-category lines ----
  // Empties the count and the three line arrays.
  void ClearLines();
  // Records line `count` and advances the count; false when 78 lines are
  // counted already.
  bool AddLine(int kind, int position, int explanation);
  // Group of line k (2 verbs, 3 connectors, 4 modalities, 5 adjectives,
  // 6 pronouns); 0 outside 0..78.
  int LineKind(int k) const { return ValidLine(k) ? lineKind_[static_cast<size_t>(k)] : 0; }
  // 1-based position of the category in its group, 0 on a header line.
  int LinePosition(int k) const { return ValidLine(k) ? linePosition_[static_cast<size_t>(k)] : 0; }
  // Catalogue id of the explanation of line k.
  int LineExplanation(int k) const {
    return ValidLine(k) ? lineExplanation_[static_cast<size_t>(k)] : 0;
  }

  // A selection in the word-category list is ignored while disabled.
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }
  // Index of the line selected last, in either list.
  int Selected() const { return selected_; }
  void SetSelected(int k) { selected_ = k; }

 private:
  static bool ValidLine(int k) { return k >= 0 && k < kLineSlots; }

  int count_ = 0;
  std::array<uint16_t, kMaxEntries + 1> entries_{};
  std::array<uint16_t, kLineSlots> lineKind_{};
  std::array<uint16_t, kLineSlots> linePosition_{};
  std::array<uint16_t, kLineSlots> lineExplanation_{};
  bool enabled_ = true;
  int selected_ = 0;
};

}  // namespace malvex
