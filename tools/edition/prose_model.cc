#include "prose_model.h"

#include <algorithm>
#include <cmath>

#include "foundations/charset.h"
#include "foundations/language_tables.h"

namespace malvex::edition {

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

bool IsBlockTag(const std::string& name) {
  static const char* kBlocks[] = {"p", "li", "td", "th", "h1", "h2", "h3", "h4", "h5", "h6", "div", "dd",
                                  "dt", "title", "br", "tr", "table", "ul", "ol", "dl", "blockquote", "caption"};
  for (const char* b : kBlocks) {
    if (name == b) return true;
  }
  return false;
}

std::string LowerAscii(std::string s) {
  for (char& c : s) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return s;
}

}  // namespace

std::vector<std::string> HtmlParagraphs(const std::string& html) {
  std::vector<std::string> out;
  std::string cur;
  int skip = 0;  // inside script, style, pre, code
  auto flush = [&]() {
    size_t a = cur.find_first_not_of(" \t\r\n");
    if (a != std::string::npos) {
      std::string p;
      bool space = false;
      for (size_t i = a; i < cur.size(); ++i) {
        const char c = cur[i];
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
          space = true;
          continue;
        }
        if (space && !p.empty()) p += ' ';
        space = false;
        p += c;
      }
      out.push_back(p);
    }
    cur.clear();
  };
  for (size_t i = 0; i < html.size(); ++i) {
    const char c = html[i];
    if (c == '<') {
      const size_t end = html.find('>', i);
      if (end == std::string::npos) break;
      std::string tag = html.substr(i + 1, end - i - 1);
      i = end;
      const bool closing = !tag.empty() && tag[0] == '/';
      if (closing) tag.erase(0, 1);
      const size_t sp = tag.find_first_of(" \t\r\n/");
      const std::string name = LowerAscii(tag.substr(0, sp));
      if (name == "script" || name == "style" || name == "pre" || name == "code" || name == "tt" ||
          name == "kbd" || name == "screen") {
        skip += closing ? -1 : 1;
        if (skip < 0) skip = 0;
        continue;
      }
      if (IsBlockTag(name)) flush();
      continue;
    }
    if (skip) continue;
    if (c == '&') {
      const size_t semi = html.find(';', i);
      if (semi != std::string::npos && semi - i < 10) {
        const std::string ent = html.substr(i + 1, semi - i - 1);
        uint32_t cp = 0;
        if (!ent.empty() && ent[0] == '#') {
          cp = static_cast<uint32_t>(ent.size() > 1 && (ent[1] == 'x' || ent[1] == 'X')
                                         ? std::strtoul(ent.c_str() + 2, nullptr, 16)
                                         : std::strtoul(ent.c_str() + 1, nullptr, 10));
        } else if (ent == "nbsp") cp = ' ';
        else if (ent == "amp") cp = '&';
        else if (ent == "lt") cp = '<';
        else if (ent == "gt") cp = '>';
        else if (ent == "quot") cp = '"';
        else if (ent == "rsquo" || ent == "lsquo") cp = '\'';
        else if (ent == "ldquo" || ent == "rdquo" || ent == "bdquo") cp = '"';
        else if (ent == "laquo") cp = 0xAB;
        else if (ent == "raquo") cp = 0xBB;
        else if (ent == "hellip") cp = 0x2026;
        else if (ent == "mdash" || ent == "ndash") cp = '-';
        if (cp) {
          AppendUtf8(cur, cp);
          i = semi;
          continue;
        }
      }
    }
    cur += c;
  }
  flush();
  return out;
}

int TagOfCode(uint16_t code) {
  const int c = RecordClass(code);
  if (c == 5) return 50 + std::min(code & 0x0F, 10);
  return c;
}

