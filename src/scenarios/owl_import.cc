#include "scenarios/owl_import.h"

#include <pugixml.hpp>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unordered_map>
#include <utility>
#include <vector>

#include "foundations/charset.h"
#include "scenarios/current_scenario.h"
#include "scenarios/scenario_editor.h"
#include "scenarios/scenario_store.h"
#include "settings/folders.h"

namespace malvex {
namespace {

constexpr char kWindowTitle[] = "OWL Import Filter";
constexpr size_t kBlockSize = 65536;
constexpr char kNullLabel[] = "*** Unexpected null value";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;
  return true;
}

bool EqualsNoCase(std::string_view a, std::string_view b) { return a.size() == b.size() && StartsNoCase(a, b); }

// The 8-bit byte of code point `cp`: code-page letters and signs keep their
// meaning, the right single quotation mark is 0x92, anything else is '#'.
char ByteOf(char32_t cp) {
  if (cp < 0x80) return static_cast<char>(cp);
  if (cp >= 0xFFFF) return '#';
  const uint8_t b = UnicodeTo8Bit(static_cast<uint16_t>(cp));
  return b == '?' ? '#' : static_cast<char>(b);
}

// pugixml's UTF-8 text as 8-bit text. `latin1`: the file's bytes were read
// as code-page letters, which come back unchanged. A byte that starts no
// valid sequence gives '#'.
std::string EightBit(const char* utf8, bool latin1) {
  std::string out;
  const auto* s = reinterpret_cast<const uint8_t*>(utf8);
  while (*s != 0) {
    const uint8_t c = *s;
    if (c < 0x80) {
      out += static_cast<char>(c);
      ++s;
      continue;
    }
    int extra = c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : -1;
    if (c >= 0xF8) extra = -1;
    char32_t cp = extra == 1 ? c & 0x1F : extra == 2 ? c & 0x0F : c & 0x07;
    int i = 1;
    for (; extra > 0 && i <= extra; ++i) {
      if ((s[i] & 0xC0) != 0x80) break;
      cp = (cp << 6) | (s[i] & 0x3F);
    }
    if (extra < 0 || i <= extra) {
      out += '#';
      ++s;
      continue;
    }
    s += extra + 1;
    out += latin1 && cp < 0x100 ? static_cast<char>(cp) : ByteOf(cp);
  }
  return out;
}

// Control characters and runs of blanks become one blank; none at the ends.
std::string CleanText(std::string_view text) {
  std::string out;
  bool blank = false;
  for (char ch : text) {
    const auto c = static_cast<uint8_t>(ch);
    if (c <= ' ' || c == 0x7F) {
      blank = !out.empty();
      continue;
    }
    if (blank) out += ' ';
    blank = false;
    out += ch;
  }
  return out;
}

struct OwlClass {
  std::vector<uint32_t> labels;  // indexes into the label table, first label first
  int parent = 0;                // class number, 0 for a root
};

// What the walk knows of the elements that enclose the current one.
struct Frame {
  pugi::xml_node node;
  int currentClass = 0;   // number of the nearest class defined around it
  int restrictions = 0;   // enclosing owl:Restriction elements
  int subClassOf = 0;     // enclosing rdfs:subClassOf elements
};

class Converter {
 public:
  Converter(const OwlImportOptions& options, const LanguageTables& tables, OwlImportResult& result,
            const OwlStatusSink& status)
      : options_(options), tables_(tables), result_(result), status_(status) {}

  void Log(std::string_view line) {
    result_.log.append(line);
    result_.log += '\n';
  }
  void Status(const std::string& text) {
    result_.statusText = text;
    if (status_) status_(text);
  }

  bool Parse(std::string_view bytes);
  void BuildTree();
  void Write(ScenarioStore& store);

 private:
  std::string Text(const char* utf8) const { return EightBit(utf8, !options_.convertUnicode); }
  std::string TagText(pugi::xml_node node) const;
  // The first rdf:ID, rdf:about or rdf:resource of `node`, in attribute
  // order, without a leading '#'; false when it has none.
  bool Identifier(pugi::xml_node node, std::string& id) const;
  void Open(pugi::xml_node node, Frame& frame);
  void ClassTag(pugi::xml_node node, Frame& frame);
  void Queue(const std::string& id, int child);
  void ElementText(pugi::xml_node node, const Frame& frame);
  bool LanguagePasses(pugi::xml_node node);
  void KeepLabel(const std::string& text, int cls, bool synonym);
  const std::string& FirstLabel(int cls) const;

