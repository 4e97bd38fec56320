// The semantic dictionary source of the Romanian edition (senses.tsv): the
// senses of every noun form of the assembled lexicon, with references from
// the thesaurus and fields from WordNet through the bilingual dictionaries
// (semantic_classes.h), built in one call from the open data's files.
#pragma once

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "lexicon_assembly.h"
#include "noun_bridge.h"

namespace malvex::edition {

struct NounSenseInputs {
  std::string data;           // the curated tables (semantic_domains.tsv, semantic_fields.tsv)
  std::string thesaurus;      // mythes's th_ro_RO_v2.dat
  std::string wordnet;        // the folder of WordNet's data.noun and index.noun
  std::string analyserPaths;  // the cached paths of the morphological analyser
  std::string work;           // a folder for scratch files
  BridgeDictionaries bridges;
  std::string measure;        // a CoNLL-U treebank to measure on, or empty
  // Occurrences of each lemma (8-bit) in running prose, or null.
  const std::map<std::string, double>* proseCounts = nullptr;
};

// The bilingual dictionaries as Debian installs them under `apertiumFolder`
// (/usr/share/apertium).
BridgeDictionaries DebianBridgeDictionaries(const std::string& apertiumFolder);

// The noun forms of the lexicon with their noun lemmas, the first most
// likely: every form with a common-noun or abbreviation reading (not a
// name); a reading without a lemma is the form's own lemma. 8-bit, folded.
// The lemmas of abbreviations go to `abbreviations` when given.
std::map<std::string, std::vector<std::string>> LexiconNounForms(const LexiconAssembly& lexicon,
                                                                std::set<std::string>* abbreviations = nullptr);

// Builds the senses and returns the lines of senses.tsv (UTF-8, no header)
// in `lines`. Writes counts, and the treebank figures when asked, to
// `report`. False, with `error` set, when an input cannot be read.
bool BuildNounSenseLines(const LexiconAssembly& lexicon, const NounSenseInputs& inputs,
                         std::vector<std::string>* lines, std::FILE* report, std::string* error);

}  // namespace malvex::edition
