// Lexical lookup of a closed lexical buffer: every word gets its candidate
// readings from the lexicon, neighbouring words that together form a
// lexicon entry (a fixed expression or compound) or a written number are
// merged into one word, "c++" and "c#" are recognised, and a present
// participle after a marked determinant is fixed as a gerund. The lemma
// numbers of verbs and adjectives, given once disambiguation has chosen a
// word's reading, are assigned here too.
//
// Candidate conventions: candidate 0..highest of a slot are its readings in
// lexicon order; when a word has more than one, every reading carries the
// ambiguity flag. A number has the single numeral reading (adjective,
// subclass 3); a word the lexicon does not know stays unclassified (0).
//
// Nothing here allocates per word: texts are worked on in fixed buffers.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundations/category.h"
#include "foundations/language_tables.h"
#include "reading/recent_answers.h"
#include "reading/segment_buffer.h"

namespace malvex {

class LemmaIndex;
class Lexicon;

// True when `c` begins a separator with an apostrophe (' or the
// typographic right quote of code page 1250).
bool IsApostrophe(char c);

// Moves candidate `k` of `slot` to position 0, the readings before it
// moving up one place (their order is kept).
void MoveReadingToFront(WordSlot& slot, int k);

class LexicalLookup {
 public:
  // The references must outlive the lookup. `tables` are the language
  // tables the lexicon uses (their character classes tell digits).
  // `verbLemmas` and `adjectiveLemmas` may be null or not loaded: lemma
  // numbers of that class then stay 0. `hyphenConcatenation` lets a
  // hyphenated pair be tried written as one word.
  LexicalLookup(Lexicon& lexicon, const LanguageTables& tables, LemmaIndex* verbLemmas,
                LemmaIndex* adjectiveLemmas, bool hyphenConcatenation);
  LexicalLookup(const LexicalLookup&) = delete;
  LexicalLookup& operator=(const LexicalLookup&) = delete;

  // Looks word `i` up (an end marker or empty slot is left alone): folds
  // its text to lower case, records its capitalisation, fills its readings
  // and highest index, clears its lookup mark and sets its expression-start
  // flag (a word the lexicon knows, even as the beginning of a longer
  // entry; a word of fewer than 3 characters; a number).
  void LookupWord(SegmentBuffer& buffer, int i);

  // LookupWord on every word, then, in slot order, the programming-language
  // names and the expression merging from every expression start, then the
  // gerund rule.
  void LookupSentence(SegmentBuffer& buffer);

  // After a determinant (class 6) with the determinant sub-mark, the first
  // present-participle reading found in the next two words becomes that
  // word's only reading, marked gerund and no longer ambiguous.
  static void GerundRule(SegmentBuffer& buffer);

  // Gives word `i` the lemma number of its chosen reading (candidate 0):
  // a verb's from the verb lemma index (its form, else the lemma the
  // lexicon's lemmatiser finds, added to the index), an adjective's from
  // the adjective index (its form, else the form added as a lemma); 0 for
  // every other class and when the index cannot give one.
  void AssignLemma(SegmentBuffer& buffer, int i);

  // True when `text` is a number: its first, second (if any) and last
  // characters are digits for the character class table.
  bool IsNumber(const char* text) const;

 private:
  // Separator characters used so far by the number merges of one
  // expression.
  struct NumberJoins {
    int comma = 0;
    int dot = 0;
    int slash = 0;
    int colon = 0;
  };

