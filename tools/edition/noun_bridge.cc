#include "noun_bridge.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <set>

#include "foundations/charset.h"

namespace malvex::edition {

namespace {

// The weight of a dictionary's alternative (not first) translation.
constexpr double kAlternative = 0.5;

std::string Escape(const std::string& lemma) {
  std::string out;
  for (const char c : lemma) {
    if (c == '\\' || c == '[' || c == ']' || c == '^' || c == '$' || c == '/' || c == '@' || c == '<' ||
        c == '>' || c == '{' || c == '}' || c == '*' || c == '#') {
      out += '\\';
    }
    out += c;
  }
  return out;
}

// Runs `lt-proc -b` over one query per line; the answers come back one per
// line, in order.
bool Query(const std::string& ltProc, const std::string& dictionary, const std::vector<std::string>& queries,
           const std::string& work, std::vector<std::string>* answers, std::string* error) {
  answers->clear();
  if (queries.empty()) return true;
  const std::string file = work + "/bridge-queries.txt";
  {
    std::ofstream out(file, std::ios::binary);
    for (const std::string& q : queries) out << q << '\n';
    if (!out) {
      *error = "cannot write " + file;
      return false;
    }
  }
  const std::string command = ltProc + " -b '" + dictionary + "' < '" + file + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    *error = "cannot run " + command;
    return false;
  }
  std::string text;
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) text.append(buf, n);
  const int status = pclose(pipe);
  std::remove(file.c_str());
  size_t from = 0;
  while (from < text.size()) {
    size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    answers->push_back(text.substr(from, end - from));
    from = end + 1;
  }
  if (status != 0 || answers->size() != queries.size()) {
    *error = command + " failed or gave " + std::to_string(answers->size()) + " answers to " +
             std::to_string(queries.size()) + " queries";
    return false;
  }
  return true;
}

std::string EnglishForm(const std::string& lemma) {
  std::string out;
  for (const char c : lemma) {
    if (c == ' ') out += '_';
    else if (c >= 'A' && c <= 'Z') out += static_cast<char>(c - 'A' + 'a');
    else out += c;
  }
  return out;
}

// Queries every lemma of `from` (UTF-8) with each tag suffix; returns
// lemma -> translated lemmas, in the order met.
bool Step(const std::string& ltProc, const std::string& dictionary, const std::set<std::string>& from,
          const std::vector<std::string>& suffixes, const std::string& work,
          std::map<std::string, std::vector<std::string>>* to, std::string* error) {
  std::vector<std::string> queries;
  std::vector<const std::string*> owners;
  for (const std::string& lemma : from) {
    for (const std::string& s : suffixes) {
      queries.push_back('^' + Escape(lemma) + s + '$');
      owners.push_back(&lemma);
    }
  }
  std::vector<std::string> answers;
  if (!Query(ltProc, dictionary, queries, work, &answers, error)) return false;
  for (size_t i = 0; i < answers.size(); ++i) {
    for (const std::string& t : BridgeAnswerLemmas(answers[i])) {
      std::vector<std::string>& list = (*to)[*owners[i]];
      if (std::find(list.begin(), list.end(), t) == list.end()) list.push_back(t);
    }
  }
  return true;
}

}  // namespace

std::vector<std::string> BridgeAnswerLemmas(const std::string& line) {
  std::vector<std::string> parts;
  std::string current;
  bool inside = false;
  for (size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (c == '\\' && i + 1 < line.size()) {
      current += line[++i];
      continue;
    }
    if (!inside) {
      if (c == '^') inside = true;
      continue;
    }
    if (c == '/' || c == '$') {
      parts.push_back(current);
      current.clear();
      if (c == '$') inside = false;
      continue;
    }
    current += c;
  }
  std::vector<std::string> lemmas;
  for (size_t i = 1; i < parts.size(); ++i) {
    const std::string& p = parts[i];
    if (p.empty() || p[0] == '@' || p[0] == '*' || p[0] == '#') continue;
    std::string lemma = p.substr(0, p.find('<'));
    lemma.erase(std::remove(lemma.begin(), lemma.end(), '#'), lemma.end());
    while (!lemma.empty() && lemma.back() == ' ') lemma.pop_back();
    if (!lemma.empty()) lemmas.push_back(lemma);
  }
  return lemmas;
}

