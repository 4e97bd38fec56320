#include "reading/lexical_lookup.h"

#include <cstring>

#include "dictionaries/lemma_index.h"
#include "dictionaries/lexicon.h"
#include "reading/lexical_analysis.h"

namespace malvex {
namespace {

constexpr int kMaxCandidates = WordSlot::kMaxCandidates;
// A joined text must stay below this many characters.
constexpr size_t kMaxJoinedLength = WordSlot::kTextBytes - 1;

// A one-letter word that the lexicon reads as a marked pronoun or a marked
// determinant ("l", "s" before an apostrophe).
bool IsMarkedLetter(const WordCategory& r) {
  if (isPronoun(r)) return r.modeMark == 1;
  if (isDeterminant(r) || isDeterminantKind1(r)) return (r.modeMark & 0x01) != 0;
  return false;
}

WordCategory NumeralReading() {
  WordCategory c;
  setNumeralAdjective(c);
  return c;
}

void ClearCandidates(WordSlot& slot) {
  for (WordCategory& c : slot.candidates) c = WordCategory{};
  slot.highest = 0;
}

// Empties a slot whose word was merged into an earlier one.
void EmptySlot(WordSlot& slot) {
  slot.text[0] = 0;
  slot.empty = 1;
}

bool LemmaIndexUsable(const LemmaIndex* index) { return index != nullptr && index->ok(); }

}  // namespace

bool IsApostrophe(char c) { return c == '\'' || c == '\x92'; }

void MoveReadingToFront(WordSlot& slot, int k) {
  if (k <= 0 || k >= kMaxCandidates) return;
  const WordCategory moved = slot.candidates[k];
  for (int n = k; n > 0; --n) slot.candidates[n] = slot.candidates[n - 1];
  slot.candidates[0] = moved;
}

LexicalLookup::LexicalLookup(Lexicon& lexicon, const LanguageTables& tables, LemmaIndex* verbLemmas,
                             LemmaIndex* adjectiveLemmas, bool hyphenConcatenation)
    : lexicon_(lexicon),
      tables_(tables),
      verbLemmas_(verbLemmas),
      adjectiveLemmas_(adjectiveLemmas),
      hyphenConcatenation_(hyphenConcatenation) {
  work_[0] = 0;
  longest_[0] = 0;
}

bool LexicalLookup::IsNumber(const char* text) const {
  const size_t n = std::strlen(text);
  if (n == 0) return false;
  const auto digit = [this](char c) { return tables_.charClass[static_cast<uint8_t>(c)] == kClassDigit; };
  return digit(text[0]) && (n < 2 || digit(text[1])) && digit(text[n - 1]);
}

LexicalLookup::FoldedWord LexicalLookup::FoldWord(WordSlot& slot) {
  FoldedWord word;
  // A proper name the lexicon does not know stays unclassified.
  word.asciiCapital = slot.text[0] >= 'A' && slot.text[0] <= 'Z';
  FoldSlotToLower(slot);
  word.length = std::strlen(slot.text);
  word.hash = WordAnswers::Keepable(word.length) ? HashAnswerKey(slot.text, word.length) : 0;
  return word;
}

void LexicalLookup::LookupWord(SegmentBuffer& buffer, int i) {
  joinStarts_[i] = 0;
  WordSlot& slot = buffer.slots[i];
  if (!slot.IsWord()) return;
  LookupFoldedWord(buffer, i, FoldWord(slot));
}

void LexicalLookup::LookupFoldedWord(SegmentBuffer& buffer, int i, const FoldedWord& word) {
  WordSlot& slot = buffer.slots[i];
  joinStarts_[i] = 0;
  const char* next = i + 1 < SegmentBuffer::kSlotCount ? buffer.slots[i + 1].separator : "";
  const bool apostropheFollows = IsApostrophe(next[0]);
  const bool asciiCapital = word.asciiCapital;
  const size_t length = word.length;
  slot.lookupMark = 0;

  // A lexicon whose readings overflowed answers nothing any more, unlike
  // the answers kept.
  const bool keep = !lexicon_.depthOverflow() && WordAnswers::Keepable(length);
  const uint8_t context = static_cast<uint8_t>((apostropheFollows ? 1 : 0) | (asciiCapital ? 2 : 0));
  const uint64_t h = keep ? word.hash : 0;
  if (keep) {
    if (const WordReadings* kept = wordAnswers_.Find(slot.text, length, context, h)) {
      std::memcpy(slot.candidates, kept->candidates, sizeof slot.candidates);
      slot.highest = kept->highest;
      slot.expressionStart = kept->expressionStart;
      joinStarts_[i] = kept->joinStarts;
      return;
    }
  }

  WordCategory candidates[kMaxCandidates] = {};
  int highest = 0;
  slot.expressionStart = 0;
  for (int k = 0; k < kMaxCandidates; ++k) {
    lexicon_.LookupForm(k, slot.text, length, true, true);
    if (k == 0) slot.expressionStart = (lexicon_.known() || length < 3) ? 1 : 0;
    lexicon_.ClearReached();
    WordCategory reading = lexicon_.category();
    if (lexicon_.code() == 0) {
      if (IsNumber(slot.text)) {
        for (WordCategory& c : candidates) c = WordCategory{};
        candidates[0] = NumeralReading();
        highest = 0;
        slot.expressionStart = 1;
        break;
      }
      if (asciiCapital) break;
      reading = WordCategory{};
    }
    candidates[k] = reading;
    highest = k;
    if (length == 1 && IsMarkedLetter(reading)) {
      // Before an apostrophe the letter is an elided pronoun or determinant;
      // otherwise it is read as a noun (a letter named in the text).
      for (WordCategory& c : candidates) c = WordCategory{};
      if (apostropheFollows)
        candidates[0] = reading;
      else
        setSubstantive(candidates[0]);
      highest = 0;
      break;
    }
    if (!isAmbiguous(reading)) break;
  }
  if (highest > 0) candidates[highest].flags |= kFlagAmbiguous;
  std::memcpy(slot.candidates, candidates, sizeof candidates);
  slot.highest = static_cast<int16_t>(highest);
  if (keep && !lexicon_.depthOverflow()) {
    WordReadings readings;
    std::memcpy(readings.candidates, candidates, sizeof candidates);
    readings.highest = static_cast<int8_t>(highest);
    readings.expressionStart = slot.expressionStart;
    // Only a kept word gets the bits: they cost two questions, paid back
    // when the word is met again.
    readings.joinStarts = slot.expressionStart ? JoinStarts(slot.text, length) : 0;
    joinStarts_[i] = readings.joinStarts;
    wordAnswers_.Keep(slot.text, length, context, h, readings);
  }
}

uint8_t LexicalLookup::JoinStarts(const char* text, size_t length) {
  // A text of fewer than three characters lies in other dictionary
  // segments than the texts it begins, so that it tells nothing of them.
  if (length < 2 || length + 1 >= kMaxJoinedLength) return 0;
  char joined[WordSlot::kTextBytes];
  std::memcpy(joined, text, length);
  joined[length + 1] = 0;
  uint8_t bits = kJoinAsked;
  joined[length] = '_';
  bool reached = false;
  if (IsEntry(joined, length + 1, &reached) || reached) bits |= kJoinUnderscore;
  joined[length] = '-';
  reached = false;
  if (IsEntry(joined, length + 1, &reached) || reached) bits |= kJoinHyphen;
  return bits;
}

void LexicalLookup::LookupSentence(SegmentBuffer& buffer) {
  // The sets of the answer table lie far apart in memory: asking for those
  // of all the words first lets their loads overlap instead of waiting for
  // each in turn.
  for (int i = 0; i < buffer.count; ++i) {
    WordSlot& slot = buffer.slots[i];
    if (!slot.IsWord()) continue;
    folded_[i] = FoldWord(slot);
    if (WordAnswers::Keepable(folded_[i].length)) wordAnswers_.Prefetch(folded_[i].hash);
  }
  for (int i = 0; i < buffer.count; ++i) {
    if (buffer.slots[i].IsWord())
      LookupFoldedWord(buffer, i, folded_[i]);
    else
      joinStarts_[i] = 0;
  }
  for (int j = 0; j < buffer.count; ++j) {
    if (!buffer.slots[j].IsWord()) continue;
    ProgrammingLanguageName(buffer, j);
    if (buffer.slots[j].expressionStart) MergeExpression(buffer, j);
  }
  GerundRule(buffer);
}

void LexicalLookup::ProgrammingLanguageName(SegmentBuffer& buffer, int j) {
  WordSlot& slot = buffer.slots[j];
  if (std::strcmp(slot.text, "c") != 0 || j + 1 >= buffer.count) return;
  char* separator = buffer.slots[j + 1].separator;
  size_t signs = 0;
  if (separator[0] == '+' && separator[1] == '+') {
    signs = 2;
    std::memcpy(slot.text, "c++", 4);
  } else if (separator[0] == '#') {
    signs = 1;
    std::memcpy(slot.text, "c#", 3);
  } else {
    return;
  }
  ClearCandidates(slot);
  setSubstantive(slot.candidates[0]);
  joinStarts_[j] = 0;  // they were those of "c"
  // The signs belong to the name now; the rest of the punctuation stays.
  std::memmove(separator, separator + signs, std::strlen(separator + signs) + 1);
  if (separator[0] == 0) std::memcpy(separator, " ", 2);
}

int LexicalLookup::NextWordSlot(const SegmentBuffer& buffer, int pos) {
  for (int p = pos + 1; p < buffer.count; ++p) {
    const WordSlot& slot = buffer.slots[p];
    if (!slot.HoldsWord()) continue;  // a word merged away, or an empty word
    return slot.IsEndMarker() ? -1 : p;
  }
  return -1;
}

bool LexicalLookup::Join(char* text, size_t& length, char joiner, const char* word) {
  const size_t n = std::strlen(word);
  if (length + 1 + n >= kMaxJoinedLength) return false;
  text[length] = joiner;
  std::memcpy(text + length + 1, word, n + 1);
  length += 1 + n;
  return true;
}

bool LexicalLookup::IsEntry(char* text, size_t length, bool* reached, size_t begun) {
  // A stored entry that begins with the text begins with every beginning
  // of it too, so a beginning that no entry begins with answers for the
  // text. The beginning up to the text's last joiner is asked first (its
  // answer is kept once for all the words that may follow it), or the first
  // three characters after a one-letter word. A beginning of at least three
  // characters lies in the same dictionary segments as the text, since
  // these follow the first three characters. (Those of a longer first word
  // are not asked: merging starts from a word the dictionaries know, a
  // number or a short word, whose beginning nearly always begins an entry,
  // so that the question would only cost a probe.) A beginning within the
  // first `begun` characters is known to begin an entry and is not asked.
  size_t part = 0;
  for (size_t k = length >= 2 ? length - 2 : 0; k >= 2 && part == 0; --k)
    if (text[k] == '_' || text[k] == '-') part = k + 1;
  if (part == 0 && length > 3 && (text[1] == '_' || text[1] == '-')) part = 3;
  if (part > begun) {
    const char kept = text[part];
    text[part] = 0;
    bool partReached = false;
    const bool partEntry = IsEntry(text, part, &partReached);
    text[part] = kept;
    if (!partEntry && !partReached) {
      if (reached != nullptr) *reached = false;
      return false;
    }
  }
  const bool keep = !lexicon_.depthOverflow() && JoinAnswers::Keepable(length);
  const uint64_t h = keep ? HashAnswerKey(text, length) : 0;
  if (keep) {
    if (const JoinAnswer* kept = joinAnswers_.Find(text, length, 0, h)) {
      if (reached != nullptr) *reached = kept->reached;
      return kept->entry;
    }
  }
  lexicon_.LookupForm(0, text, length, false, true);
  const JoinAnswer answer{lexicon_.code() != 0, lexicon_.reached()};
  lexicon_.ClearReached();
  if (reached != nullptr) *reached = answer.reached;
  if (keep && !lexicon_.depthOverflow()) joinAnswers_.Keep(text, length, 0, h, answer);
  return answer.entry;
}

bool LexicalLookup::NumberJoin(char* text, size_t length, bool textIsNumber, const char* word,
                               const char* separator, NumberJoins& joins) const {
  if (!textIsNumber || !IsNumber(word)) return false;
  const size_t wordLength = std::strlen(word);
  const size_t joint = length - wordLength - 1;  // where the "_" stands
  const char c = separator[0];
  switch (c) {
    case ',':
      if (joins.comma > 0 || joins.dot > 0 || joins.slash > 0 || joins.colon > 0) return false;
      if (std::memchr(text, ',', joint) != nullptr) return false;
      ++joins.comma;
      break;
    case '.':
      if (joins.comma > 0 || joins.colon > 0 || joins.slash > 0) return false;
      ++joins.dot;
      break;
    case '/':
      if (joins.slash > 0 || joins.comma > 0 || joins.colon > 0 || wordLength > 2) return false;
      ++joins.slash;
      break;
    case ':':
      if (joins.comma > 0 || joins.slash > 0 || joins.colon > 1 || length >= 6) return false;
      ++joins.colon;
      break;
    default:
      return false;
  }
  text[joint] = c;
  return true;
}

void LexicalLookup::ReadingsOfText(WordSlot& slot) {
  WordCategory candidates[kMaxCandidates] = {};
  int highest = 0;
  const size_t length = std::strlen(slot.text);
  for (int k = 0; k < kMaxCandidates; ++k) {
    lexicon_.LookupForm(k, slot.text, length, false, true);
    lexicon_.ClearReached();
    if (lexicon_.code() == 0) break;
    candidates[k] = lexicon_.category();
    highest = k;
    if (!isAmbiguous(candidates[k])) break;
  }
  if (highest > 0) candidates[highest].flags |= kFlagAmbiguous;
  std::memcpy(slot.candidates, candidates, sizeof candidates);
  slot.highest = static_cast<int16_t>(highest);
}

void LexicalLookup::MergeExpression(SegmentBuffer& buffer, int a) {
  WordSlot& first = buffer.slots[a];
  size_t length = std::strlen(first.text);
  std::memcpy(work_, first.text, length + 1);
  bool workIsNumber = IsNumber(work_);
  NumberJoins joins;
  int pos = a;
  for (;;) {
    const int next = NextWordSlot(buffer, pos);
    if (next < 0) return;
    const WordSlot& word = buffer.slots[next];
    const char joiner = word.separator[0] == '-' ? '-' : '_';
    const size_t wordStart = length;  // where the joiner goes
    if (!Join(work_, length, joiner, word.text)) return;
    int apostropheSlot = IsApostrophe(word.separator[0]) ? next : -1;
    size_t apostropheAt = wordStart;
    int last = next;
    bool number = false;

    bool reached = false;
    // A stored entry that begins with the joined text begins with the first
    // word and the joiner too.
    const uint8_t joinBit = joiner == '-' ? kJoinHyphen : kJoinUnderscore;
    const bool asked = pos == a && (joinStarts_[a] & kJoinAsked) != 0;
    const bool beginsNothing = asked && (joinStarts_[a] & joinBit) == 0;
    const size_t begun = asked ? wordStart + 1 : 0;
    bool accepted = !beginsNothing && IsEntry(work_, length, &reached, begun);
    if (!accepted && reached) {
      // The joined text begins a longer entry: follow the words while the
      // lexicon still reaches the whole text; the longest entry wins.
      std::memcpy(longest_, work_, length + 1);
      size_t trialLength = length;
      int p = next;
      int trialApostropheSlot = apostropheSlot;
      size_t trialApostropheAt = apostropheAt;
      int best = -1;
      size_t bestLength = 0;
      while (reached) {
        const int q = NextWordSlot(buffer, p);
        if (q < 0) break;
        const WordSlot& more = buffer.slots[q];
        const size_t at = trialLength;
        if (!Join(longest_, trialLength, more.separator[0] == '-' ? '-' : '_', more.text)) break;
        if (IsApostrophe(more.separator[0])) {
          trialApostropheSlot = q;
          trialApostropheAt = at;
        }
        p = q;
        if (IsEntry(longest_, trialLength, &reached)) {
          best = q;
          bestLength = trialLength;
          apostropheSlot = trialApostropheSlot;
          apostropheAt = trialApostropheAt;
        }
      }
      if (best >= 0) {
        std::memcpy(work_, longest_, bestLength);
        work_[bestLength] = 0;
        length = bestLength;
        last = best;
        accepted = true;
      }
    }
    if (!accepted && joiner == '-') {
      const size_t wordLength = length - wordStart - 1;
      if (hyphenConcatenation_ && wordLength >= 2 && wordStart >= 2 && isUnclassified(first.candidates[0])) {
        // "e-mail" may be stored as "email".
        std::memcpy(longest_, work_, wordStart);
        std::memcpy(longest_ + wordStart, word.text, wordLength + 1);
        if (IsEntry(longest_, wordStart + wordLength, nullptr)) {
          length = wordStart + wordLength;
          std::memcpy(work_, longest_, length + 1);
          accepted = true;
        }
      }
      if (!accepted) {
        // The compound may be stored with its hyphens and underscores the
        // other way round.
        bool swapped = false;
        for (size_t k = 1; k < length; ++k) {
          if (work_[k] == '_') {
            work_[k] = '-';
            swapped = true;
          } else if (work_[k] == '-') {
            work_[k] = '_';
            swapped = true;
          }
        }
        accepted = swapped && IsEntry(work_, length, nullptr);
      }
    }
    if (!accepted && joiner == '_') {
      accepted = number = NumberJoin(work_, length, workIsNumber, word.text, word.separator, joins);
    }
    if (!accepted) return;

    // Merge words a+1 .. last into word a.
    uint8_t capitalisation = first.capitalisation;
    for (int k = a + 1; k <= last; ++k) {
      WordSlot& merged = buffer.slots[k];
      if (!merged.HoldsWord()) continue;
      if (merged.capitalisation > capitalisation) capitalisation = merged.capitalisation;
      EmptySlot(merged);
    }
    std::memcpy(first.text, work_, length + 1);
    first.capitalisation = capitalisation;
    if (apostropheSlot >= 0) {
      first.apostrophePos = static_cast<uint8_t>(apostropheAt);
      std::memcpy(buffer.slots[apostropheSlot].separator, " ", 2);
    }
    if (number) {
      ClearCandidates(first);
      first.candidates[0] = NumeralReading();
    } else {
      ReadingsOfText(first);
    }
    // A number merged so far stays a number even when its second character
    // is a separator ("1.000" continues into "1.000.000").
    workIsNumber = number || IsNumber(work_);
    pos = last;
  }
}

void LexicalLookup::GerundRule(SegmentBuffer& buffer) {
  for (int i = 0; i + 1 < buffer.count; ++i) {
    const WordSlot& marker = buffer.slots[i];
    if (!marker.IsWord()) continue;
    const WordCategory& r = marker.candidates[0];
    if (!isDeterminant(r) || r.tensePerson != 1) continue;
    bool fixed = false;
    for (int j = i + 1; j <= i + 2 && j < buffer.count && !fixed; ++j) {
      WordSlot& slot = buffer.slots[j];
      if (!slot.IsWord()) continue;
      for (int k = 0; k <= slot.highest && k < kMaxCandidates; ++k) {
        const WordCategory& c = slot.candidates[k];
        if (!isVerb(c) || !isPresentParticiple(c)) continue;
        WordCategory gerund = c;
        gerund.flags = static_cast<uint8_t>((gerund.flags & ~kFlagAmbiguous) | kFlagGerund);
        ClearCandidates(slot);
        slot.candidates[0] = gerund;
        fixed = true;
        break;
      }
    }
  }
}

void LexicalLookup::AssignLemma(SegmentBuffer& buffer, int i) {
  WordSlot& slot = buffer.slots[i];
  if (!slot.IsWord()) return;
  const WordCategory& r = slot.candidates[0];
  uint32_t number = 0;
  if ((isVerb(r) && LemmaIndexUsable(verbLemmas_)) || (isAdjective(r) && LemmaIndexUsable(adjectiveLemmas_))) {
    number = LemmaNumber(slot.text, r);
  }
  slot.lemma = number;
}

uint32_t LexicalLookup::LemmaNumber(const char* text, const WordCategory& r) {
  // The verb lemmatiser reads the category only to tell an infinitive.
  const uint8_t kind = isAdjective(r) ? 3 : (isInfinitive(r) ? 2 : 1);
  const size_t length = std::strlen(text);
  const bool keep = LemmaAnswers::Keepable(length);
  const uint64_t h = keep ? HashAnswerKey(text, length) + kind : 0;
  if (keep) {
    if (const uint32_t* kept = lemmaAnswers_.Find(text, length, kind, h)) return *kept;
  }
  uint32_t number = 0;
  if (kind == 3) {
    // An adjective is its own lemma when the index does not know it.
    number = adjectiveLemmas_->LemmaNumberOfForm(text);
    if (number == 0) number = adjectiveLemmas_->AddLemma(text);
  } else {
    number = verbLemmas_->LemmaNumberOfForm(text);
    if (number == 0) {
      LemmaSlots lemmas = {};
      std::memcpy(lemmas[0], text, length + 1);
      if (lexicon_.VerbLemma(r, lemmas)) {
        for (const char* lemma : lemmas) {
          if (lemma[0] == 0) continue;
          number = verbLemmas_->AddLemma(lemma);
          break;
        }
      }
    }
  }
  // A lemma of the current run is numbered afresh in the next one, and a
  // full index may take a lemma later on: neither answer is kept.
  LemmaIndex& index = kind == 3 ? *adjectiveLemmas_ : *verbLemmas_;
  const bool lasting = number != 0 ? !index.IsRunLemma(number) : index.LemmaCount() < LemmaIndex::kMaxLemmas;
  if (keep && lasting) lemmaAnswers_.Keep(text, length, kind, h, number);
  return number;
}

}  // namespace malvex
