// malvex-edition: builds the sources of the Romanian edition's dictionaries
// from Debian's open linguistic data and the curated tables.
//
//   malvex-edition enumerate LT-PRINT ANALYSER.bin CACHE.tsv
//       lists every (surface, analysis) path of the morphological analyser
//       (the slow step, cached in the build tree);
//   malvex-edition build [options] OUTPUT-FOLDER
//       assembles the readings of every form, trains the category matrix
//       and the norms on Debian's Romanian prose, and writes the sources
//       that malvex-mkdict compiles (docs/edition-sources.md);
//       --measure FILE.conllu prints the coverage on a treebank;
//   malvex-edition scenario DATA-DIR OUTPUT.scn
//       writes the default scenario from the curated semantic tables.
#include <sys/stat.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iostream>
#include <sstream>
#include <unordered_set>

#include "att_paths.h"
#include "curated_tables.h"
#include "default_scenario.h"
#include "edition_sources.h"
#include "foundations/charset.h"
#include "foundations/language_tables.h"
#include "hunspell_affixes.h"
#include "lexicon_assembly.h"
#include "noun_sense_source.h"
#include "prose_model.h"
#include "treebank_measure.h"

using namespace malvex;
using namespace malvex::edition;

namespace {

int Usage() {
  std::fprintf(stderr,
               "usage: malvex-edition enumerate LT-PRINT ANALYSER.bin CACHE.tsv\n"
               "       malvex-edition build --data DIR --paths CACHE.tsv --hunspell AFF DIC\n"
               "                            --thesaurus DAT --wordnet DIR --apertium DIR [--prose DIR]...\n"
               "                            [--measure FILE.conllu] OUT-DIR\n"
               "       malvex-edition scenario DATA-DIR OUTPUT.scn\n");
  return 64;
}

int Enumerate(const char* ltPrint, const char* analyser, const char* cache) {
  const std::string command = std::string(ltPrint) + " '" + analyser + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) {
    std::fprintf(stderr, "malvex-edition: cannot run %s\n", command.c_str());
    return 1;
  }
  std::string text;
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) text.append(buf, n);
  if (pclose(pipe) != 0 || text.empty()) {
    std::fprintf(stderr, "malvex-edition: %s failed\n", command.c_str());
    return 1;
  }
  std::istringstream in(text);
  AttTransducer t;
  if (!t.Read(in)) {
    std::fprintf(stderr, "malvex-edition: unreadable transducer from %s\n", analyser);
    return 1;
  }
  // Only the first word of a clitic compound and the first analysis are
  // kept, so the cache stays small; lines are unique and sorted.
  std::unordered_set<std::string> lines;
  size_t paths = 0;
  for (size_t s = 0; s < t.SectionCount(); ++s) {
    paths += t.Enumerate(s, [&](const std::string& surface, const std::string& analysis) {
      std::string a = analysis, f = surface;
      const size_t plus = a.find('+');
      if (plus != std::string::npos) {
        const size_t hyphen = f.find('-');
        if (hyphen == std::string::npos) return;
        a.resize(plus);
        f.resize(hyphen + 1);
      }
      lines.insert(f + '\t' + a);
    });
  }
  std::vector<std::string> sorted(lines.begin(), lines.end());
  std::sort(sorted.begin(), sorted.end());
  const std::string tmp = std::string(cache) + ".tmp";
  std::ofstream out(tmp, std::ios::binary);
  for (const std::string& l : sorted) out << l << '\n';
  out.close();
  if (!out || std::rename(tmp.c_str(), cache) != 0) {
    std::fprintf(stderr, "malvex-edition: cannot write %s\n", cache);
    return 1;
  }
  std::fprintf(stderr, "malvex-edition: %zu paths, %zu kept\n", paths, sorted.size());
  return 0;
}