std::vector<Sentence> CutProse(const std::string& text, const LexiconAssembly& lexicon) {
  static const LanguageTables tables = DefaultLanguageTables();
  struct Raw {
    std::string word;  // as written
    std::string sep;   // punctuation before it
  };
  std::vector<Raw> raw;
  std::string sep;
  for (size_t i = 0; i < text.size();) {
    const uint8_t c = static_cast<uint8_t>(text[i]);
    const uint8_t cls = tables.charClass[c];
    if (cls == kClassLetter || cls == kClassDigit) {
      size_t j = i;
      while (j < text.size()) {
        const uint8_t k = tables.charClass[static_cast<uint8_t>(text[j])];
        if (k != kClassLetter && k != kClassDigit) break;
        ++j;
      }
      raw.push_back(Raw{text.substr(i, j - i), sep});
      sep.clear();
      i = j;
    } else {
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') sep += static_cast<char>(c);
      else if (!sep.empty() && sep.back() != ' ') sep += ' ';
      ++i;
    }
  }
  std::vector<Sentence> out;
  Sentence sentence;
  Clause clause;
  auto endClause = [&]() {
    if (!clause.empty()) sentence.push_back(std::move(clause));
    clause.clear();
  };
  auto endSentence = [&]() {
    endClause();
    if (!sentence.empty()) out.push_back(std::move(sentence));
    sentence.clear();
  };
  bool sentenceStart = true;
  for (size_t i = 0; i < raw.size(); ++i) {
    const std::string& s = raw[i].sep;
    if (!clause.empty() || !sentence.empty()) {
      bool end = false, cut = false;
      for (const char ch : s) {
        if (ch == '.' || ch == '!' || ch == '?' || ch == ';') end = true;
        if (ch == ',' || ch == ':' || ch == '(' || ch == ')' || ch == '"' || ch == '\xAB' || ch == '\xBB' ||
            ch == '{' || ch == '}') {
          cut = true;
        }
      }
      if (end && !clause.empty() && s.find('.') != std::string::npos && s.find_first_of("!?;") == std::string::npos) {
        // A full stop after an abbreviation or a single letter ends nothing.
        const ProseToken& last = clause.back();
        const LexiconAssembly::Entry* e = lexicon.Find(last.form);
        if (last.form.size() == 1 ||
            (e && !e->readings.empty() && (e->readings[0].code & 0x0F70) == 0x0710)) {
          end = false;
        }
      }
      if (end) {
        endSentence();
        sentenceStart = true;
      } else if (cut) {
        endClause();
      }
    }
    ProseToken t;
    t.form = raw[i].word;
    t.capital = !sentenceStart && IsUpperCase(static_cast<uint8_t>(t.form[0]));
    t.number = IsDigit(static_cast<uint8_t>(t.form[0]));
    FoldToLower(t.form);
    sentenceStart = false;
    // Compounds of the lexicon: the longest run of following words, joined
    // by '_' (or '-' after a hyphen), that the lexicon holds.
    size_t last = i;
    std::string joined = t.form, best;
    for (size_t j = i + 1; j < raw.size() && j <= i + 6; ++j) {
      const std::string& js = raw[j].sep;
      const bool hyphen = js == "-";
      if (!js.empty() && js != " " && !hyphen) break;
      std::string w = raw[j].word;
      FoldToLower(w);
      joined += (hyphen ? "-" : "_") + w;
      if (joined.size() > 79) break;
      if (lexicon.Find(joined)) {
        best = joined;
        last = j;
      } else if (hyphen) {
        std::string alt = joined;
        std::replace(alt.begin(), alt.end(), '-', '_');
        if (lexicon.Find(alt)) {
          best = alt;
          last = j;
          joined = alt;
        }
      }
    }
    if (last > i) {
      t.form = best;
      i = last;
    }
    if (t.number) {
      t.tags = {4};
    } else if (const LexiconAssembly::Entry* e = lexicon.Find(t.form)) {
      for (const Reading& r : e->readings) {
        const int tag = TagOfCode(r.code);
        if (std::find(t.tags.begin(), t.tags.end(), tag) == t.tags.end()) t.tags.push_back(tag);
      }
    }
    if (t.tags.empty()) t.tags = {8};
    t.weight.assign(t.tags.size(), 1.0 / static_cast<double>(t.tags.size()));
    clause.push_back(std::move(t));
  }
  endSentence();
  return out;
}

// ---------------------------------------------------------------------------

