// Reading the edition's plain text tables: a whole file into memory, then
// its lines split at tabs, skipping empty lines and '#' comments.
#pragma once

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "curated_tables.h"

namespace malvex::edition {

// The whole file `path`; false when it cannot be opened.
inline bool ReadText(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  *text = s.str();
  return true;
}

// Calls `line(fields, number)` for every line of `text` that is neither
// empty nor a comment (CR LF accepted; numbers count every line); stops at
// the first false.
template <typename F>
bool ForEachLine(const std::string& text, F line) {
  std::istringstream in(text);
  std::string l;
  int number = 0;
  while (std::getline(in, l)) {
    ++number;
    if (!l.empty() && l.back() == '\r') l.pop_back();
    if (l.empty() || l[0] == '#') continue;
    if (!line(SplitTabs(l), number)) return false;
  }
  return true;
}

// `s` without leading and trailing blanks.
inline std::string Trimmed(const std::string& s) {
  const size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return "";
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

}  // namespace malvex::edition
