#include "dictionaries/string_table.h"

#include <cstring>
#include <new>
#include <string>

#include "dictionaries/byte_stream.h"
#include "dictionaries/name_record.h"
#include "dictionaries/paged_array.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/fatal.h"

namespace malvex {

StringTable::StringTable(int tries, bool loading, bool keepTexts, Messages* messages,
                         StringPool* pool)
    : index_(tries, loading, messages), messages_(messages) {
  if (!keepTexts) return;
  texts_.reset(new (std::nothrow) PagedTextArray(messages, pool));
  if (texts_ == nullptr) {
    if (messages_ != nullptr) messages_->checkMemory(nullptr);
    FatalExit(1);
  }
}

StringTable::~StringTable() = default;

bool StringTable::AddText(std::string_view text) {
  if (count_ >= kMaxTexts) {
    if (overflowReport_) {
      if (messages_ != nullptr) messages_->errorBox(std::string(messages_->message(16)));
      FatalExit(0);
    }
    return false;
  }
  const size_t length = TrieKeyLength(text.data(), text.size());
  if (length == 0 || length > kTrieMaxKeyLength) return false;
  text = text.substr(0, length);
  const uint32_t number = count_ + 1;
  // A second insertion of a text would mark its first number as ambiguous
  // (bit 15) and so break it: the index keeps the first number instead.
  // The index is asked first so that a refused text costs no copy.
  char folded[kTrieMaxKeyLength];
  std::memcpy(folded, text.data(), length);
  FoldToLower(folded, length);
  const bool known = index_.NumberOf(std::string_view(folded, length)) != 0;
  if (known) {
    if (texts_ != nullptr && !texts_->Set(number, text)) {
      if (messages_ != nullptr) messages_->reportMemory(true);
      return false;
    }
  } else {
    if (!index_.Insert(text, number)) return false;
    // From here the number is taken, with or without its text.
    if (texts_ != nullptr && !texts_->Set(number, text)) {
      count_ = number;
      if (messages_ != nullptr) messages_->reportMemory(true);
      return false;
    }
  }
  count_ = number;
  return true;
}

bool StringTable::SetText(uint32_t number, std::string_view text) {
  if (texts_ == nullptr || number == 0 || number > kMaxTexts) return false;
  if (!texts_->Set(number, text)) {
    if (messages_ != nullptr) messages_->reportMemory(true);
    return false;
  }
  return true;
}

const char* StringTable::TextOf(uint32_t number) const {
  if (texts_ == nullptr || number == 0 || number > kMaxTexts) return nullptr;
  const char* const text = texts_->Get(number);
  return text == nullptr || text[0] == '\0' ? nullptr : text;
}

LoadStatus StringTable::LoadTexts(ByteReader& in, uint32_t count) {
  if (texts_ == nullptr || count > kMaxTexts) return LoadStatus::kDamaged;
  const bool read = ReadNameRecords(in, count, [this](uint32_t number, std::string_view text) {
    if (!text.empty() && !texts_->Set(number, text)) {
      if (messages_ != nullptr) messages_->checkMemory(nullptr);
      FatalExit(1);
    }
  });
  if (!read) return LoadStatus::kTruncated;
  count_ = count;
  return LoadStatus::kOk;
}

bool StringTable::WriteTexts(ByteWriter& out) const {
  bool ok = true;
  for (uint32_t number = 1; number <= count_; ++number) {
    const char* const text = TextOf(number);
    if (!WriteNameRecord(out, text == nullptr ? std::string_view() : std::string_view(text))) ok = false;
  }
  return ok;
}

}  // namespace malvex