void ProseModel::Count(const std::vector<Sentence>& sentences) {
  first_ = {};
  bi_ = {};
  biFirst_ = {};
  tri_ = {};
  pronFirst_ = {};
  pronBi_ = {};
  pronBiFirst_ = {};
  pronTri_ = {};
  startConnector_ = starts_ = connector_ = words_ = 0;
  for (const Sentence& s : sentences) {
    for (const Clause& c : s) {
      for (size_t i = 0; i < c.size(); ++i) {
        const ProseToken& t = c[i];
        for (size_t a = 0; a < t.tags.size(); ++a) {
          const double p = t.weight[a];
          words_ += p;
          if (ClassOfTag(t.tags[a]) == 2) {
            connector_ += p;
            if (i == 0) startConnector_ += p;
          }
        }
        if (i == 0) starts_ += 1;
        if (i + 1 >= c.size()) continue;
        const ProseToken& u = c[i + 1];
        for (size_t a = 0; a < t.tags.size(); ++a) {
          const int ca = ClassOfTag(t.tags[a]);
          const int sa = t.tags[a] >= 50 ? t.tags[a] - 50 : -1;
          for (size_t b = 0; b < u.tags.size(); ++b) {
            const double p = t.weight[a] * u.weight[b];
            const int cb = ClassOfTag(u.tags[b]);
            bi_[ca][cb] += p;
            first_[ca] += p;
            if (sa >= 0) {
              pronBi_[sa][cb] += p;
              pronFirst_[sa] += p;
            }
            if (i + 2 >= c.size()) continue;
            const ProseToken& v = c[i + 2];
            for (size_t k = 0; k < v.tags.size(); ++k) {
              const double q = p * v.weight[k];
              const int cc = ClassOfTag(v.tags[k]);
              tri_[ca][cb][cc] += q;
              biFirst_[ca][cb] += q;
              if (sa >= 0) {
                pronTri_[sa][cb][cc] += q;
                pronBiFirst_[sa][cb] += q;
              }
            }
          }
        }
      }
    }
  }
}

namespace {
constexpr double kSmooth = 0.5;
constexpr double kFloor = -15.0;  // log-probabilities below this are cut
}  // namespace

double ProseModel::LogBigram(int a, int b) const {
  return std::max(kFloor, std::log((bi_[a][b] + kSmooth) / (first_[a] + 11 * kSmooth)));
}

double ProseModel::LogTrigram(int a, int b, int c) const {
  return std::max(kFloor, std::log((tri_[a][b][c] + kSmooth) / (biFirst_[a][b] + 11 * kSmooth)));
}

double ProseModel::LogPronounBigram(int s, int b) const {
  const double specific = std::log((pronBi_[s][b] + kSmooth) / (pronFirst_[s] + 11 * kSmooth));
  return std::clamp(specific - LogBigram(5, b), kFloor, -kFloor);
}

double ProseModel::LogPronounTrigram(int s, int b, int c) const {
  const double specific = std::log((pronTri_[s][b][c] + kSmooth) / (pronBiFirst_[s][b] + 11 * kSmooth));
  return std::clamp(specific - LogTrigram(5, b, c), kFloor, -kFloor);
}

double ProseModel::Score(const Clause& c, size_t i, int tag) const {
  // The expected local score of the tag against the neighbours' current
  // distributions, with the terms the disambiguation adds up.
  const int r = ClassOfTag(tag);
  const int rs = tag >= 50 ? tag - 50 : -1;
  double score = 0;
  if (i == 0 && r == 2 && connector_ > 0 && starts_ > 0) {
    score += std::log((startConnector_ / starts_ + 1e-6) / (connector_ / words_ + 1e-6));
  }
  auto expect = [&](size_t k, auto f) {
    double s = 0;
    for (size_t a = 0; a < c[k].tags.size(); ++a) s += c[k].weight[a] * f(c[k].tags[a]);
    return s;
  };
  const size_t n = c.size();
  if (i >= 2) {
    score += expect(i - 2, [&](int t2) {
      return expect(i - 1, [&](int t1) {
        double v = LogTrigram(ClassOfTag(t2), ClassOfTag(t1), r);
        if (t2 >= 50) v += LogPronounTrigram(t2 - 50, ClassOfTag(t1), r);
        return v;
      });
    });
  } else if (i == 1) {
    score += expect(0, [&](int t1) {
      double v = LogBigram(ClassOfTag(t1), r);
      if (t1 >= 50) v += LogPronounBigram(t1 - 50, r);
      return v;
    });
  }
  if (i + 2 < n) {
    score += expect(i + 1, [&](int n1) {
      return expect(i + 2, [&](int n2) {
        double v = LogTrigram(r, ClassOfTag(n1), ClassOfTag(n2));
        if (rs >= 0) v += LogPronounTrigram(rs, ClassOfTag(n1), ClassOfTag(n2));
        return v;
      });
    });
  } else if (i + 1 < n) {
    score += expect(i + 1, [&](int n1) {
      double v = LogBigram(r, ClassOfTag(n1));
      if (rs >= 0) v += LogPronounBigram(rs, ClassOfTag(n1));
      return v;
    });
  }
  if (i >= 1 && i + 1 < n) {
    score += expect(i - 1, [&](int p1) {
      return expect(i + 1, [&](int n1) {
        double v = LogTrigram(ClassOfTag(p1), r, ClassOfTag(n1));
        if (p1 >= 50) v += LogPronounTrigram(p1 - 50, r, ClassOfTag(n1));
        return v;
      });
    });
  }
  return score;
}

