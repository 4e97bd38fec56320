// --xlsx: the Scenario report of the run written as a spreadsheet workbook,
// without opening it.
#pragma once

#include <cstdio>
#include <string>

namespace malvex {

class Engine;

// What --xlsx FILE [--scope all|branch|level] [--chart TYPE] [--group NAME]
// asks for.
struct XlsxRequest {
  std::string output;         // the workbook; empty: none asked
  std::string scope = "all";  // all, branch or level
  std::string chart = "default";  // default, bar, column, pie, area, radar or none
  std::string group;          // the group branch and level start from; empty: the first group
  bool optionGiven = false;   // --scope, --chart or --group was given
};

// Whether `name` is one of the four options above.
bool IsXlsxOption(const std::string& name);
// Takes one of the four options (`name` with its `value`) into `request`.
// False, with the reason in `why`, for a value it does not know.
bool SetXlsxOption(XlsxRequest& request, const std::string& name, const std::string& value, std::string& why);

// Writes the workbook of `engine`'s last analysis to `path`. The status:
// kExitOk; kExitAnalysisFailed when no Scenario group was counted or the
// file cannot be written; kExitUsage when --group names no group. Each
// failure is told on `err`.
int WriteXlsxOfRun(Engine& engine, const XlsxRequest& request, const std::string& path, std::FILE* err);

}  // namespace malvex
