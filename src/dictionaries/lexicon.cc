#include "dictionaries/lexicon.h"

#include <cstring>
#include <new>

#include "dictionaries/byte_stream.h"
#include "dictionaries/lemma_index.h"
#include "dictionaries/mapped_file.h"
#include "dictionaries/semantic_dictionary.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/fatal.h"
#include "platform/files.h"

namespace malvex {

namespace {

constexpr int kMsgUnreadable = 10;
constexpr int kMsgBadMagic = 11;
constexpr int kMsgBadVersion = 12;
constexpr int kMsgDamaged = 13;
constexpr int kMsgDepthOverflow = 14;

// Tables a lookup indexes with: every bucket must name a segment and every
// class must be one the reader knows.
bool TablesUsable(const LanguageTables& t) {
  for (int b = 0; b < 256; ++b) {
    if (t.initialBucket[b] > 10 || t.charClass[b] > kClassDigit) return false;
  }
  return true;
}

// Copies a folded form into a zero-terminated buffer for the semantic
// dictionary, which folds and reads its text in place.
size_t CopyForm(const char* folded, size_t length, char (&buffer)[kTrieMaxKeyLength + 1]) {
  const size_t n = length < kTrieMaxKeyLength ? length : kTrieMaxKeyLength;
  std::memcpy(buffer, folded, n);
  buffer[n] = '\0';
  return n;
}

}  // namespace

bool SemanticLexiconFallback::SemanticHolds(const char* folded, size_t length, bool& reachedEnd) {
  char buffer[kTrieMaxKeyLength + 1];
  CopyForm(folded, length, buffer);
  const bool holds = semantic_.FindWord(buffer) >= 0;
  reachedEnd = holds || semantic_.WordReached();
  return holds;
}

bool SemanticLexiconFallback::ScenarioHolds(const char* folded, size_t length, bool& reachedEnd) {
  return semantic_.scenarioGroups().WordGroupReached(folded, length, reachedEnd) != 0;
}

Lexicon::Lexicon(Messages& messages, LanguageTables& tables)
    : messages_(messages), tables_(tables) {}

void Lexicon::Open(const std::string& basePath) {
  MappedFile file;
  LexiconLoadStatus status = LexiconLoadStatus::kUnreadable;
  if (file.Open(ChangeExtension(basePath, ".lv8"))) status = LoadImage(file.bytes());
  int message = 0;
  int exitCode = 1;
  switch (status) {
    case LexiconLoadStatus::kOk:
      return;
    case LexiconLoadStatus::kUnreadable:
      message = kMsgUnreadable;
      exitCode = 2;
      break;
    case LexiconLoadStatus::kBadMagic:
      message = kMsgBadMagic;
      break;
    case LexiconLoadStatus::kBadVersion:
      message = kMsgBadVersion;
      break;
    case LexiconLoadStatus::kDamaged:
      message = kMsgDamaged;
      break;
  }
  messages_.errorBox(messages_.message(message));
  FatalExit(exitCode);
}

LexiconLoadStatus Lexicon::LoadImage(std::string_view bytes) {
  ByteReader in(bytes);
  LexiconHeader header;
  if (!ReadLexiconHeader(in, header)) return LexiconLoadStatus::kUnreadable;
  if (header.magic != kLexiconMagic) return LexiconLoadStatus::kBadMagic;
  if (header.version != kLexiconVersion) return LexiconLoadStatus::kBadVersion;
  if (!TablesUsable(header.tables)) return LexiconLoadStatus::kDamaged;

  TrieRecord records[kLexiconSegments];
  uint64_t cellBytes = 0;
  for (TrieRecord& r : records) {
    if (!ReadTrie32Record(in, r)) return LexiconLoadStatus::kUnreadable;
    cellBytes += static_cast<uint64_t>(r.cells) * Trie32::kBytesPerCell;
  }
  // The arrays must all be there before any memory is asked for them.
  if (cellBytes > in.remaining()) return LexiconLoadStatus::kUnreadable;

  Trie32 loaded[kLexiconSegments];
  for (int i = 0; i < kLexiconSegments; ++i) {
    if (records[i].cells == 0) {
      loaded[i].CreateExact(0, &messages_);
    } else {
      loaded[i].CreateExact(records[i].cells, &messages_);
    }
    loaded[i].SetRecord(records[i]);
  }
  for (Trie32& t : loaded) {
    if (!t.ReadChars(in)) return LexiconLoadStatus::kUnreadable;
  }
  for (Trie32& t : loaded) {
    if (!t.ReadValues(in)) return LexiconLoadStatus::kUnreadable;
  }
  for (Trie32& t : loaded) {
    // The arrays are known to be there: a refusal is a link that leads
    // backwards or out of the segment.
    if (!t.ReadNext(in)) return LexiconLoadStatus::kDamaged;
  }

  for (int i = 0; i < kLexiconSegments; ++i) segments_[i] = std::move(loaded[i]);
  if (!hash_.Build(segments_, kLexiconSegments)) hash_.Clear();  // lookups walk the tries
  recent_.reset(new (std::nothrow) RecentEntry[kRecentEntries]());  // none: nothing is kept
  newEntries_ = header.newEntries;
  duplicates_ = header.duplicates;
  spareByte_ = header.spareByte;
  tables_ = header.tables;
  ready_ = true;
  return LexiconLoadStatus::kOk;
}

void Lexicon::ClearIndications() {
  code_ = 0;
  category_ = WordCategory{};
  known_ = false;
  reached_ = false;
  inSemantic_ = false;
  defaulted_ = false;
}

int Lexicon::LookupSegment(int reading, const char* folded, size_t length) {
  if (reading >= kLexiconReadings) {
    depthOverflow_ = true;
    if (!depthQuestionAsked_) {
      std::string question = messages_.message(kMsgDepthOverflow);
      question.append(folded, length);
      if (!messages_.ask(question)) FatalExit(0);
      depthQuestionAsked_ = true;
    }
    return 0;
  }
  if (reading < 0) return 0;
  return LexiconSegment(tables_, reading, folded, length);
}

Lexicon::Probe Lexicon::Find(int n, const char* folded, size_t length, bool needPrefix) {
  Probe probe;
  const size_t part = static_cast<size_t>(n - 1);
  const uint64_t h = TrieKeyHash::HashKey(part, folded, length);
  RecentEntry* entry = nullptr;
  if (recent_ != nullptr && length <= kRecentKeyBytes) {
    entry = &recent_[h & (kRecentEntries - 1)];
    if (entry->length == length && entry->hash == h && entry->part == part &&
        std::memcmp(entry->key, folded, length) == 0) {
      probe.position = entry->position;
      probe.value = entry->value;
      return probe;
    }
  }
  TrieKeyHash::Hit hit;
  if (hash_.Find(part, folded, length, h, hit)) {
    probe.position = hit.position;
    probe.value = hit.value;
  } else if (!needPrefix && length <= kTrieMaxKeyLength && hash_.Complete(part)) {
    return probe;  // absent or a prefix: not worth keeping for Lookup
  } else {
    Trie32& trie = segments_[part];
    probe.position = trie.Find(folded, length);
    if (probe.position >= 0) probe.value = static_cast<uint16_t>(trie.Cursor().value);
  }
  if (entry != nullptr) {
    entry->hash = h;
    entry->position = probe.position;
    entry->value = probe.value;
    entry->part = static_cast<uint8_t>(part);
    entry->length = static_cast<uint8_t>(length);
    std::memcpy(entry->key, folded, length);
  }
  return probe;
}

int32_t Lexicon::Lookup(int reading, char* form, size_t length) {
  code_ = 0;
  category_ = WordCategory{};
  length = TrieKeyLength(form, length);
  if (length == 0 || depthOverflow_) return -1;
  FoldToLower(form, length);
  const int n = LookupSegment(reading, form, length);
  if (n == 0) return -1;
  const Probe probe = Find(n, form, length, false);
  if (probe.position < 0 || probe.value == 0) return -1;
  code_ = probe.value;
  category_ = DecodeCategory(code_);
  return probe.position;
}

int32_t Lexicon::LookupForm(int reading, char* form, size_t length, bool allowVerbCandidates,
                            bool allowScenario) {
  ClearIndications();
  length = TrieKeyLength(form, length);
  if (length == 0 || depthOverflow_) return -1;
  FoldToLower(form, length);
  const int n = LookupSegment(reading, form, length);
  if (n == 0) return -1;
  const Probe probe = Find(n, form, length, true);
  if (probe.position >= 0 && probe.value != 0) {
    code_ = probe.value;
    category_ = DecodeCategory(code_);
    known_ = true;
    return probe.position;
  }
  if (probe.position >= 0) reached_ = true;

  if (fallback_ != nullptr) {
    bool reachedEnd = false;
    bool holds = fallback_->SemanticHolds(form, length, reachedEnd);
    if (reachedEnd) {
      inSemantic_ = true;
      reached_ = true;
    }
    if (!holds && allowScenario) {
      reachedEnd = false;
      holds = fallback_->ScenarioHolds(form, length, reachedEnd);
      if (reachedEnd) reached_ = true;
    }
    if (holds) {
      code_ = 1;
      setSubstantive(category_);
      defaulted_ = true;
      known_ = true;
      return 1;
    }
  }
  known_ = reached_;
  return -1;
}

}  // namespace malvex

