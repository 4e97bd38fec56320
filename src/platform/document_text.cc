#include "platform/document_text.h"

#include "platform/files.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <zip.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>
#include <new>
#include <string_view>
#include <utility>
#include <vector>

#include <poppler/cpp/poppler-document.h>
#include <poppler/cpp/poppler-global.h>
#include <poppler/cpp/poppler-page.h>
#include <pugixml.hpp>

extern char** environ;

namespace malvex {
namespace {

constexpr char kLineEnd[] = "\r\n";

// ---- Zip packages -----------------------------------------------------------

// A zip file opened read-only; parts are read whole, by name.
class ZipPackage {
 public:
  ZipPackage() = default;
  ~ZipPackage() {
    if (zip_ != nullptr) zip_discard(zip_);
  }
  ZipPackage(const ZipPackage&) = delete;
  ZipPackage& operator=(const ZipPackage&) = delete;

  ExtractionStep Open(const std::string& path) {
    // A FIFO or a device would hold the open (or be read without end).
    int64_t size = 0;
    int error = 0;
    const int fd = OpenRegularFile(path, size, error);
    if (fd < 0) return ExtractionStep::kNotLoaded;
    ::close(fd);
    zip_ = zip_open(path.c_str(), ZIP_RDONLY, &error);
    if (zip_ != nullptr) return ExtractionStep::kDone;
    switch (error) {
      case ZIP_ER_NOENT:
      case ZIP_ER_OPEN:
      case ZIP_ER_READ:
      case ZIP_ER_SEEK:
        return ExtractionStep::kNotLoaded;
      case ZIP_ER_MEMORY:
        return ExtractionStep::kAccessFailure;
      default:
        return ExtractionStep::kInitialisation;
    }
  }

  bool Has(const std::string& name) const { return Locate(name) >= 0; }

  // Reads the part `name` (compared without regard to case, as package
  // part names are) into `out`.
  ExtractionStep Read(const std::string& name, std::string& out) const {
    const zip_int64_t index = Locate(name);
    if (index < 0) return ExtractionStep::kCountMismatch;
    return ReadIndex(static_cast<zip_uint64_t>(index), out);
  }

  // The names of every part, in the order of the central directory.
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    const zip_int64_t n = zip_get_num_entries(zip_, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
      const char* name = zip_get_name(zip_, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
      if (name != nullptr) names.emplace_back(name);
    }
    return names;
  }

 private:
  zip_int64_t Locate(const std::string& name) const {
    zip_int64_t index = zip_name_locate(zip_, name.c_str(), ZIP_FL_ENC_GUESS);
    if (index < 0) index = zip_name_locate(zip_, name.c_str(), ZIP_FL_NOCASE | ZIP_FL_ENC_GUESS);
    return index;
  }

  ExtractionStep ReadIndex(zip_uint64_t index, std::string& out) const {
    out.clear();
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(zip_, index, 0, &st) != 0) return ExtractionStep::kCountMismatch;
    if ((st.valid & ZIP_STAT_ENCRYPTION_METHOD) != 0 && st.encryption_method != ZIP_EM_NONE)
      return ExtractionStep::kPasswordProtected;
    if ((st.valid & ZIP_STAT_SIZE) != 0 && st.size > kMaxPackagePart) return ExtractionStep::kAccessFailure;
    zip_file_t* file = zip_fopen_index(zip_, index, 0);
    if (file == nullptr) {
      const int code = zip_error_code_zip(zip_get_error(zip_));
      if (code == ZIP_ER_NOPASSWD || code == ZIP_ER_WRONGPASSWD || code == ZIP_ER_ENCRNOTSUPP)
        return ExtractionStep::kPasswordProtected;
      return ExtractionStep::kAccessFailure;
    }
    ExtractionStep step = ExtractionStep::kDone;
    char buffer[65536];
    for (;;) {
      const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
      if (n == 0) break;
      if (n < 0) {
        const int code = zip_error_code_zip(zip_file_get_error(file));
        step = code == ZIP_ER_CRC ? ExtractionStep::kCountMismatch : ExtractionStep::kAccessFailure;
        break;
      }
      if (out.size() + static_cast<size_t>(n) > kMaxPackagePart) {
        step = ExtractionStep::kAccessFailure;
        break;
      }
      out.append(buffer, static_cast<size_t>(n));
    }
    zip_fclose(file);
    if (step != ExtractionStep::kDone) out.clear();
    return step;
  }

