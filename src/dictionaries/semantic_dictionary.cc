#include "dictionaries/semantic_dictionary.h"

#include <climits>
#include <cstring>
#include <new>

#include "dictionaries/byte_stream.h"
#include "dictionaries/dictionary_fault.h"
#include "dictionaries/lemma_index.h"
#include "dictionaries/name_record.h"
#include "dictionaries/noun_lemma_dictionary.h"
#include "foundations/charset.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/fatal.h"
#include "platform/files.h"

namespace malvex {

namespace {

// Texts longer than this are never keys of a trie; the lookups work on a
// copy of at most this many bytes when they need one.
constexpr size_t kKeyBuffer = kTrieMaxKeyLength + 1;

// The underscore variant of `text`: every '-' from the second character on
// written '_'. False when there is nothing to replace (no variant) or the
// text is too long to be a key.
bool UnderscoreVariant(const char* text, size_t length, char* variant) {
  if (length > kTrieMaxKeyLength) return false;
  bool replaced = false;
  for (size_t i = 0; i < length; ++i) {
    variant[i] = text[i];
    if (i > 0 && text[i] == '-') {
      variant[i] = '_';
      replaced = true;
    }
  }
  variant[length] = '\0';
  return replaced;
}

bool IsCurrencySign(uint8_t c) { return c == 0x24 || c == 0x80 || c == 0xA3 || c == 0xA5; }

// The currency sign of an amount: a sign followed by a digit ("$12"), or a
// text of at least two characters that starts with a digit and ends with a
// sign ("12$"); 0 for any other text.
uint8_t CurrencySignOf(const char* text, size_t length) {
  if (length < 2) return 0;
  const uint8_t first = static_cast<uint8_t>(text[0]);
  const uint8_t last = static_cast<uint8_t>(text[length - 1]);
  if (IsCurrencySign(first) && IsDigit(static_cast<uint8_t>(text[1]))) return first;
  if (IsDigit(first) && IsCurrencySign(last)) return last;
  return 0;
}

template <typename T>
std::unique_ptr<T[]> AllocateZeroed(size_t n, Messages& messages) {
  std::unique_ptr<T[]> p(new (std::nothrow) T[n]());
  messages.checkMemory(p.get());
  return p;
}

}  // namespace

// One classification level: its names, its class-name index, its counts.
struct SemanticDictionary::Level {
  Level(int tries, bool loading, Messages& messages)
      : index(tries, loading, &messages), counts(&messages) {}

