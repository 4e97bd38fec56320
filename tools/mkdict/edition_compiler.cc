#include "edition_compiler.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

#include "dictionaries/lemma_index.h"
#include "dictionaries/lexicon_builder.h"
#include "dictionaries/semantic_dictionary_builder.h"
#include "dictionaries/semantic_format.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "platform/files.h"

namespace malvex {

namespace {

// Lemma indexes of the edition: 29 tries for the forms, 7 for the lemmas.
constexpr int kFormTries = 29;
constexpr int kLemmaTries = 7;

// True when `s` is well-formed UTF-8.
bool IsUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    const uint8_t c = static_cast<uint8_t>(s[i]);
    size_t more = 0;
    if (c < 0x80) {
      more = 0;
    } else if ((c & 0xE0) == 0xC0 && c >= 0xC2) {
      more = 1;
    } else if ((c & 0xF0) == 0xE0) {
      more = 2;
    } else if ((c & 0xF8) == 0xF0 && c <= 0xF4) {
      more = 3;
    } else {
      return false;
    }
    for (size_t k = 1; k <= more; ++k) {
      if (i + k >= s.size() || (static_cast<uint8_t>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    i += more + 1;
  }
  return true;
}

// A whole number written in decimal, or in hexadecimal after "0x".
bool ParseNumber(const std::string& s, long& value) {
  if (s.empty()) return false;
  const bool hex = s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X');
  char* end = nullptr;
  value = std::strtol(s.c_str(), &end, hex ? 16 : 10);
  return end != nullptr && *end == '\0' && (hex || s[0] == '-' || (s[0] >= '0' && s[0] <= '9'));
}

// A category code: hexadecimal digits, "0x" allowed in front.
bool ParseCode(std::string s, long& value) {
  if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) s = s.substr(2);
  if (s.empty() || s.size() > 4) return false;
  for (const char c : s) {
    if (!std::isxdigit(static_cast<unsigned char>(c))) return false;
  }
  value = std::strtol(s.c_str(), nullptr, 16);
  return true;
}

// A word class 0..10 of the matrix, by number or by name.
bool ParseClass(const std::string& s, int& cls) {
  static const char* const kNames[] = {"unclassified", "verb",        "connector",
                                       "modality",     "adjective",   "pronoun",
                                       "determinant",  "determinant-1", "substantive",
                                       "undetermined"};
  for (int i = 0; i < 10; ++i) {
    if (s == kNames[i]) {
      cls = i;
      return true;
    }
  }
  long v = 0;
  if (!ParseNumber(s, v) || v < 0 || v > 10) return false;
  cls = static_cast<int>(v);
  return true;
}

bool IsNone(const std::string& s) { return s.empty() || s == "-"; }

}  // namespace

struct EditionCompiler::Line {
  std::string file;
  int number = 0;
  std::vector<std::string> fields;
};

EditionCompiler::EditionCompiler()
    : tables_(DefaultLanguageTables()), spareByte_(kLexiconSpareByteDefault) {}

EditionCompiler::~EditionCompiler() = default;

size_t EditionCompiler::FormCount() const { return lexicon_ ? lexicon_->FormCount() : 0; }
uint32_t EditionCompiler::VerbLemmaCount() const { return verbs_ ? verbs_->LemmaCount() : 0; }
uint32_t EditionCompiler::AdjectiveLemmaCount() const {
  return adjectives_ ? adjectives_->LemmaCount() : 0;
}

bool EditionCompiler::Fail(const Line& line, const std::string& message) {
  error_ = line.file + ":" + std::to_string(line.number) + ": " + message;
  return false;
}

bool EditionCompiler::Lines(const std::string& path, std::vector<Line>& lines, bool& present) {
  lines.clear();
  present = false;
  int64_t size = 0;
  if (!FileExists(path, size)) {
    if (FolderExists(path)) {
      error_ = path + ": a folder, not a source file";
      return false;
    }
    return true;
  }
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) {
    error_ = path + ": cannot be read";
    return false;
  }
  present = true;
  if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  size_t start = 0;
  int number = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string::npos) end = bytes.size();
    std::string text = bytes.substr(start, end - start);
    start = end + 1;
    ++number;
    if (!text.empty() && text.back() == '\r') text.pop_back();
    if (!IsUtf8(text)) {
      error_ = path + ":" + std::to_string(number) + ": not valid UTF-8";
      return false;
    }
    if (text.empty() || text[0] == '#') continue;
    Line line;
    line.file = path;
    line.number = number;
    size_t from = 0;
    for (;;) {
      const size_t tab = text.find('\t', from);
      line.fields.push_back(text.substr(from, tab == std::string::npos ? std::string::npos : tab - from));
      if (tab == std::string::npos) break;
      from = tab + 1;
    }
    lines.push_back(std::move(line));
  }
  return true;
}

