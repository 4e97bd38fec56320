// The noun senses of the Romanian edition's semantic dictionary: for every
// noun lemma its senses in order of likelihood, each with its reference
// (level 1, a class of near-synonyms named by one of them), its reference
// field (level 2) and its domain (level 3); and for every inflected noun
// form of the lexicon the senses of its lemmas. References come from the
// thesaurus's sense lines, clustered; fields from WordNet through the
// bilingual dictionaries, voted over the members of each reference.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "dictionaries/semantic_format.h"
#include "noun_bridge.h"
#include "semantic_fields.h"
#include "sense_clusters.h"
#include "thesaurus_senses.h"

namespace malvex::edition {

// One sense of a noun.
struct SemanticSense {
  int reference = -1;  // index into References()
  int field = -1;      // index into the fields; -1 for none
  uint8_t flags = 0;   // sense flags: key level in bits 1..0, context bit 7
  std::string lemma;   // noun lemma (8-bit)
};

struct Reference {
  std::string name;  // 8-bit
  int field = -1;
  size_t members = 0;  // noun lemmas (and heads) that have this reference
};

class SemanticClasses {
 public:
  SemanticClasses(const SemanticFields& fields, const NounBridge& bridge) : fields_(fields), bridge_(bridge) {}
  SemanticClasses(const SemanticClasses&) = delete;
  SemanticClasses& operator=(const SemanticClasses&) = delete;

  // Builds the senses. `nounForms`: every noun form of the lexicon (8-bit,
  // folded) -> its noun lemmas, the first most likely. `feminines`: the
  // feminine form of a person noun -> its masculine lemma (profesoară ->
  // profesor). `thesaurus`: the noun sense lines. `trusted` tells the
  // lemmas of the morphological analyser from those guessed from the word
  // list; a guessed lemma with neither thesaurus lines nor a field gets no
  // sense.
  void Build(const std::map<std::string, std::vector<std::string>>& nounForms,
             const std::map<std::string, std::string>& feminines, const std::vector<ThesaurusSense>& thesaurus,
             const std::function<bool(const std::string&)>& trusted,
             const ClusterOptions& options = ClusterOptions());

  // How often a noun lemma (8-bit) is met in running text; the most
  // frequent of the nouns whose main sense a class is names it, unless it is
  // met only a few times and another is far better listed. Unset, the
  // class names come from the thesaurus alone.
  void SetFrequency(std::function<double(const std::string&)> frequency) { frequency_ = std::move(frequency); }

  // Curated main senses: noun lemma (8-bit, folded) -> the field index of
  // its main sense, or -1 to keep its sense order. The lemma's sense with
  // that field comes first (a sense of its own reference in that field when
  // it has none), and the class of its main sense is named after it; its
  // later senses stand only where its translations support them. The
  // first lemma of the list to claim a class names it, unless a later sense
  // of the lemma's own reference bears its name. A form of the lemma
  // that has thesaurus lines of its own gives those senses after the
  // lemma's.
  void SetMainSenses(std::vector<std::pair<std::string, int>> mainSenses) { mainSenses_ = std::move(mainSenses); }

  const std::vector<Reference>& References() const { return references_; }
  // The senses of a noun form (8-bit, folded), most likely first; null when
  // the form has none.
  const std::vector<SemanticSense>* SensesOfForm(const std::string& form) const;
  const std::map<std::string, std::vector<SemanticSense>>& Forms() const { return formSenses_; }

  // The lines of the semantic dictionary source senses.tsv (UTF-8), in form
  // order: form, class 1, class 2, class 3, flags, noun lemma.
  std::vector<std::string> SourceLines() const;

  // Counts for the report.
  std::map<std::string, size_t> counts;

 private:
  const SemanticFields& fields_;
  const NounBridge& bridge_;
  std::function<double(const std::string&)> frequency_;
  std::vector<std::pair<std::string, int>> mainSenses_;
  std::vector<Reference> references_;
  std::map<std::string, std::vector<SemanticSense>> formSenses_;
};

// The sense flags of a noun's later senses (the first has none): such a
// sense is chosen only when a noun of its reference stands among the last
// nouns of the text (and the reference is counted), so that a frequent
// noun keeps its main sense in a text busy with the field of another one.
inline constexpr uint8_t kLaterSenseFlags = kSenseNeedsContext | 1;

// Parses noun_senses.tsv ("noun<TAB>field of its main sense", the field a
// level-2 name of `fields` or "-"): the curated main senses as
// SetMainSenses takes them. False, with `error` naming the line, for an
// unknown field, a noun given twice or a malformed line.
bool ParseMainSenses(const std::string& text, const SemanticFields& fields,
                     std::vector<std::pair<std::string, int>>* mainSenses, std::string* error);

// Reads the noun lemmas of the analyser's paths ("form<TAB>lemma<n>...")
// and the feminine forms of person nouns among them (a feminine singular
// "lemma<n><f><sg><nom><ind>" whose lemma also has masculine forms: form ->
// lemma), 8-bit, folded. False when the file cannot be read.
bool ReadAnalyserNouns(const std::string& analyserPaths, std::set<std::string>* lemmas,
                       std::map<std::string, std::string>* feminines);

}  // namespace malvex::edition