  const OwlImportOptions& options_;
  const LanguageTables& tables_;
  OwlImportResult& result_;
  const OwlStatusSink& status_;
  std::unordered_map<std::string, int> ids_;
  std::vector<OwlClass> classes_;  // class n at n - 1
  std::vector<std::string> labels_;
  std::vector<std::pair<std::string, int>> queue_;
};

std::string Converter::TagText(pugi::xml_node node) const {
  std::string tag = node.name();
  for (pugi::xml_attribute a : node.attributes()) {
    tag += ' ';
    tag += a.name();
    tag += "=\"";
    tag += a.value();
    tag += '"';
  }
  return Text(tag.c_str());
}

bool Converter::Identifier(pugi::xml_node node, std::string& id) const {
  for (pugi::xml_attribute a : node.attributes()) {
    const std::string_view name = a.name();
    if (EqualsNoCase(name, "rdf:ID") || EqualsNoCase(name, "rdf:about") || EqualsNoCase(name, "rdf:resource")) {
      id = Text(a.value());
      if (!id.empty() && id[0] == '#') id.erase(0, 1);
      return true;
    }
  }
  return false;
}

bool Converter::Parse(std::string_view bytes) {
  const pugi::xml_encoding encoding = options_.convertUnicode ? pugi::encoding_auto : pugi::encoding_latin1;
  pugi::xml_document doc;
  const pugi::xml_parse_result parsed =
      doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, encoding);
  if (options_.convertUnicode && options_.dumpInput) {
    // The text as the conversion reads it, NUL bytes as blanks.
    Log("---dump (begin)---");
    std::string raw(bytes);
    for (char& ch : raw)
      if (ch == '\0') ch = ' ';
    Log(EightBit(raw.c_str(), false));
    Log("---dump (end)---");
  }
  if (!parsed) {
    size_t line = 1, column = 1;
    const size_t end = std::min(bytes.size(), static_cast<size_t>(parsed.offset));
    for (size_t i = 0; i < end; ++i) {
      if (bytes[i] == '\n') {
        ++line;
        column = 1;
      } else {
        ++column;
      }
    }
    result_.where = "line " + std::to_string(line) + ", column " + std::to_string(column);
    Log(std::string("*** XML Syntax Error !!! ") + parsed.description() + " at " + result_.where);
    ++result_.counters.parsingErrors;
    return false;
  }
  // Document order without recursion: a frame per open element.
  std::vector<Frame> stack;
  Frame top;
  top.node = doc;
  stack.push_back(top);
  pugi::xml_node child = doc.first_child();
  while (!stack.empty()) {
    if (child) {
      if (child.type() != pugi::node_element) {
        child = child.next_sibling();
        continue;
      }
      Frame frame = stack.back();
      frame.node = child;
      Open(child, frame);
      stack.push_back(frame);
      child = child.first_child();
      continue;
    }
    const pugi::xml_node done = stack.back().node;
    stack.pop_back();
    if (stack.empty()) break;
    if (options_.verboseLog) Log("# Input tag: /" + Text(done.name()));
    child = done.next_sibling();
  }
  return true;
}

void Converter::Open(pugi::xml_node node, Frame& frame) {
  const std::string_view name = node.name();
  if (options_.verboseLog) Log("# Input tag: " + TagText(node));
  const bool ignored = frame.restrictions > 0 && options_.ignoreRestrictions;
  if (name == "owl:Class") {
    ClassTag(node, frame);
  } else if (name == "owl:Restriction") {
    ++frame.restrictions;
  } else if (EqualsNoCase(name, "rdfs:subClassOf")) {
    ++frame.subClassOf;
    std::string id;
    if (!ignored && Identifier(node, id)) {
      Log(TagText(node) + " (kept) - Class extracted: " + id);
      Queue(id, frame.currentClass);
    }
  }
  ElementText(node, frame);
}

