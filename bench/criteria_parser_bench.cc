// The word search window's two costs with the Romanian edition: parsing a
// typed line of 100 words (tokens, compounds, readings, meanings, scenario
// groups; target at most 1 ms), as the window does (its table of 201 lines
// fills up) and with every token listed, and one text search through a word stream
// of 10,000,000 words that finds nothing until the end (a whole word, part
// of a word, a class, a verb lemma; target at most 0.5 s each).
//
//   criteria_parser_bench DICTIONARY_BASE [benchmark options]
// DICTIONARY_BASE is the edition's base path, for instance build/Dico/roglex.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "../tests/support/test_installation.h"
#include "bench_support.h"
#include "engine/engine.h"
#include "scenarios/criteria_parser.h"
#include "views/text_search.h"

namespace {

using namespace malvex;

struct Setting {
  bench::ScratchFolder dir;
  testing::QuietFrontEnd frontEnd;
  std::unique_ptr<Engine> engine;
  std::string line;  // 100 words
};
Setting* g_setting = nullptr;

// 100 words of the prose, blanks between them, as typed.
std::string TypedLine(int words) {
  const std::string prose = bench::ProseText(words + 20);
  std::string line;
  int count = 0;
  bool inWord = false;
  for (const char c : prose) {
    const bool letter = c != ' ' && c != ',' && c != '.' && c != '\n';
    if (letter && !inWord && ++count > words) break;
    if (letter) {
      line += c;
    } else if (inWord) {
      line += ' ';
    }
    inWord = letter;
  }
  return line;
}

void BM_ParseTypedLineOf100Words(benchmark::State& state) {
  TScenParser& parser = *g_setting->engine->criteriaParser();
  size_t lines = 0;
  for (auto _ : state) {
    parser.ParseText(g_setting->line);
    lines = parser.lines().size();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["tokens"] = parser.tokenCount();
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_ParseTypedLineOf100Words)->Unit(benchmark::kMicrosecond);

// The same line through the base parser, which takes every line: all 100
// tokens are looked up and listed, with no table to fill up.
void BM_AnalyseEveryTokenOf100Words(benchmark::State& state) {
  Engine& engine = *g_setting->engine;
  CriteriaParserSources sources;
  sources.tables = &engine.tables();
  sources.messages = &engine.messages();
  sources.lexicon = &engine.lexicon();
  sources.semantic = &engine.semanticDictionary();
  sources.verbLemmas = engine.verbLemmas();
  sources.adjectiveLemmas = engine.adjectiveLemmas();
  sources.scenario = &engine.scenarioLayer();
  TParseCmdCriteres parser(sources, CriteriaParserOptions{});
  for (auto _ : state) {
    parser.Parse(g_setting->line);
    benchmark::DoNotOptimize(parser.tokenResultCount());
  }
  state.counters["tokens"] = parser.tokenCount();
}
BENCHMARK(BM_AnalyseEveryTokenOf100Words)->Unit(benchmark::kMicrosecond);

// A stream of 10,000,000 words (an end marker after every eight), each
// word of a class and some verbs with a lemma; none of them is searched.
WordStream& LongStream() {
  static WordStream* stream = [] {
    auto* s = new WordStream(nullptr);
    static const char* const kWords[] = {"guvernul", "ministrul", "economiei", "spune", "astazi", "romania",
                                         "bucuresti", "dezvoltare", "proiectul", "legea", "parlamentul", "tara",
                                         "anul", "trecut", "important", "situatia", "problemele", "si", "de",
                                         "la", "care", "pentru", "invatamant", "sanatatii", "cetatenii"};
    constexpr size_t kCount = sizeof kWords / sizeof kWords[0];
    int32_t position = 0;
    uint32_t state = 12345;
    for (uint32_t k = 0; position < 10000000; ++k) {
      state = state * 1103515245u + 12345u;
      WordInfo info;
      const char* text = kWords[(state >> 16) % kCount];
      uint32_t lemma = 0;
      if (k % 9 == 8) {
        text = "/";
      } else {
        ++position;
        info.classPath[0] = 1 + (state >> 8) % 500;
        info.category.category = (state & 7) == 0 ? kClassVerb : kClassSubstantive;
        if (info.category.category == kClassVerb) lemma = 1 + (state >> 4) % 300;
      }
      if (!s->Append(text, " ", info, position, lemma, 1)) std::abort();
    }
    return s;
  }();
  return *stream;
}

void Search(benchmark::State& state, const TextSearchSubject& subject) {
  WordStream& stream = LongStream();
  TextSearch search(stream);
  for (auto _ : state) {
    const bool found = search.Find(subject, true);
    if (found) state.SkipWithError("the subject was found");
    benchmark::DoNotOptimize(found);
  }
  state.counters["words"] = stream.HighestPosition();
}

void BM_SearchWholeWordThrough10MWords(benchmark::State& state) {
  Search(state, TextSearchSubject::Word("parlamentar", true));
}
void BM_SearchPartOfWordThrough10MWords(benchmark::State& state) {
  Search(state, TextSearchSubject::Word("mentar", false));
}
void BM_SearchClassThrough10MWords(benchmark::State& state) { Search(state, TextSearchSubject::Class(1, 999)); }
void BM_SearchVerbThrough10MWords(benchmark::State& state) {
  Search(state, TextSearchSubject::Lemma(999, kClassVerb));
}
BENCHMARK(BM_SearchWholeWordThrough10MWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchPartOfWordThrough10MWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchClassThrough10MWords)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchVerbThrough10MWords)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: criteria_parser_bench DICTIONARY_BASE [benchmark options]\n");
    return 64;
  }
  Setting setting;
  g_setting = &setting;
  if (setting.dir.path().empty() || !testing::WriteTestInstallation(setting.dir.path(), argv[1])) {
    std::fprintf(stderr, "cannot copy the edition %s\n", argv[1]);
    return 2;
  }
  EngineOptions options;
  options.places = testing::TestSettingsPlaces(setting.dir.path());
  setting.engine = std::make_unique<Engine>(setting.frontEnd, options);
  if (!setting.engine->StartEngine() || setting.engine->criteriaParser() == nullptr) return 2;
  setting.line = TypedLine(100);

  argv[1] = argv[0];
  int benchArgc = argc - 1;
  benchmark::Initialize(&benchArgc, argv + 1);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  setting.engine->StopEngine();
  return 0;
}
