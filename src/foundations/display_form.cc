#include "foundations/display_form.h"

#include <cstring>

#include "foundations/charset.h"

namespace malvex {

namespace {

bool IsCompoundSeparator(char c) { return c == '_' || c == '-' || c == '&'; }

}  // namespace

std::string DisplayForm(std::string_view text, uint8_t capitalisation, uint8_t apostrophePos,
                        const WordCategory& category, bool keepUnderscore) {
  std::string out(text);
  if (capitalisation == 2) {
    UpperCase(out);
  } else if (capitalisation != 0 && !out.empty()) {
    UpperCaseChar(out.data(), 0);
    if (isSubstantive(category)) {
      // Each part of a compound substantive starts with a capital; a
      // separator right after the first letter does not count.
      for (size_t i = 2; i <= 78 && i + 1 < out.size(); ++i) {
        if (IsCompoundSeparator(out[i])) UpperCaseChar(out.data(), i + 1);
      }
    }
  }
  if (apostrophePos >= 1 && apostrophePos <= 77) {
    // The apostrophe takes the place the reader gave it; at the end of the
    // word it lengthens the word; beyond the end there is nothing to mark.
    if (apostrophePos < out.size()) {
      out[apostrophePos] = '\'';
    } else if (apostrophePos == out.size()) {
      out.push_back('\'');
    }
  }
  if (!keepUnderscore) {
    const size_t n = out.size() < kMaxWordChars ? out.size() : kMaxWordChars;
    for (size_t i = 0; i < n; ++i) {
      if (out[i] == '_') out[i] = ' ';
    }
  }
  return out;
}

void SpaceAroundPunctuation(char token[4]) {
  const void* end = std::memchr(token, '\0', 4);
  if (end == nullptr) return;
  const size_t length = static_cast<const char*>(end) - token;
  if (length == 1) {
    const char c = token[0];
    if (std::strchr("!),.:;?]}", c) != nullptr) {
      token[1] = ' ';
    } else if (std::strchr("([{", c) != nullptr) {
      token[0] = ' ';
      token[1] = c;
    }
    token[2] = '\0';
  } else if (length == 2) {
    if (token[0] == ')' || token[0] == ']' || token[0] == '}') {
      token[2] = ' ';
    } else if (token[0] == '.' && token[1] == '(') {
      token[1] = ' ';
      token[2] = ' ';
    }
    token[3] = '\0';
  }
}

}  // namespace malvex
