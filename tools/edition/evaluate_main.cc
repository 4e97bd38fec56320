// evaluate: measures the Romanian edition and the reading pass on a
// treebank in CoNLL-U form.
//
//   evaluate [--install DIR] [--errors N] FILE.conllu
//
// The sentences of the treebank go through Malvex's reading pass (the
// engine of the installation DIR, by default the build this program
// belongs to, as malvex-cli --tagged runs it); the stored words are aligned
// with the treebank's tokens and the program prints:
//   - coverage: the share of non-punctuation, non-proper tokens whose word
//     the lexicon knows (numbers written in digits count as known: the
//     reader reads them as numerals);
//   - gold among readings: the share of those whose treebank part of
//     speech, mapped to Malvex's word classes, is among the word's readings;
//   - class accuracy: the share of non-punctuation tokens whose chosen word
//     class after disambiguation is one of the gold part of speech's classes
//     (a word not yet classified counts as a substantive; the tokens merged
//     into one compound, joined by '_' or by a hyphen, share its verdict,
//     right when any of them fits or, when the compound holds a fixed
//     expression of the treebank, when the expression's function fits:
//     adverb, conjunction, preposition, adjective or determiner, read from
//     the relation of its head word);
//   - verb and adjective lemma accuracy: the share of VERB (ADJ) tokens
//     whose lemma in the verb (adjective) lemma index, as the engine finds
//     it, is the treebank's lemma;
//   - ambiguity: the share of known tokens with several readings;
//   - nouns with a sense: the share of NOUN tokens whose word has senses in
//     the semantic dictionary;
//   - noun domain plausible: among the NOUN tokens with a sense whose lemma
//     the table of common nouns (--domains, by default the source tree's
//     tools/edition/measure/noun_domains.tsv) lists, the share whose first
//     sense has one of the domains (level 3) the table accepts.
// With --errors N the N most frequent errors of each kind follow. With
// --tokens FILE every measured token is written to FILE, one a line: the
// sentence number, the form, the treebank's part of speech, the chosen
// class, the classes of the word's readings in lexicon order, a mark "x"
// when the chosen class is wrong, and the stored words around it.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "dictionaries/lemma_index.h"
#include "dictionaries/lexicon.h"
#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "platform/basic_gauges.h"
#include "platform/console_box.h"
#include "platform/files.h"
#include "settings/settings.h"
#include "table_lines.h"
#include "token_alignment.h"
#include "treebank_measure.h"

using namespace malvex;
using namespace malvex::edition;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: evaluate [--install DIR] [--errors N] [--domains FILE] [--tokens FILE] FILE.conllu\n"
               "  --install DIR   the installation whose dictionaries are measured (the folder\n"
               "                  holding bin/ and Dico/); by default the build of this program\n"
               "  --errors N      list the N most frequent errors of each kind\n"
               "  --domains FILE  common nouns and their acceptable domains (lemma<TAB>domain...)\n"
               "  --tokens FILE   write every measured token with its readings and context to FILE\n");
  return 64;
}

class QuietFrontEnd : public FrontEnd {
 public:
  QuietFrontEnd() : box_([](const std::string& s) { return ToUtf8(s); }, ConsoleBoxOptions{}) {}
  NotificationBox& Box() override { return box_; }
  std::unique_ptr<Gauge> CreateGauge() override { return std::make_unique<SilentGauge>(); }

 private:
  ConsoleBox box_;
};

// A stored word of the reading pass.
struct StoredWord {
  std::string text;  // 8-bit, folded, '_' joining compounds
  WordCategory category;
};

// The readings the lexicon gives a stored word, as the reader looks it up.
struct Readings {
  std::vector<WordCategory> categories;
};