  zip_t* zip_ = nullptr;
};

// True when `path` is a compound (OLE2) file holding an "EncryptedPackage"
// stream: the form in which office programs store password-protected
// zipped documents.
bool IsEncryptedPackage(const std::string& path) {
  std::string head;
  if (!ReadFileHead(path, 1 << 20, head)) return false;
  const size_t n = head.size();
  static constexpr char kSignature[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
  if (n < 8 || std::memcmp(head.data(), kSignature, 8) != 0) return false;
  static constexpr char kName[] = "EncryptedPackage";
  std::string wide;
  for (const char* p = kName; *p; ++p) {
    wide += *p;
    wide += '\0';
  }
  return std::string_view(head.data(), n).find(wide) != std::string_view::npos;
}

// Resolves the package-relative `target` against the folder of `source`
// ("ppt/presentation.xml" and "slides/slide1.xml" give
// "ppt/slides/slide1.xml"; a target starting with '/' is taken from the
// package root).
std::string ResolvePart(std::string_view source, std::string_view target) {
  std::string joined;
  if (!target.empty() && target[0] == '/') {
    joined = std::string(target.substr(1));
  } else {
    const size_t slash = source.rfind('/');
    if (slash != std::string_view::npos) joined = std::string(source.substr(0, slash + 1));
    joined += target;
  }
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= joined.size()) {
    size_t end = joined.find('/', start);
    if (end == std::string::npos) end = joined.size();
    const std::string part = joined.substr(start, end - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = end + 1;
  }
  std::string out;
  for (const std::string& p : parts) {
    if (!out.empty()) out += '/';
    out += p;
  }
  return out;
}

// The folder of a part's relationships: "a/b.xml" -> "a/_rels/b.xml.rels".
std::string RelationshipsOf(std::string_view part) {
  const size_t slash = part.rfind('/');
  if (slash == std::string_view::npos) return "_rels/" + std::string(part) + ".rels";
  return std::string(part.substr(0, slash + 1)) + "_rels/" + std::string(part.substr(slash + 1)) + ".rels";
}

// The number in a part name ("ppt/slides/slide12.xml" gives 12), or -1.
long PartNumber(std::string_view name, std::string_view prefix, std::string_view suffix) {
  if (name.size() <= prefix.size() + suffix.size()) return -1;
  if (name.substr(0, prefix.size()) != prefix || name.substr(name.size() - suffix.size()) != suffix) return -1;
  const std::string_view digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
  long n = 0;
  for (char c : digits) {
    if (c < '0' || c > '9' || n > 100000000) return -1;
    n = n * 10 + (c - '0');
  }
  return n;
}

// ---- XML ---------------------------------------------------------------------

// The name of `node` without its namespace prefix.
std::string_view LocalName(const pugi::xml_node& node) {
  const std::string_view name = node.name();
  const size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

std::string_view LocalName(const pugi::xml_attribute& attribute) {
  const std::string_view name = attribute.name();
  const size_t colon = name.rfind(':');
  return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// The first child element of `node` whose local name is `name`.
pugi::xml_node Child(const pugi::xml_node& node, std::string_view name) {
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && LocalName(c) == name) return c;
  return pugi::xml_node();
}

// The value of the attribute of `node` whose local name is `name`; with
// `prefixed`, only an attribute that carries a namespace prefix.
std::string_view Attribute(const pugi::xml_node& node, std::string_view name, bool prefixed = false) {
  for (pugi::xml_attribute a = node.first_attribute(); a; a = a.next_attribute()) {
    if (LocalName(a) != name) continue;
    if (prefixed && std::string_view(a.name()).find(':') == std::string_view::npos) continue;
    return a.value();
  }
  return {};
}

ExtractionStep ParseXml(const std::string& bytes, pugi::xml_document& doc) {
  // Whitespace-only text is kept: a run may hold a single space.
  const pugi::xml_parse_result r =
      doc.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata);
  return r ? ExtractionStep::kDone : ExtractionStep::kUnexpected;
}

// What an element means to the text walk.
enum class Role {
  kContainer,  // walk its children
  kParagraph,  // a paragraph: its text, then a line end
  kText,       // a text run: its character data
  kTab,
  kBreak,      // a line break inside a paragraph
  kSpaces,     // ODF text:s, the count in text:c
  kHyphen,     // a non-breaking hyphen
  kSkip,       // properties, deleted or moved text, notes, fall-back copies
};

// How the elements of one format are read.
struct TextRules {
  Role (*role)(std::string_view localName);
  // True when character data directly inside a paragraph is text (ODF);
  // false when only the text-run elements hold text (Office Open XML).
  bool looseText;
};

Role WordprocessingRole(std::string_view n) {
  if (n == "p") return Role::kParagraph;
  if (n == "t") return Role::kText;
  if (n == "tab") return Role::kTab;
  if (n == "br" || n == "cr") return Role::kBreak;
  if (n == "noBreakHyphen") return Role::kHyphen;
  if (n == "pPr" || n == "rPr" || n == "sectPr" || n == "tblPr" || n == "trPr" || n == "tcPr" ||
      n == "tblGrid" || n == "del" || n == "moveFrom" || n == "Fallback" || n == "instrText" ||
      n == "delText")
    return Role::kSkip;
  return Role::kContainer;
}

Role DrawingRole(std::string_view n) {
  if (n == "p") return Role::kParagraph;
  if (n == "t") return Role::kText;
  if (n == "br") return Role::kBreak;
  if (n == "pPr" || n == "rPr" || n == "endParaRPr" || n == "Fallback" || n == "nvSpPr" || n == "spPr" ||
      n == "nvGrpSpPr" || n == "grpSpPr" || n == "style")
    return Role::kSkip;
  return Role::kContainer;
}

Role OdfRole(std::string_view n) {
  if (n == "p" || n == "h") return Role::kParagraph;
  if (n == "tab") return Role::kTab;
  if (n == "line-break") return Role::kBreak;
  if (n == "s") return Role::kSpaces;
  if (n == "note" || n == "annotation" || n == "tracked-changes" || n == "notes" || n == "title" ||
      n == "desc" || n == "sequence-decls" || n == "forms")
    return Role::kSkip;
  return Role::kContainer;
}

constexpr TextRules kWordprocessingRules{WordprocessingRole, false};
constexpr TextRules kDrawingRules{DrawingRole, false};
constexpr TextRules kOdfRules{OdfRole, true};

// Bounds the work on hostile documents: nesting deeper than this is not
// walked.
constexpr int kMaxDepth = 256;

void AppendCharacterData(const pugi::xml_node& node, bool loose, std::string& line) {
  std::string_view text = node.value();
  if (!loose) {
    line += text;
    return;
  }
  // ODF: line ends and tabs in the markup are white space, not text.
  for (char c : text) line += (c == '\n' || c == '\r' || c == '\t') ? ' ' : c;
}

void CollectText(const pugi::xml_node& node, std::string& line, int depth) {
  if (depth > kMaxDepth) return;
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata)
      line += c.value();
    else if (c.type() == pugi::node_element)
      CollectText(c, line, depth + 1);
  }
}

