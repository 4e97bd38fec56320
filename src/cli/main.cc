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

#include "cli/analysis_settings.h"
#include "cli/cli_borders.h"
#include "cli/cli_options.h"
#include "cli/report.h"
#include "cli/report_format.h"
#include "engine/engine.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "foundations/display_form.h"
#include "platform/basic_gauges.h"
#include "platform/console_box.h"
#include "platform/files.h"
#include "tagged_lemma.h"
#include "word_lookup.h"

namespace {

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
int Lookup(const malvex::CliOptions& o) {
  CliFrontEnd frontEnd(o.box, o.quiet);
  malvex::EngineOptions options;
  malvex::Engine engine(frontEnd, options);
  if (!engine.StartEngine()) return malvex::kExitDictionaries;
  const bool tsv = o.format == malvex::CliFormat::kTsv;
  const auto print = [&](const std::string& word) {
    std::fputs(malvex::LookupWord(engine, word, tsv).c_str(), stdout);
  };
  bool stdinRead = false;
  for (const std::string& w : o.operands) {
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
  return malvex::kExitOk;
}

// Analyses the files as one corpus and prints the word stream or the
// results asked for.
int Analyse(const malvex::CliOptions& o) {
  // Every file must be readable before the engine starts.
  if (!malvex::CheckInputFiles(o.operands, stderr)) return malvex::kExitUnreadableInput;
  // The engine makes the text folder current at start-up: take every name
  // relative to the folder the user called us from.
  std::vector<std::string> files;
  for (const std::string& f : o.operands) files.push_back(malvex::FullPath(f));

  CliFrontEnd frontEnd(o.box, o.quiet);
  malvex::EngineOptions options;
  if (o.borders && !malvex::UseBordersFile(*o.borders, options, stderr)) return malvex::kExitUnreadableInput;
  malvex::Engine engine(frontEnd, options);
  if (!engine.StartEngine()) return malvex::kExitDictionaries;
  malvex::RunSettings settings(engine);
  if (!settings.Apply(o, stderr)) {
    settings.Restore();
    engine.StopEngine();
    return malvex::kExitUnreadableInput;
  }
  std::signal(SIGINT, OnInterrupt);
  for (const std::string& f : files) {
    if (!engine.files().Add(f)) {
      std::fprintf(stderr, "malvex-cli: more than %d files; the rest are left out\n", malvex::TPileFile::kMaxFiles);
      break;
    }
  }
  const bool ok = engine.RunAnalysis(1);
  g_gauge = nullptr;
  if (!ok) std::fprintf(stderr, "malvex-cli: the analysis did not complete\n");
  if (o.tagged) {
    PrintTagged(engine, o.format == malvex::CliFormat::kTsv);
  } else {
    malvex::Report report = malvex::BuildReport(engine, o, ok);
    report.files = o.operands;
    for (const malvex::ReportResult& r : report.results)
      if (r.overflow)
        std::fprintf(stderr, "malvex-cli: %s: %s\n", malvex::CliResultName(r.result),
                     malvex::ToUtf8(engine.messages().message(malvex::kOverflowMessageId)).c_str());
    std::string out;
    switch (o.format) {
      case malvex::CliFormat::kJson: out = malvex::FormatJson(report); break;
      case malvex::CliFormat::kCsv: out = malvex::FormatCsv(report); break;
      default: out = malvex::FormatText(report); break;
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
  }
  settings.Restore();
  engine.StopEngine();
  return ok ? malvex::kExitOk : malvex::kExitAnalysisFailed;
}

}  // namespace

int main(int argc, char** argv) {
  const malvex::CliOptions o = malvex::ParseCommandLine(argc, argv);
  switch (o.action) {
    case malvex::CliAction::kHelp:
      std::fputs(malvex::CliUsage(), stdout);
      return malvex::kExitOk;
    case malvex::CliAction::kVersion:
      std::printf("malvex-cli 8.2 (Romanian edition)\n");
      return malvex::kExitOk;
    case malvex::CliAction::kUsageError:
      std::fprintf(stderr, "malvex-cli: %s\nTry 'malvex-cli --help'.\n", o.error.c_str());
      return malvex::kExitUsage;
    case malvex::CliAction::kLookup:
      return Lookup(o);
    case malvex::CliAction::kAnalyse:
      break;
  }
  return Analyse(o);
}
