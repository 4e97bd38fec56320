#include "word_lookup.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "dictionaries/lemma_index.h"
#include "dictionaries/lexicon.h"
#include "dictionaries/noun_lemma_dictionary.h"
#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "foundations/display_form.h"

namespace malvex {

namespace {

// A word as the dictionaries hold it: 8-bit, at most 79 characters, folded
// by the lookups themselves.
struct WordBuffer {
  char text[kMaxWordChars + 1] = {};
  size_t length = 0;

  explicit WordBuffer(const std::string& form8) {
    length = std::min(form8.size(), kMaxWordChars);
    std::memcpy(text, form8.data(), length);
    text[length] = '\0';
  }
};

struct Sense {
  std::string classes[3];  // 8-bit; empty for no class
  std::string lemma;
  uint8_t flags = 0;
};

struct Reading {
  WordCategory category;
  std::string lemma;  // 8-bit
};

std::vector<Sense> SensesOf(SemanticDictionary& semantic, const std::string& form8) {
  WordBuffer word(form8);
  std::vector<Sense> senses;
  const int n = word.length == 0 ? 0 : semantic.AllReadings(word.text);
  for (int i = 0; i < n; ++i) {
    const FoundReading& r = semantic.Reading(i);
    Sense s;
    for (int level = 1; level <= 3; ++level) {
      const int32_t cls = r.path.at(level);
      if (cls != 0) s.classes[level - 1] = semantic.ClassName(level, cls);
    }
    if (r.lemma != 0) {
      const char* name = semantic.nounLemmas().NameOf(r.lemma);
      if (name != nullptr) s.lemma = name;
    }
    s.flags = r.flags;
    senses.push_back(std::move(s));
  }
  return senses;
}

std::string LemmaOf(Engine& engine, const WordCategory& c, const char* folded, const std::vector<Sense>& senses) {
  if (isVerb(c)) {
    LemmaSlots slots = {};
    std::strncpy(slots[0], folded, kLemmaSlotSize - 1);
    return engine.lexicon().VerbLemma(c, slots) ? std::string(slots[0]) : std::string();
  }
  if (isAdjective(c)) {
    LemmaIndex* adjectives = engine.adjectiveLemmas();
    const char* lemma = adjectives != nullptr ? adjectives->LemmaOfForm(folded) : nullptr;
    return lemma != nullptr ? std::string(lemma) : std::string();
  }
  if (isSubstantive(c) && !senses.empty()) return senses[0].lemma;
  return std::string();
}

// The readings of the lexicon, in order, following the ambiguity chain;
// `folded` receives the folded form.
std::vector<Reading> ReadingsOf(Engine& engine, const std::string& form8, const std::vector<Sense>& senses,
                                std::string& folded) {
  Lexicon& lexicon = engine.lexicon();
  std::vector<Reading> readings;
  WordBuffer word(form8);
  for (int k = 0; k < kLexiconReadings && word.length > 0; ++k) {
    if (lexicon.LookupForm(k, word.text, word.length, false, false) < 0) break;
    const uint16_t code = lexicon.code();
    readings.push_back(Reading{lexicon.category(), std::string()});
    if ((code & kCodeAmbiguous) == 0) break;
  }
  folded.assign(word.text, word.length);
  for (Reading& r : readings) r.lemma = LemmaOf(engine, r.category, folded.c_str(), senses);
  return readings;
}

std::string FlagNames(uint8_t flags) {
  static const struct {
    uint8_t bit;
    const char* name;
  } kNames[] = {{kFlagFundamental, "fundamental"},
                {kFlagAuxiliary, "auxiliary"},
                {kFlagAmbiguous, "ambiguous"},
                {kFlagGerund, "gerund"}};
  std::string out = std::to_string(flags);
  std::string names;
  for (const auto& n : kNames) {
    if (flags & n.bit) names += (names.empty() ? "" : ", ") + std::string(n.name);
  }
  return names.empty() ? out : out + " (" + names + ")";
}

std::string SenseFlagNames(uint8_t flags) {
  std::string names = "key " + std::to_string(flags & kSenseKeyLevelMask);
  if (flags & kSenseNeedsCapital) names += ", capital";
  if (flags & kSenseNeedsAllCapitals) names += ", capitals";
  if (flags & kSenseNeedsContext) names += ", context";
  return std::to_string(flags) + " (" + names + ")";
}

// The category label without its leading blanks.
std::string Label(Messages& messages, const WordCategory& c) {
  const std::string label = LongLabel(messages, c, true);
  const size_t start = label.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : label.substr(start);
}

std::string OrDash(const std::string& text8) { return text8.empty() ? "-" : ToUtf8(text8); }

}  // namespace

std::string LookupWord(Engine& engine, const std::string& word, bool tsv) {
  const std::string form8 = FromUtf8(word);
  const std::vector<Sense> senses = SensesOf(engine.semanticDictionary(), form8);
  std::string folded;
  const std::vector<Reading> readings = ReadingsOf(engine, form8, senses, folded);

  std::string out;
  if (tsv) {
    if (readings.empty()) return word + "\t-1\n";
    for (size_t k = 0; k < readings.size(); ++k) {
      const WordCategory& c = readings[k].category;
      out += word + '\t' + std::to_string(k);
      for (const uint8_t field : {c.category, c.subcategory, c.tensePerson, c.modeMark, c.flags}) {
        out += '\t' + std::to_string(field);
      }
      out += '\t' + ToUtf8(readings[k].lemma);
      const bool noun = isSubstantive(c) && !senses.empty();
      for (int level = 0; level < 3; ++level) out += '\t' + (noun ? ToUtf8(senses[0].classes[level]) : "");
      out += '\n';
    }
    return out;
  }

  out = word + '\n';
  if (readings.empty()) out += "  no reading\n";
  for (size_t k = 0; k < readings.size(); ++k) {
    const Reading& r = readings[k];
    out += "  reading " + std::to_string(k) + ": " + ToUtf8(Label(engine.messages(), r.category)) +
           "; lemma: " + OrDash(r.lemma) + "; flags: " + FlagNames(r.category.flags) + '\n';
  }
  for (size_t i = 0; i < senses.size(); ++i) {
    const Sense& s = senses[i];
    out += "  sense " + std::to_string(i + 1) + ": " + OrDash(s.classes[0]) + " / " + OrDash(s.classes[1]) +
           " / " + OrDash(s.classes[2]) + "; noun lemma: " + OrDash(s.lemma) +
           "; flags: " + SenseFlagNames(s.flags) + '\n';
  }
  return out;
}

}  // namespace malvex
