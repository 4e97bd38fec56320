// A segmenter over a fresh word stream with a table-driven lexical
// analysis, for the tests of the segmentation and of proposition output.
#pragma once

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "reading/segmenter.h"
#include "reading/stored_word_counter.h"
#include "reading/word_stream.h"

namespace malvex::testing {

inline WordCategory Cat(uint8_t category, uint8_t subcategory = 0) {
  WordCategory c;
  c.category = category;
  c.subcategory = subcategory;
  return c;
}

// Lower-cases the words and gives them the readings of a small table;
// records what each stage received.
// Counts the nodes the writer stores, as the statistics do.
class NodeCounter final : public StoredWordCounter {
 public:
  void CountWord(const char* text, WordInfo&) override {
    if (text != nullptr && text[0] != 0) ++total_;
  }
  uint64_t Total() const { return total_; }

 private:
  uint64_t total_ = 0;
};

class FakeAnalysis : public LexicalAnalysis {
 public:
  void LookupSentence(SegmentBuffer& b) override {
    std::vector<std::string> batch;
    for (int i = 0; i < b.count; ++i) {
      WordSlot& slot = b.slots[i];
      if (!slot.HoldsWord()) continue;
      batch.push_back(std::string(slot.text) + "[" + slot.separator + "]");
      if (slot.IsEndMarker()) continue;
      FoldSlotToLower(slot);
      auto it = readings.find(slot.text);
      slot.candidates[0] = it != readings.end() ? it->second : (allVerbs ? Cat(kClassVerb) : WordCategory{});
    }
    lookedUp.push_back(batch);
  }
  void DisambiguateSentence(SegmentBuffer& b) override {
    std::vector<int> marks;
    for (int i = 0; i < b.count; ++i) marks.push_back(b.clauseMarks[i]);
    clauseMarks.push_back(marks);
  }

  std::map<std::string, WordCategory> readings;
  bool allVerbs = false;
  std::vector<std::vector<std::string>> lookedUp;
  std::vector<std::vector<int>> clauseMarks;
};

class SegmenterFixture : public ::testing::Test {
 protected:
  SegmenterFixture() {
    segmenter.StartFile(0);
    writer.StartFile(1);
  }

  // Adds words given as {text, separator}.
  void Add(const std::vector<std::pair<std::string, std::string>>& words) {
    for (const auto& w : words) ASSERT_TRUE(segmenter.AddWord(w.first, w.second)) << w.first;
  }
  void AddMany(int n, const std::string& word = "merge") {
    for (int i = 0; i < n; ++i) ASSERT_TRUE(segmenter.AddWord(word, i == 0 ? "" : " "));
  }

  // The word stream as "text[separator]@position" tokens.
  std::string Dump() {
    std::string out;
    stream.Rewind();
    WordInfo info;
    const char* sep = nullptr;
    int32_t pos = 0;
    while (const char* text = stream.Next(info, sep, pos)) {
      if (!out.empty()) out += ' ';
      out += std::string(text) + "[" + sep + "]@" + std::to_string(pos);
    }
    return out;
  }

  // Words between end markers, in order.
  std::vector<int> SentenceLengths() {
    std::vector<int> lengths;
    int n = 0;
    stream.Rewind();
    WordInfo info;
    const char* sep = nullptr;
    int32_t pos = 0;
    while (const char* text = stream.Next(info, sep, pos)) {
      if (text[0] == '/') {
        lengths.push_back(n);
        n = 0;
      } else {
        ++n;
      }
    }
    return lengths;
  }

  WordStream stream{nullptr};
  NodeCounter statistics;
  PropositionWriter writer{stream, statistics};
  SegmentBuffer lexical;
  SegmentBuffer sentence;
  FakeAnalysis analysis;
  bool stop = false;
  Segmenter segmenter{lexical, sentence, analysis, writer, stop};
};

}  // namespace malvex::testing
