// The printed reports: the text, the statistics and style diagnosis, the
// class lists, the Scenario groups, the relations, the graph, the episodes
// and the verb and adjective lemma lists, each laid out on the page frame of
// a print job. One job prints the reports chosen, in a fixed order, until
// the user cancels it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "views/print_frame.h"
#include "views/print_target.h"

namespace malvex {

class Engine;
class GroupHierarchy;
class Messages;
class SelectionState;
class TExtraitDuTexte;
class TGrapheMalvex;

// The reports, numbered as the print dialog's check list shows them.
enum PrintReport : int {
  kPrintText = 0,
  kPrintStyle = 1,
  kPrintFields1 = 2,     // classes of level 3
  kPrintFields2 = 3,     // classes of level 2
  kPrintReferences = 4,  // classes of level 1
  kPrintScenario = 5,
  kPrintRelations = 6,
  kPrintGraph = 7,
  kPrintEpisodes = 8,
  kPrintVerbs = 9,
  kPrintAdjectives = 10,
};
inline constexpr int kPrintReportCount = 11;
using PrintChoices = std::array<bool, kPrintReportCount>;

// The order a job prints its reports in.
inline constexpr std::array<int, kPrintReportCount> kPrintOrder = {
    kPrintText,      kPrintStyle,    kPrintFields1, kPrintFields2, kPrintReferences, kPrintScenario,
    kPrintRelations, kPrintEpisodes, kPrintGraph,   kPrintVerbs,   kPrintAdjectives};

// The catalogue message naming report `report` in the check list.
int PrintReportMessage(int report);

// The report of a name as the batch program takes them ("text", "style",
// "fields1", "fields2", "references", "scenario", "relations", "graph",
// "episodes", "verbs", "adjectives"); -1 for any other.
int PrintReportOfName(const std::string& name);
// The name of report `report`.
const char* PrintReportName(int report);

// How rates are computed: over the text's words or over its propositions.
enum class RateBase { kWords = 1, kPropositions = 2 };

// What the reports are printed from. Everything but the engine may be
// missing: the text then prints without emphasis, and no graph is printed.
struct PrintSources {
  Engine* engine = nullptr;
  // The text view whose coloration mode and live colours the text report
  // follows, and the selection and criteria in force.
  const TExtraitDuTexte* textView = nullptr;
  const SelectionState* selection = nullptr;
  const GroupHierarchy* groups = nullptr;
  // The graph drawn by the Graph report, and the selection text it shows.
  TGrapheMalvex* graph = nullptr;
  std::string graphSelection;  // code page 1250
  bool colour = false;         // print in colour
  RateBase rateBase = RateBase::kWords;
  // The analysed file names (as given), for the footer.
  std::vector<std::string> files;
};

// The footer of a job: the file analysed, printed as it is named, or
// "statistics on a list of files" for several (code page 1250).
std::string PrintFooter(Engine& engine, const std::vector<std::string>& files);

// The rate base the parameter file chooses.
RateBase RateBaseOf(const Engine& engine);

// Each report prints itself onto `frame`; false when the job was
// cancelled while printing it (the following reports are then skipped). A
// report with nothing to show prints no page and returns true.
bool PrintTextReport(PrintFrame& frame, const PrintSources& sources);
bool PrintStyleReport(PrintFrame& frame, const PrintSources& sources);
bool PrintClassListReport(PrintFrame& frame, const PrintSources& sources, int level);
bool PrintScenarioReport(PrintFrame& frame, const PrintSources& sources);
bool PrintRelationsReport(PrintFrame& frame, const PrintSources& sources);
bool PrintGraphReport(PrintFrame& frame, const PrintSources& sources);
bool PrintEpisodesReport(PrintFrame& frame, const PrintSources& sources);
bool PrintLemmaReport(PrintFrame& frame, const PrintSources& sources, bool verbs);

// part / whole x 100, 0 when there is no whole (a class, a text or a
// category never seen).
double PrintRate(double part, double whole);
// Trunc(actant / count x 100), 0 for a class never seen.
int ActantShare(uint32_t actant, uint32_t count);

// The Episodes report's body: `bundles` in their order, each episode under
// its heading and the bundles of no episode under one of their own, last.
struct BundleRow;
bool PrintBundleRows(PrintFrame& frame, Messages& messages, const std::vector<BundleRow>& bundles);

// Whether report `report` has something to print from `sources`.
bool PrintReportAvailable(const PrintSources& sources, int report);

struct PrintJobResult {
  int reports = 0;  // reports printed (begun)
  bool cancelled = false;
};

// Prints the chosen reports in kPrintOrder into one job on `target`, each
// starting on a page of its own, with the font of `pointSize` points.
PrintJobResult PrintReports(PrintTarget& target, const PrintSources& sources, const PrintChoices& choices,
                            int pointSize);

}  // namespace malvex
