// RecentAnswers: a fixed table of the answers recently given to questions
// keyed by a short text (and a small context byte), so that a question met
// again costs one probe of a table instead of a walk of the dictionaries.
// Words and word pairs repeat a great deal in a text; the dictionaries do
// not change while the table's owner lives, so a kept answer stays true.
//
// The table has two-way sets: a new answer goes first in its set and
// pushes the older one second, dropping the one that was second. Two texts
// that fall in the same set can thus both be kept. Texts longer than
// KeyBytes are never kept. Nothing is allocated after construction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace malvex {

// FNV-1a of `length` bytes of `text`.
inline uint64_t HashAnswerKey(const char* text, size_t length) {
  uint64_t h = 14695981039346656037ull;
  for (size_t i = 0; i < length; ++i) {
    h ^= static_cast<uint8_t>(text[i]);
    h *= 1099511628211ull;
  }
  return h;
}

template <typename Value, size_t KeyBytes, size_t Sets>
class RecentAnswers {
  static_assert((Sets & (Sets - 1)) == 0, "the number of sets is a power of two");
  static_assert(KeyBytes >= 1 && KeyBytes <= 255);

 public:
  // Without memory for the table every Find misses and Keep does nothing.
  RecentAnswers() : sets_(new (std::nothrow) Set[Sets]()) {}
  RecentAnswers(const RecentAnswers&) = delete;
  RecentAnswers& operator=(const RecentAnswers&) = delete;

  // Whether a text of `length` bytes can be kept.
  static bool Keepable(size_t length) { return length > 0 && length <= KeyBytes; }

  // The answer kept for (`text`, `context`), or null. `h` is
  // HashAnswerKey(text, length).
  const Value* Find(const char* text, size_t length, uint8_t context, uint64_t h) const {
    if (sets_ == nullptr || !Keepable(length)) return nullptr;
    const Set& set = sets_[SetOf(h)];
    for (const Entry& e : set.ways) {
      if (e.length == length && e.hash == h && e.context == context && std::memcmp(e.key, text, length) == 0)
        return &e.value;
    }
    return nullptr;
  }

  // Asks the processor to bring the set of hash `h` into its cache, so
  // that a later Find or Keep with `h` does not wait for memory.
  void Prefetch(uint64_t h) const {
    if (sets_ == nullptr) return;
    const char* set = reinterpret_cast<const char*>(&sets_[SetOf(h)]);
    for (size_t at = 0; at < sizeof(Set); at += 64) __builtin_prefetch(set + at);
  }

  // Keeps `value` as the answer for (`text`, `context`); a text that cannot
  // be kept is ignored. The caller has found no answer for it.
  void Keep(const char* text, size_t length, uint8_t context, uint64_t h, const Value& value) {
    if (sets_ == nullptr || !Keepable(length)) return;
    Set& set = sets_[SetOf(h)];
    set.ways[1] = set.ways[0];
    Entry& e = set.ways[0];
    e.hash = h;
    e.length = static_cast<uint8_t>(length);
    e.context = context;
    e.value = value;
    std::memcpy(e.key, text, length);
  }

 private:
  // The low bits of the hash alone depend on the low bits of each step
  // only; folding the high half in spreads the texts over the sets.
  static size_t SetOf(uint64_t h) { return static_cast<size_t>(h ^ (h >> 32)) & (Sets - 1); }

  struct Entry {
    uint64_t hash;
    uint8_t length;  // 0: empty
    uint8_t context;
    Value value;
    char key[KeyBytes];
  };
  struct alignas(64) Set {
    Entry ways[2];
  };

  std::unique_ptr<Set[]> sets_;
};

}  // namespace malvex
