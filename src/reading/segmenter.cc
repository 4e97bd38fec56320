#include "reading/segmenter.h"

#include <cstring>

namespace malvex {
namespace {

// Copies at most `room` - 1 bytes of `from` into `to`, NUL-terminated.
void CopyText(char* to, size_t room, std::string_view from) {
  const size_t n = from.size() < room - 1 ? from.size() : room - 1;
  std::memcpy(to, from.data(), n);
  to[n] = 0;
}

// Removes from `s` every byte listed in `drop` (the terminating NUL of
// `drop` excluded).
void RemoveBytes(char* s, std::string_view drop) {
  char* out = s;
  for (const char* in = s; *in != 0; ++in) {
    if (drop.find(*in) == std::string_view::npos) *out++ = *in;
  }
  *out = 0;
}

void ClearSlot(WordSlot& slot) { std::memset(static_cast<void*>(&slot), 0, sizeof slot); }

void ClearNextSlot(SegmentBuffer& b) {
  if (b.count < SegmentBuffer::kSlotCount) ClearSlot(b.slots[b.count]);
}

// Makes `slot` an end marker that keeps its separator.
void MakeEndMarker(WordSlot& slot) {
  char separator[WordSlot::kSeparatorBytes];
  std::memcpy(separator, slot.separator, sizeof separator);
  ClearSlot(slot);
  slot.text[0] = '/';
  std::memcpy(slot.separator, separator, sizeof separator);
}

// Punctuation that belongs to the previous sentence when it stands before
// the first word of the lexical buffer.
constexpr std::string_view kPreviousSentencePunctuation("!(),.:;?]}\xBB");
// Sentence punctuation removed from the separator of a sentence's first word.
constexpr std::string_view kSentencePunctuation("!.:;?\xA1\xBF ");

}  // namespace

Segmenter::Segmenter(SegmentBuffer& lexical, SegmentBuffer& sentence, LexicalAnalysis& analysis,
                     PropositionWriter& writer, const bool& stopRequested)
    : lexical_(lexical), sentence_(sentence), analysis_(analysis), writer_(writer), stopRequested_(stopRequested) {}

void Segmenter::StartFile(int32_t highestPosition) {
  lexical_.Reset(highestPosition);
  sentence_.Reset(highestPosition);
  lexicalMidSentence_ = false;
  finalPunctuation_[0] = 0;
}

bool Segmenter::AddWord(std::string_view text, std::string_view separator) {
  SegmentBuffer& b = lexical_;
  if (b.count >= SegmentBuffer::kCapacity && !FlushLexical()) return false;
  // The slots after the last one used are empty already (ClearSlots and
  // the stages keep them so): only the text and separator are written.
  WordSlot& slot = b.slots[b.count];
  if (!text.empty()) {
    CopyText(slot.text, sizeof slot.text, text);
    CopyText(slot.separator, sizeof slot.separator, separator.empty() ? std::string_view(" ") : separator);
    b.lastIsEndMarker = slot.IsEndMarker();
  } else {
    slot.empty = 1;
    slot.separator[0] = ' ';
  }
  ++b.count;
  b.holding.text[0] = 0;
  b.holding.empty = 1;

  if (slot.IsEndMarker() || b.count >= SegmentBuffer::kCapacity) return FlushLexical();
  if (!LexicalSentenceEnds(b)) return true;
  // The word after the sentence-final punctuation opens the next sentence;
  // its slot becomes the end marker and keeps the punctuation.
  b.holding = slot;
  MakeEndMarker(slot);
  b.lastIsEndMarker = true;
  return FlushLexical();
}

bool Segmenter::ForceSentenceEnd() {
  SegmentBuffer& b = lexical_;
  if (b.count >= SegmentBuffer::kCapacity && !FlushLexical()) return false;
  WordSlot& slot = b.slots[b.count];
  ClearSlot(slot);
  slot.text[0] = '/';
  ++b.count;
  ClearNextSlot(b);
  b.lastIsEndMarker = true;
  return FlushLexical();
}

bool Segmenter::FlushLexical() {
  SegmentBuffer& b = lexical_;
  if (b.count <= 0) return true;
  if (stopRequested_) return false;

  // After a sentence end the punctuation before the first word already
  // stands on the end marker. After a full buffer it does not: a lone full
  // stop there is still to be judged by the sentence buffer.
  char* first = b.slots[0].separator;
  if (!lexicalMidSentence_) RemoveBytes(first, kPreviousSentencePunctuation);
  if (first[0] == 0) std::memcpy(first, " ", 2);
  lexicalMidSentence_ = !b.slots[b.count - 1].IsEndMarker() && !b.holding.HoldsWord();

  analysis_.LookupSentence(b);

  bool ok = true;
  for (int i = 0; i < b.count && ok; ++i) {
    const WordSlot& slot = b.slots[i];
    if (!slot.HoldsWord()) continue;
    ok = AddSlot(slot);
    if (ok && sentence_.feedAgain) {
      // The word that closed the sentence opens the next one.
      sentence_.feedAgain = false;
      ok = AddSlot(slot);
    }
    if (slot.IsEndMarker()) break;
  }

  b.ClearSlots();
  b.lastIsEndMarker = false;
  if (b.holding.HoldsWord()) {
    b.slots[0] = b.holding;
    b.count = 1;
    ClearNextSlot(b);
    ClearSlot(b.holding);
  }
  return ok;
}

bool Segmenter::AddSlot(const WordSlot& slot) {
  SegmentBuffer& b = sentence_;
  // The slots after the last one used are empty already.
  WordSlot& added = b.slots[b.count];
  added = slot;
  added.empty = added.text[0] == 0 ? 1 : 0;
  if (added.separator[0] == 0) std::memcpy(added.separator, " ", 2);
  b.lastIsEndMarker = added.IsEndMarker();
  ++b.count;
  bool close = false;
  if (b.skipNextCloseTest)
    b.skipNextCloseTest = false;
  else
    close = SentenceCloses(b);
  if (close || b.count >= SegmentBuffer::kCapacity || b.finalFlush) return FlushSentence();
  return true;
}

void Segmenter::CountClauseMarks() {
  SegmentBuffer& b = sentence_;
  for (int i = 0; i < b.count; ++i) {
    uint16_t marks = 0;
    const WordSlot& slot = b.slots[i];
    if (slot.HoldsWord()) {
      for (const char* s = slot.separator; *s != 0; ++s) {
        const uint8_t c = static_cast<uint8_t>(*s);
        if (c == ',' || c == '{' || c == '}' || c == 0xAB || c == 0xBB) ++marks;
        if (c == ':' && IsClauseColon(b, i)) ++marks;
      }
    }
    b.clauseMarks[i] = marks;
  }
}

bool Segmenter::FlushSentence() {
  SegmentBuffer& b = sentence_;
  // A lone end marker closes nothing. A single word is kept when the file
  // ends with it.
  const bool lastWordOfFile = b.finalFlush && b.count == 1 && b.slots[0].IsWord();
  if (b.count <= 1 && !lastWordOfFile) {
    b.ClearSlots();
    return true;
  }

  // 1. The sentence ends with an end marker.
  WordSlot& last = b.slots[b.count - 1];
  if (last.IsEndMarker()) {
    RemoveBytes(last.separator, "-");
  } else if (b.finalFlush) {
    WordSlot& marker = b.slots[b.count];
    ClearSlot(marker);
    marker.text[0] = '/';
    CopyText(marker.separator, sizeof marker.separator, finalPunctuation_[0] != 0 ? finalPunctuation_ : " ");
    RemoveBytes(marker.separator, "-");
    ++b.count;
    ClearNextSlot(b);
  } else {
    MakeEndMarker(last);
    RemoveBytes(last.separator, "-");
    b.feedAgain = true;
    b.skipNextCloseTest = true;
  }
  b.lastIsEndMarker = true;

  // 2. The sentence punctuation before the first word stays with the
  // previous sentence's end marker.
  if (b.slots[0].IsWord()) RemoveBytes(b.slots[0].separator, kSentencePunctuation);

  // 3. Categories, propositions, output.
  CountClauseMarks();
  analysis_.DisambiguateSentence(b);
  CutPropositions(b);
  const bool ok = writer_.WritePropositions(b);

  b.ClearSlots();
  return ok;
}

bool Segmenter::EndOfFile(std::string_view finalPunctuation) {
  CopyText(finalPunctuation_, sizeof finalPunctuation_, finalPunctuation);
  bool ok = FlushLexical();
  sentence_.finalFlush = true;
  ok = FlushSentence() && ok;
  sentence_.finalFlush = false;
  sentence_.feedAgain = sentence_.skipNextCloseTest = false;
  finalPunctuation_[0] = 0;
  return ok;
}

}  // namespace malvex
