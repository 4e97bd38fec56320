#include "app/file_history.h"

namespace malvex {

std::string FileHistory::Slot(int n) const {
  if (n < 1 || n > kSlots) return std::string();
  return record_.historyEntry(n - 1);
}

int FileHistory::Find(const std::string& path) const {
  if (path.empty()) return 0;
  for (int n = 1; n <= kSlots; ++n) {
    if (record_.historyEntry(n - 1) == path) return n;
  }
  return 0;
}

bool FileHistory::Add(const std::string& path) {
  if (path.empty() || path.size() > kMaxPath) return false;
  // The slots above the path's own slot (or all of them, the last one lost,
  // for a new path) move down one place.
  const int found = Find(path);
  const int from = found != 0 ? found : kSlots;
  for (int n = from; n > 1; --n) record_.setHistoryEntry(n - 1, record_.historyEntry(n - 2));
  record_.setHistoryEntry(0, path);
  return true;
}

void FileHistory::Clear() {
  for (int n = 0; n < kSlots; ++n) record_.setHistoryEntry(n, std::string_view());
}

std::vector<FileHistory::MenuItem> FileHistory::MenuItems() const {
  std::vector<MenuItem> items;
  for (int n = 1; n <= kMenuSlots; ++n) {
    std::string path = record_.historyEntry(n - 1);
    if (!path.empty()) items.push_back(MenuItem{n, std::move(path)});
  }
  return items;
}

}  // namespace malvex
