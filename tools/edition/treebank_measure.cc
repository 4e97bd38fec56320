#include "treebank_measure.h"

#include <algorithm>
#include <fstream>
#include <vector>

#include "curated_tables.h"
#include "foundations/charset.h"

namespace malvex::edition {

unsigned ClassesOfUpos(const std::string& upos) {
  auto bits = [](std::initializer_list<int> cs) {
    unsigned b = 0;
    for (const int c : cs) b |= 1u << c;
    return b;
  };
  if (upos == "NOUN" || upos == "PROPN") return bits({8});
  if (upos == "VERB" || upos == "AUX") return bits({1});
  if (upos == "ADJ" || upos == "NUM") return bits({4});
  if (upos == "ADV") return bits({3, 2});
  if (upos == "CCONJ" || upos == "SCONJ") return bits({2});
  if (upos == "PRON") return bits({5});
  if (upos == "DET") return bits({7, 5, 4});
  if (upos == "ADP") return bits({6});
  if (upos == "PART") return bits({1, 2, 3, 6});
  if (upos == "INTJ") return bits({3});
  return 0x3FE;  // X, SYM: anything
}

unsigned ClassesOfFixedExpression(const std::string& headDeprel) {
  if (headDeprel == "case") return ClassesOfUpos("ADP");
  if (headDeprel == "advmod") return ClassesOfUpos("ADV");
  if (headDeprel == "mark" || headDeprel == "cc" || headDeprel == "cc:preconj") return ClassesOfUpos("SCONJ");
  if (headDeprel == "amod") return ClassesOfUpos("ADJ");
  if (headDeprel == "det") return ClassesOfUpos("DET");
  return 0;
}

namespace {

struct Token {
  std::string form;
  std::string upos;
};

void MeasureSentence(const std::vector<Token>& tokens, const LexiconAssembly& lexicon, const ProseModel& model,
                     TreebankFigures* f) {
  Sentence sentence;
  Clause clause;
  std::vector<std::pair<size_t, size_t>> where;  // token -> clause, index
  std::vector<size_t> order;
  for (size_t i = 0; i < tokens.size(); ++i) {
    const Token& t = tokens[i];
    if (t.upos == "PUNCT") {
      const std::string& p = t.form;
      if (p == "," || p == ":" || p == "(" || p == ")" || p == "\"" || p == "\xAB" || p == "\xBB") {
        if (!clause.empty()) sentence.push_back(std::move(clause));
        clause.clear();
      }
      continue;
    }
    std::string form = t.form;
    FoldToLower(form);
    while (form.size() > 1 && form.front() == '-') form.erase(0, 1);
    while (form.size() > 1 && (form.back() == '-' || form.back() == '.')) form.pop_back();
    ProseToken pt;
    pt.form = form;
    pt.number = IsDigit(static_cast<uint8_t>(form[0]));
    const LexiconAssembly::Entry* e = lexicon.Find(form);
    if (pt.number) {
      pt.tags = {4};
    } else if (e) {
      for (const Reading& r : e->readings) {
        const int tag = TagOfCode(r.code);
        if (std::find(pt.tags.begin(), pt.tags.end(), tag) == pt.tags.end()) pt.tags.push_back(tag);
      }
    }
    if (pt.tags.empty()) pt.tags = {8};
    pt.weight.assign(pt.tags.size(), 0.0);
    pt.weight[0] = 1.0;
    const unsigned gold = ClassesOfUpos(t.upos);
    if (t.upos != "PROPN" && t.upos != "SYM") {
      ++f->tokens;
      if (pt.number) {
        ++f->numbers;
        ++f->goldAmong;
      } else if (e) {
        ++f->known;
        bool among = false;
        for (const int tag : pt.tags) among = among || (gold >> ClassOfTag(tag) & 1);
        if (among) ++f->goldAmong;
        else ++f->confusion["missing " + t.upos];
        if (pt.tags.size() > 1) ++f->ambiguous;
      }
    }
    order.push_back(i);
    where.emplace_back(sentence.size(), clause.size());
    clause.push_back(std::move(pt));
  }
  if (!clause.empty()) sentence.push_back(std::move(clause));
  std::vector<Sentence> one{std::move(sentence)};
  model.Tag(one);
  for (size_t k = 0; k < order.size(); ++k) {
    const ProseToken& pt = one[0][where[k].first][where[k].second];
    size_t best = 0;
    for (size_t a = 1; a < pt.weight.size(); ++a) {
      if (pt.weight[a] > pt.weight[best]) best = a;
    }
    ++f->scored;
    if (ClassesOfUpos(tokens[order[k]].upos) >> ClassOfTag(pt.tags[best]) & 1) {
      ++f->classCorrect;
    } else {
      ++f->confusion[tokens[order[k]].upos + ">" + std::to_string(ClassOfTag(pt.tags[best]))];
    }
  }
}

}  // namespace

bool MeasureTreebank(const std::string& path, const LexiconAssembly& lexicon, const ProseModel& model,
                     TreebankFigures* f) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line;
  std::vector<Token> tokens;
  while (std::getline(in, line)) {
    if (line.empty()) {
      if (!tokens.empty()) MeasureSentence(tokens, lexicon, model, f);
      tokens.clear();
      continue;
    }
    if (line[0] == '#') continue;
    const std::vector<std::string> c = SplitTabs(line);
    if (c.size() < 4 || c[0].find_first_of("-.") != std::string::npos) continue;
    tokens.push_back(Token{FromUtf8(c[1]), c[3]});
  }
  if (!tokens.empty()) MeasureSentence(tokens, lexicon, model, f);
  return true;
}

void PrintFigures(const TreebankFigures& f, std::FILE* out) {
  auto pct = [](size_t a, size_t b) { return b ? 100.0 * static_cast<double>(a) / static_cast<double>(b) : 0.0; };
  std::fprintf(out, "tokens (non-punctuation, non-proper)\t%zu\n", f.tokens);
  std::fprintf(out, "lexicon coverage %%\t%.2f\n", pct(f.known, f.tokens));
  std::fprintf(out, "coverage with numbers in digits %%\t%.2f\n", pct(f.known + f.numbers, f.tokens));
  std::fprintf(out, "gold part of speech among the readings %%\t%.2f\n", pct(f.goldAmong, f.tokens));
  std::fprintf(out, "ambiguous known tokens %%\t%.2f\n", pct(f.ambiguous, f.known));
  std::fprintf(out, "coarse class after scoring %%\t%.2f\n", pct(f.classCorrect, f.scored));
  std::vector<std::pair<size_t, std::string>> errors;
  for (const auto& [k, v] : f.confusion) errors.emplace_back(v, k);
  std::sort(errors.rbegin(), errors.rend());
  for (size_t i = 0; i < errors.size() && i < 16; ++i) {
    std::fprintf(out, "  error %s\t%zu\n", errors[i].second.c_str(), errors[i].first);
  }
}

}  // namespace malvex::edition