// The inline content of a paragraph into `line`; paragraphs nested in it
// (text boxes, frames) go to `nested`, each ending in a line end.
void CollectInline(const pugi::xml_node& node, const TextRules& rules, std::string& line, std::string& nested,
                   int depth) {
  if (depth > kMaxDepth) return;
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) {
      if (rules.looseText) AppendCharacterData(c, true, line);
      continue;
    }
    if (c.type() != pugi::node_element) continue;
    switch (rules.role(LocalName(c))) {
      case Role::kText:
        CollectText(c, line, depth + 1);
        break;
      case Role::kTab:
        line += '\t';
        break;
      case Role::kBreak:
        line += kLineEnd;
        break;
      case Role::kHyphen:
        line += '-';
        break;
      case Role::kSpaces: {
        const std::string_view digits = Attribute(c, "c");
        long count = digits.empty() ? 1 : 0;
        for (char d : digits) {
          if (d < '0' || d > '9' || count > 1000) break;
          count = count * 10 + (d - '0');
        }
        if (count < 1) count = 1;
        line.append(static_cast<size_t>(std::min(count, 1000L)), ' ');
        break;
      }
      case Role::kParagraph: {
        std::string inner, innerNested;
        CollectInline(c, rules, inner, innerNested, depth + 1);
        nested += inner;
        nested += kLineEnd;
        nested += innerNested;
        break;
      }
      case Role::kSkip:
        break;
      case Role::kContainer:
        CollectInline(c, rules, line, nested, depth + 1);
        break;
    }
    if (line.size() > kMaxExtractedText) return;
  }
}

