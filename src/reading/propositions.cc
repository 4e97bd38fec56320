#include "reading/propositions.h"

#include <cstring>

#include "reading/stored_word_counter.h"
#include "reading/word_stream.h"

namespace malvex {
namespace {

const WordCategory& ReadingOf(const SegmentBuffer& b, int i) { return b.slots[i].reading(); }

// A verb comes at or after slot i with no clause punctuation between i and
// that verb.
bool VerbFollows(const SegmentBuffer& b, int i) {
  if (b.verbsFrom[i] == 0) return false;
  for (int j = i; j < b.count; ++j) {
    if (isVerb(ReadingOf(b, j))) return true;
    if (j > i && b.clauseMarks[j] > 0) return false;
  }
  return false;
}

// Counters of the proposition being cut.
struct PropositionCounters {
  int nominalsBefore = 0;  // C1
  int verbs = 0;           // C2
  int nominalsAfter = 0;   // C3
  int words = 0;           // C4
  bool complete = false;   // C5: a verb and a nominal
};

bool ConnectorMayOpen(const SegmentBuffer& b, int i, const PropositionCounters& c) {
  const WordCategory& r = ReadingOf(b, i);
  if (isComparisonConnector(r)) return false;
  // "frumos și bun": an addition between two adjectives joins them.
  if (isAdditionConnector(r) && i > 0 && i + 1 < b.count && isAdjective(ReadingOf(b, i - 1)) &&
      isAdjective(ReadingOf(b, i + 1)))
    return false;
  // A connector right after a short proposition holding its verb belongs to it.
  return !((c.words == 1 || c.words == 2) && c.verbs > 0);
}

void RaiseMarksOfOpeners(SegmentBuffer& b) {
  bool opener = true;
  for (int i = 0; i < b.count; ++i) {
    if (!b.slots[i].IsWord()) continue;
    const WordCategory& r = ReadingOf(b, i);
    if (isVerb(r)) {
      // After a reflexive verb a relative pronoun does not open a clause.
      opener = !isReflexive(r);
    } else if (opener && isPronoun(r) && (isRelative(r) || isDeixis(r))) {
      ++b.clauseMarks[i];
    }
    if (i > 2 && isVerb(r) && isGerund(r)) {
      for (int j = i - 1; j >= i - 2; --j) {
        if (b.slots[j].IsWord() && ReadingOf(b, j).tensePerson == 1) {
          ++b.clauseMarks[j];
          break;
        }
      }
    }
  }
}

// The characters that close the proposition before a boundary.
bool IsClosingPunctuation(uint8_t c) { return c == ')' || c == ',' || c == ']' || c == '}' || c == 0xBB; }

}  // namespace

void CutPropositions(SegmentBuffer& b) {
  const int n = b.count;
  std::memset(b.boundary, 0, sizeof b.boundary);
  if (n <= 0) return;
  b.verbsFrom[n] = 0;
  for (int i = n - 1; i >= 0; --i) b.verbsFrom[i] = static_cast<uint16_t>(b.verbsFrom[i + 1] + (isVerb(ReadingOf(b, i)) ? 1 : 0));
  RaiseMarksOfOpeners(b);

  PropositionCounters c;
  bool cut = false;
  // Slots emptied by a merge are visited too: their reading still counts.
  for (int i = 0; i < n; ++i) {
    const WordCategory& r = ReadingOf(b, i);
    bool cutHere = false;
    if (b.clauseMarks[i] > 0 && c.complete && VerbFollows(b, i)) {
      cutHere = true;
    } else if (c.words >= 2) {
      if (i < n - 3 && isConnector(r) && VerbFollows(b, i) && ConnectorMayOpen(b, i, c) && c.verbs > 0) {
        cutHere = true;
      } else {
        if (isConnector(r)) ++b.clauseMarks[i];
        if (i < n - 4 && b.clauseMarks[i] >= 2) cutHere = true;
      }
    }
    if (cutHere) {
      b.boundary[i] = 1;
      c = PropositionCounters{};
      cut = true;
    }
    if (isVerb(r)) {
      ++c.verbs;
    } else if (isPronoun(r) && (isPersonal(r) || isDeixis(r))) {
      ++c.nominalsBefore;
    } else if (isSubstantive(r) || isAdjective(r)) {
      if (c.verbs == 0)
        ++c.nominalsBefore;
      else
        ++c.nominalsAfter;
    }
    ++c.words;
    if (c.verbs > 0 && (c.nominalsBefore > 0 || c.nominalsAfter > 0)) c.complete = true;
  }
  if (!cut) b.boundary[n - 1] = 1;
}

PropositionWriter::PropositionWriter(WordStream& stream, StoredWordCounter& statistics)
    : stream_(stream), statistics_(statistics) {}

void PropositionWriter::StartFile(uint16_t fileIndex) {
  fileIndex_ = fileIndex;
  excluded_ = false;
}

void PropositionWriter::SetBorders(const BorderKeywords* keywords, bool keepKeywords) {
  borders_ = keywords;
  keepKeywords_ = keepKeywords;
  excluded_ = false;
}

bool PropositionWriter::AppendEndMarker(const char* separator, int32_t position) {
  WordInfo info{};
  statistics_.CountWord("/", info);
  if (!stream_.Append("/", separator, info, position, 0, fileIndex_)) return false;
  ++propositions_;
  return true;
}

bool PropositionWriter::WritePropositions(SegmentBuffer& b) {
  const int last = b.count - 1;
  if (last < 0) return true;
  int start = 0;
  for (;;) {
    int m = start + 1;
    while (m < last && b.boundary[m] == 0) ++m;
    if (m > last) m = last;

    // The closing signs before the next proposition's first word end this
    // proposition: they go on its end marker.
    char pending[WordSlot::kSeparatorBytes] = {};
    {
      char* sep = b.slots[m].separator;
      char kept[WordSlot::kSeparatorBytes] = {};
      int np = 0, nk = 0;
      for (int k = 0; k < WordSlot::kSeparatorBytes - 1 && sep[k] != 0; ++k) {
        if (IsClosingPunctuation(static_cast<uint8_t>(sep[k])))
          pending[np++] = sep[k];
        else
          kept[nk++] = sep[k];
      }
      if (nk == 0) kept[nk++] = ' ';
      std::memcpy(sep, kept, sizeof kept);
    }
    const int lastSlot = (m == last && b.slots[m].IsEndMarker()) ? m : m - 1;

    bool endMarkerWritten = false;
    int nominals = 0;
    for (int j = start; j <= lastSlot; ++j) {
      WordSlot& slot = b.slots[j];
      if (!slot.HoldsWord()) continue;
      const bool endMarker = slot.IsEndMarker();
      if (borders_ != nullptr) {
        bool excludesAfter = false;
        if (borders_->IsBorderKeyword(slot.text, excludesAfter)) {
          excluded_ = excludesAfter;
          if (!keepKeywords_) continue;
        } else if (excluded_) {
          if (endMarker) ++excludedEndMarkers_;
          continue;
        }
      }
      WordInfo info{};
      info.category = slot.candidates[0];
      info.referent = slot.lookupMark;
      info.capitalisation = slot.capitalisation;
      info.apostrophePos = slot.apostrophePos;
      slot.highest = 0;
      if (endMarker) {
        ++propositions_;
        endMarkerWritten = true;
      } else {
        ++b.wordNumber;
      }
      // Counted before it is stored: the counting makes an unclassified
      // word a substantive, and the stored node carries that.
      statistics_.CountWord(slot.text, info);
      if (!stream_.Append(slot.text, slot.separator, info, b.wordNumber, slot.lemma, fileIndex_)) return false;
      if (endMarker) continue;
      if (isSubstantive(info.category) || isAdjective(info.category)) ++nominals;
      if (nominals > kMaxPropositionNominals && lastSlot - j - 1 >= 3) {
        if (!AppendEndMarker(" ", b.wordNumber)) return false;
        nominals = 0;
      }
    }
    if (!endMarkerWritten && !excluded_) {
      if (!AppendEndMarker(pending[0] != 0 ? pending : " ", b.wordNumber)) return false;
    }
    if (m >= last) break;
    start = m;
  }
  return true;
}

}  // namespace malvex
