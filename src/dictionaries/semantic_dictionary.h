// The semantic dictionary: for a substantive, its senses and, for each sense,
// its classes at three levels of generality (1 references, 2 reference
// fields 2, 3 reference fields 1); level 4 holds the groups of the user's
// Scenario. Loaded once from the ".sv8" file of the language edition and then
// only read; the per-run part (class counts and rankings, the classes made
// for unknown nouns, the recent-noun ring) is reset before every analysis.
//
// Lookups fold the text they are given to lower case in place, and leave
// their result in the found reading and the current class path, which every
// later lookup overwrites. Used from one thread at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "dictionaries/ranked_counts.h"
#include "dictionaries/semantic_format.h"
#include "dictionaries/string_index.h"
#include "dictionaries/string_pool.h"
#include "dictionaries/trie.h"

namespace malvex {

class ByteReader;
class LemmaIndex;
class Messages;
class TDicSubstantifs;
struct LanguageTables;

// Classification levels: 1..3 from the dictionary, 4 the Scenario groups.
inline constexpr int kClassLevels = 4;
inline constexpr int kScenarioLevel = 4;
// Length of the recent-noun ring.
inline constexpr int kRecentNouns = 50;
// Cells of the trie that numbers the classes made for unknown nouns.
inline constexpr uint32_t kNewClassTrieCells = 90000;
// Tries of the level-4 name index (filled by the Scenario layer).
inline constexpr int kScenarioIndexTries = 15;

// One class number per level, 0 meaning no class at that level.
struct ClassPath {
  int32_t classes[kClassLevels] = {};

  // The class at `level` (1..4).
  int32_t& at(int level) { return classes[level - 1]; }
  int32_t at(int level) const { return classes[level - 1]; }
  bool operator==(const ClassPath&) const = default;
};

// What the last successful reading lookup found.
struct FoundReading {
  ClassPath path;       // levels 1..3 from the class triple, level 4 zero
  int32_t sense = 0;    // sense number, 0 when the reading has no classes
  uint32_t lemma = 0;   // noun lemma number, 0 when none
  uint8_t flags = 0;    // sense flags (kSense*)
  uint8_t keyLevel = 0; // flags & kSenseKeyLevelMask
};

// The Scenario layer as the dictionary and the semantic pass see it. The
// defaults answer "no Scenario": every word is in no group. The Scenario
// layer overrides them once the current Scenario is loaded.
class ScenarioGroups {
 public:
  virtual ~ScenarioGroups() = default;
  // The group (level-4 class) of a noun: `text` folded, `lemma` its noun
  // lemma number (0 when unknown), `path` its current class path. 0 when the
  // noun belongs to no group. The dictionary counts the group itself.
  virtual int32_t GroupOfNoun(const char* text, uint32_t lemma, const ClassPath& path) {
    (void)text; (void)lemma; (void)path;
    return 0;
  }
  // Whether a Scenario is loaded and holds at least one entry.
  virtual bool ScenarioLoaded() const { return false; }
  // The group of a Scenario word (`text` folded; a '-' after the first
  // character is read as '_'), 0 when it is no word of the Scenario.
  virtual int32_t WordGroup(const char* text) const { (void)text; return 0; }
  // The same lookup for the lexicon, on the first `length` bytes of
  // `text`: `reachedEnd` tells whether the whole text was reached as a
  // stored key or a prefix of one, so that a longer compound may follow.
  virtual int32_t WordGroupReached(const char* text, size_t length, bool& reachedEnd) const {
    (void)text; (void)length;
    reachedEnd = false;
    return 0;
  }
  // A number that changes whenever the Scenario words change (a build, a
  // clear), so that answers looked up with the words before can be known
  // stale.
  virtual uint64_t WordsVersion() const { return 0; }
  // Whether group `group` is marked as pertinent.
  virtual bool GroupIsActive(int32_t group) const { (void)group; return false; }
  // Adds the counts of every group's sub-groups to the group's own count.
  virtual void PropagateCounts() {}
  // Ranks the active top-level groups with a count > 0, by count descending.
  virtual void RankGroups() {}
};

// Outcome of reading a semantic dictionary image, with the catalogue message
// and exit code that Load gives it.
enum class SemanticLoadStatus {
  kOk,
  kUnreadable,  // missing, unreadable or short: message 10, exit code 2
  kBadMagic,    // message 11, exit code 1
  kBadVersion,  // message 12, exit code 1
  kDamaged,     // header copies that disagree, or counts and links that do
                // not hold: message 13, exit code 1
};

class SemanticDictionary {
 public:
  // Most readings the reading cache holds (readings 0..17).
  static constexpr int kReadingCache = kSemanticReadings;

