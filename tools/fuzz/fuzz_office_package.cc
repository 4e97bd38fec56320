// Feeds the zipped document extractors (Word 2007, PowerPoint 2007,
// OpenDocument text and presentation, XPS). The first byte chooses the
// format and how the rest is read:
//  - high bit set: the rest is the zip file itself;
//  - otherwise the rest lists the parts of a package, written as a zip
//    before extraction: parts are separated by "\n@@ ", each is its name,
//    a line end, then its bytes. This keeps the fuzzer on the XML and the
//    relationships rather than on the zip structure.
// A failed extraction leaves no text; a finished one stays within the
// text limit.
#include <unistd.h>
#include <zip.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "platform/document_text.h"

namespace {

const std::string& ScratchFile() {
  static const std::string path = [] {
    char name[] = "/tmp/malvex-fuzz-package-XXXXXX";
    const int fd = mkstemp(name);
    if (fd >= 0) close(fd);
    return std::string(name);
  }();
  return path;
}

bool WriteBytes(const std::string& path, std::string_view bytes) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) return false;
  const bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  return std::fclose(f) == 0 && ok;
}

// Writes the parts listed in `text` as a zip file of stored parts; parts
// whose names the zip refuses (empty, repeated) are left out.
bool WritePackage(const std::string& path, std::string_view text) {
  std::vector<std::string_view> parts;
  for (size_t at = 0;;) {
    const size_t next = text.find("\n@@ ", at);
    parts.push_back(text.substr(at, next == std::string_view::npos ? std::string_view::npos : next - at));
    if (next == std::string_view::npos) break;
    at = next + 4;
  }
  int error = 0;
  zip_t* zip = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
  if (zip == nullptr) return false;
  for (std::string_view part : parts) {
    const size_t eol = part.find('\n');
    if (eol == std::string_view::npos || eol == 0) continue;
    const std::string name(part.substr(0, eol));
    if (name.find('\0') != std::string::npos) continue;
    const std::string_view bytes = part.substr(eol + 1);
    zip_source_t* source = zip_source_buffer(zip, bytes.data(), bytes.size(), 0);
    if (source == nullptr) continue;
    const zip_int64_t index = zip_file_add(zip, name.c_str(), source, ZIP_FL_ENC_UTF_8);
    if (index < 0) {
      zip_source_free(source);
      continue;
    }
    zip_set_file_compression(zip, static_cast<zip_uint64_t>(index), ZIP_CM_STORE, 0);
  }
  if (zip_close(zip) != 0) {
    zip_discard(zip);
    return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace malvex;
  if (size < 1) return 0;
  static const DocumentFormat kFormats[] = {DocumentFormat::kWordprocessing, DocumentFormat::kPresentation,
                                            DocumentFormat::kOdfText, DocumentFormat::kOdfPresentation,
                                            DocumentFormat::kXps};
  const DocumentFormat format = kFormats[(data[0] & 0x7F) % 5];
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::string& path = ScratchFile();
  if (!((data[0] & 0x80) != 0 ? WriteBytes(path, rest) : WritePackage(path, rest))) return 0;
  std::string text = "not yet";
  const ExtractionStep step = ExtractDocumentText(format, path, text);
  if (static_cast<int>(step) < 0 || static_cast<int>(step) > static_cast<int>(ExtractionStep::kUnexpected))
    __builtin_trap();
  if (step != ExtractionStep::kDone && !text.empty()) __builtin_trap();
  if (text.size() > kMaxExtractedText) __builtin_trap();
  return 0;
}
