#include "dictionaries/string_index.h"

#include <cstdio>
#include <cstring>
#include <new>

#include "dictionaries/byte_stream.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/fatal.h"

namespace malvex {

namespace {

constexpr uint32_t kMaxNumber = 65535;

}  // namespace

StringIndex::StringIndex(int tries, bool loading, Messages* messages) : messages_(messages) {
  if (tries < 1 || tries > kMaxTries) {
    if (messages_ != nullptr) messages_->reportMemory(true);
    return;
  }
  MakeTries(tries);
  if (!loading) {
    for (int i = 0; i < count_; ++i) tries_[static_cast<size_t>(i)].Create(kTrieCapacity, messages_);
  }
  ok_ = true;
}

void StringIndex::MakeTries(int tries) {
  tries_.reset(new (std::nothrow) Trie16[static_cast<size_t>(tries)]);
  if (tries_ == nullptr) {
    if (messages_ != nullptr) messages_->checkMemory(nullptr);
    FatalExit(1);
  }
  count_ = tries;
}

int StringIndex::TrieOf(std::string_view text, int tries) {
  if (tries < 2) return 1;
  const auto at = [&text](size_t i) -> unsigned {
    return i < text.size() ? static_cast<uint8_t>(text[i]) : 0u;
  };
  const unsigned h = text.size() == 1 ? at(0) : (at(0) + at(1) + at(2)) % 73;
  return static_cast<int>(h % static_cast<unsigned>(tries)) + 1;
}

bool StringIndex::Insert(std::string_view text, uint32_t number) {
  const size_t length = TrieKeyLength(text.data(), text.size());
  if (!ok_ || number == 0 || number > kMaxNumber || length == 0 || length > kTrieMaxKeyLength) {
    return false;
  }
  char folded[kTrieMaxKeyLength];
  std::memcpy(folded, text.data(), length);
  FoldToLower(folded, length);
  const std::string_view key(folded, length);
  Trie16& trie = tries_[static_cast<size_t>(TrieOf(key, count_) - 1)];
  const uint32_t before = trie.Cursor().newEntries;
  if (!trie.Insert(key, static_cast<uint16_t>(number))) return false;
  if (trie.Cursor().newEntries != before) ++newEntries_;
  return true;
}

uint32_t StringIndex::NumberOf(std::string_view text) {
  found_ = false;
  if (!ok_) return 0;
  const size_t length = TrieKeyLength(text.data(), text.size());
  if (length == 0) return 0;
  const std::string_view key(text.data(), length);
  Trie16& trie = tries_[static_cast<size_t>(TrieOf(key, count_) - 1)];
  const int32_t position = trie.Find(key);
  found_ = trie.Cursor().found;
  return position < 0 ? 0 : static_cast<uint32_t>(trie.Cursor().value);
}

void StringIndex::Reset() {
  for (int i = 0; i < count_; ++i) tries_[static_cast<size_t>(i)].Reset();
  newEntries_ = 0;
  found_ = false;
}

LoadStatus StringIndex::Load(ByteReader& in, int tries, uint32_t capacity) {
  ok_ = false;
  if (tries < 1 || tries > kMaxTries) return LoadStatus::kDamaged;
  MakeTries(tries);
  for (int i = 0; i < count_; ++i) {
    // Look at the record first, so that a short image and a damaged one are
    // told apart before any memory is asked for.
    ByteReader probe = in;
    TrieRecord record;
    if (!ReadTrie16Record(probe, record)) return LoadStatus::kTruncated;
    if (record.cells > kTrie16CellLimit) return LoadStatus::kDamaged;
    if (static_cast<uint64_t>(record.cells) * Trie16::kBytesPerCell > probe.remaining()) {
      return LoadStatus::kTruncated;
    }
    if (!tries_[static_cast<size_t>(i)].LoadStored(in, capacity, messages_)) return LoadStatus::kDamaged;
  }
  ok_ = true;
  return LoadStatus::kOk;
}

void StringIndex::Write(ByteWriter& out) const {
  for (int i = 0; i < count_; ++i) tries_[static_cast<size_t>(i)].WriteStored(out);
}

void StringIndex::AppendStatistics(std::string& report) const {
  char line[128];
  uint64_t sum = 0;
  uint32_t largest = 0;
  int largestTrie = 1;
  for (int i = 1; i <= count_; ++i) {
    const Trie16& trie = TrieAt(i);
    const uint32_t entries = trie.Entries();
    std::snprintf(line, sizeof line, " Seg[%2d]=%6u, index= %4.1f%%\n", i, entries,
                  static_cast<double>(trie.Used()) / kTrieCapacity * 100.0);
    report += line;
    sum += entries;
    if (entries > largest) {
      largest = entries;
      largestTrie = i;
    }
  }
  std::snprintf(line, sizeof line, " Max. value=%u, Segment=%d\n", largest, largestTrie);
  report += line;
  const uint64_t average = count_ > 0 ? sum / static_cast<uint64_t>(count_) : 0;
  std::snprintf(line, sizeof line, " Avg  value=%llu\n", static_cast<unsigned long long>(average));
  report += line;
  std::snprintf(line, sizeof line, " Total entries for this index=%llu\n",
                static_cast<unsigned long long>(sum));
  report += line;
}

}  // namespace malvex
