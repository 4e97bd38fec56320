#include "sense_measure.h"

#include <algorithm>
#include <fstream>
#include <random>
#include <set>

#include "curated_tables.h"
#include "foundations/charset.h"

namespace malvex::edition {

bool MeasureSenses(const std::string& conllu, const SemanticClasses& classes, const SemanticFields& fields,
                   size_t sampleSize, SenseFigures* figures) {
  std::ifstream in(conllu, std::ios::binary);
  if (!in) return false;
  *figures = SenseFigures();
  struct Token {
    std::string form, lemma;  // 8-bit
  };
  std::vector<Token> nouns;
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> f = SplitTabs(line);
    if (f.size() < 4 || f[3] != "NOUN" || f[0].find_first_of("-.") != std::string::npos) continue;
    Token t{FromUtf8(f[1]), FromUtf8(f[2])};
    FoldToLower(t.form);
    nouns.push_back(std::move(t));
  }
  const std::vector<Reference>& refs = classes.References();
  auto describe = [&](const Token& t) {
    std::string s = ToUtf8(t.form) + " (" + ToUtf8(t.lemma) + "):";
    const std::vector<SemanticSense>* senses = classes.SensesOfForm(t.form);
    if (!senses) return s + " -";
    for (size_t i = 0; i < senses->size() && i < 3; ++i) {
      const SemanticSense& n = (*senses)[i];
      s += i ? " | " : " ";
      s += ToUtf8(refs[n.reference].name) + " [" + std::to_string(refs[n.reference].members) + "] / ";
      if (n.field >= 0) {
        const SemanticField& fl = fields.Fields()[n.field];
        s += ToUtf8(fl.name) + " / " + ToUtf8(fields.Domains()[fl.domain].name);
      } else {
        s += "- / -";
      }
    }
    if (senses->size() > 3) s += " | +" + std::to_string(senses->size() - 3);
    return s;
  };
  for (const Token& t : nouns) {
    ++figures->nouns;
    const std::vector<SemanticSense>* senses = classes.SensesOfForm(t.form);
    if (!senses || senses->empty()) continue;
    ++figures->withSenses;
    if (senses->size() > 1) ++figures->ambiguous;
    const SemanticSense& first = senses->front();
    const Reference& r = refs[first.reference];
    if (r.members >= 2) ++figures->sharedReference;
    else if (r.name == first.lemma || r.name == t.form) ++figures->ownReference;
    if (first.field >= 0) ++figures->withField;
  }
  std::mt19937 random(20261210);
  std::set<size_t> picked;
  while (picked.size() < std::min(sampleSize, nouns.size())) picked.insert(random() % nouns.size());
  for (const size_t i : picked) figures->sample.push_back(describe(nouns[i]));
  return true;
}

void PrintSenseFigures(const SenseFigures& f, std::FILE* out) {
  auto pct = [&](size_t x) { return f.nouns ? 100.0 * static_cast<double>(x) / static_cast<double>(f.nouns) : 0.0; };
  std::fprintf(out, "gold NOUN tokens: %zu\n", f.nouns);
  std::fprintf(out, "  with senses: %.1f %%\n", pct(f.withSenses));
  std::fprintf(out, "  reference shared with other nouns (2 members or more): %.1f %%\n", pct(f.sharedReference));
  std::fprintf(out, "  reference of their own name: %.1f %%\n", pct(f.ownReference));
  std::fprintf(out, "  fields at levels 2 and 3: %.1f %%\n", pct(f.withField));
  std::fprintf(out, "  several senses: %.1f %%\n", pct(f.ambiguous));
  std::fprintf(out, "sample (form (gold lemma): reference [members] / field / domain, up to 3 senses):\n");
  for (const std::string& s : f.sample) std::fprintf(out, "  %s\n", s.c_str());
}

}  // namespace malvex::edition
