#include "reading/file_list.h"

namespace malvex {

bool TPileFile::Add(const std::string& name) {
  if (Count() >= kMaxFiles) return false;
  names_.push_back(name);
  return true;
}

const std::string& TPileFile::Get(int i) const {
  static const std::string kEmpty;
  if (names_.empty()) return kEmpty;
  if (i < 1 || i > Count()) i = 1;
  return names_[static_cast<size_t>(i - 1)];
}

}  // namespace malvex
