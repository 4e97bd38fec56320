#include "reading/segment_buffer.h"

#include <cstring>

#include "foundations/charset.h"

namespace malvex {
namespace {

bool StartsWith(const char* s, const char* prefix) {
  return std::strncmp(s, prefix, std::strlen(prefix)) == 0;
}

bool Is(const char* s, const char* word) { return std::strcmp(s, word) == 0; }

}  // namespace

void SegmentBuffer::Reset(int32_t highestPosition) {
  std::memset(static_cast<void*>(&holding), 0, sizeof holding);
  std::memset(static_cast<void*>(slots), 0, sizeof slots);
  std::memset(clauseMarks, 0, sizeof clauseMarks);
  std::memset(verbsFrom, 0, sizeof verbsFrom);
  std::memset(boundary, 0, sizeof boundary);
  count = 0;
  wordNumber = highestPosition;
  lastIsEndMarker = finalFlush = feedAgain = skipNextCloseTest = false;
}

void SegmentBuffer::ClearSlots() {
  const int used = count + 1 < kSlotCount ? count + 1 : kSlotCount;
  std::memset(static_cast<void*>(slots), 0, sizeof(WordSlot) * static_cast<size_t>(used));
  count = 0;
}

bool IsWebAddress(const SegmentBuffer& buffer, int k) {
  if (k < 0 || k + 1 >= SegmentBuffer::kSlotCount) return false;
  const WordSlot& word = buffer.slots[k];
  const WordSlot& next = buffer.slots[k + 1];
  if (Is(word.text, "www")) return true;
  if ((Is(next.text, "html") || Is(next.text, "htm") || Is(next.text, "pdf")) && next.separator[0] == '.')
    return true;
  if (Is(next.text, "com") || Is(next.text, "edu")) return true;
  if (StartsWith(word.separator, "://") || StartsWith(next.separator, "://")) return true;
  return word.separator[0] == '@' && next.separator[0] == '.';
}

bool StandsBetweenNumbers(const SegmentBuffer& buffer, int k) {
  if (k < 1 || k >= SegmentBuffer::kSlotCount) return false;
  const WordSlot& before = buffer.slots[k - 1];
  const WordSlot& word = buffer.slots[k];
  return IsDigit(static_cast<uint8_t>(before.text[0])) && IsDigit(static_cast<uint8_t>(word.text[0])) &&
         isNumeralAdjective(before.reading()) && isNumeralAdjective(word.reading());
}

bool IsClauseColon(const SegmentBuffer& buffer, int k) {
  if (k < 0 || k >= SegmentBuffer::kSlotCount) return true;
  if (StartsWith(buffer.slots[k].separator, "://")) return false;
  if (k < 1) return true;
  if (StandsBetweenNumbers(buffer, k)) return false;
  // A currency sign glued to an amount: "$12:30" is no clause end.
  const uint8_t* amount = reinterpret_cast<const uint8_t*>(buffer.slots[k - 1].text);
  const bool currency = amount[0] == '$' || amount[0] == 0x80 || amount[0] == 0xA3 || amount[0] == 0xA5;
  return !(currency && IsDigit(amount[1]) && IsDigit(static_cast<uint8_t>(buffer.slots[k].text[0])));
}

bool IsSentenceFullStop(const SegmentBuffer& buffer, int k) {
  if (k < 1 || k >= SegmentBuffer::kSlotCount) return true;
  const WordCategory& before = buffer.slots[k - 1].reading();
  // A noun with a noun mark is an abbreviation or a title: "dr.", "prof.".
  if (isSubstantive(before) && (before.modeMark & 0x03) != 0) return false;
  return !StandsBetweenNumbers(buffer, k);
}

bool LexicalSentenceEnds(const SegmentBuffer& buffer) {
  const int i = buffer.count - 1;
  if (i < 0) return false;
  const char* s = buffer.slots[i].separator;
  // A lone full stop is left to the sentence buffer, which knows the readings.
  if (Is(s, ".")) return false;
  if (i < 2) return false;
  for (int n = 0; n < WordSlot::kSeparatorBytes - 1 && s[n] != 0; ++n) {
    switch (s[n]) {
      case '!':
      case ';':
      case '?':
        return true;
      case ',':
        // Long sentences are cut at a comma once the buffer is well filled.
        if (i >= 96) return true;
        break;
      case ':':
        return !IsWebAddress(buffer, i - 1) && IsClauseColon(buffer, i);
      case '.':
        if (IsWebAddress(buffer, i - 1) || IsWebAddress(buffer, i - 2)) return false;
        if (IsSentenceFullStop(buffer, i) && std::strlen(buffer.slots[i - 1].text) >= 2) return true;
        break;
      default:
        break;
    }
  }
  return false;
}

bool SentenceCloses(const SegmentBuffer& buffer) {
  const int li = buffer.count - 1;
  if (li < 0) return false;
  const WordSlot& last = buffer.slots[li];
  if (last.IsEndMarker()) return true;
  if (!last.HoldsWord()) return false;
  const WordSlot* before = li >= 1 ? &buffer.slots[li - 1] : nullptr;
  const char* s = last.separator;
  for (int n = 0; n < WordSlot::kSeparatorBytes - 1 && s[n] != 0; ++n) {
    const uint8_t c = static_cast<uint8_t>(s[n]);
    if (c == '!' || c == ';' || c == '?' || c == 0xA1 || c == 0xBF) return true;
    if (c == '.') {
      if (before == nullptr) continue;
      if (before->IsWord() && IsWebAddress(buffer, li - 1)) return false;
      if (before->separator[0] == '.' && li >= 2 && buffer.slots[li - 2].IsWord() &&
          IsWebAddress(buffer, li - 2))
        return false;
      // "word. word": without a capital letter the full stop ends nothing.
      if (Is(s, ".") && last.capitalisation == 0) return false;
      if (IsSentenceFullStop(buffer, li) && before->IsWord() && std::strlen(before->text) >= 2) return true;
    } else if (c == ':') {
      const bool addressColon =
          before != nullptr && n == 0 && before->empty == 0 && IsWebAddress(buffer, li - 1);
      if (!addressColon && IsClauseColon(buffer, li)) return true;
    }
  }
  return false;
}

}  // namespace malvex
