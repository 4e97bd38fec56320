#include "thesaurus_senses.h"

#include <fstream>
#include <algorithm>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

#include "foundations/charset.h"

namespace malvex::edition {

namespace {

// Usage labels that mark a term of restricted use (old, regional, rare,
// popular, familiar, slang, figurative, bookish, pejorative, borrowed, with
// the article).
constexpr std::string_view kRestrictedLabels[] = {
    "înv",    "reg",    "rar",   "pop",   "fam",   "arg",    "fig",   "livr",  "arh",   "depr",
    "peior",  "glum",   "ieșit", "impr",  "ism",   "Transilv", "Mold", "Ban",  "Olt",   "Munt",
    "Maram",  "Bucov",  "Dobr",  "Criș",  "Trans", "regional", "vulg", "ironic", "astăzi",
    // A name used with the article (a star, a plant): not the plain noun.
    "art."};

bool IsRestrictedLabel(std::string_view label) {
  for (const std::string_view l : kRestrictedLabels) {
    if (label.find(l) != std::string_view::npos) return true;
  }
  return false;
}

// Markup of the scanned dictionary's example sentences.
bool IsExample(std::string_view group) {
  return group.find('\\') != std::string_view::npos || group.find('~') != std::string_view::npos ||
         group.find('$') != std::string_view::npos;
}

bool HasDigit(std::string_view s) {
  for (const char c : s) {
    if (c >= '0' && c <= '9') return true;
  }
  return false;
}

// Undoes the hyphens of line breaks inside one word (8-bit, folded): two
// pieces are joined when the joined text is a known word and one of them is
// not, or when neither piece is a word at all. A hyphen between known words
// ("soare-apune") stays.
std::string JoinBrokenWord(const std::string& word, const KnownWord& known) {
  if (word.find('-') == std::string::npos || known(word)) return word;
  std::vector<std::string> pieces;
  size_t from = 0;
  while (true) {
    const size_t h = word.find('-', from);
    pieces.push_back(word.substr(from, h == std::string::npos ? std::string::npos : h - from));
    if (h == std::string::npos) break;
    from = h + 1;
  }
  std::string out = pieces[0];
  std::string current = pieces[0];  // the piece being built, since the last kept hyphen
  for (size_t i = 1; i < pieces.size(); ++i) {
    const std::string& p = pieces[i];
    const std::string joined = current + p;
    const bool knownCurrent = !current.empty() && known(current);
    const bool knownPiece = !p.empty() && known(p);
    const bool join = (known(joined) && (!knownCurrent || !knownPiece)) || (!knownCurrent && !knownPiece);
    if (join) {
      out += p;
      current = joined;
    } else {
      out += '-';
      out += p;
      current = p;
    }
  }
  return out;
}

std::string CollapseSpaces(std::string_view s) {
  std::string out;
  bool space = false;
  for (const char c : s) {
    const bool blank = c == ' ' || c == '\t' || c == '\r' || c == '\n';
    if (blank) {
      space = !out.empty();
      continue;
    }
    if (space) out += ' ';
    space = false;
    out += c;
  }
  return out;
}

void AddTerm(std::string_view utf8, bool restricted, const KnownWord& known, std::vector<ThesaurusTerm>* out) {
  std::string text = CollapseSpaces(utf8);
  // List marks left by the scanned layout: "a)", "b)" ... and stray signs.
  std::string cleaned;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == ')' && i > 0 && (i == 1 || text[i - 2] == ' ')) {
      cleaned.pop_back();  // the letter before it
      continue;
    }
    if (c == ')' || c == '(' || c == '*' || c == '!' || c == ':' || c == '[' || c == ']' || c == '_' ||
        c == '.' || c == ',' || c == '"') {
      cleaned += ' ';
      continue;
    }
    cleaned += c;
  }
  text = CollapseSpaces(cleaned);
  while (!text.empty() && text.back() == '-') text.pop_back();
  while (!text.empty() && text.front() == '-') text.erase(0, 1);
  if (text.empty() || HasDigit(text)) return;
  std::string eight = FromUtf8(text);
  if (eight.find('?') != std::string::npos || eight.find('#') != std::string::npos) return;
  FoldToLower(eight);
  // Words of a compound: each word's broken hyphens undone, joined by '_'.
  std::string term;
  size_t words = 0;
  size_t from = 0;
  while (from <= eight.size()) {
    const size_t sp = eight.find(' ', from);
    const std::string w = eight.substr(from, sp == std::string::npos ? std::string::npos : sp - from);
    if (!w.empty()) {
      if (!term.empty()) term += '_';
      term += JoinBrokenWord(w, known);
      ++words;
    }
    if (sp == std::string::npos) break;
    from = sp + 1;
  }
  // Longer runs are definitions rather than synonyms.
  if (term.empty() || words > 4 || term.size() > 79) return;
  out->push_back(ThesaurusTerm{term, restricted});
}

}  // namespace

