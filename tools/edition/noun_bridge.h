// English translations of Romanian nouns through Debian's bilingual
// dictionaries: Romanian -> Spanish (apertium-es-ro), then Spanish ->
// English (apertium-eng-spa) directly and through the Catalan
// (apertium-spa-cat, apertium-eng-cat) and Esperanto (apertium-es-eo,
// apertium-eo-en) pivots. The dictionaries are queried with `lt-proc -b`,
// one lemma with its noun tags per query.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace malvex::edition {

// The compiled bilingual dictionaries (".autobil.bin") of each step.
struct BridgeDictionaries {
  std::string ltProc = "lt-proc";
  std::string roEs, esEn, esCa, caEn, esEo, eoEn;
};

// An English noun (lower case, words joined by '_') and the weight of the
// path that reached it: 1 through the first translations into Spanish and
// English, half for each alternative translation on the way, 0.5 through a
// pivot (used only when Spanish alone reaches no English noun).
using EnglishNouns = std::vector<std::pair<std::string, double>>;

class NounBridge {
 public:
  // Translates the Romanian noun lemmas (8-bit, folded). `work` is a folder
  // for the query files. False, with `error` set, when a dictionary cannot
  // be queried.
  bool Translate(const std::vector<std::string>& lemmas, const BridgeDictionaries& dictionaries,
                 const std::string& work, std::string* error);

  // The English nouns of a Romanian lemma, heaviest first; null when none.
  const EnglishNouns* EnglishOf(const std::string& lemma) const;
  size_t TranslatedCount() const { return english_.size(); }

  // Sets the translations of a lemma directly (tests).
  void Set(const std::string& lemma, EnglishNouns nouns) { english_[lemma] = std::move(nouns); }

 private:
  std::map<std::string, EnglishNouns> english_;
};

// The lemmas of one answer line of `lt-proc -b` ("^query/lemma<tags>/...$"),
// without their tags; an unknown word ("@...") gives nothing.
std::vector<std::string> BridgeAnswerLemmas(const std::string& line);

}  // namespace malvex::edition
