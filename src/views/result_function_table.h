// The result functions offered after an analysis: the kinds of results a
// user can ask for (text style, references, relations, lemmas, episodes...),
// in the fixed order of the function list, with the information line each
// one shows when chosen.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace malvex {

class Messages;

// Kind of a result function (one byte in the table). Kind 2 is not used.
enum class ResultKind : uint8_t {
  kNone = 0,
  kReferences = 1,       // level-1 classes
  kReferenceFields1 = 3,  // level-3 classes
  kReferenceFields2 = 4,  // level-2 classes
  kRelations = 5,
  kCategories = 6,       // frequent (level 2) or all (level 1) word categories
  kTextStyle = 7,
  kScenario = 8,         // level-4 groups
  kVerbs = 9,
  kAdjectives = 10,
  kSubstantives = 11,
  kEpisode = 12,
};

// Level of an entry: main functions are offered first in the menus.
inline constexpr uint8_t kMainFunction = 2;
inline constexpr uint8_t kSecondaryFunction = 1;

struct ResultFunction {
  ResultKind kind = ResultKind::kNone;
  uint8_t level = 0;     // kMainFunction or kSecondaryFunction
  int32_t titleId = 0;   // catalogue id of the title
};

// The classification level (1..4) whose classes a class-list kind shows:
// 1 for References, 3 for Reference fields 1, 2 for Reference fields 2, 4
// for Scenario; 0 for any other kind.
int ClassLevelOfKind(ResultKind kind);
// The function position that lists the classes of level `level` (1
// References, 2 Reference fields 2, 3 Reference fields 1, 4 Scenario); -1
// for other levels.
int FunctionOfRelationLevel(int level);

class ResultFunctionTable {
 public:
  static constexpr int kCapacity = 201;
  // Positions the menu commands address.
  static constexpr int kTextStyle = 0;
  static constexpr int kReferenceFields1 = 1;
  static constexpr int kReferenceFields2 = 2;
  static constexpr int kReferences = 3;
  static constexpr int kScenario = 4;
  static constexpr int kRelations = 5;
  static constexpr int kFrequentCategories = 6;
  static constexpr int kAllCategories = 7;
  static constexpr int kVerbs = 8;
  static constexpr int kAdjectives = 9;
  static constexpr int kSubstantives = 10;
  static constexpr int kFirstEpisode = 11;

  // Catalogue id of the single line the function list shows for a text of
  // at most one word.
  static constexpr int kEmptyTextMessage = 554;

  ResultFunctionTable() = default;

  // Empties the table (before each analysis).
  void Clear();
  // Clears the table, then, when the text holds more than one word, adds
  // the eleven fixed functions in their order and one Episode entry per
  // episode (numbered from 1) while the table has room. A text of at most
  // one word leaves the table empty and marks it as showing message 554.
  void Build(int64_t words, int episodes);

  int Count() const { return count_; }
  // Whether the last Build met an empty or unreadable text.
  bool EmptyText() const { return emptyText_; }
  // Entry `position`; a default entry (kind kNone) outside 0..Count()-1.
  ResultFunction At(int position) const;
  // The episode number of an Episode entry (position - 10); 0 for any other.
  int EpisodeNumber(int position) const;
  // The function list line of `position`: its title, and for an Episode
  // entry a blank and the episode's number. Empty outside the table.
  std::string Title(Messages& messages, int position) const;

 private:
  void Add(ResultKind kind, uint8_t level, int32_t titleId);

  std::array<ResultFunction, kCapacity> entries_{};
  int count_ = 0;
  bool emptyText_ = false;
};

// What the information line shows when a function is chosen.
struct InformationContext {
  int relationLevel = 1;         // the analysis setting "Build relations on"
  bool scenarioLoaded = false;   // a Scenario holding entries is loaded
  std::string scenarioName;      // its name, code page 1250
};

// Catalogue id of the information line of `function` (categories: 290 for
// the frequent ones, 295 for all; relations by the relation level; 455 for
// the Scenario kinds without a Scenario). 0 for kind kNone.
int InformationLineId(const ResultFunction& function, const InformationContext& context);
// The information line's text: the message of InformationLineId, followed
// by the Scenario's name for the Scenario function (message 296).
std::string InformationLine(Messages& messages, const ResultFunction& function,
                            const InformationContext& context);

}  // namespace malvex
