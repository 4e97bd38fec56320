#include "cli/report_format.h"

#include <cmath>
#include <cstdio>

#include "cli/report.h"
#include "foundations/charset.h"

namespace malvex {

namespace {

// A number with up to 2 decimals, without trailing zeros ("12.5", "3").
std::string Decimal(double value) {
  if (!std::isfinite(value)) return "0";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", value);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s == "-0") s = "0";
  return s;
}

// `utf8` as a JSON string literal.
std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (c < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", c);
          out += buf;
        } else {
          out += static_cast<char>(c);
        }
    }
  }
  return out + "\"";
}

// Writes the members of one JSON object on one line: `"key": value, ...`.
class JsonObject {
 public:
  void Raw(const char* key, const std::string& value) {
    if (!body_.empty()) body_ += ", ";
    body_ += JsonString(key) + ": " + value;
  }
  void Text(const char* key, const std::string& cp1250) { Raw(key, JsonString(ToUtf8(cp1250))); }
  void Number(const char* key, int64_t n) { Raw(key, std::to_string(n)); }
  void Bool(const char* key, bool b) { Raw(key, b ? "true" : "false"); }
  void Optional(const char* key, const std::optional<int64_t>& n) {
    if (n) Number(key, *n);
  }
  void Optional(const char* key, const std::optional<double>& d) {
    if (d) Raw(key, Decimal(*d));
  }
  std::string Close() const { return "{" + body_ + "}"; }

 private:
  std::string body_;
};

std::string ItemJson(const ReportItem& item) {
  JsonObject o;
  o.Raw("type", JsonString(item.type));
  o.Text("text", item.text);
  if (!item.name.empty()) o.Text("name", item.name);
  if (!item.second.empty() || item.secondAlways) o.Text("second", item.second);
  o.Optional("id", item.id);
  o.Optional("second_id", item.secondId);
  o.Optional("frequency", item.frequency);
  o.Optional("percentage", item.percentage);
  o.Optional("actant", item.actant);
  o.Optional("start", item.start);
  o.Optional("end", item.end);
  o.Optional("mean", item.mean);
  o.Optional("depth", item.depth);
  return o.Close();
}

// One CSV field, quoted when it holds a comma, a quote or a line break.
std::string CsvField(const std::string& utf8) {
  if (utf8.find_first_of(",\"\n\r") == std::string::npos) return utf8;
  std::string out = "\"";
  for (char c : utf8) {
    if (c == '"') out += '"';
    out += c;
  }
  return out + "\"";
}

std::string CsvNumber(const std::optional<int64_t>& n) { return n ? std::to_string(*n) : std::string(); }
std::string CsvNumber(const std::optional<double>& d) { return d ? Decimal(*d) : std::string(); }

}  // namespace

std::string FormatText(const Report& report) {
  std::string out;
  const bool several = report.results.size() > 1;
  for (const ReportResult& r : report.results) {
    if (several) out += "== " + ToUtf8(r.title) + "\n";
    for (const ReportItem& item : r.items) out += ToUtf8(item.text) + "\n";
    if (several) out += "\n";
  }
  return out;
}

