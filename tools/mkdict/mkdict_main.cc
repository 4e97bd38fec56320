// malvex-mkdict: compiles the dictionary files of a language edition from
// its plain UTF-8 sources (docs/edition-sources.md).
#include <cstdio>
#include <cstring>
#include <string>

#include "edition_compiler.h"

namespace {

void Usage(std::FILE* out) {
  std::fprintf(out,
               "usage: malvex-mkdict --sources DIR --out BASEPATH\n"
               "\n"
               "Compiles the sources of a language edition found in DIR (lexicon.tsv,\n"
               "verb_lemmas.tsv, adjective_lemmas.tsv, senses.tsv, matrix.tsv, norms.tsv,\n"
               "tables.tsv; each may be absent) into the dictionary files BASEPATH.lv8,\n"
               ".sv8, .vv8, .av8 and .zv8 (BASEPATH such as .../Dico/roglex). The same\n"
               "sources always give the same bytes.\n"
               "\n"
               "  --sources DIR   the folder of the sources\n"
               "  --out BASEPATH  the dictionary folder and base name of the files\n"
               "  --help          this text\n");
}

}  // namespace

int main(int argc, char** argv) {
  std::string sources;
  std::string out;
  for (int i = 1; i < argc; ++i) {
    const char* a = argv[i];
    if (std::strcmp(a, "--help") == 0 || std::strcmp(a, "-h") == 0) {
      Usage(stdout);
      return 0;
    }
    if ((std::strcmp(a, "--sources") == 0 || std::strcmp(a, "--out") == 0) && i + 1 < argc) {
      (a[2] == 's' ? sources : out) = argv[++i];
      continue;
    }
    std::fprintf(stderr, "malvex-mkdict: unexpected argument \"%s\"\n\n", a);
    Usage(stderr);
    return 64;
  }
  if (sources.empty() || out.empty()) {
    Usage(stderr);
    return 64;
  }
  malvex::EditionCompiler compiler;
  if (!compiler.ReadSources(sources) || !compiler.WriteEdition(out)) {
    std::fprintf(stderr, "malvex-mkdict: %s\n", compiler.error().c_str());
    return 1;
  }
  const struct {
    const malvex::EditionCompiler::LeftOut& left;
    const char* index;
  } leftOut[] = {{compiler.VerbsLeftOut(), "verb"}, {compiler.AdjectivesLeftOut(), "adjective"}};
  for (const auto& l : leftOut) {
    if (l.left.lemmas > 0 || l.left.forms > 0) {
      std::fprintf(stderr,
                   "malvex-mkdict: warning: the %s lemma index is full: %zu lemmas and %zu "
                   "inflected forms left out\n",
                   l.index, l.left.lemmas, l.left.forms);
    }
  }
  std::fprintf(stderr,
               "malvex-mkdict: %zu forms, %zu senses, %u verb lemmas, %u adjective lemmas -> %s.*\n",
               compiler.FormCount(), compiler.SenseCount(), compiler.VerbLemmaCount(),
               compiler.AdjectiveLemmaCount(), out.c_str());
  return 0;
}
