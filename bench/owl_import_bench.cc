// The OWL import on an ontology of 100,000 classes and 300,000 labels
// (three per class: a Romanian label, an English one and a synonym), a tree
// of fan-out 10 written to a file first: the whole import from the file to
// the scenario and the log on disk. Prints the median of three runs, in
// seconds, and the groups and items written.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_support.h"
#include "foundations/language_tables.h"
#include "foundations/messages.h"
#include "platform/console_box.h"
#include "scenarios/owl_import.h"

int main() {
  using namespace malvex;
  using Clock = std::chrono::steady_clock;
  constexpr int kClasses = 100000;
  bench::ScratchFolder folder;
  const std::string owlPath = (folder.path() / "big.owl").string();
  {
    std::string owl =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\" "
        "xmlns:rdfs=\"http://www.w3.org/2000/01/rdf-schema#\" xmlns:owl=\"http://www.w3.org/2002/07/owl#\">\n";
    for (int i = 1; i <= kClasses; ++i) {
      const std::string n = std::to_string(i);
      owl += "<owl:Class rdf:about=\"#C" + n + "\">\n";
      if (i > 1) owl += "  <rdfs:subClassOf rdf:resource=\"#C" + std::to_string(i / 10 == 0 ? 1 : i / 10) + "\"/>\n";
      owl += "  <rdfs:label xml:lang=\"ro\">Clas\xC4\x83 " + n + "</rdfs:label>\n";
      owl += "  <rdfs:label xml:lang=\"en\">Class " + n + "</rdfs:label>\n";
      owl += "  <synonym xml:lang=\"ro\">Categorie " + n + "</synonym>\n";
      owl += "</owl:Class>\n";
    }
    owl += "</rdf:RDF>\n";
    std::FILE* f = std::fopen(owlPath.c_str(), "wb");
    if (f == nullptr || std::fwrite(owl.data(), 1, owl.size(), f) != owl.size()) return 1;
    std::fclose(f);
    std::printf("ontology: %d classes, %d labels, %zu bytes\n", kClasses, 3 * kClasses, owl.size());
  }
  ConsoleBox box;
  Messages messages(box);
  const LanguageTables tables = DefaultLanguageTables();
  OwlImportOptions options;
  options.discardOtherLanguages = false;  // every label kept: 300,000
  options.unaccentedSetting = true;
  OwlImportFiles files;
  files.owl = owlPath;
  files.scenario = (folder.path() / "OwlOutput.scn").string();
  std::vector<double> seconds;
  OwlImportResult r;
  for (int run = 0; run < 3; ++run) {
    const auto a = Clock::now();
    r = ImportOwlFile(files, options, tables, messages);
    seconds.push_back(std::chrono::duration<double>(Clock::now() - a).count());
    if (r.status != OwlImportStatus::kDone) return 1;
  }
  std::sort(seconds.begin(), seconds.end());
  std::printf("import: %.2f s (median of 3; target 5 s); %lld classes, %lld labels kept, %lld groups, %lld items\n",
              seconds[1], static_cast<long long>(r.counters.classes), static_cast<long long>(r.counters.labels),
              static_cast<long long>(r.groups), static_cast<long long>(r.items));
  return 0;
}
