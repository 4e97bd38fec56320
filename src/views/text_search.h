// The text search of the main window: the next occurrence in the word
// stream of a word (whole or as part of a word), of a class at one of the
// four levels (a scenario group with its sub-groups), or of a verb or an
// adjective lemma. Each search walks forwards, from the top of the text or
// from the word after the last hit; a search that finds nothing more is
// reported with messages 273 and 274 and the next one starts from the top
// again.
//
// The search keeps its own place and never moves the word stream's cursor
// or bookmarks, which the text view owns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "reading/word_stream.h"
#include "views/selection_state.h"
#include "views/text_view.h"

namespace malvex {

class Messages;

// What is searched.
struct TextSearchSubject {
  enum class Kind : uint8_t { kWord, kClass, kLemma };
  Kind kind = Kind::kWord;
  std::string word;        // kWord: the text (folded by the search)
  bool wholeWord = true;   // kWord: the whole word, or anywhere inside one
  int level = 1;           // kClass: 1..4
  uint32_t cls = 0;        // kClass: the class or scenario group
  uint32_t lemma = 0;      // kLemma: the lemma number of the word nodes
  uint8_t category = 0;    // kLemma: kClassVerb or kClassAdjective

  static TextSearchSubject Word(std::string_view text, bool whole);
  static TextSearchSubject Class(int level, uint32_t cls);
  static TextSearchSubject Lemma(uint32_t lemma, uint8_t category);
};

class TextSearch {
 public:
  // `stream` must outlive the search; `groups` (may be null: a group then
  // holds only itself) decides which groups lie within a searched group.
  explicit TextSearch(const WordStream& stream, const GroupHierarchy* groups = nullptr)
      : stream_(stream), groups_(groups) {}

  void SetGroupHierarchy(const GroupHierarchy* groups) { groups_ = groups; }

  // The next occurrence of `subject`: from the first word when `fromTop`,
  // else from the word after the last hit (from the first word when there
  // is none). True on a hit, which becomes the last hit; false when nothing
  // more is found, and the next search without `fromTop` starts from the
  // top again.
  bool Find(const TextSearchSubject& subject, bool fromTop);

  // The last hit, null when none (after a failed search, a Restart or a
  // change of the stream).
  const WordNode* lastHit() const;
  // Its word position, 0 when none.
  int32_t lastHitPosition() const;

  // Forgets the last hit: the next search starts from the top. The main
  // window calls it after every analysis.
  void Restart() { last_ = nullptr; }

  // "I can't find (anymore) "subject" in this text."
  static std::string NotFoundText(Messages& messages, std::string_view subject);

  // Whether the word node `node` is an occurrence of `subject`, its word
  // already folded into `folded`.
  bool Matches(const WordNode& node, const TextSearchSubject& subject, std::string_view folded) const;

 private:
  // The stream as it was at the last hit: a hit kept over a reset or a new
  // reading would point at a reused node.
  struct Stamp {
    const WordNode* head = nullptr;
    const WordNode* tail = nullptr;
    uint32_t count = 0;
    bool operator==(const Stamp&) const = default;
  };
  Stamp CurrentStamp() const { return Stamp{stream_.Head(), stream_.Tail(), stream_.Count()}; }

  const WordStream& stream_;
  const GroupHierarchy* groups_;
  const WordNode* last_ = nullptr;
  Stamp stamp_;
};

// Shows the last hit of `search` in `view`: the page starts at the
// proposition that holds it and the word is underlined. False (the view
// unchanged) when there is no hit.
bool ShowSearchHit(TExtraitDuTexte& view, const TextSearch& search);

}  // namespace malvex