void ProseModel::Train(std::vector<Sentence>& sentences, int iterations) {
  Count(sentences);
  for (int it = 0; it < iterations; ++it) {
    for (Sentence& s : sentences) {
      for (Clause& c : s) {
        for (size_t i = 0; i < c.size(); ++i) {
          ProseToken& t = c[i];
          if (t.tags.size() < 2) continue;
          std::vector<double> sc(t.tags.size());
          double best = -1e300;
          for (size_t a = 0; a < t.tags.size(); ++a) {
            sc[a] = Score(c, i, t.tags[a]);
            best = std::max(best, sc[a]);
          }
          double sum = 0;
          for (double& v : sc) {
            v = std::exp(v - best);
            sum += v;
          }
          for (size_t a = 0; a < t.tags.size(); ++a) t.weight[a] = sc[a] / sum;
        }
      }
    }
    Count(sentences);
  }
}

void ProseModel::Tag(std::vector<Sentence>& sentences) const {
  for (Sentence& s : sentences) {
    for (Clause& c : s) {
      for (size_t i = 0; i < c.size(); ++i) {
        ProseToken& t = c[i];
        if (t.tags.size() < 2) continue;
        size_t best = 0;
        double bestScore = -1e300;
        for (size_t a = 0; a < t.tags.size(); ++a) {
          const double v = std::round(Score(c, i, t.tags[a]) * kScale);
          if (v > bestScore) {
            bestScore = v;
            best = a;
          }
        }
        std::fill(t.weight.begin(), t.weight.end(), 0.0);
        t.weight[best] = 1.0;
      }
    }
  }
}

std::vector<int16_t> ProseModel::MatrixValues() const {
  std::vector<int16_t> v(8716, 0);
  auto put = [&](size_t k, double logValue) {
    const double x = std::clamp(std::round(logValue * kScale), -1500.0, 1500.0);
    v[k] = static_cast<int16_t>(x);
  };
  if (connector_ > 0 && starts_ > 0) {
    put(0, std::log((startConnector_ / starts_ + 1e-6) / (connector_ / words_ + 1e-6)));
  }
  for (int a = 0; a <= 10; ++a) {
    for (int b = 0; b <= 10; ++b) {
      put(4 + 22 * a + 2 * b, LogBigram(a, b));
      put(5812 + 22 * a + 2 * b, LogPronounBigram(a, b));
      for (int c = 0; c <= 10; ++c) {
        put(488 + 242 * a + 22 * b + 2 * c, LogTrigram(a, b, c));
        put(6054 + 242 * a + 22 * b + 2 * c, LogPronounTrigram(a, b, c));
      }
    }
  }
  return v;
}

