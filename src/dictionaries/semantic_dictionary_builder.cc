#include "dictionaries/semantic_dictionary_builder.h"

#include <array>
#include <map>
#include <memory>

#include "dictionaries/byte_stream.h"
#include "dictionaries/name_record.h"
#include "dictionaries/noun_lemma_dictionary.h"
#include "dictionaries/string_index.h"
#include "dictionaries/trie.h"
#include "foundations/charset.h"
#include "platform/files.h"

namespace malvex {

namespace {

// Longest form a segment takes (a word holds at most 79 characters).
constexpr size_t kMaxFormLength = 79;
// Most noun lemmas the builder numbers.
constexpr uint32_t kMaxNounLemmas = 5000000;

// A segment being filled: the read-only segment trie with the insertion of
// the category-code rule, which appends keys exactly as every other trie of
// the system does. Keys are never inserted twice, so no value is marked.
class SegmentTrie : public Trie32x32 {
 public:
  bool Add(std::string_view key, int32_t value) { return InsertCode(key, value, Capacity()); }
};

std::string Folded(std::string_view text) {
  std::string folded(text);
  FoldToLower(folded);
  return folded;
}

}  // namespace

SemanticDictionaryBuilder::SemanticDictionaryBuilder(const LanguageTables& tables)
    : tables_(tables) {}

bool SemanticDictionaryBuilder::Fail(std::string message) {
  error_ = std::move(message);
  return false;
}

bool SemanticDictionaryBuilder::AddSense(const SemanticSenseEntry& entry) {
  const std::string key = Folded(entry.form);
  if (key.empty() || key.size() > kMaxFormLength || key.find('\0') != std::string::npos) {
    return Fail("form \"" + entry.form + "\": empty, too long or holding a zero byte");
  }
  const auto known = formIndex_.find(key);
  if (known != formIndex_.end() &&
      forms_[known->second].senses.size() >= static_cast<size_t>(kSemanticReadings)) {
    return Fail("form \"" + entry.form + "\": more than 18 senses");
  }
  if (!entry.lemma.empty() && !CanScrambleName(entry.lemma)) {
    return Fail("lemma \"" + entry.lemma + "\" cannot be stored in a name record");
  }
  // Check every class before numbering any, so that a refused sense leaves
  // nothing behind.
  std::string folded[3];
  for (int l = 0; l < 3; ++l) {
    const std::string& name = entry.classes[l];
    if (name.empty()) continue;
    if (!CanScrambleName(name)) {
      return Fail("class \"" + name + "\" cannot be stored in a name record");
    }
    folded[l] = Folded(name);
    if (levels_[l].numbers.count(folded[l]) == 0 && levels_[l].names.size() >= kMaxClassNumber) {
      return Fail("more than 65,535 classes at level " + std::to_string(l + 1));
    }
  }
  Sense sense{{0, 0, 0}, entry.flags, entry.lemma};
  for (int l = 0; l < 3; ++l) {
    if (folded[l].empty()) continue;
    Level& level = levels_[l];
    auto [it, added] = level.numbers.emplace(folded[l], static_cast<uint32_t>(level.names.size() + 1));
    if (added) level.names.push_back(entry.classes[l]);
    sense.classes[l] = static_cast<uint16_t>(it->second);
  }
  if (known == formIndex_.end()) {
    formIndex_.emplace(key, forms_.size());
    forms_.push_back(Form{key, {}});
    forms_.back().senses.push_back(std::move(sense));
  } else {
    forms_[known->second].senses.push_back(std::move(sense));
  }
  return true;
}

bool SemanticDictionaryBuilder::Build(std::string& image) {
  image.clear();
  error_.clear();

  // Sense numbers: one per distinct class triple, in order of first use.
  std::map<std::array<uint16_t, 3>, uint16_t> senseNumbers;
  std::vector<std::array<uint16_t, 3>> triples;
  // Noun lemmas, numbered in order of first use.
  TDicSubstantifs lemmas(kMaxNounLemmas);
  std::vector<MeaningRecord> meanings;
  uint32_t severalSenses = 0;

  // Cells each segment needs: every key and its value cell, plus the one
  // cell a trie keeps free.
  uint64_t cells[kSemanticSegments] = {};
  for (const Form& form : forms_) {
    if (form.senses.size() > 1) ++severalSenses;
    for (size_t d = 0; d < form.senses.size(); ++d) {
      const int s = SemanticSegment(tables_, form.key.data(), form.key.size(), static_cast<int>(d));
      cells[s - 1] += form.key.size() + 1;
    }
  }
  std::unique_ptr<SegmentTrie[]> segments(new SegmentTrie[kSemanticSegments]);
  for (int s = 0; s < kSemanticSegments; ++s) {
    if (cells[s] == 0) continue;
    if (cells[s] + 1 >= INT32_MAX / 2 || !segments[s].TryCreate(static_cast<uint32_t>(cells[s] + 1))) {
      return Fail("segment " + std::to_string(s + 1) + " too large");
    }
  }

  for (const Form& form : forms_) {
    for (size_t d = 0; d < form.senses.size(); ++d) {
      const Sense& sense = form.senses[d];
      MeaningRecord record;
      record.flags = sense.flags;
      const std::array<uint16_t, 3> triple = {sense.classes[0], sense.classes[1], sense.classes[2]};
      if (triple != std::array<uint16_t, 3>{0, 0, 0}) {
        auto it = senseNumbers.find(triple);
        if (it == senseNumbers.end()) {
          if (triples.size() >= kClassTripleCount) return Fail("more than 65,535 class triples");
          triples.push_back(triple);
          it = senseNumbers.emplace(triple, static_cast<uint16_t>(triples.size())).first;
        }
        record.sense = it->second;
      }
      if (!sense.lemma.empty()) {
        record.lemma = lemmas.AddLemma(sense.lemma);
        if (record.lemma == 0) return Fail("lemma \"" + sense.lemma + "\" cannot be numbered");
      }
      meanings.push_back(record);
      const int32_t number = static_cast<int32_t>(meanings.size());
      // The first reading of a form with several senses is stored negative.
      const int32_t value = (d == 0 && form.senses.size() > 1) ? -number : number;
      const int s = SemanticSegment(tables_, form.key.data(), form.key.size(), static_cast<int>(d));
      if (!segments[s - 1].Add(form.key, value)) {
        return Fail("form \"" + form.key + "\" does not fit its segment");
      }
    }
  }

  // The class-name indexes.
  std::unique_ptr<StringIndex> indexes[3];
  for (int l = 0; l < 3; ++l) {
    indexes[l].reset(new StringIndex(kLevelIndexTries[l], false, nullptr));
    const std::vector<std::string>& names = levels_[l].names;
    for (size_t c = 0; c < names.size(); ++c) {
      if (!indexes[l]->Insert(Folded(names[c]), static_cast<uint32_t>(c + 1))) {
        return Fail("the class index of level " + std::to_string(l + 1) + " is full");
      }
    }
  }

  SemanticFileHeader header;
  header.entryCount = static_cast<uint32_t>(forms_.size());
  header.secondCounter = severalSenses;
  for (int l = 0; l < 3; ++l) header.baseCounts[l] = static_cast<uint32_t>(levels_[l].names.size());
  header.meaningCount = static_cast<uint32_t>(meanings.size());
  header.senseCount = static_cast<uint32_t>(triples.size());
  header.nounLemmaCount = lemmas.LemmaCount();
  header.nounTrieLastCell = lemmas.LastCell();

  ByteWriter out(image);
  WriteSemanticHeader(out, header);
  for (int s = 0; s < kSemanticSegments; ++s) WriteTrie32Record(out, segments[s].Record());
  for (int s = 0; s < kSemanticSegments; ++s) segments[s].WriteChars(out);
  WriteSemanticHeader(out, header);
  for (int s = 0; s < kSemanticSegments; ++s) segments[s].WriteValues(out);
  for (const MeaningRecord& record : meanings) WriteMeaningRecord(out, record);
  {
    // The whole table, unused sense numbers as zeros.
    std::string table(kClassTripleCount * kClassTripleSize, '\0');
    for (size_t i = 0; i < triples.size(); ++i) {
      for (size_t l = 0; l < 3; ++l) {
        table[i * 6 + l * 2] = static_cast<char>(triples[i][l] & 0xFF);
        table[i * 6 + l * 2 + 1] = static_cast<char>(triples[i][l] >> 8);
      }
    }
    out.Bytes(table.data(), table.size());
  }
  WriteSemanticHeader(out, header);
  for (int s = 0; s < kSemanticSegments; ++s) segments[s].WriteNext(out);
  WriteSemanticHeader(out, header);
  for (const Level& level : levels_) {
    for (const std::string& name : level.names) WriteNameRecord(out, name);
  }
  for (const auto& index : indexes) index->Write(out);
  if (!lemmas.Write(out)) {
    image.clear();
    return Fail("a noun lemma cannot be stored in a name record");
  }
  WriteSemanticHeader(out, header);
  return true;
}

bool SemanticDictionaryBuilder::Write(const std::string& path) {
  std::string image;
  if (!Build(image)) return false;
  if (!WriteFileAtomically(path, image)) return Fail("cannot write " + path);
  return true;
}

}  // namespace malvex
