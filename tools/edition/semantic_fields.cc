#include "semantic_fields.h"

#include <cmath>
#include <deque>
#include <fstream>
#include <set>
#include <sstream>

#include "curated_tables.h"
#include "table_lines.h"
#include "foundations/charset.h"

namespace malvex::edition {

namespace {

// The part of a noun's weight from which it supports a field.
constexpr double kSupportShare = 0.2;




}  // namespace

bool SemanticFields::Load(const std::string& domainsPath, const std::string& fieldsPath,
                          const WordNetNouns& wordnet, std::string* error) {
  std::string domains, fields;
  if (!ReadText(domainsPath, &domains)) {
    *error = "cannot read " + domainsPath;
    return false;
  }
  if (!ReadText(fieldsPath, &fields)) {
    *error = "cannot read " + fieldsPath;
    return false;
  }
  if (!Parse(domains, fields, wordnet, error)) return false;
  std::string preferred;
  const size_t slash = fieldsPath.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : fieldsPath.substr(0, slash);
  return !ReadText(folder + "/english_senses.tsv", &preferred) || ParsePreferredSenses(preferred, error);
}

bool SemanticFields::Parse(const std::string& domains, const std::string& fields, const WordNetNouns& wordnet,
                           std::string* error) {
  wordnet_ = &wordnet;
  domains_.clear();
  fields_.clear();
  anchorField_.clear();
  fieldOf_.assign(wordnet.SynsetCount(), 0);
  std::map<std::string, int> domainIndex;
  std::set<std::string> names;
  bool ok = ForEachLine(domains, [&](const std::vector<std::string>& f, int n) {
    std::string name = FromUtf8(Trimmed(f[0]));
    std::string key = name;
    FoldToLower(key);
    if (name.empty() || !domainIndex.emplace(key, static_cast<int>(domains_.size())).second) {
      *error = "semantic_domains.tsv:" + std::to_string(n) + ": empty or repeated domain";
      return false;
    }
    names.insert(key);
    domains_.push_back(SemanticDomain{name});
    return true;
  });
  if (!ok) return false;
  return ForEachLine(fields, [&](const std::vector<std::string>& f, int n) {
    const std::string where = "semantic_fields.tsv:" + std::to_string(n) + ": ";
    if (f.size() != 3) {
      *error = where + "expected domain<TAB>field<TAB>anchors";
      return false;
    }
    std::string domain = FromUtf8(Trimmed(f[0]));
    FoldToLower(domain);
    const auto d = domainIndex.find(domain);
    if (d == domainIndex.end()) {
      *error = where + "unknown domain \"" + f[0] + "\"";
      return false;
    }
    SemanticField field;
    field.name = FromUtf8(Trimmed(f[1]));
    field.domain = d->second;
    std::string key = field.name;
    FoldToLower(key);
    if (field.name.empty() || !names.insert(key).second) {
      *error = where + "empty field name, or a name already given to a domain or a field";
      return false;
    }
    size_t from = 0;
    while (from < f[2].size()) {
      size_t comma = f[2].find(',', from);
      if (comma == std::string::npos) comma = f[2].size();
      const std::string anchor = Trimmed(f[2].substr(from, comma - from));
      from = comma + 1;
      if (anchor.empty()) continue;
      const size_t dot = anchor.rfind('.');
      const int sense = dot == std::string::npos ? 0 : std::atoi(anchor.c_str() + dot + 1);
      const int64_t synset = sense > 0 ? wordnet.Find(anchor.substr(0, dot), sense) : -1;
      if (synset < 0) {
        *error = where + "WordNet has no synset \"" + anchor + "\"";
        return false;
      }
      if (!anchorField_.emplace(static_cast<uint32_t>(synset), static_cast<int>(fields_.size())).second) {
        *error = where + "anchor \"" + anchor + "\" already belongs to another field";
        return false;
      }
      field.anchors.push_back(static_cast<uint32_t>(synset));
    }
    if (field.anchors.empty()) {
      *error = where + "a field needs at least one anchor";
      return false;
    }
    fields_.push_back(std::move(field));
    return true;
  });
}

bool SemanticFields::ParsePreferredSenses(const std::string& text, std::string* error) {
  preferred_.clear();
  return ForEachLine(text, [&](const std::vector<std::string>& f, int n) {
    const int sense = f.size() == 2 ? std::atoi(f[1].c_str()) : 0;
    if (sense < 1 || wordnet_->Find(Trimmed(f[0]), sense) < 0) {
      *error = "english_senses.tsv:" + std::to_string(n) + ": expected a WordNet noun<TAB>one of its sense numbers";
      return false;
    }
    preferred_[Trimmed(f[0])] = sense;
    return true;
  });
}

int SemanticFields::FieldOfSynset(uint32_t synset) const {
  if (fieldOf_[synset] != 0) return fieldOf_[synset] - 2;
  // Breadth-first up the hypernyms, level by level.
  std::vector<uint32_t> level{synset};
  std::set<uint32_t> seen{synset};
  int best = -1;
  for (int depth = 0; depth < 32 && !level.empty() && best < 0; ++depth) {
    for (const uint32_t s : level) {
      const auto it = anchorField_.find(s);
      if (it != anchorField_.end() && (best < 0 || it->second < best)) best = it->second;
    }
    if (best >= 0) break;
    std::vector<uint32_t> next;
    for (const uint32_t s : level) {
      for (const uint32_t h : wordnet_->Hypernyms(s)) {
        if (seen.insert(h).second) next.push_back(h);
      }
    }
    level.swap(next);
  }
  fieldOf_[synset] = best + 2;
  return best;
}

std::vector<double> SemanticFields::SensePriors(const std::vector<WordNetNouns::Sense>& senses, int preferred) {
  constexpr int kAnimals = 5;
  constexpr int kFood = 13;
  constexpr int kPlants = 20;
  // The share left to a plant or animal sense of a noun the tagged corpus
  // never met, and to the plant of a fruit or vegetable (banana, the tree).
  constexpr double kLivingPenalty = 0.2;
  bool tagged = false, other = false, food = false;
  for (const WordNetNouns::Sense& s : senses) {
    tagged |= s.tagged > 0;
    other |= s.lexfile != kAnimals && s.lexfile != kPlants;
    food |= s.lexfile == kFood;
  }
  std::vector<double> p(senses.size());
  double sum = 0;
  double decay = 1.0;
  for (size_t r = 0; r < senses.size(); ++r) {
    p[r] = (senses[r].tagged + 0.5) * decay;
    if ((!tagged && other && (senses[r].lexfile == kAnimals || senses[r].lexfile == kPlants)) ||
        (food && senses[r].lexfile == kPlants)) {
      p[r] *= kLivingPenalty;
    }
    decay *= 0.6;
    sum += p[r];
  }
  for (double& x : p) x /= sum;
  if (preferred >= 1 && static_cast<size_t>(preferred) <= p.size()) {
    p[preferred - 1] += 1.0;
    for (double& x : p) x /= 2.0;
  }
  return p;
}

std::map<int, double> SemanticFields::WordShares(const EnglishNouns& nouns) const {
  // Each noun's share per field; a field that several different nouns
  // support (each giving it a fair part of its weight) is multiplied by how
  // many they are, so that translations that agree outweigh the frequent
  // sense of one ambiguous word.
  std::map<int, double> sum;
  std::map<int, int> support;
  for (const auto& [given, weightOfNoun] : nouns) {
    // An English compound WordNet lacks ("wise_person") stands for its last
    // word, at half the weight.
    std::string noun = given;
    double w = weightOfNoun;
    const std::vector<WordNetNouns::Sense>* senses = wordnet_->SensesOf(noun);
    const size_t last = noun.rfind('_');
    if (!senses && last != std::string::npos && last + 1 < noun.size()) {
      noun = noun.substr(last + 1);
      w *= 0.5;
      senses = wordnet_->SensesOf(noun);
    }
    if (!senses || senses->empty()) continue;
    const auto pref = preferred_.find(noun);
    const std::vector<double> p = SensePriors(*senses, pref == preferred_.end() ? 0 : pref->second);
    std::map<int, double> mine;
    for (size_t r = 0; r < senses->size(); ++r) {
      const int f = FieldOfSynset((*senses)[r].synset);
      if (f >= 0) mine[f] += p[r];
    }
    for (const auto& [f, share] : mine) {
      sum[f] += w * share;
      if (share >= kSupportShare) ++support[f];
    }
  }
  std::map<int, double> shares;
  double total = 0;
  for (const auto& [f, v] : sum) {
    const auto it = support.find(f);
    shares[f] = v * (it == support.end() ? 1 : it->second);
    total += shares[f];
  }
  for (auto& [f, v] : shares) v /= total;
  return shares;
}

void SemanticFields::Vote(const EnglishNouns& nouns, double weight, FieldVotes* votes) const {
  for (const auto& [f, share] : WordShares(nouns)) (*votes)[f] += weight * share;
}

void SemanticFields::VoteWords(const std::vector<std::pair<const EnglishNouns*, double>>& words,
                               FieldVotes* votes) const {
  // Support is counted by domain: synonyms that agree on the domain back
  // each other even where their fields differ.
  std::map<int, double> sum;
  std::map<int, int> support;
  for (const auto& [nouns, weight] : words) {
    std::map<int, double> domains;
    for (const auto& [f, share] : WordShares(*nouns)) {
      sum[f] += weight * share;
      domains[fields_[f].domain] += share;
    }
    for (const auto& [d, share] : domains) {
      if (share >= kSupportShare) ++support[d];
    }
  }
  for (const auto& [f, v] : sum) {
    const auto it = support.find(fields_[f].domain);
    (*votes)[f] += v * (it == support.end() ? 1 : it->second);
  }
}

int BestField(const FieldVotes& votes, double* share) {
  int best = -1;
  double top = 0, sum = 0;
  for (const auto& [f, v] : votes) {
    sum += v;
    if (v > top) {
      top = v;
      best = f;
    }
  }
  if (share) *share = sum > 0 ? top / sum : 0;
  return best;
}

}  // namespace malvex::edition
