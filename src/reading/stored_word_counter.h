// What the reading pass tells about every node it stores in the word
// stream: the category statistics, which sit above the reading pass,
// implement it and the engine hands them to the reader.
#pragma once

namespace malvex {

struct WordInfo;

class StoredWordCounter {
 public:
  virtual ~StoredWordCounter() = default;
  // Counts a stored node: a word, or an end marker ("/"). The counter may
  // settle what the node stores (an unclassified word is counted, and
  // stored, as a substantive).
  virtual void CountWord(const char* text, WordInfo& info) = 0;
};

}  // namespace malvex