  // `messages` reports load failures and asks the depth-overflow question;
  // `tables` gives the initial-letter buckets (the lexicon may replace
  // them); `pool` receives the names read from the file. All must outlive
  // the dictionary.
  SemanticDictionary(Messages& messages, const LanguageTables& tables, StringPool& pool);
  ~SemanticDictionary();
  SemanticDictionary(const SemanticDictionary&) = delete;
  SemanticDictionary& operator=(const SemanticDictionary&) = delete;

  // ---- Loading and reset ------------------------------------------------

  // Loads `basePath` + ".sv8" and sets Ok(). Every failure shows its
  // catalogue message in the error box and ends the process with its exit
  // code (SemanticLoadStatus); running out of memory shows message 0 and
  // ends it with exit code 1.
  void Load(const std::string& basePath);
  // Loads a dictionary image held in memory and returns the outcome instead
  // of ending the process (memory exhaustion still ends it). On failure the
  // dictionary is not Ok() and answers no lookup.
  SemanticLoadStatus LoadImage(std::string_view bytes);
  bool Ok() const { return ok_; }

  // The header's entry count (the dictionary's fingerprint) and its other
  // kept counters.
  uint32_t EntryCount() const { return header_.entryCount; }
  uint32_t SecondCounter() const { return header_.secondCounter; }
  uint32_t MeaningCount() const { return header_.meaningCount; }

  // Clears the class counts and rankings of every level, the counts of the
  // lemma indexes, the depth-overflow flag and the several-senses
  // indicator, and drops the level-1 classes made during the last run.
  void ResetRunCounts();
  // Empties the recent-noun ring; the next push goes to slot 1.
  void ResetRecentNouns();
  // Stores `path` at the ring's write position, which then advances
  // (after slot 50 it returns to slot 1).
  void PushRecentClasses(const ClassPath& path);

  // The Scenario layer asked by ClassifyReferent (null: no groups), and the
  // verb and adjective lemma indexes whose counts ResetRunCounts clears
  // (null: none). Not owned.
  void SetScenarioGroups(ScenarioGroups* groups) { scenario_ = groups; }
  // The attached Scenario layer, or a layer that answers "no Scenario".
  ScenarioGroups& scenarioGroups() { return scenario_ != nullptr ? *scenario_ : noScenario_; }
  void SetLemmaIndexes(LemmaIndex* verbs, LemmaIndex* adjectives);

  // The class detection threshold, set by the semantic pass.
  void SetDetectionThreshold(int32_t threshold) { threshold_ = threshold; }
  int32_t DetectionThreshold() const { return threshold_; }

  // ---- Lookups (each folds `text`, a zero-terminated buffer, in place) ---

  // Finds reading `d` (0, 1, 2, ...) of `text`: the form itself, else its
  // underscore variant ('-' after the first character written '_'), else,
  // for reading 0, the currency sign of an amount such as "$12" or "12$".
  // On success the found reading is filled in.
  bool FindReading(char* text, int d);
  // Whether the dictionary holds reading 0 of `text` (or of its underscore
  // variant) with a value: its cell position, else -1. -1 at once while the
  // depth-overflow flag is set. WordReached() then tells whether the whole
  // text was reached as a stored prefix.
  int32_t FindWord(char* text);
  // As FindWord, for a text already folded (`length` bytes, up to a zero
  // byte), left as it is.
  int32_t FindFoldedWord(const char* folded, size_t length);
  bool WordReached() const { return wordReached_; }
  // Collects readings 0, 1, ... while FindReading succeeds, at most 18;
  // returns their number. Reading(i) gives reading i (path and lemma).
  int AllReadings(char* text);
  const FoundReading& Reading(int i) const { return cache_[i]; }

