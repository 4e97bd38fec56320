#include "reading/text_reader.h"

#include <cstring>

#include "foundations/charset.h"
#include "platform/files.h"
#include "reading/engine.h"

namespace malvex {
namespace {

// True when the bytes are valid UTF-8 and hold at least one multi-byte
// sequence (a sequence cut by the end of the block counts as valid).
bool LooksLikeUtf8(const uint8_t* p, int64_t n) {
  bool multi = false;
  for (int64_t i = 0; i < n;) {
    uint8_t b = p[i];
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    if (len == 0) return false;
    if (b < 0xC2 && len == 2) return false;
    for (int k = 1; k < len; ++k) {
      if (i + k >= n) return multi || len > 1;
      if ((p[i + k] & 0xC0) != 0x80) return false;
    }
    if (len > 1) multi = true;
    i += len;
  }
  return multi;
}

// Length of the trailing incomplete UTF-8 sequence of a block, 0 if none.
int IncompleteTail(const uint8_t* p, int64_t n) {
  for (int back = 1; back <= 3 && back <= n; ++back) {
    uint8_t b = p[n - back];
    if ((b & 0xC0) == 0x80) continue;
    int len = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 1;
    return len > back ? back : 0;
  }
  return 0;
}

// The size warning and the word-limit error: `head` "!" 508 N "MB." 701 `tail`.
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

TextReader::TextReader(Engine& engine)
    : engine_(engine), source_(engine.worker()), block_(TThreadDeLectureDisque::kBlockSize + 8) {}

bool TextReader::ReadFile(const std::string& name) {
  Messages& msg = engine_.messages();
  Gauge* gauge = engine_.gauge();
  fileName_ = name;
  fileWords_ = bytesRead_ = processed_ = 0;
  sizeAnsweredYes_ = fileStopped_ = failed_ = utf8_ = false;
  wordLen_ = separatorLen_ = carryLen_ = 0;
  capitalisation_ = 0;
  streamCountAtStart_ = engine_.stream().Count();

  if (!source_.Open(name.c_str(), fileSize_) || fileSize_ == 0) {
    source_.Close();
    if (engine_.parameters().showMessages && engine_.parameters().showReadingMessages) {
      std::string text = msg.message(18);
      msg.errorBox(text + " " + name);
    }
    return true;
  }
  if (gauge) {
    gauge->DefinirMaximum(fileSize_);
    gauge->DefinirLibelle(1, msg.message(72));
    gauge->DefinirLibelle(2, msg.message(480));
  }
  bool first = true;
  while (!Stopped()) {
    uint8_t* buf = block_.data() + carryLen_;
    int64_t n = source_.NextBlock(buf);
    if (n <= 0) break;
    bytesRead_ += n;
    if (carryLen_) std::memcpy(block_.data(), carry_, static_cast<size_t>(carryLen_));
    n += carryLen_;
    carryLen_ = 0;
    if (first) {
      utf8_ = LooksLikeUtf8(block_.data(), n);
      first = false;
    }
    if (utf8_) {
      carryLen_ = IncompleteTail(block_.data(), n);
      if (carryLen_ && bytesRead_ < fileSize_) {
        std::memcpy(carry_, block_.data() + n - carryLen_, static_cast<size_t>(carryLen_));
        n -= carryLen_;
      } else {
        carryLen_ = 0;
      }
      std::vector<char> text(static_cast<size_t>(n) + 1);
      long len = Utf8To8Bit(block_.data(), static_cast<long>(n), text.data(), static_cast<long>(n) + 1);
      ProcessBytes(reinterpret_cast<const uint8_t*>(text.data()), len > 0 ? len - 1 : 0);
    } else {
      ProcessBytes(block_.data(), n);
    }
    processed_ = bytesRead_;
  }
  if (!Stopped()) Progress();
  source_.Close();
  return !failed_;
}

void TextReader::ProcessBytes(const uint8_t* bytes, int64_t n) {
  const LanguageTables& tables = engine_.tables();
  for (int64_t i = 0; i < n && !Stopped(); ++i) {
    uint8_t c = bytes[i];
    int cls = CharClass(tables, c);
    bool inWord = cls == kClassLetter || cls == kClassDigit || cls == kClassJoiner;
    // A hyphen or an apostrophe between two letters stays in the word.
    if (!inWord && wordLen_ > 0 && (c == '-' || c == '\'') && i + 1 < n) {
      int next = CharClass(tables, bytes[i + 1]);
      inWord = next == kClassLetter || next == kClassDigit;
    }
    if (inWord) {
      if (wordLen_ == 0) capitalisation_ = IsUpperCase(c) ? 1 : 0;
      else if (wordLen_ == 1 && capitalisation_ == 1 && IsUpperCase(c)) capitalisation_ = 2;
      if (wordLen_ < kMaxWordBytes) word_[wordLen_++] = static_cast<char>(c);
      continue;
    }
    if (wordLen_ > 0 && !EmitWord()) return;
    if (cls == kClassPunctuation) {
      if (c == '.' || c == '!' || c == '?') sentenceEnd_ = true;
      if (separatorLen_ < 3) separator_[separatorLen_++] = static_cast<char>(c);
    }
  }
}

bool TextReader::Stopped() const { return fileStopped_ || failed_ || engine_.run().stopRequested; }

bool TextReader::EmitWord() {
  if (sentenceEnd_ && pendingWordsInSentence_ && !EmitEndMarker()) return false;
  sentenceEnd_ = false;
  word_[wordLen_] = 0;
  FoldToLower(word_, static_cast<size_t>(wordLen_));
  separator_[separatorLen_] = 0;
  WordInfo info{};
  info.capitalisation = capitalisation_;
  position_ = static_cast<int32_t>(engine_.stream().HighestPosition()) + 1;
  if (!engine_.stream().Append(word_, separator_, info, position_, 0,
                               static_cast<uint16_t>(engine_.run().currentFileIndex))) {
    engine_.run().stopRequested = true;
    failed_ = true;
    return false;
  }
  engine_.statistics().CountWord(info.category);
  wordLen_ = separatorLen_ = 0;
  pendingWordsInSentence_ = true;
  if (++fileWords_ % kProgressWords == 0) Progress();
  return true;
}

bool TextReader::EmitEndMarker() {
  WordInfo info{};
  if (!engine_.stream().Append("/", "", info, static_cast<int32_t>(engine_.stream().HighestPosition()), 0,
                               static_cast<uint16_t>(engine_.run().currentFileIndex))) {
    engine_.run().stopRequested = true;
    failed_ = true;
    return false;
  }
  pendingWordsInSentence_ = false;
  return true;
}

bool TextReader::EndOfFile() {
  if (wordLen_ > 0 && !fileStopped_ && !EmitWord()) return false;
  wordLen_ = separatorLen_ = 0;
  if (pendingWordsInSentence_ && !EmitEndMarker()) return false;
  sentenceEnd_ = false;
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
  if (bytesRead_ > run.sizeLimitBytes && !sizeAnsweredYes_ && !fileStopped_) {
    std::string text = SizeText(msg, 63, bytesRead_, 549);
    int answer = msg.askThreeWays(text);
    if (answer == kButton1 || answer == kClosed) {
      sizeAnsweredYes_ = true;
    } else if (answer == kButton2) {
      source_.Close();
      fileStopped_ = stopReading_ = true;
    } else {
      run.stopRequested = true;
      source_.Close();
      fileStopped_ = stopReading_ = true;
    }
  }
  // The word limit: the stream was already full when this file began.
  if (!fileStopped_ && streamCountAtStart_ >= kWordLimit) {
    std::string text = SizeText(msg, 939, bytesRead_, 42);
    msg.errorBox(text);
    source_.Close();
    fileStopped_ = stopReading_ = true;
  }
}

}  // namespace malvex
