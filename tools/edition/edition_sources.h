// The sources of the dictionary compiler (docs/edition-sources.md) made
// from the assembled edition: the lexicon's forms and readings, the verb
// and adjective lemma tables, the category matrix weights and the norms.
// The lemma indexes hold fewer lemmas than the open data give, so the
// lemmas go in order of worth and only as many as the compiled files can
// hold are written. Lines are UTF-8; every table comes in a fixed order,
// so the same edition always gives the same files.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_set>
#include <vector>

#include "lexicon_assembly.h"

namespace malvex::edition {

// Orders lemmas by their worth for the dictionaries: the most frequent in
// the reference prose first, then those the analyser or the curated tables
// give, then the thesaurus's headwords, then the rest, and last among the
// rest the lemmas made by a prefix (ne-, re-, auto-) from another lemma of
// the same list, which the word list derives by the thousand; alphabetical
// order settles ties.
class LemmaPriority {
 public:
  // `proseCounts`: occurrences of each lemma (8-bit) in the prose;
  // `thesaurus`: the thesaurus's headwords. Both must outlive this object.
  LemmaPriority(const LexiconAssembly& lexicon, const std::map<std::string, double>& proseCounts,
                const std::map<std::string, std::vector<int>>& thesaurus)
      : lexicon_(lexicon), proseCounts_(proseCounts), thesaurus_(thesaurus) {}

  // Sorts `lemmas` best first.
  void Sort(std::vector<std::string>& lemmas) const;
  // True for a lemma met in the prose or known to the analyser or the
  // curated tables: all its forms deserve a place.
  bool IsCore(const std::string& lemma) const;

 private:
  // 0 for a lemma of the analyser or the curated tables, 1 for a headword
  // of the thesaurus, 2 for the others (3 and 4 for their derivatives by
  // prefix, see PrefixRank).
  int Tier(const std::string& lemma) const;
  // 1 when `lemma` is "ne" followed by a member of `lemmas`, 2 when it is
  // "re" or "auto" followed by one, 0 otherwise.
  static int PrefixRank(const std::string& lemma, const std::unordered_set<std::string>& lemmas);

  const LexiconAssembly& lexicon_;
  const std::map<std::string, double>& proseCounts_;
  const std::map<std::string, std::vector<int>>& thesaurus_;
};

// A lemma table as written: (form, lemma) pairs, 8-bit, and what was left
// out for lack of room.
struct LemmaTable {
  std::vector<std::pair<std::string, std::string>> pairs;
  size_t lemmas = 0;
  size_t lemmasLeftOut = 0;
  size_t formsLeftOut = 0;
};

// The lemma table of a lemma index: the lemmas of `formLemmas` (inflected
// form -> lemma) in priority order as their own lines, then every form of
// the core lemmas and the short forms of the others (at most
// `shortFormExtra` characters longer than their lemma: the indefinite forms
// of an adjective, the present of a verb), and last the other forms, lemma
// by lemma in the same order; kept while a verb or adjective lemma index of
// the edition can hold them (checked by building one).
LemmaTable FitLemmaTable(const std::map<std::string, std::string>& formLemmas, const LemmaPriority& priority,
                         size_t shortFormExtra);

// The lines of each source file, without its comment header.
std::vector<std::string> LexiconSourceLines(const LexiconAssembly& lexicon);
std::vector<std::string> LemmaSourceLines(const LemmaTable& table);
// Matrix values as "index<TAB>weight"; zero weights are left out.
std::vector<std::string> MatrixSourceLines(const std::vector<int16_t>& values);
// norms[i] for the statistics indexes 1..77 (norms has 78 entries).
std::vector<std::string> NormSourceLines(const std::vector<int>& norms);

// Writes `header` (comment lines, each starting with '#') and `lines`,
// each ending in a line feed, to `path` through a temporary file. False
// when the file cannot be written.
bool WriteSource(const std::string& path, const std::string& header, const std::vector<std::string>& lines);

}  // namespace malvex::edition
