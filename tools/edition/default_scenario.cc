#include "default_scenario.h"

#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "curated_tables.h"
#include "table_lines.h"
#include "foundations/charset.h"

namespace malvex::edition {

namespace {




// Names, values and labels of the file hold at most 79 characters.
constexpr size_t kMaxText = 79;

}  // namespace

bool ReadScenarioOutline(const std::string& domainsText, const std::string& fieldsText, ScenarioOutline* outline,
                         std::string* error) {
  outline->domains.clear();
  std::map<std::string, size_t> index;
  const bool ok = ForEachLine(domainsText, [&](const std::vector<std::string>& f, int n) {
    std::string name = FromUtf8(Trimmed(f[0]));
    if (name.empty() || name.size() > kMaxText) {
      *error = "semantic_domains.tsv:" + std::to_string(n) + ": empty or longer than 79 characters";
      return false;
    }
    std::string key = name;
    FoldToLower(key);
    index.emplace(key, outline->domains.size());
    outline->domains.emplace_back(name, std::vector<std::string>());
    return true;
  });
  if (!ok) return false;
  return ForEachLine(fieldsText, [&](const std::vector<std::string>& f, int n) {
    const std::string where = "semantic_fields.tsv:" + std::to_string(n) + ": ";
    if (f.size() != 3) {
      *error = where + "expected domain<TAB>field<TAB>anchors";
      return false;
    }
    std::string domain = FromUtf8(Trimmed(f[0]));
    FoldToLower(domain);
    const auto it = index.find(domain);
    const std::string field = FromUtf8(Trimmed(f[1]));
    if (it == index.end() || field.empty() || field.size() > kMaxText) {
      *error = where + "unknown domain, or a field name empty or longer than 79 characters";
      return false;
    }
    outline->domains[it->second].second.push_back(field);
    return true;
  });
}

std::string DefaultScenarioText(const ScenarioOutline& outline) {
  std::string out;
  int signature = 0;
  auto line = [&](const char* code, const std::string& name, const std::string& value) {
    out += code;
    out += '\t';
    out += name;
    out += '\t';
    out += value;
    out += "\r\n";
  };
  for (const auto& [domain, fields] : outline.domains) {
    line("G#0V", std::to_string(++signature), domain);
    for (const std::string& field : fields) {
      line("G#1V", std::to_string(++signature), field);
      line("2#2#", field, field);
    }
  }
  return out;
}

bool WriteDefaultScenario(const std::string& dataFolder, const std::string& path, std::string* error) {
  std::string domains, fields;
  if (!ReadText(dataFolder + "/semantic_domains.tsv", &domains) ||
      !ReadText(dataFolder + "/semantic_fields.tsv", &fields)) {
    *error = "cannot read the semantic tables of " + dataFolder;
    return false;
  }
  ScenarioOutline outline;
  if (!ReadScenarioOutline(domains, fields, &outline, error)) return false;
  const std::string text = DefaultScenarioText(outline);
  const std::string tmp = path + ".tmp";
  {
    std::ofstream out(tmp, std::ios::binary);
    out << text;
    if (!out) {
      *error = "cannot write " + tmp;
      return false;
    }
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    *error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace malvex::edition
