#include "dictionaries/text_list.h"

#include <cstring>
#include <new>

#include "foundations/messages.h"

namespace malvex {

TextList::TextList(Messages* messages) : messages_(messages), cursor_(&first_) {}

TextList::~TextList() { Free(); }

bool TextList::Add(std::string_view text, uint32_t number) {
  char* const copy = new (std::nothrow) char[text.size() + 1];
  Node* const node = copy == nullptr ? nullptr : new (std::nothrow) Node;
  if (node == nullptr) {
    delete[] copy;
    if (messages_ != nullptr) messages_->reportMemory(true);
    return false;
  }
  if (!text.empty()) std::memcpy(copy, text.data(), text.size());
  copy[text.size()] = '\0';
  *node = Node{copy, number, nullptr};
  if (last_ == nullptr) {
    first_ = node;
  } else {
    last_->next = node;
  }
  last_ = node;
  ++count_;
  return true;
}

const char* TextList::Next(uint32_t& number) {
  Node* const node = *cursor_;
  if (node == nullptr) return nullptr;
  cursor_ = &node->next;
  number = node->number;
  return node->text;
}

void TextList::Free() {
  Node* node = first_;
  while (node != nullptr) {
    Node* const next = node->next;
    delete[] node->text;
    delete node;
    node = next;
  }
  first_ = last_ = nullptr;
  cursor_ = &first_;
  count_ = 0;
}

}  // namespace malvex
