#include "reading/lexical_analysis.h"

#include <cstring>
#include <new>

#include "dictionaries/lexicon.h"
#include "foundations/charset.h"
#include "reading/lexicon_analysis.h"

namespace malvex {
namespace {

// Upper-case for the character functions, or one of the upper-case Romanian
// letters S-cedilla, A-breve, T-cedilla.
bool UpperForCapitalisation(uint8_t c) { return IsUpperCase(c) || c == 0xAA || c == 0xC3 || c == 0xDE; }

}  // namespace

uint8_t CapitalisationOf(const char* text) {
  const uint8_t* t = reinterpret_cast<const uint8_t*>(text);
  if (t[0] == 0 || !UpperForCapitalisation(t[0])) return 0;
  if (t[1] != 0 && UpperForCapitalisation(t[1])) return 2;
  if (t[1] == '&' && t[2] != 0 && UpperForCapitalisation(t[2])) return 2;
  return 1;
}

void FoldSlotToLower(WordSlot& slot) {
  slot.capitalisation = CapitalisationOf(slot.text);
  FoldToLower(slot.text, std::strlen(slot.text));
}

void UnclassifiedAnalysis::LookupSentence(SegmentBuffer& buffer) {
  for (int i = 0; i < buffer.count; ++i) {
    WordSlot& slot = buffer.slots[i];
    if (!slot.IsWord()) continue;
    FoldSlotToLower(slot);
    for (WordCategory& c : slot.candidates) c = WordCategory{};
    slot.highest = 0;
    slot.lookupMark = 0;
  }
}

std::unique_ptr<LexicalAnalysis> MakeLexicalAnalysis(Lexicon* lexicon, const LanguageTables& tables,
                                                     const CategoryMatrix& matrix, LemmaIndex* verbLemmas,
                                                     LemmaIndex* adjectiveLemmas, bool hyphenConcatenation) {
  if (lexicon == nullptr || !lexicon->Ready())
    return std::unique_ptr<LexicalAnalysis>(new (std::nothrow) UnclassifiedAnalysis);
  return std::unique_ptr<LexicalAnalysis>(new (std::nothrow) LexiconAnalysis(
      *lexicon, tables, matrix, verbLemmas, adjectiveLemmas, hyphenConcatenation));
}

}  // namespace malvex
