// The linguistic stages of the reading pass on real text: the words of the
// given files (UTF-8), cut as the text reader cuts them, go through the
// segment buffers with the edition's lexical lookup, disambiguation,
// proposition cutting and the word stream, repeated until at least ten
// million words have passed. Prints words per second (of wall-clock time,
// and of the processor time the program used, which other programs running
// at the same time do not change) and the memory held per stored word.
//
//   [MALVEX_BENCH_WORDS=N] reading_pass_bench DICTIONARY_BASE FILE...
// DICTIONARY_BASE is the edition's base path, for instance build/Dico/roglex.

#include <time.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "dictionaries/category_matrix.h"
#include "dictionaries/lemma_index.h"
#include "dictionaries/lexicon.h"
#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/string_pool.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/files.h"
#include "platform/scripted_box.h"
#include "reading/lexicon_analysis.h"
#include "reading/segmenter.h"
#include "reading/word_stream.h"
#include "semantic/category_statistics.h"
#include "bench_support.h"

namespace {

using malvex::bench::StatusKb;

using Clock = std::chrono::steady_clock;
using namespace malvex;

// At least this many words are fed; MALVEX_BENCH_WORDS may set another
// number.
constexpr uint64_t kMinWords = 10000000;

// Processor time used by this process, in seconds.
double ProcessSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// Cuts 8-bit text into (word, punctuation before it) as the text reader
// does: letters, digits and joiners make words, punctuation is kept,
// blanks and line ends only separate.
void CutWords(const std::string& text, const LanguageTables& tables,
              std::vector<std::pair<std::string, std::string>>& words) {
  std::string word, punctuation;
  const auto emit = [&] {
    if (word.empty()) return;
    if (word.size() > 79) word.resize(79);
    words.emplace_back(word, punctuation.empty() ? std::string(" ") : punctuation.substr(0, 7));
    word.clear();
    punctuation.clear();
  };
  for (const char ch : text) {
    const uint8_t c = static_cast<uint8_t>(ch);
    const uint8_t cls = tables.charClass[c];
    if (cls == kClassLetter || cls == kClassDigit || (cls == kClassJoiner && !word.empty())) {
      word += ch;
    } else if (cls == kClassPunctuation || c == '#' || c == '*' || c == '/' || c == '[' || c == ']') {
      emit();
      punctuation += ch;
    } else {
      emit();
    }
  }
  emit();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s DICTIONARY_BASE FILE...\n", argv[0]);
    return 64;
  }
  const std::string base = argv[1];
  ScriptedBox box;
  Messages messages(box);
  LanguageTables tables = DefaultLanguageTables();
  StringPool pool;

  const auto loadStart = Clock::now();
  Lexicon lexicon(messages, tables);
  lexicon.Open(base);
  SemanticDictionary semantic(messages, tables, pool);
  semantic.Load(base);
  LemmaIndex verbs(29, 7, &messages, &pool);
  verbs.Load(ChangeExtension(base, kVerbLemmaExtension));
  LemmaIndex adjectives(29, 7, &messages, &pool);
  adjectives.Load(ChangeExtension(base, kAdjectiveLemmaExtension));
  CategoryMatrix matrix;
  if (!matrix.Load(base + ".zv8")) {
    std::fprintf(stderr, "cannot read %s.zv8\n", base.c_str());
    return 2;
  }
  SemanticLexiconFallback fallback(semantic);
  lexicon.SetFallback(&fallback);
  lexicon.SetLemmaSources(&verbs, &semantic);
  const double loadMs = std::chrono::duration<double, std::milli>(Clock::now() - loadStart).count();

  std::vector<std::pair<std::string, std::string>> words;
  for (int i = 2; i < argc; ++i) {
    std::string bytes;
    if (!ReadWholeFile(argv[i], bytes)) {
      std::fprintf(stderr, "cannot read %s\n", argv[i]);
      return 2;
    }
    CutWords(FromUtf8(bytes), tables, words);
  }
  if (words.empty()) return 1;

  LexiconAnalysis analysis(lexicon, tables, matrix, &verbs, &adjectives, true);
  WordStream stream(&messages);
  CategoryStatistics statistics;
  PropositionWriter writer(stream, statistics);
  SegmentBuffer lexical, sentence;
  bool stop = false;
  Segmenter segmenter(lexical, sentence, analysis, writer, stop);

  const long rssBefore = StatusKb("VmRSS");
  const auto start = Clock::now();
  const double cpuStart = ProcessSeconds();
  uint64_t fed = 0;
  uint16_t file = 0;
  const char* wanted = std::getenv("MALVEX_BENCH_WORDS");
  const uint64_t minWords = wanted != nullptr ? std::strtoull(wanted, nullptr, 10) : kMinWords;
  while (fed < minWords) {
    segmenter.StartFile(stream.HighestPosition());
    writer.StartFile(++file);
    for (const auto& [word, separator] : words) {
      if (!segmenter.AddWord(word, separator)) {
        std::fprintf(stderr, "the word stream ran out of memory\n");
        return 1;
      }
    }
    if (!segmenter.EndOfFile("")) return 1;
    fed += words.size();
  }
  const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
  const double cpuSeconds = ProcessSeconds() - cpuStart;
  const long rssAfter = StatusKb("VmRSS");
  statistics.FinaliseStatistics();

  const uint64_t stored = stream.Count();
  std::printf("dictionaries loaded in %.0f ms\n", loadMs);
  std::printf("%zu words per pass, %u passes, %llu words fed, %llu nodes stored\n", words.size(),
              static_cast<unsigned>(file), static_cast<unsigned long long>(fed),
              static_cast<unsigned long long>(stored));
  std::printf("reading stages: %.2f s, %.0f words/s; processor %.2f s, %.0f words/s\n", seconds,
              static_cast<double>(fed) / seconds, cpuSeconds, static_cast<double>(fed) / cpuSeconds);
  std::printf("memory held: %.1f bytes per stored node (resident %ld -> %ld kB)\n",
              static_cast<double>(rssAfter - rssBefore) * 1024.0 / static_cast<double>(stored), rssBefore,
              rssAfter);
  std::printf("verbs %u, substantives %u, propositions %u\n", statistics.Counter(kStatVerb),
              statistics.Counter(kStatSubstantive), statistics.Counter(kStatProposition));
  return 0;
}
