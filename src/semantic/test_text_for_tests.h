// A small analysed text for the tests of the stages that walk the word
// stream: words of chosen categories and classes at running positions, end
// markers, and direct access to each word's node.
#pragma once

#include <cstdint>
#include <vector>

#include "reading/word_stream.h"

namespace malvex::testing {

inline WordInfo Category(uint8_t category, uint8_t subcategory = 0, uint8_t tensePerson = 0) {
  WordInfo info;
  info.category.category = category;
  info.category.subcategory = subcategory;
  info.category.tensePerson = tensePerson;
  return info;
}
// A principal referent of class `cls` at every level.
inline WordInfo Referent(uint32_t cls) {
  WordInfo info = Category(8);
  for (uint32_t& c : info.classPath) c = cls;
  info.referent = 1;
  return info;
}
inline WordInfo Verb(uint8_t subcategory = 1) { return Category(1, subcategory); }
inline WordInfo Filler() { return Category(4, 1); }

class TestText {
 public:
  TestText() : stream_(nullptr) {}

  // Appends a word at the next position; its node.
  WordNode* Add(const WordInfo& info) {
    ++position_;
    stream_.Append("w", "", info, position_, 0, 1);
    WordNode* node = stream_.Tail()->prev;
    nodes_.push_back(node);
    return node;
  }
  // Appends `n` words of no item.
  void Fill(int n) {
    for (int i = 0; i < n; ++i) Add(Filler());
  }
  // Fills up to position `p` (inclusive) with words of no item.
  void FillTo(int32_t p) { Fill(p - position_); }
  // Ends the proposition.
  void End() { stream_.Append("/", "", WordInfo{}, position_, 0, 1); }

  // The word at position p (1-based).
  WordNode* At(int32_t p) { return nodes_[static_cast<size_t>(p - 1)]; }
  WordStream& stream() { return stream_; }
  int32_t position() const { return position_; }

 private:
  WordStream stream_;
  int32_t position_ = 0;
  std::vector<WordNode*> nodes_;
};

}  // namespace malvex::testing
