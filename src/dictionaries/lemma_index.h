// Lemma indexes of verbs, adjectives and nouns. Stand-ins until the
// dictionary files exist: they number nothing yet.
#pragma once

#include <cstdint>

namespace malvex {

class LemmaIndex {
 public:
  LemmaIndex(int bucketBits, int depth) : bucketBits_(bucketBits), depth_(depth) {}
  uint32_t EntryCount() const { return 0; }

 private:
  int bucketBits_;
  int depth_;
};

class NounLemmaIndex {
 public:
  explicit NounLemmaIndex(uint32_t capacity) : capacity_(capacity) {}
  uint32_t EntryCount() const { return 0; }
  uint32_t Capacity() const { return capacity_; }

 private:
  uint32_t capacity_;
};

}  // namespace malvex
