// malvex-cli: the batch front end of Malvex. It runs the same engine as
// the desktop program over the files given on the command line and prints
// the results on standard output (UTF-8).
#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "foundations/category.h"
#include "foundations/charset.h"
#include "foundations/display_form.h"
#include "platform/basic_gauges.h"
#include "platform/console_box.h"
#include "platform/files.h"
#include "reading/engine.h"
#include "semantic/analysis_context.h"
#include "tagged_lemma.h"
#include "word_lookup.h"

namespace {

const char kUsage[] =
    "Usage: malvex-cli [options] FILE...\n"
    "       malvex-cli --lookup [--format FORMAT] WORD...\n"
    "\n"
    "Analyses the files as one text with the Romanian edition's dictionaries\n"
    "and prints a summary of the analysis on standard output (UTF-8).\n"
    "With --lookup, prints the dictionary entries of the words instead.\n"
    "\n"
    "Options:\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "  -q, --quiet      no progress line on standard error\n"
    "  -y, --yes        answer Yes (or Ok) to every question; without it each\n"
    "                   question takes its box's default button\n"
    "  -i, --interactive  ask the questions on the terminal\n"
    "  --list FILE      read the names of the files to analyse from FILE, one per line\n"
    "  --tagged         print the analysed text, one word or end marker (\"/\") per\n"
    "                   line, instead of the summary\n"
    "  --format FORMAT  the form of --tagged lines:\n"
    "                   text (default): position, word as written, [separator]\n"
    "                     (the punctuation before the word), category, lemma\n"
    "                   tsv: tab-separated columns position, word as stored\n"
    "                     (lower case, '_' joining compounds), category,\n"
    "                     subcategory, tensePerson, modeMark, flags (decimal\n"
    "                     numbers), lemma; empty lemma when there is none\n"
    "                   and of --lookup lines (see below)\n"
    "  --lookup WORD... print every reading of each word in the lexicon (label,\n"
    "                   lemma, flags) and its senses in the semantic dictionary;\n"
    "                   \"-\" reads the words from standard input, one per line.\n"
    "                   With --format tsv, one line per reading, tab-separated:\n"
    "                   word as given, reading index, category, subcategory,\n"
    "                   tensePerson, modeMark, flags (decimal numbers), lemma,\n"
    "                   then the level-1, level-2 and level-3 class names of the\n"
    "                   word's first sense on a substantive reading (empty\n"
    "                   otherwise); a word without any reading gives the line\n"
    "                   word, -1\n"
    "  --               what follows is a file (or word), even when it starts with -\n"    "\n"
    "Messages and questions of the engine go to standard error. Ctrl-C asks\n"
    "the run to stop; the words read so far are kept.\n"
    "\n"
    "Exit status: 0 success, 1 analysis failed or stopped, 2 dictionaries\n"
    "missing or corrupted, 1412 category matrix unreadable, 64 bad usage.\n";

malvex::Gauge* g_gauge = nullptr;

void OnInterrupt(int) {
  if (g_gauge) static_cast<malvex::SilentGauge*>(g_gauge)->ConfirmStop();
}

class CliFrontEnd : public malvex::FrontEnd {
 public:
  CliFrontEnd(malvex::ConsoleBoxOptions options, bool quiet)
      : box_([](const std::string& s) { return malvex::ToUtf8(s); }, options), quiet_(quiet) {}
  malvex::NotificationBox& Box() override { return box_; }
  std::unique_ptr<malvex::Gauge> CreateGauge() override {
    std::unique_ptr<malvex::Gauge> gauge;
    if (quiet_)
      gauge = std::make_unique<malvex::SilentGauge>();
    else
      gauge = std::make_unique<malvex::ConsoleGauge>([](const std::string& s) { return malvex::ToUtf8(s); });
    g_gauge = gauge.get();
    return gauge;
  }

