#include "dictionaries/noun_lemma_dictionary.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

#include "dictionaries/byte_stream.h"
#include "dictionaries/name_record.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/fatal.h"

namespace malvex {

namespace {

// Cell positions are signed 32-bit numbers, and every trie keeps one hidden
// cell after its last one.
constexpr uint64_t kMaxTrieCells = std::numeric_limits<int32_t>::max() - 1;
// Cells of the first trie a dictionary built from nothing gets.
constexpr uint32_t kFirstBuildCapacity = 4096;

}  // namespace

TDicSubstantifs::TDicSubstantifs(uint32_t capacity, Messages* messages, StringPool* pool)
    : messages_(messages),
      capacity_(std::min<uint32_t>(capacity, std::numeric_limits<int32_t>::max())),
      counts_(messages) {
  names_.reset(new (std::nothrow) PagedTextArray(messages, pool));
  groups_.reset(new (std::nothrow) PagedArray<uint32_t>(messages));
  if (names_ == nullptr || groups_ == nullptr) FailMemory();
}

TDicSubstantifs::~TDicSubstantifs() = default;

void TDicSubstantifs::FailMemory() {
  if (messages_ != nullptr) messages_->checkMemory(nullptr);
  FatalExit(1);
}

LoadStatus TDicSubstantifs::Load(ByteReader& in, uint32_t lastCell, uint32_t lemmaCount) {
  const uint64_t cells = static_cast<uint64_t>(lastCell) + 1;
  if (lemmaCount > capacity_ || cells > kMaxTrieCells) return LoadStatus::kDamaged;
  const uint64_t needed = cells * Trie32x32::kBytesPerCell +
                          static_cast<uint64_t>(lemmaCount) * kNameRecordSize;
  if (needed > in.remaining()) return LoadStatus::kTruncated;

  lemmaCount_ = 0;
  names_->Clear();
  groups_->Clear();
  trie_.CreateExact(static_cast<uint32_t>(cells), messages_);
  TrieRecord record;
  record.entries = lemmaCount;
  record.cells = static_cast<uint32_t>(cells);
  record.empty = 0;
  trie_.SetRecord(record);
  // The sizes were checked above: only the links can fail.
  if (!trie_.ReadChars(in) || !trie_.ReadValues(in) || !trie_.ReadNext(in)) {
    trie_.Free();
    return LoadStatus::kDamaged;
  }
  ReadNameRecords(in, lemmaCount, [this](uint32_t number, std::string_view name) {
    if (!name.empty() && !names_->Set(number, name)) FailMemory();
  });
  lemmaCount_ = lemmaCount;
  counts_.Resize(lemmaCount);
  return LoadStatus::kOk;
}

uint32_t TDicSubstantifs::LastCell() const { return trie_.Used() == 0 ? 0 : trie_.Used() - 1; }

bool TDicSubstantifs::Write(ByteWriter& out) const {
  if (trie_.Used() == 0) {
    out.U8(0);
    out.I32(0);
    out.I32(-1);
  } else {
    trie_.WriteChars(out);
    trie_.WriteValues(out);
    trie_.WriteNext(out);
  }
  bool ok = true;
  for (uint32_t number = 1; number <= lemmaCount_; ++number) {
    const char* const name = NameOf(number);
    if (!WriteNameRecord(out, name == nullptr ? std::string_view() : std::string_view(name))) {
      ok = false;
    }
  }
  return ok;
}

bool TDicSubstantifs::GrowTrie(uint32_t needed) {
  uint64_t capacity = std::max<uint64_t>(kFirstBuildCapacity, static_cast<uint64_t>(trie_.Capacity()) * 2);
  capacity = std::max<uint64_t>(capacity, static_cast<uint64_t>(trie_.Used()) + needed);
  for (;;) {
    if (capacity >= kMaxTrieCells) return false;
    BuildTrie fresh;
    fresh.Create(static_cast<uint32_t>(capacity), messages_);
    bool fits = true;
    for (uint32_t number = 1; number <= lemmaCount_ && fits; ++number) {
      const char* const name = NameOf(number);
      if (name == nullptr) continue;
      const size_t length = std::min(std::strlen(name), kTrieMaxKeyLength);
      char key[kTrieMaxKeyLength];
      std::memcpy(key, name, length);
      FoldToLower(key, length);
      // A name met twice keeps its first number, as AddLemma does.
      if (fresh.ValueOf(std::string_view(key, length)) != 0) continue;
      if (!fresh.Add(std::string_view(key, length), static_cast<int32_t>(number))) {
        fits = !fresh.Cursor().overflow;
      }
    }
    if (fits) {
      trie_ = std::move(fresh);
      return true;
    }
    capacity *= 2;
  }
}

uint32_t TDicSubstantifs::AddLemma(std::string_view text) {
  const size_t length = TrieKeyLength(text.data(), text.size());
  if (length == 0 || length > kTrieMaxKeyLength) return 0;
  char key[kTrieMaxKeyLength];
  std::memcpy(key, text.data(), length);
  FoldToLower(key, length);
  const std::string_view folded(key, length);
  const uint32_t known = LemmaNumberOf(folded);
  if (known != 0) return known;
  if (lemmaCount_ >= capacity_) return 0;

  const uint32_t number = lemmaCount_ + 1;
  if (!trie_.Created() && !GrowTrie(static_cast<uint32_t>(length) + 2)) return 0;
  if (!trie_.Add(folded, static_cast<int32_t>(number))) {
    if (!trie_.Cursor().overflow || !GrowTrie(static_cast<uint32_t>(length) + 2) ||
        !trie_.Add(folded, static_cast<int32_t>(number))) {
      return 0;
    }
  }
  if (!names_->Set(number, text.substr(0, length))) FailMemory();
  lemmaCount_ = number;
  // The counters grow by halves so that a long build does not copy them at
  // every lemma; only numbers 1..S are ever counted.
  if (counts_.Size() < number) counts_.Resize(std::max<uint32_t>(number, counts_.Size() + counts_.Size() / 2));
  return number;
}

uint32_t TDicSubstantifs::LemmaNumberOf(std::string_view text) {
  if (trie_.Find(text) < 0) return 0;
  const int32_t value = trie_.Cursor().value;
  return value <= 0 || static_cast<uint32_t>(value) > lemmaCount_ ? 0 : static_cast<uint32_t>(value);
}

const char* TDicSubstantifs::NameOf(uint32_t number) const {
  if (number == 0 || number > lemmaCount_) return nullptr;
  return names_->Get(number);
}

uint32_t TDicSubstantifs::GroupOf(uint32_t number) const {
  if (number == 0 || number > lemmaCount_) return 0;
  return groups_->Get(number);
}

bool TDicSubstantifs::SetGroup(uint32_t number, uint32_t group) {
  if (number == 0 || number > lemmaCount_) return false;
  return groups_->Set(number, group);
}

void TDicSubstantifs::ClearGroups() { groups_->Clear(); }

}  // namespace malvex
