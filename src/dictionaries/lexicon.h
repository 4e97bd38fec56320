// The lexicon of the language edition (word forms and their readings).
// Until the lexicon file is compiled this is a stand-in that knows no
// word: every form is left for the later stages to classify.
#pragma once

#include <string>

#include "foundations/messages.h"

namespace malvex {

class Lexicon {
 public:
  explicit Lexicon(Messages& messages) : messages_(messages) {}

  // Opens the lexicon of `basePath` (dictionary folder + base name + ".*").
  void Open(const std::string& basePath);
  bool Ready() const { return ready_; }

 private:
  Messages& messages_;
  bool ready_ = false;
};

}  // namespace malvex
