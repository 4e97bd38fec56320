#include "cli/cli_options.h"

#include <cstdlib>
#include <cstring>

#include "cli/pdf_options.h"
#include "platform/files.h"

namespace malvex {

namespace {

const char kUsage[] =
    "Usage: malvex-cli [options] FILE...\n"
    "       malvex-cli --each [options] FILE...\n"
    "       malvex-cli --lookup [--format FORMAT] WORD...\n"
    "       malvex-cli --import-owl FILE.owl [--output FILE.scn] [options]\n"
    "\n"
    "Analyses the files as one text (one corpus) with the Romanian edition's\n"
    "dictionaries and prints the results asked for on standard output (UTF-8).\n"
    "Without --result, prints the text style. With --each, analyses every file\n"
    "on its own and prints one record per file. With --lookup, prints the\n"
    "dictionary entries of the words instead.\n"
    "\n"
    "Results (--result NAME, repeatable or comma-separated; printed in the\n"
    "order asked):\n"
    "  style           the style diagnosis, then the number of files when there\n"
    "                  are several, of characteristic propositions and of episodes\n"
    "  references      the references (level-1 classes)\n"
    "  fields1         the reference fields 1 (level-3 classes, the broadest)\n"
    "  fields2         the reference fields 2 (level-2 classes)\n"
    "  scenario        the groups of the Scenario found in the text, sub-groups\n"
    "                  indented under their group\n"
    "  relations       the relations between classes of the relation level seen\n"
    "                  more than once: \"first > second\", tab, frequency\n"
    "  categories      the frequent word categories\n"
    "  all-categories  every word category\n"
    "  verbs, adjectives, substantives\n"
    "                  the lemmas of that category by frequency\n"
    "  episodes        each episode (status line) and the bundles it holds\n"
    "  parts           the most characteristic propositions, as text\n"
    "  terminology     the terms of the text, most frequent first, one per line:\n"
    "                  head word, tab, compound (its words joined by \"_\"), tab,\n"
    "                  frequency; a frequent noun missing from the Scenario has an\n"
    "                  empty compound. Compounds seen twice or more and nouns\n"
    "                  seen more than once are listed (--filter: 3 times, more\n"
    "                  than twice)\n"
    "A class or lemma line is the name, a tab and the frequency on 4 digits;\n"
    "lists stop at the class detection threshold.\n"
    "\n"
    "Output:\n"
    "  --format FORMAT  text (default): the lines of the result lists, each\n"
    "                     result after a \"== title\" line when several are asked\n"
    "                   json: one UTF-8 JSON object with the numbers behind each\n"
    "                     line (keys in docs/cli.md: files, words, propositions,\n"
    "                     completed, settings, results[name, title, information,\n"
    "                     overflow, items[text, ...]])\n"
    "                   csv: a header row, then one row per line (columns result,\n"
    "                     rank, type, text, name, second, frequency, percentage,\n"
    "                     actant, id, second_id, start, end)\n"
    "                   tsv: with --tagged or --lookup only (below)\n"
    "  --actant         class lists: only the classes seen at least half the\n"
    "                   time before the verb of their proposition, with that share\n"
    "  --acted          class lists: only the classes seen at least half the time\n"
    "                   after it, with that share (with both, or neither, every\n"
    "                   class is listed without a share)\n"
    "  --sort ORDER     frequency (default) or alphabetical, for class and lemma\n"
    "                   lists\n"
    "  --filter         terminology: only the most significant terms\n"
    "\n"
    "Each file on its own (--each; the names may also come from --list FILE):\n"
    "the dictionaries are loaded once, then every file is analysed as a text of\n"
    "its own, in the order given, and gives one record, in that order:\n"
    "  --format json    JSON Lines: one line per file, the object --format json\n"
    "                   prints, on one line, with \"file\" (the name as given) as\n"
    "                   its first member; a file that cannot be analysed gives\n"
    "                   {\"file\": NAME, \"completed\": false, \"error\": REASON};\n"
    "                   a text cut short gives its object with \"completed\": false\n"
    "                   and \"error\"\n"
    "  --format csv     one header row for the whole run, columns file, result,\n"
    "                   rank, type, text, name, second, frequency, percentage,\n"
    "                   actant, id, second_id, start, end; then the rows of each\n"
    "                   file with its name in the first column; a file that\n"
    "                   cannot be analysed, or not completely, has a row of type\n"
    "                   \"error\" first (result and rank empty, text the reason)\n"
    "  --format text    each file's text output after a line \"== NAME\", then an\n"
    "                   empty line; a file that cannot be analysed, or not\n"
    "                   completely, has the line \"error: REASON\" under its name\n"
    "A file that fails (missing, empty, unreadable, cut) is named on standard\n"
    "error and the others go on. Columns and keys keep their order from one\n"
    "version to the next; new ones only ever come last.\n"
    "\n"
    "Analysis options (for this run only; the stored settings are kept):\n"
    "  --scenario FILE  the Scenario file (a path, or a name in the Scenario\n"
    "                   folder) instead of the current one\n"
    "  --borders FILE.dlm\n"
    "                   analyse only the parts of the text the borders of this\n"
    "                   file keep (a path; lines \"X#######<TAB>word\" start\n"
    "                   leaving the text out, \"N#######<TAB>word\" stop it)\n"
    "  --relation-level LEVEL\n"
    "                   the level relations, bundles and episodes are built on:\n"
    "                   1 or references, 2 or fields2, 3 or fields1, 4 or scenario\n"
    "  --threshold-words N\n"
    "                   class detection threshold: N occurrences (1..999)\n"
    "  --threshold-pertinence N\n"
    "                   class detection threshold: N per 10,000 words (1..999)\n"
    "  --parts Q        quantity of characteristic parts, 1 (more) .. 100 (less)\n"
    "  --numbers-as-substantives\n"
    "                   written numbers are taken as substantives\n"
    "  --scenario-all-categories\n"
    "                   the Scenario applies to words of every category\n"
    "\n"
    "Graphs (besides the report; files analysed together):\n"
    "  --graph TYPE     star, areas, actors, distribution or episodes\n"
    "  --output FILE    the picture, FILE ending in .svg or .png\n"
    "  --item TEXT      the class (\"casa\") or relation (\"om > casa\") drawn,\n"
    "                   written as the result lists show it; star, areas and\n"
    "                   actors need one, distribution shows where it occurs\n"
    "  --level N        the level of --item's classes, 1..4\n"
    "  --size WxH       the picture's size in pixels (default 1000x700)\n"
    "\n"
    "Printed reports (files analysed together):\n"
    "  --pdf FILE.pdf   prints the reports into one PDF file, as the print\n"
    "                   dialog does: each on pages of its own, A4\n"
    "  --reports LIST   the reports, comma-separated, printed in this order:\n"
    "                   text, style, fields1, fields2, references, scenario,\n"
    "                   relations, episodes, graph, verbs, adjectives\n"
    "                   (default: text,references); graph prints the graph of\n"
    "                   --graph TYPE --item TEXT (no --output needed)\n"
    "\n"
    "Ontologies (--import-owl FILE.owl; no text is analysed):\n"
    "  --import-owl FILE.owl\n"
    "                   turn an OWL ontology (RDF/XML) into a Scenario: a group\n"
    "                   per class, nested by rdfs:subClassOf (the first parent\n"
    "                   kept, 8 levels at most), an item per label and synonym;\n"
    "                   the counters of classes, labels, synonyms and errors go\n"
    "                   to standard error, the path of the Scenario written too\n"
    "  --output FILE.scn  the Scenario written (replaced when it exists); by\n"
    "                   default OwlOutput.scn in the Scenario folder, or\n"
    "                   OwlOutput-2.scn... when that name is taken\n"
    "  --keep-other-languages\n"
    "                   keep the labels whose xml:lang is not Romanian\n"
    "  --keep-restrictions\n"
    "                   take the classes named inside owl:Restriction\n"
    "  --log FILE       the import's log (default: the OWL file's name ending in\n"
    "                   .log, beside it, or in the user's folder when that\n"
    "                   folder cannot be written)\n"
    "  Then --scenario FILE.scn analyses a text with the Scenario written.\n"
    "  Exit status: 0 done, 65 the OWL file is not well-formed XML (the log says\n"
    "  where), 66 it cannot be opened, 73 the Scenario cannot be written.\n"
    "\n"
    "Spreadsheet (besides the report; files analysed together):\n"
    "  --xlsx FILE.xlsx the Scenario group counts as a workbook: a sheet\n"
    "                   \"Statistics\" with one block per set of sibling groups\n"
    "                   (name, count, share) and a chart sheet per block of two\n"
    "                   groups or more (at most the settings' maximum, 8)\n"
    "  --scope SCOPE    all (default): every set of the Scenario; branch: every\n"
    "                   set of the top-level branch of --group; level: the\n"
    "                   siblings of --group (without --group: the first group)\n"
    "  --chart TYPE     default (column), bar, column, pie, area, radar or none\n"
    "  --group NAME     the group branch and level start from\n"
    "\n"
    "Other options:\n"
    "  -h, --help       show this help and exit\n"
    "  --version        show the version and exit\n"
    "  -q, --quiet      no progress line on standard error\n"
    "  -y, --yes        answer Yes (or Ok) to every question; without it each\n"
    "                   question takes its box's default button: a file bigger\n"
    "                   than the size warning of the settings (25 MB) is read up\n"
    "                   to there only, the files after it not at all, and the\n"
    "                   result is reported cut (standard error, \"completed\":\n"
    "                   false, status 1); with -y it is read whole\n"
    "  -i, --interactive  ask the questions on the terminal\n"
    "  --list FILE      read the names of the files to analyse from FILE, one per line\n"
    "  --tagged         print the analysed text, one word or end marker (\"/\") per\n"
    "                   line, instead of the results; with --format text (default):\n"
    "                   position, word as written, [separator] (the punctuation\n"
    "                   before the word), category, lemma; with --format tsv:\n"
    "                   tab-separated columns position, word as stored (lower\n"
    "                   case, '_' joining compounds), category, subcategory,\n"
    "                   tensePerson, modeMark, flags (decimal numbers), lemma;\n"
    "                   empty lemma when there is none\n"
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
    "  --               what follows is a file (or word), even when it starts with -\n"
    "\n"
    "Messages and questions of the engine go to standard error, and so does the\n"
    "progress of a long run. Ctrl-C asks the run to stop; the words read so far\n"
    "are kept.\n"
    "\n"
    "Exit status: 0 success, 1 analysis failed, stopped or cut short, 2\n"
    "dictionaries missing or corrupted, 3 with --each: one or more files failed\n"
    "or were cut (each has its error record, the others were analysed), 64 bad\n"
    "usage, 65 (--import-owl) the OWL file is malformed, 66 a file to analyse is\n"
    "missing, unreadable or empty (or the OWL file, the Scenario, or the\n"
    "borders file, cannot be read), 73 (--import-owl) the Scenario cannot be\n"
    "written, 132 category matrix unreadable (the engine's code 1412 cut to 8\n"
    "bits).\n";

struct NamedResult {
  CliResult result;
  const char* name;
};
constexpr NamedResult kResultNames[] = {
    {CliResult::kStyle, "style"},
    {CliResult::kReferences, "references"},
    {CliResult::kFields1, "fields1"},
    {CliResult::kFields2, "fields2"},
    {CliResult::kScenario, "scenario"},
    {CliResult::kRelations, "relations"},
    {CliResult::kCategories, "categories"},
    {CliResult::kAllCategories, "all-categories"},
    {CliResult::kVerbs, "verbs"},
    {CliResult::kAdjectives, "adjectives"},
    {CliResult::kSubstantives, "substantives"},
    {CliResult::kEpisodes, "episodes"},
    {CliResult::kParts, "parts"},
    {CliResult::kTerminology, "terminology"},
};

// A whole decimal number within [low, high].
std::optional<int> NumberIn(const std::string& text, int low, int high) {
  if (text.empty() || text.size() > 6) return std::nullopt;
  for (char c : text)
    if (c < '0' || c > '9') return std::nullopt;
  const int n = std::atoi(text.c_str());
  if (n < low || n > high) return std::nullopt;
  return n;
}

std::optional<int> RelationLevelOf(const std::string& text) {
  static constexpr struct {
    const char* name;
    int level;
  } kLevels[] = {{"references", 1}, {"fields2", 2}, {"fields1", 3}, {"scenario", 4}};
  for (const auto& l : kLevels)
    if (text == l.name) return l.level;
  return NumberIn(text, 1, 4);
}

// Adds the non-empty lines of the list file `path` to `operands`.
bool ReadListFile(const std::string& path, std::vector<std::string>& operands) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) operands.push_back(line);
    start = end + 1;
  }
  return true;
}

}  // namespace

