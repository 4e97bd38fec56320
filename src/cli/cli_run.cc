#include "cli/cli_run.h"

#include <filesystem>

#include "cli/analysis_settings.h"
#include "cli/report.h"
#include "cli/report_format.h"
#include "cli/tagged_lemma.h"
#include "cli/xlsx_output.h"
#include "engine/engine.h"
#include "cli/graph_output.h"
#include "cli/pdf_options.h"
#include "cli/pdf_output.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "foundations/display_form.h"
#include "reading/text_reader.h"

namespace malvex {

namespace {

std::string ResolveName(const std::string& folder, const std::string& given);

// The printed reports of --pdf, when this build has Qt to print with.
int WritePdfOfRun(Engine& engine, const CliOptions& o, const CliStreams& io) {
#ifdef MALVEX_CLI_GRAPHS
  PdfRequest request;
  request.output = ResolveName(io.callerFolder, o.pdfOutput);
  request.reports = PdfReportsOf(o);
  for (const std::string& f : o.operands) request.files.push_back(ResolveName(io.callerFolder, f));
  request.graphType = o.graphType;
  request.graphItem = o.graphItem;
  request.graphLevel = o.graphLevel;
  return WritePdf(engine, request, io.err);
#else
  (void)engine;
  (void)o;
  std::fprintf(io.err, "malvex-cli: this build prints no PDF (it was built without Qt)\n");
  return kExitUsage;
#endif
}

// The graph of --graph, when this build has the Qt canvas to draw it with.
int WriteGraphOfRun(Engine& engine, const GraphRequest& request, std::FILE* err) {
#ifdef MALVEX_CLI_GRAPHS
  return WriteGraph(engine, request, err);
#else
  (void)engine;
  (void)request;
  std::fprintf(err, "malvex-cli: this build draws no graphs (it was built without Qt)\n");
  return kExitUsage;
#endif
}

void Write(std::FILE* out, const std::string& text) { std::fwrite(text.data(), 1, text.size(), out); }

// `given` as a full path, a relative name taken from `folder`.
std::string ResolveName(const std::string& folder, const std::string& given) {
  const std::filesystem::path path(given);
  if (path.is_absolute() || folder.empty()) return path.lexically_normal().string();
  return (std::filesystem::path(folder) / path).lexically_normal().string();
}

// Pads `utf8` with blanks to `width` characters.
std::string Pad(const std::string& utf8, size_t width) {
  size_t chars = 0;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++chars;
  return chars >= width ? utf8 : utf8 + std::string(width - chars, ' ');
}

// The category label without its leading blanks.
std::string Label(Messages& messages, const WordCategory& c) {
  std::string label = LongLabel(messages, c, true);
  const size_t start = label.find_first_not_of(' ');
  return start == std::string::npos ? std::string() : label.substr(start);
}

// Writes the word stream, one node per line.
void PrintTagged(Engine& engine, bool tsv, std::FILE* out) {
  WordStream& stream = engine.stream();
  stream.Rewind();
  WordInfo info;
  WordNode* node = nullptr;
  int32_t position = 0;
  while (const char* text = stream.NextWithNode(info, node, position)) {
    const char* separator = node->separator;
    const std::string lemma = ToUtf8(TaggedLemma(engine, *node));
    const bool endMarker = text[0] == '/';
    const WordCategory& c = info.category;
    if (tsv) {
      std::fprintf(out, "%d\t%s\t%d\t%d\t%d\t%d\t%d\t%s\n", position, endMarker ? "/" : ToUtf8(text).c_str(),
                   c.category, c.subcategory, c.tensePerson, c.modeMark, c.flags, lemma.c_str());
    } else {
      const std::string form =
          endMarker ? "/" : ToUtf8(DisplayForm(text, info.capitalisation, info.apostrophePos, c, false));
      const std::string label = endMarker ? std::string() : ToUtf8(Label(engine.messages(), c));
      std::string line = std::to_string(position);
      line = std::string(line.size() < 7 ? 7 - line.size() : 0, ' ') + line;
      line += "  " + Pad(form, 24) + "  " + Pad("[" + ToUtf8(separator) + "]", 6) + "  " + label;
      if (!lemma.empty()) line += "  " + lemma;
      while (!line.empty() && line.back() == ' ') line.pop_back();
      std::fprintf(out, "%s\n", line.c_str());
    }
  }
}

// Why a file gave no words, as malvex-cli says it.
std::string UnreadText(const UnreadFile& u) {
  switch (u.reason) {
    case UnreadReason::kCannotOpen: return "cannot read: the file could not be opened";
    case UnreadReason::kEmpty: return "empty file";
    case UnreadReason::kNoWords: return "no words to analyse";
    case UnreadReason::kNoText:
      return u.detail.empty() ? std::string("cannot read: no converter could read the document")
                              : "cannot read: " + ToUtf8(u.detail);
  }
  return "cannot read";
}

// Names the overflowing results of `report` on `err`, after `file` when given.
void ReportOverflows(Engine& engine, const Report& report, const std::string* file, std::FILE* err) {
  for (const ReportResult& r : report.results)
    if (r.overflow)
      std::fprintf(err, "malvex-cli: %s%s%s: %s\n", file ? file->c_str() : "", file ? ": " : "",
                   CliResultName(r.result), ToUtf8(engine.messages().message(kOverflowMessageId)).c_str());
}

std::string FormatReport(const Report& report, CliFormat format) {
  switch (format) {
    case CliFormat::kJson: return FormatJson(report);
    case CliFormat::kCsv: return FormatCsv(report);
    default: return FormatText(report);
  }
}

}  // namespace

RunVerdict JudgeRun(Engine& engine, bool ran, const std::vector<std::string>& names, std::FILE* err) {
  static const std::string kNoName;
  const auto nameOf = [&names](int index) -> const std::string& {
    return index >= 1 && static_cast<size_t>(index) <= names.size() ? names[static_cast<size_t>(index) - 1] : kNoName;
  };
  const RunState& run = engine.run();
  RunVerdict v;
  // With one file the reasons need not name it; with several each does.
  const bool several = names.size() > 1;
  const auto add = [&v](const std::string& why) { v.error += (v.error.empty() ? "" : "; ") + why; };

  for (const UnreadFile& u : run.unreadFiles) {
    const std::string why = UnreadText(u);
    std::fprintf(err, "malvex-cli: %s: %s\n", nameOf(u.index).c_str(), why.c_str());
    add(several ? nameOf(u.index) + ": " + why : why);
  }
  v.noWords = !run.unreadFiles.empty() && run.unreadFiles.size() >= static_cast<size_t>(engine.files().Count());

  const ReadingCut& cut = run.cut;
  if (cut.cut) {
    const std::string& file = nameOf(cut.fileIndex);
    const std::string where = cut.wordLimit ? "the word limit was reached" : "the size warning was answered No";
    const std::string at = "at word " + std::to_string(cut.fileWords) + " of " + file;
    std::string left;
    if (cut.filesLeft > 0) left = " and the " + std::to_string(cut.filesLeft) + " file(s) after it were not read";
    const std::string kept = std::to_string(engine.stream().HighestPosition());
    if (cut.wordLimit) {
      std::fprintf(err,
                   "malvex-cli: the text was cut: the word limit of %lld words was reached %s%s; "
                   "the analysis keeps %s words\n",
                   static_cast<long long>(TextReader::kWordLimit), at.c_str(), left.c_str(), kept.c_str());
    } else {
      std::fprintf(err,
                   "malvex-cli: the text was cut: it is bigger than the size warning (%lld MB) and the question "
                   "was answered No; the reading stopped %s%s; the analysis keeps %s words (-y reads the whole "
                   "text)\n",
                   static_cast<long long>(run.sizeLimitBytes / 1024000), at.c_str(), left.c_str(), kept.c_str());
    }
    add("text cut " + at + " (" + where + ")" + left + "; " + kept + " words kept");
  }
  if (!ran) {
    const bool stopped = run.readInterrupted || run.stopRequested;
    std::fprintf(err, "malvex-cli: the analysis %s\n", stopped ? "was stopped" : "did not complete");
    add(stopped ? "stopped" : "the analysis did not complete");
  }
  v.completed = ran && !cut.cut && run.unreadFiles.empty();
  v.status = !ran || cut.cut ? kExitAnalysisFailed : !run.unreadFiles.empty() ? kExitUnreadableInput : kExitOk;
  return v;
}

int AnalyseTogether(Engine& engine, const CliOptions& o, const CliStreams& io) {
  RunSettings settings(engine);
  if (!settings.Apply(o, io.err)) {
    settings.Restore();
    return kExitUnreadableInput;
  }
  engine.files().Clear();
  size_t leftOut = 0;
  for (const std::string& f : o.operands) {
    if (leftOut > 0 || !engine.files().Add(ResolveName(io.callerFolder, f))) ++leftOut;
  }
  if (leftOut > 0)
    std::fprintf(io.err, "malvex-cli: more than %d files; the last %zu are left out (--each takes any number)\n",
                 TPileFile::kMaxFiles, leftOut);
  const bool ok = engine.RunAnalysis(1);
  RunVerdict verdict = JudgeRun(engine, ok, o.operands, io.err);
  if (leftOut > 0) {
    verdict.completed = false;
    verdict.error += (verdict.error.empty() ? "" : "; ") + std::to_string(leftOut) + " file(s) left out";
    if (verdict.status == kExitOk) verdict.status = kExitAnalysisFailed;
  }
  if (o.tagged) {
    PrintTagged(engine, o.format == CliFormat::kTsv, io.out);
  } else {
    Report report = BuildReport(engine, o, verdict.completed);
    report.files = o.operands;
    report.error = verdict.error;
    ReportOverflows(engine, report, nullptr, io.err);
    Write(io.out, FormatReport(report, o.format));
  }
  if (!o.pdfOutput.empty() && ok) {
    const int status = WritePdfOfRun(engine, o, io);
    if (status != kExitOk && verdict.status == kExitOk) verdict.status = status;
  }
  if (o.graphType != 0 && !o.graphOutput.empty() && ok) {
    GraphRequest request;
    request.type = o.graphType;
    request.item = o.graphItem;
    request.level = o.graphLevel;
    request.width = o.graphWidth;
    request.height = o.graphHeight;
    // The engine works in its own folder: a relative name is the caller's.
    request.output = ResolveName(io.callerFolder, o.graphOutput);
    const int status = WriteGraphOfRun(engine, request, io.err);
    if (status != kExitOk && verdict.status == kExitOk) verdict.status = status;
  }
  if (!o.xlsx.output.empty() && ok) {
    const int status = WriteXlsxOfRun(engine, o.xlsx, ResolveName(io.callerFolder, o.xlsx.output), io.err);
    if (status != kExitOk && verdict.status == kExitOk) verdict.status = status;
  }
  settings.Restore();
  return verdict.status;
}

int AnalyseEach(Engine& engine, const CliOptions& o, const CliStreams& io) {
  RunSettings settings(engine);
  if (!settings.Apply(o, io.err)) {
    settings.Restore();
    return kExitUnreadableInput;
  }
  if (o.format == CliFormat::kCsv) Write(io.out, CsvHeaderWithFile());
  const auto interrupted = [&io] { return io.interrupted && io.interrupted(); };
  size_t analysed = 0;
  size_t failed = 0;
  bool stopped = false;
  // One file list of one name, reused for every file.
  std::vector<std::string> names(1);
  for (const std::string& given : o.operands) {
    if (interrupted()) {
      stopped = true;
      break;
    }
    names[0] = given;
    const std::string path = ResolveName(io.callerFolder, given);
    std::string error;
    bool completed = false;
    std::string record;
    bool reported = false;  // the file has its report, rather than an error record
    const std::string reason = UnreadableReason(path);
    if (!reason.empty()) {
      std::fprintf(io.err, "malvex-cli: cannot read %s: %s\n", given.c_str(), reason.c_str());
      error = "cannot read: " + reason;
    } else {
      engine.files().Clear();
      engine.files().Add(path);
      const bool ok = engine.RunAnalysis(1);
      stopped = interrupted();
      const RunVerdict verdict = JudgeRun(engine, ok, names, io.err);
      completed = verdict.completed;
      error = verdict.error;
      if (!verdict.noWords) {
        Report report = BuildReport(engine, o, verdict.completed);
        report.files = names;
        report.error = verdict.error;
        ReportOverflows(engine, report, &given, io.err);
        reported = true;
        switch (o.format) {
          case CliFormat::kJson: record = FormatJsonLine(report, given); break;
          case CliFormat::kCsv: record = FormatCsvRows(report, given); break;
          default:
            record = "== " + given + "\n";
            if (!report.completed) record += "error: " + report.error + "\n";
            record += FormatText(report);
            break;
        }
      }
    }
    if (!reported) {
      switch (o.format) {
        case CliFormat::kJson: record = FormatJsonLineError(given, error); break;
        case CliFormat::kCsv: record = FormatCsvErrorRow(given, error); break;
        default: record = "== " + given + "\nerror: " + error + "\n"; break;
      }
    }
    // Text records are kept apart by an empty line.
    if (o.format == CliFormat::kText && record.compare(record.size() - 2, 2, "\n\n") != 0) record += "\n";
    Write(io.out, record);
    std::fflush(io.out);
    ++analysed;
    if (!completed) ++failed;
    if (stopped) break;
  }
  // The last file's text and semantic context are not kept.
  engine.ReleaseAnalysis(true);
  engine.files().Clear();
  settings.Restore();
  if (stopped) {
    std::fprintf(io.err, "malvex-cli: stopped after %zu of %zu file(s)\n", analysed, o.operands.size());
    return kExitAnalysisFailed;
  }
  return failed > 0 ? kExitSomeFilesFailed : kExitOk;
}

}  // namespace malvex
