// Lexicon speed: builds an edition lexicon of about one million forms
// (generated Romanian-like forms plus the forms of a real text, some of them
// left out so that the text has unknown words), times its loading, then
// times lookups over the words of the text in reading order:
//   - Lookup of reading 0, as the expression merging asks;
//   - the reader's loop: LookupForm of readings 0, 1, ... while the reading
//     is ambiguous;
//   - the same reading-0 lookups walked along the stored tries, without the
//     load-time hash, for comparison.
// Usage: lexicon_bench [--edition BASEPATH] [TEXT.txt ...] (UTF-8 texts,
// read as one; the default text is /usr/share/common-licenses/GPL-3). With
// --edition, the lexicon BASEPATH.lv8 of a compiled edition is timed
// instead of a generated one. Times are processor time.

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <random>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "dictionaries/lexicon.h"
#include "dictionaries/lexicon_builder.h"
#include "foundations/charset.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/files.h"
#include "platform/scripted_box.h"

namespace {

// Processor time of the process: the machine may be busy with other work,
// which wall-clock time would count.
struct Clock {
  using duration = std::chrono::nanoseconds;
  using time_point = std::chrono::time_point<Clock, duration>;
  static time_point now() {
    timespec t;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return time_point(duration(static_cast<int64_t>(t.tv_sec) * 1000000000 + t.tv_nsec));
  }
};
using malvex::Lexicon;

constexpr size_t kForms = 1000000;
constexpr size_t kMinLookups = 10000000;

constexpr std::string_view kSyllables[] = {
    "ca", "pa", "ra", "ma", "ta", "la", "na", "sa", "de", "ne", "re", "te", "le", "me", "mi",
    "ri", "ti", "li", "ni", "si", "co", "po", "ro", "to", "lo", "mo", "cu", "pu", "ru", "tu",
    "lu", "mu", "str", "pr", "tr", "gr", "br", "fl", "cl", "ve", "vi", "fa", "fi", "ga", "ge",
    "gi", "ba", "bi", "du", "da", "za", "zi", "\xE3" "r", "\xE2" "n", "\xEE" "n", "\xBA" "a",
    "\xFE" "i", "sc", "nt", "mp"};
constexpr std::string_view kEndings[] = {
    "", "ul", "ului", "ii", "ilor", "a", "ei", "ele", "elor", "\xE3", "e", "i", "at", "ate",
    "ea", "esc", "e\xBA" "te", "im", "i\xFE" "i", "eaz\xE3", "are", "area", "\xE3" "rii", "iu"};

template <size_t N>
std::string_view Pick(std::mt19937& random, const std::string_view (&table)[N]) {
  return table[random() % N];
}

std::string Form(std::mt19937& random) {
  std::string form;
  const int syllables = 2 + static_cast<int>(random() % 3);
  for (int i = 0; i < syllables; ++i) form += Pick(random, kSyllables);
  form += Pick(random, kEndings);
  return form;
}

// One to three readings, mostly one, with plausible codes.
std::vector<uint16_t> Readings(std::mt19937& random) {
  static const uint16_t kCodes[] = {0x0800, 0x0100, 0x0401, 0x0105, 0x0810, 0x0402, 0x0201};
  const unsigned r = random() % 10;
  std::vector<uint16_t> codes(r < 7 ? 1 : (r < 9 ? 2 : 3));
  for (uint16_t& c : codes) c = kCodes[random() % 7];
  return codes;
}

// The words of the text, folded, in order (letters and '-' inside words).
std::vector<std::string> Words(const std::string& utf8, const malvex::LanguageTables& tables) {
  const std::string text = malvex::FromUtf8(utf8);
  std::vector<std::string> words;
  std::string word;
  for (const char ch : text) {
    const uint8_t c = static_cast<uint8_t>(ch);
    if (tables.charClass[c] == malvex::kClassLetter || (c == '-' && !word.empty())) {
      if (word.size() < 79) word.push_back(ch);
    } else if (!word.empty()) {
      malvex::FoldToLower(word);
      words.push_back(word);
      word.clear();
    }
  }
  if (!word.empty()) {
    malvex::FoldToLower(word);
    words.push_back(word);
  }
  return words;
}

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> paths;
  std::string edition;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--edition") == 0 && i + 1 < argc) {
      edition = argv[++i];
    } else {
      paths.push_back(argv[i]);
    }
  }
  if (paths.empty()) paths.push_back("/usr/share/common-licenses/GPL-3");
  std::string utf8;
  for (const std::string& path : paths) {
    std::string text;
    if (!malvex::ReadWholeFile(path, text)) {
      std::fprintf(stderr, "cannot read %s\n", path.c_str());
      return 1;
    }
    utf8 += text;
    utf8 += '\n';
  }
  const std::string textPath = paths.size() == 1 ? paths[0] : std::to_string(paths.size()) + " texts";
  const malvex::LanguageTables defaults = malvex::DefaultLanguageTables();
  const std::vector<std::string> words = Words(utf8, defaults);
  if (words.empty()) {
    std::fprintf(stderr, "no word in the texts\n");
    return 1;
  }

  char dir[] = "/tmp/malvex-lexicon-bench-XXXXXX";
  size_t left = 0;
  size_t n = 0;
  size_t builtForms = 0;
  size_t imageBytes = 0;
  double buildSeconds = 0;
  if (edition.empty()) {
    // The edition: every tenth distinct word of the text stays unknown; the
    // others are spread at random among the generated forms, as a real
    // edition would not store its frequent words together.
    std::mt19937 random(2024);
    std::unordered_set<std::string> all;
    std::vector<std::string> forms;
    std::unordered_set<std::string> leftOut;
    for (const std::string& w : words) {
      if (all.count(w) || leftOut.count(w)) continue;
      if (++n % 10 == 0) {
        leftOut.insert(w);
      } else {
        all.insert(w);
        forms.push_back(w);
      }
    }
    left = leftOut.size();
    while (forms.size() < kForms) {
      std::string f = Form(random);
      if (!leftOut.count(f) && all.insert(f).second) forms.push_back(std::move(f));
    }
    std::shuffle(forms.begin(), forms.end(), random);
    malvex::LexiconBuilder builder(defaults);
    for (const std::string& f : forms) builder.AddForm(f, Readings(random));
    std::string image;
    const Clock::time_point buildStart = Clock::now();
    if (!builder.Build(image)) {
      std::fprintf(stderr, "the lexicon could not be built\n");
      return 1;
    }
    buildSeconds = Seconds(Clock::now() - buildStart);
    builtForms = builder.FormCount();
    imageBytes = image.size();
    if (mkdtemp(dir) == nullptr || !malvex::WriteFileAtomically(std::string(dir) + "/ed.lv8", image)) {
      std::fprintf(stderr, "cannot write the lexicon\n");
      return 1;
    }
    edition = std::string(dir) + "/ed";
  }

  malvex::ScriptedBox box;
  malvex::Messages messages(box);
  malvex::LanguageTables tables = defaults;
  Lexicon lexicon(messages, tables);
  // Loading, the file read included: the first load of the process (its
  // memory still to be obtained from the system), then the best of three.
  double firstLoadSeconds = 0;
  double loadSeconds = 1e9;
  for (int i = 0; i < 4; ++i) {
    Lexicon fresh(messages, tables);
    const Clock::time_point start = Clock::now();
    fresh.Open(edition);
    const double s = Seconds(Clock::now() - start);
    if (i == 0) {
      firstLoadSeconds = s;
    } else {
      loadSeconds = std::min(loadSeconds, s);
    }
  }
  lexicon.Open(edition);
  if (builtForms == 0) {
    // A compiled edition: nothing to remove.
  } else if (std::getenv("MALVEX_KEEP_LEXICON") != nullptr) {
    std::printf("lexicon kept in %s/ed.lv8\n", dir);
  } else {
    std::remove((std::string(dir) + "/ed.lv8").c_str());
    std::remove(dir);
  }
  uint64_t cells = 0;
  for (int s = 1; s <= malvex::kLexiconSegments; ++s) cells += lexicon.segment(s).Used();

  const size_t rounds = (kMinLookups + words.size() - 1) / words.size();
  const size_t lookups = rounds * words.size();
  char buffer[96];
  auto copy = [&buffer](const std::string& w) {
    std::memcpy(buffer, w.data(), w.size());
    buffer[w.size()] = 0;
    return w.size();
  };

  // Reading 0 through the hash.
  uint64_t found = 0;
  Clock::time_point start = Clock::now();
  for (size_t r = 0; r < rounds; ++r) {
    for (const std::string& w : words) found += lexicon.Lookup(0, buffer, copy(w)) >= 0;
  }
  const double lookupSeconds = Seconds(Clock::now() - start);

  // The reader's loop.
  uint64_t readings = 0;
  uint64_t known = 0;
  start = Clock::now();
  for (size_t r = 0; r < rounds; ++r) {
    for (const std::string& w : words) {
      const size_t length = copy(w);
      for (int k = 0; k < malvex::kLexiconReadings; ++k) {
        lexicon.LookupForm(k, buffer, length, true, true);
        if (k == 0) known += lexicon.known();
        ++readings;
        if (!malvex::isAmbiguous(lexicon.category())) break;
      }
    }
  }
  const double readerSeconds = Seconds(Clock::now() - start);

  // Reading 0 walked along the tries.
  uint64_t walkedFound = 0;
  start = Clock::now();
  for (size_t r = 0; r < rounds; ++r) {
    for (const std::string& w : words) {
      const size_t length = copy(w);
      const int s = lexicon.SegmentOf(0, buffer, length);
      malvex::Trie32& trie = const_cast<malvex::Trie32&>(lexicon.segment(s));
      walkedFound += trie.Find(buffer, length) >= 0 && trie.Cursor().value != 0;
    }
  }
  const double walkSeconds = Seconds(Clock::now() - start);

  if (builtForms > 0) {
    std::printf("text: %s, %zu words (%zu distinct, %zu left out of the lexicon)\n",
                textPath.c_str(), words.size(), n, left);
    std::printf("lexicon: %zu generated forms, %llu cells, %.1f MB file, built in %.2f s\n",
                builtForms, static_cast<unsigned long long>(cells), imageBytes / 1e6, buildSeconds);
  } else {
    std::printf("text: %s, %zu words\n", textPath.c_str(), words.size());
    std::printf("lexicon: %s.lv8, %llu cells\n", edition.c_str(),
                static_cast<unsigned long long>(cells));
  }
  std::printf("load (read file, check, build the hash of %zu forms): first %.1f ms, then %.1f ms\n",
              lexicon.HashedForms(), firstLoadSeconds * 1e3, loadSeconds * 1e3);
  std::printf("Lookup reading 0:      %zu in %.3f s = %.1f M lookups/s (%.1f%% found)\n", lookups,
              lookupSeconds, lookups / lookupSeconds / 1e6, 100.0 * found / lookups);
  std::printf("reader loop:           %llu readings in %.3f s = %.1f M lookups/s (%.1f%% known)\n",
              static_cast<unsigned long long>(readings), readerSeconds,
              readings / readerSeconds / 1e6, 100.0 * known / lookups);
  std::printf("trie walk, no hash:    %zu in %.3f s = %.1f M lookups/s\n", lookups, walkSeconds,
              lookups / walkSeconds / 1e6);
  return found == walkedFound ? 0 : 1;
}
