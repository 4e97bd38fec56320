#include "app/files_list.h"

#include <algorithm>

namespace malvex {

int FilesList::Add(const std::vector<std::string>& paths) {
  int added = 0;
  for (const std::string& p : paths) {
    if (p.empty() || std::find(entries_.begin(), entries_.end(), p) != entries_.end()) continue;
    entries_.push_back(p);
    ++added;
  }
  return added;
}

bool FilesList::DeleteSelected() {
  if (selected_ < 0 || selected_ >= Count()) return false;
  entries_.erase(entries_.begin() + selected_);
  if (selected_ > 0) {
    --selected_;
  } else {
    selected_ = entries_.empty() ? -1 : 0;
  }
  return true;
}

void FilesList::Sort() {
  const std::string chosen = selected_ >= 0 ? entries_[static_cast<size_t>(selected_)] : std::string();
  std::sort(entries_.begin(), entries_.end());
  if (selected_ >= 0) {
    selected_ = static_cast<int>(std::find(entries_.begin(), entries_.end(), chosen) - entries_.begin());
  }
}

}  // namespace malvex
