// Turns the bytes of a text file into words and end markers in the word
// stream, with the run's progress, size warning and word limit.
//
// This first reader handles plain text only: it cuts words at the
// character classes of the language tables, keeps at most three
// characters of the punctuation before each word, and ends a sentence at
// '.', '!' or '?'. The dictionary lookup, disambiguation and proposition
// cutting plug in between the segment buffers and the word stream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reading/block_source.h"

namespace malvex {

class Engine;

// A buffer of up to 125 words between two stages of the reading pass.
class SegmentBuffer {
 public:
  static constexpr int kCapacity = 125;
  bool Ok() const { return true; }
};

class TextReader {
 public:
  static constexpr int kProgressWords = 50000;
  static constexpr int64_t kWordLimit = 10000000;
  static constexpr int kMaxWordBytes = 79;

  // `engine` must outlive the reader.
  explicit TextReader(Engine& engine);

  // Reads `name` completely into the word stream. False when it had to
  // stop because a word could not be stored.
  bool ReadFile(const std::string& name);
  // Flushes what is pending at the end of a file (closes the last
  // sentence with an end marker).
  bool EndOfFile();
  // Set by the size warning answered No or Cancel and by the word limit.
  bool StopReading() const { return stopReading_; }
  // Words emitted from the current file.
  int64_t FileWords() const { return fileWords_; }

 private:
  // True once this file must not be read further.
  bool Stopped() const;
  void Progress();
  bool EmitWord();
  bool EmitEndMarker();
  void ProcessBytes(const uint8_t* bytes, int64_t n);

  Engine& engine_;
  PlainFileSource source_;
  std::vector<uint8_t> block_;
  std::string fileName_;
  int64_t fileSize_ = 0;
  int64_t bytesRead_ = 0;
  int64_t processed_ = 0;
  int64_t fileWords_ = 0;
  uint32_t streamCountAtStart_ = 0;
  bool sizeAnsweredYes_ = false;
  bool stopReading_ = false;
  bool fileStopped_ = false;
  bool failed_ = false;
  bool utf8_ = false;

  // Word being built.
  char word_[kMaxWordBytes + 1];
  int wordLen_ = 0;
  char separator_[4];
  int separatorLen_ = 0;
  bool sentenceEnd_ = false;
  bool pendingWordsInSentence_ = false;
  int32_t position_ = 0;
  uint8_t capitalisation_ = 0;
  // Bytes of an incomplete UTF-8 sequence carried to the next block.
  uint8_t carry_[4];
  int carryLen_ = 0;
};

}  // namespace malvex
