#include "reading/ms_word_document.h"

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-stdio.h>
#include <gsf/gsf-input.h>
#include <gsf/gsf-utils.h>

#include <algorithm>
#include <cstring>
#include <mutex>

#include "reading/word_code_pages.h"

namespace malvex {
namespace {

// Little-endian reads that fail, rather than read past the end.
bool U16At(std::string_view s, uint64_t pos, uint16_t& v) {
  if (pos + 2 > s.size()) return false;
  v = static_cast<uint16_t>(static_cast<uint8_t>(s[pos]) | static_cast<uint8_t>(s[pos + 1]) << 8);
  return true;
}

bool U32At(std::string_view s, uint64_t pos, uint32_t& v) {
  if (pos + 4 > s.size()) return false;
  v = 0;
  for (int k = 3; k >= 0; --k) v = v << 8 | static_cast<uint8_t>(s[pos + static_cast<uint64_t>(k)]);
  return true;
}

bool U64At(std::string_view s, uint64_t pos, uint64_t& v) {
  uint32_t lo = 0, hi = 0;
  if (!U32At(s, pos, lo) || !U32At(s, pos + 4, hi)) return false;
  v = static_cast<uint64_t>(hi) << 32 | lo;
  return true;
}

// Layouts of the file information block before version 8 (fields at fixed
// offsets): the language at 6, the flags at 10, fcMin and fcMac at 24 and
// 28, ccpText at 52, and the piece table's place in the document stream.
constexpr uint64_t kFlagsAt = 0x0A;
constexpr uint64_t kLanguageAt = 0x06;
constexpr uint64_t kFirstTextAt = 0x18;
constexpr uint64_t kLastTextAt = 0x1C;
constexpr uint64_t kOldMainTextAt = 0x34;
constexpr uint64_t kWord6ClxAt = 0x160;  // fcClx (4 bytes), lcbClx (4 bytes)
constexpr uint64_t kWord2ClxAt = 0x118;  // fcClx (4 bytes), cbClx (2 bytes)
// Version 8: the variable parts follow the 32-byte base.
constexpr uint64_t kBaseEnd = 0x20;
constexpr int kFarEastWord = 13;     // lidFE in the 16-bit words
constexpr int kMainTextLong = 3;     // ccpText in the 32-bit words
constexpr int kClxPair = 33;         // fcClx/lcbClx in the offset pairs

// Special characters that give nothing unless the handler gives a text.
bool HandlerCharacter(uint8_t c) {
  switch (c) {
    case 1: case 2: case 3: case 5: case 6: case 8: case 11: case 12: case 20: case 31: case 34:
      return true;
    default:
      return false;
  }
}

void EnsureGsf() {
  static std::once_flag once;
  std::call_once(once, [] { gsf_init(); });
}

// The whole content of a stream element, at most `limit` bytes (a stream
// cannot be larger than its file). False on a read error or a larger
// stream.
bool ReadWhole(GsfInput* input, uint64_t limit, std::string& out) {
  out.clear();
  const gsf_off_t size = gsf_input_size(input);
  if (size < 0 || static_cast<uint64_t>(size) > limit) return false;
  out.resize(static_cast<size_t>(size));
  size_t done = 0;
  while (done < out.size()) {
    const size_t n = std::min<size_t>(out.size() - done, 65536);
    if (gsf_input_read(input, n, reinterpret_cast<guint8*>(&out[done])) == nullptr) {
      out.clear();
      return false;
    }
    done += n;
  }
  return true;
}

// Owns one GObject reference.
template <typename T>
class GsfRef {
 public:
  explicit GsfRef(T* p = nullptr) : p_(p) {}
  ~GsfRef() {
    if (p_ != nullptr) g_object_unref(p_);
  }
  GsfRef(const GsfRef&) = delete;
  GsfRef& operator=(const GsfRef&) = delete;
  T* get() const { return p_; }

