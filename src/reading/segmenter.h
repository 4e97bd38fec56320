// Segmentation: the words of the reader go through the lexical buffer,
// where sentences are cut and the words looked up, then through the
// sentence buffer, where the sentence end is settled, the categories
// chosen and the sentence cut into propositions for the word stream.
#pragma once

#include <string_view>

#include "reading/lexical_analysis.h"
#include "reading/propositions.h"
#include "reading/segment_buffer.h"

namespace malvex {

class Segmenter {
 public:
  // All references must outlive the segmenter; `stopRequested` is the
  // run's stop flag, read before each lexical flush.
  Segmenter(SegmentBuffer& lexical, SegmentBuffer& sentence, LexicalAnalysis& analysis,
            PropositionWriter& writer, const bool& stopRequested);
  Segmenter(const Segmenter&) = delete;
  Segmenter& operator=(const Segmenter&) = delete;

  // Empties both buffers at the start of a file; word numbers go on from
  // `highestPosition`.
  void StartFile(int32_t highestPosition);

  // Appends a word (at most 79 characters; "/" makes an end marker) with
  // the punctuation that preceded it to the lexical buffer, and flushes the
  // buffer when the sentence ends there or the buffer is full. False when a
  // later stage could not store a word.
  bool AddWord(std::string_view text, std::string_view separator);
  // Turns the next free slot of the lexical buffer into an end marker and
  // flushes it (a line end that closes sentences).
  bool ForceSentenceEnd();
  // After the last character of a file: flushes the lexical buffer, then
  // gives the sentence buffer its final flush. `finalPunctuation` (the
  // punctuation after the last word, may be empty) goes on the last end
  // marker.
  bool EndOfFile(std::string_view finalPunctuation);

  // The stages of a closed buffer.
  bool FlushLexical();
  bool AddSlot(const WordSlot& slot);
  bool FlushSentence();

  SegmentBuffer& lexical() { return lexical_; }
  SegmentBuffer& sentence() { return sentence_; }

 private:
  void CountClauseMarks();

  SegmentBuffer& lexical_;
  SegmentBuffer& sentence_;
  LexicalAnalysis& analysis_;
  PropositionWriter& writer_;
  const bool& stopRequested_;
  // Set when the last lexical flush ended inside a sentence (the buffer was
  // full): the punctuation before the next first word is then its own and
  // may still end the sentence in the sentence buffer.
  bool lexicalMidSentence_ = false;
  // Punctuation for the end marker made by the final flush.
  char finalPunctuation_[WordSlot::kSeparatorBytes] = {};
};

}  // namespace malvex