void ListHtml(const std::string& dir, std::vector<std::string>* files) {
  DIR* d = opendir(dir.c_str());
  if (!d) return;
  while (dirent* e = readdir(d)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    const std::string path = dir + "/" + name;
    struct stat st;
    if (stat(path.c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) ListHtml(path, files);
    else if (name.size() > 5 && name.compare(name.size() - 5, 5, ".html") == 0) files->push_back(path);
  }
  closedir(d);
}

bool ReadWhole(const std::string& path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  *text = s.str();
  return true;
}

// The Romanian paragraphs of the prose folders: a paragraph is kept when
// most of its words are Romanian forms the lexicon knows.
std::string RomanianProse(const std::vector<std::string>& folders, const LexiconAssembly& lexicon, size_t* words) {
  static const LanguageTables tables = DefaultLanguageTables();
  std::vector<std::string> files;
  for (const std::string& f : folders) ListHtml(f, &files);
  std::sort(files.begin(), files.end());
  std::string text;
  *words = 0;
  for (const std::string& path : files) {
    std::string html;
    if (!ReadWhole(path, &html)) continue;
    for (const std::string& p : HtmlParagraphs(html)) {
      const std::string t = FromUtf8(p);
      size_t total = 0, known = 0, diacritics = 0;
      std::string w;
      for (size_t i = 0; i <= t.size(); ++i) {
        const uint8_t c = i < t.size() ? static_cast<uint8_t>(t[i]) : ' ';
        if (tables.charClass[c] == kClassLetter) {
          w += static_cast<char>(c);
          if (c == 0xE3 || c == 0xE2 || c == 0xEE || c == 0xBA || c == 0xFE) ++diacritics;
          continue;
        }
        if (w.empty()) continue;
        FoldToLower(w);
        ++total;
        if (lexicon.Find(w)) ++known;
        w.clear();
      }
      if (total < 5 || known * 10 < total * 8 || diacritics == 0) continue;
      text += t;
      text += "\n.\n";
      *words += total;
    }
  }
  return text;
}

int Build(int argc, char** argv) {
  std::string data, paths, aff, dic, thesaurus, wordnet, apertium, measure, out;
  std::vector<std::string> prose;
  for (int i = 2; i < argc; ++i) {
    const std::string a = argv[i];
    auto next = [&]() -> std::string { return i + 1 < argc ? argv[++i] : std::string(); };
    if (a == "--data") data = next();
    else if (a == "--paths") paths = next();
    else if (a == "--hunspell") {
      aff = next();
      dic = next();
    } else if (a == "--thesaurus") thesaurus = next();
    else if (a == "--wordnet") wordnet = next();
    else if (a == "--apertium") apertium = next();
    else if (a == "--prose") prose.push_back(next());
    else if (a == "--measure") measure = next();
    else if (!a.empty() && a[0] != '-' && out.empty()) out = a;
    else return Usage();
  }
  if (data.empty() || paths.empty() || aff.empty() || thesaurus.empty() || wordnet.empty() || apertium.empty() ||
      out.empty()) {
    return Usage();
  }

  CuratedTables tables;
  std::string error;
  if (!tables.Load(data, &error)) {
    std::fprintf(stderr, "malvex-edition: %s\n", error.c_str());
    return 1;
  }
  LexiconAssembly lexicon(tables);
  {
    std::ifstream in(paths, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "malvex-edition: cannot read %s\n", paths.c_str());
      return 1;
    }
    std::string line;
    while (std::getline(in, line)) {
      const size_t tab = line.find('\t');
      if (tab != std::string::npos) lexicon.AddAnalyserPath(line.substr(0, tab), line.substr(tab + 1));
    }
  }
  lexicon.AddSimplePast();
  lexicon.AddCurated();
  std::map<std::string, std::vector<int>> thesaurusClasses;
  if (!ReadThesaurusClasses(thesaurus, &thesaurusClasses)) {
    std::fprintf(stderr, "malvex-edition: cannot read %s\n", thesaurus.c_str());
    return 1;
  }
  HunspellAffixes hunspell;
  if (!hunspell.Load(aff, dic)) {
    std::fprintf(stderr, "malvex-edition: cannot read %s or %s\n", aff.c_str(), dic.c_str());
    return 1;
  }
  lexicon.AddHunspell(hunspell, thesaurusClasses);
  lexicon.AddParticipleAdjectives(hunspell, thesaurusClasses);
  lexicon.AddThesaurusAdverbs(thesaurusClasses);
  lexicon.AddThesaurusAdjectives(thesaurusClasses);
  lexicon.AddShortAuxiliaryCompounds();
  lexicon.AddNounPairAdjectives(hunspell);
  lexicon.DropArticledAdjectives();
  lexicon.AddAdjectiveAdverbs();
  lexicon.Finish([](const std::string&, int) { return 0.0; });

  // Training on the prose.
  size_t proseWords = 0;
  const std::string text = RomanianProse(prose, lexicon, &proseWords);
  std::vector<Sentence> sentences = CutProse(text, lexicon);
  ProseModel model;
  // One re-estimation: the counts over the readings' even shares give the
  // n-grams, one pass with them gives the readings' order; further passes
  // sharpen the prose's own habits (its many adjectives and imperatives)
  // and read other texts worse.
  model.Train(sentences, 1);
  model.CollectPriors(sentences);
  lexicon.Finish([&](const std::string& form, int c) {
    const LexiconAssembly::Entry* e = lexicon.Find(form);
    std::vector<int> classes;
    for (const Reading& r : e->readings) classes.push_back(RecordClass(r.code));
    return model.Prior(form, classes, c);
  });
  sentences = CutProse(text, lexicon);
  model.Tag(sentences);

  // The fundamental vocabulary: the most frequent lemmas of the prose until
  // they make kFundamentalShare of its words.
  constexpr double kFundamentalShare = 0.73;
  std::map<std::string, double> lemmaCount;
  ProseStatistics st = CountStatistics(sentences, lexicon, &lemmaCount);
  std::vector<std::pair<double, std::string>> ranked;
  for (const auto& [l, c] : lemmaCount) {
    if (!l.empty()) ranked.emplace_back(c, l);
  }
  std::sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first > b.first : a.second < b.second;
  });
  std::set<std::string> fundamental;
  double covered = 0;
  for (const auto& [c, l] : ranked) {
    if (covered >= kFundamentalShare * st.words) break;
    fundamental.insert(l);
    covered += c;
  }
  for (auto& [form, e] : lexicon.MutableForms()) {
    for (Reading& r : e.readings) {
      if (fundamental.count(r.lemma.empty() ? form : r.lemma)) r.code |= kFundamentalBit;
    }
  }
  st = CountStatistics(sentences, lexicon, nullptr);
  const std::array<double, 78> pct = st.Percentages();

  // Norms: the prose's percentages where the style rules and the category
  // lists read them; the built-in values elsewhere.
  LanguageTables defaults = DefaultLanguageTables();
  std::vector<int> norms(78, 0);
  for (int i = 1; i <= 77; ++i) norms[i] = defaults.normOf(i);
  static const int kComputed[] = {4,  5,  6,  7,  10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23,
                                  24, 25, 26, 27, 28, 29, 30, 32, 33, 34, 35, 36, 37, 38, 39, 40, 59, 62,
                                  63, 64, 70, 71, 72, 73, 74, 75, 76};
  for (const int i : kComputed) norms[i] = static_cast<int>(std::lround(pct[i]));

  // Sources of the dictionary compiler.
  const LemmaPriority priority(lexicon, lemmaCount, thesaurusClasses);
  // The short forms of a verb reach the third person in -ează or -ește;
  // those of an adjective stop before its articled forms.
  const LemmaTable verbs = FitLemmaTable(lexicon.VerbLemmas(), priority, 3);
  const LemmaTable adjectives = FitLemmaTable(lexicon.AdjectiveLemmas(), priority, 2);
  mkdir(out.c_str(), 0755);
  // The noun senses: references from the thesaurus, fields from WordNet
  // through the bilingual dictionaries.
  NounSenseInputs senseInputs;
  senseInputs.data = data;
  senseInputs.thesaurus = thesaurus;
  senseInputs.wordnet = wordnet;
  senseInputs.analyserPaths = paths;
  senseInputs.work = out;
  senseInputs.bridges = DebianBridgeDictionaries(apertium);
  senseInputs.measure = measure;
  senseInputs.proseCounts = &lemmaCount;
  std::vector<int16_t> matrix = model.MatrixValues();
  ApplyMatrixAdjustments(tables.MatrixAdjustments(), &matrix);
  std::vector<std::string> senseLines;
  if (!BuildNounSenseLines(lexicon, senseInputs, &senseLines, stderr, &error)) {
    std::fprintf(stderr, "malvex-edition: %s\n", error.c_str());
    return 1;
  }
  const struct {
    const char* name;
    const char* header;
    std::vector<std::string> lines;
  } sources[] = {
      {"lexicon.tsv", "# Word forms and their readings in order (category codes in hexadecimal).\n",
       LexiconSourceLines(lexicon)},
      {"verb_lemmas.tsv", "# Verb forms and their lemma, the lemmas in order of worth.\n", LemmaSourceLines(verbs)},
      {"adjective_lemmas.tsv", "# Adjective forms and their lemma, the lemmas in order of worth.\n",
       LemmaSourceLines(adjectives)},
      {"senses.tsv",
       "# Noun senses, the senses of a form in order of likelihood: form, reference (class 1),\n"
       "# reference field 2, reference field 1, flags (key level), noun lemma.\n",
       senseLines},
      {"matrix.tsv", "# Category matrix: value index and weight; unlisted weights are 0.\n",
       MatrixSourceLines(matrix)},
      {"norms.tsv", "# Reference percentages of the style diagnosis: statistics index and percentage.\n",
       NormSourceLines(norms)},
  };
  for (const auto& s : sources) {
    if (!WriteSource(out + "/" + s.name, s.header, s.lines)) {
      std::fprintf(stderr, "malvex-edition: cannot write %s/%s\n", out.c_str(), s.name);
      return 1;
    }
  }

  std::fprintf(stderr, "malvex-edition: %zu forms\n", sources[0].lines.size());
  const struct {
    const char* what;
    size_t lemmas, forms, lemmasLeftOut, formsLeftOut;
  } indexes[] = {
      {"verb", verbs.lemmas, verbs.pairs.size() - verbs.lemmas, verbs.lemmasLeftOut, verbs.formsLeftOut},
      {"adjective", adjectives.lemmas, adjectives.pairs.size() - adjectives.lemmas, adjectives.lemmasLeftOut,
       adjectives.formsLeftOut},
  };
  for (const auto& t : indexes) {
    std::fprintf(stderr, "  %s lemmas: %zu with %zu inflected forms; %zu lemmas and %zu forms left out for lack of room\n",
                 t.what, t.lemmas, t.forms, t.lemmasLeftOut, t.formsLeftOut);
  }
  std::fprintf(stderr, "  noun senses: %zu\n", senseLines.size());
  for (const auto& [k, v] : lexicon.counts) std::fprintf(stderr, "  %s: %zu\n", k.c_str(), v);
  std::fprintf(stderr, "  prose: %zu words, %zu sentences; fundamental lemmas: %zu (%.1f %% of the prose)\n",
               proseWords, sentences.size(), fundamental.size(), pct[40]);

  if (!measure.empty()) {
    TreebankFigures f;
    if (!MeasureTreebank(measure, lexicon, model, &f)) {
      std::fprintf(stderr, "malvex-edition: cannot read %s\n", measure.c_str());
      return 1;
    }
    PrintFigures(f, stdout);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "enumerate") == 0) {
    if (argc != 5) return Usage();
    return Enumerate(argv[2], argv[3], argv[4]);
  }
  if (argc >= 2 && std::strcmp(argv[1], "build") == 0) return Build(argc, argv);
  if (argc == 4 && std::strcmp(argv[1], "scenario") == 0) {
    std::string error;
    if (!WriteDefaultScenario(argv[2], argv[3], &error)) {
      std::fprintf(stderr, "malvex-edition: %s\n", error.c_str());
      return 1;
    }
    return 0;
  }
  return Usage();
}
