// The noun part of English WordNet (the wordnet-base files data.noun,
// index.noun and cntlist.rev): the synsets with their words and hypernyms,
// and for every English noun its synsets in WordNet's sense order with how
// often each sense was met in the tagged corpus.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace malvex::edition {

class WordNetNouns {
 public:
  struct Sense {
    uint32_t synset;  // synset number (dense, 0-based)
    int tagged;       // times the sense was met in the tagged corpus
    int lexfile = 0;  // WordNet's lexicographer file (5 animals, 20 plants ...)
  };

  // Reads data.noun, index.noun and (when present) cntlist.rev from
  // `folder`. False when a file is missing or malformed.
  bool Load(const std::string& folder);
  // The same from the files' texts (tests use small fixtures).
  bool Parse(const std::string& data, const std::string& index, const std::string& counts);

  size_t SynsetCount() const { return synsets_.size(); }
  // The synsets of an English noun (lower case, words joined by '_'), most
  // frequent sense first; null for an unknown noun.
  const std::vector<Sense>* SensesOf(std::string_view noun) const;
  // The synset written "noun.N" (the N-th sense of the noun, from 1); -1
  // when there is no such sense.
  int64_t Find(std::string_view noun, int n) const;
  // Direct hypernyms (instance hypernyms included).
  const std::vector<uint32_t>& Hypernyms(uint32_t synset) const { return synsets_[synset].hypernyms; }
  // The synset's words and gloss, for reports.
  std::string Describe(uint32_t synset) const;
  const std::string& FirstWord(uint32_t synset) const { return synsets_[synset].words.front(); }

 private:
  struct Synset {
    int lexfile = 0;
    std::vector<std::string> words;
    std::vector<uint32_t> hypernyms;
    std::string gloss;
  };

  std::vector<Synset> synsets_;
  std::unordered_map<std::string, std::vector<Sense>> senses_;
};

}  // namespace malvex::edition
