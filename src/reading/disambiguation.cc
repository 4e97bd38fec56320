#include "reading/disambiguation.h"

#include <cstring>

#include "dictionaries/category_matrix.h"
#include "reading/lexical_lookup.h"

namespace malvex {
namespace {

constexpr int kMaxCandidates = WordSlot::kMaxCandidates;
constexpr int kLastClass = CategoryMatrix::kClassCount - 1;

// The n-gram class of a reading: an unclassified reading counts as a
// substantive.
int ReadingClass(const WordCategory& r) {
  const int c = r.category == kClassUnclassified ? kClassSubstantive : r.category;
  return c > kLastClass ? kLastClass : c;
}

int PronounSubclass(const WordCategory& r) {
  return r.subcategory > kLastClass ? kLastClass : r.subcategory;
}

int LastReading(const WordSlot& slot) {
  return slot.highest < 0 ? 0 : (slot.highest >= kMaxCandidates ? kMaxCandidates - 1 : slot.highest);
}

// The first reading of `slot` that satisfies `test`, or -1.
template <typename Test>
int FirstReading(const WordSlot& slot, Test test) {
  for (int k = 0; k <= LastReading(slot); ++k) {
    if (test(slot.candidates[k])) return k;
  }
  return -1;
}

bool HasFirstPersonDeixis(const SegmentBuffer& buffer) {
  for (int j = 0; j < buffer.count; ++j) {
    const WordSlot& slot = buffer.slots[j];
    if (!slot.IsWord()) continue;
    const WordCategory& r = slot.candidates[0];
    if (isPronoun(r) && isDeixis(r) && hasPerson(r, 1)) return true;
  }
  return false;
}

}  // namespace

Disambiguation::Disambiguation(const CategoryMatrix& matrix, LexicalLookup& lemmas)
    : matrix_(matrix), lemmas_(lemmas) {
  work_[0] = 0;
}

void Disambiguation::DisambiguateSentence(SegmentBuffer& buffer) {
  if (buffer.count <= 0) return;
  const int last = buffer.count - 1;
  buffer.clauseMarks[last] = 1;
  int start = 0;
  for (int i = 1; i < buffer.count; ++i) {
    if (buffer.clauseMarks[i] == 0) continue;
    ResolveSegment(buffer, start, i == last ? last : i - 1);
    start = i;
  }
  // A word alone in its sentence is read as a noun when it can be one.
  WordSlot& only = buffer.slots[0];
  if (buffer.count >= 2 && only.IsWord() && only.highest > 0 && buffer.slots[1].IsEndMarker()) {
    const int k = FirstReading(only, [](const WordCategory& r) { return isSubstantive(r); });
    if (k >= 0) MoveReadingToFront(only, k);
    only.highest = 0;
  }
}

void Disambiguation::ResolveSegment(SegmentBuffer& buffer, int first, int last) {
  for (int i = first; i <= last && i < buffer.count; ++i) {
    WordSlot& slot = buffer.slots[i];
    if (!slot.IsWord()) continue;
    partner_ = -1;
    if (slot.highest > 0 || isVerb(slot.candidates[0])) {
      bool changed = false;
      if (AuxiliaryRule(buffer, i)) {
        changed = true;
        PerformativeChoice(buffer, i);
      } else {
        IndicativePreference(slot);
      }
      if (slot.highest > 0 || changed) {
        if (partner_ >= 0) {
          AuxiliaryMerge(buffer, i);
        } else {
          if (isAmbiguous(slot.candidates[0])) ScoreFrom(buffer, i, first, last);
          slot.highest = 0;
        }
      }
    }
    if (slot.IsWord()) lemmas_.AssignLemma(buffer, i);
  }
}

bool Disambiguation::AuxiliaryRule(SegmentBuffer& buffer, int i) {
  WordSlot& slot = buffer.slots[i];
  const int participle =
      FirstReading(slot, [](const WordCategory& r) { return isVerb(r) && isParticiple(r); });
  if (participle > 0) MoveReadingToFront(slot, participle);
  const WordCategory& r = slot.candidates[0];
  if (!isVerb(r) || !isPastParticiple(r)) return false;
  int j = i - 1;
  while (j >= 0 && !(buffer.slots[j].IsWord() && isVerb(buffer.slots[j].candidates[0]))) --j;
  if (j < 0) return false;
  const WordSlot& auxiliary = buffer.slots[j];
  if (!isAuxiliary(auxiliary.candidates[0]) || i - j > kMaxAuxiliaryDistance) return false;
  const size_t a = std::strlen(auxiliary.text);
  const size_t b = std::strlen(slot.text);
  if (a + 1 + b >= WordSlot::kTextBytes - 1) return false;
  std::memcpy(work_, auxiliary.text, a);
  work_[a] = '_';
  std::memcpy(work_ + a + 1, slot.text, b + 1);
  partner_ = j;
  return true;
}

void Disambiguation::AuxiliaryMerge(SegmentBuffer& buffer, int i) {
  WordSlot& slot = buffer.slots[i];
  WordSlot& auxiliary = buffer.slots[partner_];
  WordCategory merged = slot.candidates[0];
  const WordCategory& a = auxiliary.candidates[0];
  merged.tensePerson = a.tensePerson == 1 ? 2 : a.tensePerson;
  merged.modeMark = a.modeMark;
  std::memcpy(auxiliary.text, work_, std::strlen(work_) + 1);
  for (WordCategory& c : auxiliary.candidates) c = WordCategory{};
  auxiliary.candidates[0] = merged;
  auxiliary.highest = 0;
  // The merged word begins with the auxiliary: its capitalisation (that of
  // its first letters) stays the auxiliary's.
  slot.text[0] = 0;
  slot.empty = 1;
  std::memcpy(slot.separator, " ", 2);
  slot.highest = 0;
  lemmas_.AssignLemma(buffer, partner_);
}

void Disambiguation::IndicativePreference(WordSlot& slot) {
  int k = FirstReading(slot, [](const WordCategory& r) { return isVerb(r) && isIndicative(r) && isPresent(r); });
  if (k < 0) k = FirstReading(slot, [](const WordCategory& r) { return isVerb(r) && isIndicative(r); });
  if (k > 0) MoveReadingToFront(slot, k);
}

void Disambiguation::PerformativeChoice(SegmentBuffer& buffer, int i) {
  WordSlot& slot = buffer.slots[i];
  if (!isVerb(slot.candidates[0])) return;
  const int performative =
      FirstReading(slot, [](const WordCategory& r) { return isVerb(r) && isPerformative(r); });
  if (performative < 0) return;
  int choice = performative;
  if (!HasFirstPersonDeixis(buffer)) {
    choice = FirstReading(slot, [](const WordCategory& r) { return isVerb(r) && !isPerformative(r); });
  }
  if (choice > 0) MoveReadingToFront(slot, choice);
}

void Disambiguation::ScoreFrom(SegmentBuffer& buffer, int c, int clauseStart, int clauseEnd) {
  int farthest = c + kScoringWindow - 1;
  if (farthest > clauseEnd) farthest = clauseEnd;
  if (farthest >= buffer.count) farthest = buffer.count - 1;
  for (int j = farthest; j >= c; --j) {
    WordSlot& slot = buffer.slots[j];
    if (!slot.IsWord() || !isAmbiguous(slot.candidates[0])) continue;
    const int best = ContextScore(buffer, j, clauseStart, clauseEnd);
    if (best > 0) MoveReadingToFront(slot, best);
  }
  PerformativeChoice(buffer, c);
}

int Disambiguation::Bigram(const WordCategory& first, int second) const {
  const int a = ReadingClass(first);
  int v = matrix_.Bigram(a, second);
  if (a == kClassPronoun) v += matrix_.PronounBigram(PronounSubclass(first), second);
  return v;
}

int Disambiguation::Trigram(const WordCategory& first, int second, int third) const {
  const int a = ReadingClass(first);
  int v = matrix_.Trigram(a, second, third);
  if (a == kClassPronoun) v += matrix_.PronounTrigram(PronounSubclass(first), second, third);
  return v;
}

int Disambiguation::RightEnd(const SegmentBuffer& buffer, int i, int clauseEnd) {
  if (i + 1 < buffer.count && buffer.slots[i + 1].IsEndMarker()) return i < clauseEnd ? i : clauseEnd;
  if (i + 2 < buffer.count && buffer.slots[i + 2].IsEndMarker()) return i + 1 < clauseEnd ? i + 1 : clauseEnd;
  return clauseEnd;
}

int Disambiguation::ReadingScore(SegmentBuffer& buffer, int i, int k, int clauseStart, int clauseEnd) {
  WordSlot& slot = buffer.slots[i];
  WordCategory& r = slot.candidates[k];
  if (r.category == kClassUnclassified) r.category = kClassSubstantive;
  const int s = clauseStart;
  const int e = RightEnd(buffer, i, clauseEnd);
  const auto neighbour = [&buffer](int j) -> const WordCategory& { return buffer.slots[j].candidates[0]; };
  const int cls = ReadingClass(r);
  int score = kBaseScore;
  if (i == s && isConnector(r)) score += matrix_.ConnectorStartBonus();
  if (e == s && i > 0 && ReadingClass(neighbour(i - 1)) == cls) score += kBaseScore;
  if (slot.capitalisation == 1 && isSubstantive(r) && i > 0) score += kBaseScore;
  // Left context.
  if (s + 1 < i)
    score += Trigram(neighbour(i - 2), ReadingClass(neighbour(i - 1)), cls);
  else if (s < i)
    score += Bigram(neighbour(i - 1), cls);
  // Right context.
  if (i < e - 1)
    score += Trigram(r, ReadingClass(neighbour(i + 1)), ReadingClass(neighbour(i + 2)));
  else if (i < e)
    score += Bigram(r, ReadingClass(neighbour(i + 1)));
  // Both sides.
  if (s < i && i < e) score += Trigram(neighbour(i - 1), cls, ReadingClass(neighbour(i + 1)));
  return score;
}

int Disambiguation::ContextScore(SegmentBuffer& buffer, int i, int clauseStart, int clauseEnd) {
  int best = 0;
  int bestScore = kScoreFloor;
  for (int k = 0; k <= LastReading(buffer.slots[i]); ++k) {
    const int score = ReadingScore(buffer, i, k, clauseStart, clauseEnd);
    if (score > bestScore) {
      bestScore = score;
      best = k;
    }
  }
  return best;
}

}  // namespace malvex
