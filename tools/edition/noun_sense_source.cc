#include "noun_sense_source.h"

#include <algorithm>
#include <set>
#include <unordered_set>

#include "edition_codes.h"
#include "semantic_classes.h"
#include "semantic_fields.h"
#include "sense_measure.h"
#include "table_lines.h"
#include "thesaurus_senses.h"
#include "wordnet_nouns.h"

namespace malvex::edition {

BridgeDictionaries DebianBridgeDictionaries(const std::string& apertiumFolder) {
  BridgeDictionaries d;
  const std::string a = apertiumFolder + "/";
  d.roEs = a + "apertium-es-ro/ro-es.autobil.bin";
  d.esEn = a + "apertium-eng-spa/spa-eng.autobil.bin";
  d.esCa = a + "apertium-spa-cat/spa-cat.autobil.bin";
  d.caEn = a + "apertium-eng-cat/cat-eng.autobil.bin";
  d.esEo = a + "apertium-es-eo/es-eo.autobil.bin";
  d.eoEn = a + "apertium-eo-en/eo-en.autobil.bin";
  return d;
}

std::map<std::string, std::vector<std::string>> LexiconNounForms(const LexiconAssembly& lexicon,
                                                                std::set<std::string>* abbreviations) {
  std::map<std::string, std::vector<std::string>> forms;
  const uint16_t abbreviation = SubstantiveCode(NounMark::kAbbreviation) & 0x70;
  for (const auto& [form, entry] : lexicon.Forms()) {
    for (const Reading& r : entry.readings) {
      // Common nouns and abbreviations ("dr"); names carry another mark.
      if (RecordClass(r.code) != 8) continue;
      const uint16_t mark = r.code & 0x70;
      if (mark != 0 && mark != abbreviation) continue;
      const std::string& lemma = r.lemma.empty() ? form : r.lemma;
      if (mark == abbreviation && abbreviations) abbreviations->insert(lemma);
      std::vector<std::string>& lemmas = forms[form];
      if (std::find(lemmas.begin(), lemmas.end(), lemma) == lemmas.end()) lemmas.push_back(lemma);
    }
  }
  return forms;
}

bool BuildNounSenseLines(const LexiconAssembly& lexicon, const NounSenseInputs& in, std::vector<std::string>* lines,
                         std::FILE* report, std::string* error) {
  WordNetNouns wordnet;
  if (!wordnet.Load(in.wordnet)) {
    *error = "cannot read WordNet's nouns in " + in.wordnet;
    return false;
  }
  SemanticFields fields;
  if (!fields.Load(in.data + "/semantic_domains.tsv", in.data + "/semantic_fields.tsv", wordnet, error)) {
    return false;
  }
  std::set<std::string> abbreviations;
  const std::map<std::string, std::vector<std::string>> nounForms = LexiconNounForms(lexicon, &abbreviations);
  std::set<std::string> lemmaSet;
  for (const auto& [form, ls] : nounForms) lemmaSet.insert(ls.begin(), ls.end());
  const std::vector<std::string> lemmas(lemmaSet.begin(), lemmaSet.end());

  std::set<std::string> analyserLemmas;
  std::map<std::string, std::string> feminines;
  if (!ReadAnalyserNouns(in.analyserPaths, &analyserLemmas, &feminines)) {
    *error = "cannot read " + in.analyserPaths;
    return false;
  }
  std::vector<ThesaurusSense> thesaurus;
  const KnownWord known = [&](const std::string& w) { return lexicon.Find(w) != nullptr; };
  if (!ReadThesaurusSenses(in.thesaurus, known, &thesaurus)) {
    *error = "cannot read " + in.thesaurus;
    return false;
  }
  NounBridge bridge;
  if (!bridge.Translate(lemmas, in.bridges, in.work, error)) return false;

  SemanticClasses classes(fields, bridge);
  // The curated main senses, when the table is there.
  std::string mainText;
  if (ReadText(in.data + "/noun_senses.tsv", &mainText)) {
    std::vector<std::pair<std::string, int>> mainSenses;
    if (!ParseMainSenses(mainText, fields, &mainSenses, error)) return false;
    classes.SetMainSenses(std::move(mainSenses));
  }
  if (in.proseCounts) {
    classes.SetFrequency([&](const std::string& lemma) {
      const auto it = in.proseCounts->find(lemma);
      return it == in.proseCounts->end() ? 0.0 : it->second;
    });
  }
  classes.Build(nounForms, feminines, thesaurus,
                [&](const std::string& l) { return analyserLemmas.count(l) != 0 || abbreviations.count(l) != 0; });
  *lines = classes.SourceLines();

  if (report) {
    std::fprintf(report, "semantic dictionary: %zu noun lemmas, %zu translated, %zu domains, %zu fields\n",
                 lemmas.size(), bridge.TranslatedCount(), fields.Domains().size(), fields.Fields().size());
    for (const auto& [k, v] : classes.counts) std::fprintf(report, "  %s: %zu\n", k.c_str(), v);
  }
  if (!in.measure.empty()) {
    SenseFigures figures;
    if (!MeasureSenses(in.measure, classes, fields, 30, &figures)) {
      *error = "cannot read " + in.measure;
      return false;
    }
    PrintSenseFigures(figures, stdout);
  }
  return true;
}

}  // namespace malvex::edition