void Converter::ClassTag(pugi::xml_node node, Frame& frame) {
  if (frame.restrictions > 0 && options_.ignoreRestrictions) {
    if (options_.verboseLog) Log("owl:Restriction (discarded): " + TagText(node));
    return;
  }
  const bool sub = frame.subClassOf > 0;
  if (sub) {
    Log("rdfs:subClassOf (kept): " + TagText(node) + " - Parsed");
  } else {
    Log(std::string(37, '-'));
    Log(TagText(node) + " - Parsed");
  }
  std::string id;
  if (!Identifier(node, id)) {
    Log("*** Class extraction error !!! ");
    ++result_.counters.parsingErrors;
    return;
  }
  if (sub) {
    if (options_.verboseLog) Log("SubClass extracted: " + id);
    Queue(id, frame.currentClass);
    return;
  }
  if (options_.verboseLog) Log("Main Class extracted: " + id);
  auto [it, added] = ids_.emplace(id, static_cast<int>(classes_.size()) + 1);
  if (!added) {
    Log("*** Error - ClassId always defined: " + id);
  } else {
    classes_.emplace_back();
    ++result_.counters.classes;
  }
  frame.currentClass = it->second;
}

void Converter::Queue(const std::string& id, int child) {
  if (id.empty()) {
    Log("*** Error: Empty SubClass");
    return;
  }
  if (child == 0) {
    Log("*** Error: SubClass outside a class: " + id);
    ++result_.counters.parsingErrors;
    return;
  }
  if (options_.verboseLog) Log("* Adding SubClass to queue: " + id);
  queue_.emplace_back(id, child);
}

bool Converter::LanguagePasses(pugi::xml_node node) {
  if (!options_.discardOtherLanguages) return true;
  for (pugi::xml_attribute a : node.attributes()) {
    const std::string_view name = a.name();
    if (name.size() < 5 || !EqualsNoCase(name.substr(name.size() - 5), ":lang")) continue;
    const std::string_view value = a.value();
    if (value.empty()) return true;
    if (value[0] == '?') {
      Log("***Unknown language:" + TagText(node));
      return true;
    }
    return value.size() >= 2 && EqualsNoCase(value.substr(0, 2), options_.languageCode);
  }
  return true;
}

void Converter::ElementText(pugi::xml_node node, const Frame& frame) {
  // The text an element opens with, up to its first child element.
  std::string raw;
  for (pugi::xml_node n = node.first_child(); n && (n.type() == pugi::node_pcdata || n.type() == pugi::node_cdata);
       n = n.next_sibling())
    raw += n.value();
  if (raw.empty()) return;
  std::string text = CleanText(Text(raw.c_str()));
  if (text.empty()) return;
  if (options_.verboseLog) Log("# Input var: " + text);
  const std::string_view name = node.name();
  const bool label = StartsNoCase(name, "rdfs");
  const bool synonym = !label && StartsNoCase(name, "syno");
  if (!label && !synonym) return;
  if (text.size() > kOwlTextLimit) {
    Log("*** buffer overflow for : " + text.substr(0, 100));
    text.resize(kOwlTextLimit);
  }
  if (!LanguagePasses(node)) {
    if (options_.verboseLog) Log("Label in another language (ignored): " + text);
    return;
  }
  if (synonym) {
    Log("Synonym: " + text);
    if (frame.currentClass == 0) {
      Log("*** Synonym for undefined class: " + text);
      ++result_.counters.parsingErrors;
    } else if (classes_[frame.currentClass - 1].labels.empty()) {
      Log("*** Unexpected synonym before first label of class: " + text);
      ++result_.counters.parsingErrors;
    } else {
      KeepLabel(text, frame.currentClass, true);
    }
    return;
  }
  if (frame.currentClass == 0) {
    if (options_.verboseLog) Log("Label outside a class (ignored): " + text);
    return;
  }
  Log(text);
  KeepLabel(text, frame.currentClass, false);
}

void Converter::KeepLabel(const std::string& text, int cls, bool synonym) {
  classes_[cls - 1].labels.push_back(static_cast<uint32_t>(labels_.size()));
  labels_.push_back(text);
  ++result_.counters.labels;
  if (synonym) ++result_.counters.synonyms;
}

const std::string& Converter::FirstLabel(int cls) const {
  static const std::string kNone;
  const auto& labels = classes_[cls - 1].labels;
  return labels.empty() ? kNone : labels_[labels.front()];
}

void Converter::BuildTree() {
  for (const auto& [parentId, child] : queue_) {
    const auto it = ids_.find(parentId);
    if (it == ids_.end()) {
      Log("*** Error - ClassId undefined for: " + parentId);
      ++result_.counters.classIdErrors;
      continue;
    }
    const int parent = it->second;
    const std::string pair = FirstLabel(child) + " -> Class: \"" + FirstLabel(parent) + "\"";
    if (parent == child) {
      // A class below itself would leave the tree with it.
      Log("*** Warning - SubClassOf itself: " + FirstLabel(child));
    } else if (classes_[child - 1].parent == 0) {
      classes_[child - 1].parent = parent;
      if (options_.verboseLog) Log("* Processing: " + pair);
    } else {
      Log("*** Warning - multiple SubClassOf for: " + pair);
    }
  }
}

