#include "views/terminology.h"

#include <algorithm>
#include <cstring>

#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/term_index.h"
#include "foundations/category.h"
#include "foundations/charset.h"
#include "reading/word_stream.h"

namespace malvex {

namespace {

// Punctuation before a word that ends the compound under way: quotes,
// brackets, list and arithmetic signs, the section sign.
bool SeparatorCloses(const char* separator) {
  const uint8_t c = static_cast<uint8_t>(separator[0]);
  if (c == 0) return false;
  if (c == 0xA7) return true;  // §
  return std::strchr("\"#()*+,/<>{|", c) != nullptr;
}

// A word that stands for an amount of money: "$...", or the byte of the
// euro, pound or yen sign of the Western code page. (In code page 1250
// 0xA3 and 0xA5 are capital letters, which stored words, folded to lower
// case, never begin with.)
bool IsAmount(const char* word) {
  const uint8_t c = static_cast<uint8_t>(word[0]);
  return c == '$' || c == 0x80 || c == 0xA3 || c == 0xA5;
}

class Walker {
 public:
  Walker(const SemanticDictionary& dictionary, TermIndex& index) : dictionary_(dictionary), index_(index) {}

  void Word(const WordNode& node) {
    const char* const word = node.text;
    if (word == nullptr) return;
    if (word[0] == '/') {
      Close();
      return;
    }
    if (SeparatorCloses(node.separator)) Close();
    if (IsAmount(word)) {
      Close();
      return;
    }
    const WordCategory& category = node.info.category;
    const size_t length = std::strlen(word);
    if (isSubstantive(category)) {
      // Only a noun whose class recurs in the text makes or extends a
      // term; any other noun ends the compound, and the adjective met
      // before it qualifies it, not the next noun.
      if (dictionary_.ClassCount(1, static_cast<int32_t>(node.info.classPath[0])) > 1)
        Extend(word, length, true);
      else
        Close();
      return;
    }
    if (!isAdjective(category) || IsDigit(static_cast<uint8_t>(word[0]))) {
      pending_.clear();
      if (length_ == 0) return;
      if (isDeterminant(category) || isDeterminantKind1(category))
        Extend(word, length, false);
      else
        Close();
      return;
    }
    if (length_ == 0)
      pending_.assign(word, length);
    else
      Extend(word, length, true);
  }

 private:
  void Close() {
    length_ = 0;
    head_.clear();
    pending_.clear();
  }

  void Record(std::string_view compound) {
    if (index_.SelectTerm(compound))
      index_.CountSelectedTerm(compound, head_);
    else
      index_.AddTerm(compound, head_);
  }

  void Extend(const char* word, size_t length, bool recording) {
    if (length_ != 0) {
      // The joining '_' counts: a compound never passes its longest length.
      if (length_ + 1 + length > kMaxCompoundLength) return;
      compound_[length_] = '_';
      std::memcpy(compound_ + length_ + 1, word, length);
      length_ += 1 + length;
      if (recording) Record(std::string_view(compound_, length_));
      return;
    }
    if (length > kMaxCompoundLength) return;
    std::memcpy(compound_, word, length);
    length_ = length;
    if (length < 2) return;
    head_.assign(word, length);
    std::replace(head_.begin(), head_.end(), '_', ' ');
    const uint32_t number = index_.LemmaNumberOf(head_);
    if (number != 0)
      index_.Mark(number);
    else if (!index_.AddLemma(head_))
      return;
    if (!pending_.empty() && pending_.size() + length <= kMaxCompoundLength - 1) {
      std::string compound = pending_;
      compound += '_';
      compound.append(word, length);
      Record(compound);
    }
  }

