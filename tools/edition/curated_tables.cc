#include "curated_tables.h"
#include "table_lines.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "foundations/charset.h"

namespace malvex::edition {

namespace {



std::string Folded(const std::string& utf8) {
  std::string s = FromUtf8(utf8);
  FoldToLower(s);
  return s;
}

}  // namespace

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> f;
  size_t start = 0;
  while (true) {
    const size_t tab = line.find('\t', start);
    f.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) break;
    start = tab + 1;
  }
  return f;
}

int ClassOfName(const std::string& name) {
  static const std::pair<const char*, int> kNames[] = {{"verb", 1}, {"conn", 2}, {"mod", 3}, {"adj", 4},
                                                       {"pron", 5}, {"prep", 6}, {"det", 7}, {"noun", 8}};
  for (const auto& [n, c] : kNames) {
    if (name == n) return c;
  }
  return 0;
}

bool CuratedTables::ParseVerbClasses(const std::string& text, std::string* error) {
  return ForEachLine(text, [&](const std::vector<std::string>& f, int n) {
    VerbKind k;
    if (f.size() == 2 && f[1] == "stative") k = VerbKind::kStative;
    else if (f.size() == 2 && f[1] == "reflexive") k = VerbKind::kReflexive;
    else if (f.size() == 2 && f[1] == "performative") k = VerbKind::kPerformative;
    else {
      *error = "verb_classes.tsv:" + std::to_string(n);
      return false;
    }
    verbKinds_[Folded(f[0])] = k;
    return true;
  });
}

bool CuratedTables::ParseClosed(const std::string& text, std::string* error) {
  return ForEachLine(text, [&](const std::vector<std::string>& f, int n) {
    if (f.size() < 2) {
      *error = "closed_class.tsv:" + std::to_string(n);
      return false;
    }
    const std::string form = Folded(f[0]);
    std::vector<Reading>& list = closed_[form];
    for (size_t i = 1; i < f.size(); ++i) {
      Reading r;
      if (!ParseReading(f[i], &r.code, &r.lemma)) {
        *error = "closed_class.tsv:" + std::to_string(n) + ": " + f[i];
        return false;
      }
      r.lemma = r.lemma.empty() ? form : Folded(r.lemma);
      list.push_back(r);
    }
    return true;
  });
}

bool CuratedTables::ParseMatrixAdjustments(const std::string& text, std::string* error) {
  matrixAdjustments_.clear();
  return ForEachLine(text, [&](const std::vector<std::string>& f, int n) {
    MatrixAdjustment a;
    char* end = nullptr;
    const bool trigram = f.size() == 4;
    if (f.size() == 3 || trigram) {
      a.first = ClassOfName(f[0]);
      // "pron:KIND" names one kind of pronoun.
      static const char* kPronounKinds[] = {"none", "relative", "possessive", "personal", "deixis", "others"};
      for (int k = 0; k < 6; ++k) {
        if (f[0] == std::string("pron:") + kPronounKinds[k]) {
          a.first = 5;
          a.pronounKind = k;
        }
      }
      a.second = ClassOfName(f[1]);
      if (trigram) a.third = ClassOfName(f[2]);
      a.change = static_cast<int>(std::strtol(f.back().c_str(), &end, 10));
    }
    if ((f.size() != 3 && !trigram) || a.first == 0 || a.second == 0 || (trigram && a.third == 0) ||
        f.back().empty() || *end != '\0' || a.change < -1000 || a.change > 1000) {
      *error = "matrix_adjustments.tsv:" + std::to_string(n);
      return false;
    }
    matrixAdjustments_.push_back(a);
    return true;
  });
}

bool CuratedTables::Load(const std::string& folder, std::string* error) {
  std::string text;
  auto read = [&](const char* name) {
    if (ReadText(folder + "/" + name, &text)) return true;
    *error = std::string(name) + ": cannot be read";
    return false;
  };
  if (!read("verb_classes.tsv") || !ParseVerbClasses(text, error)) return false;
  if (!read("closed_class.tsv") || !ParseClosed(text, error)) return false;
  if (!read("evaluative_adjectives.tsv")) return false;
  ForEachLine(text, [&](const std::vector<std::string>& f, int) {
    evaluative_.insert(Folded(f[0]));
    return true;
  });
  if (!read("abbreviations.tsv")) return false;
  ForEachLine(text, [&](const std::vector<std::string>& f, int) {
    abbreviations_.insert(Folded(f[0]));
    return true;
  });
  if (!read("simple_past.tsv")) return false;
  bool ok = ForEachLine(text, [&](const std::vector<std::string>& f, int n) {
    if (f.size() != 7) {
      *error = "simple_past.tsv:" + std::to_string(n);
      return false;
    }
    std::vector<std::string>& forms = simplePast_[Folded(f[0])];
    for (size_t i = 1; i < 7; ++i) forms.push_back(Folded(f[i]));
    return true;
  });
  if (!ok || !read("exceptions.tsv")) return false;
  ok = ForEachLine(text, [&](const std::vector<std::string>& f, int n) {
    const int c = f.size() == 2 ? ClassOfName(f[1]) : 0;
    if (c == 0) {
      *error = "exceptions.tsv:" + std::to_string(n);
      return false;
    }
    dropped_[Folded(f[0])].insert(c);
    return true;
  });
  return ok && read("matrix_adjustments.tsv") && ParseMatrixAdjustments(text, error);
}

VerbKind CuratedTables::VerbKindOf(std::string_view lemma) const {
  const auto it = verbKinds_.find(std::string(lemma));
  return it == verbKinds_.end() ? VerbKind::kFactive : it->second;
}

bool CuratedTables::IsEvaluative(std::string_view lemma) const {
  return evaluative_.count(std::string(lemma)) != 0;
}

ModalityKind CuratedTables::AdverbKindOf(std::string_view lemma) const {
  const auto it = closed_.find(std::string(lemma));
  if (it != closed_.end()) {
    for (const Reading& r : it->second) {
      if (RecordClass(r.code) == 3) return static_cast<ModalityKind>(r.code & 0x0F);
    }
    return ModalityKind::kNone;
  }
  // An adverbial expression the table does not list takes the kind of its
  // last word the table lists as an adverb: până acum and acum câteva zile
  // tell a time, pe aici a place, mai bine a manner, cel puțin an intensity.
  size_t end = lemma.size();
  while (end > 0) {
    const size_t blank = lemma.find_last_of(" _", end - 1);
    const size_t begin = blank == std::string_view::npos ? 0 : blank + 1;
    if (begin == 0 && end == lemma.size()) break;  // a single word
    const ModalityKind k = AdverbKindOf(lemma.substr(begin, end - begin));
    if (k != ModalityKind::kNone) return k;
    if (begin == 0) break;
    end = begin - 1;
  }
  return ModalityKind::kNone;
}

}  // namespace malvex::edition
