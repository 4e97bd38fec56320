// The mini edition (tests/data/edition-mini) loaded with the engine's
// loaders, and a lexical analysis over it, for the tests of lexical lookup
// and disambiguation. Words are written in UTF-8 and stored in code page
// 1250 as the reader does.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "dictionaries/category_matrix.h"
#include "dictionaries/lemma_index.h"
#include "dictionaries/lexicon.h"
#include "dictionaries/semantic_dictionary.h"
#include "dictionaries/string_pool.h"
#include "foundations/charset.h"
#include "foundations/messages.h"
#include "platform/files.h"
#include "platform/scripted_box.h"
#include "reading/lexicon_analysis.h"

namespace malvex::testing {

// A word and the punctuation before it ("" for none).
using Word = std::pair<std::string, std::string>;

// The 8-bit form of a UTF-8 text.
inline std::string W(const std::string& utf8) { return FromUtf8(utf8); }

class MiniEditionAnalysis : public ::testing::Test {
 protected:
  MiniEditionAnalysis()
      : messages_(box_),
        tables_(DefaultLanguageTables()),
        lexicon_(messages_, tables_),
        semantic_(messages_, tables_, pool_),
        fallback_(semantic_),
        verbs_(29, 7, &messages_, &pool_),
        adjectives_(29, 7, &messages_, &pool_) {
    const std::string edition = MALVEX_TEST_EDITION;
    lexicon_.Open(edition);
    semantic_.Load(edition);
    verbs_.Load(ChangeExtension(edition, kVerbLemmaExtension));
    adjectives_.Load(ChangeExtension(edition, kAdjectiveLemmaExtension));
    EXPECT_TRUE(matrix_.Load(edition + ".zv8"));
    lexicon_.SetFallback(&fallback_);
    lexicon_.SetLemmaSources(&verbs_, &semantic_);
  }

  // Fills `b` as the reader does: every word with its separator (a blank
  // when none), then an end marker when `endMarker`.
  static void Fill(SegmentBuffer& b, const std::vector<Word>& words, bool endMarker = true) {
    b.Reset(0);
    for (const Word& w : words) {
      WordSlot& slot = b.slots[b.count++];
      const std::string text = W(w.first);
      const std::string separator = w.second.empty() ? " " : W(w.second);
      std::strncpy(slot.text, text.c_str(), sizeof slot.text - 1);
      std::strncpy(slot.separator, separator.c_str(), sizeof slot.separator - 1);
    }
    if (endMarker) {
      WordSlot& marker = b.slots[b.count++];
      marker.text[0] = '/';
      marker.separator[0] = ' ';
    }
  }

  // The texts of the slots that hold words, in UTF-8, end markers left out.
  static std::vector<std::string> Texts(const SegmentBuffer& b) {
    std::vector<std::string> out;
    for (int i = 0; i < b.count; ++i) {
      if (b.slots[i].IsWord()) out.push_back(ToUtf8(b.slots[i].text));
    }
    return out;
  }

  // The slot holding the word `utf8` (lower case), or null.
  static WordSlot* Find(SegmentBuffer& b, const std::string& utf8) {
    const std::string text = W(utf8);
    for (int i = 0; i < b.count; ++i) {
      if (b.slots[i].IsWord() && text == b.slots[i].text) return &b.slots[i];
    }
    return nullptr;
  }

  // The number the verb (or adjective) index gives lemma `utf8`.
  uint32_t VerbLemma(const std::string& utf8) { return verbs_.LemmaNumberOfLemma(W(utf8)); }
  uint32_t AdjectiveLemma(const std::string& utf8) { return adjectives_.LemmaNumberOfLemma(W(utf8)); }

  ScriptedBox box_;
  Messages messages_;
  LanguageTables tables_;
  StringPool pool_;
  Lexicon lexicon_;
  SemanticDictionary semantic_;
  SemanticLexiconFallback fallback_;
  LemmaIndex verbs_;
  LemmaIndex adjectives_;
  CategoryMatrix matrix_;
  LexiconAnalysis analysis_{lexicon_, tables_, matrix_, &verbs_, &adjectives_, true};
  SegmentBuffer buffer_;
};

}  // namespace malvex::testing
