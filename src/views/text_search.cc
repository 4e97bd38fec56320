#include "views/text_search.h"

#include <cstring>

#include "foundations/category.h"
#include "foundations/charset.h"
#include "foundations/messages.h"

namespace malvex {

namespace {

inline constexpr int kNotFoundBefore = 273;
inline constexpr int kNotFoundAfter = 274;

bool IsEndMarker(const char* text) { return text[0] == '/' && text[1] == '\0'; }

// The dictionaries' fold table, copied here so that the walk over millions
// of words folds each byte with one load.
struct FoldTable {
  uint8_t of[256];
  FoldTable() {
    for (int c = 0; c < 256; ++c) of[c] = FoldCharToLower(static_cast<uint8_t>(c));
  }
};
const FoldTable& Fold() {
  static const FoldTable table;
  return table;
}

// Whether `text` folded equals `folded` (already folded).
bool FoldedEquals(const uint8_t* fold, const char* text, std::string_view folded) {
  size_t i = 0;
  for (; i < folded.size(); ++i) {
    const uint8_t c = static_cast<uint8_t>(text[i]);
    if (c == 0 || fold[c] != static_cast<uint8_t>(folded[i])) return false;
  }
  return text[i] == '\0';
}

// Whether `folded` (already folded, not empty) occurs anywhere in `text`
// folded.
bool FoldedContains(const uint8_t* fold, const char* text, std::string_view folded) {
  const uint8_t first = static_cast<uint8_t>(folded[0]);
  for (const char* p = text; *p != '\0'; ++p) {
    if (fold[static_cast<uint8_t>(*p)] != first) continue;
    size_t i = 1;
    while (i < folded.size() && p[i] != '\0' && fold[static_cast<uint8_t>(p[i])] == static_cast<uint8_t>(folded[i])) {
      ++i;
    }
    if (i == folded.size()) return true;
    if (p[i] == '\0') return false;  // the rest of the text is too short
  }
  return false;
}

}  // namespace

TextSearchSubject TextSearchSubject::Word(std::string_view text, bool whole) {
  TextSearchSubject s;
  s.kind = Kind::kWord;
  s.word = std::string(text);
  s.wholeWord = whole;
  return s;
}

TextSearchSubject TextSearchSubject::Class(int level, uint32_t cls) {
  TextSearchSubject s;
  s.kind = Kind::kClass;
  s.level = level;
  s.cls = cls;
  return s;
}

TextSearchSubject TextSearchSubject::Lemma(uint32_t lemma, uint8_t category) {
  TextSearchSubject s;
  s.kind = Kind::kLemma;
  s.lemma = lemma;
  s.category = category;
  return s;
}

bool TextSearch::Matches(const WordNode& node, const TextSearchSubject& subject, std::string_view folded) const {
  if (node.text == nullptr || IsEndMarker(node.text)) return false;
  switch (subject.kind) {
    case TextSearchSubject::Kind::kWord:
      if (folded.empty()) return false;
      return subject.wholeWord ? FoldedEquals(Fold().of, node.text, folded)
                               : FoldedContains(Fold().of, node.text, folded);
    case TextSearchSubject::Kind::kClass: {
      if (subject.level < 1 || subject.level > 4 || subject.cls == 0) return false;
      const uint32_t c = node.info.classPath[subject.level - 1];
      if (c == subject.cls) return true;
      return subject.level == 4 && c != 0 && groups_ != nullptr && groups_->IsWithin(c, subject.cls);
    }
    case TextSearchSubject::Kind::kLemma:
      return subject.lemma != 0 && node.lemma == subject.lemma && node.info.category.category == subject.category;
  }
  return false;
}

bool TextSearch::Find(const TextSearchSubject& subject, bool fromTop) {
  std::string folded = subject.word;
  FoldToLower(folded);
  const WordNode* const tail = stream_.Tail();
  const WordNode* node = stream_.Head();
  const WordNode* last = lastHit();
  if (!fromTop && last != nullptr) node = last->next;
  last_ = nullptr;
  for (; node != nullptr && node != tail; node = node->next) {
    if (Matches(*node, subject, folded)) {
      last_ = node;
      stamp_ = CurrentStamp();
      return true;
    }
  }
  return false;
}

const WordNode* TextSearch::lastHit() const {
  if (last_ == nullptr || !(stamp_ == CurrentStamp())) return nullptr;
  return last_;
}

int32_t TextSearch::lastHitPosition() const {
  const WordNode* hit = lastHit();
  return hit != nullptr ? hit->position : 0;
}

std::string TextSearch::NotFoundText(Messages& messages, std::string_view subject) {
  std::string text = messages.message(kNotFoundBefore);
  text += '"';
  text += subject;
  text += '"';
  text += messages.message(kNotFoundAfter);
  return text;
}

bool ShowSearchHit(TExtraitDuTexte& view, const TextSearch& search) {
  const int32_t position = search.lastHitPosition();
  if (position <= 0) return false;
  view.StartAtPosition(position);
  view.SetCursorPosition(position);
  return true;
}

}  // namespace malvex
