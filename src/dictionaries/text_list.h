// TextList: (text, number) pairs read back in the order they were added.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace malvex {

class Messages;

class TextList {
 public:
  // An empty list. `messages` (may be null) reports message 0 when memory
  // runs out in Add.
  explicit TextList(Messages* messages);
  ~TextList();
  TextList(const TextList&) = delete;
  TextList& operator=(const TextList&) = delete;

  // Appends a copy of `text` with `number`. When memory runs out, reports
  // message 0 (without ending the process) and returns false; the list is
  // then unchanged.
  bool Add(std::string_view text, uint32_t number);

  // Puts the read cursor on the first pair.
  void Rewind() { cursor_ = &first_; }
  // The text under the cursor, its number in `number`, and moves the cursor
  // on; null (number untouched) after the last pair. A cursor that has run
  // off the end stands on the next pair added.
  const char* Next(uint32_t& number);

  // Disposes of every pair; the list is empty and usable again.
  void Free();

  size_t Count() const { return count_; }

 private:
  struct Node {
    char* text;
    uint32_t number;
    Node* next;
  };

  Messages* const messages_;
  Node* first_ = nullptr;
  Node* last_ = nullptr;
  // The link that leads to the pair under the cursor.
  Node** cursor_;
  size_t count_ = 0;
};

}  // namespace malvex