void CleanThesaurusField(std::string_view field, const KnownWord& known, std::vector<ThesaurusTerm>* out) {
  // Parenthesised groups: labels (remembered) and examples (dropped). An
  // unclosed group runs to the end of the field.
  std::string text;
  bool restricted = false;
  for (size_t i = 0; i < field.size();) {
    if (field[i] != '(') {
      // A separator ends the label's reach: "(reg.) a; b" labels only a.
      if (field[i] == ';' || field[i] == '=') {
        text += '\x1F';
        text += restricted ? 'R' : 'N';
        restricted = false;
      } else {
        text += field[i];
      }
      ++i;
      continue;
    }
    const size_t close = field.find(')', i);
    const std::string_view group = field.substr(i + 1, close == std::string_view::npos ? std::string_view::npos
                                                                                       : close - i - 1);
    if (!IsExample(group) && IsRestrictedLabel(group)) restricted = true;
    text += ' ';
    i = close == std::string_view::npos ? field.size() : close + 1;
  }
  text += '\x1F';
  text += restricted ? 'R' : 'N';
  // Terms between separators; each piece carries its own label mark.
  size_t from = 0;
  while (from < text.size()) {
    const size_t sep = text.find('\x1F', from);
    const std::string_view piece(text.data() + from, sep - from);
    const bool r = text[sep + 1] == 'R';
    from = sep + 2;
    // An antonym is no synonym.
    const std::string_view trimmed = piece.substr(std::min(piece.find_first_not_of(' '), piece.size()));
    if (trimmed.rfind("\xE2\x89\xA0", 0) == 0) continue;  // "≠"
    AddTerm(piece, r, known, out);
  }
}

void ParseThesaurusSenses(const std::string& text, const KnownWord& known, std::vector<ThesaurusSense>* senses) {
  std::istringstream in(text);
  std::string line;
  std::getline(in, line);  // the encoding
  std::unordered_map<std::string, int> linesOfHead;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const size_t bar = line.rfind('|');
    if (bar == std::string::npos || line.compare(0, 1, "(") == 0) continue;
    int count = 0;
    for (size_t i = bar + 1; i < line.size(); ++i) {
      if (line[i] < '0' || line[i] > '9') {
        count = -1;
        break;
      }
      count = count * 10 + (line[i] - '0');
    }
    if (count <= 0 || bar + 1 == line.size()) continue;
    std::string head = FromUtf8(CollapseSpaces(line.substr(0, bar)));
    FoldToLower(head);
    for (char& c : head) {
      if (c == ' ') c = '_';
    }
    for (int k = 0; k < count && std::getline(in, line); ++k) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.rfind("(subst)", 0) != 0) continue;
      ThesaurusSense sense;
      sense.head = head;
      sense.order = linesOfHead[head]++;
      std::vector<ThesaurusTerm> terms;
      size_t from = line.find('|');
      while (from != std::string::npos) {
        const size_t next = line.find('|', from + 1);
        CleanThesaurusField(std::string_view(line).substr(from + 1, next == std::string::npos
                                                                        ? std::string::npos
                                                                        : next - from - 1),
                            known, &terms);
        from = next;
      }
      std::unordered_set<std::string> seen{head};
      for (ThesaurusTerm& t : terms) {
        if (seen.insert(t.text).second) sense.terms.push_back(std::move(t));
      }
      if (!head.empty()) senses->push_back(std::move(sense));
    }
  }
}

bool ReadThesaurusSenses(const std::string& path, const KnownWord& known, std::vector<ThesaurusSense>* senses) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  ParseThesaurusSenses(s.str(), known, senses);
  return true;
}

}  // namespace malvex::edition
