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

// The same object on one line, with the member "file" (`file`, as given)
// first: one line of JSON Lines, ending in a line feed.
std::string FormatJsonLine(const Report& report, const std::string& file);

// The JSON Lines line of a file that could not be analysed:
// {"file": FILE, "completed": false, "error": ERROR} (`error` UTF-8).
std::string FormatJsonLineError(const std::string& file, const std::string& error);

// A header row, then one row per line of every result (RFC 4180 quoting,
// CRLF-free: rows end in a line feed).
std::string FormatCsv(const Report& report);

// The CSV of a run over several files analysed one by one: the header row
// once (first column "file", then the columns of FormatCsv), the rows of
// each file's report with the file name in front, and for a file that
// could not be analysed, or not completely, a row of type "error" whose
// text says why (`error` UTF-8).
std::string CsvHeaderWithFile();
std::string FormatCsvRows(const Report& report, const std::string& file);
std::string FormatCsvErrorRow(const std::string& file, const std::string& error);

}  // namespace malvex
