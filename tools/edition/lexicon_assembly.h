// Gathers the readings of every word form of the Romanian edition from the
// open data (the morphological analyser's paths, the Hunspell word list
// and its affix rules, the thesaurus's parts of speech) and the curated
// tables, and puts them in order. All text is 8-bit, folded to lower case.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

#include "curated_tables.h"
#include "edition_codes.h"

namespace malvex::edition {

class HunspellAffixes;

// Where a reading came from; a lower value is trusted more.
enum class Source : uint8_t { kCurated = 0, kAnalyser, kRule, kHunspell, kAnalogy };

class LexiconAssembly {
 public:
  struct Entry {
    std::vector<Reading> readings;
    Source best = Source::kAnalogy;
    bool curated = false;
  };

  explicit LexiconAssembly(const CuratedTables& tables) : tables_(tables) {}

  // One (surface, analysis) path of the analyser, UTF-8. Clitic compounds
  // ("dându-i" = verb + pronoun) give their first word as the text reader
  // meets it ("dându"); spaces of multiword entries become '_'.
  void AddAnalyserPath(const std::string& surface, const std::string& analysis);
  // Simple past forms made from the pluperfect, and the curated exceptions.
  // A made form that the analyser reads as an adjective or a noun is left
  // out (activă, completă, separă): the simple past is rare in today's
  // prose, its homographs are not.
  void AddSimplePast();
  // Closed classes, abbreviations, single letters and Roman numerals.
  void AddCurated();
  // Forms of the Hunspell list that the analyser lacks, with readings from
  // the stems' affix flags, from rules learnt on the verbs both sources
  // know, or by suffix analogy with the analyser's forms, constrained by
  // the thesaurus's parts of speech (`thesaurus`: headword -> classes).
  void AddHunspell(const HunspellAffixes& hunspell, const std::map<std::string, std::vector<int>>& thesaurus);
  // Past participles used as adjectives: every analyser form of a verb's
  // past participle gains an adjective reading, lemma the masculine
  // singular participle, when that masculine form is also an adjective for
  // the word list (an adjective affix flag, or the masculine and feminine
  // noun pair) or for the thesaurus.
  void AddParticipleAdjectives(const HunspellAffixes& hunspell,
                               const std::map<std::string, std::vector<int>>& thesaurus);
  // Readings the thesaurus gives a known headword that the sources miss
  // (adjectives used as adverbs).
  void AddThesaurusAdverbs(const std::map<std::string, std::vector<int>>& thesaurus);
  // The analyser's noun forms whose lemma the thesaurus knows only as an
  // adjective (riveran, străvechi) gain the adjective reading.
  void AddThesaurusAdjectives(const std::map<std::string, std::vector<int>>& thesaurus);
  // The short auxiliary "a" with the verb form after it, as compounds the
  // text reader joins before the disambiguation: "a" with a masculine
  // singular past participle (a form ending in -t or -s) is the perfect, a
  // past indicative of the participle's verb ("a_făcut"); "a" with an
  // infinitive is that infinitive ("a_face"). Alone, "a" is then only the
  // genitive article or the infinitive's mark. The compounds carry no
  // lemma: the engine takes the lemma of their last word. Forms already
  // held are kept as they are.
  void AddShortAuxiliaryCompounds();
  // Nouns of the analyser that the word list writes as adjectives (an
  // adjective affix flag, or the masculine and feminine pair of nouns:
  // german/L, germană/A) gain the adjective reading, lemma the masculine,
  // in their forms without the article: an adjective follows its noun
  // without one (statele participante), while an articled noun after a
  // noun is its genitive (protecția consumatorilor).
  void AddNounPairAdjectives(const HunspellAffixes& hunspell);
  // An articled form that is also an articled noun of the analyser is read
  // as that noun only: its adjective readings (numerals aside) are dropped.
  // A postnominal adjective takes no article, so after a noun such a form
  // is a genitive (activarea experților, numărul trombocitelor).
  void DropArticledAdjectives();
  // Adjectives used as adverbs of manner (crește rapid, se administrează
  // frecvent): a form read only as an adjective, other than a numeral, that
  // is the lemma of one of its adjective readings (the masculine singular)
  // gains an adverb of manner reading after them.
  void AddAdjectiveAdverbs();
  // Drops the listed readings, puts curated readings first (a curated
  // multiword expression keeps only those), removes
  // duplicate codes and keeps at most 6 readings, ordered by `prior`
  // (a score per form and record class; higher first).
  void Finish(const std::function<double(const std::string&, int)>& prior);

  const std::unordered_map<std::string, Entry>& Forms() const { return forms_; }
  std::unordered_map<std::string, Entry>& MutableForms() { return forms_; }
  const Entry* Find(const std::string& form) const;

  // Inflected form -> lemma of the verb and adjective readings.
  std::map<std::string, std::string> VerbLemmas() const;
  std::map<std::string, std::string> AdjectiveLemmas() const;

  // Counts for the report.
  std::map<std::string, size_t> counts;

 private:
  // The adjective code of a lemma: subjective when the curated list holds it
  // as evaluative, objective otherwise.
  uint16_t AdjectiveCodeOf(const std::string& lemma) const;
  void Add(const std::string& form, const Reading& r, Source source);
  // True when `form` is held with an adjective or a noun reading.
  bool NamesSomething(const std::string& form) const;

  const CuratedTables& tables_;
  std::unordered_map<std::string, Entry> forms_;
  // Verb lemma -> third person singular pluperfect.
  std::map<std::string, std::string> pluperfect_;
  // Verb lemma -> masculine singular past participle.
  std::map<std::string, std::string> participle_;
  // Noun forms of the analyser that carry the definite article.
  std::set<std::string> definiteNouns_;
};

// Reads the thesaurus (mythes, UTF-8): headword -> record classes of its
// sense lines ((subst) 8, (adj) 4, (verb) 1, (adv) 3).
bool ReadThesaurusClasses(const std::string& path, std::map<std::string, std::vector<int>>* classes);

}  // namespace malvex::edition