namespace {

// The report as one JSON object: indented over several lines, or on one
// line (JSON Lines) with the member "file" first when `file` is given.
std::string JsonObjectOf(const Report& report, const std::string* file, bool indented) {
  // A line break and the indentation of `depth` levels; nothing on one line.
  const auto br = [indented](int depth) { return indented ? "\n" + std::string(depth * 2, ' ') : std::string(); };
  const std::string sep = indented ? "," : ", ";

  std::string files = "[";
  for (size_t i = 0; i < report.files.size(); ++i) files += (i ? ", " : "") + JsonString(report.files[i]);
  files += "]";

  const ReportSettings& s = report.settings;
  JsonObject settings;
  settings.Number("relation_level", s.relationLevel);
  settings.Raw("threshold_mode", JsonString(s.thresholdByWords ? "words" : "pertinence"));
  settings.Number("threshold_value", s.thresholdValue);
  settings.Number("minimal_frequency", s.detectionThreshold);
  settings.Number("parts_quantity", s.partsQuantity);
  settings.Bool("numbers_as_substantives", s.numbersAsSubstantives);
  settings.Bool("scenario_on_all_categories", s.scenarioOnAllCategories);
  settings.Raw("scenario", JsonString(s.scenario));
  settings.Bool("scenario_loaded", s.scenarioLoaded);
  settings.Bool("actant", s.actant);
  settings.Bool("acted", s.acted);
  settings.Raw("sort", JsonString(s.alphabetical ? "alphabetical" : "frequency"));

  std::string out = "{";
  bool first = true;
  const auto member = [&](const char* key, const std::string& value) {
    out += (first ? "" : sep) + br(1) + JsonString(key) + ": " + value;
    first = false;
  };
  if (file) member("file", JsonString(*file));
  member("files", files);
  member("words", std::to_string(report.words));
  member("propositions", std::to_string(report.propositions));
  member("completed", report.completed ? "true" : "false");
  if (!report.error.empty()) member("error", JsonString(report.error));
  member("settings", settings.Close());

  std::string results = "[";
  for (size_t i = 0; i < report.results.size(); ++i) {
    const ReportResult& r = report.results[i];
    const std::string next = sep + br(3);
    results += (i ? sep : "") + br(2) + "{" + br(3);
    results += "\"name\": " + JsonString(CliResultName(r.result));
    results += next + "\"title\": " + JsonString(ToUtf8(r.title));
    results += next + "\"information\": " + JsonString(ToUtf8(r.information));
    if (r.level > 0) results += next + "\"level\": " + std::to_string(r.level);
    results += next + "\"overflow\": " + (r.overflow ? "true" : "false");
    results += next + "\"items\": [";
    for (size_t k = 0; k < r.items.size(); ++k) results += (k ? sep : "") + br(4) + ItemJson(r.items[k]);
    results += (r.items.empty() ? "" : br(3)) + "]" + br(2) + "}";
  }
  results += (report.results.empty() ? "" : br(1)) + "]";
  member("results", results);
  return out + br(0) + "}\n";
}

}  // namespace

std::string FormatJson(const Report& report) { return JsonObjectOf(report, nullptr, true); }

std::string FormatJsonLine(const Report& report, const std::string& file) {
  return JsonObjectOf(report, &file, false);
}

std::string FormatJsonLineError(const std::string& file, const std::string& error) {
  return "{\"file\": " + JsonString(file) + ", \"completed\": false, \"error\": " + JsonString(error) + "}\n";
}

namespace {

constexpr char kCsvColumns[] = "result,rank,type,text,name,second,frequency,percentage,actant,id,second_id,start,end";

// The rows of `report`, each after `prefix` (the file column and its comma,
// or nothing).
std::string CsvRows(const Report& report, const std::string& prefix) {
  std::string out;
  for (const ReportResult& r : report.results) {
    int rank = 0;
    for (const ReportItem& item : r.items) {
      const std::string fields[] = {CliResultName(r.result),
                                    std::to_string(++rank),
                                    item.type,
                                    CsvField(ToUtf8(item.text)),
                                    CsvField(ToUtf8(item.name)),
                                    CsvField(ToUtf8(item.second)),
                                    CsvNumber(item.frequency),
                                    CsvNumber(item.percentage),
                                    CsvNumber(item.actant),
                                    CsvNumber(item.id),
                                    CsvNumber(item.secondId),
                                    CsvNumber(item.start),
                                    CsvNumber(item.end)};
      out += prefix;
      for (size_t f = 0; f < std::size(fields); ++f) {
        if (f) out += ',';
        out += fields[f];
      }
      out += '\n';
    }
  }
  return out;
}

}  // namespace

std::string FormatCsv(const Report& report) { return std::string(kCsvColumns) + "\n" + CsvRows(report, ""); }

std::string CsvHeaderWithFile() { return std::string("file,") + kCsvColumns + "\n"; }

std::string FormatCsvRows(const Report& report, const std::string& file) {
  std::string rows;
  if (!report.completed) rows = FormatCsvErrorRow(file, report.error.empty() ? "not completed" : report.error);
  return rows + CsvRows(report, CsvField(file) + ",");
}

std::string FormatCsvErrorRow(const std::string& file, const std::string& error) {
  // file, result and rank empty, type, text, then nine empty columns.
  return CsvField(file) + ",,,error," + CsvField(error) + std::string(9, ',') + "\n";
}

}  // namespace malvex