// The paragraphs under `node`, in document order.
void CollectParagraphs(const pugi::xml_node& node, const TextRules& rules, std::string& out, int depth) {
  if (depth > kMaxDepth) return;
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element) continue;
    const Role role = rules.role(LocalName(c));
    if (role == Role::kParagraph) {
      std::string line, nested;
      CollectInline(c, rules, line, nested, depth + 1);
      out += line;
      out += kLineEnd;
      out += nested;
    } else if (role == Role::kContainer) {
      CollectParagraphs(c, rules, out, depth + 1);
    }
    if (out.size() > kMaxExtractedText) return;
  }
}

// ---- Formats -------------------------------------------------------------------

ExtractionStep OpenPackage(const std::string& path, ZipPackage& zip) {
  const ExtractionStep step = zip.Open(path);
  if (step == ExtractionStep::kInitialisation && IsEncryptedPackage(path)) return ExtractionStep::kPasswordProtected;
  return step;
}

ExtractionStep ReadXmlPart(const ZipPackage& zip, const std::string& name, pugi::xml_document& doc) {
  std::string bytes;
  const ExtractionStep step = zip.Read(name, bytes);
  if (step != ExtractionStep::kDone) return step;
  return ParseXml(bytes, doc);
}

// The main part of a package named by its root relationships of `type`
// (the end of the relationship type URI), or `fallback`.
std::string MainPart(const ZipPackage& zip, std::string_view type, const std::string& fallback) {
  pugi::xml_document rels;
  if (ReadXmlPart(zip, "_rels/.rels", rels) == ExtractionStep::kDone) {
    for (pugi::xml_node r = Child(rels.document_element(), "Relationship"); r; r = r.next_sibling()) {
      if (r.type() != pugi::node_element || LocalName(r) != "Relationship") continue;
      const std::string_view t = Attribute(r, "Type");
      if (t.size() >= type.size() && t.substr(t.size() - type.size()) == type) {
        const std::string part = ResolvePart("", Attribute(r, "Target"));
        if (zip.Has(part)) return part;
      }
    }
  }
  return fallback;
}

ExtractionStep WordprocessingText(const ZipPackage& zip, std::string& out) {
  const std::string part = MainPart(zip, "/officeDocument", "word/document.xml");
  pugi::xml_document doc;
  const ExtractionStep step = ReadXmlPart(zip, part, doc);
  if (step != ExtractionStep::kDone) return step;
  pugi::xml_node body = Child(doc.document_element(), "body");
  CollectParagraphs(body ? body : doc.document_element(), kWordprocessingRules, out, 0);
  return ExtractionStep::kDone;
}