  // "c" before "++" or "#" becomes "c++" or "c#", a substantive.
  void ProgrammingLanguageName(SegmentBuffer& buffer, int j);
  // Merges the words after slot `a` into it while they form an entry of
  // the lexicon or a number.
  void MergeExpression(SegmentBuffer& buffer, int a);
  // The index of the next slot after `pos` that holds a word, or -1 at an
  // end marker or the end of the buffer.
  static int NextWordSlot(const SegmentBuffer& buffer, int pos);
  // Appends joiner and word to `text` (length `length`); false when the
  // result would have 79 characters or more.
  static bool Join(char* text, size_t& length, char joiner, const char* word);
  // True when `text` is an entry: the lexicon (or the semantic dictionary
  // or the Scenario words) gives it a category. `reached` (may be null)
  // tells whether the whole text was reached as the beginning of a stored
  // entry. The first `begun` characters are known to begin an entry (0:
  // nothing is known).
  bool IsEntry(char* text, size_t length, bool* reached, size_t begun = 0);
  // The number rule: whether `word`, preceded by `separator`, continues the
  // number `text` (which ends with the "_" just added); on success the "_"
  // becomes the separator's character.
  bool NumberJoin(char* text, size_t length, bool textIsNumber, const char* word,
                  const char* separator, NumberJoins& joins) const;
  // The kJoin* bits of a word that starts expressions, `text` (folded,
  // `length` bytes): two questions to the dictionaries; 0 for a word of
  // one character.
  uint8_t JoinStarts(const char* text, size_t length);
  // Fills slot `a`'s readings with those of its (merged) text.
  void ReadingsOfText(WordSlot& slot);
  // What LookupWord learns of a word before its lookup: whether it began
  // with an ASCII capital, and its folded length and answer key hash.
  struct FoldedWord {
    uint64_t hash;
    size_t length;
    bool asciiCapital;
  };
  // Folds the word of `slot` to lower case (recording its capitalisation)
  // and returns what its lookup needs.
  static FoldedWord FoldWord(WordSlot& slot);
  // LookupWord on a word FoldWord has already folded.
  void LookupFoldedWord(SegmentBuffer& buffer, int i, const FoldedWord& word);
  // The lemma number of `text` read as `r` (a verb or an adjective).
  uint32_t LemmaNumber(const char* text, const WordCategory& r);

  // The readings given to a single word. They depend only on its folded
  // text and two facts of its place, kept as the context byte: an
  // apostrophe after it (1) and an ASCII capital before folding (2).
  struct WordReadings {
    WordCategory candidates[WordSlot::kMaxCandidates];
    int8_t highest;
    uint8_t expressionStart;
    uint8_t joinStarts;  // kJoin* bits
  };
  // What a word followed by a joiner begins, found when it is looked up:
  // kJoinAsked once the two questions were asked, with kJoinUnderscore
  // (kJoinHyphen) when the word followed by "_" ("-") is an entry or the
  // beginning of one. Without kJoinAsked nothing is known.
  static constexpr uint8_t kJoinAsked = 1;
  static constexpr uint8_t kJoinUnderscore = 2;
  static constexpr uint8_t kJoinHyphen = 4;
  // Whether a joined text is an entry, and whether it was reached as the
  // beginning of a stored entry.
  struct JoinAnswer {
    bool entry;
    bool reached;
  };
  // Words and word pairs repeat a great deal in a text: a word met again
  // costs one probe of these tables instead of a lexicon lookup per
  // reading, and a join asked again (most are no entry) one probe instead
  // of walks of the lexicon's tries and of the semantic dictionary's. The
  // lemma table is keyed by text and kind of lemma (the context byte): the
  // same form always gets the same number. It keeps only the numbers of the
  // indexes' own lemmas, those a run adds being numbered afresh in the next
  // (the tables outlive a run when the reading passes share the lookup).
  using WordAnswers = RecentAnswers<WordReadings, 45, 16384>;
  using JoinAnswers = RecentAnswers<JoinAnswer, 52, 32768>;
  using LemmaAnswers = RecentAnswers<uint32_t, 48, 8192>;

  Lexicon& lexicon_;
  const LanguageTables& tables_;
  LemmaIndex* const verbLemmas_;
  LemmaIndex* const adjectiveLemmas_;
  const bool hyphenConcatenation_;

  // Work texts of the merging: the text being built and the longest entry
  // found by the longest-match walk.
  char work_[WordSlot::kTextBytes];
  char longest_[WordSlot::kTextBytes];
  // The kJoin* bits of the words of the buffer last looked up, by slot: a
  // first join that no entry begins with is then refused without a probe.
  uint8_t joinStarts_[SegmentBuffer::kSlotCount] = {};
  // The words of the sentence being looked up, as FoldWord gave them.
  FoldedWord folded_[SegmentBuffer::kSlotCount] = {};
  WordAnswers wordAnswers_;
  JoinAnswers joinAnswers_;
  LemmaAnswers lemmaAnswers_;
};

}  // namespace malvex
