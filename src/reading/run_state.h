// The state of the analysis run under way: what the reading pass, the
// semantic pass and the front ends test and set while a text is analysed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "dictionaries/borders.h"

namespace malvex {

// Why a file of the list gave no words.
enum class UnreadReason : uint8_t {
  kCannotOpen,  // the file could not be opened (moved, deleted, no access)
  kEmpty,       // the file holds no byte
  kNoWords,     // the file holds bytes but not one word
  kNoText,      // a document no converter (nor the binary filter) could read
};

// A file of the list that gave no words to the run.
struct UnreadFile {
  int index = 0;  // in the file list, from 1
  UnreadReason reason = UnreadReason::kEmpty;
  std::string detail;  // the converter's error (code page 1250), when there is one
};

// Where the reading stopped before the end of the text: the size warning
// answered No, or the word limit reached.
struct ReadingCut {
  bool cut = false;
  bool wordLimit = false;  // the word limit rather than the size warning
  int fileIndex = 0;       // the file being read, in the file list
  int64_t fileWords = 0;   // the words read from that file
  int filesLeft = 0;       // the files of the list after it, not read
};

struct RunState {
  bool running = false;
  bool stopRequested = false;
  bool runAborted = false;
  bool readInterrupted = false;
  bool quiet = false;
  bool converterWarningShown = false;
  int64_t sizeLimitBytes = 0;
  int currentFileIndex = 0;
  uint8_t mode = 0;
  // Whether borders were active while the text was read, and the
  // propositions they left out (the style diagnosis reports both).
  BordersReport borders;
  // The files of the last reading pass that gave no words, in list order,
  // and where that pass stopped short of the end of its text.
  std::vector<UnreadFile> unreadFiles;
  ReadingCut cut;
};

}  // namespace malvex