void ApplyMatrixAdjustments(const std::vector<MatrixAdjustment>& adjustments, std::vector<int16_t>* values) {
  auto add = [&](size_t k, int change) {
    if (k >= values->size()) return;
    const int v = std::clamp(static_cast<int>((*values)[k]) + change, -32768, 32767);
    (*values)[k] = static_cast<int16_t>(v);
  };
  for (const MatrixAdjustment& m : adjustments) {
    const size_t a = static_cast<size_t>(m.first), b = static_cast<size_t>(m.second);
    if (m.pronounKind >= 0) {
      const size_t s = static_cast<size_t>(m.pronounKind);
      if (m.third != 0) {
        add(6054 + 242 * s + 22 * b + 2 * static_cast<size_t>(m.third), m.change);
        continue;
      }
      add(5812 + 22 * s + 2 * b, m.change);
      for (size_t x = 0; x <= 10; ++x) add(6054 + 242 * s + 22 * b + 2 * x, m.change);
      continue;
    }
    if (m.third != 0) {
      add(488 + 242 * a + 22 * b + 2 * static_cast<size_t>(m.third), m.change);
      continue;
    }
    add(4 + 22 * a + 2 * b, m.change);
    for (size_t x = 0; x <= 10; ++x) {
      add(488 + 242 * x + 22 * a + 2 * b, m.change);  // b after x, a
      if (x != b || a != b) add(488 + 242 * a + 22 * b + 2 * x, m.change);  // a, b, then x
    }
  }
}

void ProseModel::CollectPriors(const std::vector<Sentence>& sentences) {
  formCounts_.clear();
  ambiguityCounts_.clear();
  for (const Sentence& s : sentences) {
    for (const Clause& c : s) {
      for (const ProseToken& t : c) {
        if (t.tags.size() < 2) continue;
        std::string key;
        std::vector<int> classes;
        for (const int tag : t.tags) classes.push_back(ClassOfTag(tag));
        std::sort(classes.begin(), classes.end());
        classes.erase(std::unique(classes.begin(), classes.end()), classes.end());
        for (const int k : classes) key += static_cast<char>('0' + k);
        for (size_t a = 0; a < t.tags.size(); ++a) {
          formCounts_[t.form][ClassOfTag(t.tags[a])] += t.weight[a];
          ambiguityCounts_[key][ClassOfTag(t.tags[a])] += t.weight[a];
        }
      }
    }
  }
}

double ProseModel::Prior(const std::string& form, const std::vector<int>& classes, int c) const {
  const auto f = formCounts_.find(form);
  if (f != formCounts_.end()) {
    double total = 0;
    for (const auto& [k, v] : f->second) total += v;
    if (total >= 3) {
      const auto it = f->second.find(c);
      return it == f->second.end() ? 0 : it->second / total;
    }
  }
  std::vector<int> sorted = classes;
  std::sort(sorted.begin(), sorted.end());
  sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
  std::string key;
  for (const int k : sorted) key += static_cast<char>('0' + k);
  const auto a = ambiguityCounts_.find(key);
  if (a == ambiguityCounts_.end()) return -1;
  double total = 0;
  for (const auto& [k, v] : a->second) total += v;
  if (total < 5) return -1;
  const auto it = a->second.find(c);
  return it == a->second.end() ? 0 : it->second / total;
}

// ---------------------------------------------------------------------------

std::array<double, 78> ProseStatistics::Percentages() const {
  std::array<double, 78> cnt = counter;
  std::array<double, 78> pct{};
  if (words <= 0) return pct;
  auto sum = [&](int a, int b) {
    double s = 0;
    for (int i = a; i <= b; ++i) s += cnt[i];
    return s;
  };
  cnt[48] = words;
  cnt[43] = sum(4, 7);
  cnt[20] = sum(21, 30);
  cnt[32] = sum(33, 39);
  cnt[51] = sum(62, 65);
  cnt[52] = sum(56, 60);
  cnt[45] = cnt[20];
  cnt[46] = cnt[32];
  for (int i = 1; i <= 77; ++i) {
    if (cnt[i] > 0) pct[i] = cnt[i] / words * 100;
  }
  auto group = [&](int a, int b, double base) {
    if (base < 1) return;
    for (int i = a; i <= b; ++i) {
      if (cnt[i] > 0) pct[i] = cnt[i] / base * 100;
    }
  };
  group(3, 19, cnt[43]);
  group(21, 30, cnt[20]);
  group(33, 39, cnt[32]);
  group(62, 65, cnt[51]);
  group(56, 60, cnt[52]);
  group(70, 76, cnt[58] + cnt[59]);
  return pct;
}

