#include "reading/markup_filter.h"

#include <cstring>
#include <string>

#include "foundations/charset.h"
#include "reading/file_types.h"

namespace malvex {
namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

// The encoding name that starts at `at` in the lower-cased `text`, an
// opening quote skipped.
std::string_view NameAt(std::string_view text, size_t at) {
  if (at < text.size() && (text[at] == '"' || text[at] == '\'')) ++at;
  size_t end = at;
  while (end < text.size() && end - at < 40) {
    const char c = text[end];
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_' || c == '.' || c == ':')) break;
    ++end;
  }
  return text.substr(at, end - at);
}

// The Western code page letter of a vowel (or n, y) with an accent, or -1.
int AccentedLetter(char base, std::string_view accent) {
  static const struct {
    const char* accent;
    const char* bases;
    const char* letters;
  } kAccents[] = {
      {"acute", "aeiouy", "\xE1\xE9\xED\xF3\xFA\xFD"},
      {"grave", "aeiou", "\xE0\xE8\xEC\xF2\xF9"},
      {"circ", "aeiou", "\xE2\xEA\xEE\xF4\xFB"},
      {"uml", "aeiouy", "\xE4\xEB\xEF\xF6\xFC\xFF"},
      {"tilde", "aon", "\xE3\xF5\xF1"},
  };
  for (const auto& a : kAccents) {
    if (accent != a.accent) continue;
    const char* p = std::strchr(a.bases, base);
    return p != nullptr && base != '\0' ? static_cast<uint8_t>(a.letters[p - a.bases]) : -1;
  }
  return -1;
}

int NumericEntity(std::string_view digits) {
  int base = 10;
  size_t maxDigits = 5;
  if (!digits.empty() && digits[0] == 'x') {
    base = 16;
    maxDigits = 4;
    digits.remove_prefix(1);
  }
  if (digits.empty() || digits.size() > maxDigits) return -1;
  long value = 0;
  for (char c : digits) {
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else
      return -1;
    value = value * base + d;
  }
  if (value < 1 || value > 65534) return -1;
  return value <= 255 ? static_cast<int>(value) : UnicodeTo8Bit(static_cast<uint16_t>(value));
}

// UTF-16 without a mark, recognised by the zero bytes of its ASCII
// characters; kEncodingNone when the bytes do not look so.
int Utf16ByZeros(const uint8_t* block, size_t size) {
  if (size < 4) return kEncodingNone;
  if (block[0] == 0 && block[1] != 0 && block[2] == 0 && block[3] != 0) return kEncodingUtf16BigEndian;
  if (block[0] != 0 && block[1] == 0 && block[2] != 0 && block[3] == 0) return kEncodingUtf16LittleEndian;
  return kEncodingNone;
}

}  // namespace

int MarkupEncodingOfName(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) c = Lower(c);
  const std::string_view n = lower;
  if (StartsWith(n, "iso")) return n.size() > 4 && n.substr(4, 5) == "10646" ? kMarkupUcs : kMarkupCodePage;
  if (StartsWith(n, "ucs")) return kMarkupUcs;
  if (StartsWith(n, "utf")) {
    std::string_view form = n.substr(3);
    if (!form.empty() && (form[0] == '-' || form[0] == '_')) form.remove_prefix(1);
    if (StartsWith(form, "8")) return kMarkupUtf8;
    if (StartsWith(form, "32") || StartsWith(form, "4")) return kMarkupUnicode32;
    return kMarkupUnicode16;
  }
  return kMarkupCodePage;
}