const char* CliUsage() { return kUsage; }

const char* CliResultName(CliResult result) {
  for (const NamedResult& n : kResultNames)
    if (n.result == result) return n.name;
  return "";
}

std::optional<CliResult> CliResultOfName(const std::string& name) {
  for (const NamedResult& n : kResultNames)
    if (name == n.name) return n.result;
  return std::nullopt;
}

CliOptions ParseCommandLine(int argc, const char* const* argv) {
  CliOptions o;
  bool lookup = false;
  bool operandsOnly = false;  // after "--"
  std::optional<CliFormat> format;
  const auto fail = [&o](const std::string& error) {
    o.action = CliAction::kUsageError;
    o.error = error;
    return o;
  };
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (operandsOnly || a == "-" || a.empty() || a[0] != '-') {
      o.operands.push_back(a);
      continue;
    }
    if (a == "--") {
      operandsOnly = true;
      continue;
    }
    // Options with a value take it from the next argument or after "=".
    std::string name = a;
    std::optional<std::string> value;
    const size_t eq = a.find('=');
    if (a.rfind("--", 0) == 0 && eq != std::string::npos) {
      name = a.substr(0, eq);
      value = a.substr(eq + 1);
    }
    const auto takeValue = [&]() -> std::optional<std::string> {
      if (value) return value;
      if (i + 1 < argc) return std::string(argv[++i]);
      return std::nullopt;
    };
    static constexpr const char* kWithValue[] = {"--list", "--format", "--result", "--sort", "--scenario", "--borders",
                                                 "--relation-level", "--threshold-words",
                                                 "--threshold-pertinence", "--parts", "--graph", "--output", "--item",
                                                 "--level", "--size", "--pdf", "--reports", "--import-owl", "--log",
                                                 "--xlsx", "--scope", "--chart", "--group"};
    bool needsValue = false;
    for (const char* n : kWithValue) needsValue = needsValue || name == n;
    if (!needsValue && value) return fail("option " + name + " takes no value");
    std::string v;
    if (needsValue) {
      const std::optional<std::string> got = takeValue();
      if (!got) return fail("option " + name + " needs a value");
      v = *got;
    }

    if (name == "-h" || name == "--help") {
      o.action = CliAction::kHelp;
      return o;
    } else if (name == "--version") {
      o.action = CliAction::kVersion;
      return o;
    } else if (name == "-q" || name == "--quiet") {
      o.quiet = true;
    } else if (name == "-y" || name == "--yes") {
      o.box.assumeYes = true;
    } else if (name == "-i" || name == "--interactive") {
      o.box.interactive = true;
    } else if (name == "--list") {
      if (!ReadListFile(v, o.operands)) return fail("cannot read the list " + v);
    } else if (name == "--each") {
      o.each = true;
    } else if (name == "--tagged") {
      o.tagged = true;
    } else if (name == "--lookup") {
      lookup = true;
    } else if (name == "--format") {
      if (v == "text") format = CliFormat::kText;
      else if (v == "json") format = CliFormat::kJson;
      else if (v == "csv") format = CliFormat::kCsv;
      else if (v == "tsv") format = CliFormat::kTsv;
      else return fail("unknown format " + v + " (text, json, csv or tsv)");
    } else if (name == "--result") {
      size_t start = 0;
      while (start <= v.size()) {
        size_t end = v.find(',', start);
        if (end == std::string::npos) end = v.size();
        const std::string one = v.substr(start, end - start);
        const std::optional<CliResult> r = CliResultOfName(one);
        if (!r) return fail("unknown result " + one + " (see --help)");
        bool seen = false;
        for (CliResult x : o.results) seen = seen || x == *r;
        if (!seen) o.results.push_back(*r);
        start = end + 1;
      }
    } else if (name == "--filter") {
      o.termFilter = true;
    } else if (name == "--actant") {
      o.actant = true;
    } else if (name == "--acted") {
      o.acted = true;
    } else if (name == "--sort") {
      if (v == "alphabetical") o.alphabetical = true;
      else if (v == "frequency") o.alphabetical = false;
      else return fail("unknown sort order " + v + " (frequency or alphabetical)");
    } else if (name == "--scenario") {
      if (v.empty()) return fail("--scenario needs a file name");
      o.scenario = v;
    } else if (name == "--borders") {
      if (v.empty()) return fail("--borders needs a file name");
      o.borders = v;
    } else if (name == "--relation-level") {
      o.relationLevel = RelationLevelOf(v);
      if (!o.relationLevel) return fail("relation level " + v + " is not 1..4 or a level name");
    } else if (name == "--threshold-words" || name == "--threshold-pertinence") {
      o.thresholdValue = NumberIn(v, 1, 999);
      if (!o.thresholdValue) return fail(name + " takes a whole number from 1 to 999");
      o.thresholdByWords = name == "--threshold-words";
    } else if (name == "--parts") {
      o.partsQuantity = NumberIn(v, 1, 100);
      if (!o.partsQuantity) return fail("--parts takes a whole number from 1 to 100");
    } else if (name == "--graph") {
      if (v == "areas") o.graphType = 1;
      else if (v == "star") o.graphType = 2;
      else if (v == "distribution") o.graphType = 3;
      else if (v == "episodes") o.graphType = 4;
      else if (v == "actors") o.graphType = 5;
      else return fail("unknown graph " + v + " (star, areas, actors, distribution or episodes)");
    } else if (name == "--output") {
      const auto endsWith = [&](const char* tail) {
        const std::string t(tail);
        return v.size() > t.size() && v.compare(v.size() - t.size(), t.size(), t) == 0;
      };
      if (endsWith(".scn")) {
        o.owlOutput = v;
      } else {
        if (!endsWith(".svg") && !endsWith(".png"))
          return fail("--output takes a file ending in .svg or .png (.scn with --import-owl)");
        o.graphOutput = v;
      }
    } else if (name == "--item") {
      if (v.empty()) return fail("--item needs a text");
      o.graphItem = v;
    } else if (name == "--level") {
      o.graphLevel = NumberIn(v, 1, 4);
      if (!o.graphLevel) return fail("--level takes 1, 2, 3 or 4");
    } else if (name == "--size") {
      const size_t x = v.find('x');
      const std::optional<int> w = x == std::string::npos ? std::nullopt : NumberIn(v.substr(0, x), 16, 20000);
      const std::optional<int> h = x == std::string::npos ? std::nullopt : NumberIn(v.substr(x + 1), 16, 20000);
      if (!w || !h) return fail("--size takes WIDTHxHEIGHT, each 16 to 20000 pixels");
      o.graphWidth = *w;
      o.graphHeight = *h;
    } else if (name == "--pdf" || name == "--reports") {
      const std::string problem = ParsePdfOption(name, v, o);
      if (!problem.empty()) return fail(problem);
    } else if (name == "--import-owl") {
      if (v.empty()) return fail("--import-owl needs a file name");
      o.importOwl = v;
    } else if (name == "--keep-other-languages") {
      o.owlKeepOtherLanguages = true;
    } else if (name == "--keep-restrictions") {
      o.owlKeepRestrictions = true;
    } else if (name == "--log") {
      if (v.empty()) return fail("--log needs a file name");
      o.owlLog = v;
    } else if (IsXlsxOption(name)) {
      std::string why;
      if (!SetXlsxOption(o.xlsx, name, v, why)) return fail(why);
    } else if (name == "--numbers-as-substantives") {
      o.numbersAsSubstantives = true;
    } else if (name == "--scenario-all-categories") {
      o.scenarioOnAllCategories = true;
    } else {
      return fail("unknown option " + a);
    }
  }

  if (!o.importOwl.empty()) {
    if (!o.operands.empty() || lookup || o.tagged || o.each || o.graphType != 0)
      return fail("--import-owl takes no file to analyse and no --lookup, --tagged, --each or --graph");
    o.action = CliAction::kImportOwl;
    return o;
  }
  if (!o.owlOutput.empty() || !o.owlLog.empty() || o.owlKeepOtherLanguages || o.owlKeepRestrictions)
    return fail("--output FILE.scn, --log, --keep-other-languages and --keep-restrictions go with --import-owl");
  if (lookup && o.tagged) return fail("--lookup and --tagged exclude each other");
  if (o.graphType == 0 && (!o.graphOutput.empty() || !o.graphItem.empty() || o.graphLevel))
    return fail("--output, --item and --level go with --graph");
  if (!o.pdfReports.empty() && o.pdfOutput.empty()) return fail("--reports goes with --pdf");
  if (!o.pdfOutput.empty() && (lookup || o.tagged || o.each))
    return fail("--pdf does not go with --lookup, --tagged or --each");
  if (o.graphType != 0) {
    if (o.graphOutput.empty() && o.pdfOutput.empty()) return fail("--graph needs --output FILE (.svg or .png)");
    if (lookup || o.tagged || o.each) return fail("--graph does not go with --lookup, --tagged or --each");
  }
  if (o.xlsx.output.empty() && o.xlsx.optionGiven) return fail("--scope, --chart and --group go with --xlsx");
  if (!o.xlsx.output.empty() && (lookup || o.tagged || o.each))
    return fail("--xlsx does not go with --lookup, --tagged or --each");
  if (o.each && (lookup || o.tagged)) return fail(std::string("--each does not go with ") + (lookup ? "--lookup" : "--tagged"));
  if (lookup || o.tagged) {
    if (format == CliFormat::kJson || format == CliFormat::kCsv)
      return fail(std::string(lookup ? "--lookup" : "--tagged") + " prints text or tsv only");
    if (!o.results.empty()) return fail("--result does not go with " + std::string(lookup ? "--lookup" : "--tagged"));
  } else if (format == CliFormat::kTsv) {
    return fail("--format tsv goes with --tagged or --lookup; results take text, json or csv");
  }
  if (format) o.format = *format;
  if (o.operands.empty()) return fail(lookup ? "no word to look up" : "no file to analyse");
  if (lookup) o.action = CliAction::kLookup;
  if (o.results.empty()) o.results.push_back(CliResult::kStyle);
  return o;
}

}  // namespace malvex
