// The lexicon: the dictionary that gives the grammatical categories of a
// word form. Reading 0, 1, ... 5 of a form live in different Trie32
// segments (lexicon_file.h); a reading whose code carries the ambiguity bit
// has a further reading. The lexicon file also carries the edition's
// language tables, which replace the engine's copy when it is loaded.
//
// The stored tries are kept exactly as the file holds them; at load time a
// hash of every stored form (TrieKeyHash) is built beside them, so that a
// form is found with one probe. It gives the tries' own answers: forms it
// does not hold are asked of the tries, which also tell whether a form is a
// stored prefix.
//
// One lexicon per engine, used from one thread; every lookup overwrites
// the state of the previous one (code, category and the indications).
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dictionaries/lexicon_file.h"
#include "dictionaries/trie.h"
#include "dictionaries/trie_key_hash.h"
#include "foundations/category.h"
#include "foundations/language_tables.h"

namespace malvex {

class LemmaIndex;
class Messages;
class SemanticDictionary;

// Outcome of reading a lexicon image, with the catalogue message and the
// exit code that the engine start-up gives it.
enum class LexiconLoadStatus {
  kOk,
  kUnreadable,  // missing, unreadable or short: message 10, exit code 2
  kBadMagic,    // message 11, exit code 1
  kBadVersion,  // message 12, exit code 1
  kDamaged,     // inconsistent content (tables, links): message 13, exit code 1
};

// The words whose lookup the lexicon leaves to the semantic dictionary and
// the Scenario when it does not hold a form itself.
class LexiconFallback {
 public:
  virtual ~LexiconFallback() = default;
  // True when the semantic dictionary holds `folded` (reading 0, or its
  // underscore variant); `reachedEnd` tells whether its lookup reached the
  // end of the form, even as a prefix only.
  virtual bool SemanticHolds(const char* folded, size_t length, bool& reachedEnd) = 0;
  // True when the current Scenario holds the word `folded`; `reachedEnd` as
  // above.
  virtual bool ScenarioHolds(const char* folded, size_t length, bool& reachedEnd) = 0;
};

// The fallback of the engine's lexicon: the words of the semantic
// dictionary (reading 0 or its underscore variant). The Scenario words are
// not consulted here: the semantic dictionary does not hold them yet.
class SemanticLexiconFallback : public LexiconFallback {
 public:
  // `semantic` must outlive this object.
  explicit SemanticLexiconFallback(SemanticDictionary& semantic) : semantic_(semantic) {}
  bool SemanticHolds(const char* folded, size_t length, bool& reachedEnd) override;
  bool ScenarioHolds(const char* folded, size_t length, bool& reachedEnd) override;

 private:
  SemanticDictionary& semantic_;
};

// Slots of candidate lemmas handed to VerbLemma: five texts of at most 79
// characters.
inline constexpr int kLemmaSlots = 5;
inline constexpr size_t kLemmaSlotSize = 80;
using LemmaSlots = char[kLemmaSlots][kLemmaSlotSize];

class Lexicon {
 public:
  // `tables` is the engine's copy of the language tables: loading replaces
  // it with the file's, lookups read its initial-letter buckets. Both must
  // outlive the lexicon.
  Lexicon(Messages& messages, LanguageTables& tables);
  Lexicon(const Lexicon&) = delete;
  Lexicon& operator=(const Lexicon&) = delete;

  // Loads `basePath` with the extension ".lv8" (the dictionary base path,
  // folder + base name + ".*"). Every failure shows its catalogue message
  // in the error box and ends the process (LexiconLoadStatus); running out
  // of memory shows message 0 and ends it with exit code 1.
  void Open(const std::string& basePath);
  // Loads a lexicon image held in memory; the outcome instead of a fatal
  // end (memory exhaustion still ends the process). On failure nothing
  // changes: the lexicon keeps its previous content and the tables theirs.
  LexiconLoadStatus LoadImage(std::string_view bytes);
  // The lexicon was loaded.
  bool Ready() const { return ready_; }

  // The semantic dictionary and Scenario lookups of LookupForm; null (the
  // default) consults neither. Must outlive its use.
  void SetFallback(LexiconFallback* fallback) { fallback_ = fallback; }

  // The verb lemma index and the semantic dictionary that VerbLemma and
  // Lemma consult (null: none). Must outlive their use.
  void SetLemmaSources(LemmaIndex* verbs, SemanticDictionary* semantic) {
    verbs_ = verbs;
    semantic_ = semantic;
  }

  // Looks reading `reading` of `form` up: folds its `length` bytes (up to a
  // zero byte) to lower case in place, and on success decodes the stored
  // code into code() and category() and returns the cell position. -1 when
  // the form is empty, absent, only a stored prefix, or the lexicon has had
  // a depth overflow (reading 6 or more, see below).
  int32_t Lookup(int reading, char* form, size_t length);