  // Classifies a noun from its reading 0. A form with several senses fails
  // and sets `level1Class` to 0, leaving it to ResolveAmbiguousNoun. A form
  // the dictionary does not know gets the level-1 class of its own name,
  // made during the run when it does not exist yet (failure when level 1 or
  // the new-class trie is full). Counts the classes of the noun. `sense` is
  // the sense number found, -1 for an unknown noun.
  bool LookUpNoun(char* text, uint32_t& level1Class, int32_t& sense);
  // Chooses one reading of a noun with several senses, by the counts of the
  // classes of its readings; with `count` the choice follows the form rules
  // (`capitalisation`: 0 none, 1 first letter, 2 more upper-case) and is
  // counted. The chosen path becomes the current class path. False when the
  // form has no reading.
  bool ResolveAmbiguousNoun(char* text, uint8_t capitalisation, bool count, int32_t& sense);
  // Decides whether a noun is a referent: it belongs to a Scenario group,
  // or its class is frequent enough (count at least the detection
  // threshold). With `resolveFirst` the noun is resolved first (without
  // counting); otherwise the caller has put its path in CurrentPath().
  // `classOut` receives the noun's level-1 class.
  bool ClassifyReferent(char* text, uint32_t lemma, uint8_t capitalisation, bool resolveFirst,
                        int32_t& classOut);

  // ---- Classes ----------------------------------------------------------

  // The class of `name` (folded) at `level` (1..4); for level 1 also among
  // the classes made during the run. 0 when absent.
  int32_t ClassNumberOfName(int level, const char* name);
  // The first of levels 1, 2, 3 whose index knows `name` (folded) with a
  // class number within the level's base count; false when none does.
  bool FindClassByName(const char* name, int& level, int32_t& cls);
  // The name of a class, "?" outside 1..current count or for an empty slot.
  const char* ClassName(int level, int32_t cls) const;
  uint32_t ClassCount(int level, int32_t cls) const;
  // Classes read from the file (level 4: the Scenario's groups).
  uint32_t NumberOfClasses(int level) const;
  // Base count plus the classes made during the run.
  uint32_t CurrentNumberOfClasses(int level) const;
  // The class at `rank` (1-based) of the last RankClassesOfLevel, 0 outside.
  int32_t RankedClass(int level, uint32_t rank) const;
  uint32_t NumberOfRankedClasses(int level) const;
  bool ClassAddedDuringRun(int level, int32_t cls) const;
  // Ranks the classes 1..current count of `level` with a positive count,
  // largest count first (the system's quicksort).
  void RankClassesOfLevel(int level);
  // Appends the statistics of the level's class-name index to `report`.
  void IndexStatistics(int level, std::string& report) const;

  // ---- Level 4: the Scenario's groups (filled by the Scenario layer) ------

  // Adds a group label (folded here) as the next level-4 name and, when the
  // level-4 index does not know the label yet, inserts it there with that
  // number. The new number, or 0 when level 4 holds 65,535 names already or
  // the index is full.
  uint32_t AddScenarioGroupName(std::string_view label);
  // Forgets every level-4 name, count and ranking and empties its index.
  void ClearScenarioGroups();
  // Adds one to the count of level-4 class `group`; false outside
  // 1..CurrentNumberOfClasses(4).
  bool CountScenarioGroup(int32_t group);
  // Sets the count of level-4 class `group`; false outside
  // 1..CurrentNumberOfClasses(4).
  bool SetScenarioGroupCount(int32_t group, uint32_t count);
  // Ranks the level-4 classes g with selected[g] != 0 and a positive count,
  // largest count first (`selected` holds CurrentNumberOfClasses(4) + 1
  // flags).
  void RankScenarioGroups(const uint8_t* selected);

