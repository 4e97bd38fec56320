#include "semantic/characteristic_parts.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "dictionaries/quicksort.h"
#include "platform/fatal.h"
#include "reading/word_stream.h"
#include "semantic/analysis_context.h"
#include "semantic/bundle_scan.h"

namespace malvex {
namespace {

constexpr size_t kFewestToSelectFrom = 11;
constexpr size_t kSelectedAtLeast = 10;
constexpr double kNoActant = 9999;

class Scorer {
 public:
  Scorer(const CharacteristicInput& input, ChronologyTables& tables) : input_(input), tables_(tables) {
    // Counted in 32 bits: a class may occur more than 65535 times in a
    // text, and its newness must not start again from zero.
    seenClass_.reset(new (std::nothrow) uint32_t[kLastScoredClass + 1]());
    if (!seenClass_) FatalExit(1);
    Reset();
  }

  // One token; false when the list is full and the scan must end.
  bool Token(const char* text, WordNode* node) {
    if (text[0] == '/') {
      ++proposition_;
      bool room = true;
      if (verbSeen_ && (actant_ != 0 || acted_ != 0)) room = Score();
      Reset();
      return room;
    }
    const WordCategory& c = node->info.category;
    if (node->info.referent == 1) {
      Weigh(node);
      const uint32_t cls = node->info.classPath[input_.level - 1];
      if (cls >= 1 && cls <= static_cast<uint32_t>(kLastScoredClass) && input_.classCounts[cls] > 0) {
        ++seenClass_[cls];
        Offer(static_cast<int32_t>(cls), node);
      }
    } else if (isVerb(c)) {
      Weigh(node);
      if (!verbSeen_) {
        verbSeen_ = true;
        acted_ = 0;
      }
    } else if (isConnector(c)) {
      if (isTimeConnector(c) || isPlaceConnector(c)) return true;
      Weigh(node);
      if (verbSeen_ || actant_ != 0)
        connectorAfter_ = c.subcategory;
      else
        connectorBefore_ = c.subcategory;
      if (isCauseConnector(c)) ++causes_;
    } else if (isModality(c)) {
      if (c.subcategory >= 4 && c.subcategory <= 7) Weigh(node);
    } else if (isPronoun(c)) {
      Weigh(node);
      if ((isPersonal(c) || isDeixis(c)) && c.tensePerson >= 1 && c.tensePerson <= 7) {
        ++seenPerson_[c.tensePerson];
        Offer(kPersonItemBase + c.tensePerson, node);
      }
    }
    return true;
  }

 private:
  void Reset() {
    verbSeen_ = false;
    actant_ = acted_ = 0;
    connectorBefore_ = connectorAfter_ = 0;
    newness_ = kNoActant;
    weight_ = 0;
    causes_ = 0;
  }

  // The bundle weight of a token: a bundle's last occurrence counts half,
  // the first ones 1, 1/2, 1/3, a closed bundle's last 1/size.
  void Weigh(const WordNode* node) {
    if (node->markA == 0) return;
    weight_ += node->info.bundleMark == kBundleLast ? 0.5 : 1.0 / node->markA;
  }

  bool IsPerson(int32_t item) const { return item > kLastScoredClass; }
  uint32_t Seen(int32_t item) const {
    return IsPerson(item) ? seenPerson_[item - kPersonItemBase] : seenClass_[item];
  }
  uint32_t Frequency(int32_t item) const {
    if (item == 0) return 0;
    return IsPerson(item) ? input_.personCounts[item - kPersonItemBase] : input_.classCounts[item];
  }

  // The actant slot before the proposition's first verb, the acted slot
  // after it: an empty slot takes the item, a filled one only an item seen
  // more often than the one it holds.
  void Offer(int32_t item, WordNode* node) {
    int32_t& slot = verbSeen_ ? acted_ : actant_;
    if (slot == 0) {
      slot = item;
      node->markA = 1;
    } else if (Seen(item) > Seen(slot)) {
      slot = item;
    }
  }

