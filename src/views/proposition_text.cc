#include "views/proposition_text.h"

#include <cstring>
#include <string_view>

#include "foundations/display_form.h"
#include "reading/word_stream.h"

namespace malvex {

namespace {

bool IsClosing(char c) { return std::strchr(",.;:!?)]}%", c) != nullptr && c != '\0'; }
bool IsOpening(char c) { return c == '(' || c == '[' || c == '{'; }
bool IsQuote(char c) { return c == '"' || c == '\'' || c == '`'; }

// Builds the readable text of one proposition word by word.
class TextBuilder {
 public:
  // Appends the punctuation that preceded a word (the stored separator):
  // closing signs stick to the text before them, opening brackets to what
  // follows; quotes alternate between opening and closing.
  void Punctuation(std::string_view separator) {
    for (const char c : separator) {
      if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
      const bool closing = IsClosing(c) || (IsQuote(c) && quoteOpen_);
      if (IsQuote(c)) quoteOpen_ = !quoteOpen_;
      if (closing) {
        while (!text_.empty() && text_.back() == ' ') text_.pop_back();
        text_ += c;
        text_ += ' ';
      } else {
        if (!text_.empty() && text_.back() != ' ' && !Sticky(text_.back())) text_ += ' ';
        text_ += c;
        if (!IsOpening(c) && !IsQuote(c)) text_ += ' ';
        if (IsQuote(c)) sticky_ = text_.size();
      }
    }
  }
  void Word(std::string_view separator, const std::string& word) {
    Punctuation(separator);
    if (!text_.empty() && text_.back() != ' ' && !Sticky(text_.back()) && sticky_ != text_.size()) text_ += ' ';
    text_ += word;
  }
  bool empty() const { return text_.empty(); }
  // The text without trailing blanks; the builder starts again empty.
  std::string Take() {
    while (!text_.empty() && text_.back() == ' ') text_.pop_back();
    std::string out = std::move(text_);
    text_.clear();
    quoteOpen_ = false;
    sticky_ = 0;
    return out;
  }

 private:
  static bool Sticky(char c) { return IsOpening(c); }
  std::string text_;
  bool quoteOpen_ = false;
  size_t sticky_ = 0;  // text length just after an opening quote
};

std::string_view SeparatorOf(const WordNode* node) {
  return std::string_view(node->separator, strnlen(node->separator, sizeof node->separator));
}

}  // namespace

std::vector<PropositionText> PropositionTexts(WordStream& stream, const PropositionFilter& wanted) {
  std::vector<PropositionText> out;
  WordNode* const saved = stream.Current();
  stream.Rewind();
  uint32_t number = 1;
  bool want = wanted && wanted(number);
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
  };
  WordInfo info;
  WordNode* node = nullptr;
  int32_t position = 0;
  while (const char* text = stream.NextWithNode(info, node, position)) {
    if (text[0] == '/' && text[1] == '\0') {
      if (want && !builder.empty()) builder.Punctuation(SeparatorOf(node));
      close();
      ++number;
      want = wanted && wanted(number);
      continue;
    }
    if (!want) continue;
    if (builder.empty()) current.first = position;
    current.last = position;
    builder.Word(SeparatorOf(node), DisplayForm(text, info.capitalisation, info.apostrophePos, info.category, false));
  }
  close();
  stream.SetCurrent(saved);
  return out;
}

}  // namespace malvex
