// The conversion of an ontology in the Web Ontology Language (OWL, RDF/XML
// form) into a scenario: one group per class, nested by rdfs:subClassOf,
// and one item per label and synonym of the class. Everything the
// conversion does is written to a log kept beside the OWL file.
//
// Reading: the file is parsed as XML (pugixml), so entities are decoded,
// line breaks inside tags separate attributes and a UTF-8 character is
// never cut. Then the elements are walked in document order:
// - owl:Class outside rdfs:subClassOf defines a class (identifier from its
//   first rdf:ID, rdf:about or rdf:resource attribute, without a leading
//   '#'); a second definition of the same identifier is an error and keeps
//   the first number, its labels going to that class.
// - owl:Class inside rdfs:subClassOf, and rdfs:subClassOf with an
//   rdf:resource, name a parent of the enclosing class; the first parent
//   read is kept.
// - inside owl:Restriction, class references are skipped when restrictions
//   are ignored.
// - the text of an element whose name begins with "rdfs" (any case: labels
//   and comments alike) is a label of the enclosing class, that of one
//   beginning with "syno" a synonym; text outside every class (labels of
//   properties, of the ontology) is not attached to any class. With
//   "ignore the other languages", a text whose xml:lang does not begin with
//   the edition's code is skipped. Runs of blanks and control characters
//   become one blank; blanks at both ends go.
// Writing: groups in class number order, children below their parent at
// depth + 1 (capped at 8), labels longer than 79 characters cut; each label
// gives an item, the typed-term form of its first 78 characters, and with
// the unaccented forms asked (option and setting) also its unaccented form
// when that differs. Classes that sit in a cycle of subClassOf links, away
// from every root, are not written (the log names them).
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "foundations/language_tables.h"

namespace malvex {

class Messages;
class ScenarioStore;
struct Folders;

// Name of the scenario an import writes in the Scenario folder.
inline constexpr char kOwlOutputName[] = "OwlOutput.scn";
// Deepest group an import writes.
inline constexpr int kOwlMaxDepth = 8;
// Longest item text taken from a label before it is made a typed term.
inline constexpr size_t kOwlItemLength = 78;
// Longest text kept from one element.
inline constexpr size_t kOwlTextLimit = 65533;

struct OwlImportOptions {
  // "Generate additional flexed forms": the unaccented form of each item...
  bool flexedForms = true;
  // ...when the unaccented-forms-in-the-scenario setting is on as well.
  bool unaccentedSetting = false;
  // The file is Unicode (UTF-8, or as its declaration says) and its text is
  // converted to code page 1250 (a character without equivalent gives '#');
  // off: its bytes are taken as code-page letters.
  bool convertUnicode = true;
  bool discardOtherLanguages = true;
  bool ignoreRestrictions = true;
  // Every tag, text and class extracted goes to the log.
  bool verboseLog = false;
  // With conversion on, the converted input goes to the log.
  bool dumpInput = false;
  // The edition's two-letter language code.
  std::string languageCode = "ro";
};

struct OwlImportCounters {
  int64_t classes = 0;        // classes defined
  int64_t labels = 0;         // labels and synonyms attached to a class
  int64_t synonyms = 0;       // of which synonyms
  int64_t parsingErrors = 0;  // malformed file, anonymous classes, misplaced synonyms, links out of a class
  int64_t classIdErrors = 0;  // parents named by subClassOf that no class defines
};

enum class OwlImportStatus {
  kDone,
  kCannotOpen,   // the OWL file cannot be opened or read
  kMalformed,    // the OWL file is not well-formed XML (the log says where)
  kWriteFailed,  // the scenario cannot be written
};

struct OwlImportResult {
  OwlImportStatus status = OwlImportStatus::kDone;
  OwlImportCounters counters;
  // The whole log, 8-bit text, one line per '\n'.
  std::string log;
  // The last status text ("*** OWL Conversion process done" on success).
  std::string statusText;
  // For kMalformed: "line L, column C".
  std::string where;
  // Where the log was written; empty when it could not be.
  std::string logPath;
  // Groups and items written.
  int64_t groups = 0;
  int64_t items = 0;
};

// Progress texts (bytes read, the steps), 8-bit.
using OwlStatusSink = std::function<void(const std::string&)>;

// Converts the OWL document `bytes` into the entries of `store` (emptied
// first), filling the log and the counters. Fails only with kMalformed.
OwlImportResult ConvertOwl(std::string_view bytes, const OwlImportOptions& options, const LanguageTables& tables,
                           ScenarioStore& store, const OwlStatusSink& status = {});

// What an import reads and writes.
struct OwlImportFiles {
  std::string owl;       // the OWL file
  std::string scenario;  // the scenario file written (replaced when it exists)
  // The log; empty: the OWL path with its extension replaced by ".log".
  std::string log;
  // Where the log goes when it cannot be written at its place (the user's
  // folder); empty: nowhere else.
  std::string logFallbackFolder;
};

// Reads the OWL file in blocks, converts it and writes the scenario and
// the log (UTF-8). A log that cannot be written at its place goes to the
// fallback folder, and its first lines say so. `messages` shows the
// scenario write error.
OwlImportResult ImportOwlFile(const OwlImportFiles& files, const OwlImportOptions& options,
                              const LanguageTables& tables, Messages& messages, const OwlStatusSink& status = {});

// Where a log goes that cannot be written beside its OWL file: the user
// folder in multi-user mode, else the home folder ($HOME), else the text
// folder.
std::string OwlLogFallbackFolder(const Folders& folders);
// The counter lines that close a successful import's log, '\n' after each.
std::string OwlCounterLines(const OwlImportCounters& counters);

// The OWL path with its extension replaced by ".log".
std::string OwlLogPath(const std::string& owlPath);
// `folder`/`name` when no such file exists, else the first free
// `folder`/STEM-2.scn, STEM-3.scn... of `name`.
std::string FreeScenarioPath(const std::string& folder, const std::string& name);

}  // namespace malvex
