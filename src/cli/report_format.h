// Writing a malvex-cli report: as the lines of the result lists (text), as
// one JSON object, or as CSV rows. All three are UTF-8; the engine's code
// page 1250 texts are converted on the way.
#pragma once

#include <string>

namespace malvex {

struct Report;

// The lines of each result, one per line. When the report holds several
// results, each is preceded by a "== title" line and followed by an empty
// line.
std::string FormatText(const Report& report);

// One JSON object (docs/cli.md lists its keys), ending in a line feed.
std::string FormatJson(const Report& report);

// A header row, then one row per line of every result (RFC 4180 quoting,
// CRLF-free: rows end in a line feed).
std::string FormatCsv(const Report& report);

}  // namespace malvex
