// The reference fields of the Romanian edition: the broad domains (level 3)
// and the fields inside them (level 2), read from the curated tables
// data/semantic_domains.tsv and data/semantic_fields.tsv, each field tied
// to WordNet synsets (its anchors). An English noun sense falls in the field
// of the nearest anchor among its hypernyms; a Romanian noun's fields are
// voted by the senses of its English translations, the frequent senses
// weighing more.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "noun_bridge.h"
#include "wordnet_nouns.h"

namespace malvex::edition {

struct SemanticDomain {
  std::string name;  // 8-bit
};

struct SemanticField {
  std::string name;  // 8-bit
  int domain = 0;    // index into the domains
  std::vector<uint32_t> anchors;
};

// Votes for fields: field index -> weight.
using FieldVotes = std::map<int, double>;

class SemanticFields {
 public:
  // Reads the two tables (UTF-8), and english_senses.tsv beside the fields
  // table when it is there. Domains: "name" per line. Fields:
  // "domain<TAB>field<TAB>anchor,anchor..." with anchors written
  // "english_noun.N" (the N-th WordNet sense). False, with `error` naming
  // the file and line, for an unknown domain, a duplicate name or an anchor
  // WordNet lacks.
  bool Load(const std::string& domainsPath, const std::string& fieldsPath, const WordNetNouns& wordnet,
            std::string* error);
  bool Parse(const std::string& domains, const std::string& fields, const WordNetNouns& wordnet,
             std::string* error);

  // Reads english_senses.tsv (UTF-8): "english_noun<TAB>N" lines naming the
  // everyday sense of an English noun where WordNet's first sense is a rare
  // or technical one (table: the furniture, not the array of data). False,
  // with `error` naming the line, for a sense WordNet lacks.
  bool ParsePreferredSenses(const std::string& text, std::string* error);

  const std::vector<SemanticDomain>& Domains() const { return domains_; }
  const std::vector<SemanticField>& Fields() const { return fields_; }

  // The field of a synset: the anchor reached by the fewest hypernym steps
  // (the earlier field of the table on a tie); -1 when none is reached.
  int FieldOfSynset(uint32_t synset) const;

  // The fields of one word's English translations, as shares summing to 1
  // (empty when WordNet has none of them): each noun's weight spread over
  // its senses by their frequency in the tagged corpus and their order (the
  // first sense weighing most); a field that several of the nouns support
  // counts that many times.
  std::map<int, double> WordShares(const EnglishNouns& nouns) const;
  // Adds `weight` times the word's shares to `votes`.
  void Vote(const EnglishNouns& nouns, double weight, FieldVotes* votes) const;
  // Adds the votes of several words (their translations and weights); a
  // field whose domain several words support counts that many times, so
  // that synonyms that agree outweigh one ambiguous word.
  void VoteWords(const std::vector<std::pair<const EnglishNouns*, double>>& words, FieldVotes* votes) const;

  // The share of a noun's weight each of its senses gets: by the tagged
  // corpus's counts and the sense order; a noun never met in the tagged
  // corpus gives its plant and animal senses less when it has others (the
  // grass named chess), and a fruit or vegetable its plant; `preferred`
  // (1-based, 0 for none) gets at least half.
  static std::vector<double> SensePriors(const std::vector<WordNetNouns::Sense>& senses, int preferred = 0);

 private:
  const WordNetNouns* wordnet_ = nullptr;
  std::vector<SemanticDomain> domains_;
  std::vector<SemanticField> fields_;
  std::map<uint32_t, int> anchorField_;
  std::map<std::string, int> preferred_;
  mutable std::vector<int> fieldOf_;  // synset -> field + 2 (0 = not computed yet, 1 = none)
};

// The best field of the votes and its share of all votes; -1 when empty.
int BestField(const FieldVotes& votes, double* share);

}  // namespace malvex::edition