  const SemanticDictionary& dictionary_;
  TermIndex& index_;
  char compound_[kMaxCompoundLength + 1] = {};
  size_t length_ = 0;  // 0: no compound open
  std::string head_;
  std::string pending_;
};

std::string FrequencyText(uint32_t frequency) { return frequency == 0 ? "*" : std::to_string(frequency); }

}  // namespace

void WalkTerminology(const WordStream& stream, const SemanticDictionary& dictionary, TermIndex& index) {
  Walker walker(dictionary, index);
  for (const WordNode* node = stream.Head(); node != stream.Tail(); node = node->next) walker.Word(*node);
}

std::vector<TermLine> ListTerminology(const TermIndex& index, const LanguageTables& tables,
                                      const TerminologyOptions& options, const ScenarioWordTest& isScenarioWord,
                                      size_t capacity, bool* overflow) {
  std::vector<TermLine> lines;
  if (overflow != nullptr) *overflow = false;
  const auto add = [&](TermLine line) {
    if (lines.size() >= capacity) {
      if (overflow != nullptr) *overflow = true;
      return false;
    }
    lines.push_back(std::move(line));
    return true;
  };
  if (options.showNonClassified) {
    const uint32_t above = options.filter ? 2 : 1;
    for (uint32_t n = 1; n <= index.LemmaCount(); ++n) {
      const uint32_t frequency = index.MarksOf(n);
      if (frequency <= above) continue;
      TermLine line;
      line.head = index.LemmaText(n);
      line.compound = NormalizeTerm(tables, line.head);
      if (line.compound.empty() || (isScenarioWord && isScenarioWord(line.compound))) continue;
      line.frequency = frequency;
      if (!add(std::move(line))) return lines;
    }
  }
  if (options.showCompounds) {
    const uint32_t least = options.filter ? 3 : 2;
    const uint32_t count = std::min(index.TermCount(), TermIndex::kMaxNumber);
    for (uint32_t n = 1; n <= count; ++n) {
      const TermIndex::Term term = index.TermAt(n);
      if (term.count < least || term.text == nullptr) continue;
      TermLine line;
      line.head = index.LemmaText(term.lemma);
      line.compound = term.text;
      line.frequency = term.count;
      line.isCompound = true;
      if (!add(std::move(line))) return lines;
    }
  }
  return lines;
}

std::vector<TermLine> ExtractTerminology(Messages* messages, const WordStream& stream,
                                         SemanticDictionary& dictionary, const LanguageTables& tables,
                                         const TerminologyOptions& options, size_t capacity, bool* overflow) {
  TermIndex index(messages);
  WalkTerminology(stream, dictionary, index);
  ScenarioGroups& scenario = dictionary.scenarioGroups();
  return ListTerminology(
      index, tables, options, [&scenario](const std::string& word) { return scenario.WordGroup(word.c_str()) != 0; },
      capacity, overflow);
}

void SortByFrequency(std::vector<TermLine>& lines) {
  std::stable_sort(lines.begin(), lines.end(),
                   [](const TermLine& a, const TermLine& b) { return a.frequency > b.frequency; });
}

std::string TermLineText(const TermLine& line) {
  return line.head + '\t' + line.compound + '\t' + FrequencyText(line.frequency);
}

std::string TermLineDisplay(std::string_view stored) {
  const size_t tab = stored.find('\t');
  if (tab == std::string_view::npos) return std::string(stored);
  std::string out(stored.substr(0, tab));
  out += " => ";
  const std::string_view rest = stored.substr(tab + 1);
  const size_t tab2 = rest.find('\t');
  if (tab2 == std::string_view::npos) {
    out += rest;
    return out;
  }
  out += rest.substr(0, tab2);
  out += " (";
  out += rest.substr(tab2 + 1);
  out += ')';
  return out;
}

TermLineFields SplitTermLine(std::string_view line) {
  TermLineFields fields;
  size_t cut = line.find('\t');
  size_t skip = 1;
  if (cut == std::string_view::npos) {
    cut = line.find(" =");
    if (cut != std::string_view::npos) skip = line.substr(cut, 4) == " => " ? 4 : 2;
  }
  if (cut == std::string_view::npos) {
    fields.head = std::string(line);
    return fields;
  }
  fields.head = std::string(line.substr(0, cut));
  const std::string_view rest = line.substr(cut + skip);
  size_t end = rest.find('\t');
  if (end == std::string_view::npos) end = rest.find(" (");
  fields.second = std::string(rest.substr(0, end));
  return fields;
}

uint32_t TermLineFrequency(std::string_view line) {
  const size_t tab = line.rfind('\t');
  if (tab == std::string_view::npos) return 0;
  uint32_t value = 0;
  for (char c : line.substr(tab + 1)) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + static_cast<uint32_t>(c - '0');
    if (value > 1000000000u) return value;
  }
  return value;
}

TermColour TermFrequencyColour(uint32_t frequency) {
  const uint32_t f = std::min<uint32_t>(frequency, 255);
  if (f <= 2) return {232, 232, 255};
  if (f <= 4) return {208, 208, 255};
  if (f <= 9) return {165, 165, 255};
  if (f <= 14) return {128, 128, 255};
  return {64, 64, 255};
}

}  // namespace malvex