// The slides of a presentation in the order of its slide list; failing
// that, the slide parts by number.
std::vector<std::string> SlideParts(const ZipPackage& zip, const std::string& presentation) {
  std::vector<std::string> slides;
  pugi::xml_document doc, rels;
  if (ReadXmlPart(zip, presentation, doc) == ExtractionStep::kDone &&
      ReadXmlPart(zip, RelationshipsOf(presentation), rels) == ExtractionStep::kDone) {
    const pugi::xml_node list = Child(doc.document_element(), "sldIdLst");
    for (pugi::xml_node s = list.first_child(); s; s = s.next_sibling()) {
      if (s.type() != pugi::node_element || LocalName(s) != "sldId") continue;
      const std::string_view id = Attribute(s, "id", true);
      for (pugi::xml_node r = rels.document_element().first_child(); r; r = r.next_sibling()) {
        if (r.type() == pugi::node_element && Attribute(r, "Id") == id) {
          slides.push_back(ResolvePart(presentation, Attribute(r, "Target")));
          break;
        }
      }
    }
  }
  if (!slides.empty()) return slides;
  std::vector<std::pair<long, std::string>> numbered;
  for (const std::string& name : zip.Names()) {
    const long n = PartNumber(name, "ppt/slides/slide", ".xml");
    if (n >= 0) numbered.emplace_back(n, name);
  }
  std::sort(numbered.begin(), numbered.end());
  for (auto& [n, name] : numbered) slides.push_back(std::move(name));
  return slides;
}

ExtractionStep PresentationText(const ZipPackage& zip, std::string& out) {
  const std::string presentation = MainPart(zip, "/officeDocument", "ppt/presentation.xml");
  const std::vector<std::string> slides = SlideParts(zip, presentation);
  if (slides.empty()) return zip.Has(presentation) ? ExtractionStep::kDone : ExtractionStep::kCountMismatch;
  for (const std::string& slide : slides) {
    pugi::xml_document doc;
    const ExtractionStep step = ReadXmlPart(zip, slide, doc);
    if (step != ExtractionStep::kDone) return step;
    const pugi::xml_node common = Child(doc.document_element(), "cSld");
    CollectParagraphs(common ? common : doc.document_element(), kDrawingRules, out, 0);
    out += kLineEnd;  // the end of the slide
    if (out.size() > kMaxExtractedText) return ExtractionStep::kAccessFailure;
  }
  return ExtractionStep::kDone;
}

ExtractionStep OdfText(const ZipPackage& zip, bool presentation, std::string& out) {
  pugi::xml_document doc;
  const ExtractionStep step = ReadXmlPart(zip, "content.xml", doc);
  if (step != ExtractionStep::kDone) return step;
  const pugi::xml_node body = Child(doc.document_element(), "body");
  if (!presentation) {
    const pugi::xml_node text = Child(body, "text");
    CollectParagraphs(text ? text : body, kOdfRules, out, 0);
    return ExtractionStep::kDone;
  }
  const pugi::xml_node slides = Child(body, "presentation");
  for (pugi::xml_node page = slides.first_child(); page; page = page.next_sibling()) {
    if (page.type() != pugi::node_element || LocalName(page) != "page") continue;
    CollectParagraphs(page, kOdfRules, out, 0);
    out += kLineEnd;  // the end of the slide
    if (out.size() > kMaxExtractedText) return ExtractionStep::kAccessFailure;
  }
  return ExtractionStep::kDone;
}

// The text of one fixed page: its glyph runs in order, a line end where
// the baseline changes, a blank between runs of one line.
void XpsPageText(const pugi::xml_node& node, std::string& out, std::string& lastBaseline, bool& first, int depth) {
  if (depth > kMaxDepth) return;
  for (pugi::xml_node c = node.first_child(); c; c = c.next_sibling()) {
    if (c.type() != pugi::node_element) continue;
    if (LocalName(c) == "Glyphs") {
      std::string_view text = Attribute(c, "UnicodeString");
      if (text.substr(0, 2) == "{}") text.remove_prefix(2);  // escape of a text starting with '{'
      if (text.empty()) continue;
      const std::string_view baseline = Attribute(c, "OriginY");
      if (!first) out += baseline == lastBaseline ? " " : kLineEnd;
      first = false;
      lastBaseline = std::string(baseline);
      out += text;
    } else {
      XpsPageText(c, out, lastBaseline, first, depth + 1);
    }
    if (out.size() > kMaxExtractedText) return;
  }
}