  // The reader's lookup: as Lookup, and when the lexicon lacks the form:
  // reached() when its whole text is a stored prefix; then the semantic
  // dictionary and (with `allowScenario`) the Scenario words are asked: a
  // form either holds comes back as a substantive with code 1, defaulted()
  // and known(), and the result is 1. Otherwise -1, code 0, category
  // zeroed, and known() = reached(). `allowVerbCandidates` changes nothing
  // in this edition.
  int32_t LookupForm(int reading, char* form, size_t length, bool allowVerbCandidates,
                     bool allowScenario);

  // Reading 6 or more asked of Lookup or LookupForm sets depthOverflow();
  // the first time, the user is asked message 14 followed by the form, and
  // any answer but Yes ends the process with exit code 0. From then on
  // every lookup fails, the overflowing one included.

  // The lemma of a verb form held (folded) in slots[0]; on success
  // slots[0] holds the lemma: the verb index's lemma of the form; else, for
  // a compound (at least 4 characters, '_' after the first), the lemma of
  // its last word; else the form itself when `category` is an infinitive
  // and the form is no compound. The compound's slot keeps its last word.
  // On failure every slot is cleared.
  bool VerbLemma(const WordCategory& category, LemmaSlots& slots);

  // Replaces `form` (folded) by its lemma and returns true. A substantive of
  // more than 3 characters that is not a name, joined by its first '-' or
  // '_' before the last character, becomes its left part or else its right
  // part when a reading of that part in the semantic dictionary has the
  // level-1 class `levelOneClass`; a verb gets VerbLemma (the empty text
  // when it fails); any other form stays.
  bool Lemma(std::string& form, const WordCategory& category, int32_t levelOneClass);

  // State of the last lookup.
  uint16_t code() const { return code_; }
  const WordCategory& category() const { return category_; }
  bool known() const { return known_; }
  bool reached() const { return reached_; }
  void ClearReached() { reached_ = false; }
  bool inSemantic() const { return inSemantic_; }
  bool defaulted() const { return defaulted_; }
  bool depthOverflow() const { return depthOverflow_; }
  bool depthQuestionAsked() const { return depthQuestionAsked_; }

  // Counters and spare byte of the file header.
  uint32_t newEntries() const { return newEntries_; }
  uint32_t duplicates() const { return duplicates_; }
  uint8_t spareTableByte() const { return spareByte_; }

  // Segment `n` (1..50), as loaded.
  const Trie32& segment(int n) const { return segments_[n - 1]; }
  // The segment of reading `reading` (0..5) of `folded` under the current
  // tables; 0 when there is none (lexicon_file.h).
  int SegmentOf(int reading, const char* folded, size_t length) const {
    return LexiconSegment(tables_, reading, folded, length);
  }
  // Stored forms the load-time hash holds.
  size_t HashedForms() const { return hash_.Size(); }

 private:
  // Where a form ended in a segment: Find's position (-1 when the form left
  // the trie) and the value there.
  struct Probe {
    int32_t position = -1;
    uint16_t value = 0;
  };

  // The answers of recent lookups, kept so that a form met again in a text
  // costs one read of a small table that stays in the processor's cache,
  // and an absent form or stored prefix is not walked again. The tries
  // never change, so a kept answer stays true.
  static constexpr size_t kRecentEntries = 8192;
  static constexpr size_t kRecentKeyBytes = 48;
  struct RecentEntry {
    uint64_t hash;
    int32_t position;
    uint16_t value;
    uint8_t part;
    uint8_t length;  // 0: empty
    char key[kRecentKeyBytes];
  };

  // The segment of a lookup, handling the depth overflow; 0 when the lookup
  // must fail.
  int LookupSegment(int reading, const char* folded, size_t length);
  // Finds a folded form in segment `n`. With `needPrefix`, a form that is
  // only a stored prefix gets its position too (value 0); without it such
  // a form may come back as -1.
  Probe Find(int n, const char* folded, size_t length, bool needPrefix);
  void ClearIndications();
  // True when some reading of `part` in the semantic dictionary has the
  // level-1 class `cls`.
  bool HasClass(const std::string& part, int32_t cls);

  Messages& messages_;
  LanguageTables& tables_;
  LexiconFallback* fallback_ = nullptr;
  LemmaIndex* verbs_ = nullptr;
  SemanticDictionary* semantic_ = nullptr;
  bool ready_ = false;

  Trie32 segments_[kLexiconSegments];
  TrieKeyHash hash_;
  std::unique_ptr<RecentEntry[]> recent_;
  uint32_t newEntries_ = 0;
  uint32_t duplicates_ = 0;
  uint8_t spareByte_ = kLexiconSpareByteDefault;

  uint16_t code_ = 0;
  WordCategory category_;
  bool known_ = false;
  bool reached_ = false;
  bool inSemantic_ = false;
  bool defaulted_ = false;
  bool depthOverflow_ = false;
  bool depthQuestionAsked_ = false;
};

}  // namespace malvex
