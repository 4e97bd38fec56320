// Measures the noun senses on a treebank in CoNLL-U form (read only for
// measuring; nothing is learnt from it): for the gold NOUN tokens, how many
// have senses, a reference shared with other nouns, a reference named
// after the noun itself, and fields at levels 2 and 3; and a sample of
// tokens with their classes for a reader to judge.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "semantic_classes.h"

namespace malvex::edition {

struct SenseFigures {
  size_t nouns = 0;           // gold NOUN tokens
  size_t withSenses = 0;      // the form has senses
  size_t sharedReference = 0; // first sense's reference has two members or more
  size_t ownReference = 0;    // first sense's reference is the noun's own name, alone
  size_t withField = 0;       // first sense has a level-2 (and so a level-3) field
  size_t ambiguous = 0;       // the form has several senses
  // "form (gold lemma): reference / field / domain" for `sampleSize` tokens
  // drawn with a fixed seed.
  std::vector<std::string> sample;
};

bool MeasureSenses(const std::string& conllu, const SemanticClasses& classes, const SemanticFields& fields,
                   size_t sampleSize, SenseFigures* figures);
void PrintSenseFigures(const SenseFigures& f, std::FILE* out);

}  // namespace malvex::edition
