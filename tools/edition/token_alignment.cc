#include "token_alignment.h"

#include <cstdlib>
#include <fstream>

#include "curated_tables.h"
#include "foundations/charset.h"
#include "foundations/language_tables.h"

namespace malvex::edition {

namespace {

// How far apart, in pieces on either side, a resumption point may lie.
constexpr size_t kWindow = 8;

bool IsAlphanumeric(uint8_t c) {
  static const LanguageTables tables = DefaultLanguageTables();
  return tables.charClass[c] == kClassLetter || IsDigit(c);
}

struct Piece {
  std::string text;
  int owner;
};

std::vector<Piece> Flatten(const std::vector<std::string>& texts) {
  std::vector<Piece> pieces;
  for (size_t i = 0; i < texts.size(); ++i) {
    for (std::string& p : Pieces(texts[i])) pieces.push_back(Piece{std::move(p), static_cast<int>(i)});
  }
  return pieces;
}

}  // namespace

bool ReadConllu(const std::string& path, std::vector<GoldSentence>* sentences) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  GoldSentence sentence;
  const auto finish = [&]() {
    if (sentence.tokens.empty()) return;
    if (sentence.text.empty()) {
      for (const GoldToken& t : sentence.tokens) sentence.text += (sentence.text.empty() ? "" : " ") + t.form;
    }
    sentences->push_back(std::move(sentence));
    sentence = GoldSentence();
  };
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) {
      finish();
      continue;
    }
    if (line[0] == '#') {
      if (line.rfind("# text = ", 0) == 0) sentence.text = line.substr(9);
      continue;
    }
    const std::vector<std::string> f = SplitTabs(line);
    if (f.size() < 4 || f[0].find_first_of("-.") != std::string::npos) continue;
    GoldToken t{f[1], f[2], f[3]};
    if (f.size() >= 8) {
      t.head = std::atoi(f[6].c_str());
      t.deprel = f[7];
    }
    sentence.tokens.push_back(std::move(t));
  }
  finish();
  return true;
}

std::vector<std::string> Pieces(const std::string& text8) {
  std::vector<std::string> pieces;
  std::string folded = text8;
  FoldToLower(folded);
  size_t start = 0;
  while (start <= folded.size()) {
    size_t end = folded.find_first_of("_-' ", start);
    if (end == std::string::npos) end = folded.size();
    size_t a = start, b = end;
    while (a < b && !IsAlphanumeric(static_cast<uint8_t>(folded[a]))) ++a;
    while (b > a && !IsAlphanumeric(static_cast<uint8_t>(folded[b - 1]))) --b;
    if (b > a) pieces.push_back(folded.substr(a, b - a));
    start = end + 1;
  }
  return pieces;
}

std::vector<int> AlignTokens(const std::vector<std::string>& gold, const std::vector<std::string>& stored) {
  const std::vector<Piece> g = Flatten(gold);
  const std::vector<Piece> s = Flatten(stored);
  // Two pieces agree when they are equal and so are the pieces after them
  // (or one side ends there).
  const auto agree = [&](size_t a, size_t b) {
    return g[a].text == s[b].text && (a + 1 == g.size() || b + 1 == s.size() || g[a + 1].text == s[b + 1].text);
  };
  std::vector<int> match(g.size(), -1);  // gold piece -> stored piece
  size_t i = 0, j = 0;
  while (i < g.size() && j < s.size()) {
    if (g[i].text == s[j].text) {
      match[i++] = static_cast<int>(j++);
      continue;
    }
    bool found = false;
    for (size_t d = 1; d <= 2 * kWindow && !found; ++d) {
      for (size_t a = 0; a <= d && !found; ++a) {
        const size_t b = d - a;
        if (a > kWindow || b > kWindow || i + a >= g.size() || j + b >= s.size()) continue;
        if (agree(i + a, j + b)) {
          i += a;
          j += b;
          found = true;
        }
      }
    }
    if (!found) {
      ++i;
      ++j;
    }
  }
  std::vector<int> owner(gold.size(), -1);
  for (size_t p = 0; p < g.size(); ++p) {
    int& o = owner[static_cast<size_t>(g[p].owner)];
    if (o < 0 && match[p] >= 0) o = s[static_cast<size_t>(match[p])].owner;
  }
  return owner;
}

}  // namespace malvex::edition