// The targets named by the `element` children of the part `source`
// (attribute "Source"), resolved against it.
std::vector<std::string> XpsReferences(const ZipPackage& zip, const std::string& source, std::string_view element) {
  std::vector<std::string> targets;
  pugi::xml_document doc;
  if (ReadXmlPart(zip, source, doc) != ExtractionStep::kDone) return targets;
  for (pugi::xml_node c = doc.document_element().first_child(); c; c = c.next_sibling())
    if (c.type() == pugi::node_element && LocalName(c) == element)
      targets.push_back(ResolvePart(source, Attribute(c, "Source")));
  return targets;
}

ExtractionStep XpsText(const ZipPackage& zip, std::string& out) {
  std::vector<std::string> pages;
  const std::string sequence = MainPart(zip, "/fixedrepresentation", "FixedDocSeq.fdseq");
  for (const std::string& document : XpsReferences(zip, sequence, "DocumentReference"))
    for (std::string& page : XpsReferences(zip, document, "PageContent")) pages.push_back(std::move(page));
  if (pages.empty()) {
    // No readable sequence: the page parts by name.
    std::vector<std::string> names = zip.Names();
    std::vector<std::pair<std::string, std::string>> keyed;
    for (std::string& name : names) {
      if (name.size() < 6 || name.substr(name.size() - 6) != ".fpage") continue;
      // Numbers compare by value: "10.fpage" after "9.fpage".
      std::string key;
      for (size_t i = 0; i < name.size();) {
        if (name[i] >= '0' && name[i] <= '9') {
          size_t j = i;
          while (j < name.size() && name[j] >= '0' && name[j] <= '9') ++j;
          key += std::string(12 - std::min<size_t>(12, j - i), '0') + name.substr(i, j - i);
          i = j;
        } else {
          key += name[i++];
        }
      }
      keyed.emplace_back(std::move(key), std::move(name));
    }
    std::sort(keyed.begin(), keyed.end());
    for (auto& [key, name] : keyed) pages.push_back(std::move(name));
    if (pages.empty()) return ExtractionStep::kCountMismatch;
  }
  for (const std::string& page : pages) {
    pugi::xml_document doc;
    const ExtractionStep step = ReadXmlPart(zip, page, doc);
    if (step != ExtractionStep::kDone) return step;
    std::string baseline;
    bool first = true;
    XpsPageText(doc, out, baseline, first, 0);
    out += kLineEnd;  // the end of the page
    if (out.size() > kMaxExtractedText) return ExtractionStep::kAccessFailure;
  }
  return ExtractionStep::kDone;
}

// ---- PDF -------------------------------------------------------------------------

void IgnorePopplerMessage(const std::string&, void*) {}

ExtractionStep PdfText(const std::string& path, std::string& out) {
  // Poppler reports damaged files on the standard error; the caller reports
  // the failure itself.
  static std::once_flag quiet;
  std::call_once(quiet, [] { poppler::set_debug_error_function(IgnorePopplerMessage, nullptr); });
  if (::access(path.c_str(), R_OK) != 0) return ExtractionStep::kNotLoaded;
  std::unique_ptr<poppler::document> doc(poppler::document::load_from_file(path));
  if (!doc) return ExtractionStep::kInitialisation;
  if (doc->is_locked()) return ExtractionStep::kPasswordProtected;
  const int pages = doc->pages();
  for (int i = 0; i < pages; ++i) {
    std::unique_ptr<poppler::page> page(doc->create_page(i));
    if (!page) return ExtractionStep::kAccessFailure;
    const poppler::byte_array utf8 =
        page->text(poppler::rectf(), poppler::page::non_raw_non_physical_layout).to_utf8();
    out.append(utf8.data(), utf8.size());
    if (!out.empty() && out.back() != '\n') out += kLineEnd;  // the end of the page
    if (out.size() > kMaxExtractedText) return ExtractionStep::kAccessFailure;
  }
  return ExtractionStep::kDone;
}

}  // namespace

