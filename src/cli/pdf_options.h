// The options of the printed reports: --pdf FILE.pdf and --reports LIST.
#pragma once

#include <string>
#include <vector>

#include "cli/cli_options.h"

namespace malvex {

// Takes option `name` (--pdf or --reports) with value `value` into
// `options`; what is wrong with it, or "" when it is right.
std::string ParsePdfOption(const std::string& name, const std::string& value, CliOptions& options);

// The reports a --pdf run prints: those of --reports, else the ones the
// print dialog checks at first (the text and the references).
std::vector<int> PdfReportsOf(const CliOptions& options);

}  // namespace malvex
