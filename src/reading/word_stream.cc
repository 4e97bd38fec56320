#include "reading/word_stream.h"

#include <cstring>

#include "foundations/messages.h"

namespace malvex {

NodePool::NodePool() : last_(&first_), arena_(sizeof(Chunk), alignof(Chunk)) {
  first_.next = nullptr;
}

NodePool::~NodePool() { Clear(); }

WordNode* NodePool::TakeFromNewChunk() {
  void* const memory = arena_.Take();
  if (memory == nullptr) return nullptr;
  Chunk* const chunk = new (memory) Chunk;
  chunk->next = nullptr;
  last_->next = chunk;
  last_ = chunk;
  ++chunks_;
  used_ = 1;
  return new (chunk->Slot(0)) WordNode{};
}

void NodePool::Clear() {
  // Nodes need no destruction: giving back the slabs frees every chunk.
  arena_.Reset();
  first_.next = nullptr;
  last_ = &first_;
  chunks_ = 1;
  used_ = 0;
}

WordStream::WordStream(Messages* messages)
    : messages_(messages), head_(&headNode_), headNode_() {
  Reset();
}

WordStream::~WordStream() = default;

void WordStream::Reset() {
  count_ = 0;
  words_.Clear();
  nodes_.Clear();
  *head_ = WordNode{};
  head_->prev = head_;
  tail_ = cursor_ = head_;
  // Every bookmark goes back to the head: a bookmark left on a node of a
  // freed chunk would send the cursor into freed memory.
  for (WordNode*& b : bookmarks_) b = head_;
  highestPosition_ = 0;
}

void WordStream::ReportMemory() {
  if (messages_ != nullptr) messages_->reportMemory(true);
}

bool WordStream::Append(std::string_view text, std::string_view separator,
                        const WordInfo& info, int32_t position, uint32_t lemma,
                        uint16_t fileIndex) {
  const char* const copy = words_.Add(text);
  if (copy == nullptr) {
    ReportMemory();
    return false;
  }
  // The next tail is taken before the current one is filled, so that a
  // failure leaves the tail empty.
  WordNode* const next = nodes_.Take();
  if (next == nullptr) {
    ReportMemory();
    return false;
  }
  WordNode* const node = tail_;
  node->text = copy;
  const size_t n = separator.size() < 3 ? separator.size() : 3;
  if (n != 0) std::memcpy(node->separator, separator.data(), n);
  node->separator[n] = '\0';
  node->info = info;
  node->position = position;
  if (position > highestPosition_) highestPosition_ = position;
  node->lemma = lemma;
  node->fileIndex = fileIndex;
  node->next = next;
  next->prev = node;
  tail_ = next;
  ++count_;
  return true;
}

const char* WordStream::Next(WordInfo& info, const char*& separator, int32_t& position) {
  if (cursor_ == tail_) return nullptr;
  const WordNode* const node = cursor_;
  cursor_ = node->next;
  info = node->info;
  separator = node->separator;
  position = node->position;
  return node->text;
}

const char* WordStream::NextWithNode(WordInfo& info, WordNode*& node, int32_t& position) {
  if (cursor_ == tail_) return nullptr;
  node = cursor_;
  cursor_ = node->next;
  info = node->info;
  position = node->position;
  return node->text;
}

const char* WordStream::NextForPass(WordNode*& node, int32_t& position) {
  if (cursor_ == tail_) return nullptr;
  node = cursor_;
  cursor_ = node->next;
  node->markA = 0;
  node->info.bundleMark = 0;
  std::memset(node->info.classPath, 0, sizeof node->info.classPath);
  position = node->position;
  return node->text;
}

const char* WordStream::Previous(WordInfo& info, const char*& separator, int32_t& position) {
  if (cursor_ == head_) return nullptr;
  cursor_ = cursor_->prev;
  info = cursor_->info;
  separator = cursor_->separator;
  position = cursor_->position;
  return cursor_->text;
}

void WordStream::SeekPosition(int32_t p) {
  WordNode* node = head_;
  while (node != tail_ && node->position < p) node = node->next;
  cursor_ = node;
}

uint16_t WordStream::FileIndexAt(int32_t p) {
  SeekPosition(p);
  return cursor_->fileIndex;
}

void WordStream::BackToPropositionStart() {
  while (cursor_ != head_) {
    const WordNode* const prev = cursor_->prev;
    if (prev->text == nullptr || prev->text[0] == '/') break;
    cursor_ = cursor_->prev;
  }
}

void WordStream::SaveBookmark(int i) {
  if (ValidBookmark(i)) bookmarks_[i - 1] = cursor_;
}

void WordStream::RestoreBookmark(int i) {
  if (ValidBookmark(i)) cursor_ = bookmarks_[i - 1];
}

void WordStream::CopyBookmark(int i, int j) {
  if (ValidBookmark(i) && ValidBookmark(j)) bookmarks_[i - 1] = bookmarks_[j - 1];
}

WordNode* WordStream::Bookmark(int i) const {
  return ValidBookmark(i) ? bookmarks_[i - 1] : nullptr;
}

}  // namespace malvex
