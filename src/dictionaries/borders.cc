#include "dictionaries/borders.h"

#include <cstring>
#include <new>

#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/files.h"

namespace malvex {

int EmptyTextMessage(const BordersReport& report) { return report.filteredPropositions > 0 ? 555 : 18; }

int BordersDiagnosisMessage(const BordersReport& report) {
  if (!report.active) return 0;
  return report.filteredPropositions > 0 ? 352 : 353;
}

BordersStore::BordersStore(Messages& messages) : messages_(messages) {}

BordersStore::~BordersStore() {
  ok_ = true;
  Clear();
}

void BordersStore::Clear() {
  if (!ok_) return;
  Node* node = first_;
  while (node != nullptr) {
    Node* const next = node->next;
    delete node;
    node = next;
  }
  first_ = last_ = cursor_ = nullptr;
  count_ = 0;
}

bool BordersStore::Add(std::string_view text, std::string_view code) {
  Node* const node = new (std::nothrow) Node;
  if (node == nullptr) {
    messages_.reportMemory(true);
    return false;
  }
  const size_t length = text.size() < BorderEntry::kMaxText ? text.size() : BorderEntry::kMaxText;
  std::memset(node->entry.text, 0, sizeof node->entry.text);
  if (length > 0) std::memcpy(node->entry.text, text.data(), length);
  std::memset(node->entry.code, 0, sizeof node->entry.code);
  const size_t codeLength = code.size() < BorderEntry::kCodeBytes ? code.size() : BorderEntry::kCodeBytes;
  if (codeLength > 0) std::memcpy(node->entry.code, code.data(), codeLength);
  node->next = nullptr;
  if (last_ == nullptr) {
    first_ = node;
  } else {
    last_->next = node;
  }
  last_ = node;
  ++count_;
  return true;
}

const BorderEntry* BordersStore::Next() {
  if (cursor_ == nullptr) return nullptr;
  const BorderEntry* entry = &cursor_->entry;
  cursor_ = cursor_->next;
  return entry;
}

void BordersStore::TakeLine(const char* line, size_t length, bool& damaged) {
  // The text is the field after the first TAB at or after the code.
  size_t tab = BorderEntry::kCodeBytes;
  while (tab < length && line[tab] != '\t') ++tab;
  if (length <= BorderEntry::kCodeBytes || tab >= length) {
    damaged = true;
    return;
  }
  const size_t start = tab + 1;
  size_t end = start;
  while (end < length && line[end] != '\t' && line[end] != '\0') ++end;
  const size_t textLength = end - start;
  if (textLength == 0) {
    damaged = true;
    return;
  }
  if (textLength > BorderEntry::kMaxText) damaged = true;
  Add(std::string_view(line + start, textLength), std::string_view(line, BorderEntry::kCodeBytes));
}

bool BordersStore::Load(const std::string& path) {
  fileEncoding_ = TextFileEncoding::kCodePage;
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
    messages_.errorBox(messages_.message(4));
    return false;
  }
  fileEncoding_ = DetectTextFileEncoding(bytes);
  const std::string text = DecodeTextFile(bytes, fileEncoding_);
  std::string().swap(bytes);

  char line[kLineBuffer];
  size_t length = 0;
  bool inLine = false;
  bool damaged = false;
  bool afterCarriageReturn = false;
  for (const char c : text) {
    if (c == '\n' && afterCarriageReturn) {
      // The second half of a CR LF line end.
      afterCarriageReturn = false;
      continue;
    }
    afterCarriageReturn = c == '\r';
    if (c == '\r' || c == '\n') {
      TakeLine(line, length, damaged);
      length = 0;
      inLine = false;
      continue;
    }
    inLine = true;
    // Characters beyond the buffer are dropped with the rest of the line.
    if (length < kLineBuffer - 1) line[length++] = c;
  }
  if (inLine) TakeLine(line, length, damaged);
  if (damaged) messages_.errorBox(messages_.message(550));
  return true;
}

std::string BordersStore::Serialize() const {
  std::string out;
  for (const Node* node = first_; node != nullptr; node = node->next) {
    const BorderEntry& e = node->entry;
    if (!e.HasText()) continue;
    for (char c : e.code) out += c == '\0' ? '#' : c;
    out += '\t';
    out += e.text;
    out += "\r\n";
  }
  return EncodeTextFile(out, fileEncoding_);
}

bool BordersStore::Save(const std::string& path) const {
  if (!WriteFileAtomically(path, Serialize())) {
    messages_.errorBox(messages_.message(5));
    return false;
  }
  return true;
}

bool BordersStore::Compile(bool showBordersInText) {
  active_ = false;
  if (!ok_) return false;
  trie_.Free();
  trie_.Create(kTrieCapacity, &messages_);
  for (const Node* node = first_; node != nullptr; node = node->next) {
    const BorderEntry& e = node->entry;
    if (!e.HasText()) continue;
    const uint16_t value = e.StartsFiltering() ? kStarts : kStops;
    // The same border entered again with the same kind is the same border;
    // only a border entered with both kinds is ambiguous.
    char folded[BorderEntry::kMaxText + 1];
    const size_t length = std::strlen(e.text);
    std::memcpy(folded, e.text, length + 1);
    FoldToLower(folded, length);
    if (trie_.ValueOf(std::string_view(folded, length)) == value) continue;
    if (!trie_.Insert(std::string_view(e.text, length), value)) {
      messages_.errorBox(messages_.message(560));
      break;
    }
    if (value == kStarts) active_ = true;
  }
  if (!showBordersInText) active_ = true;
  return true;
}

void BordersStore::Release() {
  trie_.Free();
  active_ = false;
}

uint16_t BordersStore::TrieValue(std::string_view word) {
  if (!trie_.Created() || word.empty() || word.size() > kTrieMaxKeyLength) return 0;
  char folded[kTrieMaxKeyLength + 1];
  const size_t length = word.size();
  std::memcpy(folded, word.data(), length);
  FoldToLower(folded, length);
  return trie_.ValueOf(std::string_view(folded, length));
}

bool BordersStore::IsBorder(std::string_view word, bool& startsFiltering) {
  const uint16_t value = TrieValue(word);
  if (value == 0) return false;
  startsFiltering = value == kStarts;
  return true;
}

}  // namespace malvex
