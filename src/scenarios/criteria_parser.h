// The criteria parser of the word search box: what the user types (a word,
// several words, a compound, with "+", "," and "-" operators) becomes a list
// of candidate meanings, one result line each, from which the user picks
// what to search in the text or to put into the scenario.
//
// The typed text is cut into tokens; tokens that together form a compound
// the lexicon knows are joined again; each token then gives, in order, the
// scenario groups that hold it (kind 4), its grammatical readings (kind 0),
// and its semantic classes at levels 1 to 3 (kinds 1, 2, 3), or a plain
// line of the word itself.
//
// TParseCmdCriteres holds the logic and hands every line to AddResultLine;
// TScenParser keeps the lines and their check-list state for the word
// search dialog. The engine owns one TScenParser for the whole process: its
// choice history (the meanings picked lately, which come first and checked
// in later parses) lives as long as the program.
//
// Text is code page 1250.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionaries/semantic_dictionary.h"
#include "foundations/category.h"

namespace malvex {

class LemmaIndex;
class Lexicon;
class Messages;
class ScenarioLayer;
struct LanguageTables;

// What the parser reads: every pointer but `tables` and `messages` may be
// null (that dictionary is then taken as empty). All must outlive the
// parser.
struct CriteriaParserSources {
  const LanguageTables* tables = nullptr;
  Messages* messages = nullptr;
  Lexicon* lexicon = nullptr;
  SemanticDictionary* semantic = nullptr;
  LemmaIndex* verbLemmas = nullptr;
  LemmaIndex* adjectiveLemmas = nullptr;
  ScenarioLayer* scenario = nullptr;
};

struct CriteriaParserOptions {
  // "." and ":" stay inside a word (dotted abbreviations, times, numbers
  // such as 3.5); off: they cut the word.
  bool keepDottedForms = false;
  // A line without operator gets "+", so that every line shows how it
  // combines with the others.
  bool explicitOperators = true;
};

class TParseCmdCriteres {
 public:
  static constexpr int kMaxTokens = 100;
  static constexpr size_t kTokenChars = 80;
  static constexpr int kOperatorsPerToken = 8;
  static constexpr int kMaxLines = 201;
  static constexpr int kMaxMeanings = 18;
  static constexpr int kMaxTokenResults = 19;
  static constexpr int kHistoryRows = 101;
  static constexpr size_t kItemChars = 79;
  // Readings of a form in the lexicon: 0..5. Asking for a further one
  // would overflow the lexicon's segments (and make every later lookup
  // fail).
  static constexpr int kLexiconReadingsAsked = 6;

  // Kinds of result line.
  static constexpr int kKindWord = 0;  // a word or one of its readings
  static constexpr int kKindLevel1 = 1;
  static constexpr int kKindLevel2 = 2;
  static constexpr int kKindLevel3 = 3;
  static constexpr int kKindGroup = 4;  // a scenario group

  TParseCmdCriteres(const CriteriaParserSources& sources, const CriteriaParserOptions& options);
  virtual ~TParseCmdCriteres() = default;
  TParseCmdCriteres(const TParseCmdCriteres&) = delete;
  TParseCmdCriteres& operator=(const TParseCmdCriteres&) = delete;

  // Cuts, joins and analyses `text`; the lines go to AddResultLine.
  void Parse(std::string_view text);
  // Forgets the history and every table.
  void ResetAll();

  // Records a pick: `classes` (levels 1..3 and the group) becomes the
  // newest row of the choice history.
  void RecordChoice(const ClassPath& classes);

  CriteriaParserOptions& options() { return options_; }

  // The tokens of the last parse (slots 1..tokenCount(); an emptied slot
  // is "").
  int tokenCount() const { return tokenCount_; }
  std::string token(int slot) const { return std::string(tokens_[slot - 1].text, tokens_[slot - 1].length); }
  char tokenOperator(int slot) const { return tokens_[slot - 1].op; }
  std::string tokenOperators(int slot) const {
    return std::string(tokens_[slot - 1].operators, tokens_[slot - 1].operatorCount);
  }
  int lineCount() const { return lineCount_; }
  int tokenResultCount() const { return tokenResults_; }
  // Whether the token analysed as result `k` (0-based) had meanings.
  bool tokenHadMeanings(int k) const { return k >= 0 && k < 20 && hasMeanings_[k] != 0; }

 protected:
  // One line found. `classes` are the meaning's class ids (levels 1..3 and
  // the scenario group); false stops the token's listing. The base class
  // accepts and keeps nothing.
  virtual bool AddResultLine(const std::string& display, const ClassPath& classes, bool disabled, bool checked,
                             char op, const WordCategory& category, const std::string& item, int32_t reference,
                             int kind);
  // Whether a meaning of class `cls` at `level` is listed; the base class
  // lists every one.
  virtual bool AcceptMeaning(int32_t cls, int level);
  // The weight of a scenario group when no pick decides the first meaning:
  // the heaviest comes first. The base class weighs every group 1.
  virtual int MeaningWeight(int32_t group);