bool NounBridge::Translate(const std::vector<std::string>& lemmas, const BridgeDictionaries& d,
                           const std::string& work, std::string* error) {
  english_.clear();
  std::map<std::string, std::string> utf8Of;  // UTF-8 lemma -> 8-bit lemma
  std::set<std::string> romanian;
  for (const std::string& l : lemmas) {
    std::string u = ToUtf8(l);
    std::replace(u.begin(), u.end(), '_', ' ');
    utf8Of.emplace(u, l);
    romanian.insert(u);
  }
  std::map<std::string, std::vector<std::string>> spanish, english, catalan, catalanEnglish, esperanto,
      esperantoEnglish;
  if (!Step(d.ltProc, d.roEs, romanian, {"<n><m>", "<n><f>", "<n><nt>"}, work, &spanish, error)) return false;
  std::set<std::string> es;
  for (const auto& [r, list] : spanish) es.insert(list.begin(), list.end());
  if (!Step(d.ltProc, d.esEn, es, {"<n><m>", "<n><f>", "<n><mf>"}, work, &english, error)) return false;
  std::set<std::string> ca, eo;
  if (!d.esCa.empty() && !d.caEn.empty()) {
    if (!Step(d.ltProc, d.esCa, es, {"<n><m><sg>", "<n><f><sg>", "<n><mf><sg>"}, work, &catalan, error)) {
      return false;
    }
    for (const auto& [s, list] : catalan) ca.insert(list.begin(), list.end());
    if (!Step(d.ltProc, d.caEn, ca, {"<n><m><sg>", "<n><f><sg>", "<n><mf><sg>"}, work, &catalanEnglish, error)) {
      return false;
    }
  }
  if (!d.esEo.empty() && !d.eoEn.empty()) {
    if (!Step(d.ltProc, d.esEo, es, {"<n><m>", "<n><f>", "<n><mf>"}, work, &esperanto, error)) return false;
    for (const auto& [s, list] : esperanto) eo.insert(list.begin(), list.end());
    if (!Step(d.ltProc, d.eoEn, eo, {"<n>"}, work, &esperantoEnglish, error)) return false;
  }
  for (const auto& [r, esList] : spanish) {
    std::map<std::string, double> weight;
    auto add = [&](const std::string& e, double w) {
      double& x = weight[EnglishForm(e)];
      x = std::max(x, w);
    };
    // A dictionary's first translation is its default one; the others
    // count half.
    for (size_t i = 0; i < esList.size(); ++i) {
      if (const auto it = english.find(esList[i]); it != english.end()) {
        for (size_t j = 0; j < it->second.size(); ++j) {
          add(it->second[j], (i == 0 ? 1.0 : kAlternative) * (j == 0 ? 1.0 : kAlternative));
        }
      }
    }
    // The pivots only where Spanish alone reaches no English noun: their
    // translations drift further from the Romanian sense.
    for (const std::string& s : esList) {
      if (!weight.empty()) break;
      if (const auto it = catalan.find(s); it != catalan.end()) {
        for (const std::string& c : it->second) {
          if (const auto jt = catalanEnglish.find(c); jt != catalanEnglish.end()) {
            for (const std::string& e : jt->second) add(e, 0.5);
          }
        }
      }
      if (const auto it = esperanto.find(s); it != esperanto.end()) {
        for (const std::string& o : it->second) {
          if (const auto jt = esperantoEnglish.find(o); jt != esperantoEnglish.end()) {
            for (const std::string& e : jt->second) add(e, 0.5);
          }
        }
      }
    }
    if (weight.empty()) continue;
    EnglishNouns nouns(weight.begin(), weight.end());
    std::stable_sort(nouns.begin(), nouns.end(), [](const auto& a, const auto& b) { return a.second > b.second; });
    english_[utf8Of[r]] = std::move(nouns);
  }
  return true;
}

const EnglishNouns* NounBridge::EnglishOf(const std::string& lemma) const {
  const auto it = english_.find(lemma);
  return it == english_.end() ? nullptr : &it->second;
}

}  // namespace malvex::edition
