// The word stream: the analysed text as every stage after reading sees it,
// one node per word and per end marker ("/"), in text order. The reading
// pass appends; everything after it walks the stream with a cursor and
// bookmarks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <string_view>

#include "dictionaries/chunk_arena.h"
#include "dictionaries/string_pool.h"
#include "foundations/category.h"

namespace malvex {

class Messages;

// What the analysis knows of one word (28 bytes, layout fixed).
struct WordInfo {
  uint32_t classPath[4] = {};  // class number per analysis level, 0 after reading
  WordCategory category;       // the chosen grammatical category
  uint16_t sense = 0;          // sense number, 0 after reading
  uint8_t referent = 0;        // 0 none, 1 principal, 2 secondary referent
  uint8_t capitalisation = 0;  // 0 none, 1 first letter, 2 first two letters upper-case
  uint8_t bundleMark = 0;
  uint8_t apostrophePos = 0;   // apostrophe inside a merged expression, 0 none
};
static_assert(sizeof(WordInfo) == 28);
static_assert(offsetof(WordInfo, category) == 16 && offsetof(WordInfo, sense) == 22 &&
              offsetof(WordInfo, referent) == 24 && offsetof(WordInfo, apostrophePos) == 27);

struct WordNode {
  WordNode* next;         // null only in the empty tail node
  int32_t position;       // running word number; an end marker repeats the last
  const char* text;       // in the word pool; "/" for an end marker
  char separator[4];      // first 3 characters of the preceding punctuation
  WordInfo info;
  WordNode* prev;         // the head's prev is the head itself
  uint32_t lemma;         // verb or adjective lemma number, 0 otherwise
  uint16_t fileIndex;     // 1-based index in the file list
  uint8_t markA;
  uint8_t markB;
};

// Hands out nodes from chained chunks, freed only as a whole. The first chunk
// is part of the pool and is reused after Clear(); the later ones are carved
// from huge-page slabs (ChunkArena).
class NodePool {
 public:
  static constexpr size_t kNodesPerChunk = 1170;

  NodePool();
  ~NodePool();
  NodePool(const NodePool&) = delete;
  NodePool& operator=(const NodePool&) = delete;

  // A node with every field zero, or null when a new chunk cannot be
  // allocated.
  WordNode* Take() {
    if (used_ == kNodesPerChunk) return TakeFromNewChunk();
    return new (last_->Slot(used_++)) WordNode{};
  }

  // Frees every chunk but the first (their slabs go back whole); the first
  // becomes empty.
  void Clear();

  // Number of chunks in the chain, the first one included.
  size_t ChunkCount() const { return chunks_; }
  // Bytes held for nodes: the first chunk and every slab the later chunks
  // are carved from (at least ChunkCount() chunks' worth).
  size_t BytesReserved() const { return sizeof(Chunk) + arena_.BytesReserved(); }

 private:
  // Nodes are built in a chunk only when taken.
  struct Chunk {
    Chunk* next;
    alignas(WordNode) unsigned char storage[kNodesPerChunk * sizeof(WordNode)];
    void* Slot(size_t k) { return storage + k * sizeof(WordNode); }
  };

  WordNode* TakeFromNewChunk();

  size_t used_ = 0;
  size_t chunks_ = 1;
  Chunk* last_;
  ChunkArena arena_;
  Chunk first_;
};

class WordStream {
 public:
  static constexpr int kBookmarkCount = 10;  // bookmarks are numbered 1..10

  // An empty stream. `messages` (may be null) shows message 0 when memory
  // runs out in Append.
  explicit WordStream(Messages* messages);
  virtual ~WordStream();
  WordStream(const WordStream&) = delete;
  WordStream& operator=(const WordStream&) = delete;

  // Empties the stream: frees every chunk but the first of the word pool and
  // of the node pool; cursor and every bookmark return to the head.
  void Reset();

  // Appends a word (or an end marker "/"): the text is copied into the word
  // pool, at most 3 characters of `separator` are kept. When memory runs out,
  // shows message 0 and returns false; the stream is then unchanged.
  bool Append(std::string_view text, std::string_view separator, const WordInfo& info,
              int32_t position, uint32_t lemma, uint16_t fileIndex);

  // Cursor operations. Each returns the text of the node concerned, or null
  // when there is nothing to return.

  void Rewind() { cursor_ = head_; }
  // The cursor node's fields; the cursor moves to the next node. Null at the
  // tail. `separator` points into the node.
  const char* Next(WordInfo& info, const char*& separator, int32_t& position);
  // As Next, also giving the node itself.
  const char* NextWithNode(WordInfo& info, WordNode*& node, int32_t& position);
  // As Next; first clears the node's mark A, bundle mark and class path (the
  // semantic pass calls it once per node).
  const char* NextForPass(WordNode*& node, int32_t& position);
  // Moves the cursor to the previous node and returns its fields; null (the
  // cursor stays) at the head.
  const char* Previous(WordInfo& info, const char*& separator, int32_t& position);

  // Cursor on the first node whose position is at least `p`, or on the tail.
  void SeekPosition(int32_t p);
  // SeekPosition(p), then the cursor node's file index (0 on the tail).
  uint16_t FileIndexAt(int32_t p);
  // Moves the cursor back to the first node of its proposition: the node
  // after the previous end marker, or the head. A cursor already there stays.
  void BackToPropositionStart();

  // Bookmarks 1..10; other numbers are ignored.
  void SaveBookmark(int i);
  void RestoreBookmark(int i);
  // Bookmark i = bookmark j.
  void CopyBookmark(int i, int j);
  // The node of bookmark i, or null for a number out of range.
  WordNode* Bookmark(int i) const;

  WordNode* Current() const { return cursor_; }
  // Ignored when `node` is null.
  void SetCurrent(WordNode* node) {
    if (node != nullptr) cursor_ = node;
  }
  bool AtEnd() const { return cursor_ == tail_; }
  bool AtStart() const { return cursor_ == head_; }

  WordNode* Head() const { return head_; }
  WordNode* Tail() const { return tail_; }
  // Number of nodes appended since the last Reset.
  uint32_t Count() const { return count_; }
  // Highest position appended since the last Reset (0 when none).
  int32_t HighestPosition() const { return highestPosition_; }

  // The pool holding the word texts; other texts with the lifetime of one run
  // may be added to it. Emptied by Reset.
  StringPool& WordPool() { return words_; }
  const StringPool& WordPool() const { return words_; }
  const NodePool& Nodes() const { return nodes_; }

 private:
  static bool ValidBookmark(int i) { return i >= 1 && i <= kBookmarkCount; }
  void ReportMemory();

  Messages* const messages_;
  WordNode* cursor_;
  WordNode* tail_;
  uint32_t count_ = 0;
  int32_t highestPosition_ = 0;
  WordNode* bookmarks_[kBookmarkCount];
  WordNode* const head_;
  WordNode headNode_;
  StringPool words_;
  NodePool nodes_;
};

}  // namespace malvex