 private:
  T* p_;
};

}  // namespace

int WordDocumentVersion(uint16_t identifier, uint16_t formatNumber) {
  if (identifier == 14334) return 5;
  if (formatNumber <= 100) return 2;
  switch (formatNumber) {
    case 101: return 6;
    case 103: return 0;
    case 104: return 7;
    default: return 8;
  }
}

bool ReadWordFileInformation(std::string_view s, int version, WordFileInformation& fib) {
  fib = WordFileInformation{};
  uint16_t flags = 0;
  if (!U16At(s, 0, fib.identifier) || !U16At(s, 2, fib.formatNumber) || !U16At(s, kLanguageAt, fib.languageId) ||
      !U16At(s, kFlagsAt, flags) || !U32At(s, kFirstTextAt, fib.firstTextPosition) ||
      !U32At(s, kLastTextAt, fib.lastTextPosition))
    return false;
  fib.complex = (flags & 0x0004) != 0;
  fib.encrypted = (flags & 0x0100) != 0;
  if (version != 8) {
    if (!U32At(s, kOldMainTextAt, fib.mainTextLength)) return false;
    // The piece table is needed only for complex documents.
    if (version == 2) {
      uint16_t length = 0;
      if (U32At(s, kWord2ClxAt, fib.clxPosition) && U16At(s, kWord2ClxAt + 4, length)) fib.clxLength = length;
    } else if (U32At(s, kWord6ClxAt, fib.clxPosition)) {
      U32At(s, kWord6ClxAt + 4, fib.clxLength);
    }
    return true;
  }
  fib.tableStreamOne = (flags & 0x0200) != 0;
  fib.farEast = (flags & 0x4000) != 0;
  // The 16-bit words, the 32-bit words and the offset pairs each follow
  // their count.
  uint64_t p = kBaseEnd;
  uint16_t shorts = 0, longs = 0, pairs = 0;
  if (!U16At(s, p, shorts)) return false;
  if (shorts > kFarEastWord) U16At(s, p + 2 + 2 * kFarEastWord, fib.farEastLanguageId);
  p += 2 + 2 * uint64_t{shorts};
  if (!U16At(s, p, longs)) return false;
  if (longs > kMainTextLong) U32At(s, p + 2 + 4 * kMainTextLong, fib.mainTextLength);
  p += 2 + 4 * uint64_t{longs};
  if (!U16At(s, p, pairs)) return false;
  if (pairs > kClxPair) {
    U32At(s, p + 2 + 8 * kClxPair, fib.clxPosition);
    U32At(s, p + 2 + 8 * kClxPair + 4, fib.clxLength);
  }
  return true;
}

std::string ReadWordText(const WordFileInformation& fib, int version, std::string_view document,
                         std::string_view table, bool& wide) {
  wide = version == 8;
  std::string text;
  if (fib.encrypted) return text;
  // The plain text run between the first and last text positions: the
  // text of a document saved in full by the early versions, and of one
  // saved in full by versions 5 to 7 that stores no piece table.
  const uint64_t clxEnd = uint64_t{fib.clxPosition} + fib.clxLength;
  const bool noPieceTable = fib.clxLength == 0 || clxEnd > table.size();
  if (!fib.complex && (version <= 2 || (version != 8 && noPieceTable))) {
    const uint64_t first = fib.firstTextPosition;
    const uint64_t last = std::min<uint64_t>(fib.lastTextPosition, document.size());
    if (first < last) text.assign(document.substr(first, last - first));
    return text;
  }
  // The piece table: grpprl blocks (type 1), then the piece descriptors
  // (type 2): n + 1 character positions and n 8-byte descriptors.
  if (noPieceTable) return text;
  const std::string_view clx = table.substr(fib.clxPosition, fib.clxLength);
  uint64_t p = 0;
  uint32_t plcLength = 0;
  for (;;) {
    if (p >= clx.size()) return text;
    const uint8_t type = static_cast<uint8_t>(clx[p]);
    if (type == 1) {
      uint16_t size = 0;
      if (!U16At(clx, p + 1, size) || (size & 0x8000) != 0) return text;
      p += 3 + uint64_t{size};
    } else if (type == 2) {
      if (!U32At(clx, p + 1, plcLength)) return text;
      p += 5;
      break;
    } else {
      return text;
    }
  }
  if (plcLength < 4 || p + plcLength > clx.size()) return text;
  const std::string_view plc = clx.substr(p, plcLength);
  const uint64_t pieces = (plcLength - 4) / 12;
  const uint64_t descriptors = 4 * (pieces + 1);
  const uint64_t limit = 2 * uint64_t{document.size()};
  uint32_t previousEnd = 0;
  for (uint64_t i = 0; i < pieces; ++i) {
    uint32_t start = 0, end = 0, fc = 0;
    if (!U32At(plc, 4 * i, start) || !U32At(plc, 4 * (i + 1), end) || !U32At(plc, descriptors + 8 * i + 2, fc)) break;
    // Positions only grow; the main document ends at ccpText.
    if (start < previousEnd || end < start) break;
    previousEnd = end;
    if (start >= fib.mainTextLength) break;
    end = std::min(end, fib.mainTextLength);
    const uint64_t count = end - start;
    if (count == 0) continue;
    bool compressed = version != 8;
    uint64_t offset = fc;
    if (version == 8) {
      compressed = (fc & 0x40000000u) != 0;
      offset = compressed ? (fc & 0x3FFFFFFFu) / 2 : fc & 0x3FFFFFFFu;
    }
    const uint64_t bytes = (compressed || version != 8) ? count : 2 * count;
    if (offset + bytes > document.size()) continue;
    const uint64_t grown = version == 8 ? 2 * count : count;
    if (text.size() + grown > limit) break;
    const std::string_view piece = document.substr(offset, bytes);
    if (version == 8 && compressed) {
      for (char c : piece) {
        const uint16_t u = CompressedCharToUnicode(static_cast<uint8_t>(c));
        text += static_cast<char>(u & 0xFF);
        text += static_cast<char>(u >> 8);
      }
    } else {
      text.append(piece);
    }
  }
  return text;
}

std::string ConvertWordRun(std::string_view run, bool wide, uint16_t languageId,
                           const TMSWordConvertSysCharEvent& handler) {
  // 1. Characters of the code page.
  std::string chars;
  chars.reserve(run.size());
  if (wide) {
    const int codePage = WordCodePageForLanguage(languageId);
    const CodePageEncoder encoder(codePage);
    size_t i = 0;
    while (i < run.size()) {
      uint8_t out[2];
      int n = 0;
      if (codePage != 0 && i + 1 < run.size()) {
        const uint16_t unit =
            static_cast<uint16_t>(static_cast<uint8_t>(run[i]) | static_cast<uint8_t>(run[i + 1]) << 8);
        n = encoder.Encode(unit, out);
      }
      if (n > 0) {
        chars.append(reinterpret_cast<const char*>(out), static_cast<size_t>(n));
        i += 2;
      } else {
        chars += run[i];
        i += 1;
      }
    }
  } else {
    chars.assign(run);
  }
  // 2. Special characters, with a look at the next one.
  std::string line;
  line.reserve(chars.size());
  std::string given;
  for (size_t i = 0; i < chars.size(); ++i) {
    const uint8_t c = static_cast<uint8_t>(chars[i]);
    switch (c) {
      case 0:
        break;
      case 7:
        line += ' ';
        if (i + 1 < chars.size() && chars[i + 1] == 7) {
          line += '\r';
          chars[i + 1] = '\n';
        }
        break;
      case 9:
        line += '\t';
        break;
      case 13:
        line += "\r\n";
        break;
      case 19:
      case 21:
        if (handler) {
          given.clear();
          handler(c, given);
        }
        break;
      default:
        if (HandlerCharacter(c)) {
          if (handler) {
            given.clear();
            handler(c, given);
            line += given;
          }
        } else {
          line += static_cast<char>(c);
        }
        break;
    }
  }
  return line;
}

bool ReadWordSummaryInformation(std::string_view s, TSMWordSummaryInformation& info) {
  uint32_t section = 0, count = 0;
  if (!U32At(s, 44, section) || section >= s.size()) return false;
  const std::string_view sec = s.substr(section);
  if (!U32At(sec, 4, count)) return false;
  for (uint64_t k = 0; k < count; ++k) {
    uint32_t id = 0, offset = 0, type = 0;
    if (!U32At(sec, 8 + 8 * k, id) || !U32At(sec, 12 + 8 * k, offset)) break;
    if (!U32At(sec, offset, type)) continue;
    const uint64_t value = uint64_t{offset} + 4;
    if (type == 3) {
      uint32_t v = 0;
      if (!U32At(sec, value, v)) continue;
      const int32_t n = static_cast<int32_t>(v);
      switch (id) {
        case 14: info.pageCount = n; break;
        case 15: info.wordCount = n; break;
        case 16: info.characterCount = n; break;
        case 19: info.security = n; break;
        default: break;
      }
    } else if (type == 30) {
      uint32_t length = 0;
      if (!U32At(sec, value, length) || value + 4 + length > sec.size()) continue;
      std::string_view text = sec.substr(value + 4, length);
      text = text.substr(0, std::min(text.size(), text.find('\0')));
      std::string* field = nullptr;
      switch (id) {
        case 2: field = &info.title; break;
        case 3: field = &info.subject; break;
        case 4: field = &info.author; break;
        case 5: field = &info.keywords; break;
        case 6: field = &info.comments; break;
        case 7: field = &info.templateName; break;
        case 8: field = &info.lastAuthor; break;
        case 9: field = &info.revisionNumber; break;
        case 18: field = &info.applicationName; break;
        default: break;
      }
      if (field != nullptr) field->assign(text);
    } else if (type == 64) {
      uint64_t t = 0;
      if (!U64At(sec, value, t)) continue;
      switch (id) {
        case 10: info.editTime = t; break;
        case 11: info.lastPrinted = t; break;
        case 12: info.created = t; break;
        case 13: info.lastSaved = t; break;
        default: break;
      }
    }
  }
  return true;
}

uint16_t TMSWordDocument::LanguageId() const { return fib_.farEast ? fib_.farEastLanguageId : fib_.languageId; }

void TMSWordDocument::AddRun(std::string_view run, bool wide) {
  if (run.empty()) return;
  std::string line = ConvertSysCharacters ? ConvertWordRun(run, wide, LanguageId(), OnConvertSysChar)
                                          : std::string(run);
  if (!line.empty()) lines_.push_back(std::move(line));
}

bool TMSWordDocument::Read() {
  lines_.clear();
  docVersion_ = 0;
  fib_ = WordFileInformation{};
  summary_ = TSMWordSummaryInformation{};
  EnsureGsf();
  GError* error = nullptr;
  GsfRef<GsfInput> input(gsf_input_stdio_new(fileName_.c_str(), &error));
  if (error != nullptr) g_clear_error(&error);
  if (input.get() == nullptr) return false;
  const gsf_off_t fileSize = gsf_input_size(input.get());
  if (fileSize <= 0) return false;
  const uint64_t limit = static_cast<uint64_t>(fileSize);
  GsfRef<GsfInfile> storage(gsf_infile_msole_new(input.get(), &error));
  if (error != nullptr) g_clear_error(&error);
  if (storage.get() == nullptr) return false;

  // The elements the reader handles, by name.
  int documentIndex = -1, macrosIndex = -1, summaryIndex = -1;
  const int children = gsf_infile_num_children(storage.get());
  for (int i = 0; i < children; ++i) {
    const char* name = gsf_infile_name_by_index(storage.get(), i);
    if (name == nullptr) continue;
    if (std::strcmp(name, "WordDocument") == 0) {
      documentIndex = i;
    } else if (std::strcmp(name, "Macros") == 0) {
      macrosIndex = i;
    } else if (name[0] != 0 && std::strcmp(name + 1, "SummaryInformation") == 0) {
      summaryIndex = i;
    }
  }

  bool ok = true;
  if (documentIndex >= 0) {
    GsfRef<GsfInput> stream(gsf_infile_child_by_index(storage.get(), documentIndex));
    std::string document;
    if (stream.get() == nullptr || !ReadWhole(stream.get(), limit, document)) {
      ok = false;
    } else {
      uint16_t identifier = 0, format = 0;
      if (U16At(document, 0, identifier) && U16At(document, 2, format)) {
        docVersion_ = WordDocumentVersion(identifier, format);
        if (ReadWordFileInformation(document, docVersion_, fib_) && !fib_.encrypted) {
          std::string tableBytes;
          bool haveTable = true;
          if (docVersion_ == 8) {
            GsfRef<GsfInput> table(
                gsf_infile_child_by_name(storage.get(), fib_.tableStreamOne ? "1Table" : "0Table"));
            haveTable = table.get() != nullptr && ReadWhole(table.get(), limit, tableBytes);
          }
          if (haveTable) {
            bool wide = false;
            const std::string text =
                ReadWordText(fib_, docVersion_, document, docVersion_ == 8 ? tableBytes : document, wide);
            AddRun(text, wide);
          }
        }
      }
    }
  }
  if (ok && macrosIndex >= 0) {
    GsfRef<GsfInput> stream(gsf_infile_child_by_index(storage.get(), macrosIndex));
    std::string macros;
    if (stream.get() == nullptr) {
      ok = false;
    } else if (gsf_input_size(stream.get()) > 0) {
      if (ReadWhole(stream.get(), limit, macros)) {
        AddRun(macros, true);
      } else {
        ok = false;
      }
    }
  }
  if (ok && summaryIndex >= 0) {
    GsfRef<GsfInput> stream(gsf_infile_child_by_index(storage.get(), summaryIndex));
    std::string summary;
    if (stream.get() != nullptr && ReadWhole(stream.get(), limit, summary)) {
      ReadWordSummaryInformation(summary, summary_);
    } else {
      ok = false;
    }
  }
  return ok;
}

bool ReadWordDocumentText(const std::string& path, std::string& text) {
  TMSWordDocument document;
  document.SetFileName(path);
  document.OnConvertSysChar = [](uint8_t code, std::string& text) {
    switch (code) {
      case 11:  // manual line break
      case 12:  // page or section break
        text = "\r\n";
        break;
      case 34:
        text = "\"";
        break;
      default:
        break;
    }
  };
  document.Read();
  text.clear();
  for (const std::string& line : document.Lines()) {
    if (!text.empty()) text += "\r\n";
    text += line;
  }
  return !text.empty();
}

}  // namespace malvex