  // ---- State of the last lookup -----------------------------------------

  const FoundReading& Found() const { return found_; }
  // The current class path: the chosen reading of the last resolution, or
  // the path the caller puts there before ClassifyReferent.
  ClassPath& CurrentPath() { return current_; }
  const ClassPath& CurrentPath() const { return current_; }
  // The last decoded reading was the first of several senses.
  bool SeveralSenses() const { return severalSenses_; }
  bool DepthOverflow() const { return depthOverflow_; }
  // Slot `i` (1..50) of the recent-noun ring.
  const ClassPath& RecentClasses(int i) const { return ring_[i - 1]; }

  // The noun lemma dictionary read from the same file; only after a
  // successful load.
  TDicSubstantifs& nounLemmas() { return *nounLemmas_; }
  const TDicSubstantifs& nounLemmas() const { return *nounLemmas_; }

 private:
  struct Level;
  // The readings of recent forms, so that a form met again is not looked up
  // reading by reading.
  struct ReadingsMemo;

  // Reads a repeated header and checks it against the first one.
  SemanticLoadStatus CheckHeaderCopy(ByteReader& in) const;
  Level* LevelAt(int level);
  const Level* LevelAt(int level) const;

  // Segment of reading `d` of `key` (folded); d >= 18 meets the depth
  // overflow.
  int SegmentOf(int d, const char* key, size_t length);
  // Fills the found reading from a stored value; returns the sense number.
  int32_t Decode(int32_t value);
  // Looks `key` up in the segment of reading `d`; the segment's cursor.
  const TrieCursor* FindInSegment(int d, const char* key, size_t length);
  // Reading-cache selection of ResolveAmbiguousNoun at `level`; returns the
  // chosen index.
  int Select(int level, uint8_t capitalisation, bool count);
  // The kept readings of `text` (folded in place), looked up first when
  // they are not kept yet; null when the form cannot be kept.
  const ReadingsMemo* MemoOf(char* text);
  // FindReading(text, 0), answered from the kept readings.
  bool FirstReading(char* text);
  bool RejectedForAbsence(const FoundReading& r, bool count) const;
  bool RejectedByForm(const FoundReading& r, uint8_t capitalisation) const;
  int64_t Score(const FoundReading& r, int level, bool count) const;
  void CountPath(const ClassPath& path);
  bool MakeClass(const char* name, size_t length, int32_t& cls);

  Messages& messages_;
  const LanguageTables& tables_;
  StringPool& pool_;
  bool ok_ = false;
  SemanticFileHeader header_;

  Trie32x32 segments_[kSemanticSegments];
  std::unique_ptr<MeaningRecord[]> meanings_;
  std::unique_ptr<uint16_t[]> triples_;  // 3 per sense, sense 1 first
  std::unique_ptr<Level> levels_[kClassLevels];
  Trie32 newClasses_;
  StringPool runNames_;       // names of the classes made during the run
  StringPool scenarioNames_;  // level-4 names
  std::unique_ptr<TDicSubstantifs> nounLemmas_;
  LemmaIndex* verbLemmas_ = nullptr;
  LemmaIndex* adjectiveLemmas_ = nullptr;
  ScenarioGroups* scenario_ = nullptr;
  ScenarioGroups noScenario_;

  FoundReading found_;
  ClassPath current_;
  FoundReading cache_[kReadingCache];
  int cacheCount_ = 0;
  std::unique_ptr<ReadingsMemo[]> memo_;
  int64_t chosenScore_ = 0;
  ClassPath ring_[kRecentNouns];
  int ringNext_ = 1;
  bool severalSenses_ = false;
  bool depthOverflow_ = false;
  bool depthQuestionAsked_ = false;
  bool wordReached_ = false;
  int32_t threshold_ = 0;
};

}  // namespace malvex