int DeclaredMarkupEncoding(const uint8_t* block, size_t size) {
  if (size < 10) return kMarkupUndeclared;
  const size_t n = size < MarkupFilter::kDetectBytes ? size : MarkupFilter::kDetectBytes;
  std::string lower(reinterpret_cast<const char*>(block), n);
  for (char& c : lower) c = Lower(c);
  const std::string_view text = lower;
  const size_t meta = text.find("<meta");
  if (meta != std::string_view::npos) {
    size_t charset = std::string_view::npos;
    const size_t contentType = text.find("content-type", meta);
    if (contentType != std::string_view::npos) charset = text.find("charset=", contentType);
    if (charset == std::string_view::npos) charset = text.find("charset=", meta);
    if (charset != std::string_view::npos) return MarkupEncodingOfName(NameAt(text, charset + 8));
  }
  const size_t xml = text.find("<?xml");
  if (xml != std::string_view::npos) {
    const size_t end = text.find("?>", xml);
    const size_t encoding = text.find("encoding=", xml);
    if (encoding != std::string_view::npos && (end == std::string_view::npos || encoding < end)) {
      const size_t at = encoding + 9;
      if (at < text.size() && (text[at] == '"' || text[at] == '\'')) return MarkupEncodingOfName(NameAt(text, at));
    }
    return kMarkupUtf8;
  }
  switch (DetectByteOrderMark(block, size)) {
    case kEncodingUtf8:
      return kMarkupUtf8;
    case kEncodingUtf16BigEndian:
    case kEncodingUtf16LittleEndian:
      return kMarkupUnicode16;
    default:
      return kMarkupUndeclared;
  }
}

int DecodeEntity(std::string_view name, bool numeric) {
  char buffer[MarkupFilter::kMaxName + 1];
  const size_t length = name.size() < MarkupFilter::kMaxName ? name.size() : MarkupFilter::kMaxName;
  for (size_t i = 0; i < length; ++i) buffer[i] = Lower(name[i]);
  const std::string_view n(buffer, length);
  if (n == "gt") return '>';
  if (n == "lt") return '<';
  if (!n.empty() && n[0] == '#') return numeric ? NumericEntity(n.substr(1)) : -1;
  if (n.size() < 3) return -1;
  if (n == "nbsp") return ' ';
  if (n == "amp") return '&';
  if (n == "quot") return '\'';
  if (n == "ccedil") return 0xE7;
  if (n == "copy") return 0xA9;
  if (n == "reg") return 0xAE;
  if (n == "euro") return 0x80;
  if (n == "pound") return 0xA3;
  if (n == "trade") return 0x99;
  const char first = n[0];
  const std::string_view rest = n.substr(1);
  if (first == 's' && rest == "zlig") return 0xDF;
  if (first == 'a' && rest == "ring") return 0xE5;
  if ((first == 'l' || first == 'r') && (rest == "squo" || rest == "dquo")) return '"';
  if ((first == 'm' || first == 'n') && rest == "dash") return '-';
  return AccentedLetter(first, rest);
}

MarkupFilter::MarkupFilter() { out_.reserve(3 * PlainTextFilter::kBlockSize + 16); }

void MarkupFilter::StartFile(int fileType, const LanguageTables& tables) {
  fileType_ = fileType;
  html_ = fileType == kFileTypeHtml;
  tagRules_ = html_ || fileType == kFileTypeXml;
  declared_ = kMarkupUndeclared;
  decoder_.StartFile(fileType, tables);
  inTag_ = inEntity_ = skipping_ = afterEntity_ = joiningTag_ = false;
  outputEnabled_ = true;
  tagLength_ = entityLength_ = 0;
}

void MarkupFilter::DetectFirstBlock(const uint8_t* block, size_t size) {
  decoder_.DetectFirstBlock(block, size);
  declared_ = DeclaredMarkupEncoding(block, size);
  // A byte-order mark says how the bytes are written, whatever the text
  // declares.
  if (DetectByteOrderMark(block, size) != kEncodingNone) return;
  switch (declared_) {
    case kMarkupUtf8:
      decoder_.SetEncoding(kEncodingUtf8);
      break;
    case kMarkupCodePage:
      decoder_.SetEncoding(kEncodingNone);
      break;
    default:
      // Unicode forms and undeclared files: UTF-16 written without a mark
      // shows by its zero bytes; otherwise the decoder's own guess stays.
      if (const int utf16 = Utf16ByZeros(block, size); utf16 != kEncodingNone) decoder_.SetEncoding(utf16);
      break;
  }
}

