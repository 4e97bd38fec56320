#include "semantic/bundle_scan.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <new>

#include "dictionaries/quicksort.h"
#include "platform/fatal.h"
#include "semantic/category_statistics.h"

namespace malvex {
namespace {

// The run of one item under way.
struct Run {
  uint32_t count;
  bool inBundle;
  float sum;  // of the run's word positions
  int32_t firstPos;
  int32_t lastPos;
  WordNode* firstNode;
  WordNode* lastNode;
};

class Scan {
 public:
  Scan(const BundleScanInput& input, int32_t words, ChronologyTables& tables)
      : input_(input), words_(words), tables_(tables) {
    if (words < 5000) {
      maxSpan_ = static_cast<int32_t>(words * 0.5);
      minSize_ = 3;
    } else {
      maxSpan_ = words / 4;
      minSize_ = 4;
    }
    sensitivity_ = std::clamp(std::log(static_cast<double>(words)) / 2 - 1.5, 1.5, 3.7);
    runs_.reset(new (std::nothrow) Run[kItemSlots]());
    if (!runs_) FatalExit(1);
  }

  // One token; false when the table is full and the scan must end.
  bool Token(WordNode* node) {
    const int32_t item = BundleItem(node->info, input_.level);
    if (item == 0) return true;
    Run& run = runs_[static_cast<size_t>(item + kItemOffset)];
    const int32_t pos = node->position;
    const uint32_t c = run.count;
    if (c < 2) {
      if (c == 0) {
        run.firstPos = pos;
        run.firstNode = node;
      } else {
        run.lastPos = pos;
        run.lastNode = node;
      }
      run.sum += static_cast<float>(pos);
      run.count = c + 1;
      return true;
    }
    const uint32_t l = c + 1;
    run.count = l;
    const double g = static_cast<double>(input_.frequencies[item + kItemOffset]) / words_;
    const double m = static_cast<double>(pos - run.firstPos) * g;
    const double t = sensitivity_ * std::sqrt((1 - g) * m);
    if (l > m + t || l < m - t) {
      // Still abnormal: the occurrence joins the bundle.
      run.lastPos = pos;
      run.inBundle = true;
      run.sum += static_cast<float>(pos);
      if (l < 4) node->markA = static_cast<uint8_t>(l);
      if (l == 3) {
        run.firstNode->info.bundleMark = kBundleFirst;
        run.firstNode->markA = 1;
        run.lastNode->markA = 2;
      }
      if (run.lastNode->info.bundleMark != kBundleFirst) run.lastNode->info.bundleMark = kBundleInside;
      run.lastNode = node;
      node->info.bundleMark = kBundleLast;
    } else if (run.inBundle) {
      // The bundle ends before this occurrence, which starts a new run.
      if (!Close(item, run, l - 1)) return false;
      run.lastNode->markA = static_cast<uint8_t>(std::min<uint32_t>(l - 1, 255));
      run.count = 1;
      run.firstPos = pos;
      run.firstNode = node;
      run.sum = static_cast<float>(pos);
      run.inBundle = false;
    } else {
      // No bundle open: the window slides to the last two occurrences.
      run.count = 2;
      run.firstPos = run.lastPos;
      run.firstNode = run.lastNode;
      run.sum = static_cast<float>(run.lastPos) + static_cast<float>(pos);
      run.lastPos = pos;
      run.lastNode = node;
      run.inBundle = false;
    }
    return true;
  }

  // Closes the bundles still open at the end of the text; false when the
  // table filled up.
  bool Finish() {
    for (int32_t item = kLowestItem; item <= kHighestItem; ++item) {
      Run& run = runs_[static_cast<size_t>(item + kItemOffset)];
      if (!run.inBundle) continue;
      if (!Close(item, run, run.count)) return false;
      run.lastNode->markA = static_cast<uint8_t>(std::min<uint32_t>(run.count, 255));
    }
    return true;
  }

 private:
  // Records a bundle of `n` occurrences when it is large and close enough;
  // false only when the table is full.
  bool Close(int32_t item, const Run& run, uint32_t n) {
    if (n < minSize_ || run.lastPos - run.firstPos > maxSpan_) return true;
    if (tables_.bundles.size() >= static_cast<size_t>(kMaxBundles)) return false;
    BundleRecord b;
    b.item = item;
    b.count = n;
    b.first = static_cast<uint32_t>(run.firstPos);
    b.last = static_cast<uint32_t>(run.lastPos);
    b.mean = run.sum / static_cast<float>(n);
    tables_.bundles.push_back(b);
    if (item > 0) ++tables_.classBundles;
    tables_.averageBundleSize += n;
    return true;
  }

  const BundleScanInput& input_;
  const int32_t words_;
  ChronologyTables& tables_;
  int32_t maxSpan_;
  uint32_t minSize_;
  double sensitivity_;
  std::unique_ptr<Run[]> runs_;
};

}  // namespace

int32_t BundleItem(const WordInfo& info, int level) {
  const WordCategory& c = info.category;
  switch (c.category) {
    case kClassSubstantive: {
      const uint32_t cls = info.classPath[level - 1];
      if (info.referent == 1 && cls > 0 && cls <= static_cast<uint32_t>(kHighestItem)) return static_cast<int32_t>(cls);
      return 0;
    }
    case kClassVerb:
      return isPerformative(c) ? -(kStatVerbSubclass + 3) : 0;
    case kClassConnector:
      if (c.subcategory >= 1 && c.subcategory <= 10 && !isAdditionConnector(c))
        return -(kStatConnectorSubclass + c.subcategory - 1);
      return 0;
    case kClassModality:
      if (c.subcategory >= 1 && c.subcategory <= 6) return -(kStatModalitySubclass + c.subcategory - 1);
      return 0;
    case kClassPronoun:
      if ((isPersonal(c) || isDeixis(c)) &&
          (c.tensePerson == 1 || c.tensePerson == 2 || c.tensePerson == 4 || c.tensePerson == 5 ||
           c.tensePerson == 7))
        return -(kStatPerson + c.tensePerson - 1);
      return 0;
    default:
      return 0;
  }
}

bool ScanBundles(WordStream& stream, const BundleScanInput& input, ChronologyTables& tables) {
  tables.bundles.clear();
  tables.classBundles = 0;
  tables.averageBundleSize = 0;
  const int32_t words = stream.HighestPosition();
  if (words <= 100) return true;
  Scan scan(input, words, tables);
  bool complete = true;
  stream.SaveBookmark(4);
  stream.Rewind();
  WordInfo info;
  WordNode* node = nullptr;
  int32_t position = 0;
  while (const char* text = stream.NextWithNode(info, node, position)) {
    if (text[0] == '/') continue;
    defaultToSubstantive(node->info.category);
    if (!scan.Token(node)) {
      complete = false;
      break;
    }
  }
  if (complete) complete = scan.Finish();
  stream.RestoreBookmark(4);
  return complete;
}

void SortBundlesByMean(std::vector<BundleRecord>& bundles) {
  QuickSort(bundles.begin(), bundles.size(),
            [](const BundleRecord& a, const BundleRecord& b) { return a.mean < b.mean; });
}

}  // namespace malvex
