#include "hunspell_affixes.h"

#include <fstream>
#include <sstream>

#include "foundations/charset.h"

namespace malvex::edition {

namespace {

std::vector<std::string> Words(const std::string& line) {
  std::vector<std::string> w;
  std::istringstream in(line);
  std::string s;
  while (in >> s) {
    if (s[0] == '#') break;
    w.push_back(s);
  }
  return w;
}

bool ReadWhole(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  *text = s.str();
  return true;
}

// Parses a condition such as "[^tcdu]e" into one byte set per position.
std::vector<std::vector<bool>> ParseCondition(const std::string& c) {
  std::vector<std::vector<bool>> sets;
  if (c == ".") return sets;
  for (size_t i = 0; i < c.size(); ++i) {
    std::vector<bool> set(256, false);
    if (c[i] == '.') {
      set.assign(256, true);
    } else if (c[i] == '[') {
      size_t j = i + 1;
      bool negate = false;
      if (j < c.size() && c[j] == '^') {
        negate = true;
        ++j;
      }
      for (; j < c.size() && c[j] != ']'; ++j) set[static_cast<uint8_t>(c[j])] = true;
      if (negate) set.flip();
      i = j;
    } else {
      set[static_cast<uint8_t>(c[i])] = true;
    }
    sets.push_back(std::move(set));
  }
  return sets;
}

}  // namespace

bool HunspellAffixes::Matches(const Rule& r, const std::string& word, bool suffix) {
  const size_t n = r.condition.size();
  if (word.size() < n || word.size() < r.strip.size()) return false;
  if (suffix) {
    if (word.compare(word.size() - r.strip.size(), r.strip.size(), r.strip) != 0) return false;
    for (size_t i = 0; i < n; ++i) {
      if (!r.condition[i][static_cast<uint8_t>(word[word.size() - n + i])]) return false;
    }
  } else {
    if (word.compare(0, r.strip.size(), r.strip) != 0) return false;
    for (size_t i = 0; i < n; ++i) {
      if (!r.condition[i][static_cast<uint8_t>(word[i])]) return false;
    }
  }
  return true;
}

void HunspellAffixes::ParseAff(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    const std::vector<std::string> w = Words(line);
    if (w.size() < 4 || (w[0] != "SFX" && w[0] != "PFX") || w[1].size() != 1) continue;
    const bool suffix = w[0] == "SFX";
    Affix& a = (suffix ? suffixes_ : prefixes_)[static_cast<uint8_t>(w[1][0])];
    a.suffix = suffix;
    if (w.size() == 4 && (w[2] == "Y" || w[2] == "N")) {
      a.cross = w[2] == "Y";
      continue;
    }
    Rule r;
    r.strip = w[2] == "0" ? "" : w[2];
    r.add = w[3] == "0" ? "" : w[3];
    const size_t slash = r.add.find('/');
    if (slash != std::string::npos) r.add.resize(slash);
    r.condition = ParseCondition(w.size() > 4 ? w[4] : ".");
    a.rules.push_back(std::move(r));
  }
}

void HunspellAffixes::ParseDic(const std::string& text) {
  std::istringstream in(text);
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (first) {  // the stem count
      first = false;
      continue;
    }
    if (line.empty()) continue;
    Stem s;
    const size_t slash = line.find('/');
    s.text = line.substr(0, slash);
    if (slash != std::string::npos) s.flags = line.substr(slash + 1);
    while (!s.text.empty() && (s.text.back() == ' ' || s.text.back() == '\t')) s.text.pop_back();
    const size_t blank = s.flags.find_first_of(" \t");
    if (blank != std::string::npos) s.flags.resize(blank);
    if (s.text.empty()) continue;
    flagsByStem_[s.text] += s.flags;
    stems_.push_back(std::move(s));
  }
}

void HunspellAffixes::LoadText(const std::string& aff, const std::string& dic) {
  for (auto& a : suffixes_) a = Affix{};
  for (auto& a : prefixes_) a = Affix{};
  stems_.clear();
  flagsByStem_.clear();
  ParseAff(FromUtf8(aff));
  ParseDic(FromUtf8(dic));
}

bool HunspellAffixes::Load(const std::string& affPath, const std::string& dicPath) {
  std::string aff, dic;
  if (!ReadWhole(affPath, &aff) || !ReadWhole(dicPath, &dic)) return false;
  LoadText(aff, dic);
  return true;
}

void HunspellAffixes::Expand(const std::function<void(const Form&)>& emit) const {
  Form f;
  for (const Stem& s : stems_) {
    f.stem = &s.text;
    f.stemFlags = &s.flags;
    // The prefixes that apply to this stem.
    std::vector<const Rule*> prefixes;
    std::vector<bool> prefixCross;
    for (const char pf : s.flags) {
      const Affix& p = prefixes_[static_cast<uint8_t>(pf)];
      for (const Rule& r : p.rules) {
        if (Matches(r, s.text, false)) {
          prefixes.push_back(&r);
          prefixCross.push_back(p.cross);
        }
      }
    }
    auto emitWithPrefixes = [&](const std::string& text, char flag, int rule, bool cross) {
      f.text = text;
      f.flag = flag;
      f.rule = rule;
      f.prefix.clear();
      emit(f);
      for (size_t i = 0; i < prefixes.size(); ++i) {
        if (rule >= 0 && !(cross && prefixCross[i])) continue;
        const Rule& p = *prefixes[i];
        f.text = p.add + text.substr(p.strip.size());
        f.prefix = p.add;
        emit(f);
      }
    };
    emitWithPrefixes(s.text, 0, -1, true);
    for (const char sf : s.flags) {
      const Affix& a = suffixes_[static_cast<uint8_t>(sf)];
      for (size_t k = 0; k < a.rules.size(); ++k) {
        const Rule& r = a.rules[k];
        if (!Matches(r, s.text, true)) continue;
        emitWithPrefixes(s.text.substr(0, s.text.size() - r.strip.size()) + r.add, sf, static_cast<int>(k), a.cross);
      }
    }
  }
}

std::string HunspellAffixes::FlagsOf(const std::string& stem) const {
  const auto it = flagsByStem_.find(stem);
  return it == flagsByStem_.end() ? std::string() : it->second;
}

std::vector<std::string> HunspellAffixes::SuffixRules(char flag) const {
  std::vector<std::string> out;
  for (const Rule& r : suffixes_[static_cast<uint8_t>(flag)].rules) out.push_back(r.strip + ">" + r.add);
  return out;
}

}  // namespace malvex::edition