  // Whether a further line would be taken; false saves the lookups of the
  // tokens left. The base class takes every line.
  virtual bool AcceptsMoreLines() const;

  // Counts a line (for the derived class, which decides whether it keeps
  // it).
  void CountLine() { ++lineCount_; }

  const CriteriaParserSources sources_;
  CriteriaParserOptions options_;

 private:
  struct Token {
    char text[kTokenChars + 1] = {};
    size_t length = 0;
    char op = 0;
    char operators[kOperatorsPerToken] = {};
    int operatorCount = 0;
  };
  struct Meaning {
    ClassPath path;  // levels 1..3; level 4 the scenario group found for it
    uint8_t flags = 0;
  };

  void Tokenize(std::string_view text);
  void EndToken(int& slot);
  void RecordOperator(Token& token, char op);
  void JoinCompounds();
  // Whether the lexicon knows `candidate`; `prefix` tells whether some
  // stored word begins with it.
  bool KnownToLexicon(const std::string& candidate, bool& prefix);
  void AnalyseToken(int slot);
  // The token's scenario groups; false when a line was refused.
  bool ListGroups(const std::string& typed, const std::string& folded);
  // The token's readings in the lexicon; false when a line was refused.
  bool ListCategories(const std::string& typed, const std::string& folded);
  bool OfferCategoryLine(const std::string& typed, const std::string& folded, const WordCategory& category);
  bool HasMeanings(const std::string& folded);
  // The meanings of `text`; false when a line was refused.
  bool ListMeanings(const std::string& text, bool offerChecks);
  int CollectMeanings(const std::string& folded);
  void OrderByPreference(bool groupRule);
  // The distance (0 newest) of the nearest history row holding `cls` at
  // `level`, -1 when none does.
  int HistoryDistance(int level, int32_t cls) const;
  bool Offer(const std::string& display, const ClassPath& classes, bool disabled, bool checked,
             const WordCategory& category, const std::string& item, int32_t reference, int kind);
  std::string ClassName(int level, int32_t cls) const;

  // Choice history, kept between parses.
  std::array<ClassPath, kHistoryRows> history_{};
  int historyPosition_ = 0;

  std::array<Token, kMaxTokens> tokens_{};
  int tokenCount_ = 0;
  std::array<Meaning, kMaxMeanings> meanings_{};
  int meaningCount_ = 0;
  std::array<uint8_t, kMaxMeanings> preferred_{};
  int lineCount_ = 0;
  int tokenResults_ = 0;
  std::array<uint8_t, 20> hasMeanings_{};
  char currentOperator_ = 0;
  bool lineChecked_ = false;
  bool determinant_ = false;
  bool handledByCategory_ = false;
};

// Where the parser's lines are shown: the word search dialog's check list.
class CriteriaCheckList {
 public:
  virtual ~CriteriaCheckList() = default;
  virtual void Clear() = 0;
  // Appends a line; false when the list cannot take it.
  virtual bool Add(const std::string& text, bool checked, bool disabled) = 0;
};

// One kept result line.
struct CriteriaLine {
  std::string item;     // what an insertion puts in the scenario (at most 79 characters)
  std::string display;  // the check list's text
  ClassPath classes;    // levels 1..3 and the scenario group; zero for kind 0
  WordCategory category;
  int kind = 0;
  int32_t reference = 0;  // the scenario group of a kind-4 line
  char op = ' ';
  bool checked = false;
  bool disabled = false;

  bool IsVerbOrAdjective() const { return isVerb(category) || isAdjective(category); }
};

class TScenParser : public TParseCmdCriteres {
 public:
  TScenParser(const CriteriaParserSources& sources, const CriteriaParserOptions& options)
      : TParseCmdCriteres(sources, options) {}

  // Clears the lines (and the check list), then parses.
  void ParseText(std::string_view text);

  // The check list the lines are added to; null: none. Must outlive its
  // use.
  void SetCheckList(CriteriaCheckList* list) { checkList_ = list; }

  // Lines 1..lineCount() of the last parse, index 0 first.
  const std::vector<CriteriaLine>& lines() const { return lines_; }
  std::vector<CriteriaLine>& mutableLines() { return lines_; }

 protected:
  bool AddResultLine(const std::string& display, const ClassPath& classes, bool disabled, bool checked, char op,
                     const WordCategory& category, const std::string& item, int32_t reference, int kind) override;
  bool AcceptsMoreLines() const override { return static_cast<int>(lines_.size()) < kMaxLines; }

 private:
  bool Store(CriteriaLine line);

  CriteriaCheckList* checkList_ = nullptr;
  std::vector<CriteriaLine> lines_;
};

}  // namespace malvex
