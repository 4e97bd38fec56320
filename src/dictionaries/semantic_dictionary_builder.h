// Builds the image of a semantic dictionary file (".sv8") from noun senses
// held in memory, with the same tries, name records and header that the
// dictionary reads. The dictionary compiler calls it. The same senses added
// in the same order always give the same bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dictionaries/semantic_format.h"
#include "foundations/language_tables.h"

namespace malvex {

// One sense of a noun form.
struct SemanticSenseEntry {
  // The word form (folded to lower case by the builder; at most 79
  // characters). The senses of one form become its readings 0, 1, 2, ... in
  // the order they are added (at most 18).
  std::string form;
  // The sense's class names at levels 1, 2 and 3; empty for no class at that
  // level. A class is identified by its name folded to lower case; its first
  // spelling is the one stored.
  std::string classes[3];
  // Sense flags: key level 0..3 in bits 1..0, kSenseNeedsCapital,
  // kSenseNeedsAllCapitals, kSenseNeedsContext.
  uint8_t flags = 0;
  // The noun lemma of the sense; empty for none.
  std::string lemma;
};

class SemanticDictionaryBuilder {
 public:
  // `tables` gives the initial-letter buckets that place the forms in their
  // segments; they must be the ones the lexicon file of the edition
  // carries.
  explicit SemanticDictionaryBuilder(const LanguageTables& tables = DefaultLanguageTables());

  // Adds the next sense of `entry.form`. False, with error() set and nothing
  // added, for an empty or too long form, a form with 18 senses already, or
  // a class or lemma name that a name record cannot hold.
  bool AddSense(const SemanticSenseEntry& entry);

  // Replaces `image` with the file's bytes. False, with error() set, when a
  // limit of the format is exceeded (65,535 classes of a level or distinct
  // class triples, a full class-name index).
  bool Build(std::string& image);
  // Builds the image and writes it to `path` (replacing the file as a
  // whole). False, with error() set, when Build or the write fails.
  bool Write(const std::string& path);

  const std::string& error() const { return error_; }
  size_t FormCount() const { return forms_.size(); }

 private:
  struct Sense {
    uint16_t classes[3];
    uint8_t flags;
    std::string lemma;
  };
  struct Form {
    std::string key;  // folded
    std::vector<Sense> senses;
  };
  struct Level {
    std::vector<std::string> names;  // names[c - 1] is class c
    std::unordered_map<std::string, uint32_t> numbers;  // folded name -> class
  };

  bool Fail(std::string message);

  LanguageTables tables_;
  std::vector<Form> forms_;
  std::unordered_map<std::string, size_t> formIndex_;
  Level levels_[3];
  std::string error_;
};

}  // namespace malvex
