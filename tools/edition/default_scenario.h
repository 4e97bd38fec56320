// The default scenario of the Romanian edition, "Concepts Romanian V8.scn":
// one visible top-level group per domain (reference fields 1, level 3), and
// under it one sub-group per field of the domain (reference fields 2,
// level 2) holding that field as a class item, so that every noun with a
// field is gathered under its field and its domain. Written from the curated
// tables in the scenario file format: code page 1250, one entry per line
// ("code<TAB>name<TAB>value"), lines ending in CR LF, groups numbered 1, 2,
// 3 ... in file order.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace malvex::edition {

// The domains in table order, each with its fields in table order (8-bit).
struct ScenarioOutline {
  std::vector<std::pair<std::string, std::vector<std::string>>> domains;
};

// Reads the names of semantic_domains.tsv and semantic_fields.tsv (UTF-8
// texts). False, with `error` set, for a field of an unknown domain or a
// malformed line.
bool ReadScenarioOutline(const std::string& domainsText, const std::string& fieldsText, ScenarioOutline* outline,
                         std::string* error);

// The scenario file's bytes.
std::string DefaultScenarioText(const ScenarioOutline& outline);

// Reads the two tables from `dataFolder` and writes the scenario to `path`.
// False, with `error` set, when a table is unreadable or malformed or the
// file cannot be written.
bool WriteDefaultScenario(const std::string& dataFolder, const std::string& path, std::string* error);

}  // namespace malvex::edition