const char* ExtractionMessage(ExtractionStep step) {
  switch (step) {
    case ExtractionStep::kDone:
      return "";
    case ExtractionStep::kNotInstalled:
      return "iFilter DLL is not installed.";
    case ExtractionStep::kCannotLoad:
      return "Unable to load iFilter DLL.";
    case ExtractionStep::kInitialisation:
      return "iFilter Initialization failed.";
    case ExtractionStep::kNotLoaded:
      return "File to filter was not previously loaded.";
    case ExtractionStep::kCountMismatch:
      return "Count and contents dot not agree.";
    case ExtractionStep::kPasswordProtected:
      return "Document is password protected.";
    case ExtractionStep::kAccessFailure:
      return "General access failure in Chunking.";
    case ExtractionStep::kUnexpected:
      return "Unexpected error in Chunking.";
  }
  return "Unexpected error in Chunking.";
}

ExtractionStep ExtractDocumentText(DocumentFormat format, const std::string& path, std::string& utf8) {
  utf8.clear();
  ExtractionStep step = ExtractionStep::kUnexpected;
  try {
    if (format == DocumentFormat::kPdf) {
      step = PdfText(path, utf8);
    } else {
      ZipPackage zip;
      step = OpenPackage(path, zip);
      if (step == ExtractionStep::kDone) {
        switch (format) {
          case DocumentFormat::kWordprocessing:
            step = WordprocessingText(zip, utf8);
            break;
          case DocumentFormat::kPresentation:
            step = PresentationText(zip, utf8);
            break;
          case DocumentFormat::kOdfText:
            step = OdfText(zip, false, utf8);
            break;
          case DocumentFormat::kOdfPresentation:
            step = OdfText(zip, true, utf8);
            break;
          case DocumentFormat::kXps:
            step = XpsText(zip, utf8);
            break;
          case DocumentFormat::kPdf:
            break;
        }
      }
    }
  } catch (const std::bad_alloc&) {
    step = ExtractionStep::kAccessFailure;
  } catch (...) {
    step = ExtractionStep::kUnexpected;
  }
  if (step == ExtractionStep::kDone && utf8.size() > kMaxExtractedText) step = ExtractionStep::kAccessFailure;
  if (step != ExtractionStep::kDone) utf8.clear();
  return step;
}

bool ConverterProgramAvailable(const std::string& program) {
  struct stat st;
  return !program.empty() && ::stat(program.c_str(), &st) == 0 && S_ISREG(st.st_mode) &&
         ::access(program.c_str(), X_OK) == 0;
}

ExtractionStep RunConverterProgram(const std::string& program, const std::string& path, std::string& utf8) {
  utf8.clear();
  if (!ConverterProgramAvailable(program)) return ExtractionStep::kNotInstalled;
  int pipeEnds[2];
  if (::pipe2(pipeEnds, O_CLOEXEC) != 0) return ExtractionStep::kCannotLoad;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], 1);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::string programArg = program, pathArg = path;
  char* argv[] = {programArg.data(), pathArg.data(), nullptr};
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  ::close(pipeEnds[1]);
  if (spawned != 0) {
    ::close(pipeEnds[0]);
    return ExtractionStep::kCannotLoad;
  }
  ExtractionStep step = ExtractionStep::kDone;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(pipeEnds[0], buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      step = ExtractionStep::kAccessFailure;
      break;
    }
    if (utf8.size() + static_cast<size_t>(n) > kMaxExtractedText) {
      step = ExtractionStep::kAccessFailure;
      ::kill(pid, SIGKILL);
      break;
    }
    utf8.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipeEnds[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (step == ExtractionStep::kDone && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
    step = ExtractionStep::kInitialisation;
  if (step != ExtractionStep::kDone) utf8.clear();
  return step;
}

}  // namespace malvex
