#include "dictionaries/term_index.h"

#include <cstring>
#include <new>

#include "dictionaries/trie_cursor.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/fatal.h"

namespace malvex {

namespace {

// A folded copy of a key, on the stack; empty for a key no trie can hold.
class FoldedKey {
 public:
  explicit FoldedKey(std::string_view text) {
    const size_t length = TrieKeyLength(text.data(), text.size());
    if (length > kTrieMaxKeyLength) return;
    std::memcpy(buffer_, text.data(), length);
    FoldToLower(buffer_, length);
    length_ = length;
  }
  std::string_view view() const { return std::string_view(buffer_, length_); }
  bool empty() const { return length_ == 0; }

 private:
  char buffer_[kTrieMaxKeyLength];
  size_t length_ = 0;
};

}  // namespace

TermIndex::TermIndex(Messages* messages)
    : messages_(messages),
      lemmas_(kLemmaTries, false, true, messages, nullptr),
      terms_(kTermTries, false, true, messages, nullptr),
      termCounts_(NewCounters()),
      termLemmas_(NewCounters()),
      marks_(NewCounters()) {
  lemmas_.SetOverflowReport(false);
  terms_.SetOverflowReport(false);
}

TermIndex::~TermIndex() = default;

std::unique_ptr<uint32_t[]> TermIndex::NewCounters() {
  std::unique_ptr<uint32_t[]> counters(new (std::nothrow) uint32_t[kMaxNumber + 1]());
  if (counters == nullptr) {
    if (messages_ != nullptr) messages_->checkMemory(nullptr);
    FatalExit(1);
  }
  return counters;
}

uint32_t TermIndex::LemmaNumberOf(std::string_view text) {
  const FoldedKey key(text);
  return key.empty() ? 0 : lemmas_.NumberOf(key.view());
}

bool TermIndex::AddLemma(std::string_view text) {
  return IsLemma(text) || lemmas_.AddText(text);
}

const char* TermIndex::LemmaText(uint32_t number) const {
  const char* const text = lemmas_.TextOf(number);
  return text == nullptr ? "" : text;
}

void TermIndex::Mark(uint32_t number) {
  if (number != 0 && number <= kMaxNumber) ++marks_[number];
}

uint32_t TermIndex::MarksOf(uint32_t number) const {
  return number == 0 || number > kMaxNumber ? 0 : marks_[number] + 1;
}

void TermIndex::MergeLemma(uint32_t from, uint32_t into, std::string_view text) {
  if (from == 0 || from > kMaxNumber || into == 0 || into > kMaxNumber) return;
  lemmas_.SetText(from, text);
  if (from == into) return;
  marks_[into] += marks_[from] + 1;
  marks_[from] = 0;
}

bool TermIndex::AddTerm(std::string_view term, std::string_view lemmaText) {
  if (!IsLemma(lemmaText)) return false;
  const FoldedKey key(term);
  if (key.empty()) return false;
  if (terms_.NumberOf(key.view()) != 0) {
    ++repeats_;
    return true;
  }
  if (entries_ >= kMaxNumber) return false;
  const uint32_t number = entries_ + 1;
  if (!terms_.index().Insert(key.view(), number)) return false;
  entries_ = number;
  termCounts_[number] = 1;
  return true;
}

bool TermIndex::SelectTerm(std::string_view term) {
  const FoldedKey key(term);
  selected_ = key.empty() ? 0 : terms_.NumberOf(key.view());
  return selected_ != 0;
}

uint32_t TermIndex::CountSelectedTerm(std::string_view text, std::string_view lemmaText) {
  if (selected_ == 0 || selected_ > kMaxNumber) return 0;
  const uint32_t count = ++termCounts_[selected_];
  if (count == 2) {
    terms_.SetText(selected_, text);
    termLemmas_[selected_] = LemmaNumberOf(lemmaText);
  }
  return count;
}

TermIndex::Term TermIndex::TermAt(uint32_t number) const {
  if (number == 0 || number > entries_) return Term{nullptr, 0, 0};
  return Term{terms_.TextOf(number), termLemmas_[number], termCounts_[number]};
}

}  // namespace malvex
