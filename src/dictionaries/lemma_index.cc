#include "dictionaries/lemma_index.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "dictionaries/byte_stream.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/fatal.h"
#include "platform/files.h"

namespace malvex {

namespace {

// Catalogue messages and exit codes of a damaged lemma index file.
constexpr int kMessageCorrupted = 10;
constexpr int kMessageWrongVersion = 12;
constexpr int kMessageInconsistent = 13;
constexpr int kExitCorrupted = 2;
constexpr int kExitWrongFile = 1;

struct Header {
  uint8_t version = 0;
  uint32_t entries = 0;
  uint32_t repeats = 0;
  uint32_t lemmaNewEntries = 0;
  uint32_t lemmaCount = 0;
  uint32_t formTexts = 0;
  uint32_t lemmaTries = 0;
  uint32_t formTries = 0;
  uint32_t magic = 0;
};

Header DecodeHeader(const uint8_t* p) {
  Header h;
  h.version = p[0];
  h.entries = LoadU32(p + 1);
  h.repeats = LoadU32(p + 5);
  h.lemmaNewEntries = LoadU32(p + 9);
  h.lemmaCount = LoadU32(p + 13);
  h.formTexts = LoadU32(p + 17);
  h.lemmaTries = LoadU32(p + 21);
  h.formTries = LoadU32(p + 25);
  h.magic = LoadU32(p + 43);
  return h;
}

}  // namespace

LemmaIndex::LemmaIndex(int formTries, int lemmaTries, Messages* messages, StringPool* pool)
    : messages_(messages), pool_(pool), formTries_(formTries), lemmaTries_(lemmaTries),
      counts_(messages) {
  MakeTables(formTries, lemmaTries, true);
  counts_.Resize(kMaxLemmas);
  groups_.reset(new (std::nothrow) uint32_t[kMaxLemmas + 1]());
  if (groups_ == nullptr) {
    if (messages_ != nullptr) messages_->checkMemory(nullptr);
    FatalExit(1);
  }
}

LemmaIndex::~LemmaIndex() = default;

void LemmaIndex::MakeTables(int formTries, int lemmaTries, bool loading) {
  runTexts_.clear();
  runNumbers_.clear();
  lemmas_.reset(new (std::nothrow) StringTable(lemmaTries, loading, true, messages_, pool_));
  forms_.reset(new (std::nothrow) StringTable(formTries, loading, false, messages_, nullptr));
  if (lemmas_ == nullptr || forms_ == nullptr) {
    if (messages_ != nullptr) messages_->checkMemory(nullptr);
    FatalExit(1);
  }
}

void LemmaIndex::CreateEmpty() {
  MakeTables(formTries_, lemmaTries_, false);
  entries_ = 0;
  repeats_ = 0;
  formTexts_ = 0;
  counts_.Reset();
  ClearGroups();
}

void LemmaIndex::Load(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) DictionaryFault(messages_, kMessageCorrupted, kExitCorrupted);
  LoadImage(bytes, path);
}

void LemmaIndex::LoadImage(std::string_view bytes, const std::string& path) {
  ByteReader in(bytes);
  const uint8_t* const head = in.Take(kHeaderSize);
  if (head == nullptr) DictionaryFault(messages_, kMessageCorrupted, kExitCorrupted);
  const Header h = DecodeHeader(head);
  if (h.version != kVersion || h.magic != kMagic) {
    DictionaryFault(messages_, kMessageWrongVersion, kExitWrongFile, path);
  }
  if (h.lemmaTries < 1 || h.lemmaTries > StringIndex::kMaxTries || h.formTries < 1 ||
      h.formTries > StringIndex::kMaxTries || h.lemmaCount > kMaxLemmas) {
    DictionaryFault(messages_, kMessageInconsistent, kExitWrongFile);
  }
  entries_ = h.entries;
  repeats_ = h.repeats;
  formTexts_ = h.formTexts;
  MakeTables(static_cast<int>(h.formTries), static_cast<int>(h.lemmaTries), true);

  const auto check = [this](LoadStatus status) {
    if (status == LoadStatus::kTruncated) DictionaryFault(messages_, kMessageCorrupted, kExitCorrupted);
    if (status == LoadStatus::kDamaged) DictionaryFault(messages_, kMessageInconsistent, kExitWrongFile);
  };
  check(lemmas_->index().Load(in, static_cast<int>(h.lemmaTries), 0));
  check(forms_->index().Load(in, static_cast<int>(h.formTries), 0));
  lemmas_->index().SetNewEntries(h.lemmaNewEntries);
  check(lemmas_->LoadTexts(in, h.lemmaCount));
  counts_.Reset();
  ClearGroups();
}