  StringIndex index;
  RankedCounts counts;
  // names[1..slots]; null for an empty slot.
  std::unique_ptr<const char*[]> names;
  uint32_t slots = 0;
  uint32_t base = 0;
  uint32_t current = 0;
};

SemanticDictionary::SemanticDictionary(Messages& messages, const LanguageTables& tables,
                                       StringPool& pool)
    : messages_(messages), tables_(tables), pool_(pool) {
  ResetRecentNouns();
}

SemanticDictionary::~SemanticDictionary() = default;

// ---- Loading ----------------------------------------------------------------

void SemanticDictionary::Load(const std::string& basePath) {
  std::string bytes;
  const std::string path = ChangeExtension(basePath, kSemanticFileExtension);
  if (!ReadWholeFile(path, bytes)) DictionaryFault(&messages_, 10, 2);
  switch (LoadImage(bytes)) {
    case SemanticLoadStatus::kOk:
      return;
    case SemanticLoadStatus::kUnreadable:
      DictionaryFault(&messages_, 10, 2);
    case SemanticLoadStatus::kBadMagic:
      DictionaryFault(&messages_, 11, 1);
    case SemanticLoadStatus::kBadVersion:
      DictionaryFault(&messages_, 12, 1);
    case SemanticLoadStatus::kDamaged:
      DictionaryFault(&messages_, 13, 1);
  }
  DictionaryFault(&messages_, 13, 1);
}

SemanticLoadStatus SemanticDictionary::CheckHeaderCopy(ByteReader& in) const {
  SemanticFileHeader copy;
  if (!ReadSemanticHeader(in, copy)) return SemanticLoadStatus::kUnreadable;
  if (copy.magic != kSemanticFileMagic) return SemanticLoadStatus::kBadMagic;
  if (copy.version != kSemanticFileVersion) return SemanticLoadStatus::kBadVersion;
  // The copies must agree on the entry count, and on every count that
  // places the parts of the file: a file whose copies disagree was not
  // written in one piece.
  const SemanticFileHeader& h = header_;
  if (copy.entryCount != h.entryCount || copy.meaningCount != h.meaningCount ||
      copy.nounLemmaCount != h.nounLemmaCount || copy.nounTrieLastCell != h.nounTrieLastCell ||
      std::memcmp(copy.baseCounts, h.baseCounts, sizeof h.baseCounts) != 0) {
    return SemanticLoadStatus::kDamaged;
  }
  return SemanticLoadStatus::kOk;
}

SemanticLoadStatus SemanticDictionary::LoadImage(std::string_view bytes) {
  ok_ = false;
  memo_.reset();
  ByteReader in(bytes.data(), bytes.size());
  // 1. A clean slate: no segment, no class, no count.
  for (Trie32x32& segment : segments_) segment.Free();
  meanings_.reset();
  triples_.reset();
  for (auto& level : levels_) level.reset();
  newClasses_.Free();
  runNames_.Clear();
  header_ = SemanticFileHeader{};
  found_ = FoundReading{};
  current_ = ClassPath{};
  cacheCount_ = 0;
  depthOverflow_ = false;
  severalSenses_ = false;
  ResetRecentNouns();

  // 3. The first header gives the counts; the copies must repeat them.
  SemanticFileHeader first;
  if (!ReadSemanticHeader(in, first)) return SemanticLoadStatus::kUnreadable;
  if (first.magic != kSemanticFileMagic) return SemanticLoadStatus::kBadMagic;
  if (first.version != kSemanticFileVersion) return SemanticLoadStatus::kBadVersion;
  header_ = first;
  for (uint32_t count : header_.baseCounts) {
    if (count > kMaxClassNumber) return SemanticLoadStatus::kDamaged;
  }

  // 4. The segment records; each segment holds exactly its cells.
  uint64_t cells = 0;
  TrieRecord records[kSemanticSegments];
  for (TrieRecord& record : records) {
    if (!ReadTrie32Record(in, record)) return SemanticLoadStatus::kUnreadable;
    cells += record.cells;
  }
  if (cells * Trie32x32::kBytesPerCell > in.remaining()) return SemanticLoadStatus::kUnreadable;
  const uint64_t meanings = header_.meaningCount;
  if (meanings * kMeaningRecordSize > in.remaining()) return SemanticLoadStatus::kUnreadable;
  for (int s = 0; s < kSemanticSegments; ++s) {
    if (records[s].cells == 0) continue;
    segments_[s].CreateExact(records[s].cells, &messages_);
    segments_[s].SetRecord(records[s]);
  }
  meanings_ = AllocateZeroed<MeaningRecord>(header_.meaningCount + size_t{1}, messages_);
  triples_ = AllocateZeroed<uint16_t>((kClassTripleCount + size_t{1}) * 3, messages_);

  // 5. Chars, header, values, meaning records, class triples, header, next.
  for (Trie32x32& segment : segments_) {
    if (!segment.ReadChars(in)) return SemanticLoadStatus::kUnreadable;
  }
  if (const SemanticLoadStatus s = CheckHeaderCopy(in); s != SemanticLoadStatus::kOk) return s;
  for (Trie32x32& segment : segments_) {
    if (!segment.ReadValues(in)) return SemanticLoadStatus::kUnreadable;
    // Every value names a meaning record (or none): |v| <= M.
    for (uint32_t p = 0; p < segment.Used(); ++p) {
      const int32_t v = segment.ValueAt(p);
      if (v == INT32_MIN || static_cast<uint32_t>(v < 0 ? -v : v) > header_.meaningCount) {
        return SemanticLoadStatus::kDamaged;
      }
    }
  }
  {
    const uint8_t* const p = in.Take(static_cast<size_t>(meanings) * kMeaningRecordSize);
    if (p == nullptr) return SemanticLoadStatus::kUnreadable;
    for (uint32_t i = 0; i < header_.meaningCount; ++i) {
      meanings_[i + 1] = DecodeMeaningRecord(p + static_cast<size_t>(i) * kMeaningRecordSize);
    }
  }
  {
    const uint8_t* const p = in.Take(kClassTripleCount * kClassTripleSize);
    if (p == nullptr) return SemanticLoadStatus::kUnreadable;
    for (size_t i = 0; i < kClassTripleCount * 3; ++i) triples_[i + 3] = LoadU16(p + 2 * i);
  }
  if (const SemanticLoadStatus s = CheckHeaderCopy(in); s != SemanticLoadStatus::kOk) return s;
  for (Trie32x32& segment : segments_) {
    if (segment.Used() * uint64_t{4} > in.remaining()) return SemanticLoadStatus::kUnreadable;
    if (!segment.ReadNext(in)) return SemanticLoadStatus::kDamaged;
  }

  // 6. The levels, with an empty per-run state; header.
  for (int l = 0; l < kClassLevels; ++l) {
    const bool fromFile = l < 3;
    levels_[l].reset(new (std::nothrow)
                         Level(fromFile ? kLevelIndexTries[l] : kScenarioIndexTries, fromFile,
                               messages_));
    messages_.checkMemory(levels_[l].get());
    Level& level = *levels_[l];
    level.base = fromFile ? header_.baseCounts[l] : 0;
    level.current = level.base;
    level.slots = (l == 0 || l == 3) ? kMaxClassNumber : level.base;
    level.names = AllocateZeroed<const char*>(level.slots + size_t{1}, messages_);
    level.counts.Resize(kMaxClassNumber);
  }
  newClasses_.Create(kNewClassTrieCells, &messages_);
  if (const SemanticLoadStatus s = CheckHeaderCopy(in); s != SemanticLoadStatus::kOk) return s;

  // 7. The class names of levels 1, 2, 3.
  for (int l = 0; l < 3; ++l) {
    Level& level = *levels_[l];
    const bool read = ReadNameRecords(in, level.base, [&](uint32_t i, std::string_view text) {
      if (text.empty()) return;
      const char* const copy = pool_.Add(text);
      messages_.checkMemory(copy);
      level.names[i] = copy;
    });
    if (!read) return SemanticLoadStatus::kUnreadable;
  }

  // 8. The class-name indexes; level 1 has room to grow.
  for (int l = 0; l < 3; ++l) {
    const uint32_t capacity = l == 0 ? StringIndex::kTrieCapacity : 0;
    switch (levels_[l]->index.Load(in, kLevelIndexTries[l], capacity)) {
      case LoadStatus::kOk:
        break;
      case LoadStatus::kTruncated:
        return SemanticLoadStatus::kUnreadable;
      case LoadStatus::kDamaged:
        return SemanticLoadStatus::kDamaged;
    }
  }

  // 9. The noun lemma dictionary; the last header.
  nounLemmas_.reset(new (std::nothrow)
                        TDicSubstantifs(header_.nounLemmaCount, &messages_, &pool_));
  messages_.checkMemory(nounLemmas_.get());
  switch (nounLemmas_->Load(in, header_.nounTrieLastCell, header_.nounLemmaCount)) {
    case LoadStatus::kOk:
      break;
    case LoadStatus::kTruncated:
      return SemanticLoadStatus::kUnreadable;
    case LoadStatus::kDamaged:
      return SemanticLoadStatus::kDamaged;
  }
  if (const SemanticLoadStatus s = CheckHeaderCopy(in); s != SemanticLoadStatus::kOk) return s;

  ok_ = true;
  return SemanticLoadStatus::kOk;
}

// ---- Reset ------------------------------------------------------------------

void SemanticDictionary::SetLemmaIndexes(LemmaIndex* verbs, LemmaIndex* adjectives) {
  verbLemmas_ = verbs;
  adjectiveLemmas_ = adjectives;
}

void SemanticDictionary::ResetRunCounts() {
  for (auto& level : levels_) {
    if (level) level->counts.Reset();
  }
  if (verbLemmas_ != nullptr) verbLemmas_->ResetCounts();
  if (adjectiveLemmas_ != nullptr) adjectiveLemmas_->ResetCounts();
  if (nounLemmas_) nounLemmas_->ResetCounts();
  depthOverflow_ = false;
  // The classes made for unknown nouns belong to the run that made them.
  if (Level* level = LevelAt(1)) {
    for (uint32_t c = level->base + 1; c <= level->current; ++c) level->names[c] = nullptr;
    level->current = level->base;
  }
  runNames_.Clear();
  severalSenses_ = false;
  if (newClasses_.Created()) newClasses_.Reset();
}

void SemanticDictionary::ResetRecentNouns() {
  for (ClassPath& path : ring_) path = ClassPath{};
  ringNext_ = 1;
}

void SemanticDictionary::PushRecentClasses(const ClassPath& path) {
  ring_[ringNext_ - 1] = path;
  ringNext_ = ringNext_ == kRecentNouns ? 1 : ringNext_ + 1;
}

// ---- Readings ---------------------------------------------------------------

int SemanticDictionary::SegmentOf(int d, const char* key, size_t length) {
  if (d >= kSemanticReadings) {
    depthOverflow_ = true;
    if (depthQuestionAsked_) return 1;
    depthQuestionAsked_ = true;
    std::string question = messages_.message(14);
    question.append(key, length);
    if (!messages_.ask(question)) FatalExit(0);
    d = kSemanticReadings - 1;
  }
  return SemanticSegment(tables_, key, length, d);
}

const TrieCursor* SemanticDictionary::FindInSegment(int d, const char* key, size_t length) {
  Trie32x32& segment = segments_[SegmentOf(d, key, length) - 1];
  segment.Find(key, length);
  return &segment.Cursor();
}

int32_t SemanticDictionary::Decode(int32_t value) {
  found_ = FoundReading{};
  // The indicator tells about the value just decoded, so that a noun that
  // follows an ambiguous one is not taken for ambiguous too.
  severalSenses_ = value < 0;
  const uint32_t record = static_cast<uint32_t>(value < 0 ? -value : value);
  if (record == 0 || record > header_.meaningCount) return 0;
  const MeaningRecord& m = meanings_[record];
  found_.flags = m.flags;
  found_.keyLevel = m.flags & kSenseKeyLevelMask;
  found_.sense = m.sense;
  found_.lemma = m.lemma;
  if (m.sense != 0) {
    const uint16_t* const triple = &triples_[size_t{m.sense} * 3];
    for (int l = 1; l <= 3; ++l) found_.path.at(l) = triple[l - 1];
  }
  return found_.sense;
}

bool SemanticDictionary::FindReading(char* text, int d) {
  depthOverflow_ = false;
  found_.keyLevel = 0;
  found_.flags = 0;
  if (!ok_ || text == nullptr || d < 0) return false;
  const size_t length = std::strlen(text);
  FoldToLower(text, length);
  if (d < kSemanticReadings) {
    const TrieCursor* const cursor = FindInSegment(d, text, length);
    if (Decode(cursor->found ? cursor->value : 0) != 0) return true;
  }
  char variant[kKeyBuffer];
  if (UnderscoreVariant(text, length, variant)) {
    const TrieCursor* const cursor = FindInSegment(d, variant, length);
    Decode(cursor->found ? cursor->value : 0);
    if (cursor->found) return true;
  }
  if (d == 0) {
    const char sign[2] = {static_cast<char>(CurrencySignOf(text, length)), '\0'};
    if (sign[0] != 0) {
      const TrieCursor* const cursor = FindInSegment(0, sign, 1);
      if (Decode(cursor->found ? cursor->value : 0) != 0) return true;
    }
  }
  return false;
}

int32_t SemanticDictionary::FindWord(char* text) {
  if (text == nullptr) return FindFoldedWord(nullptr, 0);
  const size_t length = std::strlen(text);
  FoldToLower(text, length);
  return FindFoldedWord(text, length);
}

int32_t SemanticDictionary::FindFoldedWord(const char* text, size_t length) {
  wordReached_ = false;
  if (depthOverflow_ || !ok_ || text == nullptr) return -1;
  length = TrieKeyLength(text, length);
  const TrieCursor* cursor = FindInSegment(0, text, length);
  if (!cursor->found) {
    char variant[kKeyBuffer];
    if (UnderscoreVariant(text, length, variant)) cursor = FindInSegment(0, variant, length);
  }
  wordReached_ = cursor->found;
  return cursor->found && cursor->value != 0 ? cursor->position : -1;
}

// A direct-mapped table of the readings of recent forms: the folded form,
// its readings, the several-senses indicator of its first reading, and what
// the walk over the readings left in the found reading and the indicator.
// The dictionary does not change once loaded, so an answer stays true; a
// load empties the table.
struct SemanticDictionary::ReadingsMemo {
  static constexpr size_t kSlots = 2048;
  static constexpr size_t kKeyBytes = 48;  // longer forms are not kept
  uint8_t length;  // 0: empty slot
  uint8_t count;
  bool firstSeveral;
  bool severalSenses;
  char key[kKeyBytes];
  FoundReading found;
  FoundReading readings[kReadingCache];
};

const SemanticDictionary::ReadingsMemo* SemanticDictionary::MemoOf(char* text) {
  if (!ok_ || text == nullptr) return nullptr;
  const size_t length = std::strlen(text);
  FoldToLower(text, length);
  if (length == 0 || length >= ReadingsMemo::kKeyBytes) return nullptr;
  if (!memo_) memo_.reset(new (std::nothrow) ReadingsMemo[ReadingsMemo::kSlots]());
  if (!memo_) return nullptr;
  uint32_t h = 2166136261u;
  for (size_t i = 0; i < length; ++i) h = (h ^ static_cast<uint8_t>(text[i])) * 16777619u;
  ReadingsMemo& memo = memo_[h % ReadingsMemo::kSlots];
  if (memo.length == length && std::memcmp(memo.key, text, length) == 0) return &memo;
  // Not kept yet: the readings are looked up one by one, as AllReadings
  // would.
  memo.length = 0;
  int count = 0;
  memo.firstSeveral = false;
  while (count < kReadingCache && FindReading(text, count)) {
    if (count == 0) memo.firstSeveral = severalSenses_;
    memo.readings[count++] = found_;
  }
  memo.count = static_cast<uint8_t>(count);
  memo.found = found_;
  memo.severalSenses = severalSenses_;
  std::memcpy(memo.key, text, length);
  memo.length = static_cast<uint8_t>(length);
  return &memo;
}

bool SemanticDictionary::FirstReading(char* text) {
  const ReadingsMemo* const memo = MemoOf(text);
  if (memo == nullptr) return FindReading(text, 0);
  depthOverflow_ = false;
  if (memo->count == 0) {
    found_ = memo->found;
    severalSenses_ = memo->severalSenses;
    return false;
  }
  found_ = memo->readings[0];
  severalSenses_ = memo->firstSeveral;
  return true;
}

int SemanticDictionary::AllReadings(char* text) {
  cacheCount_ = 0;
  if (const ReadingsMemo* const memo = MemoOf(text)) {
    cacheCount_ = memo->count;
    for (int i = 0; i < cacheCount_; ++i) cache_[i] = memo->readings[i];
    found_ = memo->found;
    severalSenses_ = memo->severalSenses;
    depthOverflow_ = false;
    return cacheCount_;
  }
  while (cacheCount_ < kReadingCache && FindReading(text, cacheCount_)) {
    cache_[cacheCount_++] = found_;
  }
  return cacheCount_;
}

// ---- Nouns ------------------------------------------------------------------

void SemanticDictionary::CountPath(const ClassPath& path) {
  for (int l = 1; l <= 3; ++l) {
    if (path.at(l) > 0) levels_[l - 1]->counts.Add(static_cast<uint32_t>(path.at(l)));
  }
}

bool SemanticDictionary::MakeClass(const char* name, size_t length, int32_t& cls) {
  Level& level = *levels_[0];
  if (level.current >= kMaxClassNumber) return false;
  const char* const copy = runNames_.Add(std::string_view(name, length));
  messages_.checkMemory(copy);
  ++level.current;
  level.names[level.current] = copy;
  if (!newClasses_.Insert(std::string_view(name, length), static_cast<uint16_t>(level.current))) {
    return false;  // the name keeps its slot, the noun stays unclassified
  }
  level.counts.Set(level.current, 1);
  cls = static_cast<int32_t>(level.current);
  return true;
}

bool SemanticDictionary::LookUpNoun(char* text, uint32_t& level1Class, int32_t& sense) {
  sense = -1;
  if (!ok_ || text == nullptr) return false;
  if (FirstReading(text)) {
    if (severalSenses_) {
      level1Class = 0;
      return false;
    }
    sense = found_.sense;
    CountPath(found_.path);
    return true;
  }
  // Unknown to the dictionary: the noun is its own class.
  found_.path = ClassPath{};
  const size_t length = std::strlen(text);
  int32_t c = ClassNumberOfName(1, text);
  if (c != 0) {
    if (ClassCount(1, c) > 0) levels_[0]->counts.Add(static_cast<uint32_t>(c));
  } else if (!MakeClass(text, length, c)) {
    return false;
  }
  found_.path.at(1) = c;
  return true;
}

bool SemanticDictionary::RejectedForAbsence(const FoundReading& r, bool count) const {
  if (!count || r.keyLevel < 1 || r.keyLevel > 3) return false;
  const int32_t c = r.path.at(r.keyLevel);
  return c > 0 && ClassCount(r.keyLevel, c) < 1;
}

bool SemanticDictionary::RejectedByForm(const FoundReading& r, uint8_t capitalisation) const {
  if ((r.flags & kSenseNeedsCapital) != 0 && capitalisation == 0) return true;
  if ((r.flags & kSenseNeedsAllCapitals) != 0 && capitalisation != 2) return true;
  if ((r.flags & kSenseNeedsContext) != 0) {
    const int level = r.keyLevel == 0 ? kScenarioLevel : r.keyLevel;
    const int32_t c = r.path.at(level);
    if (c == 0) return true;
    for (const ClassPath& recent : ring_) {
      if (recent.at(level) == c) return false;
    }
    return true;
  }
  return false;
}

int64_t SemanticDictionary::Score(const FoundReading& r, int level, bool count) const {
  if (RejectedForAbsence(r, count)) return -1;
  const int32_t c = r.path.at(level);
  if (c <= 0) return 0;
  int64_t score = ClassCount(level, c);
  if (level == 1 && r.path.at(2) > 0) score += ClassCount(2, r.path.at(2)) / 3;
  return score;
}

int SemanticDictionary::Select(int level, uint8_t capitalisation, bool count) {
  int chosen = -1;
  int64_t chosenScore = 0;
  const auto pass = [&](bool formRule, bool acceptAll) {
    for (int i = 0; i < cacheCount_; ++i) {
      const FoundReading& r = cache_[i];
      const int64_t score = Score(r, level, count);
      if (!acceptAll) {
        if (RejectedForAbsence(r, count)) continue;
        if (formRule && count && RejectedByForm(r, capitalisation)) continue;
        if (chosen >= 0 && score <= chosenScore) continue;
      }
      chosen = i;
      chosenScore = score;
    }
  };
  pass(true, false);
  if (chosen < 0) pass(false, false);
  if (chosen < 0) pass(false, true);
  current_ = cache_[chosen].path;
  chosenScore_ = chosenScore;
  return chosen;
}

bool SemanticDictionary::ResolveAmbiguousNoun(char* text, uint8_t capitalisation, bool count,
                                              int32_t& sense) {
  current_ = ClassPath{};
  sense = -1;
  if (AllReadings(text) == 0) return false;
  int chosen = Select(1, capitalisation, count);
  if (count && cacheCount_ > 1) {
    if (chosenScore_ < 1) chosen = Select(2, capitalisation, count);
    if (chosenScore_ < 1) chosen = Select(3, capitalisation, count);
  }
  sense = cache_[chosen].sense;
  if (!count || cacheCount_ == 1) return true;
  found_ = cache_[chosen];
  CountPath(current_);
  return true;
}

bool SemanticDictionary::ClassifyReferent(char* text, uint32_t lemma, uint8_t capitalisation,
                                          bool resolveFirst, int32_t& classOut) {
  if (!ok_ || text == nullptr) return false;
  bool resolved = true;
  if (resolveFirst) {
    current_ = ClassPath{};
    int32_t sense = 0;
    resolved = ResolveAmbiguousNoun(text, capitalisation, false, sense);
  } else {
    FoldToLower(text, std::strlen(text));
  }
  classOut = current_.at(1);

  const int32_t group = scenario_ != nullptr ? scenario_->GroupOfNoun(text, lemma, current_) : 0;
  if (group > 0 && static_cast<uint32_t>(group) <= kMaxClassNumber) {
    levels_[kScenarioLevel - 1]->counts.Add(static_cast<uint32_t>(group));
    current_.at(kScenarioLevel) = group;
    if (!resolved) {
      const int32_t c = ClassNumberOfName(1, text);
      if (c != 0) {
        classOut = c;
        current_.at(1) = c;
      }
    }
    return true;
  }
  if (resolved) {
    if (classOut <= 0) return true;
    return static_cast<int64_t>(ClassCount(1, classOut)) >= threshold_ ||
           static_cast<int64_t>(ClassCount(2, current_.at(2))) >= threshold_ ||
           static_cast<int64_t>(ClassCount(3, current_.at(3))) >= threshold_;
  }
  const int32_t c = ClassNumberOfName(1, text);
  if (c == 0 || static_cast<int64_t>(ClassCount(1, c)) < threshold_) return false;
  current_.at(1) = c;
  classOut = c;
  return true;
}

// ---- Classes ----------------------------------------------------------------

SemanticDictionary::Level* SemanticDictionary::LevelAt(int level) {
  return level >= 1 && level <= kClassLevels ? levels_[level - 1].get() : nullptr;
}

const SemanticDictionary::Level* SemanticDictionary::LevelAt(int level) const {
  return level >= 1 && level <= kClassLevels ? levels_[level - 1].get() : nullptr;
}

int32_t SemanticDictionary::ClassNumberOfName(int level, const char* name) {
  Level* const l = LevelAt(level);
  if (l == nullptr || name == nullptr) return 0;
  const std::string_view text(name, std::strlen(name));
  uint32_t c = l->index.NumberOf(text);
  if (c == 0 && level == 1 && newClasses_.Created()) c = newClasses_.ValueOf(text);
  return static_cast<int32_t>(c);
}

bool SemanticDictionary::FindClassByName(const char* name, int& level, int32_t& cls) {
  for (int l = 1; l <= 3; ++l) {
    Level* const table = LevelAt(l);
    if (table == nullptr || name == nullptr) return false;
    const uint32_t c = table->index.NumberOf(std::string_view(name, std::strlen(name)));
    if (c != 0 && c <= table->base) {
      level = l;
      cls = static_cast<int32_t>(c);
      return true;
    }
  }
  return false;
}

const char* SemanticDictionary::ClassName(int level, int32_t cls) const {
  const Level* const l = LevelAt(level);
  if (l == nullptr || cls < 1 || static_cast<uint32_t>(cls) > l->current ||
      static_cast<uint32_t>(cls) > l->slots || l->names[cls] == nullptr) {
    return "?";
  }
  return l->names[cls];
}

uint32_t SemanticDictionary::ClassCount(int level, int32_t cls) const {
  const Level* const l = LevelAt(level);
  return l == nullptr || cls < 1 ? 0 : l->counts.CountOf(static_cast<uint32_t>(cls));
}

uint32_t SemanticDictionary::NumberOfClasses(int level) const {
  const Level* const l = LevelAt(level);
  return l == nullptr ? 0 : l->base;
}

uint32_t SemanticDictionary::CurrentNumberOfClasses(int level) const {
  const Level* const l = LevelAt(level);
  return l == nullptr ? 0 : l->current;
}

int32_t SemanticDictionary::RankedClass(int level, uint32_t rank) const {
  const Level* const l = LevelAt(level);
  return l == nullptr ? 0 : static_cast<int32_t>(l->counts.RankedNumber(rank));
}

uint32_t SemanticDictionary::NumberOfRankedClasses(int level) const {
  const Level* const l = LevelAt(level);
  return l == nullptr ? 0 : l->counts.RankedLength();
}

bool SemanticDictionary::ClassAddedDuringRun(int level, int32_t cls) const {
  const Level* const l = LevelAt(level);
  return l != nullptr && cls > 0 && static_cast<uint32_t>(cls) > l->base &&
         static_cast<uint32_t>(cls) <= l->current;
}

void SemanticDictionary::RankClassesOfLevel(int level) {
  Level* const l = LevelAt(level);
  if (l != nullptr) l->counts.Rank(l->current);
}

void SemanticDictionary::IndexStatistics(int level, std::string& report) const {
  const Level* const l = LevelAt(level);
  if (l != nullptr) l->index.AppendStatistics(report);
}

// ---- Level 4 ----------------------------------------------------------------

uint32_t SemanticDictionary::AddScenarioGroupName(std::string_view label) {
  Level* const level = LevelAt(kScenarioLevel);
  if (level == nullptr || level->current >= level->slots) return 0;
  std::string folded(label);
  FoldToLower(folded);
  const char* const copy = scenarioNames_.Add(folded);
  messages_.checkMemory(copy);
  const uint32_t number = level->current + 1;
  if (level->index.NumberOf(folded) == 0 && !level->index.Insert(folded, number)) return 0;
  level->current = number;
  level->base = number;
  level->names[number] = copy;
  return number;
}

void SemanticDictionary::ClearScenarioGroups() {
  Level* const level = LevelAt(kScenarioLevel);
  if (level == nullptr) return;
  for (uint32_t g = 1; g <= level->current; ++g) level->names[g] = nullptr;
  level->current = 0;
  level->base = 0;
  level->counts.Reset();
  level->index.Reset();
  scenarioNames_.Clear();
}

bool SemanticDictionary::CountScenarioGroup(int32_t group) {
  Level* const level = LevelAt(kScenarioLevel);
  if (level == nullptr || group < 1 || static_cast<uint32_t>(group) > level->current) return false;
  return level->counts.Add(static_cast<uint32_t>(group));
}

bool SemanticDictionary::SetScenarioGroupCount(int32_t group, uint32_t count) {
  Level* const level = LevelAt(kScenarioLevel);
  if (level == nullptr || group < 1 || static_cast<uint32_t>(group) > level->current) return false;
  return level->counts.Set(static_cast<uint32_t>(group), count);
}

void SemanticDictionary::RankScenarioGroups(const uint8_t* selected) {
  Level* const level = LevelAt(kScenarioLevel);
  if (level != nullptr) level->counts.RankSelected(level->current, selected);
}

}  // namespace malvex