 private:
  malvex::ConsoleBox box_;
  bool quiet_;
};

// Pads `utf8` with blanks to `width` characters.
std::string Pad(const std::string& utf8, size_t width) {
  size_t chars = 0;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
  return chars >= width ? utf8 : utf8 + std::string(width - chars, ' ');
}

// The category label without its leading blanks.
std::string Label(malvex::Messages& messages, const malvex::WordCategory& c) {
  std::string label = malvex::LongLabel(messages, c, true);
  const size_t start = label.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : label.substr(start);
}

// Prints the word stream, one node per line.
void PrintTagged(malvex::Engine& engine, bool tsv) {
  malvex::WordStream& stream = engine.stream();
  stream.Rewind();
  malvex::WordInfo info;
  malvex::WordNode* node = nullptr;
  int32_t position = 0;
  while (const char* text = stream.NextWithNode(info, node, position)) {
    const char* separator = node->separator;
    const std::string lemma = malvex::ToUtf8(malvex::TaggedLemma(engine, *node));
    const bool endMarker = text[0] == '/';
    const malvex::WordCategory& c = info.category;
    if (tsv) {
      std::printf("%d\t%s\t%d\t%d\t%d\t%d\t%d\t%s\n", position, endMarker ? "/" : malvex::ToUtf8(text).c_str(),
                  c.category, c.subcategory, c.tensePerson, c.modeMark, c.flags, lemma.c_str());
    } else {
      const std::string form =
          endMarker ? "/" : malvex::ToUtf8(malvex::DisplayForm(text, info.capitalisation, info.apostrophePos, c, false));
      const std::string label = endMarker ? std::string() : malvex::ToUtf8(Label(engine.messages(), c));
      std::string line = std::to_string(position);
      line = std::string(line.size() < 7 ? 7 - line.size() : 0, ' ') + line;
      line += "  " + Pad(form, 24) + "  " + Pad("[" + malvex::ToUtf8(separator) + "]", 6) + "  " + label;
      if (!lemma.empty()) line += "  " + lemma;
      while (!line.empty() && line.back() == ' ') line.pop_back();
      std::printf("%s\n", line.c_str());
    }
  }
}

// Prints the dictionary entries of `words` ("-" stands for the lines of
// standard input).
int Lookup(const std::vector<std::string>& words, bool tsv, malvex::ConsoleBoxOptions boxOptions, bool quiet) {
  CliFrontEnd frontEnd(boxOptions, quiet);
  malvex::EngineOptions options;
  malvex::Engine engine(frontEnd, options);
  if (!engine.StartEngine()) return 2;
  const auto print = [&](const std::string& word) {
    std::fputs(malvex::LookupWord(engine, word, tsv).c_str(), stdout);
  };
  bool stdinRead = false;
  for (const std::string& w : words) {
    if (w != "-") {
      print(w);
      continue;
    }
    if (stdinRead) continue;
    stdinRead = true;
    std::string line;
    while (std::getline(std::cin, line)) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (!line.empty()) print(line);
    }
  }
  engine.StopEngine();
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> files;
  bool quiet = false;
  bool tagged = false;
  bool tsv = false;
  bool lookup = false;
  bool operands = false;  // after "--" every argument is a file or word
  malvex::ConsoleBoxOptions boxOptions;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (operands) {
      files.push_back(a);
    } else if (a == "--") {
      operands = true;
    } else if (a == "-h" || a == "--help") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (a == "--version") {
      std::printf("malvex-cli 8.2 (Romanian edition)\n");
      return 0;
    } else if (a == "-q" || a == "--quiet") {
      quiet = true;
    } else if (a == "-y" || a == "--yes") {
      boxOptions.assumeYes = true;
    } else if (a == "-i" || a == "--interactive") {
      boxOptions.interactive = true;
    } else if (a == "--list" && i + 1 < argc) {
      std::string bytes;
      if (!malvex::ReadWholeFile(argv[++i], bytes)) {
        std::fprintf(stderr, "malvex-cli: cannot read the list %s\n", argv[i]);
        return 64;
      }
      size_t start = 0;
      while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) files.push_back(line);
        start = end + 1;
      }
    } else if (a == "--tagged") {
      tagged = true;
    } else if (a == "--lookup") {
      lookup = true;
    } else if ((a == "--format" && i + 1 < argc) || a.rfind("--format=", 0) == 0) {
      const std::string format = a == "--format" ? argv[++i] : a.substr(9);
      if (format != "text" && format != "tsv") {
        std::fprintf(stderr, "malvex-cli: unknown format %s (text or tsv)\n", format.c_str());
        return 64;
      }
      tsv = format == "tsv";
    } else if (a.size() > 1 && a[0] == '-') {
      std::fprintf(stderr, "malvex-cli: unknown option %s\n%s", a.c_str(), kUsage);
      return 64;
    } else {
      files.push_back(a);
    }
  }
  if (files.empty() || (lookup && tagged)) {
    std::fputs(kUsage, stderr);
    return 64;
  }
  if (lookup) return Lookup(files, tsv, boxOptions, quiet);

  // The engine makes the text folder current at start-up: take every name
  // relative to the folder the user called us from.
  for (std::string& f : files) f = malvex::FullPath(f);

  CliFrontEnd frontEnd(boxOptions, quiet);
  malvex::EngineOptions options;
  malvex::Engine engine(frontEnd, options);
  if (!engine.StartEngine()) return 2;
  std::signal(SIGINT, OnInterrupt);
  for (const std::string& f : files) {
    if (!engine.files().Add(f)) {
      std::fprintf(stderr, "malvex-cli: more than %d files; the rest are left out\n",
                   malvex::TPileFile::kMaxFiles);
      break;
    }
  }
  bool ok = engine.RunAnalysis(1);
  g_gauge = nullptr;
  if (tagged) {
    PrintTagged(engine, tsv);
    engine.StopEngine();
    return ok ? 0 : 1;
  }
  const malvex::AnalysisContext* analysis = engine.analysis();
  std::printf("files\t%d\n", engine.files().Count());
  std::printf("words\t%lld\n", analysis ? static_cast<long long>(analysis->Words()) : 0LL);
  std::printf("propositions\t%lld\n", analysis ? static_cast<long long>(analysis->Propositions()) : 0LL);
  std::printf("completed\t%s\n", ok ? "yes" : "no");
  engine.StopEngine();
  return ok ? 0 : 1;
}
