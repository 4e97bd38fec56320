// Builds a lexicon file (".lv8") from word forms and their readings, with
// the same trie insertion the engine uses, so that the lexicon loads what
// was added. The same additions in the same order always give the same
// bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "dictionaries/lexicon_file.h"
#include "foundations/language_tables.h"

namespace malvex {

class LexiconBuilder {
 public:
  // Why AddForm refused a form.
  enum class Refusal {
    kNone,
    kEmptyForm,        // no character
    kFormTooLong,      // more than 79 characters
    kNoReading,        // no code given
    kTooManyReadings,  // more than 6 readings
    kBadCode,          // a code of 0, or with the ambiguity bit (0x8000) set
    kAlreadyAdded,     // the form was added before
  };

  // Segments are chosen with the initial-letter buckets of `tables`, which
  // the file also carries; `spareByte` is the header's spare table byte.
  explicit LexiconBuilder(const LanguageTables& tables,
                          uint8_t spareByte = kLexiconSpareByteDefault);

  // Adds the readings of one form (8-bit text, any case: it is folded),
  // reading 0 first. Each code is stored as given, with the ambiguity bit
  // added to every reading but the last. False, with nothing added, when
  // the form is refused (refusal()).
  bool AddForm(std::string_view form, const std::vector<uint16_t>& codes);
  Refusal refusal() const { return refusal_; }

  // Forms added.
  size_t FormCount() const { return forms_.size(); }

  // The lexicon file. False when a segment could not be built (memory).
  bool Build(std::string& image) const;
  // Builds the file and writes it at `path`; false on any error.
  bool Write(const std::string& path) const;

 private:
  struct Form {
    std::string folded;
    std::vector<uint16_t> codes;
  };

  LanguageTables tables_;
  uint8_t spareByte_;
  std::vector<Form> forms_;
  // Folded forms added, to refuse a second addition.
  std::unordered_set<std::string> seen_;
  Refusal refusal_ = Refusal::kNone;
};

}  // namespace malvex
