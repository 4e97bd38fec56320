// The dictionary compiler: turns the plain UTF-8 sources of a language
// edition (docs/edition-sources.md) into its dictionary files, the lexicon
// (".lv8"), the semantic dictionary (".sv8"), the verb and adjective lemma
// indexes (".vv8", ".av8") and the category transition matrix (".zv8"),
// with the engine's own builders. The same sources always give the same
// bytes.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "dictionaries/category_matrix.h"
#include "foundations/language_tables.h"

namespace malvex {

class LemmaIndex;
class LexiconBuilder;
class SemanticDictionaryBuilder;

// Names of the source files in the sources folder; each may be absent.
inline constexpr char kLexiconSource[] = "lexicon.tsv";
inline constexpr char kVerbLemmaSource[] = "verb_lemmas.tsv";
inline constexpr char kAdjectiveLemmaSource[] = "adjective_lemmas.tsv";
inline constexpr char kSenseSource[] = "senses.tsv";
inline constexpr char kMatrixSource[] = "matrix.tsv";
inline constexpr char kNormSource[] = "norms.tsv";
inline constexpr char kTableSource[] = "tables.tsv";

class EditionCompiler {
 public:
  EditionCompiler();
  ~EditionCompiler();
  EditionCompiler(const EditionCompiler&) = delete;
  EditionCompiler& operator=(const EditionCompiler&) = delete;

  // Reads every source of `folder`. False at the first fault, with error()
  // naming the file and the line.
  bool ReadSources(const std::string& folder);
  // Writes the five files of `basePath` (the dictionary folder and the base
  // name, for instance ".../Dico/roglex", or the same ending in ".*").
  // False with error() set when a file cannot be built or written.
  bool WriteEdition(const std::string& basePath);

  const std::string& error() const { return error_; }

  // What was read, for reports.
  size_t FormCount() const;
  size_t SenseCount() const { return senses_; }
  uint32_t VerbLemmaCount() const;
  uint32_t AdjectiveLemmaCount() const;
  // Lemmas and inflected forms that did not fit in a lemma index (65,535
  // lemmas, tries of at most 32,599 cells) and were left out.
  struct LeftOut {
    size_t lemmas = 0;
    size_t forms = 0;
  };
  const LeftOut& VerbsLeftOut() const { return verbsLeftOut_; }
  const LeftOut& AdjectivesLeftOut() const { return adjectivesLeftOut_; }

 private:
  struct Line;

  // Each reads one source; a missing file reads as empty.
  bool ReadTables(const std::string& path);
  bool ReadNorms(const std::string& path);
  bool ReadLexicon(const std::string& path);
  bool ReadLemmas(const std::string& path, LemmaIndex& index);
  bool ReadSenses(const std::string& path);
  bool ReadMatrix(const std::string& path);
  // Splits a source into its lines; false (error set) for a file that
  // cannot be read or is not UTF-8.
  bool Lines(const std::string& path, std::vector<Line>& lines, bool& present);
  bool Fail(const Line& line, const std::string& message);
  // Maps `form` to `lemma` (8-bit text) in `index`.
  bool AddLemma(const Line& line, LemmaIndex& index, const std::string& form,
                const std::string& lemma);

  LanguageTables tables_;
  uint8_t spareByte_;
  std::unique_ptr<LexiconBuilder> lexicon_;
  std::unique_ptr<SemanticDictionaryBuilder> semantic_;
  std::unique_ptr<LemmaIndex> verbs_;
  std::unique_ptr<LemmaIndex> adjectives_;
  CategoryMatrix matrix_;
  size_t senses_ = 0;
  LeftOut verbsLeftOut_;
  LeftOut adjectivesLeftOut_;
  std::string error_;
};

}  // namespace malvex