// ---- Texts --------------------------------------------------------------

namespace {

// The 8-bit form of a UTF-8 field; false when a character has no place in
// the code page (the conversion would have made it '?' or '#').
bool To8Bit(const std::string& utf8, std::string& out) {
  out = FromUtf8(utf8);
  const auto marks = [](const std::string& s) {
    size_t n = 0;
    for (const char c : s) n += c == '?' || c == '#';
    return n;
  };
  return marks(out) == marks(utf8);
}

// One byte given as 0xNN or as a single character of the code page.
bool ParseByte(const std::string& field, uint8_t& byte) {
  if (field.size() > 2 && field[0] == '0' && (field[1] == 'x' || field[1] == 'X')) {
    long v = 0;
    if (!ParseNumber(field, v) || v < 0 || v > 255) return false;
    byte = static_cast<uint8_t>(v);
    return true;
  }
  std::string b;
  if (!To8Bit(field, b) || b.size() != 1) return false;
  byte = static_cast<uint8_t>(b[0]);
  return true;
}

}  // namespace

// ---- Sources ------------------------------------------------------------

bool EditionCompiler::ReadSources(const std::string& folder) {
  error_.clear();
  if (!FolderExists(folder)) {
    error_ = folder + ": no such folder";
    return false;
  }
  const std::string dir = folder + "/";
  if (!ReadTables(dir + kTableSource) || !ReadNorms(dir + kNormSource)) return false;
  lexicon_ = std::make_unique<LexiconBuilder>(tables_, spareByte_);
  semantic_ = std::make_unique<SemanticDictionaryBuilder>(tables_);
  verbs_ = std::make_unique<LemmaIndex>(kFormTries, kLemmaTries);
  adjectives_ = std::make_unique<LemmaIndex>(kFormTries, kLemmaTries);
  verbs_->CreateEmpty();
  adjectives_->CreateEmpty();
  senses_ = 0;
  verbsLeftOut_ = LeftOut{};
  adjectivesLeftOut_ = LeftOut{};
  return ReadLexicon(dir + kLexiconSource) && ReadLemmas(dir + kVerbLemmaSource, *verbs_) &&
         ReadLemmas(dir + kAdjectiveLemmaSource, *adjectives_) && ReadSenses(dir + kSenseSource) &&
         ReadMatrix(dir + kMatrixSource);
}

