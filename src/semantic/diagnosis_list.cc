#include "semantic/diagnosis_list.h"

#include "reading/word_stream.h"

namespace malvex {

DiagnosisList::DiagnosisList(WordStream* stream) {
  if (stream != nullptr) stream->SaveBookmark(5);
}

void DiagnosisList::ClearEntries() {
  count_ = 0;
  entries_.fill(0);
}

void DiagnosisList::PushEntry(int id) {
  if (count_ >= kMaxEntries) return;
  entries_[static_cast<size_t>(count_++)] = static_cast<uint16_t>(id);
}

bool DiagnosisList::Holds(int id) const {
  for (int i = 0; i < count_; ++i) {
    if (entries_[static_cast<size_t>(i)] == id) return true;
  }
  return false;
}

void DiagnosisList::ClearLines() {
  count_ = 0;
  lineKind_.fill(0);
  linePosition_.fill(0);
  lineExplanation_.fill(0);
}

bool DiagnosisList::AddLine(int kind, int position, int explanation) {
  if (count_ >= kMaxLines) return false;
  const size_t k = static_cast<size_t>(count_++);
  lineKind_[k] = static_cast<uint16_t>(kind);
  linePosition_[k] = static_cast<uint16_t>(position);
  lineExplanation_[k] = static_cast<uint16_t>(explanation);
  return true;
}

}  // namespace malvex