class ReadingCache {
 public:
  explicit ReadingCache(Lexicon& lexicon) : lexicon_(lexicon) {}
  const Readings& Of(const std::string& text) {
    const auto it = cache_.find(text);
    if (it != cache_.end()) return it->second;
    Readings r;
    char buf[kLemmaSlotSize] = {};
    const size_t length = std::min(text.size(), kLemmaSlotSize - 1);
    for (int k = 0; k < kLexiconReadings && length > 0; ++k) {
      std::memcpy(buf, text.data(), length);
      if (lexicon_.LookupForm(k, buf, length, false, false) < 0) break;
      r.categories.push_back(lexicon_.category());
      if ((lexicon_.code() & kCodeAmbiguous) == 0) break;
    }
    return cache_.emplace(text, std::move(r)).first->second;
  }

 private:
  Lexicon& lexicon_;
  std::unordered_map<std::string, Readings> cache_;
};

struct Count {
  size_t right = 0;
  size_t total = 0;
  void Add(bool ok) {
    right += ok;
    ++total;
  }
  double Percent() const { return total == 0 ? 0.0 : 100.0 * static_cast<double>(right) / static_cast<double>(total); }
};

// Errors by description, for --errors.
class ErrorList {
 public:
  void Add(const std::string& what) { ++counts_[what]; }
  void Print(const char* title, size_t n) const {
    std::vector<std::pair<size_t, std::string>> ranked;
    for (const auto& [w, c] : counts_) ranked.emplace_back(c, w);
    std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
      return a.first != b.first ? a.first > b.first : a.second < b.second;
    });
    std::printf("\n%s\n", title);
    for (size_t i = 0; i < ranked.size() && i < n; ++i) std::printf("  %6zu  %s\n", ranked[i].first, ranked[i].second.c_str());
  }

 private:
  std::map<std::string, size_t> counts_;
};

bool IsNumber(const std::string& text8) {
  return !text8.empty() && IsDigit(static_cast<uint8_t>(text8[0]));
}

// The record class bits of a category, an unclassified word counting as a
// substantive.
unsigned ClassBit(const WordCategory& c) { return 1u << (c.category == kClassUnclassified ? kClassSubstantive : c.category); }

std::string Folded8(const std::string& utf8) {
  std::string s = FromUtf8(utf8);
  FoldToLower(s);
  return s;
}

// Lemma (8-bit, folded) -> the domains (8-bit, folded) a reader accepts.
using DomainTable = std::unordered_map<std::string, std::vector<std::string>>;

bool ReadDomainTable(const std::string& path, DomainTable* table) {
  std::string text;
  if (!ReadText(path, &text)) return false;
  return ForEachLine(text, [&](const std::vector<std::string>& f, int) {
    std::vector<std::string>& domains = (*table)[Folded8(f[0])];
    for (size_t i = 1; i < f.size(); ++i) domains.push_back(Folded8(f[i]));
    return true;
  });
}

// The level-3 class of the first sense of a word (8-bit, folded); "" when
// the word has no sense or its first sense no domain. `senses` receives the
// number of senses.
std::string FirstDomain(SemanticDictionary& semantic, const std::string& text, int* senses) {
  char buf[kLemmaSlotSize] = {};
  std::memcpy(buf, text.data(), std::min(text.size(), kLemmaSlotSize - 1));
  *senses = buf[0] == 0 ? 0 : semantic.AllReadings(buf);
  if (*senses <= 0) return std::string();
  const int32_t cls = semantic.Reading(0).path.at(3);
  const char* name = cls != 0 ? semantic.ClassName(3, cls) : nullptr;
  std::string domain = name != nullptr ? name : "";
  FoldToLower(domain);
  return domain;
}

}  // namespace

