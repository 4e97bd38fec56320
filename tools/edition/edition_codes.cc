#include "edition_codes.h"

#include <array>
#include <cstring>

namespace malvex::edition {

namespace {

constexpr uint16_t kVerbClass = 0x0100;
constexpr uint16_t kConnectorClass = 0x0200;
constexpr uint16_t kModalityClass = 0x0300;
constexpr uint16_t kAdjectiveClass = 0x0400;
constexpr uint16_t kPronounClass = 0x0500;
constexpr uint16_t kDeterminantClass = 0x0600;
// Class field 7 decodes to a substantive; field 0 would make a plain
// substantive's code 0, which means "no entry".
constexpr uint16_t kSubstantiveClass = 0x0700;

// The stored detail of a connector subclass: the dictionary numbers the
// first six subclasses in another order than the record.
constexpr std::array<uint8_t, 11> kConnectorDetail = {0, 1, 4, 2, 3, 6, 5, 7, 8, 9, 10};

template <typename E>
struct Name {
  const char* text;
  E value;
};

constexpr Name<VerbKind> kVerbKinds[] = {
    {"factive", VerbKind::kFactive}, {"stative", VerbKind::kStative},
    {"reflexive", VerbKind::kReflexive}, {"performative", VerbKind::kPerformative}};
constexpr Name<Tense> kTenses[] = {
    {"present", Tense::kPresent}, {"past", Tense::kPast}, {"future", Tense::kFuture}, {"other", Tense::kOther}};
constexpr Name<Mode> kModes[] = {
    {"indicative", Mode::kIndicative}, {"conditional", Mode::kConditional},
    {"subjunctive", Mode::kSubjunctive}, {"participle", Mode::kParticiple},
    {"infinitive", Mode::kInfinitive}, {"other", Mode::kOther}};
constexpr Name<ConnectorKind> kConnectorKinds[] = {
    {"none", ConnectorKind::kNone}, {"condition", ConnectorKind::kCondition},
    {"cause", ConnectorKind::kCause}, {"goal", ConnectorKind::kGoal},
    {"addition", ConnectorKind::kAddition}, {"disjunction", ConnectorKind::kDisjunction},
    {"opposition", ConnectorKind::kOpposition}, {"comparison", ConnectorKind::kComparison},
    {"time", ConnectorKind::kTime}, {"place", ConnectorKind::kPlace}, {"manner", ConnectorKind::kManner}};
constexpr Name<ModalityKind> kModalityKinds[] = {
    {"none", ModalityKind::kNone}, {"time", ModalityKind::kTime}, {"place", ModalityKind::kPlace},
    {"manner", ModalityKind::kManner}, {"assertion", ModalityKind::kAssertion},
    {"doubt", ModalityKind::kDoubt}, {"negation", ModalityKind::kNegation},
    {"intensity", ModalityKind::kIntensity}};
constexpr Name<AdjectiveKind> kAdjectiveKinds[] = {
    {"objective", AdjectiveKind::kObjective}, {"subjective", AdjectiveKind::kSubjective},
    {"numeral", AdjectiveKind::kNumeral}, {"others", AdjectiveKind::kOthers}};
constexpr Name<PronounKind> kPronounKinds[] = {
    {"none", PronounKind::kNone}, {"relative", PronounKind::kRelative},
    {"possessive", PronounKind::kPossessive}, {"personal", PronounKind::kPersonal},
    {"deixis", PronounKind::kDeixis}, {"others", PronounKind::kOthers}};

template <typename E, size_t N>
bool Lookup(const Name<E> (&names)[N], std::string_view text, E* value) {
  for (const auto& n : names) {
    if (text == n.text) {
      *value = n.value;
      return true;
    }
  }
  return false;
}

template <typename E, size_t N>
const char* NameOf(const Name<E> (&names)[N], E value) {
  for (const auto& n : names) {
    if (n.value == value) return n.text;
  }
  return "?";
}

std::vector<std::string_view> Split(std::string_view text, char sep) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (true) {
    const size_t end = text.find(sep, start);
    parts.push_back(text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  return parts;
}

// Splits "lemma<a><b>" into the lemma and its tags.
void SplitAnalysis(std::string_view analysis, std::string_view* lemma, std::vector<std::string_view>* tags) {
  const size_t open = analysis.find('<');
  *lemma = analysis.substr(0, open);
  tags->clear();
  size_t pos = open;
  while (pos != std::string_view::npos && pos < analysis.size()) {
    const size_t close = analysis.find('>', pos);
    if (close == std::string_view::npos) break;
    tags->push_back(analysis.substr(pos + 1, close - pos - 1));
    pos = analysis.find('<', close);
  }
}

bool HasTag(const std::vector<std::string_view>& tags, std::string_view tag) {
  for (const auto t : tags) {
    if (t == tag) return true;
  }
  return false;
}

int PersonOf(const std::vector<std::string_view>& tags) {
  const bool plural = HasTag(tags, "pl");
  if (HasTag(tags, "p1")) return plural ? 4 : 1;
  if (HasTag(tags, "p2")) return plural ? 5 : 2;
  if (HasTag(tags, "p3")) return plural ? 6 : 3;
  return 0;
}

// Person of a possessive from its lemma ("al meu" ... "al lor").
int PossessivePerson(std::string_view lemma) {
  struct P {
    const char* tail;
    int person;
  };
  static constexpr P kTails[] = {{"meu", 1}, {"t\xE3u", 2}, {"s\xE3u", 3}, {"lui", 3},
                                 {"nostru", 4}, {"vostru", 5}, {"lor", 6}};
  for (const auto& p : kTails) {
    const size_t n = std::strlen(p.tail);
    if (lemma.size() >= n && lemma.substr(lemma.size() - n) == p.tail) return p.person;
  }
  return 0;
}

}  // namespace

uint16_t VerbCode(VerbKind kind, Tense tense, Mode mode, bool auxiliary) {
  uint16_t d = static_cast<uint16_t>(static_cast<int>(kind) - 1);
  d |= static_cast<uint16_t>((static_cast<int>(tense) - 1) << 2);
  switch (mode) {
    case Mode::kIndicative: break;
    case Mode::kConditional: d |= 0x10; break;
    case Mode::kSubjunctive: d |= 0x20; break;
    case Mode::kOther: d |= 0x30; break;
    case Mode::kParticiple: d |= 0x40; break;
    case Mode::kInfinitive: d |= 0x70; break;
  }
  if (auxiliary) d |= 0x80;
  return kVerbClass | d;
}

uint16_t ConnectorCode(ConnectorKind kind) {
  return kConnectorClass | kConnectorDetail[static_cast<size_t>(kind)];
}

uint16_t ModalityCode(ModalityKind kind) { return kModalityClass | static_cast<uint16_t>(kind); }

uint16_t AdjectiveCode(AdjectiveKind kind) { return kAdjectiveClass | static_cast<uint16_t>(kind); }

uint16_t PronounCode(PronounKind kind, int person) {
  if (person < 0 || person > 7) person = 0;
  return kPronounClass | static_cast<uint16_t>(person << 4) | static_cast<uint16_t>(kind);
}

uint16_t PrepositionCode(bool announcesGerund) {
  return announcesGerund ? (kDeterminantClass | kDeterminantSubMarkBit) : kDeterminantClass;
}
uint16_t DeterminerCode() { return kDeterminantClass | 1; }

uint16_t SubstantiveCode(NounMark mark) {
  switch (mark) {
    case NounMark::kAbbreviation: return kSubstantiveClass | 0x10;
    case NounMark::kName: return kSubstantiveClass | 0x40;
    case NounMark::kNone: break;
  }
  return kSubstantiveClass;
}

int RecordClass(uint16_t code) {
  const int k = (code >> 8) & 0x0F;
  if (k >= 1 && k <= 5) return k;
  if (k == 6) return (code & 0xFF) == 1 ? 7 : 6;
  if (k == 8) return 9;
  return 8;
}

bool IsVerbCode(uint16_t code) { return ((code >> 8) & 0x0F) == 1; }
bool IsAdjectiveCode(uint16_t code) { return ((code >> 8) & 0x0F) == 4; }
bool IsAuxiliaryCode(uint16_t code) { return IsVerbCode(code) && (code & 0x80) != 0; }

bool ParseReading(std::string_view text, uint16_t* code, std::string* lemma) {
  std::string_view body = text;
  std::string_view lem;
  const size_t at = text.find('@');
  if (at != std::string_view::npos) {
    body = text.substr(0, at);
    lem = text.substr(at + 1);
  }
  const std::vector<std::string_view> f = Split(body, ':');
  uint16_t c = 0;
  const std::string_view kind = f[0];
  if (kind == "verb") {
    VerbKind v;
    Tense t;
    Mode m;
    if (f.size() < 4 || f.size() > 5 || !Lookup(kVerbKinds, f[1], &v) || !Lookup(kTenses, f[2], &t) ||
        !Lookup(kModes, f[3], &m)) {
      return false;
    }
    if (f.size() == 5 && f[4] != "aux") return false;
    c = VerbCode(v, t, m, f.size() == 5);
  } else if (kind == "conn") {
    ConnectorKind k;
    if (f.size() != 2 || !Lookup(kConnectorKinds, f[1], &k)) return false;
    c = ConnectorCode(k);
  } else if (kind == "mod") {
    ModalityKind k;
    if (f.size() != 2 || !Lookup(kModalityKinds, f[1], &k)) return false;
    c = ModalityCode(k);
  } else if (kind == "adj") {
    AdjectiveKind k;
    if (f.size() != 2 || !Lookup(kAdjectiveKinds, f[1], &k)) return false;
    c = AdjectiveCode(k);
  } else if (kind == "pron") {
    PronounKind k;
    if (f.size() != 3 || !Lookup(kPronounKinds, f[1], &k) || f[2].size() != 1 || f[2][0] < '0' ||
        f[2][0] > '7') {
      return false;
    }
    c = PronounCode(k, f[2][0] - '0');
  } else if (kind == "prep" && f.size() == 1) {
    c = PrepositionCode();
  } else if (kind == "prep" && f.size() == 2 && f[1] == "gerund") {
    c = PrepositionCode(true);
  } else if (kind == "det" && f.size() == 1) {
    c = DeterminerCode();
  } else if (kind == "noun") {
    if (f.size() == 1) {
      c = SubstantiveCode(NounMark::kNone);
    } else if (f.size() == 2 && f[1] == "abbr") {
      c = SubstantiveCode(NounMark::kAbbreviation);
    } else if (f.size() == 2 && f[1] == "name") {
      c = SubstantiveCode(NounMark::kName);
    } else {
      return false;
    }
  } else {
    return false;
  }
  *code = c;
  if (lemma) lemma->assign(lem);
  return true;
}

std::string DescribeCode(uint16_t code) {
  const int d = code & 0xFF;
  std::string s;
  switch (RecordClass(code)) {
    case 1: {
      s = "verb:";
      s += NameOf(kVerbKinds, static_cast<VerbKind>((d & 3) + 1));
      s += ':';
      s += NameOf(kTenses, static_cast<Tense>(((d >> 2) & 3) + 1));
      s += ':';
      Mode m = Mode::kIndicative;
      const int b54 = (d >> 4) & 3;
      if ((d & 0x40) && b54 == 3) m = Mode::kInfinitive;
      else if (d & 0x40) m = Mode::kParticiple;
      else if (b54 == 3) m = Mode::kOther;
      else if (b54 == 1) m = Mode::kConditional;
      else if (b54 == 2) m = Mode::kSubjunctive;
      s += NameOf(kModes, m);
      if (d & 0x80) s += ":aux";
      break;
    }
    case 2: {
      ConnectorKind k = ConnectorKind::kNone;
      for (size_t i = 1; i < kConnectorDetail.size(); ++i) {
        if (kConnectorDetail[i] == d) k = static_cast<ConnectorKind>(i);
      }
      s = std::string("conn:") + NameOf(kConnectorKinds, k);
      break;
    }
    case 3:
      s = std::string("mod:") + (d <= 7 ? NameOf(kModalityKinds, static_cast<ModalityKind>(d)) : "none");
      break;
    case 4:
      s = std::string("adj:") + NameOf(kAdjectiveKinds, static_cast<AdjectiveKind>(d >= 1 && d <= 3 ? d : 4));
      break;
    case 5: {
      const int k = d & 0x0F;
      s = std::string("pron:") + (k <= 5 ? NameOf(kPronounKinds, static_cast<PronounKind>(k)) : "none") + ':' +
          static_cast<char>('0' + ((d >> 4) & 7));
      break;
    }
    case 6: s = (code & kDeterminantSubMarkBit) ? "prep:gerund" : "prep"; break;
    case 7: s = "det"; break;
    case 9: s = "undetermined"; break;
    default:
      s = (d & 0x10) ? "noun:abbr" : (d & 0x40) ? "noun:name" : "noun";
      break;
  }
  return s;
}

bool VerbTagTenseMode(std::string_view tag, Tense* tense, Mode* mode) {
  struct Row {
    const char* tag;
    Tense tense;
    Mode mode;
  };
  // The tense and mode grid of the analyser's verb tags. The pluperfect
  // and the simple past count as past indicative, the imperative as a
  // present of the other modes, the gerund as the present participle.
  static constexpr Row kGrid[] = {
      {"pri", Tense::kPresent, Mode::kIndicative},  {"pii", Tense::kPast, Mode::kIndicative},
      {"pper", Tense::kPast, Mode::kIndicative},    {"ps", Tense::kPast, Mode::kIndicative},
      {"prs", Tense::kPresent, Mode::kSubjunctive}, {"imp", Tense::kPresent, Mode::kOther},
      {"inf", Tense::kPresent, Mode::kInfinitive},  {"pp", Tense::kPast, Mode::kParticiple},
      {"ger", Tense::kPresent, Mode::kParticiple},  {"cni", Tense::kPresent, Mode::kConditional},
      {"fti", Tense::kFuture, Mode::kIndicative},
  };
  for (const Row& r : kGrid) {
    if (tag == r.tag) {
      *tense = r.tense;
      *mode = r.mode;
      return true;
    }
  }
  return false;
}

bool MapAnalysis(std::string_view analysis, const LemmaClasses& classes, Reading* reading) {
  std::string_view lemma;
  std::vector<std::string_view> tags;
  SplitAnalysis(analysis, &lemma, &tags);
  if (lemma.empty() || tags.empty()) return false;
  const std::string_view pos = tags[0];
  reading->lemma.assign(lemma);
  if (pos == "vblex" || pos == "vbser" || pos == "vbavea" || pos == "vaux" || pos == "vbmod") {
    Tense tense = Tense::kPresent;
    Mode mode = Mode::kIndicative;
    bool found = false;
    for (size_t i = 1; i < tags.size() && !found; ++i) found = VerbTagTenseMode(tags[i], &tense, &mode);
    if (!found) return false;
    // A lexical verb's future and conditional forms are its infinitive
    // after the auxiliary (voi merge, aș merge): the auxiliary carries the
    // tense, the infinitive reading is enough.
    if (pos == "vblex" && (mode == Mode::kConditional || tense == Tense::kFuture)) return false;
    bool aux = false;
    const bool fin = mode == Mode::kIndicative && tense == Tense::kPresent;
    if (pos == "vbavea") {
      // am, ai, a, ați, au before a participle; aș, ai, ar... of the conditional.
      aux = fin || mode == Mode::kConditional;
    } else if (pos == "vaux") {
      // voi, vei, va, vom, veți, vor: the future.
      if (fin) tense = Tense::kFuture;
      aux = fin || tense == Tense::kFuture;
    } else if (pos == "vbser") {
      aux = fin || mode == Mode::kInfinitive || mode == Mode::kParticiple;
    }
    if (mode == Mode::kConditional || (tense == Tense::kFuture && pos != "vblex")) aux = true;
    reading->code = VerbCode(classes.VerbKindOf(lemma), tense, mode, aux);
    return true;
  }
  if (pos == "n") {
    reading->code = SubstantiveCode(NounMark::kNone);
    return true;
  }
  if (pos == "np") {
    reading->code = SubstantiveCode(NounMark::kName);
    return true;
  }
  if (pos == "adj" && HasTag(tags, "pos")) {
    reading->code = PronounCode(PronounKind::kPossessive, PossessivePerson(lemma));
    return true;
  }
  if (pos == "adj") {
    reading->code = AdjectiveCode(classes.IsEvaluative(lemma) ? AdjectiveKind::kSubjective : AdjectiveKind::kObjective);
    return true;
  }
  if (pos == "num") {
    reading->code = AdjectiveCode(AdjectiveKind::kNumeral);
    return true;
  }
  if (pos == "adv" || pos == "preadv") {
    ModalityKind k = classes.AdverbKindOf(lemma);
    if (k == ModalityKind::kNone) k = pos == "preadv" ? ModalityKind::kIntensity : ModalityKind::kManner;
    reading->code = ModalityCode(k);
    return true;
  }
  if (pos == "cnjcoo" || pos == "cnjsub" || pos == "cnjadv") {
    reading->code = ConnectorCode(pos == "cnjcoo" ? ConnectorKind::kAddition : ConnectorKind::kNone);
    return true;
  }
  if (pos == "pr") {
    reading->code = PrepositionCode();
    return true;
  }
  if (pos == "det" || pos == "predet") {
    reading->code = DeterminerCode();
    return true;
  }
  if (pos == "rel") {
    if (HasTag(tags, "adv")) {
      // când, unde, care used as adverbs: connectors of time, place, manner.
      ConnectorKind k = ConnectorKind::kNone;
      if (lemma == "c\xE2nd") k = ConnectorKind::kTime;
      else if (lemma == "unde") k = ConnectorKind::kPlace;
      reading->code = ConnectorCode(k);
      return true;
    }
    reading->code = PronounCode(PronounKind::kRelative, 0);
    return true;
  }
  if (pos == "prn") {
    if (HasTag(tags, "pos")) {
      reading->code = PronounCode(PronounKind::kPossessive, PossessivePerson(lemma));
      return true;
    }
    if (HasTag(tags, "itg")) {
      reading->code = PronounCode(PronounKind::kRelative, 0);
      return true;
    }
    int person = PersonOf(tags);
    if (HasTag(tags, "ref")) person = 3;
    if (person == 0) {
      reading->code = PronounCode(PronounKind::kOthers, 0);
      return true;
    }
    const PronounKind k = (person == 1 || person == 2) ? PronounKind::kDeixis : PronounKind::kPersonal;
    reading->code = PronounCode(k, person);
    return true;
  }
  if (pos == "ij") {
    reading->code = ModalityCode(ModalityKind::kNone);
    return true;
  }
  return false;
}

}  // namespace malvex::edition