std::string_view MarkupFilter::FilterBlock(uint8_t* block, size_t size, bool last) {
  const std::string_view text = decoder_.FilterBlock(block, size, last);
  out_.clear();
  for (char c : text) Byte(static_cast<uint8_t>(c));
  if (last && inEntity_) EndEntity();
  return std::string_view(out_.data(), out_.size());
}

void MarkupFilter::Put(uint8_t c) {
  if (skipping_ || !outputEnabled_) return;
  if (c == 0x92 || c == 0xB4) c = '\'';
  out_.push_back(static_cast<char>(c));
}

void MarkupFilter::Byte(uint8_t c) {
  if (c == '\n' || c == '\r') c = ' ';
  if (c == '<' || c == '>') {
    if (inEntity_) EndEntity();
    afterEntity_ = false;
    if (c == '<') {
      if (inTag_) EndTag();
      // x:bindata content ends at the next tag.
      outputEnabled_ = true;
      inTag_ = true;
      tagLength_ = 0;
      return;
    }
    joiningTag_ = false;
    if (inTag_) {
      EndTag();
      inTag_ = false;
    }
    if (!joiningTag_) Put(' ');
    return;
  }
  if (inTag_) {
    if (tagLength_ < kMaxName) tag_[tagLength_++] = static_cast<char>(c);
    return;
  }
  if (skipping_) return;
  if (inEntity_) {
    if (c == ' ' || c == ';') {
      EndEntity();  // the space or ';' that ends it is dropped
      return;
    }
    if (entityLength_ == kMaxName) return;  // too long to be any entity
    entity_[entityLength_++] = static_cast<char>(c);
    const int decoded = DecodeEntity(std::string_view(entity_, entityLength_), false);
    if (decoded >= 0) {
      inEntity_ = false;
      Put(static_cast<uint8_t>(decoded));
      afterEntity_ = true;
    }
    return;
  }
  if (afterEntity_) {
    afterEntity_ = false;
    if (c == ' ' || c == ';') return;
  }
  if (c == '&') {
    inEntity_ = true;
    entityLength_ = 0;
    return;
  }
  Put(c);
}

void MarkupFilter::EndEntity() {
  inEntity_ = false;
  const int decoded = DecodeEntity(std::string_view(entity_, entityLength_), true);
  if (decoded >= 0) Put(static_cast<uint8_t>(decoded));
}

void MarkupFilter::EndTag() {
  const size_t length = tagLength_;
  tagLength_ = 0;
  if (!tagRules_ || length == 0) return;
  const bool closing = tag_[0] == '/';
  char name[kTagNameLength];
  size_t n = 0;
  for (size_t i = closing ? 1 : 0; i < length && n < kTagNameLength; ++i) {
    const char c = tag_[i];
    if (c == ' ' || c == '\t' || c == '/' || c == '\0') break;
    name[n++] = Lower(c);
  }
  const std::string_view tag(name, n);
  // "<br/>" and "<script ... />" close themselves.
  size_t end = length;
  while (end > 0 && tag_[end - 1] == ' ') --end;
  const bool selfClosing = !closing && end > 0 && tag_[end - 1] == '/';

  if (tag == "b" || tag == "i" || tag == "u") joiningTag_ = true;
  if (closing) {
    if (tag == "script" || tag == "style") skipping_ = false;
    if (html_ && n > 0 && (name[0] == 'd' || name[0] == 'h' || name[0] == 'p' || name[0] == 't')) {
      Put(' ');
      Put('\r');
    }
    return;
  }
  if ((tag == "script" || tag == "style") && !selfClosing) skipping_ = true;
  if (n == 9 && name[1] == ':' && tag.substr(2) == "bindata") outputEnabled_ = false;
}

}  // namespace malvex
