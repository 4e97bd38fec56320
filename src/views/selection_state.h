// The selection shared by the text view, the graphs and printing: a class, a
// relation, a word or the characteristic parts, and the word-category
// criteria that colour the text. The result lists, the style diagnosis and
// graph clicks write it; the views read it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "foundations/category.h"
#include "reading/word_stream.h"

namespace malvex {

// Kinds of selection.
inline constexpr uint8_t kSelectNone = 0;  // only category criteria, if any
inline constexpr uint8_t kSelectRelation = 1;
inline constexpr uint8_t kSelectClass = 2;
inline constexpr uint8_t kSelectCharacteristicParts = 3;
inline constexpr uint8_t kSelectWord = 4;

// Criterion groups.
inline constexpr uint16_t kGroupReferents = 1;
inline constexpr uint16_t kGroupVerbs = 2;
inline constexpr uint16_t kGroupConnectors = 3;
inline constexpr uint16_t kGroupModalities = 4;
inline constexpr uint16_t kGroupAdjectives = 5;
inline constexpr uint16_t kGroupPronouns = 6;

// One slot of the coloration criteria table: a group and, within it, the
// subclass (for pronouns the person 1..7); position 0 is the whole group.
struct ColorationCriterion {
  uint16_t group = 0;
  uint16_t position = 0;
};

// A word-category pattern built from one criteria slot.
struct CriterionPattern {
  bool inUse = false;
  WordCategory category;
  // Referent mark a matching word must carry (referent patterns), 0 none.
  uint8_t referent = 0;
};

// Answers, for level 4, whether a scenario group lies within another (is
// the group itself or one of its descendants).
class GroupHierarchy {
 public:
  virtual ~GroupHierarchy() = default;
  virtual bool IsWithin(uint32_t group, uint32_t ancestor) const = 0;
};

class SelectionState {
 public:
  static constexpr int kCriteriaSlots = 4;  // a fifth slot exists but is never filled
  static constexpr int kPatternCount = 5;
  static constexpr size_t kMaxTextChars = 160;
  static constexpr int32_t kDefaultSpanEnd = 99999999;

  // No selection, no criteria, the default span.
  void Clear();

  // Selections. Each makes the selection active, replaces the previous one
  // and keeps the criteria table; texts are cut at 160 characters.
  void SelectClass(int level, uint32_t classId, std::string_view text);
  void SelectRelation(int level, uint32_t firstClass, uint32_t secondClass, std::string_view firstText,
                      std::string_view secondText);
  // A word by its lemma number and category byte.
  void SelectWord(uint32_t lemma, uint8_t category, std::string_view text);
  void SelectCharacteristicParts(std::string_view text);

  // Clears the selection, fills the criteria table with `chosen` (at most
  // four are kept), builds the patterns and sets the any-criterion rule:
  // what choosing a style verdict or a word-category line does.
  void SelectCriteria(const ColorationCriterion* chosen, int count);

  // Turns the criteria table into the five patterns and the group flags.
  void BuildCriteria();

  // Whether at least one pattern is in use.
  bool CriteriaInForce() const;
  // Whether `info` matches pattern k (0..4), which must be in use.
  bool MatchesPattern(const WordInfo& info, int k) const;
  // Whether `info` matches any pattern in use.
  bool MatchesAnyPattern(const WordInfo& info) const;
  // Whether the word of `node` matches the active selection (false when
  // none is active). `groups` decides level-4 descendants; null: a group
  // matches only itself.
  bool MatchesSelection(const WordNode& node, const GroupHierarchy* groups) const;
  // Whether a word of class `wordClass` (0: none) at the selection's level
  // counts as class `wanted`: the same class, or at level 4 a group within
  // it.
  bool ClassWithin(uint32_t wordClass, uint32_t wanted, const GroupHierarchy* groups) const;
  // The word's class at the selection's level; 0 outside levels 1..4.
  uint32_t ClassAtLevel(const WordNode& node) const {
    return level >= 1 && level <= 4 ? node.info.classPath[level - 1] : 0;
  }

  bool active = false;
  uint8_t kind = kSelectNone;
  int level = 1;                 // classification level 1..4
  uint32_t selectedId = 0;       // class id, or the word's lemma number
  uint8_t selectedCategory = 0;  // the word's category byte
  uint32_t firstClass = 0;
  uint32_t secondClass = 0;
  std::string text;
  std::string secondText;
  int32_t foundPosition = 0;
  int32_t foundPropositionStart = 0;
  int32_t spanStart = 0;
  int32_t spanEnd = kDefaultSpanEnd;
  ColorationCriterion criteria[kCriteriaSlots + 1];
  CriterionPattern patterns[kPatternCount];
  // Indexed by group 1..7.
  bool groupSelected[8] = {};
  // Once set (by the style and category lists), a proposition matches the
  // criteria when it holds a word matching any of them, not all.
  bool anyCriterion = false;
};

}  // namespace malvex
