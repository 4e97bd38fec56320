// The text reader: turns the bytes of each file of the file list into
// words, each with the punctuation that preceded it, and feeds them to the
// segmentation (lexical buffer, sentence buffer, propositions), which fills
// the word stream. It also keeps the run informed: progress every 50,000
// words, the text-size warning and the word limit.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "reading/block_filters.h"
#include "reading/block_source.h"
#include "reading/borders_filter.h"
#include "reading/document_converters.h"
#include "reading/file_types.h"
#include "reading/lexical_analysis.h"
#include "reading/plain_text_filter.h"
#include "reading/propositions.h"
#include "reading/run_state.h"
#include "reading/segment_buffer.h"
#include "reading/segmenter.h"

namespace malvex {

class ReadingEnvironment;

class TextReader {
 public:
  static constexpr int kProgressWords = 50000;
  static constexpr int64_t kWordLimit = 10000000;
  static constexpr int kMaxWordBytes = 79;
  static constexpr int kMaxPunctuation = 7;

  // Reads into the environment's word stream through its segment buffers
  // (created by the reading pass), converting documents with its
  // converters. `environment` must outlive the reader.
  explicit TextReader(ReadingEnvironment& environment);
  TextReader(const TextReader&) = delete;
  TextReader& operator=(const TextReader&) = delete;

  // Reads `name` from start to end (the file's index in the file list is
  // the run's current file index), through the converter or the block
  // filter of its type. False when a word could not be stored or the
  // segment buffers are missing; an unreadable or empty file, or a document
  // no converter could read, gives no words and is reported (message 18 or
  // the converter's error) when the message options allow it.
  bool ReadFile(const std::string& name);
  // After ReadFile: flushes both segment buffers, closing the last
  // sentence. False when a word could not be stored.
  bool EndOfFile();

  // Set by the size warning answered No or Cancel and by the word limit.
  bool StopReading() const { return stopReading_; }
  // True when that stop came before the end of the current file's data.
  bool FileCut() const { return stopReading_ && !endOfData_; }
  // True when the stop came from the word limit.
  bool WordLimitReached() const { return wordLimit_; }
  // Words emitted from the current file.
  int64_t FileWords() const { return fileWords_; }
  // Type of the current file (FileTypeOf).
  int FileType() const { return fileType_; }
  // Encoding found in the current file (see PlainTextFilter::Encoding).
  int Encoding() const { return filters_.Encoding(); }
  // True when the current file was read from a converter's text.
  bool Converted() const { return fromConverter_; }
  DocumentConverters& converters() { return *converters_; }
  const PropositionWriter& writer() const { return writer_; }

 private:
  // True once this file must not be read further.
  bool Stopped() const;
  bool NextBlock();
  void CloseSource();
  // Reports a file that gave no text when the message options allow it:
  // `error`, or message 18 when there is none, and the file name.
  void ReportUnread(const std::string& error);
  // Adds the current file to the run's files that gave no words.
  void NoteUnread(UnreadReason reason, const std::string& detail = std::string());
  // Processes characters until a word was emitted or the data ended.
  void ProcessCharacters();
  // Adds a byte to the word; true when that emitted the word (at 79
  // characters, the byte being dropped).
  bool AppendChar(uint8_t c);
  // Emits the pending word, then keeps `c` as punctuation.
  bool Punctuation(uint8_t c);
  // Hands the pending word to the lexical buffer; false when there is none.
  bool EmitWord();
  void Progress();

  ReadingEnvironment& engine_;
  LexicalAnalysis* analysis_;  // the environment's
  PropositionWriter writer_;
  BordersKeywordTest bordersTest_;
  std::unique_ptr<Segmenter> segmenter_;
  PlainFileSource source_;
  BlockFilters filters_;
  DocumentConverters* converters_ = nullptr;
  // The whole text of a converted document and how much of it was taken.
  std::string convertedText_;
  bool fromConverter_ = false;
  std::vector<uint8_t> block_;

  std::string fileName_;
  int fileType_ = kFileTypeText;
  int64_t fileSize_ = 0;
  int64_t bytesTaken_ = 0;
  int64_t processed_ = 0;
  int64_t fileWords_ = 0;
  uint32_t streamCountAtStart_ = 0;
  bool lineEndsClose_ = false;
  bool sizeAnsweredYes_ = false;
  bool stopReading_ = false;
  bool wordLimit_ = false;
  bool fileStopped_ = false;
  bool failed_ = false;
  bool endOfData_ = false;
  bool justEmitted_ = false;

  // The text of the current block and the cursor in it.
  std::string_view text_;
  size_t cursor_ = 0;
  // The word being built and the punctuation seen since the last word.
  char word_[kMaxWordBytes + 1] = {};
  int wordLen_ = 0;
  char punctuation_[kMaxPunctuation + 1] = {};
  int punctuationLen_ = 0;
};

}  // namespace malvex