int main(int argc, char** argv) {
  std::string install, conllu, tokensPath, domainsPath = MALVEX_NOUN_DOMAINS;
  size_t errors = 0;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--install" && i + 1 < argc) {
      install = argv[++i];
    } else if (a == "--domains" && i + 1 < argc) {
      domainsPath = argv[++i];
    } else if (a == "--tokens" && i + 1 < argc) {
      tokensPath = argv[++i];
    } else if (a == "--errors" && i + 1 < argc) {
      errors = static_cast<size_t>(std::strtoul(argv[++i], nullptr, 10));
    } else if (!a.empty() && a[0] != '-' && conllu.empty()) {
      conllu = a;
    } else {
      return Usage();
    }
  }
  if (conllu.empty()) return Usage();
  // This program lives in <build>/tools/edition; the build's programs in
  // <build>/bin.
  if (install.empty()) install = ProgramFolder() + "/../..";
  std::error_code ec;
  const std::string bin = std::filesystem::weakly_canonical(std::filesystem::path(install) / "bin", ec).string();

  DomainTable domains;
  if (!ReadDomainTable(domainsPath, &domains)) {
    std::fprintf(stderr, "evaluate: cannot read %s\n", domainsPath.c_str());
    return 1;
  }
  std::vector<GoldSentence> sentences;
  if (!ReadConllu(conllu, &sentences)) {
    std::fprintf(stderr, "evaluate: cannot read %s\n", conllu.c_str());
    return 1;
  }

  QuietFrontEnd frontEnd;
  EngineOptions options;
  SettingsPlaces places = DefaultSettingsPlaces(LanguageFor(kEditionLanguage));
  places.folders = DeriveFolders(bin, LanguageFor(kEditionLanguage));
  options.places = places;
  Engine engine(frontEnd, options);
  if (!engine.StartEngine()) return 2;

  // The text, one sentence per paragraph, in a temporary file.
  const std::filesystem::path work = std::filesystem::temp_directory_path() /
                                     ("malvex-evaluate-" + std::to_string(static_cast<long>(getpid())));
  std::filesystem::create_directories(work, ec);
  const std::string textPath = (work / "treebank.txt").string();
  {
    std::string text = "\xEF\xBB\xBF";
    for (const GoldSentence& s : sentences) text += s.text + "\n\n";
    if (!WriteFileAtomically(textPath, text)) {
      std::fprintf(stderr, "evaluate: cannot write %s\n", textPath.c_str());
      engine.StopEngine();
      return 1;
    }
  }

  engine.files().Add(textPath);
  engine.CreateGauge();
  const bool read = engine.ReadingPass();
  engine.DestroyGauge();
  std::filesystem::remove_all(work, ec);
  if (!read) {
    std::fprintf(stderr, "evaluate: the reading pass failed\n");
    return 1;
  }

  std::vector<StoredWord> stored;
  {
    WordStream& stream = engine.stream();
    stream.Rewind();
    WordInfo info;
    const char* separator = nullptr;
    int32_t position = 0;
    while (const char* text = stream.Next(info, separator, position)) {
      if (text[0] == '/') continue;
      stored.push_back(StoredWord{text, info.category});
    }
  }
  std::vector<std::string> gold8;
  std::vector<const GoldToken*> gold;
  std::vector<size_t> sentenceStart;  // per token: the index of its sentence's first token
  std::vector<size_t> sentenceOf;
  for (const GoldSentence& s : sentences) {
    const size_t start = gold.size();
    for (const GoldToken& t : s.tokens) {
      sentenceOf.push_back(static_cast<size_t>(&s - sentences.data()));
      gold.push_back(&t);
      gold8.push_back(FromUtf8(t.form));
      sentenceStart.push_back(start);
    }
  }
  std::vector<std::string> storedTexts;
  storedTexts.reserve(stored.size());
  for (const StoredWord& w : stored) storedTexts.push_back(w.text);
  const std::vector<int> where = AlignTokens(gold8, storedTexts);

  // The gold classes of each stored word (those of all its tokens) and its
  // last token.
  std::vector<unsigned> storedGold(stored.size(), 0);
  std::vector<size_t> lastToken(stored.size(), 0);
  std::vector<int> tokensOf(stored.size(), 0);
  for (size_t i = 0; i < gold.size(); ++i) {
    if (where[i] < 0) continue;
    storedGold[static_cast<size_t>(where[i])] |= ClassesOfUpos(gold[i]->upos);
    lastToken[static_cast<size_t>(where[i])] = i;
    ++tokensOf[static_cast<size_t>(where[i])];
  }
  // A compound that holds a whole fixed expression of the treebank (its
  // head and a word fixed to it) is also right with the class of the
  // expression's function: "de_asemenea" is an adverb although the treebank
  // tags its words as a preposition and an adjective.
  for (size_t i = 0; i < gold.size(); ++i) {
    if (where[i] < 0 || gold[i]->deprel != "fixed" || gold[i]->head <= 0) continue;
    const size_t head = sentenceStart[i] + static_cast<size_t>(gold[i]->head) - 1;
    if (head >= gold.size() || where[head] != where[i]) continue;
    storedGold[static_cast<size_t>(where[i])] |= ClassesOfFixedExpression(gold[head]->deprel);
  }

  ReadingCache readings(engine.lexicon());
  LemmaIndex* adjectives = engine.adjectiveLemmas();
  FILE* tokens = nullptr;
  if (!tokensPath.empty() && (tokens = std::fopen(tokensPath.c_str(), "w")) == nullptr) {
    std::fprintf(stderr, "evaluate: cannot write %s\n", tokensPath.c_str());
    engine.StopEngine();
    return 1;
  }
  Count aligned, coverage, among, accuracy, verbLemmas, adjectiveLemmas, ambiguity, nounSenses, nounDomains;
  ErrorList unknown, notAmong, confusions, wordConfusions, verbErrors, adjectiveErrors, domainErrors, senseless;
  for (size_t i = 0; i < gold.size(); ++i) {
    const GoldToken& t = *gold[i];
    const std::vector<std::string> pieces = Pieces(gold8[i]);
    if (t.upos == "PUNCT" || pieces.empty()) continue;
    aligned.Add(where[i] >= 0);
    if (where[i] < 0) continue;
    const size_t s = static_cast<size_t>(where[i]);
    const StoredWord& w = stored[s];
    // A compound: words joined by '_', or by a hyphen where the treebank
    // has two tokens (într-o, the preposition and the article).
    const bool compound = w.text.find('_') != std::string::npos || tokensOf[s] > 1;
    // A compound of the lexicon is measured as a whole, against the parts
    // of speech of all its tokens; a compound the reader made itself (a
    // compound tense) by the readings of each token's own word.
    const Readings* r = &readings.Of(w.text);
    const bool whole = !compound || !r->categories.empty();
    std::string own = pieces[0];
    for (size_t p = 1; p < pieces.size(); ++p) own += "_" + pieces[p];
    if (!whole) r = &readings.Of(own);
    const unsigned goldClasses = compound ? storedGold[s] : ClassesOfUpos(t.upos);
    const std::string& text = whole ? w.text : own;

    const bool chosenRight = (ClassBit(w.category) & goldClasses) != 0;
    accuracy.Add(chosenRight);
    if (tokens != nullptr) {
      std::string classes;
      for (const WordCategory& c : r->categories) classes += static_cast<char>('0' + (ClassBit(c) == 1u << 8 ? 8 : c.category));
      std::fprintf(tokens, "%zu\t%s\t%s\t%d\t%s\t%s\t%s\t%s\n", sentenceOf[i], ToUtf8(w.text).c_str(), t.upos.c_str(),
                   w.category.category, classes.c_str(), chosenRight ? "" : "x",
                   s > 0 ? ToUtf8(stored[s - 1].text).c_str() : "", s + 1 < stored.size() ? ToUtf8(stored[s + 1].text).c_str() : "");
    }
    if (!chosenRight) {
      confusions.Add(t.upos + " > class " + std::to_string(w.category.category));
      wordConfusions.Add(t.upos + " > class " + std::to_string(w.category.category) + ": " + ToUtf8(w.text));
    }

    if (t.upos != "PROPN") {
      const bool number = IsNumber(text);
      const bool known = number || !r->categories.empty();
      coverage.Add(known);
      if (!known) unknown.Add(ToUtf8(text));
      if (known) {
        unsigned readingClasses = number ? 1u << kClassAdjective : 0u;
        for (const WordCategory& c : r->categories) readingClasses |= ClassBit(c);
        const bool fits = (readingClasses & (whole ? goldClasses : ClassesOfUpos(t.upos))) != 0;
        among.Add(fits);
        if (!fits) notAmong.Add(t.upos + " " + ToUtf8(text));
        ambiguity.Add(r->categories.size() > 1);
      }
    }

    if (t.upos == "NOUN") {
      int senses = 0;
      const std::string domain = FirstDomain(engine.semanticDictionary(), text, &senses);
      nounSenses.Add(senses > 0);
      if (senses == 0) senseless.Add(ToUtf8(text) + " (" + t.lemma + ")");
      const auto listed = domains.find(Folded8(t.lemma));
      if (senses > 0 && listed != domains.end()) {
        const bool plausible =
            std::find(listed->second.begin(), listed->second.end(), domain) != listed->second.end();
        nounDomains.Add(plausible);
        if (!plausible) domainErrors.Add(t.lemma + " > " + (domain.empty() ? "(none)" : ToUtf8(domain)));
      }
    }

    // Lemmas: the engine gives a compound the lemma of its last word.
    if (compound && lastToken[s] != i) continue;
    const std::string goldLemma = Folded8(t.lemma);
    if (t.upos == "VERB") {
      // The lemma of the chosen reading when it is a verb, else of the
      // word's first verb reading.
      const Readings& all = readings.Of(compound ? own : w.text);
      const WordCategory* verb = isVerb(w.category) ? &w.category : nullptr;
      for (size_t k = 0; verb == nullptr && k < all.categories.size(); ++k) {
        if (isVerb(all.categories[k])) verb = &all.categories[k];
      }
      LemmaSlots slots = {};
      std::strncpy(slots[0], w.text.c_str(), kLemmaSlotSize - 1);
      const bool found = verb != nullptr && engine.lexicon().VerbLemma(*verb, slots);
      const bool right = found && goldLemma == slots[0];
      verbLemmas.Add(right);
      if (!right) verbErrors.Add(ToUtf8(w.text) + " > " + (found ? ToUtf8(slots[0]) : "(none)") + ", not " + t.lemma);
    } else if (t.upos == "ADJ" && !compound) {
      const char* lemma = adjectives != nullptr ? adjectives->LemmaOfForm(w.text) : nullptr;
      const bool right = lemma != nullptr && goldLemma == lemma;
      adjectiveLemmas.Add(right);
      if (!right) {
        adjectiveErrors.Add(ToUtf8(w.text) + " > " + (lemma != nullptr ? ToUtf8(lemma) : "(none)") + ", not " + t.lemma);
      }
    }
  }
  engine.StopEngine();
  if (tokens != nullptr) std::fclose(tokens);

  std::printf("treebank                  %s\n", conllu.c_str());
  std::printf("sentences                 %zu\n", sentences.size());
  std::printf("stored words              %zu\n", stored.size());
  const struct {
    const char* name;
    const Count& count;
    const char* of;
  } lines[] = {
      {"aligned tokens", aligned, "non-punctuation tokens"},
      {"coverage", coverage, "non-punctuation, non-proper tokens"},
      {"gold among readings", among, "known tokens"},
      {"class accuracy", accuracy, "non-punctuation tokens"},
      {"verb lemma accuracy", verbLemmas, "VERB tokens"},
      {"adjective lemma accuracy", adjectiveLemmas, "ADJ tokens"},
      {"ambiguity rate", ambiguity, "known tokens with several readings"},
      {"nouns with a sense", nounSenses, "NOUN tokens"},
      {"noun domain plausible", nounDomains, "listed NOUN tokens with a sense"},
  };
  for (const auto& l : lines) {
    std::printf("%-25s %5.1f %%  (%zu of %zu %s)\n", l.name, l.count.Percent(), l.count.right, l.count.total, l.of);
  }
  if (errors > 0) {
    unknown.Print("Unknown words:", errors);
    notAmong.Print("Gold part of speech not among the readings:", errors);
    confusions.Print("Class errors (gold part of speech > chosen class):", errors);
    wordConfusions.Print("Class errors by word:", errors);
    verbErrors.Print("Verb lemma errors:", errors);
    adjectiveErrors.Print("Adjective lemma errors:", errors);
    senseless.Print("NOUN tokens whose word has no sense (word (treebank lemma)):", errors);
    domainErrors.Print("Listed nouns whose first sense has another domain (lemma > domain):", errors);
  }
  return 0;
}