namespace malvex {

bool Lexicon::VerbLemma(const WordCategory& category, LemmaSlots& slots) {
  char* const f = slots[0];
  f[kLemmaSlotSize - 1] = '\0';
  const auto take = [f](const char* lemma) {
    std::strncpy(f, lemma, kLemmaSlotSize - 1);
    f[kLemmaSlotSize - 1] = '\0';
  };
  if (verbs_ != nullptr) {
    if (const char* lemma = verbs_->LemmaOfForm(f)) {
      take(lemma);
      return true;
    }
  }
  const size_t length = std::strlen(f);
  const char* const last = std::strrchr(f, '_');
  const bool compound = last != nullptr;
  if (length >= 4 && compound && std::strchr(f + 1, '_') != nullptr) {
    std::memmove(f, last + 1, std::strlen(last + 1) + 1);
  }
  if (!compound && isInfinitive(category)) return true;
  if (verbs_ != nullptr) {
    if (const char* lemma = verbs_->LemmaOfForm(f)) {
      take(lemma);
      return true;
    }
  }
  std::memset(slots, 0, sizeof(LemmaSlots));
  return false;
}

bool Lexicon::HasClass(const std::string& part, int32_t cls) {
  if (semantic_ == nullptr || part.empty() || part.size() > kTrieMaxKeyLength) return false;
  for (int d = 0; d < kSemanticReadings; ++d) {
    char buffer[kTrieMaxKeyLength + 1];
    CopyForm(part.data(), part.size(), buffer);
    if (!semantic_->FindReading(buffer, d)) return false;
    if (semantic_->Found().path.at(1) == cls) return true;
  }
  return false;
}

bool Lexicon::Lemma(std::string& form, const WordCategory& category, int32_t levelOneClass) {
  if (isSubstantive(category)) {
    if (form.size() <= 3 || isNameLike(category) || nounMarkBit1(category)) return true;
    const size_t sep = form.find_first_of("-_");
    if (sep == std::string::npos || sep + 1 >= form.size()) return true;
    const std::string left = form.substr(0, sep);
    const std::string right = form.substr(sep + 1);
    if (HasClass(left, levelOneClass)) {
      form = left;
    } else if (HasClass(right, levelOneClass)) {
      form = right;
    }
    return true;
  }
  if (isVerb(category)) {
    LemmaSlots slots = {};
    std::strncpy(slots[0], form.c_str(), kLemmaSlotSize - 1);
    form = VerbLemma(category, slots) ? slots[0] : "";
  }
  return true;
}

}  // namespace malvex
