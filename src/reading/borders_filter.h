// The borders of the current borders file as the reader uses them: loaded
// and compiled before each reading pass, and asked for every word while
// they are active.
#pragma once

#include <string>

#include "dictionaries/borders.h"
#include "reading/propositions.h"

namespace malvex {

// The keyword test of the proposition writer answered by the borders
// store's trie. `store` must outlive the test.
class BordersKeywordTest final : public BorderKeywords {
 public:
  explicit BordersKeywordTest(BordersStore& store) : store_(store) {}
  bool IsBorderKeyword(const char* word, bool& excludesAfter) const override {
    return store_.IsBorder(word, excludesAfter);
  }

 private:
  BordersStore& store_;
};

// Run preparation: empties the store; with no borders file named, releases
// the trie; otherwise loads `fileName` from `scenarioFolder` (only its
// name part is used, so the file stays in that folder) and compiles it, or
// releases the trie when the file cannot be read (and sets `*unreadable`
// when given). True when borders are active afterwards.
bool PrepareBorders(BordersStore& store, const std::string& scenarioFolder, const std::string& fileName,
                    bool showBordersInText, bool* unreadable = nullptr);
// The same with the borders file at `path`, wherever it is.
bool PrepareBordersFile(BordersStore& store, const std::string& path, bool showBordersInText,
                        bool* unreadable = nullptr);

}  // namespace malvex