  // Lists the proposition when its score is above 9; false when the list
  // is full.
  bool Score() {
    int64_t cA = Frequency(actant_);
    const int64_t cB = Frequency(acted_);
    double w = cA > 0 || cB > 0 ? std::trunc(weight_ * 100) : 0;
    if (cA < 1) cA = cB / 3;
    double s = newness_;
    if (actant_ != 0 && cA > 0) {
      if (IsPerson(actant_)) w *= 0.5;
      const double seen = static_cast<double>(Seen(actant_));
      s = std::trunc((1 - (seen - 1) / static_cast<double>(cA)) * 100);
    }
    double score = w + 0.7 * s;
    if (connectorBefore_ != 0) score *= 1.1;
    if (causes_ > 0) score *= 1.3;
    if (score <= 9) return true;
    if (tables_.characteristicParts.size() >= static_cast<size_t>(kMaxCharacteristicParts)) return false;
    tables_.characteristicParts.push_back(
        CharacteristicPart{proposition_, static_cast<uint8_t>(std::trunc(std::min(score / 2, 255.0)))});
    return true;
  }

  const CharacteristicInput& input_;
  ChronologyTables& tables_;
  std::unique_ptr<uint32_t[]> seenClass_;
  uint32_t seenPerson_[8] = {};
  uint32_t proposition_ = 0;

  bool verbSeen_;
  int32_t actant_;
  int32_t acted_;
  uint8_t connectorBefore_;
  uint8_t connectorAfter_;
  double newness_;
  double weight_;
  int causes_;
};

// Keeps the best entries: the threshold is the score of the entry at the
// share of the list the quantity setting leaves out, and at least the
// tenth best.
void Select(const CharacteristicInput& input, ChronologyTables& tables) {
  std::vector<CharacteristicPart>& entries = tables.characteristicParts;
  if (entries.size() < kFewestToSelectFrom) {
    tables.selectedParts = static_cast<uint32_t>(entries.size());
    return;
  }
  QuickSort(entries.begin(), entries.size(),
            [](const CharacteristicPart& a, const CharacteristicPart& b) { return a.score > b.score; });
  const int q = std::clamp(input.quantity, 1, 99);
  const size_t pos = std::max(entries.size() * static_cast<size_t>(100 - q) / 100, kSelectedAtLeast);
  tables.scoreThreshold = entries[pos - 1].score;
  QuickSort(entries.begin(), entries.size(),
            [](const CharacteristicPart& a, const CharacteristicPart& b) { return a.proposition < b.proposition; });
  tables.selectedParts = static_cast<uint32_t>(std::count_if(
      entries.begin(), entries.end(), [&](const CharacteristicPart& e) { return e.score >= tables.scoreThreshold; }));
}

// Gives every marked token the score of its proposition when that one is
// selected, else 0, so that a non-zero mark A means "in a selected
// characteristic proposition".
void MarkSelected(WordStream& stream, const ChronologyTables& tables) {
  const std::vector<CharacteristicPart>& entries = tables.characteristicParts;
  size_t next = 0;  // first entry not before the current proposition
  uint32_t proposition = 1;
  WordInfo info;
  WordNode* node = nullptr;
  int32_t position = 0;
  stream.Rewind();
  while (const char* text = stream.NextWithNode(info, node, position)) {
    if (text[0] == '/') {
      ++proposition;
      continue;
    }
    if (node->markA == 0) continue;
    while (next < entries.size() && entries[next].proposition < proposition) ++next;
    const bool selected = next < entries.size() && entries[next].proposition == proposition &&
                          entries[next].score >= tables.scoreThreshold;
    node->markA = selected ? entries[next].score : 0;
  }
}

}  // namespace

void FindCharacteristicParts(WordStream& stream, const CharacteristicInput& input, ChronologyTables& tables) {
  tables.characteristicParts.clear();
  tables.scoreThreshold = 0;
  tables.selectedParts = 0;
  stream.SaveBookmark(4);
  {
    Scorer scorer(input, tables);
    stream.Rewind();
    WordInfo info;
    WordNode* node = nullptr;
    int32_t position = 0;
    while (const char* text = stream.NextWithNode(info, node, position)) {
      if (!scorer.Token(text, node)) break;
    }
  }
  Select(input, tables);
  MarkSelected(stream, tables);
  stream.RestoreBookmark(4);
}

}  // namespace malvex
