#include "dictionaries/paged_array.h"

#include <cstring>

#include "dictionaries/string_pool.h"
#include "foundations/messages.h"
#include "platform/fatal.h"

namespace malvex {

void PagedArrayOutOfMemory(Messages* messages) {
  if (messages != nullptr) messages->checkMemory(nullptr);
  FatalExit(1);
}

PagedTextArray::PagedTextArray(Messages* messages, StringPool* pool)
    : cells_(messages), pool_(pool) {}

PagedTextArray::~PagedTextArray() { FreeSeparateTexts(); }

bool PagedTextArray::Set(uint32_t i, std::string_view text) {
  if (i > PagedArray<const char*>::kMaxIndex) return false;
  if (pool_ != nullptr) {
    const char* const copy = pool_->Add(text);
    return copy != nullptr && cells_.Set(i, copy);
  }
  char* const copy = new (std::nothrow) char[text.size() + 1];
  if (copy == nullptr) return false;
  if (!text.empty()) std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  const char* const old = cells_.Get(i);
  if (!cells_.Set(i, copy)) {
    delete[] copy;
    return false;
  }
  delete[] old;
  return true;
}

void PagedTextArray::Clear() {
  FreeSeparateTexts();
  cells_.Clear();
}

void PagedTextArray::FreeSeparateTexts() {
  if (pool_ != nullptr) return;
  cells_.ForEachAllocatedCell([](const char*& text) {
    delete[] text;
    text = nullptr;
  });
}

}  // namespace malvex