bool EditionCompiler::ReadTables(const std::string& path) {
  tables_ = DefaultLanguageTables();
  spareByte_ = kLexiconSpareByteDefault;
  std::vector<Line> lines;
  bool present = false;
  if (!Lines(path, lines, present)) return false;
  static const char* const kClassNames[] = {"blank", "letter", "joiner", "punctuation", "line-end",
                                            "digit"};
  for (const Line& line : lines) {
    const std::string& kind = line.fields[0];
    long value = 0;
    if (kind == "spare") {
      if (line.fields.size() != 2 || !ParseNumber(line.fields[1], value) || value < 0 || value > 255) {
        return Fail(line, "expected: spare<TAB>0..255");
      }
      spareByte_ = static_cast<uint8_t>(value);
      continue;
    }
    uint8_t byte = 0;
    if (line.fields.size() != 3) return Fail(line, "expected: " + kind + "<TAB>character<TAB>value");
    if (kind == "mac") {
      uint8_t to = 0;
      long from = 0;
      if (!ParseNumber(line.fields[1], from) || from < 0 || from > 255 || !ParseByte(line.fields[2], to)) {
        return Fail(line, "expected: mac<TAB>0xNN (Mac OS Roman byte)<TAB>character or 0xNN");
      }
      tables_.macToAnsi[from] = to;
      continue;
    }
    if (!ParseByte(line.fields[1], byte)) {
      return Fail(line, "\"" + line.fields[1] + "\": not one character of code page 1250 nor 0xNN");
    }
    const std::string& v = line.fields[2];
    if (kind == "bucket") {
      if (!ParseNumber(v, value) || value < 0 || value > 10) return Fail(line, "a bucket is 0..10");
      tables_.initialBucket[byte] = static_cast<uint8_t>(value);
    } else if (kind == "class") {
      int cls = -1;
      for (int i = 0; i < 6; ++i) {
        if (v == kClassNames[i]) cls = i;
      }
      if (cls < 0 && ParseNumber(v, value) && value >= 0 && value <= 5) cls = static_cast<int>(value);
      if (cls < 0) {
        return Fail(line, "a class is 0..5 or blank, letter, joiner, punctuation, line-end, digit");
      }
      tables_.charClass[byte] = static_cast<uint8_t>(cls);
    } else if (kind == "rank") {
      if (!ParseNumber(v, value) || value < 0 || value > 31) return Fail(line, "a rank is 0..31");
      tables_.alphabetRank[byte] = static_cast<uint8_t>(value);
    } else {
      return Fail(line, "\"" + kind + "\": expected bucket, class, mac, rank or spare");
    }
  }
  return true;
}

bool EditionCompiler::ReadNorms(const std::string& path) {
  std::vector<Line> lines;
  bool present = false;
  if (!Lines(path, lines, present)) return false;
  for (const Line& line : lines) {
    long index = 0;
    long value = 0;
    if (line.fields.size() != 2 || !ParseNumber(line.fields[0], index) ||
        !ParseNumber(line.fields[1], value)) {
      return Fail(line, "expected: statistics index<TAB>percentage");
    }
    if (index < 1 || index > kNormCount) return Fail(line, "the index is 1..77");
    if (value < -128 || value > 127) return Fail(line, "the percentage is -128..127");
    tables_.norm[index - 1] = static_cast<int8_t>(value);
  }
  return true;
}

bool EditionCompiler::AddLemma(const Line& line, LemmaIndex& index, const std::string& form,
                               const std::string& lemma) {
  std::string folded = lemma;
  FoldToLower(folded);
  if (folded.empty() || folded.size() > kTrieMaxKeyLength - 1) {
    return Fail(line, "lemma \"" + ToUtf8(lemma) + "\": empty or longer than 79 characters");
  }
  std::string f = form;
  FoldToLower(f);
  if (f.empty() || f.size() > kTrieMaxKeyLength - 1) {
    return Fail(line, "form \"" + ToUtf8(form) + "\": empty or longer than 79 characters");
  }
  // An index holds what its tables can: 65,535 lemmas, and tries of at
  // most 32,599 cells (7 for the lemmas, 29 for the forms). What does not
  // fit is counted and left out.
  LeftOut& left = &index == verbs_.get() ? verbsLeftOut_ : adjectivesLeftOut_;
  uint32_t number = index.LemmaNumberOfLemma(folded);
  if (number == 0 && index.LemmaCount() < LemmaIndex::kMaxLemmas) number = index.AddLemma(lemma);
  if (number == 0) {
    ++left.lemmas;
    return true;
  }
  if (f != folded && !index.AddForm(f, number)) ++left.forms;  // a lemma is its own form
  return true;
}

