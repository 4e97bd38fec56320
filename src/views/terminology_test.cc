// Terminology extraction on hand-filled word streams of the mini edition:
// which compounds and head words a run of words gives, and the line forms
// the window and malvex-cli show.
#include "views/terminology.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "dictionaries/term_index.h"
#include "engine/semantic_pass_test_fixture.h"

namespace malvex {
namespace {

using testing::WordCategoryOf;

// A text as tokens: "N:robot" a noun, "A:rapid" an adjective, "D:de" a
// determinant, "K:ce" a determinant of the second kind, "V:merge" a verb,
// "/" an end marker; "SEP|N:robot" gives the word the punctuation SEP
// before it.
struct Case {
  const char* name;
  std::vector<std::string> tokens;
  TerminologyOptions options;
  std::vector<std::string> expected;  // the stored lines, in listing order
};

class TerminologyTest : public testing::SemanticPassTest {
 protected:
  void Fill(const std::vector<std::string>& tokens) {
    for (const std::string& token : tokens) {
      if (token == "/") {
        End();
        continue;
      }
      std::string separator;
      std::string rest = token;
      const size_t bar = token.find('|');
      if (bar != std::string::npos) {
        separator = token.substr(0, bar);
        rest = token.substr(bar + 1);
      }
      ASSERT_GE(rest.size(), 3u) << token;
      WordInfo info;
      switch (rest[0]) {
        case 'N': info.category = WordCategoryOf(kClassSubstantive); break;
        case 'A': info.category = WordCategoryOf(kClassAdjective); break;
        case 'D': info.category = WordCategoryOf(kClassDeterminant); break;
        case 'K': info.category = WordCategoryOf(kClassDeterminantKind1); break;
        case 'V': info.category = WordCategoryOf(kClassVerb, 1); break;
        default: FAIL() << token;
      }
      ASSERT_TRUE(engine->stream().Append(rest.substr(2), separator, info, ++position, 0, 1));
    }
  }

