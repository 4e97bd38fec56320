// How the loaders of the dictionary files tell a cut-short file from a
// damaged one, and the one way they report either before the process ends.
#pragma once

#include <string_view>

namespace malvex {

class Messages;

// Outcome of reading one part of a dictionary image.
enum class LoadStatus {
  kOk,
  kTruncated,  // the image ends before the part does
  kDamaged,    // the part is there but its counts or links do not hold
};

// Shows catalogue message `messageId` in the error box (followed by a blank
// and `path` when `path` is not empty; no box when `messages` is null) and
// ends the process with `exitCode`. Dictionary files use message 10 for a
// missing or short file (exit code 2), 11 for a wrong magic number, 12 for a
// wrong version and 13 for inconsistent contents (exit code 1).
[[noreturn]] void DictionaryFault(Messages* messages, int messageId, int exitCode,
                                  std::string_view path = {});

}  // namespace malvex
