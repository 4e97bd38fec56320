// The segment buffers of the reading pass: the lexical buffer collects the
// words of a sentence for lexical lookup, the sentence buffer collects the
// looked-up words, settles the sentence end and hands the sentence to
// disambiguation and proposition cutting. Both share this layout, and the
// tests that decide where a sentence ends read it.
#pragma once

#include <cstdint>

#include "foundations/category.h"

namespace malvex {

// One word of a segment buffer.
struct WordSlot {
  static constexpr int kTextBytes = 80;       // 79 characters and the NUL
  static constexpr int kSeparatorBytes = 8;   // 7 characters and the NUL
  static constexpr int kMaxCandidates = 6;

  char text[kTextBytes];  // "/" for an end marker
  WordCategory candidates[kMaxCandidates];  // candidate 0 is the chosen one
  int16_t highest;        // index of the last candidate; 0 before lookup
  uint8_t lookupMark;
  uint8_t capitalisation; // 0 none, 1 first letter, 2 first two letters upper-case
  char separator[kSeparatorBytes];  // the punctuation before the word
  uint8_t empty;          // 1 when the slot holds no word
  uint8_t expressionStart;
  uint8_t apostrophePos;
  uint32_t lemma;

  bool HoldsWord() const { return empty == 0 && text[0] != 0; }
  bool IsEndMarker() const { return text[0] == '/'; }
  // A word that is not an end marker.
  bool IsWord() const { return HoldsWord() && !IsEndMarker(); }
  const WordCategory& reading() const { return candidates[0]; }
};

// A plain record shared by the segmentation, the lexical lookup, the
// disambiguation and the proposition cutting; each stage works on its
// fields directly.
class SegmentBuffer {
 public:
  static constexpr int kSlotCount = 128;
  // Words are accepted while fewer than this many slots are used.
  static constexpr int kCapacity = 125;

  SegmentBuffer() { Reset(0); }
  SegmentBuffer(const SegmentBuffer&) = delete;
  SegmentBuffer& operator=(const SegmentBuffer&) = delete;

  bool Ok() const { return true; }

  // Empties the buffer and every flag; the running word number restarts
  // from `highestPosition` (the word stream's highest position).
  void Reset(int32_t highestPosition);
  // Clears the used slots (and the one after them); count becomes 0.
  void ClearSlots();

  int last() const { return count - 1; }

  // Parks the word that opened the next sentence.
  WordSlot holding;
  // The slots from `count` on are all zero; the segmenter writes new words
  // into them without clearing them first.
  WordSlot slots[kSlotCount];
  int count;
  // The number of the last word written; the proposition writer raises it.
  int32_t wordNumber;

  bool lastIsEndMarker;
  bool finalFlush;          // the end of the file: the sentence ends here
  bool feedAgain;           // the slot that closed the sentence opens the next one
  bool skipNextCloseTest;

  // Clause punctuation marks per slot (sentence buffer).
  uint16_t clauseMarks[kSlotCount];
  // Proposition cutting: verbs from slot i to the end, and the slots where
  // a new proposition starts.
  uint16_t verbsFrom[kSlotCount + 1];
  uint8_t boundary[kSlotCount];
};

// Sentence tests on slot k of a buffer.

// True when word k is part of a web or mail address: "www", a word before
// ".html"/".htm"/".pdf", before "com" or "edu", next to "://", or between
// "@" and ".".
bool IsWebAddress(const SegmentBuffer& buffer, int k);
// True when the words k-1 and k both begin with a digit and both read as
// numeral adjectives.
bool StandsBetweenNumbers(const SegmentBuffer& buffer, int k);
// True when a colon before word k separates clauses: not in "://", not
// between two numbers, not after a currency amount.
bool IsClauseColon(const SegmentBuffer& buffer, int k);
// True when a full stop before word k ends a sentence: not after a marked
// noun (an abbreviation), not between two numbers.
bool IsSentenceFullStop(const SegmentBuffer& buffer, int k);

// The sentence-end test of the lexical buffer on its last slot.
bool LexicalSentenceEnds(const SegmentBuffer& buffer);
// The close test of the sentence buffer on its last slot.
bool SentenceCloses(const SegmentBuffer& buffer);

}  // namespace malvex
