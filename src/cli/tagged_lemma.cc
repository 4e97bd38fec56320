#include "tagged_lemma.h"

#include "dictionaries/lemma_index.h"
#include "dictionaries/noun_lemma_dictionary.h"
#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/category.h"

namespace malvex {

std::string TaggedLemma(Engine& engine, const WordNode& node) {
  if (node.lemma == 0 || node.text == nullptr || node.text[0] == '/') return std::string();
  const WordCategory& c = node.info.category;
  const char* text = nullptr;
  if (isVerb(c)) {
    if (engine.verbLemmas() != nullptr) text = engine.verbLemmas()->LemmaText(node.lemma);
  } else if (isAdjective(c)) {
    if (engine.adjectiveLemmas() != nullptr) text = engine.adjectiveLemmas()->LemmaText(node.lemma);
  } else if (isSubstantive(c) && engine.semanticDictionary().Ok()) {
    text = engine.semanticDictionary().nounLemmas().NameOf(node.lemma);
  }
  return text != nullptr ? std::string(text) : std::string();
}

}  // namespace malvex
