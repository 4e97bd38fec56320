#include "views/scenario_wizard_source.h"

#include <string>

#include "dictionaries/semantic_dictionary.h"
#include "engine/engine.h"
#include "foundations/charset.h"
#include "reading/word_stream.h"
#include "scenarios/scenario_layer.h"
#include "views/lemma_list.h"

namespace malvex {

uint32_t AnalysedWordCount(Engine& engine) {
  uint32_t words = 0;
  for (WordNode* node = engine.stream().Head(); node != nullptr && node != engine.stream().Tail();
       node = node->next) {
    const char* text = node->text;
    if (text != nullptr && !(text[0] == '/' && text[1] == '\0')) ++words;
  }
  return words;
}

WizardCandidates WizardCandidatesOf(Engine& engine, int level, uint32_t threshold) {
  WizardCandidates result;
  ScenarioLayer& layer = engine.scenarioLayer();
  const auto inScenario = [&layer](const std::string& name) {
    std::string folded = name;
    FoldToLower(folded);
    return layer.WordGroup(folded.c_str()) != 0;
  };
  if (level == 0) {
    for (LemmaRow& row : LemmaRows(engine.semanticDictionary().nounLemmas(), threshold)) {
      WizardCandidate c;
      c.name = std::move(row.text);
      c.frequency = row.frequency;
      result.list.push_back(std::move(c));
    }
    return result;
  }
  const SemanticDictionary& dictionary = engine.semanticDictionary();
  const uint32_t ranked = dictionary.NumberOfRankedClasses(level);
  result.levelHasClasses = ranked > 0;
  const uint32_t fileClasses = dictionary.NumberOfClasses(level);
  for (uint32_t rank = 1; rank <= ranked; ++rank) {
    const int32_t cls = dictionary.RankedClass(level, rank);
    if (cls <= 0) continue;
    const uint32_t frequency = dictionary.ClassCount(level, cls);
    if (frequency < threshold) break;
    WizardCandidate c;
    c.name = dictionary.ClassName(level, cls);
    c.frequency = frequency;
    c.unclassified = static_cast<uint32_t>(cls) > fileClasses;
    if (c.unclassified) c.inScenario = inScenario(c.name);
    result.list.push_back(std::move(c));
  }
  return result;
}

}  // namespace malvex
