#include "views/proposition_text.h"

#include <cstring>
#include <string_view>

#include "foundations/display_form.h"
#include "reading/word_stream.h"

namespace malvex {

namespace {

bool IsClosing(char c) { return c != '\0' && std::strchr(",.;:!?)]}%", c) != nullptr; }
bool IsOpening(char c) { return c == '(' || c == '[' || c == '{'; }
bool IsQuote(char c) { return c == '"' || c == '`'; }

// Short words a hyphen ties to their neighbour in Romanian writing: the
// clitic pronouns and auxiliaries ("dându-i", "s-a", "n-ar") and the
// shortened prepositions ("într-o", "dintr-un").
bool IsClitic(std::string_view word) {
  static constexpr std::string_view kClitics[] = {"m",  "mi", "\xFEi", "\xBAi", "i",  "l",    "o",     "a",
                                                  "se", "le", "ne",    "v\xE3", "s",  "n",    "ar",    "am",
                                                  "ai", "au", "a\xBA", "a\xFEi", "ul", "lui",  "lea",   "\xEEntr",
                                                  "dintr", "printr", "de",  "c\xE3", "nu", "ce",   "care"};
  if (word.size() <= 2) return true;
  std::string folded(word);
  for (char& c : folded)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  for (std::string_view c : kClitics)
    if (folded == c) return true;
  return false;
}

// Builds the readable text of one proposition word by word.
class TextBuilder {
 public:
  // Appends the punctuation that preceded a word (the stored separator):
  // closing signs stick to the text before them, opening brackets to what
  // follows; double quotes alternate between opening and closing. An
  // apostrophe, and a hyphen next to a clitic, join the words around them.
  // `next` is the word that follows (empty at the end of the proposition).
  void Punctuation(std::string_view separator, std::string_view next) {
    std::string signs;
    for (const char c : separator)
      if (c != ' ' && c != '\t' && c != '\n' && c != '\r') signs += c;
    if (!next.empty() && !text_.empty() &&
        (signs == "'" || (signs == "-" && (IsClitic(lastWord_) || IsClitic(next))))) {
      while (!text_.empty() && text_.back() == ' ') text_.pop_back();
      text_ += signs;
      glue_ = true;
      return;
    }
    for (const char c : signs) {
      const bool closing = IsClosing(c) || (IsQuote(c) && quoteOpen_);
      if (IsQuote(c)) quoteOpen_ = !quoteOpen_;
      if (closing) {
        while (!text_.empty() && text_.back() == ' ') text_.pop_back();
        text_ += c;
        text_ += ' ';
        glue_ = false;
      } else {
        if (!text_.empty() && text_.back() != ' ' && !glue_) text_ += ' ';
        text_ += c;
        glue_ = IsOpening(c) || IsQuote(c);
        if (!glue_) text_ += ' ';
      }
    }
  }
  void Word(std::string_view separator, const std::string& word) {
    Punctuation(separator, word);
    if (!text_.empty() && text_.back() != ' ' && !glue_) text_ += ' ';
    text_ += word;
    lastWord_ = word;
    glue_ = false;
  }
  bool empty() const { return text_.empty(); }
  // The text without trailing blanks; the builder starts again empty.
  std::string Take() {
    while (!text_.empty() && text_.back() == ' ') text_.pop_back();
    std::string out = std::move(text_);
    text_.clear();
    lastWord_.clear();
    quoteOpen_ = false;
    glue_ = false;
    return out;
  }

 private:
  std::string text_;
  std::string lastWord_;
  bool quoteOpen_ = false;
  bool glue_ = false;  // the next word follows without a blank
};

std::string_view SeparatorOf(const WordNode* node) {
  return std::string_view(node->separator, strnlen(node->separator, sizeof node->separator));
}

}  // namespace

std::vector<PropositionText> PropositionTexts(WordStream& stream, const PropositionFilter& wanted) {
  std::vector<PropositionText> out;
  if (!wanted) return out;
  WordNode* const saved = stream.Current();
  stream.Rewind();
  uint32_t number = 1;
  bool started = false;  // the proposition's first word was met
  bool want = false;
  PropositionText current;
  TextBuilder builder;
  const auto close = [&]() {
    if (want && !builder.empty()) {
      current.number = number;
      current.text = builder.Take();
      out.push_back(std::move(current));
    }
    builder.Take();
    current = PropositionText{};
    started = false;
    want = false;
  };
  WordInfo info;
  WordNode* node = nullptr;
  int32_t position = 0;
  while (const char* text = stream.NextWithNode(info, node, position)) {
    if (text[0] == '/' && text[1] == '\0') {
      if (want) builder.Punctuation(SeparatorOf(node), std::string_view());
      close();
      ++number;
      continue;
    }
    if (!started) {
      started = true;
      want = wanted(number, position);
      current.first = position;
    }
    if (!want) continue;
    current.last = position;
    builder.Word(SeparatorOf(node), DisplayForm(text, info.capitalisation, info.apostrophePos, info.category, false));
  }
  close();
  stream.SetCurrent(saved);
  return out;
}

// The propositions whose first word lies within [first, last].
std::vector<PropositionText> PropositionTextsBetween(WordStream& stream, int32_t first, int32_t last) {
  return PropositionTexts(stream, [first, last](uint32_t, int32_t p) { return p >= first && p <= last; });
}

}  // namespace malvex