void Converter::Write(ScenarioStore& store) {
  const int count = static_cast<int>(classes_.size());
  // Children in number order, so that the tree is written in one pass.
  std::vector<std::vector<int>> children(count + 1);
  for (int n = 1; n <= count; ++n) children[classes_[n - 1].parent].push_back(n);
  std::vector<bool> written(count + 1, false);
  struct Pending {
    int cls;
    int depth;
  };
  std::vector<Pending> stack;
  for (auto it = children[0].rbegin(); it != children[0].rend(); ++it) stack.push_back({*it, 0});
  int32_t signature = 0;
  const bool unaccented = options_.flexedForms && options_.unaccentedSetting;
  while (!stack.empty()) {
    const Pending p = stack.back();
    stack.pop_back();
    written[p.cls] = true;
    const auto& labels = classes_[p.cls - 1].labels;
    std::string line(static_cast<size_t>(p.depth), '\t');
    line += "Class: \"" + FirstLabel(p.cls) + "\" - Level: " + std::to_string(p.depth);
    std::string label = labels.empty() ? std::string(kNullLabel) : labels_[labels.front()];
    if (labels.empty()) line += " *** Error - Unexpected null value";
    Log(line);
    int depth = p.depth;
    if (depth > kOwlMaxDepth) {
      Log("** Warning - tree depth level exceed maximum for: " + label);
      depth = kOwlMaxDepth;
    }
    if (label.size() > kScenarioFieldLength) {
      Log("** Warning - label string length exceed max value for: " + label);
      label.resize(kScenarioFieldLength);
    }
    const std::string groupCode = "G#" + std::to_string(depth) + "V";
    store.Add(ScenarioEntry::Make(groupCode, std::to_string(++signature), label));
    ++result_.groups;
    const std::string itemCode = "0#" + std::to_string(depth + 1) + "#";
    for (uint32_t index : labels) {
      const std::string& text = labels_[index];
      const std::string item = NormalizeTerm(tables_, std::string_view(text).substr(0, kOwlItemLength));
      if (item.empty()) {
        Log("** Warning - label gives no item: " + text);
        continue;
      }
      store.Add(ScenarioEntry::Make(itemCode, item, label));
      ++result_.items;
      if (!unaccented) continue;
      bool changed = false;
      const std::string plain = UnaccentedScenarioForm(item, changed);
      if (changed && plain != item) {
        store.Add(ScenarioEntry::Make(itemCode, plain, label));
        ++result_.items;
      }
    }
    for (auto it = children[p.cls].rbegin(); it != children[p.cls].rend(); ++it) stack.push_back({*it, p.depth + 1});
  }
  for (int n = 1; n <= count; ++n)
    if (!written[n]) Log("** Warning - class in a cycle of subClassOf, not written: " + FirstLabel(n));
}

void LogCounters(Converter& c, const OwlImportCounters& k, std::string& log) {
  c.Log("");
  c.Log("*** Processing ended successfully");
  c.Log("");
  log += OwlCounterLines(k);
}

// Runs the three steps into `store`; false when the parse fails.
bool RunSteps(Converter& c, std::string_view bytes, ScenarioStore& store) {
  c.Log("*** Step 1 (OWL parsing)");
  c.Log("");
  if (!c.Parse(bytes)) return false;
  c.Log("");
  c.Log("*** Step 2 (Concept tree generation)");
  c.Status("*** Step 2 (Concept tree generation)");
  c.Log("");
  c.BuildTree();
  c.Log("");
  c.Log("*** Step 3 (Scenario generation)");
  c.Log("");
  c.Write(store);
  return true;
}

bool WriteWhole(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

}  // namespace

OwlImportResult ConvertOwl(std::string_view bytes, const OwlImportOptions& options, const LanguageTables& tables,
                           ScenarioStore& store, const OwlStatusSink& status) {
  OwlImportResult result;
  store.Reset();
  store.setFileEncoding(TextFileEncoding::kCodePage);
  Converter c(options, tables, result, status);
  if (!RunSteps(c, bytes, store)) {
    result.status = OwlImportStatus::kMalformed;
    c.Status("*** XML Syntax Error during parsing operation");
    c.Log(result.statusText);
    return result;
  }
  LogCounters(c, result.counters, result.log);
  c.Status("*** OWL Conversion process done");
  return result;
}

