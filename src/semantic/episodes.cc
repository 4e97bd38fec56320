#include "semantic/episodes.h"

#include <algorithm>

#include "reading/word_stream.h"
#include "semantic/analysis_context.h"
#include "semantic/bundle_scan.h"

namespace malvex {
namespace {

class Cutter {
 public:
  Cutter(int32_t words, std::vector<EpisodeRecord>& episodes)
      : words_(words), minLength_(std::max(words / 250, 30)), episodes_(episodes) {}

  // A new episode after the last one, when that one is long enough.
  void Open(int32_t position) {
    EpisodeRecord& e = episodes_.back();
    if (e.end <= 0 || episodes_.size() >= static_cast<size_t>(kMaxEpisodes)) return;
    if (episodes_.size() == 1) e.end = position;
    if (e.end - e.start < minLength_) return;
    Append(e.end + 1);
  }

  void Append(int32_t start) { episodes_.push_back(EpisodeRecord{start, words_, 0}); }

 private:
  const int32_t words_;
  const int32_t minLength_;
  std::vector<EpisodeRecord>& episodes_;
};

}  // namespace

void CutEpisodes(WordStream& stream, ChronologyTables& tables) {
  std::vector<EpisodeRecord>& episodes = tables.episodes;
  episodes.clear();
  const int32_t words = stream.HighestPosition();
  const int rise = words < 5000 ? 1 : 4;
  Cutter cutter(words, episodes);
  cutter.Append(1);

  int depth = 0;
  int ref = 0;
  bool pending = false;
  uint8_t lastMark = 0;  // none seen yet
  stream.SaveBookmark(4);
  stream.Rewind();
  WordInfo info;
  WordNode* node = nullptr;
  int32_t position = 0;
  while (const char* text = stream.NextWithNode(info, node, position)) {
    if (text[0] == '/') continue;
    if (info.bundleMark == kBundleFirst) {
      ++depth;
      if (lastMark == kBundleLast && depth - ref > rise) {
        pending = true;
        if (depth > ref) ref = depth;
      }
      lastMark = kBundleFirst;
    } else if (info.bundleMark == kBundleLast) {
      --depth;
      if (depth < ref) {
        if (pending) {
          cutter.Open(position);
          pending = false;
        }
        ref = depth;
        episodes.back().end = position;
      }
      lastMark = kBundleLast;
    }
  }
  stream.RestoreBookmark(4);

  if (episodes.size() < static_cast<size_t>(kMaxEpisodes)) cutter.Append(episodes.back().end + 1);
  for (BundleRecord& b : tables.bundles) {
    const int32_t address = static_cast<int32_t>(b.mean);
    for (size_t k = 0; k < episodes.size(); ++k) {
      EpisodeRecord& e = episodes[k];
      if (e.start <= address && address <= e.end) {
        b.episode = static_cast<uint32_t>(k + 1);
        ++e.bundles;
        break;
      }
    }
  }
  if (episodes.size() > 1 && episodes.back().bundles == 0) episodes.pop_back();
}

}  // namespace malvex
