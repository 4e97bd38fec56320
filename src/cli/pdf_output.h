// The printed reports from the batch program: the reports chosen, laid out
// by the same print layer as the desktop program's print dialog, into one
// PDF file.
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace malvex {

class Engine;

struct PdfRequest {
  std::string output;        // the PDF file
  std::vector<int> reports;  // print report numbers, in any order
  std::vector<std::string> files;  // the files analysed, for the footer
  // The Graph report's graph: its type (0: none) and item.
  int graphType = 0;
  std::string graphItem;  // UTF-8
  std::optional<int> graphLevel;
  int pointSize = 10;
};

// Prints the reports of `request` into its file; the exit status (0, 64
// for an unknown graph item, 1 when the file cannot be written). Messages
// go to `err`.
int WritePdf(Engine& engine, const PdfRequest& request, std::FILE* err);

}  // namespace malvex