bool EditionCompiler::ReadLexicon(const std::string& path) {
  std::vector<Line> lines;
  bool present = false;
  if (!Lines(path, lines, present)) return false;
  for (const Line& line : lines) {
    if (line.fields.size() < 2) return Fail(line, "expected: form<TAB>code[:lemma]...");
    std::string form;
    if (!To8Bit(line.fields[0], form)) {
      return Fail(line, "\"" + line.fields[0] + "\": a character outside code page 1250");
    }
    std::vector<uint16_t> codes;
    std::vector<std::string> lemmas;
    for (size_t i = 1; i < line.fields.size(); ++i) {
      const std::string& field = line.fields[i];
      const size_t colon = field.find(':');
      long code = 0;
      if (!ParseCode(field.substr(0, colon), code)) {
        return Fail(line, "reading " + std::to_string(i - 1) + ": \"" + field +
                              "\" is not a hexadecimal category code");
      }
      code &= ~static_cast<long>(kCodeAmbiguous);  // set by the compiler
      if (code == 0) return Fail(line, "reading " + std::to_string(i - 1) + ": code 0 means no entry");
      codes.push_back(static_cast<uint16_t>(code));
      std::string lemma;
      if (colon != std::string::npos && !To8Bit(field.substr(colon + 1), lemma)) {
        return Fail(line, "lemma \"" + field.substr(colon + 1) + "\": a character outside code page 1250");
      }
      lemmas.push_back(lemma);
    }
    if (!lexicon_->AddForm(form, codes)) {
      switch (lexicon_->refusal()) {
        case LexiconBuilder::Refusal::kEmptyForm:
          return Fail(line, "empty form");
        case LexiconBuilder::Refusal::kFormTooLong:
          return Fail(line, "form longer than 79 characters");
        case LexiconBuilder::Refusal::kTooManyReadings:
          return Fail(line, "more than 6 readings");
        case LexiconBuilder::Refusal::kAlreadyAdded:
          return Fail(line, "form \"" + line.fields[0] + "\" given twice (all its readings go on one line)");
        default:
          return Fail(line, "refused");
      }
    }
    for (size_t k = 0; k < codes.size(); ++k) {
      if (lemmas[k].empty()) continue;
      const WordCategory c = DecodeCategory(codes[k]);
      LemmaIndex* index = isVerb(c) ? verbs_.get() : isAdjective(c) ? adjectives_.get() : nullptr;
      if (index != nullptr && !AddLemma(line, *index, form, lemmas[k])) return false;
    }
  }
  return true;
}

bool EditionCompiler::ReadLemmas(const std::string& path, LemmaIndex& index) {
  std::vector<Line> lines;
  bool present = false;
  if (!Lines(path, lines, present)) return false;
  for (const Line& line : lines) {
    if (line.fields.size() != 2) return Fail(line, "expected: form<TAB>lemma");
    std::string form;
    std::string lemma;
    if (!To8Bit(line.fields[0], form) || !To8Bit(line.fields[1], lemma)) {
      return Fail(line, "a character outside code page 1250");
    }
    if (!AddLemma(line, index, form, lemma)) return false;
  }
  return true;
}

bool EditionCompiler::ReadSenses(const std::string& path) {
  std::vector<Line> lines;
  bool present = false;
  if (!Lines(path, lines, present)) return false;
  for (const Line& line : lines) {
    if (line.fields.size() < 2 || line.fields.size() > 6) {
      return Fail(line, "expected: form<TAB>class 1<TAB>class 2<TAB>class 3<TAB>flags<TAB>lemma");
    }
    std::vector<std::string> f = line.fields;
    f.resize(6);
    SemanticSenseEntry entry;
    if (!To8Bit(f[0], entry.form)) return Fail(line, "form: a character outside code page 1250");
    for (int l = 0; l < 3; ++l) {
      if (!IsNone(f[1 + l]) && !To8Bit(f[1 + l], entry.classes[l])) {
        return Fail(line, "class: a character outside code page 1250");
      }
    }
    if (!IsNone(f[4])) {
      long value = 0;
      if (ParseNumber(f[4], value)) {
        if (value < 0 || value > 255) return Fail(line, "flags are 0..255");
        entry.flags = static_cast<uint8_t>(value);
      } else {
        size_t from = 0;
        for (;;) {
          const size_t comma = f[4].find(',', from);
          const std::string word = f[4].substr(from, comma == std::string::npos ? std::string::npos : comma - from);
          if (word.size() == 4 && word.compare(0, 3, "key") == 0 && word[3] >= '0' && word[3] <= '3') {
            entry.flags = static_cast<uint8_t>((entry.flags & ~kSenseKeyLevelMask) | (word[3] - '0'));
          } else if (word == "capital") {
            entry.flags |= kSenseNeedsCapital;
          } else if (word == "capitals") {
            entry.flags |= kSenseNeedsAllCapitals;
          } else if (word == "context") {
            entry.flags |= kSenseNeedsContext;
          } else {
            return Fail(line, "flag \"" + word + "\": expected key0..key3, capital, capitals, context or a number");
          }
          if (comma == std::string::npos) break;
          from = comma + 1;
        }
      }
    }
    if (!IsNone(f[5]) && !To8Bit(f[5], entry.lemma)) {
      return Fail(line, "lemma: a character outside code page 1250");
    }
    if (!semantic_->AddSense(entry)) return Fail(line, semantic_->error());
    ++senses_;
  }
  return true;
}

