#include "reading/text_reader.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "foundations/charset.h"
#include "platform/files.h"
#include "reading/reading_environment.h"

namespace malvex {
namespace {

// The size warning and the word-limit error:
// `head` " ! " 508 N " " 1056 ". " 701 " " `tail`.
std::string SizeText(Messages& msg, int head, int64_t bytesRead, int tail) {
  std::string text = msg.message(head);
  text += " ! ";
  text += msg.message(508);
  text += std::to_string(bytesRead / 1024000);
  text += " ";
  text += msg.message(1056);
  text += ". ";
  text += msg.message(701);
  text += " ";
  text += msg.message(tail);
  return text;
}

}  // namespace

TextReader::TextReader(ReadingEnvironment& environment)
    : engine_(environment),
      analysis_(environment.lexicalAnalysis()),
      writer_(environment.stream(), environment.wordCounter()),
      bordersTest_(environment.borders()),
      source_(environment.worker()),
      converters_(&environment.converters()),
      block_(PlainTextFilter::kBlockSize + 8) {
  engine_.messages().checkMemory(analysis_);
  if (engine_.lexicalBuffer() != nullptr && engine_.sentenceBuffer() != nullptr) {
    segmenter_.reset(new (std::nothrow) Segmenter(*engine_.lexicalBuffer(), *engine_.sentenceBuffer(), *analysis_,
                                                  writer_, engine_.run().stopRequested));
    engine_.messages().checkMemory(segmenter_.get());
  }
  // Active borders (prepared for the run by the engine) restrict the
  // analysis to the marked parts of the text.
  if (engine_.borders().Active()) writer_.SetBorders(&bordersTest_, engine_.record().keepBorderKeywords());
}

bool TextReader::ReadFile(const std::string& name) {
  Messages& msg = engine_.messages();
  WordStream& stream = engine_.stream();
  fileName_ = name;
  fileWords_ = bytesTaken_ = processed_ = 0;
  sizeAnsweredYes_ = fileStopped_ = failed_ = endOfData_ = justEmitted_ = wordLimit_ = false;
  wordLen_ = punctuationLen_ = 0;
  text_ = std::string_view();
  cursor_ = 0;
  streamCountAtStart_ = stream.Count();
  fileType_ = FileTypeOf(name);
  engine_.record().setFileType(fileType_);
  // In HTML a line end is written for the tags that end a paragraph.
  lineEndsClose_ = fileType_ == kFileTypeHtml;
  fromConverter_ = false;
  convertedText_.clear();
  if (!segmenter_) return false;
  segmenter_->StartFile(stream.HighestPosition());
  writer_.StartFile(static_cast<uint16_t>(engine_.run().currentFileIndex));

  // Documents go through their converter first: its text, the binary
  // filter, or nothing.
  int filterType = fileType_;
  if (DocumentConverters::IsConverterType(fileType_)) {
    bool& asked = engine_.run().converterWarningShown;
    const bool askedBefore = asked;
    switch (converters_->ConvertDocument(fileType_, name, asked, convertedText_)) {
      case ConversionResult::kText:
        fromConverter_ = true;
        filterType = kFileTypeAny;
        break;
      case ConversionResult::kBinaryFilter:
        break;
      case ConversionResult::kNoText:
        // A failed PDF that made the user answer the question is not
        // reported twice.
        if (!(fileType_ == kFileTypePdf && asked && !askedBefore)) ReportUnread(converters_->LastError());
        NoteUnread(UnreadReason::kNoText, converters_->LastError());
        return true;
    }
  }
  filters_.StartFile(filterType, engine_.tables());

  if (fromConverter_) {
    fileSize_ = static_cast<int64_t>(convertedText_.size());
  } else if (const bool opened = source_.Open(name.c_str(), fileSize_); !opened || fileSize_ == 0) {
    source_.Close();
    ReportUnread(std::string());
    NoteUnread(opened ? UnreadReason::kEmpty : UnreadReason::kCannotOpen);
    return true;
  }
  if (Gauge* gauge = engine_.gauge()) {
    gauge->DefinirMaximum(fileSize_);
    gauge->DefinirLibelle(1, msg.message(72));
    gauge->DefinirLibelle(2, msg.message(480));
  }
  if (NextBlock()) {
    while (!Stopped() && !endOfData_) {
      ProcessCharacters();
      if (justEmitted_ && fileWords_ % kProgressWords == 0) Progress();
    }
    if (!Stopped()) Progress();
  }
  CloseSource();
  if (fileWords_ == 0 && !failed_ && !engine_.run().stopRequested) NoteUnread(UnreadReason::kNoWords);
  return !failed_;
}

bool TextReader::EndOfFile() {
  if (!segmenter_) return true;
  const std::string_view punctuation(punctuation_, static_cast<size_t>(punctuationLen_));
  const bool ok = segmenter_->EndOfFile(punctuation);
  punctuationLen_ = 0;
  wordLen_ = 0;
  if (!ok && !engine_.run().stopRequested) {
    failed_ = true;
    engine_.run().stopRequested = true;
  }
  return ok;
}

bool TextReader::Stopped() const { return fileStopped_ || failed_ || engine_.run().stopRequested; }

void TextReader::ReportUnread(const std::string& error) {
  if (!engine_.parameters().showMessages || !engine_.parameters().showReadingMessages) return;
  Messages& msg = engine_.messages();
  std::string text = error.empty() ? msg.message(18) : error;
  text += " ";
  text += fileName_;
  msg.errorBox(text);
}

void TextReader::NoteUnread(UnreadReason reason, const std::string& detail) {
  engine_.run().unreadFiles.push_back(UnreadFile{engine_.run().currentFileIndex, reason, detail});
}

bool TextReader::NextBlock() {
  const bool first = bytesTaken_ == 0;
  int64_t n;
  if (fromConverter_) {
    // The converter's text, in slices of one block; none once released.
    n = std::min<int64_t>(static_cast<int64_t>(convertedText_.size()) - bytesTaken_,
                          static_cast<int64_t>(PlainTextFilter::kBlockSize));
    if (n > 0) std::memcpy(block_.data(), convertedText_.data() + bytesTaken_, static_cast<size_t>(n));
  } else {
    n = source_.NextBlock(block_.data());
  }
  if (n <= 0) return false;  // a read error ends the file
  bytesTaken_ += n;
  if (first) filters_.DetectFirstBlock(block_.data(), static_cast<size_t>(n));
  if (engine_.run().stopRequested) return false;
  text_ = filters_.FilterBlock(block_.data(), static_cast<size_t>(n), bytesTaken_ >= fileSize_);
  cursor_ = 0;
  return true;
}

void TextReader::CloseSource() {
  source_.Close();
  std::string().swap(convertedText_);
}

void TextReader::ProcessCharacters() {
  const uint8_t* classes = engine_.tables().charClass;
  justEmitted_ = false;
  for (;;) {
    const uint8_t* t = reinterpret_cast<const uint8_t*>(text_.data());
    const size_t n = text_.size();
    while (cursor_ < n) {
      const uint8_t c = t[cursor_++];
      ++processed_;
      if (c >= 'a' && c <= 'z') {
        if (AppendChar(c)) return;
        continue;
      }
      switch (classes[c]) {
        case kClassLetter:
        case kClassDigit:
          if (AppendChar(c)) return;
          break;
        case kClassJoiner:
          // A joiner never starts a word.
          if (wordLen_ > 0 && AppendChar(c)) return;
          break;
        case kClassPunctuation:
          if (Punctuation(c)) return;
          break;
        default:
          if (c == '#' || c == '*' || c == '/' || c == '[' || c == ']') {
            if (Punctuation(c)) return;
          } else if (c == '\n' || c == '\r') {
            const bool emitted = EmitWord();
            if (lineEndsClose_ && !Stopped() && !segmenter_->ForceSentenceEnd()) {
              if (!engine_.run().stopRequested) failed_ = true;
              engine_.run().stopRequested = true;
            }
            if (emitted) return;
          } else if (EmitWord()) {
            return;
          }
          break;
      }
    }
    if (Stopped()) return;
    if (bytesTaken_ < fileSize_) {
      if (NextBlock()) continue;
      endOfData_ = true;
      return;
    }
    endOfData_ = true;
    // The last word of the file, even when it is the only one.
    EmitWord();
    return;
  }
}

bool TextReader::AppendChar(uint8_t c) {
  if (wordLen_ >= kMaxWordBytes) return EmitWord();  // the 80th character is dropped
  word_[wordLen_++] = static_cast<char>(c);
  return false;
}

bool TextReader::Punctuation(uint8_t c) {
  const bool emitted = EmitWord();
  if (punctuationLen_ < kMaxPunctuation) punctuation_[punctuationLen_++] = static_cast<char>(c);
  return emitted;
}

bool TextReader::EmitWord() {
  if (wordLen_ == 0) return false;
  std::string_view separator(punctuation_, static_cast<size_t>(punctuationLen_));
  // Nothing precedes the first word of a file; between words a blank.
  if (separator.empty() && fileWords_ > 0) separator = " ";
  const bool ok = segmenter_->AddWord(std::string_view(word_, static_cast<size_t>(wordLen_)), separator);
  punctuationLen_ = 0;
  wordLen_ = 0;
  ++fileWords_;
  justEmitted_ = true;
  if (!ok) {
    if (!engine_.run().stopRequested) failed_ = true;
    engine_.run().stopRequested = true;
  }
  return true;
}

void TextReader::Progress() {
  Messages& msg = engine_.messages();
  RunState& run = engine_.run();
  if (Gauge* gauge = engine_.gauge()) {
    gauge->DefinirValeur(2, std::to_string(streamCountAtStart_));
    gauge->MajBar(processed_);
    gauge->DefinirLibelle(3, FilePart(fileName_));
    std::string folder = fileName_;
    if (!StripLastComponent(folder)) folder.clear();
    gauge->DefinirLibelle(4, folder);
    if (!gauge->Continue()) run.stopRequested = true;
  }
  // The size warning: once per file, when more bytes were read than the
  // size setting allows.
  if (bytesTaken_ > run.sizeLimitBytes && !sizeAnsweredYes_ && !fileStopped_) {
    const int answer = msg.askThreeWays(SizeText(msg, 63, bytesTaken_, 549));
    if (answer == kButton1 || answer == kClosed) {
      sizeAnsweredYes_ = true;
    } else {
      if (answer != kButton2) run.stopRequested = true;  // Cancel
      CloseSource();
      fileStopped_ = stopReading_ = true;
    }
  }
  // The word limit: the stream was already full when this file began.
  if (!fileStopped_ && streamCountAtStart_ >= kWordLimit) {
    msg.errorBox(SizeText(msg, 939, bytesTaken_, 42));
    CloseSource();
    fileStopped_ = stopReading_ = wordLimit_ = true;
  }
}

}  // namespace malvex
