#include "lexicon_assembly.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <set>

#include "foundations/charset.h"
#include "hunspell_affixes.h"

namespace malvex::edition {

namespace {

constexpr size_t kMaxForm = 79;

std::string Folded8(const std::string& utf8) {
  std::string s = FromUtf8(utf8);
  FoldToLower(s);
  return s;
}

bool EndsWith(const std::string& s, const char* tail) {
  const size_t n = std::char_traits<char>::length(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

// Hunspell affix flags of the Romanian list by part of speech.
bool IsNounFlag(char f) { return std::string_view("AFfRrsuCcMPzLln").find(f) != std::string_view::npos; }
bool IsAdjectiveFlag(char f) { return std::string_view("DQSetq").find(f) != std::string_view::npos; }
bool IsVerbFlag(char f) { return std::string_view("KBEHGIN").find(f) != std::string_view::npos; }
bool IsNameFlag(char f) { return f == 'U' || f == 'T'; }

// Tense and mode bits of a verb code.
constexpr uint16_t kTenseModeBits = 0x7C;

// Rank of a verb reading among the readings of the same form: the
// present indicative first, the auxiliaries before the full verbs.
int VerbRank(uint16_t code) {
  const int d = code & 0xFF;
  const int tense = (d >> 2) & 3;
  const int b54 = (d >> 4) & 3;
  int rank;
  if (d & 0x40) rank = b54 == 3 ? 4 : (tense == 1 ? 5 : 6);  // infinitive, past, present participle
  else if (b54 == 0) rank = tense == 0 ? 0 : (tense == 2 ? 1 : 2);
  else if (b54 == 2) rank = 3;
  else if (b54 == 1) rank = 2;
  else rank = 7;
  return (d & 0x80) ? rank : rank + 8;
}

// The word list writes many adjectives as a pair of nouns: the masculine
// with the masculine noun endings (flag L) and the feminine with the
// feminine ones (flag A), as "vamal/L" and "vamală/A". The masculine of
// such a pair that `stem` (as written) belongs to, or "".
std::string PairedMasculine(const HunspellAffixes& hunspell, const std::string& stem) {
  const std::string ea = "easc\xE3", esc = "esc";  // -ească, -esc
  auto has = [&](const std::string& s, char flag) { return hunspell.FlagsOf(s).find(flag) != std::string::npos; };
  if (has(stem, 'L')) {
    if (has(stem + "\xE3", 'A')) return stem;
    if (EndsWith(stem, esc.c_str()) && has(stem.substr(0, stem.size() - 3) + ea, 'A')) return stem;
  } else if (has(stem, 'A')) {
    if (EndsWith(stem, ea.c_str())) {
      const std::string m = stem.substr(0, stem.size() - ea.size()) + esc;
      if (has(m, 'L')) return m;
    } else if (EndsWith(stem, "\xE3") && has(stem.substr(0, stem.size() - 1), 'L')) {
      return stem.substr(0, stem.size() - 1);
    }
  }
  return std::string();
}

std::string RomanNumeral(int n) {
  static const std::pair<int, const char*> kParts[] = {{1000, "m"}, {900, "cm"}, {500, "d"}, {400, "cd"},
                                                       {100, "c"},  {90, "xc"},  {50, "l"},  {40, "xl"},
                                                       {10, "x"},   {9, "ix"},   {5, "v"},   {4, "iv"},
                                                       {1, "i"}};
  std::string s;
  for (const auto& [v, t] : kParts) {
    while (n >= v) {
      s += t;
      n -= v;
    }
  }
  return s;
}

}  // namespace

void LexiconAssembly::Add(const std::string& form, const Reading& r, Source source) {
  if (form.empty() || form.size() > kMaxForm) return;
  Entry& e = forms_[form];
  e.readings.push_back(r);
  if (source < e.best) e.best = source;
}

const LexiconAssembly::Entry* LexiconAssembly::Find(const std::string& form) const {
  const auto it = forms_.find(form);
  return it == forms_.end() ? nullptr : &it->second;
}

void LexiconAssembly::AddAnalyserPath(const std::string& surface, const std::string& analysis) {
  if (analysis.find('#') != std::string::npos) return;  // verbal idioms with a fixed part
  std::string s = FromUtf8(surface);
  std::string a = FromUtf8(analysis);
  const size_t plus = a.find('+');
  if (plus != std::string::npos) {
    const size_t hyphen = s.find('-');
    if (hyphen == std::string::npos || hyphen == 0) return;
    a.resize(plus);
    s.resize(hyphen);
  }
  while (!s.empty() && s.back() == '-') s.pop_back();
  while (!s.empty() && s.front() == '-') s.erase(0, 1);
  std::replace(s.begin(), s.end(), ' ', '_');
  FoldToLower(s);
  Reading r;
  if (!MapAnalysis(a, tables_, &r)) return;
  FoldToLower(r.lemma);
  std::replace(r.lemma.begin(), r.lemma.end(), ' ', '_');
  if (IsVerbCode(r.code) && a.find("<pper><p3><sg>") != std::string::npos && EndsWith(s, "se")) {
    pluperfect_.emplace(r.lemma, s);
  }
  if (IsVerbCode(r.code) && plus == std::string::npos &&
      (a.find("<pp><mn><sg>") != std::string::npos || a.find("<pp><m><sg>") != std::string::npos)) {
    participle_.emplace(r.lemma, s);
  }
  if (RecordClass(r.code) == 8 && plus == std::string::npos && a.find("<def>") != std::string::npos) {
    definiteNouns_.insert(s);
  }
  Add(s, r, Source::kAnalyser);
  ++counts["analyser paths"];
}

bool LexiconAssembly::NamesSomething(const std::string& form) const {
  const Entry* e = Find(form);
  if (e == nullptr) return false;
  for (const Reading& r : e->readings) {
    const int c = RecordClass(r.code);
    if (c == 4 || c == 8) return true;
  }
  return false;
}

void LexiconAssembly::AddSimplePast() {
  const std::string i = "i", si = "\xBAi", ram = "r\xE3m", rati = "r\xE3\xFEi", ra = "r\xE3";
  for (const auto& [lemma, pper] : pluperfect_) {
    std::vector<std::string> forms;
    const auto ex = tables_.SimplePast().find(lemma);
    if (ex != tables_.SimplePast().end()) {
      forms = ex->second;
    } else {
      const std::string x = pper.substr(0, pper.size() - 2);
      if (x.empty()) continue;
      std::string third = x;
      if (third.back() == 'a') third.back() = '\xE3';            // cânta -> cântă
      else if (third.back() == '\xE2') third.back() = '\xEE';    // hotărâ -> hotărî
      forms = {x + i, x + si, third, x + ram, x + rati, x + ra};
    }
    Reading r;
    r.lemma = lemma;
    r.code = VerbCode(tables_.VerbKindOf(lemma), Tense::kPast, Mode::kIndicative, false);
    for (const std::string& f : forms) {
      if (ex == tables_.SimplePast().end() && NamesSomething(f)) continue;
      Add(f, r, Source::kRule);
      ++counts["simple past forms"];
    }
  }
}

void LexiconAssembly::AddCurated() {
  for (const auto& [form, readings] : tables_.Closed()) {
    for (const Reading& r : readings) Add(form, r, Source::kCurated);
    forms_[form].curated = true;
  }
  Reading abbr;
  abbr.code = SubstantiveCode(NounMark::kAbbreviation);
  for (const std::string& form : tables_.Abbreviations()) {
    abbr.lemma = form;
    Add(form, abbr, forms_.count(form) ? Source::kRule : Source::kCurated);
  }
  // Letters standing alone are list items, variables or clitics (i, l, m,
  // v); a Roman numeral of one letter is rarer than any of these, so a
  // single letter is never read as a numeral, and one that is nothing else
  // is an abbreviation.
  const uint16_t numeralCode = AdjectiveCode(AdjectiveKind::kNumeral);
  const std::string letters = "abcdefghijklmnopqrstuvwxyz\xE3\xE2\xEE\xBA\xFE";
  for (const char c : letters) {
    const std::string form(1, c);
    const auto it = forms_.find(form);
    if (it != forms_.end()) {
      std::vector<Reading>& rs = it->second.readings;
      rs.erase(std::remove_if(rs.begin(), rs.end(),
                              [&](const Reading& r) { return (r.code & 0x0FFF) == numeralCode; }),
               rs.end());
      if (!rs.empty()) continue;
    }
    abbr.lemma = form;
    Add(form, abbr, Source::kRule);
  }
  Reading numeral;
  numeral.code = numeralCode;
  for (int n = 1; n <= 3000; ++n) {
    if (n > 100 && n % 100 != 0) continue;
    const std::string form = RomanNumeral(n);
    // A closed-class word (the clitics li, vi) is never a numeral as well.
    if (form.size() == 1 || tables_.Closed().count(form)) continue;
    numeral.lemma = form;
    Add(form, numeral, Source::kRule);
  }
}

void LexiconAssembly::AddHunspell(const HunspellAffixes& hunspell,
                                  const std::map<std::string, std::vector<int>>& thesaurus) {
  // Pass 1: what each verb suffix rule makes, learnt on the stems whose
  // forms the analyser knows as one verb.
  struct RuleKey {
    char flag;
    int rule;
    bool operator<(const RuleKey& o) const { return flag != o.flag ? flag < o.flag : rule < o.rule; }
  };
  std::map<RuleKey, std::map<uint16_t, int>> tenseModes;  // rule -> tense/mode bits -> count
  std::map<RuleKey, int> ruleSeen;
  std::map<RuleKey, int> lemmaRule;  // rules that give the lemma
  struct Made {
    std::string form;
    char flag;
    int rule;
  };
  std::vector<Made> made;
  const std::string* current = nullptr;
  const std::string* currentFlags = nullptr;
  auto learn = [&]() {
    if (made.empty()) return;
    std::map<std::string, int> lemmas;
    for (const Made& m : made) {
      const Entry* e = Find(m.form);
      if (!e) continue;
      std::set<std::string> seen;
      for (const Reading& r : e->readings) {
        if (IsVerbCode(r.code) && seen.insert(r.lemma).second) ++lemmas[r.lemma];
      }
    }
    std::string lemma;
    int best = 0;
    for (const auto& [l, c] : lemmas) {
      if (c > best) {
        best = c;
        lemma = l;
      }
    }
    if (best < 3) return;
    for (const Made& m : made) {
      const RuleKey key{m.flag, m.rule};
      if (m.form == lemma) ++lemmaRule[key];
      const Entry* e = Find(m.form);
      if (!e) continue;
      ++ruleSeen[key];
      std::set<uint16_t> bits;
      for (const Reading& r : e->readings) {
        if (IsVerbCode(r.code) && r.lemma == lemma) bits.insert(r.code & kTenseModeBits);
      }
      for (const uint16_t b : bits) ++tenseModes[key][b];
    }
  };
  hunspell.Expand([&](const HunspellAffixes::Form& f) {
    if (f.stem != current) {
      learn();
      made.clear();
      current = f.stem;
      currentFlags = f.stemFlags;
    }
    if (!f.prefix.empty() || f.text.find('-') != std::string::npos) return;
    bool verb = false;
    for (const char c : *currentFlags) verb = verb || IsVerbFlag(c);
    if (!verb) return;
    std::string form = f.text;
    FoldToLower(form);
    char flag = f.flag;
    if (f.rule < 0) {
      for (const char c : *currentFlags) {
        if (IsVerbFlag(c)) {
          flag = c;
          break;
        }
      }
    }
    made.push_back(Made{form, flag, f.rule});
  });
  learn();
  std::map<RuleKey, std::vector<uint16_t>> ruleBits;
  for (const auto& [key, bits] : tenseModes) {
    const int seen = ruleSeen[key];
    for (const auto& [b, c] : bits) {
      if (c * 10 >= seen * 3) ruleBits[key].push_back(b);
    }
  }
  std::map<char, int> bestLemmaRule;
  {
    std::map<char, int> bestCount;
    for (const auto& [key, c] : lemmaRule) {
      if (c > bestCount[key.flag]) {
        bestCount[key.flag] = c;
        bestLemmaRule[key.flag] = key.rule;
      }
    }
  }
  counts["verb rules learnt"] = ruleBits.size();

  // Pass 2: the new forms.
  std::map<std::string, std::vector<std::string>> unflagged;  // form -> nothing known but the list
  hunspell.Expand([&](const HunspellAffixes::Form& f) {
    std::string form = f.text;
    const size_t hyphen = form.find('-');
    if (hyphen != std::string::npos) form.resize(hyphen);
    if (form.empty()) return;
    const bool capital = IsUpperCase(static_cast<uint8_t>((*f.stem)[0]));
    FoldToLower(form);
    const Entry* known = Find(form);
    if (known && known->best <= Source::kRule) return;
    std::string stem = f.prefix + *f.stem;
    FoldToLower(stem);
    const std::string& flags = *f.stemFlags;
    bool noun = false, adjective = false, verb = false, name = capital;
    char verbFlag = 0;
    for (const char c : flags) {
      if (IsNameFlag(c)) name = true;
      if (IsVerbFlag(c) && !verbFlag) verbFlag = c;
    }
    if (f.rule >= 0) {
      noun = IsNounFlag(f.flag);
      adjective = IsAdjectiveFlag(f.flag);
      verb = IsVerbFlag(f.flag);
      if (verb) verbFlag = f.flag;
    } else {
      for (const char c : flags) {
        noun = noun || IsNounFlag(c);
        adjective = adjective || IsAdjectiveFlag(c);
      }
      verb = verbFlag != 0;
    }
    Reading r;
    if (name) {
      r.code = SubstantiveCode(NounMark::kName);
      r.lemma = form;
      Add(form, r, Source::kHunspell);
      ++counts["hunspell name forms"];
      return;
    }
    if (verb) {
      const auto bits = ruleBits.find(RuleKey{verbFlag, f.rule});
      if (bits == ruleBits.end()) return;
      std::string lemma = stem;
      const auto lr = bestLemmaRule.find(verbFlag);
      if (lr != bestLemmaRule.end() && lr->second >= 0) {
        const std::vector<std::string> rules = hunspell.SuffixRules(verbFlag);
        const std::string& rule = rules[static_cast<size_t>(lr->second)];
        const size_t gt = rule.find('>');
        const std::string strip = rule.substr(0, gt), add = rule.substr(gt + 1);
        if (stem.size() >= strip.size() && stem.compare(stem.size() - strip.size(), strip.size(), strip) == 0) {
          lemma = stem.substr(0, stem.size() - strip.size()) + add;
        }
      }
      const VerbKind kind = tables_.VerbKindOf(lemma);
      for (const uint16_t b : bits->second) {
        r.code = static_cast<uint16_t>(VerbCode(kind, Tense::kPresent, Mode::kIndicative, false) | b);
        r.lemma = lemma;
        Add(form, r, Source::kHunspell);
      }
      ++counts["hunspell verb forms"];
      return;
    }
    std::string adjectiveLemma = stem;
    if (noun && !adjective) {
      std::string masculine = PairedMasculine(hunspell, *f.stem);
      if (!masculine.empty()) {
        adjective = true;
        adjectiveLemma = f.prefix + masculine;
        FoldToLower(adjectiveLemma);
      }
    }
    if (noun) {
      r.code = SubstantiveCode(NounMark::kNone);
      r.lemma = stem;
      Add(form, r, Source::kHunspell);
    }
    if (adjective) {
      r.code = AdjectiveCodeOf(adjectiveLemma);
      r.lemma = adjectiveLemma;
      Add(form, r, Source::kHunspell);
    }
    if (noun || adjective) {
      ++counts["hunspell noun and adjective forms"];
      return;
    }
    if (!known) unflagged.emplace(form, std::vector<std::string>());
  });

  // Suffix analogy for the forms listed without any affix flag.
  std::unordered_map<std::string, std::map<std::vector<uint16_t>, int>> suffixes;
  for (const auto& [form, e] : forms_) {
    if (e.best != Source::kAnalyser || form.find('_') != std::string::npos) continue;
    std::vector<uint16_t> sig;
    for (const Reading& r : e.readings) sig.push_back(r.code);
    std::sort(sig.begin(), sig.end());
    sig.erase(std::unique(sig.begin(), sig.end()), sig.end());
    for (size_t n = 3; n <= 5 && n < form.size(); ++n) ++suffixes[form.substr(form.size() - n)][sig];
  }
  for (const auto& [form, unused] : unflagged) {
    if (Find(form)) continue;
    std::vector<uint16_t> sig;
    for (size_t n = std::min<size_t>(5, form.size() - 1); n >= 3 && sig.empty(); --n) {
      const auto it = suffixes.find(form.substr(form.size() - n));
      if (it == suffixes.end()) continue;
      int total = 0, best = 0;
      for (const auto& [s, c] : it->second) {
        total += c;
        if (c > best) {
          best = c;
          sig = s;
        }
      }
      if (total < 5) sig.clear();
    }
    const auto th = thesaurus.find(form);
    if (th != thesaurus.end()) {
      std::vector<uint16_t> kept;
      for (const uint16_t c : sig) {
        if (std::find(th->second.begin(), th->second.end(), RecordClass(c)) != th->second.end()) kept.push_back(c);
      }
      sig = kept;
    }
    for (const uint16_t c : sig) {
      Reading r;
      r.code = c;
      // Only an infinitive names its verb lemma; an adjective is its own.
      if (!IsVerbCode(c) || (c & 0x70) == 0x70) r.lemma = form;
      Add(form, r, Source::kAnalogy);
    }
    if (!sig.empty()) ++counts["analogy forms"];
  }
}

void LexiconAssembly::AddParticipleAdjectives(const HunspellAffixes& hunspell,
                                              const std::map<std::string, std::vector<int>>& thesaurus) {
  auto isAdjective = [&](const std::string& masculine) {
    for (const char c : hunspell.FlagsOf(masculine)) {
      if (IsAdjectiveFlag(c)) return true;
    }
    if (!PairedMasculine(hunspell, masculine).empty()) return true;
    const auto th = thesaurus.find(masculine);
    return th != thesaurus.end() && std::find(th->second.begin(), th->second.end(), 4) != th->second.end();
  };
  std::map<std::string, bool> adjectival;  // verb lemma -> its participle is an adjective
  for (auto& [form, e] : forms_) {
    if (e.best != Source::kAnalyser) continue;
    const Reading* participle = nullptr;
    bool adjective = false;
    for (const Reading& r : e.readings) {
      if (IsVerbCode(r.code) && (r.code & 0x70) == 0x40 && ((r.code >> 2) & 3) == 1 && !participle) participle = &r;
      adjective = adjective || IsAdjectiveCode(r.code);
    }
    if (!participle || adjective) continue;
    const auto base = participle_.find(participle->lemma);
    if (base == participle_.end()) continue;
    auto known = adjectival.find(participle->lemma);
    if (known == adjectival.end()) known = adjectival.emplace(participle->lemma, isAdjective(base->second)).first;
    if (!known->second) continue;
    Reading r;
    r.lemma = base->second;
    r.code = AdjectiveCodeOf(r.lemma);
    e.readings.push_back(r);
    ++counts["participle adjective forms"];
  }
}

void LexiconAssembly::AddThesaurusAdverbs(const std::map<std::string, std::vector<int>>& thesaurus) {
  for (const auto& [head, classes] : thesaurus) {
    if (head.find('_') != std::string::npos && head.size() > kMaxForm) continue;
    Entry* e = nullptr;
    const auto it = forms_.find(head);
    if (it != forms_.end()) e = &it->second;
    // A known word gains only the adverb reading of an adjective.
    if (e) {
      bool adjective = false;
      for (const Reading& r : e->readings) adjective = adjective || RecordClass(r.code) == 4;
      if (!adjective || e->curated) continue;
    }
    for (const int c : classes) {
      bool has = false;
      if (e) {
        for (const Reading& r : e->readings) has = has || RecordClass(r.code) == c;
      }
      if (has) continue;
      Reading r;
      r.lemma = head;
      if (c == 3) r.code = ModalityCode(ModalityKind::kManner);
      else if (!e && c == 8) r.code = SubstantiveCode(NounMark::kNone);
      else if (!e && c == 4) r.code = AdjectiveCodeOf(head);
      else if (!e && c == 1) r.code = VerbCode(tables_.VerbKindOf(head), Tense::kPresent, Mode::kInfinitive, false);
      else continue;
      Add(head, r, Source::kAnalogy);
      e = &forms_[head];
      ++counts["thesaurus readings"];
    }
  }
}

void LexiconAssembly::AddThesaurusAdjectives(const std::map<std::string, std::vector<int>>& thesaurus) {
  auto onlyAdjective = [&](const std::string& lemma) {
    const auto th = thesaurus.find(lemma);
    if (th == thesaurus.end()) return false;
    const std::vector<int>& cs = th->second;
    return std::find(cs.begin(), cs.end(), 4) != cs.end() && std::find(cs.begin(), cs.end(), 8) == cs.end();
  };
  for (auto& [form, e] : forms_) {
    if (e.best != Source::kAnalyser || e.curated) continue;
    const Reading* noun = nullptr;
    bool other = false;
    for (const Reading& r : e.readings) {
      if (RecordClass(r.code) == 8 && !noun) noun = &r;
      other = other || IsAdjectiveCode(r.code) || IsVerbCode(r.code);
    }
    if (!noun || other || noun->lemma.empty() || !onlyAdjective(noun->lemma)) continue;
    Reading r;
    r.lemma = noun->lemma;
    r.code = AdjectiveCodeOf(r.lemma);
    e.readings.push_back(r);
    ++counts["adjective readings of nouns the thesaurus knows as adjectives"];
  }
}

uint16_t LexiconAssembly::AdjectiveCodeOf(const std::string& lemma) const {
  return AdjectiveCode(tables_.IsEvaluative(lemma) ? AdjectiveKind::kSubjective : AdjectiveKind::kObjective);
}

void LexiconAssembly::AddShortAuxiliaryCompounds() {
  std::map<std::string, std::vector<uint16_t>> compounds;  // sorted: the same sources give the same order
  for (const auto& [form, e] : forms_) {
    if (form.find_first_of("_-") != std::string::npos || form.size() + 2 > kMaxForm) continue;
    const char last = form.back();
    for (const Reading& r : e.readings) {
      if (!IsVerbCode(r.code)) continue;
      const int mode = r.code & 0x70;
      const int tense = (r.code >> 2) & 3;
      uint16_t code = 0;
      if (mode == 0x40 && tense == 1 && (last == 't' || last == 's')) {
        // The auxiliary's present indicative makes the participle a past.
        code = static_cast<uint16_t>((r.code & ~(kTenseModeBits | kFundamentalBit)) | 0x04);
      } else if (mode == 0x70 && r.lemma == form) {
        code = static_cast<uint16_t>(r.code & ~kFundamentalBit);
      } else {
        continue;
      }
      std::vector<uint16_t>& codes = compounds["a_" + form];
      if (std::find(codes.begin(), codes.end(), code) == codes.end()) codes.push_back(code);
    }
  }
  Reading r;
  for (const auto& [compound, codes] : compounds) {
    if (forms_.count(compound)) continue;
    for (const uint16_t code : codes) {
      r.code = code;
      Add(compound, r, Source::kRule);
    }
    ++counts["short auxiliary compounds"];
  }
}

void LexiconAssembly::AddNounPairAdjectives(const HunspellAffixes& hunspell) {
  const uint16_t noun = SubstantiveCode(NounMark::kNone);
  std::map<std::string, std::string> masculineOf;  // noun lemma -> adjective lemma, "" when none
  for (auto& [form, e] : forms_) {
    if (e.best != Source::kAnalyser || e.curated || e.readings.empty() || definiteNouns_.count(form)) continue;
    bool onlyNoun = true;
    for (const Reading& r : e.readings) onlyNoun = onlyNoun && (r.code & 0x0FFF) == noun;
    const std::string& lemma = e.readings[0].lemma;
    if (!onlyNoun || lemma.empty()) continue;
    auto known = masculineOf.find(lemma);
    if (known == masculineOf.end()) {
      std::string masculine;
      for (const char c : hunspell.FlagsOf(lemma)) {
        if (IsAdjectiveFlag(c)) masculine = lemma;
      }
      if (masculine.empty()) masculine = PairedMasculine(hunspell, lemma);
      known = masculineOf.emplace(lemma, masculine).first;
    }
    if (known->second.empty()) continue;
    Reading r;
    r.lemma = known->second;
    r.code = AdjectiveCodeOf(r.lemma);
    e.readings.push_back(r);
    ++counts["adjective readings of nouns the word list pairs as adjectives"];
  }
}

void LexiconAssembly::DropArticledAdjectives() {
  for (const std::string& form : definiteNouns_) {
    const auto it = forms_.find(form);
    if (it == forms_.end() || it->second.curated) continue;
    std::vector<Reading>& rs = it->second.readings;
    bool noun = false;
    for (const Reading& r : rs) noun = noun || RecordClass(r.code) == 8;
    if (!noun) continue;
    const size_t before = rs.size();
    rs.erase(std::remove_if(rs.begin(), rs.end(),
                            [](const Reading& r) { return IsAdjectiveCode(r.code) && (r.code & 0xFF) != 3; }),
             rs.end());
    if (rs.size() != before) ++counts["articled nouns without their adjective readings"];
  }
}

void LexiconAssembly::AddAdjectiveAdverbs() {
  for (auto& [form, e] : forms_) {
    if (e.curated || e.readings.empty()) continue;
    bool onlyAdjective = true, masculine = false;
    for (const Reading& r : e.readings) {
      onlyAdjective = onlyAdjective && IsAdjectiveCode(r.code) && (r.code & 0xFF) != 3;
      masculine = masculine || r.lemma == form;
    }
    if (!onlyAdjective || !masculine) continue;
    Reading r;
    r.lemma = form;
    r.code = ModalityCode(ModalityKind::kManner);
    e.readings.push_back(r);
    ++counts["adverb readings of adjectives"];
  }
}

void LexiconAssembly::Finish(const std::function<double(const std::string&, int)>& prior) {
  for (auto& [form, e] : forms_) {
    std::vector<Reading> out;
    std::set<int> curatedClasses;
    const auto closed = tables_.Closed().find(form);
    // A multiword expression the table lists has the function the table
    // gives it and no other: the open data's readings of it are dropped.
    bool onlyCurated = false;
    if (closed != tables_.Closed().end()) {
      out = closed->second;
      for (const Reading& r : out) curatedClasses.insert(RecordClass(r.code));
      onlyCurated = form.find('_') != std::string::npos;
    }
    const auto drop = tables_.Dropped().find(form);
    std::vector<Reading> rest;
    for (const Reading& r : e.readings) {
      const int c = RecordClass(r.code);
      if (onlyCurated || curatedClasses.count(c)) continue;
      if (drop != tables_.Dropped().end() && drop->second.count(c)) continue;
      rest.push_back(r);
      // A performative verb is also read as an ordinary act; the
      // disambiguation picks the performative reading only after "I".
      if (IsVerbCode(r.code) && (r.code & 3) == 3) {
        Reading twin = r;
        twin.code = static_cast<uint16_t>(r.code & ~3);
        rest.push_back(twin);
      }
    }
    std::stable_sort(rest.begin(), rest.end(), [&](const Reading& a, const Reading& b) {
      const int ca = RecordClass(a.code), cb = RecordClass(b.code);
      if (ca != cb) {
        const double pa = prior(form, ca), pb = prior(form, cb);
        if (pa != pb) return pa > pb;
        return ca > cb;  // substantives, determiners and adjectives before verbs when nothing is known
      }
      if (ca == 1) {
        const int ra = VerbRank(a.code), rb = VerbRank(b.code);
        if (ra != rb) return ra < rb;
        return (a.code & 3) != 3 && (b.code & 3) == 3;
      }
      return false;
    });
    for (Reading& r : rest) out.push_back(std::move(r));
    std::vector<Reading> unique;
    for (const Reading& r : out) {
      bool dup = false;
      for (const Reading& u : unique) dup = dup || ((u.code & ~kFundamentalBit) == (r.code & ~kFundamentalBit));
      if (!dup) unique.push_back(r);
    }
    if (unique.size() > 6) unique.resize(6);
    e.readings = std::move(unique);
  }
}

std::map<std::string, std::string> LexiconAssembly::VerbLemmas() const {
  std::map<std::string, std::string> out;
  for (const auto& [form, e] : forms_) {
    for (const Reading& r : e.readings) {
      if (IsVerbCode(r.code) && !r.lemma.empty() && r.lemma.size() <= kMaxForm) {
        out.emplace(form, r.lemma);
        break;
      }
    }
  }
  return out;
}

std::map<std::string, std::string> LexiconAssembly::AdjectiveLemmas() const {
  std::map<std::string, std::string> out;
  for (const auto& [form, e] : forms_) {
    for (const Reading& r : e.readings) {
      if (IsAdjectiveCode(r.code) && (r.code & 0xFF) != 3 && !r.lemma.empty() && r.lemma.size() <= kMaxForm) {
        out.emplace(form, r.lemma);
        break;
      }
    }
  }
  return out;
}

bool ReadThesaurusClasses(const std::string& path, std::map<std::string, std::vector<int>>* classes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::string line, head;
  int pending = 0;
  std::getline(in, line);  // the encoding
  while (std::getline(in, line)) {
    if (pending == 0) {
      const size_t bar = line.find('|');
      if (bar == std::string::npos) continue;
      head = Folded8(line.substr(0, bar));
      std::replace(head.begin(), head.end(), ' ', '_');
      pending = std::atoi(line.c_str() + bar + 1);
      continue;
    }
    --pending;
    int c = 0;
    if (line.rfind("(subst)", 0) == 0) c = 8;
    else if (line.rfind("(adj)", 0) == 0) c = 4;
    else if (line.rfind("(verb)", 0) == 0) c = 1;
    else if (line.rfind("(adv)", 0) == 0) c = 3;
    if (c == 0) continue;
    std::vector<int>& v = (*classes)[head];
    if (std::find(v.begin(), v.end(), c) == v.end()) v.push_back(c);
  }
  return true;
}

}  // namespace malvex::edition
