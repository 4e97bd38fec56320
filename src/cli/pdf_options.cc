#include "cli/pdf_options.h"

#include <algorithm>

#include "views/print_reports.h"

namespace malvex {

std::string ParsePdfOption(const std::string& name, const std::string& value, CliOptions& options) {
  if (name == "--pdf") {
    const std::string tail = ".pdf";
    std::string lower = value;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    if (lower.size() <= tail.size() || lower.compare(lower.size() - tail.size(), tail.size(), tail) != 0)
      return "--pdf takes a file ending in .pdf";
    options.pdfOutput = value;
    return std::string();
  }
  size_t start = 0;
  while (start <= value.size()) {
    size_t end = value.find(',', start);
    if (end == std::string::npos) end = value.size();
    const std::string one = value.substr(start, end - start);
    const int report = PrintReportOfName(one);
    if (report < 0)
      return "unknown report " + one +
             " (text, style, fields1, fields2, references, scenario, relations, episodes, graph, verbs, adjectives)";
    if (std::find(options.pdfReports.begin(), options.pdfReports.end(), report) == options.pdfReports.end())
      options.pdfReports.push_back(report);
    start = end + 1;
  }
  return std::string();
}

std::vector<int> PdfReportsOf(const CliOptions& options) {
  if (!options.pdfReports.empty()) return options.pdfReports;
  return {kPrintText, kPrintReferences};
}

}  // namespace malvex