OwlImportResult ImportOwlFile(const OwlImportFiles& files, const OwlImportOptions& options,
                              const LanguageTables& tables, Messages& messages, const OwlStatusSink& status) {
  OwlImportResult result;
  Converter c(options, tables, result, status);
  c.Log(std::string(kWindowTitle) + " - malvex");
  c.Log("*** Processing file: " + FromUtf8(files.owl) + " ***");
  c.Log("");
  std::string bytes;
  bool readable = false;
  if (std::FILE* f = std::fopen(files.owl.c_str(), "rb")) {
    std::vector<char> block(kBlockSize);
    readable = true;
    for (;;) {
      const size_t n = std::fread(block.data(), 1, block.size(), f);
      if (n == 0) break;
      bytes.append(block.data(), n);
      c.Status(std::to_string(bytes.size()) + " bytes read");
    }
    if (std::ferror(f)) readable = false;
    std::fclose(f);
  }
  ScenarioStore store(messages);
  if (!readable) {
    c.Log("*** Step 1 (OWL parsing)");
    c.Log("");
    c.Log("*** I/O error on input file, process ended");
    c.Status("*** I/O Error during parsing operation");
    c.Log(result.statusText);
    result.status = OwlImportStatus::kCannotOpen;
  } else {
    OwlImportResult converted = ConvertOwl(bytes, options, tables, store, status);
    result.log += converted.log;
    result.counters = converted.counters;
    result.statusText = converted.statusText;
    result.where = converted.where;
    result.status = converted.status;
    result.groups = converted.groups;
    result.items = converted.items;
    if (result.status == OwlImportStatus::kDone && !store.Save(files.scenario)) {
      result.status = OwlImportStatus::kWriteFailed;
      c.Log("*** Fatal Error - Scenario write error: " + FromUtf8(files.scenario));
      c.Status("*** Fatal error during Scenario generation");
      c.Log(result.statusText);
    }
  }
  // The log beside the OWL file, else in the fallback folder.
  const std::string first = files.log.empty() ? OwlLogPath(files.owl) : files.log;
  const std::string text = EncodeTextFile(result.log, TextFileEncoding::kUtf8);
  if (WriteWhole(first, text)) {
    result.logPath = first;
  } else if (!files.logFallbackFolder.empty()) {
    const std::string second =
        (std::filesystem::path(files.logFallbackFolder) / std::filesystem::path(first).filename()).string();
    const std::string note =
        "*** The log cannot be written to " + FromUtf8(first) + "; it is written here: " + FromUtf8(second) + "\n";
    if (second != first && WriteWhole(second, EncodeTextFile(note + result.log, TextFileEncoding::kUtf8))) {
      result.log.insert(0, note);
      result.logPath = second;
    }
  }
  return result;
}

std::string OwlCounterLines(const OwlImportCounters& k) {
  std::string s;
  s += "Number of OWL main classes: " + std::to_string(k.classes) + "\n";
  s += "Number of OWL labels kept: " + std::to_string(k.labels) + "\n";
  s += "Number of Synonyms labels kept: " + std::to_string(k.synonyms) + "\n";
  s += "Number of parsing errors: " + std::to_string(k.parsingErrors) + "\n";
  s += "Number of Class ID errors (not found): " + std::to_string(k.classIdErrors) + "\n";
  return s;
}

std::string OwlLogFallbackFolder(const Folders& folders) {
  if (!folders.user.empty()) return folders.user;
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != 0) return home;
  return folders.text;
}

std::string OwlLogPath(const std::string& owlPath) {
  std::filesystem::path p(owlPath);
  p.replace_extension(".log");
  return p.string();
}

std::string FreeScenarioPath(const std::string& folder, const std::string& name) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path base = fs::path(folder) / name;
  if (!fs::exists(base, ec)) return base.string();
  const std::string stem = fs::path(name).stem().string();
  std::string extension = fs::path(name).extension().string();
  if (extension.empty()) extension = kScenarioExtension;
  for (int n = 2;; ++n) {
    const fs::path candidate = fs::path(folder) / (stem + "-" + std::to_string(n) + extension);
    if (!fs::exists(candidate, ec)) return candidate.string();
  }
}

}  // namespace malvex
