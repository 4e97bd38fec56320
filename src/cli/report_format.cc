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
  if (!item.second.empty()) o.Text("second", item.second);
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

std::string FormatJson(const Report& report) {
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

  std::string out = "{\n";
  out += "  \"files\": " + files + ",\n";
  out += "  \"words\": " + std::to_string(report.words) + ",\n";
  out += "  \"propositions\": " + std::to_string(report.propositions) + ",\n";
  out += std::string("  \"completed\": ") + (report.completed ? "true" : "false") + ",\n";
  out += "  \"settings\": " + settings.Close() + ",\n";
  out += "  \"results\": [";
  for (size_t i = 0; i < report.results.size(); ++i) {
    const ReportResult& r = report.results[i];
    out += i ? ",\n    {\n" : "\n    {\n";
    out += "      \"name\": " + JsonString(CliResultName(r.result)) + ",\n";
    out += "      \"title\": " + JsonString(ToUtf8(r.title)) + ",\n";
    out += "      \"information\": " + JsonString(ToUtf8(r.information)) + ",\n";
    if (r.level > 0) out += "      \"level\": " + std::to_string(r.level) + ",\n";
    out += std::string("      \"overflow\": ") + (r.overflow ? "true" : "false") + ",\n";
    out += "      \"items\": [";
    for (size_t k = 0; k < r.items.size(); ++k) out += (k ? ",\n        " : "\n        ") + ItemJson(r.items[k]);
    out += r.items.empty() ? "]\n" : "\n      ]\n";
    out += "    }";
  }
  out += report.results.empty() ? "]\n" : "\n  ]\n";
  out += "}\n";
  return out;
}

std::string FormatCsv(const Report& report) {
  std::string out = "result,rank,type,text,name,second,frequency,percentage,actant,id,second_id,start,end\n";
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
      for (size_t f = 0; f < std::size(fields); ++f) {
        if (f) out += ',';
        out += fields[f];
      }
      out += '\n';
    }
  }
  return out;
}

}  // namespace malvex
