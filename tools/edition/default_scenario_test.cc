#include "default_scenario.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "foundations/charset.h"
#include "test_support.h"

namespace malvex::edition {
namespace {

// One entry of a scenario file, read as the scenario store reads it.
struct Entry {
  std::string code, name, value;
};

// Reads scenario file bytes strictly: CR LF line ends, a four-character
// code, two TABs, fields of 1..79 characters. False, with the line number
// in `error`, at the first line the store would skip or cut.
bool ParseScenario(const std::string& bytes, std::vector<Entry>* entries, std::string* error) {
  size_t from = 0;
  int number = 0;
  while (from < bytes.size()) {
    ++number;
    const size_t end = bytes.find("\r\n", from);
    if (end == std::string::npos) {
      *error = std::to_string(number) + ": no CR LF";
      return false;
    }
    const std::string line = bytes.substr(from, end - from);
    from = end + 2;
    const size_t t1 = line.find('\t');
    const size_t t2 = t1 == std::string::npos ? t1 : line.find('\t', t1 + 1);
    if (t1 != 4 || t2 == std::string::npos || line.find('\t', t2 + 1) != std::string::npos ||
        line.size() > 164 || line.find('\n') != std::string::npos) {
      *error = std::to_string(number) + ": not code<TAB>name<TAB>value";
      return false;
    }
    Entry e{line.substr(0, 4), line.substr(5, t2 - 5), line.substr(t2 + 1)};
    if (e.name.empty() || e.value.empty() || e.name.size() > 79 || e.value.size() > 79) {
      *error = std::to_string(number) + ": empty or too long field";
      return false;
    }
    entries->push_back(e);
  }
  return true;
}

// Checks the tree the entries make: groups "G#dV" with increasing integer
// signatures, items one level below the last group, a depth never jumping
// by more than one, class items of level 2 naming one of `fields`.
void ExpectWellFormed(const std::vector<Entry>& entries, const std::set<std::string>& fields) {
  int lastSignature = 0;
  int depth = -1;  // of the last group
  std::string label;
  for (const Entry& e : entries) {
    ASSERT_TRUE(e.code[1] == '#' && e.code[2] >= '0' && e.code[2] <= '9') << e.code;
    const int d = e.code[2] - '0';
    if (e.code[0] == 'G') {
      EXPECT_EQ(e.code[3], 'V');
      EXPECT_LE(d, depth + 1) << e.value;
      const int signature = std::stoi(e.name);
      EXPECT_EQ(std::to_string(signature), e.name);
      EXPECT_GT(signature, lastSignature);
      lastSignature = signature;
      depth = d;
      label = e.value;
    } else {
      EXPECT_EQ(e.code, std::string("2#") + e.code[2] + "#");
      EXPECT_EQ(d, depth + 1) << e.name;
      EXPECT_EQ(e.value, label) << "an item's value is its group's label";
      EXPECT_TRUE(fields.count(e.name)) << e.name;
    }
  }
}

TEST(DefaultScenario, DomainsHoldTheirFields) {
  ScenarioOutline outline;
  std::string error;
  ASSERT_TRUE(ReadScenarioOutline("# comment\nsănătate\ntimp\n",
                                  "sănătate\tboli\tdisease.1\ntimp\tore\thour.1\nsănătate\tspitale\thospital.1\n",
                                  &outline, &error))
      << error;
  const std::string text = DefaultScenarioText(outline);
  EXPECT_EQ(text,
            "G#0V\t1\ts\xE3n\xE3tate\r\n"
            "G#1V\t2\tboli\r\n"
            "2#2#\tboli\tboli\r\n"
            "G#1V\t3\tspitale\r\n"
            "2#2#\tspitale\tspitale\r\n"
            "G#0V\t4\ttimp\r\n"
            "G#1V\t5\tore\r\n"
            "2#2#\tore\tore\r\n");
  EXPECT_FALSE(ReadScenarioOutline("timp\n", "spațiu\tloc\tplace.1\n", &outline, &error));
  EXPECT_NE(error.find("semantic_fields.tsv:1"), std::string::npos) << error;
}

TEST(DefaultScenario, TheEditionsTablesGiveAWellFormedFile) {
  malvex::testing::TempDir dir;
  const std::string path = dir.File("Concepts Romanian V8.scn");
  std::string error;
  ASSERT_TRUE(WriteDefaultScenario(MALVEX_EDITION_DATA, path, &error)) << error;
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::vector<Entry> entries;
  ASSERT_TRUE(ParseScenario(bytes.str(), &entries, &error)) << error;
  ScenarioOutline outline;
  std::ifstream d(std::string(MALVEX_EDITION_DATA) + "/semantic_domains.tsv");
  std::ifstream f(std::string(MALVEX_EDITION_DATA) + "/semantic_fields.tsv");
  std::ostringstream dt, ft;
  dt << d.rdbuf();
  ft << f.rdbuf();
  ASSERT_TRUE(ReadScenarioOutline(dt.str(), ft.str(), &outline, &error)) << error;
  std::set<std::string> fields;
  size_t groups = outline.domains.size();
  for (const auto& [domain, fs] : outline.domains) {
    fields.insert(fs.begin(), fs.end());
    groups += fs.size();
    EXPECT_FALSE(fs.empty()) << ToUtf8(domain) << " has no field";
  }
  EXPECT_GE(outline.domains.size(), 30u);
  EXPECT_GE(fields.size(), 200u);
  ExpectWellFormed(entries, fields);
  EXPECT_EQ(entries.size(), groups + fields.size());
}

}  // namespace
}  // namespace malvex::edition