uint32_t LemmaIndex::LemmaNumberOfLemma(std::string_view lemma) {
  const uint32_t number = lemmas_->NumberOf(lemma);
  if (number != 0 || runNumbers_.empty()) return number;
  const auto run = runNumbers_.find(std::string(lemma));
  return run == runNumbers_.end() ? 0 : run->second;
}

uint32_t LemmaIndex::LemmaNumberOfForm(std::string_view form) {
  const uint32_t number = forms_->NumberOf(form);
  return number != 0 ? number : LemmaNumberOfLemma(form);
}

const char* LemmaIndex::LemmaOfForm(std::string_view form) {
  const uint32_t number = LemmaNumberOfForm(form);
  return number == 0 ? nullptr : LemmaText(number);
}

const char* LemmaIndex::LemmaText(uint32_t number) const {
  if (number == 0 || number > LemmaCount()) return "";
  if (number > lemmas_->Count()) return runTexts_[number - lemmas_->Count() - 1].c_str();
  const char* const text = lemmas_->TextOf(number);
  return text == nullptr ? "" : text;
}

uint32_t LemmaIndex::AddLemma(std::string_view text) {
  const size_t length = TrieKeyLength(text.data(), text.size());
  if (length == 0 || length > kTrieMaxKeyLength) return 0;
  char folded[kTrieMaxKeyLength];
  std::memcpy(folded, text.data(), length);
  FoldToLower(folded, length);
  const uint32_t known = LemmaNumberOfLemma(std::string_view(folded, length));
  if (known != 0) return known;
  if (!runLemmasApart_) return lemmas_->AddText(text) ? lemmas_->Count() : 0;
  if (LemmaCount() >= kMaxLemmas) return 0;
  runTexts_.emplace_back(text.substr(0, length));
  runNumbers_.emplace(std::string(folded, length), LemmaCount());
  return LemmaCount();
}

void LemmaIndex::ForgetRunLemmas() {
  for (uint32_t n = lemmas_->Count() + 1; n <= LemmaCount(); ++n) groups_[n] = 0;
  runTexts_.clear();
  runNumbers_.clear();
}

bool LemmaIndex::AddForm(std::string_view form, uint32_t number) {
  if (number == 0 || number > LemmaCount()) return false;
  const size_t length = TrieKeyLength(form.data(), form.size());
  if (length == 0 || length > kTrieMaxKeyLength) return false;
  char folded[kTrieMaxKeyLength];
  std::memcpy(folded, form.data(), length);
  FoldToLower(folded, length);
  // A form met again keeps its first lemma: inserting it twice would mark
  // the stored number as ambiguous and so turn it into another number.
  if (forms_->NumberOf(std::string_view(folded, length)) != 0) {
    ++repeats_;
    return true;
  }
  if (!forms_->index().Insert(std::string_view(folded, length), number)) return false;
  ++entries_;
  ++formTexts_;
  return true;
}

uint32_t LemmaIndex::CountOccurrence(uint32_t number, std::span<uint32_t> groupCounts) {
  if (number == 0 || number > LemmaCount()) return 0;
  counts_.Add(number);
  const uint32_t group = groups_[number];
  if (group != 0 && group < groupCounts.size()) ++groupCounts[group];
  return group;
}

bool LemmaIndex::SetGroup(uint32_t number, uint32_t group) {
  if (number == 0 || number > kMaxLemmas) return false;
  groups_[number] = group;
  return true;
}

void LemmaIndex::ClearGroups() { std::fill(groups_.get(), groups_.get() + kMaxLemmas + 1, 0u); }

bool LemmaIndex::Write(ByteWriter& out) const {
  out.U8(kVersion);
  out.U32(entries_);
  out.U32(repeats_);
  out.U32(lemmas_->index().NewEntries());
  out.U32(lemmas_->Count());
  out.U32(formTexts_);
  out.U32(static_cast<uint32_t>(lemmas_->index().TrieCount()));
  out.U32(static_cast<uint32_t>(forms_->index().TrieCount()));
  out.Zeros(14);
  out.U32(kMagic);
  out.Zeros(1);
  lemmas_->index().Write(out);
  forms_->index().Write(out);
  return lemmas_->WriteTexts(out);
}

bool LemmaIndex::Save(const std::string& path) const {
  std::string image;
  ByteWriter out(image);
  if (!Write(out)) return false;
  return WriteFileAtomically(path, image);
}

}  // namespace malvex