bool EditionCompiler::ReadMatrix(const std::string& path) {
  matrix_ = CategoryMatrix();
  std::vector<Line> lines;
  bool present = false;
  if (!Lines(path, lines, present)) return false;
  for (const Line& line : lines) {
    const std::vector<std::string>& f = line.fields;
    long value = 0;
    size_t index = 0;
    long raw = 0;
    int a = 0, b = 0, c = 0;
    if (ParseNumber(f[0], raw)) {
      if (f.size() != 2 || raw < 0 || raw >= static_cast<long>(CategoryMatrix::kValueCount)) {
        return Fail(line, "expected: value index 0..8715<TAB>weight");
      }
      index = static_cast<size_t>(raw);
    } else if (f[0] == "connector-start" && f.size() == 2) {
      index = CategoryMatrix::kConnectorStartIndex;
    } else if ((f[0] == "bigram" || f[0] == "pronoun-bigram") && f.size() == 4 &&
               ParseClass(f[1], a) && ParseClass(f[2], b)) {
      index = f[0] == "bigram" ? CategoryMatrix::BigramIndex(a, b)
                               : CategoryMatrix::PronounBigramIndex(a, b);
    } else if ((f[0] == "trigram" || f[0] == "pronoun-trigram") && f.size() == 5 &&
               ParseClass(f[1], a) && ParseClass(f[2], b) && ParseClass(f[3], c)) {
      index = f[0] == "trigram" ? CategoryMatrix::TrigramIndex(a, b, c)
                                : CategoryMatrix::PronounTrigramIndex(a, b, c);
    } else {
      return Fail(line,
                  "expected: index<TAB>weight, connector-start<TAB>weight, bigram<TAB>a<TAB>b<TAB>"
                  "weight, trigram<TAB>a<TAB>b<TAB>c<TAB>weight, or the pronoun- forms (classes "
                  "0..10 or their names)");
    }
    if (!ParseNumber(f.back(), value) || value < -32768 || value > 32767) {
      return Fail(line, "the weight is -32768..32767");
    }
    matrix_.SetValue(index, static_cast<int16_t>(value));
  }
  return true;
}

// ---- Output -------------------------------------------------------------

bool EditionCompiler::WriteEdition(const std::string& basePath) {
  error_.clear();
  if (!lexicon_) {
    error_ = "no sources read";
    return false;
  }
  const auto path = [&basePath](const char* extension) {
    return ChangeExtension(basePath, extension);
  };
  if (!lexicon_->Write(path(".lv8"))) {
    error_ = path(".lv8") + ": cannot be built or written";
    return false;
  }
  std::string image;
  if (!semantic_->Build(image)) {
    error_ = path(".sv8") + ": " + semantic_->error();
    return false;
  }
  if (!WriteFileAtomically(path(".sv8"), image)) {
    error_ = path(".sv8") + ": cannot be written";
    return false;
  }
  if (!verbs_->Save(path(kVerbLemmaExtension))) {
    error_ = path(kVerbLemmaExtension) + ": cannot be written";
    return false;
  }
  if (!adjectives_->Save(path(kAdjectiveLemmaExtension))) {
    error_ = path(kAdjectiveLemmaExtension) + ": cannot be written";
    return false;
  }
  if (!matrix_.Write(path(".zv8"))) {
    error_ = path(".zv8") + ": cannot be written";
    return false;
  }
  return true;
}

}  // namespace malvex
