#include "wordnet_nouns.h"

#include <fstream>
#include <sstream>

#include "table_lines.h"

namespace malvex::edition {

namespace {


// Splits a line at single spaces (the files' separator).
std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> f;
  size_t from = 0;
  while (from < line.size()) {
    const size_t sp = line.find(' ', from);
    const size_t end = sp == std::string_view::npos ? line.size() : sp;
    if (end > from) f.push_back(line.substr(from, end - from));
    from = end + 1;
  }
  return f;
}

bool Number(std::string_view s, int base, long* v) {
  if (s.empty()) return false;
  long n = 0;
  for (const char c : s) {
    int d;
    if (c >= '0' && c <= '9') d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
    else return false;
    n = n * base + d;
  }
  *v = n;
  return true;
}

template <typename F>
void ForEachRawLine(const std::string& text, F line) {
  size_t from = 0;
  while (from < text.size()) {
    size_t end = text.find('\n', from);
    if (end == std::string::npos) end = text.size();
    std::string_view l(text.data() + from, end - from);
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    if (!l.empty() && l[0] != ' ') line(l);
    from = end + 1;
  }
}

std::string Lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

}  // namespace

bool WordNetNouns::Load(const std::string& folder) {
  std::string data, index, counts;
  if (!ReadText(folder + "/data.noun", &data) || !ReadText(folder + "/index.noun", &index)) return false;
  ReadText(folder + "/cntlist.rev", &counts);
  return Parse(data, index, counts);
}

bool WordNetNouns::Parse(const std::string& data, const std::string& index, const std::string& counts) {
  synsets_.clear();
  senses_.clear();
  std::unordered_map<long, uint32_t> byOffset;
  std::vector<std::vector<long>> hypernymOffsets;
  bool ok = true;
  ForEachRawLine(data, [&](std::string_view line) {
    const size_t bar = line.find(" | ");
    const std::vector<std::string_view> f = Fields(line.substr(0, bar));
    long offset = 0, lexfile = 0, words = 0, pointers = 0;
    if (f.size() < 4 || !Number(f[0], 10, &offset) || !Number(f[1], 10, &lexfile) || !Number(f[3], 16, &words)) {
      ok = false;
      return;
    }
    size_t k = 4;
    Synset s;
    s.lexfile = static_cast<int>(lexfile);
    for (long w = 0; w < words && k + 1 < f.size(); ++w, k += 2) s.words.emplace_back(f[k]);
    if (s.words.empty() || k >= f.size() || !Number(f[k], 10, &pointers)) {
      ok = false;
      return;
    }
    ++k;
    std::vector<long> hyper;
    for (long p = 0; p < pointers && k + 3 < f.size(); ++p, k += 4) {
      long target = 0;
      if ((f[k] == "@" || f[k] == "@i") && f[k + 2] == "n" && Number(f[k + 1], 10, &target)) {
        hyper.push_back(target);
      }
    }
    if (bar != std::string_view::npos) s.gloss.assign(line.substr(bar + 3));
    while (!s.gloss.empty() && s.gloss.back() == ' ') s.gloss.pop_back();
    byOffset.emplace(offset, static_cast<uint32_t>(synsets_.size()));
    synsets_.push_back(std::move(s));
    hypernymOffsets.push_back(std::move(hyper));
  });
  if (!ok || synsets_.empty()) return false;
  for (size_t i = 0; i < synsets_.size(); ++i) {
    for (const long o : hypernymOffsets[i]) {
      const auto it = byOffset.find(o);
      if (it != byOffset.end()) synsets_[i].hypernyms.push_back(it->second);
    }
  }

  // Tagged counts by (noun, sense number).
  std::unordered_map<std::string, int> tagged;
  ForEachRawLine(counts, [&](std::string_view line) {
    const std::vector<std::string_view> f = Fields(line);
    if (f.size() != 3) return;
    const size_t pct = f[0].find('%');
    if (pct == std::string_view::npos || f[0].substr(pct + 1, 1) != "1") return;
    long cnt = 0;
    if (!Number(f[2], 10, &cnt)) return;
    tagged[Lower(f[0].substr(0, pct)) + '#' + std::string(f[1])] += static_cast<int>(cnt);
  });

  ForEachRawLine(index, [&](std::string_view line) {
    const std::vector<std::string_view> f = Fields(line);
    long synsetCount = 0, pointerCount = 0;
    if (f.size() < 4 || f[1] != "n" || !Number(f[2], 10, &synsetCount) || !Number(f[3], 10, &pointerCount)) {
      return;
    }
    const size_t first = 4 + static_cast<size_t>(pointerCount) + 2;
    if (first + static_cast<size_t>(synsetCount) > f.size()) return;
    std::vector<Sense>& senses = senses_[std::string(f[0])];
    for (long s = 0; s < synsetCount; ++s) {
      long offset = 0;
      if (!Number(f[first + static_cast<size_t>(s)], 10, &offset)) continue;
      const auto it = byOffset.find(offset);
      if (it == byOffset.end()) continue;
      const auto t = tagged.find(std::string(f[0]) + '#' + std::to_string(s + 1));
      senses.push_back(Sense{it->second, t == tagged.end() ? 0 : t->second, synsets_[it->second].lexfile});
    }
  });
  return !senses_.empty();
}

const std::vector<WordNetNouns::Sense>* WordNetNouns::SensesOf(std::string_view noun) const {
  const auto it = senses_.find(std::string(noun));
  return it == senses_.end() ? nullptr : &it->second;
}

int64_t WordNetNouns::Find(std::string_view noun, int n) const {
  const std::vector<Sense>* s = SensesOf(noun);
  if (!s || n < 1 || static_cast<size_t>(n) > s->size()) return -1;
  return (*s)[static_cast<size_t>(n) - 1].synset;
}

std::string WordNetNouns::Describe(uint32_t synset) const {
  const Synset& s = synsets_[synset];
  std::string out;
  for (const std::string& w : s.words) {
    if (!out.empty()) out += ',';
    out += w;
  }
  return out + " | " + s.gloss;
}

}  // namespace malvex::edition
