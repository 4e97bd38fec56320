#include "semantic/characteristic_parts.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <vector>

#include "semantic/analysis_context.h"
#include "semantic/bundle_scan.h"
#include "semantic/test_text_for_tests.h"

namespace malvex {
namespace {

using testing::Category;
using testing::Referent;
using testing::TestText;
using testing::Verb;

constexpr uint32_t kX = 7;
constexpr uint32_t kY = 8;

class CharacteristicPartsTest : public ::testing::Test {
 protected:
  CharacteristicPartsTest() : classCounts(kLastScoredClass + 1) {
    input.classCounts = classCounts.data();
    classCounts[kX] = 10;
    classCounts[kY] = 10;
    for (uint32_t& c : input.personCounts) c = 4;
  }

  void Find(TestText& text) { FindCharacteristicParts(text.stream(), input, parts); }

  std::vector<uint32_t> classCounts;
  CharacteristicInput input;
  ChronologyTables parts;
};

// A token with a bundle weight: mark A, and the bundle mark.
WordNode* Marked(WordNode* node, uint8_t markA, uint8_t bundleMark = kBundleInside) {
  node->markA = markA;
  node->info.bundleMark = bundleMark;
  return node;
}

TEST_F(CharacteristicPartsTest, ScoreOfOneProposition) {
  struct Case {
    const char* name;
    // Builds one proposition (more before it, when needed) in `text`.
    void (*build)(TestText& text);
    int score;  // of the last proposition; -1 when it is not listed
  };
  const Case cases[] = {
      {"new actant: newness 100 counts 0.7", [](TestText& t) { t.Add(Referent(kX)); t.Add(Verb()); }, 35},
      {"actant seen before: newness 90",
       [](TestText& t) {
         t.Add(Referent(kX));
         t.End();
         t.Add(Referent(kX));
         t.Add(Verb());
       },
       31},
      {"no verb", [](TestText& t) { t.Add(Referent(kX)); }, -1},
      {"verb without participant", [](TestText& t) { t.Add(Verb()); t.Add(Category(4, 1)); }, -1},
      {"class not counted in the text", [](TestText& t) { t.Add(Referent(99)); t.Add(Verb()); }, -1},
      {"acted only: no actant keeps the highest score",
       [](TestText& t) { t.Add(Verb()); t.Add(Referent(kX)); }, 255},
      {"cause connector before the verb",
       [](TestText& t) { t.Add(Category(2, 2)); t.Add(Referent(kX)); t.Add(Verb()); }, 50},
      {"time connector ignored",
       [](TestText& t) { t.Add(Category(2, 8)); t.Add(Referent(kX)); t.Add(Verb()); }, 35},
      {"condition connector after the actant",
       [](TestText& t) { t.Add(Referent(kX)); t.Add(Category(2, 1)); t.Add(Verb()); }, 35},
      {"pronoun actant weighs half",
       [](TestText& t) { Marked(t.Add(Category(5, 3, 1)), 2); t.Add(Verb()); }, 47},
      {"a bundle's last occurrence weighs half",
       [](TestText& t) { Marked(t.Add(Referent(kX)), 7, kBundleLast); t.Add(Verb()); }, 60},
      {"a bundle's third occurrence weighs a third",
       [](TestText& t) { t.Add(Referent(kX)); Marked(t.Add(Verb()), 3); }, 51},
      {"an assertion weighs, a time modality does not",
       [](TestText& t) {
         t.Add(Referent(kX));
         Marked(t.Add(Category(3, 1)), 1);
         Marked(t.Add(Category(3, 4)), 1);
         t.Add(Verb());
       },
       85},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TestText text;
    c.build(text);
    text.End();
    // The last proposition's number: the number of end markers.
    uint32_t last = 0;
    for (WordNode* n = text.stream().Head(); n != text.stream().Tail(); n = n->next) last += n->text[0] == '/' ? 1 : 0;
    Find(text);
    const CharacteristicPart* found = nullptr;
    for (const CharacteristicPart& e : parts.characteristicParts) {
      if (e.proposition == last) found = &e;
    }
    if (c.score < 0) {
      EXPECT_EQ(found, nullptr);
    } else {
      ASSERT_NE(found, nullptr);
      EXPECT_EQ(found->score, c.score);
    }
  }
}

TEST_F(CharacteristicPartsTest, TheSlotKeepsTheParticipantSeenMostOften) {
  // Y has been seen twice, X once when the proposition comes: Y takes the
  // actant slot from X. Y seen for the third time: newness 80.
  TestText text;
  text.Add(Referent(kY));
  text.End();
  text.Add(Referent(kY));
  text.End();
  WordNode* x = text.Add(Referent(kX));
  WordNode* y = text.Add(Referent(kY));
  text.Add(Verb());
  text.End();
  Find(text);
  ASSERT_EQ(parts.characteristicParts.size(), 1u);
  EXPECT_EQ(parts.characteristicParts[0].proposition, 3u);
  EXPECT_EQ(parts.characteristicParts[0].score, 28);
  // The token that first filled the slot carries the mark.
  EXPECT_EQ(x->markA, 28);
  EXPECT_EQ(y->markA, 0);
}

// `count` propositions "X verb", each with one assertion whose mark A is
// given by `weight(i)` (0: none).
template <typename Weight>
void Propositions(TestText& text, int count, Weight weight) {
  for (int i = 1; i <= count; ++i) {
    text.Add(Referent(static_cast<uint32_t>(i)));
    const uint8_t w = weight(i);
    WordNode* assertion = text.Add(Category(3, 4));
    if (w != 0) Marked(assertion, w);
    text.Add(Verb());
    text.End();
  }
}

TEST_F(CharacteristicPartsTest, TenListedPropositionsAreAllSelected) {
  for (uint32_t c = 1; c <= 10; ++c) classCounts[c] = 1;
  TestText text;
  Propositions(text, 10, [](int i) { return i <= 3 ? 1 : 0; });
  Find(text);
  ASSERT_EQ(parts.characteristicParts.size(), 10u);
  EXPECT_EQ(parts.selectedParts, 10u);
  // Each actant token carries its proposition's score.
  EXPECT_EQ(text.At(1)->markA, 85);
  EXPECT_EQ(text.At(3 * 9 + 1)->markA, 35);
}

TEST_F(CharacteristicPartsTest, OfAHundredTheTenBestAndTheirTiesAreSelected) {
  for (uint32_t c = 1; c <= 100; ++c) classCounts[c] = 1;
  // Nine propositions of score 85 (propositions 11..19), two of 60 (50
  // and 90), the rest 35.
  TestText text;
  Propositions(text, 100, [](int i) { return i >= 11 && i <= 19 ? 1 : i == 50 || i == 90 ? 2 : 0; });
  Find(text);
  ASSERT_EQ(parts.characteristicParts.size(), 100u);
  EXPECT_EQ(parts.scoreThreshold, 60);
  EXPECT_EQ(parts.selectedParts, 11u);
  for (size_t i = 1; i < parts.characteristicParts.size(); ++i) {
    ASSERT_LT(parts.characteristicParts[i - 1].proposition, parts.characteristicParts[i].proposition);
  }
  // Word i of proposition p is at position 3 (p - 1) + i.
  EXPECT_EQ(text.At(3 * 10 + 1)->markA, 85);   // actant of proposition 11
  EXPECT_EQ(text.At(3 * 10 + 2)->markA, 85);   // its weighed assertion
  EXPECT_EQ(text.At(3 * 49 + 2)->markA, 60);   // proposition 50
  EXPECT_EQ(text.At(1)->markA, 0);             // proposition 1: not selected
  EXPECT_EQ(text.At(3 * 99 + 1)->markA, 0);
}

TEST_F(CharacteristicPartsTest, TheQuantitySettingMovesTheThreshold) {
  struct Case {
    int quantity;
    int threshold;
    uint32_t selected;
  };
  // 20 of score 85, 20 of 60, 60 of 35.
  const Case cases[] = {{90, 85, 20}, {80, 85, 20}, {70, 60, 40}, {60, 60, 40}, {30, 35, 100}, {0, 35, 100}, {100, 85, 20}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.quantity);
    for (uint32_t k = 1; k <= 100; ++k) classCounts[k] = 1;
    TestText text;
    Propositions(text, 100, [](int i) { return i <= 20 ? 1 : i <= 40 ? 2 : 0; });
    input.quantity = c.quantity;
    Find(text);
    EXPECT_EQ(parts.scoreThreshold, c.threshold);
    EXPECT_EQ(parts.selectedParts, c.selected);
  }
}

TEST_F(CharacteristicPartsTest, MarksOutsideListedPropositionsAreCleared) {
  // A bundle token in a proposition without verb is no characteristic part,
  // even when fewer than 11 propositions are listed.
  TestText text;
  text.Add(Referent(kX));
  text.Add(Verb());
  text.End();
  WordNode* bundled = Marked(text.Add(Category(2, 1)), 3);
  text.Add(Referent(kY));
  text.End();
  Find(text);
  ASSERT_EQ(parts.characteristicParts.size(), 1u);
  EXPECT_EQ(parts.selectedParts, 1u);
  EXPECT_EQ(text.At(1)->markA, 35);
  EXPECT_EQ(bundled->markA, 0);
  EXPECT_EQ(text.At(4)->markA, 0);
}

TEST_F(CharacteristicPartsTest, NewnessDoesNotStartAgainAfter65535Occurrences) {
  // 65536 occurrences of X in a proposition without verb, then X as the
  // actant of a verb: seen 65537 times out of 65538, it is no longer new.
  classCounts[kX] = 65538;
  TestText text;
  for (int i = 0; i < 65536; ++i) text.Add(Referent(kX));
  text.End();
  text.Add(Referent(kX));
  text.Add(Verb());
  text.End();
  Find(text);
  EXPECT_TRUE(parts.characteristicParts.empty());
}

TEST_F(CharacteristicPartsTest, AFullListEndsTheScoring) {
  const int count = kMaxCharacteristicParts + 5;
  for (int c = 1; c <= count; ++c) classCounts[static_cast<size_t>(c)] = 1;
  TestText text;
  Propositions(text, count, [](int) { return 0; });
  Find(text);
  ASSERT_EQ(parts.characteristicParts.size(), static_cast<size_t>(kMaxCharacteristicParts));
  EXPECT_EQ(parts.characteristicParts.back().proposition, static_cast<uint32_t>(kMaxCharacteristicParts));
}

}  // namespace
}  // namespace malvex
