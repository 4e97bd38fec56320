#include "dictionaries/lexicon_builder.h"

#include <memory>

#include "dictionaries/byte_stream.h"
#include "dictionaries/trie.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "platform/files.h"

namespace malvex {

namespace {

// Longest form: words hold at most 79 characters.
constexpr size_t kMaxFormLength = 79;

}  // namespace

LexiconBuilder::LexiconBuilder(const LanguageTables& tables, uint8_t spareByte)
    : tables_(tables), spareByte_(spareByte) {}

bool LexiconBuilder::AddForm(std::string_view form, const std::vector<uint16_t>& codes) {
  refusal_ = Refusal::kNone;
  const size_t length = TrieKeyLength(form.data(), form.size());
  if (length == 0) {
    refusal_ = Refusal::kEmptyForm;
  } else if (length > kMaxFormLength) {
    refusal_ = Refusal::kFormTooLong;
  } else if (codes.empty()) {
    refusal_ = Refusal::kNoReading;
  } else if (codes.size() > static_cast<size_t>(kLexiconReadings)) {
    refusal_ = Refusal::kTooManyReadings;
  } else {
    for (const uint16_t code : codes) {
      if (code == 0 || (code & kCodeAmbiguous) != 0) refusal_ = Refusal::kBadCode;
    }
  }
  if (refusal_ != Refusal::kNone) return false;
  Form f;
  f.folded.assign(form.data(), length);
  FoldToLower(f.folded);
  if (!seen_.insert(f.folded).second) {
    refusal_ = Refusal::kAlreadyAdded;
    return false;
  }
  f.codes = codes;
  for (size_t k = 0; k + 1 < f.codes.size(); ++k) f.codes[k] |= kCodeAmbiguous;
  forms_.push_back(std::move(f));
  return true;
}

bool LexiconBuilder::Build(std::string& image) const {
  // Each reading of a form needs at most its characters and a value cell.
  uint64_t need[kLexiconSegments] = {};
  for (const Form& f : forms_) {
    for (size_t k = 0; k < f.codes.size(); ++k) {
      const int n = LexiconSegment(tables_, static_cast<int>(k), f.folded.data(), f.folded.size());
      if (n == 0) return false;  // tables whose buckets name no segment
      need[n - 1] += f.folded.size() + 1;
    }
  }
  std::unique_ptr<Trie32[]> segments(new Trie32[kLexiconSegments]);
  for (int i = 0; i < kLexiconSegments; ++i) {
    if (need[i] + 2 >= UINT32_MAX / 2 || !segments[i].TryCreate(static_cast<uint32_t>(need[i] + 2))) {
      return false;
    }
  }
  for (const Form& f : forms_) {
    for (size_t k = 0; k < f.codes.size(); ++k) {
      const int n = LexiconSegment(tables_, static_cast<int>(k), f.folded.data(), f.folded.size());
      if (!segments[n - 1].Insert(f.folded, f.codes[k])) return false;
    }
  }

  LexiconHeader header;
  header.spareByte = spareByte_;
  header.tables = tables_;
  for (int i = 0; i < kLexiconSegments; ++i) {
    header.newEntries += segments[i].Cursor().newEntries;
    header.duplicates += segments[i].Cursor().duplicates;
  }
  image.clear();
  ByteWriter out(image);
  WriteLexiconHeader(out, header);
  for (int i = 0; i < kLexiconSegments; ++i) WriteTrie32Record(out, segments[i].Record());
  for (int i = 0; i < kLexiconSegments; ++i) segments[i].WriteChars(out);
  for (int i = 0; i < kLexiconSegments; ++i) segments[i].WriteValues(out);
  for (int i = 0; i < kLexiconSegments; ++i) segments[i].WriteNext(out);
  return true;
}

bool LexiconBuilder::Write(const std::string& path) const {
  std::string image;
  return Build(image) && WriteFileAtomically(path, image);
}

}  // namespace malvex
