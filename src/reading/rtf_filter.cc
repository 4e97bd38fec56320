#include "reading/rtf_filter.h"

#include <cstring>
#include <string_view>

#include "foundations/charset.h"
#include "reading/plain_text_filter.h"

namespace malvex {
namespace {

bool IsLetter(uint8_t c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsDigit10(uint8_t c) { return c >= '0' && c <= '9'; }

int HexValue(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Control words whose group holds no text: the font table and its
// entries, embedded objects, binary data.
bool DisablesGroup(std::string_view w) {
  static constexpr std::string_view kWords[] = {"fonttbl", "fnil",   "froman", "fswiss",     "fmodern", "fscript",
                                                "fdecor",  "ftech",  "fbidi",  "fttruetype", "object",  "bin"};
  for (std::string_view k : kWords)
    if (w == k) return true;
  return w.substr(0, 8) == "sbasedon" || w.substr(0, 5) == "snext";
}

}  // namespace

RtfFilter::RtfFilter() {
  out_.reserve(2 * 65536 + 16);
  groups_.reserve(64);
}

void RtfFilter::StartFile(const LanguageTables& tables) {
  tables_ = &tables;
  state_ = State::kText;
  depth_ = 0;
  disabled_ = rtfSeen_ = false;
  charset_ = kCharsetAnsi;
  unicodeSkip_ = 1;
  pendingSkip_ = 0;
  binaryBytes_ = 0;
  wordLength_ = parameterLength_ = 0;
  groups_.clear();
}

std::string_view RtfFilter::FilterBlock(const uint8_t* block, size_t size) {
  out_.clear();
  for (size_t i = 0; i < size; ++i) Byte(block[i]);
  return std::string_view(out_.data(), out_.size());
}

void RtfFilter::Byte(uint8_t c) {
  if (binaryBytes_ > 0) {
    --binaryBytes_;
    return;
  }
  switch (state_) {
    case State::kText:
      if (c == '\\')
        state_ = State::kBackslash;
      else if (c == '{')
        OpenGroup();
      else if (c == '}')
        CloseGroup();
      else if (c != '\r' && c != '\n')
        Character(c);
      return;
    case State::kBackslash:
      if (IsLetter(c)) {
        word_[0] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        wordLength_ = 1;
        parameterLength_ = 0;
        state_ = State::kWord;
      } else if (c == '\'') {
        state_ = State::kHex1;
      } else {
        state_ = State::kText;
        ControlSymbol(c);
      }
      return;
    case State::kWord:
      if (IsLetter(c)) {
        if (wordLength_ < kMaxWord) word_[wordLength_++] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        return;
      }
      if (IsDigit10(c) || c == '-') {
        parameter_[parameterLength_++] = static_cast<char>(c);
        state_ = State::kParameter;
        return;
      }
      break;
    case State::kParameter:
      if (IsDigit10(c)) {
        if (parameterLength_ < 10) parameter_[parameterLength_++] = static_cast<char>(c);
        return;
      }
      break;
    case State::kHex1:
      if (HexValue(c) >= 0) {
        hex_ = static_cast<uint8_t>(HexValue(c));
        state_ = State::kHex2;
        return;
      }
      state_ = State::kText;
      Byte(c);
      return;
    case State::kHex2:
      state_ = State::kText;
      if (HexValue(c) >= 0) {
        Character(static_cast<uint8_t>(hex_ * 16 + HexValue(c)));
        return;
      }
      Byte(c);
      return;
  }
  // The end of a control word: a space delimiter is part of it, anything
  // else is read again.
  state_ = State::kText;
  ControlWord();
  if (c != ' ') Byte(c);
}

void RtfFilter::Put(uint8_t c) {
  if (depth_ >= kTextDepth || disabled_) return;
  if (charset_ == kCharsetMac)
    c = tables_->macToAnsi[c];
  else if (charset_ == kCharsetOem)
    c = OemToAnsi(c);
  if (c == 0x92 || c == 0xB4) c = '\'';
  out_.push_back(static_cast<char>(c));
}

void RtfFilter::Character(uint8_t c) {
  // The header is over once the document has text, even in a file
  // without a font table.
  rtfSeen_ = false;
  if (pendingSkip_ > 0) {
    --pendingSkip_;
    return;
  }
  Put(c);
}

void RtfFilter::ControlSymbol(uint8_t c) {
  switch (c) {
    case '~':  // non-breaking space
      Character(' ');
      break;
    case '_':  // non-breaking hyphen
      Character('-');
      break;
    case '\\':
    case '{':
    case '}':
      Character(c);
      break;
    case '*':  // an ignorable destination
      disabled_ = true;
      break;
    case '\r':
    case '\n':  // the same as \par
      Put(' ');
      Put(' ');
      break;
    default:  // optional hyphen, formula, index marks: nothing
      break;
  }
}

void RtfFilter::ControlWord() {
  const std::string_view w(word_, wordLength_);
  long parameter = 0;
  const bool hasParameter = parameterLength_ > 0;
  {
    size_t i = 0;
    const bool negative = hasParameter && parameter_[0] == '-';
    if (negative) i = 1;
    for (; i < parameterLength_; ++i) parameter = parameter * 10 + (parameter_[i] - '0');
    if (negative) parameter = -parameter;
  }
  if (w == "uc") {
    unicodeSkip_ = parameter < 0 ? 0 : parameter > 10 ? 10 : static_cast<int>(parameter);
    return;
  }
  // A control word standing in for the "\uN" before it.
  if (pendingSkip_ > 0) {
    --pendingSkip_;
    return;
  }
  if (w == "rtf") {
    rtfSeen_ = true;
    return;
  }
  if (rtfSeen_) {
    // In the header only the character set is read among the words
    // beginning with 'p'.
    if (w == "ansi") {
      charset_ = kCharsetAnsi;
      return;
    }
    if (w == "mac") {
      charset_ = kCharsetMac;
      return;
    }
    if (w == "pc" || w == "pca") {
      charset_ = kCharsetOem;
      return;
    }
    if (w[0] == 'p') return;
  } else {
    if (w == "par") {
      Put(' ');
      Put(' ');
      return;
    }
    if (w == "pict") {
      disabled_ = true;
      return;
    }
  }
  if (w == "u" && hasParameter) {
    // A 16-bit character, negative above 32,767; never through the
    // document's character set.
    const uint16_t unit = static_cast<uint16_t>(parameter < 0 ? parameter + 65536 : parameter);
    rtfSeen_ = false;
    if (depth_ < kTextDepth && !disabled_) {
      uint8_t b = UnicodeTo8Bit(unit);
      if (b == 0x92 || b == 0xB4) b = '\'';
      out_.push_back(static_cast<char>(b));
    }
    pendingSkip_ = unicodeSkip_;
    return;
  }
  if (DisablesGroup(w)) {
    disabled_ = true;
    if (w == "bin" && parameter > 0) binaryBytes_ = parameter;
    return;
  }
  if (w == "line" || w == "cell" || w == "tab") {
    Put(' ');
    return;
  }
  if (w == "lquote" || w == "rquote") {
    Character('\'');
    return;
  }
  if (w == "ldblquote" || w == "rdblquote") Character('"');
}

void RtfFilter::OpenGroup() {
  rtfSeen_ = false;
  pendingSkip_ = 0;
  if (groups_.size() < kMaxSavedGroups && static_cast<size_t>(depth_) == groups_.size())
    groups_.push_back(Group{disabled_, unicodeSkip_});
  ++depth_;
}

void RtfFilter::CloseGroup() {
  rtfSeen_ = false;
  pendingSkip_ = 0;
  if (depth_ == 0) return;  // a stray closing brace
  --depth_;
  if (static_cast<size_t>(depth_) < groups_.size()) {
    disabled_ = groups_.back().disabled;
    unicodeSkip_ = groups_.back().unicodeSkip;
    groups_.pop_back();
  }
}

}  // namespace malvex