ProseStatistics CountStatistics(const std::vector<Sentence>& sentences, const LexiconAssembly& lexicon,
                                std::map<std::string, double>* lemmaCount) {
  ProseStatistics st;
  struct Word {
    uint16_t code;
    std::string lemma;
    bool merged;
  };
  for (const Sentence& s : sentences) {
    std::vector<Word> words;
    for (const Clause& c : s) {
      for (const ProseToken& t : c) {
        size_t best = 0;
        for (size_t a = 1; a < t.weight.size(); ++a) {
          if (t.weight[a] > t.weight[best]) best = a;
        }
        const int tag = t.tags[best];
        Word w{0, "", false};
        if (t.number) {
          w.code = AdjectiveCode(AdjectiveKind::kNumeral);
        } else if (const LexiconAssembly::Entry* e = lexicon.Find(t.form)) {
          for (const Reading& r : e->readings) {
            if (TagOfCode(r.code) == tag) {
              w.code = r.code;
              w.lemma = r.lemma.empty() ? t.form : r.lemma;
              break;
            }
          }
          // A past participle after an auxiliary verb (at most three words
          // back) makes one compound word with the auxiliary's mode and tense,
          // a present becoming a past.
          if (IsVerbCode(w.code)) {
            const Reading* pp = nullptr;
            for (const Reading& r : e->readings) {
              if (!pp && IsVerbCode(r.code) && (r.code & 0x70) == 0x40 && ((r.code >> 2) & 3) == 1) pp = &r;
            }
            for (size_t back = 1; pp && back <= 3 && back <= words.size(); ++back) {
              Word& aux = words[words.size() - back];
              if (!IsVerbCode(aux.code)) continue;
              if (IsAuxiliaryCode(aux.code)) {
                int tense = (aux.code >> 2) & 3;
                if (tense == 0) tense = 1;
                aux.code = static_cast<uint16_t>((pp->code & ~0xFC) | (tense << 2) | (aux.code & 0x70) |
                                                 (pp->code & 0x80));
                aux.lemma = pp->lemma;
                aux.merged = true;
                w.code = 0xFFFF;
              }
              break;
            }
          }
        } else {
          w.code = SubstantiveCode(NounMark::kNone);
        }
        if (w.code != 0xFFFF) words.push_back(w);
      }
    }
    for (const Word& w : words) {
      st.words += 1;
      if (lemmaCount) (*lemmaCount)[w.lemma] += 1;
      const int d = w.code & 0xFF;
      const int cls = RecordClass(w.code);
      if (cls == 1) {
        st.counter[4 + (d & 3)] += 1;
        st.counter[16 + ((d >> 2) & 3)] += 1;
        int mode;
        const int b54 = (d >> 4) & 3;
        if ((d & 0x40) && b54 == 3) mode = 5;
        else if (d & 0x40) mode = 4;
        else if (b54 == 3) mode = 6;
        else if (b54 == 1) mode = 2;
        else if (b54 == 2) mode = 3;
        else mode = 1;
        st.counter[9 + mode] += 1;
        if (d & 0x80) st.counter[3] += 1;
      } else if (cls == 2) {
        static const int kSub[11] = {0, 1, 3, 4, 2, 6, 5, 7, 8, 9, 10};
        if (d >= 1 && d <= 10) st.counter[20 + kSub[d]] += 1;
      } else if (cls == 3) {
        if (d >= 1 && d <= 7) st.counter[32 + d] += 1;
      } else if (cls == 4) {
        st.counter[d >= 1 && d <= 3 ? 61 + d : 65] += 1;
      } else if (cls == 5) {
        const int sub = d & 0x0F, person = (d >> 4) & 0x0F;
        if (sub >= 1 && sub <= 5) st.counter[55 + sub] += 1;
        if ((sub == 3 || sub == 4) && person >= 1 && person <= 7) st.counter[69 + person] += 1;
      } else if (cls == 6) {
        st.counter[53] += 1;
      } else if (cls == 7) {
        st.counter[61] += 1;
      } else {
        st.counter[54] += 1;
      }
      if (w.code & 0x4000) st.counter[40] += 1;
    }
  }
  return st;
}

}  // namespace malvex::edition