  std::vector<std::string> Extract(const TerminologyOptions& options, size_t capacity = 1000) {
    std::vector<std::string> out;
    for (const TermLine& line : ExtractTerminology(&engine->messages(), engine->stream(), dictionary(),
                                                   engine->tables(), options, capacity))
      out.push_back(TermLineText(line));
    return out;
  }
};

// Repeats `tokens` `times` times, each copy closed by an end marker.
std::vector<std::string> Times(int times, const std::vector<std::string>& tokens) {
  std::vector<std::string> out;
  for (int i = 0; i < times; ++i) {
    out.insert(out.end(), tokens.begin(), tokens.end());
    out.push_back("/");
  }
  return out;
}

std::vector<std::string> Concat(std::vector<std::string> a, const std::vector<std::string>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const TerminologyOptions kAll{true, true, false};
const TerminologyOptions kFiltered{true, true, true};
const TerminologyOptions kCompoundsOnly{true, false, false};

const std::string k66(66, 'x');
const std::string k67(67, 'x');

TEST_F(TerminologyTest, TableOfTexts) {
  const Case cases[] = {
      {"adjective noun determinant noun: two compounds under the first noun",
       Times(2, {"A:rapid", "N:robot", "D:de", "N:motor"}), kAll,
       {"robot\trobot\t2", "robot\trapid_robot\t2", "robot\trobot_de_motor\t2"}},
      {"the same with the filter: twice is not enough", Times(2, {"A:rapid", "N:robot", "D:de", "N:motor"}),
       kFiltered, {}},
      {"with the filter, three times is", Times(3, {"A:rapid", "N:robot", "D:de", "N:motor"}), kFiltered,
       {"robot\trobot\t3", "robot\trapid_robot\t3", "robot\trobot_de_motor\t3"}},
      {"a compound seen once is not listed",
       Concat(Times(2, {"N:robot", "V:merge"}), Times(1, {"N:robot", "N:motor", "V:merge", "N:motor"})),
       kCompoundsOnly, {}},
      {"a noun whose class occurs once never opens a compound",
       Concat(Times(1, {"N:unic", "D:de", "N:motor"}), Times(1, {"N:unic2", "D:de", "N:motor"})), kAll,
       {"motor\tmotor\t2"}},
      {"an end marker cuts a compound", Times(2, {"N:robot", "/", "N:motor"}), kAll,
       {"robot\trobot\t2", "motor\tmotor\t2"}},
      {"a word beginning with / cuts a compound", Times(2, {"N:robot", "N:/x", "N:motor"}), kAll,
       {"robot\trobot\t2", "motor\tmotor\t2"}},
      {"a dollar amount cuts a compound", Times(2, {"N:robot", "N:$5", "N:motor"}), kAll,
       {"robot\trobot\t2", "motor\tmotor\t2"}},
      {"a euro amount cuts a compound", Times(2, {"N:robot", "N:\x80" "5", "N:motor"}), kAll,
       {"robot\trobot\t2", "motor\tmotor\t2"}},
      {"a comma before a word cuts the compound, the word opens the next",
       Times(2, {"N:robot", ",|N:motor", "N:cablu"}), kCompoundsOnly, {"motor\tmotor_cablu\t2"}},
      {"a blank before a word does not", Times(2, {"N:robot", " |N:motor"}), kCompoundsOnly,
       {"robot\trobot_motor\t2"}},
      {"a verb closes, a determinant alone is not recorded", Times(2, {"N:robot", "D:de", "V:merge", "N:motor"}),
       kCompoundsOnly, {}},
      {"a determinant of the second kind extends too", Times(2, {"N:robot", "K:ce", "N:motor"}), kCompoundsOnly,
       {"robot\trobot_ce_motor\t2"}},
      {"an adjective after the noun extends with recording", Times(2, {"N:robot", "A:rapid"}), kCompoundsOnly,
       {"robot\trobot_rapid\t2"}},
      {"an adjective beginning with a digit closes", Times(2, {"N:robot", "A:3d", "N:motor"}), kCompoundsOnly,
       {}},
      {"a verb between adjective and noun drops the adjective", Times(2, {"A:rapid", "V:merge", "N:robot"}),
       kCompoundsOnly, {}},
      {"a head word's underscores become blanks", Times(2, {"N:porte_monnaie", "N:robot"}), kAll,
       {"porte monnaie\tporte_monnaie\t2", "porte monnaie\tporte_monnaie_robot\t2"}},
      {"a compound of 75 characters is made",
       Times(2, {"N:robot", "D:de", "N:" + k66}), kCompoundsOnly, {"robot\trobot_de_" + k66 + "\t2"}},
      {"one character more and the word is left out",
       Times(2, {"N:robot", "D:de", "N:" + k67}), kCompoundsOnly, {}},
      {"a one-letter head opens a compound but files nothing", Times(2, {"N:x", "N:robot"}), kAll, {}},
      // A rare noun in the middle of a compound ends it: "A B C" with B
      // rare gives no "A_C", and the adjective before A does not pass to C.
      {"a noun of a rare class ends the compound",
       Concat(Times(1, {"A:rapid", "N:robot", "N:unic1", "N:motor"}),
              Times(1, {"A:rapid", "N:robot", "N:unic2", "N:motor"})),
       kCompoundsOnly, {"robot\trapid_robot\t2"}},
      {"and the adjective before it qualifies no later noun",
       Concat(Times(1, {"A:rapid", "N:unic1", "N:motor"}), Times(1, {"A:rapid", "N:unic2", "N:motor"})),
       kCompoundsOnly, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    context.reset();
    engine->stream().Reset();
    position = 0;
    Fill(c.tokens);
    ASSERT_TRUE(Run());
    EXPECT_EQ(Extract(c.options), c.expected);
  }
}

TEST_F(TerminologyTest, AHeadWordOfTheScenarioIsNotListedAlone) {
  Fill(Times(2, {"N:robot", "N:motor"}));
  Fill(Times(2, {"N:cablu", "V:merge"}));
  ASSERT_TRUE(Run());
  testing::TableScenario scenario;
  scenario.words["robot"] = 1;
  dictionary().SetScenarioGroups(&scenario);
  EXPECT_EQ(Extract(kAll), (std::vector<std::string>{"cablu\tcablu\t2", "robot\trobot_motor\t2"}));
  dictionary().SetScenarioGroups(nullptr);
}

TEST_F(TerminologyTest, TheListStopsAtItsCapacity) {
  Fill(Times(2, {"N:robot", "N:motor", "V:merge", "N:cablu", "N:fir"}));
  ASSERT_TRUE(Run());
  bool overflow = false;
  const std::vector<TermLine> lines = ExtractTerminology(&engine->messages(), engine->stream(), dictionary(),
                                                         engine->tables(), kAll, 3, &overflow);
  EXPECT_TRUE(overflow);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[2].compound, "robot_motor");
  EXPECT_TRUE(lines[2].isCompound);
  EXPECT_FALSE(lines[0].isCompound);
}

TEST(TermLines, StoredShownAndSplit) {
  TermLine line{"porte monnaie", "porte_monnaie_rosu", 12, true};
  const std::string stored = TermLineText(line);
  EXPECT_EQ(stored, "porte monnaie\tporte_monnaie_rosu\t12");
  EXPECT_EQ(TermLineDisplay(stored), "porte monnaie => porte_monnaie_rosu (12)");
  EXPECT_EQ(TermLineText(TermLine{"a", "b", 0, false}), "a\tb\t*");
  for (const std::string& form : {stored, TermLineDisplay(stored)}) {
    const TermLineFields fields = SplitTermLine(form);
    EXPECT_EQ(fields.head, "porte monnaie") << form;
    EXPECT_EQ(fields.second, "porte_monnaie_rosu") << form;
  }
  EXPECT_EQ(TermLineFrequency(stored), 12u);
  EXPECT_EQ(TermLineFrequency("a\tb\t*"), 0u);
  EXPECT_EQ(SplitTermLine("alone").head, "alone");
  EXPECT_EQ(SplitTermLine("alone").second, "");
}

TEST(TermLines, SquareColoursByFrequency) {
  const struct {
    uint32_t frequency;
    int red;
  } cases[] = {{0, 232}, {2, 232}, {3, 208}, {4, 208}, {5, 165}, {9, 165}, {10, 128}, {14, 128}, {15, 64}, {300, 64}};
  for (const auto& c : cases) {
    const TermColour colour = TermFrequencyColour(c.frequency);
    EXPECT_EQ(colour.red, c.red) << c.frequency;
    EXPECT_EQ(colour.green, c.red) << c.frequency;
    EXPECT_EQ(colour.blue, 255) << c.frequency;
  }
}

TEST(TermLines, SortByFrequencyKeepsTheOrderOfEqualOnes) {
  std::vector<TermLine> lines = {{"a", "a", 2, false}, {"b", "b_c", 5, true}, {"c", "c", 2, false}};
  SortByFrequency(lines);
  EXPECT_EQ(lines[0].head, "b");
  EXPECT_EQ(lines[1].head, "a");
  EXPECT_EQ(lines[2].head, "c");
}

}  // namespace
}  // namespace malvex
