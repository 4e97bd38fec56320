#include "app/open_filters.h"

namespace malvex {

const std::vector<OpenFilter>& OpenFilters() {
  static const std::vector<OpenFilter> filters = {
      {484, {".txt"}},
      {487, {".htm", "*.html", "*.shtml", "*.txt"}},
      {488, {".xml"}},
      {489, {".rtf"}},
      {491, {".sgm", "*.sgml"}},
      {485, {".asc", "*.tx8"}},
      {490, {".mac"}},
      {492, {".doc", "*.docx"}},
      {493, {".pdf"}},
      {1306, {".ppt", "*.pptx", "*.ppsx"}},
      {1307, {"*.odt", "*.odp"}},
      {459, {"*.*"}},
  };
  return filters;
}

namespace {

std::string Starred(const std::string& pattern) {
  if (!pattern.empty() && pattern[0] == '.') return "*" + pattern;
  return pattern;
}

}  // namespace

std::string JoinedPatterns(const OpenFilter& filter) {
  std::string joined;
  for (const std::string& p : filter.patterns) {
    if (!joined.empty()) joined += ';';
    joined += Starred(p);
  }
  return joined;
}

std::string NameFilter(const std::string& label, const OpenFilter& filter) {
  std::string name = label;
  // The catalogue labels end with the patterns they show, "(*.htm; *.txt)".
  const size_t open = name.rfind('(');
  if (open != std::string::npos && !name.empty() && name.back() == ')') name.erase(open);
  while (!name.empty() && name.back() == ' ') name.pop_back();
  std::string patterns;
  for (const std::string& p : filter.patterns) {
    if (!patterns.empty()) patterns += ' ';
    const std::string starred = Starred(p);
    patterns += starred == "*.*" ? std::string("*") : starred;
  }
  return name + " (" + patterns + ")";
}

int InitialOpenFilter(int storedIndex) {
  return storedIndex < 1 || storedIndex > kOpenFilterCount ? kOpenFilterCount : storedIndex;
}

}  // namespace malvex
