#include "edition_sources.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "dictionaries/lemma_index.h"
#include "dictionaries/name_record.h"
#include "foundations/charset.h"

namespace malvex::edition {

namespace {

// The tries of a verb or adjective lemma index, as the engine and the
// dictionary compiler create it: 29 for the forms, 7 for the lemmas.
constexpr int kFormTries = 29;
constexpr int kLemmaTries = 7;
constexpr size_t kMaxText = 79;

// Forms of the assembly that have readings, in byte order.
std::vector<std::string> SortedForms(const LexiconAssembly& lexicon) {
  std::vector<std::string> forms;
  forms.reserve(lexicon.Forms().size());
  for (const auto& [form, e] : lexicon.Forms()) {
    if (!e.readings.empty()) forms.push_back(form);
  }
  std::sort(forms.begin(), forms.end());
  return forms;
}

}  // namespace

int LemmaPriority::Tier(const std::string& lemma) const {
  const LexiconAssembly::Entry* e = lexicon_.Find(lemma);
  if (e != nullptr && e->best <= Source::kAnalyser) return 0;
  return thesaurus_.count(lemma) ? 1 : 2;
}

bool LemmaPriority::IsCore(const std::string& lemma) const {
  return proseCounts_.count(lemma) != 0 || Tier(lemma) == 0;
}

int LemmaPriority::PrefixRank(const std::string& lemma, const std::unordered_set<std::string>& lemmas) {
  // The negated adjectives and participles (nepus, netencuit) are met in
  // texts far more often than the repeated or reflexive derivatives the
  // word list makes of every verb (reîngălbenit, autoremagnetizat).
  static const std::pair<const char*, int> kPrefixes[] = {{"ne", 1}, {"re", 2}, {"auto", 2}};
  for (const auto& [p, rank] : kPrefixes) {
    const size_t n = std::char_traits<char>::length(p);
    if (lemma.size() > n + 2 && lemma.compare(0, n, p) == 0 && lemmas.count(lemma.substr(n))) return rank;
  }
  return 0;
}

void LemmaPriority::Sort(std::vector<std::string>& lemmas) const {
  struct Key {
    double count;
    int tier;
    const std::string* lemma;
  };
  const std::unordered_set<std::string> all(lemmas.begin(), lemmas.end());
  std::vector<Key> keys;
  keys.reserve(lemmas.size());
  for (const std::string& l : lemmas) {
    const auto it = proseCounts_.find(l);
    int tier = Tier(l);
    if (tier == 2) tier += PrefixRank(l, all);
    keys.push_back(Key{it == proseCounts_.end() ? 0.0 : it->second, tier, &l});
  }
  std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
    if (a.count != b.count) return a.count > b.count;
    if (a.tier != b.tier) return a.tier < b.tier;
    return *a.lemma < *b.lemma;
  });
  std::vector<std::string> sorted;
  sorted.reserve(keys.size());
  for (const Key& k : keys) sorted.push_back(*k.lemma);
  lemmas = std::move(sorted);
}

LemmaTable FitLemmaTable(const std::map<std::string, std::string>& formLemmas, const LemmaPriority& priority,
                         size_t shortFormExtra) {
  // Forms by lemma; the map gives each lemma its forms in byte order.
  std::map<std::string, std::vector<const std::string*>> forms;
  for (const auto& [form, lemma] : formLemmas) forms[lemma].push_back(&form);
  std::vector<std::string> lemmas;
  lemmas.reserve(forms.size());
  for (const auto& [lemma, unused] : forms) lemmas.push_back(lemma);
  priority.Sort(lemmas);

  // The lines are replayed into an index like the compiler's: what it
  // refuses here, it would refuse there. The tries fill up, so every form
  // of the core lemmas and the forms close to their lemma of the others
  // (the indefinite forms of an adjective, the present of a verb) go
  // first, and the longer ones (articles, endings of person) follow in a
  // second pass.
  LemmaTable table;
  LemmaIndex index(kFormTries, kLemmaTries);
  index.CreateEmpty();
  std::vector<std::pair<const std::string*, uint32_t>> kept;  // lemma, number
  kept.reserve(lemmas.size());
  for (const std::string& lemma : lemmas) {
    const std::vector<const std::string*>& its = forms[lemma];
    uint32_t number = 0;
    if (lemma.size() <= kMaxText && CanScrambleName(lemma) && index.LemmaCount() < LemmaIndex::kMaxLemmas) {
      number = index.AddLemma(lemma);
    }
    if (number == 0) {
      ++table.lemmasLeftOut;
      table.formsLeftOut += its.size();
      continue;
    }
    ++table.lemmas;
    table.pairs.emplace_back(lemma, lemma);
    kept.emplace_back(&lemma, number);
  }
  for (const bool secondPass : {false, true}) {
    for (const auto& [lemma, number] : kept) {
      const bool core = priority.IsCore(*lemma);
      for (const std::string* form : forms[*lemma]) {
        if (*form == *lemma || (core || form->size() <= lemma->size() + shortFormExtra) == secondPass) continue;
        if (index.AddForm(*form, number)) {
          table.pairs.emplace_back(*form, *lemma);
        } else {
          ++table.formsLeftOut;
        }
      }
    }
  }
  return table;
}

std::vector<std::string> LexiconSourceLines(const LexiconAssembly& lexicon) {
  std::vector<std::string> lines;
  for (const std::string& form : SortedForms(lexicon)) {
    std::string l = ToUtf8(form);
    for (const Reading& r : lexicon.Find(form)->readings) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\t%04X", r.code);
      l += hex;
    }
    lines.push_back(std::move(l));
  }
  return lines;
}

std::vector<std::string> LemmaSourceLines(const LemmaTable& table) {
  std::vector<std::string> lines;
  lines.reserve(table.pairs.size());
  for (const auto& [form, lemma] : table.pairs) lines.push_back(ToUtf8(form) + '\t' + ToUtf8(lemma));
  return lines;
}

std::vector<std::string> MatrixSourceLines(const std::vector<int16_t>& values) {
  std::vector<std::string> lines;
  for (size_t k = 0; k < values.size(); ++k) {
    if (values[k] != 0) lines.push_back(std::to_string(k) + '\t' + std::to_string(values[k]));
  }
  return lines;
}

std::vector<std::string> NormSourceLines(const std::vector<int>& norms) {
  std::vector<std::string> lines;
  for (size_t i = 1; i < norms.size(); ++i) lines.push_back(std::to_string(i) + '\t' + std::to_string(norms[i]));
  return lines;
}

bool WriteSource(const std::string& path, const std::string& header, const std::vector<std::string>& lines) {
  const std::string tmp = path + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
    out << header;
    for (const std::string& l : lines) out << l << '\n';
    out.close();
    if (!out) {
      std::remove(tmp.c_str());
      return false;
    }
  }
  return std::rename(tmp.c_str(), path.c_str()) == 0;
}

}  // namespace malvex::edition
