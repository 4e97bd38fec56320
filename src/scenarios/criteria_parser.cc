#include "scenarios/criteria_parser.h"

#include <algorithm>
#include <cstring>

#include "dictionaries/lemma_index.h"
#include "dictionaries/lexicon.h"
#include "foundations/charset.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "scenarios/scenario_layer.h"

namespace malvex {

namespace {

inline constexpr int kMsgOtherMeanings = 687;
inline constexpr int kMsgScenario = 309;
inline constexpr int kMsgInternalError = 451;

// A compound candidate may not reach this length.
inline constexpr size_t kCompoundLimit = 79;

// A "distinction" of a sense: it is told apart from the other senses of its
// form by the form or the context of the word (a capital, all capitals, a
// recent noun of its class), not by a class of its own. A sense with a
// level-1 class only and no such distinction is the catch-all "Other
// meanings" of its form.
inline constexpr uint8_t kSenseDistinction = kSenseNeedsCapital | kSenseNeedsAllCapitals | kSenseNeedsContext;

bool IsBlank(char c) { return static_cast<uint8_t>(c) <= ' '; }

WordCategory SubstantiveCategory() {
  WordCategory c;
  setSubstantive(c);
  return c;
}

std::string Cut(std::string text, size_t n) {
  if (text.size() > n) text.resize(n);
  return text;
}

// A zero-terminated copy of a token for the dictionary lookups, which fold
// their key in place.
struct LookupBuffer {
  char text[TParseCmdCriteres::kTokenChars + 1] = {};
  size_t length = 0;
  explicit LookupBuffer(std::string_view s) {
    length = std::min(s.size(), TParseCmdCriteres::kTokenChars);
    std::memcpy(text, s.data(), length);
    text[length] = '\0';
  }
};

}  // namespace

TParseCmdCriteres::TParseCmdCriteres(const CriteriaParserSources& sources, const CriteriaParserOptions& options)
    : sources_(sources), options_(options) {
  ResetAll();
}

void TParseCmdCriteres::ResetAll() {
  history_.fill(ClassPath{});
  historyPosition_ = 0;
  tokens_.fill(Token{});
  tokenCount_ = 0;
  meanings_.fill(Meaning{});
  meaningCount_ = 0;
  preferred_.fill(0);
  lineCount_ = 0;
  tokenResults_ = 0;
  hasMeanings_.fill(0);
  currentOperator_ = 0;
  lineChecked_ = determinant_ = handledByCategory_ = false;
}

void TParseCmdCriteres::RecordChoice(const ClassPath& classes) {
  history_[historyPosition_] = classes;
  historyPosition_ = (historyPosition_ + 1) % kHistoryRows;
}

bool TParseCmdCriteres::AddResultLine(const std::string&, const ClassPath&, bool, bool, char, const WordCategory&,
                                      const std::string&, int32_t, int) {
  return true;
}

bool TParseCmdCriteres::AcceptMeaning(int32_t, int) { return true; }

bool TParseCmdCriteres::AcceptsMoreLines() const { return true; }

int TParseCmdCriteres::MeaningWeight(int32_t) { return 1; }

// ---- Parse ------------------------------------------------------------------

void TParseCmdCriteres::Parse(std::string_view text) {
  lineCount_ = 0;
  tokenResults_ = 0;
  hasMeanings_.fill(0);
  Tokenize(text);
  if (tokenCount_ == 0) return;
  JoinCompounds();
  for (int slot = 1; slot <= tokenCount_; ++slot) AnalyseToken(slot);
}

// ---- Tokens -----------------------------------------------------------------

void TParseCmdCriteres::RecordOperator(Token& token, char op) {
  // The eighth place takes every operator after the seventh.
  if (token.operatorCount < kOperatorsPerToken) {
    token.operators[token.operatorCount++] = op;
  } else {
    token.operators[kOperatorsPerToken - 1] = op;
  }
  token.op = op;
}

void TParseCmdCriteres::EndToken(int& slot) {
  if (tokens_[slot - 1].length == 0 || slot >= kMaxTokens) return;
  ++slot;
  tokens_[slot - 1].operatorCount = 0;
}

void TParseCmdCriteres::Tokenize(std::string_view text) {
  tokens_.fill(Token{});
  tokenCount_ = 0;
  size_t b = 0;
  size_t e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  // Only the trimmed text is read: what lies after its end would only end
  // the token, which the end of the loop does.
  const std::string_view trimmed = text.substr(b, e - b);

  int slot = 1;
  auto append = [&](char c) {
    Token& t = tokens_[slot - 1];
    // A full last slot takes nothing more.
    if (t.length >= kTokenChars) return;
    t.text[t.length++] = c;
    if (t.length == kTokenChars) EndToken(slot);
  };
  for (const char ch : trimmed) {
    const uint8_t c = static_cast<uint8_t>(ch);
    Token& t = tokens_[slot - 1];
    if (c == '\'' || c == '_') {
      EndToken(slot);
    } else if (c == '+' || c == ',') {
      EndToken(slot);
      RecordOperator(tokens_[slot - 1], ch);
    } else if (c == '-') {
      if (t.operatorCount > 0 || t.length == 0) RecordOperator(t, '-');
      EndToken(slot);
    } else if ((c == '.' || c == ':') && options_.keepDottedForms) {
      append(ch);
    } else if (c == 0x8C || c == 0x9C) {
      append('o');
      append('e');
    } else if (c == 0xC6 || c == 0xE6) {
      append('a');
      append('e');
    } else {
      const uint8_t cls = sources_.tables != nullptr ? CharClass(*sources_.tables, c) : kClassBlank;
      if (cls == kClassLetter || cls == kClassDigit) {
        append(ch);
      } else if (cls == kClassJoiner) {
        if (t.length > 0) append(ch);
      } else {
        EndToken(slot);
      }
    }
  }
  tokenCount_ = tokens_[slot - 1].length > 0 ? slot : slot - 1;
  if (tokens_[0].length == 0) tokenCount_ = 0;
}

bool TParseCmdCriteres::KnownToLexicon(const std::string& candidate, bool& prefix) {
  prefix = false;
  if (sources_.lexicon == nullptr || !sources_.lexicon->Ready()) return false;
  LookupBuffer buffer(candidate);
  const bool known = sources_.lexicon->LookupForm(0, buffer.text, buffer.length, false, false) >= 0;
  prefix = sources_.lexicon->reached();
  return known;
}

void TParseCmdCriteres::JoinCompounds() {
  for (int i = 1; i <= tokenCount_; ++i) {
    Token& first = tokens_[i - 1];
    if (first.length == 0) continue;
    std::string candidate(first.text, first.length);
    std::string best;
    int bestEnd = 0;
    for (int j = i + 1; j <= tokenCount_; ++j) {
      const Token& next = tokens_[j - 1];
      if (next.op == ',' || next.op == '+') break;
      if (candidate.size() + 1 + next.length >= kCompoundLimit) break;
      candidate += '_';
      candidate.append(next.text, next.length);
      for (size_t k = 1; k < candidate.size(); ++k) {
        if (candidate[k] == '-') candidate[k] = '_';
      }
      bool prefix = false;
      if (KnownToLexicon(candidate, prefix)) {
        best = candidate;
        bestEnd = j;
        continue;
      }
      for (size_t k = 1; k < candidate.size(); ++k) {
        if (candidate[k] == '_') candidate[k] = '-';
      }
      bool hyphenPrefix = false;
      if (KnownToLexicon(candidate, hyphenPrefix)) {
        best = candidate;
        bestEnd = j;
        continue;
      }
      // No stored word begins with the candidate in either spelling: no
      // longer candidate can be one.
      if (!prefix && !hyphenPrefix) break;
    }
    if (bestEnd == 0) continue;
    std::memset(first.text, 0, sizeof first.text);
    first.length = std::min(best.size(), kTokenChars);
    std::memcpy(first.text, best.data(), first.length);
    for (int k = i + 1; k <= bestEnd; ++k) tokens_[k - 1] = Token{};
  }
}

// ---- Analysis -----------------------------------------------------------------

std::string TParseCmdCriteres::ClassName(int level, int32_t cls) const {
  if (sources_.semantic == nullptr || cls == 0) return std::string();
  return sources_.semantic->ClassName(level, cls);
}

bool TParseCmdCriteres::Offer(const std::string& display, const ClassPath& classes, bool disabled, bool checked,
                              const WordCategory& category, const std::string& item, int32_t reference, int kind) {
  return AddResultLine(display, classes, disabled, checked, currentOperator_, category, Cut(item, kItemChars),
                       reference, kind);
}

void TParseCmdCriteres::AnalyseToken(int slot) {
  handledByCategory_ = lineChecked_ = determinant_ = false;
  if (tokenResults_ < static_cast<int>(hasMeanings_.size())) hasMeanings_[tokenResults_] = 0;
  const Token& t = tokens_[slot - 1];
  currentOperator_ = t.op;
  // Once the lines have no room left, every line of the token would be
  // refused: it is not looked up.
  if (t.length == 0 || !AcceptsMoreLines()) return;
  const std::string typed(t.text, t.length);
  std::string folded = typed;
  FoldToLower(folded);

  if (sources_.scenario != nullptr && sources_.scenario->GroupCount() > 0) {
    if (!ListGroups(typed, folded)) return;
  }
  if (!ListCategories(typed, folded)) return;

  const bool meanings = HasMeanings(folded);
  if (meanings) {
    hasMeanings_[tokenResults_] = 1;
    if (!ListMeanings(folded, !determinant_)) return;
  } else if (handledByCategory_) {
    return;
  } else {
    const bool checked = !determinant_ && !lineChecked_;
    if (!Offer(typed + " = " + folded, ClassPath{}, false, checked, SubstantiveCategory(), folded, 0, kKindLevel1)) {
      return;
    }
  }
  if (tokenResults_ < kMaxTokenResults) ++tokenResults_;
}

int TParseCmdCriteres::CollectMeanings(const std::string& folded) {
  meaningCount_ = 0;
  if (sources_.semantic == nullptr || !sources_.semantic->Ok()) return 0;
  LookupBuffer buffer(folded);
  const int n = std::min(sources_.semantic->AllReadings(buffer.text), kMaxMeanings);
  for (int i = 0; i < n; ++i) {
    const FoundReading& r = sources_.semantic->Reading(i);
    if (r.path.at(1) != 0 && !AcceptMeaning(r.path.at(1), 1)) continue;
    Meaning& m = meanings_[meaningCount_++];
    m.path = r.path;
    m.path.at(kScenarioLevel) = 0;
    m.flags = r.flags;
  }
  return meaningCount_;
}

bool TParseCmdCriteres::ListGroups(const std::string& typed, const std::string& folded) {
  ScenarioLayer& layer = *sources_.scenario;
  int32_t group = layer.WordGroup(folded.c_str());
  if (group == 0) {
    uint32_t lemma = 0;
    if (!layer.GroupOfNounLemma(folded, lemma, group)) group = 0;
  }
  if (group != 0) {
    if (!layer.GroupIsActive(group)) return true;
    const std::string label = ClassName(kScenarioLevel, group);
    ClassPath classes;
    classes.at(kScenarioLevel) = group;
    const bool checked = !lineChecked_;
    if (checked) lineChecked_ = true;
    return Offer(typed + " = " + label, classes, false, checked, SubstantiveCategory(), label, group, kKindGroup);
  }

  CollectMeanings(folded);
  for (int i = 0; i < meaningCount_; ++i) {
    Meaning& m = meanings_[i];
    for (int level = 1; level <= 3; ++level) {
      if (m.path.at(level) == 0) continue;
      const int32_t g = layer.GroupOfClass(level, m.path.at(level));
      if (g == 0) continue;
      if (layer.GroupIsActive(g)) m.path.at(kScenarioLevel) = g;
      break;
    }
  }
  OrderByPreference(true);
  for (int i = 0; i < meaningCount_; ++i) {
    const Meaning& m = meanings_[i];
    const int32_t g = m.path.at(kScenarioLevel);
    if (g == 0) continue;
    const std::string label = ClassName(kScenarioLevel, g);
    const bool checked = preferred_[i] != 0 && !lineChecked_;
    if (checked) lineChecked_ = true;
    if (!Offer(typed + " = " + label, m.path, false, checked, SubstantiveCategory(), label, g, kKindGroup)) {
      return false;
    }
  }
  return true;
}

bool TParseCmdCriteres::OfferCategoryLine(const std::string& typed, const std::string& folded,
                                          const WordCategory& category) {
  const bool pickable = isVerb(category) || isAdjective(category);
  std::string lemma;
  if (isVerb(category)) {
    if (sources_.lexicon == nullptr) return true;
    LemmaSlots slots = {};
    std::strncpy(slots[0], folded.c_str(), kLemmaSlotSize - 1);
    if (!sources_.lexicon->VerbLemma(category, slots)) return true;
    lemma = slots[0];
  } else if (isAdjective(category)) {
    const char* found = sources_.adjectiveLemmas != nullptr ? sources_.adjectiveLemmas->LemmaOfForm(folded) : nullptr;
    if (found != nullptr) {
      lemma = found;
    } else if (isNumeral(category) && !folded.empty() && IsDigit(static_cast<uint8_t>(folded[0]))) {
      // A number is its own lemma.
      lemma = folded;
    } else {
      return true;
    }
    if (lemma.empty()) return true;
  }
  std::string label = ShortLabel(*sources_.messages, category);  // " (Verb)"
  std::string display = typed + label + " ";
  if (!lemma.empty()) {
    label.pop_back();
    display = typed + label + " \"" + lemma + "\")";
  }
  return Offer(display, ClassPath{}, !pickable, false, category, pickable ? lemma : folded, 0, kKindWord);
}

bool TParseCmdCriteres::ListCategories(const std::string& typed, const std::string& folded) {
  Lexicon* lexicon = sources_.lexicon;
  if (lexicon == nullptr || !lexicon->Ready()) return true;
  LookupBuffer buffer(folded);
  if (lexicon->Lookup(0, buffer.text, buffer.length) < 0) {
    const size_t n = folded.size();
    const bool number = n > 0 && IsDigit(static_cast<uint8_t>(folded[0])) &&
                        (n < 2 || IsDigit(static_cast<uint8_t>(folded[1]))) &&
                        IsDigit(static_cast<uint8_t>(folded[n - 1]));
    if (!number) return true;
    handledByCategory_ = true;
    if (options_.keepDottedForms) {
      // A dotted number (3.5, 12:30) is shown as it is, as a word.
      return Offer(typed + " = " + folded, ClassPath{}, true, true, SubstantiveCategory(), folded, 0, kKindWord);
    }
    WordCategory numeral;
    setNumeralAdjective(numeral);
    return OfferCategoryLine(typed, folded, numeral);
  }
  // Reading 0 is found; the others follow while the code says a further
  // reading exists, and never past the last reading the lexicon holds.
  for (int reading = 0; reading < kLexiconReadingsAsked; ++reading) {
    if (reading > 0) {
      LookupBuffer again(folded);
      if (lexicon->Lookup(reading, again.text, again.length) < 0) break;
    }
    const WordCategory category = lexicon->category();
    const uint16_t code = lexicon->code();
    if (isSubstantive(category) || isUndetermined(category)) return true;
    if (isPronoun(category) || isDeterminant(category) || isDeterminantKind1(category)) determinant_ = true;
    if (!OfferCategoryLine(typed, folded, category)) return false;
    if ((code & kCodeAmbiguous) == 0) break;
  }
  handledByCategory_ = true;
  return true;
}

bool TParseCmdCriteres::HasMeanings(const std::string& folded) {
  SemanticDictionary* semantic = sources_.semantic;
  if (semantic == nullptr || !semantic->Ok()) return false;
  int level = 0;
  int32_t cls = 0;
  if (semantic->FindClassByName(folded.c_str(), level, cls)) return true;
  LookupBuffer buffer(folded);
  const int n = semantic->AllReadings(buffer.text);
  for (int i = 0; i < n; ++i) {
    const int32_t first = semantic->Reading(i).path.at(1);
    if (first != 0 && !semantic->ClassAddedDuringRun(1, first)) return true;
  }
  return false;
}

int TParseCmdCriteres::HistoryDistance(int level, int32_t cls) const {
  for (int d = 0; d < kHistoryRows; ++d) {
    const int row = ((historyPosition_ - 1 - d) % kHistoryRows + kHistoryRows) % kHistoryRows;
    if (history_[row].at(level) == cls) return d;
  }
  return -1;
}

void TParseCmdCriteres::OrderByPreference(bool groupRule) {
  preferred_.fill(0);
  if (meaningCount_ == 0) return;
  const int last = groupRule ? kScenarioLevel : 3;
  for (int level = 1; level <= last; ++level) {
    int best = -1;
    int bestDistance = kHistoryRows;
    for (int i = 0; i < meaningCount_; ++i) {
      const int32_t cls = meanings_[i].path.at(level);
      if (cls == 0) continue;
      const int d = HistoryDistance(level, cls);
      if (d >= 0 && d <= bestDistance) {
        best = i;
        bestDistance = d;
      }
    }
    if (best >= 0) {
      std::swap(meanings_[0], meanings_[best]);
      preferred_[0] = 1;
      return;
    }
  }
  if (!groupRule) {
    preferred_[0] = 1;
    return;
  }
  int best = -1;
  int bestWeight = 0;
  for (int i = 0; i < meaningCount_; ++i) {
    const int32_t g = meanings_[i].path.at(kScenarioLevel);
    if (g == 0) continue;
    const int w = MeaningWeight(g);
    if (best < 0 || w > bestWeight) {
      best = i;
      bestWeight = w;
    }
  }
  if (best >= 0) {
    std::swap(meanings_[0], meanings_[best]);
    preferred_[0] = 1;
  }
}

bool TParseCmdCriteres::ListMeanings(const std::string& text, bool offerChecks) {
  std::string folded = text;
  FoldToLower(folded);
  const WordCategory substantive = SubstantiveCategory();
  if (CollectMeanings(folded) == 0) {
    return Offer(folded + " = " + folded, ClassPath{}, false, !determinant_, substantive, folded, 0, kKindWord);
  }
  OrderByPreference(false);
  int added = 0;
  for (int j = 0; j < meaningCount_; ++j) {
    const Meaning& m = meanings_[j];
    bool repeated = false;
    for (int k = 0; k < j && !repeated; ++k) {
      const ClassPath& p = meanings_[k].path;
      repeated = p.at(1) == m.path.at(1) && p.at(2) == m.path.at(2) && p.at(3) == m.path.at(3);
    }
    if (repeated) continue;
    for (int level = 1; level <= 3; ++level) {
      const int32_t cls = m.path.at(level);
      if (cls == 0) continue;
      const std::string name = ClassName(level, cls);
      std::string display = level == 1 ? folded + " = " + name : "> " + name;
      if (level < 3 && m.path.at(level + 1) != 0) {
        display += " (" + ClassName(level + 1, m.path.at(level + 1)) + ") ";
      } else if (level == 1 && added > 0 && (m.flags & kSenseDistinction) == 0) {
        display += " (" + sources_.messages->message(kMsgOtherMeanings) + ") ";
      }
      const bool checked = preferred_[j] != 0 && level == 1 && offerChecks && !lineChecked_;
      if (checked) lineChecked_ = true;
      ClassPath classes = m.path;
      classes.at(kScenarioLevel) = 0;
      if (!Offer(display, classes, false, checked, substantive, name, 0, level)) return false;
      ++added;
    }
  }
  if (added == 0) return Offer(folded, ClassPath{}, false, false, substantive, folded, 0, kKindWord);
  return true;
}

// ---- TScenParser ------------------------------------------------------------------

void TScenParser::ParseText(std::string_view text) {
  lines_.clear();
  if (checkList_ != nullptr) checkList_->Clear();
  Parse(text);
}

bool TScenParser::Store(CriteriaLine line) {
  // Every line, the extra group line of a verb or an adjective included,
  // counts against the table's size.
  if (static_cast<int>(lines_.size()) >= kMaxLines) return false;
  std::string shown = line.display;
  if (line.kind == kKindGroup) shown += " (" + sources_.messages->message(kMsgScenario) + ")";
  if (checkList_ != nullptr && !checkList_->Add(shown, line.checked, line.disabled)) {
    sources_.messages->errorBox(sources_.messages->message(kMsgInternalError));
    return false;
  }
  lines_.push_back(std::move(line));
  CountLine();
  return true;
}

bool TScenParser::AddResultLine(const std::string& display, const ClassPath& classes, bool disabled, bool checked,
                                char op, const WordCategory& category, const std::string& item, int32_t reference,
                                int kind) {
  CriteriaLine line;
  line.item = item.size() > kItemChars ? item.substr(0, kItemChars) : item;
  line.display = display;
  line.op = op;
  if (line.op == 0 || line.op == ' ') line.op = options_.explicitOperators ? '+' : ' ';
  if (kind > 0) line.classes = classes;
  line.kind = kind;
  line.reference = reference;
  line.category = category;
  line.checked = checked;
  line.disabled = disabled && !line.IsVerbOrAdjective();
  const bool verbOrAdjective = line.IsVerbOrAdjective();
  const std::string first = line.display;
  const std::string lemma = line.item;
  if (!Store(std::move(line))) return false;

  if (!verbOrAdjective || sources_.scenario == nullptr) return true;
  LemmaIndex* index = isVerb(category) ? sources_.verbLemmas : sources_.adjectiveLemmas;
  if (index == nullptr) return true;
  const uint32_t number = index->LemmaNumberOfLemma(lemma);
  const uint32_t group = number != 0 ? index->GroupOf(number) : 0;
  if (group == 0 || sources_.semantic == nullptr) return true;
  CriteriaLine extra;
  extra.item = Cut(sources_.semantic->ClassName(kScenarioLevel, static_cast<int32_t>(group)), kItemChars);
  extra.display = first + " = " + extra.item;
  extra.kind = kKindGroup;
  extra.reference = static_cast<int32_t>(group);
  extra.classes.at(kScenarioLevel) = static_cast<int32_t>(group);
  extra.category = SubstantiveCategory();
  extra.op = op == 0 || op == ' ' ? (options_.explicitOperators ? '+' : ' ') : op;
  return Store(std::move(extra));
}

}  // namespace malvex
