// The noun sense lines of the Romanian thesaurus (mythes, UTF-8: a
// "headword|n" line followed by n lines "(subst)|term|term..."), cleaned of
// what the scanned dictionary left in them: usage labels in parentheses,
// example sentences in markup ("(\\~ $...)"), antonyms ("≠ ..."), list
// marks ("a)", "*", "="), several terms run together with ';', and
// hyphens of line breaks inside words ("anun-țare").
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace malvex::edition {

// One cleaned term: 8-bit text folded to lower case, the words of a
// compound joined by '_'.
struct ThesaurusTerm {
  std::string text;
  // The term carried a usage label of restricted use (old, regional, rare,
  // popular, figurative, slang ...); a grammatical label such as "(pl.)"
  // does not count.
  bool restricted = false;
};

// A noun sense line: its headword and its other terms, each term once.
struct ThesaurusSense {
  std::string head;  // 8-bit, folded
  std::vector<ThesaurusTerm> terms;
  // 0 for the headword's first noun line, 1 for its second ...
  int order = 0;
};

// Tells whether an 8-bit folded word is a known word form; used to undo the
// hyphens of line breaks.
using KnownWord = std::function<bool(const std::string&)>;

// Cleans one '|'-separated field of a sense line (UTF-8) into zero or more
// terms, appended to `out`.
void CleanThesaurusField(std::string_view field, const KnownWord& known, std::vector<ThesaurusTerm>* out);

// Reads the noun sense lines of the thesaurus file, in file order. The
// headword of a line is folded like its terms; lines left with no term are
// kept (their headword still names a sense). False when the file cannot be
// read.
bool ReadThesaurusSenses(const std::string& path, const KnownWord& known, std::vector<ThesaurusSense>* senses);
// The same from the file's text.
void ParseThesaurusSenses(const std::string& text, const KnownWord& known, std::vector<ThesaurusSense>* senses);

}  // namespace malvex::edition
